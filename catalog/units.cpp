// Units, percent, interest and proportion: conversions between measures,
// percentages, interest and value-added tax, and rule-of-three problems.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "answer_rows.h"
#include "catalog.h"
#include "families.h"
#include "notation.h"

namespace {

// ------------------------------------------------------------ unit conversions

// One shown amount: factor × (lo..hi) + offset, in a unit named `one` when
// it is 1 and `many` otherwise. mul / div turns it into the target unit.
struct Amount {
    int factor;
    int lo;
    int hi;
    int offset;
    const char* one;
    const char* many;
    long long mul;
    long long div;
};

using ConversionValue = double (*)(const int* v);

struct Conversion {
    int task;
    const char* unit; // the target unit
    const char* unitOne; // the same for exactly 1
    int places;
    int count; // amounts shown, 1..3
    Amount amounts[3];
    ConversionValue value;
};

// The first draw of every conversion picks one of ten variants of which only
// the first was ever written, so it changes nothing but the random stream.
const Conversion kConversions[] = {
    {3201, "km", "km", 3, 3,
     {{10000, 1, 10, 0, "m", "m", 1, 1000}, {100, 0, 999, 0, "dm", "dm", 1, 10000},
      {100, 0, 99, 0, "cm", "cm", 1, 100000}},
     [](const int* v) { return v[0] * 0.001 + v[1] * 0.0001 + v[2] * 0.00001; }},
    {3202, "m", "m", 2, 3,
     {{1, 1, 9, 0, "km", "km", 1000, 1}, {10, 0, 99, 0, "dm", "dm", 1, 10}, {10, 0, 99, 0, "cm", "cm", 1, 100}},
     [](const int* v) { return 1000.0 * v[0] + v[1] / 10.0 + v[2] / 100.0; }},
    {3203, "m", "m", 2, 3,
     {{1, 1, 100, 0, "dm", "dm", 1, 10}, {10, 0, 99, 0, "cm", "cm", 1, 100}, {10, 0, 99, 0, "mm", "mm", 1, 1000}},
     [](const int* v) { return v[0] / 10.0 + v[1] / 100.0 + v[2] / 1000.0; }},
    {3204, "cm", "cm", 1, 3,
     {{1, 1, 10, 0, "m", "m", 100, 1}, {1, 1, 100, 0, "dm", "dm", 10, 1}, {1, 1, 100, 0, "mm", "mm", 1, 10}},
     [](const int* v) { return 100.0 * v[0] + 10.0 * v[1] + v[2] / 10.0; }},
    {3205, "t", "t", 3, 2, {{100, 0, 9, 1, "dz", "dz", 1, 10}, {1, 1, 10000, 0, "kg", "kg", 1, 1000}},
     [](const int* v) { return v[0] / 10.0 + v[1] / 1000.0; }},
    {3206, "dz", "dz", 2, 2, {{1, 1, 10, 0, "t", "t", 10, 1}, {1, 1, 1000, 0, "kg", "kg", 1, 100}},
     [](const int* v) { return 10.0 * v[0] + v[1] / 100.0; }},
    {3207, "kg", "kg", 0, 2, {{1, 1, 10, 0, "t", "t", 1000, 1}, {1, 1, 100, 0, "dz", "dz", 100, 1}},
     [](const int* v) { return 1000.0 * v[0] + 100.0 * v[1]; }},
    {3208, "kg", "kg", 3, 2, {{1, 1, 10000, 0, "g", "g", 1, 1000}, {1000000, 0, 9, 0, "mg", "mg", 1, 1000000}},
     [](const int* v) { return v[0] / 1000.0 + v[1] / 1000000.0; }},
    {3209, "g", "g", 2, 2, {{1, 1, 10, 0, "kg", "kg", 1000, 1}, {100, 0, 99, 0, "mg", "mg", 1, 1000}},
     [](const int* v) { return 1000.0 * v[0] + v[1] / 1000.0; }},
    {3210, "l", "l", 2, 2, {{1, 1, 10, 0, "hl", "hl", 100, 1}, {100, 0, 99, 0, "ml", "ml", 1, 1000}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 1000.0; }},
    {3211, "hl", "hl", 2, 2, {{1, 1, 10, 0, "hl", "hl", 1, 1}, {10, 0, 999, 0, "l", "l", 1, 100}},
     [](const int* v) { return v[0] + v[1] / 100.0; }},
    {3212, "Jahre", "Jahr", 0, 2, {{12, 1, 10, 0, "Monat", "Monate", 1, 12}, {365, 1, 3, 0, "Tag", "Tage", 1, 365}},
     [](const int* v) { return v[0] / 12.0 + v[1] / 365.0; }},
    {3213, "Monate", "Monat", 0, 1, {{1, 1, 10, 0, "Jahr", "Jahre", 12, 1}}, [](const int* v) { return 12.0 * v[0]; }},
    {3214, "Tage", "Tag", 0, 3,
     {{1, 1, 3, 0, "Jahr", "Jahre", 365, 1}, {1, 1, 100, 0, "Tag", "Tage", 1, 1},
      {24, 1, 5, 0, "Stunde", "Stunden", 1, 24}},
     [](const int* v) { return 365.0 * v[0] + v[1] + v[2] / 24.0; }},
    {3215, "Stunden", "Stunde", 0, 2, {{1, 1, 5, 0, "Tag", "Tage", 24, 1}, {1, 1, 100, 0, "Stunde", "Stunden", 1, 1}},
     [](const int* v) { return 24.0 * v[0] + v[1]; }},
    {3216, "Minuten", "Minute", 0, 3,
     {{1, 1, 5, 0, "Stunde", "Stunden", 60, 1}, {1, 1, 100, 0, "Minute", "Minuten", 1, 1},
      {60, 1, 5, 0, "Sekunde", "Sekunden", 1, 60}},
     [](const int* v) { return 60.0 * v[0] + v[1] + v[2] / 60.0; }},
    {3217, "km²", "km²", 2, 2, {{100, 1, 5, 0, "ha", "ha", 1, 100}, {100, 1, 100, 0, "a", "a", 1, 10000}},
     [](const int* v) { return v[0] / 100.0 + v[1] / 10000.0; }},
    {3218, "ha", "ha", 2, 2, {{1, 1, 5, 0, "km²", "km²", 100, 1}, {10, 1, 1000, 0, "a", "a", 1, 100}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 100.0; }},
    {3219, "a", "a", 2, 2, {{1, 1, 8, 0, "ha", "ha", 100, 1}, {10, 1, 1000, 0, "m²", "m²", 1, 100}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 100.0; }},
    {3220, "m²", "m²", 2, 2, {{1, 1, 8, 0, "a", "a", 100, 1}, {100, 1, 1000, 0, "cm²", "cm²", 1, 10000}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 10000.0; }},
    {3221, "dm²", "dm²", 2, 2, {{1, 1, 8, 0, "m²", "m²", 100, 1}, {10, 1, 10000, 0, "cm²", "cm²", 1, 100}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 100.0; }},
    {3222, "cm²", "cm²", 2, 2, {{1, 1, 8, 0, "dm²", "dm²", 100, 1}, {10, 1, 10000, 0, "mm²", "mm²", 1, 100}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 100.0; }},
};

std::string amountText(const Amount& a, int n)
{
    return std::to_string(n) + " " + (n == 1 ? a.one : a.many);
}

// The target unit for an amount: "1 Jahr", "4 Jahre".
const char* unitFor(const Conversion& c, double value) { return value == 1 ? c.unitOne : c.unit; }

// Each amount in the target unit, then their sum; three short conversions
// share a line when it fits.
void explainConversion(const Conversion& c, const int* v, double value)
{
    if (c.count == 1) {
        const Amount& a = c.amounts[0];
        taskStep("1 %s = %lld %s", a.one, a.mul / a.div, c.unit);
        taskStep("%d · %lld = %s %s", v[0], a.mul / a.div, deDecimal(value, c.places).c_str(), unitFor(c, value));
        return;
    }
    std::vector<std::string> conversions;
    std::string sum;
    for (int i = 0; i < c.count; ++i) {
        const Amount& a = c.amounts[i];
        double inTarget = static_cast<double>(v[i]) * a.mul / a.div;
        std::string part = deNumber(inTarget);
        if (a.mul != a.div) // an amount already in the target unit needs no line
            conversions.push_back(amountText(a, v[i]) + " = " + part + " " + (inTarget == 1 ? c.unitOne : c.unit));
        sum += (i ? " + " : "") + part;
    }
    std::string joined;
    for (const std::string& s : conversions)
        joined += (joined.empty() ? "" : "; ") + s;
    if (joined.size() <= 60)
        taskStep("%s", joined.c_str());
    else
        for (const std::string& s : conversions)
            taskStep("%s", s.c_str());
    taskStep("%s = %s %s", sum.c_str(), deDecimal(value, c.places).c_str(), unitFor(c, value));
}

bool conversionTask(int taskNumber)
{
    for (const Conversion& c : kConversions) {
        if (c.task != taskNumber)
            continue;
        drawRange(1, 10); // variant
        int v[3] = {0, 0, 0};
        for (int i = 0; i < c.count; ++i)
            v[i] = c.amounts[i].factor * drawRange(c.amounts[i].lo, c.amounts[i].hi) + c.amounts[i].offset;
        if (taskNumber == 3201)
            drawRange(1, 10); // drawn, never shown
        std::string text = std::string("\n\n\n\n Wandle um in ") + c.unit + ";";
        for (int i = 0; i < c.count; ++i)
            text += " " + amountText(c.amounts[i], v[i]);
        taskPrintf("%s", text.c_str());
        decimalAnswer(c.value(v), c.places);
        explainConversion(c, v, c.value(v));
        return true;
    }
    return false;
}

// ------------------------------------------------------------ percent

bool exactAt(double value, int places)
{
    double scaled = value * std::pow(10.0, places);
    return std::fabs(scaled - std::round(scaled)) < 1e-6;
}

// A positive value cut off after `places` decimals, without rounding.
double cutOff(double value, int places)
{
    const double scale = std::pow(10.0, places);
    return std::floor(value * scale + 1e-9) / scale;
}

// An intermediate value as short as it is when exact, else rounded with
// "≈": "0,6", "0,57142... ≈ 0,571".
std::string shortRounded(double value, int places)
{
    return exactAt(value, places) ? deNumber(value) : deRounded(value, places);
}

// An intermediate value as short as it is when exact, else cut off after
// `places` decimals and marked so: "51,5151...".
std::string cutText(double value, int places)
{
    return exactAt(value, places) ? deNumber(value) : deDecimal(cutOff(value, places), places) + "...";
}

// 5201, 7101
void percentOf(const char* text)
{
    int a = drawRange(1, 19);
    int b = drawRange(1, 5);
    taskPrintf(text, 5 * a, 100 * b);
    sol() = 5 * a * b;
    answerCeiling = 100 * b;
    taskStep("1 %% von %d = %d : 100 = %d", 100 * b, 100 * b, b);
    taskStep("%d %% von %d = %d · %d = %d", 5 * a, 100 * b, 5 * a, b, sol());
}

// 5202, 7102: the asked share differs from the given one.
void percentFromShare(const char* text)
{
    int a = drawRange(3, 8);
    int b = drawRange(1, 3);
    int c = drawRange(1, 4);
    if (c == a)
        c = c + 1;
    taskPrintf(text, 10 * c, 10 * a, 10 * a * b);
    sol() = 10 * b * c;
    taskStep("10 %% sind %d : %d = %d", 10 * a * b, a, 10 * b);
    taskStep("%d %% sind %d · %d = %d", 10 * c, c, 10 * b, sol());
}

void task7107()
{
    int a = drawRange(1, 50);
    int b = drawRange(1, 5);
    taskPrintf("\n\n\n\nWie viel sind 100 Prozent, wenn %d Prozent gleich %d sind?", a, a * b);
    sol() = 100 * b;
    taskStep("1 %% sind %d : %d = %d", a * b, a, b);
    taskStep("100 %% sind 100 · %d = %d", b, sol());
}

void task7108()
{
    int a = drawRange(4, 8);
    int p = 5 * drawRange(1, 5);
    taskPrintf("\n\n\n\nDer Verkaufspreis eines Computers von %d Euro \nwird um %d Prozent gesenkt. \n"
               "Wie viel kostet der Computer jetzt? ",
               100 * a, p);
    sol() = 100 * a * (100 - p) / 100;
    taskStep("100 %% - %d %% = %d %%", p, 100 - p);
    taskStep("%d %% von %d Euro: %d · %d : 100 = %d Euro", 100 - p, 100 * a, 100 * a, 100 - p, sol());
}

// 7109, 7110: the price 25a lowered by p percent, p a multiple of 4, so
// every amount is whole.
void lowerPrice(int taskNumber)
{
    int a = drawRange(16, 20);
    int p = 4 * drawRange(0, 4) + 12;
    int cut = a * p / 4;
    if (taskNumber == 7109) {
        taskPrintf("\n\n\n\nDer Verkaufspreis eines Computers wurde um %d Prozent gesenkt.\n"
                   "Er kostet jetzt %d Euro. \nWie viel kostete der Computer vor der Preissenkung? ",
                   p, 25 * a - cut);
        sol() = 25 * a;
        taskStep("100 %% - %d %% = %d %% sind %d Euro", p, 100 - p, 25 * a - cut);
        taskStep("Preis vorher: %d : %d · 100 = %d Euro", 25 * a - cut, 100 - p, sol());
    } else {
        taskPrintf("\n\n\n\nDer Verkaufspreis eines Computers wurde um %d Euro gesenkt.\n"
                   "Er kostet jetzt %d Euro. \nUm wie viel Prozent wurde der Preis gesenkt? ",
                   cut, 25 * a - cut);
        sol() = p;
        taskStep("Preis vorher: %d + %d = %d Euro", 25 * a - cut, cut, 25 * a);
        taskStep("Senkung: %d : %d · 100 = %d %%", cut, 25 * a, sol());
    }
}

void task7111()
{
    int a = drawRange(1, 30);
    taskPrintf("\n\n\n\nMeerwasser enthält 3,5 Prozent Salz.\nWie viel kg Meerwasser muss man verdunsten,\n"
               "um %d Gramm Salz zu erhalten? ",
               35 * a);
    sol() = a;
    taskStep("%d g Salz sind 3,5 %% des Meerwassers", 35 * a);
    taskStep("Meerwasser: %d : 3,5 · 100 = %d g", 35 * a, 1000 * a);
    taskStep("%d g = %d kg", 1000 * a, a);
}

void task7112()
{
    int p = 100 * drawRange(0, 6) + 600;
    int q = 10 * drawRange(1, 3);
    int r = 10 * drawRange(1, 3);
    taskPrintf("\n\n\n\nDer Verkaufspreis eines Computers von %d Euro wird zuerst\n"
               "um %d Prozent und dann noch einmal um %d Prozent gesenkt.\n"
               "Wie viel kostet der Computer jetzt? ",
               p, q, r);
    // Whole hundreds lowered twice by whole tens of percent always give a
    // whole price; worked in integers so that a product like 699.9999 in
    // floating point cannot truncate to one Euro less.
    sol() = p / 100 * (100 - q) * (100 - r) / 100;
    int first = p / 100 * (100 - q);
    if (q == r)
        taskStep("Es bleiben jedes Mal 100 %% - %d %% = %d %%.", q, 100 - q);
    else
        taskStep("Es bleiben 100 %% - %d %% = %d %%, dann 100 %% - %d %% = %d %%.", q, 100 - q, r, 100 - r);
    taskStep("%d · %d : 100 = %d Euro", p, 100 - q, first);
    taskStep("%d · %d : 100 = %d Euro", first, 100 - r, sol());
}

void task7113()
{
    int a = drawRange(1, 7);
    int b = drawRange(5, 7);
    int c = drawRange(1, 3);
    taskPrintf("\n\n\n\n%d Liter Salzwasser mit %d Prozent Salzanteil soll auf Wasser\n"
               "mit einem Salzanteil von %d Prozent verdünnt werden.\n"
               "Wie viel Liter salzfreies Wasser muss man hinzufügen? ",
               a, b, c);
    decimalAnswer(static_cast<double>(a) * b / c - a, 3);
    // The salt stays: b % of a litres are c % of the new amount. The new
    // amount may be a third of a litre: carried cut off, rounded once at
    // the end.
    double salt = a * b / 100.0;
    double total = static_cast<double>(a) * b / c;
    std::string totalText = cutText(total, 4);
    taskStep("Salz: %d %% von %d l = %d · %d : 100 = %s l", b, a, a, b, deNumber(salt).c_str());
    taskStep("Neue Menge: %s l sind %d %%; %s : %d · 100 = %s l", deNumber(salt).c_str(), c, deNumber(salt).c_str(),
             c, totalText.c_str());
    taskStep("Wasser dazu: %s l - %d l %s %s l", totalText.c_str(), a, exactAt(total, 3) ? "=" : "≈",
             deDecimal(decimalSolution[taskIndex], 3).c_str());
}

void task7114()
{
    int s = 100 * drawRange(0, 14) + 1500;
    int a = drawRange(1, 3);
    int b = drawRange(1, 3);
    taskPrintf("\n\n\n\nDas Gehalt von %d Euro von Pascals Vater wird zuerst\n"
               "um %d Prozent erhöht und dann noch einmal um %d Prozent.\n"
               "Wie viel Gehalt bekommt der Vater jetzt? ",
               s, a, b);
    decimalAnswer(s * (1 + a / 100.0) * (1 + b / 100.0), 2);
    int first = s + s * a / 100;
    taskStep("%d · %s = %d Euro", s, deNumber(1 + a / 100.0).c_str(), first);
    taskStep("%d · %s = %s Euro", first, deNumber(1 + b / 100.0).c_str(),
             deDecimal(decimalSolution[taskIndex], 2).c_str());
}

void task7115()
{
    int a = drawRange(1, 11);
    int k = 5 * drawRange(0, 4) + 55;
    taskPrintf("\n\n\n\nMessing ist eine Legierung aus den Metallen Kupfer und Zink.\n"
               "Wie viel kg Messing kann man herstellen, wenn man\n"
               "%d kg Zink und genügend Kupfer hat und die \n"
               "Legierung einen Anteil von %d Prozent Kupfer haben soll? ",
               a, k);
    decimalAnswer(100.0 * a / (100 - k), 2);
    taskStep("Zink: 100 %% - %d %% = %d %% sind %d kg", k, 100 - k, a);
    taskStep("Messing: %d : %d · 100 = %s kg", a, 100 - k, deRounded(decimalSolution[taskIndex], 2).c_str());
}

// The dough is limited by whichever stock runs out first.
void task7116()
{
    int f = 5 * drawRange(0, 3) + 30;
    int q = 5 * drawRange(0, 2) + 30;
    int butterShare = 100 - f - q;
    int butter = 50 * drawRange(1, 18);
    int quark = 50 * drawRange(0, 16) + 100;
    int a = drawRange(1, 4);
    taskPrintf("\n\n\n\nEin Teig besteht aus %d Prozent Mehl, aus %d Prozent Quark und\n"
               "aus %d Prozent Butter. Wie viel kg Teig kann daraus maximal\n"
               "hergestellt werden, wenn %d Gramm Butter, %d Gramm Quark\n"
               "und %d kg Mehl vorhanden sind? ",
               f, q, butterShare, butter, quark, a);
    double byButter = butter * 0.1 / butterShare;
    double byQuark = quark * 0.1 / q;
    double byFlour = a * 100.0 / f;
    double dough = byButter;
    if (byQuark < dough)
        dough = byQuark;
    if (byFlour < dough)
        dough = byFlour;
    decimalAnswer(dough, 3);
    taskStep("Butter: %s kg : %d · 100 = %s kg", deNumber(butter / 1000.0).c_str(), butterShare,
             shortRounded(byButter, 3).c_str());
    taskStep("Quark: %s kg : %d · 100 = %s kg", deNumber(quark / 1000.0).c_str(), q,
             shortRounded(byQuark, 3).c_str());
    taskStep("Mehl: %d kg : %d · 100 = %s kg", a, f, shortRounded(byFlour, 3).c_str());
    taskStep("Es reicht für den kleinsten Wert: %s kg", deDecimal(dough, 3).c_str());
}

// The shares in percent before and after, then their difference. A share
// that does not end is cut off after as many places as it takes for every
// value the cut figures stand for to round to the same hundredth, so that
// the difference of the printed figures gives the printed result.
void explainShareChange(int part, double all, int partAfter, double allAfter)
{
    double before = 100.0 * part / all;
    double after = 100.0 * partAfter / allAfter;
    int places = 3;
    for (; places < 8; ++places) {
        // Each cut figure lies at most one unit of its last place below its share.
        double unit = std::pow(10.0, -places);
        double low = cutOff(after, places) - cutOff(before, places) - (exactAt(before, places) ? 0 : unit);
        double high = cutOff(after, places) + (exactAt(after, places) ? 0 : unit) - cutOff(before, places);
        if (deDecimal(low, 2) == deDecimal(high, 2))
            break;
    }
    std::string beforeText = cutText(before, places), afterText = cutText(after, places);
    taskStep("Vorher: %d : %s · 100 = %s %%", part, deNumber(all).c_str(), beforeText.c_str());
    taskStep("Nachher: %d : %s · 100 = %s %%", partAfter, deNumber(allAfter).c_str(), afterText.c_str());
    bool exact = exactAt(before, 2) && exactAt(after, 2);
    taskStep("Änderung: %s %% - %s %% %s %s %%", afterText.c_str(), beforeText.c_str(), exact ? "=" : "≈",
             deDecimal(decimalSolution[taskIndex], 2).c_str());
}

// 7117 asks for the girls' share, 7118 for the boys'; both keep the two
// counts different, each raising the count it asks about.
void shareChange(int taskNumber)
{
    int a = drawRange(2, 13);
    int b = drawRange(2, 13);
    if (b == a) {
        if (taskNumber == 7117)
            a = a + 1;
        else
            b = b + 1;
    }
    int c = drawRange(2, 5);
    int d = drawRange(2, 5);
    double before = a + b;
    double after = a + b + c + d;
    if (taskNumber == 7117) {
        taskPrintf("\n\n\n\nIn einem Sportklub sind %d Mädchen und %d Jungen.\n"
                   "Wie ändert sich der prozentuale Anteil der Mädchen, wenn \n"
                   "%d Mädchen und %d Jungen hinzukommen?\n(negative Änderungen sind möglich)",
                   a, b, c, d);
        decimalAnswer(100.0 * (a + c) / after - 100.0 * a / before, 2);
        explainShareChange(a, before, a + c, after);
    } else {
        taskPrintf("\n\n\n\nIn einem Jugendklub sind %d Mädchen und %d Jungen.\n"
                   "Wie ändert sich der prozentuale Anteil der Jungen, wenn \n"
                   "%d Mädchen und %d Jungen hinzukommen?\n(negative Änderungen sind möglich)",
                   a, b, c, d);
        decimalAnswer(100.0 * (b + d) / after - 100.0 * b / before, 2);
        explainShareChange(b, before, b + d, after);
    }
}

// ------------------------------------------------------------ interest and tax

// A percent sign in a text is written "%%": "%d% auf" would read "% a" as a
// conversion and print garbage from an argument that is not there.
void task7201()
{
    int a = drawRange(10, 29);
    int b = drawRange(1, 5);
    taskPrintf("\n\n\n\nWie viel Zinsen erhält Kevin nach einem Jahr, \n"
               "wenn er %d Euro zu einem Zinssatz von %d%% auf \nder Bank angelegt hat?",
               100 * a, b);
    sol() = a * b;
    taskStep("Zinsen: %d · %d : 100 = %d Euro", 100 * a, b, sol());
}

void task7202()
{
    int a = drawRange(10, 19);
    int b = drawRange(1, 5);
    taskPrintf("\n\n\n\nWie viel Zinsen erhält Jenni nach einem halben Jahr, \n"
               "wenn sie %d Euro zu einem Zinssatz von %d%% auf \nder Bank angelegt hat?",
               200 * a, b);
    sol() = a * b;
    taskStep("Für ein Jahr: %d · %d : 100 = %d Euro", 200 * a, b, 2 * a * b);
    taskStep("Für ein halbes Jahr: %d : 2 = %d Euro", 2 * a * b, sol());
}

void task7203()
{
    int a = drawRange(10, 19);
    int b = drawRange(6, 10);
    taskPrintf("\n\n\n\nEine Firma leiht sich bei der Bank %d Euro für ein \n"
               "halbes Jahr zu einem Zinssatz von %d Prozent. \nWie viel Euro an Zinsen muss \n"
               "sie nach dem halben Jahr bezahlen?",
               1000 * a, b);
    sol() = 1000 * a * b / 200;
    taskStep("Für ein Jahr: %d · %d : 100 = %d Euro", 1000 * a, b, 10 * a * b);
    taskStep("Für ein halbes Jahr: %d : 2 = %d Euro", 10 * a * b, sol());
}

void task7204()
{
    int k = 1200 * drawRange(1, 5);
    int a = drawRange(10, 17);
    taskPrintf("\n\n\n\nHerr Meier hat sein Konto um %d Euro überzogen, er muss \n"
               "dafür %d Prozent Überziehungszinsen bezahlen.\n"
               "Wie viel muss er nach einem Monat Überziehungszinsen bezahlen? ",
               k, a);
    sol() = k * a / 1200;
    taskStep("Für ein Jahr: %d · %d : 100 = %d Euro", k, a, k * a / 100);
    taskStep("Für einen Monat: %d : 12 = %d Euro", k * a / 100, sol());
}

void task7205()
{
    int a = drawRange(1, 12);
    int b = drawRange(10, 17);
    taskPrintf("\n\n\n\nFrau Koch bekommt nach einem Jahr %d Euro Zinsen von ihrer \n"
               "Bank für ihr Guthaben von %d Euro gutgeschrieben. \nWie hoch war der Zinssatz in Prozent? ",
               a * b, 100 * b);
    sol() = a;
    taskStep("Zinssatz: %d : %d · 100 = %d %%", a * b, 100 * b, sol());
}

void task7206()
{
    int k = 1000 * drawRange(0, 11) + 2000;
    int a = drawRange(2, 5);
    taskPrintf("\n\n\n\nJan hat von seiner Patentante %d Euro geschenkt bekommen.\n"
               "Er legt diesen Betrag bei der Bank mit %d Prozent Zinsen an.\n"
               "Wie viel Euro Zinsen kann er jeden Monat von der\n"
               "Bank abholen, wenn das Guthaben bestehen bleiben soll? ",
               k, a);
    decimalAnswer(static_cast<double>(k) * a / 1200, 2);
    taskStep("Für ein Jahr: %d · %d : 100 = %d Euro", k, a, k * a / 100);
    taskStep("Für einen Monat: %d : 12 = %s Euro", k * a / 100, deRounded(decimalSolution[taskIndex], 2).c_str());
}

void task7207()
{
    int e = 100 * drawRange(0, 4) + 1000;
    int a = drawRange(5, 8);
    taskPrintf("\n\n\n\nHerr Fuchs möchte jeden Monat %d Euro Zinsen\n"
               "erhalten. Welches Grundkapital benötigt er,\n"
               "wenn ihm die Bank %d Prozent Zinsen bietet?",
               e, a);
    decimalAnswer(1200.0 * e / a, 0);
    taskStep("Zinsen für ein Jahr: 12 · %d = %d Euro", e, 12 * e);
    taskStep("%d Euro sind %d %% vom Grundkapital.", 12 * e, a);
    taskStep("%d : %d · 100 = %s Euro", 12 * e, a, deRounded(decimalSolution[taskIndex], 0).c_str());
}

void task7208()
{
    int n = 100 * drawRange(0, 9) + 1000;
    int v = drawRange(19, 22);
    // The gross price is whole Euro: n is a multiple of 100.
    int gross = n + n * v / 100;
    taskPrintf("\n\n\n\nEin Fernsehgerät kostet %s EUR im Verkauf. Wie viel EUR\n"
               "an Mehrwertsteuer muss der Händler an den Staat abführen,\n"
               "wenn der Mehrwertsteuersatz %d Prozent beträgt? ",
               deDecimal(n + n * v / 100.0, 2).c_str(), v);
    decimalAnswer(n * v / 100.0, 2);
    taskStep("%d EUR sind 100 %% + %d %% = %d %%", gross, v, 100 + v);
    taskStep("Ohne Steuer: %d : %d · 100 = %d EUR", gross, 100 + v, n);
    taskStep("Steuer: %d · %d : 100 = %s EUR", n, v, deDecimal(decimalSolution[taskIndex], 2).c_str());
}

// ------------------------------------------------------------ rule of three

// 5301 to 5303 and 5307: a price for a multiple e of the given amount. The
// two middle draws are never shown.
void priceForMultiple(int taskNumber)
{
    int a = taskNumber == 5302 || taskNumber == 5303 ? drawRange(3, 7) : drawRange(1, 4);
    int b = drawRange(1, 4);
    drawRange(1, 5);
    drawRange(1, 5);
    int e = taskNumber == 5302 || taskNumber == 5303 ? drawRange(2, 7) : drawRange(2, 6);
    switch (taskNumber) {
    case 5301:
        taskPrintf("\n\n\n\n %d Gramm Käse kosten %d EUR.\n Wie viel EUR kosten %d Gramm? ", 100 * a, b,
                   100 * a * e);
        break;
    case 5302:
        taskPrintf("\n\n\n\n %d Gramm Salat kosten %d EUR.\n Wie viel EUR kosten %d Gramm? ", 100 * a, b,
                   100 * a * e);
        break;
    case 5303:
        taskPrintf("\n\n\n\n %d Gramm Schokolade kosten %d EUR.\n Wie viel EUR kosten %d Gramm? ", 50 * a, b,
                   50 * a * e);
        break;
    default:
        taskPrintf("\n\n\n\n Für %d kg einer Ware müssen %d EUR bezahlt werden.\n Wie teuer sind %d kg? ", a, b,
                   a * e);
        break;
    }
    sol() = b * e;
    int amount = taskNumber == 5303 ? 50 * a : taskNumber == 5307 ? a : 100 * a;
    const char* unit = taskNumber == 5307 ? "kg" : "g";
    taskStep("%d %s sind %d-mal so viel wie %d %s: %d : %d = %d", amount * e, unit, e, amount, unit, amount * e, amount,
             e);
    taskStep("Preis: %d · %d EUR = %d EUR", e, b, sol());
}

void task5304()
{
    int a = drawRange(2, 7);
    int b = drawRange(-4, 4);
    int c = drawRange(2, 6);
    if (c == a)
        c = c + 1;
    int speed = 100 + 10 * b;
    taskPrintf("\n\n\n\nEin Auto fährt in %d Stunden %d km weit.\nWelche Strecke könnte es bei gleicher \n"
               "Durchschnittsgeschwindigkeit in %d Stunden zurücklegen? \n ",
               a, a * speed, c);
    sol() = c * speed;
    taskStep("In einer Stunde: %d : %d = %d km", a * speed, a, speed);
    taskStep("In %d Stunden: %d · %d = %d km", c, c, speed, sol());
}

void task5305()
{
    drawRange(4, 7);
    int b = drawRange(1, 4);
    int c = drawRange(1, 5);
    int d = drawRange(2, 6);
    taskPrintf("\n\n\n\n %d Gramm Wurst kosten %d EUR.\n Wie viel EUR kosten %d Gramm? \n", 100 * c * d, b * d,
               100 * c);
    sol() = b;
    taskStep("%d g sind %d-mal so viel wie %d g: %d : %d = %d", 100 * c * d, d, 100 * c, 100 * c * d, 100 * c, d);
    taskStep("Preis: %d EUR : %d = %d EUR", b * d, d, sol());
}

void task5306()
{
    drawRange(4, 7);
    int b = drawRange(1, 4);
    int c = drawRange(2, 6);
    int d = drawRange(2, 6);
    taskPrintf("\n\n\n\n Eine Maschine fertigt in %d Stunden %d Teile.\n Wie viele Teile fertigt sie in %d Stunden? ",
               c * d, 100 * b * d, c);
    sol() = 100 * b;
    taskStep("%d h sind %d-mal so lang wie %d h: %d : %d = %d", c * d, d, c, c * d, c, d);
    taskStep("In %d h: %d Teile : %d = %d Teile", c, 100 * b * d, d, sol());
}

void task5308()
{
    drawRange(2, 5);
    int b = drawRange(2, 5);
    int c = drawRange(2, 6);
    drawRange(1, 5);
    int e = drawRange(2, 4);
    taskPrintf("\n\n\n\n Aus einem Tank fließen in %d Stunden %d Liter Wasser.\n Wie viel Liter sind das in %d Stunden? ",
               c * e, 80 * b * e, c);
    sol() = 80 * b;
    taskStep("%d h sind %d-mal so lang wie %d h: %d : %d = %d", c * e, e, c, c * e, c, e);
    taskStep("In %d h: %d l : %d = %d l", c, 80 * b * e, e, sol());
}

// 5309, 5310, 5312: a workers need b × c, c workers need a × b. When the
// two counts are equal the first is raised, so the situations differ.
void inverseProportion(int taskNumber)
{
    int a = drawRange(2, 4);
    int b = drawRange(2, 4);
    int c = drawRange(2, 5);
    if (c == a)
        a = a + 1;
    switch (taskNumber) {
    case 5309:
        taskPrintf("\n\n\n\nWenn %d Bagger im Einsatz sind, dann können sie eine Baugrube \nin %d Tagen ausheben.\n"
                   "Wie viele Tage benötigen %d Bagger für die gleiche Arbeit? ",
                   a, b * c, c);
        break;
    case 5310:
        taskPrintf("\n\n\n\n An einer Reparatur arbeiten %d Gesellen %d Stunden.\n In welcher Zeit würden es %d Gesellen schaffen? ",
                   a, b * c, c);
        break;
    default:
        taskPrintf("\n\n\n\nEin Rohbau wird durch %d Maurer in %d Tagen errichtet.\n"
                   "Wie viele Maurer erstellen diesen Rohbau in %d Tagen? ",
                   a, b * c, c);
        break;
    }
    sol() = a * b;
    static const char* const units[] = {"Baggertage", "Gesellenstunden", "Maurertage"};
    static const char* const answers[] = {"Tage", "Stunden", "Maurer"};
    static const char* const labels[] = {"%d Bagger", "%d Gesellen", "In %d Tagen"};
    const int which = taskNumber == 5309 ? 0 : taskNumber == 5310 ? 1 : 2;
    char label[32];
    std::snprintf(label, sizeof label, labels[which], c);
    taskStep("Arbeit: %d · %d = %d %s", a, b * c, a * b * c, units[which]);
    taskStep("%s: %d : %d = %d %s", label, a * b * c, c, sol(), answers[which]);
}

// The tank holds a × b × c² litres.
void task5311()
{
    int a = drawRange(2, 4);
    int b = drawRange(2, 4);
    int c = drawRange(2, 4);
    if (b == c)
        c = c + 1;
    taskPrintf("\n\n\n\nWenn aus einem Wassertank %d l/min herausfließen, \nist der Tank in %d Minuten geleert.\n"
               "In welcher Zeit leert sich der Tank, \nwenn %d l/min herausfließen? ",
               a * c, b * c, a * b);
    sol() = c * c;
    taskStep("Inhalt: %d l/min · %d min = %d l", a * c, b * c, a * b * c * c);
    taskStep("Bei %d l/min: %d : %d = %d min", a * b, a * b * c * c, a * b, sol());
}

// a trucks need (a - 1)c + b hours; after b hours the a - 1 left carry the
// remaining a(a - 1)c truck-hours in a × c hours.
void task5313()
{
    int a = drawRange(4, 8);
    int b = drawRange(2, 4);
    int c = drawRange(2, 4);
    taskPrintf("\n\n\n\n%d Lastkraftwagen holen den Sand in %d Stunden ab. \nNach %d Stunden fällt ein LKW aus. \n"
               "Wie lange müssen die restlichen Wagen noch eingesetzt werden, \num den Sand abzutransportieren?",
               a, (a - 1) * c + b, b);
    sol() = (a * a * c - a * c) / (a - 1);
    int work = a * ((a - 1) * c + b);
    taskStep("Arbeit: %d · %d = %d LKW-Stunden", a, (a - 1) * c + b, work);
    taskStep("Nach %d Stunden bleiben %d - %d · %d = %d LKW-Stunden.", b, work, a, b, work - a * b);
    taskStep("%d LKW: %d : %d = %d Stunden", a - 1, work - a * b, a - 1, sol());
}

} // namespace

