// School notation of numbers and terms.
#include <gtest/gtest.h>

#include <climits>

#include "notation.h"

TEST(Notation, DecimalsWithCommaRoundedAndWithoutMinusZero)
{
    EXPECT_EQ(deDecimal(3.8, 2), "3,80");
    EXPECT_EQ(deDecimal(-0.004, 2), "0,00");
    EXPECT_EQ(deDecimal(2.675, 0), "3");
    EXPECT_EQ(deDecimal(-12.5, 1), "-12,5");
    EXPECT_EQ(deNumber(2.5), "2,5");
    EXPECT_EQ(deNumber(10.0), "10");
    EXPECT_EQ(deNumber(-0.125), "-0,125");
    EXPECT_EQ(deNumber(-0.0000001), "0");
    EXPECT_EQ(deNumber(1.0 / 3, 2), "0,33");
}

TEST(Notation, TermsAndSignsAsATextbookPrintsThem)
{
    EXPECT_EQ(deTerm(1, "x"), "x");
    EXPECT_EQ(deTerm(-1, "x"), "-x");
    EXPECT_EQ(deTerm(0, "x"), "0");
    EXPECT_EQ(deLinear(3, 4, "x"), "3x + 4");
    EXPECT_EQ(deLinear(1, -2, "x"), "x - 2");
    EXPECT_EQ(deLinear(-1, 0, "x"), "-x");
    EXPECT_EQ(deLinear(0, 7, "x"), "7");
    EXPECT_EQ(deSignedAppend(-6), " - 6");
    EXPECT_EQ(deSignedAppend(INT_MIN), " - 2147483648");
    EXPECT_EQ(deSignedAppend(-0.001, 2), " + 0,00");
    EXPECT_EQ(deOperand(-3), "(-3)");
    EXPECT_EQ(deOperand(2.5, 1), "2,5");
}

TEST(Notation, PowersWithSuperscriptsWhereTheScreenHasThem)
{
    EXPECT_EQ(dePower(7, 2), "7²");
    EXPECT_EQ(dePower(-3, 3), "(-3)³");
    EXPECT_EQ(dePower(3, 4), "3 hoch 4");
    EXPECT_EQ(dePower(-2, 0), "(-2) hoch 0");
}
