// Every task type with squares over many seeds: what a pupil reads on the
// squares. No two squares alike, the solution shown once, no other square
// that solves the printed task, no square that cannot be an answer at all.
// ZIFFRON_ROW_SEEDS sets the seeds per task (scripts/check-rows.sh: 10000).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>

#include "catalog_test_util.h"
#include "squares.h"

namespace {

unsigned seedsPerTask()
{
    const char* env = std::getenv("ZIFFRON_ROW_SEEDS");
    long n = env ? std::strtol(env, nullptr, 10) : 0;
    return n > 0 ? static_cast<unsigned>(n) : 200;
}

// What the game writes on a square.
std::string shown(int v) { return std::to_string(v); }
std::string shown(double v, int places)
{
    static const char* const kFormats[] = {"%3.0f", "%4.1f", "%5.2f", "%6.3f"};
    char text[64];
    std::snprintf(text, sizeof text, kFormats[places < 0 ? 0 : places > 3 ? 3 : places], v);
    std::string s = text;
    s.erase(0, s.find_first_not_of(' '));
    if (s[0] == '-' && s.find_first_of("123456789") == std::string::npos)
        s.erase(0, 1); // "-0.00" is read as 0
    return s;
}

// ---------------------------------------------------------------- a small equation reader

// Reads the printed arithmetic: + - * / : ^, round and square brackets,
// numbers written next to x or a bracket multiply ("4x", "2(x + 1)", "48/4x"
// is 48/(4x)); the unknown is x, "??" or "?".
class Reader {
public:
    Reader(const std::string& text, double unknown, std::optional<double> x)
        : s_(text), unknown_(unknown), x_(x)
    {
    }

    std::optional<double> value()
    {
        std::optional<double> v = sum();
        skip();
        while (pos_ < s_.size() && s_[pos_] == ')') { // a stray closing bracket in a text
            ++pos_;
            skip();
        }
        if (!v || pos_ != s_.size() || !std::isfinite(*v))
            return std::nullopt;
        return v;
    }

private:
    void skip()
    {
        while (pos_ < s_.size() && s_[pos_] == ' ')
            ++pos_;
    }
    char peek()
    {
        skip();
        return pos_ < s_.size() ? s_[pos_] : '\0';
    }
    std::optional<double> sum()
    {
        std::optional<double> v = product();
        while (v && (peek() == '+' || peek() == '-')) {
            char op = s_[pos_++];
            std::optional<double> r = product();
            if (!r)
                return std::nullopt;
            v = op == '+' ? *v + *r : *v - *r;
        }
        return v;
    }
    std::optional<double> product()
    {
        std::optional<double> v = signedFactor();
        while (v && (peek() == '*' || peek() == '/' || peek() == ':')) {
            char op = s_[pos_++];
            std::optional<double> r = signedFactor();
            if (!r || (op != '*' && *r == 0))
                return std::nullopt;
            v = op == '*' ? *v * *r : *v / *r;
        }
        return v;
    }
    std::optional<double> signedFactor()
    {
        if (peek() == '-') {
            ++pos_;
            std::optional<double> v = signedFactor();
            return v ? std::optional<double>(-*v) : std::nullopt;
        }
        if (peek() == '+') {
            ++pos_;
            return signedFactor();
        }
        return juxtaposed();
    }
    // Factors written side by side multiply.
    std::optional<double> juxtaposed()
    {
        std::optional<double> v = power();
        for (;;) {
            char c = peek();
            if (!v || !(c == '(' || c == '[' || c == 'x' || c == '?' || std::isdigit(static_cast<unsigned char>(c))))
                return v;
            std::optional<double> r = power();
            if (!r)
                return std::nullopt;
            v = *v * *r;
        }
    }
    std::optional<double> power()
    {
        std::optional<double> v = atom();
        if (v && peek() == '^') {
            ++pos_;
            std::optional<double> e = atom();
            if (!e)
                return std::nullopt;
            v = std::pow(*v, *e);
        }
        return v;
    }
    std::optional<double> atom()
    {
        char c = peek();
        if (c == '(' || c == '[') {
            ++pos_;
            std::optional<double> v = sum();
            if (peek() != (c == '(' ? ')' : ']'))
                return std::nullopt;
            ++pos_;
            return v;
        }
        if (c == 'x') {
            ++pos_;
            return x_ ? *x_ : unknown_;
        }
        if (c == '?') {
            while (pos_ < s_.size() && s_[pos_] == '?')
                ++pos_;
            return unknown_;
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            size_t end = pos_;
            while (end < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[end])) || s_[end] == '.'))
                ++end;
            double v = std::stod(s_.substr(pos_, end - pos_));
            pos_ = end;
            return v;
        }
        return std::nullopt;
    }

    std::string s_;
    size_t pos_ = 0;
    double unknown_;
    std::optional<double> x_;
};

