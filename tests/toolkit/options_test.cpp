#include "aotoolkit.h"

#include <gtest/gtest.h>

TEST(OptionProtect, PercentBeforeLowCharactersSurvivesFormatting)
{
    EXPECT_EQ(aooption_format("x=50%,y=50%"), "x=50%,y=50%");
    EXPECT_EQ(aooption_format("x=50%"), "x=50%");
    EXPECT_EQ(aooption_format("<x=10%>"), "<x=10%>");
    EXPECT_EQ(aooption_format("load=video_%d/videob_%d.bmp", 3, 7), "load=video_3/videob_7.bmp");
    EXPECT_EQ(aooption_format("bgcolor=%06x", 0xe0e0e0), "bgcolor=e0e0e0");
    EXPECT_EQ(aooption_protect("%d%"), "%d%%");
}

TEST(OptionTokens, CutAtEveryCommaKeepingEmptyTokens)
{
    aoOptions o("title: ;,x=1,,y=2,");
    ASSERT_EQ(o.tokens.size(), 5u);
    EXPECT_EQ(o.tokens[0], "title: ;");
    EXPECT_EQ(o.tokens[2], "");
    EXPECT_EQ(o.tokens[4], "");
}

TEST(OptionTokens, LookupIgnoresSpacesAndCaseAndBlanksClaimedTokens)
{
    aoOptions o("Max= 24,MIN=1,bold");
    int v = 0;
    EXPECT_TRUE(o.getint("max=", v));
    EXPECT_EQ(v, 24);
    EXPECT_TRUE(o.tokens[0].empty());
    EXPECT_TRUE(o.flag("BOLD"));
    EXPECT_FALSE(o.flag("bold")) << "a claimed flag is gone";
    EXPECT_EQ(o.leftover(), "MIN=1");
    // Flags match the whole token, keys ending in '=' a prefix.
    aoOptions p("bolder,xs=5");
    EXPECT_FALSE(p.flag("bold"));
    EXPECT_EQ(p.find("x="), -1);
    EXPECT_EQ(p.find("xs="), 1);
}

TEST(OptionTokens, LaterTokenWinsAndNonNumericReadsZero)
{
    aoOptions o("min=3,min=7,max=abc");
    int v = -1;
    o.getint("min=", v);
    EXPECT_EQ(v, 7);
    o.getint("max=", v);
    EXPECT_EQ(v, 0);
}

TEST(OptionWhole, FoundAnywhereEvenInsideTheTitle)
{
    aoOptions o("My noclipper window,xs=10,maxxs=300");
    EXPECT_TRUE(o.wholeflag("NOCLIPPER"));
    EXPECT_FALSE(o.wholeflag("layered"));
    EXPECT_EQ(o.wholeint("maxxs", 0), 300);
    EXPECT_EQ(o.wholeint("maxys", 42), 42);
    aoOptions twice("maxxs=5,maxxs=9");
    EXPECT_EQ(twice.wholeint("maxxs", 0), 5) << "first occurrence counts";
}

TEST(OptionSizes, UnitsAndSpaces)
{
    aoSize s = aooption_readsize(" 5 0 % ");
    EXPECT_TRUE(s.percent);
    EXPECT_DOUBLE_EQ(s.value, 50);
    EXPECT_TRUE(aooption_readsize("12Percent").percent);
    EXPECT_FALSE(aooption_readsize("12pix").percent);
    EXPECT_FALSE(aooption_readsize("12pixel").percent);
    EXPECT_FALSE(aooption_readsize("12").percent);
    EXPECT_DOUBLE_EQ(aooption_readsize("12.5").value, 12.5);
}

TEST(OptionGeometry, PercentWidthsAndCentredPositions)
{
    aoOptions a("xs=50%");
    aoGeometry g;
    g.read(a);
    g.resolve(1000, 1000, 10, 10);
    EXPECT_EQ(g.rw, 500);

    aoOptions b("x=50%,xs=300");
    aoGeometry h;
    h.read(b);
    h.resolve(1000, 1000, 10, 10);
    EXPECT_EQ(h.rx, 350);
    EXPECT_EQ(h.rw, 300);

    aoOptions c("x = 50 %,y=50%,xs=1320,ys=920");
    aoGeometry m;
    m.read(c);
    m.resolve(1920, 1080, 0, 0);
    EXPECT_EQ(m.rx, 300);
    EXPECT_EQ(m.ry, 80);
    EXPECT_EQ(m.rw, 1320);
    EXPECT_EQ(m.rh, 920);
}

TEST(OptionGeometry, ClampedToParentThenMinimumAndMaximum)
{
    aoOptions a("xs=3000,ys=10,minys=40,maxxsize=700");
    aoGeometry g;
    g.read(a);
    g.resolve(1000, 1000, 0, 0);
    EXPECT_EQ(g.rw, 700);
    EXPECT_EQ(g.rh, 40);
    // Both in percent: width from the truncated edges.
    aoOptions b("x=33%,xs=33%");
    aoGeometry h;
    h.read(b);
    h.resolve(101, 100, 0, 0);
    int left = static_cast<int>(101 * (33 - 16.5) * 0.01);
    int right = static_cast<int>(101 * (33 - 16.5 + 33) * 0.01);
    EXPECT_EQ(h.rw, right - left);
    // Defaults when no size is given.
    aoOptions c("x=5");
    aoGeometry d;
    d.read(c);
    d.resolve(500, 500, 77, 66);
    EXPECT_EQ(d.rw, 77);
    EXPECT_EQ(d.rh, 66);
    EXPECT_EQ(d.rx, 5);
    // A top-level window's picture keeps its size on a smaller screen.
    aoOptions e("x=50%,y=50%,xs=1320,ys=920");
    aoGeometry big;
    big.read(e);
    big.fitParent = false;
    big.resolve(1366, 768, 0, 0);
    EXPECT_EQ(big.rw, 1320);
    EXPECT_EQ(big.rh, 920);
}

