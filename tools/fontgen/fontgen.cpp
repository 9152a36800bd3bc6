// ziffron-fontgen: writes the toolkit's stored bitmap fonts as text files.
//
//   ziffron-fontgen OUTDIR [--liberation DIR] [--misc DIR]
//
// "Arial.." fonts come from Liberation Sans, "crnew.." from Liberation Mono
// (both metric-compatible with the faces the names promise), the built-ins
// from the X11 misc-fixed fonts (read through pcf2bdf). Glyph i of a font is
// Windows-1252 character 32 + i. Where a misc font lacks a character (the
// ISO 8859-1 fonts have no euro sign or typographic quotes), Liberation Mono
// is rendered into the same cell at the misc font's cap height.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Windows-1252 0x80..0x9F; 0 where the code page leaves the byte undefined.
// 0x81 and 0x8D carry the minus sign and "almost equal" (the toolkit's
// encoding puts them into those holes).
const unsigned kCp1252High[32] = {
    0x20AC, 0x2212, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x2248, 0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned unicodeOf(int c) {
    if (c >= 0x80 && c < 0xA0) return kCp1252High[c - 0x80];
    if (c == 0x7F) return 0;
    return static_cast<unsigned>(c);
}

struct Glyph {
    int width = 0;
    std::vector<uint8_t> pix; // width * ysize, 1 = ink
    bool present = false;
};

struct Font {
    std::string name;
    bool mono = true;
    int xsize = 0, ysize = 0, chars = 224, ascent = 0, descent = 0, weight = 0, pts = 0;
    bool colors = false;
    std::vector<Glyph> glyphs;
};

void fail(const std::string& msg) {
    std::fprintf(stderr, "ziffron-fontgen: %s\n", msg.c_str());
    std::exit(1);
}

// ------------------------------------------------------------------ FreeType

FT_Library gLib = nullptr;

struct Face {
    FT_Face face = nullptr;
    explicit Face(const std::string& path) {
        if (FT_New_Face(gLib, path.c_str(), 0, &face)) fail("cannot open " + path);
    }
    ~Face() { FT_Done_Face(face); }
};

// A rendered glyph, ink as 0/1, with its placement against the pen and baseline.
struct Raster {
    int w = 0, h = 0, left = 0, top = 0, advance = 0;
    std::vector<uint8_t> ink;
    bool ok = false;
};

Raster rasterize(FT_Face face, double emPx, unsigned code) {
    Raster r;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPx * 64)), 72, 72);
    FT_UInt gi = FT_Get_Char_Index(face, code);
    if (gi == 0) return r;
    if (FT_Load_Glyph(face, gi, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) return r;
    FT_GlyphSlot s = face->glyph;
    if (s->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(s, FT_RENDER_MODE_MONO)) return r;
    const FT_Bitmap& b = s->bitmap;
    r.w = static_cast<int>(b.width);
    r.h = static_cast<int>(b.rows);
    r.left = s->bitmap_left;
    r.top = s->bitmap_top;
    r.advance = static_cast<int>((s->advance.x + 32) >> 6);
    r.ink.assign(static_cast<size_t>(r.w) * r.h, 0);
    for (int y = 0; y < r.h; ++y) {
        const unsigned char* row = b.buffer + static_cast<ptrdiff_t>(y) * b.pitch;
        for (int x = 0; x < r.w; ++x) {
            bool on = b.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1
                                                         : row[x] >= 128;
            r.ink[static_cast<size_t>(y) * r.w + x] = on ? 1 : 0;
        }
    }
    r.ok = true;
    return r;
}

