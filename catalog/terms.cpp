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
#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "answer_rows.h"
#include "catalog.h"
#include "families.h"

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
        break;
    case 6206:
        taskPrintf("%s\n%d + %d = x - %d; x = ?", kBalanceOpening, a, b, c);
        sol() = a + b + c;
        break;
    default:
        // a + b + c - x = 2a + b - a holds for x = c.
        taskPrintf("%s\n%d - x = %d - %d; x = ?", kBalanceOpening, a + b + c, 2 * a + b, a);
        sol() = c;
        break;
    }
}

// ------------------------------------------------------------ 8101-8113: value of a term

void task8101()
{
    int a = drawRange(-5, 4);
    int b = drawRange(1, 9); // x
    int c = drawRange(1, 9);
    taskPrintf("\n\n\n\n Term:   %d + (x + %d) = ??   wenn x = %d", a, c, b);
    sol() = a + b + c;
}

void task8102()
{
    int a = drawRange(-5, 4);
    int b = drawRange(-4, 4); // x
    int c = drawRange(1, 9);
    taskPrintf("\n\n\n\n Term:   %d - (x + %d) = ??   wenn x = %d", a, c, b);
    sol() = a - b - c;
}

void task8103()
{
    int a = drawRange(-5, 4);
    int b = drawRange(-5, 3);
    int c = drawRange(1, 9); // x
    taskPrintf("\n\n\n\n Term:   %d + (%d - x) = ??  wenn x = %d", a, b, c);
    sol() = a + b - c;
}

void task8104()
{
    int a = drawRange(-5, 4); // x
    int b = drawRange(-5, 3);
    int c = drawRange(1, 9);
    taskPrintf("\n\n\n\n Term:   x - (%d - %d) = ??  wenn x = %d", b, c, a);
    sol() = a - b + c;
}

void task8105()
{
    int a = drawRange(-10, 9);
    int b = drawRange(-10, 9);
    int c = drawRange(1, 9); // x
    taskPrintf("\n\n\n\n Term:   (%d) + (%d + x) = ??  wenn x = %d", a, b, c);
    sol() = a + b + c;
}

void task8106()
{
    int a = drawRange(-10, 9);
    int b = drawRange(-10, 9); // x
    int c = drawRange(1, 9);
    taskPrintf("\n\n\n\n Term:   (%d) - (x + %d) = ??  wenn x = %d", a, c, b);
    sol() = a - b - c;
}

// 8107, 8108: the same product, with and without the multiplication sign.
void xTimesDifference(const char* text)
{
    int a = drawRange(-5, 4); // x
    int b = drawRange(-5, 3);
    int c = drawRange(1, 9);
    taskPrintf(text, b, c, a);
    sol() = a * (b - c);
}

void task8109()
{
    int a = drawRange(-15, 14);
    int b = drawRange(-7, 1);
    int c = drawRange(1, 9); // x
    if (b + c == 0)
        b = b + 1;
    taskPrintf("\n\n\n\n Term:  %d : (%d + x) = ??  wenn x = %d", a, b, c);
    decimalAnswer(static_cast<double>(a) / (b + c), 2);
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
    taskPrintf("\n\n\n\n Term:   (%d)x + (%d)*(%d) = ??  wenn x = %d", a, c, d, b);
    sol() = a * b + c * d;
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
    taskPrintf("\n\n\n\n Term:   (%d)*(%d) - (%d)x = ??  wenn x = %d", a, b, c, d);
    sol() = a * b - c * d;
}

void task8112()
{
    int a = drawRange(-4, 3); // x
    int b = drawRange(2, 7);
    drawRange(-4, 3); // drawn, never shown
    int d = drawRange(1, 7);
    if (a == 0)
        a = 1;
    taskPrintf("\n\n\n\n Term:   (x + %d) - (x + %d) = ??  wenn x = %d", b, d, a);
    sol() = b - d;
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
    taskPrintf("\n\n\n\n Term:   (%d)*[x(%d + %d)] - (%d + %d) = ??  wenn x = %d", a, c, d, e, f, b);
    sol() = a * b * (c + d) - (e + f);
}

