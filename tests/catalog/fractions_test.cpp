// Expected texts and solutions below were worked out by hand from the task
// descriptions and the generator's sequence (seed 1: 346, 130, 10982, 1090,
// 11656, 7117; seed 2: 692, 32682, 21834, 23967; seed 4: 1385, 32251, 10770,
// 4183; seed 8: 2770, 31389; seed 14: 4848, 30095; seed 61: 21124;
// seed 106: 3940, 10254; seed 302: 6280, 752, 596).
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <numeric>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "catalog_test_util.h"

namespace {

using catalogtest::numbersIn;

struct Example {
    int task;
    unsigned seed;
    const char* text;
    int solution;
    int solution2; // -1000000: a whole-number answer
};

constexpr int kNone = -1000000;

const Example kExamples[] = {
    // a = 346 mod 25 + 1 = 22.
    {4102, 1, "\n\n\n\n Ein Viertel von 88  = ?? ", 22, kNone},
    // a = 346 mod 12 + 1 = 11.
    {4213, 1, "\n\n\n\n Fünf Zwölftel von 132  = ?? ", 55, kNone},
    {4203, 1, "\n\n\n\n Die Hälfte von 94  = ?? ", 47, kNone},
    // a = 2, b = 2 = a raised to 3, c = 4.
    {4301, 1, "\n\n\n\n Kürzen:  8/12 = ?/?\n ", 2, 3},
    // a = 2, b = 1, c = 10982 mod 7 + 5 = 11.
    {4302, 1, "\n\n\n\n Brüche addieren und kürzen:  2/11 + 1/11 = ?/?\n ", 3, 11},
    // a = 1, b = 3, c = 6: -2/6.
    {4304, 302, "\n\n\n\n Brüche subtrahieren und kürzen:  1/6 - 3/6 = ?/?\n ", -1, 3},
    // a = 3, b = 3, c = 3, d = 3: the same fraction twice, d raised to 4.
    {4305, 1, "\n\n\n\n Brüche subtrahieren und kürzen:  3/3 - 3/4 = ?/?\n ", 1, 4},
    // a = 3, b = 2, c = 5, d = 5.
    {4306, 2, "\n\n\n\n Brüche multiplizieren und kürzen:  3/2 · 5/5 = ?/?\n ", 3, 2},
    {4307, 2, "\n\n\n\n Brüche dividieren und kürzen:  3/2 : 5/5 = ?/?\n ", 3, 2},
    // m = 5 × 6.
    {5105, 1, "\n\n\n\nDrücke als Bruchteil einer Stunde aus und kürze vollständig: \n30 min", 1, 2},
    // a = 30, k = 10.
    {5109, 1, "\n\n\n\nGib den Anteil als gekürzten Bruch an. \nVon den 30 Schülern einer Klasse kommen 10 mit dem \nFahrrad zur Schule.\n ", 1, 3},
    {5111, 1, "\n\n\n\n Wie groß ist ein Drittel von der Hälfte von 42?\n ", 7, kNone},
    // a = 21124 mod 60 + 2 = 6.
    {5112, 61, "\n\n\n\n Wie groß ist ein Drittel von der Hälfte von 6?\n ", 1, 1},
    // a = 2, c = 3: 6/20 kg.
    {5113, 1, "\n\n\n\n  Wie viel sind 2/5 von 3/4 Kilogramm in Gramm?\n ", 300, kNone},
    // a = 2, c = 1: 2/20 km.
    {5114, 1, "\n\n\n\n  Wie viel sind 2/4 von 1/5 Kilometer in Metern?\n ", 100, kNone},
    {5115, 1, "\n\n\n\n Gib den Mittelwert der Zahlen 5, 6 und 3 \n  als gekürzten Bruch an.", 14, 3},
    // 18/18.
    {5116, 1, "\n\n\n\n Berechne den Mittelwert von 3/3 und 3/3 ", 1, 1},
    {5117, 1, "\n\n\n\n Welche Zahl ergibt 5, wenn man sie zu ihrer Hälfte addiert? \n Gib die Zahl als gekürzten Bruch an.", 10, 3},
    {5118, 1, "\n\n\n\n Welche Zahl ergibt 5, wenn man sie zu ihrem Drittel addiert? \n Gib die Zahl als gekürzten Bruch an.", 15, 4},
    // a = 2, b = 3, c = 4, d = 1: 2 + x/4 = 1.
    {5203, 1, "\n\n\n\n 6/3 + x/4 = 1\nWie groß muss der Platzhalter x in der Gleichung sein? ", -4, kNone},
    // a = 3, b = 3, c = 4, d = 3.
    {5204, 1, "\n\n\n\n x/3 + 12/4 = 3\nWie groß muss der Platzhalter x in der Gleichung sein? ", 0, kNone},
    // a = 2, b = 3, c = 4, e = 2.
    {5205, 1, "\n\n\n\n 6/3 + 4/x = 4\nWie groß muss der Platzhalter x in der Gleichung sein? ", 2, kNone},
    // a = 3, b = 4, c = 2, e = 6: c - a = -1 would make x the numerator, c moves to 1; the
    // numerator (1 - 3) · 6 is printed as a difference.
    {5205, 16, "\n\n\n\n 12/4 - 12/x = 1\nWie groß muss der Platzhalter x in der Gleichung sein? ", 6, kNone},
    {5206, 1, "\n\n\n\n x/3 - 12/4 = 3\nWie groß muss der Platzhalter x in der Gleichung sein? ", 18, kNone},
    {5207, 1, "\n\n\n\n x/12 + 3/4 = 3/3\nWie groß muss der Platzhalter x in der Gleichung sein? ", 3, kNone},
    // 12/9 shown as 4/3.
    {5208, 1, "\n\n\n\n Berechne die Platzhalter x und y:  3/3 · x/y = 4/3\n ", 4, 3},
    {5209, 1, "\n\n\n\n Berechne die Platzhalter x und y:  3/3 + x/y = 2/1\n ", 1, 1},
    // a·d = c·b: a raised to 4, 3/9 shown as 1/3.
    {5210, 1, "\n\n\n\n Berechne die Platzhalter x und y:  4/3 - x/y = 1/3\n ", 1, 1},
    // a = 1, b = 5, c = 3, d = 5: -10/25 shown reduced.
    {5210, 2, "\n\n\n\n Berechne die Platzhalter x und y:  1/5 - x/y = -2/5\n ", 3, 5},
    {5211, 2, "\n\n\n\n Berechne die Platzhalter x und y:  1/5 : x/y = 1/3\n ", 3, 5},
    // e = 4, f = 5.
    {5212, 1, "\n\n\n\n Berechne und kürze vollständig:  3/3 · 3/3 · 4/5 = ? ", 4, 5},
    {5214, 1, "\n\n\n\n Welchem gekürzten Bruch entspricht diese Dezimalzahl 1,250? ", 5, 4},
    // a = 8, b = 8 = a raised to 9, then 10.
    {5214, 106, "\n\n\n\n Welchem gekürzten Bruch entspricht diese Dezimalzahl 0,800? ", 4, 5},
    {6306, 1, "\n\n\n\n Welcher Bruch (gekürzt) ist auf dem Zahlenstrahl dargestellt? \n ", 1, 5},
    // d = 4, n = 4 = d lowered to 3.
    {6306, 4, "\n\n\n\n Welcher Bruch (gekürzt) ist auf dem Zahlenstrahl dargestellt? \n ", 3, 4},
    // a = 2, b = 1, c = 3, d = 1.
    {6308, 1, "\n\n\n\n Welcher Bruch ist hier rot dargestellt?\n Gib den gekürzten Bruch an. ", 3, 10},
    {7103, 1, "\n\n\n\nGib den Bruch 188/400 in Prozent an.", 47, kNone},
    {7103, 4, "\n\n\n\nGib den Bruch 43/50 in Prozent an.", 86, kNone},
    {7104, 1, "\n\n\n\nGib den Bruch 223/50 in Prozent an.", 446, kNone},
};

struct DecimalExample {
    int task;
    unsigned seed;
    const char* text;
    double value;
    int places;
};

const DecimalExample kDecimalExamples[] = {
    // a = 5, b = 4.
    {5213, 1, "\n\n\n\n Welcher Dezimalzahl entspricht dieser Bruch 5/4 = ? ", 1.25, 3},
    // a = 8, b = 7 moved to 8.
    {5213, 8, "\n\n\n\n Welcher Dezimalzahl entspricht dieser Bruch 8/8 = ? ", 1, 3},
    // a = 7, b = 9 moved to 10.
    {5213, 14, "\n\n\n\n Welcher Dezimalzahl entspricht dieser Bruch 7/10 = ? ", 0.7, 3},
    // a = 5, b = 17.
    {5215, 1, "\n\n\n\n Addiere im Kopf 0,5 + 1,7 = ? ", 2.2, 2},
    {5216, 1, "\n\n\n\n Subtrahiere im Kopf 0,5 - 1,7 = ? ", -1.2, 2},
    // a = 5, b = 13.
    {5217, 1, "\n\n\n\n Addiere im Kopf 0,5 + 0,13 = ? ", 0.63, 3},
};

} // namespace