// One printed equation: both sides, and x when the text gives it ("wenn x = 5").
struct Equation {
    std::string left, right;
    std::optional<double> x;

    bool solvedBy(double candidate) const
    {
        std::optional<double> l = Reader(left, candidate, x).value();
        std::optional<double> r = Reader(right, candidate, x).value();
        return l && r && std::fabs(*l - *r) < 1e-9 * (1 + std::fabs(*l));
    }
};

std::string trim(std::string s)
{
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

// The first line of the text that reads as an equation with an unknown.
std::optional<Equation> equationIn(const std::string& text)
{
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string line = catalogtest::plainNotation(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() + 1 : end + 1;
        Equation eq;
        for (const char* prefix : {"Term:", "Berechne die Potenz:"})
            if (size_t p = line.find(prefix); p != std::string::npos)
                line = line.substr(p + std::strlen(prefix));
        if (size_t w = line.find("wenn x ="); w != std::string::npos) {
            eq.x = std::atof(line.c_str() + w + 8);
            line = line.substr(0, w);
        }
        line = line.substr(0, line.find(';'));
        // School notation read as the evaluator's: "·" "*", "²" "^2", "³" "^3".
        for (const auto& [from, to] : {std::pair{"·", "*"}, std::pair{"²", "^2"}, std::pair{"³", "^3"}})
            for (size_t at = line.find(from); at != std::string::npos; at = line.find(from, at))
                line.replace(at, std::string(from).size(), to);
        if (line.find_first_not_of(" 0123456789x+-*/:()[]^?=.") != std::string::npos)
            continue;
        size_t eqSign = line.find('=');
        if (eqSign == std::string::npos || line.find('=', eqSign + 1) != std::string::npos)
            continue;
        eq.left = trim(line.substr(0, eqSign));
        eq.right = trim(line.substr(eqSign + 1));
        if (eq.left.empty() || eq.right.empty())
            continue;
        return eq;
    }
    return std::nullopt;
}

bool palindrome(int v)
{
    std::string d = std::to_string(v);
    return std::equal(d.begin(), d.end(), d.rbegin());
}

bool prime(int v)
{
    if (v < 2)
        return false;
    for (int d = 2; d * d <= v; ++d)
        if (v % d == 0)
            return false;
    return true;
}

// The answers that are a size, count, length, price, weight, time, distance
// or share: never below `lowest`.
std::optional<std::pair<double, double>> plausible(int task)
{
    static const std::set<int> sizes = {5213,  5215,  5217,  7113,  7115,  7116,  7206,  11203, 11204,
                                        11205, 11206, 11207, 11208, 11209, 11210, 11211, 11212, 11301,
                                        12202, 12203, 12204, 12205, 12208, 12209, 12210, 12308};
    if (sizes.count(task))
        return std::pair{0.0, 1e300};
    if (task == 11111 || task == 11112)
        return std::pair{1.0, 1e300};
    if (task == 7105 || task == 7106)
        return std::pair{0.0, 100.0};
    if (task >= 8303 && task <= 8316)
        return std::pair{1.0, 179.0};
    return std::nullopt;
}

struct Findings {
    int rows = 0;
    std::vector<std::string> faults;
    void fault(int task, unsigned seed, const std::string& what)
    {
        if (faults.size() < 40)
            faults.push_back(std::to_string(task) + " seed " + std::to_string(seed) + ": " + what);
    }
};

void checkTask(int task, unsigned seed, Findings& f, std::set<int>& solvedTasks)
{
    GeneratedTask g = runTask(task, seed);
    AnswerRows rows = buildAnswerRows(taskLevel(task), taskDifficulty(task), task);
    if (rows == AnswerRows::None || choiceMode == 2)
        return;
    ++f.rows;
    int n = optionCount;
    std::optional<std::pair<double, double>> range = plausible(task);

    if (rows == AnswerRows::Decimal) {
        std::set<std::string> texts;
        int solutionShown = 0;
        std::string solutionText = shown(g.decimalSolution, decimalPlaces);
        for (int k = 1; k <= n; ++k) {
            double v = decimalOptions[taskIndex][k];
            std::string t = shown(v, decimalPlaces);
            if (!texts.insert(t).second)
                f.fault(task, seed, "two squares read " + t);
            if (t == solutionText)
                ++solutionShown;
            if (range && (v < range->first || v > range->second))
                f.fault(task, seed, "implausible square " + t);
        }
        if (solutionShown != 1)
            f.fault(task, seed, "solution shown " + std::to_string(solutionShown) + " times");
        return;
    }

    const IntRow& row = options[taskIndex];
    std::set<int> values;
    int solutionShown = 0;
    for (int k = 1; k <= n; ++k) {
        if (!values.insert(row[k]).second)
            f.fault(task, seed, "two squares read " + shown(row[k]));
        if (row[k] == g.solution)
            ++solutionShown;
        if (range && (row[k] < range->first || row[k] > range->second))
            f.fault(task, seed, "implausible square " + shown(row[k]));
    }
    if (solutionShown != 1)
        f.fault(task, seed, "solution shown " + std::to_string(solutionShown) + " times");

    if (rows == AnswerRows::TwoRows) {
        const IntRow& row2 = options2[taskIndex];
        std::set<int> values2;
        int shown2 = 0;
        for (int k = 1; k <= n; ++k) {
            if (!values2.insert(row2[k]).second)
                f.fault(task, seed, "two squares of row 2 read " + shown(row2[k]));
            if (row2[k] == g.solution2)
                ++shown2;
            bool denominator = answerKind == 3 || (answerKind >= 7 && answerKind <= 9);
            if (denominator && row2[k] < 1)
                f.fault(task, seed, "denominator " + shown(row2[k]));
        }
        if (shown2 != 1)
            f.fault(task, seed, "second solution shown " + std::to_string(shown2) + " times");
        // A probability asked without "gekürzt": any pair of the same value answers it.
        if (answerKind >= 7 && answerKind <= 9 && !has(g.text, "gekürzt"))
            for (int a = 1; a <= n; ++a)
                for (int b = 1; b <= n; ++b)
                    if ((row[a] != g.solution || row2[b] != g.solution2) &&
                        static_cast<long long>(row[a]) * g.solution2 == static_cast<long long>(row2[b]) * g.solution)
                        f.fault(task, seed, "pair " + shown(row[a]) + "/" + shown(row2[b]) + " is right too");
        return; // the other two-row kinds ask a relation that several pairs may meet
    }

    // Tasks the test can solve from the printed text.
    auto anotherSquare = [&](auto solves, const char* why) {
        for (int k = 1; k <= n; ++k)
            if (row[k] != g.solution && solves(row[k]))
                f.fault(task, seed, shown(row[k]) + " " + why);
    };
    if (has(g.text, "Zahlenpalindrom"))
        anotherSquare(palindrome, "is a palindrome too");
    if (has(g.text, "keine Primzahl"))
        anotherSquare([](int v) { return !prime(v); }, "is no prime either");
    if (size_t p = g.text.find("durch "); p != std::string::npos && has(g.text, "teilen")) {
        int d = std::atoi(g.text.c_str() + p + 6);
        if (d > 0)
            anotherSquare([d](int v) { return v % d == 0; }, "divides too");
    }
    if (std::optional<Equation> eq = equationIn(g.text); eq && eq->solvedBy(g.solution)) {
        solvedTasks.insert(task);
        anotherSquare([&](int v) { return eq->solvedBy(v); }, "solves the equation too");
    }
}

} // namespace

