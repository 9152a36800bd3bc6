// Word problems and number puzzles: stories about ages, cards, sweets,
// classes, accounts and travellers, think-of-a-number puzzles, Roman
// numerals, digit sums, palindromes, divisibility, primes and sequences.
// Every story is built backwards: the sought number is drawn first and the
// given numbers are computed from it, so every answer comes out whole.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

#include "answer_rows.h"
#include "catalog.h"
#include "families.h"
#include "notation.h"

namespace {

constexpr int kPrimes[24] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37,
                             41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89};

const char* const kNextInSequence = "\n\n\n Welche Zahl folgt als nächste?\n Zahlenreihe: %d, %d, %d, %d, %d, ?";

// " + 3", " - 5", nothing for 0.
std::string signedTerm(int v)
{
    return v == 0 ? std::string() : deSignedAppend(v);
}

// "x + 3", "x - 5", "x".
std::string plus(const char* name, int v)
{
    return name + signedTerm(v);
}

// Two steps that alternate: the rule, then the next member.
void explainAlternating(const std::string& first, const std::string& second, int last, const std::string& next,
                        int answer)
{
    taskStep("Regel: abwechselnd %s und %s", first.c_str(), second.c_str());
    taskStep("%d %s = %d", last, next.c_str(), answer);
}

// Sika x, Nanina x + 1, Rona x + 2 together `total` years.
void explainThreeAges(int total, const char* asked, int answer)
{
    int sika = (total - 3) / 3;
    taskStep("Sika x, Nanina x + 1, Rona x + 2");
    taskStep("x + (x + 1) + (x + 2) = 3x + 3 = %d", total);
    taskStep("Sika: x = (%d - 3) : 3 = %d", total, sika);
    if (answer != sika)
        taskStep("%s: %d + %d = %d", asked, sika, answer - sika, answer);
}

// The operation applied to both sides of an equation, after a bar at the
// end of the line it is applied to: "   | - 5", "   | : (-4)".
std::string applied(char op, const std::string& operand)
{
    return std::string("   | ") + op + " " + operand;
}

// The bar for taking away `v` (a number or an x-term) from both sides.
std::string subtracted(int v, const char* var = "")
{
    std::string term = *var ? deTerm(v < 0 ? -v : v, var) : std::to_string(v < 0 ? -v : v);
    return applied(v < 0 ? '+' : '-', term);
}

// a x + b = c x + e with the whole solution x, b and c not 0: the smaller
// x-term goes first, so that x keeps a positive factor, then the number on
// the side of x, one bar each.
void explainLinear(int a, int b, int c, int e, int x)
{
    int k = a - c;
    int r = e - b;
    if (k < 0) {
        taskStep("%s = %s%s", deLinear(a, b, "x").c_str(), deLinear(c, e, "x").c_str(), subtracted(a, "x").c_str());
        if (e != 0)
            taskStep("%d = %s%s", b, deLinear(-k, e, "x").c_str(), subtracted(e).c_str());
        if (k != -1)
            taskStep("%d = %s%s", -r, deTerm(-k, "x").c_str(), applied(':', std::to_string(-k)).c_str());
        taskStep("x = %d", x);
        return;
    }
    taskStep("%s = %s%s", deLinear(a, b, "x").c_str(), deLinear(c, e, "x").c_str(), subtracted(c, "x").c_str());
    taskStep("%s = %d%s", deLinear(k, b, "x").c_str(), e, subtracted(b).c_str());
    if (k == 1) {
        taskStep("x = %d", x);
        return;
    }
    taskStep("%s = %d%s", deTerm(k, "x").c_str(), r, applied(':', deOperand(k)).c_str());
    taskStep("x = %d", x);
}

// ------------------------------------------------------------ Roman numerals

struct Numeral {
    const char* text;
    int value;
};

constexpr Numeral kRoman3104[] = {{"I", 1},   {"II", 2},   {"III", 3}, {"V", 5},   {"X", 10},
                                  {"C", 100}, {"L", 50},   {"D", 500}, {"M", 1000}};

constexpr Numeral kRoman3105[] = {
    {"VI", 6},       {"VII", 7},     {"VIII", 8},   {"IV", 4},       {"IX", 9},     {"XIV", 14},
    {"XV", 15},      {"XVI", 16},    {"XVII", 17},  {"XVIII", 18},   {"XIX", 19},   {"XX", 20},
    {"XXI", 21},     {"XXII", 22},   {"XXIII", 23}, {"XXIV", 24},    {"XXV", 25},   {"XXVI", 26},
    {"XXVII", 27},   {"XXVIII", 28}, {"XXIX", 29},  {"XXX", 30},     {"XL", 40},    {"XLV", 45},
    {"XLVII", 47},   {"LII", 52},    {"LIV", 54},   {"LIX", 59},     {"LX", 60},    {"LXV", 65},
    {"LXX", 70},     {"LXXVI", 76},  {"LXXX", 80},  {"LXXXVII", 87}, {"XC", 90},    {"XCIII", 93},
    {"XCIX", 99},    {"C", 100}};

constexpr Numeral kRoman3106[] = {
    {"CI", 101},        {"CII", 102},       {"CIII", 103},     {"CL", 150},         {"CLX", 160},
    {"CC", 200},        {"CCCV", 305},      {"CD", 400},       {"DC", 600},         {"DCC", 700},
    {"DCCC", 800},      {"CM", 900},        {"CMXC", 990},     {"CMXCIX", 999},     {"MII", 1002},
    {"MCXI", 1111},     {"MD", 1500},       {"MCD", 1400},     {"MDC", 1600},       {"MDCXXV", 1625},
    {"MDCCCXIII", 1813}, {"MCM", 1900},     {"MCMXLVI", 1946}, {"MCMXLIX", 1949},   {"MCMXCIX", 1999},
    {"MM", 2000},       {"MMXII", 2012},    {"MMCM", 2900},    {"MMM", 3000}};

int romanDigit(char c)
{
    switch (c) {
    case 'I': return 1;
    case 'V': return 5;
    case 'X': return 10;
    case 'L': return 50;
    case 'C': return 100;
    case 'D': return 500;
    case 'M': return 1000;
    default: return 0;
    }
}

// The numeral in groups (a smaller letter before a larger one is one group
// that subtracts), then the groups' values added.
void explainRoman(const std::string& numeral, int value)
{
    std::string groups, values;
    int count = 0;
    for (size_t i = 0; i < numeral.size(); ++i, ++count) {
        std::string sep = count ? " + " : "";
        int v = romanDigit(numeral[i]);
        if (i + 1 < numeral.size() && romanDigit(numeral[i + 1]) > v) {
            groups += sep + numeral.substr(i, 2);
            values += sep + "(" + std::to_string(romanDigit(numeral[i + 1])) + " - " + std::to_string(v) + ")";
            ++i;
        } else {
            groups += sep + numeral.substr(i, 1);
            values += sep + std::to_string(v);
        }
    }
    if (count > 1) {
        taskStep("%s = %s", numeral.c_str(), groups.c_str());
        taskStep("%s = %d", values.c_str(), value);
    } else if (values[0] == '(') {
        taskStep("%s = %s = %d", numeral.c_str(), values.substr(1, values.size() - 2).c_str(), value);
    } else {
        taskStep("%s = %d", numeral.c_str(), value);
    }
}

