// A pupil who clicks without doing the mathematics: always the smallest
// square, always the largest, always the one farthest from the row's median,
// always the first column. None of these may beat chance (1 in 6) by much,
// over the whole catalog nor in any one task type.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "catalog_test_util.h"

namespace {

constexpr int kStrategies = 4;
const char* const kStrategyNames[kStrategies] = {"smallest", "largest", "farthest from median", "column 1"};

struct Tally {
    int rows = 0;
    double right[kStrategies] = {};
};

// The share of each strategy that lands on the answer; a tie for "farthest"
// counts as a fair pick among the tied squares.
void score(const std::vector<double>& shown, double answer, Tally& t)
{
    ++t.rows;
    std::vector<double> sorted = shown;
    std::sort(sorted.begin(), sorted.end());
    size_t n = sorted.size();
    double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    double far = 0;
    for (double v : shown)
        far = std::max(far, std::fabs(v - median));
    int tied = 0;
    bool answerFar = false;
    for (double v : shown)
        if (std::fabs(std::fabs(v - median) - far) < 1e-9) {
            ++tied;
            answerFar = answerFar || v == answer;
        }
    t.right[0] += sorted.front() == answer;
    t.right[1] += sorted.back() == answer;
    t.right[2] += answerFar ? 1.0 / tied : 0.0;
    t.right[3] += shown.front() == answer;
}

struct Measure {
    const char* name;
    std::map<int, Tally> perTask;

    // Overall share of a strategy, and the worst task with its share.
    double overall(int s) const
    {
        double right = 0;
        int rows = 0;
        for (const auto& [task, t] : perTask) {
            right += t.right[s];
            rows += t.rows;
        }
        return rows ? right / rows : 0;
    }
    std::pair<int, double> worst(int s) const
    {
        std::pair<int, double> w{0, 0};
        for (const auto& [task, t] : perTask)
            if (t.right[s] / t.rows > w.second)
                w = {task, t.right[s] / t.rows};
        return w;
    }
};

std::vector<double> shownValues(const IntRow& row)
{
    return std::vector<double>(row.begin() + 1, row.begin() + 1 + optionCount);
}

// Give-aways a pupil spots without the mathematics: the answer is the one
// square that is negative, a multiple of ten, a multiple of five, even, or
// (decimals) the one whose digits after the point differ from all others,
// which share theirs.
constexpr int kOddOnes = 5;
const char* const kOddOneNames[kOddOnes] = {"only negative", "only multiple of 10", "only multiple of 5",
                                            "only even", "only other decimals"};

struct OddOnes {
    int rows = 0;
    int hits[kOddOnes] = {};
};

template <typename Test> bool onlyOne(const std::vector<double>& shown, double answer, Test test)
{
    int count = 0;
    for (double v : shown)
        count += test(v);
    return count == 1 && test(answer);
}

std::string decimalsOf(double v)
{
    std::string t = decimalText(std::fabs(v), decimalPlaces);
    size_t point = t.find_first_of(".,");
    return point == std::string::npos ? "" : t.substr(point + 1);
}

void scoreOddOnes(const std::vector<double>& shown, double answer, bool decimal, OddOnes& o)
{
    ++o.rows;
    auto whole = [](double v) { return v == std::floor(v); };
    o.hits[0] += onlyOne(shown, answer, [](double v) { return v < 0; });
    if (!decimal) {
        // 0 is no round number a pupil would pick for its roundness.
        o.hits[1] += onlyOne(shown, answer, [&](double v) { return v != 0 && whole(v) && std::fmod(v, 10) == 0; });
        o.hits[2] += onlyOne(shown, answer, [&](double v) { return v != 0 && whole(v) && std::fmod(v, 5) == 0; });
        o.hits[3] += onlyOne(shown, answer, [&](double v) { return whole(v) && std::fmod(v, 2) == 0; });
        return;
    }
    std::string mine = decimalsOf(answer), others;
    bool shared = true;
    for (double v : shown)
        if (v != answer) {
            shared = shared && (others.empty() || decimalsOf(v) == others);
            others = decimalsOf(v);
        }
    o.hits[4] += shared && mine != others;
}

} // namespace

