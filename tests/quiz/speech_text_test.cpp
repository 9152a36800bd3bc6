// Task texts as a teacher reads them: real texts of every family (catalog,
// seed 7) and one property over all task types.
#include "catalog.h"
#include "catalog_tool.h"
#include "quiz.h"
#include "speech_text.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Spoken {
    const char* shown;
    const char* said;
};

void expectSaid(const std::vector<Spoken>& table)
{
    for (const Spoken& s : table) EXPECT_EQ(spokenTaskText(s.shown), s.said) << s.shown;
}

std::string catalogJson(int task, int seed)
{
    std::ostringstream out, err;
    runCatalogTool({"--task", std::to_string(task), "--seed", std::to_string(seed)}, out, err);
    return out.str();
}

// The JSON string whose opening quote is at json[at], unescaped; at moves past it.
std::string jsonString(const std::string& json, size_t& at)
{
    std::string text;
    size_t i = at + 1;
    for (; i < json.size() && json[i] != '"'; ++i) {
        if (json[i] != '\\') {
            text += json[i];
            continue;
        }
        char e = json[++i];
        text += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
    }
    at = i + 1;
    return text;
}

// The "text" field of ziffron-catalog's JSON.
std::string catalogText(int task, int seed)
{
    const std::string json = catalogJson(task, seed);
    size_t at = json.find("\"text\": \"");
    if (at == std::string::npos) return {};
    at += 8;
    return jsonString(json, at);
}

// The "steps" array: the task's Lösungsweg lines.
std::vector<std::string> catalogSteps(int task, int seed)
{
    const std::string json = catalogJson(task, seed);
    std::vector<std::string> lines;
    size_t at = json.find("\"steps\": [");
    if (at == std::string::npos) return lines;
    const size_t end = json.find(']', at);
    for (at = json.find('"', at + 10); at < end; at = json.find('"', at)) lines.push_back(jsonString(json, at));
    return lines;
}

} // namespace

TEST(SpeechText, Arithmetic)
{
    expectSaid({
        {"\n\n\n\n 22 + 16 + 11 = ??  ", "22 plus 16 plus 11 gleich wie viel"},
        {"\n\n\n\n 25   -   ??  = 8", "25 minus wie viel gleich 8"},
        {"\n\n\n\n 5   *   5  = ??  ", "5 mal 5 gleich wie viel"},
        {"\n\n\n\n 4 · 6 + 4 = ??   ", "4 mal 6 plus 4 gleich wie viel"},
        {"\n\n\n\n Berechne die Potenz:   7² = ?", "Berechne die Potenz, 7 Quadrat gleich wie viel"},
        {"\n\n\n\n Berechne die Potenz:   9³ = ?", "Berechne die Potenz, 9 hoch drei gleich wie viel"},
        {"\n\n\n\n  -42  :  (-6) = ?? ", "minus 42 geteilt durch minus 6 gleich wie viel"},
        {"\n\n\n\n  74  : 2 = ??     ", "74 geteilt durch 2 gleich wie viel"},
        {"\n\n\n\n 262 : 2 = =? ", "262 geteilt durch 2 gleich wie viel"},
        {"\n\n\n\n 5  +  4  +  ? = 11 ", "5 plus 4 plus wie viel gleich 11"},
        {"\n\n\n\n Berechne die Potenz:   5^0 = ?", "Berechne die Potenz, 5 hoch 0 gleich wie viel"},
        {"\n\n\n\n  ( -2.6 )  ??  ( -4.6 ) ", "minus 2,6 wie viel minus 4,6"},
        {"\n\n\n\n  ( -12 )  :  ( -6 ) = ?? ", "minus 12 geteilt durch minus 6 gleich wie viel"},
        {"\n\n\n\n  (-4)*[4(1 + 4)] - (-2 + 4) = ?? ",
         "minus 4 mal Klammer auf 4 Klammer auf 1 plus 4 Klammer zu Klammer zu minus Klammer auf minus 2 plus 4 "
         "Klammer zu gleich wie viel"},
        {"\n\n\n\nStartzahl = -1;\naddiere 6; subtrahiere 1; multipliziere mit 2;\nErgebnis = ?  ",
         "Startzahl gleich minus 1, addiere 6, subtrahiere 1, multipliziere mit 2, Ergebnis gleich wie viel"},
    });
}

