// Terms and equations: the value of a term for a given x, linear equations,
// missing coefficients of the binomial formulas, values and poles of fraction
// terms, and fraction equations. Every task is built backwards: the answer is
// drawn first and the printed coefficients are computed from it, so the
// printed equation always holds for the stored answer.
//
// The binomial, fraction-term and fraction-equation tasks also set their
// formula into the task area: fractions as numerator over bar over
// denominator, exponents small and raised.
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "answer_rows.h"
#include "catalog.h"
#include "families.h"
#include "notation.h"

namespace {

// ------------------------------------------------------------ formula setting

constexpr const char* kFormulaFont = "crnew28b";
constexpr const char* kExponentFont = "crnew18b";
constexpr int kFormulaLeft = 100;
constexpr int kNumeratorY = 120;
constexpr int kDenominatorY = 150;
constexpr int kBarY = 149;
constexpr int kResultY = 138;
constexpr int kSecondLineY = 200;
// Exponent cells start this far above the cell of the text they follow,
// which puts their ink over the upper half of a lower-case letter and keeps
// a denominator's exponent clear of the fraction bar.
constexpr int kExponentRaise = 2;
constexpr int kBlack = 0x000000;

std::string format(const char* fmt, ...) AO_PRINTF(1, 2);
std::string format(const char* fmt, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

// The game registers the stored fonts at start-up; a generator run on its
// own (the catalog tool, tests) finds them here instead of a stand-in.
int fontHandle(const char* name)
{
    int handle = aofont_find(name);
    if (handle < 0) {
        aofont_loadcouriernew();
        handle = aofont_find(name);
    }
    return handle;
}

struct FormulaFonts {
    int big;
    int small;
};

// Registered fonts stay registered, so the handles are looked up once.
FormulaFonts formulaFonts()
{
    static FormulaFonts fonts{-1, -1};
    if (fonts.big < 0 || fonts.small < 0)
        fonts = {fontHandle(kFormulaFont), fontHandle(kExponentFont)};
    return fonts;
}

// A formula is plain text in which "^" starts an exponent of digits.
struct FormulaPiece {
    std::string text;
    bool exponent;
};

std::vector<FormulaPiece> splitFormula(const std::string& formula)
{
    std::vector<FormulaPiece> pieces;
    std::string run;
    for (size_t i = 0; i < formula.size(); ++i) {
        if (formula[i] != '^') {
            run += formula[i];
            continue;
        }
        if (!run.empty())
            pieces.push_back({run, false});
        run.clear();
        std::string digits;
        while (i + 1 < formula.size() && formula[i + 1] >= '0' && formula[i + 1] <= '9')
            digits += formula[++i];
        if (!digits.empty())
            pieces.push_back({digits, true});
    }
    if (!run.empty())
        pieces.push_back({run, false});
    return pieces;
}

int formulaWidth(const std::string& formula)
{
    FormulaFonts fonts = formulaFonts();
    int width = 0;
    for (const FormulaPiece& p : splitFormula(formula))
        width += aofont_textwidth(p.exponent ? fonts.small : fonts.big, p.text.c_str());
    return width;
}

// Draws the formula with its cells' top at y; returns the x after it.
int drawFormula(int x, int y, const std::string& formula)
{
    FormulaFonts fonts = formulaFonts();
    for (const FormulaPiece& p : splitFormula(formula)) {
        int handle = p.exponent ? fonts.small : fonts.big;
        aographic_setfonthandle(handle);
        aographic_text(x, p.exponent ? y - kExponentRaise : y, kBlack, p.text.c_str());
        x += aofont_textwidth(handle, p.text.c_str());
    }
    aographic_setfonthandle(fonts.big);
    return x;
}

// Numerator over denominator, the bar as wide as the wider of the two (the
// numerator in the usual case) and both centred on it. Returns the x after it.
int drawFraction(int x, const std::string& numerator, const std::string& denominator)
{
    int wn = formulaWidth(numerator);
    int wd = formulaWidth(denominator);
    int w = std::max(wn, wd);
    drawFormula(x + (w - wn) / 2, kNumeratorY, numerator);
    drawFormula(x + (w - wd) / 2, kDenominatorY, denominator);
    aographic_line(x, kBarY, x + w, kBarY, kBlack);
    return x + w;
}

// A fraction term with its result text ("  = ?" or "   = 7") beside it.
void setFraction(const std::string& numerator, const std::string& denominator, const std::string& result)
{
    int x = drawFraction(kFormulaLeft, numerator, denominator);
    if (!result.empty())
        drawFormula(x, kResultY, result);
}

std::string equalsValue(int v) { return format("   = %d", v); }
const char* const kAskValue = "  = ?";

// ------------------------------------------------------------ school notation

// " + 3x", " - x": a term joined onto what comes before it.
std::string termAppend(int coef, const char* var = "x")
{
    return (coef < 0 ? " - " : " + ") + deTerm(coef < 0 ? -coef : coef, var);
}

// A number followed by a term, as in "9 - x"; the term alone for a 0.
std::string numberThenTerm(int number, int coef, const char* var = "x")
{
    return number == 0 ? deTerm(coef, var) : std::to_string(number) + termAppend(coef, var);
}

// The factor in front of a bracket: "3", "-" for -1, nothing for 1.
std::string bracketFactor(int a) { return a == 1 ? "" : a == -1 ? "-" : std::to_string(a); }

// The task area sets "^2" as a raised digit; the terminal prints "²", "³".
std::string superscripts(std::string s)
{
    for (const auto& [from, to] : {std::pair{"^2", "²"}, std::pair{"^3", "³"}})
        for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at))
            s.replace(at, 2, to);
    return s;
}

// ------------------------------------------------------------ Lösungsweg of linear equations
//
// As at school, one operation a line, written after a bar at the end of the
// line it is applied to ("2x + 2 = 8   | − 2"), so that a pupil who moved a
// term with the wrong sign sees the rule.

// The operation that takes the term coef·x, or the number, to the other side.
std::string moveTerm(int coef) { return "   |" + termAppend(-coef); }
std::string moveNumber(int number) { return "   |" + deSignedAppend(-number); }

// coef·x = rhs, divided by coef.
void solvedStep(int coef, int rhs, int x)
{
    if (coef != 1)
        taskStep("%s = %d   | : %s", deTerm(coef, "x").c_str(), rhs, deOperand(coef).c_str());
    taskStep("x = %d", x);
}

// One side of a linear equation: coef·x + constant, "3x + 4", or "4 + 3x"
// where the task writes the number first.
struct Side {
    int coef;
    int constant;
    bool numberFirst = false;
};

std::string sideText(Side s)
{
    return s.numberFirst && s.coef != 0 ? numberThenTerm(s.constant, s.coef) : deLinear(s.coef, s.constant, "x");
}

// left = right solved for x: the x term of the right side over to the left,
// the number of the left side over to the right, then divided. The first
// line is left = right itself.
void linearSteps(Side left, Side right, int x)
{
    if (right.coef != 0) {
        taskStep("%s = %s%s", sideText(left).c_str(), sideText(right).c_str(), moveTerm(right.coef).c_str());
        left.numberFirst = left.numberFirst || left.coef == 0; // "2 = 8 - x" becomes "2 + x = 8"
        left.coef -= right.coef;
        right.coef = 0;
    }
    if (left.constant != 0) {
        taskStep("%s = %s%s", sideText(left).c_str(), sideText(right).c_str(), moveNumber(left.constant).c_str());
        right.constant -= left.constant;
        left.constant = 0;
    }
    solvedStep(left.coef, right.constant, x);
}

// ------------------------------------------------------------ 6201-6207

