// Expected texts and solutions below were worked out by hand from the task
// descriptions and the generator's sequence (seed 1: 346, 130, 10982, 1090,
// 11656, 7117, 17595, 6415, 22948, 31126, 9004, 14558, 3571, 22879, 18492,
// 1360, 5412, 26721, 22463, 25047, 27119, 31441, 7190, 13985, 31214, 27509).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include <cctype>

#include "catalog_test_util.h"
#include "squares.h"

namespace {

using catalogtest::numbersIn;

struct Example {
    int task;
    unsigned seed;
    const char* text;
    int solution;
};

const Example kExamples[] = {
    {1101, 1, "\n\n\n\n 33   -   4  = ??", 29},
    {1101, 6, "\n\n\n\n 20   +   20  = ??", 40}, // equal pair: addition
    {1102, 1, "\n\n\n\n 45   +   ??  = 69", 24},
    {1104, 1, "\n\n\n\n 26 + 10 + 21 = ??  ", 57},
    {1205, 1, "\n\n\n\n  58  : 2 = ??     ", 29},
    {2103, 1, "\n\n\n\n 4 + 6 · 4 + 5 = ??", 33},
    {2201, 1, "\n\n\n\n 3200   +   4601  = ??  ", 7801},
    {2301, 1, "\n\n\n\n 70   +   75  = ?? ", 145}, // ten pairs redrawn
    {3101, 1, "\n\n\n\n 892 : 4 = ? ", 223},
    {3102, 1, "\n\n\n\n 223 · 3 = ? ", 669},
    {3223, 1, "\n\n\n\n Berechne die Potenz:   7² = ?", 49},
    {3223, 5, "\n\n\n\n Berechne die Potenz:   2 hoch 0 = ?", 1},
    {4104, 1, "\n\n\n\n  346  ??  130 ", 3},
    {4104, 2333, "\n\n\n\n  1500  ??  1500 ", 2},
    {7301, 1, "\n\n\n\n  -4  ??  -20 ", 3},
    {7301, 2, "\n\n\n\n  42  ??  -32 ", 3}, // both drawn positive
    {7302, 1, "\n\n\n\n  -0,4  ??  -2,0 ", 3},
    {7306, 1, "\n\n\n\n  60  :  6 = ?? ", 10},
    {7324, 1, "\n\n\n\n  -2 · 1 + 3 · 2 = ?? ", 4},
    {7324, 26, "\n\n\n\n  1 · (-5) + (-5) · (-2) = ?? ", 5}, // three zeros replaced
    {7327, 1, "\n\n\n\n  -2 · [6(2 + 6)] - (-3 + 2) = ?? ", -95},
    {9104, 1, "\n\n\n\nStartzahl = 1;\nmultipliziere mit -4; subtrahiere -9; addiere 7;\nErgebnis = ?  ", 12},
    {9106, 1, "\n\n\n\nStartzahl = -42;\ndividiere durch -6; subtrahiere -9; addiere -2;\nErgebnis = ?  ", 14},
    {9203, 1, "\n\n\n\nStartzahl = 7;\npotenziere die Zahl mit 2; dividiere durch 7;\nmultipliziere mit -2;\nErgebnis = ?  ", -14},
    {9205, 1, "\n\n\n\nPotenziere die Differenz aus 1 und -3 mit 2; \nErgebnis = ?  ", 16},
    {10107, 1, "\n\n\n\n  (-5 - 5)(3 - 2) = ?? ", -10},
};

} // namespace

TEST(ArithmeticTasks, HandWorkedExamples)
{
    for (const Example& e : kExamples) {
        GeneratedTask g = runTask(e.task, e.seed);
        EXPECT_EQ(g.text, e.text) << e.task << " seed " << e.seed;
        EXPECT_EQ(g.solution, e.solution) << e.task << " seed " << e.seed;
    }
}

