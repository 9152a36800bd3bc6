// Drawing primitives on tiny pixmaps, checked pixel by pixel, and the
// current-target model.
#include "aotoolkit.h"
#include "internal.h"

#include <gtest/gtest.h>


namespace {

// A pixmap that is the current target for the test's lifetime.
struct Canvas {
    aoPixmap p;
    Canvas(int w, int h)
    {
        p.width = w;
        p.height = h;
        EXPECT_TRUE(aopxmap_allocate(&p));
        aographic_settarget(&p);
    }
    ~Canvas() { aographic_settarget(nullptr); }

    // One text row per pixel row: '.' for 0, '#' for `ink`, '?' for anything else.
    std::vector<std::string> rows(int ink = 1) const
    {
        std::vector<std::string> out;
        for (int y = 0; y < p.height; y++) {
            std::string r;
            for (int x = 0; x < p.width; x++) {
                const int v = aopxmap_getpixel(&p, x, y);
                r += v == 0 ? '.' : v == ink ? '#' : '?';
            }
            out.push_back(r);
        }
        return out;
    }
};

using Rows = std::vector<std::string>;

// Records what reaches a target.
struct Recorder : aoDrawTarget {
    std::vector<aoCommand> seen;
    std::vector<std::string> texts;
    intptr_t command(const aoCommand& c) override
    {
        seen.push_back(c);
        texts.push_back(c.text ? c.text : "");
        return 77;
    }
};

TEST(GraphicColour, RgbPacksBytes)
{
    EXPECT_EQ(aographic_rgb(255, 0, 0), 0xFF0000);
    EXPECT_EQ(aographic_rgb(0x12, 0x34, 0x56), 0x123456);
}

TEST(GraphicTarget, NoTargetIgnoresEverything)
{
    aographic_settarget(nullptr);
    aographic_setpixel(1, 1, 5);
    aographic_fillrect(0, 0, 10, 10, 5);
    aographic_text(0, 0, 5, "x");
    EXPECT_EQ(aographic_getpixel(0, 0), -1);
    EXPECT_EQ(aographic_getwidth(), 0);
    EXPECT_EQ(aographic_getheight(), 0);
    EXPECT_EQ(aographic_getpixmap(), nullptr);
}

TEST(GraphicTarget, DestroyedTargetIsForgotten)
{
    {
        aoPixmap p;
        aographic_settarget(&p);
        EXPECT_EQ(aographic_gettarget(), &p);
    }
    EXPECT_EQ(aographic_gettarget(), nullptr);
}

TEST(GraphicTarget, QueriesAnswerFromThePixmap)
{
    Canvas c(7, 4);
    EXPECT_EQ(aographic_getwidth(), 7);
    EXPECT_EQ(aographic_getheight(), 4);
    EXPECT_EQ(aographic_getpixmap(), &c.p);
    aographic_setpixel(6, 3, 0x010203);
    EXPECT_EQ(aographic_getpixel(6, 3), 0x010203);
    EXPECT_EQ(aographic_getpixel(7, 0), -1);
    EXPECT_EQ(aographic_getpixel(0, -1), -1);
}

TEST(GraphicTarget, CommandsCarryTheirCodesAndArguments)
{
    Recorder r;
    aographic_settarget(&r);
    aographic_raisedrect(1, 2, 3, 4, 5, 6);
    aographic_arc(1, 2, 3, 4, 5, 6, 7);
    aographic_centertext(9, 8, "Lösung");
    aographic_char(3, 4, 5, 0xE4); // ä as a byte
    aographic_char(3, 4, 5, 0x20AC); // euro sign as a code point
    aographic_setfont("arial28");
    EXPECT_EQ(aographic_getwidth(), 77);
    aographic_settarget(nullptr);

    ASSERT_EQ(r.seen.size(), 7u);
    EXPECT_EQ(r.seen[0].code, AOCMD_RAISEDRECT);
    EXPECT_EQ(std::vector<int>(r.seen[0].a, r.seen[0].a + 6), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(r.seen[1].code, AOCMD_ARC);
    EXPECT_EQ(r.seen[1].a[6], 7);
    EXPECT_EQ(r.seen[2].code, AOCMD_CENTERTEXT);
    EXPECT_EQ(r.seen[2].a[0], 9);
    EXPECT_EQ(r.texts[2], "L\xF6sung"); // drawn as Windows-1252
    EXPECT_EQ(r.seen[3].a[3], 0xE4);
    EXPECT_EQ(r.seen[4].a[3], 0x80);
    EXPECT_EQ(r.seen[5].code, AOCMD_SETFONTNAME);
    EXPECT_EQ(r.texts[5], "arial28");
    EXPECT_EQ(r.seen[6].code, AOCMD_GETWIDTH);
}

TEST(GraphicLine, SteppedWithHalfRounding)
{
    Canvas c(5, 3);
    aographic_line(0, 0, 4, 2, 1);
    EXPECT_EQ(c.rows(), (Rows{"#....", ".##..", "...##"}));
}

TEST(GraphicLine, ReversedDirectionSamePixels)
{
    Canvas c(5, 3);
    aographic_line(4, 2, 0, 0, 1);
    EXPECT_EQ(c.rows(), (Rows{"#....", ".##..", "...##"}));
}

TEST(GraphicLine, SteepLineStepsRows)
{
    Canvas c(3, 5);
    aographic_line(0, 0, 2, 4, 1);
    EXPECT_EQ(c.rows(), (Rows{"#..", ".#.", ".#.", "..#", "..#"}));
}

TEST(GraphicLine, OnePointLineSetsOnePixel)
{
    Canvas c(3, 3);
    aographic_line(1, 2, 1, 2, 1);
    EXPECT_EQ(c.rows(), (Rows{"...", "...", ".#."}));
}

TEST(GraphicLine, PenStaysAtTheEnd)
{
    Canvas c(4, 4);
    aographic_line(0, 0, 3, 0, 1);
    aographic_lineto(3, 3, 1);
    aographic_moveto(0, 3);
    aographic_lineto(1, 3, 1);
    EXPECT_EQ(c.rows(), (Rows{"####", "...#", "...#", "##.#"}));
    EXPECT_EQ(c.p.penx, 1);
    EXPECT_EQ(c.p.peny, 3);
}

TEST(GraphicLine, FarEndPointsAreClippedQuickly)
{
    // Clipped, not walked: a walk would outlast the test's timeout.
    Canvas c(4, 3);
    aographic_line(-2000000000, 1, 2000000000, 1, 1);
    aographic_line(2, -2000000000, 2, 2000000000, 1);
    EXPECT_EQ(c.rows(), (Rows{"..#.", "####", "..#."}));
}

// The stepped lines against the plain per-pixel rule, bit for bit: random
// end points inside, across and far outside an odd-sized pixmap, all slopes.
TEST(GraphicLine, FastSteppingMatchesThePlainRule)
{
    aoPixmap fast, plain;
    for (aoPixmap* q : {&fast, &plain}) {
        q->width = 67;
        q->height = 41;
        ASSERT_TRUE(aopxmap_allocate(q));
    }
    unsigned state = 7;
    auto next = [&state](int span) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % static_cast<unsigned>(2 * span + 1)) - span;
    };
    aographic_settarget(&fast);
    for (int i = 0; i < 20000; ++i) {
        const int span = i % 3 == 0 ? 100 : i % 3 == 1 ? 5000 : 1200000; // the last beyond the exact range
        const int x1 = next(span), y1 = next(span), x2 = i % 7 == 0 ? x1 : next(span), y2 = i % 11 == 0 ? y1 : next(span);
        const int colour = i + 1;
        aographic_line(x1, y1, x2, y2, colour);
        aoi::drawLinePlain(plain, x1, y1, x2, y2, colour);
        ASSERT_EQ(fast.pixels, plain.pixels) << "line " << x1 << "," << y1 << " to " << x2 << "," << y2;
    }
    aographic_settarget(nullptr);
}

