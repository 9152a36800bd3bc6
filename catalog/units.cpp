// Units, percent, interest and proportion: conversions between measures,
// percentages, interest and value-added tax, and rule-of-three problems.
#include "answer_rows.h"
#include "catalog.h"
#include "families.h"

namespace {

// ------------------------------------------------------------ unit conversions

// One shown amount: factor × (lo..hi) + offset.
struct Amount {
    int factor;
    int lo;
    int hi;
    int offset;
};

using ConversionValue = double (*)(const int* v);

struct Conversion {
    int task;
    const char* text;
    int places;
    int count; // amounts shown, 1..3
    Amount amounts[3];
    ConversionValue value;
};

// The first draw of every conversion picks one of ten variants of which only
// the first was ever written, so it changes nothing but the random stream.
const Conversion kConversions[] = {
    {3201, "\n\n\n\n Wandle um in km ;  %d m %d dm %d cm ", 3, 3,
     {{10000, 1, 10, 0}, {100, 0, 999, 0}, {100, 0, 99, 0}},
     [](const int* v) { return v[0] * 0.001 + v[1] * 0.0001 + v[2] * 0.00001; }},
    {3202, "\n\n\n\n Wandle um in m ;  %d km %d dm %d cm ", 2, 3,
     {{1, 1, 9, 0}, {10, 0, 99, 0}, {10, 0, 99, 0}},
     [](const int* v) { return 1000.0 * v[0] + v[1] / 10.0 + v[2] / 100.0; }},
    {3203, "\n\n\n\n Wandle um in m ;  %d dm %d cm %d mm ", 2, 3,
     {{1, 1, 100, 0}, {10, 0, 99, 0}, {10, 0, 99, 0}},
     [](const int* v) { return v[0] / 10.0 + v[1] / 100.0 + v[2] / 1000.0; }},
    {3204, "\n\n\n\n Wandle um in cm ;  %d m %d dm %d mm ", 1, 3,
     {{1, 1, 10, 0}, {1, 1, 100, 0}, {1, 1, 100, 0}},
     [](const int* v) { return 100.0 * v[0] + 10.0 * v[1] + v[2] / 10.0; }},
    {3205, "\n\n\n\n Wandle um in t ;  %d dz %d kg ", 3, 2,
     {{100, 0, 9, 1}, {1, 1, 10000, 0}},
     [](const int* v) { return v[0] / 10.0 + v[1] / 1000.0; }},
    {3206, "\n\n\n\n Wandle um in dz ;  %d t %d kg ", 2, 2,
     {{1, 1, 10, 0}, {1, 1, 1000, 0}},
     [](const int* v) { return 10.0 * v[0] + v[1] / 100.0; }},
    {3207, "\n\n\n\n Wandle um in kg ;  %d t %d dz ", 0, 2,
     {{1, 1, 10, 0}, {1, 1, 100, 0}},
     [](const int* v) { return 1000.0 * v[0] + 100.0 * v[1]; }},
    {3208, "\n\n\n\n Wandle um in kg ;  %d g %d mg ", 3, 2,
     {{1, 1, 10000, 0}, {1000000, 0, 9, 0}},
     [](const int* v) { return v[0] / 1000.0 + v[1] / 1000000.0; }},
    {3209, "\n\n\n\n Wandle um in g ;  %d kg %d mg ", 2, 2,
     {{1, 1, 10, 0}, {100, 0, 99, 0}},
     [](const int* v) { return 1000.0 * v[0] + v[1] / 1000.0; }},
    {3210, "\n\n\n\n Wandle um in l ;  %d hl %d ml ", 2, 2,
     {{1, 1, 10, 0}, {100, 0, 99, 0}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 1000.0; }},
    {3211, "\n\n\n\n Wandle um in hl ;  %d hl %d l ", 2, 2,
     {{1, 1, 10, 0}, {10, 0, 999, 0}},
     [](const int* v) { return v[0] + v[1] / 100.0; }},
    {3212, "\n\n\n\n Wandle um in Jahre ;  %d Monate %d Tage ", 0, 2,
     {{12, 1, 10, 0}, {365, 1, 3, 0}},
     [](const int* v) { return v[0] / 12.0 + v[1] / 365.0; }},
    {3213, "\n\n\n\n Wandle um in Monate ;  %d Jahre ", 0, 1,
     {{1, 1, 10, 0}},
     [](const int* v) { return 12.0 * v[0]; }},
    {3214, "\n\n\n\n Wandle um in Tage ;  %d Jahre %d Tage %d Stunden", 0, 3,
     {{1, 1, 3, 0}, {1, 1, 100, 0}, {24, 1, 5, 0}},
     [](const int* v) { return 365.0 * v[0] + v[1] + v[2] / 24.0; }},
    {3215, "\n\n\n\n Wandle um in Stunden ;  %d Tage %d Stunden ", 0, 2,
     {{1, 1, 5, 0}, {1, 1, 100, 0}},
     [](const int* v) { return 24.0 * v[0] + v[1]; }},
    {3216, "\n\n\n\n Wandle um in Minuten ;  %d Stunden %d Minuten %d Sekunden ", 0, 3,
     {{1, 1, 5, 0}, {1, 1, 100, 0}, {60, 1, 5, 0}},
     [](const int* v) { return 60.0 * v[0] + v[1] + v[2] / 60.0; }},
    {3217, "\n\n\n\n Wandle um in km^2 ;  %d ha %d a ", 2, 2,
     {{100, 1, 5, 0}, {100, 1, 100, 0}},
     [](const int* v) { return v[0] / 100.0 + v[1] / 10000.0; }},
    {3218, "\n\n\n\n Wandle um in ha ;  %d km^2   %d a ", 2, 2,
     {{1, 1, 5, 0}, {10, 1, 1000, 0}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 100.0; }},
    {3219, "\n\n\n\n Wandle um in a ;  %d ha   %d m^2 ", 2, 2,
     {{1, 1, 8, 0}, {10, 1, 1000, 0}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 100.0; }},
    {3220, "\n\n\n\n Wandle um in m^2 ;  %d a   %d cm^2 ", 2, 2,
     {{1, 1, 8, 0}, {100, 1, 1000, 0}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 10000.0; }},
    {3221, "\n\n\n\n Wandle um in dm^2 ;  %d m^2   %d cm^2 ", 2, 2,
     {{1, 1, 8, 0}, {10, 1, 10000, 0}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 100.0; }},
    {3222, "\n\n\n\n Wandle um in cm^2 ;  %d dm^2   %d mm^2 ", 2, 2,
     {{1, 1, 8, 0}, {10, 1, 10000, 0}},
     [](const int* v) { return 100.0 * v[0] + v[1] / 100.0; }},
};

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
        // Surplus arguments are ignored by the formats with fewer amounts.
        taskPrintf(c.text, v[0], v[1], v[2]);
        decimalAnswer(c.value(v), c.places);
        return true;
    }
    return false;
}