// The reader itself, on the forms the catalog prints.
TEST(SquareRows, ReaderReadsThePrintedForms)
{
    auto solves = [](const std::string& text, double v) { return equationIn(text)->solvedBy(v); };
    EXPECT_TRUE(solves("\n 48/(4x) = 3", 4));
    EXPECT_TRUE(solves("  (x - 6)(x + 9) = 3x - 29;  x = ??", -5));
    EXPECT_TRUE(solves("Term:   -2 · [x(2 + 6)] - (-3 + 2) = ??   wenn x = 6", -95));
    EXPECT_TRUE(solves("(16x²+24x+9)/(4x+3) = -5", -2));
    EXPECT_TRUE(solves("6/x + 2/x = 2", 4));
    EXPECT_TRUE(solves("58  : 2 = ??", 29));
    EXPECT_FALSE(solves("12/x = 3", 0)); // undefined is no solution
    EXPECT_FALSE(equationIn("Wie viel sind 25 Prozent von 100 ?").has_value());
}

TEST(SquareRows, EveryTaskShowsFairSquares)
{
    unsigned seeds = seedsPerTask();
    Findings f;
    std::set<int> solvedTasks;
    for (int task : allTaskNumbers())
        for (unsigned seed = 1; seed <= seeds; ++seed)
            checkTask(task, seed, f, solvedTasks);
    for (const std::string& fault : f.faults)
        ADD_FAILURE() << fault;
    EXPECT_GT(f.rows, 300 * static_cast<int>(seeds));
    // The equation reader must keep reading the equation families.
    for (int task : {1101, 2101, 6201, 7305, 8101, 8201, 10201, 10210, 10306, 12101, 12110})
        EXPECT_TRUE(solvedTasks.count(task)) << task;
}