// The Lösungsweg of one task of each shape, read and recomputed by hand.
TEST(ArithmeticTasks, HandCheckedSteps)
{
    const StepsExample examples[] = {
        {1102, 1, {"?? = 69 − 45 = 24"}},
        {2104, 1, {"Punkt vor Strich:", "4 · 6 + 4 · 5 = 24 + 20 = 44"}},
        {3101, 1, {"8 : 4 = 2", "Die 9 herunterholen: 9 : 4 = 2 Rest 1", "Die 2 herunterholen: 12 : 4 = 3",
                   "892 : 4 = 223"}},
        {3101, 2, {"15 : 5 = 3", "Die 5 herunterholen: 5 : 5 = 1", "Die 5 herunterholen: 5 : 5 = 1",
                   "1555 : 5 = 311"}},
        {3102, 5, {"Einer: 2 · 4 = 8", "Zehner: 3 · 4 = 12, schreibe 2, merke 1", "Hunderter: 1 · 4 + 1 = 5",
                   "132 · 4 = 528"}},
        {3224, 2, {"Jede Zahl hoch 0 ergibt 1:", "1 hoch 0 = 1"}},
        {4104, 1, {"Gleich viele Stellen; bei den Hundertern: 3 > 1", "346 > 130"}},
        {7301, 1, {"Auf dem Zahlenstrahl liegt −4 rechts von −20", "−4 > −20"}},
        {7307, 4, {"Gleiche Vorzeichen, Beträge addieren: 6 + 17 = 23",
                   "Das Ergebnis bekommt das gemeinsame Vorzeichen: −", "−6 + (−17) = −23"}},
        {7308, 1, {"3 − 15 = 3 + (−15)", "Verschiedene Vorzeichen, Beträge subtrahieren: 15 − 3 = 12",
                   "Vorzeichen der Zahl mit dem größeren Betrag: −", "3 − 15 = −12"}},
        {7308, 3, {"6 − (−7) = 6 + 7 = 13"}},
        {7317, 1, {"1 + (−1 − 3) = 1 + (−4)", "Verschiedene Vorzeichen, Beträge subtrahieren: 4 − 1 = 3",
                   "Vorzeichen der Zahl mit dem größeren Betrag: −", "1 + (−1 − 3) = −3"}},
        {7318, 2, {"−3 − (−2 − 1) = −3 − (−3) = −3 + 3", "−3 und 3 sind Gegenzahlen: ihre Summe ist 0",
                   "−3 − (−2 − 1) = 0"}},
        {7323, 2, {"Minus durch Minus ergibt Plus", "−13 : (−4 + 1) = −13 : (−3) = 4,3333... ≈ 4,33"}},
        {7327, 1, {"Innere Klammern zuerst: 2 + 6 = 8; −3 + 2 = −1", "−2 · 6 · 8 − (−1) = −96 − (−1) = −96 + 1",
                   "Verschiedene Vorzeichen, Beträge subtrahieren: 96 − 1 = 95",
                   "Vorzeichen der Zahl mit dem größeren Betrag: −", "−2 · [6(2 + 6)] − (−3 + 2) = −95"}},
        {9104, 2, {"−3 · (−5) = 15", "15 − (−6) = 21", "21 + (−7) = 14"}},
        {9202, 3, {"(−1)³ = (−1) · (−1) · (−1) = −1", "−1 − (−3) = 2", "2 · 6 = 12"}},
        {10107, 3, {"(−4 − 5)(8 − 9) = −9 · (−1) = 9"}},
    };
    expectSteps(examples);
}

// Where a negative number is added (a subtraction adds the opposite
// number), the steps show the rule that decides: the Beträge added or
// subtracted, and the sign the result takes.
TEST(ArithmeticTasks, SignedSumsShowTheSignRule)
{
    for (int task : {7307, 7308, 7311, 7312}) {
        int ruled = 0;
        for (unsigned seed = 1; seed <= 200; ++seed) {
            GeneratedTask g = runTask(task, seed);
            std::vector<double> n = numbersIn(g.text);
            ASSERT_EQ(n.size(), 2u) << g.text;
            bool subtraction = task == 7308 || task == 7312;
            long long x = static_cast<long long>(n[0]);
            long long y = static_cast<long long>(subtraction ? -n[1] : n[1]);
            std::string steps;
            for (const std::string& line : taskSteps[taskIndex])
                steps += line + "\n";
            // Natural numbers added, or subtracted with a result of 0 or more.
            if (x == 0 || y == 0 || (x > 0 && y > 0) || (subtraction && n[1] > 0 && n[0] >= n[1]))
                continue;
            ++ruled;
            long long bigger = std::llabs(x) > std::llabs(y) ? x : y;
            if ((x < 0) != (y < 0) && std::llabs(x) != std::llabs(y)) {
                EXPECT_TRUE(has(steps, "Beträge subtrahieren")) << task << " seed " << seed << "\n" << steps;
                EXPECT_TRUE(has(steps, bigger < 0 ? "größeren Betrag: −" : "größeren Betrag: +"))
                    << task << " seed " << seed << "\n" << steps;
            } else if ((x < 0) == (y < 0)) {
                EXPECT_TRUE(has(steps, "Beträge addieren")) << task << " seed " << seed << "\n" << steps;
            }
        }
        EXPECT_GT(ruled, 40) << task;
    }
}

