// Expected texts and solutions below were worked out by hand from the task
// descriptions and the generator's sequence (seed 1: 346, 130, 10982, 1090,
// 11656; seed 2: 692, 32682, 21834; seed 3: 1038, 32467, 32686; seed 6: 2077,
// 31820, 32473; seed 9: 3116, 31173, 32261, 20260; seed 15: 5194, 29879,
// 31836; seed 273: 29005, 7007, 13572; seed 2542: 28340, 9193, 27704).
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

#include "catalog_test_util.h"

namespace {

const char* const kBalance = "\n\n\n\nWie groß muss die Zahl x sein,\nwenn links und rechts des Gleichheitszeichens\n"
                             "das gleiche Ergebnis stehen soll?";
const char* const kTip = "\nTipp: schneller mit einer binomischen Formel";

struct Example {
    int task;
    unsigned seed;
    std::string text;
    int solution;
};

const Example kExamples[] = {
    // a = 8, b = 2, c = 3.
    {6201, 1, std::string(kBalance) + "\n8 + 2 = 3 + x; x = ?", 7},
    // a = 3, b = 2, c = 3: 8 - x = 8 - 3.
    {6207, 1, std::string(kBalance) + "\n8 - x = 8 - 3; x = ?", 3},
    // a = 1, x = 5, c = 3.
    {8101, 1, "\n\n\n\n Term:   1 + (x + 3) = ??   wenn x = 5", 9},
    // a = -2, b = 1 (the printed x), c = 3, d = 2: -2 * 1 + 3 * 2.
    {8110, 1, "\n\n\n\n Term:   -2x + 3 · 2 = ??   wenn x = 1", 4},
    // x = 4, b = 2 = c: the first coefficient is raised to 3.
    {8209, 2, "\n\n\n\n  3x - 2x = 4;  x = ??", 4},
    // x = 1, b = 6, c = 8: 2x = x + 1.
    {8211, 1, "\n\n\n\n  -6x + 8x = x + 1;  x = ??", 1},
    // a = 0 becomes 1, b = 1, x = 3, d = 2: (1 + 1) * 3 + 2.
    {10201, 1, "\n\n\n\n  x + 2 = 8 - x ", 3},
    // b = -4, c = -3, d = 4.
    {10209, 1, "\n\n\n\n  -4(x - 3) - 4x = -4x;  x = ??", 3},
    // c drawn 0 becomes -2: the minus form with 2, and 2 stored.
    {10209, 9, "\n\n\n\n  -(x - 2) - 6x = -6x;  x = ??", 2},
    // x = 7, b = 2, c = 4: 49 - 8 = 41.
    {10210, 1, "\n\n\n\n  (x - 2)(x + 4) = 2x + 41;  x = ??", 7},
    // x = 1, b = 5, c = 6: the constant -29 as a subtraction.
    {10210, 2542, "\n\n\n\n  (x - 5)(x + 6) = x - 29;  x = ??", 1},
    // x = 6, b = 9, c = 4: 36 - 36 = 0 leaves the x term alone.
    {10210, 273, "\n\n\n\n  (x - 9)(x + 4) = -5x;  x = ??", 6},
    // a = b = c = 4, x = 1: p = 18, k = 1 - 16.
    {10308, 1, "\n\n\n\n  18x - (x - 15) = 4(4x + 4) ", 1},
    // a = b = c = d = 4, x = 8: m = 1 + 24 mod 5 = 5, so 13 in the bracket and
    // w = 128 + 12 - 20.
    {10309, 1, "\n\n\n\n  4(4x + 4) - 4 = 4(13 - x) + 120 ", 8},
    // a = 0 becomes 1, b = 6, c = -2, d = 3, x = 2: u = 3 - 12 - 8, v = 18 + 8.
    {10310, 1, "\n\n\n\n  (x + 6)(-2x + 3) = -17x + 26  ", 2},
    // a = b = 5.
    {11101, 1, "\n\n\n\n2. binomische Formel\n  (5a - 5b)² = 25a² - ??ab + 25b²", 50},
    // a = 4, b = 5.
    {11105, 3, "\n\n\n\n1. binomische Formel\n  16a² + 40ab + 25b² = (??a + 5b)²", 4},
    // 5 and 5 are drawn again: 3 and 2.
    {11109, 1, "\n\n\n\n2. binomische Formel\n a² - 2ab + b² = (?? - b)²", 3},
    // 2 and 1: the triangle 3, 4, 5.
    {11111, 1, "\n\n\n\nSatz des Pythagoras\n c² = a² + b²", 5},
    // 4 and 5: the triangle 9, 40, 41, the first leg asked.
    {11112, 1, "\n\n\n\nSatz des Pythagoras\n c² = a² + b²", 9},
    // a = 3 = c: the pole moves to 4.
    {11303, 6, "\n\n\n\nFür welchen Wert von x ist der Term\n (x+3)/(4-x)\nnicht definiert?", 4},
    // x = 5 = b: b becomes 6, 5 - 6 stored.
    {11308, 1, std::string("\n\n\n\nBerechne den Wert des Bruchterms für x = 5.\n (x²-12x+36)/(x-6)") + kTip, -1},
    // a = b = 4, x = -1 would make the divisor 0: b becomes 5.
    {11312, 15, std::string("\n\n\n\nBerechne den Wert des Bruchterms für x = -1.\n (16x²+40x+25)/(4x+5)") + kTip, 1},
    // a = 4, b = 3, x = -2: the square of 4x - 3 over 4x - 3.
    {11313, 1, std::string("\n\n\n\nBerechne den Wert des Bruchterms für x = -2.\n (16x²-24x+9)/(4x-3)") + kTip, -11},
    // x = 4, b = 3.
    {12101, 1, "\n\n\n\nLöse die Bruchgleichung.\n 12/x = 3", 4},
    // x = 5, q = 1, u = 3, r = 3, k = 2: t = 13, p = 5, s = 39 - 10.
    {12106, 1, "\n\n\n\nLöse die Bruchgleichung.\n (5x+29)/(x+13) = 3", 5},
    // x = 4, r = 2, c = 3: 6/x + 2/x.
    {12107, 1, "\n\n\n\nLöse die Bruchgleichung.\n 6/x + 2/x = 2", 4},
    // x = 5 = b: the pole moves to 6.
    {12109, 1, "\n\n\n\nLöse die Bruchgleichung.\n (x²-12x+36)/(x-6) = -1", 5},
    // x = -4, b = 3.
    {12112, 1, std::string("\n\n\n\nLöse die Bruchgleichung.\n (x³+9x²+27x+27)/(x²+6x+9) = -1") + kTip, -4},
    // a = 4, b = 1, x drawn 0 becomes 3.
    {12114, 1, "\n\n\n\nLöse die Bruchgleichung.\n (16x²-8x+1)/(4x-1) = 11", 3},
};

struct DecimalExample {
    int task;
    unsigned seed;
    const char* text;
    double value;
    int places;
};

const DecimalExample kDecimalExamples[] = {
    // a = 1, b = -3, x = 3: b + x = 0, so b becomes -2.
    {8109, 1, "\n\n\n\n Term:   1 : (-2 + x) = ??   wenn x = 3", 1.0, 2},
    // x = 2, b = 1, c = 4: 4 / 8.
    {11301, 1, "\n\n\n\nBerechne den Wert des Bruchterms für x = 2.\n (x+2)/(4x)", 0.5, 3},
};

} // namespace

