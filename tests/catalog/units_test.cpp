// Expected texts and solutions below were worked out by hand from the task
// descriptions and the generator's sequence (seed 1: 346, 130, 10982, 1090,
// 11656, 7117; seed 2: 692, 32682, 21834; seed 3: 1038, 32467, 32686;
// seed 4: 1385, 32251, 10770; seed 17: 5887, 29448, 20772; seed 54: 18700, 21468).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "catalog_test_util.h"

namespace {

struct WholeExample {
    int task;
    unsigned seed;
    const char* text;
    int solution;
};

const WholeExample kWholeExamples[] = {
    // a = 346 mod 19 + 1 = 5, b = 130 mod 5 + 1 = 1.
    {5201, 1, "\n\n\n\nWie viel sind 25 Prozent von 100?\n (Prozente sind Hundertstel 5% = 5/100)", 25},
    {7101, 1, "\n\n\n\nWie viel sind 25 Prozent von 100?", 25},
    // a = 7, b = 2, c = 3.
    {5202, 1, "\n\n\n\nWie viel sind 30 Prozent, wenn 70 Prozent gleich 140 sind?\n (Prozente sind Hundertstel 5% = 5/100)", 60},
    // a = 3, b = 2, c = 3 = a, raised to 4.
    {7102, 3, "\n\n\n\nWie viel sind 40 Prozent, wenn 30 Prozent gleich 60 sind?", 80},
    // a = 17, p = 12: price 425, cut 51.
    {7109, 1, "\n\n\n\nDer Verkaufspreis eines Computers wurde um 12 Prozent gesenkt.\nEr kostet jetzt 374 Euro. \nWie viel kostete der Computer vor der Preissenkung? ", 425},
    {7110, 1, "\n\n\n\nDer Verkaufspreis eines Computers wurde um 51 Euro gesenkt.\nEr kostet jetzt 374 Euro. \nUm wie viel Prozent wurde der Preis gesenkt? ", 12},
    // p = 900, q = 20, r = 30: 900 * 0.8 * 0.7 = 504 (worked in doubles and
    // truncated it would come out as 503).
    {7112, 1, "\n\n\n\nDer Verkaufspreis eines Computers von 900 Euro wird zuerst\num 20 Prozent und dann noch einmal um 30 Prozent gesenkt.\nWie viel kostet der Computer jetzt? ", 504},
    {7112, 17, "\n\n\n\nDer Verkaufspreis eines Computers von 600 Euro wird zuerst\num 10 Prozent und dann noch einmal um 10 Prozent gesenkt.\nWie viel kostet der Computer jetzt? ", 486},
    // a = 16, b = 1: the percent sign shows as one sign.
    {7201, 1, "\n\n\n\nWie viel Zinsen erhält Kevin nach einem Jahr, \nwenn er 1600 Euro zu einem Zinssatz von 1% auf \nder Bank angelegt hat?", 16},
    // a = 346 mod 10 + 10 = 16, b = 1.
    {7202, 1, "\n\n\n\nWie viel Zinsen erhält Jenni nach einem halben Jahr, \nwenn sie 3200 Euro zu einem Zinssatz von 1% auf \nder Bank angelegt hat?", 16},
    // a = 3, b = 3, e = 11656 mod 5 + 2 = 3.
    {5301, 1, "\n\n\n\n 300 Gramm Käse kosten 3 EUR.\n Wie viel EUR kosten 900 Gramm? ", 9},
    // a = 6, b = 0, c = 4.
    {5304, 1, "\n\n\n\nEin Auto fährt in 6 Stunden 600 km weit.\nWelche Strecke könnte es bei gleicher \nDurchschnittsgeschwindigkeit in 4 Stunden zurücklegen? \n ", 400},
    // b = 3, c = 3, d = 2.
    {5305, 1, "\n\n\n\n 600 Gramm Wurst kosten 6 EUR.\n Wie viel EUR kosten 300 Gramm? \n", 3},
    // b = 4, c = 4, e = 3.
    {5308, 1, "\n\n\n\n Aus einem Tank fließen in 12 Stunden 960 Liter Wasser.\n Wie viel Liter sind das in 4 Stunden? ", 320},
    // a = 3, b = 3, c = 4.
    {5309, 1, "\n\n\n\nWenn 3 Bagger im Einsatz sind, dann können sie eine Baugrube \nin 12 Tagen ausheben.\nWie viele Tage benötigen 4 Bagger für die gleiche Arbeit? ", 9},
    // a = 4, b = 2, c = 4 = a: the first count is raised to 5.
    {5309, 2, "\n\n\n\nWenn 5 Bagger im Einsatz sind, dann können sie eine Baugrube \nin 8 Tagen ausheben.\nWie viele Tage benötigen 4 Bagger für die gleiche Arbeit? ", 10},
    // a = 4, b = 2, c = 2 = b, raised to 3.
    {5311, 2, "\n\n\n\nWenn aus einem Wassertank 12 l/min herausfließen, \nist der Tank in 6 Minuten geleert.\nIn welcher Zeit leert sich der Tank, \nwenn 8 l/min herausfließen? ", 9},
    // a = 5, b = 3, c = 4.
    {5313, 1, "\n\n\n\n5 Lastkraftwagen holen den Sand in 19 Stunden ab. \nNach 3 Stunden fällt ein LKW aus. \nWie lange müssen die restlichen Wagen noch eingesetzt werden, \num den Sand abzutransportieren?", 20},
};

struct DecimalExample {
    int task;
    unsigned seed;
    const char* text;
    double value;
    int places;
};

const DecimalExample kDecimalExamples[] = {
    // variant, m = 10000 * 1, dm = 100 * 982, cm = 100 * 90.
    {3201, 1, "\n\n\n\n Wandle um in km; 10000 m 98200 dm 9000 cm", 19.91, 3},
    // variant, dz = 100 * 0 + 1, kg = 983.
    {3205, 1, "\n\n\n\n Wandle um in t; 1 dz 983 kg", 1.083, 3},
    {3212, 1, "\n\n\n\n Wandle um in Jahre; 12 Monate 1095 Tage", 4, 0},
    {3212, 4, "\n\n\n\n Wandle um in Jahre; 24 Monate 365 Tage", 3, 0},
    // h = 1, min = 83, s = 60: one hour in the singular.
    {3216, 1, "\n\n\n\n Wandle um in Minuten; 1 Stunde 83 Minuten 60 Sekunden", 144, 0},
    // a = 4, b = 6, c = 3: 24 / 3 - 4.
    {7113, 1, "\n\n\n\n4 Liter Salzwasser mit 6 Prozent Salzanteil soll auf Wasser\nmit einem Salzanteil von 3 Prozent verdünnt werden.\nWie viel Liter salzfreies Wasser muss man hinzufügen? ", 4, 3},
    // a = 6, k = 55: 600 / 45.
    {7115, 1, "\n\n\n\nMessing ist eine Legierung aus den Metallen Kupfer und Zink.\nWie viel kg Messing kann man herstellen, wenn man\n6 kg Zink und genügend Kupfer hat und die \nLegierung einen Anteil von 55 Prozent Kupfer haben soll? ", 600.0 / 45, 2},
    // f = 40, q = 35, butter 25 %; 150 g butter, 200 g quark, 1 kg flour: the quark runs out first.
    {7116, 1, "\n\n\n\nEin Teig besteht aus 40 Prozent Mehl, aus 35 Prozent Quark und\naus 25 Prozent Butter. Wie viel kg Teig kann daraus maximal\nhergestellt werden, wenn 150 Gramm Butter, 200 Gramm Quark\nund 1 kg Mehl vorhanden sind? ", 0.2 / 0.35, 3},
    // a = b = 12: the girls are raised to 13; c = 4, d = 4.
    {7117, 1, "\n\n\n\nIn einem Sportklub sind 13 Mädchen und 12 Jungen.\nWie ändert sich der prozentuale Anteil der Mädchen, wenn \n4 Mädchen und 4 Jungen hinzukommen?\n(negative Änderungen sind möglich)", 1700.0 / 33 - 52, 2},
    // a = b = 12: the boys are raised to 13.
    {7118, 1, "\n\n\n\nIn einem Jugendklub sind 12 Mädchen und 13 Jungen.\nWie ändert sich der prozentuale Anteil der Jungen, wenn \n4 Mädchen und 4 Jungen hinzukommen?\n(negative Änderungen sind möglich)", 1700.0 / 33 - 52, 2},
    // k = 12000, a = 4.
    {7206, 1, "\n\n\n\nJan hat von seiner Patentante 12000 Euro geschenkt bekommen.\nEr legt diesen Betrag bei der Bank mit 4 Prozent Zinsen an.\nWie viel Euro Zinsen kann er jeden Monat von der\nBank abholen, wenn das Guthaben bestehen bleiben soll? ", 40, 2},
    // e = 1100, a = 7.
    {7207, 1, "\n\n\n\nHerr Fuchs möchte jeden Monat 1100 Euro Zinsen\nerhalten. Welches Grundkapital benötigt er,\nwenn ihm die Bank 7 Prozent Zinsen bietet?", 1320000.0 / 7, 0},
    // n = 1600, v = 21.
    {7208, 1, "\n\n\n\nEin Fernsehgerät kostet 1936,00 EUR im Verkauf. Wie viel EUR\nan Mehrwertsteuer muss der Händler an den Staat abführen,\nwenn der Mehrwertsteuersatz 21 Prozent beträgt? ", 336, 2},
    // n = 1000, v = 19.
    {7208, 54, "\n\n\n\nEin Fernsehgerät kostet 1190,00 EUR im Verkauf. Wie viel EUR\nan Mehrwertsteuer muss der Händler an den Staat abführen,\nwenn der Mehrwertsteuersatz 19 Prozent beträgt? ", 190, 2},
};

} // namespace

