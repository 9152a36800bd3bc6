// Pictures a pupil must read the answer from: the point asked for is on the
// chart, and each angle's name stands by its own arc.
#include <gtest/gtest.h>

#include "catalog_test_util.h"
#include "families.h"

TEST(ReadablePictures, TheEuroChartReachesTheAmountAsked)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        const GeneratedTask g = runTask(11204, seed);
        const std::vector<double> n = catalogtest::numbersIn(g.text);
        ASSERT_EQ(n.size(), 1u) << g.text;
        // The red line runs from 0 to 200 dollars, the euro axis to 200.
        EXPECT_LE(n[0], 200) << "seed " << seed;
        EXPECT_LE(g.solution, 200) << "seed " << seed;
    }
}

TEST(ReadablePictures, AlternateAnglesAreNamedByTheirOwnParallel)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        runTask(8315, seed);
        // g, h and "g || h" first, then Alpha at g, Beta and Gamma at h.
        ASSERT_EQ(figureInk.labels.size(), 6u);
        const FigureInk::Box alpha = figureInk.labels[3], gamma = figureInk.labels[5];
        EXPECT_GE((gamma.y + gamma.h / 2) - (alpha.y + alpha.h / 2), 50) << "seed " << seed;
    }
}
