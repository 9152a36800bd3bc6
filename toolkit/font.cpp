// Registered bitmap fonts: the stored fonts compiled into the program as text
// (parsed when first used), the built-ins, and fonts the platform renders from
// a description. Glyphs are kept one byte per pixel so drawing a character is
// a plain loop.
#include "aotoolkit.h"
#include "platform/platform.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Generated from toolkit/fonts/*.txt: (file base name, font text).
extern const std::vector<std::pair<std::string_view, std::string_view>> ao_stored_font_texts;

namespace {

constexpr int kFirstId = 1000000;
constexpr int kMaxGlyphs = 224;
// Far above any real bitmap font; keeps a hostile header from asking for
// gigabytes before its rows are even counted.
constexpr int kMaxSide = 1024;

std::vector<std::unique_ptr<aoFont>>& fonts()
{
    static std::vector<std::unique_ptr<aoFont>> table;
    return table;
}

bool iequal(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

bool parseInt(std::string_view s, long& out)
{
    s = trim(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size() && !s.empty();
}

// A list of integers separated by blanks.
bool parseList(std::string_view s, std::vector<long>& out)
{
    out.clear();
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r')) ++i;
        size_t j = i;
        while (j < s.size() && s[j] != ' ' && s[j] != '\t' && s[j] != '\r') ++j;
        if (j > i) {
            long v = 0;
            if (!parseInt(s.substr(i, j - i), v)) return false;
            out.push_back(v);
            if (out.size() > kMaxGlyphs) return true; // more than any font can use
        }
        i = j;
    }
    return true;
}

// Built-ins: stored text file, name, key. The key differs from the "name="
// key of stored fonts.
struct Builtin {
    std::string_view file, name, key;
};
constexpr Builtin kBuiltins[] = {
    {"builtin_12x24", "12x24", "builtin 12x24"},
    {"builtin_5x7", "5x7", "builtin 5x7"},
    {"builtin_6x13b", "6x13b", "builtin 6x13 bold"},
    {"builtin_6x13", "6x13", "builtin 6x13"},
    {"builtin_6x8", "6x8", "builtin 6x8"},
    {"builtin_8x16b", "8x16b", "builtin 8x16 bold"},
    {"builtin_8x16", "8x16", "builtin 8x16"},
    {"builtin_8x8", "8x8", "builtin 8x8"},
    {"builtin_9x15b", "9x15b", "builtin 9x15 bold"},
    {"builtin_9x15", "9x15", "builtin 9x15"},
    {"builtin_var13", "var13", "builtin variable 13"},
};

aoFont* findRecord(std::string_view name)
{
    for (auto& f : fonts())
        if (f->used && iequal(f->name, name)) return f.get();
    return nullptr;
}

int registerFont(std::unique_ptr<aoFont> f)
{
    f->used = true;
    f->handle = aonewid();
    int h = f->handle;
    fonts().push_back(std::move(f));
    return h;
}

int loadLines(const std::vector<std::string_view>& lines, std::string& err);
std::unique_ptr<aoFont> parseLines(const std::vector<std::string_view>& lines, std::string& err);

// "\r\n", "\n" and a lone "\r" each end a line, as in every reader.
std::vector<std::string_view> splitLines(std::string_view text)
{
    return aotext_lines(text);
}

// The "name=" of a stored text's header, as the parser would take it; empty
// when the header has none.
std::string storedName(std::string_view text)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = trim(text.substr(start, end - start));
        if (line == "data:") break;
        if (startsWith(line, "name=")) {
            std::string name(trim(line.substr(5)));
            if (name.size() > 63 - 5) name.resize(63 - 5);
            return name;
        }
        start = end + 1;
    }
    return {};
}