template <size_t N> void romanNumeral(const Numeral (&list)[N])
{
    const Numeral& n = list[drawRange(1, static_cast<int>(N)) - 1];
    taskPrintf("\n\n\n\nWelchen Zahlenwert hat die römische Zahl %s?", n.text);
    sol() = n.value;
    explainRoman(n.text, n.value);
}

// ------------------------------------------------------------ level 1

void task1301()
{
    int a = drawRange(3, 7);
    int b = drawRange(2, 6);
    taskPrintf("\n\n\n Julian hat %d Sammelkarten, Jenni hat %d Sammelkarten mehr.\n"
               " Wie viele Sammelkarten haben beide zusammen?",
               a, b);
    sol() = 2 * a + b;
    taskStep("Jenni: %d + %d = %d", a, b, a + b);
    taskStep("zusammen: %d + %d = %d", a, a + b, sol());
}

void task1302()
{
    int a = drawRange(3, 5);
    int b = drawRange(5, 7);
    int c = drawRange(3, 6);
    int d = drawRange(2, 4);
    taskPrintf("\n\n\n Maximilian hatte %d gelbe, %d rote und\n %d blaue Farbstifte.\n"
               " Er verschenkt %d rote Farbstifte.\n Wie viele Farbstifte hat er insgesamt noch?",
               a, b, c, d);
    sol() = a + b + c - d;
    taskStep("%d + %d + %d = %d", a, b, c, a + b + c);
    taskStep("%d - %d = %d", a + b + c, d, sol());
}

void task1303()
{
    int a = drawRange(9, 11);
    int b = drawRange(3, 6);
    int c = drawRange(3, 6);
    taskPrintf("\n\n\n Auf dem Spielplatz sind %d Personen,\n davon sind %d Kinder, %d sind Mädchen.\n"
               " Wie viele Jungen sind auf dem Spielplatz?",
               a + b + c, b + c, c);
    sol() = b;
    taskStep("Jungen = Kinder - Mädchen");
    taskStep("%d - %d = %d", b + c, c, sol());
}

void task1304()
{
    int a = drawRange(9, 18);
    int b = drawRange(2, 5);
    taskPrintf("\n\n\n Martin hat %d Spielkarten,\n Julia hat %d Karten weniger.\n"
               " Wie viele Spielkarten hat Julia?",
               a, b);
    sol() = a - b;
    taskStep("%d - %d = %d", a, b, sol());
}

void task1305()
{
    int a = drawRange(2, 6);
    int b = drawRange(2, 4);
    int c = drawRange(3, 5);
    taskPrintf("\n\n\n Mike denkt sich eine Zahl aus.\n Wenn er diese Zahl mit %d multipliziert\n"
               " und dann %d dazuzählt, hat er %d.\n Welche Zahl hat er sich ausgedacht?",
               b, c, a * b + c);
    sol() = a;
    taskStep("rückwärts rechnen:");
    taskStep("%d - %d = %d", a * b + c, c, a * b);
    taskStep("%d : %d = %d", a * b, b, sol());
}

void task1306()
{
    int a = drawRange(4, 10);
    int b = drawRange(2, 4);
    int c = drawRange(2, 5);
    taskPrintf("\n\n\n Michelle denkt sich eine Zahl aus.\n Wenn sie %d davon wegnimmt\n"
               " und dann mit %d multipliziert, erhält sie %d.\n Welche Zahl hat sie sich ausgedacht?",
               b, c, (a - b) * c);
    sol() = a;
    taskStep("rückwärts rechnen:");
    taskStep("%d : %d = %d", (a - b) * c, c, a - b);
    taskStep("%d + %d = %d", a - b, b, sol());
}

void task1307()
{
    int a = drawRange(2, 4);
    int k = drawRange(2, 5);
    taskPrintf("\n\n\n Stefan hat noch zwei Geschwister, Luca und Mona.\n"
               " Mona ist %d Jahre alt, Luca ist doppelt so alt.\n"
               " Alle zusammen sind %d Jahre alt.\n Wie alt ist Stefan?",
               a, 3 * a + (2 * a + k));
    sol() = 2 * a + k;
    taskStep("Luca: 2 · %d = %d", a, 2 * a);
    taskStep("Stefan: %d - %d - %d = %d", 3 * a + sol(), a, 2 * a, sol());
}

void task1308()
{
    int a = drawRange(2, 4);
    int b = drawRange(2, 5);
    taskPrintf("\n\n\n Mathias und Andreas haben zusammen %d Sammelkarten.\n"
               " Andreas hat %d-mal so viele wie Mathias.\n Wie viele Sammelkarten hat Andreas?",
               a * b + a, b);
    sol() = a * b;
    taskStep("Mathias 1 Teil, Andreas %d Teile: zusammen %d Teile", b, b + 1);
    taskStep("1 Teil: %d : %d = %d", a * b + a, b + 1, a);
    taskStep("Andreas: %d · %d = %d", b, a, sol());
}

void task1309()
{
    int a = drawRange(3, 7);
    int b = drawRange(3, 7);
    int c = drawRange(3, 7);
    int d = drawRange(3, 7);
    taskPrintf("\n\n\n An der Bushaltestelle stehen %d Personen.\n"
               " Es sind %d Frauen, %d Männer und %d Mädchen.\n"
               " Wie viele Jungen stehen an der Haltestelle?",
               a + b + c + d, a, b, c);
    sol() = d;
    taskStep("%d - %d - %d - %d = %d", a + b + c + d, a, b, c, sol());
}

void task1310()
{
    int a = drawRange(1, 3);
    int b = drawRange(2, 6);
    taskPrintf("\n\n\n Pascal hat doppelt so viele Bonbons wie Rebecca.\n"
               " Mona hat %d-mal so viele Bonbons wie Rebecca.\n Alle zusammen haben %d Bonbons.\n"
               " Wie viele Bonbons hat Mona?",
               b, a * b + 3 * a);
    sol() = a * b;
    taskStep("Rebecca 1 Teil, Pascal 2, Mona %d: zusammen %d Teile", b, b + 3);
    taskStep("1 Teil: %d : %d = %d", a * b + 3 * a, b + 3, a);
    taskStep("Mona: %d · %d = %d", b, a, sol());
}

