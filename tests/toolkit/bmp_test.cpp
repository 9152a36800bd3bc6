// BMP writer and reader: round trips, cutting at pixmap edges, the formats
// beyond 24-bit, and broken files.
#include "aotoolkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <unistd.h>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct Capture : aoStdio {
    std::string text;
    aoStdio* previous = aogetstdio();
    Capture() { aosetstdio(this); }
    ~Capture() override { aosetstdio(previous); }
    void stdwrite(const char* t) override { text += t; }
    bool stdreadline(char*, int) override { return false; }
};

fs::path scratch(const std::string& name)
{
    fs::path dir = fs::temp_directory_path() / ("ziffron_bmp_test_" + std::to_string(getpid()));
    fs::create_directories(dir);
    return dir / name;
}

void writeFile(const fs::path& p, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void put32(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    for (int i = 0; i < 4; i++) v[at + i] = (x >> (8 * i)) & 0xFF;
}

// A picture whose every pixel tells where it is.
std::vector<uint32_t> pattern(int w, int h)
{
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            px[static_cast<size_t>(y) * w + x] = ((x * 16) & 0xFF) << 16 | ((y * 16) & 0xFF) << 8 | (0x40 ^ ((x >> 4) & 0x3F));
    return px;
}

aoPixmap truecolor(int w, int h)
{
    aoPixmap p;
    p.width = w;
    p.height = h;
    EXPECT_TRUE(aopxmap_allocate(&p));
    return p;
}

// Builds a BMP with an info header of 40 bytes, optional palette and raw rows
// given in file order.
std::vector<uint8_t> bmpBytes(int w, int h, int bpp, int compression, const std::vector<uint32_t>& palette,
                              const std::vector<uint8_t>& rows)
{
    const size_t offset = 54 + palette.size() * 4;
    std::vector<uint8_t> b(offset, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(offset + rows.size()));
    put32(b, 10, static_cast<uint32_t>(offset));
    put32(b, 14, 40);
    put32(b, 18, static_cast<uint32_t>(w));
    put32(b, 22, static_cast<uint32_t>(h));
    b[26] = 1;
    b[28] = static_cast<uint8_t>(bpp);
    put32(b, 30, static_cast<uint32_t>(compression));
    put32(b, 46, static_cast<uint32_t>(palette.size()));
    for (size_t i = 0; i < palette.size(); i++) put32(b, 54 + i * 4, palette[i]);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

TEST(BmpEncode, HeaderAndPaddedRowsAsWritten)
{
    const std::vector<uint32_t> px = {0x112233, 0x445566, 0x778899, 0xAABBCC}; // 2 x 2
    const std::vector<uint8_t> b = aobmp_encode(px.data(), 2, 2);
    ASSERT_EQ(b.size(), 54u + 2 * 8);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(b[2], 70);
    EXPECT_EQ(b[10], 54);
    EXPECT_EQ(b[14], 40);
    EXPECT_EQ(b[28], 24);
    // Bottom row first, blue green red, two padding bytes.
    const uint8_t firstRow[] = {0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0, 0};
    EXPECT_EQ(std::memcmp(b.data() + 54, firstRow, 8), 0);
    EXPECT_TRUE(aobmp_encode(px.data(), 0, 2).empty());
}

TEST(BmpRoundTrip, WidthNotMultipleOfFourShowsNoShear)
{
    // Also widths past the eight-pixel steps of the fast reader, and its tail.
    for (int w : {1, 2, 3, 5, 7, 9, 10, 11, 17, 641}) {
        const int h = 4;
        const auto px = pattern(w, h);
        const fs::path file = scratch("shear.bmp");
        writeFile(file, aobmp_encode(px.data(), w, h));
        int fw = 0, fh = 0;
        ASSERT_TRUE(aobmp_readsize(file.c_str(), fw, fh));
        EXPECT_EQ(fw, w);
        EXPECT_EQ(fh, h);
        aoPixmap p = truecolor(w, h);
        ASSERT_TRUE(aopxmap_loadfromfile_bmp(&p, file.c_str(), "", 0, 0, -1, -1));
        EXPECT_EQ(p.pixels, px) << "width " << w;
    }
}

TEST(BmpRoundTrip, SaveThenDecode)
{
    aoPixmap p = truecolor(6, 3);
    p.pixels = pattern(6, 3);
    const fs::path file = scratch("save.bmp");
    ASSERT_TRUE(aopxmap_savetofile_bmp(&p, file.c_str()));
    const auto bytes = readFile(file);
    aoPixmap q;
    std::string err;
    ASSERT_TRUE(aobmp_decode(bytes.data(), bytes.size(), &q, err)) << err;
    EXPECT_EQ(q.width, 6);
    EXPECT_EQ(q.height, 3);
    EXPECT_EQ(q.pixels, p.pixels);
}

TEST(BmpReader, LargerFileIsCutAtPixmapEdges)
{
    const auto px = pattern(7, 5);
    const fs::path file = scratch("big.bmp");
    writeFile(file, aobmp_encode(px.data(), 7, 5));
    aoPixmap p = truecolor(4, 3);
    ASSERT_TRUE(aopxmap_loadfromfile_bmp(&p, file.c_str(), "", 0, 0, -1, -1));
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) EXPECT_EQ(aopxmap_getpixel(&p, x, y), static_cast<int>(px[y * 7 + x]));
    EXPECT_EQ(aopxmap_getpixel(&p, 4, 0), -1);
}

TEST(BmpReader, OffsetPlacesPictureAndCuts)
{
    const auto px = pattern(3, 3);
    const fs::path file = scratch("offset.bmp");
    writeFile(file, aobmp_encode(px.data(), 3, 3));
    aoPixmap p = truecolor(4, 4);
    aopxmap_clear(&p, 0xFFFFFF);
    ASSERT_TRUE(aopxmap_loadfromfile_bmp(&p, file.c_str(), "", 2, 1, -1, -1));
    EXPECT_EQ(aopxmap_getpixel(&p, 1, 1), 0xFFFFFF);
    EXPECT_EQ(aopxmap_getpixel(&p, 2, 1), static_cast<int>(px[0]));
    EXPECT_EQ(aopxmap_getpixel(&p, 3, 3), static_cast<int>(px[2 * 3 + 1]));
    EXPECT_EQ(aopxmap_getpixel(&p, 0, 0), 0xFFFFFF);
}

TEST(BmpReader, TransparentColourOption)
{
    const auto px = pattern(2, 2);
    const fs::path file = scratch("transparent.bmp");
    writeFile(file, aobmp_encode(px.data(), 2, 2));
    aoPixmap p = truecolor(2, 2);
    ASSERT_TRUE(aopxmap_loadfromfile_bmp(&p, file.c_str(), "x,transparentcolor=ff00ff", 0, 0, -1, -1));
    EXPECT_EQ(p.palette[255], 0xFF00FF);
}

TEST(BmpReader, TrailingBytesAfterRowsKeepPictureUpright)
{
    const auto px = pattern(3, 4);
    auto bytes = aobmp_encode(px.data(), 3, 4);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7}); // metadata some writers append
    aoPixmap q;
    std::string err;
    ASSERT_TRUE(aobmp_decode(bytes.data(), bytes.size(), &q, err)) << err;
    EXPECT_EQ(q.pixels, px);
}

