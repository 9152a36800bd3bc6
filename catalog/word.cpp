// Word problems and number puzzles: stories about ages, cards, sweets,
// classes, accounts and travellers, think-of-a-number puzzles, Roman
// numerals, digit sums, palindromes, divisibility, primes and sequences.
// Every story is built backwards: the sought number is drawn first and the
// given numbers are computed from it, so every answer comes out whole.
#include <algorithm>
#include <string>

#include "answer_rows.h"
#include "catalog.h"
#include "families.h"

namespace {

constexpr int kPrimes[24] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37,
                             41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89};

const char* const kNextInSequence =
    "\n\n\n Welche Zahl folgt als nächste ? \n Zahlenreihe: %d , %d , %d , %d , %d , ? ";

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

template <size_t N> void romanNumeral(const Numeral (&list)[N])
{
    const Numeral& n = list[drawRange(1, static_cast<int>(N)) - 1];
    taskPrintf("\n\n\n\nWelchen Zahlenwert hat diese Römische Ziffer %s", n.text);
    sol() = n.value;
}

// ------------------------------------------------------------ level 1

void task1301()
{
    int a = drawRange(3, 7);
    int b = drawRange(2, 6);
    taskPrintf("\n\n\n Julian hat %d Sammelkarten, Jenni hat %d Sammelkarten mehr.\n"
               " Wie viele Sammelkarten haben beide zusammen ? ",
               a, b);
    sol() = 2 * a + b;
}

void task1302()
{
    int a = drawRange(3, 5);
    int b = drawRange(5, 7);
    int c = drawRange(3, 6);
    int d = drawRange(2, 4);
    taskPrintf("\n\n\n Maximilian hatte %d gelbe, %d rote und\n %d blaue Farbstifte.\n"
               " Er verschenkt %d rote Farbstifte\n Wie viele Farbstifte hat er insgesamt noch ? ",
               a, b, c, d);
    sol() = a + b + c - d;
}

void task1303()
{
    int a = drawRange(9, 11);
    int b = drawRange(3, 6);
    int c = drawRange(3, 6);
    taskPrintf("\n\n\n Auf dem Spielplatz sind %d Personen,\n davon sind %d Kinder, %d  sind Mädchen.\n"
               " Wie viele Jungen sind auf dem Spielplatz ? ",
               a + b + c, b + c, c);
    sol() = b;
}

void task1304()
{
    int a = drawRange(9, 18);
    int b = drawRange(2, 5);
    taskPrintf("\n\n\n Martin hat %d Spielkarten,\n Julia hat %d Karten weniger.\n"
               " Wie viele Spielkarten hat Julia ? ",
               a, b);
    sol() = a - b;
}

void task1305()
{
    int a = drawRange(2, 6);
    int b = drawRange(2, 4);
    int c = drawRange(3, 5);
    taskPrintf("\n\n\n Mike denkt sich eine Zahl aus.\n Wenn er diese Zahl mit %d multipliziert\n"
               " und dann %d dazuzählt hat er %d .\n Welche Zahl hat er sich ausgedacht ? ",
               b, c, a * b + c);
    sol() = a;
}

void task1306()
{
    int a = drawRange(4, 10);
    int b = drawRange(2, 4);
    int c = drawRange(2, 5);
    taskPrintf("\n\n\n Michelle denkt sich eine Zahl aus.\n Wenn sie %d davon wegnimmt\n"
               " und dann mit %d multipliziert, erhält sie %d .\n Welche Zahl hat sie sich ausgedacht ? ",
               b, c, (a - b) * c);
    sol() = a;
}

void task1307()
{
    int a = drawRange(2, 4);
    int k = drawRange(2, 5);
    taskPrintf("\n\n\n Stefan hat noch zwei Geschwister, Luca und Mona.\n"
               " Mona ist %d Jahre alt, Luca ist doppelt so alt.\n"
               " Alle zusammen sind %d Jahre alt. \n Wie alt ist Stefan ? ",
               a, 3 * a + (2 * a + k));
    sol() = 2 * a + k;
}

void task1308()
{
    int a = drawRange(2, 4);
    int b = drawRange(2, 5);
    taskPrintf("\n\n\n Mathias und Andreas haben zusammen %d Sammelkarten.\n"
               " Andreas hat %d mal so viele wie Mathias.\n Wie viele Sammelkarten hat Andreas ? ",
               a * b + a, b);
    sol() = a * b;
}