TEST(TermsTasks, HandWorkedExamples)
{
    for (const Example& e : kExamples) {
        GeneratedTask g = runTask(e.task, e.seed);
        EXPECT_EQ(g.text, e.text) << e.task << " seed " << e.seed;
        EXPECT_EQ(g.solution, e.solution) << e.task << " seed " << e.seed;
        EXPECT_EQ(answerKind, 0) << e.task;
    }
}

TEST(TermsTasks, HandWorkedDecimalExamples)
{
    for (const DecimalExample& e : kDecimalExamples) {
        GeneratedTask g = runTask(e.task, e.seed);
        EXPECT_EQ(g.text, e.text) << e.task;
        EXPECT_NEAR(g.decimalSolution, e.value, 1e-12) << e.task;
        EXPECT_EQ(answerKind, 4) << e.task;
        EXPECT_EQ(decimalPlaces, e.places) << e.task;
    }
}

// The Lösungsweg of a few tasks, recomputed by hand: brackets first, one
// operation a line named after a bar, the binomial formulas read backwards,
// a rounded quotient.
TEST(TermsTasks, HandCheckedSteps)
{
    const StepsExample examples[] = {
        // a = 2, x = 3, c = 2, d = 6, e = 2, f = 4: 48 - 6.
        {8113, 3, {"2 · 3 · (2 + 6) − (2 + 4) = 2 · 3 · 8 − 6 = 42"}},
        // b = 0: 3 + (-x) at x = 6, the negative number subtracted.
        {8103, 774566179, {"3 + (−6) = 3 − 6 = −3"}},
        // b = 0: 14 : x at x = 3, shown with two places.
        {8109, 11, {"14 : 3 = 4,6666... ≈ 4,67"}},
        // The x on the right over to the left, then the 2 over to the right.
        {10201, 1, {"x + 2 = 8 − x   | + x", "2x + 2 = 8   | − 2", "2x = 6   | : 2", "x = 3"}},
        {10209, 1, {"−4(x − 3) − 4x = −4x   | + 4x", "−4(x − 3) = 0   | : (−4)", "x − 3 = 0   | + 3", "x = 3"}},
        // x² + 4x - 8x - 32 against -4x - 28 leaves x² = 4; both roots count.
        {10210, 5,
         {"x² − 4x − 32 = −4x − 28   | + 4x", "x² − 32 = −28   | + 32", "x² = 4", "x = −2 oder x = 2 (beide sind richtig)"}},
        {10306, 1, {"x + x² = x + 25   | − x", "x² = 25", "x = −5 oder x = 5 (beide sind richtig)"}},
        // -2x² + 3x - 12x + 18; everything to the left, then divided by -2.
        {10310, 1,
         {"−2x² − 9x + 18 = −17x + 26   | + 17x", "−2x² + 8x + 18 = 26   | − 26", "−2x² + 8x − 8 = 0   | : (−2)",
          "(x − 2)² = 0", "x = 2"}},
        // The number from the square first, the middle term as its check.
        {11105, 2, {"(??a)² = 81a²", "81 = 9²", "Probe: 2 · 9 · 4 = 72", "Also ?? = 9"}},
        {12101, 774566179, {"4/x = 1   | · x", "x = 4"}},
        {12106, 1,
         {"(5x + 29)/(x + 13) = 3   | · (x + 13)", "5x + 29 = 3x + 39   | − 3x", "2x + 29 = 39   | − 29", "2x = 10   | : 2",
          "x = 5"}},
        {12112, 1,
         {"x³ + 9x² + 27x + 27 = (x + 3)³", "x² + 6x + 9 = (x + 3)²", "(x + 3)³ : (x + 3)² = x + 3", "x + 3 = −1   | − 3",
          "x = −4"}},
        {12113, 1,
         {"16x² + 24x + 9 = (4x + 3)²", "(4x + 3)² : (4x + 3) = 4x + 3", "4x + 3 = −5   | − 3", "4x = −8   | : 4", "x = −2"}},
    };
    expectSteps(examples);
}

