#include <cstdio>
#include <utility>

#include "illu_test_util.h"

using Charts = Canvas;

TEST_F(Charts, UrnAlternatesColoursStartingWithRed)
{
    const int x = 100, y = 600, w = 180;
    drawUrn(x, y, w, 3, 2);
    // The open box.
    EXPECT_EQ(at(x, y - w), kBlackPx);
    EXPECT_EQ(at(x + 50, y), kBlackPx);
    EXPECT_EQ(at(x + w + 9, y - w), kBlackPx);
    EXPECT_EQ(at(x + 50, y - w), kWhite);
    // Balls n = 1..5 centred at (x + 17n - 6, y - 11), all in one row.
    const int expected[5] = {kRedPx, kBlackPx, kRedPx, kBlackPx, kRedPx};
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(at(x + 17 * n - 6, y - 11), expected[n - 1]) << n;
    EXPECT_EQ(at(x + 17 * 6 - 6, y - 11), kWhite);
    EXPECT_EQ(at(x + 11, y - 28), kWhite);
}

TEST_F(Charts, UrnGivesWayWhenOneColourRunsOut)
{
    const int x = 100, y = 600;
    drawUrn(x, y, 180, 1, 3);
    const int expected[4] = {kRedPx, kBlackPx, kBlackPx, kBlackPx};
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(at(x + 17 * n - 6, y - 11), expected[n - 1]) << n;

    open(1280, 720);
    drawUrn(x, y, 180, 3, 0);
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(at(x + 17 * n - 6, y - 11), kRedPx) << n;
}

TEST_F(Charts, UrnStartsANewRowAboveTheFirstBall)
{
    const int x = 100, y = 600, w = 100; // 18 * 6 >= 100: six balls a row
    drawUrn(x, y, w, 4, 4);
    for (int n = 1; n <= 6; ++n) EXPECT_NE(at(x + 17 * n - 6, y - 11), kWhite) << n;
    EXPECT_EQ(at(x + 17 * 7 - 6, y - 11), kWhite);
    // Balls 7 and 8 one row up, starting at the left again inside the wall.
    EXPECT_EQ(at(x + 11, y - 28), kRedPx);
    EXPECT_EQ(at(x + 28, y - 28), kBlackPx);
    EXPECT_EQ(at(x + 45, y - 28), kWhite);
    EXPECT_EQ(at(x - 3, y - 28), kWhite);
}

TEST_F(Charts, VoteChartBarsReachTheirCounts)
{
    voteCounts[0] = 7;
    voteCounts[1] = 11;
    voteCounts[2] = 3;
    voteCounts[3] = 5;
    aographic_setfont("9x15");
    drawVoteChart(4);
    const int colours[4] = {0x0000FF, 0xFF0000, 0xFF00FF, 0x00FF00};
    const char* names[4] = {"Thomas", "Melanie", "Jenni", "Martin"};
    const int foot = 360 + 100; // world y = -5
    for (int i = 0; i < 4; ++i) {
        const int px = 640 + 20 * (2 * i - 10);
        const int top = foot - 20 * static_cast<int>(voteCounts[i]);
        SCOPED_TRACE(names[i]);
        // Twenty pixels wide, from the foot to the count (between count lines).
        EXPECT_EQ(at(px, foot - 10), colours[i]);
        EXPECT_EQ(at(px + 19, top + 10), colours[i]);
        EXPECT_EQ(at(px + 20, top + 10), kWhite);
        EXPECT_EQ(at(px + 10, top - 10), kWhite);
        EXPECT_TRUE(hasText(px, foot + (i % 2 == 0 ? 10 : 25), "9x15", names[i], colours[i]));
    }
    // Axes and count lines.
    EXPECT_EQ(at(640 - 300, foot), kBlackPx);
    EXPECT_EQ(at(640 + 300, foot), kBlackPx);
    EXPECT_EQ(at(640 - 240, foot - 230), kBlackPx);
    for (int k = 1; k <= 11; ++k) {
        EXPECT_EQ(at(640 - 240 - 5, foot - 20 * k), kBlackPx) << k;
        EXPECT_EQ(at(640 + 300 + 5, foot - 20 * k), kBlackPx) << k;
    }
    EXPECT_EQ(at(640 + 300 + 5, foot - 20 * 12), kWhite);
    EXPECT_TRUE(hasText(640 - 260, foot - 100 - 6, "9x15", "5"));
    EXPECT_TRUE(hasText(640 - 260, foot - 200 - 6, "9x15", "10"));
}

TEST_F(Charts, VoteChartDrawsOnlyTheCandidatesAsked)
{
    voteCounts[0] = voteCounts[1] = voteCounts[2] = voteCounts[3] = 4;
    drawVoteChart(2);
    EXPECT_EQ(at(640 - 160 + 5, 430), kRedPx); // between count lines 1 and 2
    EXPECT_EQ(at(640 - 120 + 5, 430), kWhite);
    open(1280, 720);
    drawVoteChart(9); // more than four names: the four there are
    EXPECT_EQ(at(640 - 80 + 5, 430), 0x00FF00);
    open(1280, 720);
    drawVoteChart(0);
    EXPECT_EQ(count(0x0000FF), 0);
    EXPECT_EQ(at(640 - 300, 460), kBlackPx);
}