void generateUnitsTask(int taskNumber)
{
    if (taskNumber >= 3201 && taskNumber <= 3222) {
        conversionTask(taskNumber);
        return;
    }
    switch (taskNumber) {
    case 5201: percentOf("\n\n\n\nWie viel sind %d Prozent von %d?\n (Prozente sind Hundertstel 5%% = 5/100)"); break;
    case 7101: percentOf("\n\n\n\nWie viel sind %d Prozent von %d?"); break;
    case 5202:
        percentFromShare("\n\n\n\nWie viel sind %d Prozent, wenn %d Prozent gleich %d sind?\n"
                         " (Prozente sind Hundertstel 5%% = 5/100)");
        break;
    case 7102: percentFromShare("\n\n\n\nWie viel sind %d Prozent, wenn %d Prozent gleich %d sind?"); break;
    case 7107: task7107(); break;
    case 7108: task7108(); break;
    case 7109:
    case 7110: lowerPrice(taskNumber); break;
    case 7111: task7111(); break;
    case 7112: task7112(); break;
    case 7113: task7113(); break;
    case 7114: task7114(); break;
    case 7115: task7115(); break;
    case 7116: task7116(); break;
    case 7117:
    case 7118: shareChange(taskNumber); break;
    case 7201: task7201(); break;
    case 7202: task7202(); break;
    case 7203: task7203(); break;
    case 7204: task7204(); break;
    case 7205: task7205(); break;
    case 7206: task7206(); break;
    case 7207: task7207(); break;
    case 7208: task7208(); break;
    case 5301:
    case 5302:
    case 5303:
    case 5307: priceForMultiple(taskNumber); break;
    case 5304: task5304(); break;
    case 5305: task5305(); break;
    case 5306: task5306(); break;
    case 5308: task5308(); break;
    case 5309:
    case 5310:
    case 5312: inverseProportion(taskNumber); break;
    case 5311: task5311(); break;
    case 5313: task5313(); break;
    default: break;
    }
}
