// Expected rows were worked out by hand; the generator's sequence after
// seeding with 1 is 346, 130, 10982, 1090, 11656, 7117, 17595, 6415, 22948,
// 31126, 9004, 14558, 3571, ...; after seeding with 3 it is 1038, 32467, ...
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "catalog_test_util.h"

namespace {

IntRow rowWith(int first)
{
    IntRow row{};
    row[1] = first;
    return row;
}

std::vector<int> slots(const IntRow& row) { return {row.begin() + 1, row.end()}; }
std::vector<double> slots(const DecimalRow& row) { return {row.begin() + 1, row.end()}; }

template <typename T> std::vector<T> sorted(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

template <typename Row> bool distinct(const Row& row)
{
    auto v = slots(row);
    return std::set(v.begin(), v.end()).size() == v.size();
}

// The record of the first task, with a solution set by hand.
void recordWith(int kind, int value, int value2 = -1000000, double decimal = 0)
{
    resetRecord();
    answerKind = kind;
    solution[1] = value;
    solution2[1] = value2;
    decimalSolution[1] = decimal;
}

} // namespace

TEST(Builders, NearAlternatesAroundTheSolution)
{
    IntRow row = rowWith(3);
    buildNear(row, 3, 0, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{3, 4, 1, 6, 1, 8})); // slot 5 was -1
    row = rowWith(2);
    buildNear(row, 2, -6, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{2, 3, 6, 1, 8, 1})); // all made positive
}

TEST(Builders, NearStepsPastTheSolution)
{
    // o = -1 puts slot 2 on the solution; it moves one step further.
    IntRow row = rowWith(10);
    buildNear(row, 10, -1, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{10, 11, 7, 12, 5, 14}));
}

TEST(Builders, NearForLargeSolutionsStepsByTen)
{
    // rand mod 4 per slot: 2, 2, 2, 2, 0; slot 3 lands on 100 and becomes 100 + 20 - 30.
    aosrand(1);
    IntRow row = rowWith(100);
    buildNear(row, 100, 2, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{100, 130, 90, 150, 80, 168}));
}

TEST(Builders, NearSmallDependsOnTheLevel)
{
    IntRow row = rowWith(1);
    buildNearSmall(row, 1, -3, 6, 2);
    EXPECT_EQ(slots(row), (std::vector<int>{1, 1, 4, 2, 6, 3}));
    row = rowWith(1);
    buildNearSmall(row, 1, -3, 6, 7);
    EXPECT_EQ(slots(row), (std::vector<int>{1, -1, 4, 1, 6, 3}));
}

TEST(Builders, ConsecutiveRunHoldsTheSolutionWhereTheOffsetSays)
{
    IntRow row = rowWith(7);
    buildConsecutive(row, 7, 2, 6); // third of the run
    EXPECT_EQ(slots(row), (std::vector<int>{7, 5, 6, 8, 9, 10}));
    row = rowWith(35);
    buildConsecutive(row, 35, 1, 6); // a multiple of 5 among multiples of 5
    EXPECT_EQ(slots(row), (std::vector<int>{35, 30, 40, 45, 50, 55}));
    row = rowWith(60);
    buildConsecutive(row, 60, -5, 6); // -5 is place 1; from 51 up the step is 10
    EXPECT_EQ(slots(row), (std::vector<int>{60, 50, 70, 80, 90, 100}));
    row = rowWith(-180);
    buildConsecutive(row, -180, 1, 6); // and from -51 down
    EXPECT_EQ(slots(row), (std::vector<int>{-180, -190, -170, -160, -150, -140}));
    row = rowWith(2);
    buildConsecutive(row, 2, 5, 6); // nothing below 0: the run starts at 0
    EXPECT_EQ(slots(row), (std::vector<int>{2, 0, 1, 3, 4, 5}));
    row = rowWith(-3);
    buildConsecutive(row, -3, 4, 6); // a negative solution has room below
    EXPECT_EQ(slots(row), (std::vector<int>{-3, -7, -6, -5, -4, -2}));
}

TEST(Builders, ConsecutiveZeroSolutionStartsTheRun)
{
    IntRow row = rowWith(0);
    buildConsecutive(row, 0, -6, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(Builders, ScaledBySize)
{
    IntRow row = rowWith(5);
    buildScaled(row, 5, 1, 2, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{5, 7, 4, 9, 2, 11}));
    row = rowWith(150);
    buildScaled(row, 150, -2, 2, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{150, 150, 90, 190, 50, 230}));
    row = rowWith(-50);
    buildScaled(row, -50, 1, 2, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{-50, -54, -48, -58, -44, -62}));
    row = rowWith(5);
    row[2] = 77;
    row[3] = 78;
    buildScaled(row, 5, 1, 4, 6); // starts at the first distractor slot
    EXPECT_EQ(slots(row), (std::vector<int>{5, 77, 78, 9, 2, 11}));
}

