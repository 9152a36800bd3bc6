#include "harness.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr int kBackground = 0xE0E0E0;

// A 1320 x 920 window like the quiz's, on the headless backend.
class Layout : public ::testing::Test {
protected:
    Layout()
    {
        aofont_loadbuiltins();
        aofont_loadarial();
        EXPECT_TRUE(win.create("Test: ;,x=0,y=0,xs=1320,ys=920,bgcolor=e0e0e0"));
        font = aofont_find("Arial16");
    }
    int w(const char* text) const { return aofont_textwidth(font, text); }
    int sp() const { return w(" "); }
    bool ink(int x, int y, int ww, int hh) const
    {
        for (int j = y; j < y + hh; ++j)
            for (int i = x; i < x + ww; ++i)
                if (aopxmap_getpixel(&win.picture, i, j) != kBackground) return true;
        return false;
    }

    HeadlessRun run;
    aoWindow win;
    int font = -1;
};

void expectRect(const aoWidget* wdg, int x, int y, int w, int h, const char* name)
{
    ASSERT_NE(wdg, nullptr) << name;
    EXPECT_EQ(wdg->wx, x) << name;
    EXPECT_EQ(wdg->wy, y) << name;
    EXPECT_EQ(wdg->ww, w) << name;
    EXPECT_EQ(wdg->wh, h) << name;
}

const char* kMainScreen =
    " Level: <updowncontrol=udStufe,min=1,max=12,start=1,xs=35> Stufe: "
    "<updowncontrol=udSchwierigkeit,min=1,max=3,start=1,xs=30> Anzahl Aufgaben: "
    "<updowncontrol=udAnzahlAufgaben,min=1,max= 24,start=12,xs=40>  <button=btEdit,Aufgabenauswahl?,xs=130>   "
    "<button=btStart,START,xs=70> <button=btEnde,ENDE,xs=70> <save=y1>   <button=btton,TON,xs=50>              "
    "<button=btparam,OPTIONEN,xs=90>\n\n\n <x=10><terminal=term,xs=927,lines=4,scrollback=1000,font=12x24>"
    "<restore=y1>\n\n\n\n\n\n\n\n<x=950> Klasse:                 Note: ";

} // namespace

TEST_F(Layout, MainScreenBuildsItsNineWidgetsWhereTheRulesPlaceThem)
{
    ASSERT_GE(font, 0);
    aoGUIScript script;
    // Pen starts at (10, 10); eight line feeds below the saved y of 10 leave it at 138.
    EXPECT_EQ(script.create("%s", kMainScreen), 10 + 8 * 16);

    int h = 16 + 8; // Arial16 height + 8 for spinners and buttons
    int x = 10 + sp() + w("Level:") + sp();
    expectRect(script.getwidget("udStufe"), x, 6, 35, h, "udStufe");
    x += 35 + sp() + w("Stufe:") + sp();
    expectRect(script.getwidget("udSchwierigkeit"), x, 6, 30, h, "udSchwierigkeit");
    x += 30 + sp() + w("Anzahl") + sp() + w("Aufgaben:") + sp();
    expectRect(script.getwidget("udAnzahlAufgaben"), x, 6, 40, h, "udAnzahlAufgaben");
    x += 40 + 2 * sp();
    expectRect(script.getwidget("btEdit"), x, 8, 130, h, "btEdit");
    x += 130 + 3 * sp();
    expectRect(script.getwidget("btStart"), x, 8, 70, h, "btStart");
    x += 70 + sp();
    expectRect(script.getwidget("btEnde"), x, 8, 70, h, "btEnde");
    x += 70 + sp() + 3 * sp();
    expectRect(script.getwidget("btton"), x, 8, 50, h, "btton");
    x += 50 + 14 * sp();
    expectRect(script.getwidget("btparam"), x, 8, 90, h, "btparam");
    // Three line feeds of 16 pixels, then the terminal 2 above the pen.
    expectRect(script.getwidget("term"), 10, 10 + 3 * 16 - 2, 927, 4 * 24 + 4, "term");

    int widgets = 0;
    for (const auto& e : script.table)
        if (e.used && e.widget) ++widgets;
    EXPECT_EQ(widgets, 9);
    EXPECT_EQ(script.getvalue("udStufe"), 1);
    EXPECT_EQ(script.getvalue("udSchwierigkeit"), 1);
    EXPECT_EQ(script.getvalue("udAnzahlAufgaben"), 12);
    EXPECT_EQ(script.getvalue("y1"), 10);
    // "Klasse:" stands at x = 950 one space in, on the line at y = 138.
    EXPECT_TRUE(ink(950 + sp(), 138, w("Klasse:"), 16));
    EXPECT_FALSE(ink(950 + sp(), 138 + 16, 200, 16));
    EXPECT_TRUE(ink(10 + sp(), 10, w("Level:"), 16));
}