TEST(TermsTasks, WholeNumberTasksKeepTheDecimalPlacesOfTheGame)
{
    for (int task : {6201, 8101, 10310, 11109, 12107}) {
        resetRecord();
        decimalPlaces = 3;
        aosrand(5);
        generateTask(task);
        EXPECT_EQ(decimalPlaces, 3) << task;
        EXPECT_EQ(answerKind, 0) << task;
    }
}

// ------------------------------------------------------------------ properties

namespace {

// Evaluates the printed formulas: numbers, the letters x, a, b, c, brackets
// () and [], + - * / :, ^ with a whole exponent, and juxtaposition, which
// binds tighter than * and / as in "(x+2)/4x" = (x + 2) / (4x).
class Formula {
public:
    Formula(std::string text, std::map<char, double> vars) : s_(std::move(text)), vars_(std::move(vars)) {}

    double value()
    {
        double v = sum();
        skip();
        if (i_ != s_.size())
            throw std::runtime_error("unread rest: " + s_.substr(i_));
        return v;
    }

private:
    void skip()
    {
        while (i_ < s_.size() && s_[i_] == ' ')
            ++i_;
    }
    char peek()
    {
        skip();
        return i_ < s_.size() ? s_[i_] : '\0';
    }
    double sum()
    {
        double v;
        if (peek() == '-') {
            ++i_;
            v = -product();
        } else {
            v = product();
        }
        for (char c; (c = peek()) == '+' || c == '-';) {
            ++i_;
            v = c == '+' ? v + product() : v - product();
        }
        return v;
    }
    double product()
    {
        double v = juxtaposed();
        for (char c; (c = peek()) == '*' || c == '/' || c == ':';) {
            ++i_;
            double w = juxtaposed();
            v = c == '*' ? v * w : v / w;
        }
        return v;
    }
    bool startsAtom(char c) { return std::isdigit(static_cast<unsigned char>(c)) || vars_.count(c) || c == '(' || c == '['; }
    double juxtaposed()
    {
        double v = powered();
        while (startsAtom(peek()))
            v *= powered();
        return v;
    }
    double powered()
    {
        double v = atom();
        if (peek() == '^') {
            ++i_;
            double e = atom();
            v = std::pow(v, e);
        }
        return v;
    }
    double atom()
    {
        char c = peek();
        if (c == '(' || c == '[') {
            ++i_;
            double v = sum();
            char close = peek();
            if (close != (c == '(' ? ')' : ']'))
                throw std::runtime_error("unclosed bracket in " + s_);
            ++i_;
            return v;
        }
        if (vars_.count(c)) {
            ++i_;
            return vars_.at(c);
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            size_t end = i_;
            while (end < s_.size() && std::isdigit(static_cast<unsigned char>(s_[end])))
                ++end;
            double v = std::stod(s_.substr(i_, end - i_));
            i_ = end;
            return v;
        }
        throw std::runtime_error("unexpected '" + std::string(1, c) + "' in " + s_);
    }