TEST(ArithmeticTasks, ComparisonsUseTheChoiceSquares)
{
    runTask(4104, 1);
    EXPECT_EQ(choiceMode, 2);
    runTask(1101, 1);
    EXPECT_EQ(choiceMode, 0);
}

TEST(ArithmeticTasks, PickTwoRecords)
{
    // seed 1: a = 346 mod 10 + 3 = 9, b = 130 mod 10 + 3 = 3.
    GeneratedTask g = runTask(2202, 1);
    EXPECT_EQ(g.text, "\n\n\n\n  ??   ·   ??  = 27  \n Wähle aus jeder Reihe eine Zahl ");
    EXPECT_EQ(answerKind, 1);
    EXPECT_EQ(g.solution, 3);
    EXPECT_EQ(g.solution2, 9);
    EXPECT_EQ(g.target, 27);
    EXPECT_EQ(relationOp, 3);

    g = runTask(2203, 1);
    EXPECT_EQ(g.text, "\n\n\n\n  ??   :   ??  = 9  \n Wähle aus jeder Reihe eine Zahl ");
    EXPECT_EQ(g.solution, 27);
    EXPECT_EQ(g.solution2, 3);
    EXPECT_EQ(g.target, 9);
    EXPECT_EQ(relationOp, 4);

    // seed 1: a = 346 mod 50 + 1 = 47, b = 130 mod 50 + 1 = 31.
    g = runTask(2204, 1);
    EXPECT_EQ(g.text, "\n\n\n\n  ??   +   ??  = 78  \n Wähle aus jeder Reihe eine Zahl ");
    EXPECT_EQ(g.solution, 47);
    EXPECT_EQ(g.solution2, 31);
    EXPECT_EQ(relationOp, 1);

    // seed 1: a = 346 mod 70 + 30 = 96, b = 130 mod 30 + 1 = 11.
    g = runTask(2205, 1);
    EXPECT_EQ(g.text, "\n\n\n\n  ??   -   ??  = 85  \n Wähle aus jeder Reihe eine Zahl ");
    EXPECT_EQ(g.solution, 96);
    EXPECT_EQ(g.solution2, 11);
    EXPECT_EQ(g.target, 85);
    EXPECT_EQ(relationOp, 2);
}

// "?? : ?? = 9" is answered only by a pair that divides exactly: 19 : 2 is
// 9,5, not 9, although whole-number division says 9.
TEST(ArithmeticTasks, PickTwoQuotientJudgesExactDivision)
{
    int inexact = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        GeneratedTask g = runTask(2203, seed);
        buildAnswerRows(2, 2, 2203);
        EXPECT_TRUE(pairAnswersRight(g.solution, g.solution2)) << seed;
        for (int i = 1; i <= optionCount; ++i)
            for (int j = 1; j <= optionCount; ++j) {
                int a = options[taskIndex][i], b = options2[taskIndex][j];
                bool exact = b != 0 && a == b * g.target;
                inexact += !exact && b != 0 && a / b == g.target;
                EXPECT_EQ(pairAnswersRight(a, b), exact) << seed << ": " << a << " : " << b;
            }
    }
    EXPECT_GT(inexact, 0); // the rows do offer such pairs
}

TEST(ArithmeticTasks, DecimalQuotientWithRepairedDivisor)
{
    // seed 1: a = 1, b = -3, c = 3; b + c = 0 so b becomes -2.
    decimalPlaces = 0;
    GeneratedTask g = runTask(7323, 1);
    EXPECT_EQ(g.text, "\n\n\n\n  1 : (-2 + 3) = ?? ");
    EXPECT_EQ(g.decimalSolution, 1.0);
    EXPECT_EQ(answerKind, 4);
    EXPECT_EQ(decimalPlaces, 2);
}