TEST_F(Layout, SpinnerMaximumWithSpaceAndStepRounding)
{
    aoGUIScript script;
    script.create("<updowncontrol=ud,min=1,max= 24,start=99>"
                  "<updowncontrol=st,min=-10,max=10,step=3,start=8>"
                  "<updowncontrol=dg,min=0,max=500,digits=3,start=7>"
                  "<updowncontrol=dc,min=0,max=100,decimal=1,start=5>");
    EXPECT_EQ(script.getvalue("ud"), 24);
    EXPECT_TRUE(script.setvalue("ud", -5));
    EXPECT_EQ(script.getvalue("ud"), 1);
    // Rounded toward zero to a multiple of the step.
    EXPECT_EQ(script.getvalue("st"), 6);
    script.setvalue("st", -8);
    EXPECT_EQ(script.getvalue("st"), -6);
    auto* dg = dynamic_cast<aoUpDownControl*>(script.getwidget("dg"));
    ASSERT_NE(dg, nullptr);
    EXPECT_EQ(dg->text(), "007");
    auto* dc = dynamic_cast<aoUpDownControl*>(script.getwidget("dc"));
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->text(), "0.5");
    EXPECT_EQ(script.getvalue("dc"), 0); // the field's text, truncated
    // Default width: widest value + font height + 8.
    EXPECT_EQ(dg->ww, w("500") + 16 + 8);
    EXPECT_FALSE(script.setvalue("nothing", 3));
}

TEST_F(Layout, SpinnerArrowsAndTypedValue)
{
    aoGUIScript script;
    script.create("<updowncontrol=ud,min=1,max=3,start=1,xs=40>");
    auto* ud = dynamic_cast<aoUpDownControl*>(script.getwidget("ud"));
    ASSERT_NE(ud, nullptr);
    int ax = ud->wx + ud->ww - 2;
    for (int i = 0; i < 4; ++i) ud->onmouse(1, ax, ud->wy + 2); // up arrow, past the maximum
    EXPECT_EQ(script.getvalue("ud"), 3);
    ud->onmouse(1, ax, ud->wy + ud->wh - 2); // down arrow
    EXPECT_EQ(script.getvalue("ud"), 2);
    EXPECT_EQ(aogetevent_nowait(), ud->code[0]);

    // A click on the field gives it the keys; Enter takes the typed value.
    ud->onmouse(1, ud->wx + 3, ud->wy + 5);
    EXPECT_EQ(win.focus, ud);
    for (int k : {int('7'), 8, int('3'), 13}) win.focus->onkey(k);
    EXPECT_EQ(script.getvalue("ud"), 3);
    EXPECT_EQ(win.focus, nullptr);
    ud->onmouse(1, ud->wx + 3, ud->wy + 5);
    for (int k : {int('0'), 13}) ud->onkey(k);
    EXPECT_EQ(script.getvalue("ud"), 1); // clamped to the minimum
}

TEST_F(Layout, ValueTypedWithoutEnterCountsWhenAButtonIsPressed)
{
    aoGUIScript script;
    script.create("<updowncontrol=ud,min=1,max=24,start=12,xs=40><button=go,START>");
    auto* ud = dynamic_cast<aoUpDownControl*>(script.getwidget("ud"));
    aoWidget* go = script.getwidget("go");
    ASSERT_TRUE(ud && go);
    ud->onmouse(1, ud->wx + 3, ud->wy + 5);
    ud->onkey('8');
    EXPECT_EQ(script.getvalue("ud"), 12); // still typing
    go->onmouse(1, go->wx + 3, go->wy + 3);
    go->onmouse(2, go->wx + 3, go->wy + 3);
    EXPECT_EQ(script.getvalue("ud"), 8);
    EXPECT_FALSE(ud->editing);
    EXPECT_EQ(win.focus, nullptr);
}