TEST(FractionTasks, HandWorkedExamples)
{
    for (const Example& e : kExamples) {
        GeneratedTask g = runTask(e.task, e.seed);
        EXPECT_EQ(g.text, e.text) << e.task << " seed " << e.seed;
        EXPECT_EQ(g.solution, e.solution) << e.task << " seed " << e.seed;
        EXPECT_EQ(g.solution2, e.solution2) << e.task << " seed " << e.seed;
        if (e.solution2 == kNone) {
            EXPECT_EQ(answerKind, 0) << e.task;
        } else {
            EXPECT_EQ(answerKind, 3) << e.task;
            EXPECT_EQ(relationOp, 5) << e.task;
        }
    }
}

TEST(FractionTasks, HandWorkedDecimalExamples)
{
    for (const DecimalExample& e : kDecimalExamples) {
        GeneratedTask g = runTask(e.task, e.seed);
        EXPECT_EQ(g.text, e.text) << e.task << " seed " << e.seed;
        EXPECT_NEAR(g.decimalSolution, e.value, 1e-12) << e.task << " seed " << e.seed;
        EXPECT_EQ(answerKind, 4) << e.task;
        EXPECT_EQ(decimalPlaces, e.places) << e.task;
    }
}

// The Lösungsweg of one task of each shape, read and recomputed by hand.
TEST(FractionTasks, HandCheckedSteps)
{
    const StepsExample examples[] = {
        {4209, 1, {"88 : 8 = 11", "7 · 11 = 77"}},
        {4303, 4, {"Hauptnenner 12: 2/4 = 6/12, 3/6 = 6/12", "6/12 + 6/12 = 12/12", "Kürzen mit 12: 12/12 = 1/1"}},
        {4305, 3, {"3/3 = 1", "3/5 − 1 = 3/5 − 5/5 = −2/5"}},
        {4306, 5, {"2/4 · 3/7 = (2 · 3)/(4 · 7)", "Vorher kürzen: (2 · 3)/(4 · 7) = (1 · 3)/(2 · 7) = 3/14"}},
        {4307, 3, {"Mit dem Kehrwert multiplizieren: 4/3 · 7/2 = 28/6", "Kürzen mit 2: 28/6 = 14/3"}},
        {5110, 1, {"Hauptnenner 77: 1/11 = 7/77, 1/7 = 11/77", "7/77 < 11/77, also 1/11 < 1/7"}},
        {5112, 1, {"1/3 · 1/2 = 1/6", "1/6 von 48: 48 : 6 = 8 = 8/1"}},
        {5113, 1, {"2/5 · 3/4 kg = 6/20 kg", "1 kg = 1000 g", "6/20 · 1000 g = 300 g"}},
        {5203, 1, {"6/3 = 2", "2 + x/4 = 1   | − 2", "x/4 = 1 − 2 = −1   | · 4", "x = (−1) · 4 = −4"}},
        {5205, 16, {"12/4 = 3", "3 − 12/x = 1, also 12/x = 3 − 1 = 2", "x = 12 : 2 = 6"}},
        {5207, 1, {"Hauptnenner 12: 3/4 = 9/12, 3/3 = 12/12", "x/12 + 9/12 = 12/12   | − 9/12",
                   "x/12 = 12/12 − 9/12 = 3/12   | · 12", "x = 3"}},
        {5210, 2, {"x/y = 1/5 − (−2/5) = 1/5 + 2/5", "1/5 + 2/5 = 3/5"}},
        {5213, 5, {"4 : 6 = 0,66666... ≈ 0,667"}},
        {5217, 1, {"0,5 = 50 Hundertstel, 0,13 = 13 Hundertstel", "50 Hundertstel + 13 Hundertstel = 63 Hundertstel",
                   "0,5 + 0,13 = 0,630"}},
        {6306, 1, {"Bis zur Marke: 2 Zehntel = 2/10", "Kürzen mit 2: 2/10 = 1/5"}},
        {6306, 3, {"Bis zur Marke: 3 Zehntel und 6 Hundertstel = 36/100", "Kürzen mit 4: 36/100 = 9/25"}},
        {6308, 2, {"Rote Kästchen: 5 · 3 = 15", "Alle Kästchen: 8 · 6 = 48", "Anteil: 15/48", "Kürzen mit 3: 15/48 = 5/16"}},
        {7103, 1, {"Kürzen mit 4: 188/400 = 47/100", "Prozent heißt Hundertstel: 47/100 = 47 %",
                   "Die Prozentzahl ist 47"}},
        {7104, 1, {"Erweitern mit 2: 223/50 = 446/100", "Prozent heißt Hundertstel: 446/100 = 446 %",
                   "Die Prozentzahl ist 446"}},
    };
    expectSteps(examples);
}