    std::string s_;
    std::map<char, double> vars_;
    size_t i_ = 0;
};

// School notation first turned into the reader's: "·" into "*", "²" and
// "³" into "^2" and "^3".
double eval(std::string text, std::map<char, double> vars)
{
    for (const auto& [from, to] : {std::pair{"·", "*"}, std::pair{"²", "^2"}, std::pair{"³", "^3"}})
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, std::string(from).size(), to);
    return Formula(text, std::move(vars)).value();
}

bool same(double a, double b) { return std::isfinite(a) && std::isfinite(b) && std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)); }

std::string between(const std::string& text, const std::string& from, const std::string& to)
{
    size_t a = text.find(from);
    if (a == std::string::npos)
        return "";
    a += from.size();
    size_t b = to.empty() ? std::string::npos : text.find(to, a);
    return text.substr(a, b == std::string::npos ? std::string::npos : b - a);
}

// An equation "lhs = rhs" at x.
bool holds(const std::string& equation, double x)
{
    size_t eq = equation.find('=');
    return same(eval(equation.substr(0, eq), {{'x', x}}), eval(equation.substr(eq + 1), {{'x', x}}));
}

// The equation holds for the stored solution and, when `others` is set, for
// no other whole number near it, except those listed (x² = a² has two roots).
std::string solvedOnlyBy(const std::string& equation, int solution, bool others, std::set<int> alsoSolving = {})
{
    if (equation.find('=') == std::string::npos)
        return "no equation in '" + equation + "'";
    if (!holds(equation, solution))
        return "does not hold for the stored solution";
    for (int y = solution - 10; others && y <= solution + 10; ++y)
        if (y != solution && !alsoSolving.count(y) && holds(equation, y))
            return "holds for " + std::to_string(y) + " too";
    for (int y : alsoSolving)
        if (!holds(equation, y))
            return "does not hold for " + std::to_string(y);
    return "";
}

// The line of the equation: after the last line break, before any ";".
std::string equationLine(const std::string& text, const std::string& after = "")
{
    std::string line = after.empty() ? text.substr(text.rfind('\n') + 1) : between(text, after, "\n");
    return line.substr(0, line.find(';'));
}

struct Checked {
    int places = -1; // -1: a whole-number answer
    std::string problem;
};

