#include "harness.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// A terminal on its own (no window), in the quiz's font, with scroll-back.
std::unique_ptr<aoTerminal> makeTerminal(const char* extra = "")
{
    aofont_loadbuiltins();
    auto t = std::make_unique<aoTerminal>();
    EXPECT_TRUE(t->create("x=0,y=0,xs=244,lines=4,scrollback=1000,font=12x24,nostandardview%s", extra));
    return t;
}

bool inkIn(const aoPixmap& p, int x, int y, int w, int h, int bg)
{
    for (int j = y; j < y + h && j < p.height; ++j)
        for (int i = x; i < x + w && i < p.width; ++i)
            if (aopxmap_getpixel(&p, i, j) != bg) return true;
    return false;
}

void typeKeys(aoTerminal& t, const std::string& keys)
{
    for (unsigned char c : keys) t.onkey(c);
}

} // namespace

TEST(TerminalGeometry, CellsColumnsAndRowsFollowFontAndScrollBar)
{
    HeadlessRun run;
    auto t = makeTerminal();
    EXPECT_EQ(t->cellw, 12);
    EXPECT_EQ(t->cellh, 24);
    EXPECT_EQ(t->visiblerows, 4);
    EXPECT_EQ(t->wh, 4 * 24 + 4);
    // (244 - 4) / 12 = 20 columns, less 16 / 12 + 1 for the scroll bar.
    EXPECT_EQ(t->columns, 18);
    EXPECT_EQ(t->bufferrows, 1000);

    aoTerminal quiz;
    ASSERT_TRUE(quiz.create("x=10,y=56,xs=927,lines=4,scrollback=1000,font=12x24,nostandardview"));
    EXPECT_EQ(quiz.ww, 927);
    EXPECT_EQ(quiz.wh, 100);
    EXPECT_EQ(quiz.columns, (927 - 4) / 12 - 2);
}

TEST(TerminalCharacterRule, RestartPromptWrittenMidRow)
{
    HeadlessRun run;
    auto t = makeTerminal();
    t->write("a\nb\nc\nd\ne\nf\nAntwort: 7");
    ASSERT_EQ(t->cury, 6);
    long fullBefore = t->fullredraws;

    t->write("\n\n neu starten ? \n  ");
    EXPECT_EQ(t->rowtext(6), "Antwort: 7");
    EXPECT_EQ(t->rowtext(7), "");
    EXPECT_EQ(t->rowtext(8), " neu starten ?");
    EXPECT_EQ(t->rowtext(9), "");
    EXPECT_EQ(t->curx, 2);
    EXPECT_EQ(t->cury, 9);
    // The four visible rows are the last four up to the cursor.
    EXPECT_EQ(t->top, 6);
    // The view moved: exactly one full redraw for the whole write.
    EXPECT_EQ(t->fullredraws, fullBefore + 1);
    // "n" of "neu" is drawn in row 8, which is the third visible row.
    EXPECT_TRUE(inkIn(t->pix, 2 + 1 * 12, 2 + 2 * 24, 12, 24, t->bgcolor));
    EXPECT_FALSE(inkIn(t->pix, 2, 2 + 1 * 24, 12 * 18, 24, t->bgcolor)); // row 7 is blank
}

TEST(TerminalCharacterRule, WriteWithoutViewMoveDrawsOnlyChangedCells)
{
    HeadlessRun run;
    auto t = makeTerminal();
    t->write("abc");
    long full = t->fullredraws, cells = t->cellsdrawn;
    t->write("de");
    EXPECT_EQ(t->fullredraws, full);
    EXPECT_EQ(t->cellsdrawn, cells + 2);
}

TEST(TerminalCharacterRule, FullRowContinuesOnNextRowWithoutLineFeed)
{
    HeadlessRun run;
    auto t = makeTerminal();
    std::string row(static_cast<size_t>(t->columns), 'x');
    t->write(row);
    EXPECT_EQ(t->curx, 0);
    EXPECT_EQ(t->cury, 1);
    t->write("Z");
    EXPECT_EQ(t->rowtext(0), row);
    EXPECT_EQ(t->cellchar(0, 1), 'Z');
    EXPECT_EQ(t->curx, 1);
    EXPECT_EQ(t->cury, 1);
}

TEST(TerminalCharacterRule, OldestRowGoesAfterOneThousandRows)
{
    HeadlessRun run;
    auto t = makeTerminal();
    std::string text;
    for (int i = 0; i <= 1000; ++i) text += (i ? "\nrow " : "row ") + std::to_string(i);
    long full = t->fullredraws;
    t->write(text);
    EXPECT_EQ(t->rowtext(0), "row 1");
    EXPECT_EQ(t->rowtext(999), "row 1000");
    EXPECT_EQ(t->cury, 999);
    EXPECT_EQ(t->top, 996);
    EXPECT_EQ(t->fullredraws, full + 1);

    // One more row: the grid moves up again and the view keeps following.
    t->write("\nrow 1001");
    EXPECT_EQ(t->rowtext(0), "row 2");
    EXPECT_EQ(t->rowtext(999), "row 1001");
    EXPECT_EQ(t->top, 996);
}