// Registers one stored text by its name; the glyphs are parsed when the
// font is first used (most of the stored fonts never are). The key of
// built-ins replaces the "name=" key.
int loadStored(std::string_view file, std::string_view key)
{
    for (const auto& [base, text] : ao_stored_font_texts) {
        if (base != file) continue;
        const std::string name = storedName(text);
        if (name.empty()) {
            aoprintf("aofont_load: %.*s: no name=\n", static_cast<int>(file.size()), file.data());
            return -1;
        }
        if (aoFont* old = findRecord(name)) return old->handle;
        auto f = std::make_unique<aoFont>();
        f->name = name;
        f->key = key.empty() ? "name=" + name : std::string(key);
        f->source = text;
        return registerFont(std::move(f));
    }
    aoprintf("aofont_load: no stored font %.*s\n", static_cast<int>(file.size()), file.data());
    return -1;
}

// Parses a stored font registered by loadStored; a text that does not parse
// says why once and leaves the font unusable.
bool parseStored(aoFont& f)
{
    std::string err;
    std::unique_ptr<aoFont> parsed = parseLines(splitLines(f.source), err);
    f.source = {};
    if (!parsed) {
        aoprintf("aofont_load: %s: %s\n", f.name.c_str(), err.c_str());
        f.used = false;
        return false;
    }
    parsed->used = true;
    parsed->handle = f.handle;
    parsed->key = std::move(f.key);
    parsed->name = std::move(f.name);
    f = std::move(*parsed);
    return true;
}

// The built-in of that name, registered now if it is not yet.
int builtin(std::string_view name)
{
    if (aoFont* f = findRecord(name)) return f->handle;
    for (const Builtin& b : kBuiltins)
        if (b.name == name) return loadStored(b.file, b.key);
    return -1;
}

aoFont* parsedOrNull(aoFont* f)
{
    if (f && !f->source.empty() && !parseStored(*f)) return nullptr;
    return f;
}

aoFont* resolve(int handle)
{
    auto& t = fonts();
    if (handle >= kFirstId) {
        for (auto& f : t)
            if (f->handle == handle) return parsedOrNull(f.get());
        return nullptr;
    }
    if (handle >= 0) return handle < static_cast<int>(t.size()) ? parsedOrNull(t[handle].get()) : nullptr;
    if (handle == -1 || handle == -3 || handle == -2) {
        int h = builtin(handle == -2 ? "var13" : "6x13");
        return h >= kFirstId ? resolve(h) : nullptr;
    }
    return nullptr;
}

int loadLines(const std::vector<std::string_view>& lines, std::string& err)
{
    std::unique_ptr<aoFont> f = parseLines(lines, err);
    if (!f) return -1;
    // The same font loaded again keeps its first registration.
    if (aoFont* old = findRecord(f->name)) return old->handle;
    f->key = "name=" + f->name;
    return registerFont(std::move(f));
}