// ------------------------------------------------------------ 8201-8211: simple equations

void task8201(int taskNumber)
{
    int a = drawRange(2, 10); // x
    int b = drawRange(1, 9);
    if (taskNumber == 8201)
        taskPrintf("\n\n\n\n  x + %d = %d ;  x = ??", b, a + b);
    else
        taskPrintf("\n\n\n\n  x - %d = %d ;  x = ??", b, a - b);
    sol() = a;
}

void task8203(int taskNumber)
{
    int a = drawRange(2, 10);
    int b = drawRange(1, 9); // x
    drawRange(1, 9);         // drawn, never used
    if (taskNumber == 8203)
        taskPrintf("\n\n\n\n  %dx = %d ;  x = ??", a, a * b);
    else
        taskPrintf("\n\n\n\n  %d = %dx ;  x = ?? ", a * b, a);
    sol() = b;
}

void task8205()
{
    int a = drawRange(2, 10);
    taskPrintf("\n\n\n\n  x + x = %d ;  x = ??", 2 * a);
    sol() = a;
}

void task8206(int taskNumber)
{
    int a = drawRange(2, 10); // x
    int b = drawRange(2, 10);
    if (taskNumber == 8206)
        taskPrintf("\n\n\n\n  %dx + x = %d ;  x = ??", b, a * b + a);
    else
        taskPrintf("\n\n\n\n  x + %dx = %d ;  x = ??", b, a * b + a);
    sol() = a;
}

// 8208-8210: two x terms; a difference needs two different coefficients.
void twoXTerms(int taskNumber)
{
    int a = drawRange(2, 7); // x
    int b = drawRange(2, 7);
    int c = drawRange(2, 7);
    if (taskNumber != 8208 && c == b)
        b = b + 1;
    switch (taskNumber) {
    case 8208: taskPrintf("\n\n\n\n  %dx + %dx = %d ;  x = ??", b, c, a * (b + c)); break;
    case 8209: taskPrintf("\n\n\n\n  %dx - %dx = %d ;  x = ??", b, c, a * (b - c)); break;
    default: taskPrintf("\n\n\n\n  -%dx + %dx = %d ;  x = ??", b, c, a * (c - b)); break;
    }
    sol() = a;
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
    taskPrintf("\n\n\n\n  -%dx + %dx = x + (%d) ;  x = ??", b, c, a * (c - b - 1));
    sol() = a;
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
    switch (taskNumber) {
    case 10201: taskPrintf("\n\n\n\n  %dx + %d = %d - %dx ", a, d, (a + b) * c + d, b); break;
    case 10202: taskPrintf("\n\n\n\n  %dx - %d = %d - %dx ", a, d, (a + b) * c - d, b); break;
    case 10203: taskPrintf("\n\n\n\n  %dx - %d = %d + %dx ", a, d, (a - b) * c - d, b); break;
    default: taskPrintf("\n\n\n\n  %dx + %d = %d + %dx ", a, d, (a - b) * c + d, b); break;
    }
    sol() = c;
}

void task10205(int taskNumber)
{
    int a = drawRange(-9, 9);
    int b = drawRange(1, 9);
    int c = drawRange(-9, 9); // x
    if (taskNumber == 10205)
        taskPrintf("\n\n\n\n  %d - %dx = %d ", a, b, a - b * c);
    else
        taskPrintf("\n\n\n\n  %d + %dx = %d ", a, b, a + b * c);
    sol() = c;
}

