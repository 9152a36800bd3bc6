// Fonts: the stored and built-in tables, lookup by name and handle, the text
// loader with broken input, text drawing and platform fonts.
#include "aotoolkit.h"
#include "harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The font texts built into the toolkit.
extern const std::vector<std::pair<std::string_view, std::string_view>> ao_stored_font_texts;

namespace {

// A stored-font text built here, so drawing can be checked pixel by pixel.
// Every glyph is `width` wide; ink(c, x, y) says which pixels are '*'.
std::string fontText(const std::string& name, int chars, int ysize, int width,
                     const std::function<bool(int, int, int)>& ink)
{
    std::string t = "header:\nname=" + name + "\nmonospace\nxsize=" + std::to_string(width) +
                    "\nysize=" + std::to_string(ysize) + "\nchars=" + std::to_string(chars) +
                    "\nascent=" + std::to_string(ysize - 1) + "\ndescent=1\npropxs=";
    for (int i = 0; i < chars; ++i) t += (i ? " " : "") + std::to_string(width);
    t += "\npropdataoffset=";
    for (int i = 0; i < chars; ++i) t += (i ? " " : "") + std::to_string(i * width * ysize);
    t += "\ndata:\n";
    for (int i = 0; i < chars; ++i)
        for (int y = 0; y < ysize; ++y) {
            for (int x = 0; x < width; ++x) t += ink(32 + i, x, y) ? '*' : '.';
            t += '\n';
        }
    return t;
}

// 'A' and byte 255 are solid 2 x 3 blocks; everything else is blank.
std::string blockFont(const std::string& name)
{
    return fontText(name, 224, 3, 2, [](int c, int, int) { return c == 'A' || c == 255; });
}

aoPixmap canvas(int w, int h)
{
    aoPixmap p;
    p.width = w;
    p.height = h;
    p.format = AOPX_TRUECOLOR;
    p.pixels.assign(static_cast<size_t>(w) * h, 0xFFFFFF);
    return p;
}

// Columns x..x+w-1, rows y..y+h-1 hold `colour` and nothing else does.
::testing::AssertionResult onlyBlock(const aoPixmap& p, int x, int y, int w, int h, uint32_t colour)
{
    for (int py = 0; py < p.height; ++py)
        for (int px = 0; px < p.width; ++px) {
            bool inside = px >= x && px < x + w && py >= y && py < y + h;
            uint32_t want = inside ? colour : 0xFFFFFF;
            if (p.row(py)[px] != want)
                return ::testing::AssertionFailure()
                       << "pixel (" << px << "," << py << ") is " << std::hex << p.row(py)[px]
                       << ", expected " << want;
        }
    return ::testing::AssertionSuccess();
}

int countInk(const aoFont* f, int character)
{
    int i = character - 32, n = 0;
    for (int k = 0; k < f->widths[i] * f->ysize; ++k) n += f->glyphs[f->offsets[i] + k];
    return n;
}

int tableSize()
{
    int n = 0;
    while (aofont_record(n)) ++n;
    return n;
}

} // namespace

// ---------------------------------------------------------------- stored and built-in tables

