#include "illu_test_util.h"

using NumberLine = Canvas;

TEST_F(NumberLine, AxisTicksAndLabels)
{
    const int x = 300, y = 200;
    aographic_setfont("9x15");
    drawFractionNumberLine(x, y, 3, 4);

    // Two-pixel axis over the whole length.
    for (int dx : {0, 1, 123, 499, 500}) {
        EXPECT_EQ(at(x + dx, y), kBlackPx) << dx;
        EXPECT_EQ(at(x + dx, y + 1), kBlackPx) << dx;
    }
    EXPECT_EQ(at(x + 502, y), kWhite);
    // End ticks reach 7 pixels, their second strokes 6 pixels.
    EXPECT_EQ(at(x, y - 7), kBlackPx);
    EXPECT_EQ(at(x + 500, y + 7), kBlackPx);
    EXPECT_EQ(at(x - 1, y - 6), kBlackPx);
    EXPECT_EQ(at(x - 1, y - 7), kWhite);
    EXPECT_EQ(at(x + 501, y + 6), kBlackPx);
    // Small ticks every 5 pixels, 4 up and down; tenths two pixels wide.
    EXPECT_EQ(at(x + 5, y - 4), kBlackPx);
    EXPECT_EQ(at(x + 5, y - 5), kWhite);
    EXPECT_EQ(at(x + 4, y - 4), kWhite);
    EXPECT_EQ(at(x + 250, y + 4), kBlackPx);
    EXPECT_EQ(at(x + 249, y + 4), kBlackPx);
    EXPECT_EQ(at(x + 251, y + 4), kWhite);

    EXPECT_TRUE(hasText(x - 7, y - 40, "9x15", "0"));
    EXPECT_TRUE(hasText(x + 493, y - 40, "9x15", "1"));
    EXPECT_TRUE(hasText(x + 250 - 13, y - 40, "9x15", "0,5"));
}

TEST_F(NumberLine, FractionMarkUsesIntegerDivision)
{
    struct Case { int p, q, m; };
    for (const Case c : {Case{3, 4, 375}, Case{1, 3, 166}, Case{0, 5, 0}, Case{1, 1, 500}}) {
        open(1280, 720);
        const int x = 300, y = 200;
        drawFractionNumberLine(x, y, c.p, c.q);
        SCOPED_TRACE(testing::Message() << c.p << "/" << c.q);
        EXPECT_EQ(at(x + c.m, y + 8), kRedPx);
        EXPECT_EQ(at(x + c.m, y + 22), kRedPx);
        EXPECT_EQ(at(x + c.m - 1, y + 9), kRedPx);
        EXPECT_EQ(at(x + c.m - 1, y + 8), kWhite);
        EXPECT_EQ(at(x + c.m, y - 8), kRedPx);
        EXPECT_EQ(at(x + c.m, y - 22), kRedPx);
        EXPECT_EQ(at(x + c.m, y - 23), kWhite);
        EXPECT_EQ(at(x + c.m + 1, y - 15), kWhite);
        // The mark is the only red.
        EXPECT_EQ(count(kRedPx), 15 + 14 + 15 + 14);
    }
}

TEST_F(NumberLine, ZeroDenominatorDrawsTheLineWithoutMark)
{
    drawFractionNumberLine(300, 200, 1, 0);
    EXPECT_EQ(at(300, 200), kBlackPx);
    EXPECT_EQ(count(kRedPx), 0);
}

TEST_F(NumberLine, HugeNumeratorStaysDefined)
{
    drawFractionNumberLine(300, 200, 2147483647, 1);
    drawFractionNumberLine(300, 300, -2147483647 - 1, 3);
    EXPECT_EQ(at(300, 200), kBlackPx);
}

TEST_F(NumberLine, PercentLineMarksAndUnderlines)
{
    const int x = 300, y = 300;
    drawPercentNumberLine(x, y, 35);
    EXPECT_EQ(at(x + 175, y + 8), kRedPx);
    EXPECT_EQ(at(x + 175, y - 22), kRedPx);
    for (int dx : {0, 1, 100, 175}) {
        EXPECT_EQ(at(x + dx, y + 11), kRedPx) << dx;
        EXPECT_EQ(at(x + dx, y + 12), kRedPx) << dx;
    }
    EXPECT_EQ(at(x + 176, y + 11), kWhite);
    EXPECT_EQ(at(x + 177, y + 12), kWhite);
    EXPECT_EQ(at(x - 1, y + 12), kWhite);
    EXPECT_EQ(at(x + 50, y + 13), kWhite);
    EXPECT_TRUE(hasText(x + 100 - 18, y - 40, "9x15", "20 %"));
    EXPECT_TRUE(hasText(x + 500 - 22, y - 40, "9x15", "100 %"));
}