void task1311()
{
    int a = drawRange(2, 10);
    taskPrintf("\n\n\n\nEine Mutter hat %d Bonbons, die teilt sie auf ihre\n"
               "drei Kinder auf. Das älteste bekommt die Hälfte.\n"
               "Die beiden jüngeren bekommen jeweils vom Rest die\n"
               "Hälfte. Wie viele Bonbons bekommt das jüngste Kind?",
               4 * a);
    sol() = a;
    taskStep("das älteste: %d : 2 = %d", 4 * a, 2 * a);
    taskStep("Rest: %d - %d = %d", 4 * a, 2 * a, 2 * a);
    taskStep("das jüngste: %d : 2 = %d", 2 * a, sol());
}

void task1312()
{
    int a = drawRange(1, 6);
    int b = drawRange(1, 6);
    int c = drawRange(1, 6);
    taskPrintf("\n\n\n Leoni würfelt mit drei Würfeln.\n Der erste zeigt %d, der zweite %d %s.\n"
               " Das Produkt aller drei Würfe ist %d.\n Wie viele Punkte zeigt der dritte Würfel?",
               a, b, b == 1 ? "Punkt" : "Punkte", a * b * c);
    sol() = c;
    taskStep("%d · %d = %d", a, b, a * b);
    taskStep("%d : %d = %d", a * b * c, a * b, sol());
}

// Steps alternate +b, +c; equal steps would hide the rule, so c moves on.
void task1313()
{
    int a = drawRange(1, 3);
    int b = drawRange(1, 4);
    int c = drawRange(1, 4);
    if (c == b)
        c = c + 1;
    taskPrintf(kNextInSequence, a, a + b, a + b + c, a + 2 * b + c, a + 2 * b + 2 * c);
    sol() = a + 3 * b + 2 * c;
    explainAlternating("+ " + std::to_string(b), "+ " + std::to_string(c), a + 2 * b + 2 * c,
                       "+ " + std::to_string(b), sol());
}

// 1314 to 1316: Sika is a, Nanina a + 1, Rona a + 2.
// Worked backwards as at level 1: without the extra years all three would
// be as old as Sika.
void threeAges(int taskNumber)
{
    int a = drawRange(5, 11);
    const char* question = taskNumber == 1314 ? "Rona" : taskNumber == 1315 ? "Sika" : "Nanina";
    taskPrintf("\n\n\n\nRona ist ein Jahr älter als Nanina und Nanina ist\nein Jahr älter als Sika.\n"
               "Alle zusammen sind %d Jahre alt.\nWie alt ist %s?",
               3 * a + 3, question);
    sol() = taskNumber == 1314 ? a + 2 : taskNumber == 1315 ? a : a + 1;
    taskStep("Nanina ist 1 Jahr älter als Sika, Rona 2 Jahre.");
    taskStep("Ohne diese Jahre: %d - 1 - 2 = %d", 3 * a + 3, 3 * a);
    taskStep("Dann wären alle so alt wie Sika: %d : 3 = %d", 3 * a, a);
    if (sol() != a)
        taskStep("%s: %d + %d = %d", question, a, sol() - a, sol());
}

void task1317()
{
    int a = drawRange(2, 18);
    int b = drawRange(0, 4);
    taskPrintf("\n\n\n\nSamuel denkt sich eine Zahl aus. Wenn er diese Zahl\nmit %d multipliziert und dann die\n"
               "ausgedachte Zahl subtrahiert, so erhält er %d.\nWelche Zahl hat er sich ausgedacht? ",
               a, (a - 1) * b);
    sol() = b;
    if (a > 2) {
        taskStep("%d-mal die Zahl minus die Zahl ist %d-mal die Zahl.", a, a - 1);
        taskStep("%d-mal die Zahl ist %d: %d : %d = %d", a - 1, (a - 1) * b, (a - 1) * b, a - 1, sol());
    } else {
        taskStep("2-mal die Zahl minus die Zahl ist die Zahl selbst.");
        taskStep("Die Zahl ist %d.", sol());
    }
}

// ------------------------------------------------------------ level 3

// A run of primes: the next one up or down.
void explainPrimes(int last, bool up, int next)
{
    taskStep("Die Reihe besteht aus Primzahlen.");
    taskStep("%s Primzahl %s %d: %d", up ? "nächste" : "nächstkleinere", up ? "nach" : "vor", last, next);
}

void task3301()
{
    int a = drawRange(6, 10);
    int b = drawRange(4, 7);
    taskPrintf("\n\n\n\n Vater und Sohn sind zusammen %d Jahre alt.\n Der Vater ist %d-mal so alt wie der Sohn.\n"
               " Wie alt ist der Sohn?",
               a * b + a, b);
    sol() = a;
    taskStep("Sohn 1 Teil, Vater %d Teile: zusammen %d Teile", b, b + 1);
    taskStep("Sohn: %d : %d = %d", a * b + a, b + 1, sol());
}

void task3302()
{
    int a = drawRange(1, 10);
    int b = drawRange(1, 5);
    taskPrintf("\n\n\n\n Eine Lupe vergrößert %d-fach.\n Ein Käfer erscheint unter der Lupe %d mm groß.\n"
               " Wie viel mm ist er in Wirklichkeit groß?",
               2 * a, 2 * a * b);
    sol() = b;
    taskStep("In Wirklichkeit: %d mm : %d = %d mm", 2 * a * b, 2 * a, sol());
}

void task3303()
{
    int a = drawRange(6, 10);
    int b = drawRange(1, 4);
    taskPrintf("\n\n\n\n Die Summe zweier Zahlen ist %d.\n Ihre Differenz ist %d.\n"
               " Welche Zahl ist die größere der beiden?",
               a + b, a - b);
    sol() = a;
    taskStep("Summe + Differenz ist das Doppelte der größeren Zahl.");
    taskStep("(%d + %d) : 2 = %d; kleinere Zahl: %d - %d = %d", a + b, a - b, a, a + b, a, b);
    taskStep("Probe: %d + %d = %d; %d - %d = %d", a, b, a + b, a, b, a - b);
    taskStep("Die größere Zahl ist %d.", sol());
}

void task3304()
{
    int a = drawRange(6, 9);
    int b = drawRange(1, 4);
    taskPrintf("\n\n\n\n Die Summe zweier Zahlen ist %d.\n Ihre Differenz ist %d.\n"
               " Welche Zahl ist die kleinere der beiden?",
               a + b, a - b);
    sol() = b;
    taskStep("Summe - Differenz ist das Doppelte der kleineren Zahl.");
    taskStep("(%d - %d) : 2 = %d; größere Zahl: %d - %d = %d", a + b, a - b, b, a + b, b, a);
    taskStep("Probe: %d + %d = %d; %d - %d = %d", a, b, a + b, a, b, a - b);
    taskStep("Die kleinere Zahl ist %d.", sol());
}