TEST(Builders, PrimesAroundTheSolution)
{
    aosrand(1); // place 346 mod 6 = 4: four primes below 42, one above
    IntRow row = rowWith(42);
    buildPrimes(row, 42, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{42, 29, 31, 37, 41, 43}));
    aosrand(1);
    row = rowWith(4); // only 2 and 3 below 4
    buildPrimes(row, 4, 6);
    EXPECT_EQ(slots(row), (std::vector<int>{4, 2, 3, 5, 7, 11}));
}

TEST(Builders, NumberingAndDice)
{
    IntRow row = rowWith(9);
    buildNumbering(row);
    EXPECT_EQ(slots(row), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    buildDice(row, 4);
    EXPECT_EQ(slots(row), (std::vector<int>{4, 1, 2, 3, 5, 6}));
}

TEST(Builders, DecimalA)
{
    DecimalRow row{};
    row[1] = 2.5;
    buildDecimalA(row, 2.5, 6);
    EXPECT_EQ(slots(row), (std::vector<double>{2.5, 4.5, -0.5, 6.5, -2.5, 8.5}));
    row[1] = 20;
    buildDecimalA(row, 20, 6);
    EXPECT_EQ(slots(row), (std::vector<double>{20, 30, 5, 40, -5, 50}));
    row[1] = 600;
    buildDecimalA(row, 600, 6);
    EXPECT_EQ(slots(row), (std::vector<double>{600, 620, 570, 640, 550, 660}));
}

TEST(Builders, DecimalBRunsAroundTheSolutionAndStaysPositive)
{
    DecimalRow row{};
    row[1] = 2.5;
    buildDecimalB(row, 2.5, 4, 6); // room for two steps below
    EXPECT_EQ(slots(row), (std::vector<double>{2.5, 0.5, 1.5, 3.5, 4.5, 5.5}));
    row[1] = 100;
    buildDecimalB(row, 100, -3, 6);
    EXPECT_EQ(slots(row), (std::vector<double>{100, 85, 90, 95, 105, 110}));
    row[1] = 1000;
    buildDecimalB(row, 1000, 0, 6);
    EXPECT_EQ(slots(row), (std::vector<double>{1000, 1010, 1020, 1030, 1040, 1050}));
    row[1] = 0.2; // below 1 by tenths, nothing below zero
    buildDecimalB(row, 0.2, 5, 6);
    EXPECT_NEAR(row[2], 0.0, 1e-12);
    EXPECT_NEAR(row[6], 0.5, 1e-12);
}

TEST(Builders, FewerSquares)
{
    IntRow row{};
    row[1] = 6;
    buildConsecutive(row, 6, 0, 3);
    EXPECT_EQ(slots(row), (std::vector<int>{6, 7, 8, 0, 0, 0}));
}

TEST(RowOrder, DedupKeepsSlotOneAndSeparates)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        aosrand(seed);
        IntRow row = {0, 4, 4, 4, 4, 4, 4};
        dedupRow(row, 12);
        EXPECT_EQ(row[1], 4);
        EXPECT_TRUE(distinct(row)) << seed;
        IntRow second = {0, 4, 4, 4, 4, 4, 4};
        dedupRow(second, 24);
        EXPECT_EQ(second[1], 4);
        EXPECT_TRUE(distinct(second)) << seed;
        DecimalRow dec = {0, 1.5, 1.5, 1.5, 1.5, 1.5, 1.5};
        dedupRow(dec, 12);
        EXPECT_EQ(dec[1], 1.5);
        EXPECT_TRUE(distinct(dec)) << seed;
    }
}

TEST(RowOrder, DedupRaisesByTheDrawnAmount)
{
    aosrand(1); // 1 + 346 mod 12 = 11
    IntRow row = {0, 3, 4, 1, 6, 1, 8};
    dedupRow(row, 12);
    EXPECT_EQ(slots(row), (std::vector<int>{3, 4, 1, 6, 12, 8}));
    aosrand(1); // 1 + 346 mod 24 = 11
    row = {0, 3, 3, 5, 6, 7, 8};
    dedupRow(row, 24);
    EXPECT_EQ(slots(row), (std::vector<int>{3, 14, 5, 6, 7, 8}));
}