TEST(SpeechText, Fractions)
{
    expectSaid({
        {"\n\n\n\n Kürzen:  20/24 = ?/?\n ", "Kürzen, 20 Vierundzwanzigstel gleich wie viel durch wie viel"},
        {"\n\n\n\n Brüche multiplizieren und kürzen:  5/4 * 3/6 = ?/?\n ",
         "Brüche multiplizieren und kürzen, 5 Viertel mal 3 Sechstel gleich wie viel durch wie viel"},
        {"\n\n\n\n Berechne die Platzhalter x und y:  1/7 - x/y = -5/14\n ",
         "Berechne die Platzhalter x und y, ein Siebtel minus x durch y gleich minus 5 Vierzehntel"},
        {"\n\n\n\n x/4 + 4/2 = 5/2\nWie groß muss der Platzhalter x in der Gleichung sein? ",
         "x durch 4 plus 4 Halbe gleich 5 Halbe Wie groß muss der Platzhalter x in der Gleichung sein?"},
        {"\n\n\n\n  Wie viel sind 1/4 von 2/5 Kilometer in Metern ?\n ",
         "Wie viel sind ein Viertel von 2 Fünftel Kilometer in Metern?"},
        {"\n\n\n\n Welchem gekürzten Bruch entspricht diese Dezimalzahl 0.667 ? ",
         "Welchem gekürzten Bruch entspricht diese Dezimalzahl 0,667?"},
        {"\n\n\n\nGib den Bruch 131/25 in Prozent an.", "Gib den Bruch 131 Fünfundzwanzigstel in Prozent an."},
        {"1/2 + 7/1000 + 3/1001", "ein halb plus 7 Tausendstel plus 3 durch 1001"},
    });
    EXPECT_EQ(fractionDenominatorWord(3, true), "Drittel");
    EXPECT_EQ(fractionDenominatorWord(16, true), "Sechzehntel");
    EXPECT_EQ(fractionDenominatorWord(21, true), "Einundzwanzigstel");
    EXPECT_EQ(fractionDenominatorWord(100, true), "Hundertstel");
    EXPECT_EQ(fractionDenominatorWord(107, true), "Hundertsiebtel");
    EXPECT_EQ(fractionDenominatorWord(330, true), "Dreihundertdreißigstel");
    EXPECT_EQ(fractionDenominatorWord(1, true), "");
}

TEST(SpeechText, UnitsAndPercent)
{
    expectSaid({
        {"\n\n\n\n Wandle um in km ;  50000 m 55700 dm 7600 cm ",
         "Wandle um in Kilometer, 50000 Meter 55700 Dezimeter 7600 Zentimeter"},
        {"\n\n\n\n Wandle um in ha ;  5 km^2   5580 a ", "Wandle um in Hektar, 5 Quadratkilometer 5580 Ar"},
        {"\n\n\n\n Wandle um in km²; 300 ha 3500 a", "Wandle um in Quadratkilometer, 300 Hektar 3500 Ar"},
        {"Der Flächeninhalt beträgt 24 cm².", "Der Flächeninhalt beträgt 24 Quadratzentimeter."},
        {"3 · 4 + 2² - 2³", "3 mal 4 plus 2 Quadrat minus 2 hoch drei"},
        {"\n\n\n\n 100 Gramm Käse kosten 1 EUR.\n Wie viel EUR kosten 200 Gramm? ",
         "100 Gramm Käse kosten 1 Euro. Wie viel Euro kosten 200 Gramm?"},
        {"\n\n\n\nWenn aus einem Wassertank 4 l/min herausfließen, \nist der Tank in 8 Minuten geleert.",
         "Wenn aus einem Wassertank 4 Liter pro Minute herausfließen, ist der Tank in 8 Minuten geleert."},
        {"\n\n\n\nWie viel sind 60 Prozent von 500 ?\n (Prozente sind Hundertstel 5% = 5/100)",
         "Wie viel sind 60 Prozent von 500? Prozente sind Hundertstel 5 Prozent gleich 5 Hundertstel"},
        {"\n\n\n\nMeerwasser enthält 3,5 Prozent Salz.\nWie viel kg Meerwasser muss man verdunsten,",
         "Meerwasser enthält 3,5 Prozent Salz. Wie viel Kilogramm Meerwasser muss man verdunsten,"},
    });
}