const char* const kBalanceOpening = "\n\n\n\nWie groß muss die Zahl x sein,\n"
                                    "wenn links und rechts des Gleichheitszeichens\n"
                                    "das gleiche Ergebnis stehen soll?";

void balanceSum(int taskNumber)
{
    int a = drawRange(2, 11);
    int b = drawRange(2, 11);
    int c = drawRange(1, 4);
    switch (taskNumber) {
    case 6201: taskPrintf("%s\n%d + %d = %d + x; x = ?", kBalanceOpening, a, b, c); break;
    case 6202: taskPrintf("%s\n%d + x = %d + %d; x = ?", kBalanceOpening, c, a, b); break;
    case 6203: taskPrintf("%s\n%d + %d = x + %d; x = ?", kBalanceOpening, a, b, c); break;
    default: taskPrintf("%s\nx + %d = %d + %d; x = ?", kBalanceOpening, c, a, b); break;
    }
    sol() = a + b - c;
    taskStep("%d + %d = %d", a, b, a + b);
    taskStep("x = %d - %d = %d", a + b, c, sol());
}

void balanceDifference(int taskNumber)
{
    int a = drawRange(2, 6);
    int b = drawRange(2, 6);
    int c = drawRange(1, 4);
    switch (taskNumber) {
    case 6205:
        taskPrintf("%s\n%d + %d = %d - x; x = ?", kBalanceOpening, a, b, a + b + c);
        sol() = c;
        taskStep("%d + %d = %d", a, b, a + b);
        taskStep("x = %d - %d = %d", a + b + c, a + b, c);
        break;
    case 6206:
        taskPrintf("%s\n%d + %d = x - %d; x = ?", kBalanceOpening, a, b, c);
        sol() = a + b + c;
        taskStep("%d + %d = %d", a, b, a + b);
        taskStep("x = %d + %d = %d", a + b, c, a + b + c);
        break;
    default:
        // a + b + c - x = 2a + b - a holds for x = c.
        taskPrintf("%s\n%d - x = %d - %d; x = ?", kBalanceOpening, a + b + c, 2 * a + b, a);
        sol() = c;
        taskStep("%d - %d = %d", 2 * a + b, a, a + b);
        taskStep("x = %d - %d = %d", a + b + c, a + b, c);
        break;
    }
}

// ------------------------------------------------------------ 8101-8113: value of a term

// Each prints the term with x, then the term with the value put in, the
// brackets worked out first. A summand 0 is left out of the printed term.
const char* const kTermValue = "\n\n\n\n Term:   %s = ??   wenn x = %d";

void task8101()
{
    int a = drawRange(-5, 4);
    int b = drawRange(1, 9); // x
    int c = drawRange(1, 9);
    sol() = a + b + c;
    if (a == 0) {
        taskPrintf(kTermValue, format("x + %d", c).c_str(), b);
        taskStep("%d + %d = %d", b, c, sol());
    } else {
        taskPrintf(kTermValue, format("%d + (x + %d)", a, c).c_str(), b);
        taskStep("%d + (%d + %d) = %d + %d = %d", a, b, c, a, b + c, sol());
    }
}

// 8102, 8106: a - (x + c), the a left out when it is 0.
void minusBracket(int aLo, int aHi, int xLo, int xHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(xLo, xHi); // x
    int c = drawRange(1, 9);
    sol() = a - b - c;
    if (a == 0) {
        taskPrintf(kTermValue, format("-(x + %d)", c).c_str(), b);
        taskStep("-(%d + %d) = %d", b, c, sol());
    } else {
        taskPrintf(kTermValue, format("%d - (x + %d)", a, c).c_str(), b);
        taskStep("%d - (%d + %d) = %d - %s = %d", a, b, c, a, deOperand(b + c).c_str(), sol());
    }
}

void task8102() { minusBracket(-5, 4, -4, 4); }

void task8103()
{
    int a = drawRange(-5, 4);
    int b = drawRange(-5, 3);
    int c = drawRange(1, 9); // x
    sol() = a + b - c;
    const std::string inner = b == 0 ? "-x" : format("%d - x", b);
    const std::string innerAt = b == 0 ? format("-%d", c) : format("%d - %d", b, c);
    if (a == 0) {
        taskPrintf(kTermValue, inner.c_str(), c);
        if (b == 0)
            taskStep("x = %d, also -x = %d", c, sol());
        else
            taskStep("%s = %d", innerAt.c_str(), sol());
    } else {
        taskPrintf(kTermValue, format("%d + (%s)", a, inner.c_str()).c_str(), c);
        if (b == 0) // "3 + (-6)": plus a negative number is minus its Betrag
            taskStep("%d + (-%d) = %d - %d = %d", a, c, a, c, sol());
        else
            taskStep("%d + (%s) = %d + %s = %d", a, innerAt.c_str(), a, deOperand(b - c).c_str(), sol());
    }
}

void task8104()
{
    int a = drawRange(-5, 4); // x
    int b = drawRange(-5, 3);
    int c = drawRange(1, 9);
    sol() = a - b + c;
    if (b == 0) {
        taskPrintf(kTermValue, format("x - (-%d)", c).c_str(), a);
        taskStep("%d - (-%d) = %d + %d = %d", a, c, a, c, sol());
    } else {
        taskPrintf(kTermValue, format("x - (%d - %d)", b, c).c_str(), a);
        taskStep("%d - (%d - %d) = %d - %s = %d", a, b, c, a, deOperand(b - c).c_str(), sol());
    }
}

void task8105()
{
    int a = drawRange(-10, 9);
    int b = drawRange(-10, 9);
    int c = drawRange(1, 9); // x
    sol() = a + b + c;
    if (a == 0 && b == 0) {
        taskPrintf(kTermValue, "x", c);
        taskStep("x = %d", c);
    } else if (a == 0 || b == 0) {
        const int n = a + b;
        taskPrintf(kTermValue, format("%d + x", n).c_str(), c);
        taskStep("%d + %d = %d", n, c, sol());
    } else {
        taskPrintf(kTermValue, format("%d + (%d + x)", a, b).c_str(), c);
        taskStep("%d + (%d + %d) = %d + %s = %d", a, b, c, a, deOperand(b + c).c_str(), sol());
    }
}

void task8106() { minusBracket(-10, 9, -10, 9); }

// 8107, 8108: the same product, with and without the multiplication sign.
// A bracket (0 - c) is printed as (-c), after a "·" in both.
void xTimesDifference(int taskNumber)
{
    int a = drawRange(-5, 4); // x
    int b = drawRange(-5, 3);
    int c = drawRange(1, 9);
    sol() = a * (b - c);
    const char* times = taskNumber == 8107 ? " · " : "";
    if (b == 0) {
        taskPrintf(kTermValue, format("x · (-%d)", c).c_str(), a);
        taskStep("%s · (-%d) = %d", deOperand(a).c_str(), c, sol());
    } else {
        taskPrintf(kTermValue, format("x%s(%d - %d)", times, b, c).c_str(), a);
        taskStep("%s · (%d - %d) = %s · %s = %d", deOperand(a).c_str(), b, c, deOperand(a).c_str(),
                 deOperand(b - c).c_str(), sol());
    }
}

void task8109()
{
    int a = drawRange(-15, 14);
    int b = drawRange(-7, 1);
    int c = drawRange(1, 9); // x
    if (b + c == 0)
        b = b + 1;
    // 0 over a negative number is -0.0, which would print as "-0,00".
    const double value = a == 0 ? 0.0 : static_cast<double>(a) / (b + c);
    decimalAnswer(value, 2);
    if (b == 0) {
        taskPrintf(kTermValue, format("%d : x", a).c_str(), c);
        taskStep("%d : %d = %s", a, c, deRounded(value, 2).c_str());
    } else {
        taskPrintf(kTermValue, format("%d : (%d + x)", a, b).c_str(), c);
        taskStep("%d : (%d + %d) = %d : %s = %s", a, b, c, a, deOperand(b + c).c_str(),
                 deRounded(value, 2).c_str());
    }
}

