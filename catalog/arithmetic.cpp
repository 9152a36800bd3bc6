// Whole-number and signed-number arithmetic: sums and differences with a gap,
// products, order of operations, pick-two tasks, comparisons, brackets,
// operation chains and products of bracketed sums.
#include "catalog.h"
#include "families.h"

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

// ------------------------------------------------------------ levels 1 and 2

void sumOrDifference(int lo, int hi, const char* minus, const char* plus)
{
    int a = drawRange(lo, hi);
    int b = drawRange(lo, hi);
    if (b > a) {
        taskPrintf(minus, b, a);
        sol() = b - a;
    } else {
        taskPrintf(plus, b, a);
        sol() = b + a;
    }
}

// 1102, 1103: the second operand is missing.
void missingSecondOperand(int lo, int hi)
{
    int a = drawRange(lo, hi);
    int b = drawRange(lo, hi);
    if (b > a) {
        taskPrintf("\n\n\n\n %d   -   ??  = %d", b, b - a);
        sol() = a;
    } else {
        taskPrintf("\n\n\n\n %d   +   ??  = %d", a, a + b);
        sol() = b;
    }
}

void product(int aLo, int aHi, int bLo, int bHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(bLo, bHi);
    taskPrintf("\n\n\n\n %d   *   %d  = ??  ", a, b);
    sol() = a * b;
}

void task1201()
{
    int a = drawRange(30, 48);
    int b = drawRange(30, 48);
    if (b > a)
        taskPrintf("\n\n\n\n %d   -   ??  = %d ", b, b - a);
    else
        taskPrintf("\n\n\n\n %d   +   ??  = %d ", b, b + a);
    sol() = a;
}

void task1202()
{
    int a = drawRange(1, 49);
    int b = drawRange(1, 49);
    if (b > a) {
        taskPrintf("\n\n\n\n ??   -   %d  = %d ", a, b - a);
        sol() = b;
    } else {
        taskPrintf("\n\n\n\n ??   +   %d  = %d ", b, a + b);
        sol() = a;
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
        taskPrintf("\n\n\n\n %d * %d + %d = ??   ", a, b, c);
        sol() = a * b + c;
        break;
    case 2102:
        taskPrintf("\n\n\n\n %d + %d * %d = ??   ", a, b, c);
        sol() = a + b * c;
        break;
    case 2103:
        taskPrintf("\n\n\n\n %d + %d * %d + %d = ??", a, b, c, a + 1);
        sol() = a + b * c + (a + 1);
        break;
    default:
        taskPrintf("\n\n\n\n %d * %d + %d * %d = ??  ", a, b, c, a + 1);
        sol() = a * b + c * (a + 1);
        break;
    }
}

void task2105()
{
    int a = drawRange(4, 6);
    int b = drawRange(4, 8);
    int c = drawRange(0, 3);
    int d = drawRange(0, 3);
    taskPrintf("\n\n\n\n %d * %d - %d * %d = ??  ", a, b, c, d);
    sol() = a * b - c * d;
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
    } else {
        taskPrintf("\n\n\n\n %d   +   %d  = ??  ", b, a);
        sol() = b + a;
    }
}

// 2202 to 2205: one number from each row, the two must give the target.
void pickTwo(int first, int second, int targetValue, int op, const char* format)
{
    taskPrintf(format, targetValue);
    answerKind = 1;
    sol() = first;
    solution2[taskIndex] = second;
    target[taskIndex] = targetValue;
    relationOp = op;
}