TEST(TerminalCharacterRule, TabGoesToNextMultipleOfFour)
{
    HeadlessRun run;
    auto t = makeTerminal();
    t->write("abcde\tX");
    EXPECT_EQ(t->cellchar(8, 0), 'X');
    EXPECT_EQ(t->rowtext(0), "abcde   X");
    t->write("\r\n1234\tY"); // at column 4 the tab still moves on by a full stop
    EXPECT_EQ(t->cellchar(8, 1), 'Y');
    EXPECT_EQ(t->rowtext(1), "1234    Y");
}

TEST(TerminalCharacterRule, CarriageReturnAndControlBytes)
{
    HeadlessRun run;
    auto t = makeTerminal();
    t->write("hallo\rH\x01\x02");
    EXPECT_EQ(t->rowtext(0), "Hallo");
    EXPECT_EQ(t->curx, 1);
}

TEST(TerminalCharacterRule, WordBreakMovesWholeWords)
{
    HeadlessRun run;
    aofont_loadbuiltins();
    aoTerminal t;
    ASSERT_TRUE(t.create("x=0,y=0,columns=10,lines=4,font=12x24,wordbreak,nostandardview"));
    ASSERT_EQ(t.columns, 10);
    t.write("abcdefg hij ");
    EXPECT_EQ(t.rowtext(0), "abcdefg");
    EXPECT_EQ(t.rowtext(1), "hij");
    t.write("x-y\nz ");
    EXPECT_EQ(t.rowtext(1), "hij x-y");
    EXPECT_EQ(t.rowtext(2), "z");
    // A word longer than a row starts at column 0 and simply wraps.
    t.clear();
    t.write("Aufgabenauswahl ");
    EXPECT_EQ(t.rowtext(0), "Aufgabenau");
    EXPECT_EQ(t.rowtext(1), "swahl");
}

TEST(TerminalCharacterRule, WithoutScrollBackTheGridScrollsAtTheVisibleRows)
{
    HeadlessRun run;
    aofont_loadbuiltins();
    aoTerminal t;
    ASSERT_TRUE(t.create("x=0,y=0,columns=10,lines=2,font=12x24,nostandardview"));
    t.write("1\n2\n3");
    EXPECT_EQ(t.rowtext(0), "2");
    EXPECT_EQ(t.rowtext(1), "3");
    EXPECT_EQ(t.top, 0);
}

TEST(TerminalEscapes, ColoursClearAndPositionsAreDecoded)
{
    HeadlessRun run;
    auto t = makeTerminal();
    t->write("\x1b[31mR\x1b[0mN");
    EXPECT_EQ(t->rowtext(0), "RN");
    EXPECT_EQ(t->fgindex, 0);
    t->write("\x1b[2;5HQ");
    EXPECT_EQ(t->cellchar(4, 1), 'Q');
    t->write("\x1b[2J");
    EXPECT_EQ(t->rowtext(0), "");
    EXPECT_EQ(t->cury, 0);
    // Shift-out switches to the line-drawing set.
    t->write("\x0eqx\x0fq");
    EXPECT_EQ(t->rowtext(0), "-|q");
}

TEST(TerminalEscapes, DecoderPassesPlainBytesAndSurvivesBrokenSequences)
{
    aoAnsiDecoder d;
    std::string in = "ab\x1b[99999999999999999999999999999999999999999;;;zc\x1b";
    in += '\xF6';
    std::string out;
    for (unsigned char b : in) {
        d.put(b);
        aoAnsiDecoder::Action a;
        while (d.next(a))
            if (a.kind == aoAnsiDecoder::Output) out += static_cast<char>(a.value);
    }
    EXPECT_EQ(out, "abc");
    d.put('x');
    aoAnsiDecoder::Action a;
    ASSERT_TRUE(d.next(a));
    EXPECT_EQ(a.value, 'x');
}

TEST(TerminalReadline, BackspaceTakesBackTheLastCharacter)
{
    HeadlessRun run;
    auto t = makeTerminal();
    t->write("Zahl? ");
    typeKeys(*t, "12\b3\r");
    char buf[256];
    ASSERT_NE(t->readline(buf, sizeof buf), nullptr);
    EXPECT_STREQ(buf, "13");
    EXPECT_EQ(t->rowtext(0), "Zahl? 13");
    EXPECT_EQ(t->cury, 1); // Enter is echoed as a line feed
    EXPECT_EQ(t->curx, 0);
}

TEST(TerminalReadline, BackspaceOnAnEmptyLineDoesNothing)
{
    HeadlessRun run;
    auto t = makeTerminal();
    t->write("> ");
    typeKeys(*t, "\b\bx\n");
    char buf[16];
    ASSERT_NE(t->readline(buf, sizeof buf), nullptr);
    EXPECT_STREQ(buf, "x");
    EXPECT_EQ(t->rowtext(0), "> x");
}