// `others`: also look for further solutions (the slow part).
Checked check(int task, const GeneratedTask& g, bool others = true)
{
    Checked c;
    const std::string& t = g.text;
    int s = g.solution;
    if (task >= 6201 && task <= 6207)
        c.problem = solvedOnlyBy(equationLine(t), s, others);
    else if (task >= 8101 && task <= 8113) {
        double x = std::stod(between(t, "wenn x = ", ""));
        double v = eval(between(t, "Term:", "= ??"), {{'x', x}});
        if (task == 8109) {
            c.places = 2;
            if (!same(g.decimalSolution, v))
                c.problem = "term gives " + std::to_string(v);
        } else if (!same(s, v)) {
            c.problem = "term gives " + std::to_string(v);
        }
    } else if ((task >= 8201 && task <= 8211) || (task >= 10201 && task <= 10310)) {
        std::set<int> also;
        if (task == 10210 || task == 10306)
            also.insert(-s);
        c.problem = solvedOnlyBy(equationLine(t), s, others, also);
    } else if (task >= 11101 && task <= 11108) {
        std::string identity = between(t, "Formel\n", "");
        identity.replace(identity.find("??"), 2, std::to_string(s));
        size_t eq = identity.find('=');
        const std::pair<double, double> samples[] = {{2, 3}, {5, -7}, {-1.5, 4}};
        for (auto [a, b] : samples)
            if (!same(eval(identity.substr(0, eq), {{'a', a}, {'b', b}}), eval(identity.substr(eq + 1), {{'a', a}, {'b', b}})))
                c.problem = "not an identity with ?? = " + std::to_string(s);
    } else if (task >= 11109 && task <= 11112) {
        // The numbers stand in the task area only; see the picture tests.
        if (s < 1)
            c.problem = "not a positive number";
    } else if (task == 11303 || task == 11304) {
        std::string term = between(t, "Term\n", "\n");
        if (std::isfinite(eval(term, {{'x', double(s)}})) || !std::isfinite(eval(term, {{'x', s + 0.5}})))
            c.problem = "the term is defined at the stored value";
    } else if (task >= 11301 && task <= 11313) {
        double x = std::stod(between(t, "für x = ", ".\n"));
        double v = eval(between(t, ".\n", "\n"), {{'x', x}});
        if (task <= 11306) {
            c.places = 3;
            if (!same(g.decimalSolution, v))
                c.problem = "term gives " + std::to_string(v);
        } else if (!same(s, v)) {
            c.problem = "term gives " + std::to_string(v);
        }
    } else if (task >= 12101 && task <= 12114) {
        std::string equation = between(t, "Bruchgleichung.\n", "\n");
        c.problem = solvedOnlyBy(equation, s, others);
    } else {
        c.problem = "not a terms task";
    }
    return c;
}

} // namespace

TEST(TermsTasks, FormulaReaderReadsThePrintedNotation)
{
    EXPECT_DOUBLE_EQ(eval("(x+6)/3x", {{'x', 2}}), 8.0 / 6);
    EXPECT_DOUBLE_EQ(eval("-6x + 8x", {{'x', 2}}), 4);
    EXPECT_DOUBLE_EQ(eval("16x^2-24x+9", {{'x', 1}}), 1);
    EXPECT_DOUBLE_EQ(eval("(-2)*[x(3 + 4)] - (1 + 2)", {{'x', 2}}), -31);
    EXPECT_DOUBLE_EQ(eval("1x -29", {{'x', 1}}), -28);
    EXPECT_DOUBLE_EQ(eval("x +( -3 )", {{'x', 1}}), -2);
    EXPECT_DOUBLE_EQ(eval("7 : (2 + x)", {{'x', 2}}), 1.75);
    EXPECT_DOUBLE_EQ(eval("-3 · (-2) - 2x² + x³", {{'x', 2}}), 6);
    EXPECT_FALSE(std::isfinite(eval("(x+3)/(4-x)", {{'x', 4}})));
    EXPECT_THROW(eval("(x+3", {{'x', 1}}), std::runtime_error);
    EXPECT_THROW(eval("6/x + 2/x)", {{'x', 1}}), std::runtime_error);
}

TEST(TermsTasks, EveryTypeIsBuilt)
{
    int terms = 0;
    for (int n : allTaskNumbers())
        if (taskFamily(n) == TaskFamily::Terms) {
            ++terms;
            GeneratedTask g = runTask(n, 1);
            EXPECT_FALSE(g.text.empty()) << n;
            EXPECT_EQ(check(n, g).problem, "") << n << ": " << g.text;
        }
    EXPECT_EQ(terms, 90);
    EXPECT_TRUE(familyBuilt(TaskFamily::Terms));
}