TEST(GraphicCircle, FilledCircleRows)
{
    Canvas c(7, 7);
    aographic_fillcircle(3, 3, 2, 1);
    EXPECT_EQ(c.rows(), (Rows{".......", "..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."}));
}

TEST(GraphicCircle, FilledCircleRadiusThreeAsRounded)
{
    // trunc(v + 0.5) rounds the top half down less than the bottom half.
    Canvas c(9, 9);
    aographic_fillcircle(4, 4, 3, 1);
    EXPECT_EQ(c.rows(), (Rows{".........", "...###...", ".#######.", ".#######.", ".#######.",
                              ".#######.", "..#####..", "..#####..", "........."}));
}

TEST(GraphicCircle, RadiusZeroIsOnePixelNegativeIsNothing)
{
    Canvas c(3, 3);
    aographic_fillcircle(1, 1, 0, 1);
    aographic_circle(1, 1, 0, 1);
    EXPECT_EQ(c.rows(), (Rows{"...", ".#.", "..."}));
    aographic_fillcircle(1, 1, -4, 2); // would never end if stepped backwards
    aographic_circle(1, 1, -4, 2);
    aographic_fillellipse(1, 1, -1, 3, 2);
    EXPECT_EQ(c.rows(), (Rows{"...", ".#.", "..."}));
}