// The shown fraction is brought to hundredths by the factor the step names:
// expanded below 100, reduced from the 200, 300 or 400 it is shown over.
TEST(FractionTasks, PercentStepsReachHundredthsByTheirFactor)
{
    const std::regex rule("^(Erweitern|Kürzen) mit (\\d+): (\\d+)/(\\d+) = (\\d+)/100$");
    for (int task : {7103, 7104}) {
        int reduced = 0;
        for (unsigned seed = 1; seed <= 200; ++seed) {
            GeneratedTask g = runTask(task, seed);
            std::vector<double> n = numbersIn(g.text);
            ASSERT_EQ(n.size(), 2u) << g.text;
            const std::string& first = taskSteps[taskIndex].front();
            std::smatch m;
            ASSERT_TRUE(std::regex_match(first, m, rule)) << task << " seed " << seed << ": " << first;
            long long k = std::stoll(m[2]), num = std::stoll(m[3]), den = std::stoll(m[4]), hundredths = std::stoll(m[5]);
            EXPECT_EQ(num, n[0]);
            EXPECT_EQ(den, n[1]);
            EXPECT_EQ(hundredths, g.solution);
            if (den > 100) {
                ++reduced;
                EXPECT_EQ(m[1], "Kürzen") << first;
                EXPECT_EQ(num, hundredths * k) << first;
                EXPECT_EQ(den, 100 * k) << first;
            } else {
                EXPECT_EQ(m[1], "Erweitern") << first;
                EXPECT_EQ(hundredths, num * k) << first;
                EXPECT_EQ(100, den * k) << first;
            }
        }
        EXPECT_GT(reduced, 20) << task;
    }
}