// Puts a raster into a cell of `width` x `ysize` with the baseline under row
// ascent-1. Ink that would stick out is first moved inside when there is room
// (accents on capitals, the tail of 'j'); the rest is cut. Returns the number
// of ink pixels cut.
int place(const Raster& r, int penX, int width, int ysize, int ascent, Glyph& g) {
    g.width = width;
    g.pix.assign(static_cast<size_t>(width) * ysize, 0);
    g.present = true;
    int x0 = penX + r.left;
    if (x0 + r.w > width) x0 = width - r.w;
    if (x0 < 0) x0 = 0;
    int y0 = ascent - r.top;
    if (y0 < 0) y0 = std::max(y0, std::min(0, ysize - r.h));
    else if (y0 + r.h > ysize) y0 = std::max(0, ysize - r.h);
    int cut = 0;
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) {
            if (!r.ink[static_cast<size_t>(y) * r.w + x]) continue;
            int cx = x0 + x, cy = y0 + y;
            if (cx < 0 || cx >= width || cy < 0 || cy >= ysize) {
                ++cut;
                continue;
            }
            g.pix[static_cast<size_t>(cy) * width + cx] = 1;
        }
    return cut;
}

// Renders every glyph of a TrueType font into the font's cells at emPx pixels
// per em. Monospace fonts centre each glyph's advance in xsize; proportional
// fonts take the hinted advance as width. Returns the ink pixels cut.
int renderTrueType(FT_Face face, double emPx, Font& f) {
    f.glyphs.assign(f.chars, Glyph());
    int cut = 0;
    Raster space = rasterize(face, emPx, ' ');
    int blankWidth = f.mono ? f.xsize : std::max(1, space.advance);
    for (int i = 0; i < f.chars; ++i) {
        unsigned code = unicodeOf(32 + i);
        Raster r = code ? rasterize(face, emPx, code) : Raster();
        Glyph& g = f.glyphs[i];
        if (!r.ok) {
            g.width = blankWidth;
            g.pix.assign(static_cast<size_t>(g.width) * f.ysize, 0);
            continue;
        }
        if (f.mono) {
            cut += place(r, (f.xsize - r.advance) / 2, f.xsize, f.ysize, f.ascent, g);
            if (r.advance > f.xsize) cut += 1000; // too wide for the cell
        } else {
            cut += place(r, 0, std::max(1, r.advance), f.ysize, f.ascent, g);
        }
    }
    return cut;
}

// The largest size at most maxEm (in tenths of a pixel) whose glyphs fit the
// cell without losing ink.
double fitSize(FT_Face face, double maxEm, Font& f) {
    for (double em = maxEm; em > 4; em -= 0.1)
        if (renderTrueType(face, em, f) == 0) return em;
    fail("no size fits " + f.name);
    return 0;
}

// ------------------------------------------------------------------ BDF

struct BdfGlyph {
    int w = 0, h = 0, xoff = 0, yoff = 0;
    std::vector<std::vector<uint8_t>> rows; // bytes of each bitmap row
};

struct Bdf {
    int ascent = 0, descent = 0;
    std::map<int, BdfGlyph> glyphs; // by encoding
};

Bdf readBdf(const std::string& pcfPath) {
    std::string cmd = "pcf2bdf '" + pcfPath + "'";
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) fail("cannot run pcf2bdf");
    std::string text;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) text.append(buf, n);
    if (pclose(pipe) != 0 || text.empty()) fail("pcf2bdf failed on " + pcfPath);

    Bdf bdf;
    std::istringstream in(text);
    std::string line;
    int enc = -1;
    BdfGlyph cur;
    bool inBitmap = false;
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        std::string word;
        ls >> word;
        if (inBitmap) {
            if (word == "ENDCHAR") {
                inBitmap = false;
                if (enc >= 0) bdf.glyphs[enc] = cur;
                continue;
            }
            std::vector<uint8_t> bytes;
            for (size_t i = 0; i + 1 < word.size(); i += 2)
                bytes.push_back(static_cast<uint8_t>(std::stoi(word.substr(i, 2), nullptr, 16)));
            cur.rows.push_back(bytes);
        } else if (word == "FONT_ASCENT") {
            ls >> bdf.ascent;
        } else if (word == "FONT_DESCENT") {
            ls >> bdf.descent;
        } else if (word == "STARTCHAR") {
            cur = BdfGlyph();
            enc = -1;
        } else if (word == "ENCODING") {
            ls >> enc;
        } else if (word == "BBX") {
            ls >> cur.w >> cur.h >> cur.xoff >> cur.yoff;
        } else if (word == "BITMAP") {
            inBitmap = true;
        }
    }
    return bdf;
}