TEST(BlindStrategies, NoneBeatsChanceByMuch)
{
    Measure first{"one-row", {}}, decimal{"decimal", {}}, second{"second-row", {}};
    std::map<int, OddOnes> oddOnes;
    std::string overWhole;
    for (int task : allTaskNumbers())
        for (unsigned seed = 1; seed <= 200; ++seed) {
            GeneratedTask g = runTask(task, seed);
            AnswerRows rows = buildAnswerRows(taskLevel(task), taskDifficulty(task), task);
            if (rows == AnswerRows::None || choiceMode == 2 || optionCount < 6)
                continue;
            if (rows == AnswerRows::Decimal) {
                const DecimalRow& row = decimalOptions[taskIndex];
                std::vector<double> shown(row.begin() + 1, row.begin() + 7);
                score(shown, g.decimalSolution, decimal.perTask[task]);
                scoreOddOnes(shown, g.decimalSolution, true, oddOnes[task]);
            } else if (rows == AnswerRows::Integer) {
                std::vector<double> shown = shownValues(options[taskIndex]);
                score(shown, g.solution, first.perTask[task]);
                scoreOddOnes(shown, g.solution, false, oddOnes[task]);
                // "Sieben Achtel von 88": no square above the whole.
                if (answerCeiling != std::numeric_limits<int>::max() &&
                    *std::max_element(shown.begin(), shown.end()) > answerCeiling && overWhole.size() < 200)
                    overWhole += " " + std::to_string(task) + "/" + std::to_string(seed);
            } else {
                score(shownValues(options2[taskIndex]), g.solution2, second.perTask[task]);
            }
        }
    EXPECT_TRUE(overWhole.empty()) << "squares above the whole in" << overWhole;
    for (int i = 0; i < kOddOnes; ++i) {
        std::string over;
        for (const auto& [t, o] : oddOnes)
            if (o.hits[i] > 0.35 * o.rows)
                over += " " + std::to_string(t) + ":" + std::to_string(100 * o.hits[i] / o.rows);
        EXPECT_TRUE(over.empty()) << kOddOneNames[i] << " above 35 % in" << over;
    }
    for (const Measure* m : {&first, &decimal, &second}) {
        ASSERT_FALSE(m->perTask.empty()) << m->name;
        for (int s = 0; s < kStrategies; ++s) {
            auto [task, share] = m->worst(s);
            std::printf("%-10s %-21s overall %5.1f %%  worst %5d %5.1f %%\n", m->name, kStrategyNames[s],
                        100 * m->overall(s), task, 100 * share);
            EXPECT_LE(m->overall(s), 0.20) << m->name << ", " << kStrategyNames[s];
            std::string over;
            for (const auto& [t, tally] : m->perTask)
                if (tally.right[s] / tally.rows > 0.35)
                    over += " " + std::to_string(t) + ":" + std::to_string(int(100 * tally.right[s] / tally.rows));
            EXPECT_TRUE(over.empty()) << m->name << ", " << kStrategyNames[s] << " above 35 % in" << over;
        }
    }
}

// Texts that printed the answer: 11201 its slope triangle's numbers, 10309 a
// bracket that always held the answer plus one, 7103/7104 hundredths (47/100
// is 47 %).
TEST(BlindStrategies, TheTextDoesNotHoldTheAnswer)
{
    int bracketIsAnswerPlusOne = 0;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        GeneratedTask g = runTask(11201, seed);
        EXPECT_EQ(g.text.substr(g.text.find("m = ?")), "m = ?") << seed;

        g = runTask(10309, seed);
        size_t open = g.text.rfind('(');
        ASSERT_NE(open, std::string::npos) << g.text;
        bracketIsAnswerPlusOne += std::atoi(g.text.c_str() + open + 1) == g.solution + 1;

        for (int task : {7103, 7104}) {
            g = runTask(task, seed);
            EXPECT_FALSE(has(g.text, "/100 ")) << g.text;
        }
    }
    EXPECT_LE(bracketIsAnswerPlusOne, 0.35 * 200);
}
