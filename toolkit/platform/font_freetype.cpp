// Platform fonts for descriptions such as "Courier New,points=20,bold":
// fontconfig picks a file for the face (on Windows: the fonts folder, then the
// Liberation faces shipped beside the program), FreeType renders the 224
// glyphs of Windows-1252 characters 32..255 as one byte per pixel.
#include "internal.h"
#include "platform/platform.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#else
#include <fontconfig/fontconfig.h>
#endif
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cctype>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define AO_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define AO_LSAN 1
#endif
#endif
#ifdef AO_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace platform {
namespace {

std::string lower(std::string s)
{
    for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

// The generic family to fall back on when the face itself is not installed:
// "New Roman" should still come out with serifs, "Courier New" fixed-pitch.
const char* genericFor(const std::string& face)
{
    std::string f = lower(face);
    if (f.find("courier") != std::string::npos || f.find("mono") != std::string::npos ||
        f.find("fixed") != std::string::npos || f.find("consol") != std::string::npos)
        return "monospace";
    if (f.find("roman") != std::string::npos || f.find("times") != std::string::npos ||
        f.find("serif") != std::string::npos || f.find("georgia") != std::string::npos)
        return "serif";
    return "sans-serif";
}

// Faces whose widths the screens were laid out for, asked for by the
// metric-compatible face that the install scripts bring along.
const char* metricTwin(const std::string& face)
{
    std::string f = lower(face);
    if (f == "new roman" || f == "times new roman") return "Liberation Serif";
    return nullptr;
}

struct Match {
    std::string file;
    int index = 0;
    bool synthBold = false, synthItalic = false;
#ifdef _WIN32
    std::vector<unsigned char> bytes; // the font file, read through its wide path
#endif
};

#ifdef _WIN32

// Windows has no fontconfig. The faces the program asks for are metric
// twins of Courier New, Arial and Times New Roman: look for those by their
// usual file names, then for the Liberation faces shipped in fonts/.
struct FaceFiles {
    const wchar_t* windows[4];    // regular, bold, italic, bold italic
    const wchar_t* liberation[4];
};

const FaceFiles& filesFor(const char* generic)
{
    static const FaceFiles mono = {
        {L"cour.ttf", L"courbd.ttf", L"couri.ttf", L"courbi.ttf"},
        {L"LiberationMono-Regular.ttf", L"LiberationMono-Bold.ttf", L"LiberationMono-Italic.ttf",
         L"LiberationMono-BoldItalic.ttf"}};
    static const FaceFiles serif = {
        {L"times.ttf", L"timesbd.ttf", L"timesi.ttf", L"timesbi.ttf"},
        {L"LiberationSerif-Regular.ttf", L"LiberationSerif-Bold.ttf", L"LiberationSerif-Italic.ttf",
         L"LiberationSerif-BoldItalic.ttf"}};
    static const FaceFiles sans = {
        {L"arial.ttf", L"arialbd.ttf", L"ariali.ttf", L"arialbi.ttf"},
        {L"LiberationSans-Regular.ttf", L"LiberationSans-Bold.ttf", L"LiberationSans-Italic.ttf",
         L"LiberationSans-BoldItalic.ttf"}};
    if (std::string(generic) == "monospace") return mono;
    if (std::string(generic) == "serif") return serif;
    return sans;
}

std::wstring windowsFontsDir()
{
    wchar_t buf[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_FONTS, nullptr, 0, buf) == S_OK) return buf;
    const wchar_t* w = _wgetenv(L"WINDIR");
    return std::wstring(w && *w ? w : L"C:\\Windows") + L"\\Fonts";
}

std::wstring shippedFontsDir()
{
    std::wstring path(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n);
    size_t cut = path.find_last_of(L"\\/");
    path.resize(cut == std::wstring::npos ? 0 : cut + 1);
    return path + L"fonts";
}

bool readWhole(const std::wstring& path, std::vector<unsigned char>& bytes)
{
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return false;
    bytes.clear();
    unsigned char chunk[65536];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    bool ok = !std::ferror(f) && !bytes.empty();
    std::fclose(f);
    return ok;
}

bool matchFace(const std::string& face, int pixels, bool bold, bool italic, Match& out)
{
    const FaceFiles& files = filesFor(genericFor(face));
    const std::wstring dirs[2] = {windowsFontsDir(), shippedFontsDir()};
    const int wanted = (bold ? 1 : 0) + (italic ? 2 : 0);
    // The wanted style from either folder first; a regular face made bold or
    // slanted by FreeType only when neither has it.
    for (int style : {wanted, 0}) {
        for (int d = 0; d < 2; ++d) {
            const wchar_t* name = d == 0 ? files.windows[style] : files.liberation[style];
            if (!readWhole(dirs[d] + L"\\" + name, out.bytes)) continue;
            out.file.assign(name, name + std::wcslen(name));
            out.index = 0;
            out.synthBold = bold && !(style & 1);
            out.synthItalic = italic && !(style & 2);
            return true;
        }
        if (wanted == 0) break;
    }
    return false;
}

#else

bool matchFace(const std::string& face, int pixels, bool bold, bool italic, Match& out)
{
    static bool ready = [] {
#ifdef AO_LSAN
        // Fontconfig's configuration parser loses a few bytes once per
        // process; that is not ours to report.
        __lsan_disable();
#endif
        bool ok = FcInit();
#ifdef AO_LSAN
        __lsan_enable();
#endif
        return ok;
    }();
    if (!ready) return false;
    FcPattern* pat = FcPatternCreate();
    if (const char* twin = metricTwin(face))
        FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(twin));
    if (!face.empty())
        FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(genericFor(face)));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pat, FC_PIXEL_SIZE, pixels);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pat, &result);
    FcPatternDestroy(pat);
    if (!found) return false;
    FcChar8* file = nullptr;
    int weight = 0, slant = 0;
    bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        out.file = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(found, FC_INDEX, 0, &out.index) != FcResultMatch) out.index = 0;
        if (FcPatternGetInteger(found, FC_WEIGHT, 0, &weight) == FcResultMatch)
            out.synthBold = bold && weight < FC_WEIGHT_DEMIBOLD;
        if (FcPatternGetInteger(found, FC_SLANT, 0, &slant) == FcResultMatch)
            out.synthItalic = italic && slant == FC_SLANT_ROMAN;
    }
    FcPatternDestroy(found);
    return ok;
}