void pickTwoTask(int taskNumber)
{
    if (taskNumber == 2202 || taskNumber == 2203) {
        int a = drawRange(3, 12);
        int b = drawRange(3, 12);
        if (taskNumber == 2202)
            pickTwo(b, a, a * b, 3,
                    "\n\n\n\n  ??   *   ??  = %d  \n Wähle aus jeder Reihe eine Zahl ");
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
        } else {
            taskPrintf("\n\n\n\n %d   +   %d  = ?? ", b, a);
            sol() = b + a;
        }
    } else if (taskNumber == 2302) {
        if (b > a)
            taskPrintf("\n\n\n\n ??   -   %d  = %d  ", a, b - a);
        else
            taskPrintf("\n\n\n\n %d   +   ??  = %d  ", a, a + b);
        sol() = b;
    } else {
        if (b > a)
            taskPrintf("\n\n\n\n %d   -   ??  = %d  ", b, b - a);
        else
            taskPrintf("\n\n\n\n ??   +   %d  = %d  ", b, a + b);
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
    } else if (taskNumber == 2305) {
        taskPrintf("\n\n\n\n %d  +  ?  +  %d = %d ", a, c, sum);
        sol() = b;
    } else {
        taskPrintf("\n\n\n\n ?  +  %d  +  %d = %d ", b, c, sum);
        sol() = a;
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
    } else if (taskNumber == 2308) {
        taskPrintf("\n\n\n\n %d  -  ?  -  %d = %d ", a, c, rest);
        sol() = b;
    } else {
        taskPrintf("\n\n\n\n %d  -  %d  -  ? = %d ", a, b, rest);
        sol() = c;
    }
}

// ------------------------------------------------------------ levels 3 and 4

void task3101()
{
    int a = drawRange(1, 3);
    int b = drawRange(1, 3);
    int c = drawRange(1, 3);
    int d = drawRange(2, 5);
    int n = 100 * a + 10 * b + c;
    taskPrintf("\n\n\n\n %d : %d = =? ", n * d, d);
    sol() = n;
}

void task3102()
{
    int a = drawRange(1, 3);
    int b = drawRange(1, 3);
    int c = drawRange(1, 3);
    int d = drawRange(2, 4);
    taskPrintf("\n\n\n\n %d%d%d * %d = =? ", a, b, c, d);
    sol() = (100 * a + 10 * b + c) * d;
}

void powerTask(int baseHi, int exponentHi)
{
    int a = drawRange(1, baseHi);
    int b = drawRange(0, exponentHi);
    taskPrintf("\n\n\n\n Berechne die Potenz:   %d^%d = ?", a, b);
    sol() = static_cast<int>(power(a, b));
    answerKind = 0;
    decimalPlaces = 0;
}

void division(int aLo, int aHi, int bLo, int bHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(bLo, bHi);
    taskPrintf("\n\n\n\n   %d   :   %d  = ?? ", a * b, b);
    sol() = a;
}

void comparison(int lo, int hi)
{
    int a = drawRange(lo, hi);
    int b = drawRange(lo, hi);
    taskPrintf("\n\n\n\n  ( %d )  ??  ( %d ) ", a, b);
    sol() = compareChoice(a, b);
    choiceMode = 2;
}

// ------------------------------------------------------------ signed numbers, level 7

// 7301 to 7303: never two positive numbers; the second is turned negative.
void signedComparison(int taskNumber)
{
    int a = drawRange(-50, 49);
    int b = drawRange(-50, 49);
    if (a > 0 && b > 0)
        b = -b;
    choiceMode = 2;
    if (taskNumber == 7301) {
        taskPrintf("\n\n\n\n  ( %d )  ??  ( %d ) ", a, b);
        sol() = compareChoice(a, b);
    } else if (taskNumber == 7302) {
        double x = a / 10.0, y = b / 10.0;
        taskPrintf("\n\n\n\n  ( %4.1f )  ??  ( %4.1f ) ", x, y);
        sol() = compareChoice(x, y);
    } else {
        double x = a / 100.0, y = b / 100.0;
        taskPrintf("\n\n\n\n  ( %4.2f )  ??  ( %4.2f ) ", x, y);
        sol() = compareChoice(x, y);
    }
}

void task7304()
{
    double a = drawRange(-50, -1) / 100.0;
    double b = drawRange(-50, -1) / 100.0;
    taskPrintf("\n\n\n\n  ( %4.2f )  ??  ( %4.2f ) ", a, b);
    sol() = compareChoice(a, b);
    choiceMode = 2;
}

void signedProduct(int aLo, int aHi, int bLo, int bHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(bLo, bHi);
    taskPrintf("\n\n\n\n  ( %d )  *  ( %d ) = ?? ", b, a);
    sol() = a * b;
}

// The divisor a is shown as 1 when drawn as 0.
void signedQuotient(int aLo, int aHi, int bLo, int bHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(bLo, bHi);
    if (a == 0)
        a = 1;
    taskPrintf("\n\n\n\n  ( %d )  :  ( %d ) = ?? ", a * b, a);
    sol() = b;
}