void task1309()
{
    int a = drawRange(3, 7);
    int b = drawRange(3, 7);
    int c = drawRange(3, 7);
    int d = drawRange(3, 7);
    taskPrintf("\n\n\n An der Bushaltestelle stehen %d Personen.\n"
               " Es sind %d Frauen, %d Männer und %d Mädchen.\n"
               " Wie viele Jungen stehen an der Haltestelle ? ",
               a + b + c + d, a, b, c);
    sol() = d;
}

void task1310()
{
    int a = drawRange(1, 3);
    int b = drawRange(2, 6);
    taskPrintf("\n\n\n Pascal hat doppelt so viele Bonbons wie Rebecca.\n"
               " Mona hat %d mal mehr Bonbons als Rebecca.\n Alle zusammen haben %d Bonbons.\n"
               " Wie viele Bonbons hat Mona ? ",
               b, a * b + 3 * a);
    sol() = a * b;
}

void task1311()
{
    int a = drawRange(2, 10);
    taskPrintf("\n\n\n\nEine Mutter hat %d Bonbons, die teilt sie auf ihre\n"
               "drei Kinder auf. Das älteste bekommt die Hälfte.\n"
               "Die beiden jüngeren bekommen jeweils vom Rest die\n"
               "Hälfte. Wieviele Bonbons bekommt das jüngste Kind ? ",
               4 * a);
    sol() = a;
}

void task1312()
{
    int a = drawRange(1, 6);
    int b = drawRange(1, 6);
    int c = drawRange(1, 6);
    taskPrintf("\n\n\n Leoni würfelt mit drei Würfeln.\n Der erste zeigt %d , der zweite %d Punkte.\n"
               " Das Produkt aller drei Würfe ist %d.\n Wie viel Punkte zeigt der dritte Würfel ? ",
               a, b, a * b * c);
    sol() = c;
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
}

// 1314 to 1316: Sika is a, Nanina a + 1, Rona a + 2.
void threeAges(int taskNumber)
{
    int a = drawRange(5, 11);
    const char* question = taskNumber == 1314 ? "Rona" : taskNumber == 1315 ? "Sika" : "Nanina";
    taskPrintf("\n\n\n\nRona ist ein Jahr älter als Nanina und Nanina ist\nein Jahr älter als Sika.\n"
               "Alle zusammen sind %d Jahre alt.\nWie alt ist %s?",
               3 * a + 3, question);
    sol() = taskNumber == 1314 ? a + 2 : taskNumber == 1315 ? a : a + 1;
}

void task1317()
{
    int a = drawRange(2, 18);
    int b = drawRange(0, 4);
    taskPrintf("\n\n\n\nSamuel denkt sich eine Zahl aus. Wenn er diese Zahl\nmit %d multipliziert und dann die\n"
               "ausgedachte Zahl subtrahiert, so erhält er %d.\nWelche Zahl hat er sich ausgedacht? ",
               a, (a - 1) * b);
    sol() = b;
}

// ------------------------------------------------------------ level 3

void task3301()
{
    int a = drawRange(6, 10);
    int b = drawRange(4, 7);
    taskPrintf("\n\n\n\n Vater und Sohn sind zusammen %d Jahre alt.\n Der Vater ist %dmal älter als der Sohn.\n"
               " Wie alt ist der Sohn ? ",
               a * b + a, b);
    sol() = a;
}

void task3302()
{
    int a = drawRange(1, 10);
    int b = drawRange(1, 5);
    taskPrintf("\n\n\n\n Eine Lupe vergrößert %dfach.\n Ein Käfer erscheint unter der Lupe %d mm groß.\n"
               " Wie viel mm ist er in Wirklichkeit groß?",
               2 * a, 2 * a * b);
    sol() = b;
}

void task3303()
{
    int a = drawRange(6, 10);
    int b = drawRange(1, 4);
    taskPrintf("\n\n\n\n Die Summe zweier Zahlen ist %d.\n Ihre Differenz ist %d.\n"
               " Welche Zahl ist die größere der beiden?",
               a + b, a - b);
    sol() = a;
}