void task10207()
{
    int a = drawRange(1, 9);
    int b = drawRange(1, 9);
    int c = drawRange(-9, 9); // x
    if (b == a)
        b = b + 1;
    taskPrintf("\n\n\n\n  %dx - %dx = %d ", a, b, (a - b) * c);
    sol() = c;
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
    taskPrintf("\n\n\n\n  %dx + %dx = %dx + (%d) ;  x = ??", b, c, d, (b + c - d) * a);
    sol() = a;
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
    if (c > 0)
        taskPrintf("\n\n\n\n  %d(x + %d)-%dx = %dx;  x = ??", b, c, d, -d);
    else
        taskPrintf("\n\n\n\n  %d(x - %d)-%dx = %dx;  x = ??", b, -c, d, -d);
    sol() = -c;
}

// (x - b)(x + c) = (c - b)x + a² - bc leaves x² = a². The constant shows its
// own sign when negative; a constant 0 goes with the plus form, which reads
// "+ 0" rather than a bare "0" after the x term.
void task10210()
{
    int a = drawRange(1, 10); // x
    int b = drawRange(2, 11);
    int c = drawRange(2, 11);
    if (c == b)
        c = c + 1;
    int constant = a * a - b * c;
    if (constant >= 0)
        taskPrintf("\n\n\n\n  (x - %d)(x + %d) = %dx + %d;  x = ??", b, c, c - b, constant);
    else
        taskPrintf("\n\n\n\n  (x - %d)(x + %d) = %dx %d;  x = ??", b, c, c - b, constant);
    sol() = a;
    alsoRight = [a](int x) { return x == -a; };
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
        b = drawRange(1, 5);
        c = drawRange(1, 9);
        d = drawRange(-5, 9);
        e = drawRange(1, 9);
        if (d == 0)
            d = 1;
        // With +ex on the right the x terms would cancel.
        if (taskNumber != 10304 && e == a * b)
            e = e + 1;
    }
    switch (taskNumber) {
    case 10302: taskPrintf("\n\n\n\n  %d(%dx + %d) = %d + %dx ", a, b, c, (a * b - e) * d + a * c, e); break;
    case 10303: taskPrintf("\n\n\n\n  %d(%dx - %d) = %d + %dx ", a, b, c, (a * b - e) * d - a * c, e); break;
    case 10304: taskPrintf("\n\n\n\n  %d(%dx - %d) = %d - %dx ", a, b, c, (a * b + e) * d - a * c, e); break;
    default: taskPrintf("\n\n\n\n  %d(%dx + %d) = %d - %dx ", a, b, c, (a * b + e) * d + a * c, e); break;
    }
    sol() = d;
}

// x(a + x) = ax + b² leaves x² = b².
void task10306()
{
    int a = drawRange(-3, 2);
    int b = drawRange(1, 9); // x
    if (a == 0)
        a = -2;
    taskPrintf("\n\n\n\n  x(%d + x) = %dx + %d ", a, a, b * b);
    sol() = b;
    alsoRight = [b](int x) { return x == -b; };
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
    taskPrintf("\n\n\n\n  %dx - %dx = %d ", a, b, (a - b) * c);
    sol() = c;
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
    if (k > 0)
        taskPrintf("\n\n\n\n  %dx - (x + %d) = %d(%dx + %d) ", p, k, c, b, a);
    else
        taskPrintf("\n\n\n\n  %dx - (x - %d) = %d(%dx + %d) ", p, -k, c, b, a);
    sol() = x;
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
    taskPrintf("\n\n\n\n  %d(%dx + %d) - %d = %d(%d - x) + %d ", a, b, c, c, d, x + m, w);
    sol() = x;
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
    taskPrintf("\n\n\n\n  (%dx + %d)(%dx + %d) = %dx +( %d )  ", a, b, c, d, u, v);
    sol() = e;
}

// ------------------------------------------------------------ 11101-11112: binomial formulas