std::unique_ptr<aoFont> parseLines(const std::vector<std::string_view>& lines, std::string& err)
{
    auto f = std::make_unique<aoFont>();
    bool haveKind = false, haveXsize = false, haveYsize = false, haveChars = false;
    bool haveWidths = false, haveOffsets = false, haveData = false;
    std::vector<long> widths, offsets;
    size_t row = 0;
    long v = 0;

    auto number = [&](std::string_view line, std::string_view key, long lo, long hi, int& out) {
        if (!parseInt(line.substr(key.size()), v)) {
            err = "bad number in \"" + std::string(line.substr(0, 40)) + "\"";
            return false;
        }
        if (v < lo || v > hi) {
            err = std::string(key) + std::to_string(v) + " outside " + std::to_string(lo) + ".." +
                  std::to_string(hi);
            return false;
        }
        out = static_cast<int>(v);
        return true;
    };
    // Fields that only describe the font: a bad value is taken as 0.
    auto loose = [&](std::string_view line, std::string_view key, int& out) {
        out = parseInt(line.substr(key.size()), v) && v > -kMaxSide && v < kMaxSide
                  ? static_cast<int>(v) : 0;
    };

    for (; row < lines.size(); ++row) {
        std::string_view line = trim(lines[row]);
        if (line == "data:") {
            haveData = true;
            ++row;
            break;
        }
        if (startsWith(line, "name=")) {
            f->name = std::string(trim(line.substr(5)));
        } else if (startsWith(line, "monospace")) {
            f->kind = 1;
            haveKind = true;
        } else if (startsWith(line, "proportional")) {
            f->kind = 2;
            haveKind = true;
        } else if (startsWith(line, "xsize=")) {
            if (!number(line, "xsize=", 0, kMaxSide, f->xsize)) return nullptr;
            haveXsize = true;
        } else if (startsWith(line, "ysize=")) {
            if (!number(line, "ysize=", 1, kMaxSide, f->ysize)) return nullptr;
            haveYsize = true;
        } else if (startsWith(line, "chars=")) {
            if (!number(line, "chars=", 1, kMaxGlyphs, f->chars)) return nullptr;
            haveChars = true;
        } else if (startsWith(line, "ascent=")) {
            loose(line, "ascent=", f->ascent);
        } else if (startsWith(line, "descent=")) {
            loose(line, "descent=", f->descent);
        } else if (startsWith(line, "slant=")) {
            loose(line, "slant=", f->slant);
        } else if (startsWith(line, "weight=")) {
            loose(line, "weight=", f->weight);
        } else if (startsWith(line, "width=")) {
            loose(line, "width=", f->width);
        } else if (startsWith(line, "pts=")) {
            loose(line, "pts=", f->points);
        } else if (startsWith(line, "foundry=")) {
            f->foundry = std::string(trim(line.substr(8)));
        } else if (startsWith(line, "propxs=")) {
            if (!parseList(line.substr(7), widths)) {
                err = "bad number in propxs=";
                return nullptr;
            }
            haveWidths = true;
        } else if (startsWith(line, "propdataoffset=")) {
            if (!parseList(line.substr(15), offsets)) {
                err = "bad number in propdataoffset=";
                return nullptr;
            }
            haveOffsets = true;
        }
        // "header:", "colors=", "desiredxs=", "desiredys=" and anything else: not used.
    }

    if (!haveData) {
        err = "no \"data:\" line";
        return nullptr;
    }
    if (f->name.empty()) {
        err = "no name=";
        return nullptr;
    }
    if (!haveYsize || !haveChars) {
        err = !haveYsize ? "no ysize=" : "no chars=";
        return nullptr;
    }
    if (f->name.size() > 63 - 5) f->name.resize(63 - 5);
    if (!haveWidths) {
        if (haveKind && f->kind == 2) {
            err = "proportional font without propxs=";
            return nullptr;
        }
        if (!haveXsize || f->xsize < 1) {
            err = "no glyph widths (propxs= or xsize=)";
            return nullptr;
        }
        widths.assign(f->chars, f->xsize);
    }
    if (static_cast<int>(widths.size()) < f->chars) {
        err = "propxs= has " + std::to_string(widths.size()) + " widths for " +
              std::to_string(f->chars) + " glyphs";
        return nullptr;
    }
    size_t total = 0;
    for (int i = 0; i < f->chars; ++i) {
        if (widths[i] < 0 || widths[i] > kMaxSide) {
            err = "width " + std::to_string(widths[i]) + " of glyph " + std::to_string(i) +
                  " outside 0.." + std::to_string(kMaxSide);
            return nullptr;
        }
        if (haveOffsets && (static_cast<int>(offsets.size()) <= i ||
                            offsets[i] != static_cast<long>(total))) {
            err = "propdataoffset of glyph " + std::to_string(i) + " is " +
                  (static_cast<int>(offsets.size()) <= i ? std::string("missing")
                                                         : std::to_string(offsets[i])) +
                  ", expected " + std::to_string(total);
            return nullptr;
        }
        total += static_cast<size_t>(widths[i]) * f->ysize;
    }

    // Every row must be there and long enough before any pixel is stored.
    size_t needRows = static_cast<size_t>(f->chars) * f->ysize;
    if (lines.size() - row < needRows) {
        err = "only " + std::to_string(lines.size() - row) + " of " + std::to_string(needRows) +
              " glyph rows after data:";
        return nullptr;
    }
    for (int i = 0; i < f->chars; ++i)
        for (int y = 0; y < f->ysize; ++y) {
            std::string_view r = lines[row + static_cast<size_t>(i) * f->ysize + y];
            if (static_cast<long>(r.size()) < widths[i]) {
                err = "row " + std::to_string(y) + " of glyph " + std::to_string(i) + " has " +
                      std::to_string(r.size()) + " of " + std::to_string(widths[i]) + " pixels";
                return nullptr;
            }
        }

    f->glyphs.resize(total);
    f->offsets.resize(f->chars);
    size_t at = 0;
    for (int i = 0; i < f->chars; ++i) {
        f->widths[i] = static_cast<int>(widths[i]);
        f->offsets[i] = static_cast<int>(at);
        for (int y = 0; y < f->ysize; ++y) {
            std::string_view r = lines[row++];
            for (int x = 0; x < f->widths[i]; ++x) f->glyphs[at++] = r[x] == '*' ? 1 : 0;
        }
    }
    if (!haveKind)
        f->kind = std::all_of(f->widths, f->widths + f->chars,
                              [&](int w) { return w == f->widths[0]; }) ? 1 : 2;

    return f;
}