void task3304()
{
    int a = drawRange(6, 9);
    int b = drawRange(1, 4);
    taskPrintf("\n\n\n\n Die Summe zweier Zahlen ist %d.\n Ihre Differenz ist %d \n"
               " Welche Zahl ist die kleinere der beiden?",
               a + b, a - b);
    sol() = b;
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
}

void task3307()
{
    int a = drawRange(4, 8);
    taskPrintf("\n\n\n\n%d Gäste einer Geburtstagsparty stoßen mit einem Glas an.\n"
               "Jeder stößt mit jedem in der Runde an.\nWie oft erklingen die Gläser?",
               a);
    sol() = a * (a - 1) / 2;
}

void task3308()
{
    int a = drawRange(1, 9);
    int b = drawRange(0, 9);
    int c = drawRange(0, 9);
    int d = drawRange(1, 9);
    taskPrintf("\n\n\n\n Wie lautet die Quersumme der Zahl %d%d%d%d ?", a, b, c, d);
    sol() = a + b + c + d;
}

// The palindrome is shown among the answer squares only.
void task3309()
{
    int a = drawRange(1, 9);
    int b = drawRange(0, 9);
    int c = drawRange(0, 9);
    taskPrintf("\n\n\n\n Welche der Zahlen ist ein Zahlenpalindrom ?\n"
               " (Palindrome lesen sich von vorn und hinten gleich)");
    sol() = 10001 * a + 1010 * b + 100 * c;
    alsoRight = [](int x) {
        std::string digits = std::to_string(x);
        return std::equal(digits.begin(), digits.end(), digits.rbegin());
    };
}

void task3310()
{
    int a = drawRange(11, 15);
    int b = drawRange(1, 3);
    taskPrintf("\n\n\n\n Welche der Zahlen lässt sich durch %d teilen ?", a);
    sol() = a * b;
    alsoRight = [a](int x) { return x % a == 0; };
}

void task3311()
{
    int a = drawRange(1, 10);
    taskPrintf("\n\n\n\n Welche Zahl folgt in dieser Reihe ?:\n %d  %d  %d  %d ?", kPrimes[a + 1], kPrimes[a + 2],
               kPrimes[a + 3], kPrimes[a + 4]);
    sol() = kPrimes[a + 5];
}

void task3312()
{
    int a = drawRange(2, 9);
    taskPrintf("\n\n\n\nFür welche natürliche Zahl gilt: Nimmt man das Quadrat\n"
               "der Zahl und addiert die Zahl selbst hinzu,\nso ist die Summe gleich %d.",
               a * a + a);
    sol() = a;
}

void task3313()
{
    int a = drawRange(2, 9);
    taskPrintf("\n\n\n\nFür welche natürliche Zahl gilt: Nimmt man das Quadrat\n"
               "der Zahl und subtrahiert die Zahl selbst,\nso erhält man %d.",
               a * a - a);
    sol() = a;
}

void task3314()
{
    int a = drawRange(1, 5);
    taskPrintf("\n\n\n\nFür welche gerade Zahl gilt: Multipliziert man\n"
               "die Zahl mit ihrer Hälfte,\nso erhält man %d.",
               2 * a * a);
    sol() = 2 * a;
}

// ------------------------------------------------------------ level 5

// Shares compared by cross-multiplying, so equal fractions compare equal.
void task5101()
{
    int a = drawRange(5, 14);
    int b = drawRange(1, 5);
    int c = drawRange(5, 14);
    int d = drawRange(1, 5);
    taskPrintf("\n\n\n\nKarl hat im ersten Wurf mit %d Würfen %d mal eine Sechs gewürfelt."
               "Im zweiten Versuch hat er mit %d Würfen %d Sechsen.\n"
               "Bei welchem Versuch war der Anteil der Sechsen größer oder\n"
               "gleich?   1. Wurf  ??  2. Wurf",
               a, b, c, d);
    int left = b * c, right = d * a;
    sol() = left < right ? 1 : left == right ? 2 : 3;
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
}

void task5103()
{
    int a = drawRange(1, 4);
    int b = drawRange(1, 4);
    taskPrintf("\n\n\n\n Welche der Zahlen ist keine Primzahl? ");
    static constexpr int kFactors[5] = {0, 3, 7, 9, 11};
    sol() = kFactors[a] * kFactors[b];
    alsoRight = notPrime;
}

