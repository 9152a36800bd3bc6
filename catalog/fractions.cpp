// Fractions and decimals: parts of a quantity, reducing, the four operations
// on fractions, shares, means, placeholder equations, comparison, and
// conversion between fractions, decimals and percent. Each task writes its
// Lösungsweg from the numbers it drew, beside the text it prints; the
// shapes that recur (reducing, sums over a common denominator, products,
// quotients) have one helper each.
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <string>

#include "catalog.h"
#include "families.h"
#include "illustrations.h"
#include "notation.h"
#include "squares.h"

namespace {

constexpr int kBlack = 0x000000;

// The answer squares show numerator and denominator of the reduced fraction.
void fractionAnswer(int num, int den)
{
    fracNum = num;
    fracDen = den;
    reduceFraction();
    sol() = fracNum;
    solution2[taskIndex] = fracDen;
    answerKind = 3;
    relationOp = 5;
}

// reduceFraction only works on positive values: a difference below zero is
// reduced by its size and keeps its sign on the numerator.
void reduceSigned(int& num, int& den)
{
    bool negative = num < 0;
    fracNum = negative ? -num : num;
    fracDen = den;
    reduceFraction();
    num = negative ? -fracNum : fracNum;
    den = fracDen;
}

void signedFractionAnswer(int num, int den)
{
    reduceSigned(num, den);
    sol() = num;
    solution2[taskIndex] = den;
    answerKind = 3;
    relationOp = 5;
}

// ------------------------------------------------------------ Lösungsweg

// "3/4", "-1/6": a fraction as the task text prints it.
std::string frac(long long num, long long den) { return std::to_string(num) + "/" + std::to_string(den); }

// "Kürzen mit 4: 8/12 = 2/3" when num/den can be reduced; it ends in the
// pair the answer squares show.
void reduceStep(long long num, long long den)
{
    long long g = std::gcd(num < 0 ? -num : num, den);
    if (num != 0 && g > 1)
        taskStep("Kürzen mit %lld: %s = %s", g, frac(num, den).c_str(), frac(num / g, den / g).c_str());
}

// "Hauptnenner 12: 3/4 = 9/12, 1/6 = 2/12" when the denominators differ; a
// fraction already over the common denominator is not repeated. Returns
// the common denominator.
long long commonDenominatorStep(long long a, long long b, long long c, long long d)
{
    long long l = std::lcm(b, d);
    if (b == d)
        return l;
    std::string line = "Hauptnenner " + std::to_string(l) + ":";
    if (b != l)
        line += " " + frac(a, b) + " = " + frac(a * (l / b), l);
    if (d != l)
        line += std::string(b != l ? "," : "") + " " + frac(c, d) + " = " + frac(c * (l / d), l);
    taskStep("%s", line.c_str());
    return l;
}

// A whole number beside a fraction of another denominator is written as a
// whole and then over that denominator: "3/3 = 1" / "1 - 3/4 = 4/4 - 3/4 =
// 1/4", not over a common denominator of both. False when neither is whole.
bool wholeSumSteps(long long a, long long b, char op, long long c, long long d)
{
    bool firstWhole = b > 1 && a % b == 0, secondWhole = d > 1 && c % d == 0;
    if (b == d || !(firstWhole || secondWhole))
        return false;
    long long r = 0;
    if (firstWhole && secondWhole) {
        taskStep("%s = %lld, %s = %lld", frac(a, b).c_str(), a / b, frac(c, d).c_str(), c / d);
        r = op == '+' ? a / b + c / d : a / b - c / d;
        taskStep("%lld %c %s = %lld = %s", a / b, op, deOperand(static_cast<int>(c / d)).c_str(), r,
                 frac(r, 1).c_str());
        return true;
    }
    if (firstWhole) {
        long long w = a / b;
        r = op == '+' ? w * d + c : w * d - c;
        taskStep("%s = %lld", frac(a, b).c_str(), w);
        taskStep("%lld %c %s = %s %c %s = %s", w, op, frac(c, d).c_str(), frac(w * d, d).c_str(), op,
                 frac(c, d).c_str(), frac(r, d).c_str());
        reduceStep(r, d);
    } else {
        long long w = c / d;
        r = op == '+' ? a + w * b : a - w * b;
        taskStep("%s = %lld", frac(c, d).c_str(), w);
        taskStep("%s %c %lld = %s %c %s = %s", frac(a, b).c_str(), op, w, frac(a, b).c_str(), op,
                 frac(w * b, b).c_str(), frac(r, b).c_str());
        reduceStep(r, b);
    }
    return true;
}

// a/b + c/d or a/b - c/d over the common denominator, then reduced:
// "Hauptnenner 12: 3/4 = 9/12, 1/6 = 2/12" / "9/12 + 2/12 = 11/12".
void sumSteps(long long a, long long b, char op, long long c, long long d)
{
    if (wholeSumSteps(a, b, op, c, d))
        return;
    long long l = commonDenominatorStep(a, b, c, d);
    long long x = a * (l / b), y = c * (l / d);
    long long r = op == '+' ? x + y : x - y;
    taskStep("%s %c %s = %s", frac(x, l).c_str(), op, frac(y, l).c_str(), frac(r, l).c_str());
    reduceStep(r, l);
}

// Divides both by their greatest common divisor.
void cancel(long long& numerator, long long& denominator)
{
    long long g = std::gcd(numerator, denominator);
    numerator /= g;
    denominator /= g;
}

// "2/6 · 3/6 = (2 · 3)/(6 · 6)", reduced before multiplying out, each
// numerator against each denominator: "(1 · 1)/(3 · 2) = 1/6". After all
// four pairs are cancelled the product is reduced.
void productSteps(long long a, long long b, long long c, long long d)
{
    long long n1 = a, n2 = c, d1 = b, d2 = d;
    cancel(n1, d1);
    cancel(n1, d2);
    cancel(n2, d1);
    cancel(n2, d2);
    if (n1 == a && n2 == c && d1 == b && d2 == d) {
        taskStep("%s · %s = (%lld · %lld)/(%lld · %lld) = %s", frac(a, b).c_str(), frac(c, d).c_str(), a, c, b, d,
                 frac(a * c, b * d).c_str());
        return;
    }
    taskStep("%s · %s = (%lld · %lld)/(%lld · %lld)", frac(a, b).c_str(), frac(c, d).c_str(), a, c, b, d);
    taskStep("Vorher kürzen: (%lld · %lld)/(%lld · %lld) = (%lld · %lld)/(%lld · %lld) = %s", a, c, b, d, n1, n2,
             d1, d2, frac(n1 * n2, d1 * d2).c_str());
}

// Dividing by c/d multiplies by its reciprocal: "2/6 · 6/3 = 12/18". (In one
// line "2/6 : 3/6" would read as 2/6 : 3 : 6, so the quotient is not
// written as an equation.)
void quotientSteps(long long a, long long b, long long c, long long d)
{
    taskStep("Mit dem Kehrwert multiplizieren: %s · %s = %s", frac(a, b).c_str(), frac(d, c).c_str(),
             frac(a * d, b * c).c_str());
    reduceStep(a * d, b * c);
}

// ------------------------------------------------------------ drawings

// The task's fractions stand stacked in the task area: the first at x 200,
// the second at x 290, operators between them on the text line at y 19.
constexpr int kFirstX = 200;
constexpr int kSecondX = 290;
constexpr int kTop = 5;
constexpr int kTextY = 19;

// Tasks answered in the single row of squares at the top draw below it,
// keeping the drawing's own layout; those answered in the fraction rows
// further down keep the top.
constexpr int kGapBelowSquares = 15;
int drawingShift = 0;

bool answeredAtTop(int taskNumber)
{
    switch (taskNumber) {
    case 5110:
    case 5113:
    case 5114:
    case 5203:
    case 5204:
    case 5205:
    case 5206:
    case 5207:
    case 5213:
    case 7103:
    case 7104: return true;
    default: return false;
    }
}

int top() { return kTop + drawingShift; }
int textY() { return kTextY + drawingShift; }
constexpr int kOperatorX = 273;
constexpr int kEqualsX = 370;
// A result fraction right of " = ".
constexpr int kThirdX = 400;

void drawText(int x, const char* text) { aographic_text(x, textY(), kBlack, text); }

void drawTwoFractions(int p1, int q1, const char* op, int p2, int q2)
{
    drawFractionText(kFirstX, top(), p1, q1);
    drawText(kOperatorX, op);
    drawFractionText(kSecondX, top(), p2, q2);
    drawText(kEqualsX, " = ? ");
}

// One fraction with its question beside it.
void drawOneFraction(int p, int q, const char* question)
{
    drawFractionText(kFirstX, top(), p, q);
    drawText(270, question);
}

void drawEqualsNumber(int v) { aographic_printf(kEqualsX, textY(), kBlack, " = %d", v); }

// ------------------------------------------------------------ parts of a quantity

struct Part {
    int task;
    const char* word;
    int hi;       // a = 1..hi
    int parts;    // the quantity shown is parts × a
    int taken;    // the solution is taken × a
};

const Part kParts[] = {
    {4102, "Ein Viertel", 25, 4, 1},       {4103, "Die Hälfte", 50, 2, 1},
    {4105, "Ein Drittel", 25, 3, 1},       {4106, "Ein Fünftel", 20, 5, 1},
    {4107, "Ein Sechstel", 12, 6, 1},      {4108, "Ein Siebentel", 12, 7, 1},
    {4109, "Ein Achtel", 12, 8, 1},        {4110, "Ein Neuntel", 12, 9, 1},
    {4111, "Ein Zehntel", 12, 10, 1},      {4112, "Ein Elftel", 12, 11, 1},
    {4113, "Ein Zwölftel", 12, 12, 1},     {4114, "Ein Hundertstel", 12, 100, 1},
    {4115, "Ein Tausendstel", 12, 1000, 1},
    {4202, "Drei Viertel", 25, 4, 3},      {4203, "Die Hälfte", 100, 2, 1},
    {4205, "Zwei Drittel", 25, 3, 2},      {4206, "Drei Fünftel", 20, 5, 3},
    {4207, "Fünf Sechstel", 12, 6, 5},     {4208, "Zwei Siebentel", 12, 7, 2},
    {4209, "Sieben Achtel", 12, 8, 7},     {4210, "Fünf Neuntel", 12, 9, 5},
    {4211, "Sieben Zehntel", 12, 10, 7},   {4212, "Drei Elftel", 12, 11, 3},
    {4213, "Fünf Zwölftel", 12, 12, 5},    {4214, "Sieben Hundertstel", 12, 100, 7},
    {4215, "Fünf Tausendstel", 12, 1000, 5},
};

bool partTask(int taskNumber)
{
    for (const Part& p : kParts) {
        if (p.task != taskNumber)
            continue;
        int a = drawRange(1, p.hi);
        taskPrintf("\n\n\n\n %s von %d  = ?? ", p.word, p.parts * a);
        sol() = p.taken * a;
        answerCeiling = p.parts * a;
        // One part first, then as many parts as are taken.
        taskStep("%d : %d = %d", p.parts * a, p.parts, a);
        if (p.taken > 1)
            taskStep("%d · %d = %d", p.taken, a, p.taken * a);
        return true;
    }
    return false;
}

// ------------------------------------------------------------ level 4, difficulty 3

void task4301()
{
    int a = drawRange(1, 5);
    int b = drawRange(2, 6);
    if (b == a)
        b = b + 1;
    int c = drawRange(2, 6);
    taskPrintf("\n\n\n\n Kürzen:  %d/%d = ?/?\n ", a * c, b * c);
    drawOneFraction(a * c, b * c, "= ?");
    fractionAnswer(a * c, b * c);
    reduceStep(a * c, b * c);
}

// 4302, 4304: two fractions over one denominator; the fourth number is
// drawn but never shown.
void sameDenominator(bool subtract)
{
    int a = drawRange(1, 5);
    int b = drawRange(1, 5);
    if (b == a)
        b = b + 1;
    int c = drawRange(5, 11);
    drawRange(2, 6);
    if (subtract) {
        taskPrintf("\n\n\n\n Brüche subtrahieren und kürzen:  %d/%d - %d/%d = ?/?\n ", a, c, b, c);
        drawTwoFractions(a, c, " - ", b, c);
        signedFractionAnswer(a - b, c);
        sumSteps(a, c, '-', b, c);
    } else {
        taskPrintf("\n\n\n\n Brüche addieren und kürzen:  %d/%d + %d/%d = ?/?\n ", a, c, b, c);
        drawTwoFractions(a, c, " + ", b, c);
        fractionAnswer(a + b, c);
        sumSteps(a, c, '+', b, c);
    }
}

void task4303()
{
    int a = drawRange(1, 4);
    int b = drawRange(3, 7);
    int c = drawRange(1, 4);
    int d = drawRange(3, 7);
    taskPrintf("\n\n\n\n Brüche addieren und kürzen:  %d/%d + %d/%d = ?/?\n ", a, b, c, d);
    drawTwoFractions(a, b, " + ", c, d);
    fractionAnswer(a * d + c * b, b * d);
    sumSteps(a, b, '+', c, d);
}

// Equal fractions would leave 0 as difference, which has no reduced form
// with a positive numerator to pick; the second denominator is raised, which
// always makes the fractions differ.
void task4305()
{
    int a = drawRange(1, 4);
    int b = drawRange(3, 7);
    int c = drawRange(1, 4);
    int d = drawRange(3, 7);
    if (a * d == c * b)
        d = d + 1;
    taskPrintf("\n\n\n\n Brüche subtrahieren und kürzen:  %d/%d - %d/%d = ?/?\n ", a, b, c, d);
    drawTwoFractions(a, b, " - ", c, d);
    signedFractionAnswer(a * d - c * b, b * d);
    sumSteps(a, b, '-', c, d);
}

void productOrQuotient(bool divide)
{
    int a = drawRange(1, 5);
    int b = drawRange(2, 7);
    int c = drawRange(1, 5);
    int d = drawRange(2, 7);
    if (divide) {
        taskPrintf("\n\n\n\n Brüche dividieren und kürzen:  %d/%d : %d/%d = ?/?\n ", a, b, c, d);
        drawTwoFractions(a, b, " : ", c, d);
        fractionAnswer(a * d, b * c);
        quotientSteps(a, b, c, d);
    } else {
        taskPrintf("\n\n\n\n Brüche multiplizieren und kürzen:  %d/%d · %d/%d = ?/?\n ", a, b, c, d);
        drawTwoFractions(a, b, " · ", c, d);
        fractionAnswer(a * c, b * d);
        productSteps(a, b, c, d);
    }
}

// ------------------------------------------------------------ level 5, difficulty 1

// "10 von 200": the share 10/200, then reduced.
void shareSteps(int part, int whole)
{
    taskStep("Anteil: %d von %d = %s", part, whole, frac(part, whole).c_str());
    reduceStep(part, whole);
}

void task5105()
{
    int m = 5 * drawRange(1, 11);
    taskPrintf("\n\n\n\nDrücke als Bruchteil einer Stunde aus und kürze vollständig: \n%d min", m);
    fractionAnswer(m, 60);
    taskStep("1 h = 60 min, also %d min = %d/60 h", m, m);
    reduceStep(m, 60);
}

void task5106()
{
    int n = 100 * drawRange(1, 5);
    int w = 10 * drawRange(1, 5);
    taskPrintf("\n\n\n\nGib den Anteil als gekürzten Bruch an. \n"
               "Unter %d Losen waren %d Gewinne.\n ",
               n, w);
    fractionAnswer(w, n);
    shareSteps(w, n);
}

void task5107()
{
    int n = 10 * drawRange(1, 5);
    int a = drawRange(2, 8);
    taskPrintf("\n\n\n\nGib den Anteil als gekürzten Bruch an. \n"
               "Von %d Pflaumen waren %d madig.\n ",
               n, a);
    fractionAnswer(a, n);
    shareSteps(a, n);
}

void task5108()
{
    int n = 10 * drawRange(1, 5) + 10;
    int a = drawRange(2, 8);
    taskPrintf("\n\n\n\nGib den Anteil als gekürzten Bruch an. \n"
               "Von %d kontrollierten Fahrgästen waren %d ohne \ngültigen Fahrschein.\n ",
               n, a);
    fractionAnswer(a, n);
    shareSteps(a, n);
}

void task5109()
{
    int a = drawRange(20, 31);
    int k = 2 * drawRange(1, 9);
    taskPrintf("\n\n\n\nGib den Anteil als gekürzten Bruch an. \n"
               "Von den %d Schülern einer Klasse kommen %d mit dem \nFahrrad zur Schule.\n ",
               a, k);
    fractionAnswer(k, a);
    shareSteps(k, a);
}

// The fractions stand only in the picture; the squares show "<", "=", ">".
void task5110()
{
    int a = drawRange(5, 14);
    int b = drawRange(1, 5);
    int c = drawRange(5, 14);
    int d = drawRange(1, 5);
    taskPrintf("\n\n\n\n Welches Zeichen muss zwischen den Brüchen stehen?\n    <  =  >  ?");
    drawFractionText(kFirstX, top(), b, a);
    drawText(kOperatorX, " ? ");
    drawFractionText(kSecondX, top(), d, c);
    taskPictureText = std::to_string(b) + "/" + std::to_string(a) + " ?? " + std::to_string(d) + "/" + std::to_string(c);
    // Division rounds correctly, so equal fractions give equal decimals.
    double left = static_cast<double>(b) / a;
    double right = static_cast<double>(d) / c;
    sol() = left < right ? 1 : left == right ? 2 : 3;
    choiceMode = 2;
    optionCount = 3;
    const char* sign = sol() == 1 ? "<" : sol() == 2 ? "=" : ">";
    long long l = commonDenominatorStep(b, a, d, c);
    if (a != c)
        taskStep("%s %s %s, also %s %s %s", frac(b * (l / a), l).c_str(), sign, frac(d * (l / c), l).c_str(),
                 frac(b, a).c_str(), sign, frac(d, c).c_str());
    else
        taskStep("Gleiche Nenner: %s %s %s", frac(b, a).c_str(), sign, frac(d, c).c_str());
}

void task5111()
{
    int a = drawRange(1, 10);
    taskPrintf("\n\n\n\n Wie groß ist ein Drittel von der Hälfte von %d?\n ", 6 * a);
    sol() = a;
    answerCeiling = 3 * a; // not even the half
    taskStep("Die Hälfte: %d : 2 = %d", 6 * a, 3 * a);
    taskStep("Ein Drittel davon: %d : 3 = %d", 3 * a, a);
}

void task5112()
{
    int a = drawRange(2, 61);
    taskPrintf("\n\n\n\n Wie groß ist ein Drittel von der Hälfte von %d?\n ", a);
    fractionAnswer(a, 6);
    taskStep("1/3 · 1/2 = 1/6");
    if (a % 6 == 0) {
        taskStep("1/6 von %d: %d : 6 = %d = %d/1", a, a, a / 6, a / 6);
        return;
    }
    taskStep("1/6 von %d: %d : 6 = %d/6", a, a, a);
    reduceStep(a, 6);
}

// 5113, 5114: a part of a part of a unit, in the next smaller unit; the
// second and fourth numbers are drawn but never shown.
void partOfPart(bool kilograms)
{
    int a = drawRange(1, 3);
    drawRange(2, 4);
    int c = drawRange(1, kilograms ? 3 : 2);
    drawRange(2, 4);
    if (kilograms) {
        taskPrintf("\n\n\n\n  Wie viel sind %d/%d von %d/%d Kilogramm in Gramm?\n ", a, 5, c, 4);
        drawFractionText(kFirstX, top(), a, 5);
        drawFractionText(kSecondX, top(), c, 4);
    } else {
        taskPrintf("\n\n\n\n  Wie viel sind %d/%d von %d/%d Kilometer in Metern?\n ", a, 4, c, 5);
        drawFractionText(kFirstX, top(), a, 4);
        drawFractionText(kSecondX, top(), c, 5);
    }
    sol() = 50 * a * c;
    int p = kilograms ? 5 : 4, q = kilograms ? 4 : 5;
    const char* big = kilograms ? "kg" : "km";
    const char* small = kilograms ? "g" : "m";
    taskStep("%s · %s %s = %s %s", frac(a, p).c_str(), frac(c, q).c_str(), big, frac(a * c, 20).c_str(), big);
    taskStep("1 %s = 1000 %s", big, small);
    taskStep("%s · 1000 %s = %d %s", frac(a * c, 20).c_str(), small, sol(), small);
}

void task5115()
{
    int a = drawRange(1, 6);
    int b = drawRange(2, 7);
    int c = drawRange(1, 6);
    taskPrintf("\n\n\n\n Gib den Mittelwert der Zahlen %d, %d und %d \n  als gekürzten Bruch an.", a, b, c);
    fractionAnswer(a + b + c, 3);
    taskStep("(%d + %d + %d) : 3 = %d : 3 = %d/3", a, b, c, a + b + c, a + b + c);
    reduceStep(a + b + c, 3);
}

void task5116()
{
    int a = drawRange(1, 4);
    int b = drawRange(3, 7);
    int c = drawRange(1, 4);
    int d = drawRange(3, 7);
    taskPrintf("\n\n\n\n Berechne den Mittelwert von %d/%d und %d/%d ", a, b, c, d);
    drawFractionText(kFirstX, top(), a, b);
    drawFractionText(kSecondX, top(), c, d);
    fractionAnswer(a * d + c * b, 2 * b * d);
    // The sum is halved unreduced, so one reduction at the end does it all.
    long long l = commonDenominatorStep(a, b, c, d);
    long long x = a * (l / b), y = c * (l / d);
    taskStep("%s + %s = %s", frac(x, l).c_str(), frac(y, l).c_str(), frac(x + y, l).c_str());
    taskStep("%s : 2 = %s", frac(x + y, l).c_str(), frac(x + y, 2 * l).c_str());
    reduceStep(x + y, 2 * l);
}

void task5117()
{
    int a = drawRange(1, 6);
    taskPrintf("\n\n\n\n Welche Zahl ergibt %d, wenn man sie zu ihrer Hälfte addiert? \n"
               " Gib die Zahl als gekürzten Bruch an.",
               a);
    fractionAnswer(2 * a, 3);
    taskStep("x + 1/2 · x = 3/2 · x = %d", a);
    taskStep("x = %d · 2/3 = %d/3", a, 2 * a);
    reduceStep(2 * a, 3);
}

void task5118()
{
    int a = drawRange(1, 6);
    taskPrintf("\n\n\n\n Welche Zahl ergibt %d, wenn man sie zu ihrem Drittel addiert? \n"
               " Gib die Zahl als gekürzten Bruch an.",
               a);
    fractionAnswer(3 * a, 4);
    taskStep("x + 1/3 · x = 4/3 · x = %d", a);
    taskStep("x = %d · 3/4 = %d/4", a, 3 * a);
    reduceStep(3 * a, 4);
}

// ------------------------------------------------------------ level 5, difficulty 2

void task5203()
{
    int a = drawRange(1, 3);
    int b = drawRange(2, 4);
    int c = drawRange(2, 4);
    int d = drawRange(1, 2);
    taskPrintf("\n\n\n\n %d/%d + x/%d = %d\nWie groß muss der Platzhalter x in der Gleichung sein? ",
               a * b, b, c, d);
    drawFractionText(kFirstX, top(), a * b, b);
    drawText(kOperatorX, " + ");
    drawFractionXOver(kSecondX, top(), c);
    drawEqualsNumber(d);
    sol() = c * (d - a);
    taskStep("%d/%d = %d", a * b, b, a);
    taskStep("%d + x/%d = %d   | - %d", a, c, d, a);
    taskStep("x/%d = %d - %d = %d   | · %d", c, d, a, d - a, c);
    taskStep("x = %s · %d = %d", deOperand(d - a).c_str(), c, sol());
}

// 5204, 5206, 5207 share their draws.
struct Quad {
    int a, b, c, d;
};

Quad drawQuad()
{
    Quad q;
    q.a = drawRange(2, 4);
    q.b = drawRange(2, 4);
    q.c = drawRange(2, 4);
    q.d = drawRange(1, 8);
    return q;
}

void task5204()
{
    Quad q = drawQuad();
    taskPrintf("\n\n\n\n x/%d + %d/%d = %d\nWie groß muss der Platzhalter x in der Gleichung sein? ",
               q.a, q.b * q.c, q.c, q.d);
    drawFractionXOver(kFirstX, top(), q.a);
    drawText(kOperatorX, " + ");
    drawFractionText(kSecondX, top(), q.b * q.c, q.c);
    drawEqualsNumber(q.d);
    sol() = q.a * (q.d - q.b);
    taskStep("%d/%d = %d", q.b * q.c, q.c, q.b);
    taskStep("x/%d + %d = %d   | - %d", q.a, q.b, q.d, q.b);
    taskStep("x/%d = %d - %d = %d   | · %d", q.a, q.d, q.b, q.d - q.b, q.a);
    taskStep("x = %s · %d = %d", deOperand(q.d - q.b).c_str(), q.a, sol());
}

// The unknown stands in the denominator; c is kept apart from a so the
// equation has one solution.
void task5205()
{
    int a = drawRange(1, 3);
    int b = drawRange(2, 4);
    int c = drawRange(2, 5);
    int e = drawRange(2, 6);
    if (a == c)
        c = c + 1;
    // With c - a = 1 or -1 (half the draws) x was the printed numerator
    // itself; c moves one further from a, so x needs the division.
    if (c - a == 1)
        c = a + 2;
    else if (c - a == -1)
        c = a - 2;
    // A negative numerator is written as a difference: "12/4 - 6/x".
    int n = (c - a) * e;
    int shown = n < 0 ? -n : n;
    char op = n < 0 ? '-' : '+';
    taskPrintf("\n\n\n\n %d/%d %c %d/x = %d\nWie groß muss der Platzhalter x in der Gleichung sein? ",
               a * b, b, op, shown, c);
    drawFractionText(kFirstX, top(), a * b, b);
    drawText(kOperatorX, n < 0 ? " - " : " + ");
    drawFractionOverX(kSecondX, top(), shown);
    drawEqualsNumber(c);
    sol() = e;
    // The whole put in, then the fraction with x found by the inverse
    // operation: what must be added to (taken from) a to give c.
    taskStep("%d/%d = %d", a * b, b, a);
    if (n < 0)
        taskStep("%d - %d/x = %d, also %d/x = %d - %d = %d", a, shown, c, shown, a, c, a - c);
    else
        taskStep("%d + %d/x = %d, also %d/x = %d - %d = %d", a, shown, c, shown, c, a, c - a);
    taskStep("x = %d : %d = %d", shown, n < 0 ? a - c : c - a, e);
}

void task5206()
{
    Quad q = drawQuad();
    taskPrintf("\n\n\n\n x/%d - %d/%d = %d\nWie groß muss der Platzhalter x in der Gleichung sein? ",
               q.a, q.b * q.c, q.c, q.d);
    drawFractionXOver(kFirstX, top(), q.a);
    drawText(kOperatorX, " - ");
    drawFractionText(kSecondX, top(), q.b * q.c, q.c);
    drawEqualsNumber(q.d);
    sol() = q.a * (q.d + q.b);
    taskStep("%d/%d = %d", q.b * q.c, q.c, q.b);
    taskStep("x/%d - %d = %d   | + %d", q.a, q.b, q.d, q.b);
    taskStep("x/%d = %d + %d = %d   | · %d", q.a, q.d, q.b, q.d + q.b, q.a);
    taskStep("x = %d · %d = %d", q.d + q.b, q.a, sol());
}

// x = c·d − a·b is never 0.
void task5207()
{
    Quad q = drawQuad();
    if (q.c * q.d == q.a * q.b)
        q.d = q.d + 1;
    taskPrintf("\n\n\n\n x/%d + %d/%d = %d/%d\nWie groß muss der Platzhalter x in der Gleichung sein? ",
               q.a * q.c, q.b, q.c, q.d, q.a);
    drawFractionXOver(kFirstX, top(), q.a * q.c);
    drawText(kOperatorX, " + ");
    drawFractionText(kSecondX, top(), q.b, q.c);
    drawText(kEqualsX, " = ");
    drawFractionText(kThirdX, top(), q.d, q.a);
    sol() = q.c * q.d - q.a * q.b;
    int l = q.a * q.c;
    taskStep("Hauptnenner %d: %d/%d = %d/%d, %d/%d = %d/%d", l, q.b, q.c, q.a * q.b, l, q.d, q.a, q.c * q.d, l);
    taskStep("x/%d + %d/%d = %d/%d   | - %d/%d", l, q.a * q.b, l, q.c * q.d, l, q.a * q.b, l);
    taskStep("x/%d = %d/%d - %d/%d = %d/%d   | · %d", l, q.c * q.d, l, q.a * q.b, l, sol(), l, l);
    taskStep("x = %d", sol());
}

// 5208 to 5211: the given fraction, the placeholder x/y and the result; the
// pupil finds x/y, which is c/d reduced, from the printed result by the
// inverse operation. op is '+', '-', ':' or '*'.
void placeholderFraction(const char* format, char op, int a, int b, int resultNum, int resultDen, int c, int d)
{
    reduceSigned(resultNum, resultDen);
    taskPrintf(format, a, b, resultNum, resultDen);
    drawFractionText(kFirstX, top(), a, b);
    drawText(kOperatorX, op == '+' ? " + " : op == '-' ? " - " : op == ':' ? " : " : " · ");
    drawFractionXOverY(kSecondX, top());
    drawText(kEqualsX, " = ");
    drawFractionText(kThirdX, top(), resultNum, resultDen);
    fractionAnswer(c, d);
    std::string given = frac(a, b), result = frac(resultNum, resultDen);
    switch (op) {
    case '+': // a/b + x/y = r: x/y = r - a/b
        taskStep("x/y = %s - %s", result.c_str(), given.c_str());
        sumSteps(resultNum, resultDen, '-', a, b);
        break;
    case '-': // a/b - x/y = r: x/y = a/b - r
        if (resultNum < 0) {
            taskStep("x/y = %s - (%s) = %s + %s", given.c_str(), result.c_str(), given.c_str(),
                     frac(-resultNum, resultDen).c_str());
            sumSteps(a, b, '+', -resultNum, resultDen);
        } else {
            taskStep("x/y = %s - %s", given.c_str(), result.c_str());
            sumSteps(a, b, '-', resultNum, resultDen);
        }
        break;
    case ':': // a/b : x/y = r: x/y = a/b : r
        taskStep("x/y = %s : %s", given.c_str(), result.c_str());
        quotientSteps(a, b, resultNum, resultDen);
        break;
    default: // a/b · x/y = r: x/y = r : a/b
        taskStep("x/y = %s : %s", result.c_str(), given.c_str());
        quotientSteps(resultNum, resultDen, a, b);
        break;
    }
}

void task5208()
{
    Quad q = drawQuad();
    placeholderFraction("\n\n\n\n Berechne die Platzhalter x und y:  %d/%d · x/y = %d/%d\n ", '*', q.a, q.b,
                        q.a * q.c, q.b * q.d, q.c, q.d);
}

void placeholderSumEtc(int taskNumber)
{
    int a = drawRange(1, 4);
    int b = drawRange(3, 7);
    int c = drawRange(1, 4);
    int d = drawRange(3, 7);
    switch (taskNumber) {
    case 5209:
        placeholderFraction("\n\n\n\n Berechne die Platzhalter x und y:  %d/%d + x/y = %d/%d\n ", '+', a, b,
                            a * d + c * b, b * d, c, d);
        break;
    case 5210:
        // A difference of 0 would leave x/y without a printed result to find.
        if (a * d == c * b)
            a = a + 1;
        placeholderFraction("\n\n\n\n Berechne die Platzhalter x und y:  %d/%d - x/y = %d/%d\n ", '-', a, b,
                            a * d - c * b, b * d, c, d);
        break;
    default:
        placeholderFraction("\n\n\n\n Berechne die Platzhalter x und y:  %d/%d : x/y = %d/%d\n ", ':', a, b,
                            a * d, b * c, c, d);
        break;
    }
}

void task5212()
{
    int a = drawRange(1, 4);
    int b = drawRange(3, 7);
    int c = drawRange(1, 4);
    int d = drawRange(3, 7);
    int e = drawRange(3, 7);
    int f = drawRange(3, 7);
    taskPrintf("\n\n\n\n Berechne und kürze vollständig:  %d/%d · %d/%d · %d/%d = ? ", a, b, c, d, e, f);
    fractionAnswer(a * c * e, b * d * f);
    taskStep("(%d · %d · %d)/(%d · %d · %d) = %d/%d", a, c, e, b, d, f, a * c * e, b * d * f);
    reduceStep(a * c * e, b * d * f);
}

// "5 : 4 = 1,250"; a quotient that does not end within the places shown is
// rounded: "2 : 3 = 0,66666... ≈ 0,667".
void divisionToDecimalStep(int a, int b, int places)
{
    taskStep("%d : %d = %s", a, b, deRounded(static_cast<double>(a) / b, places).c_str());
}

// 5213, 5214 keep to denominators with short decimals: 7 and 9 are moved on.
int shortDenominator(int b)
{
    if (b == 7)
        b = 8;
    if (b == 9)
        b = 10;
    return b;
}

void task5213()
{
    int a = drawRange(1, 9);
    int b = shortDenominator(drawRange(2, 9));
    taskPrintf("\n\n\n\n Welcher Dezimalzahl entspricht dieser Bruch %d/%d = ? ", a, b);
    drawOneFraction(a, b, "= ?");
    decimalAnswer(static_cast<double>(a) / b, 3);
    divisionToDecimalStep(a, b, 3);
}

// 5214 asks which fraction a printed decimal is, so that decimal must be
// exact: 3 and 6 move on to 4 and 5 as 7 and 9 do, and a denominator
// that then equals the numerator is doubled (8/8 would be 1).
int endingDenominator(int a, int b)
{
    if (b == a)
        b = b + 1;
    b = shortDenominator(b);
    if (b == 3)
        b = 4;
    if (b == 6)
        b = 5;
    return b == a ? 2 * b : b;
}

void task5214()
{
    int a = drawRange(1, 9);
    int b = endingDenominator(a, drawRange(2, 9));
    std::string shown = deDecimal(static_cast<double>(a) / b, 3);
    taskPrintf("\n\n\n\n Welchem gekürzten Bruch entspricht diese Dezimalzahl %s? ", shown.c_str());
    fractionAnswer(a, b);
    // The decimal ends within the three places shown: read as thousandths.
    taskStep("%s = %d/1000", shown.c_str(), 1000 * a / b);
    reduceStep(1000 * a / b, 1000);
}

void task5215()
{
    int a = drawRange(1, 19);
    int b = drawRange(1, 19);
    taskPrintf("\n\n\n\n Addiere im Kopf %s + %s = ? ", deDecimal(a / 10.0, 1).c_str(), deDecimal(b / 10.0, 1).c_str());
    decimalAnswer((a + b) / 10.0, 2);
    taskStep("%d Zehntel + %d Zehntel = %d Zehntel", a, b, a + b);
    taskStep("%s + %s = %s", deDecimal(a / 10.0, 1).c_str(), deDecimal(b / 10.0, 1).c_str(),
             deDecimal((a + b) / 10.0, 2).c_str());
}

void task5216()
{
    int a = drawRange(1, 19);
    int b = drawRange(1, 19);
    taskPrintf("\n\n\n\n Subtrahiere im Kopf %s - %s = ? ", deDecimal(a / 10.0, 1).c_str(), deDecimal(b / 10.0, 1).c_str());
    decimalAnswer((a - b) / 10.0, 2);
    taskStep("%d Zehntel - %d Zehntel = %d Zehntel", a, b, a - b);
    taskStep("%s - %s = %s", deDecimal(a / 10.0, 1).c_str(), deDecimal(b / 10.0, 1).c_str(),
             deDecimal((a - b) / 10.0, 2).c_str());
}

void task5217()
{
    int a = drawRange(1, 19);
    int b = drawRange(1, 59);
    taskPrintf("\n\n\n\n Addiere im Kopf %s + %s = ? ", deDecimal(a / 10.0, 1).c_str(), deDecimal(b / 100.0, 2).c_str());
    decimalAnswer(a / 10.0 + b / 100.0, 3);
    // Zehntel and Hundertstel are added as Hundertstel.
    taskStep("%s = %d Hundertstel, %s = %d Hundertstel", deDecimal(a / 10.0, 1).c_str(), 10 * a,
             deDecimal(b / 100.0, 2).c_str(), b);
    taskStep("%d Hundertstel + %d Hundertstel = %d Hundertstel", 10 * a, b, 10 * a + b);
    taskStep("%s + %s = %s", deDecimal(a / 10.0, 1).c_str(), deDecimal(b / 100.0, 2).c_str(),
             deDecimal(a / 10.0 + b / 100.0, 3).c_str());
}

// ------------------------------------------------------------ levels 6 and 7

void task6306()
{
    static const int kDenominators[] = {20, 4, 5, 10, 20, 25, 50, 100};
    int d = kDenominators[drawRange(1, 8) - 1];
    int n = drawRange(1, d);
    if (n == d)
        n = n - 1;
    taskPrintf("\n\n\n\n Welcher Bruch (gekürzt) ist auf dem Zahlenstrahl dargestellt? \n ");
    fractionAnswer(n, d);
    drawFractionNumberLine(15, 40, fracNum, fracDen);
    // The line is parted in tenths (long ticks) and hundredths; the mark
    // is read as both.
    int k = 100 * n / d;
    if (k % 10 == 0) {
        taskStep("Bis zur Marke: %d Zehntel = %d/10", k / 10, k / 10);
        reduceStep(k / 10, 10);
        return;
    }
    std::string read = k >= 10 ? std::to_string(k / 10) + " Zehntel und " : std::string();
    taskStep("Bis zur Marke: %s%d Hundertstel = %d/100", read.c_str(), k % 10, k);
    reduceStep(k, 100);
}

void task6308()
{
    int a = drawRange(1, 5);
    int b = drawRange(1, 5);
    int c = drawRange(1, 5);
    int d = drawRange(1, 5);
    taskPrintf("\n\n\n\n Welcher Bruch ist hier rot dargestellt?\n Gib den gekürzten Bruch an. ");
    drawFractionGrid(190, 220, 20, a + c, b + d, c, d);
    fractionAnswer(c * d, (a + c) * (b + d));
    taskStep("Rote Kästchen: %d · %d = %d", c, d, c * d);
    taskStep("Alle Kästchen: %d · %d = %d", a + c, b + d, (a + c) * (b + d));
    taskStep("Anteil: %d/%d", c * d, (a + c) * (b + d));
    reduceStep(c * d, (a + c) * (b + d));
}

// 7103, 7104: a hundredths, shown reduced (or expanded, see below), asked as a percent.
void percentOfFraction(int lo, int hi)
{
    int a = drawRange(lo, hi);
    fracNum = a;
    fracDen = 100;
    reduceFraction();
    // Hundredths that do not reduce would print the answer (47/100 is 47 %):
    // they are shown expanded to 200, 300 or 400.
    if (fracDen == 100) {
        fracNum *= 2 + a % 3;
        fracDen *= 2 + a % 3;
    }
    taskPrintf("\n\n\n\nGib den Bruch %d/%d in Prozent an.", fracNum, fracDen);
    drawOneFraction(fracNum, fracDen, "= ? %");
    sol() = a;
    // Below 100 the fraction is expanded to hundredths, above (the shown
    // 200, 300, 400) it is reduced to them.
    if (fracDen < 100)
        taskStep("Erweitern mit %d: %d/%d = %d/100", 100 / fracDen, fracNum, fracDen, a);
    else if (fracDen > 100)
        taskStep("Kürzen mit %d: %d/%d = %d/100", fracDen / 100, fracNum, fracDen, a);
    taskStep("Prozent heißt Hundertstel: %d/100 = %d %%", a, a);
    taskStep("Die Prozentzahl ist %d", a);
}

} // namespace