constexpr int kMaskedWidth = 64;

// The ink of every glyph up to kMaskedWidth wide as one bit mask per row.
void buildInkRows(aoFont& f)
{
    f.inkRows.assign(static_cast<size_t>(f.chars) * f.ysize, 0);
    for (int i = 0; i < f.chars; ++i) {
        const int w = f.widths[i];
        if (w > kMaskedWidth) continue;
        const uint8_t* g = f.glyphs.data() + f.offsets[i];
        for (int r = 0; r < f.ysize; ++r) {
            uint64_t bits = 0;
            for (int col = 0; col < w; ++col)
                if (g[static_cast<size_t>(r) * w + col]) bits |= uint64_t{1} << col;
            f.inkRows[static_cast<size_t>(i) * f.ysize + r] = bits;
        }
    }
}

// Draws one glyph clipped to the pixmap.
void drawGlyph(aoPixmap* p, bool direct, const aoFont& f, int index, long x, long y, uint32_t c)
{
    int w = f.widths[index];
    const uint8_t* g = f.glyphs.data() + f.offsets[index];
    long x0 = std::max(0L, -x), x1 = std::min<long>(w, p->width - x);
    long y0 = std::max(0L, -y), y1 = std::min<long>(f.ysize, p->height - y);
    if (direct && w <= kMaskedWidth && !f.inkRows.empty()) {
        // Only the ink is written: a few pixels of most rows, none of many.
        const uint64_t* rows = f.inkRows.data() + static_cast<size_t>(index) * f.ysize;
        const uint64_t inside = (x1 - x0 >= 64 ? ~uint64_t{0} : (uint64_t{1} << (x1 - x0)) - 1) << x0;
        for (long r = y0; r < y1; ++r) {
            uint64_t bits = rows[r] & inside;
            if (!bits) continue;
            uint32_t* dst = p->row(static_cast<int>(y + r)) + x;
            do {
                dst[std::countr_zero(bits)] = c;
                bits &= bits - 1;
            } while (bits);
        }
        return;
    }
    for (long r = y0; r < y1; ++r) {
        const uint8_t* src = g + r * w;
        if (direct) {
            // Rows without ink (above and below most letters) leave the
            // picture alone: not even read.
            uint8_t ink = 0;
            for (long col = x0; col < x1; ++col) ink |= src[col];
            if (!ink) continue;
            // Written as a blend so that the loop vectorises.
            uint32_t* dst = p->row(static_cast<int>(y + r)) + x;
            for (long col = x0; col < x1; ++col) dst[col] = src[col] ? c : dst[col];
        } else {
            for (long col = x0; col < x1; ++col)
                if (src[col])
                    aopxmap_setpixel(p, static_cast<int>(x + col), static_cast<int>(y + r),
                                     static_cast<int>(c));
        }
    }
}