bool bdfInk(const BdfGlyph& g, int x, int y) {
    if (y < 0 || y >= static_cast<int>(g.rows.size())) return false;
    const auto& row = g.rows[y];
    size_t byte = static_cast<size_t>(x) / 8;
    return byte < row.size() && ((row[byte] >> (7 - x % 8)) & 1);
}

// Copies a BDF glyph into a cell, its origin dx columns in and its baseline
// at the cell's ascent.
bool placeBdf(const Bdf& bdf, unsigned code, int dx, Font& f, Glyph& g) {
    auto it = bdf.glyphs.find(static_cast<int>(code));
    if (it == bdf.glyphs.end()) return false;
    const BdfGlyph& b = it->second;
    g.width = f.xsize;
    g.pix.assign(static_cast<size_t>(f.xsize) * f.ysize, 0);
    g.present = true;
    int top = f.ascent - (b.h + b.yoff);
    for (int y = 0; y < b.h; ++y)
        for (int x = 0; x < b.w; ++x) {
            if (!bdfInk(b, x, y)) continue;
            int cx = dx + b.xoff + x, cy = top + y;
            if (cx >= 0 && cx < f.xsize && cy >= 0 && cy < f.ysize)
                g.pix[static_cast<size_t>(cy) * f.xsize + cx] = 1;
        }
    return true;
}

int inkRows(const Glyph& g, int ysize) {
    int first = -1, last = -1;
    for (int y = 0; y < ysize; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.pix[static_cast<size_t>(y) * g.width + x]) {
                if (first < 0) first = y;
                last = y;
            }
    return first < 0 ? 0 : last - first + 1;
}

// Bold from regular: every ink pixel also inks its right neighbour.
void embolden(Font& f) {
    for (Glyph& g : f.glyphs)
        for (int y = 0; y < f.ysize; ++y)
            for (int x = g.width - 1; x > 0; --x) {
                size_t i = static_cast<size_t>(y) * g.width + x;
                if (g.pix[i - 1]) g.pix[i] = 1;
            }
}

struct BdfSource {
    std::string file;
    int dx = 0;
};

// A built-in monospace font from misc fonts, in order of preference, with
// Liberation Mono filling what none of them has.
Font builtinFromBdf(const std::string& miscDir, const std::string& monoPath,
                    const std::string& name, int xsize, int ysize, int chars, int weight,
                    const std::vector<BdfSource>& sources, int ascent = -1) {
    Font f;
    f.name = name;
    f.mono = true;
    f.xsize = xsize;
    f.ysize = ysize;
    f.chars = chars;
    f.weight = weight;
    f.pts = ysize;
    f.colors = true;
    std::vector<Bdf> bdfs;
    for (const auto& s : sources) bdfs.push_back(readBdf(miscDir + "/" + s.file + ".pcf.gz"));
    f.ascent = ascent >= 0 ? ascent : bdfs[0].ascent;
    f.descent = ysize - f.ascent;
    f.glyphs.assign(chars, Glyph());
    for (int i = 0; i < chars; ++i) {
        unsigned code = unicodeOf(32 + i);
        for (size_t k = 0; k < bdfs.size() && code && !f.glyphs[i].present; ++k)
            placeBdf(bdfs[k], code, sources[k].dx, f, f.glyphs[i]);
    }
    // Fallback size: Liberation Mono's 'H' as tall as the misc font's.
    int capRows = f.glyphs['H' - 32].present ? inkRows(f.glyphs['H' - 32], ysize) : ysize * 2 / 3;
    Face mono(monoPath);
    Raster h100 = rasterize(mono.face, 100, 'H');
    double em = 100.0 * capRows / std::max(1, h100.h);
    for (int i = 0; i < chars; ++i) {
        Glyph& g = f.glyphs[i];
        if (g.present) continue;
        unsigned code = unicodeOf(32 + i);
        Raster r = code ? rasterize(mono.face, em, code) : Raster();
        if (r.ok) {
            place(r, (xsize - r.advance) / 2, xsize, ysize, f.ascent, g);
        } else {
            g.width = xsize;
            g.pix.assign(static_cast<size_t>(xsize) * ysize, 0);
        }
    }
    return f;
}