void binomial(int taskNumber)
{
    int a = drawRange(1, 9);
    int b = drawRange(1, 9);
    int a2 = a * a, b2 = b * b, ab2 = 2 * a * b;
    std::string formula;
    switch (taskNumber) {
    case 11101:
        taskPrintf("\n\n\n\n2.Binomische Formel \n  (%da - %db)^2= %da^2 - ??ab + %db^2 ", a, b, a2, b2);
        formula = format("(%da - %db)^2 = %da^2 - ??ab + %db^2", a, b, a2, b2);
        sol() = ab2;
        break;
    case 11102:
        taskPrintf("\n\n\n\n1.Binomische Formel \n  (%da + %db)^2= %da^2 + ??ab + %db^2 ", a, b, a2, b2);
        formula = format("(%da + %db)^2 = %da^2 + ??ab + %db^2", a, b, a2, b2);
        sol() = ab2;
        break;
    case 11103:
        taskPrintf("\n\n\n\n3.Binomische Formel \n  (%da + %db)*(%da - %db)= %da^2 - ??b^2 ", a, b, a, b, a2);
        formula = format("(%da + %db)(%da - %db) = %da^2 - ??b^2", a, b, a, b, a2);
        sol() = b2;
        break;
    case 11104:
        taskPrintf("\n\n\n\n3.Binomische Formel \n  (%da + %db)*(%da - %db)= ??a^2 - %db^2 ", a, b, a, b, b2);
        formula = format("(%da + %db)(%da - %db) = ??a^2 - %db^2", a, b, a, b, b2);
        sol() = a2;
        break;
    case 11105:
        taskPrintf("\n\n\n\n1.Binomische Formel \n %da^2 + %dab + %db^2 = (??a + %db)^2 ", a2, ab2, b2, b);
        formula = format("%da^2 + %dab + %db^2 = (??a + %db)^2", a2, ab2, b2, b);
        sol() = a;
        break;
    case 11106:
        taskPrintf("\n\n\n\n2.Binomische Formel \n %da^2 - %dab + %db^2 = (??a - %db)^2 ", a2, ab2, b2, b);
        formula = format("%da^2 - %dab + %db^2 = (??a - %db)^2", a2, ab2, b2, b);
        sol() = a;
        break;
    case 11107:
        taskPrintf("\n\n\n\n1.Binomische Formel \n %da^2 + %dab + %db^2 = (%da + ??b)^2 ", a2, ab2, b2, a);
        formula = format("%da^2 + %dab + %db^2 = (%da + ??b)^2", a2, ab2, b2, a);
        sol() = b;
        break;
    default:
        taskPrintf("\n\n\n\n2.Binomische Formel \n %da^2 - %dab + %db^2 = (%da - ??b)^2 ", a2, ab2, b2, a);
        formula = format("%da^2 - %dab + %db^2 = (%da - ??b)^2", a2, ab2, b2, a);
        sol() = b;
        break;
    }
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
    if (taskNumber == 11109) {
        taskPrintf("\n\n\n\n2.Binomische Formel \n a^2 - 2ab + b^2 = (?? - b)^2 ");
        drawFormula(kFormulaLeft, kNumeratorY, "a^2 - 2ab + b^2 = (?? - b)^2");
        drawFormula(kFormulaLeft, kSecondLineY, format("%d - %d + %d = (?? - %d)^2", a * a, 2 * a * b, b * b, b));
        sol() = a;
        // (x - b)² = (a - b)² holds for x = 2b - a as well.
        alsoRight = [a, b](int x) { return x == 2 * b - a; };
    } else {
        taskPrintf("\n\n\n\n2.Binomische Formel \n a^2 - 2ab + b^2 = (a - ?\?)^2 ");
        drawFormula(kFormulaLeft, kNumeratorY, "a^2 - 2ab + b^2 = (a - ?\?)^2");
        drawFormula(kFormulaLeft, kSecondLineY, format("%d - %d + %d = (%d - ?\?)^2", a * a, 2 * a * b, b * b, a));
        sol() = b;
        alsoRight = [a, b](int x) { return x == 2 * a - b; };
    }
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
    taskPrintf("\n\n\n\nSatz des Pythagoras \n c^2 = a^2 + b^2 ");
    drawFormula(kFormulaLeft, kNumeratorY, "c^2 = a^2 + b^2");
    if (taskNumber == 11111) {
        drawFormula(kFormulaLeft, kSecondLineY, format("c^2 = %d + %d ;  c = ?", legA * legA, legB * legB));
        sol() = hyp;
    } else {
        drawFormula(kFormulaLeft, kSecondLineY, format("%d = a^2 + %d ;  a = ?", hyp * hyp, legB * legB));
        sol() = legA;
    }
}