TEST_F(Layout, ButtonClickPostsItsCodeAndIsFoundByName)
{
    aoGUIScript script;
    script.create("<button=btStart,START,xs=70><button=btDunkel,X,bgcolor=blue>");
    auto* b = dynamic_cast<aoButton*>(script.getwidget("btStart"));
    ASSERT_NE(b, nullptr);
    while (aogetevent_nowait()) {
    }
    b->onmouse(1, b->wx + 5, b->wy + 5);
    b->onmouse(2, b->wx + 5, b->wy + 5);
    int ev = aogetevent_nowait();
    EXPECT_EQ(ev, b->code[0]);
    EXPECT_TRUE(script.buttonpressed(ev, "btStart"));
    EXPECT_FALSE(script.buttonpressed(ev, "btEnde"));
    EXPECT_FALSE(script.buttonpressed(ev + 1, "btStart"));
    EXPECT_EQ(script.getvalue("btStart"), 1);
    // A dark background without a text colour gets a white label.
    auto* dark = dynamic_cast<aoButton*>(script.getwidget("btDunkel"));
    ASSERT_NE(dark, nullptr);
    EXPECT_EQ(dark->textcolor, 0xFFFFFF);
    EXPECT_EQ(dark->highlight, 0x2020A0);
    EXPECT_EQ(dark->ww, w("X") + 20);
    EXPECT_EQ(b->textcolor, 0x000000);
}

TEST_F(Layout, RestoreOfPointSavedAtZeroKeepsThePen)
{
    aoGUIScript script;
    EXPECT_EQ(script.create("<y=0><save=p><y=50><restore=p>"), 50);
    EXPECT_EQ(script.create("<y=30><save=p><y=50><restore=p>"), 30);
    EXPECT_EQ(script.create("<x=40><xsave=q><x=300><xrestore=q>"), 10);
    EXPECT_EQ(script.penx, 40);
}

TEST_F(Layout, PenTagsAndPercentProtection)
{
    aoGUIScript script;
    // "%>" survives formatting; "%d" is filled in.
    EXPECT_EQ(script.create("<x=50%><y=%d>", 40), 40);
    EXPECT_EQ(script.penx, 660);
    script.create("<y=10%><yinc=7><ydec=2><xinc=5><xoffset=5>");
    EXPECT_EQ(script.peny, 92 + 7 - 2);
    EXPECT_EQ(script.penx, 20);
    script.create("<offset=20><lineoffset=4>A\nB<unknowntag=3><none>");
    EXPECT_EQ(script.peny, 10 + 20 + 16 + 4);
    script.create("<rightborderpos=200><x=500><setxleftborder>");
    EXPECT_EQ(script.rightmargin, 1120);
    EXPECT_EQ(script.penx, 10);
    script.create("A<br>B<br />");
    EXPECT_EQ(script.peny, 10 + 2 * 16);
    script.create("<b>A</b><u>B</u><textcolor=red><antialias_doublesize>");
    EXPECT_EQ(script.textcolor, 0x800000);
    EXPECT_TRUE(script.doublesize);
    EXPECT_FALSE(script.underline);
    EXPECT_EQ(script.curfont, script.normalfont);
}

TEST_F(Layout, WordCrossingTheMarginMovesToTheNextLine)
{
    aoGUIScript script;
    // Right margin at 200: "Mittelwort" from x = 150 does not fit.
    script.create("<rightborderpos=200><x=150>Mittelwort");
    EXPECT_EQ(script.peny, 26);
    EXPECT_EQ(script.penx, 10 + w("Mittelwort"));
    EXPECT_TRUE(ink(10, 26, w("Mittelwort"), 16));
    EXPECT_FALSE(ink(150, 10, 60, 16));
}