TEST(GraphicCircle, OutlineIsClosedAndJoined)
{
    Canvas c(9, 9);
    aographic_circle(4, 4, 3, 1);
    const Rows r = c.rows();
    EXPECT_EQ(r, (Rows{".........", ".........", "....###..", "..##..#..", "..#....#.", "..#....#.",
                       "...#..##.", "...###...", "........."}));
}

TEST(GraphicCircle, ArcCoversOnlyItsAngles)
{
    // 0 to 90 degrees runs from the right end down to the bottom end.
    Canvas c(9, 9);
    aographic_arc(4, 4, 3, 3, 0, 90, 1);
    const Rows r = c.rows();
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 9; x++)
            if (r[y][x] == '#') {
                EXPECT_GE(x, 4) << x << "," << y;
                EXPECT_GE(y, 4) << x << "," << y;
            }
    EXPECT_EQ(r[4][7], '#');
    EXPECT_EQ(r[7][4], '#');

    // From 270 through 0 to 90: the right half; absurd spans end after one round.
    Canvas d(9, 9);
    aographic_arc(4, 4, 3, 3, 270, 90, 1);
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 4; x++) EXPECT_EQ(d.rows()[y][x], '.') << x << "," << y;
    EXPECT_EQ(d.rows()[2][4], '#');
    EXPECT_EQ(d.rows()[7][4], '#');
    // Huge angles are reduced, not stepped through (the test's timeout would end a stepping run).
    aographic_arc(4, 4, 3, 3, -2000000000, 2000000000, 1);
    aographic_arc(4, 4, 3, 3, 2000000000, -2000000000, 1);
}

TEST(GraphicCircle, EllipseSpansItsRadii)
{
    Canvas c(11, 7);
    aographic_ellipse(5, 3, 4, 2, 1);
    // Points at x + trunc(cos*rx + 0.5), y + trunc(sin*ry + 0.5), joined.
    EXPECT_EQ(c.rows(), (Rows{"...........", "...........", "...######..", "..##....##.", "..##....##.",
                              "...######..", "..........."}));
    aographic_fillellipse(5, 3, 2, 1, 2);
    EXPECT_EQ(aopxmap_getpixel(&c.p, 5, 3), 2);
    EXPECT_EQ(aopxmap_getpixel(&c.p, 7, 3), 2);
    EXPECT_EQ(aopxmap_getpixel(&c.p, 8, 3), 1);
}

TEST(GraphicCircle, HugeRadiiFinishAndCover)
{
    // A radius walked pixel by pixel would run for minutes: the test's
    // timeout, not a clock here, catches that (a loaded machine is slow).
    Canvas c(4, 3);
    aographic_circle(2, 1, 2000000000, 1); // passes far outside: nothing here
    EXPECT_EQ(c.rows(), (Rows{"....", "....", "...."}));
    aographic_fillcircle(2, 1, 2000000000, 1);
    aographic_fillellipse(-1000000000, 1, 1000000100, 5, 2);
    // Only the middle row of the flat ellipse reaches back into the picture.
    EXPECT_EQ(c.rows(1), (Rows{"####", "????", "####"}));
}

TEST(GraphicRect, OutlineRaisedAndShadow)
{
    {
        Canvas c(5, 4);
        aographic_rect(0, 0, 4, 3, 1);
        EXPECT_EQ(c.rows(), (Rows{"####.", "#..#.", "####.", "....."}));
    }
    {
        Canvas c(4, 4);
        aographic_raisedrect(0, 0, 4, 4, 1, 2);
        // Light top and left, dark bottom and right.
        EXPECT_EQ(c.rows(), (Rows{"###?", "#..?", "#..?", "????"}));
        EXPECT_EQ(aopxmap_getpixel(&c.p, 3, 3), 2);
    }
    {
        Canvas c(6, 6);
        aographic_shadowrect(0, 0, 4, 4, 1);
        EXPECT_EQ(c.rows(), (Rows{"####..", "#..#..", "#..#??", "####??", "..????", "..????"}));
    }
}