// x in "a/b + n/x = c" is n : (c - a/b); it must never be the printed n
// itself, which a pupil could copy without solving anything.
TEST(FractionTasks, PlaceholderInTheDenominatorNeedsTheDivision)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        GeneratedTask g = runTask(5205, seed);
        std::vector<double> n = numbersIn(g.text);
        ASSERT_EQ(n.size(), 4u) << g.text;
        EXPECT_NE(g.solution, n[2]) << "seed " << seed << ": " << g.text;
    }
}

TEST(FractionTasks, ComparisonUsesTheSignSquares)
{
    // a = 11, b = 1, c = 7, d = 1: 1/11 < 1/7.
    GeneratedTask g = runTask(5110, 1);
    EXPECT_EQ(g.text, "\n\n\n\n Welches Zeichen muss zwischen den Brüchen stehen?\n    <  =  >  ?");
    EXPECT_EQ(g.solution, 1);
    EXPECT_EQ(choiceMode, 2);
    EXPECT_EQ(optionCount, 3);
    std::set<int> seen;
    for (unsigned seed = 1; seed <= 2000; ++seed)
        seen.insert(runTask(5110, seed).solution);
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3})); // equal fractions such as 1/5 and 2/10 do occur
}

// The difference of two equal fractions has no reduced form to pick; the
// second denominator is raised, as for the identical pair.
TEST(FractionTasks, EqualFractionsAreNeverSubtracted)
{
    // a = 2, b = 4, c = 3, d = 6: 2/4 = 3/6, d raised to 7: 2/28.
    GeneratedTask g = runTask(4305, 4);
    EXPECT_EQ(g.text, "\n\n\n\n Brüche subtrahieren und kürzen:  2/4 - 3/7 = ?/?\n ");
    EXPECT_EQ(g.solution, 1);
    EXPECT_EQ(g.solution2, 14);
    for (unsigned seed = 1; seed <= 2000; ++seed)
        ASSERT_NE(runTask(4305, seed).solution, 0) << seed;
}