TEST(UnitsTasks, HandWorkedWholeNumberExamples)
{
    for (const WholeExample& e : kWholeExamples) {
        GeneratedTask g = runTask(e.task, e.seed);
        EXPECT_EQ(g.text, e.text) << e.task << " seed " << e.seed;
        EXPECT_EQ(g.solution, e.solution) << e.task << " seed " << e.seed;
        EXPECT_EQ(answerKind, 0) << e.task;
    }
}

TEST(UnitsTasks, HandWorkedDecimalExamples)
{
    for (const DecimalExample& e : kDecimalExamples) {
        GeneratedTask g = runTask(e.task, e.seed);
        EXPECT_EQ(g.text, e.text) << e.task << " seed " << e.seed;
        EXPECT_NEAR(g.decimalSolution, e.value, 1e-9) << e.task << " seed " << e.seed;
        EXPECT_EQ(answerKind, 4) << e.task;
        EXPECT_EQ(decimalPlaces, e.places) << e.task;
    }
}

TEST(UnitsTasks, WholeNumberTasksKeepTheDecimalPlacesOfTheGame)
{
    for (int task : {5201, 5313, 7112, 7205}) {
        resetRecord();
        decimalPlaces = 3; // left by an earlier decimal task
        aosrand(1);
        generateTask(task);
        EXPECT_EQ(decimalPlaces, 3) << task;
        EXPECT_EQ(answerKind, 0) << task;
    }
}