// "a · x" with the value v put in for x.
std::string timesValue(int a, int v)
{
    if (a == 1)
        return std::to_string(v);
    if (a == -1)
        return "-" + deOperand(v);
    return std::to_string(a) + " · " + deOperand(v);
}

// " + k · v", " - k · v": the term kx joined on, the value v put in for x.
std::string appendTimesValue(int k, int v)
{
    const int m = k < 0 ? -k : k;
    return (k < 0 ? " - " : " + ") + (m == 1 ? deOperand(v) : timesValue(m, v));
}

// The term is a·x + c·d and the printed x is b.
void task8110()
{
    int a = drawRange(-3, 1);
    int b = drawRange(-3, 2);
    int c = drawRange(-3, 3);
    int d = drawRange(-3, 3);
    if (a == 0)
        a = 1;
    if (b == 0)
        b = -5;
    if (c == 0)
        c = -5;
    sol() = a * b + c * d;
    const std::string product = format("%s %d · %s", c < 0 ? "-" : "+", c < 0 ? -c : c, deOperand(d).c_str());
    taskPrintf(kTermValue, format("%s %s", deTerm(a, "x").c_str(), product.c_str()).c_str(), b);
    taskStep("%s %s = %d%s = %d", timesValue(a, b).c_str(), product.c_str(), a * b, deSignedAppend(c * d).c_str(),
             sol());
}

void task8111()
{
    int a = drawRange(-3, 2);
    int b = drawRange(-3, 2);
    int c = drawRange(-4, 3);
    int d = drawRange(-3, 3); // x
    if (a == 0)
        a = 1;
    if (b == 0)
        b = -5;
    if (c == 0)
        c = -5;
    sol() = a * b - c * d;
    taskPrintf(kTermValue, format("%d · %s%s", a, deOperand(b).c_str(), termAppend(-c).c_str()).c_str(), d);
    taskStep("%d · %s%s = %d%s = %d", a, deOperand(b).c_str(), appendTimesValue(-c, d).c_str(), a * b,
             deSignedAppend(-c * d).c_str(), sol());
}

void task8112()
{
    int a = drawRange(-4, 3); // x
    int b = drawRange(2, 7);
    drawRange(-4, 3); // drawn, never shown
    int d = drawRange(1, 7);
    if (a == 0)
        a = 1;
    taskPrintf(kTermValue, format("(x + %d) - (x + %d)", b, d).c_str(), a);
    sol() = b - d;
    taskStep("(%d + %d) - (%d + %d) = %d - %s = %d", a, b, a, d, a + b, deOperand(a + d).c_str(), sol());
}

void task8113()
{
    int a = drawRange(-4, 3);
    int b = drawRange(2, 7); // x
    int c = drawRange(-4, 3);
    int d = drawRange(1, 7);
    int e = drawRange(-4, 2);
    int f = drawRange(1, 6);
    if (a == 0)
        a = 1;
    if (c == 0)
        c = -5;
    sol() = a * b * (c + d) - (e + f);
    // a · [x(c + d)] as a textbook nests it; the steps use round brackets.
    const std::string factor = a == 1 ? "" : a == -1 ? "-" : format("%d · ", a);
    const std::string inner = format("x(%d + %d)", c, d);
    const std::string first = a == 1 || a == -1 ? factor + inner : factor + "[" + inner + "]";
    const std::string minus = e == 0 ? format(" - %d", f) : format(" - (%d + %d)", e, f);
    taskPrintf(kTermValue, (first + minus).c_str(), b);
    taskStep("%s%d · (%d + %d)%s = %s%d · %s - %s = %d", factor.c_str(), b, c, d, minus.c_str(), factor.c_str(), b,
             deOperand(c + d).c_str(), deOperand(e + f).c_str(), sol());
}

// ------------------------------------------------------------ 8201-8211: simple equations

void task8201(int taskNumber)
{
    int a = drawRange(2, 10); // x
    int b = drawRange(1, 9);
    const int constant = taskNumber == 8201 ? b : -b;
    taskPrintf("\n\n\n\n  %s = %d;  x = ??", sideText({1, constant}).c_str(), a + constant);
    sol() = a;
    linearSteps({1, constant}, {0, a + constant}, a);
}

void task8203(int taskNumber)
{
    int a = drawRange(2, 10);
    int b = drawRange(1, 9); // x
    drawRange(1, 9);         // drawn, never used
    if (taskNumber == 8203)
        taskPrintf("\n\n\n\n  %dx = %d;  x = ??", a, a * b);
    else
        taskPrintf("\n\n\n\n  %d = %dx;  x = ??", a * b, a);
    sol() = b;
    solvedStep(a, a * b, b);
}

void task8205()
{
    int a = drawRange(2, 10);
    taskPrintf("\n\n\n\n  x + x = %d;  x = ??", 2 * a);
    sol() = a;
    solvedStep(2, 2 * a, a);
}

void task8206(int taskNumber)
{
    int a = drawRange(2, 10); // x
    int b = drawRange(2, 10);
    if (taskNumber == 8206)
        taskPrintf("\n\n\n\n  %dx + x = %d;  x = ??", b, a * b + a);
    else
        taskPrintf("\n\n\n\n  x + %dx = %d;  x = ??", b, a * b + a);
    sol() = a;
    solvedStep(b + 1, a * b + a, a);
}

// 8208-8210: two x terms; a difference needs two different coefficients.
void twoXTerms(int taskNumber)
{
    int a = drawRange(2, 7); // x
    int b = drawRange(2, 7);
    int c = drawRange(2, 7);
    if (taskNumber != 8208 && c == b)
        b = b + 1;
    int coef = 0;
    switch (taskNumber) {
    case 8208:
        taskPrintf("\n\n\n\n  %dx + %dx = %d;  x = ??", b, c, a * (b + c));
        coef = b + c;
        break;
    case 8209:
        taskPrintf("\n\n\n\n  %dx - %dx = %d;  x = ??", b, c, a * (b - c));
        coef = b - c;
        break;
    default:
        taskPrintf("\n\n\n\n  -%dx + %dx = %d;  x = ??", b, c, a * (c - b));
        coef = c - b;
        break;
    }
    sol() = a;
    solvedStep(coef, a * coef, a);
}

// -bx + cx = x + a(c - b - 1): the rules keep c - b - 1 away from 0.
void task8211()
{
    int a = drawRange(-3, 5); // x
    int b = drawRange(2, 8);
    int c = drawRange(2, 8);
    if (a == 0)
        a = 1;
    if (c == b)
        b = b + 1;
    if (c - b == 1)
        c = c + 1;
    const int r = a * (c - b - 1);
    taskPrintf("\n\n\n\n  -%dx + %dx = x%s;  x = ??", b, c, deSignedAppend(r).c_str());
    sol() = a;
    linearSteps({c - b, 0}, {1, r}, a);
}

// ------------------------------------------------------------ 10201-10210