TEST(FractionTasks, WholeAndFractionTasksKeepTheDecimalPlacesOfTheGame)
{
    for (int task : {4102, 4302, 5110, 5203, 6306, 7104}) {
        resetRecord();
        decimalPlaces = 3; // left by an earlier decimal task
        aosrand(1);
        generateTask(task);
        EXPECT_EQ(decimalPlaces, 3) << task;
    }
}

// ------------------------------------------------------------------ properties

namespace {

// Integers and decimals in printed order; a minus glued to a digit is a sign.

// An exact rational p/q, q > 0 not required.
struct Q {
    long long p, q;
};
Q operator+(Q a, Q b) { return {a.p * b.q + b.p * a.q, a.q * b.q}; }
Q operator-(Q a, Q b) { return {a.p * b.q - b.p * a.q, a.q * b.q}; }
Q operator*(Q a, Q b) { return {a.p * b.p, a.q * b.q}; }
Q operator/(Q a, Q b) { return {a.p * b.q, a.q * b.p}; }
bool operator==(Q a, Q b) { return a.q != 0 && b.q != 0 && a.p * b.q == b.p * a.q; }
Q whole(double v) { return {static_cast<long long>(v), 1}; }

using Numbers = const std::vector<double>&;
// x: the stored answer (solution / solution2, or solution / 1).
using Check = std::function<bool(Numbers n, Q x, const GeneratedTask& g)>;

struct Property {
    int kind;     // answerKind
    size_t count; // numbers in the text
    Check check;
};

Q q(Numbers n, size_t i, size_t j) { return {static_cast<long long>(n[i]), static_cast<long long>(n[j])}; }

bool near(double a, double b) { return std::fabs(a - b) < 1e-9; }

std::map<int, Property> properties()
{
    std::map<int, Property> p;
    // (task, parts, taken): the solution is taken parts of the quantity.
    const int parts[][3] = {{4102, 4, 1},    {4103, 2, 1},  {4105, 3, 1},   {4106, 5, 1},   {4107, 6, 1},
                            {4108, 7, 1},    {4109, 8, 1},  {4110, 9, 1},   {4111, 10, 1},  {4112, 11, 1},
                            {4113, 12, 1},   {4114, 100, 1}, {4115, 1000, 1}, {4202, 4, 3},   {4203, 2, 1},
                            {4205, 3, 2},    {4206, 5, 3},  {4207, 6, 5},   {4208, 7, 2},   {4209, 8, 7},
                            {4210, 9, 5},    {4211, 10, 7}, {4212, 11, 3},  {4213, 12, 5},  {4214, 100, 7},
                            {4215, 1000, 5}};
    for (const auto& row : parts) {
        int n = row[1], k = row[2];
        p[row[0]] = {0, 1, [n, k](Numbers v, Q x, auto) { return x == Q{k * static_cast<long long>(v[0]), n}; }};
    }
    p[4301] = {3, 2, [](Numbers n, Q x, auto) { return n[0] != n[1] && x == q(n, 0, 1); }};
    p[4302] = {3, 4, [](Numbers n, Q x, auto) { return n[1] == n[3] && x == q(n, 0, 1) + q(n, 2, 3); }};
    p[4303] = {3, 4, [](Numbers n, Q x, auto) { return x == q(n, 0, 1) + q(n, 2, 3); }};
    p[4304] = {3, 4, [](Numbers n, Q x, auto) { return n[1] == n[3] && x.p != 0 && x == q(n, 0, 1) - q(n, 2, 3); }};
    p[4305] = {3, 4, [](Numbers n, Q x, auto) { return x.p != 0 && x == q(n, 0, 1) - q(n, 2, 3); }};
    p[4306] = {3, 4, [](Numbers n, Q x, auto) { return x == q(n, 0, 1) * q(n, 2, 3); }};
    p[4307] = {3, 4, [](Numbers n, Q x, auto) { return x == q(n, 0, 1) / q(n, 2, 3); }};
    p[5105] = {3, 1, [](Numbers n, Q x, auto) { return x == Q{static_cast<long long>(n[0]), 60}; }};
    for (int t : {5106, 5107, 5108, 5109})
        p[t] = {3, 2, [](Numbers n, Q x, auto) { return x == q(n, 1, 0); }};
    p[5110] = {0, 0, [](Numbers, Q x, auto) { return x.p >= 1 && x.p <= 3; }};
    p[5111] = {0, 1, [](Numbers n, Q x, auto) { return x * Q{6, 1} == whole(n[0]); }};
    p[5112] = {3, 1, [](Numbers n, Q x, auto) { return x * Q{6, 1} == whole(n[0]); }};
    p[5113] = {0, 4, [](Numbers n, Q x, auto) { return n[1] == 5 && n[3] == 4 && x == Q{1000, 1} * q(n, 0, 1) * q(n, 2, 3); }};
    p[5114] = {0, 4, [](Numbers n, Q x, auto) { return n[1] == 4 && n[3] == 5 && x == Q{1000, 1} * q(n, 0, 1) * q(n, 2, 3); }};
    p[5115] = {3, 3, [](Numbers n, Q x, auto) { return x * Q{3, 1} == whole(n[0] + n[1] + n[2]); }};
    p[5116] = {3, 4, [](Numbers n, Q x, auto) { return x * Q{2, 1} == q(n, 0, 1) + q(n, 2, 3); }};
    p[5117] = {3, 1, [](Numbers n, Q x, auto) { return x + x / Q{2, 1} == whole(n[0]); }};
    p[5118] = {3, 1, [](Numbers n, Q x, auto) { return x + x / Q{3, 1} == whole(n[0]); }};
    // Placeholder equations: the answer put in for x makes the equation true.
    p[5203] = {0, 4, [](Numbers n, Q x, auto) { return q(n, 0, 1) + x / whole(n[2]) == whole(n[3]); }};
    p[5204] = {0, 4, [](Numbers n, Q x, auto) { return x / whole(n[0]) + q(n, 1, 2) == whole(n[3]); }};
    // A negative numerator over x is printed as a difference: "12/4 - 6/x = 2".
    p[5205] = {0, 4, [](Numbers n, Q x, const GeneratedTask& g) {
                   if (x.p == 0)
                       return false;
                   Q over = whole(n[2]) / x;
                   return (has(g.text, "- ") ? q(n, 0, 1) - over : q(n, 0, 1) + over) == whole(n[3]);
               }};
    p[5206] = {0, 4, [](Numbers n, Q x, auto) { return x / whole(n[0]) - q(n, 1, 2) == whole(n[3]); }};
    p[5207] = {0, 5, [](Numbers n, Q x, auto) { return x.p != 0 && x / whole(n[0]) + q(n, 1, 2) == q(n, 3, 4); }};
    // The printed result is itself reduced.
    auto reduced = [](Numbers n) { return std::gcd(static_cast<long long>(n[2]), static_cast<long long>(n[3])) == 1; };
    p[5208] = {3, 4, [reduced](Numbers n, Q x, auto) { return reduced(n) && q(n, 0, 1) * x == q(n, 2, 3); }};
    p[5209] = {3, 4, [reduced](Numbers n, Q x, auto) { return reduced(n) && q(n, 0, 1) + x == q(n, 2, 3); }};
    p[5210] = {3, 4, [reduced](Numbers n, Q x, auto) { return reduced(n) && n[2] != 0 && q(n, 0, 1) - x == q(n, 2, 3); }};
    p[5211] = {3, 4, [reduced](Numbers n, Q x, auto) { return reduced(n) && q(n, 0, 1) / x == q(n, 2, 3); }};
    p[5212] = {3, 6, [](Numbers n, Q x, auto) { return x == q(n, 0, 1) * q(n, 2, 3) * q(n, 4, 5); }};
    p[5213] = {4, 2, [](Numbers n, Q, const GeneratedTask& g) {
                   return n[1] != 7 && n[1] != 9 && near(g.decimalSolution, n[0] / n[1]) && decimalPlaces == 3;
               }};
    p[5214] = {3, 1, [](Numbers n, Q x, auto) {
                   // The printed decimal is the fraction itself, not a rounding of it.
                   return std::fabs(static_cast<double>(x.p) / x.q - n[0]) < 1e-12;
               }};
    p[5215] = {4, 2, [](Numbers n, Q, const GeneratedTask& g) { return near(g.decimalSolution, n[0] + n[1]) && decimalPlaces == 2; }};
    p[5216] = {4, 2, [](Numbers n, Q, const GeneratedTask& g) { return near(g.decimalSolution, n[0] - n[1]) && decimalPlaces == 2; }};
    p[5217] = {4, 2, [](Numbers n, Q, const GeneratedTask& g) { return near(g.decimalSolution, n[0] + n[1]) && decimalPlaces == 3; }};
    // The pictures carry these; their denominators divide 100 and the whole is never shown.
    p[6306] = {3, 0, [](Numbers, Q x, auto) { return 100 % x.q == 0 && x.p >= 1 && x.p < x.q; }};
    p[6308] = {3, 0, [](Numbers, Q x, auto) { return x.p >= 1 && x.p <= x.q; }};
    // Shown reduced, or expanded where hundredths would print the answer itself.
    for (int t : {7103, 7104})
        p[t] = {0, 2, [](Numbers n, Q x, auto) {
                    bool reduced = std::gcd(static_cast<long long>(n[0]), static_cast<long long>(n[1])) == 1;
                    bool expanded = n[1] == 200 || n[1] == 300 || n[1] == 400;
                    return n[1] != 100 && (reduced || expanded) && x == Q{100, 1} * q(n, 0, 1);
                }};
    return p;
}

} // namespace