void task5104()
{
    int m = 5 * drawRange(1, 11);
    taskPrintf("\n\n\n\nDer große Zeiger einer Uhr dreht sich in einer Stunde\num 360 Grad.\n"
               "Um wie viel Grad dreht sich der große Zeiger in %d Minuten ?   ",
               m);
    sol() = 6 * m;
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
}

void task5121()
{
    int a = drawRange(2, 5);
    taskPrintf(kNextInSequence, kPrimes[a], kPrimes[a + 1], kPrimes[a + 2], kPrimes[a + 3], kPrimes[a + 4]);
    sol() = kPrimes[a + 5];
}

void task5122()
{
    int a = drawRange(6, 13);
    taskPrintf(kNextInSequence, kPrimes[a], kPrimes[a - 1], kPrimes[a - 2], kPrimes[a - 3], kPrimes[a - 4]);
    sol() = kPrimes[a - 5];
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
}

void task6302()
{
    int a = drawRange(2, 5);
    int b = drawRange(1, 3);
    taskPrintf("\n\n\n\nDer Flächeninhalt eines Rechtecks beträgt %d qcm. \n"
               "Zwei Seiten sind je %d cm länger als die anderen.\nWie groß ist der Umfang? ",
               a * (a + b), b);
    sol() = 4 * a + 2 * b;
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
               "und der dritte um %d Grad kleiner als der erste.\nWie Groß ist der erste Winkel? ",
               d, e);
    sol() = x;
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
}

void task6305()
{
    int a = drawRange(2, 6);
    int b = drawRange(2, 4);
    taskPrintf("\n\n\n\nKevins Hund bekommt jeden Tag %d Gramm Hundefutter. Wie lange reicht ein %d-kg-Paket?  ",
               50 * a, a * b);
    sol() = 20 * b;
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
    } else if (v == 2) {
        int b = 3 * drawRange(3, 5);
        taskPrintf("\n\n\n\nIn der 6b hat ein Sechstel die Note 1 und ein Drittel eine 2. \n"
                   "Die restlichen %d Schüler haben eine\n"
                   "schlechtere Note. Wie viele Schüler sind in der 6b?  ",
                   b);
        sol() = 2 * b;
    } else {
        int k = drawRange(1, 3);
        taskPrintf("\n\n\n\nIn der 6b hat ein Achtel die Note 1 und ein Viertel eine 2. \n"
                   "Die restlichen %d Schüler haben eine\n"
                   "schlechtere Note. Wie viele Schüler sind in der 6b?  ",
                   5 * k);
        sol() = 8 * k;
    }
}

void task6309()
{
    int a = drawRange(-14, 14);
    int b = drawRange(-14, 14);
    taskPrintf("\n\n\n\n Die Summe aus einer Zahl und %d beträgt %d.\n Wie groß ist die Zahl? ", a, a + b);
    sol() = b;
}

void task6310()
{
    int a = drawRange(-14, 14);
    int b = drawRange(-14, 14);
    taskPrintf("\n\n\n\n Die Differenz aus einer Zahl und %d beträgt %d.\n Wie groß ist die Zahl? ", a, b - a);
    sol() = b;
}

// A factor 0 would make every number an answer, so it is shown as 1.
void task6311()
{
    int a = drawRange(-19, 9);
    int b = drawRange(-19, 9);
    if (a == 0)
        a = 1;
    taskPrintf("\n\n\n\n Das Produkt aus einer Zahl und %d beträgt %d.\n Wie groß ist die Zahl? ", a, a * b);
    sol() = b;
}

void task6312()
{
    int a = drawRange(-4, 4);
    int b = drawRange(-4, 4);
    if (a == 0)
        a = 1;
    if (b == 0)
        b = -1;
    taskPrintf("\n\n\n\n Die Summe zweier Zahlen beträgt %d.\n Wie groß ist ihr Produkt, wenn eine Zahl %d ist? ",
               a + b, a);
    sol() = a * b;
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
}