TEST_F(NumberLine, GridColoursTheTopLeftBlock)
{
    const int x = 100, y = 100, c = 40;
    drawFractionGrid(x, y, c, 5, 4, 3, 2);

    int red = 0;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 5; ++col) {
            const int centre = at(x + col * c + c / 2, y + row * c + c / 2);
            const bool filled = col < 3 && row < 2;
            EXPECT_EQ(centre, filled ? kRedPx : kWhite) << col << "," << row;
            red += centre == kRedPx;
        }
    }
    EXPECT_EQ(red, 6);

    // Blue inner lines, black border on all four sides.
    EXPECT_EQ(at(x + c, y + 3 * c + 5), kBluePx);
    EXPECT_EQ(at(x + 4 * c, y + 5), kBluePx);
    EXPECT_EQ(at(x + 5, y + c), kBluePx);
    EXPECT_EQ(at(x + 7, y), kBlackPx);
    EXPECT_EQ(at(x, y + 7), kBlackPx);
    EXPECT_EQ(at(x + 5 * c, y + 7), kBlackPx);
    EXPECT_EQ(at(x + 7, y + 4 * c), kBlackPx);
    EXPECT_EQ(at(x + 5 * c + 1, y + 7), kWhite);
    EXPECT_EQ(at(x + 7, y + 4 * c + 1), kWhite);
}

TEST_F(NumberLine, GridWithNothingFilledHasNoRed)
{
    drawFractionGrid(100, 100, 30, 4, 3, 0, 3);
    EXPECT_EQ(count(kRedPx), 0);
    EXPECT_EQ(at(100 + 15, 100 + 15), kWhite);
}

using CubeBlock = Canvas;

TEST_F(CubeBlock, FrontTopAndRightFacesWithBlackOutline)
{
    operandN1 = 4; // width
    operandN2 = 3; // height
    operandN3 = 2; // depth
    const int x = 450, y = 300, c = 60;
    drawCubeBlock(x, y, c);
    const int right = x + 4 * c, bottom = y + 3 * c, d = 60; // trunc(0.5 * 2 * 60)

    // Front face: red inner lines, black right and bottom edges, black left edge.
    EXPECT_EQ(at(x + c, y + 30), kRedPx);
    EXPECT_EQ(at(x + 30, y + 2 * c), kRedPx);
    EXPECT_EQ(at(right, y + 30), kBlackPx);
    EXPECT_EQ(at(x + 30, bottom), kBlackPx);
    EXPECT_EQ(at(x, y + 30), kBlackPx);
    EXPECT_EQ(at(x + 30, y), kBlackPx);
    EXPECT_EQ(at(x + 30, y + 30), kWhite);

    // Top face: receding edges, black at both ends, red between.
    EXPECT_EQ(at(x + 20, y - 20), kBlackPx);
    EXPECT_EQ(at(right + 20, y - 20), kBlackPx);
    EXPECT_EQ(at(x + c + 20, y - 20), kRedPx);
    // Cross line at depth 1 red, the back one black.
    EXPECT_EQ(at(x + 30 + 100, y - 30), kRedPx);
    EXPECT_EQ(at(x + d + 100, y - d), kBlackPx);

    // Right face: back edge black, the inner vertical and receding lines red.
    EXPECT_EQ(at(right + d, y), kBlackPx);
    EXPECT_EQ(at(right + 30, y + 60), kRedPx);
    EXPECT_EQ(at(right + 10, y + c - 10), kRedPx);
    EXPECT_EQ(at(right + 10, bottom - 10), kBlackPx);

    // Outside the block stays white.
    EXPECT_EQ(at(right + d + 5, y), kWhite);
    EXPECT_EQ(at(x - 5, y + 30), kWhite);

    EXPECT_TRUE(hasText(x - 150, y - 80, "points=12", "Breite: 4dm; Höhe: 3dm, Tiefe: 2dm"));
}

TEST_F(CubeBlock, EmptyBlockDrawsOnlyItsText)
{
    drawCubeBlock(450, 300, 60);
    EXPECT_EQ(at(450, 300), kBlackPx); // the degenerate outline is one point
    EXPECT_EQ(countIn(460, 250, 200, 200, kRedPx), 0);
    EXPECT_TRUE(hasText(300, 220, "points=12", "Breite: 0dm; Höhe: 0dm, Tiefe: 0dm"));
}