TEST(FractionTasks, EveryTypeHasAProperty)
{
    std::map<int, Property> p = properties();
    int fractions = 0;
    for (int n : allTaskNumbers())
        if (taskFamily(n) == TaskFamily::Fraction) {
            ++fractions;
            EXPECT_EQ(p.count(n), 1u) << n;
        }
    EXPECT_EQ(fractions, 66);
    EXPECT_EQ(p.size(), 66u);
}

TEST(FractionTasks, SolutionsFollowFromThePrintedNumbers)
{
    std::map<int, Property> p = properties();
    for (auto& [task, property] : p) {
        int failures = 0;
        for (unsigned seed = 1; seed <= 2000 && failures < 3; ++seed) {
            GeneratedTask g = runTask(task, seed * 7919u);
            auto fail = [&](const std::string& why) {
                ADD_FAILURE() << task << " seed " << seed * 7919u << ": " << why << " in " << g.text;
                ++failures;
            };
            ASSERT_EQ(g.text.rfind("\n\n\n\n", 0), 0u) << task << ": " << g.text;
            ASSERT_GT(g.text.size(), 8u) << task;
            ASSERT_FALSE(has(g.text, "nan") || has(g.text, "inf")) << task;
            if (answerKind != property.kind) {
                fail("answerKind " + std::to_string(answerKind));
                continue;
            }
            bool fraction = property.kind == 3;
            if (fraction) {
                if (relationOp != 5 || g.solution2 <= 0 || std::gcd(std::abs(g.solution), g.solution2) != 1) {
                    fail("not a reduced fraction: " + std::to_string(g.solution) + "/" + std::to_string(g.solution2));
                    continue;
                }
            } else if (g.solution2 != kNone) {
                fail("second part set");
                continue;
            }
            if (property.kind == 4 && !std::isfinite(g.decimalSolution)) {
                fail("solution not finite");
                continue;
            }
            std::vector<double> n = numbersIn(catalogtest::plainNotation(g.text));
            if (n.size() != property.count) {
                fail(std::to_string(n.size()) + " numbers");
                continue;
            }
            Q x{g.solution, fraction ? g.solution2 : 1};
            if (!property.check(n, x, g)) {
                fail("solution " + std::to_string(g.solution) + "/" + std::to_string(g.solution2) +
                     " does not solve the text");
                continue;
            }
            AnswerRows rows = buildAnswerRows(taskLevel(task), taskDifficulty(task), task);
            bool shown;
            if (property.kind == 4)
                shown = rows == AnswerRows::Decimal && rowHas(decimalOptions[taskIndex], g.decimalSolution);
            else if (fraction)
                shown = rows == AnswerRows::TwoRows && rowHas(options[taskIndex], g.solution) &&
                        rowHas(options2[taskIndex], g.solution2);
            else
                shown = rows == AnswerRows::Integer && rowHas(options[taskIndex], g.solution);
            if (!shown)
                fail("solution not among the answer squares");
        }
    }
}