// ------------------------------------------------------------------ output

void writeFont(const Font& f, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    if (!out) fail("cannot write " + path);
    out << "header:\n";
    out << "name=" << f.name << "\n";
    out << (f.mono ? "monospace" : "proportional") << "\n";
    out << "xsize=" << f.xsize << "\n";
    out << "ysize=" << f.ysize << "\n";
    if (f.colors) out << "colors=1\n";
    out << "chars=" << f.chars << "\n";
    out << "ascent=" << f.ascent << "\n";
    out << "descent=" << f.descent << "\n";
    out << "slant=0\n";
    out << "weight=" << f.weight << "\n";
    out << "width=" << f.xsize << "\n";
    out << "pts=" << f.pts << "\n";
    out << "foundry=\n";
    out << "desiredxs=0\n";
    out << "desiredys=0\n";
    out << "propxs=";
    for (int i = 0; i < f.chars; ++i) out << (i ? " " : "") << f.glyphs[i].width;
    out << "\npropdataoffset=";
    long offset = 0;
    for (int i = 0; i < f.chars; ++i) {
        out << (i ? " " : "") << offset;
        offset += static_cast<long>(f.glyphs[i].width) * f.ysize;
    }
    out << "\ndata:\n";
    for (const Glyph& g : f.glyphs)
        for (int y = 0; y < f.ysize; ++y) {
            for (int x = 0; x < g.width; ++x)
                out << (g.pix[static_cast<size_t>(y) * g.width + x] ? '*' : '.');
            out << "\n";
        }
}

struct ArialRow {
    int size, xsize, ysize, ascent, descent;
};
const ArialRow kArial[] = {{10, 10, 10, 8, 2},  {12, 12, 12, 9, 3},  {14, 14, 14, 11, 3},
                           {16, 17, 16, 13, 3}, {18, 21, 18, 15, 3}, {20, 22, 19, 15, 4},
                           {22, 25, 22, 18, 4}, {24, 27, 24, 19, 5}, {26, 30, 26, 21, 5},
                           {28, 32, 28, 23, 5}, {36, 41, 36, 29, 7}, {40, 18, 40, 32, 8},
                           {44, 18, 44, 35, 9}, {48, 54, 47, 38, 9}};

struct CourierRow {
    int size, xsize, ysize;
};
const CourierRow kCourier[] = {{10, 5, 8},   {12, 6, 12},  {14, 7, 14},  {16, 9, 16},  {18, 11, 18},
                               {20, 11, 20}, {22, 13, 22}, {24, 15, 24}, {26, 15, 25}, {28, 16, 27},
                               {36, 21, 36}, {48, 30, 47}, {72, 44, 71}};

Font proportional(const std::string& path, const std::string& name, int xsize, int ysize,
                  int ascent, int descent, int chars, int weight, int pts) {
    Face face(path);
    Font f;
    f.name = name;
    f.mono = false;
    f.xsize = xsize;
    f.ysize = ysize;
    f.ascent = ascent;
    f.descent = descent;
    f.chars = chars;
    f.weight = weight;
    f.pts = pts;
    // The cell is the face's Windows ascent plus descent, as for the
    // platform fonts these names stand for.
    double em = ysize * static_cast<double>(face.face->units_per_EM) /
                (face.face->ascender - face.face->descender);
    renderTrueType(face.face, em, f);
    return f;
}