TEST(TermsTasks, SolutionsSolveThePrintedTasks)
{
    for (int task : allTaskNumbers()) {
        if (taskFamily(task) != TaskFamily::Terms)
            continue;
        int failures = 0;
        for (unsigned seed = 1; seed <= 2000 && failures < 3; ++seed) {
            GeneratedTask g = runTask(task, seed * 7919u);
            auto fail = [&](const std::string& why) {
                ADD_FAILURE() << task << " seed " << seed * 7919u << ": " << why << " in " << g.text;
                ++failures;
            };
            ASSERT_EQ(g.text.rfind("\n\n\n\n", 0), 0u) << task << ": " << g.text;
            ASSERT_EQ(g.text.find("nan"), std::string::npos) << g.text;
            ASSERT_EQ(g.text.find("inf"), std::string::npos) << g.text;
            Checked c;
            try {
                c = check(task, g, seed <= 100);
            } catch (const std::exception& e) {
                fail(e.what());
                continue;
            }
            if (!c.problem.empty()) {
                fail(c.problem);
                continue;
            }
            bool decimal = c.places >= 0;
            if (answerKind != (decimal ? 4 : 0) || (decimal && decimalPlaces != c.places)) {
                fail("answerKind " + std::to_string(answerKind) + ", places " + std::to_string(decimalPlaces));
                continue;
            }
            if (decimal && !std::isfinite(g.decimalSolution)) {
                fail("solution not finite");
                continue;
            }
            AnswerRows rows = buildAnswerRows(taskLevel(task), taskDifficulty(task), task);
            bool shown = decimal ? rows == AnswerRows::Decimal && rowHas(decimalOptions[taskIndex], g.decimalSolution)
                                 : rows == AnswerRows::Integer && rowHas(options[taskIndex], g.solution);
            if (!shown)
                fail("solution not among the answer squares");
        }
    }
}

TEST(TermsTasks, CoefficientRules)
{
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        // Two x terms of a difference never carry the same coefficient.
        for (int task : {8209, 8210}) {
            GeneratedTask g = runTask(task, seed);
            std::string line = equationLine(g.text);
            size_t firstX = line.find('x');
            size_t secondX = line.find('x', firstX + 1);
            std::string first = line.substr(line.find_first_of("0123456789"), firstX - line.find_first_of("0123456789"));
            std::string second = line.substr(line.find_first_of("0123456789", firstX), secondX - line.find_first_of("0123456789", firstX));
            ASSERT_NE(first, second) << g.text;
        }
        // The pole of the fraction equations never lies on the solution.
        for (int task : {12109, 12111}) {
            GeneratedTask g = runTask(task, seed);
            ASSERT_EQ(g.text.find("(x-" + std::to_string(g.solution) + ")"), std::string::npos) << g.text;
        }
        // 10209: the zero rules keep b(x + c) from vanishing.
        GeneratedTask g = runTask(10209, seed);
        ASSERT_EQ(g.text.find("\n  0("), std::string::npos) << g.text;
        ASSERT_NE(g.solution, 0) << g.text;
    }
}

TEST(TermsTasks, SameSeedSameTask)
{
    for (int task : {6205, 8113, 10305, 11112, 11306, 12106}) {
        GeneratedTask a = runTask(task, 4242);
        GeneratedTask b = runTask(task, 4242);
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.solution, b.solution);
        EXPECT_EQ(a.decimalSolution, b.decimalSolution);
    }
}

// ------------------------------------------------------------------ Lösungsweg of the equations

