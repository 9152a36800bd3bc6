#include <string>
#include <tuple>
#include <vector>

#include "illu_test_util.h"

namespace {
const int kGrid = 0x636378;       // (99, 99, 120)
const int kAxisShadow = 0x000064; // (0, 0, 100)
} // namespace

using Axes = Canvas;

TEST_F(Axes, PlainAxesLinesTicksAndLabels)
{
    const int ux = 20, uy = 20, ox = 640, oy = 360;
    drawAxesPlain(ux, uy, ox, oy);

    // Axes: black with a dark blue second line, from 100 to 2*ox-100 and
    // from 160 to 2*oy-160.
    EXPECT_EQ(at(100, oy), kBlackPx);
    EXPECT_EQ(at(100, oy - 1), kAxisShadow);
    EXPECT_EQ(at(2 * ox - 100, oy), kBlackPx);
    EXPECT_EQ(at(2 * ox - 99, oy), kWhite);
    EXPECT_EQ(at(ox, 160), kBlackPx);
    EXPECT_EQ(at(ox - 1, 160), kAxisShadow);
    EXPECT_EQ(at(ox, 2 * oy - 160), kBlackPx);
    EXPECT_EQ(at(ox, 150), kWhite);

    // Vertical grid lines ten units up and down, with ticks on the axis.
    EXPECT_EQ(at(ox + 3 * ux, oy - 10 * uy), kGrid);
    EXPECT_EQ(at(ox - 3 * ux, oy + 10 * uy), kGrid);
    EXPECT_EQ(at(ox + 3 * ux, oy + 10 * uy + 1), kWhite);
    EXPECT_EQ(at(ox + 3 * ux, oy - 5), kBlackPx);
    // ox/ux - 5 = 27 steps each side.
    EXPECT_EQ(at(ox + 27 * ux, oy - 50 + 7), kGrid);
    EXPECT_EQ(at(ox - 27 * ux, oy - 50 + 7), kGrid);
    // Horizontal grid lines up to oy/uy - 8 = 10 steps, twenty units wide.
    EXPECT_EQ(at(ox - 20 * ux, oy - 10 * uy), kGrid);
    EXPECT_EQ(at(ox + 20 * ux, oy + 10 * uy), kGrid);
    EXPECT_EQ(at(ox + 20 * ux + 1, oy + 3 * uy), kWhite);
    EXPECT_EQ(at(ox + 7, oy - 11 * uy), kWhite);

    // Numbers every five units: 5 at the right, -5 at the left, ticks one
    // pixel outward.
    EXPECT_TRUE(hasText(ox + 5 * ux - 3, oy + 20, "9x15", " 5", kBlackPx, kGrid));
    EXPECT_TRUE(hasText(ox - 5 * ux - 12, oy + 10, "9x15", "-5", kBlackPx, kGrid));
    EXPECT_TRUE(hasText(ox + 20 * ux - 3, oy + 20, "9x15", "20", kBlackPx, kGrid));
    EXPECT_TRUE(hasText(ox - 25, oy - 5 - 5 * uy, "9x15", " 5"));
    EXPECT_TRUE(hasText(ox - 35, oy + 5 * uy - 4, "9x15", "-5"));
    EXPECT_EQ(at(ox + 5 * ux + 1, oy + 5), kBlackPx);
    EXPECT_EQ(at(ox - 5 * ux - 1, oy + 5), kBlackPx);
    EXPECT_EQ(at(ox + 5, oy - 5 * uy - 1), kBlackPx);

    EXPECT_TRUE(hasText(ox - 40, 140, "9x15", "y"));
    EXPECT_TRUE(hasText(2 * ox - 140, oy + 40, "9x15", "x", kBlackPx, kGrid));
}

TEST_F(Axes, NarrowUnitsDrawNoGridAndUseTheSmallFont)
{
    drawAxesPlain(5, 5, 640, 360);
    EXPECT_EQ(count(kGrid), 0);
    EXPECT_EQ(pix.font, aofont_find("6x13"));
    EXPECT_TRUE(hasText(640 + 25 - 3, 380, "6x13", " 5"));
    EXPECT_EQ(at(100, 360), kBlackPx);
}

TEST_F(Axes, TenPixelUnitsGiveSixtyGridStepsEachSide)
{
    const int ux = 10, ox = 640, oy = 360, y = oy - 35; // clear of ticks and numbers
    drawAxesPlain(ux, 10, ox, oy);
    // The y axis covers step 0.
    for (int i = 1; i <= 59; ++i) {
        ASSERT_EQ(at(ox + i * ux, y), kGrid) << i;
        ASSERT_EQ(at(ox - i * ux, y), kGrid) << i;
    }
    EXPECT_EQ(at(ox + 60 * ux, y), kWhite);
    EXPECT_EQ(at(ox - 60 * ux, y), kWhite);
    EXPECT_EQ(pix.font, aofont_find("9x15"));
}