TEST(UnitsTasks, SameSeedSameTask)
{
    for (int task : {3201, 5202, 7116, 5313}) {
        GeneratedTask a = runTask(task, 99);
        GeneratedTask b = runTask(task, 99);
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.solution, b.solution);
        EXPECT_EQ(a.decimalSolution, b.decimalSolution);
    }
}

// ------------------------------------------------------------------ properties

namespace {

// Unsigned integers and decimals with a comma, in printed order.
std::vector<double> numbersIn(const std::string& text)
{
    std::vector<double> out;
    for (size_t i = 0; i < text.size();) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        size_t end = i + 1;
        while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                     (text[end] == ',' && end + 1 < text.size() &&
                                      std::isdigit(static_cast<unsigned char>(text[end + 1])))))
            ++end;
        std::string number = text.substr(i, end - i);
        std::replace(number.begin(), number.end(), ',', '.');
        out.push_back(std::stod(number));
        i = end;
    }
    return out;
}

// Size of each unit in a base unit of its kind; the kinds never meet in one task.
const std::map<std::string, double>& unitSizes()
{
    static const std::map<std::string, double> sizes = {
        {"km", 1000}, {"m", 1}, {"dm", 0.1}, {"cm", 0.01}, {"mm", 0.001},
        {"t", 1000}, {"dz", 100}, {"kg", 1}, {"g", 0.001}, {"mg", 1e-6},
        {"hl", 100}, {"l", 1}, {"ml", 0.001},
        {"Jahre", 365}, {"Monate", 365.0 / 12}, {"Tage", 1}, {"Stunden", 1.0 / 24},
        {"Minuten", 1.0 / 1440}, {"Sekunden", 1.0 / 86400},
        {"Jahr", 365}, {"Tag", 1}, {"Stunde", 1.0 / 24}, {"Minute", 1.0 / 1440},
        {"km²", 1e6}, {"ha", 1e4}, {"a", 100}, {"m²", 1}, {"dm²", 0.01}, {"cm²", 1e-4}, {"mm²", 1e-6},
    };
    return sizes;
}