TEST_F(Charts, CircleEstimateCountsInsideAndOnTheCircleBlue)
{
    scaleX = scaleY = 30;
    aographic_setfont("9x15");
    drawCircleEstimate(0, 0, 5);
    EXPECT_EQ(estimateRed + estimateBlue, 100);
    auto dot = [](double wx, double wy) {
        return std::pair<int, int>{static_cast<int>(640 + 30 * wx), static_cast<int>(360 - 30 * wy)};
    };
    struct Case { double x, y; int colour; };
    // 3.5^2 + 3.5^2 = 24.5 lies inside; 4.5^2 + 2.5^2 = 26.5 outside.
    for (const Case c : {Case{0.5, 0.5, kBluePx}, Case{-4.5, -0.5, kBluePx}, Case{3.5, 3.5, kBluePx},
                         Case{4.5, 2.5, kRedPx}, Case{-4.5, 4.5, kRedPx}}) {
        const auto [px, py] = dot(c.x, c.y);
        EXPECT_EQ(at(px, py), c.colour) << c.x << "," << c.y;
        EXPECT_EQ(at(px + 3, py + 1), c.colour);
    }
    // Red circle and black square around it.
    EXPECT_TRUE(near(640 + 150, 360, kRedPx));
    EXPECT_TRUE(near(640 + 129, 360 - 75, kRedPx)); // 30 degrees, between the dots
    EXPECT_TRUE(near(640 - 150 + 1, 360 - 100, kBlackPx));
    EXPECT_TRUE(near(640 + 100, 360 + 150, kBlackPx));

    EXPECT_TRUE(hasText(640 - 600, 360 - 300, "9x15", "Anzahl der Punkte:"));
    char line[64];
    std::snprintf(line, sizeof line, "rot:      %d", estimateRed);
    EXPECT_TRUE(hasText(40, 360 - 270, "9x15", line));
    std::snprintf(line, sizeof line, "blau:     %d", estimateBlue);
    EXPECT_TRUE(hasText(40, 360 - 240, "9x15", line));
    EXPECT_TRUE(hasText(40, 360 - 210, "9x15", "blau+rot: 100"));
    EXPECT_TRUE(hasText(40, 360 + 240, "9x15", "eine Näherung"));
    EXPECT_TRUE(hasText(40, 360 + 270, "9x15", "der Kreiszahl Pi."));
}

TEST_F(Charts, CircleEstimateOfNothingCountsNothing)
{
    estimateRed = estimateBlue = 7;
    drawCircleEstimate(0, 0, 0);
    EXPECT_EQ(estimateRed, 0);
    EXPECT_EQ(estimateBlue, 0);
    drawCircleEstimate(0, 0, -3);
    EXPECT_EQ(estimateRed + estimateBlue, 0);
}

TEST_F(Charts, FractionTextBarsFollowTheDigits)
{
    aographic_setfont("arial28");
    drawFractionText(100, 100, 3, 4);
    EXPECT_TRUE(hasText(100, 100, "arial28", "   3"));
    EXPECT_TRUE(hasText(100, 130, "arial28", "   4"));
    EXPECT_TRUE(hasText(122, 101, "arial28", "_"));
    EXPECT_FALSE(hasText(112, 101, "arial28", "__"));

    open(1280, 720);
    aographic_setfont("arial28");
    drawFractionText(100, 100, 12, 35);
    EXPECT_TRUE(hasText(112, 101, "arial28", "__"));
    EXPECT_FALSE(hasText(102, 101, "arial28", "___"));

    open(1280, 720);
    aographic_setfont("arial28");
    drawFractionText(100, 100, 125, 250);
    EXPECT_TRUE(hasText(102, 101, "arial28", "___"));
    EXPECT_FALSE(hasText(112, 101, "arial28", "__") && hasText(102, 101, "arial28", "_____"));

    open(1280, 720);
    aographic_setfont("arial28");
    drawFractionXOver(100, 100, 15);
    EXPECT_TRUE(hasText(100, 100, "arial28", "   x"));
    EXPECT_TRUE(hasText(100, 130, "arial28", "  15"));
    EXPECT_TRUE(hasText(122, 101, "arial28", "__"));

    open(1280, 720);
    aographic_setfont("arial28");
    drawFractionOverX(100, 100, 7);
    EXPECT_TRUE(hasText(100, 130, "arial28", "   x"));
    EXPECT_FALSE(hasText(122, 101, "arial28", "__"));

    open(1280, 720);
    aographic_setfont("arial28");
    drawFractionXOverY(100, 100);
    EXPECT_TRUE(hasText(100, 130, "arial28", "   y"));

    open(1280, 720);
    aographic_setfont("arial28");
    drawPowerOfX(100, 300, -2);
    EXPECT_TRUE(hasText(100, 300, "arial28", "x"));
    EXPECT_TRUE(hasText(114, 290, "arial28", "-2"));
}