// ------------------------------------------------------------ 11301-11313: fraction terms

const char* const kTermAt = "\n\n\n\nGib den Bruchterm für x = %d an.\n";
const char* const kBinomialTip = "\nTipp: schnelle Berechnung über Binomische Formel";

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
    std::string num, den;
    double value = 0;
    switch (taskNumber) {
    case 11301:
        taskPrintf("\n\n\n\nGib den Bruchterm für x = %d an.\n (x+%d)/%dx", a, a * b, c);
        num = format("x+%d", a * b);
        den = format("%dx", c);
        value = static_cast<double>(a + a * b) / (c * a);
        break;
    case 11302:
        taskPrintf("\n\n\n\nGib den Bruchterm für x = %d an.\n (x+%d)/(%d-x)", a, a * b, c);
        num = format("x+%d", a * b);
        den = format("%d-x", c);
        value = static_cast<double>(a + a * b) / (c - a);
        break;
    case 11305:
        taskPrintf("\n\n\n\nGib den Bruchterm für x = %d an.\n (%dx+%d)/(%d-x)", a, d, a * b, c);
        num = format("%dx+%d", d, a * b);
        den = format("%d-x", c);
        value = static_cast<double>(d * a + a * b) / (c - a);
        break;
    default:
        taskPrintf("\n\n\n\nGib den Bruchterm für x = %d an.\n (x+%d)/[%d(%d-x)]", a, d, b, c);
        num = format("x+%d", d);
        den = format("%d(%d-x)", b, c);
        value = static_cast<double>(a + d) / (b * (c - a));
        break;
    }
    setFraction(num, den, kAskValue);
    decimalAnswer(value, 3);
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
    } else {
        int a = drawRange(1, 5);
        int b = drawRange(1, 5);
        int c = drawRange(1, 10);
        if (c == a)
            c = c + 1;
        taskPrintf("\n\n\n\nFür welchen Wert von x ist der Term\n (x+%d)/(x+%d)\nnicht definiert?", a * b, c);
        setFraction(format("x+%d", a * b), format("x+%d", c), "");
        sol() = -c;
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
    switch (taskNumber) {
    case 11307:
        taskPrintf("%s (x^2+%dx+%d)/(x+%d)%s", format(kTermAt, a).c_str(), 2 * b, b * b, b, kBinomialTip);
        num = format("x^2+%dx+%d", 2 * b, b * b);
        den = format("x+%d", b);
        sol() = a + b;
        break;
    case 11308:
        taskPrintf("%s (x^2-%dx+%d)/(x-%d)%s", format(kTermAt, a).c_str(), 2 * b, b * b, b, kBinomialTip);
        num = format("x^2-%dx+%d", 2 * b, b * b);
        den = format("x-%d", b);
        sol() = a - b;
        break;
    case 11309:
        taskPrintf("%s (x^2-%d)/(x+%d)%s", format(kTermAt, a).c_str(), b * b, b, kBinomialTip);
        num = format("x^2-%d", b * b);
        den = format("x+%d", b);
        sol() = a - b;
        break;
    default:
        taskPrintf("%s (x^2-%d)/(x-%d)%s", format(kTermAt, a).c_str(), b * b, b, kBinomialTip);
        num = format("x^2-%d", b * b);
        den = format("x-%d", b);
        sol() = a + b;
        break;
    }
    setFraction(num, den, kAskValue);
}