TEST(TerminalReadline, LineStopsAtTheLimit)
{
    HeadlessRun run;
    auto t = makeTerminal();
    typeKeys(*t, "abcdef\r");
    char buf[4];
    ASSERT_NE(t->readline(buf, sizeof buf), nullptr);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(t->rowtext(0), "abc");
}

TEST(TerminalReadline, KeyRingKeepsTheLastThirtyTwoKeys)
{
    HeadlessRun run;
    auto t = makeTerminal();
    std::string keys;
    for (int i = 0; i < 40; ++i) keys += static_cast<char>('A' + i % 26);
    typeKeys(*t, keys + "\r");
    char buf[64];
    ASSERT_NE(t->readline(buf, sizeof buf), nullptr);
    EXPECT_EQ(std::string(buf), keys.substr(9)); // 31 characters and Enter survive
}

TEST(TerminalReadline, ApplicationStoppingReturnsNothing)
{
    HeadlessRun run;
    auto t = makeTerminal();
    typeKeys(*t, "42\r");
    aoquit();
    char buf[16];
    EXPECT_EQ(t->readline(buf, sizeof buf), nullptr);
}

TEST(TerminalReadline, InputIntWaitsForTypedLineThroughTheWindow)
{
    HeadlessRun run("wait 1\ntype 42\nkey Enter\nwait 1\ntype 4\n");
    aofont_loadbuiltins();
    aoWindow win;
    ASSERT_TRUE(win.create("T: ;,x=0,y=0,xs=400,ys=300"));
    aoTerminal t;
    ASSERT_TRUE(t.create("x=0,y=0,lines=4,font=12x24"));
    EXPECT_EQ(aogetstdio(), &t);
    EXPECT_EQ(aoinputint("Wie viele? ", 5), 42);
    EXPECT_EQ(t.rowtext(0), "Wie viele? 42");
    // aoprintf writes into the terminal now.
    aoprintf("\nfertig %d", 3);
    EXPECT_EQ(t.rowtext(2), "fertig 3");
    // The screen shows the terminal: the window picture got its text.
    EXPECT_TRUE(inkIn(win.picture, 2, 2, 12 * 13, 24, t.bgcolor));
    // A line still open when the script is used up is the user closing the
    // window: nothing is read, and the wait ends instead of spinning.
    EXPECT_EQ(aoinputnumber("", 5), std::nullopt);
    EXPECT_FALSE(aoisrunning());
}

TEST(TerminalOutput, TranscriptLogFileAndDump)
{
    HeadlessRun run;
    auto log = std::filesystem::temp_directory_path() / "ziffron_terminal_log.txt";
    std::filesystem::remove(log);
    auto t = makeTerminal((",logfile=" + log.string()).c_str());
    t->write("Lösung: 5\n");
    t->write("Maß");
    // The grid holds Windows-1252; the transcript and the dump are UTF-8.
    EXPECT_EQ(t->cellchar(1, 0), 0xF6);
    EXPECT_NE(run.transcript.find("Lösung: 5"), std::string::npos);
    EXPECT_EQ(t->dump(), "Lösung: 5\nMaß\n");
    std::ifstream in(log, std::ios::binary);
    std::stringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), "L\xF6sung: 5\nMa\xDF");
}

TEST(TerminalOutput, ScrollBarAndWheelMoveTheView)
{
    HeadlessRun run;
    auto t = makeTerminal();
    for (int i = 0; i < 20; ++i) t->write("\nzeile");
    ASSERT_EQ(t->top, 17);
    t->onmouse(12, t->wx + 5, t->wy + 5); // wheel up
    t->onmouse(12, t->wx + 5, t->wy + 5);
    EXPECT_EQ(t->top, 11);
    // A click in the scroll bar below the thumb pages down.
    t->onmouse(1, t->wx + t->ww - 10, t->wy + t->wh - 4);
    t->onmouse(2, t->wx + t->ww - 10, t->wy + t->wh - 4);
    EXPECT_EQ(t->top, 15);
    // Writing brings the cursor row back into view.
    t->write("!");
    EXPECT_EQ(t->top, 17);
}

TEST(TerminalOutput, CursorBlinksEveryQuarterSecond)
{
    HeadlessRun run;
    auto t = makeTerminal(",cursor");
    t->write("ab");
    int x = 2 + 2 * 12 + 6, y = 2 + 12; // middle of the cursor cell
    EXPECT_EQ(aopxmap_getpixel(&t->pix, x, y), t->bgcolor);
    aowait(0.26);
    EXPECT_EQ(aopxmap_getpixel(&t->pix, x, y), t->textcolor);
    aowait(0.25);
    EXPECT_EQ(aopxmap_getpixel(&t->pix, x, y), t->bgcolor);

    // Without the cursor option nothing blinks.
    auto plain = makeTerminal();
    aowait(0.3);
    EXPECT_EQ(aopxmap_getpixel(&plain->pix, 2 + 6, 2 + 12), plain->bgcolor);
}