TEST(SpeechText, WordProblems)
{
    expectSaid({
        {"\n\n\n Auf dem Spielplatz sind 16 Personen,\n davon sind 7 Kinder, 4  sind Mädchen.\n Wie viele Jungen "
         "sind auf dem Spielplatz ? ",
         "Auf dem Spielplatz sind 16 Personen, davon sind 7 Kinder, 4 sind Mädchen. Wie viele Jungen sind auf dem "
         "Spielplatz?"},
        {"\n\n\n Welche Zahl folgt als nächste ? \n Zahlenreihe: 1 , 5 , 0 , 4 , -1 , ? ",
         "Welche Zahl folgt als nächste? Zahlenreihe, 1, 5, 0, 4, minus 1, wie viel"},
        {"\n\n\n\nWelchen Zahlenwert hat diese Römische Ziffer LXX", "Welchen Zahlenwert hat diese Römische Ziffer LXX"},
        {"\n\n\n\nKevins Hund bekommt jeden Tag 300 Gramm Hundefutter. Wie lange reicht ein 24-kg-Paket?  ",
         "Kevins Hund bekommt jeden Tag 300 Gramm Hundefutter. Wie lange reicht ein 24-kg-Paket?"},
        {"\n\n\n\nDer Vater ist 6-mal so alt wie seine Tochter.\nIn 2 Jahren sind beide zusammen 67 Jahre alt.",
         "Der Vater ist 6-mal so alt wie seine Tochter. In 2 Jahren sind beide zusammen 67 Jahre alt."},
        {"Emma fährt 16 km/h mit dem Fahrrad, 30cm", "Emma fährt 16 Kilometer pro Stunde mit dem Fahrrad, 30 Zentimeter"},
    });
}

TEST(SpeechText, TermsAndPowers)
{
    expectSaid({
        {"\n\n\n\n  4x - 5x = -2 ;  x = ??", "4 x minus 5 x gleich minus 2, x gleich wie viel"},
        {"\n\n\n\n Term:   -1 + (x + 1) = ??   wenn x = 6",
         "Term, minus 1 plus Klammer auf x plus 1 Klammer zu gleich wie viel wenn x gleich 6"},
        {"\n\n\n\n2.Binomische Formel \n  (4a - 6b)^2= 16a^2 - ??ab + 36b^2 ",
         "zweite Binomische Formel Klammer auf 4 a minus 6 b Klammer zu Quadrat gleich 16 a Quadrat minus wie viel a b "
         "plus 36 b Quadrat"},
        {"\n\n\n\nGib den Bruchterm für x = 1 an.\n (x^3+3x^2+3x+1)/(x^2+2x+1)",
         "Gib den Bruchterm für x gleich 1 an. Klammer auf x hoch 3 plus 3 x Quadrat plus 3 x plus 1 Klammer zu durch "
         "Klammer auf x Quadrat plus 2 x plus 1 Klammer zu"},
        {"\n\n\n\nLöse die Bruchgleichung.\n 16/2x = 4", "Löse die Bruchgleichung. 16 durch 2 x gleich 4"},
        {"\n\n\n\n f(x) = 0.5x + b ; b = ?", "f von x gleich 0,5 x plus b, b gleich wie viel"},
    });
}

TEST(SpeechText, PictureTasks)
{
    expectSaid({
        {"\n\n\n\nWelche x-Koordinate hat der Punkt A (x?/-8), \nwenn er auf der roten Gerade liegen soll?",
         "Welche x-Koordinate hat der Punkt A x Strich minus 8, wenn er auf der roten Gerade liegen soll?"},
        // Points as the tasks and their Lösungsweg print them now.
        {"\n\n\n\n Welche Koordinaten hat der Punkt A(x|y) des Dreiecks?",
         "Welche Koordinaten hat der Punkt A x Strich y des Dreiecks?"},
        {"A(-10|-6): x = -10, y = -6", "A minus 10 Strich minus 6, x gleich minus 10, y gleich minus 6"},
        {"Blaue Punkte: (-2|-4) und (2|0)", "Blaue Punkte, minus 2 Strich minus 4 und 2 Strich 0"},
        {"(8 | 8)", "8 Strich 8"},
        {"\n\n\n\nWie groß ist Gamma, wenn Alpha 60° und Beta 52°ist?",
         "Wie groß ist Gamma, wenn Alpha 60 Grad und Beta 52 Grad ist?"},
        {"\n\n\n\n Welches Zeichen muss zwischen den Brüchen stehen?\n    <  =  >  ?",
         "Welches Zeichen muss zwischen den Brüchen stehen? kleiner als gleich größer als wie viel"},
        {"\n\n\n\nWie groß ist die Fläche des Sechsecks in Flächeneinheiten ?\nVersuche eine Abschätzung. ",
         "Wie groß ist die Fläche des Sechsecks in Flächeneinheiten? Versuche eine Abschätzung."},
    });
}