TEST(BmpReader, OtherFormatsDecodeCorrectly)
{
    aoPixmap q;
    std::string err;

    // 8-bit palette, 3 x 2, bottom-up, rows padded to 4 bytes.
    auto b8 = bmpBytes(3, 2, 8, 0, {0x0000FF, 0x00FF00, 0xFF0000}, {2, 1, 0, 0, 0, 1, 2, 0});
    ASSERT_TRUE(aobmp_decode(b8.data(), b8.size(), &q, err)) << err;
    EXPECT_EQ(q.pixels, (std::vector<uint32_t>{0x0000FF, 0x00FF00, 0xFF0000, 0xFF0000, 0x00FF00, 0x0000FF}));

    // 24-bit top-down (negative height).
    auto td = bmpBytes(1, -2, 24, 0, {}, {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0});
    ASSERT_TRUE(aobmp_decode(td.data(), td.size(), &q, err)) << err;
    EXPECT_EQ(q.pixels, (std::vector<uint32_t>{0x302010, 0x605040}));

    // 32-bit BGRX.
    auto b32 = bmpBytes(2, 1, 32, 0, {}, {0x01, 0x02, 0x03, 0xFF, 0x04, 0x05, 0x06, 0x00});
    ASSERT_TRUE(aobmp_decode(b32.data(), b32.size(), &q, err)) << err;
    EXPECT_EQ(q.pixels, (std::vector<uint32_t>{0x030201, 0x060504}));

    // 1-bit, 10 pixels wide: bits run across the first byte into the second.
    auto b1 = bmpBytes(10, 1, 1, 0, {0x000000, 0xFFFFFF}, {0b10100000, 0b01000000, 0, 0});
    ASSERT_TRUE(aobmp_decode(b1.data(), b1.size(), &q, err)) << err;
    EXPECT_EQ(q.pixels[0], 0xFFFFFFu);
    EXPECT_EQ(q.pixels[1], 0u);
    EXPECT_EQ(q.pixels[2], 0xFFFFFFu);
    EXPECT_EQ(q.pixels[9], 0xFFFFFFu);
    EXPECT_EQ(q.pixels[8], 0u);

    // 16-bit 5-5-5: pure red.
    auto b16 = bmpBytes(1, 1, 16, 0, {}, {0x00, 0x7C, 0, 0});
    ASSERT_TRUE(aobmp_decode(b16.data(), b16.size(), &q, err)) << err;
    EXPECT_EQ(q.pixels[0], 0xFF0000u);
}