namespace {

bool isEquationTask(int task)
{
    return (task >= 8201 && task <= 8211) || (task >= 10201 && task <= 10310) || (task >= 12101 && task <= 12114);
}

// A step in the reader's notation: "−" as "-".
double evalStep(std::string text, double x)
{
    for (size_t at = text.find("−"); at != std::string::npos; at = text.find("−", at))
        text.replace(at, std::string("−").size(), "-");
    return eval(text, {{'x', x}});
}

// An equation line "left = right   | op", split.
struct StepEquation {
    std::string left, right, op;
};

bool readEquation(const std::string& line, StepEquation& e)
{
    const std::string bar = "   | ";
    std::string body = line.substr(0, line.find(bar));
    e.op = line.find(bar) == std::string::npos ? "" : line.substr(line.find(bar) + bar.size());
    size_t eq = body.find(" = ");
    if (eq == std::string::npos || body.find(" = ", eq + 1) != std::string::npos || body.find('x') == std::string::npos ||
        body.find("oder") != std::string::npos)
        return false;
    e.left = body.substr(0, eq);
    e.right = body.substr(eq + 3);
    return true;
}

// The side after the operation, at x.
double applied(const std::string& side, const std::string& op, double x)
{
    double v = evalStep(side, x);
    if (op.empty())
        return v;
    double term = evalStep(op.substr(op.find(' ') + 1), x);
    if (op.rfind("+ ", 0) == 0)
        return v + term;
    if (op.rfind("− ", 0) == 0)
        return v - term;
    if (op.rfind(": ", 0) == 0)
        return v / term;
    if (op.rfind("· ", 0) == 0)
        return v * term;
    throw std::runtime_error("unknown operation " + op);
}

// Points away from every pole and root of the catalog's terms.
const double kSamples[] = {0.37, 1.91, -2.3};

bool identity(const StepEquation& e)
{
    for (double x : kSamples)
        if (!same(evalStep(e.left, x), evalStep(e.right, x)))
            return false;
    return true;
}

// b is a with its operation applied: each side, or the sides swapped.
bool follows(const StepEquation& a, const StepEquation& b)
{
    bool straight = true, swapped = true;
    for (double x : kSamples) {
        double l = applied(a.left, a.op, x), r = applied(a.right, a.op, x);
        straight = straight && same(evalStep(b.left, x), l) && same(evalStep(b.right, x), r);
        swapped = swapped && same(evalStep(b.left, x), r) && same(evalStep(b.right, x), l);
    }
    return straight || swapped;
}

// One term a line: "+ 3x", "− 2", ": (−3)", "· (x + 13)".
bool oneTerm(const std::string& op)
{
    if (op.rfind(": ", 0) == 0 || op.rfind("· ", 0) == 0)
        return true;
    std::string term = op.substr(op.find(' ') + 1);
    return term.find(' ') == std::string::npos && term.find('(') == std::string::npos;
}

} // namespace

// Every equation line of the equation types holds for the solution; each
// comes from the one before by the operation written after its bar, one
// term at a time (or by working out a side, or it is an identity such as a
// binomial formula); the task's own equation starts the chain. No chain
// states a term equal to itself ("3 + (-6) = 3 + (-6)").
TEST(TermsTasks, EveryEquationStepNamesTheOperationThatLeadsToTheNext)
{
    std::map<int, int> barred;
    for (int task : allTaskNumbers()) {
        if (taskFamily(task) != TaskFamily::Terms)
            continue;
        for (unsigned seed = 1; seed <= 200; ++seed) {
            GeneratedTask g = runTask(task, seed * 7919u);
            const std::vector<std::string>& steps = taskSteps[taskIndex];
            const std::string where = std::to_string(task) + " seed " + std::to_string(seed * 7919u) + ": ";
            for (const std::string& line : steps) {
                size_t at = 0;
                std::string last;
                for (size_t next; (next = line.find(" = ", at)) != std::string::npos; at = next + 3) {
                    ASSERT_NE(line.substr(at, next - at), last) << where << line;
                    last = line.substr(at, next - at);
                }
                ASSERT_NE(line.substr(at), last) << where << line;
            }
            if (!isEquationTask(task))
                continue;
            StepEquation previous;
            std::string firstLine = task >= 12101 ? between(g.text, "Bruchgleichung.\n ", "\n") : equationLine(g.text);
            firstLine = firstLine.substr(firstLine.find_first_not_of(' '));
            bool chained = readEquation(firstLine.substr(0, firstLine.find_last_not_of(' ') + 1), previous);
            for (const std::string& line : steps) {
                StepEquation e;
                if (!readEquation(line, e)) {
                    chained = false;
                    continue;
                }
                ASSERT_TRUE(same(evalStep(e.left, g.solution), evalStep(e.right, g.solution))) << where << line;
                if (!e.op.empty()) {
                    ++barred[task];
                    ASSERT_TRUE(oneTerm(e.op)) << where << line;
                }
                // "(x - 2)² = 0" gives "x = 2" by no operation on both sides.
                const bool root = previous.op.empty() && e.left == "x" && &line == &steps.back();
                if (chained && !root && !identity(previous) && !identity(e))
                    ASSERT_TRUE(follows(previous, e)) << where << "\"" << line << "\" after \"" << previous.left
                                                      << " = " << previous.right << "   | " << previous.op << "\"";
                previous = e;
                chained = true;
            }
        }
    }
    for (int task : allTaskNumbers())
        if (isEquationTask(task) && taskFamily(task) == TaskFamily::Terms)
            EXPECT_GT(barred[task], 0) << task << " never names an operation";
}