TEST(FontTables, StoredFontsHaveTheTableCells)
{
    aofont_loadarial();
    aofont_loadcouriernew();
    struct Row {
        int size, xsize, ysize, ascent, descent;
    };
    const Row arial[] = {{10, 10, 10, 8, 2},  {12, 12, 12, 9, 3},  {14, 14, 14, 11, 3},
                         {16, 17, 16, 13, 3}, {18, 21, 18, 15, 3}, {20, 22, 19, 15, 4},
                         {22, 25, 22, 18, 4}, {24, 27, 24, 19, 5}, {26, 30, 26, 21, 5},
                         {28, 32, 28, 23, 5}, {36, 41, 36, 29, 7}, {40, 18, 40, 32, 8},
                         {44, 18, 44, 35, 9}, {48, 54, 47, 38, 9}};
    for (const Row& r : arial)
        for (const char* suffix : {"", "b"}) {
            std::string name = "Arial" + std::to_string(r.size) + suffix;
            const aoFont* f = aofont_record(aofont_find(name));
            ASSERT_NE(f, nullptr) << name;
            EXPECT_EQ(f->name, name);
            EXPECT_EQ(f->key, "name=" + name);
            EXPECT_EQ(f->xsize, r.xsize) << name;
            EXPECT_EQ(f->ysize, r.ysize) << name;
            EXPECT_EQ(f->ascent, r.ascent) << name;
            EXPECT_EQ(f->descent, r.descent) << name;
            EXPECT_EQ(f->kind, 2) << name;
            EXPECT_EQ(f->chars, 224) << name;
            EXPECT_EQ(f->weight, *suffix ? 2 : 0) << name;
        }
    const int crnew[][3] = {{10, 5, 8},   {12, 6, 12},  {14, 7, 14},  {16, 9, 16},  {18, 11, 18},
                            {20, 11, 20}, {22, 13, 22}, {24, 15, 24}, {26, 15, 25}, {28, 16, 27},
                            {36, 21, 36}, {48, 30, 47}, {72, 44, 71}};
    for (const auto& r : crnew)
        for (const char* suffix : {"", "b"}) {
            std::string name = "crnew" + std::to_string(r[0]) + suffix;
            const aoFont* f = aofont_record(aofont_find(name));
            ASSERT_NE(f, nullptr) << name;
            int ysize = (r[0] == 10 && *suffix) ? 10 : r[2];
            EXPECT_EQ(f->xsize, r[1]) << name;
            EXPECT_EQ(f->ysize, ysize) << name;
            EXPECT_EQ(f->ascent + f->descent, ysize) << name;
            EXPECT_EQ(f->kind, 1) << name;
            EXPECT_EQ(f->chars, 224) << name;
            for (int i = 0; i < 224; ++i) ASSERT_EQ(f->widths[i], r[1]) << name << " glyph " << i;
        }
}

TEST(FontTables, BuiltinsHaveTheirKeysAndCells)
{
    aofont_loadbuiltins();
    struct Row {
        const char *name, *key;
        int xsize, ysize, chars, kind;
    };
    const Row rows[] = {{"12x24", "builtin 12x24", 12, 24, 223, 1},
                        {"5x7", "builtin 5x7", 5, 7, 224, 1},
                        {"6x13b", "builtin 6x13 bold", 6, 13, 224, 1},
                        {"6x13", "builtin 6x13", 6, 13, 224, 1},
                        {"6x8", "builtin 6x8", 6, 8, 224, 1},
                        {"8x16b", "builtin 8x16 bold", 8, 16, 223, 1},
                        {"8x16", "builtin 8x16", 8, 16, 223, 1},
                        {"8x8", "builtin 8x8", 8, 8, 224, 1},
                        {"9x15b", "builtin 9x15 bold", 9, 15, 224, 1},
                        {"9x15", "builtin 9x15", 9, 15, 224, 1},
                        {"var13", "builtin variable 13", 13, 13, 223, 2}};
    for (const Row& r : rows) {
        const aoFont* f = aofont_record(aofont_find(r.name));
        ASSERT_NE(f, nullptr) << r.name;
        EXPECT_EQ(f->key, r.key);
        EXPECT_EQ(f->ysize, r.ysize) << r.name;
        EXPECT_EQ(f->chars, r.chars) << r.name;
        EXPECT_EQ(f->kind, r.kind) << r.name;
        EXPECT_EQ(f->ascent + f->descent, r.ysize) << r.name;
        if (r.kind == 1) {
            EXPECT_EQ(f->xsize, r.xsize) << r.name;
            EXPECT_EQ(aofont_charwidth(f->handle, 'W'), r.xsize) << r.name;
        }
        if (r.chars == 223) {
            EXPECT_EQ(aofont_charwidth(f->handle, 255), 0) << r.name;
        }
    }
}

