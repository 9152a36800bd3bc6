// The selection file reader and writer: round trips over random tables, and
// hand-written and hostile files.
#include <gtest/gtest.h>

#include <string>

#include "selection_file.h"

namespace {

struct Table {
    SelectionTable t;
    Table() { applySelectionFile({}, t); }
};

Table read(std::string_view text, std::vector<std::string>* messages = nullptr)
{
    SelectionFile f = parseSelectionFile(text);
    if (messages) *messages = f.messages;
    Table table;
    applySelectionFile(f, table.t);
    return table;
}

// The entries off in one group.
std::vector<int> off(const Table& table, int l, int d)
{
    std::vector<int> out;
    for (int e = 1; e <= catalog_groupsize(l, d); ++e)
        if (table.t[l][d][e] == 0) out.push_back(e);
    return out;
}

bool sameTable(const Table& a, const Table& b)
{
    for (int l = 0; l <= kLevels; ++l)
        for (int d = 0; d <= kDifficulties; ++d)
            for (int e = 0; e <= kSelectionSlots; ++e)
                if (a.t[l][d][e] != b.t[l][d][e]) return false;
    return true;
}

} // namespace

TEST(SelectionFile, RandomTablesSurviveWriteAndRead)
{
    unsigned state = 12345;
    auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
    for (int round = 0; round < 200; ++round) {
        Table table;
        for (int l = 1; l <= kLevels; ++l)
            for (int d = 1; d <= kDifficulties; ++d)
                for (int e = 1; e <= catalog_groupsize(l, d); ++e)
                    if (next() % 4 == 0) table.t[l][d][e] = 0;
        const std::string text = formatSelectionFile(table.t);
        std::vector<std::string> messages;
        EXPECT_TRUE(sameTable(read(text, &messages), table)) << text;
        EXPECT_TRUE(messages.empty()) << messages.front();
    }
    Table all;
    EXPECT_EQ(formatSelectionFile(all.t).find("\nLevel "), std::string::npos) << "nothing off, no group line";
    all.t[5][2][3] = all.t[5][2][7] = all.t[5][2][12] = 0;
    EXPECT_NE(formatSelectionFile(all.t).find("\nLevel 5 Stufe 2 aus: 3 7 12\n"), std::string::npos);
}

TEST(SelectionFile, HandWrittenLinesAreReadLeniently)
{
    // Spacing, case, commas, comments, a byte order mark, CRLF and lone CR
    // line ends, and groups named twice.
    const Table t = read("\xEF\xBB\xBF# Klasse 6b\r\n"
                         "stufe 5  schwierigkeit 2 AUS:3,7 # Platzhalter\r"
                         "\tStufe 5 Schwierigkeit 2 aus : 12 3\n"
                         "Stufe 1 Schwierigkeit 1 aus:\n"
                         "   \n"
                         "Stufe 12 Schwierigkeit 3 aus: 11");
    EXPECT_EQ(off(t, 5, 2), (std::vector<int>{3, 7, 12}));
    EXPECT_EQ(off(t, 1, 1), std::vector<int>{});
    EXPECT_EQ(off(t, 12, 3), std::vector<int>{11});
    EXPECT_EQ(off(t, 5, 1), std::vector<int>{});

    // The main screen's words ("Level 5 Stufe 2") and the earlier file's
    // ("Stufe 5 Schwierigkeit 2") name the same group, also mixed in one file.
    const Table mixed = read("level 5 stufe 2 aus: 4\nStufe 5 Schwierigkeit 2 aus: 9\nLevel 12 Stufe 3 aus: 11\n");
    EXPECT_EQ(off(mixed, 5, 2), (std::vector<int>{4, 9}));
    EXPECT_EQ(off(mixed, 12, 3), std::vector<int>{11});
}

