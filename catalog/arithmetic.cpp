// Whole-number and signed-number arithmetic: sums and differences with a gap,
// products, order of operations, pick-two tasks, comparisons, brackets,
// operation chains and products of bracketed sums. Each task writes its
// Lösungsweg from the numbers it drew, beside the text it prints.
#include <cmath>
#include <cstdio>
#include <string>

#include "catalog.h"
#include "families.h"
#include "notation.h"

namespace {

// Powers are worked in floating point by repeated multiplication and
// truncated, as the pupil's calculator would show them.
double power(int base, int exponent)
{
    double p = 1;
    for (int i = 0; i < exponent; ++i)
        p *= base;
    return p;
}

// 1 for "<", 2 for "=", 3 for ">": the squares of a comparison.
template <typename T> int compareChoice(T a, T b)
{
    if (a < b)
        return 1;
    return a == b ? 2 : 3;
}

const char* relationSign(int choice) { return choice == 1 ? "<" : choice == 2 ? "=" : ">"; }

// A number after an operator: "6 + (-7)".
std::string operand(long long v) { return deOperand(static_cast<int>(v)); }

// ------------------------------------------------------------ levels 1 and 2

void sumOrDifference(int lo, int hi, const char* minus, const char* plus)
{
    int a = drawRange(lo, hi);
    int b = drawRange(lo, hi);
    if (b > a) {
        taskPrintf(minus, b, a);
        sol() = b - a;
        taskStep("%d - %d = %d", b, a, b - a);
    } else {
        taskPrintf(plus, b, a);
        sol() = b + a;
        taskStep("%d + %d = %d", b, a, b + a);
    }
}

// The gap of "x - ?? = y" is x - y, of "x + ?? = y" and "?? + x = y" it is
// y - x, of "?? - x = y" it is y + x.
void gapMinuend(int x, int y) { taskStep("?? = %d - %d = %d", x, y, x - y); }
void gapAddend(int x, int y) { taskStep("?? = %d - %d = %d", y, x, y - x); }
void gapSubtrahend(int x, int y) { taskStep("?? = %d + %d = %d", y, x, y + x); }

// 1102, 1103: the second operand is missing.
void missingSecondOperand(int lo, int hi)
{
    int a = drawRange(lo, hi);
    int b = drawRange(lo, hi);
    if (b > a) {
        taskPrintf("\n\n\n\n %d   -   ??  = %d", b, b - a);
        sol() = a;
        gapMinuend(b, b - a);
    } else {
        taskPrintf("\n\n\n\n %d   +   ??  = %d", a, a + b);
        sol() = b;
        gapAddend(a, a + b);
    }
}

void product(int aLo, int aHi, int bLo, int bHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(bLo, bHi);
    taskPrintf("\n\n\n\n %d   ·   %d  = ??  ", a, b);
    sol() = a * b;
    taskStep("%d · %d = %d", a, b, a * b);
}

void task1201()
{
    int a = drawRange(30, 48);
    int b = drawRange(30, 48);
    if (b > a) {
        taskPrintf("\n\n\n\n %d   -   ??  = %d ", b, b - a);
        gapMinuend(b, b - a);
    } else {
        taskPrintf("\n\n\n\n %d   +   ??  = %d ", b, b + a);
        gapAddend(b, b + a);
    }
    sol() = a;
}

void task1202()
{
    int a = drawRange(1, 49);
    int b = drawRange(1, 49);
    if (b > a) {
        taskPrintf("\n\n\n\n ??   -   %d  = %d ", a, b - a);
        sol() = b;
        gapSubtrahend(a, b - a);
    } else {
        taskPrintf("\n\n\n\n ??   +   %d  = %d ", b, a + b);
        sol() = a;
        gapAddend(b, a + b);
    }
}

// 2101 to 2104 draw a fourth number that no text shows.
void orderOfOperations(int taskNumber)
{
    int a = drawRange(2, 9);
    int b = drawRange(2, 10);
    int c = drawRange(2, 10);
    drawRange(1, 4);
    switch (taskNumber) {
    case 2101:
        taskPrintf("\n\n\n\n %d · %d + %d = ??   ", a, b, c);
        sol() = a * b + c;
        taskStep("Punkt vor Strich:");
        taskStep("%d · %d + %d = %d + %d = %d", a, b, c, a * b, c, sol());
        break;
    case 2102:
        taskPrintf("\n\n\n\n %d + %d · %d = ??   ", a, b, c);
        sol() = a + b * c;
        taskStep("Punkt vor Strich:");
        taskStep("%d + %d · %d = %d + %d = %d", a, b, c, a, b * c, sol());
        break;
    case 2103:
        taskPrintf("\n\n\n\n %d + %d · %d + %d = ??", a, b, c, a + 1);
        sol() = a + b * c + (a + 1);
        taskStep("Punkt vor Strich:");
        taskStep("%d + %d · %d + %d = %d + %d + %d = %d", a, b, c, a + 1, a, b * c, a + 1, sol());
        break;
    default:
        taskPrintf("\n\n\n\n %d · %d + %d · %d = ??  ", a, b, c, a + 1);
        sol() = a * b + c * (a + 1);
        taskStep("Punkt vor Strich:");
        taskStep("%d · %d + %d · %d = %d + %d = %d", a, b, c, a + 1, a * b, c * (a + 1), sol());
        break;
    }
}

void task2105()
{
    int a = drawRange(4, 6);
    int b = drawRange(4, 8);
    int c = drawRange(0, 3);
    int d = drawRange(0, 3);
    taskPrintf("\n\n\n\n %d · %d - %d · %d = ??  ", a, b, c, d);
    sol() = a * b - c * d;
    taskStep("Punkt vor Strich:");
    taskStep("%d · %d - %d · %d = %d - %d = %d", a, b, c, d, a * b, c * d, sol());
}

void task2201()
{
    int a = 100 * drawRange(0, 49);
    int e = drawRange(-1, 2);
    int b = 100 * drawRange(0, 49);
    drawRange(-4, 4);
    a += e;
    if (b > a) {
        taskPrintf("\n\n\n\n %d   -   %d  = ??  ", b, a);
        sol() = b - a;
        taskStep("%d - %d = %d", b, a, sol());
    } else {
        taskPrintf("\n\n\n\n %d   +   %d  = ??  ", b, a);
        sol() = b + a;
        taskStep("%d + %d = %d", b, a, sol());
    }
}

// 2202 to 2205: one number from each row, the two must give the target.
// relationOp: 1 sum, 2 difference, 3 product, 4 quotient.
void pickTwo(int first, int second, int targetValue, int op, const char* format)
{
    static const char* const kSymbol[] = {"", "+", "-", "·", ":"};
    taskPrintf(format, targetValue);
    answerKind = 1;
    sol() = first;
    solution2[taskIndex] = second;
    target[taskIndex] = targetValue;
    relationOp = op;
    taskStep("Ein passendes Paar aus den beiden Reihen:");
    taskStep("%d %s %d = %d", first, kSymbol[op], second, targetValue);
}

void pickTwoTask(int taskNumber)
{
    if (taskNumber == 2202 || taskNumber == 2203) {
        int a = drawRange(3, 12);
        int b = drawRange(3, 12);
        if (taskNumber == 2202)
            pickTwo(b, a, a * b, 3,
                    "\n\n\n\n  ??   ·   ??  = %d  \n Wähle aus jeder Reihe eine Zahl ");
        else
            pickTwo(a * b, b, a, 4,
                    "\n\n\n\n  ??   :   ??  = %d  \n Wähle aus jeder Reihe eine Zahl ");
    } else if (taskNumber == 2204) {
        int a = drawRange(1, 50);
        int b = drawRange(1, 50);
        pickTwo(a, b, a + b, 1, "\n\n\n\n  ??   +   ??  = %d  \n Wähle aus jeder Reihe eine Zahl ");
    } else {
        int a = drawRange(30, 99);
        int b = drawRange(1, 30);
        pickTwo(a, b, a - b, 2, "\n\n\n\n  ??   -   ??  = %d  \n Wähle aus jeder Reihe eine Zahl ");
    }
}

// 2301 to 2303: both numbers from 61..160, drawn again until the sum is at most 150.
void largeSum(int taskNumber)
{
    int a, b;
    do {
        a = drawRange(61, 160);
        b = drawRange(61, 160);
    } while (a + b > 150);
    if (taskNumber == 2301) {
        if (b > a) {
            taskPrintf("\n\n\n\n %d   -   %d  = ?? ", b, a);
            sol() = b - a;
            taskStep("%d - %d = %d", b, a, sol());
        } else {
            taskPrintf("\n\n\n\n %d   +   %d  = ?? ", b, a);
            sol() = b + a;
            taskStep("%d + %d = %d", b, a, sol());
        }
    } else if (taskNumber == 2302) {
        if (b > a) {
            taskPrintf("\n\n\n\n ??   -   %d  = %d  ", a, b - a);
            gapSubtrahend(a, b - a);
        } else {
            taskPrintf("\n\n\n\n %d   +   ??  = %d  ", a, a + b);
            gapAddend(a, a + b);
        }
        sol() = b;
    } else {
        if (b > a) {
            taskPrintf("\n\n\n\n %d   -   ??  = %d  ", b, b - a);
            gapMinuend(b, b - a);
        } else {
            taskPrintf("\n\n\n\n ??   +   %d  = %d  ", b, a + b);
            gapAddend(b, a + b);
        }
        sol() = a;
    }
}

void threeTermSum(int taskNumber)
{
    int a = drawRange(1, 5);
    int b = drawRange(0, 7);
    int c = drawRange(1, 7);
    int sum = a + b + c;
    if (taskNumber == 2304) {
        taskPrintf("\n\n\n\n %d  +  %d  +  ? = %d ", a, b, sum);
        sol() = c;
        taskStep("? = %d - %d - %d = %d", sum, a, b, c);
    } else if (taskNumber == 2305) {
        taskPrintf("\n\n\n\n %d  +  ?  +  %d = %d ", a, c, sum);
        sol() = b;
        taskStep("? = %d - %d - %d = %d", sum, a, c, b);
    } else {
        taskPrintf("\n\n\n\n ?  +  %d  +  %d = %d ", b, c, sum);
        sol() = a;
        taskStep("? = %d - %d - %d = %d", sum, b, c, a);
    }
}

void threeTermDifference(int taskNumber)
{
    int a = drawRange(20, 30);
    int b = drawRange(1, 10);
    int c = drawRange(1, 10);
    int rest = a - b - c;
    if (taskNumber == 2307) {
        taskPrintf("\n\n\n\n ?  -  %d  -  %d = %d ", b, c, rest);
        sol() = a;
        taskStep("? = %d + %d + %d = %d", rest, b, c, a);
    } else if (taskNumber == 2308) {
        taskPrintf("\n\n\n\n %d  -  ?  -  %d = %d ", a, c, rest);
        sol() = b;
        taskStep("? = %d - %d - %d = %d", a, c, rest, b);
    } else {
        taskPrintf("\n\n\n\n %d  -  %d  -  ? = %d ", a, b, rest);
        sol() = c;
        taskStep("? = %d - %d - %d = %d", a, b, rest, c);
    }
}

// ------------------------------------------------------------ levels 3 and 4

// The written algorithms, as the pupil writes them down. Division from the
// left, one quotient digit per line: "9 : 4 = 2 Rest 1", then the next
// digit brought down: "Die 2 herunterholen: 12 : 4 = 3".
void writtenDivisionSteps(int dividend, int divisor)
{
    std::string digits = std::to_string(dividend);
    int part = 0;
    bool started = false;
    for (size_t i = 0; i < digits.size(); ++i) {
        part = 10 * part + (digits[i] - '0');
        if (!started && part < divisor && i + 1 < digits.size())
            continue;
        std::string line = std::to_string(part) + " : " + std::to_string(divisor) + " = " +
                           std::to_string(part / divisor);
        if (part % divisor != 0)
            line += " Rest " + std::to_string(part % divisor);
        if (started)
            taskStep("Die %c herunterholen: %s", digits[i], line.c_str());
        else
            taskStep("%s", line.c_str());
        started = true;
        part %= divisor;
    }
    taskStep("%d : %d = %d", dividend, divisor, dividend / divisor);
}

// Multiplication from the right, carrying the tens: "Einer: 3 · 4 = 12,
// schreibe 2, merke 1" / "Zehner: 2 · 4 + 1 = 9".
void writtenMultiplicationSteps(int factor, int digit)
{
    static const char* const kPlaces[] = {"Einer", "Zehner", "Hunderter", "Tausender"};
    std::string digits = std::to_string(factor);
    int carry = 0;
    for (size_t place = 0; place < digits.size(); ++place) {
        int d = digits[digits.size() - 1 - place] - '0';
        int value = d * digit + carry;
        std::string line = std::string(kPlaces[place < 4 ? place : 3]) + ": " + std::to_string(d) + " · " +
                           std::to_string(digit) + (carry ? " + " + std::to_string(carry) : "") + " = " +
                           std::to_string(value);
        bool last = place + 1 == digits.size();
        if (!last && value >= 10)
            line += ", schreibe " + std::to_string(value % 10) + ", merke " + std::to_string(value / 10);
        taskStep("%s", line.c_str());
        carry = value / 10;
    }
    taskStep("%d · %d = %d", factor, digit, factor * digit);
}

void task3101()
{
    int a = drawRange(1, 3);
    int b = drawRange(1, 3);
    int c = drawRange(1, 3);
    int d = drawRange(2, 5);
    int n = 100 * a + 10 * b + c;
    taskPrintf("\n\n\n\n %d : %d = ? ", n * d, d);
    sol() = n;
    writtenDivisionSteps(n * d, d);
}

void task3102()
{
    int a = drawRange(1, 3);
    int b = drawRange(1, 3);
    int c = drawRange(1, 3);
    int d = drawRange(2, 4);
    taskPrintf("\n\n\n\n %d%d%d · %d = ? ", a, b, c, d);
    sol() = (100 * a + 10 * b + c) * d;
    writtenMultiplicationSteps(100 * a + 10 * b + c, d);
}

// "7 · 7 · 7" for 7³.
std::string repeatedProduct(int base, int exponent)
{
    std::string s = operand(base);
    for (int i = 1; i < exponent; ++i)
        s += " · " + operand(base);
    return s;
}

// One line: the power as a product of its factors.
void powerStep(int base, int exponent, long long value)
{
    std::string p = dePower(base, exponent);
    if (exponent <= 1)
        taskStep("%s = %lld", p.c_str(), value);
    else
        taskStep("%s = %s = %lld", p.c_str(), repeatedProduct(base, exponent).c_str(), value);
}

void powerTask(int baseHi, int exponentHi)
{
    int a = drawRange(1, baseHi);
    int b = drawRange(0, exponentHi);
    taskPrintf("\n\n\n\n Berechne die Potenz:   %s = ?", dePower(a, b).c_str());
    sol() = static_cast<int>(power(a, b));
    answerKind = 0;
    decimalPlaces = 0;
    if (b == 0)
        taskStep("Jede Zahl hoch 0 ergibt 1:");
    powerStep(a, b, sol());
}

void division(int aLo, int aHi, int bLo, int bHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(bLo, bHi);
    taskPrintf("\n\n\n\n   %d   :   %d  = ?? ", a * b, b);
    sol() = a;
    taskStep("Umkehraufgabe: %d · %d = %d", a, b, a * b);
    taskStep("%d : %d = %d", a * b, b, a);
}

// Whole numbers are compared by their number of digits, then digit by
// digit from the left.
void compareWholeSteps(int a, int b)
{
    static const char* const kPlaces[] = {"Einern", "Zehnern", "Hundertern", "Tausendern"};
    int choice = compareChoice(a, b);
    std::string da = std::to_string(a), db = std::to_string(b);
    if (da.size() != db.size()) {
        taskStep("%d hat %zu Stellen, %d hat %zu Stellen", a, da.size(), b, db.size());
    } else if (a != b) {
        size_t i = 0;
        while (da[i] == db[i])
            ++i;
        size_t place = da.size() - 1 - i;
        taskStep("Gleich viele Stellen; bei den %s: %c %s %c", place < 4 ? kPlaces[place] : "Stellen",
                 da[i], relationSign(choice), db[i]);
    }
    taskStep("%d %s %d", a, relationSign(choice), b);
}

void comparison(int lo, int hi)
{
    int a = drawRange(lo, hi);
    int b = drawRange(lo, hi);
    taskPrintf("\n\n\n\n  %d  ??  %d ", a, b);
    sol() = compareChoice(a, b);
    choiceMode = 2;
    compareWholeSteps(a, b);
}

// ------------------------------------------------------------ signed numbers, level 7

// Signed numbers compare by their place on the number line.
void signedCompareSteps(const std::string& x, const std::string& y, int choice)
{
    if (choice != 2)
        taskStep("Auf dem Zahlenstrahl liegt %s %s von %s", x.c_str(), choice == 3 ? "rechts" : "links",
                 y.c_str());
    taskStep("%s %s %s", x.c_str(), relationSign(choice), y.c_str());
}

// 7301 to 7303: never two positive numbers; the second is turned negative.
void signedComparison(int taskNumber)
{
    int a = drawRange(-50, 49);
    int b = drawRange(-50, 49);
    if (a > 0 && b > 0)
        b = -b;
    choiceMode = 2;
    // Tenths and hundredths keep their places: "-2,0" beside "-0,4".
    int places = taskNumber == 7301 ? 0 : taskNumber == 7302 ? 1 : 2;
    double scale = taskNumber == 7301 ? 1.0 : taskNumber == 7302 ? 10.0 : 100.0;
    double x = a / scale, y = b / scale;
    std::string sx = deDecimal(x, places), sy = deDecimal(y, places);
    taskPrintf("\n\n\n\n  %s  ??  %s ", sx.c_str(), sy.c_str());
    sol() = taskNumber == 7301 ? compareChoice(a, b) : compareChoice(x, y);
    signedCompareSteps(sx, sy, sol());
}

void task7304()
{
    double a = drawRange(-50, -1) / 100.0;
    double b = drawRange(-50, -1) / 100.0;
    std::string sa = deDecimal(a, 2), sb = deDecimal(b, 2);
    taskPrintf("\n\n\n\n  %s  ??  %s ", sa.c_str(), sb.c_str());
    sol() = compareChoice(a, b);
    choiceMode = 2;
    signedCompareSteps(sa, sb, sol());
}

// The sign rule of a product or quotient, when a factor is negative.
void signRule(int x, int y, const char* verb)
{
    if (x == 0 || y == 0 || (x > 0 && y > 0))
        return;
    taskStep("%s %s %s ergibt %s", x < 0 ? "Minus" : "Plus", verb, y < 0 ? "Minus" : "Plus",
             (x < 0) == (y < 0) ? "Plus" : "Minus");
}

void signedProduct(int aLo, int aHi, int bLo, int bHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(bLo, bHi);
    taskPrintf("\n\n\n\n  %d  ·  %s = ?? ", b, operand(a).c_str());
    sol() = a * b;
    signRule(b, a, "mal");
    taskStep("%d · %s = %d", b, operand(a).c_str(), sol());
}

// The divisor a is shown as 1 when drawn as 0.
void signedQuotient(int aLo, int aHi, int bLo, int bHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(bLo, bHi);
    if (a == 0)
        a = 1;
    taskPrintf("\n\n\n\n  %d  :  %s = ?? ", a * b, operand(a).c_str());
    sol() = b;
    signRule(a * b, a, "durch");
    taskStep("%d : %s = %d", a * b, operand(a).c_str(), b);
}

// The addition rule for signed numbers, where it decides: same signs add
// the Beträge and keep the sign; different signs subtract the smaller
// Betrag from the larger and take the sign of the number with the larger
// Betrag.
void sumSignRule(long long x, long long y)
{
    long long ax = x < 0 ? -x : x, ay = y < 0 ? -y : y;
    if ((x < 0) == (y < 0)) {
        taskStep("Gleiche Vorzeichen, Beträge addieren: %lld + %lld = %lld", ax, ay, ax + ay);
        taskStep("Das Ergebnis bekommt das gemeinsame Vorzeichen: %s", x < 0 ? "-" : "+");
    } else if (ax == ay) {
        taskStep("%lld und %lld sind Gegenzahlen: ihre Summe ist 0", x, y);
    } else {
        taskStep("Verschiedene Vorzeichen, Beträge subtrahieren: %lld - %lld = %lld", ax > ay ? ax : ay,
                 ax > ay ? ay : ax, ax > ay ? ax - ay : ay - ax);
        taskStep("Vorzeichen der Zahl mit dem größeren Betrag: %s", (ax > ay ? x : y) < 0 ? "-" : "+");
    }
}

// The last link "x + y" or "x - y" of a signed computation. Natural numbers
// added, or subtracted with a result of 0 or more, take one line ("6 - (-7)
// = 6 + 7 = 13" too); otherwise a subtraction adds the opposite number ("1 -
// 23 = 1 + (-23)") and the sign rule of the sum decides. `worked` is the
// task worked out up to the link, `task` the task as printed.
long long signedLink(const std::string& worked, const std::string& task, long long x, char op, long long y)
{
    long long r = op == '+' ? x + y : x - y;
    long long added = op == '+' ? y : -y;
    bool plain = x == 0 || y == 0 || (x > 0 && added > 0) || (op == '-' && y > 0 && x >= y);
    if (plain) {
        if (op == '-' && y < 0)
            taskStep("%s = %lld + %lld = %lld", worked.c_str(), x, -y, r);
        else
            taskStep("%s = %lld", worked.c_str(), r);
        return r;
    }
    if (op == '-')
        taskStep("%s = %lld + %s", worked.c_str(), x, operand(added).c_str());
    else if (worked != task)
        taskStep("%s", worked.c_str());
    sumSignRule(x, added);
    taskStep("%s = %lld", task.c_str(), r);
    return r;
}

// "x + y" / "x - y" after a task part that leads to it: "1 + (-1 - 3) = 1 + (-4)".
std::string linkOf(const std::string& task, long long x, char op, long long y)
{
    return task + " = " + std::to_string(x) + " " + op + " " + operand(y);
}

void signedSumOrDifference(int lo, int hi, char op)
{
    int a = drawRange(lo, hi);
    int b = drawRange(lo, hi);
    std::string shown = std::to_string(b) + " " + op + " " + operand(a);
    taskPrintf("\n\n\n\n  %d  %c  %s = ?? ", b, op, operand(a).c_str());
    sol() = static_cast<int>(signedLink(shown, shown, b, op, a));
}

// "a + (b + c)" and its kin: the bracket first, then the outer operation.
void bracketTask(int taskNumber)
{
    int a, b, c;
    switch (taskNumber) {
    case 7315:
    case 7316:
        a = drawRange(-5, 4);
        b = drawRange(1, 9);
        c = drawRange(1, 9);
        break;
    case 7319:
    case 7320:
        a = drawRange(-10, 9);
        b = drawRange(-10, 9);
        c = drawRange(1, 9);
        break;
    default: // 7317, 7318, 7321, 7322
        a = drawRange(-5, 4);
        b = drawRange(-5, 3);
        c = drawRange(1, 9);
        break;
    }
    char outer = '+';
    char inner = '+';
    switch (taskNumber) {
    case 7316:
    case 7320: outer = '-'; break;
    case 7317: inner = '-'; break;
    case 7318: outer = '-'; inner = '-'; break;
    case 7321:
    case 7322: outer = '*'; inner = '-'; break;
    default: break;
    }
    int bracket = inner == '+' ? b + c : b - c;
    std::string task;
    if (outer == '*')
        task = std::to_string(a) + (taskNumber == 7321 ? " · (" : "(") + std::to_string(b) + " - " +
               std::to_string(c) + ")";
    else
        task = std::to_string(a) + " " + outer + " (" + std::to_string(b) + " " + inner + " " +
               std::to_string(c) + ")";
    taskPrintf("\n\n\n\n  %s = ?? ", task.c_str());
    if (outer == '*') {
        sol() = a * bracket;
        taskStep("%s = %d · %s = %d", task.c_str(), a, operand(bracket).c_str(), sol());
    } else {
        sol() = static_cast<int>(signedLink(linkOf(task, a, outer, bracket), task, a, outer, bracket));
    }
}

void task7323()
{
    int a = drawRange(-15, 14);
    int b = drawRange(-7, 1);
    int c = drawRange(1, 9);
    if (b + c == 0)
        b = b + 1;
    taskPrintf("\n\n\n\n  %d : (%d + %d) = ?? ", a, b, c);
    // 0 : (-3) is -0 in floating point; the square shows it as 0,00.
    double q = a == 0 ? 0.0 : static_cast<double>(a) / (b + c);
    decimalSolution[taskIndex] = q;
    answerKind = 4;
    decimalPlaces = 2;
    signRule(a, b + c, "durch");
    taskStep("%d : (%d + %d) = %d : %s = %s", a, b, c, a, operand(b + c).c_str(), deRounded(q, 2).c_str());
}

// 7324, 7325: no factor is shown as 0.
void productSum(int taskNumber)
{
    int a, b, c, d;
    if (taskNumber == 7324) {
        a = drawRange(-3, 1);
        b = drawRange(-3, 2);
        c = drawRange(-3, 3);
        d = drawRange(-3, 3);
    } else {
        a = drawRange(-3, 2);
        b = drawRange(-3, 2);
        c = drawRange(-4, 3);
        d = drawRange(-3, 3);
    }
    if (a == 0)
        a = 1;
    if (b == 0)
        b = -5;
    if (c == 0)
        c = -5;
    char op = taskNumber == 7324 ? '+' : '-';
    std::string task = std::to_string(a) + " · " + operand(b) + " " + op + " " + operand(c) + " · " + operand(d);
    taskPrintf("\n\n\n\n  %s = ?? ", task.c_str());
    taskStep("Punkt vor Strich:");
    sol() = static_cast<int>(signedLink(linkOf(task, a * b, op, c * d), task, a * b, op, c * d));
}

void task7326()
{
    int a = drawRange(-4, 3);
    int b = drawRange(2, 7);
    int c = drawRange(-4, 3);
    int d = drawRange(1, 7);
    if (a == 0)
        a = 1;
    if (c == 0)
        c = -5;
    taskPrintf("\n\n\n\n  (%d + %d) - (%d + %d) = ?? ", a, b, c, d);
    sol() = (a + b) - (c + d);
    std::string task = "(" + std::to_string(a) + " + " + std::to_string(b) + ") - (" + std::to_string(c) + " + " +
                       std::to_string(d) + ")";
    signedLink(linkOf(task, a + b, '-', c + d), task, a + b, '-', c + d);
}

void task7327()
{
    int a = drawRange(-4, 3);
    int b = drawRange(2, 7);
    int c = drawRange(-4, 3);
    int d = drawRange(1, 7);
    int e = drawRange(-4, 2);
    int f = drawRange(1, 6);
    if (a == 0)
        a = 1;
    if (c == 0)
        c = -5;
    taskPrintf("\n\n\n\n  %d · [%d(%d + %d)] - (%d + %d) = ?? ", a, b, c, d, e, f);
    sol() = a * b * (c + d) - (e + f);
    taskStep("Innere Klammern zuerst: %d + %d = %d; %d + %d = %d", c, d, c + d, e, f, e + f);
    std::string task = std::to_string(a) + " · [" + std::to_string(b) + "(" + std::to_string(c) + " + " +
                       std::to_string(d) + ")] - (" + std::to_string(e) + " + " + std::to_string(f) + ")";
    std::string product = std::to_string(a) + " · " + std::to_string(b) + " · " + operand(c + d) + " - " +
                          operand(e + f);
    signedLink(linkOf(product, a * b * (c + d), '-', e + f), task, a * b * (c + d), '-', e + f);
}

// ------------------------------------------------------------ operation chains, levels 9 and 10

// One line per link of a chain, "15 - (-9) = 24"; returns the new value.
long long chainStep(long long value, char op, long long x)
{
    long long r = value;
    const char* symbol = "+";
    switch (op) {
    case '+': r = value + x; break;
    case '-': r = value - x; symbol = "-"; break;
    case '*': r = value * x; symbol = "·"; break;
    default: r = value / x; symbol = ":"; break;
    }
    taskStep("%lld %s %s = %lld", value, symbol, operand(x).c_str(), r);
    return r;
}

long long powerLink(int base, int exponent)
{
    long long p = static_cast<long long>(power(base, exponent));
    powerStep(base, exponent, p);
    return p;
}

void chainAddSubtractMultiply(int bLo, int bHi, int cLo, int cHi)
{
    int a = drawRange(-5, 4);
    int b = drawRange(bLo, bHi);
    int c = drawRange(cLo, cHi);
    int d = drawRange(2, 5);
    taskPrintf("\n\n\n\nStartzahl = %d;\naddiere %d; subtrahiere %d; multipliziere mit %d;\nErgebnis = ?  ",
               a, b, c, d);
    sol() = (a + b - c) * d;
    chainStep(chainStep(chainStep(a, '+', b), '-', c), '*', d);
}

// 9103, 9104: multiply, subtract, add.
void chainMultiplySubtractAdd(int a, int b, int c, int d, const char* format)
{
    taskPrintf(format, a, d, c, b);
    sol() = a * d - c + b;
    chainStep(chainStep(chainStep(a, '*', d), '-', c), '+', b);
}

void task9103()
{
    int a = drawRange(-5, 4);
    int b = drawRange(1, 9);
    int c = drawRange(1, 9);
    int d = drawRange(2, 5);
    chainMultiplySubtractAdd(a, b, c, d,
                             "\n\n\n\nStartzahl = %d;\nmultipliziere mit %d; subtrahiere %d; addiere %d;\nErgebnis = ?  ");
}

void task9104()
{
    int a = drawRange(-5, 4);
    int b = drawRange(-9, 9);
    int c = drawRange(-9, 9);
    int d = -drawRange(2, 5);
    chainMultiplySubtractAdd(a, b, c, d,
                             "\n\n\n\nStartzahl = %d;\nmultipliziere mit %d; subtrahiere %d; addiere %d;\nErgebnis = ?  ");
}

// 9105, 9106: divide, subtract, add.
void chainDivideSubtractAdd(int start, int divisor, int subtrahend, int addend)
{
    taskPrintf("\n\n\n\nStartzahl = %d;\ndividiere durch %d; subtrahiere %d; addiere %d;\nErgebnis = ?  ",
               start, divisor, subtrahend, addend);
    sol() = start / divisor - subtrahend + addend;
    chainStep(chainStep(chainStep(start, ':', divisor), '-', subtrahend), '+', addend);
}

void task9105()
{
    int a = drawRange(1, 10);
    int b = drawRange(2, 10);
    int c = drawRange(1, 9);
    int d = drawRange(2, 5);
    chainDivideSubtractAdd(a * b, b, c, d);
}

void task9106()
{
    int a = drawRange(1, 10);
    int d = -drawRange(2, 10);
    int b = drawRange(-9, 9);
    int c = drawRange(-9, 9);
    chainDivideSubtractAdd(a * d, d, b, c);
}

void task9201()
{
    int a = drawRange(-5, 4);
    int b = drawRange(1, 9);
    int c = drawRange(1, 9);
    int d = drawRange(2, 5);
    taskPrintf("\n\n\n\nStartzahl = %d;\naddiere das Produkt aus %d und %d; subtrahiere %d;\nErgebnis = ?  ",
               a, b, c, d);
    sol() = a + b * c - d;
    taskStep("Produkt: %d · %d = %d", b, c, b * c);
    chainStep(chainStep(a, '+', b * c), '-', d);
}

void task9202()
{
    int a = drawRange(-3, 3);
    int b = drawRange(0, 3);
    int c = drawRange(-9, 9);
    int d = drawRange(-9, 9);
    taskPrintf("\n\n\n\nStartzahl = %d;\npotenziere die Zahl mit %d; subtrahiere %d;\nmultipliziere mit %d;\nErgebnis = ?  ",
               a, b, c, d);
    sol() = static_cast<int>((power(a, b) - c) * d);
    chainStep(chainStep(powerLink(a, b), '-', c), '*', d);
}

// 9203, 9204: the start number is raised and then divided by itself; the
// base range excludes 0. The third number is drawn but never shown.
void powerChain(int aLo, int aHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(1, 3);
    drawRange(-9, 9);
    int d = drawRange(-9, 9);
    taskPrintf("\n\n\n\nStartzahl = %d;\npotenziere die Zahl mit %d; dividiere durch %d;\nmultipliziere mit %d;\nErgebnis = ?  ",
               a, b, a, d);
    sol() = static_cast<int>(power(a, b) / a * d);
    chainStep(chainStep(powerLink(a, b), ':', a), '*', d);
}

void powerOfSumOrDifference(int taskNumber)
{
    int a = drawRange(-5, 4);
    int b = drawRange(1, 3);
    int c = drawRange(-5, 4);
    drawRange(-9, 9);
    char op = taskNumber == 9205 ? '-' : '+';
    taskPrintf("\n\n\n\nPotenziere die %s aus %d und %d mit %d; \nErgebnis = ?  ",
               op == '-' ? "Differenz" : "Summe", a, c, b);
    long long base = chainStep(a, op, c);
    sol() = static_cast<int>(power(static_cast<int>(base), b));
    powerStep(static_cast<int>(base), b, sol());
}

void task9207()
{
    int a = drawRange(-5, 4);
    int b = drawRange(1, 3);
    int c = drawRange(-5, 4);
    int d = drawRange(-5, 4);
    taskPrintf("\n\n\n\nMultipliziere die Summe aus %d und %d \nmit der Differenz aus %d und %d; \nErgebnis = ?  ",
               a, b, c, d);
    sol() = (a + b) * (c - d);
    taskStep("Summe: %d + %d = %d", a, b, a + b);
    taskStep("Differenz: %d - %s = %d", c, operand(d).c_str(), c - d);
    taskStep("%d · %s = %d", a + b, operand(c - d).c_str(), sol());
}

void bracketProduct(int taskNumber)
{
    int a = drawRange(1, 9);
    int b = drawRange(1, 9);
    int c = drawRange(1, 9);
    int d = drawRange(1, 9);
    // The signs of the four numbers as the task shows them.
    int sa = 1, sb = 1, sc = 1, sd = 1;
    switch (taskNumber) {
    case 10102: sb = -1; break;
    case 10103: sd = -1; break;
    case 10104: sb = -1; sd = -1; break;
    case 10105: sa = -1; break;
    case 10106: sa = -1; sc = -1; break;
    case 10107: sa = -1; sb = -1; sd = -1; break;
    default: break;
    }
    int first = sa * a + sb * b;
    int second = sc * c + sd * d;
    char task[64];
    std::snprintf(task, sizeof task, "(%d %c %d)(%d %c %d)", sa * a, sb < 0 ? '-' : '+', b, sc * c,
                  sd < 0 ? '-' : '+', d);
    taskPrintf("\n\n\n\n  %s = ?? ", task);
    sol() = first * second;
    taskStep("%s = %d · %s = %d", task, first, operand(second).c_str(), sol());
}

} // namespace