TEST(FontTables, EveryFontHasGermanLettersTheEuroSignAndSchoolNotation)
{
    aofont_loadbuiltins();
    aofont_loadarial();
    aofont_loadcouriernew();
    // Windows-1252: a-umlaut, sharp s, degree sign, euro sign, O-umlaut, and
    // the school notation's middle dot, squared and cubed, and the minus sign and
    // "almost equal" that the encoding puts into the code page's holes.
    const unsigned char minusSign = static_cast<unsigned char>(ao_utf8_to_cp1252("−")[0]);
    const unsigned char almostEqual = static_cast<unsigned char>(ao_utf8_to_cp1252("≈")[0]);
    ASSERT_NE(minusSign, '?');
    ASSERT_NE(almostEqual, '?');
    EXPECT_EQ(ao_cp1252_to_utf8(ao_utf8_to_cp1252("−≈")), "−≈");
    const int needed[] = {0xE4, 0xDF, 0xB0, 0x80, 0xD6, 'A', 'g', '4', 0xB7, 0xB2, 0xB3, ',', minusSign, almostEqual};
    // The shipped fonts only: other tests register fonts of their own.
    std::set<std::string, std::less<>> shipped;
    for (const auto& [file, text] : ao_stored_font_texts) {
        const size_t at = text.find("name=");
        if (at != std::string_view::npos) shipped.insert(std::string(text.substr(at + 5, text.find_first_of("\r\n", at) - at - 5)));
    }
    for (int i = 0; aofont_record(i); ++i) {
        const aoFont* f = aofont_record(i);
        if (!shipped.count(f->name)) continue;
        size_t pixels = 0;
        for (int c = 0; c < f->chars; ++c) pixels += static_cast<size_t>(f->widths[c]) * f->ysize;
        ASSERT_EQ(f->glyphs.size(), pixels) << f->name;
        for (int c : needed) EXPECT_GT(countInk(f, c), 0) << f->name << " char " << c;
        EXPECT_EQ(countInk(f, ' '), 0) << f->name;
        // The umlaut's dots make it inkier than the plain letter.
        EXPECT_GT(countInk(f, 0xE4), countInk(f, 'a')) << f->name;
    }
}

// ---------------------------------------------------------------- lookup and handles

TEST(FontLookup, NamesMatchCaseInsensitively)
{
    aofont_loadarial();
    aofont_loadcouriernew();
    int arial = aofont_find("Arial28");
    ASSERT_GE(arial, 1000000);
    EXPECT_EQ(aofont_find("arial28"), arial);
    EXPECT_EQ(aofont_find("ARIAL28"), arial);
    EXPECT_EQ(aofont_get("arial%d", 28), arial);
    const aoFont* crnew = aofont_record(aofont_find("CRNEW28B"));
    ASSERT_NE(crnew, nullptr);
    EXPECT_EQ(crnew->name, "crnew28b");
    EXPECT_EQ(aofont_find("Arial29"), -1);
}

TEST(FontLookup, LoadingTheSameFontTwiceKeepsOneRecord)
{
    std::string text = blockFont("TwiceLoaded");
    int first = aofont_loadtext(text);
    ASSERT_GE(first, 1000000);
    int size = tableSize();
    EXPECT_EQ(aofont_loadtext(text), first);
    EXPECT_EQ(tableSize(), size);
    aofont_loadarial();
    aofont_loadcouriernew();
    size = tableSize();
    int arial = aofont_find("Arial20");
    aofont_loadarial();
    aofont_loadcouriernew();
    EXPECT_EQ(tableSize(), size);
    EXPECT_EQ(aofont_find("Arial20"), arial);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(aofont_load(lines), first);
}