void signedSum(int lo, int hi)
{
    int a = drawRange(lo, hi);
    int b = drawRange(lo, hi);
    taskPrintf("\n\n\n\n  ( %d )  +  ( %d ) = ?? ", b, a);
    sol() = b + a;
}

void signedDifference(int lo, int hi)
{
    int a = drawRange(lo, hi);
    int b = drawRange(lo, hi);
    taskPrintf("\n\n\n\n  ( %d )  -  ( %d ) = ?? ", b, a);
    sol() = b - a;
}

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
    switch (taskNumber) {
    case 7315:
        taskPrintf("\n\n\n\n  %d + (%d + %d) = ?? ", a, b, c);
        sol() = a + b + c;
        break;
    case 7316:
        taskPrintf("\n\n\n\n  %d - (%d + %d) = ?? ", a, b, c);
        sol() = a - b - c;
        break;
    case 7317:
        taskPrintf("\n\n\n\n  %d + (%d - %d) = ?? ", a, b, c);
        sol() = a + b - c;
        break;
    case 7318:
        taskPrintf("\n\n\n\n  %d - (%d - %d) = ?? ", a, b, c);
        sol() = a - b + c;
        break;
    case 7319:
        taskPrintf("\n\n\n\n  (%d) + (%d + %d) = ?? ", a, b, c);
        sol() = a + b + c;
        break;
    case 7320:
        taskPrintf("\n\n\n\n  (%d) - (%d + %d) = ?? ", a, b, c);
        sol() = a - b - c;
        break;
    case 7321:
        taskPrintf("\n\n\n\n  %d*(%d - %d) = ?? ", a, b, c);
        sol() = a * (b - c);
        break;
    default:
        taskPrintf("\n\n\n\n  %d(%d - %d) = ?? ", a, b, c);
        sol() = a * (b - c);
        break;
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
    decimalSolution[taskIndex] = static_cast<double>(a) / (b + c);
    answerKind = 4;
    decimalPlaces = 2;
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
    if (taskNumber == 7324) {
        taskPrintf("\n\n\n\n  (%d)*(%d) + (%d)*(%d) = ?? ", a, b, c, d);
        sol() = a * b + c * d;
    } else {
        taskPrintf("\n\n\n\n  (%d)*(%d) - (%d)*(%d) = ?? ", a, b, c, d);
        sol() = a * b - c * d;
    }
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
    taskPrintf("\n\n\n\n  (%d)*[%d(%d + %d)] - (%d + %d) = ?? ", a, b, c, d, e, f);
    sol() = a * b * (c + d) - (e + f);
}

// ------------------------------------------------------------ operation chains, levels 9 and 10

void chainAddSubtractMultiply(int bLo, int bHi, int cLo, int cHi)
{
    int a = drawRange(-5, 4);
    int b = drawRange(bLo, bHi);
    int c = drawRange(cLo, cHi);
    int d = drawRange(2, 5);
    taskPrintf("\n\n\n\nStartzahl = %d;\naddiere %d; subtrahiere %d; multipliziere mit %d;\nErgebnis = ?  ",
               a, b, c, d);
    sol() = (a + b - c) * d;
}

void task9103()
{
    int a = drawRange(-5, 4);
    int b = drawRange(1, 9);
    int c = drawRange(1, 9);
    int d = drawRange(2, 5);
    taskPrintf("\n\n\n\nStartzahl = %d;multipliziere mit %d; subtrahiere %d; addiere %d;\nErgebnis = ?  ",
               a, d, c, b);
    sol() = a * d - c + b;
}

void task9104()
{
    int a = drawRange(-5, 4);
    int b = drawRange(-9, 9);
    int c = drawRange(-9, 9);
    int d = -drawRange(2, 5);
    taskPrintf("\n\n\n\nStartzahl = %d;\nmultipliziere mit %d; subtrahiere %d; addiere %d;\nErgebnis = ?  ",
               a, d, c, b);
    sol() = a * d - c + b;
}

void task9105()
{
    int a = drawRange(1, 10);
    int b = drawRange(2, 10);
    int c = drawRange(1, 9);
    int d = drawRange(2, 5);
    taskPrintf("\n\n\n\nStartzahl = %d;\ndividiere durch %d; subtrahiere %d; addiere %d;\nErgebnis = ?  ",
               a * b, b, c, d);
    sol() = a - c + d;
}