void drawUnderline(aoPixmap* p, bool direct, long x, long y, int w, uint32_t c)
{
    if (y < 0 || y >= p->height) return;
    long x0 = std::max(0L, x), x1 = std::min<long>(x + w, p->width);
    for (long col = x0; col < x1; ++col) {
        if (direct)
            p->row(static_cast<int>(y))[col] = c;
        else
            aopxmap_setpixel(p, static_cast<int>(col), static_cast<int>(y), static_cast<int>(c));
    }
}

} // namespace

int aofont_find(std::string_view name)
{
    aoFont* f = findRecord(trim(name));
    return f ? f->handle : -1;
}

int aofont_load(const std::vector<std::string>& lines)
{
    std::vector<std::string_view> views(lines.begin(), lines.end());
    std::string err;
    int h = loadLines(views, err);
    if (h < 0) aoprintf("aofont_load: %s\n", err.c_str());
    return h;
}

int aofont_loadtext(std::string_view text, std::string* err)
{
    const std::vector<std::string_view> lines = splitLines(text);
    std::string message;
    int h = loadLines(lines, message);
    if (h < 0) {
        if (err)
            *err = message;
        else
            aoprintf("aofont_load: %s\n", message.c_str());
    }
    return h;
}

const aoFont* aofont_record(int handle)
{
    return resolve(handle);
}

int aofont_charwidth(int handle, int character)
{
    const aoFont* f = resolve(handle);
    if (character < 0 && character >= -128) character += 256; // a signed char
    if (!f || character < 32 || character > 255) return 0;
    return f->widths[character - 32];
}

int aofont_textwidth(int handle, const char* text)
{
    const aoFont* f = resolve(handle);
    if (!f || !text) return 0;
    int sum = 0;
    for (const unsigned char* s = reinterpret_cast<const unsigned char*>(text); *s; ++s)
        if (*s >= 32) sum += f->widths[*s - 32];
    return sum;
}

int aofont_height(int handle)
{
    const aoFont* f = resolve(handle);
    return f ? f->ysize : 0;
}

void aofont_loadbuiltins()
{
    for (const Builtin& b : kBuiltins) builtin(b.name);
}

void aofont_loadarial()
{
    for (const auto& [base, text] : ao_stored_font_texts)
        if (startsWith(base, "Arial") && !findRecord(base)) loadStored(base, {});
}

void aofont_loadcouriernew()
{
    for (const auto& [base, text] : ao_stored_font_texts)
        if (startsWith(base, "crnew") && !findRecord(base)) loadStored(base, {});
}