// 3305 asks for the larger, 3306 for the smaller of the two.
void sumAndProduct(bool larger)
{
    int a = drawRange(6, 10);
    int b = drawRange(1, 4);
    taskPrintf("\n\n\n\n Die Summe zweier Zahlen ist %d.\n Ihr Produkt ist %d. \n"
               " Welche Zahl ist die %s der beiden?",
               a + b, a * b, larger ? "größere" : "kleinere");
    sol() = larger ? a : b;
    // Every way to write the product as two factors, then their sums: the
    // pair with the given sum is the one.
    std::string pairs, sums;
    for (int d = 1; d * d <= a * b; ++d)
        if (a * b % d == 0) {
            pairs += " = " + std::to_string(d) + " · " + std::to_string(a * b / d);
            sums += (sums.empty() ? "" : ", ") + std::to_string(d + a * b / d);
        }
    taskStep("Zerlegungen: %d%s", a * b, pairs.c_str());
    taskStep("Summen der Paare: %s", sums.c_str());
    taskStep("Summe %d: %d + %d = %d", a + b, b, a, a + b);
    taskStep("Die %s Zahl ist %d.", larger ? "größere" : "kleinere", sol());
}

void task3307()
{
    int a = drawRange(4, 8);
    taskPrintf("\n\n\n\n%d Gäste einer Geburtstagsparty stoßen mit einem Glas an.\n"
               "Jeder stößt mit jedem in der Runde an.\nWie oft erklingen die Gläser?",
               a);
    sol() = a * (a - 1) / 2;
    taskStep("Jeder der %d Gäste stößt mit %d anderen an.", a, a - 1);
    taskStep("Jedes Paar zählt einmal: %d · %d : 2 = %d", a, a - 1, sol());
}

void task3308()
{
    int a = drawRange(1, 9);
    int b = drawRange(0, 9);
    int c = drawRange(0, 9);
    int d = drawRange(1, 9);
    taskPrintf("\n\n\n\n Wie lautet die Quersumme der Zahl %d%d%d%d?", a, b, c, d);
    sol() = a + b + c + d;
    taskStep("%d + %d + %d + %d = %d", a, b, c, d, sol());
}

// The palindrome is shown among the answer squares only.
void task3309()
{
    int a = drawRange(1, 9);
    int b = drawRange(0, 9);
    int c = drawRange(0, 9);
    taskPrintf("\n\n\n\n Welche der Zahlen ist ein Zahlenpalindrom?\n"
               " (Palindrome lesen sich von vorn und hinten gleich)");
    sol() = 10001 * a + 1010 * b + 100 * c;
    taskStep("%d rückwärts gelesen: %d", sol(), sol());
    alsoRight = [](int x) {
        std::string digits = std::to_string(x);
        return std::equal(digits.begin(), digits.end(), digits.rbegin());
    };
}

void task3310()
{
    int a = drawRange(11, 15);
    int b = drawRange(1, 3);
    taskPrintf("\n\n\n\n Welche der Zahlen lässt sich durch %d teilen?", a);
    sol() = a * b;
    taskStep("%d · %d = %d", a, b, sol());
    alsoRight = [a](int x) { return x % a == 0; };
}

void task3311()
{
    int a = drawRange(1, 10);
    taskPrintf("\n\n\n\n Welche Zahl folgt in dieser Reihe?\n %d, %d, %d, %d, ?", kPrimes[a + 1], kPrimes[a + 2],
               kPrimes[a + 3], kPrimes[a + 4]);
    sol() = kPrimes[a + 5];
    explainPrimes(kPrimes[a + 4], true, sol());
}

void task3312()
{
    int a = drawRange(2, 9);
    taskPrintf("\n\n\n\nFür welche natürliche Zahl gilt: Nimmt man das Quadrat\n"
               "der Zahl und addiert die Zahl selbst hinzu,\nso ist die Summe gleich %d.",
               a * a + a);
    sol() = a;
    taskStep("x² + x = %d", a * a + a);
    taskStep("Probieren: %d² + %d = %d + %d = %d, zu klein", a - 1, a - 1, (a - 1) * (a - 1), a - 1, (a - 1) * a);
    taskStep("%d² + %d = %d + %d = %d, passt", a, a, a * a, a, a * a + a);
    taskStep("x = %d", sol());
}

void task3313()
{
    int a = drawRange(2, 9);
    taskPrintf("\n\n\n\nFür welche natürliche Zahl gilt: Nimmt man das Quadrat\n"
               "der Zahl und subtrahiert die Zahl selbst,\nso erhält man %d.",
               a * a - a);
    sol() = a;
    taskStep("x² - x = %d", a * a - a);
    taskStep("Probieren: %d² - %d = %d - %d = %d, zu klein", a - 1, a - 1, (a - 1) * (a - 1), a - 1,
             (a - 1) * (a - 2));
    taskStep("%d² - %d = %d - %d = %d, passt", a, a, a * a, a, a * a - a);
    taskStep("x = %d", sol());
}

void task3314()
{
    int a = drawRange(1, 5);
    taskPrintf("\n\n\n\nFür welche gerade Zahl gilt: Multipliziert man\n"
               "die Zahl mit ihrer Hälfte,\nso erhält man %d.",
               2 * a * a);
    sol() = 2 * a;
    taskStep("x · x : 2 = %d", 2 * a * a);
    taskStep("x · x = %d · 2 = %d", 2 * a * a, 4 * a * a);
    taskStep("%d · %d = %d", 2 * a, 2 * a, 4 * a * a);
    taskStep("x = %d", sol());
}

// ------------------------------------------------------------ level 5

// Shares compared by cross-multiplying, so equal fractions compare equal.
void task5101()
{
    int a = drawRange(5, 14);
    int b = drawRange(1, 5);
    int c = drawRange(5, 14);
    int d = drawRange(1, 5);
    taskPrintf("\n\n\n\nKarl hat im ersten Versuch mit %d Würfen %d-mal eine Sechs gewürfelt.\n"
               "Im zweiten Versuch hat er mit %d Würfen %d-mal eine Sechs gewürfelt.\n"
               "Bei welchem Versuch war der Anteil der Sechsen größer oder\n"
               "gleich?   1. Versuch  ??  2. Versuch",
               a, b, c, d);
    int left = b * c, right = d * a;
    sol() = left < right ? 1 : left == right ? 2 : 3;
    // Equal numerators or equal denominators compare at a glance; else over
    // the common denominator.
    int common = std::lcm(a, c);
    if (b == d && a != c)
        taskStep("Gleiche Zähler: der kleinere Nenner gibt den größeren Bruch.");
    else if (a == c && b != d)
        taskStep("Gleiche Nenner: der größere Zähler gibt den größeren Bruch.");
    else if (a != c)
        taskStep("Hauptnenner %d: %d/%d = %d/%d; %d/%d = %d/%d", common, b, a, b * (common / a), common, d, c,
                 d * (common / c), common);
    taskStep("%d/%d %s %d/%d", b, a, sol() == 1 ? "<" : sol() == 2 ? "=" : ">", d, c);
    choiceMode = 2;
    optionCount = 3;
}