TEST(FontLookup, HandlesNameIdsIndexesAndTheDefaultFonts)
{
    const aoFont* f6x13 = aofont_record(-1);
    ASSERT_NE(f6x13, nullptr);
    EXPECT_EQ(f6x13->name, "6x13");
    EXPECT_EQ(aofont_record(-3), f6x13);
    const aoFont* var = aofont_record(-2);
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(var->name, "var13");
    EXPECT_EQ(var->kind, 2);
    EXPECT_EQ(aofont_height(-1), 13);
    EXPECT_EQ(aofont_height(-2), 13);

    EXPECT_EQ(aofont_record(f6x13->handle), f6x13);
    int n = tableSize();
    ASSERT_GT(n, 0);
    EXPECT_EQ(aofont_record(aofont_record(0)->handle), aofont_record(0));
    EXPECT_EQ(aofont_record(n), nullptr);
    EXPECT_EQ(aofont_record(-4), nullptr);
    EXPECT_EQ(aofont_record(999999), nullptr);
    EXPECT_EQ(aofont_height(-4), 0);
    EXPECT_EQ(aofont_textwidth(-4, "abc"), 0);
}

TEST(FontLookup, FontKeyKnowsTheBuiltinAliases)
{
    // Each alias registers its built-in on first use, so look up afterwards.
    const std::pair<const char*, const char*> aliases[] = {
        {"6x13bold", "6x13b"},  {"6X13B", "6x13b"},      {"9x15bold", "9x15b"},
        {"8x16bold", "8x16b"},  {"8x16", "8x16"},        {"5x7", "5x7"},
        {"8x8", "8x8"},         {"var13", "var13"},      {"variable13", "var13"},
        {"13var", "var13"},     {"13variable", "var13"}, {" 9x15 ", "9x15"}};
    for (const auto& [alias, name] : aliases) {
        int h = aooption_fontkey(alias);
        EXPECT_GE(h, 1000000) << alias;
        EXPECT_EQ(h, aofont_find(name)) << alias;
    }
    EXPECT_GE(aooption_fontkey("12x24"), 1000000);
    aofont_loadarial();
    EXPECT_EQ(aooption_fontkey("arial16b"), aofont_find("Arial16b"));

    CaptureStdio out;
    EXPECT_EQ(aooption_fontkey("Comic17"), -1);
    EXPECT_EQ(out.out, "font not loaded/found: Comic17\n");
}

// ---------------------------------------------------------------- widths

TEST(FontMetrics, TextWidthIsTheSumOfCharacterWidths)
{
    aofont_loadarial();
    int h = aofont_find("Arial28");
    std::string text = ao_utf8_to_cp1252("Lösung: 3/4 ° €");
    int sum = 0;
    for (unsigned char c : text) sum += aofont_charwidth(h, c);
    EXPECT_EQ(aofont_textwidth(h, text.c_str()), sum);
    EXPECT_GT(aofont_charwidth(h, 'W'), aofont_charwidth(h, 'i'));
    // A signed char is taken as its byte.
    EXPECT_EQ(aofont_charwidth(h, static_cast<char>(0xF6)), aofont_charwidth(h, 0xF6));
    // Control characters do not advance.
    EXPECT_EQ(aofont_textwidth(h, "ab\x01\t\ncd"), aofont_textwidth(h, "abcd"));
    EXPECT_EQ(aofont_charwidth(h, 10), 0);
    EXPECT_EQ(aofont_textwidth(h, nullptr), 0);
}

// ---------------------------------------------------------------- drawing

TEST(FontDrawing, GlyphInkLandsAtTheCellAndNothingElseChanges)
{
    int h = aofont_loadtext(blockFont("BlockA"));
    ASSERT_GE(h, 0);
    aoPixmap p = canvas(10, 10);
    aofont_drawtext(&p, h, 3, 2, 0x123456, "A");
    EXPECT_TRUE(onlyBlock(p, 3, 2, 2, 3, 0x123456));
}

TEST(FontDrawing, LineFeedReturnsToStartOneFontHeightLower)
{
    int h = aofont_loadtext(blockFont("BlockA"));
    aoPixmap p = canvas(10, 10);
    aofont_drawtext(&p, h, 4, 0, 0xFF0000, " \nA");
    EXPECT_TRUE(onlyBlock(p, 4, 3, 2, 3, 0xFF0000));
}

TEST(FontDrawing, Byte255AdvancesWithoutDrawing)
{
    int h = aofont_loadtext(blockFont("BlockA"));
    aoPixmap p = canvas(10, 10);
    aofont_drawtext(&p, h, 1, 1, 0, "\xFF" "A");
    EXPECT_TRUE(onlyBlock(p, 3, 1, 2, 3, 0));
}