TEST_F(Layout, WordWiderThanTheLineIsStillDrawnFromTheLeftMargin)
{
    aoGUIScript script;
    ASSERT_GT(w("Aufgabenauswahl"), 50);
    script.create("<rightborderpos=60>Aufgabenauswahl");
    EXPECT_EQ(script.peny, 26);
    EXPECT_EQ(script.penx, 59); // held just inside the margin
    EXPECT_TRUE(ink(10, 26, 10, 16));
    EXPECT_TRUE(ink(60, 26, w("Aufgabenauswahl") - 50, 16));
}

TEST_F(Layout, TallerFontPushesTheLineDownAndLowerFontsAreLowered)
{
    aoGUIScript script;
    script.create("<font=arial28>Gross<font=arial16>klein");
    // "klein" shares the bottom edge of the 28-pixel line.
    int kx = 10 + aofont_textwidth(aofont_find("arial28"), "Gross");
    EXPECT_FALSE(ink(kx, 10, w("klein"), 12));
    EXPECT_TRUE(ink(kx, 22, w("klein"), 16));

    // The other way round: the small word already drawn moves down.
    aoGUIScript second;
    second.create("<backgroundcolor=e0e0e0><y=200>klein<font=arial28>Gross");
    EXPECT_FALSE(ink(10, 200, w("klein"), 12));
    EXPECT_TRUE(ink(10, 212, w("klein"), 16));
}

TEST_F(Layout, DoubleSizeTextIsDrawnAtHalfSize)
{
    aoGUIScript script;
    script.create("<y=400><antialias_doublesize>Wort\nX</antialias_doublesize>");
    EXPECT_TRUE(ink(10, 400, w("Wort") / 2, 8));
    EXPECT_TRUE(ink(10, 408, w("X") / 2, 8));
    EXPECT_FALSE(ink(10 + w("X") / 2 + 1, 408, w("Wort"), 8));
    EXPECT_FALSE(ink(10, 416, w("Wort"), 8));
    EXPECT_FALSE(ink(10 + w("Wort") / 2 + 1, 400, w("Wort"), 8));
    // Line feeds advance by half the line height too.
    EXPECT_EQ(script.peny, 408);
    EXPECT_EQ(script.penx, 10 + w("X") / 2);
}

TEST_F(Layout, CenteredTextSitsBetweenTheMargins)
{
    aoGUIScript script;
    script.create("<y=300><center>Mitte\n</center>");
    int tw = w("Mitte");
    int x = 10 + (1320 - 20 - 10 - tw) / 2;
    EXPECT_TRUE(ink(x, 300, tw, 16));
    EXPECT_FALSE(ink(10, 300, x - 12, 16));
    EXPECT_EQ(script.peny, 316);
}

TEST_F(Layout, SecondCreateRemovesTheFirstWidgets)
{
    aoGUIScript script;
    script.create("<button=a,A><terminal=t,lines=2>");
    size_t children = win.children.size();
    EXPECT_NE(script.getwidget("a"), nullptr);
    script.create("<button=b,B>");
    EXPECT_EQ(script.getwidget("a"), nullptr);
    EXPECT_EQ(script.getwidget("t"), nullptr);
    EXPECT_NE(script.getwidget("b"), nullptr);
    EXPECT_EQ(win.children.size(), children - 1);
    EXPECT_EQ(aogetstdio(), nullptr); // the destroyed terminal no longer takes aoprintf
}

TEST_F(Layout, EmptyMarkupCreatesNothing)
{
    aoGUIScript script;
    EXPECT_EQ(script.create(""), 0);
    EXPECT_FALSE(script.built);
}

TEST_F(Layout, SameNameFindsTheFirstCreated)
{
    aoGUIScript script;
    script.create("<updowncontrol=dup,start=3><updowncontrol=dup,start=7>");
    EXPECT_EQ(script.getvalue("dup"), 3);
    auto* first = script.getwidget("dup");
    EXPECT_EQ(first, script.table[0].widget.get());
    script.setvalue("dup", 5);
    EXPECT_EQ(dynamic_cast<aoUpDownControl*>(script.table[1].widget.get())->getvalue(), 7);
    EXPECT_EQ(script.getvalue("dup"), 5);
}