TEST(GraphicRect, ExtremeCornersDoNotOverflow)
{
    Canvas c(3, 3);
    aographic_rect(-2147483647, -2147483647, 2147483647, 2147483647, 1);
    aographic_shadowrect(2147483000, 2147483000, 2147483000, 2147483000, 1);
    aographic_raisedrect(1, 1, 2147483647, 2147483647, 1, 1);
    EXPECT_EQ(c.rows(), (Rows{"...", ".##", ".#."}));
}

TEST(GraphicRect, FillClippedAndOutside)
{
    Canvas c(4, 3);
    aographic_fillrect(2, 1, 10, 10, 1);
    aographic_fillrect(-5, -5, 3, 3, 1);
    aographic_fillrect(4, 0, 2, 2, 1);
    EXPECT_EQ(c.rows(), (Rows{"....", "..##", "..##"}));
    aographic_clear(1);
    EXPECT_EQ(c.rows(), (Rows{"####", "####", "####"}));
}

TEST(GraphicFlood, StaysInsideItsBorder)
{
    Canvas c(7, 6);
    aographic_rect(1, 1, 5, 4, 1);
    aographic_setpixel(0, 5, 1);
    aographic_floodfill(3, 2, 2);
    EXPECT_EQ(c.rows(1), (Rows{".......", ".#####.", ".#???#.", ".#???#.", ".#####.", "#......"}));
    aographic_floodfill(0, 0, 3); // the outside ring, around the box
    EXPECT_EQ(aopxmap_getpixel(&c.p, 6, 5), 3);
    EXPECT_EQ(aopxmap_getpixel(&c.p, 0, 5), 1);
    EXPECT_EQ(aopxmap_getpixel(&c.p, 3, 2), 2);
}

TEST(GraphicFlood, DiagonalGapsDoNotLeakAndLargeAreasDoNotRecurse)
{
    Canvas c(3, 3);
    aographic_line(0, 2, 2, 0, 1); // anti-diagonal
    aographic_floodfill(0, 0, 2);
    EXPECT_EQ(c.rows(1), (Rows{"??#", "?#.", "#.."}));

    aoPixmap big;
    big.width = big.height = 1000;
    ASSERT_TRUE(aopxmap_allocate(&big));
    aographic_settarget(&big);
    aographic_floodfill(700, 700, 5);
    EXPECT_EQ(aopxmap_getpixel(&big, 0, 0), 5);
    EXPECT_EQ(aopxmap_getpixel(&big, 999, 999), 5);
    aographic_settarget(&c.p);
}

TEST(GraphicFlood, SameColourOrOutsideDoesNothing)
{
    Canvas c(2, 2);
    aographic_floodfill(0, 0, 0);
    aographic_floodfill(5, 5, 1);
    EXPECT_EQ(c.rows(), (Rows{"..", ".."}));
}

} // namespace

namespace {

// Text goes through the font module; these check what the drawing side adds:
// the default font, centring, line feeds, characters and formatting.
struct TextCanvas : Canvas {
    TextCanvas() : Canvas(40, 30) { aofont_loadbuiltins(); }
};

bool sameInk(const aoPixmap& a, const aoPixmap& b)
{
    return a.pixels == b.pixels;
}

int inkCount(const aoPixmap& p, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) n += aopxmap_getpixel(&p, x, y) != 0;
    return n;
}

TEST(GraphicText, NoFontMeansTheDefaultSixByThirteen)
{
    TextCanvas a, b;
    aographic_settarget(&a.p);
    aographic_text(1, 2, 0xFF0000, "Ag");
    aographic_settarget(&b.p);
    aographic_setfont("6x13");
    EXPECT_EQ(b.p.font, aofont_find("6x13"));
    aographic_text(1, 2, 0xFF0000, "Ag");
    EXPECT_GT(inkCount(a.p, 0, 0, 40, 30), 0);
    EXPECT_TRUE(sameInk(a.p, b.p));
    // All ink inside the two cells, in the colour asked for.
    EXPECT_EQ(inkCount(a.p, 1, 2, 13, 15), inkCount(a.p, 0, 0, 40, 30));
    for (uint32_t v : a.p.pixels) EXPECT_TRUE(v == 0 || v == 0xFF0000u);
}