// x terms on both sides: ax ± d = r ∓ bx, solved by c.
void xOnBothSides(int taskNumber)
{
    int a = drawRange(-4, 4);
    int b = drawRange(1, 5);
    int c = drawRange(1, 9); // x
    int d = drawRange(1, 9);
    if (a == 0)
        a = 1;
    bool opposite = taskNumber == 10201 || taskNumber == 10202; // b·x on the other side with a minus
    if (opposite && a == -b)
        a = a + 1;
    if (!opposite && a == b)
        a = a + 1;
    Side left{a, 0}, right{0, 0};
    switch (taskNumber) {
    case 10201: left.constant = d, right = {-b, (a + b) * c + d, true}; break;
    case 10202: left.constant = -d, right = {-b, (a + b) * c - d, true}; break;
    case 10203: left.constant = -d, right = {b, (a - b) * c - d, true}; break;
    default: left.constant = d, right = {b, (a - b) * c + d, true}; break;
    }
    // An a made 0 by the rules above leaves the number alone on the left.
    taskPrintf("\n\n\n\n  %s = %s ", sideText(left).c_str(), sideText(right).c_str());
    sol() = c;
    linearSteps(left, right, c);
}

void task10205(int taskNumber)
{
    int a = drawRange(-9, 9);
    int b = drawRange(1, 9);
    int c = drawRange(-9, 9); // x
    const int coef = taskNumber == 10205 ? -b : b;
    taskPrintf("\n\n\n\n  %s = %d ", numberThenTerm(a, coef).c_str(), a + coef * c);
    sol() = c;
    linearSteps({coef, a, true}, {0, a + coef * c}, c);
}

// ax - bx = r, at level 10 with any x, at 10307 with x not 0.
void differenceOfXTerms(int a, int b, int c)
{
    taskPrintf("\n\n\n\n  %s%s = %d ", deTerm(a, "x").c_str(), termAppend(-b).c_str(), (a - b) * c);
    sol() = c;
    solvedStep(a - b, (a - b) * c, c);
}

void task10207()
{
    int a = drawRange(1, 9);
    int b = drawRange(1, 9);
    int c = drawRange(-9, 9); // x
    if (b == a)
        b = b + 1;
    differenceOfXTerms(a, b, c);
}

void task10208()
{
    int a = drawRange(-4, 5); // x
    int b = drawRange(-4, 5);
    int c = drawRange(2, 9);
    int d = drawRange(2, 9);
    if (a == 0)
        a = -10;
    if (b == 0)
        b = 1;
    if (b + c == d)
        d = d + 1;
    const int r = (b + c - d) * a;
    taskPrintf("\n\n\n\n  %s%s = %s;  x = ??", deTerm(b, "x").c_str(), termAppend(c).c_str(),
               sideText({d, r}).c_str());
    sol() = a;
    linearSteps({b + c, 0}, {d, r}, a);
}

// b(x + c) - dx = -dx leaves bx = -bc.
void task10209()
{
    drawRange(-4, 5); // drawn, never used
    int b = drawRange(-4, 5);
    int c = drawRange(-5, 6);
    int d = drawRange(2, 9);
    if (b == 0 || b == 1)
        b = b + 1;
    if (c == 0)
        c = -2;
    const std::string bracket = format("%s(x%s)", bracketFactor(b).c_str(), deSignedAppend(c).c_str());
    taskPrintf("\n\n\n\n  %s - %dx = -%dx;  x = ??", bracket.c_str(), d, d);
    sol() = -c;
    taskStep("%s - %dx = -%dx   | + %dx", bracket.c_str(), d, d, d);
    taskStep("%s = 0   | : %s", bracket.c_str(), deOperand(b).c_str());
    linearSteps({1, c}, {0, 0}, -c);
}

// x² = a²: both roots solve the task and both are judged right; the squares
// show a only (see alsoRight), so the line says why the other is right too.
void squareRoots(int a)
{
    taskStep("x² = %d", a * a);
    taskStep("x = -%d oder x = %d (beide sind richtig)", a, a);
}

// (x - b)(x + c) = (c - b)x + a² - bc leaves x² = a².
void task10210()
{
    int a = drawRange(1, 10); // x
    int b = drawRange(2, 11);
    int c = drawRange(2, 11);
    if (c == b)
        c = c + 1;
    int constant = a * a - b * c;
    const std::string right = sideText({c - b, constant});
    taskPrintf("\n\n\n\n  (x - %d)(x + %d) = %s;  x = ??", b, c, right.c_str());
    sol() = a;
    alsoRight = [a](int x) { return x == -a; };
    taskStep("x²%s%s = %s%s", termAppend(c - b).c_str(), deSignedAppend(-b * c).c_str(), right.c_str(),
             moveTerm(c - b).c_str());
    taskStep("x² - %d = %d%s", b * c, constant, moveNumber(-b * c).c_str());
    squareRoots(a);
}

// ------------------------------------------------------------ 10301-10310: brackets

// a(bx ± c) = r ± ex with x = d; r is what makes the sides agree at d.
void bracketEquation(int taskNumber)
{
    int a, b, c, d, e;
    if (taskNumber == 10301) {
        a = drawRange(2, 5);
        b = drawRange(2, 5);
        c = drawRange(1, 9);
        d = drawRange(1, 9);
        e = drawRange(1, 9);
    } else if (taskNumber == 10305) {
        a = drawRange(-5, 4);
        b = drawRange(1, 5);
        c = drawRange(1, 9);
        d = drawRange(-9, 9);
        e = drawRange(1, 9);
        if (a == 0)
            a = -1;
        if (d == 0)
            d = 2;
        if (a * b + e == 0)
            e = e + 1;
    } else {
        a = drawRange(2, 5);
        b = drawRange(2, 5);
        c = drawRange(1, 9);
        d = drawRange(-5, 9);
        e = drawRange(1, 9);
        if (d == 0)
            d = 1;
        // With +ex on the right the x terms would cancel.
        if (taskNumber != 10304 && e == a * b)
            e = e + 1;
    }
    const int inner = taskNumber == 10303 || taskNumber == 10304 ? -c : c; // the bracket's number
    const int ex = taskNumber == 10302 || taskNumber == 10303 ? e : -e;    // the x term on the right
    const Side left{a * b, a * inner};
    const Side right{ex, (a * b - ex) * d + a * inner, true};
    taskPrintf("\n\n\n\n  %s(%s) = %s ", bracketFactor(a).c_str(), sideText({b, inner}).c_str(),
               sideText(right).c_str());
    sol() = d;
    // The first line is the bracket multiplied out.
    linearSteps(left, right, d);
}

// x(a + x) = ax + b² leaves x² = b².
void task10306()
{
    int a = drawRange(-3, 2);
    int b = drawRange(1, 9); // x
    if (a == 0)
        a = -2;
    taskPrintf("\n\n\n\n  x(%d + x) = %s ", a, sideText({a, b * b}).c_str());
    sol() = b;
    alsoRight = [b](int x) { return x == -b; };
    taskStep("%s + x² = %s%s", deTerm(a, "x").c_str(), sideText({a, b * b}).c_str(), moveTerm(a).c_str());
    squareRoots(b);
}

void task10307()
{
    int a = drawRange(2, 10);
    int b = drawRange(1, 9);
    int c = drawRange(-9, 9); // x
    if (b == a)
        b = b + 1;
    if (c == 0)
        c = 1;
    differenceOfXTerms(a, b, c);
}

// px - (x + k) = c(bx + a): with p = cb + 2 the left keeps one x more than
// the right, so k = x - ca. Where that is 0, p = cb + 3 and k = 2x - ca.
void task10308()
{
    int a = drawRange(2, 5);
    int b = drawRange(2, 5);
    int c = drawRange(2, 5);
    int x = drawRange(1, 10);
    int p = c * b + 2;
    int k = x - c * a;
    if (k == 0) {
        p = c * b + 3;
        k = 2 * x - c * a;
    }
    taskPrintf("\n\n\n\n  %dx - (x%s) = %d(%dx + %d) ", p, deSignedAppend(k).c_str(), c, b, a);
    sol() = x;
    linearSteps({p - 1, -k}, {c * b, c * a}, x);
}