TEST(SpeechText, ComparisonsAskForTheSignBetweenTheTwoNumbers)
{
    const char* const ask = ": kleiner, gleich oder größer?";
    EXPECT_EQ(spokenComparison("\n\n\n\n  ( 4 )  ??  ( -3 ) ", ""),
              std::string("Was gehört zwischen 4 und minus 3") + ask);
    EXPECT_EQ(spokenComparison("\n\n\n\n  (  2.6 )  ??  ( -4.6 ) ", ""),
              std::string("Was gehört zwischen 2,6 und minus 4,6") + ask);
    EXPECT_EQ(spokenComparison("\n\n\n\nBei welchem Versuch war der Anteil größer oder\ngleich?   1. Wurf  ??  2. Wurf", ""),
              std::string("Bei welchem Versuch war der Anteil größer oder gleich? Was gehört zwischen Wurf 1 und Wurf 2") +
                  ask);
    EXPECT_EQ(spokenComparison("\n\n\n\n Welches Zeichen muss zwischen den Brüchen stehen?\n    <  =  >  ?", "3/7 ?? 1/9"),
              std::string("Welches Zeichen muss zwischen den Brüchen stehen? Was gehört zwischen 3 Siebtel und ein "
                          "Neuntel") + ask);
    // Nothing to compare found: read as any task.
    EXPECT_EQ(spokenComparison("\n 5 + 3 = ?", ""), "5 plus 3 gleich wie viel");
    EXPECT_EQ(spokenComparison("  ??  ( 4 )", ""), spokenTaskText("  ??  ( 4 )"));
}

TEST(SpeechText, LoesungswegLinesInSchoolNotation)
{
    expectSaid({
        {"A = a · b = 4 cm · 6 cm = 24 cm²",
         "A gleich a mal b gleich 4 Zentimeter mal 6 Zentimeter gleich 24 Quadratzentimeter"},
        {"x² = 2,5³", "x Quadrat gleich 2,5 hoch drei"},
    });
}

TEST(SpeechText, EveryTaskTypeReadsWithoutSymbolsOrLayout)
{
    for (int task : allTaskNumbers()) {
        std::string shown = catalogText(task, 7);
        ASSERT_FALSE(shown.empty()) << task;
        std::string said = spokenTaskText(shown);
        SCOPED_TRACE(std::to_string(task) + ": " + said);
        EXPECT_FALSE(said.empty());
        EXPECT_EQ(said.find_first_of("\n\t+*=^%<>[]()"), std::string::npos);
        EXPECT_EQ(said.find("??"), std::string::npos);
        EXPECT_EQ(said.find("  "), std::string::npos);
        EXPECT_NE(said.front(), ' ');
        EXPECT_NE(said.back(), ' ');
    }
}

// Every type's Lösungsweg read aloud, as after a wrong answer: lines that
// start with a letter that is also a unit ("t = 12 - ln(...)") once crashed.
TEST(SpeechText, EveryLoesungswegReadsWithoutSymbols)
{
    for (int task : allTaskNumbers()) {
        for (int seed : {7, 9}) {
            const std::vector<std::string> lines = catalogSteps(task, seed);
            ASSERT_FALSE(lines.empty()) << task;
            const std::string said = spokenSteps(lines);
            SCOPED_TRACE(std::to_string(task) + " seed " + std::to_string(seed) + ": " + said);
            EXPECT_EQ(said.rfind("Lösungsweg: ", 0), 0u);
            EXPECT_EQ(said.find_first_of("\n\t+*=^<>[]()|"), std::string::npos);
            EXPECT_EQ(said.find("·"), std::string::npos);
            EXPECT_EQ(said.find("  "), std::string::npos);
            EXPECT_EQ(said.find(",."), std::string::npos);
        }
    }
    // An operation after the bar is done to both sides, not subtracted from the right one.
    EXPECT_NE(spokenTaskText("x + 18 = 21   | − 18").find("21, auf beiden Seiten minus 18"), std::string::npos)
        << spokenTaskText("x + 18 = 21   | − 18");
}