void generateArithmeticTask(int taskNumber)
{
    switch (taskNumber) {
    case 1101:
        sumOrDifference(1, 49, "\n\n\n\n %d   -   %d  = ??", "\n\n\n\n %d   +   %d  = ??");
        break;
    case 1102: missingSecondOperand(11, 49); break;
    case 1103: missingSecondOperand(21, 49); break;
    case 1104: {
        int a = drawRange(5, 29);
        int b = drawRange(5, 29);
        int c = drawRange(1, 29);
        taskPrintf("\n\n\n\n %d + %d + %d = ??  ", a, b, c);
        sol() = a + b + c;
        taskStep("%d + %d + %d = %d + %d = %d", a, b, c, a + b, c, sol());
        break;
    }
    case 1105: product(1, 10, 1, 10); break;
    case 1201: task1201(); break;
    case 1202: task1202(); break;
    case 1203: product(3, 10, 2, 9); break;
    case 1204: {
        int a = drawRange(5, 8);
        int b = drawRange(5, 12);
        int c = drawRange(1, 5);
        taskPrintf("\n\n\n\n  %d + %d - %d = ??  ", a, b, c);
        sol() = a + b - c;
        taskStep("%d + %d - %d = %d - %d = %d", a, b, c, a + b, c, sol());
        break;
    }
    case 1205: {
        int a = drawRange(5, 50);
        taskPrintf("\n\n\n\n  %d  : 2 = ??     ", 2 * a);
        sol() = a;
        taskStep("%d : 2 = %d", 2 * a, a);
        break;
    }
    case 2101:
    case 2102:
    case 2103:
    case 2104: orderOfOperations(taskNumber); break;
    case 2105: task2105(); break;
    case 2201: task2201(); break;
    case 2202:
    case 2203:
    case 2204:
    case 2205: pickTwoTask(taskNumber); break;
    case 2301:
    case 2302:
    case 2303: largeSum(taskNumber); break;
    case 2304:
    case 2305:
    case 2306: threeTermSum(taskNumber); break;
    case 2307:
    case 2308:
    case 2309: threeTermDifference(taskNumber); break;
    case 3101: task3101(); break;
    case 3102: task3102(); break;
    case 3223: powerTask(10, 3); break;
    case 3224: powerTask(4, 5); break;
    case 4101: division(2, 12, 1, 10); break;
    case 4201: division(1, 11, 1, 20); break;
    case 4104: comparison(0, 9998); break;
    case 4204: comparison(1000, 1099); break;
    case 7301:
    case 7302:
    case 7303: signedComparison(taskNumber); break;
    case 7304: task7304(); break;
    case 7305: signedProduct(-10, 11, -10, 11); break;
    case 7306: signedQuotient(-10, 11, -10, 11); break;
    case 7307: signedSumOrDifference(-25, 25, '+'); break;
    case 7308: signedSumOrDifference(-25, 25, '-'); break;
    case 7309: signedProduct(-11, 13, -11, 12); break;
    case 7310: signedQuotient(-11, 13, -11, 12); break;
    case 7311: signedSumOrDifference(-50, 69, '+'); break;
    case 7312: signedSumOrDifference(-50, 49, '-'); break;
    case 7315:
    case 7316:
    case 7317:
    case 7318:
    case 7319:
    case 7320:
    case 7321:
    case 7322: bracketTask(taskNumber); break;
    case 7323: task7323(); break;
    case 7324:
    case 7325: productSum(taskNumber); break;
    case 7326: task7326(); break;
    case 7327: task7327(); break;
    case 9101: chainAddSubtractMultiply(1, 9, 1, 9); break;
    case 9102: chainAddSubtractMultiply(-10, 8, -9, 9); break;
    case 9103: task9103(); break;
    case 9104: task9104(); break;
    case 9105: task9105(); break;
    case 9106: task9106(); break;
    case 9201: task9201(); break;
    case 9202: task9202(); break;
    case 9203: powerChain(1, 10); break;
    case 9204: powerChain(-10, -1); break;
    case 9205:
    case 9206: powerOfSumOrDifference(taskNumber); break;
    case 9207: task9207(); break;
    case 10101:
    case 10102:
    case 10103:
    case 10104:
    case 10105:
    case 10106:
    case 10107: bracketProduct(taskNumber); break;
    default: break;
    }
}
