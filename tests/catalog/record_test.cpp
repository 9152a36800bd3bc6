#include <gtest/gtest.h>

#include "catalog_test_util.h"

namespace {

std::pair<int, int> reduce(int num, int den)
{
    fracNum = num;
    fracDen = den;
    reduceFraction();
    return {fracNum, fracDen};
}

} // namespace

TEST(ReduceFraction, Cases)
{
    EXPECT_EQ(reduce(12, 18), std::make_pair(2, 3));
    EXPECT_EQ(reduce(5, 5), std::make_pair(1, 1));
    EXPECT_EQ(reduce(0, 0), std::make_pair(1, 1));
    EXPECT_EQ(reduce(0, 7), std::make_pair(0, 7));
    EXPECT_EQ(reduce(7, 1), std::make_pair(7, 1));
    EXPECT_EQ(reduce(36, 48), std::make_pair(3, 4));
    EXPECT_EQ(reduce(17, 51), std::make_pair(1, 3));
    EXPECT_EQ(reduce(9, 4), std::make_pair(9, 4));
    EXPECT_EQ(reduce(-6, 8), std::make_pair(-6, 8)); // non-positive smaller value: unchanged
    EXPECT_EQ(reduce(6, 0), std::make_pair(6, 0));
}

TEST(ProgressRatio, ComputedOnEntryEvenForUnknownNumbers)
{
    taskCount = 12;
    correctCount = 3;
    progressRatio = -1;
    generateTask(1106);
    EXPECT_DOUBLE_EQ(progressRatio, 0.25);
    taskCount = 0;
    generateTask(1101);
    EXPECT_DOUBLE_EQ(progressRatio, 0.0);
    taskCount = -2;
    EXPECT_DOUBLE_EQ(computeProgressRatio(), 0.0);
}

TEST(RandomSource, KnownSequences)
{
    aosrand(1);
    for (int expected : {346, 130, 10982, 1090, 11656})
        EXPECT_EQ(aorand(), expected);
    aosrand(12345);
    for (int expected : {15301, 24996, 10921, 23577, 19316})
        EXPECT_EQ(aorand(), expected);
}

TEST(RandomSource, DrawRangeIsInclusive)
{
    aosrand(1);
    EXPECT_EQ(drawRange(1, 49), 346 % 49 + 1);
    EXPECT_EQ(drawRange(-50, 49), 130 % 100 - 50);
    aosrand(7);
    int seen[3] = {0, 0, 0};
    for (int i = 0; i < 3000; ++i) {
        int v = drawRange(-1, 1);
        ASSERT_GE(v, -1);
        ASSERT_LE(v, 1);
        ++seen[v + 1];
    }
    for (int count : seen)
        EXPECT_GT(count, 800);
}

TEST(GeneratorFrame, UnknownNumbersLeaveEverythingUntouched)
{
    aosrand(99);
    const int firstOfStream = aorand();
    for (int n : {1106, 1100, 13101, 0, -5}) {
        resetRecord();
        solution[1] = 777;
        solution2[1] = 778;
        target[1] = 779;
        decimalSolution[1] = 7.5;
        answerKind = 9;
        choiceMode = 2;
        decimalPlaces = 3;
        optionCount = 5;
        bool printed = false;
        catalog_setprinter([&printed](const std::string&) { printed = true; });
        aosrand(99);
        generateTask(n);
        catalog_setprinter(nullptr);
        EXPECT_FALSE(printed) << n;
        EXPECT_EQ(solution[1], 777);
        EXPECT_EQ(solution2[1], 778);
        EXPECT_EQ(target[1], 779);
        EXPECT_EQ(decimalSolution[1], 7.5);
        EXPECT_EQ(answerKind, 9);
        EXPECT_EQ(choiceMode, 2);
        EXPECT_EQ(decimalPlaces, 3);
        EXPECT_EQ(optionCount, 5);
        EXPECT_EQ(aorand(), firstOfStream) << "no number was drawn";
    }
}

TEST(GeneratorFrame, FamiliesNotBuiltPrintNothing)
{
    bool printed = false;
    catalog_setprinter([&printed](const std::string&) { printed = true; });
    for (int n : allTaskNumbers())
        if (!familyBuilt(taskFamily(n)))
            generateTask(n);
    catalog_setprinter(nullptr);
    EXPECT_FALSE(printed);
}

TEST(GeneratorFrame, SameSeedSameTasks)
{
    for (int n : allTaskNumbers()) {
        if (taskFamily(n) != TaskFamily::Arithmetic)
            continue;
        GeneratedTask first = runTask(n, 4711);
        GeneratedTask second = runTask(n, 4711);
        EXPECT_EQ(first.text, second.text) << n;
        EXPECT_EQ(first.solution, second.solution) << n;
        EXPECT_EQ(first.solution2, second.solution2) << n;
        EXPECT_EQ(first.decimalSolution, second.decimalSolution) << n;
    }
    // A sequence of tasks in one stream repeats as well.
    auto play = [](unsigned seed) {
        std::string all;
        catalog_setprinter([&all](const std::string& t) { all += t; });
        aosrand(seed);
        for (int n : {1101, 2202, 7323, 9203, 10107})
            generateTask(n);
        catalog_setprinter(nullptr);
        return all;
    };
    EXPECT_EQ(play(5), play(5));
    EXPECT_NE(play(5), play(6));
}

TEST(GeneratorFrame, PresetsOfTheGameLoop)
{
    solution2[3] = 5;
    answerKind = 4;
    choiceMode = 2;
    optionCount = 3;
    firstDistractorSlot = 4;
    decimalPlaces = 2;
    presetTask(3);
    EXPECT_EQ(solution2[3], -1000000);
    EXPECT_EQ(answerKind, 0);
    EXPECT_EQ(choiceMode, 0);
    EXPECT_EQ(optionCount, 6);
    EXPECT_EQ(firstDistractorSlot, 2);
    EXPECT_EQ(decimalPlaces, 2) << "kept from an earlier task of the game";
    presetGameStart();
    EXPECT_EQ(decimalPlaces, 0);
    presetTask(0);  // out of range: only the scalars
    presetTask(25);
}

TEST(GeneratorFrame, TextsReachThePrinterAsWindows1252)
{
    std::string raw;
    catalog_setprinter([&raw](const std::string& t) { raw += t; });
    taskPrintf("Lösung %d", 5);
    catalog_setprinter(nullptr);
    EXPECT_EQ(raw, "L\xF6sung 5");
    taskPrintf("no printer set: dropped");
}