// a(bx + c) - c = d(x + m - x) + w, w = abx + c(a - 1) - dm. A bracket of
// x + 1 every time would print the answer plus one, so m runs 1..5 with the
// draws; where w would drop below 1, m is 1 (w is then at least 1).
void task10309()
{
    int a = drawRange(2, 5);
    int b = drawRange(2, 5);
    int c = drawRange(2, 5);
    int d = drawRange(2, 5);
    int x = drawRange(1, 11);
    int m = 1 + (b * c + x) % 5;
    if (a * b * x + c * (a - 1) - d * m < 1)
        m = 1;
    int w = a * b * x + c * (a - 1) - d * m;
    const int k = x + m; // the number in the right bracket
    taskPrintf("\n\n\n\n  %d(%dx + %d) - %d = %d(%d - x) + %d ", a, b, c, c, d, k, w);
    sol() = x;
    linearSteps({a * b, a * c - c}, {-d, d * k + w, true}, x);
}

// (ax + b)(cx + d) = ux + v with u and v chosen so that the difference of the
// sides is ac(x - e)²: e is then the only solution.
void task10310()
{
    int a = drawRange(-4, 4);
    int b = drawRange(2, 10);
    int c = drawRange(-4, 4);
    int d = drawRange(2, 10);
    int e = drawRange(1, 7); // x
    if (a == 0)
        a = 1;
    if (c == 0)
        c = -1;
    int u = a * d + b * c + 2 * a * c * e;
    int v = b * d - a * c * e * e;
    taskPrintf("\n\n\n\n  (%s)(%s) = %s  ", sideText({a, b}).c_str(), sideText({c, d}).c_str(),
               sideText({u, v}).c_str());
    sol() = e;
    // ac·x² + px + q with the middle term left out when it is 0.
    auto quadratic = [](int s, int p, int q) {
        std::string t = deTerm(s, "x²");
        if (p != 0)
            t += termAppend(p);
        return t + deSignedAppend(q);
    };
    // Everything to the left, one term a line, then divided by ac: (x - e)².
    const int ac = a * c;
    int p = a * d + b * c, q = b * d;
    if (u != 0) {
        taskStep("%s = %s%s", quadratic(ac, p, q).c_str(), sideText({u, v}).c_str(), moveTerm(u).c_str());
        p -= u;
    }
    if (v != 0)
        taskStep("%s = %d%s", quadratic(ac, p, q).c_str(), v, moveNumber(v).c_str());
    if (ac != 1)
        taskStep("%s = 0   | : %s", quadratic(ac, p, q - v).c_str(), deOperand(ac).c_str());
    else
        taskStep("%s = 0", quadratic(ac, p, q - v).c_str());
    taskStep("(x - %d)² = 0", e);
    taskStep("x = %d", e);
}

// ------------------------------------------------------------ 11101-11112: binomial formulas

// "5a" squared as a textbook writes it: "(5a)²", but "a²" for a bare a.
std::string squaredTerm(int coef, const char* var)
{
    return coef == 1 ? std::string(var) + "²" : "(" + deTerm(coef, var) + ")²";
}

// The formula is built once with "^2" for the task area; the terminal gets
// it with "²".
void binomial(int taskNumber)
{
    int a = drawRange(1, 9);
    int b = drawRange(1, 9);
    int a2 = a * a, b2 = b * b, ab2 = 2 * a * b;
    const std::string ta = deTerm(a, "a"), tb = deTerm(b, "b");
    const std::string ta2 = deTerm(a2, "a^2"), tb2 = deTerm(b2, "b^2");
    std::string formula;
    int rule = 0; // which binomial formula
    switch (taskNumber) {
    case 11101:
    case 11102: {
        const char* sign = taskNumber == 11101 ? "-" : "+";
        rule = taskNumber == 11101 ? 2 : 1;
        formula = format("(%s %s %s)^2 = %s %s ??ab + %s", ta.c_str(), sign, tb.c_str(), ta2.c_str(), sign,
                         tb2.c_str());
        sol() = ab2;
        taskStep("(%s %s %s)² = %s %s 2 · %s · %s + %s", ta.c_str(), sign, tb.c_str(), squaredTerm(a, "a").c_str(), sign,
                 ta.c_str(), tb.c_str(), squaredTerm(b, "b").c_str());
        taskStep("?? = 2 · %d · %d = %d", a, b, ab2);
        break;
    }
    case 11103:
    case 11104:
        rule = 3;
        if (taskNumber == 11103)
            formula = format("(%s + %s)(%s - %s) = %s - ??b^2", ta.c_str(), tb.c_str(), ta.c_str(), tb.c_str(),
                             ta2.c_str());
        else
            formula = format("(%s + %s)(%s - %s) = ??a^2 - %s", ta.c_str(), tb.c_str(), ta.c_str(), tb.c_str(),
                             tb2.c_str());
        sol() = taskNumber == 11103 ? b2 : a2;
        taskStep("(%s + %s)(%s - %s) = %s - %s", ta.c_str(), tb.c_str(), ta.c_str(), tb.c_str(),
                 squaredTerm(a, "a").c_str(), squaredTerm(b, "b").c_str());
        taskStep("?? = %d² = %d", taskNumber == 11103 ? b : a, sol());
        break;
    default: {
        // 11105-11108: the expanded square given, a number of the bracket asked.
        const bool plus = taskNumber == 11105 || taskNumber == 11107;
        const bool askA = taskNumber == 11105 || taskNumber == 11106;
        const char* sign = plus ? "+" : "-";
        rule = plus ? 1 : 2;
        const std::string bracket =
            askA ? format("??a %s %s", sign, tb.c_str()) : format("%s %s ??b", ta.c_str(), sign);
        formula = format("%s %s %s + %s = (%s)^2", ta2.c_str(), sign, deTerm(ab2, "ab").c_str(), tb2.c_str(),
                         bracket.c_str());
        sol() = askA ? a : b;
        // The square gives the number; the middle term checks it.
        taskStep("(%s)² = %s", askA ? "??a" : "??b", askA ? superscripts(ta2).c_str() : superscripts(tb2).c_str());
        taskStep("%d = %d²", askA ? a2 : b2, sol());
        taskStep("Probe: 2 · %d · %d = %d", a, b, ab2);
        taskStep("Also ?? = %d", sol());
        break;
    }
    }
    taskPrintf("\n\n\n\n%d. binomische Formel\n  %s", rule, superscripts(formula).c_str());
    drawFormula(kFormulaLeft, kResultY, formula);
}

// Two different values 1..hi, both drawn again while they are equal.
void drawDifferentPair(int hi, int& a, int& b)
{
    do {
        a = drawRange(1, hi);
        b = drawRange(1, hi);
    } while (a == b);
}

// The terminal names the formula; the task area sets the drawn numbers into
// it: a² - 2ab + b² as the three numbers, and the known part of the bracket.
void binomialExpanded(int taskNumber)
{
    int a, b;
    drawDifferentPair(9, a, b);
    const std::string numbers = format("%d = %d²; %d = 2 · %d · %d", taskNumber == 11109 ? a * a : b * b,
                                       taskNumber == 11109 ? a : b, 2 * a * b, a, b);
    if (taskNumber == 11109) {
        taskPrintf("\n\n\n\n2. binomische Formel\n a² - 2ab + b² = (?? - b)²");
        drawFormula(kFormulaLeft, kNumeratorY, "a^2 - 2ab + b^2 = (?? - b)^2");
        drawFormula(kFormulaLeft, kSecondLineY, format("%d - %d + %d = (?? - %d)^2", a * a, 2 * a * b, b * b, b));
        sol() = a;
        // (x - b)² = (a - b)² holds for x = 2b - a as well.
        alsoRight = [a, b](int x) { return x == 2 * b - a; };
    } else {
        taskPrintf("\n\n\n\n2. binomische Formel\n a² - 2ab + b² = (a - ?\?)²");
        drawFormula(kFormulaLeft, kNumeratorY, "a^2 - 2ab + b^2 = (a - ?\?)^2");
        drawFormula(kFormulaLeft, kSecondLineY, format("%d - %d + %d = (%d - ?\?)^2", a * a, 2 * a * b, b * b, a));
        sol() = b;
        alsoRight = [a, b](int x) { return x == 2 * a - b; };
    }
    taskStep("%s", numbers.c_str());
    taskStep("?? = %d", sol());
}