TEST(BmpReader, Palette8PixmapKeepsIndices)
{
    auto b8 = bmpBytes(2, 1, 8, 0, {0x0000FF, 0x00FF00}, {1, 0, 0, 0});
    const fs::path file = scratch("pal.bmp");
    writeFile(file, b8);
    aoPixmap p;
    p.width = 2;
    p.height = 1;
    p.format = AOPX_PALETTE8;
    ASSERT_TRUE(aopxmap_allocate(&p));
    ASSERT_TRUE(aopxmap_loadfromfile_bmp(&p, file.c_str(), "", 0, 0, -1, -1));
    EXPECT_EQ(aopxmap_getpixel(&p, 0, 0), 0x00FF00);
    EXPECT_EQ(aopxmap_getpixel(&p, 1, 0), 0x0000FF);
}

TEST(BmpReader, OtherPixmapFormatsRefused)
{
    const auto px = pattern(2, 2);
    const fs::path file = scratch("fmt.bmp");
    writeFile(file, aobmp_encode(px.data(), 2, 2));
    aoPixmap p;
    p.width = p.height = 2;
    p.format = AOPX_PALETTE16;
    ASSERT_TRUE(aopxmap_allocate(&p));
    Capture out;
    EXPECT_FALSE(aopxmap_loadfromfile_bmp(&p, file.c_str(), "", 0, 0, -1, -1));
    EXPECT_EQ(out.text, "aopxmap_loadfromfile_bmp: PX-Format 2 not supported (should load and copy then)\n");
}

TEST(BmpReader, MissingFileIsFalseWithMessage)
{
    aoPixmap p = truecolor(2, 2);
    Capture out;
    EXPECT_FALSE(aopxmap_loadfromfile_bmp(&p, "/nonexistent/x.bmp", "", 0, 0, -1, -1));
    EXPECT_NE(out.text.find("/nonexistent/x.bmp"), std::string::npos);
    int w = 5, h = 5;
    EXPECT_FALSE(aobmp_readsize("/nonexistent/x.bmp", w, h));
}

// Every broken file in the collection: one line naming the fault, false, the
// pixmap untouched.
TEST(BmpMalformed, EveryFileRefusedWithOneLine)
{
    const struct {
        const char* file;
        const char* says;
    } cases[] = {
        {"header_truncated.bmp", "BMP header truncated: 30 of 54 bytes"},
        {"rows_truncated.bmp", "BMP pixel data truncated: 53 of 96 bytes"},
        {"zero_width.bmp", "BMP size invalid: 0 x 4"},
        {"negative_width.bmp", "BMP size invalid: -3 x 4"},
        {"too_large.bmp", "BMP too large: 20000 x 2"},
        {"overflow.bmp", "BMP too large"},
        {"claims_more_data.bmp", "BMP pixel data truncated: 300 of 30000 bytes"},
        {"rle8.bmp", "BMP compression RLE8 not supported"},
        {"bpp_7.bmp", "BMP with 7 bits per pixel not supported"},
        {"offset_in_header.bmp", "lies inside the header"},
        {"offset_past_end.bmp", "BMP pixel data truncated: 0 of"},
        {"not_a_bmp.bmp", "not a BMP file"},
        {"int_min_height.bmp", "BMP too large: 2 x 2147483648"},
        {"huge_infosize.bmp", "info header size"},
        {"palette_truncated.bmp", "BMP palette truncated"},
    };
    for (const auto& c : cases) {
        const std::string path = std::string(ZIFFRON_TEST_DATA) + "/malformed/" + c.file;
        aoPixmap p = truecolor(3, 3);
        aopxmap_clear(&p, 0x5A5A5A);
        Capture out;
        EXPECT_FALSE(aopxmap_loadfromfile_bmp(&p, path.c_str(), "", 0, 0, -1, -1)) << c.file;
        EXPECT_NE(out.text.find(c.says), std::string::npos) << c.file << ": " << out.text;
        EXPECT_EQ(std::count(out.text.begin(), out.text.end(), '\n'), 1) << c.file;
        for (uint32_t v : p.pixels) EXPECT_EQ(v, 0x5A5A5Au) << c.file;

        const auto bytes = readFile(path);
        aoPixmap q;
        std::string err;
        EXPECT_FALSE(aobmp_decode(bytes.data(), bytes.size(), &q, err)) << c.file;
        EXPECT_FALSE(err.empty());
    }
}

TEST(BmpMalformed, EveryPrefixOfAGoodFileIsSafe)
{
    const auto px = pattern(5, 3);
    const auto good = aobmp_encode(px.data(), 5, 3);
    for (size_t n = 0; n < good.size(); n++) {
        aoPixmap q;
        std::string err;
        EXPECT_FALSE(aobmp_decode(good.data(), n, &q, err)) << n;
    }
    aoPixmap q;
    std::string err;
    EXPECT_TRUE(aobmp_decode(good.data(), good.size(), &q, err));
    EXPECT_FALSE(aobmp_decode(nullptr, 0, &q, err));
}

} // namespace