bool notPrime(int x)
{
    if (x < 2)
        return true;
    for (int d = 2; d * d <= x; ++d)
        if (x % d == 0)
            return true;
    return false;
}

// The smallest divisor shows that x is no prime.
void explainNotPrime(int x)
{
    int d = 2;
    while (x % d != 0)
        ++d;
    taskStep("%d ist durch %d teilbar:", x, d);
    taskStep("%d · %d = %d", d, x / d, x);
}

// 5102: a prime plus one is even, so never a prime; as the one even number
// (or the one ending in 5) among primes it would be found without a
// divisibility test, so two in three are odd products of 3, 7, 11, 13, 19.
// 5103: a product of two of 3, 7, 9, 11.
constexpr int kOddNonPrimes[12] = {0, 9, 21, 0, 33, 39, 0, 49, 57, 0, 77, 91};

void task5102()
{
    int a = drawRange(1, 11);
    taskPrintf("\n\n\n\n Welche der Zahlen ist keine Primzahl? ");
    sol() = a % 3 == 0 ? kPrimes[a] + 1 : kOddNonPrimes[a];
    alsoRight = notPrime;
    explainNotPrime(sol());
}

void task5103()
{
    int a = drawRange(1, 4);
    int b = drawRange(1, 4);
    taskPrintf("\n\n\n\n Welche der Zahlen ist keine Primzahl? ");
    static constexpr int kFactors[5] = {0, 3, 7, 9, 11};
    sol() = kFactors[a] * kFactors[b];
    alsoRight = notPrime;
    explainNotPrime(sol());
}

void task5104()
{
    int m = 5 * drawRange(1, 11);
    taskPrintf("\n\n\n\nDer große Zeiger einer Uhr dreht sich in einer Stunde\num 360 Grad.\n"
               "Um wie viel Grad dreht sich der große Zeiger in %d Minuten?",
               m);
    sol() = 6 * m;
    taskStep("In einer Minute: 360° : 60 = 6°");
    taskStep("In %d Minuten: %d · 6° = %d°", m, m, sol());
}

// Steps alternate +b, -c.
void task5119()
{
    int a = drawRange(1, 3);
    int b = drawRange(2, 4);
    int c = drawRange(2, 7);
    if (c == b)
        c = c + 1;
    taskPrintf(kNextInSequence, a, a + b, a + b - c, a + 2 * b - c, a + 2 * b - 2 * c);
    sol() = a + 3 * b - 2 * c;
    explainAlternating("+ " + std::to_string(b), "- " + std::to_string(c), a + 2 * b - 2 * c,
                       "+ " + std::to_string(b), sol());
}

// Steps alternate *b, -c.
void task5120()
{
    int a = drawRange(1, 3);
    int b = drawRange(2, 5);
    int c = drawRange(1, 4);
    if (c == b)
        b = b + 1;
    int s1 = a;
    int s2 = s1 * b;
    int s3 = s2 - c;
    int s4 = s3 * b;
    int s5 = s4 - c;
    taskPrintf(kNextInSequence, s1, s2, s3, s4, s5);
    sol() = s5 * b;
    explainAlternating("· " + std::to_string(b), "- " + std::to_string(c), s5, "· " + std::to_string(b), sol());
}

void task5121()
{
    int a = drawRange(2, 5);
    taskPrintf(kNextInSequence, kPrimes[a], kPrimes[a + 1], kPrimes[a + 2], kPrimes[a + 3], kPrimes[a + 4]);
    sol() = kPrimes[a + 5];
    explainPrimes(kPrimes[a + 4], true, sol());
}

void task5122()
{
    int a = drawRange(6, 13);
    taskPrintf(kNextInSequence, kPrimes[a], kPrimes[a - 1], kPrimes[a - 2], kPrimes[a - 3], kPrimes[a - 4]);
    sol() = kPrimes[a - 5];
    explainPrimes(kPrimes[a - 4], false, sol());
}

// ------------------------------------------------------------ level 6

void task6301()
{
    int a = drawRange(2, 5);
    int b = drawRange(1, 4);
    taskPrintf("\n\n\n\nDer Umfang eines Rechtecks beträgt %d cm. \n"
               "Zwei Seiten sind je %d cm länger als die anderen.\nWie groß ist der Flächeninhalt? ",
               4 * a + 2 * b, b);
    sol() = a * (a + b);
    taskStep("Seiten x und x + %d: 2x + 2(x + %d) = 4x + %d = %d", b, b, 2 * b, 4 * a + 2 * b);
    taskStep("x = (%d - %d) : 4 = %d", 4 * a + 2 * b, 2 * b, a);
    taskStep("A = %d cm · %d cm = %d cm²", a, a + b, sol());
}

void task6302()
{
    int a = drawRange(2, 5);
    int b = drawRange(1, 3);
    taskPrintf("\n\n\n\nDer Flächeninhalt eines Rechtecks beträgt %d cm². \n"
               "Zwei Seiten sind je %d cm länger als die anderen.\nWie groß ist der Umfang? ",
               a * (a + b), b);
    sol() = 4 * a + 2 * b;
    taskStep("Seiten x und x + %d: x · (x + %d) = %d", b, b, a * (a + b));
    taskStep("x = %d, denn %d · %d = %d", a, a, a + b, a * (a + b));
    taskStep("U = 2 · (%d cm + %d cm) = %d cm", a, a + b, sol());
}

// Angles x, x + d and x - e add up to 180; drawn again until all three
// are at least one degree and the third is really smaller.
void task6303()
{
    int x, d, e;
    do {
        x = 10 * drawRange(1, 10);
        d = 5 * drawRange(0, 9) + 5;
        e = 3 * x + d - 180;
    } while (!(e >= 5 && x + d >= 1 && x - e >= 1));
    taskPrintf("\n\n\n\nIn einem Dreieck ist der zweite Winkel um %d Grad größer \n"
               "und der dritte um %d Grad kleiner als der erste.\nWie groß ist der erste Winkel?",
               d, e);
    sol() = x;
    taskStep("Winkelsumme: x + (x + %d) + (x - %d) = 180", d, e);
    if (d != e)
        taskStep("%s = 180%s", deLinear(3, d - e, "x").c_str(), subtracted(d - e).c_str());
    taskStep("3x = %d%s", 3 * x, applied(':', "3").c_str());
    taskStep("x = %d°", x);
}