// The two drawn values m > n give the whole-numbered right triangle with legs
// m² - n² and 2mn and hypotenuse m² + n². 11111 asks the hypotenuse from the
// legs' squares, 11112 the first leg from the squares of the others.
void pythagoras(int taskNumber)
{
    int m, n;
    drawDifferentPair(taskNumber == 11111 ? 5 : 7, m, n);
    if (m < n)
        std::swap(m, n);
    int legA = m * m - n * n;
    int legB = 2 * m * n;
    int hyp = m * m + n * n;
    taskPrintf("\n\n\n\nSatz des Pythagoras\n c² = a² + b²");
    drawFormula(kFormulaLeft, kNumeratorY, "c^2 = a^2 + b^2");
    if (taskNumber == 11111) {
        drawFormula(kFormulaLeft, kSecondLineY, format("c^2 = %d + %d;  c = ?", legA * legA, legB * legB));
        sol() = hyp;
        taskStep("c² = %d + %d = %d", legA * legA, legB * legB, hyp * hyp);
        taskStep("%d² = %d, also c = %d", hyp, hyp * hyp, hyp);
    } else {
        drawFormula(kFormulaLeft, kSecondLineY, format("%d = a^2 + %d;  a = ?", hyp * hyp, legB * legB));
        sol() = legA;
        taskStep("a² = %d - %d = %d", hyp * hyp, legB * legB, legA * legA);
        taskStep("%d² = %d, also a = %d", legA, legA * legA, legA);
    }
}

// ------------------------------------------------------------ 11301-11313: fraction terms

const char* const kTermAt = "\n\n\n\nBerechne den Wert des Bruchterms für x = %d.\n";
const char* const kBinomialTip = "\nTipp: schneller mit einer binomischen Formel";

// 11301-11306: the value at x = a of a term whose pole is kept away from a.
void fractionValue(int taskNumber)
{
    int a = drawRange(1, 5); // x
    int b = drawRange(1, 5);
    int c = drawRange(2, 4);
    if (taskNumber != 11301 && c == a)
        c = c + 1;
    int d = 1;
    if (taskNumber == 11305 || taskNumber == 11306)
        d = drawRange(1, 5);
    if (taskNumber == 11306)
        drawRange(1, 5); // drawn, never used
    std::string num, den, line;
    int top = 0, bottom = 1; // the value as numerator over denominator
    switch (taskNumber) {
    case 11301:
        num = format("x+%d", a * b);
        den = format("%dx", c);
        line = format("(%s)/(%s)", num.c_str(), den.c_str());
        top = a + a * b;
        bottom = c * a;
        taskStep("(%d + %d)/(%d · %d) = %d/%d", a, a * b, c, a, top, bottom);
        break;
    case 11302:
        num = format("x+%d", a * b);
        den = format("%d-x", c);
        line = format("(%s)/(%s)", num.c_str(), den.c_str());
        top = a + a * b;
        bottom = c - a;
        taskStep("(%d + %d)/(%d - %d) = %d/%s", a, a * b, c, a, top, deOperand(bottom).c_str());
        break;
    case 11305:
        num = format("%s+%d", deTerm(d, "x").c_str(), a * b);
        den = format("%d-x", c);
        line = format("(%s)/(%s)", num.c_str(), den.c_str());
        top = d * a + a * b;
        bottom = c - a;
        taskStep("(%s + %d)/(%d - %d) = %d/%s", timesValue(d, a).c_str(), a * b, c, a, top, deOperand(bottom).c_str());
        break;
    default:
        num = format("x+%d", d);
        den = b == 1 ? format("%d-x", c) : format("%d(%d-x)", b, c);
        line = b == 1 ? format("(%s)/(%s)", num.c_str(), den.c_str()) : format("(%s)/[%s]", num.c_str(), den.c_str());
        top = a + d;
        bottom = b * (c - a);
        if (b == 1)
            taskStep("(%d + %d)/(%d - %d) = %d/%s", a, d, c, a, top, deOperand(bottom).c_str());
        else
            taskStep("(%d + %d)/(%d · (%d - %d)) = %d/%s", a, d, b, c, a, top, deOperand(bottom).c_str());
        break;
    }
    taskPrintf(kTermAt, a);
    taskPrintf(" %s", line.c_str());
    setFraction(num, den, kAskValue);
    const double value = static_cast<double>(top) / bottom;
    decimalAnswer(value, 3);
    taskStep("%d : %s = %s", top, deOperand(bottom).c_str(), deRounded(value, 3).c_str());
}

void undefinedPoint(int taskNumber)
{
    if (taskNumber == 11303) {
        int a = drawRange(1, 5);
        drawRange(1, 5); // b: drawn as for the value task, not shown
        int c = drawRange(2, 4);
        if (c == a)
            c = c + 1;
        taskPrintf("\n\n\n\nFür welchen Wert von x ist der Term\n (x+%d)/(%d-x)\nnicht definiert?", a, c);
        setFraction(format("x+%d", a), format("%d-x", c), "");
        sol() = c;
        taskStep("Der Nenner darf nicht 0 sein.");
        taskStep("%d - x = 0 für x = %d", c, c);
    } else {
        int a = drawRange(1, 5);
        int b = drawRange(1, 5);
        int c = drawRange(1, 10);
        if (c == a)
            c = c + 1;
        taskPrintf("\n\n\n\nFür welchen Wert von x ist der Term\n (x+%d)/(x+%d)\nnicht definiert?", a * b, c);
        setFraction(format("x+%d", a * b), format("x+%d", c), "");
        sol() = -c;
        taskStep("Der Nenner darf nicht 0 sein.");
        taskStep("x + %d = 0 für x = %d", c, -c);
    }
}

// The lines that turn a binomial over one of its factors into the other
// factor, for the value tasks and the equations alike. `sign` is the sign
// in the factor x ± b; `over` the sign of the factor divided by.
void binomialQuotientSteps(int sign, int over, int b)
{
    const char* s = sign > 0 ? "+" : "-";
    const char* o = over > 0 ? "+" : "-";
    if (sign == over) {
        taskStep("x² %s %dx + %d = (x %s %d)²", s, 2 * b, b * b, s, b);
        taskStep("(x %s %d)² : (x %s %d) = x %s %d", s, b, s, b, s, b);
    } else {
        taskStep("x² - %d = (x + %d)(x - %d)", b * b, b, b);
        taskStep("(x + %d)(x - %d) : (x %s %d) = x %s %d", b, b, o, b, s, b);
    }
}

