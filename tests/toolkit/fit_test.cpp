// The window picture fitted into windows and screens of every shape.
#include "platform/fit.h"

#include <gtest/gtest.h>

#include <cstdlib>

using platform::Fit;
using platform::fitPicture;

TEST(FitPicture, CommonScreensAndATallWindow)
{
    struct Case {
        int outW, outH, x, y, w, h;
        bool smooth;
    };
    const Case cases[] = {
        {1366, 768, 132, 0, 1102, 768, true},    // school laptop: shrunk to 0.835
        {1920, 1080, 185, 0, 1550, 1080, true},  // enlarged by a fraction
        {2560, 1440, 247, 0, 2066, 1440, true},
        {3840, 2160, 370, 0, 3099, 2160, true},
        {800, 1600, 0, 521, 800, 558, true},     // tall: bars above and below
        {1320, 920, 0, 0, 1320, 920, false},     // as drawn
        {2640, 1840, 0, 0, 2640, 1840, false},   // whole-number factor: crisp pixels
        {2700, 1840, 30, 0, 2640, 1840, false},  // factor 2 with side bars
    };
    for (const Case& c : cases) {
        Fit f = fitPicture(1320, 920, c.outW, c.outH);
        SCOPED_TRACE(std::to_string(c.outW) + " x " + std::to_string(c.outH));
        EXPECT_EQ(f.x, c.x);
        EXPECT_EQ(f.y, c.y);
        EXPECT_EQ(f.w, c.w);
        EXPECT_EQ(f.h, c.h);
        EXPECT_EQ(f.smooth, c.smooth);
    }
}

TEST(FitPicture, AlwaysInsideCentredWithTheAspectKept)
{
    for (int w = 1; w < 4000; w += 97)
        for (int h = 1; h < 3000; h += 89) {
            Fit f = fitPicture(1320, 920, w, h);
            ASSERT_TRUE(f.x >= 0 && f.y >= 0 && f.x + f.w <= w && f.y + f.h <= h) << w << "x" << h;
            ASSERT_TRUE(f.w == w || f.h == h) << "touches two sides: " << w << "x" << h;
            ASSERT_LE(std::abs(2 * f.x + f.w - w), 1);
            ASSERT_LE(std::abs(2 * f.y + f.h - h), 1);
            // Aspect within the rounding of one pixel.
            ASSERT_LE(std::abs(f.w * 920.0 - f.h * 1320.0), 1320.0) << w << "x" << h;
        }
    Fit none = fitPicture(1320, 920, 0, 768);
    EXPECT_EQ(none.w, 0);
}

TEST(FitPicture, WindowPointsMapBackToPicturePixels)
{
    int px = 0, py = 0;
    // 1366 x 768 fullscreen: the picture's corners and a point on the bar.
    Fit f = fitPicture(1320, 920, 1366, 768);
    platform::windowToPicture(f, 1320, 920, 1366, 768, 1366, 768, 132, 0, px, py);
    EXPECT_EQ(px, 0);
    EXPECT_EQ(py, 0);
    platform::windowToPicture(f, 1320, 920, 1366, 768, 1366, 768, 132 + 1101, 767, px, py);
    EXPECT_EQ(px, 1319);
    EXPECT_EQ(py, 919);
    platform::windowToPicture(f, 1320, 920, 1366, 768, 1366, 768, 100, 400, px, py);
    EXPECT_LT(px, 0);
    // The bottom row of the task area (y 899) is reachable.
    platform::windowToPicture(f, 1320, 920, 1366, 768, 1366, 768, 683, 750, px, py);
    EXPECT_EQ(py, 899);
    // High DPI: window units are half the output pixels at factor 2.
    Fit hi = fitPicture(1320, 920, 2640, 1840);
    platform::windowToPicture(hi, 1320, 920, 1320, 920, 2640, 1840, 10, 20, px, py);
    EXPECT_EQ(px, 10);
    EXPECT_EQ(py, 20);
}