// The drawing of a task never lies under a square, its bevel or a row
// label: the task area rendered with the game's fonts shows no ink there.
TEST(SquareRows, NoDrawingUnderASquare)
{
    setupGameFonts();
    aoPixmap area;
    area.width = 1280;
    area.height = 200; // the squares end above y 190
    ASSERT_TRUE(aopxmap_allocate(&area));
    aographic_settarget(&area);
    std::vector<std::string> faults;
    for (int task : allTaskNumbers())
        for (unsigned seed = 1; seed <= 4; ++seed) {
            aopxmap_clear(&area, 0xFFFFFF);
            selectTaskFont(taskLevel(task));
            runTask(task, seed);
            AnswerRows rows = buildAnswerRows(taskLevel(task), taskDifficulty(task), task);
            if (rows == AnswerRows::None)
                continue;
            SquareLayout layout = SquareLayout::current(rows);
            // Runs of ink along each pixel row, each checked against the layout.
            int inked = 0;
            for (int y = 0; y <= std::min(layout.bottom(), area.height - 1); ++y) {
                const uint32_t* line = area.row(y);
                for (int x = 0; x < area.width;) {
                    if (line[x] == 0xFFFFFF) {
                        ++x;
                        continue;
                    }
                    int end = x;
                    while (end < area.width && line[end] != 0xFFFFFF)
                        ++end;
                    if (!layout.clearOf({x, y, end - x, 1}))
                        inked += end - x;
                    x = end;
                }
            }
            if (inked && faults.size() < 60)
                faults.push_back(std::to_string(task) + " seed " + std::to_string(seed) + ": " +
                                 std::to_string(inked) + " pixels of ink by the squares");
        }
    aographic_settarget(nullptr);
    for (const std::string& f : faults)
        ADD_FAILURE() << f;
}
