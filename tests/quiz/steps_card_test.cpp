// Where the Lösungsweg card goes, over every task type.
#include "catalog.h"
#include "catalog_tool.h"
#include "quiz.h"
#include "squares.h"

#include <gtest/gtest.h>

// Every task type at two draws: the card hides no pixel the task drew and
// none of the squares, and shows the whole task line and every step uncut.
TEST(StepsCard, HidesNothingTheTaskDrewAndCutsNoLine)
{
    catalog_filltables();
    const char ellipsis = '\x85';
    int cases = 0, beside = 0;
    std::string faults;
    for (int number : allTaskNumbers())
        for (unsigned seed : {197u, 1097u}) {
            presetGameStart();
            aosrand(seed);
            ToolTask t;
            std::string err;
            ASSERT_TRUE(generateToolTask(number, 1, 12, t, err)) << err;
            if (t.steps.empty()) continue;
            ++cases;
            const PictureInk ink(t.area, {});
            const int squares = SquareLayout::current(t.rows).bottom();
            const StepsCard card = layoutStepsCard(t.steps, foldBlanks(t.text), ink, squares);
            beside += card.w < 1000;
            const std::string at = std::to_string(number) + " seed " + std::to_string(seed) + ": ";
            if (const int hidden = ink.count(card.x, card.y, card.w, card.h))
                faults += at + std::to_string(hidden) + " drawn pixels hidden\n";
            if (card.y <= squares || card.y + card.h > 720 || card.x < 0 || card.x + card.w > 1280)
                faults += at + "card at " + std::to_string(card.x) + "," + std::to_string(card.y) + "\n";
            if (card.taskLines.empty() || card.taskLines.back().back() == ellipsis) faults += at + "task line cut\n";
            for (const StepsCard::Line& l : card.stepLines)
                if (!l.text.empty() && l.text.back() == ellipsis) faults += at + "step cut: " + l.text + "\n";
        }
    EXPECT_EQ(faults, "");
    EXPECT_GT(cases, 800);
    EXPECT_GT(beside, 10) << "tall pictures get the card beside them";
}
