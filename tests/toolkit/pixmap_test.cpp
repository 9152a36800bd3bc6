// Pixmap storage: allocation, single pixels, fills and rectangle copies.
#include "aotoolkit.h"

#include <gtest/gtest.h>

namespace {

struct Capture : aoStdio {
    std::string text;
    aoStdio* previous = aogetstdio();
    Capture() { aosetstdio(this); }
    ~Capture() override { aosetstdio(previous); }
    void stdwrite(const char* t) override { text += t; }
    bool stdreadline(char*, int) override { return false; }
};

aoPixmap make(int w, int h, int format = AOPX_TRUECOLOR)
{
    aoPixmap p;
    p.width = w;
    p.height = h;
    p.format = format;
    EXPECT_TRUE(aopxmap_allocate(&p));
    return p;
}

TEST(Pixmap, AllocateZeroFillsAndGivesPalette)
{
    aoPixmap p = make(5, 3);
    ASSERT_EQ(p.pixels.size(), 15u);
    EXPECT_EQ(p.palette.size(), 256u);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++) EXPECT_EQ(aopxmap_getpixel(&p, x, y), 0);
}

TEST(Pixmap, AllocateRefusesUnknownFormatAndHugeSize)
{
    Capture out;
    aoPixmap p;
    p.width = p.height = 4;
    p.format = 9;
    EXPECT_FALSE(aopxmap_allocate(&p));
    EXPECT_EQ(out.text, "aopxmap_allocate: wrong format\n");

    p.format = AOPX_TRUECOLOR;
    p.width = AOPX_MAX_SIDE + 1;
    EXPECT_FALSE(aopxmap_allocate(&p));
    EXPECT_TRUE(p.pixels.empty());
}

TEST(Pixmap, UnsizedPictureStaysEmptyAndReadsNothing)
{
    aoPixmap p = make(-1, -1);
    EXPECT_TRUE(p.pixels.empty());
    EXPECT_EQ(aopxmap_getpixel(&p, 0, 0), -1);
    aopxmap_setpixel(&p, 0, 0, 1); // must not write anywhere
    aopxmap_fillrect(&p, 0, 0, 10, 10, 1);
    aopxmap_clear(&p, 1);
}

TEST(Pixmap, GetPixelOutsideIsMinusOne)
{
    aoPixmap p = make(4, 3);
    aopxmap_clear(&p, 0x123456);
    EXPECT_EQ(aopxmap_getpixel(&p, 3, 2), 0x123456);
    EXPECT_EQ(aopxmap_getpixel(&p, 4, 0), -1); // x = width
    EXPECT_EQ(aopxmap_getpixel(&p, 0, 3), -1);
    EXPECT_EQ(aopxmap_getpixel(&p, -1, 0), -1);
    EXPECT_EQ(aopxmap_getpixel(&p, 0, -1), -1);
}

TEST(Pixmap, SetPixelOutsideChangesNothing)
{
    aoPixmap p = make(3, 3);
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 3}, {0, -1}}) aopxmap_setpixel(&p, x, y, 7);
    for (uint32_t v : p.pixels) EXPECT_EQ(v, 0u);
    aopxmap_setpixel(&p, 2, 1, 0xABCDEF);
    EXPECT_EQ(p.pixels[1 * 3 + 2], 0xABCDEFu);
}

TEST(Pixmap, WrongFormatMessages)
{
    aoPixmap p = make(2, 2);
    p.format = 42;
    Capture out;
    aopxmap_setpixel(&p, 0, 0, 1);
    EXPECT_EQ(aopxmap_getpixel(&p, 0, 0), -1);
    EXPECT_EQ(out.text, "aopxmap_setpixel: wrong format 42\naopxmap_getpixel: wrong format\n");
}

TEST(Pixmap, Palette8ReadsThroughPalette)
{
    aoPixmap p = make(3, 2, AOPX_PALETTE8);
    p.palette[5] = 0x00FF80;
    aopxmap_setpixel(&p, 2, 1, 5);
    EXPECT_EQ(aopxmap_getpixel(&p, 2, 1), 0x00FF80);
    EXPECT_EQ(aopxmap_getpixel(&p, 1, 1), p.palette[0]);
    aopxmap_fillrect(&p, 0, 0, 2, 1, 5);
    EXPECT_EQ(aopxmap_getpixel(&p, 1, 0), 0x00FF80);
    EXPECT_EQ(aopxmap_getpixel(&p, 2, 0), 0);
}