int aofont_get(const char* format, ...)
{
    if (!format) return -1;
    va_list args;
    va_start(args, format);
    std::string text = aooption_vformat(format, args);
    va_end(args);

    int found = aofont_find(text);
    if (found >= 0) return found;

    aoFontDescription d = aooption_fontdescription(text);
    // A description may start with a key ("points=12"): then it names no face.
    if (d.face.find('=') != std::string::npos) d = aooption_fontdescription("," + text);
    int points = d.points;
    if (points <= 0) points = d.ys > 0 ? std::max(1, d.ys * 72 / 96) : 12;
    points = std::min(points, 400);

    platform::RenderedFont rf;
    if (!platform::renderFont(d.face, points, d.bold, d.italic, rf) || rf.height <= 0 ||
        rf.offsets.size() < kMaxGlyphs) {
        aoprintf("aofont_get: cannot create font %s\n", text.c_str());
        return -1;
    }

    auto f = std::make_unique<aoFont>();
    char key[64];
    std::snprintf(key, sizeof key, "system font %s %d", d.face.c_str(), points);
    f->key = key;
    f->name = text;
    f->ysize = rf.height;
    f->ascent = rf.ascent;
    f->descent = rf.descent;
    f->points = points;
    f->weight = d.bold ? 2 : 0;
    f->slant = d.italic ? 1 : 0;
    f->underline = d.underlined;
    f->chars = kMaxGlyphs;
    f->offsets.resize(kMaxGlyphs);
    // Extra width per character becomes blank columns at the glyph's right.
    int extra = std::clamp(d.xsextra, -kMaxSide, kMaxSide);
    size_t at = 0;
    for (int i = 0; i < kMaxGlyphs; ++i) {
        int w0 = std::max(0, rf.widths[i]);
        int w = std::clamp(w0 + extra, 0, kMaxSide);
        f->widths[i] = w;
        f->offsets[i] = static_cast<int>(at);
        f->glyphs.resize(at + static_cast<size_t>(w) * f->ysize, 0);
        size_t src = static_cast<size_t>(rf.offsets[i]);
        for (int y = 0; y < f->ysize; ++y)
            for (int x = 0; x < std::min(w, w0); ++x) {
                size_t s = src + static_cast<size_t>(y) * w0 + x;
                if (s < rf.glyphs.size()) f->glyphs[at + static_cast<size_t>(y) * w + x] = rf.glyphs[s];
            }
        at += static_cast<size_t>(w) * f->ysize;
    }
    f->xsize = d.xs > 0 ? d.xs : *std::max_element(f->widths, f->widths + kMaxGlyphs);
    f->width = f->xsize;
    f->kind = std::all_of(f->widths, f->widths + kMaxGlyphs,
                          [&](int w) { return w == f->widths[0]; }) ? 1 : 2;
    return registerFont(std::move(f));
}

int aooption_fontkey(std::string_view value)
{
    std::string_view v = trim(value);
    static const std::pair<std::string_view, std::string_view> kAliases[] = {
        {"6x13", "6x13"},     {"6x13b", "6x13b"},       {"6x13bold", "6x13b"},
        {"9x15", "9x15"},     {"9x15b", "9x15b"},       {"9x15bold", "9x15b"},
        {"8x16", "8x16"},     {"8x16b", "8x16b"},       {"8x16bold", "8x16b"},
        {"12x24", "12x24"},   {"5x7", "5x7"},           {"8x8", "8x8"},
        {"var13", "var13"},   {"variable13", "var13"}, {"13var", "var13"},
        {"13variable", "var13"},
    };
    int h = -1;
    for (const auto& [alias, name] : kAliases)
        if (iequal(v, alias)) h = builtin(name);
    if (h < 0) h = aofont_find(v);
    if (h < 0)
        aoprintf("font not loaded/found: %.*s\n", static_cast<int>(value.size()), value.data());
    return h;
}

void aofont_drawtext(aoPixmap* p, int handle, int x, int y, int colour, const char* text)
{
    aoFont* f = resolve(handle);
    if (!p || !f || !text || p->width <= 0 || p->height <= 0) return;
    size_t area = static_cast<size_t>(p->width) * p->height;
    bool direct = p->format == AOPX_TRUECOLOR;
    if (direct && p->pixels.size() < area) return;
    if (direct && f->inkRows.empty()) buildInkRows(*f);
    uint32_t c = static_cast<uint32_t>(colour) & 0xFFFFFF;
    long cx = x, cy = y;
    for (const unsigned char* s = reinterpret_cast<const unsigned char*>(text); *s; ++s) {
        if (*s == '\n') {
            cx = x;
            cy += f->ysize;
            continue;
        }
        if (*s < 32) continue;
        int i = *s - 32;
        int w = f->widths[i];
        if (*s != 255 && i < f->chars && w > 0 && cx < p->width && cx + w > 0 && cy < p->height &&
            cy + f->ysize > 0)
            drawGlyph(p, direct, *f, i, cx, cy, c);
        if (f->underline) drawUnderline(p, direct, cx, cy + f->ysize - 1, w, c);
        cx += w;
    }
}