TEST_F(Charts, FormulasSelectTheirFonts)
{
    drawProbabilityFormula(100, 450);
    EXPECT_TRUE(hasText(100, 450, "New Roman,points=12", "Wahrscheinlichkeit = "));
    EXPECT_TRUE(hasText(260, 440, "New Roman,points=12", "Anzahl der günstigen Ereignisse "));
    EXPECT_EQ(at(260, 460), kBlackPx);
    EXPECT_EQ(at(490, 460), kBlackPx);
    EXPECT_EQ(at(491, 460), kWhite);
    EXPECT_EQ(pix.font, aofont_find("New Roman,points=12"));

    open(1280, 720);
    drawProductFormula(100, 450);
    EXPECT_TRUE(hasText(260, 460, "New Roman,points=12", "Produkt der möglichen Ereignisse ", kBlackPx));
    EXPECT_EQ(at(500, 460), kBlackPx);

    open(1280, 720);
    drawBigNumber(300, 300, -12345);
    EXPECT_TRUE(hasText(300, 300, "New Roman,points=20,bold", "-12345"));
}

TEST_F(Charts, SquareAndCubeNet)
{
    drawSquareOutline(100, 100, 80);
    EXPECT_EQ(at(140, 100), kBlackPx);
    EXPECT_EQ(at(180, 140), kBlackPx);
    EXPECT_EQ(at(140, 180), kBlackPx);
    EXPECT_EQ(at(100, 140), kBlackPx);
    EXPECT_EQ(at(140, 140), kWhite);

    open(1280, 720);
    const int x = 400, y = 200, s = 60;
    drawCubeNet(x, y, s);
    // Six cells of the cross have their borders; the corners beside it none.
    for (auto [cx, cy] : {std::pair{0, 0}, {1, 0}, {2, 0}, {3, 0}, {1, 1}, {1, -1}}) {
        EXPECT_EQ(at(x + cx * s + 30, y + cy * s), kBlackPx) << cx << "," << cy;
        EXPECT_EQ(at(x + cx * s + 30, y + cy * s + s), kBlackPx) << cx << "," << cy;
    }
    EXPECT_EQ(at(x + 30, y - s), kWhite);
    EXPECT_EQ(at(x + 2 * s + 30, y + 2 * s), kWhite);
}

TEST(Arithmetic, PowerMultipliesIntoOne)
{
    EXPECT_EQ(power(0, 7.5), 1.0);
    EXPECT_EQ(power(-3, 2.0), 1.0);
    EXPECT_EQ(power(3, 2.0), 8.0);
    EXPECT_DOUBLE_EQ(power(2, 0.5), 0.25);
    EXPECT_EQ(power(5, -1.0), -1.0);
}

namespace {
void clearSystem()
{
    for (auto& row : linearA)
        for (double& v : row) v = 0;
    for (double& v : linearB) v = 0;
    for (double& v : linearX) v = 0;
}
} // namespace

TEST(Arithmetic, SolvesSmallSystems)
{
    clearSystem();
    // 2x + y = 5, x - y = 1 -> x = 2, y = 1
    linearA[1][1] = 2; linearA[1][2] = 1; linearB[1] = 5;
    linearA[2][1] = 1; linearA[2][2] = -1; linearB[2] = 1;
    EXPECT_EQ(solveLinearSystem(2), 0.0);
    EXPECT_DOUBLE_EQ(linearX[1], 2.0);
    EXPECT_DOUBLE_EQ(linearX[2], 1.0);

    clearSystem();
    // x + y + z = 6, 2y + 5z = -4, 2x + 5y - z = 27 -> 5, 3, -2
    double a[3][3] = {{1, 1, 1}, {0, 2, 5}, {2, 5, -1}};
    double b[3] = {6, -4, 27};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) linearA[i + 1][j + 1] = a[i][j];
        linearB[i + 1] = b[i];
    }
    solveLinearSystem(3);
    EXPECT_NEAR(linearX[1], 5.0, 1e-12);
    EXPECT_NEAR(linearX[2], 3.0, 1e-12);
    EXPECT_NEAR(linearX[3], -2.0, 1e-12);
}

TEST(Arithmetic, ZeroPivotsAndOversizedSystemsStayDefined)
{
    clearSystem();
    // A zero first pivot: elimination skips the column, x stays as it was.
    linearA[1][1] = 0; linearA[1][2] = 1; linearB[1] = 1;
    linearA[2][1] = 1; linearA[2][2] = 0; linearB[2] = 2;
    linearX[1] = linearX[2] = 42;
    solveLinearSystem(2);
    EXPECT_EQ(linearX[1], 42);
    EXPECT_EQ(linearX[2], 42);

    clearSystem();
    for (int i = 1; i <= kLinearMax; ++i) {
        linearA[i][i] = 2;
        linearB[i] = i;
    }
    solveLinearSystem(100000); // more unknowns than the table holds
    EXPECT_DOUBLE_EQ(linearX[kLinearMax], kLinearMax / 2.0);
    EXPECT_DOUBLE_EQ(linearX[1], 0.5);
    solveLinearSystem(0);
    solveLinearSystem(-5);
}