TEST(ArithmeticTasks, PowerTaskResetsDecimalPlaces)
{
    resetRecord();
    decimalPlaces = 3; // left by an earlier decimal task of the game
    aosrand(1);
    generateTask(3224);
    EXPECT_EQ(decimalPlaces, 0);
    EXPECT_EQ(answerKind, 0);
}

// ------------------------------------------------------------------ properties

namespace {

int compare3(double a, double b) { return a < b ? 1 : a == b ? 2 : 3; }

long long ipow(long long base, int exponent)
{
    long long p = 1;
    for (int i = 0; i < exponent; ++i)
        p *= base;
    return p;
}

// What the pupil can work out from the printed text: the expected solution,
// or a failure message. n holds the numbers in the order they are printed.
using Check = std::function<std::string(const std::string& text, const std::vector<double>& n,
                                        const GeneratedTask& g)>;

std::string expectInt(const GeneratedTask& g, long long expected)
{
    if (g.solution == expected)
        return "";
    return "solution " + std::to_string(g.solution) + ", text gives " + std::to_string(expected);
}

std::string exactQuotient(double dividend, double divisor, long long& quotient)
{
    if (divisor == 0)
        return "divisor 0";
    long long a = static_cast<long long>(dividend), b = static_cast<long long>(divisor);
    if (a % b != 0)
        return "division leaves a remainder";
    quotient = a / b;
    return "";
}

struct Property {
    size_t count; // numbers shown
    Check check;
};

std::map<int, Property> properties()
{
    std::map<int, Property> p;
    auto sumOrDiff = [](auto t, auto n, auto g) {
        return expectInt(g, has(t, "   -   ") ? n[0] - n[1] : n[0] + n[1]);
    };
    auto gapSecond = [](auto t, auto n, auto g) { // "x - ?? = y" / "x + ?? = y"
        return expectInt(g, has(t, "   -   ") ? n[0] - n[1] : n[1] - n[0]);
    };
    auto gapFirst = [](auto t, auto n, auto g) { // "?? - x = y" / "?? + x = y"
        return expectInt(g, has(t, "   -   ") ? n[0] + n[1] : n[1] - n[0]);
    };
    auto product = [](auto, auto n, auto g) { return expectInt(g, n[0] * n[1]); };
    auto quotient = [](auto, auto n, auto g) {
        long long q = 0;
        std::string e = exactQuotient(n[0], n[1], q);
        return e.empty() ? expectInt(g, q) : e;
    };
    auto comparison = [](auto, auto n, auto g) { return expectInt(g, compare3(n[0], n[1])); };
    auto signedComparison = [](auto, auto n, auto g) {
        if (n[0] > 0 && n[1] > 0)
            return std::string("two positive numbers shown");
        return expectInt(g, compare3(n[0], n[1]));
    };
    auto pickTwo = [](int op) {
        return [op](auto, auto n, auto g) -> std::string {
            long long a = g.solution, b = g.solution2, r = 0;
            switch (op) {
            case 1: r = a + b; break;
            case 2: r = a - b; break;
            case 3: r = a * b; break;
            default:
                if (b == 0)
                    return "second row value 0";
                r = a / b;
            }
            if (r != g.target || g.target != n[0] || relationOp != op || answerKind != 1)
                return "pick-two record does not give the shown value";
            return "";
        };
    };
    auto expr = [](std::function<long long(const std::vector<long long>&)> f) {
        return [f](auto, auto n, auto g) {
            std::vector<long long> v(n.begin(), n.end());
            return expectInt(g, f(v));
        };
    };
    using V = const std::vector<long long>&;

    p[1101] = {2, sumOrDiff};
    p[1102] = {2, gapSecond};
    p[1103] = {2, gapSecond};
    p[1104] = {3, expr([](V n) { return n[0] + n[1] + n[2]; })};
    p[1105] = {2, product};
    p[1201] = {2, gapSecond};
    p[1202] = {2, gapFirst};
    p[1203] = {2, product};
    p[1204] = {3, expr([](V n) { return n[0] + n[1] - n[2]; })};
    p[1205] = {2, [quotient](auto t, auto n, auto g) {
                   return n[1] != 2 ? std::string("not halved") : quotient(t, n, g);
               }};
    p[2101] = {3, expr([](V n) { return n[0] * n[1] + n[2]; })};
    p[2102] = {3, expr([](V n) { return n[0] + n[1] * n[2]; })};
    p[2103] = {4, expr([](V n) { return n[0] + n[1] * n[2] + n[3]; })};
    p[2104] = {4, expr([](V n) { return n[0] * n[1] + n[2] * n[3]; })};
    p[2105] = {4, expr([](V n) { return n[0] * n[1] - n[2] * n[3]; })};
    p[2201] = {2, sumOrDiff};
    p[2202] = {1, pickTwo(3)};
    p[2203] = {1, pickTwo(4)};
    p[2204] = {1, pickTwo(1)};
    p[2205] = {1, pickTwo(2)};
    p[2301] = {2, sumOrDiff};
    p[2302] = {2, gapFirst};
    p[2303] = {2, [](auto t, auto n, auto g) { // "x - ?? = y" / "?? + x = y"
                   return expectInt(g, has(t, "   -   ") ? n[0] - n[1] : n[1] - n[0]);
               }};
    for (int t : {2304, 2305, 2306})
        p[t] = {3, expr([](V n) { return n[2] - n[0] - n[1]; })};
    p[2307] = {3, expr([](V n) { return n[2] + n[0] + n[1]; })};
    p[2308] = {3, expr([](V n) { return n[0] - n[1] - n[2]; })};
    p[2309] = {3, expr([](V n) { return n[0] - n[1] - n[2]; })};
    p[3101] = {2, quotient};
    p[3102] = {2, product}; // the three digits read as one number
    p[3223] = {2, expr([](V n) { return ipow(n[0], static_cast<int>(n[1])); })};
    p[3224] = p[3223];
    p[4101] = {2, quotient};
    p[4201] = {2, quotient};
    p[4104] = {2, comparison};
    p[4204] = {2, comparison};
    for (int t : {7301, 7302, 7303})
        p[t] = {2, signedComparison};
    p[7304] = {2, comparison};
    for (int t : {7305, 7309})
        p[t] = {2, product};
    for (int t : {7306, 7310})
        p[t] = {2, quotient};
    for (int t : {7307, 7311})
        p[t] = {2, expr([](V n) { return n[0] + n[1]; })};
    for (int t : {7308, 7312})
        p[t] = {2, expr([](V n) { return n[0] - n[1]; })};
    p[7315] = {3, expr([](V n) { return n[0] + n[1] + n[2]; })};
    p[7316] = {3, expr([](V n) { return n[0] - n[1] - n[2]; })};
    p[7317] = {3, expr([](V n) { return n[0] + n[1] - n[2]; })};
    p[7318] = {3, expr([](V n) { return n[0] - n[1] + n[2]; })};
    p[7319] = p[7315];
    p[7320] = p[7316];
    p[7321] = {3, expr([](V n) { return n[0] * (n[1] - n[2]); })};
    p[7322] = p[7321];
    p[7323] = {3, [](auto, auto n, auto g) -> std::string {
                   if (n[1] + n[2] == 0)
                       return "divisor 0";
                   if (g.decimalSolution != n[0] / (n[1] + n[2]) || answerKind != 4 || decimalPlaces != 2)
                       return "decimal solution does not fit";
                   return "";
               }};
    auto noZeroFactor = [](std::function<long long(V)> f) {
        return [f](auto, auto n, auto g) {
            if (n[0] == 0 || n[1] == 0 || n[2] == 0)
                return std::string("factor 0 shown");
            std::vector<long long> v(n.begin(), n.end());
            return expectInt(g, f(v));
        };
    };
    p[7324] = {4, noZeroFactor([](V n) { return n[0] * n[1] + n[2] * n[3]; })};
    p[7325] = {4, noZeroFactor([](V n) { return n[0] * n[1] - n[2] * n[3]; })};
    p[7326] = {4, [](auto, auto n, auto g) {
                   if (n[0] == 0 || n[2] == 0)
                       return std::string("0 shown");
                   return expectInt(g, static_cast<long long>((n[0] + n[1]) - (n[2] + n[3])));
               }};
    p[7327] = {6, expr([](V n) { return n[0] * n[1] * (n[2] + n[3]) - (n[4] + n[5]); })};
    p[9101] = {4, expr([](V n) { return (n[0] + n[1] - n[2]) * n[3]; })};
    p[9102] = p[9101];
    p[9103] = {4, expr([](V n) { return n[0] * n[1] - n[2] + n[3]; })};
    p[9104] = p[9103];
    p[9105] = {4, [](auto, auto n, auto g) {
                   long long q = 0;
                   std::string e = exactQuotient(n[0], n[1], q);
                   return e.empty() ? expectInt(g, q - static_cast<long long>(n[2]) + static_cast<long long>(n[3])) : e;
               }};
    p[9106] = p[9105];
    p[9201] = {4, expr([](V n) { return n[0] + n[1] * n[2] - n[3]; })};
    p[9202] = {4, expr([](V n) { return (ipow(n[0], static_cast<int>(n[1])) - n[2]) * n[3]; })};
    p[9203] = {4, [](auto, auto n, auto g) {
                   if (n[2] == 0 || n[2] != n[0])
                       return std::string("divides by something other than the start number");
                   long long q = 0;
                   std::string e = exactQuotient(static_cast<double>(ipow(static_cast<long long>(n[0]), static_cast<int>(n[1]))), n[2], q);
                   return e.empty() ? expectInt(g, q * static_cast<long long>(n[3])) : e;
               }};
    p[9204] = p[9203];
    p[9205] = {3, expr([](V n) { return ipow(n[0] - n[1], static_cast<int>(n[2])); })};
    p[9206] = {3, expr([](V n) { return ipow(n[0] + n[1], static_cast<int>(n[2])); })};
    p[9207] = {4, expr([](V n) { return (n[0] + n[1]) * (n[2] - n[3]); })};
    // A leading "-%d" reads as a negative number, which is what it means.
    p[10101] = {4, expr([](V n) { return (n[0] + n[1]) * (n[2] + n[3]); })};
    p[10102] = {4, expr([](V n) { return (n[0] - n[1]) * (n[2] + n[3]); })};
    p[10103] = {4, expr([](V n) { return (n[0] + n[1]) * (n[2] - n[3]); })};
    p[10104] = {4, expr([](V n) { return (n[0] - n[1]) * (n[2] - n[3]); })};
    p[10105] = p[10101];
    p[10106] = p[10101];
    p[10107] = p[10104];
    return p;
}

} // namespace