TEST(FontDrawing, BytesBelow32NeitherDrawNorAdvance)
{
    int h = aofont_loadtext(blockFont("BlockA"));
    aoPixmap p = canvas(10, 10);
    aofont_drawtext(&p, h, 1, 1, 0, "\x01\t\r\x1F" "A");
    EXPECT_TRUE(onlyBlock(p, 1, 1, 2, 3, 0));
}

TEST(FontDrawing, TextIsClippedToThePixmap)
{
    int h = aofont_loadtext(blockFont("BlockA"));
    aoPixmap p = canvas(4, 4);
    aofont_drawtext(&p, h, -1, -2, 0, "A");
    EXPECT_TRUE(onlyBlock(p, 0, 0, 1, 1, 0));
    p = canvas(4, 4);
    aofont_drawtext(&p, h, 3, 3, 0, "AAAA\nAAAA");
    EXPECT_TRUE(onlyBlock(p, 3, 3, 1, 1, 0));
    p = canvas(4, 4);
    aofont_drawtext(&p, h, 2000000000, -2000000000, 0, "AAAA\nA");
    EXPECT_TRUE(onlyBlock(p, 0, 0, 0, 0, 0));
    aoPixmap empty;
    aofont_drawtext(&empty, h, 0, 0, 0, "A");
    aofont_drawtext(nullptr, h, 0, 0, 0, "A");
}

TEST(FontDrawing, StoredFontDrawsTheSamePixelsAsItsGlyph)
{
    aofont_loadarial();
    const aoFont* f = aofont_record(aofont_find("Arial16"));
    ASSERT_NE(f, nullptr);
    aoPixmap p = canvas(40, 20);
    aofont_drawtext(&p, f->handle, 0, 0, 0, "\xE4"); // a-umlaut
    int i = 0xE4 - 32;
    for (int y = 0; y < f->ysize; ++y)
        for (int x = 0; x < f->widths[i]; ++x)
            ASSERT_EQ(p.row(y)[x] == 0, f->glyphs[f->offsets[i] + y * f->widths[i] + x] == 1)
                << x << "," << y;
}

// Every glyph of fonts narrow, wide and just past the width drawn from bit
// masks, put near every edge: exactly its ink inside the pixmap changes.
TEST(FontDrawing, EveryGlyphWritesItsInkClippedAtEveryEdge)
{
    aofont_loadarial();
    const auto pattern = [](int c, int x, int y) { return (c * 7 + x * 3 + y * 5) % 4 == 0 || x == 63; };
    std::vector<int> handles = {aofont_find("Arial16"), aofont_loadtext(fontText("Wide64", 224, 5, 64, pattern)),
                                aofont_loadtext(fontText("Wide65", 224, 5, 65, pattern))};
    handles.push_back(aooption_fontkey("9x15"));
    for (int h : handles) {
        const aoFont* f = aofont_record(h);
        ASSERT_NE(f, nullptr);
        const int width = 90, height = 30;
        for (int c = 33; c < 256; ++c) {
            const char text[2] = {static_cast<char>(c), 0};
            const int i = c - 32, w = f->widths[i];
            for (auto [x, y] : {std::pair{-w / 2 - 1, -3}, {width - w / 2, height - 4}, {5, 4}}) {
                aoPixmap p = canvas(width, height);
                aofont_drawtext(&p, h, x, y, 0x123456, text);
                for (int py = 0; py < height; ++py)
                    for (int px = 0; px < width; ++px) {
                        const int gx = px - x, gy = py - y;
                        const bool ink = c != 255 && gx >= 0 && gx < w && gy >= 0 && gy < f->ysize &&
                                         f->glyphs[f->offsets[i] + gy * w + gx];
                        if (p.row(py)[px] != (ink ? 0x123456u : 0xFFFFFFu))
                            FAIL() << f->name << " char " << c << " at " << x << "," << y << ": pixel " << px
                                   << "," << py;
                    }
            }
        }
    }
}