// ------------------------------------------------------------ percent

// 5201, 7101
void percentOf(const char* text)
{
    int a = drawRange(1, 19);
    int b = drawRange(1, 5);
    taskPrintf(text, 5 * a, 100 * b);
    sol() = 5 * a * b;
    answerCeiling = 100 * b;
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
}

void task7107()
{
    int a = drawRange(1, 50);
    int b = drawRange(1, 5);
    taskPrintf("\n\n\n\nWie viel sind 100 Prozent, wenn %d Prozent gleich %d sind?", a, a * b);
    sol() = 100 * b;
}

void task7108()
{
    int a = drawRange(4, 8);
    int p = 5 * drawRange(1, 5);
    taskPrintf("\n\n\n\nDer Verkaufspreis eines Computers von %d Euro \nwird um %d Prozent gesenkt. \n"
               "Wie viel kostet der Computer jetzt? ",
               100 * a, p);
    sol() = 100 * a * (100 - p) / 100;
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
    } else {
        taskPrintf("\n\n\n\nDer Verkaufspreis eines Computers wurde um %d Euro gesenkt.\n"
                   "Er kostet jetzt %d Euro. \nUm wie viel Prozent wurde der Computer gesenkt? ",
                   cut, 25 * a - cut);
        sol() = p;
    }
}

void task7111()
{
    int a = drawRange(1, 30);
    taskPrintf("\n\n\n\nMeerwasser enthält 3,5 Prozent Salz.\nWie viel kg Meerwasser muss man verdunsten,\n"
               "um %d Gramm Salz zu erhalten? ",
               35 * a);
    sol() = a;
}

void task7112()
{
    int p = 100 * drawRange(0, 6) + 600;
    int q = 10 * drawRange(1, 3);
    int r = 10 * drawRange(1, 3);
    taskPrintf("\n\n\n\nDer Verkaufspreis von %d Euro eines Computers wird zuerst\n"
               "um %d Prozent und dann noch einmal um %d Prozent gesenkt.\n"
               "Wie viel kostet der Computer jetzt? ",
               p, q, r);
    // Whole hundreds lowered twice by whole tens of percent always give a
    // whole price; worked in integers so that a product like 699.9999 in
    // floating point cannot truncate to one Euro less.
    sol() = p / 100 * (100 - q) * (100 - r) / 100;
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
               "hergestell werden, wenn %d Gramm Butter, %d Gramm Quark\n"
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
        taskPrintf("\n\n\n\nIn einem Sportklub sind %d Mädchen und %d Jungen?\n"
                   "Wie ändert sich der prozentuale Anteil der Mädchen, wenn \n"
                   "%d Mädchen und %d Jungen hinzu kommen?\n(negative Änderungen sind möglich)",
                   a, b, c, d);
        decimalAnswer(100.0 * (a + c) / after - 100.0 * a / before, 2);
    } else {
        taskPrintf("\n\n\n\nIn einem Jugendklub sind %d Mädchen und %d Jungen?\n"
                   "Wie ändert sich der prozentuale Anteil der Jungen, wenn \n"
                   "%d Mädchen und %d Jungen hinzu kommen?\n(negative Änderungen sind möglich)",
                   a, b, c, d);
        decimalAnswer(100.0 * (b + d) / after - 100.0 * b / before, 2);
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
}