void task7314()
{
    int k = 10 * drawRange(1, 20);
    int a = drawRange(2, 6);
    taskPrintf("\n\n\n\nHerr Merz hat %d Euro auf dem Konto. \nEr hebt %d Euro ab. \n"
               "Wie hoch ist sein Kontostand jetzt? ",
               k, k * a);
    sol() = k - k * a;
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
    if (taskNumber == 12301)
        taskPrintf("\n\n\n\nAddiert man %d zum %d-fachen einer rationalen Zahl,\n"
                   "so ergibt sich dasselbe, als wenn man zum %d-fachen\nder Zahl %d addiert.\nWelche Zahl ist das?",
                   b, a, c, rest);
    else
        taskPrintf("\n\n\n\nWenn man zu %d das %d-fache einer bestimmten Zahl addiert,\n"
                   "erhält man das gleiche, als wenn man das %d-fache der Zahl\nzu %d addiert.\nWelche Zahl ist das?",
                   b, a, c, rest);
    sol() = d;
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
}

void task12304()
{
    int a = drawRange(2, 12);
    int b = drawRange(-6, 5);
    int c = drawRange(1, 9);
    taskPrintf("\n\n\n\nDas Produkt aus %d und der Summe aus einer Zahl und %d ist %d.\nWie heißt die Zahl?", a, b,
               a * (c + b));
    sol() = c;
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
               "Gummibärchen mehr als Nanina und Sika %d weniger als Rona.\nWie viel Gummibärchen erhält %s?",
               3 * a + 2 * b - c, b, c, who);
    sol() = v == 1 ? a + b : v == 2 ? a : a + b - c;
}

// Two cyclists ride towards each other at b and 30 - b km/h, so they close
// 30 km per hour: 30c km take c hours, c km take 2c minutes.
void task12308()
{
    int v = drawRange(0, 5);
    int b = drawRange(16, 19);
    int c = drawRange(2, 4);
    static const char* const questions[6] = {
        "Nach wie viel Stunden treffen sie sich,", "Nach wie viel km trifft Bianka Emma,",
        "Nach wie viel km trifft Emma Bianca,",    "Nach wie viel Minuten treffen sie sich,",
        "Nach wie viel km trifft Bianka Emma,",    "Nach wie viel km trifft Emma Bianca,"};
    int distance = v < 3 ? 30 * c : c;
    // Four lines, all the terminal shows: Bianca's speed shares Emma's line.
    taskPrintf("\n\n\n\nBianca und Emma wohnen %d km voneinander entfernt. Die ältere\n"
               "Emma fährt %d km/h mit dem %s, Bianca fährt %d km/h.\n%s"
               "\nwenn sie gleichzeitig von zu Hause losfahren?",
               distance, b, v < 3 ? "Fahrrad" : "Bike", 30 - b, questions[v]);
    switch (v) {
    case 0: sol() = c; break;
    case 1: sol() = (30 - b) * c; break;
    case 2: sol() = b * c; break;
    case 3: sol() = 2 * c; break;
    default:
        decimalSolution[taskIndex] = v == 5 ? b * c / 30.0 : c - b * c / 30.0;
        answerKind = 4;
        decimalPlaces = 3;
        break;
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
    if (chase)
        taskPrintf("\n\n\n\nEin Flugzeug fliegt mit einer Geschwindigkeit von %d km/h.\n"
                   "Eine Verfolgungsrakete fliegt mit %d km/h hinterher.\n"
                   "Nach wie viel Stunden hat die Rakete das %d km \nentfernte Flugzeug eingeholt?",
                   100 * a, 1000 * b, (1000 * b - 100 * a) * c);
    else
        taskPrintf("\n\n\n\nEin Flugzeug fliegt mit einer Geschwindigkeit von %d km/h.\n"
                   "Eine Abfangrakete fliegt mit %d km/h entgegen.\n"
                   "Nach wie viel Stunden hat die Rakete das %d km \nentfernte Flugzeug erreicht?",
                   100 * a, 1000 * b, (1000 * b + 100 * a) * c);
    sol() = c;
}

void task12311()
{
    int a = drawRange(1, 6);
    int b = drawRange(1, 6);
    taskPrintf("\n\n\n\nDie Vergrößerung eines Fernrohres ist gleich dem Verhältnis\n"
               "aus der Brennweite des Objektivs zur Brennweite des Okulars.\n"
               "Welche Brennweite des Okulars musst du für eine Vergrößerung\n"
               "von %3.0f wählen, wenn die Brennweite des Objektivs %3.0fcm beträgt?",
               50.0 * a, 10.0 * a * b);
    decimalSolution[taskIndex] = 0.2 * b;
    answerKind = 5;
    decimalPlaces = 2;
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