// Two factor pairs of the same area; the second length lies near the first
// (c = a always fits, so the second search ends).
void task6304()
{
    int area = 12 * drawRange(1, 20);
    int a, b;
    do {
        a = drawRange(2, 61);
        b = drawRange(2, 61);
    } while (a * b != area);
    int c, d;
    do {
        c = a - 6 + drawRange(0, 11);
        d = drawRange(2, 61);
    } while (c * d != area);
    if (c == a) {
        int t = c;
        c = d;
        d = t;
    }
    taskPrintf("\n\n\n\nEin Rechteck ist %d cm lang und %d cm breit.\n"
               "Ein zweites Rechteck ist %d cm lang. Wie breit muss es sein,\n"
               "wenn es den gleichen Flächeninhalt \nwie das erste Rechteck haben soll? ",
               a, b, c);
    sol() = d;
    taskStep("A = %d cm · %d cm = %d cm²", a, b, area);
    taskStep("Breite: %d cm² : %d cm = %d cm", area, c, sol());
}

void task6305()
{
    int a = drawRange(2, 6);
    int b = drawRange(2, 4);
    taskPrintf("\n\n\n\nKevins Hund bekommt jeden Tag %d Gramm Hundefutter.\nWie viele Tage reicht ein %d-kg-Paket?",
               50 * a, a * b);
    sol() = 20 * b;
    taskStep("%d kg = %d g", a * b, 1000 * a * b);
    taskStep("%d g : %d g = %d, also %d Tage", 1000 * a * b, 50 * a, sol(), sol());
}

// The rest must be a multiple of 3 in the first two variants, or a sixth
// of the class would not be a whole number of pupils.
void task6307()
{
    int v = drawRange(1, 3);
    if (v == 1) {
        int b = 3 * drawRange(1, 2);
        taskPrintf("\n\n\n\nIn der 6b hat ein Sechstel die Note 1, ein Viertel eine 2,\n"
                   "ein Drittel eine 3. Die restlichen %d Schüler haben eine\n"
                   "schlechtere Note. Wie viele Schüler sind in der 6b?  ",
                   b);
        sol() = 4 * b;
        taskStep("1/6 + 1/4 + 1/3 = 2/12 + 3/12 + 4/12 = 9/12");
        taskStep("Rest: 1 - 9/12 = 3/12 = 1/4");
        taskStep("1/4 sind %d Schüler: %d · 4 = %d", b, b, sol());
    } else if (v == 2) {
        int b = 3 * drawRange(3, 5);
        taskPrintf("\n\n\n\nIn der 6b hat ein Sechstel die Note 1 und ein Drittel eine 2. \n"
                   "Die restlichen %d Schüler haben eine\n"
                   "schlechtere Note. Wie viele Schüler sind in der 6b?  ",
                   b);
        sol() = 2 * b;
        taskStep("1/6 + 1/3 = 1/6 + 2/6 = 3/6 = 1/2");
        taskStep("Rest: 1 - 1/2 = 1/2");
        taskStep("1/2 sind %d Schüler: %d · 2 = %d", b, b, sol());
    } else {
        int k = drawRange(1, 3);
        taskPrintf("\n\n\n\nIn der 6b hat ein Achtel die Note 1 und ein Viertel eine 2. \n"
                   "Die restlichen %d Schüler haben eine\n"
                   "schlechtere Note. Wie viele Schüler sind in der 6b?  ",
                   5 * k);
        sol() = 8 * k;
        taskStep("1/8 + 1/4 = 1/8 + 2/8 = 3/8");
        taskStep("Rest: 1 - 3/8 = 5/8 sind %d Schüler", 5 * k);
        taskStep("ein Achtel: %d : 5 = %d", 5 * k, k);
        taskStep("alle: %d · 8 = %d", k, sol());
    }
}

void task6309()
{
    int a = drawRange(-14, 14);
    int b = drawRange(-14, 14);
    taskPrintf("\n\n\n\n Die Summe aus einer Zahl und %d beträgt %d.\n Wie groß ist die Zahl?", a, a + b);
    sol() = b;
    taskStep("x + %s = %d%s", deOperand(a).c_str(), a + b, a ? subtracted(a).c_str() : "");
    taskStep("x = %d", sol());
}

void task6310()
{
    int a = drawRange(-14, 14);
    int b = drawRange(-14, 14);
    taskPrintf("\n\n\n\n Die Differenz aus einer Zahl und %d beträgt %d.\n Wie groß ist die Zahl?", a, b - a);
    sol() = b;
    taskStep("x - %s = %d%s", deOperand(a).c_str(), b - a, a ? subtracted(-a).c_str() : "");
    taskStep("x = %d", sol());
}

// A factor 0 would make every number an answer, so it is shown as 1.
void task6311()
{
    int a = drawRange(-19, 9);
    int b = drawRange(-19, 9);
    if (a == 0)
        a = 1;
    taskPrintf("\n\n\n\n Das Produkt aus einer Zahl und %d beträgt %d.\n Wie groß ist die Zahl?", a, a * b);
    sol() = b;
    taskStep("x · %s = %d%s", deOperand(a).c_str(), a * b, applied(':', deOperand(a)).c_str());
    taskStep("x = %d", sol());
}

void task6312()
{
    int a = drawRange(-4, 4);
    int b = drawRange(-4, 4);
    if (a == 0)
        a = 1;
    if (b == 0)
        b = -1;
    taskPrintf("\n\n\n\n Die Summe zweier Zahlen beträgt %d.\n Wie groß ist ihr Produkt, wenn eine Zahl %d ist?",
               a + b, a);
    sol() = a * b;
    taskStep("andere Zahl: %d - %s = %d", a + b, deOperand(a).c_str(), b);
    taskStep("Produkt: %d · %s = %d", a, deOperand(b).c_str(), sol());
}

// ------------------------------------------------------------ level 7

void task7313()
{
    int k = 10 * drawRange(1, 20);
    int a = drawRange(1, 20);
    taskPrintf("\n\n\n\nFrau Kunz hat ihr Konto um %d Euro überzogen. \nSie hebt nochmals %d Euro ab. \n"
               "Wie hoch ist ihr Kontostand jetzt? ",
               k, 10 * a);
    sol() = -k - 10 * a;
    taskStep("Kontostand vorher: -%d Euro", k);
    taskStep("-%d - %d = %d", k, 10 * a, sol());
}

void task7314()
{
    int k = 10 * drawRange(1, 20);
    int a = drawRange(2, 6);
    taskPrintf("\n\n\n\nHerr Merz hat %d Euro auf dem Konto. \nEr hebt %d Euro ab. \n"
               "Wie hoch ist sein Kontostand jetzt? ",
               k, k * a);
    sol() = k - k * a;
    taskStep("%d - %d = %d", k, k * a, sol());
}

// ------------------------------------------------------------ level 12