// Reads "Wandle um in <unit>; <n> <unit> <n> <unit> ..." and converts; a
// unit is in the singular exactly when its amount is 1.
std::string checkConversion(const std::string& text, double value)
{
    const std::string lead = "\n\n\n\n Wandle um in ";
    if (text.rfind(lead, 0) != 0)
        return "not a conversion text";
    std::istringstream in(text.substr(lead.size()));
    std::string targetUnit;
    in >> targetUnit;
    if (targetUnit.empty() || targetUnit.back() != ';')
        return "no ';' after the target unit";
    targetUnit.pop_back();
    if (!unitSizes().count(targetUnit))
        return "unknown target unit " + targetUnit;
    double total = 0;
    int amounts = 0;
    for (long long n; in >> n;) {
        std::string unit;
        in >> unit;
        if (!unitSizes().count(unit))
            return "unknown unit " + unit;
        static const std::map<std::string, std::string> singular = {
            {"Jahre", "Jahr"}, {"Monate", "Monat"}, {"Tage", "Tag"}, {"Stunden", "Stunde"}, {"Minuten", "Minute"}};
        for (const auto& [many, one] : singular)
            if ((n == 1 && unit == many) || (n != 1 && unit == one))
                return "number of " + unit + " does not agree with " + std::to_string(n);
        total += n * unitSizes().at(unit);
        ++amounts;
    }
    if (amounts == 0)
        return "no amounts";
    double expected = total / unitSizes().at(targetUnit);
    if (std::fabs(expected - value) > 1e-9 * std::max(1.0, std::fabs(expected)))
        return "converts to " + std::to_string(expected) + ", stored " + std::to_string(value);
    return "";
}

using Numbers = const std::vector<double>&;
using Check = std::function<std::string(Numbers n, const GeneratedTask& g)>;

struct Property {
    size_t count; // numbers in the text
    int places;   // -1: a whole-number answer
    Check check;
};

std::string whole(bool ok) { return ok ? "" : "solution does not solve the text"; }

std::string near(double stored, double expected, double tolerance = 1e-9)
{
    if (std::fabs(stored - expected) <= tolerance * std::max(1.0, std::fabs(expected)))
        return "";
    return "stored " + std::to_string(stored) + ", text gives " + std::to_string(expected);
}

