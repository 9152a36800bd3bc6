// Task titles: every type has a short German one, the catalog tool prints the
// same, and generating them leaves the game's state alone.
#include <gtest/gtest.h>

#include <sstream>

#include "catalog.h"
#include "catalog_tool.h"
#include "titles.h"

TEST(Titles, EveryTaskTypeHasAShortTitleWithoutNumbersAndTheCatalogToolListsThem)
{
    std::ostringstream out, err;
    ASSERT_EQ(runCatalogTool({"--list", "--titles"}, out, err), 0) << err.str();
    std::istringstream lines(out.str());
    std::string line;
    for (int n : allTaskNumbers()) {
        const std::string& t = taskTitle(n);
        EXPECT_GE(t.size(), 5u) << n;
        EXPECT_LE(t.size(), 60u) << n << ": " << t;
        EXPECT_EQ(t.find_first_of("0123456789=?()/*+;:"), std::string::npos) << n << ": " << t;
        EXPECT_NE(t.rfind("Aufgabe ", 0), 0u) << n << " has neither words in its text nor a table title";
        EXPECT_EQ(ao_cp1252_to_utf8(ao_utf8_to_cp1252(t)), t) << n << " is UTF-8 that the screen can show";
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, std::to_string(n) + " " + t);
    }
    EXPECT_FALSE(std::getline(lines, line));
    EXPECT_EQ(runCatalogTool({"--titles"}, out, err), 2) << "--titles goes with --list";
    EXPECT_EQ(taskTitle(1106), "");
    EXPECT_EQ(taskTitle(0), "");
}

TEST(Titles, TextGivesItsFirstClauseWithoutNumbersNamesOrWeakEnds)
{
    EXPECT_EQ(titleFromText("\n\n Julian hat 4 Sammelkarten, Jenni hat 2 mehr."), "Julian hat Sammelkarten");
    EXPECT_EQ(titleFromText("\n2.Binomische Formel \n (5a - 5b)^2= ??ab"), "Binomische Formel");
    EXPECT_EQ(titleFromText(" Welche Koordinaten hat der Punkt A (x/y) des Dreiecks ?"),
              "Welche Koordinaten hat der Punkt");
    EXPECT_EQ(titleFromText(" Wandle um in m^2 ;  3 a   98300 cm^2 "), "Wandle um in m²");
    EXPECT_EQ(titleFromText("Meerwasser enthält 3,5 Prozent Salz."), "Meerwasser enthält Prozent Salz");
    EXPECT_EQ(titleFromText("Eine Lupe vergrößert 14fach."), "Eine Lupe vergrößert");
    EXPECT_EQ(titleFromText("  33   -   4  = ??"), "");
    EXPECT_EQ(titleFromText("Term:   1 + (x + 3) = ??   wenn x = 5"), "");
}

TEST(Titles, GeneratingLeavesPrinterRandomStateTargetAndRecordAlone)
{
    std::string printed;
    catalog_setprinter([&printed](const std::string& s) { printed += s; });
    aoPixmap target;
    aographic_settarget(&target);
    aosrand(4711);
    taskIndex = 3;
    taskCount = 5;
    solution[3] = 42;
    answerKind = 2;
    const int afterTitle = [] {
        aosrand(4711);
        return aorand();
    }();
    aosrand(4711);
    (void)taskTitle(8301); // draws a figure
    (void)taskTitle(5205);
    EXPECT_EQ(aorand(), afterTitle);
    EXPECT_EQ(aographic_gettarget(), &target);
    EXPECT_EQ(taskIndex, 3);
    EXPECT_EQ(taskCount, 5);
    EXPECT_EQ(solution[3], 42);
    EXPECT_EQ(answerKind, 2);
    taskPrintf("still mine");
    EXPECT_EQ(printed, "still mine");
    catalog_setprinter(nullptr);
    aographic_settarget(nullptr);
}