void generateFractionTask(int taskNumber)
{
    // The record is preset here: one plain row of squares at the top.
    int belowSquares = SquareLayout::current(AnswerRows::Integer).bottom() + kGapBelowSquares;
    drawingShift = answeredAtTop(taskNumber) ? belowSquares - kTop : 0;
    if (partTask(taskNumber))
        return;
    switch (taskNumber) {
    case 4301: task4301(); break;
    case 4302: sameDenominator(false); break;
    case 4303: task4303(); break;
    case 4304: sameDenominator(true); break;
    case 4305: task4305(); break;
    case 4306: productOrQuotient(false); break;
    case 4307: productOrQuotient(true); break;
    case 5105: task5105(); break;
    case 5106: task5106(); break;
    case 5107: task5107(); break;
    case 5108: task5108(); break;
    case 5109: task5109(); break;
    case 5110: task5110(); break;
    case 5111: task5111(); break;
    case 5112: task5112(); break;
    case 5113: partOfPart(true); break;
    case 5114: partOfPart(false); break;
    case 5115: task5115(); break;
    case 5116: task5116(); break;
    case 5117: task5117(); break;
    case 5118: task5118(); break;
    case 5203: task5203(); break;
    case 5204: task5204(); break;
    case 5205: task5205(); break;
    case 5206: task5206(); break;
    case 5207: task5207(); break;
    case 5208: task5208(); break;
    case 5209:
    case 5210:
    case 5211: placeholderSumEtc(taskNumber); break;
    case 5212: task5212(); break;
    case 5213: task5213(); break;
    case 5214: task5214(); break;
    case 5215: task5215(); break;
    case 5216: task5216(); break;
    case 5217: task5217(); break;
    case 6306: task6306(); break;
    case 6308: task6308(); break;
    case 7103: percentOfFraction(1, 100); break;
    case 7104: percentOfFraction(100, 599); break;
    default: break;
    }
}