TEST(Pixmap, Palette16KeepsColoursToFiveSixFiveBits)
{
    aoPixmap p = make(2, 2, AOPX_PALETTE16);
    aopxmap_setpixel(&p, 1, 1, 0xFFFFFF);
    aopxmap_setpixel(&p, 0, 1, 0xFF0000);
    EXPECT_EQ(aopxmap_getpixel(&p, 1, 1), 0xFFFFFF);
    EXPECT_EQ(aopxmap_getpixel(&p, 0, 1), 0xFF0000);
    EXPECT_EQ(aopxmap_getpixel(&p, 0, 0), 0);
}

TEST(PixmapFillRect, ClippedAtEveryEdge)
{
    aoPixmap p = make(4, 4);
    aopxmap_fillrect(&p, -2, -1, 4, 3, 9); // covers x 0..1, y 0..1
    aopxmap_fillrect(&p, 3, 3, 100, 100, 8);
    const char* expected[] = {"99..", "99..", "....", "...8"};
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++) {
            const char e = expected[y][x];
            EXPECT_EQ(aopxmap_getpixel(&p, x, y), e == '.' ? 0 : e - '0') << x << "," << y;
        }
}

TEST(PixmapFillRect, OutsideOrEmptyDrawsNothing)
{
    aoPixmap p = make(4, 4);
    aopxmap_fillrect(&p, 4, 0, 3, 3, 1);
    aopxmap_fillrect(&p, -3, 0, 3, 3, 1);
    aopxmap_fillrect(&p, 0, -5, 3, 5, 1);
    aopxmap_fillrect(&p, 1, 1, 0, 3, 1);
    aopxmap_fillrect(&p, 1, 1, 2, -1, 1);
    aopxmap_fillrect(&p, 2147483000, 2147483000, 2147483000, 2147483000, 1); // no wrap
    for (uint32_t v : p.pixels) EXPECT_EQ(v, 0u);
}

TEST(PixmapMerge, CopiesClippedToBothPictures)
{
    aoPixmap src = make(3, 3), dst = make(4, 4);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 3; x++) aopxmap_setpixel(&src, x, y, 10 * y + x + 1);
    aopxmap_merge4(&dst, &src, 2, -1, 0, 0, 3, 3, 0, 0);
    // Destination rows 0..1 get source rows 1..2, columns 2..3 get source columns 0..1.
    EXPECT_EQ(aopxmap_getpixel(&dst, 2, 0), 11);
    EXPECT_EQ(aopxmap_getpixel(&dst, 3, 1), 22);
    EXPECT_EQ(aopxmap_getpixel(&dst, 1, 0), 0);
    EXPECT_EQ(aopxmap_getpixel(&dst, 2, 2), 0);

    aoPixmap d2 = make(4, 4);
    aopxmap_merge4(&d2, &src, 0, 0, 2, 2, 4, 4, 0, 0); // source runs out after one pixel
    EXPECT_EQ(aopxmap_getpixel(&d2, 0, 0), 23);
    EXPECT_EQ(aopxmap_getpixel(&d2, 1, 0), 0);
    EXPECT_EQ(aopxmap_getpixel(&d2, 0, 1), 0);
}

TEST(PixmapMerge, TransparentFlagSkipsTransparentColour)
{
    aoPixmap src = make(2, 1), dst = make(2, 1);
    src.palette[255] = 0x0000FF;
    aopxmap_setpixel(&src, 0, 0, 0x0000FF);
    aopxmap_setpixel(&src, 1, 0, 0x112233);
    aopxmap_clear(&dst, 0x777777);
    aopxmap_merge4(&dst, &src, 0, 0, 0, 0, 2, 1, 1, 0);
    EXPECT_EQ(aopxmap_getpixel(&dst, 0, 0), 0x777777);
    EXPECT_EQ(aopxmap_getpixel(&dst, 1, 0), 0x112233);
}

TEST(PixmapMerge, UnsupportedFormatsMessage)
{
    aoPixmap src = make(2, 2), dst = make(2, 2, AOPX_PALETTE16);
    Capture out;
    aopxmap_merge4(&dst, &src, 0, 0, 0, 0, 2, 2, 0, 0);
    EXPECT_EQ(out.text, "aopxmap_merge4: unsupported formats: 3 -> 2\n");
}

} // namespace