TEST_F(Layout, WidgetsDoNotCountTowardTheLineHeight)
{
    aoGUIScript script;
    EXPECT_EQ(script.create("Text <updowncontrol=u,xs=40><button=b,OK,ys=60>\n\nX"),
              10 + 2 * 16);
    EXPECT_EQ(script.create("<lineoffset=3><button=b,OK,ys=60>\n\n"), 10 + 2 * (16 + 3));
}

TEST_F(Layout, TableGrowsByOneHundred)
{
    aoGUIScript script;
    std::string markup;
    for (int i = 0; i < 150; ++i) markup += "<save=p" + std::to_string(i) + "><yinc=1>";
    script.create("%s", markup.c_str());
    EXPECT_EQ(script.table.size(), 200u);
    EXPECT_EQ(script.getvalue("p149"), 159);
    EXPECT_EQ(script.getvalue("p0"), 10);
}

TEST_F(Layout, PrintfGoesIntoTheNamedTerminalOnly)
{
    aoGUIScript script;
    script.create("<button=bt,OK><terminal=term,xs=300,lines=2,font=12x24>");
    EXPECT_TRUE(script.printf("term", "\n%d + %d = ", 3, 4));
    auto* t = dynamic_cast<aoTerminal*>(script.getwidget("term"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rowtext(1), "3 + 4 =");
    EXPECT_FALSE(script.printf("bt", "x"));
    EXPECT_FALSE(script.printf("nope", "x"));
    // The terminal is the standard output now, but not the drawing target.
    aoprintf("!");
    EXPECT_EQ(t->rowtext(1), "3 + 4 = !");
    EXPECT_NE(aographic_gettarget(), static_cast<aoDrawTarget*>(t));
}

TEST_F(Layout, HeadlessCommandsFindWidgetsByName)
{
    aoGUIScript script;
    script.create("%s", kMainScreen);
    aoScriptHandler* click = aoi::findScriptHandler("clickname");
    aoScriptHandler* spin = aoi::findScriptHandler("spin");
    aoScriptHandler* term = aoi::findScriptHandler("term");
    ASSERT_TRUE(click && spin && term);

    aoScriptResult r = (*click)("btStart");
    ASSERT_TRUE(r.ok);
    aoWidget* b = script.getwidget("btStart");
    ASSERT_EQ(r.clicks.size(), 1u);
    EXPECT_EQ(r.clicks[0], std::make_pair(b->wx + 35, b->wy + 12));
    EXPECT_FALSE((*click)("btNirgends").ok);

    EXPECT_TRUE((*spin)("udAnzahlAufgaben 20").ok);
    EXPECT_EQ(script.getvalue("udAnzahlAufgaben"), 20);
    EXPECT_TRUE((*spin)("udAnzahlAufgaben 99").ok);
    EXPECT_EQ(script.getvalue("udAnzahlAufgaben"), 24);
    EXPECT_FALSE((*spin)("btStart 3").ok);

    script.printf("term", "\n\nGrüße  \n  x");
    auto path = std::filesystem::temp_directory_path() / "ziffron_term_dump.txt";
    EXPECT_TRUE((*term)(path.string()).ok);
    std::ifstream in(path, std::ios::binary);
    std::stringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), "\n\nGrüße\n  x\n");
}

TEST(LayoutScript, HeadlessScriptTypesClicksAndSpinsTheMainScreen)
{
    HeadlessRun run("click udSchwierigkeit\ntype 3\nkey Enter\nspin udStufe 7\n"
                    "click udAnzahlAufgaben\ntype 30\nkey Enter\nclick btEnde\n");
    aofont_loadbuiltins();
    aofont_loadarial();
    aoWindow win;
    ASSERT_TRUE(win.create("Test: ;,x=0,y=0,xs=1320,ys=920,bgcolor=e0e0e0"));
    aoGUIScript script;
    script.create("%s", kMainScreen);
    int ev = aogetevent();
    while (ev && !script.buttonpressed(ev, "btEnde")) ev = aogetevent();
    EXPECT_TRUE(script.buttonpressed(ev, "btEnde"));
    EXPECT_EQ(script.getvalue("udSchwierigkeit"), 3);
    EXPECT_EQ(script.getvalue("udStufe"), 7);
    EXPECT_EQ(script.getvalue("udAnzahlAufgaben"), 24);
}