TEST(GraphicText, LineFeedReturnsToStartOneFontHeightLower)
{
    TextCanvas a, b;
    aographic_settarget(&a.p);
    aographic_text(3, 0, 1, "W\nW");
    aographic_settarget(&b.p);
    aographic_text(3, 0, 1, "W");
    aographic_text(3, 13, 1, "W");
    EXPECT_TRUE(sameInk(a.p, b.p));
    EXPECT_GT(inkCount(a.p, 3, 13, 9, 26), 0);
}

TEST(GraphicText, CentredBetweenZeroAndTheWidth)
{
    TextCanvas a, b;
    aographic_settarget(&a.p);
    aographic_centertext(4, 1, "AB");
    const int x = (40 - aofont_textwidth(-1, "AB")) / 2;
    EXPECT_EQ(x, 14);
    aographic_settarget(&b.p);
    aographic_text(x, 4, 1, "AB");
    EXPECT_TRUE(sameInk(a.p, b.p));
}

TEST(GraphicText, CharPrintfAndUtf8MatchPlainText)
{
    TextCanvas a, b;
    aographic_settarget(&a.p);
    aographic_char(0, 0, 1, 'Q');
    aographic_printf(0, 13, 1, "%d%%", 42);
    aographic_text(20, 0, 1, "ä");
    aographic_settarget(&b.p);
    aographic_text(0, 0, 1, "Q");
    aographic_text(0, 13, 1, "42%");
    aographic_char(20, 0, 1, 0xE4);
    EXPECT_TRUE(sameInk(a.p, b.p));
    EXPECT_GT(inkCount(a.p, 20, 0, 26, 13), 0);
}

TEST(GraphicText, FontByHandleAndControlBytesDrawNothing)
{
    TextCanvas c;
    const int big = aofont_find("9x15");
    ASSERT_GE(big, 0);
    aographic_setfonthandle(big);
    EXPECT_EQ(c.p.font, big);
    aographic_text(0, 0, 1, "\x01\x02\t");
    aographic_char(0, 0, 1, 0);
    EXPECT_EQ(inkCount(c.p, 0, 0, 40, 30), 0);
    aographic_setfonthandle(-1);
    EXPECT_EQ(c.p.font, -1);
}

} // namespace

// A recorder draws exactly what the pixmap alone draws, and keeps each drawing
// command so that it stands alone: the pen, centring and the font resolved.
TEST(GraphicRecorder, DrawsTheSameAndRecordsStandAloneCommands)
{
    aofont_loadbuiltins();
    auto draw = [] {
        aographic_setfont("6x13");
        aographic_moveto(2, 3);
        aographic_lineto(9, 3, 1);
        aographic_centertext(4, 2, "ab");
        aographic_char(1, 8, 3, 'x');
        aographic_fillcircle(12, 12, 3, 4);
        (void)aographic_getpixel(0, 0); // reads are not drawings
    };
    Canvas plain(24, 24);
    draw();
    aoPixmap recorded;
    recorded.width = recorded.height = 24;
    ASSERT_TRUE(aopxmap_allocate(&recorded));
    aoRecorder recorder(recorded);
    aographic_settarget(&recorder);
    draw();
    aographic_settarget(&plain.p);
    EXPECT_EQ(recorded.pixels, plain.p.pixels);

    const std::vector<aoRecordedCommand>& c = recorder.commands();
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].code, AOCMD_LINE);
    EXPECT_EQ(std::vector<int>(c[0].a, c[0].a + 5), (std::vector<int>{2, 3, 9, 3, 1}));
    const int font = aofont_find("6x13");
    EXPECT_EQ(c[1].code, AOCMD_TEXT);
    EXPECT_EQ(c[1].text, "ab");
    EXPECT_EQ(c[1].a[0], (24 - aofont_textwidth(font, "ab")) / 2);
    EXPECT_EQ(c[1].a[1], 4);
    EXPECT_EQ(c[1].font, font);
    EXPECT_EQ(c[2].code, AOCMD_TEXT);
    EXPECT_EQ(c[2].text, "x");
    EXPECT_EQ(c[3].code, AOCMD_FILLCIRCLE);
    EXPECT_TRUE(recorder.standsAlone());
    aographic_settarget(&recorder);
    aographic_floodfill(0, 0, 5);
    aographic_settarget(&plain.p);
    EXPECT_FALSE(recorder.standsAlone());
}