TEST(RowOrder, ShuffleSwapsDrawnSlots)
{
    aosrand(1);
    IntRow row = {0, 10, 20, 30, 40, 50, 60};
    shuffleRow(row); // the swaps leave 10 in slot 1, and it moves on
    EXPECT_EQ(slots(row), (std::vector<int>{20, 40, 10, 30, 50, 60}));
}

// The square of slot 1 (the solution's) ends in every column about as often.
TEST(RowOrder, ShuffleLeavesSlotOneNoMoreOftenThanChance)
{
    for (int count : {3, 6}) {
        std::vector<int> landed(count + 1, 0);
        for (unsigned seed = 1; seed <= 12000; ++seed) {
            aosrand(seed);
            IntRow row = {0, 1, 2, 3, 4, 5, 6};
            shuffleRow(row, count);
            for (int k = 1; k <= count; ++k)
                landed[k] += row[k] == 1;
        }
        for (int k = 1; k <= count; ++k)
            EXPECT_NEAR(landed[k] / 12000.0, 1.0 / count, 0.02) << count << " squares, slot " << k;
    }
}

TEST(RowOrder, SortAscending)
{
    IntRow row = {0, 9, -3, 7, 7, 0, 2};
    sortRow(row);
    EXPECT_EQ(slots(row), (std::vector<int>{-3, 0, 2, 7, 7, 9}));
    DecimalRow dec = {0, 2.5, 0.25, 10, -1, 3, 2.4};
    sortRow(dec);
    EXPECT_EQ(slots(dec), (std::vector<double>{-1, 0.25, 2.4, 2.5, 3, 10}));
}

TEST(RowOrder, OffsetSeedRange)
{
    aosrand(5);
    for (int i = 0; i < 500; ++i) {
        int o = drawOffsetSeed(6);
        EXPECT_GE(o, -6);
        EXPECT_LE(o, 5);
    }
    aosrand(1);
    EXPECT_EQ(drawOffsetSeed(3), 346 % 6 - 3);
}

// ------------------------------------------------------------------ dispatch

TEST(Dispatch, KindsPerLevel)
{
    EXPECT_EQ(answerRowsFor(1, 1, 0), AnswerRows::Integer);
    EXPECT_EQ(answerRowsFor(1, 1, 1), AnswerRows::None);
    EXPECT_EQ(answerRowsFor(2, 2, 1), AnswerRows::TwoRows);
    EXPECT_EQ(answerRowsFor(2, 3, 1), AnswerRows::None);
    EXPECT_EQ(answerRowsFor(3, 1, 4), AnswerRows::Decimal);
    EXPECT_EQ(answerRowsFor(3, 3, 3), AnswerRows::TwoRows);
    EXPECT_EQ(answerRowsFor(3, 3, 4), AnswerRows::None);
    EXPECT_EQ(answerRowsFor(4, 1, 4), AnswerRows::None);
    EXPECT_EQ(answerRowsFor(4, 2, 4), AnswerRows::Decimal);
    EXPECT_EQ(answerRowsFor(5, 1, 4), AnswerRows::Decimal);
    EXPECT_EQ(answerRowsFor(6, 1, 2), AnswerRows::TwoRows);
    EXPECT_EQ(answerRowsFor(6, 2, 2), AnswerRows::None);
    EXPECT_EQ(answerRowsFor(7, 3, 4), AnswerRows::Decimal);
    EXPECT_EQ(answerRowsFor(9, 3, 6), AnswerRows::Integer);
    EXPECT_EQ(answerRowsFor(9, 3, 7), AnswerRows::TwoRows);
    EXPECT_EQ(answerRowsFor(9, 3, 9), AnswerRows::TwoRows);
    EXPECT_EQ(answerRowsFor(9, 2, 8), AnswerRows::None);
    EXPECT_EQ(answerRowsFor(10, 2, 3), AnswerRows::TwoRows);
    EXPECT_EQ(answerRowsFor(11, 2, 4), AnswerRows::Decimal);
    EXPECT_EQ(answerRowsFor(11, 3, 0), AnswerRows::Integer);
    EXPECT_EQ(answerRowsFor(12, 3, 5), AnswerRows::Decimal);
    EXPECT_EQ(answerRowsFor(12, 2, 5), AnswerRows::None);
    EXPECT_EQ(answerRowsFor(13, 1, 0), AnswerRows::None);
}