void task11311()
{
    int a = drawRange(1, 3); // x
    int b = drawRange(1, 4);
    taskPrintf("%s (x^3+%dx^2+%dx+%d)/(x^2+%dx+%d)%s", format(kTermAt, a).c_str(), 3 * b, 3 * b * b, b * b * b,
               2 * b, b * b, kBinomialTip);
    setFraction(format("x^3+%dx^2+%dx+%d", 3 * b, 3 * b * b, b * b * b), format("x^2+%dx+%d", 2 * b, b * b),
                kAskValue);
    sol() = a + b;
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

void task11312(int taskNumber)
{
    int sign = taskNumber == 11312 ? 1 : -1;
    SquareOverFactor s = drawSquareOverFactor(4, -4, 4, sign);
    int a = s.a, b = s.b, x = s.x;
    if (sign > 0) {
        taskPrintf("%s (%dx^2+%dx+%d)/(%dx+%d)%s", format(kTermAt, x).c_str(), a * a, 2 * a * b, b * b, a, b,
                   kBinomialTip);
        setFraction(format("%dx^2+%dx+%d", a * a, 2 * a * b, b * b), format("%dx+%d", a, b), kAskValue);
    } else {
        taskPrintf("%s (%dx^2-%dx+%d)/(%dx-%d)%s", format(kTermAt, x).c_str(), a * a, 2 * a * b, b * b, a, b,
                   kBinomialTip);
        setFraction(format("%dx^2-%dx+%d", a * a, 2 * a * b, b * b), format("%dx-%d", a, b), kAskValue);
    }
    sol() = a * x + sign * b;
}

// ------------------------------------------------------------ 12101-12114: fraction equations

const char* const kSolveFraction = "\n\n\n\nLöse die Bruchgleichung.\n";

void task12101()
{
    int a = drawRange(2, 9); // x
    int b = drawRange(1, 8);
    taskPrintf("%s %d/x = %d", kSolveFraction, a * b, b);
    setFraction(format("%d", a * b), "x", equalsValue(b));
    sol() = a;
}

// p / (qx) = r.
void task12102()
{
    int a = drawRange(2, 9); // x
    int q = drawRange(2, 5);
    int r = drawRange(1, 6);
    taskPrintf("%s %d/%dx = %d", kSolveFraction, q * a * r, q, r);
    setFraction(format("%d", q * a * r), format("%dx", q), equalsValue(r));
    sol() = a;
}

// p / (x + q) = r, the pole kept off the solution.
void task12103()
{
    int a = drawRange(-5, 9); // x
    int q = drawRange(1, 9);
    int r = drawRange(1, 5);
    if (a + q == 0)
        q = q + 1;
    taskPrintf("%s %d/(x+%d) = %d", kSolveFraction, (a + q) * r, q, r);
    setFraction(format("%d", (a + q) * r), format("x+%d", q), equalsValue(r));
    sol() = a;
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
    taskPrintf("%s %d/(%dx+%d) = %d", kSolveFraction, (q * a + s) * r, q, s, r);
    setFraction(format("%d", (q * a + s) * r), format("%dx+%d", q, s), equalsValue(r));
    sol() = a;
}

// r(q + k)x / (qx + ka) = r: cleared of the fraction, rkx = rka.
void task12105()
{
    int a = drawRange(1, 9); // x
    int q = drawRange(1, 5);
    int r = drawRange(1, 5);
    int k = drawRange(1, 4);
    taskPrintf("%s %dx/(%dx+%d) = %d", kSolveFraction, r * (q + k), q, k * a, r);
    setFraction(format("%dx", r * (q + k)), format("%dx+%d", q, k * a), equalsValue(r));
    sol() = a;
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
    taskPrintf("%s (%dx+%d)/(%dx+%d) = %d", kSolveFraction, p, s, q, t, r);
    setFraction(format("%dx+%d", p, s), format("%dx+%d", q, t), equalsValue(r));
    sol() = a;
}

// rc/x + r(a - c)/x = r.
void task12107()
{
    int a = drawRange(2, 9); // x
    int r = drawRange(2, 6);
    int c = drawRange(1, a - 1);
    int p = r * c, q = r * (a - c);
    taskPrintf("%s %d/x + %d/x) = %d", kSolveFraction, p, q, r);
    int x = drawFraction(kFormulaLeft, format("%d", p), "x");
    x = drawFormula(x, kResultY, " + ");
    x = drawFraction(x, format("%d", q), "x");
    drawFormula(x, kResultY, equalsValue(r));
    sol() = a;
}

// 12108-12111: a binomial over one of its factors equals the other factor.
void binomialEquation(int taskNumber)
{
    int a = drawRange(1, 9); // x
    int b = drawRange(1, 9);
    if (taskNumber != 12108 && b == a)
        b = b + 1;
    std::string num, den;
    int rhs = 0;
    switch (taskNumber) {
    case 12108:
        rhs = a + b;
        taskPrintf("%s (x^2+%dx+%d)/(x+%d) = %d", kSolveFraction, 2 * b, b * b, b, rhs);
        num = format("x^2+%dx+%d", 2 * b, b * b);
        den = format("x+%d", b);
        break;
    case 12109:
        rhs = a - b;
        taskPrintf("%s (x^2-%dx+%d)/(x-%d) = %d", kSolveFraction, 2 * b, b * b, b, rhs);
        num = format("x^2-%dx+%d", 2 * b, b * b);
        den = format("x-%d", b);
        break;
    case 12110:
        rhs = a - b;
        taskPrintf("%s (x^2-%d)/(x+%d) = %d", kSolveFraction, b * b, b, rhs);
        num = format("x^2-%d", b * b);
        den = format("x+%d", b);
        break;
    default:
        rhs = a + b;
        taskPrintf("%s (x^2-%d)/(x-%d) = %d", kSolveFraction, b * b, b, rhs);
        num = format("x^2-%d", b * b);
        den = format("x-%d", b);
        break;
    }
    setFraction(num, den, equalsValue(rhs));
    sol() = a;
}

void task12112()
{
    int a = drawRange(-10, 9); // x
    int b = drawRange(1, 4);
    if (a == 0)
        a = 1;
    if (a == -b)
        b = b + 1;
    taskPrintf("%s (x^3+%dx^2+%dx+%d)/(x^2+%dx+%d) = %d%s", kSolveFraction, 3 * b, 3 * b * b, b * b * b, 2 * b,
               b * b, a + b, kBinomialTip);
    setFraction(format("x^3+%dx^2+%dx+%d", 3 * b, 3 * b * b, b * b * b), format("x^2+%dx+%d", 2 * b, b * b),
                equalsValue(a + b));
    sol() = a;
}

void task12113(int taskNumber)
{
    int sign = taskNumber == 12113 ? 1 : -1;
    SquareOverFactor s = sign > 0 ? drawSquareOverFactor(4, -4, 4, sign) : drawSquareOverFactor(5, -6, 7, sign);
    int a = s.a, b = s.b, x = s.x;
    int rhs = a * x + sign * b;
    if (sign > 0) {
        taskPrintf("%s (%dx^2+%dx+%d)/(%dx+%d) = %d", kSolveFraction, a * a, 2 * a * b, b * b, a, b, rhs);
        setFraction(format("%dx^2+%dx+%d", a * a, 2 * a * b, b * b), format("%dx+%d", a, b), equalsValue(rhs));
    } else {
        taskPrintf("%s (%dx^2-%dx+%d)/(%dx-%d) = %d", kSolveFraction, a * a, 2 * a * b, b * b, a, b, rhs);
        setFraction(format("%dx^2-%dx+%d", a * a, 2 * a * b, b * b), format("%dx-%d", a, b), equalsValue(rhs));
    }
    sol() = x;
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
    case 8107: xTimesDifference("\n\n\n\n Term:   x*(%d - %d) = ??  wenn x = %d"); break;
    case 8108: xTimesDifference("\n\n\n\n Term:   x(%d - %d) = ??  wenn x = %d"); break;
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