TEST(ArithmeticTasks, EveryTypeHasAProperty)
{
    std::map<int, Property> p = properties();
    int arithmetic = 0;
    for (int n : allTaskNumbers())
        if (taskFamily(n) == TaskFamily::Arithmetic) {
            ++arithmetic;
            EXPECT_EQ(p.count(n), 1u) << n;
        }
    EXPECT_EQ(arithmetic, 82);
    EXPECT_EQ(p.size(), 82u);
}

TEST(ArithmeticTasks, SolutionsFollowFromThePrintedNumbers)
{
    std::map<int, Property> p = properties();
    for (auto& [task, property] : p) {
        int failures = 0;
        for (unsigned seed = 1; seed <= 2000 && failures < 3; ++seed) {
            GeneratedTask g = runTask(task, seed * 7919u);
            ASSERT_FALSE(g.text.empty()) << task;
            ASSERT_EQ(g.text.rfind("\n\n\n\n", 0), 0u) << task << ": " << g.text;
            ASSERT_FALSE(has(g.text, "nan") || has(g.text, "inf")) << task;
            std::vector<double> n = numbersIn(catalogtest::plainNotation(g.text));
            if (n.size() != property.count) {
                ADD_FAILURE() << task << " seed " << seed * 7919u << ": " << n.size() << " numbers in " << g.text;
                ++failures;
                continue;
            }
            std::string problem = property.check(g.text, n, g);
            if (!problem.empty()) {
                ADD_FAILURE() << task << " seed " << seed * 7919u << ": " << problem << " in " << g.text;
                ++failures;
            }
        }
    }
}

TEST(ArithmeticTasks, LargeSumsStayWithinTheirRange)
{
    for (unsigned seed = 1; seed <= 500; ++seed) {
        GeneratedTask g = runTask(2301, seed);
        std::vector<double> n = numbersIn(g.text);
        ASSERT_EQ(n.size(), 2u);
        for (double v : n) {
            EXPECT_GE(v, 61);
            EXPECT_LE(v, 89);
        }
        EXPECT_LE(n[0] + n[1], 150);
    }
}