TEST_F(Axes, ZeroAndNegativeUnitsAreSafe)
{
    drawAxesPlain(0, 0, 640, 360);
    drawAxesEuroYears(-3, 0, 640, 360);
    drawGridOnly(0, -1, 640, 360);
    EXPECT_EQ(count(kGrid), 0);
    EXPECT_EQ(at(640, 360), kBlackPx);
}

TEST_F(Axes, MembersLabelAndNumberTheirOwnQuantities)
{
    struct Case {
        void (*draw)(int, int, int, int);
        std::vector<std::tuple<int, int, std::string>> texts; // x, y, text (ox 640, oy 360, units 20)
    };
    const Case cases[] = {
        // Labels and x numbers come before the grid, which may cross them.
        {drawAxesDistanceTime, {{575, 140, "s (km)"}, {1140, 400, "h (Stunden)"}, {640 + 100 - 12, 380, " 1"},
                                {640 - 25, 355 - 100, "50"}, {640 - 35, 360 + 100 - 4, "-50"}}},
        {drawAxesEuroDollar, {{575, 140, "EURO"}, {1100, 400, "$ Dollar"}, {640 + 100 - 15, 380, "100"},
                              {640 - 35, 255, "100"}, {640 - 45, 456, "-100"}}},
        {drawAxesEuroGold, {{575, 140, "EURO"}, {1100, 400, "oz Gold"}, {640 + 200 - 15, 380, "10"},
                            {640 - 65, 255, "5000"}, {640 - 65, 456, "-5000"}}},
        {drawAxesPopulation, {{540, 120, "Milliarden"}, {540, 140, "Menschen"}, {1100, 400, "Jahr"},
                              {640 + 100 - 3, 380, "1900"}, {640 - 100 - 12, 370, "1700"}, {640 - 65, 255, " 5"}}},
        {drawAxesPercentWeeks, {{575, 140, "Prozent"}, {1100, 400, "Wochen"}, {640 + 100 - 15, 380, " 5"},
                                {640 - 65, 255, "50%"}, {640 - 65, 456, "-50%"}}},
        {drawAxesEuroYears, {{575, 140, "EUR"}, {1100, 400, "Jahre"}, {640 + 100 - 15, 380, "10"},
                             {640 - 35, 360 - 5 - 20, "10"}, {640 - 35, 360 - 5 - 60, "30"},
                             {640 - 45, 360 + 20 - 4, "-10"}}},
    };
    for (const Case& c : cases) {
        open(1280, 720);
        c.draw(20, 20, 640, 360);
        for (const auto& [x, y, text] : c.texts) EXPECT_TRUE(hasText(x, y, "9x15", text, kBlackPx, kGrid)) << text << " at " << x << "," << y;
        EXPECT_EQ(at(100, 360), kBlackPx);
        EXPECT_EQ(at(640, 160), kBlackPx);
    }
}

// Titles end above the highest y number, and numbers end with the axis.
TEST_F(Axes, TitlesAndNumbersKeepApart)
{
    auto blackIn = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += at(x, y) == kBlackPx;
        return n;
    };
    drawAxesEuroYears(20, 20, 640, 360); // the axis reaches 10 units up, to y 160
    EXPECT_TRUE(hasText(640 - 35, 360 - 5 - 200, "9x15", "100", kBlackPx, kGrid));
    EXPECT_EQ(blackIn(640 - 35, 100, 640 - 6, 150), 0); // no 110, 120, 130
    open(1280, 720);
    drawAxesPopulation(20, 20, 510, 370); // as the population task draws it: "10" starts at y 165
    EXPECT_TRUE(hasText(410, 140, "9x15", "Menschen", kBlackPx, kGrid));
    EXPECT_EQ(blackIn(410, 157, 504, 164), 0); // between "Menschen" and "10"
}

TEST_F(Axes, MembersExtendTheHorizontalGridFurther)
{
    // oy/uy - 5 = 13 steps instead of oy/uy - 8 = 10.
    drawAxesEuroDollar(20, 20, 640, 360);
    EXPECT_EQ(at(640 + 7, 360 - 13 * 20), kGrid);
    EXPECT_EQ(at(640 + 7, 360 - 14 * 20), kWhite);
    open(1280, 720);
    drawAxesPlain(20, 20, 640, 360);
    EXPECT_EQ(at(640 + 7, 360 - 13 * 20), kWhite);
}

TEST_F(Axes, GridOnlyHasNothingBlack)
{
    drawGridOnly(20, 20, 640, 360);
    EXPECT_EQ(count(kBlackPx), 0);
    EXPECT_EQ(at(640 + 60, 360 - 200), kGrid);
    EXPECT_EQ(at(640 - 400, 360 + 200), kGrid);
    EXPECT_EQ(at(640 + 7, 360 - 11 * 20), kWhite);
}