void task7202()
{
    int a = drawRange(10, 19);
    int b = drawRange(1, 5);
    taskPrintf("\n\n\n\nWie viel Zinsen erhält Jenni nach einem halben Jahr, \n"
               "wenn sie %d Euro zu einem Zinssatz von %d%% auf \nder Bank angelegt hat?",
               200 * a, b);
    sol() = a * b;
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
}

void task7205()
{
    int a = drawRange(1, 12);
    int b = drawRange(10, 17);
    taskPrintf("\n\n\n\nFrau Koch bekommt nach einem Jahr %d Euro Zinsen von ihrer \n"
               "Bank für ihr Guthaben von %d Euro gutgeschrieben. \nWie hoch war der Zinssatz in Prozent? ",
               a * b, 100 * b);
    sol() = a;
}

void task7206()
{
    int k = 1000 * drawRange(0, 11) + 2000;
    int a = drawRange(2, 5);
    taskPrintf("\n\n\n\nJan hat von seiner Patentante %d Euro geschenkt bekommen.\n"
               "Er legt diesen Betrag bei der Bank mit %d Prozent Zinsen an.\n"
               "Wie viel leistungsloses Taschengeld kann er monatlich von der\n"
               "Bank abholen, wenn das Guthaben bestehen bleiben soll? ",
               k, a);
    decimalAnswer(static_cast<double>(k) * a / 1200, 2);
}

void task7207()
{
    int e = 100 * drawRange(0, 4) + 1000;
    int a = drawRange(5, 8);
    taskPrintf("\n\n\n\nHerr Fuchs möchte ein leistungsfreies monatliches Einkommen\n"
               "von %d Euro erhalten. Welches Grundkapital benötigt er,\n"
               "wenn ihm die Bank %d Prozent Zinsen bietet?",
               e, a);
    decimalAnswer(1200.0 * e / a, 0);
}

void task7208()
{
    int n = 100 * drawRange(0, 9) + 1000;
    int v = drawRange(19, 22);
    taskPrintf("\n\n\n\nEin Fernsehgerät kostet %6.2f EUR im Verkauf. Wie viel EUR\n"
               "an Mehrwertsteuer muss der Händler an den Staat abführen,\n"
               "wenn der Mehrwertsteuersatz %d Prozent beträgt? ",
               n + n * v / 100.0, v);
    decimalAnswer(n * v / 100.0, 2);
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
}

void task5306()
{
    drawRange(4, 7);
    int b = drawRange(1, 4);
    int c = drawRange(2, 6);
    int d = drawRange(2, 6);
    taskPrintf("\n\n\n\n Eine Maschine fertigt in %d Stunden %d Teile\n Wie viel Teile fertigt sie in %d Stunden? ",
               c * d, 100 * b * d, c);
    sol() = 100 * b;
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
                   "Wie viele Tage benötigen für die gleiche Arbeit %d Bagger? ",
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
}

// a trucks need (a - 1)c + b hours; after b hours the a - 1 left carry the
// remaining a(a - 1)c truck-hours in a × c hours.
void task5313()
{
    int a = drawRange(4, 8);
    int b = drawRange(2, 4);
    int c = drawRange(2, 4);
    taskPrintf("\n\n\n\n%d Lastkraftwagen holen den Sand in %d Stunden ab. \nNach %d Stunden fällt ein LKW aus. \n"
               "Wie lange müssen die restlichen Wagen eingesetzt werden, \num den Sand abzutransportieren?",
               a, (a - 1) * c + b, b);
    sol() = (a * a * c - a * c) / (a - 1);
}

} // namespace

void generateUnitsTask(int taskNumber)
{
    if (taskNumber >= 3201 && taskNumber <= 3222) {
        conversionTask(taskNumber);
        return;
    }
    switch (taskNumber) {
    case 5201: percentOf("\n\n\n\nWie viel sind %d Prozent von %d ?\n (Prozente sind Hundertstel 5%% = 5/100)"); break;
    case 7101: percentOf("\n\n\n\nWie viel sind %d Prozent von %d ?"); break;
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