// x² = a² is solved by a and -a. Both are right when typed (the judges take
// alsoRight), no square shows -a, and the Lösungsweg says both count.
TEST(TermsTasks, BothRootsOfASquareAreRight)
{
    for (int task : {10210, 10306})
        for (unsigned seed = 1; seed <= 200; ++seed) {
            GeneratedTask g = runTask(task, seed);
            const int a = g.solution;
            ASSERT_GT(a, 0) << task;
            ASSERT_TRUE(alsoRight && alsoRight(-a)) << task << " seed " << seed;
            for (int v = a - 30; v <= a + 30; ++v)
                if (v != a && v != -a)
                    ASSERT_FALSE(alsoRight(v)) << task << " seed " << seed << ": " << v;
            ASSERT_TRUE(holds(equationLine(g.text), -a)) << g.text;
            ASSERT_EQ(buildAnswerRows(taskLevel(task), taskDifficulty(task), task), AnswerRows::Integer);
            ASSERT_FALSE(rowHas(options[taskIndex], -a)) << task << " seed " << seed;
            ASSERT_EQ(taskSteps[taskIndex].back(),
                      "x = −" + std::to_string(a) + " oder x = " + std::to_string(a) + " (beide sind richtig)");
        }
}

// ------------------------------------------------------------------ task area

namespace {

constexpr int kPaper = 0xFFFFFF;
constexpr int kInk = 0x000000;

class TermsPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        area.width = 1280;
        area.height = 720;
        ASSERT_TRUE(aopxmap_allocate(&area));
        aopxmap_clear(&area, kPaper);
        aographic_settarget(&area);
    }
    void TearDown() override { aographic_settarget(nullptr); }

    GeneratedTask draw(int task, unsigned seed) { return runTask(task, seed); }

    int at(int x, int y) const { return aopxmap_getpixel(&area, x, y); }
    int inkIn(int x0, int y0, int w, int h) const
    {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                n += at(x, y) == kInk;
        return n;
    }
    int topInk(int x0, int w) const
    {
        for (int y = 0; y < area.height; ++y)
            for (int x = x0; x < x0 + w; ++x)
                if (at(x, y) == kInk)
                    return y;
        return -1;
    }

    aoPixmap area;
};

} // namespace

TEST_F(TermsPicture, FractionTermSetsNumeratorBarAndDenominator)
{
    // x = 5, b = 5: (x^2+10x+25)/(x+5). The numerator is "x", a small "2" and
    // "+10x+25": 8 cells of 16 pixels and one of 11, so the bar runs 100..239.
    draw(11307, 1);
    EXPECT_EQ(at(100, 149), kInk);
    EXPECT_EQ(at(239, 149), kInk);
    EXPECT_EQ(at(99, 149), kPaper);
    EXPECT_EQ(at(241, 149), kPaper);
    EXPECT_GT(inkIn(100, 120, 139, 28), 0);            // numerator
    EXPECT_GT(inkIn(145, 150, 48, 27), 0);             // "x+5", centred under it
    EXPECT_EQ(inkIn(100, 150, 44, 27), 0);             // nothing left of it
    EXPECT_GT(inkIn(239, 138, 5 * 16, 27), 0);         // "  = ?"
    EXPECT_LT(topInk(116, 11), topInk(100, 16));       // the exponent stands higher than the x
    EXPECT_EQ(inkIn(0, 0, 1280, 110), 0);              // nothing above the formula
}

TEST_F(TermsPicture, BinomialFormulaStandsOnOneLine)
{
    draw(11101, 1);
    EXPECT_EQ(inkIn(0, 0, 1280, 130), 0);
    EXPECT_GT(inkIn(100, 130, 600, 40), 0);
    EXPECT_EQ(inkIn(0, 170, 1280, 550), 0);
}

TEST_F(TermsPicture, ExpandedNumbersOnASecondLine)
{
    draw(11109, 1);
    EXPECT_GT(inkIn(100, 112, 500, 40), 0);
    EXPECT_GT(inkIn(100, 192, 500, 40), 0);
}

TEST_F(TermsPicture, EquationsWithoutFormulaLeaveTheAreaAlone)
{
    for (int task : {6201, 8113, 10310}) {
        draw(task, 1);
        EXPECT_EQ(inkIn(0, 0, 1280, 720), 0) << task;
    }
}