void task9106()
{
    int a = drawRange(1, 10);
    int d = -drawRange(2, 10);
    int b = drawRange(-9, 9);
    int c = drawRange(-9, 9);
    taskPrintf("\n\n\n\nStartzahl = %d;\ndividiere durch %d; subtrahiere %d; addiere %d;\nErgebnis = ?  ",
               a * d, d, b, c);
    sol() = a - b + c;
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
}

void task9202()
{
    int a = drawRange(-3, 3);
    int b = drawRange(0, 3);
    int c = drawRange(-9, 9);
    int d = drawRange(-9, 9);
    taskPrintf("\n\n\n\nStartzahl = %d;\npotenziere die Zahl mit %d; subtrahiere %d;\nmultipliziere mit %d\nErgebnis = ?  ",
               a, b, c, d);
    sol() = static_cast<int>((power(a, b) - c) * d);
}

// 9203, 9204: the start number is raised and then divided by itself; the
// base range excludes 0. The third number is drawn but never shown.
void powerChain(int aLo, int aHi)
{
    int a = drawRange(aLo, aHi);
    int b = drawRange(1, 3);
    drawRange(-9, 9);
    int d = drawRange(-9, 9);
    taskPrintf("\n\n\n\nStartzahl = %d;\npotenziere die Zahl mit %d; dividiere mit %d;\nmultipliziere mit %d\nErgebnis = ?  ",
               a, b, a, d);
    sol() = static_cast<int>(power(a, b) / a * d);
}

void powerOfSumOrDifference(int taskNumber)
{
    int a = drawRange(-5, 4);
    int b = drawRange(1, 3);
    int c = drawRange(-5, 4);
    drawRange(-9, 9);
    if (taskNumber == 9205) {
        taskPrintf("\n\n\n\nPotenziere die Differenz aus %d und %d mit %d; \nErgebnis = ?  ", a, c, b);
        sol() = static_cast<int>(power(a - c, b));
    } else {
        taskPrintf("\n\n\n\nPotenziere die Summe aus %d und %d mit %d; \nErgebnis = ?  ", a, c, b);
        sol() = static_cast<int>(power(a + c, b));
    }
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
}

void bracketProduct(int taskNumber)
{
    int a = drawRange(1, 9);
    int b = drawRange(1, 9);
    int c = drawRange(1, 9);
    int d = drawRange(1, 9);
    switch (taskNumber) {
    case 10101:
        taskPrintf("\n\n\n\n  (%d + %d)(%d + %d) = ?? ", a, b, c, d);
        sol() = (a + b) * (c + d);
        break;
    case 10102:
        taskPrintf("\n\n\n\n  (%d - %d)(%d + %d) = ?? ", a, b, c, d);
        sol() = (a - b) * (c + d);
        break;
    case 10103:
        taskPrintf("\n\n\n\n  (%d + %d)(%d - %d) = ?? ", a, b, c, d);
        sol() = (a + b) * (c - d);
        break;
    case 10104:
        taskPrintf("\n\n\n\n  (%d - %d)(%d - %d) = ?? ", a, b, c, d);
        sol() = (a - b) * (c - d);
        break;
    case 10105:
        taskPrintf("\n\n\n\n  (-%d + %d)(%d + %d) = ?? ", a, b, c, d);
        sol() = (-a + b) * (c + d);
        break;
    case 10106:
        taskPrintf("\n\n\n\n  (-%d + %d)(-%d + %d) = ?? ", a, b, c, d);
        sol() = (-a + b) * (-c + d);
        break;
    default:
        taskPrintf("\n\n\n\n  (-%d - %d)(%d - %d) = ?? ", a, b, c, d);
        sol() = (-a - b) * (c - d);
        break;
    }
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
        break;
    }
    case 1205: {
        int a = drawRange(5, 50);
        taskPrintf("\n\n\n\n  %d  : 2 = ??     ", 2 * a);
        sol() = a;
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
    case 7307: signedSum(-25, 25); break;
    case 7308: signedDifference(-25, 25); break;
    case 7309: signedProduct(-11, 13, -11, 12); break;
    case 7310: signedQuotient(-11, 13, -11, 12); break;
    case 7311: signedSum(-50, 69); break;
    case 7312: signedDifference(-50, 49); break;
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
