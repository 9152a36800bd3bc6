#include "illu_test_util.h"

// Frame of every test here: origin (640, 360), 20 pixels per unit.
using World = Canvas;

TEST_F(World, MarkersDrawThickCrossesAndSetThePen)
{
    markPointRed(2, 1, 5); // (680, 340)
    EXPECT_EQ(penX, 680);
    EXPECT_EQ(penY, 340);
    for (int k = -1; k <= 1; ++k) {
        EXPECT_EQ(at(675, 340 + k), kRedPx);
        EXPECT_EQ(at(685, 340 + k), kRedPx);
        EXPECT_EQ(at(680 + k, 335), kRedPx);
        EXPECT_EQ(at(680 + k, 345), kRedPx);
    }
    EXPECT_EQ(at(686, 340), kWhite);
    EXPECT_EQ(at(680, 346), kWhite);
    EXPECT_EQ(at(678, 338), kWhite);
    EXPECT_EQ(count(kRedPx), 3 * 11 + 3 * 11 - 9);

    markPointBlue(-0.99, -0.99, 3); // truncation toward zero: (620.2, 379.8) -> (620, 379)
    EXPECT_EQ(penX, 620);
    EXPECT_EQ(penY, 379);
    EXPECT_EQ(at(617, 379), kBluePx);
}

TEST_F(World, LabelsWriteAtTheMappedPoint)
{
    aographic_setfont("9x15");
    labelPointA(-8, 3);
    labelPointB(6, 6);
    labelPointC(6, -6);
    EXPECT_TRUE(hasText(480, 300, "9x15", "A"));
    EXPECT_TRUE(hasText(760, 240, "9x15", "B"));
    EXPECT_TRUE(hasText(760, 480, "9x15", "C"));
    EXPECT_EQ(penX, 760);
    EXPECT_EQ(penY, 480);
}

TEST_F(World, BlackAndGreenLinesRescaleTheOperands)
{
    operandN1 = 3;
    operandN2 = 2;
    drawWorldLine(-10, -5, 10, 5);
    EXPECT_EQ(operandN1, 60);
    EXPECT_EQ(operandN2, -40);
    EXPECT_EQ(at(440, 460), kBlackPx);
    EXPECT_EQ(at(640, 360), kBlackPx);
    EXPECT_EQ(at(840, 260), kBlackPx);

    operandN1 = 1;
    operandN2 = 1;
    drawWorldLineGreen(-10, 5, 10, -5);
    EXPECT_EQ(operandN1, 20);
    EXPECT_EQ(operandN2, -20);
    EXPECT_EQ(at(440, 260), aographic_rgb(100, 150, 100));

    operandN1 = 7;
    operandN2 = 7;
    drawWorldLineRed(0, -5, 0, 5);
    EXPECT_EQ(operandN1, 7);
    EXPECT_EQ(operandN2, 7);
    EXPECT_EQ(at(640, 400), kRedPx);
    EXPECT_EQ(at(640, 260), kRedPx);
}

TEST_F(World, SlopeStepRunsRightThenRises)
{
    drawSlopeStep(0, 0, 4, 2);
    EXPECT_EQ(penX, 640);
    EXPECT_EQ(penY, 360);
    EXPECT_EQ(at(640, 360), kBlackPx);
    EXPECT_EQ(at(720, 360), kBlackPx);
    EXPECT_EQ(at(721, 360), kWhite);
    EXPECT_EQ(at(720, 320), kBlackPx);
    EXPECT_EQ(at(720, 319), kWhite);
    EXPECT_EQ(at(700, 340), kWhite);
}

TEST_F(World, TriangleHasItsSidesAndAnAngleMark)
{
    drawWorldTriangle(0, 0, 10, 0, 0, 10); // (640, 360), (840, 360), (640, 160)
    EXPECT_EQ(at(740, 360), kBlackPx);
    EXPECT_EQ(at(640, 260), kBlackPx);
    EXPECT_EQ(at(740, 260), kBlackPx);
    // The mark joins the points 2 units along both sides of the first corner.
    EXPECT_EQ(at(660, 340), kBlackPx);
    EXPECT_EQ(at(650, 330), kBlackPx);
    EXPECT_EQ(at(700, 300), kWhite);

    open(1280, 720);
    drawWorldTriangle(1, 1, 1, 1, 5, 5); // degenerate corner: sides only
    EXPECT_EQ(at(740, 260), kBlackPx);
}

TEST_F(World, KiteAndTrapezoid)
{
    drawWorldKite(0, 0, 4, 6, 0); // a rhombus
    EXPECT_EQ(at(640, 300), kRedPx);
    EXPECT_EQ(at(640, 420), kRedPx);
    EXPECT_EQ(at(600, 360), kRedPx);
    EXPECT_EQ(at(680, 360), kRedPx);
    EXPECT_EQ(at(640, 360), kWhite);

    open(1280, 720);
    drawWorldTrapezoid(-4, -2, 8, 4, 4);
    EXPECT_EQ(at(560, 400), kRedPx); // base corners
    EXPECT_EQ(at(720, 400), kRedPx);
    EXPECT_EQ(at(600, 320), kRedPx); // top side from x = -2 to 2
    EXPECT_EQ(at(680, 320), kRedPx);
    EXPECT_EQ(at(590, 320), kWhite);
    EXPECT_EQ(at(580, 360), kRedPx); // left leg halfway
}