// 12301, 12302: b + a x = c x + ((a - c) d + b); a is moved off c so the
// two multiples differ and x = d is the only answer.
void multiplesEqual(int taskNumber)
{
    int a = drawRange(2, 11);
    int b = drawRange(-5, 4);
    int c = drawRange(2, 10);
    int d = drawRange(1, taskNumber == 12301 ? 5 : 8);
    if (b == 0)
        b = 1;
    if (c == a)
        a = a + 1;
    int rest = (a - c) * d + b;
    // The second addend is named before its multiple: "zum 4-fachen der
    // Zahl -1 addiert" would read as 4 · (-1).
    if (taskNumber == 12301)
        taskPrintf("\n\n\n\nAddiert man %d zum %d-fachen einer rationalen Zahl,\n"
                   "so ergibt sich dasselbe, als wenn man %d zum %d-fachen\nder Zahl addiert.\nWelche Zahl ist das?",
                   b, a, rest, c);
    else
        taskPrintf("\n\n\n\nWenn man zu %d das %d-fache einer bestimmten Zahl addiert,\n"
                   "erhält man das Gleiche, als wenn man das %d-fache der Zahl\nzu %d addiert.\nWelche Zahl ist das?",
                   b, a, c, rest);
    sol() = d;
    explainLinear(a, b, c, rest, d);
}

void task12303()
{
    int a = drawRange(20, 59);
    int b = drawRange(1, 19);
    if (b == a)
        a = a + 1;
    taskPrintf("\n\n\n\nZwei Zahlen haben die Summe %d, eine ist um %d größer\nals die andere.\nWie heißt die kleinere Zahl?",
               a + b, a - b);
    sol() = b;
    taskStep("x + (x + %d) = %d", a - b, a + b);
    taskStep("2x + %d = %d%s", a - b, a + b, subtracted(a - b).c_str());
    taskStep("2x = %d%s", 2 * b, applied(':', "2").c_str());
    taskStep("x = %d", sol());
}

void task12304()
{
    int a = drawRange(2, 12);
    int b = drawRange(-6, 5);
    int c = drawRange(1, 9);
    taskPrintf("\n\n\n\nDas Produkt aus %d und der Summe aus einer Zahl und %d ist %d.\nWie heißt die Zahl?", a, b,
               a * (c + b));
    sol() = c;
    const std::string divide = applied(':', std::to_string(a));
    if (b == 0) {
        taskStep("%d · x = %d%s", a, a * c, divide.c_str());
    } else {
        taskStep("%d · (%s) = %d%s", a, plus("x", b).c_str(), a * (c + b), divide.c_str());
        taskStep("%s = %d%s", plus("x", b).c_str(), c + b, subtracted(b).c_str());
    }
    taskStep("x = %d", sol());
}

// The fourth number is drawn and not used.
void task12305()
{
    int a = drawRange(5, 9);
    int b = drawRange(4, 6);
    int c = drawRange(2, 10);
    drawRange(1, 8);
    if (c == a)
        a = a + 1;
    taskPrintf("\n\n\n\nDer Vater ist %d-mal so alt wie seine Tochter.\nIn %d Jahren sind beide zusammen %d Jahre alt.\n"
               "Wie alt ist die Tochter heute?",
               b, c, a * b + a + 2 * c);
    sol() = a;
    taskStep("Tochter x, Vater %dx", b);
    taskStep("In %d Jahren: (x + %d) + (%dx + %d) = %d", c, c, b, c, a * b + a + 2 * c);
    taskStep("%dx + %d = %d%s", b + 1, 2 * c, a * b + a + 2 * c, subtracted(2 * c).c_str());
    taskStep("%dx = %d%s", b + 1, (b + 1) * a, applied(':', std::to_string(b + 1)).c_str());
    taskStep("x = %d", sol());
}

// Sika is a, Nanina a + 1, Rona a + 2.
void task12306()
{
    int a = drawRange(4, 13);
    int v = drawRange(1, 3);
    const char* who = v == 1 ? "Sika" : v == 2 ? "Nanina" : "Rona";
    taskPrintf("\n\n\n\nRona ist ein Jahr älter als Nanina und Sika ist zwei Jahre \n"
               "jünger als Rona. Zusammen sind sie %d Jahre alt. \nWie alt ist %s?",
               3 * a + 3, who);
    sol() = v == 1 ? a : v == 2 ? a + 1 : a + 2;
    explainThreeAges(3 * a + 3, who, sol());
}

// Nanina gets a, Rona a + b, Sika a + b - c.
void task12307()
{
    int a = drawRange(10, 19);
    int b = drawRange(2, 11);
    int c = drawRange(5, 9);
    int v = drawRange(1, 3);
    const char* who = v == 1 ? "Rona" : v == 2 ? "Nanina" : "Sika";
    taskPrintf("\n\n\n\nIn einer Tüte sind %d Gummibärchen. Rona erhält %d \n"
               "Gummibärchen mehr als Nanina und Sika %d weniger als Rona.\nWie viele Gummibärchen erhält %s?",
               3 * a + 2 * b - c, b, c, who);
    sol() = v == 1 ? a + b : v == 2 ? a : a + b - c;
    // Nanina x, Rona x + b, Sika x + b - c.
    int total = 3 * a + 2 * b - c;
    std::string sika = plus("x", b - c);
    taskStep("Nanina x, Rona x + %d, Sika %s", b, sika.c_str());
    taskStep("x + (x + %d) + %s = %s = %d", b, b == c ? "x" : ("(" + sika + ")").c_str(),
             deLinear(3, 2 * b - c, "x").c_str(), total);
    if (c == 2 * b)
        taskStep("Nanina: x = %d : 3 = %d", total, a);
    else
        taskStep("Nanina: x = (%d%s) : 3 = %d", total, signedTerm(c - 2 * b).c_str(), a);
    if (sol() != a)
        taskStep("%s: %d%s = %d", who, a, signedTerm(sol() - a).c_str(), sol());
    else if (v != 2)
        taskStep("%s: %d", who, sol());
}