Font monospace(const std::string& path, const std::string& name, int xsize, int ysize, int weight,
               int pts) {
    Face face(path);
    Font f;
    f.name = name;
    f.mono = true;
    f.xsize = xsize;
    f.ysize = ysize;
    f.weight = weight;
    f.pts = pts;
    double asc = face.face->ascender, desc = -face.face->descender;
    f.ascent = static_cast<int>(std::lround(ysize * asc / (asc + desc)));
    f.descent = ysize - f.ascent;
    double em = ysize * static_cast<double>(face.face->units_per_EM) / (asc + desc);
    fitSize(face.face, em * 1.15, f);
    return f;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ziffron-fontgen OUTDIR [--liberation DIR] [--misc DIR]\n");
        return 2;
    }
    std::string out = argv[1];
    std::string lib = "/usr/share/fonts/truetype/liberation2";
    std::string misc = "/usr/share/fonts/X11/misc";
    for (int i = 2; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--liberation")) lib = argv[i + 1];
        else if (!std::strcmp(argv[i], "--misc")) misc = argv[i + 1];
    }
    if (FT_Init_FreeType(&gLib)) fail("FreeType init failed");

    const std::string sans = lib + "/LiberationSans-Regular.ttf";
    const std::string sansBold = lib + "/LiberationSans-Bold.ttf";
    const std::string mono = lib + "/LiberationMono-Regular.ttf";
    const std::string monoBold = lib + "/LiberationMono-Bold.ttf";

    for (const auto& a : kArial)
        for (int bold = 0; bold < 2; ++bold) {
            std::string name = "Arial" + std::to_string(a.size) + (bold ? "b" : "");
            Font f = proportional(bold ? sansBold : sans, name, a.xsize, a.ysize, a.ascent,
                                  a.descent, 224, bold ? 2 : 0, a.size);
            writeFont(f, out + "/" + name + ".txt");
        }
    for (const auto& c : kCourier)
        for (int bold = 0; bold < 2; ++bold) {
            std::string name = "crnew" + std::to_string(c.size) + (bold ? "b" : "");
            Font f;
            if (c.size == 10) {
                // Five pixels wide is below what an outline font survives;
                // the misc 5x8 font is drawn for that cell.
                int ysize = bold ? 10 : c.ysize;
                f = builtinFromBdf(misc, mono, name, c.xsize, ysize, 224, bold ? 2 : 0,
                                   {{"5x8", 0}}, bold ? 8 : -1);
                f.colors = false;
                f.pts = c.size;
                if (bold) embolden(f);
            } else {
                f = monospace(bold ? monoBold : mono, name, c.xsize, c.ysize, bold ? 2 : 0, c.size);
            }
            writeFont(f, out + "/" + name + ".txt");
        }

    struct Builtin {
        const char* name;
        int xsize, ysize, chars, weight;
        std::vector<BdfSource> sources;
        bool bold;
    };
    const Builtin builtins[] = {
        {"12x24", 12, 24, 223, 0, {{"12x24", 0}}, false},
        {"5x7", 5, 7, 224, 0, {{"5x7", 0}}, false},
        {"6x13b", 6, 13, 224, 2, {{"6x13B", 0}}, false},
        {"6x13", 6, 13, 224, 0, {{"6x13", 0}}, false},
        {"6x8", 6, 8, 224, 0, {{"5x8", 0}}, false},
        {"8x16b", 8, 16, 223, 2, {{"8x16", 0}}, true},
        {"8x16", 8, 16, 223, 0, {{"8x16", 0}}, false},
        // No misc 8x8 covers Latin-1: the 5x8 glyphs, doubled in stroke.
        {"8x8", 8, 8, 224, 0, {{"5x8", 1}}, true},
        {"9x15b", 9, 15, 224, 2, {{"9x15B", 0}}, false},
        {"9x15", 9, 15, 224, 0, {{"9x15", 0}}, false},
    };
    for (const auto& b : builtins) {
        Font f = builtinFromBdf(misc, mono, b.name, b.xsize, b.ysize, b.chars, b.weight, b.sources);
        if (b.bold) embolden(f);
        writeFont(f, out + "/builtin_" + b.name + ".txt");
    }
    // The proportional 13-row font: no misc font of that kind, so Liberation Sans.
    Font var13 = proportional(sans, "var13", 13, 13, 10, 3, 223, 0, 13);
    var13.colors = true;
    writeFont(var13, out + "/builtin_var13.txt");

    FT_Done_FreeType(gLib);
    return 0;
}
