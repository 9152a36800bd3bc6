#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "catalog_test_util.h"

TEST(Numbering, ListHoldsAllGroupsInOrder)
{
    std::vector<int> numbers = allTaskNumbers();
    ASSERT_EQ(numbers.size(), 421u);
    EXPECT_EQ(numbers.front(), 1101);
    EXPECT_EQ(numbers.back(), 12311);
    EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()));
    EXPECT_EQ(std::set<int>(numbers.begin(), numbers.end()).size(), 421u);
    for (int n : numbers) {
        EXPECT_TRUE(isTaskNumber(n)) << n;
        EXPECT_GE(taskEntry(n), 1) << n;
        EXPECT_LE(taskEntry(n), 27) << n;
    }
}

TEST(Numbering, GroupSizesAsListed)
{
    // By level, each triple for difficulty 1, 2, 3.
    const int sizes[12][3] = {{5, 5, 17}, {5, 5, 9},   {7, 24, 14}, {15, 15, 7},
                              {22, 17, 13}, {7, 7, 12}, {18, 8, 27}, {13, 11, 16},
                              {6, 7, 10},  {7, 10, 10}, {12, 12, 13}, {14, 10, 11}};
    catalog_filltables();
    for (int l = 1; l <= 12; ++l)
        for (int d = 1; d <= 3; ++d) {
            EXPECT_EQ(entryCount[l][d], sizes[l - 1][d - 1]) << l << "/" << d;
            for (int e = 1; e <= 30; ++e)
                EXPECT_EQ(selection[l][d][e], e <= sizes[l - 1][d - 1] ? e : 0);
        }
    EXPECT_EQ(catalog_groupsize(0, 1), 0);
    EXPECT_EQ(catalog_groupsize(13, 1), 0);
    EXPECT_EQ(catalog_groupsize(1, 4), 0);
}

TEST(Numbering, NumbersOutsideTheCatalog)
{
    for (int n : {1106, 1100, 13101, 0, -1101, 1150, 2210, 7328, 12312, 99999, 100101})
        EXPECT_FALSE(isTaskNumber(n)) << n;
    EXPECT_TRUE(isTaskNumber(7327));
    EXPECT_TRUE(isTaskNumber(3224));
    EXPECT_EQ(taskFamily(1106), TaskFamily::None);
}

TEST(Numbering, EveryNumberBelongsToOneFamily)
{
    std::map<TaskFamily, int> perFamily;
    for (int n : allTaskNumbers()) {
        TaskFamily f = taskFamily(n);
        EXPECT_NE(f, TaskFamily::None) << n;
        ++perFamily[f];
    }
    EXPECT_EQ(perFamily[TaskFamily::Arithmetic], 82);
    EXPECT_EQ(perFamily[TaskFamily::Fraction], 66);
    EXPECT_EQ(perFamily[TaskFamily::Units], 59);
    EXPECT_EQ(perFamily[TaskFamily::Word], 65);
    EXPECT_EQ(perFamily[TaskFamily::Terms], 90);
    EXPECT_EQ(perFamily[TaskFamily::Picture], 59);
}

TEST(Numbering, FamilyBoundaries)
{
    EXPECT_EQ(taskFamily(3102), TaskFamily::Arithmetic);
    EXPECT_EQ(taskFamily(3103), TaskFamily::Picture);
    EXPECT_EQ(taskFamily(3104), TaskFamily::Word);
    EXPECT_EQ(taskFamily(3107), TaskFamily::Picture);
    EXPECT_EQ(taskFamily(3222), TaskFamily::Units);
    EXPECT_EQ(taskFamily(3223), TaskFamily::Arithmetic);
    EXPECT_EQ(taskFamily(4102), TaskFamily::Fraction);
    EXPECT_EQ(taskFamily(4104), TaskFamily::Arithmetic);
    EXPECT_EQ(taskFamily(6306), TaskFamily::Fraction);
    EXPECT_EQ(taskFamily(6307), TaskFamily::Word);
    EXPECT_EQ(taskFamily(7312), TaskFamily::Arithmetic);
    EXPECT_EQ(taskFamily(7313), TaskFamily::Word);
    EXPECT_EQ(taskFamily(7315), TaskFamily::Arithmetic);
    EXPECT_EQ(taskFamily(9301), TaskFamily::Picture);
    EXPECT_EQ(taskFamily(10201), TaskFamily::Terms);
    EXPECT_EQ(taskFamily(12311), TaskFamily::Word);
    EXPECT_TRUE(familyBuilt(TaskFamily::Arithmetic));
}