// ---------------------------------------------------------------- broken font texts

class FontLoaderRejects : public ::testing::Test {
protected:
    std::string good = blockFont("BrokenBase");

    std::string replace(const std::string& what, const std::string& with) const
    {
        std::string t = good;
        size_t at = t.find(what);
        EXPECT_NE(at, std::string::npos) << what;
        return at == std::string::npos ? t : t.replace(at, what.size(), with);
    }
    // Loads `text` under its own name and expects a refusal naming `why`.
    void refused(std::string text, const std::string& why)
    {
        static int n = 0;
        size_t at = text.find("name=BrokenBase");
        if (at != std::string::npos) text.replace(at, 15, "name=Broken" + std::to_string(++n));
        std::string err;
        EXPECT_EQ(aofont_loadtext(text, &err), -1) << why;
        EXPECT_NE(err.find(why), std::string::npos) << "message: " << err;
        EXPECT_EQ(err.find('\n'), std::string::npos);
    }
};

TEST_F(FontLoaderRejects, MissingPartsOfTheHeader)
{
    refused(replace("data:\n", ""), "data:");
    refused(replace("name=BrokenBase\n", ""), "name=");
    refused(replace("ysize=3\n", ""), "ysize=");
    refused(replace("chars=224\n", ""), "chars=");
    refused("", "data:");
    refused("data:\n", "name=");
}

TEST_F(FontLoaderRejects, SizesOutOfRange)
{
    refused(replace("ysize=3", "ysize=-3"), "ysize=-3");
    refused(replace("ysize=3", "ysize=0"), "ysize=0");
    refused(replace("ysize=3", "ysize=2000000000"), "ysize=2000000000");
    refused(replace("ysize=3", "ysize=99999999999999999999"), "bad number");
    refused(replace("ysize=3", "ysize=three"), "bad number");
    refused(replace("chars=224", "chars=300"), "chars=300");
    refused(replace("chars=224", "chars=-1"), "chars=-1");
    refused(replace("propxs=2 2", "propxs=-2 2"), "width -2");
    refused(replace("propxs=2 2", "propxs=5000 2"), "width 5000");
    refused(replace("propxs=2 2", "propxs=2 x"), "propxs=");
}

TEST_F(FontLoaderRejects, ListsThatDoNotMatchTheGlyphs)
{
    std::string fewWidths = good;
    size_t a = fewWidths.find("propxs=");
    size_t e = fewWidths.find('\n', a);
    fewWidths.replace(a, e - a, "propxs=2 2 2");
    refused(fewWidths, "3 widths for 224");
    refused(replace("propdataoffset=0 6 12", "propdataoffset=0 7 12"), "glyph 1 is 7");
    std::string fewOffsets = good;
    a = fewOffsets.find("propdataoffset=");
    e = fewOffsets.find('\n', a);
    fewOffsets.replace(a, e - a, "propdataoffset=0 6");
    refused(fewOffsets, "missing");
    std::string prop = replace("monospace", "proportional");
    a = prop.find("propxs=");
    e = prop.find('\n', a);
    prop.erase(a, e - a + 1);
    refused(prop, "propxs=");
}

TEST_F(FontLoaderRejects, TruncatedAndShortRows)
{
    refused(good.substr(0, good.size() - 3 * 3), "of 672 glyph rows");
    refused(good.substr(0, good.find("data:") + 6), "only 0 of 672");
    // The second row of glyph 33 ('A') one pixel short.
    size_t data = good.find("data:\n") + 6;
    size_t at = data + (33 * 3 + 1) * 3;
    std::string shortRow = good;
    shortRow.erase(at, 1);
    refused(shortRow, "row 1 of glyph 33");
}

TEST_F(FontLoaderRejects, ReportsOnTheConsoleWithoutErrorTarget)
{
    CaptureStdio out;
    EXPECT_EQ(aofont_loadtext(replace("data:\n", "")), -1);
    EXPECT_EQ(out.out, "aofont_load: no \"data:\" line\n");
    out.out.clear();
    EXPECT_EQ(aofont_load({"header:", "name=X", "ysize=1", "chars=1", "xsize=1", "data:"}), -1);
    EXPECT_EQ(out.out, "aofont_load: only 0 of 1 glyph rows after data:\n");
}