TEST(OptionColours, NamesHexAndEmptyValues)
{
    EXPECT_EQ(aooption_readcolor("transparent", 5), 0x0000FF);
    EXPECT_EQ(aooption_readcolor("none", 5), -1);
    EXPECT_EQ(aooption_readcolor("OFF", 5), -1);
    EXPECT_EQ(aooption_readcolor("LightGrey", 5), 0xC0C0C0);
    EXPECT_EQ(aooption_readcolor("grey", 5), 0xD0D0D0);
    EXPECT_EQ(aooption_readcolor("e0e0e0", 5), 0xE0E0E0);
    EXPECT_EQ(aooption_readcolor("0x123456", 5), 0x123456);
    EXPECT_EQ(aooption_readcolor("zebra", 5), 5);
    EXPECT_EQ(aooption_readcolor("", 5), 5);

    aoOptions o("bgcolor=");
    int c = 0x112233;
    EXPECT_TRUE(o.getcolorany({"bgcol=", "bgcolor=", "backgroundcolor=", "background="}, c));
    EXPECT_EQ(c, 0x112233) << "nothing after '=' keeps the colour";
    aoOptions p("backgroundcolor=white,bgcol=red");
    p.getcolorany({"bgcol=", "bgcolor=", "backgroundcolor=", "background="}, c);
    EXPECT_EQ(c, 0x800000);
}

TEST(OptionColours, ThemeDefaults)
{
    EXPECT_EQ(aotheme_color(0), 0xD0D0D0);
    EXPECT_EQ(aotheme_color(1), 0xE0E0E0);
    EXPECT_EQ(aotheme_color(7), 0x787878);
    EXPECT_EQ(aotheme_color(10), 0xF0F0F0);
}

TEST(OptionFlags, BooleanSpellings)
{
    aoOptions o("cursor=on,focus=no,keyfocus=0,sysmenu=1,redraw=off,cursoron");
    EXPECT_EQ(o.getbool("cursor"), 1);
    EXPECT_EQ(o.getbool("focus"), 0);
    EXPECT_EQ(o.getbool("keyfocus"), 0);
    EXPECT_EQ(o.getbool("sysmenu"), 1);
    EXPECT_EQ(o.getbool("redraw"), 0);
    EXPECT_EQ(o.getbool("refresh"), -1);
}

TEST(OptionFonts, Description)
{
    aoFontDescription d = aooption_fontdescription("Courier New,points=20,bold");
    EXPECT_EQ(d.face, "Courier New");
    EXPECT_EQ(d.points, 20);
    EXPECT_TRUE(d.bold);
    EXPECT_FALSE(d.italic);
    aoFontDescription e = aooption_fontdescription("New Roman,points=12,understriked,xs=7,height=14,xsextra=1");
    EXPECT_TRUE(e.underlined);
    EXPECT_EQ(e.xs, 7);
    EXPECT_EQ(e.ys, 14);
    EXPECT_EQ(e.xsextra, 1);
}

TEST(TextEncoding, Cp1252RoundTrip)
{
    std::string utf8 = "Lösung: 3 € ° ßÄÖÜ";
    std::string cp = ao_utf8_to_cp1252(utf8);
    EXPECT_EQ(cp.size(), std::string("Lösung: 3 € ° ßÄÖÜ").size() - 8);
    EXPECT_EQ(static_cast<unsigned char>(cp[1]), 0xF6);
    EXPECT_EQ(static_cast<unsigned char>(cp[10]), 0x80);
    EXPECT_EQ(ao_cp1252_to_utf8(cp), utf8);
    // Bytes that are not UTF-8 are kept as they are.
    EXPECT_EQ(ao_utf8_to_cp1252("Yılmaz Şimşek, Łukasz, Ștefan Đorđe, Šárka Œuvre ∑"),
              ao_utf8_to_cp1252("Yilmaz Simsek, Lukasz, Stefan Dorde, Šárka Œuvre ?"))
        << "letters outside the code page keep their base letter";
    EXPECT_EQ(ao_utf8_to_cp1252("\xF6"), "\xF6");
    EXPECT_EQ(ao_utf8_to_cp1252("ab\xC3" "cd\xE2\x82" "e"), "ab\xC3" "cd\xE2\x82" "e");
}

TEST(Random, RuntimeGeneratorSequence)
{
    aosrand(1);
    // state = state * 22695477 + 1; bits 16..30: 22695478 >> 16 = 346.
    EXPECT_EQ(aorand(), 346);
    EXPECT_EQ(aorand(), 130);
    EXPECT_EQ(aorand(), 10982);
    aosrand(1);
    EXPECT_EQ(aorand(), 346);
}

TEST(Rounding, HalfAwayFromZero)
{
    EXPECT_EQ(aoround(2.5), 3);
    EXPECT_EQ(aoround(-2.5), -3);
    EXPECT_EQ(aoround(2.49), 2);
    EXPECT_EQ(aographic_rgb(255, 0, 0), 0xFF0000);
    EXPECT_EQ(aographic_rgb(256 + 1, 2, 3), 0x010203);
}
