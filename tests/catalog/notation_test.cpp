// School notation of numbers and terms.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

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

TEST(Notation, RoundsAsAtSchoolAndSaysSo)
{
    // Ties round away from zero, also where the binary value lies a hair below.
    EXPECT_EQ(deDecimal(0.125, 2), "0,13");
    EXPECT_EQ(deDecimal(-0.485, 2), "-0,49");
    EXPECT_EQ(deDecimal(2.598 * 25, 1), "65,0");
    EXPECT_EQ(deDecimal(0.1249, 2), "0,12");
    EXPECT_EQ(deRounded(2.598 * 25, 1), "64,95 ≈ 65,0");
    EXPECT_EQ(deRounded(1.125, 2), "1,125 ≈ 1,13");
    EXPECT_EQ(deRounded(std::sqrt(6.0), 2), "2,4494... ≈ 2,45");
    EXPECT_EQ(deRounded(1.25, 2), "1,25");
}

TEST(Notation, StepsWriteTheMinusSignButKeepHyphens)
{
    EXPECT_EQ(deStepMinus("-13 + 3 = -10"), "−13 + 3 = −10");
    EXPECT_EQ(deStepMinus("x - 2 = 5 · (-3)"), "x − 2 = 5 · (−3)");
    EXPECT_EQ(deStepMinus("Die x-Achse, 3-mal, Hälfte-Regel"), "Die x-Achse, 3-mal, Hälfte-Regel");
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