TEST(FontLoader, AcceptsCrLfAnyHeaderOrderAndLongRows)
{
    std::string text = "ysize=2\r\nchars=1\r\nname=Shuffled\r\nxsize=3\r\nheader:\r\ndata:\r\n*..**\r\n.*.\r\n";
    int h = aofont_loadtext(text);
    ASSERT_GE(h, 0);
    const aoFont* f = aofont_record(h);
    EXPECT_EQ(f->kind, 1);
    EXPECT_EQ(f->widths[0], 3);
    EXPECT_EQ(f->glyphs, (std::vector<uint8_t>{1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(aofont_charwidth(h, 'A'), 0); // beyond the one glyph
}

// ---------------------------------------------------------------- platform fonts

TEST(PlatformFonts, DescriptionMakesARegisteredFont)
{
    int h = aofont_get("Courier New,points=20,bold");
    ASSERT_GE(h, 1000000);
    const aoFont* f = aofont_record(h);
    EXPECT_EQ(f->key, "system font Courier New 20");
    EXPECT_EQ(f->name, "Courier New,points=20,bold");
    EXPECT_EQ(f->kind, 1);
    EXPECT_EQ(f->weight, 2);
    EXPECT_EQ(f->chars, 224);
    // 20 points at 96 dpi are about 27 pixels per em.
    EXPECT_GE(f->ysize, 26);
    EXPECT_LE(f->ysize, 40);
    EXPECT_EQ(f->ascent + f->descent, f->ysize);
    EXPECT_GT(countInk(f, 0xE4), countInk(f, 'a'));
    EXPECT_GT(countInk(f, 0x80), 0);
    EXPECT_EQ(aofont_get("Courier New,points=20,bold"), h);
    EXPECT_EQ(aofont_get("courier new,points=20,bold"), h);
}

TEST(PlatformFonts, SerifFaceSizeOnlyAndExtraWidth)
{
    const aoFont* roman = aofont_record(aofont_get("New Roman,points=12"));
    ASSERT_NE(roman, nullptr);
    EXPECT_EQ(roman->kind, 2);
    EXPECT_EQ(roman->key, "system font New Roman 12");
    const aoFont* bare = aofont_record(aofont_get("points=12"));
    ASSERT_NE(bare, nullptr);
    EXPECT_GT(bare->ysize, 10);
    const aoFont* wide = aofont_record(aofont_get("New Roman,points=12,xsextra=3"));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->widths['m' - 32], roman->widths['m' - 32] + 3);
    EXPECT_EQ(countInk(wide, 'm'), countInk(roman, 'm'));
}

// The probability formula is laid out for Times widths: "New Roman" must
// come out as the metric-compatible Liberation Serif, not any wider serif.
TEST(PlatformFonts, NewRomanHasTheWidthsOfTimes)
{
    const aoFont* roman = aofont_record(aofont_get("New Roman,points=12"));
    const aoFont* twin = aofont_record(aofont_get("Liberation Serif,points=12"));
    ASSERT_NE(roman, nullptr);
    ASSERT_NE(twin, nullptr);
    for (int c = 32; c < 127; ++c)
        EXPECT_EQ(roman->widths[c - 32], twin->widths[c - 32]) << static_cast<char>(c);
}

TEST(PlatformFonts, UnderlinedFontDrawsTheBottomRow)
{
    int h = aofont_get("Liberation Sans,points=12,underlined");
    const aoFont* f = aofont_record(h);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->underline);
    aoPixmap p = canvas(60, 30);
    aofont_drawtext(&p, h, 0, 0, 0, "a b");
    int w = aofont_textwidth(h, "a b");
    for (int x = 0; x < 60; ++x) EXPECT_EQ(p.row(f->ysize - 1)[x] == 0, x < w) << x;
}