TEST(Dispatch, LevelTwoRowExample)
{
    recordWith(0, 3);
    aosrand(3); // offsetSeed = 1038 mod 12 - 6 = 0; the second 1 is raised by 1 + 32467 mod 12 = 8
    EXPECT_EQ(buildAnswerRows(2, 1, 2101), AnswerRows::Integer);
    EXPECT_EQ(offsetSeed, 0);
    EXPECT_EQ(slots(options[1]), (std::vector<int>{1, 3, 4, 6, 8, 9}));
}

TEST(Dispatch, TaskOfLevelOneDifficultyOneSorted)
{
    runTask(1101, 1); // 33 - 4; offsetSeed = 10982 mod 12 - 6 = -4
    EXPECT_EQ(buildAnswerRows(1, 1, 1101), AnswerRows::Integer);
    EXPECT_EQ(slots(options[1]), (std::vector<int>{21, 23, 26, 28, 29, 30}));
}

TEST(Dispatch, PickTwoBuildsTwoRowsWithFreshOffsets)
{
    // 2202, seed 1: solution 3, solution2 9. Row 1 (offset -4): 0, 3 (from -3), 2, 5, 4;
    // the second 3 is raised by 1 + 1090 mod 12 = 11. Row 2 (offset 11656 mod 12 - 6 = -2,
    // place 4): a run by ones, 9 fifth.
    runTask(2202, 1);
    EXPECT_EQ(buildAnswerRows(2, 2, 2202), AnswerRows::TwoRows);
    EXPECT_EQ(slots(options[1]), (std::vector<int>{0, 2, 3, 4, 5, 14}));
    EXPECT_EQ(slots(options2[1]), (std::vector<int>{5, 6, 7, 8, 9, 10}));
}

TEST(Dispatch, DiceTaskGetsOneToSix)
{
    recordWith(0, 4);
    aosrand(1);
    EXPECT_EQ(buildAnswerRows(1, 3, 1312), AnswerRows::Integer);
    EXPECT_EQ(slots(options[1]), (std::vector<int>{4, 5, 2, 1, 3, 6}));
}

TEST(Dispatch, LevelOneDifficultyThreeRemovesDuplicates)
{
    // Offset 1038 mod 12 - 6 = 0: Near gives 4, 1, 6, 1 (from -1), 8; the
    // second 1 is raised by 1 + 32467 mod 12 = 8.
    recordWith(0, 3);
    aosrand(3);
    buildAnswerRows(1, 3, 1301);
    EXPECT_EQ(sorted(slots(options[1])), (std::vector<int>{1, 3, 4, 6, 8, 9}));
}

TEST(Dispatch, FractionOfAWholeStepsNearTheSolution)
{
    recordWith(3, 3, 4); // a fraction 3/4
    aosrand(1);
    EXPECT_EQ(buildAnswerRows(4, 1, 4102), AnswerRows::TwoRows);
    auto first = sorted(slots(options[1]));
    EXPECT_NE(std::find(first.begin(), first.end(), 3), first.end());
    EXPECT_LE(first.back() - first.front(), 12); // near 3, not a table of primes
    auto second = slots(options2[1]);
    EXPECT_TRUE(std::is_sorted(second.begin(), second.end()));
    EXPECT_NE(std::find(second.begin(), second.end(), 4), second.end());
}

TEST(Dispatch, ScaledAtLevelTen)
{
    // offset 346 mod 12 - 6 = 4: 10, 7, 12, 5, 14; the 5 is raised by 1 + 130 mod 12 = 11.
    recordWith(0, 5);
    aosrand(1);
    buildAnswerRows(10, 1, 10101);
    EXPECT_EQ(sorted(slots(options[1])), (std::vector<int>{5, 7, 10, 12, 14, 16}));
}