// 11307-11310: a binomial over one of its factors.
void binomialQuotient(int taskNumber)
{
    int a = drawRange(1, 9); // x
    int b = drawRange(1, 9);
    if (taskNumber != 11307 && b == a)
        b = b + 1;
    std::string num, den;
    int sign = 1, over = 1; // the quotient is x + sign·b, the divisor x + over·b
    switch (taskNumber) {
    case 11307: num = format("x^2+%dx+%d", 2 * b, b * b), sign = 1, over = 1; break;
    case 11308: num = format("x^2-%dx+%d", 2 * b, b * b), sign = -1, over = -1; break;
    case 11309: num = format("x^2-%d", b * b), sign = -1, over = 1; break;
    default: num = format("x^2-%d", b * b), sign = 1, over = -1; break;
    }
    den = format("x%s%d", over > 0 ? "+" : "-", b);
    taskPrintf("%s (%s)/(%s)%s", format(kTermAt, a).c_str(), superscripts(num).c_str(), den.c_str(), kBinomialTip);
    sol() = a + sign * b;
    setFraction(num, den, kAskValue);
    binomialQuotientSteps(sign, over, b);
    taskStep("%d %s %d = %d", a, sign > 0 ? "+" : "-", b, sol());
}

// (x + b)³ over (x + b)²: the steps for the value and the equation.
void cubeQuotientSteps(int b)
{
    taskStep("x³ + %dx² + %dx + %d = (x + %d)³", 3 * b, 3 * b * b, b * b * b, b);
    taskStep("x² + %dx + %d = (x + %d)²", 2 * b, b * b, b);
    taskStep("(x + %d)³ : (x + %d)² = x + %d", b, b, b);
}

void task11311()
{
    int a = drawRange(1, 3); // x
    int b = drawRange(1, 4);
    const std::string num = format("x^3+%dx^2+%dx+%d", 3 * b, 3 * b * b, b * b * b);
    const std::string den = format("x^2+%dx+%d", 2 * b, b * b);
    taskPrintf("%s (%s)/(%s)%s", format(kTermAt, a).c_str(), superscripts(num).c_str(), superscripts(den).c_str(),
               kBinomialTip);
    setFraction(num, den, kAskValue);
    sol() = a + b;
    cubeQuotientSteps(b);
    taskStep("%d + %d = %d", a, b, sol());
}

// (ax ± b)² over the factor ax ± b. The quotient is that factor only where
// the factor is not 0; b is raised by one where it would be. The difference
// square goes over ax - b: over ax + b the quotient would not be ax - b.
struct SquareOverFactor {
    int a, b, x;
};

SquareOverFactor drawSquareOverFactor(int bHi, int xLo, int xHi, int sign)
{
    SquareOverFactor s;
    s.a = drawRange(2, 5);
    s.b = drawRange(1, bHi);
    s.x = drawRange(xLo, xHi);
    if (s.x == 0)
        s.x = 3;
    if (s.a * s.x + sign * s.b == 0)
        s.b = s.b + 1;
    return s;
}

// The numerator (ax ± b)² expanded, "^2" for the task area.
std::string squareOfFactor(const SquareOverFactor& s, int sign)
{
    return format("%dx^2%s%dx+%d", s.a * s.a, sign > 0 ? "+" : "-", 2 * s.a * s.b, s.b * s.b);
}

std::string factorText(const SquareOverFactor& s, int sign, const char* join)
{
    return format("%dx%s%s%s%d", s.a, join, sign > 0 ? "+" : "-", join, s.b);
}

void squareOverFactorStep(const SquareOverFactor& s, int sign)
{
    const std::string f = factorText(s, sign, " ");
    taskStep("%dx² %s %dx + %d = (%s)²", s.a * s.a, sign > 0 ? "+" : "-", 2 * s.a * s.b, s.b * s.b, f.c_str());
}

void task11312(int taskNumber)
{
    int sign = taskNumber == 11312 ? 1 : -1;
    SquareOverFactor s = drawSquareOverFactor(4, -4, 4, sign);
    const std::string num = squareOfFactor(s, sign), den = factorText(s, sign, "");
    taskPrintf("%s (%s)/(%s)%s", format(kTermAt, s.x).c_str(), superscripts(num).c_str(), den.c_str(), kBinomialTip);
    setFraction(num, den, kAskValue);
    sol() = s.a * s.x + sign * s.b;
    const std::string f = factorText(s, sign, " ");
    squareOverFactorStep(s, sign);
    taskStep("(%s)² : (%s) = %s", f.c_str(), f.c_str(), f.c_str());
    taskStep("%d · %s %s %d = %d", s.a, deOperand(s.x).c_str(), sign > 0 ? "+" : "-", s.b, sol());
}

// ------------------------------------------------------------ 12101-12114: fraction equations

const char* const kSolveFraction = "\n\n\n\nLöse die Bruchgleichung.\n";

// The fraction equation, multiplied by its denominator `by`. The next line
// has the x side on the left, as the pupil goes on with it.
void clearedStep(const std::string& equation, const std::string& by)
{
    taskStep("%s   | · %s", equation.c_str(), by.c_str());
}

void task12101()
{
    int a = drawRange(2, 9); // x
    int b = drawRange(1, 8);
    taskPrintf("%s %d/x = %d", kSolveFraction, a * b, b);
    setFraction(format("%d", a * b), "x", equalsValue(b));
    sol() = a;
    clearedStep(format("%d/x = %d", a * b, b), "x");
    solvedStep(b, a * b, a);
}

// p / (qx) = r.
void task12102()
{
    int a = drawRange(2, 9); // x
    int q = drawRange(2, 5);
    int r = drawRange(1, 6);
    taskPrintf("%s %d/(%dx) = %d", kSolveFraction, q * a * r, q, r);
    setFraction(format("%d", q * a * r), format("%dx", q), equalsValue(r));
    sol() = a;
    clearedStep(format("%d/(%dx) = %d", q * a * r, q, r), format("%dx", q));
    solvedStep(q * r, q * a * r, a);
}

// p / (x + q) = r, the pole kept off the solution.
void task12103()
{
    int a = drawRange(-5, 9); // x
    int q = drawRange(1, 9);
    int r = drawRange(1, 5);
    if (a + q == 0)
        q = q + 1;
    const int p = (a + q) * r;
    taskPrintf("%s %d/(x+%d) = %d", kSolveFraction, p, q, r);
    setFraction(format("%d", p), format("x+%d", q), equalsValue(r));
    sol() = a;
    const std::string den = format("(x + %d)", q);
    clearedStep(format("%d/%s = %d", p, den.c_str(), r), den);
    linearSteps({r, r * q}, {0, p}, a);
}

// p / (qx + s) = r.
void task12104()
{
    int a = drawRange(-5, 9); // x
    int q = drawRange(2, 5);
    int s = drawRange(1, 9);
    int r = drawRange(1, 5);
    if (q * a + s == 0)
        s = s + 1;
    const int p = (q * a + s) * r;
    taskPrintf("%s %d/(%dx+%d) = %d", kSolveFraction, p, q, s, r);
    setFraction(format("%d", p), format("%dx+%d", q, s), equalsValue(r));
    sol() = a;
    const std::string by = "(" + sideText({q, s}) + ")";
    clearedStep(format("%d/%s = %d", p, by.c_str(), r), by);
    linearSteps({r * q, r * s}, {0, p}, a);
}

// r(q + k)x / (qx + ka) = r: cleared of the fraction, rkx = rka.
void task12105()
{
    int a = drawRange(1, 9); // x
    int q = drawRange(1, 5);
    int r = drawRange(1, 5);
    int k = drawRange(1, 4);
    const std::string den = format("%s+%d", deTerm(q, "x").c_str(), k * a);
    taskPrintf("%s %dx/(%s) = %d", kSolveFraction, r * (q + k), den.c_str(), r);
    setFraction(format("%dx", r * (q + k)), den, equalsValue(r));
    sol() = a;
    const std::string by = "(" + sideText({q, k * a}) + ")";
    clearedStep(format("%dx/%s = %d", r * (q + k), by.c_str(), r), by);
    linearSteps({r * (q + k), 0}, {r * q, r * k * a}, a);
}