TEST(SelectionFile, FaultsAreNamedByLineAndOnlyTheirLineIsLost)
{
    struct Case {
        std::string line;
        std::string message; // part of the one message, after "Zeile 2: "
        std::vector<int> off5x2;
    };
    const std::string longLine = "Stufe 5 Schwierigkeit 2 aus: " + std::string(5000, ' ') + "4";
    const std::vector<Case> cases = {
        {"Stufe 13 Schwierigkeit 2 aus: 1", "Stufe \"13\" gibt es nicht", {}},
        {"Stufe 0 Schwierigkeit 1 aus: 1", "Stufe \"0\" gibt es nicht", {}},
        {"Stufe 5 Schwierigkeit 4 aus: 1", "Schwierigkeit \"4\" gibt es nicht", {}},
        {"Stufe -5 Schwierigkeit 2 aus: 1", "Stufe \"-5\" gibt es nicht", {}},
        {"Stufe 5 Schwierigkeit 2 aus: 3 x 4", "\"x\" ist keine Aufgabennummer", {}},
        {"Stufe 5 Schwierigkeit 2 aus: 3 -4", "\"-4\" ist keine Aufgabennummer", {}},
        {"Stufe 5 Schwierigkeit 2: 3", "nicht lesbar", {}},
        {"Stufe 5 aus: 3", "nicht lesbar", {}},
        {"Level 5 Schwierigkeit 2 aus: 3", "nicht lesbar", {}},
        {"Stufe 5 Stufe 2 aus: 3", "nicht lesbar", {}},
        {"Level 5 Stufe 4 aus: 1", "Stufe \"4\" gibt es nicht", {}},
        {std::string("Stufe 5 Schwierigkeit 2 aus: 3\0 4", 33), "ist keine Aufgabennummer", {}},
        {"\x01\x02\xFF\xFE binary \x7F", "nicht lesbar", {}},
        {longLine, "zu lang", {}},
        // Entries outside the group are dropped, the rest of the line holds.
        {"Stufe 5 Schwierigkeit 2 aus: 3 18 0", "hat keine Aufgabe 18 (1 bis 17), ignoriert", {3}},
        {"Stufe 5 Schwierigkeit 2 aus: 99999999999999999999999 4", "hat keine Aufgabe 99999999999999999999...", {4}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> messages;
        const Table t = read("Stufe 1 Schwierigkeit 1 aus: 2\n" + c.line + "\nStufe 1 Schwierigkeit 2 aus: 5\n", &messages);
        ASSERT_GE(messages.size(), 1u) << c.line;
        EXPECT_EQ(messages[0].rfind("Zeile 2: ", 0), 0u) << messages[0];
        EXPECT_NE(messages[0].find(c.message), std::string::npos) << messages[0];
        EXPECT_EQ(off(t, 5, 2), c.off5x2) << c.line;
        EXPECT_EQ(off(t, 1, 1), std::vector<int>{2}) << "the line before holds";
        EXPECT_EQ(off(t, 1, 2), std::vector<int>{5}) << "the line after holds";
    }
}

TEST(SelectionFile, MessagesStopAtTheLimitAndCountTheRest)
{
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "Unsinn\r";
    const SelectionFile f = parseSelectionFile(text);
    ASSERT_EQ(f.messages.size(), kSelectionMessageLimit);
    EXPECT_EQ(f.messages[0].rfind("Zeile 1: ", 0), 0u);
    EXPECT_EQ(f.messages[kSelectionMessageLimit - 2].rfind("Zeile 19: ", 0), 0u);
    EXPECT_EQ(f.messages.back(), "... und 981 weitere Meldungen");
}

TEST(SelectionFile, InputLineIsReadWrittenAndOptional)
{
    EXPECT_FALSE(parseSelectionFile("Stufe 5 Schwierigkeit 2 aus: 3\n").input) << "a file from before the line";
    for (const char* text : {"Eingabe: Tippen", "eingabe :tippen\r\n", "EINGABE:TIPPEN # Klasse 6b"}) {
        SelectionFile f = parseSelectionFile(text);
        EXPECT_EQ(f.input, AnswerInput::Typed) << text;
        EXPECT_TRUE(f.messages.empty()) << text;
    }
    for (const char* text : {"Eingabe: Kästchen", "Eingabe: Kaestchen", "Eingabe: K\xE4stchen", "Eingabe: Tippen\nEingabe: kästchen"})
        EXPECT_EQ(parseSelectionFile(text).input, AnswerInput::Squares) << text;
    // Broken lines are named and leave the input unset.
    for (const char* text : {"Eingabe:", "Eingabe: Maus", "Eingabe Tippen", "Eingabe: Tippen Kästchen"}) {
        SelectionFile f = parseSelectionFile(text);
        EXPECT_FALSE(f.input) << text;
        ASSERT_EQ(f.messages.size(), 1u) << text;
        EXPECT_NE(f.messages[0].find("Zeile 1: nicht lesbar, erwartet \"Eingabe: Kästchen\""), std::string::npos);
    }
    Table t;
    t.t[7][3][2] = 0;
    for (AnswerInput input : {AnswerInput::Squares, AnswerInput::Typed}) {
        SelectionFile back = parseSelectionFile(formatSelectionFile(t.t, input));
        EXPECT_EQ(back.input, input);
        EXPECT_TRUE(back.messages.empty());
        EXPECT_TRUE(sameTable(read(formatSelectionFile(t.t, input)), t));
    }
}