#endif

FT_Library library()
{
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return lib;
}

} // namespace

bool renderFont(const std::string& face, int points, bool bold, bool italic, RenderedFont& out)
{
    out = RenderedFont();
    if (points <= 0 || points > 1000) return false;
    FT_Library lib = library();
    if (!lib) return false;
    // Points at 96 dots per inch.
    int pixels = std::max(1, (points * 96 + 36) / 72);
    Match m;
    if (!matchFace(face, pixels, bold, italic, m)) return false;
    FT_Face ft = nullptr;
#ifdef _WIN32
    if (FT_New_Memory_Face(lib, m.bytes.data(), static_cast<FT_Long>(m.bytes.size()), m.index, &ft))
        return false;
#else
    if (FT_New_Face(lib, m.file.c_str(), m.index, &ft)) return false;
#endif
    FT_Select_Charmap(ft, FT_ENCODING_UNICODE);
    if (FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(pixels))) {
        FT_Done_Face(ft);
        return false;
    }
    if (m.synthItalic) {
        FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000}; // about 12 degrees
        FT_Set_Transform(ft, &shear, nullptr);
    }
    int ascent = static_cast<int>((ft->size->metrics.ascender + 63) >> 6);
    int descent = static_cast<int>((-ft->size->metrics.descender + 63) >> 6);
    out.ascent = ascent;
    out.descent = std::max(0, descent);
    out.height = out.ascent + out.descent;
    if (out.height <= 0) {
        FT_Done_Face(ft);
        return false;
    }

    int spaceWidth = pixels / 3;
    if (FT_Load_Char(ft, ' ', FT_LOAD_TARGET_MONO) == 0)
        spaceWidth = static_cast<int>((ft->glyph->advance.x + 32) >> 6);
    out.offsets.resize(224);
    for (int i = 0; i < 224; ++i) {
        out.offsets[i] = static_cast<int>(out.glyphs.size());
        unsigned code = aoi::cp1252Code(static_cast<unsigned char>(32 + i));
        FT_UInt gi = code ? FT_Get_Char_Index(ft, code) : 0;
        bool loaded = gi && FT_Load_Glyph(ft, gi, FT_LOAD_TARGET_MONO) == 0;
        if (loaded && m.synthBold) FT_GlyphSlot_Embolden(ft->glyph);
        if (loaded) loaded = FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_MONO) == 0;
        int width = loaded ? static_cast<int>((ft->glyph->advance.x + 32) >> 6) : spaceWidth;
        width = std::clamp(width, 0, 1024);
        out.widths[i] = width;
        out.glyphs.resize(out.glyphs.size() + static_cast<size_t>(width) * out.height, 0);
        if (!loaded) continue;
        const FT_Bitmap& b = ft->glyph->bitmap;
        uint8_t* cell = out.glyphs.data() + out.offsets[i];
        int bw = static_cast<int>(b.width);
        int x0 = ft->glyph->bitmap_left;
        // Ink past the advance is moved in when the glyph fits, cut otherwise.
        if (x0 + bw > width) x0 = width - bw;
        if (x0 < 0) x0 = 0;
        int y0 = ascent - ft->glyph->bitmap_top;
        for (int y = 0; y < static_cast<int>(b.rows); ++y) {
            int cy = y0 + y;
            if (cy < 0 || cy >= out.height) continue;
            const unsigned char* row = b.buffer + static_cast<ptrdiff_t>(y) * b.pitch;
            for (int x = 0; x < bw; ++x) {
                int cx = x0 + x;
                if (cx < 0 || cx >= width) continue;
                bool on = b.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1
                                                             : row[x] >= 128;
                if (on) cell[static_cast<size_t>(cy) * width + cx] = 1;
            }
        }
    }
    FT_Done_Face(ft);
    return true;
}

} // namespace platform