// Two cyclists ride towards each other at b and 30 - b km/h, so they close
// 30 km per hour: 30c km take c hours, c km take 2c minutes.
void task12308()
{
    int v = drawRange(0, 5);
    int b = drawRange(16, 19);
    int c = drawRange(2, 4);
    static const char* const questions[6] = {
        "Nach wie vielen Stunden treffen sie sich,", "Nach wie viel km trifft Bianca Emma,",
        "Nach wie viel km trifft Emma Bianca,",      "Nach wie vielen Minuten treffen sie sich,",
        "Nach wie viel km trifft Bianca Emma,",      "Nach wie viel km trifft Emma Bianca,"};
    int distance = v < 3 ? 30 * c : c;
    // Four lines, all the terminal shows: Bianca's speed shares Emma's line.
    taskPrintf("\n\n\n\nBianca und Emma wohnen %d km voneinander entfernt. Die ältere\n"
               "Emma fährt %d km/h mit dem Fahrrad, Bianca fährt %d km/h.\n%s"
               "\nwenn sie gleichzeitig von zu Hause losfahren?",
               distance, b, 30 - b, questions[v]);
    // Bianca rides 30 - b km/h, Emma b km/h; the question picks whose way.
    taskStep("Zusammen: %d + %d = 30 km in einer Stunde", b, 30 - b);
    switch (v) {
    case 0:
        sol() = c;
        taskStep("Zeit: %d : 30 = %d h", distance, sol());
        break;
    case 1:
    case 2:
        sol() = v == 1 ? (30 - b) * c : b * c;
        taskStep("Zeit: %d : 30 = %d h", distance, c);
        taskStep("%s: %d · %d = %d km", v == 1 ? "Bianca" : "Emma", v == 1 ? 30 - b : b, c, sol());
        break;
    case 3:
        sol() = 2 * c;
        taskStep("Für 1 km: 60 : 30 = 2 min");
        taskStep("Für %d km: %d · 2 = %d min", distance, distance, sol());
        break;
    default: {
        // A few minutes: the way in km per hour times the minutes over 60.
        decimalSolution[taskIndex] = v == 5 ? b * c / 30.0 : c - b * c / 30.0;
        answerKind = 4;
        decimalPlaces = 3;
        taskStep("Zeit: %d/30 h; %d/30 · 60 min = %d min", distance, distance, 2 * distance);
        taskStep("%s in %d min: %d · %d : 60 = %s km", v == 5 ? "Emma" : "Bianca", 2 * distance, v == 5 ? b : 30 - b,
                 2 * distance, deRounded(decimalSolution[taskIndex], 3).c_str());
        break;
    }
    }
}

// The rocket closes on the plane at 1000b - 100a km/h (12309, from behind)
// or 1000b + 100a km/h (12310, head on).
void rocket(int taskNumber)
{
    bool chase = taskNumber == 12309;
    int a = chase ? drawRange(5, 9) : drawRange(3, 8);
    int b = drawRange(2, 5);
    int c = drawRange(1, 4);
    if (chase) {
        taskPrintf("\n\n\n\nEin Flugzeug fliegt mit einer Geschwindigkeit von %d km/h.\n"
                   "Eine Verfolgungsrakete fliegt mit %d km/h hinterher.\n"
                   "Nach wie vielen Stunden hat die Rakete das %d km \nentfernte Flugzeug eingeholt?",
                   100 * a, 1000 * b, (1000 * b - 100 * a) * c);
        taskStep("Die Rakete holt %d - %d = %d km pro Stunde auf.", 1000 * b, 100 * a, 1000 * b - 100 * a);
    } else {
        taskPrintf("\n\n\n\nEin Flugzeug fliegt mit einer Geschwindigkeit von %d km/h.\n"
                   "Eine Abfangrakete fliegt mit %d km/h entgegen.\n"
                   "Nach wie vielen Stunden hat die Rakete das %d km \nentfernte Flugzeug erreicht?",
                   100 * a, 1000 * b, (1000 * b + 100 * a) * c);
        taskStep("Sie nähern sich %d + %d = %d km pro Stunde.", 1000 * b, 100 * a, 1000 * b + 100 * a);
    }
    int closing = chase ? 1000 * b - 100 * a : 1000 * b + 100 * a;
    sol() = c;
    taskStep("Zeit: %d : %d = %d h", closing * c, closing, sol());
}

void task12311()
{
    int a = drawRange(1, 6);
    int b = drawRange(1, 6);
    taskPrintf("\n\n\n\nDie Vergrößerung eines Fernrohres ist gleich dem Verhältnis\n"
               "aus der Brennweite des Objektivs zur Brennweite des Okulars.\n"
               "Welche Brennweite des Okulars musst du für eine Vergrößerung\n"
               "von %d wählen, wenn die Brennweite des Objektivs %d cm beträgt?",
               50 * a, 10 * a * b);
    decimalSolution[taskIndex] = 0.2 * b;
    answerKind = 5;
    decimalPlaces = 2;
    taskStep("Okular = Objektiv : Vergrößerung");
    taskStep("%d cm : %d = %s cm", 10 * a * b, 50 * a, deDecimal(decimalSolution[taskIndex], 2).c_str());
}

} // namespace

void generateWordTask(int taskNumber)
{
    switch (taskNumber) {
    case 1301: task1301(); break;
    case 1302: task1302(); break;
    case 1303: task1303(); break;
    case 1304: task1304(); break;
    case 1305: task1305(); break;
    case 1306: task1306(); break;
    case 1307: task1307(); break;
    case 1308: task1308(); break;
    case 1309: task1309(); break;
    case 1310: task1310(); break;
    case 1311: task1311(); break;
    case 1312: task1312(); break;
    case 1313: task1313(); break;
    case 1314:
    case 1315:
    case 1316: threeAges(taskNumber); break;
    case 1317: task1317(); break;
    case 3104: romanNumeral(kRoman3104); break;
    case 3105: romanNumeral(kRoman3105); break;
    case 3106: romanNumeral(kRoman3106); break;
    case 3301: task3301(); break;
    case 3302: task3302(); break;
    case 3303: task3303(); break;
    case 3304: task3304(); break;
    case 3305: sumAndProduct(true); break;
    case 3306: sumAndProduct(false); break;
    case 3307: task3307(); break;
    case 3308: task3308(); break;
    case 3309: task3309(); break;
    case 3310: task3310(); break;
    case 3311: task3311(); break;
    case 3312: task3312(); break;
    case 3313: task3313(); break;
    case 3314: task3314(); break;
    case 5101: task5101(); break;
    case 5102: task5102(); break;
    case 5103: task5103(); break;
    case 5104: task5104(); break;
    case 5119: task5119(); break;
    case 5120: task5120(); break;
    case 5121: task5121(); break;
    case 5122: task5122(); break;
    case 6301: task6301(); break;
    case 6302: task6302(); break;
    case 6303: task6303(); break;
    case 6304: task6304(); break;
    case 6305: task6305(); break;
    case 6307: task6307(); break;
    case 6309: task6309(); break;
    case 6310: task6310(); break;
    case 6311: task6311(); break;
    case 6312: task6312(); break;
    case 7313: task7313(); break;
    case 7314: task7314(); break;
    case 12301:
    case 12302: multiplesEqual(taskNumber); break;
    case 12303: task12303(); break;
    case 12304: task12304(); break;
    case 12305: task12305(); break;
    case 12306: task12306(); break;
    case 12307: task12307(); break;
    case 12308: task12308(); break;
    case 12309:
    case 12310: rocket(taskNumber); break;
    case 12311: task12311(); break;
    default: break;
    }
}