// (px + s) / (qx + t) = r with p = rq + k and t = u + ka, s = rt - ka:
// cleared of the fraction, kx = ka; s stays positive.
void task12106()
{
    int a = drawRange(1, 9); // x
    int q = drawRange(1, 5);
    int u = drawRange(1, 5);
    int r = drawRange(2, 4);
    int k = drawRange(1, 3);
    int t = u + k * a;
    int p = r * q + k;
    int s = r * t - k * a;
    const std::string den = format("%s+%d", deTerm(q, "x").c_str(), t);
    taskPrintf("%s (%dx+%d)/(%s) = %d", kSolveFraction, p, s, den.c_str(), r);
    setFraction(format("%dx+%d", p, s), den, equalsValue(r));
    sol() = a;
    const std::string by = "(" + sideText({q, t}) + ")";
    clearedStep(format("(%s)/%s = %d", sideText({p, s}).c_str(), by.c_str(), r), by);
    linearSteps({p, s}, {r * q, r * t}, a);
}

// rc/x + r(a - c)/x = r.
void task12107()
{
    int a = drawRange(2, 9); // x
    int r = drawRange(2, 6);
    int c = drawRange(1, a - 1);
    int p = r * c, q = r * (a - c);
    taskPrintf("%s %d/x + %d/x = %d", kSolveFraction, p, q, r);
    int x = drawFraction(kFormulaLeft, format("%d", p), "x");
    x = drawFormula(x, kResultY, " + ");
    x = drawFraction(x, format("%d", q), "x");
    drawFormula(x, kResultY, equalsValue(r));
    sol() = a;
    taskStep("%d/x + %d/x = %d/x", p, q, p + q);
    clearedStep(format("%d/x = %d", p + q, r), "x");
    solvedStep(r, p + q, a);
}

// 12108-12111: a binomial over one of its factors equals the other factor.
void binomialEquation(int taskNumber)
{
    int a = drawRange(1, 9); // x
    int b = drawRange(1, 9);
    if (taskNumber != 12108 && b == a)
        b = b + 1;
    std::string num;
    int sign = 1, over = 1; // the quotient is x + sign·b, the divisor x + over·b
    switch (taskNumber) {
    case 12108: num = format("x^2+%dx+%d", 2 * b, b * b), sign = 1, over = 1; break;
    case 12109: num = format("x^2-%dx+%d", 2 * b, b * b), sign = -1, over = -1; break;
    case 12110: num = format("x^2-%d", b * b), sign = -1, over = 1; break;
    default: num = format("x^2-%d", b * b), sign = 1, over = -1; break;
    }
    const int rhs = a + sign * b;
    const std::string den = format("x%s%d", over > 0 ? "+" : "-", b);
    taskPrintf("%s (%s)/(%s) = %d", kSolveFraction, superscripts(num).c_str(), den.c_str(), rhs);
    setFraction(num, den, equalsValue(rhs));
    sol() = a;
    binomialQuotientSteps(sign, over, b);
    linearSteps({1, sign * b}, {0, rhs}, a);
}

void task12112()
{
    int a = drawRange(-10, 9); // x
    int b = drawRange(1, 4);
    if (a == 0)
        a = 1;
    if (a == -b)
        b = b + 1;
    const std::string num = format("x^3+%dx^2+%dx+%d", 3 * b, 3 * b * b, b * b * b);
    const std::string den = format("x^2+%dx+%d", 2 * b, b * b);
    taskPrintf("%s (%s)/(%s) = %d%s", kSolveFraction, superscripts(num).c_str(), superscripts(den).c_str(), a + b,
               kBinomialTip);
    setFraction(num, den, equalsValue(a + b));
    sol() = a;
    cubeQuotientSteps(b);
    linearSteps({1, b}, {0, a + b}, a);
}

void task12113(int taskNumber)
{
    int sign = taskNumber == 12113 ? 1 : -1;
    SquareOverFactor s = sign > 0 ? drawSquareOverFactor(4, -4, 4, sign) : drawSquareOverFactor(5, -6, 7, sign);
    int rhs = s.a * s.x + sign * s.b;
    const std::string num = squareOfFactor(s, sign), den = factorText(s, sign, "");
    taskPrintf("%s (%s)/(%s) = %d", kSolveFraction, superscripts(num).c_str(), den.c_str(), rhs);
    setFraction(num, den, equalsValue(rhs));
    sol() = s.x;
    const std::string f = factorText(s, sign, " ");
    squareOverFactorStep(s, sign);
    taskStep("(%s)² : (%s) = %s", f.c_str(), f.c_str(), f.c_str());
    linearSteps({s.a, sign * s.b}, {0, rhs}, s.x);
}

} // namespace

void generateTermsTask(int taskNumber)
{
    switch (taskNumber) {
    case 6201:
    case 6202:
    case 6203:
    case 6204: balanceSum(taskNumber); break;
    case 6205:
    case 6206:
    case 6207: balanceDifference(taskNumber); break;

    case 8101: task8101(); break;
    case 8102: task8102(); break;
    case 8103: task8103(); break;
    case 8104: task8104(); break;
    case 8105: task8105(); break;
    case 8106: task8106(); break;
    case 8107:
    case 8108: xTimesDifference(taskNumber); break;
    case 8109: task8109(); break;
    case 8110: task8110(); break;
    case 8111: task8111(); break;
    case 8112: task8112(); break;
    case 8113: task8113(); break;

    case 8201:
    case 8202: task8201(taskNumber); break;
    case 8203:
    case 8204: task8203(taskNumber); break;
    case 8205: task8205(); break;
    case 8206:
    case 8207: task8206(taskNumber); break;
    case 8208:
    case 8209:
    case 8210: twoXTerms(taskNumber); break;
    case 8211: task8211(); break;

    case 10201:
    case 10202:
    case 10203:
    case 10204: xOnBothSides(taskNumber); break;
    case 10205:
    case 10206: task10205(taskNumber); break;
    case 10207: task10207(); break;
    case 10208: task10208(); break;
    case 10209: task10209(); break;
    case 10210: task10210(); break;

    case 10301:
    case 10302:
    case 10303:
    case 10304:
    case 10305: bracketEquation(taskNumber); break;
    case 10306: task10306(); break;
    case 10307: task10307(); break;
    case 10308: task10308(); break;
    case 10309: task10309(); break;
    case 10310: task10310(); break;

    case 11101:
    case 11102:
    case 11103:
    case 11104:
    case 11105:
    case 11106:
    case 11107:
    case 11108: binomial(taskNumber); break;
    case 11109:
    case 11110: binomialExpanded(taskNumber); break;
    case 11111:
    case 11112: pythagoras(taskNumber); break;

    case 11301:
    case 11302:
    case 11305:
    case 11306: fractionValue(taskNumber); break;
    case 11303:
    case 11304: undefinedPoint(taskNumber); break;
    case 11307:
    case 11308:
    case 11309:
    case 11310: binomialQuotient(taskNumber); break;
    case 11311: task11311(); break;
    case 11312:
    case 11313: task11312(taskNumber); break;

    case 12101: task12101(); break;
    case 12102: task12102(); break;
    case 12103: task12103(); break;
    case 12104: task12104(); break;
    case 12105: task12105(); break;
    case 12106: task12106(); break;
    case 12107: task12107(); break;
    case 12108:
    case 12109:
    case 12110:
    case 12111: binomialEquation(taskNumber); break;
    case 12112: task12112(); break;
    case 12113:
    case 12114: task12113(taskNumber); break;
    default: break;
    }
}