// ------------------------------------------------------------------ pictures

namespace {

struct Picture {
    aoPixmap area;
    Picture()
    {
        area.width = 1280;
        area.height = 720;
        aopxmap_allocate(&area);
        aopxmap_clear(&area, 0xFFFFFF);
        aographic_settarget(&area);
    }
    ~Picture() { aographic_settarget(nullptr); }
    int at(int x, int y) const { return aopxmap_getpixel(&area, x, y); }
    bool inked(int x0, int y0, int x1, int y1) const
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (at(x, y) != 0xFFFFFF)
                    return true;
        return false;
    }
};

GeneratedTask drawTask(Picture&, int task, unsigned seed)
{
    static bool fontsLoaded = (aofont_loadbuiltins(), true);
    (void)fontsLoaded;
    aographic_setfont("9x15");
    return runTask(task, seed);
}

constexpr int kRed = 0xFF0000;

} // namespace

TEST(FractionPictures, NumberLineMarksTheAnswer)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Picture pic;
        GeneratedTask g = drawTask(pic, 6306, seed);
        int mark = 15 + g.solution * 500 / g.solution2;
        EXPECT_EQ(pic.at(mark, 40 + 15), kRed) << seed;
        EXPECT_EQ(pic.at(mark, 40 - 15), kRed) << seed;
        EXPECT_NE(pic.at(15 + 250, 40), 0xFFFFFF) << "axis";
    }
}