std::map<int, Property> properties()
{
    std::map<int, Property> p;
    const int places[] = {3, 2, 2, 1, 3, 2, 0, 3, 2, 2, 2, 0, 0, 0, 0, 0, 2, 2, 2, 2, 2, 2};
    for (int t = 3201; t <= 3222; ++t) {
        size_t count = t == 3213 ? 1 : t <= 3204 || t == 3214 || t == 3216 ? 3 : 2;
        p[t] = {count, places[t - 3201], nullptr};
    }
    // The pupil's answer: sol × given = shown × shown, all whole.
    auto ratio = [](int num1, int num2, int den) {
        return [=](Numbers n, const GeneratedTask& g) {
            return whole(static_cast<long long>(g.solution) * static_cast<long long>(n[den]) ==
                         static_cast<long long>(n[num1]) * static_cast<long long>(n[num2]));
        };
    };
    // A percent of a base: sol × 100 = base × rate.
    auto percentOf = [](Numbers n, const GeneratedTask& g) {
        return whole(g.solution * 100LL == static_cast<long long>(n[0] * n[1]));
    };
    auto percentFromShare = [](Numbers n, const GeneratedTask& g) {
        if (n[0] == n[1])
            return std::string("asked share equals given share");
        return whole(g.solution * static_cast<long long>(n[1]) == static_cast<long long>(n[0] * n[2]));
    };
    p[5201] = {5, -1, percentOf};
    p[7101] = {2, -1, percentOf};
    p[5202] = {6, -1, percentFromShare};
    p[7102] = {3, -1, percentFromShare};
    p[7107] = {3, -1, [](Numbers n, auto g) { return whole(g.solution * n[1] == 100 * n[2]); }};
    p[7108] = {2, -1, [](Numbers n, auto g) { return whole(g.solution * 100.0 == n[0] * (100 - n[1])); }};
    p[7109] = {2, -1, [](Numbers n, auto g) { return whole(g.solution * (100 - n[0]) == n[1] * 100); }};
    p[7110] = {2, -1, [](Numbers n, auto g) { return whole(g.solution * (n[0] + n[1]) == n[0] * 100); }};
    p[7111] = {2, -1, [](Numbers n, auto g) { return whole(g.solution * 1000 * n[0] / 100 == n[1]); }};
    p[7112] = {3, -1, [](Numbers n, auto g) {
                   return whole(g.solution * 10000.0 == n[0] * (100 - n[1]) * (100 - n[2]));
               }};
    p[7113] = {3, 3, [](Numbers n, auto g) { return near((n[0] + g.decimalSolution) * n[2], n[0] * n[1]); }};
    p[7114] = {3, 2, [](Numbers n, auto g) {
                   return near(g.decimalSolution, n[0] * (100 + n[1]) * (100 + n[2]) / 10000);
               }};
    p[7115] = {2, 2, [](Numbers n, auto g) { return near(g.decimalSolution * (100 - n[1]) / 100, n[0]); }};
    p[7116] = {6, 3, [](Numbers n, auto g) -> std::string {
                   if (n[0] + n[1] + n[2] != 100)
                       return "shares do not add up to 100";
                   double butterKg = n[3] / 1000, quarkKg = n[4] / 1000, flourKg = n[5];
                   double dough = std::min({butterKg * 100 / n[2], quarkKg * 100 / n[1], flourKg * 100 / n[0]});
                   return near(g.decimalSolution, dough);
               }};
    p[7117] = {4, 2, [](Numbers n, auto g) -> std::string {
                   if (n[0] == n[1])
                       return "as many girls as boys";
                   double all = n[0] + n[1] + n[2] + n[3];
                   return near(g.decimalSolution, 100 * (n[0] + n[2]) / all - 100 * n[0] / (n[0] + n[1]));
               }};
    p[7118] = {4, 2, [](Numbers n, auto g) -> std::string {
                   if (n[0] == n[1])
                       return "as many girls as boys";
                   double all = n[0] + n[1] + n[2] + n[3];
                   return near(g.decimalSolution, 100 * (n[1] + n[3]) / all - 100 * n[1] / (n[0] + n[1]));
               }};
    auto interest = [](double periodsPerYear) {
        return [=](Numbers n, const GeneratedTask& g) {
            return whole(g.solution * 100.0 * periodsPerYear == n[0] * n[1]);
        };
    };
    p[7201] = {2, -1, interest(1)};
    p[7202] = {2, -1, interest(2)};
    p[7203] = {2, -1, interest(2)};
    p[7204] = {2, -1, interest(12)};
    p[7205] = {2, -1, [](Numbers n, auto g) { return whole(g.solution * n[1] == n[0] * 100); }};
    p[7206] = {2, 2, [](Numbers n, auto g) { return near(g.decimalSolution, n[0] * n[1] / 1200); }};
    p[7207] = {2, 0, [](Numbers n, auto g) { return near(g.decimalSolution * n[1] / 1200, n[0]); }};
    // The printed gross price carries the tax at the given rate.
    p[7208] = {2, 2, [](Numbers n, auto g) { return near(g.decimalSolution, n[0] * n[1] / (100 + n[1]), 1e-6); }};
    for (int t : {5301, 5302, 5303, 5307})
        p[t] = {3, -1, ratio(1, 2, 0)};
    p[5304] = {3, -1, [ratio](Numbers n, auto g) {
                   return n[0] == n[2] ? std::string("same hours twice") : ratio(1, 2, 0)(n, g);
               }};
    p[5305] = {3, -1, ratio(1, 2, 0)};
    p[5306] = {3, -1, ratio(1, 2, 0)};
    p[5308] = {3, -1, ratio(1, 2, 0)};
    // Inverse: sol × third = first × second, the two situations different.
    auto inverse = [ratio](Numbers n, const GeneratedTask& g) {
        return n[0] == n[2] ? std::string("same count twice") : ratio(0, 1, 2)(n, g);
    };
    for (int t : {5309, 5310, 5311, 5312})
        p[t] = {3, -1, inverse};
    p[5313] = {3, -1, [](Numbers n, auto g) {
                   // All trucks for the first hours, one fewer for the rest.
                   return whole(n[0] * n[2] + (n[0] - 1) * g.solution == n[0] * n[1]);
               }};
    return p;
}

} // namespace