TEST_F(World, SkewedTrapezoidShiftsTheTopByTheDrawnAmount)
{
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        open(1280, 720);
        aosrand(seed);
        int r = aorand() % 10 - 5;
        if (r == 0) r = 1;
        aosrand(seed);
        drawWorldTrapezoidSkew(-4, -2, 8, 4, 4);
        EXPECT_EQ(at(560, 400), kRedPx);
        EXPECT_EQ(at(600 + 20 * r, 320), kRedPx) << r;
        EXPECT_EQ(at(680 + 20 * r, 320), kRedPx) << r;
        EXPECT_EQ(countIn(0, 320, 1280, 1, kRedPx), 81) << r;
    }
}

TEST_F(World, HexagonCornersAndTurn)
{
    drawWorldHexagon(0, 0, 5, 0); // corners at 30, 90, ...: top corner (640, 260)
    EXPECT_TRUE(near(640, 260, kBlackPx));
    EXPECT_TRUE(near(640, 460, kBlackPx));
    EXPECT_TRUE(near(640 + 87, 360 - 50, kBlackPx));
    EXPECT_FALSE(near(740, 360, kBlackPx));

    open(1280, 720);
    drawWorldHexagon(0, 0, 5, 1); // turned: corners at 0, 60, ...
    EXPECT_TRUE(near(740, 360, kBlackPx));
    EXPECT_TRUE(near(540, 360, kBlackPx));
    EXPECT_TRUE(near(640, 360 - 87, kBlackPx)); // top side at 5 * sin 60
    EXPECT_FALSE(near(640, 262, kBlackPx));

    open(1280, 720);
    drawWorldCircleHexagon(0, 0, 5);
    EXPECT_TRUE(near(640, 260, kRedPx)); // circle top, no corner there
    EXPECT_FALSE(near(640, 260, kBlackPx));
    EXPECT_TRUE(near(740, 360, kBlackPx)); // corner at 0 degrees
    EXPECT_TRUE(near(640, 360 - 87, kBlackPx));
    EXPECT_TRUE(near(640 + 71, 360 + 71, kRedPx)); // circle at 315 degrees
}

TEST_F(World, ArcsSpanTheirAngles)
{
    drawWorldArc(0, 0, 5, 0, 90);
    EXPECT_TRUE(near(740, 360, kRedPx));
    EXPECT_TRUE(near(640, 260, kRedPx));
    EXPECT_TRUE(near(711, 289, kRedPx));
    EXPECT_FALSE(near(540, 360, kRedPx));
    EXPECT_FALSE(near(640, 460, kRedPx));

    open(1280, 720);
    drawWorldArcBlue(0, 0, 5, 90, 270);
    EXPECT_TRUE(near(540, 360, kBluePx));
    EXPECT_FALSE(near(740, 360, kBluePx));
    EXPECT_EQ(count(kRedPx), 0);

    open(1280, 720);
    drawWorldArc(0, 0, 5, 90, 0); // an empty span draws nothing
    drawWorldArc(0, 0, 5, 0, 1e300);
    EXPECT_EQ(count(kRedPx), 0);
}

TEST_F(World, CurvesTruncateOriginAndOffsetSeparately)
{
    scaleX = 10.5;
    scaleY = 10.5;
    // First point of the mark: u = 0.05, v = 0.0025 -> (+0, -0) at f = 1.
    drawCurveMark(100, 100, 1);
    EXPECT_EQ(at(100, 100), kRedPx);
    // Last point: u = 1.3, v = 1.69 - 1 + 1/26 -> (13.65, -7.65) -> (+13, -7).
    EXPECT_EQ(at(113, 93), kRedPx);

    open(1280, 720);
    originX = 640;
    originY = 360;
    scaleX = scaleY = 20;
    drawParabolaPair(0, 0, 2);
    // i = 1 of both curves: (0.05, 0.0025) and (0.05, -0.0025) scaled by 40.
    EXPECT_EQ(at(642, 360), kRedPx);
    // i = 26: (1.3, +-0.7285) -> (692, 360 -+ 29).
    EXPECT_EQ(at(692, 331), kRedPx);
    EXPECT_EQ(at(692, 389), kRedPx);
}

TEST_F(World, LetterAndLoopCurvesAreTwoPixelsWide)
{
    drawLetterCurve(0, 0, 2);
    // The stem: u = 0, v from -2.15 to 1.3, drawn at x and x + 1.
    EXPECT_EQ(at(640, 360), kRedPx);
    EXPECT_EQ(at(641, 360), kRedPx);
    EXPECT_EQ(at(642, 360), kWhite);
    EXPECT_EQ(at(640, 360 + 40 * 2), kRedPx);

    open(1280, 720);
    drawLoopCurve(0, 0, 1);
    EXPECT_GT(count(kBluePx), 200);
    EXPECT_EQ(count(kRedPx), 0);
}