TEST(FractionPictures, GridShowsTheRedShare)
{
    {
        // 5 columns, 2 rows, the top-left 3 x 1 red.
        Picture pic;
        drawTask(pic, 6308, 1);
        EXPECT_EQ(pic.at(200, 230), kRed);
        EXPECT_EQ(pic.at(240, 230), kRed);
        EXPECT_EQ(pic.at(260, 230), 0xFFFFFF);
        EXPECT_EQ(pic.at(200, 250), 0xFFFFFF);
    }
    for (unsigned seed = 1; seed <= 60; ++seed) {
        Picture pic;
        GeneratedTask g = drawTask(pic, 6308, seed * 31u);
        // The black top and left borders give the grid's size; cell centres the red count.
        int cols = 0, rows = 0, red = 0;
        while (pic.at(200 + 20 * cols, 220) == 0) ++cols;
        while (pic.at(190, 230 + 20 * rows) == 0) ++rows;
        for (int i = 0; i < cols; ++i)
            for (int j = 0; j < rows; ++j)
                red += pic.at(200 + 20 * i, 230 + 20 * j) == kRed;
        ASSERT_GT(cols * rows, 0);
        EXPECT_EQ(static_cast<long long>(red) * g.solution2, static_cast<long long>(cols * rows) * g.solution) << seed;
    }
}

TEST(FractionPictures, FractionsStandInTheTaskArea)
{
    for (int task : {4301, 4302, 4307, 5110, 5116, 5207, 5210, 5213, 7103}) {
        Picture pic;
        drawTask(pic, task, 3);
        EXPECT_TRUE(pic.inked(200, 0, 270, 80)) << task << ": first fraction";
    }
    for (int task : {4302, 5110, 5113, 5209}) {
        Picture pic;
        drawTask(pic, task, 3);
        EXPECT_TRUE(pic.inked(290, 0, 360, 80)) << task << ": second fraction";
    }
    for (int task : {4102, 5105, 5212, 5215}) {
        Picture pic;
        drawTask(pic, task, 3);
        EXPECT_FALSE(pic.inked(0, 0, 1280, 720)) << task << " draws nothing";
    }
}