TEST(UnitsTasks, EveryTypeHasAProperty)
{
    std::map<int, Property> p = properties();
    int units = 0;
    for (int n : allTaskNumbers())
        if (taskFamily(n) == TaskFamily::Units) {
            ++units;
            EXPECT_EQ(p.count(n), 1u) << n;
        }
    EXPECT_EQ(units, 59);
    EXPECT_EQ(p.size(), 59u);
}

TEST(UnitsTasks, SolutionsFollowFromThePrintedNumbers)
{
    std::map<int, Property> p = properties();
    for (auto& [task, property] : p) {
        int failures = 0;
        for (unsigned seed = 1; seed <= 2000 && failures < 3; ++seed) {
            GeneratedTask g = runTask(task, seed * 7919u);
            auto fail = [&](const std::string& why) {
                ADD_FAILURE() << task << " seed " << seed * 7919u << ": " << why << " in " << g.text;
                ++failures;
            };
            ASSERT_EQ(g.text.rfind("\n\n\n\n", 0), 0u) << task << ": " << g.text;
            ASSERT_GT(g.text.size(), 8u) << task;
            ASSERT_FALSE(has(g.text, "nan") || has(g.text, "inf")) << task;
            bool decimal = property.places >= 0;
            if (answerKind != (decimal ? 4 : 0) || (decimal && decimalPlaces != property.places)) {
                fail("answerKind " + std::to_string(answerKind) + ", places " + std::to_string(decimalPlaces));
                continue;
            }
            if (decimal && !std::isfinite(g.decimalSolution)) {
                fail("solution not finite");
                continue;
            }
            std::vector<double> n = numbersIn(g.text);
            if (n.size() != property.count) {
                fail(std::to_string(n.size()) + " numbers");
                continue;
            }
            std::string problem = property.check ? property.check(n, g) : checkConversion(g.text, g.decimalSolution);
            if (!problem.empty()) {
                fail(problem);
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

// A conversion's answer is exact at the places its squares show.
TEST(UnitsTasks, ConversionsAreExactAtTheirPlaces)
{
    for (int task = 3201; task <= 3222; ++task)
        for (unsigned seed = 1; seed <= 300; ++seed) {
            GeneratedTask g = runTask(task, seed * 104729u);
            double scaled = g.decimalSolution * std::pow(10.0, decimalPlaces);
            ASSERT_NEAR(scaled, std::round(scaled), 1e-6) << task << ": " << g.text;
        }
}

TEST(UnitsTasks, PercentSignsPrintOnce)
{
    for (int task : {5201, 5202, 7201, 7202}) {
        for (unsigned seed = 1; seed <= 50; ++seed) {
            GeneratedTask g = runTask(task, seed);
            EXPECT_FALSE(has(g.text, "%%")) << g.text;
            size_t sign = g.text.find('%');
            ASSERT_NE(sign, std::string::npos) << g.text;
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(g.text[sign - 1]))) << g.text;
        }
    }
}

// Lösungsweg of a few tasks, each line checked by hand against the task text.
TEST(UnitsTasks, WorkedSolutionsReadAsWorkedByHand)
{
    const StepsExample golden[] = {
        // 98200 dm = 9820 m, 9000 cm = 90 m; three places as the squares show, with the unit.
        {3201, 1, {"10000 m = 10 km; 98200 dm = 9,82 km; 9000 cm = 0,09 km", "10 + 9,82 + 0,09 = 19,910 km"}},
        // The minutes are already minutes; one hour and one minute in the singular.
        {3216, 1, {"1 Stunde = 60 Minuten; 60 Sekunden = 1 Minute", "60 + 83 + 1 = 144 Minuten"}},
        {5202, 1, {"10 % sind 140 : 7 = 20", "30 % sind 3 · 20 = 60"}},
        {7109, 1, {"100 % − 12 % = 88 % sind 374 Euro", "Preis vorher: 374 : 88 · 100 = 425 Euro"}},
        // The 80 % and 70 % that are left are derived before they are used.
        {7112, 1, {"Es bleiben 100 % − 20 % = 80 %, dann 100 % − 30 % = 70 %.", "900 · 80 : 100 = 720 Euro",
                   "720 · 70 : 100 = 504 Euro"}},
        // 0,1 l salt are 3 % of 3,33... l: the third is carried cut off and rounded once.
        {7113, 9, {"Salz: 5 % von 2 l = 2 · 5 : 100 = 0,1 l", "Neue Menge: 0,1 l sind 3 %; 0,1 : 3 · 100 = 3,3333... l",
                   "Wasser dazu: 3,3333... l − 2 l ≈ 1,333 l"}},
        // 1936 / 1,21 = 1600 net.
        {7208, 1, {"1936 EUR sind 100 % + 21 % = 121 %", "Ohne Steuer: 1936 : 121 · 100 = 1600 EUR",
                   "Steuer: 1600 · 21 : 100 = 336,00 EUR"}},
        // 17/33 = 0,51515...: the change is -0,4848... and shows as -0,48.
        {7117, 1, {"Vorher: 13 : 25 · 100 = 52 %", "Nachher: 17 : 33 · 100 = 51,5151... %",
                   "Änderung: 51,5151... % − 52 % ≈ −0,48 %"}},
        // 13/27 - 8/18 = 0,037037...: both shares cut off.
        {7118, 2, {"Vorher: 8 : 18 · 100 = 44,4444... %", "Nachher: 13 : 27 · 100 = 48,1481... %",
                   "Änderung: 48,1481... % − 44,4444... % ≈ 3,70 %"}},
        {7206, 2, {"Für ein Jahr: 10000 · 4 : 100 = 400 Euro", "Für einen Monat: 400 : 12 = 33,3333... ≈ 33,33 Euro"}},
        // Rule of three with units and what each number is.
        {5301, 1, {"900 g sind 3-mal so viel wie 300 g: 900 : 300 = 3", "Preis: 3 · 3 EUR = 9 EUR"}},
        {5309, 1, {"Arbeit: 3 · 12 = 36 Baggertage", "4 Bagger: 36 : 4 = 9 Tage"}},
        // 5 trucks for 3 hours leave 80 truck-hours for 4 trucks.
        {5313, 1, {"Arbeit: 5 · 19 = 95 LKW-Stunden", "Nach 3 Stunden bleiben 95 − 5 · 3 = 80 LKW-Stunden.",
                   "4 LKW: 80 : 4 = 20 Stunden"}},
    };
    expectSteps(golden);
}

// A change of a share is worked from the printed shares: every value the
// printed figures stand for ("51,5151..." for any value from 51,5151 up to
// 51,5152) must round to the printed result, as a pupil recomputing the
// line would get it.
TEST(UnitsTasks, ShareChangeFollowsFromThePrintedShares)
{
    const std::regex number("(-?\\d+(?:,\\d+)?)(\\.\\.\\.)?");
    const auto value = [](const std::smatch& m) {
        std::string digits = m[1];
        std::replace(digits.begin(), digits.end(), ',', '.');
        return std::stod(digits);
    };
    // Half away from zero; the tolerance absorbs the floating error of a
    // printed half such as 51,515 - 52 = -0,485.
    const auto round2 = [](double v) { return std::copysign(std::floor(std::fabs(v) * 100 + 0.5 + 1e-8), v) / 100; };
    for (int task : {7117, 7118})
        for (unsigned seed = 1; seed <= 200; ++seed) {
            runTask(task, seed);
            std::string line = taskSteps[taskIndex].back();
            for (size_t at; (at = line.find("−")) != std::string::npos;)
                line.replace(at, std::string("−").size(), "-");
            std::vector<double> shown, cut;
            for (std::sregex_iterator m(line.begin(), line.end(), number), end; m != end; ++m) {
                const std::string digits = (*m)[1];
                const size_t comma = digits.find(',');
                const int places = comma == std::string::npos ? 0 : static_cast<int>(digits.size() - comma - 1);
                shown.push_back(value(*m));
                cut.push_back((*m)[2].matched ? std::pow(10.0, -places) : 0);
            }
            ASSERT_EQ(shown.size(), 3u) << line;
            // after - before over every value the figures stand for; an open
            // end of the range is taken a hair inside.
            const double least = shown[0] - (shown[1] + cut[1]) + (cut[1] ? 1e-9 : 0);
            const double most = shown[0] + cut[0] - shown[1] - (cut[0] ? 1e-9 : 0);
            EXPECT_EQ(round2(least), shown[2]) << task << " seed " << seed << ": " << line;
            EXPECT_EQ(round2(most), shown[2]) << task << " seed " << seed << ": " << line;
        }
}

// A measured result is read with its unit: the last line of the Lösungsweg
// names it after the number ("= 19,910 km", "= 9 EUR").
TEST(UnitsTasks, MeasuredResultsEndInTheirUnit)
{
    std::vector<int> tasks;
    for (int t = 3201; t <= 3222; ++t) tasks.push_back(t);
    for (int t = 5301; t <= 5313; ++t) tasks.push_back(t);
    for (int t = 7108; t <= 7116; ++t) tasks.push_back(t);
    for (int t = 7201; t <= 7208; ++t) tasks.push_back(t);
    for (int task : tasks)
        for (unsigned seed = 1; seed <= 20; ++seed) {
            runTask(task, seed);
            const std::string& last = taskSteps[taskIndex].back();
            const std::string unit = last.substr(last.find_last_of("0123456789") + 1);
            EXPECT_TRUE(unit.size() > 1 && unit != ".") << task << " seed " << seed << ": " << last;
        }
}