TEST(Dispatch, NumberingForDiceNetAndEvents)
{
    recordWith(6, 2);
    aosrand(1);
    EXPECT_EQ(buildAnswerRows(9, 3, 9301), AnswerRows::Integer);
    EXPECT_EQ(sorted(slots(options[1])), (std::vector<int>{1, 2, 3, 4, 5, 6}));

    recordWith(7, 1, 6);
    aosrand(1);
    EXPECT_EQ(buildAnswerRows(9, 3, 9302), AnswerRows::TwoRows);
    EXPECT_EQ(sorted(slots(options[1])), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(slots(options2[1]), (std::vector<int>{1, 2, 3, 4, 5, 6}));

    recordWith(9, 12, 36); // Near on both solutions
    aosrand(1);
    EXPECT_EQ(buildAnswerRows(9, 3, 9305), AnswerRows::TwoRows);
    auto first = slots(options[1]);
    auto second = slots(options2[1]);
    EXPECT_NE(std::find(first.begin(), first.end(), 12), first.end());
    EXPECT_NE(std::find(second.begin(), second.end(), 36), second.end());
    EXPECT_TRUE(std::is_sorted(second.begin(), second.end()));
}

TEST(Dispatch, DecimalVariants)
{
    recordWith(5, 0, -1000000, 100);
    aosrand(1);
    EXPECT_EQ(buildAnswerRows(12, 3, 12311), AnswerRows::Decimal);
    EXPECT_EQ(sorted(slots(decimalOptions[1])), (std::vector<double>{80, 85, 90, 95, 100, 105}));

    recordWith(4, 0, -1000000, 20);
    aosrand(1);
    buildAnswerRows(3, 1, 3201); // a run by ones around the solution
    EXPECT_EQ(sorted(slots(decimalOptions[1])), (std::vector<double>{16, 17, 18, 19, 20, 21}));

    recordWith(4, 0, -1000000, 20);
    aosrand(1);
    buildAnswerRows(5, 1, 5110); // both ways: 30, 5, 40, -5, 50
    EXPECT_EQ(sorted(slots(decimalOptions[1])), (std::vector<double>{-5, 5, 20, 30, 40, 50}));
}

TEST(Dispatch, UnknownKindBuildsNothing)
{
    recordWith(1, 5);
    options[1] = {0, 9, 9, 9, 9, 9, 9};
    aosrand(1);
    EXPECT_EQ(buildAnswerRows(1, 1, 1101), AnswerRows::None);
    EXPECT_EQ(slots(options[1]), (std::vector<int>{9, 9, 9, 9, 9, 9}));
}

// Every arithmetic task, many seeds: the row shows the solution, and the
// de-duplicated rows show no value twice.
TEST(Dispatch, ArithmeticRowsHoldTheSolution)
{
    for (int n : allTaskNumbers()) {
        if (taskFamily(n) != TaskFamily::Arithmetic)
            continue;
        int failures = 0;
        for (unsigned seed = 1; seed <= 2000 && failures < 3; ++seed) {
            runTask(n, seed);
            AnswerRows rows = buildAnswerRows(taskLevel(n), taskDifficulty(n), n);
            ASSERT_NE(rows, AnswerRows::None) << n;
            bool ok = true;
            if (rows == AnswerRows::Decimal) {
                auto v = slots(decimalOptions[1]);
                ok = std::find(v.begin(), v.end(), decimalSolution[1]) != v.end() && distinct(decimalOptions[1]);
            } else {
                auto v = slots(options[1]);
                ok = std::find(v.begin(), v.end(), solution[1]) != v.end() && distinct(options[1]);
                if (rows == AnswerRows::TwoRows) {
                    auto w = slots(options2[1]);
                    ok = ok && std::find(w.begin(), w.end(), solution2[1]) != w.end() && distinct(options2[1]);
                }
            }
            if (!ok) {
                ADD_FAILURE() << n << " seed " << seed;
                ++failures;
            }
        }
    }
}

// With three squares the solution must stay among the three that are drawn.
TEST(Dispatch, ThreeSquaresKeepTheSolutionVisible)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        recordWith(0, 7);
        optionCount = 3;
        options[1] = {0, 9, 9, 9, 9, 9, 9}; // left from an earlier game
        aosrand(seed);
        ASSERT_EQ(buildAnswerRows(5, 1, 5101), AnswerRows::Integer);
        std::vector<int> shown(options[1].begin() + 1, options[1].begin() + 4);
        EXPECT_NE(std::find(shown.begin(), shown.end(), 7), shown.end()) << seed;
        EXPECT_EQ(std::set<int>(shown.begin(), shown.end()).size(), 3u) << seed;
        EXPECT_EQ(options[1][4], 0);
        EXPECT_EQ(options[1][5], 0);
        EXPECT_EQ(options[1][6], 0);
    }
}

TEST(RowOrder, LimitedToTheDrawnSlots)
{
    aosrand(1);
    IntRow row = {0, 3, 2, 1, 9, 9, 9};
    sortRow(row, 3);
    EXPECT_EQ(slots(row), (std::vector<int>{1, 2, 3, 9, 9, 9}));
    dedupRow(row, 12, 3); // the 9s are not looked at
    EXPECT_EQ(slots(row), (std::vector<int>{1, 2, 3, 9, 9, 9}));
    EXPECT_EQ(aorand(), 346) << "nothing drawn";
    for (int i = 0; i < 50; ++i) {
        shuffleRow(row, 3);
        EXPECT_EQ(row[4] + row[5] + row[6], 27);
    }
    shuffleRow(row, 0); // no squares: no division by zero
}
