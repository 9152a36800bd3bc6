// Option strings: comma-separated tokens, formatted printf-style first.
#include "aotoolkit.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Token lookup compares without spaces and tabs, case-insensitively.
std::string squeeze_lower(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == ' ' || c == '\t') continue;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool matches(std::string_view token, std::string_view key)
{
    if (token.empty()) return false;
    std::string t = squeeze_lower(token);
    std::string k = squeeze_lower(key);
    if (!k.empty() && k.back() == '=') return t.compare(0, k.size(), k) == 0;
    return t == k;
}

std::string after_equals(std::string_view token)
{
    size_t eq = token.find('=');
    if (eq == std::string_view::npos) return {};
    return std::string(token.substr(eq + 1));
}

struct NamedColour {
    const char* name;
    int value;
};

constexpr NamedColour kColours[] = {
    {"none", -1},           {"off", -1},          {"black", 0x000000},     {"blue", 0x000080},
    {"green", 0x008000},    {"cyan", 0x008080},   {"red", 0x800000},       {"magenta", 0x800080},
    {"brown", 0x808000},    {"lightgrey", 0xC0C0C0}, {"darkgrey", 0x808080}, {"lightblue", 0x0000FF},
    {"lightgreen", 0x00FF00}, {"lightcyan", 0x00FFFF}, {"lightred", 0xFF0000}, {"lightmagenta", 0xFF00FF},
    {"yellow", 0xFFFF00},   {"white", 0xFFFFFF},  {"transparent", 0x0000FF}, {"grey", 0xD0D0D0},
};

} // namespace

const int aotheme[11] = {0xD0D0D0, 0xE0E0E0, 0x808080, 0xFFFFFF, 0x000000, 0xFFFFFF,
                         0x000000, 0x787878, 0xC0C0C0, 0x000080, 0xF0F0F0};

int aotheme_color(int index)
{
    if (index < 0 || index > 10) return 0;
    return aotheme[index];
}

std::string aooption_protect(const char* format)
{
    std::string out;
    if (!format) return out;
    for (const char* p = format; *p; ++p) {
        out += *p;
        if (*p == '%') {
            unsigned char next = static_cast<unsigned char>(p[1]);
            // The end of the string counts as "below '0'" too: a lone trailing '%'.
            if (next < '0' || next == '>') out += '%';
        }
    }
    return out;
}

std::string aooption_vformat(const char* format, va_list args)
{
    std::string protectedFormat = aooption_protect(format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, protectedFormat.c_str(), copy);
    va_end(copy);
    if (n < 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), protectedFormat.c_str(), args);
    out.resize(static_cast<size_t>(n));
    return out;
}

std::string aooption_format(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    std::string s = aooption_vformat(format, ap);
    va_end(ap);
    return s;
}

aoSize aooption_readsize(std::string_view value)
{
    aoSize s;
    std::string v;
    for (char c : value)
        if (c != ' ' && c != '\t') v += c;
    if (v.empty()) return s;
    s.given = true;
    s.value = std::strtod(v.c_str(), nullptr);
    size_t lastDigit = v.find_last_of("0123456789");
    std::string unit = lower(lastDigit == std::string::npos ? v : v.substr(lastDigit + 1));
    s.percent = unit == "%" || unit == "percent";
    return s;
}

int aooption_readcolor(std::string_view value, int previous)
{
    std::string v = squeeze_lower(value);
    if (v.empty()) return previous;
    if (v.size() > 2 && v[0] == '0' && v[1] == 'x' && std::isxdigit(static_cast<unsigned char>(v[2])))
        return static_cast<int>(std::strtoul(v.c_str() + 2, nullptr, 16));
    for (const NamedColour& c : kColours)
        if (v == c.name) return c.value;
    if (!std::isxdigit(static_cast<unsigned char>(v[0]))) return previous;
    return static_cast<int>(std::strtoul(v.c_str(), nullptr, 16));
}

aoOptions::aoOptions(std::string formatted) : whole_(std::move(formatted))
{
    size_t start = 0;
    while (true) {
        size_t comma = whole_.find(',', start);
        tokens.push_back(whole_.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
}

aoOptions aoOptions::vformat(const char* fmt, va_list args)
{
    return aoOptions(aooption_vformat(fmt, args));
}

aoOptions aoOptions::format(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    aoOptions o = vformat(fmt, ap);
    va_end(ap);
    return o;
}

int aoOptions::find(std::string_view key, int start) const
{
    // The later token wins when a key is given twice.
    for (int i = static_cast<int>(tokens.size()) - 1; i >= std::max(start, 0); --i)
        if (matches(tokens[static_cast<size_t>(i)], key)) return i;
    return -1;
}

bool aoOptions::value(std::string_view key, std::string& out, int start, bool consume)
{
    int i = find(key, start);
    if (i < 0) return false;
    out = after_equals(tokens[static_cast<size_t>(i)]);
    if (consume) tokens[static_cast<size_t>(i)].clear();
    return true;
}

bool aoOptions::flag(std::string_view word, int start, bool consume)
{
    int i = find(word, start);
    if (i < 0) return false;
    if (consume) tokens[static_cast<size_t>(i)].clear();
    return true;
}

bool aoOptions::flagany(std::initializer_list<std::string_view> words, int start)
{
    bool any = false;
    for (std::string_view w : words)
        while (flag(w, start)) any = true;
    return any;
}

bool aoOptions::getint(std::string_view key, int& out, int start, bool consume)
{
    std::string v;
    if (!value(key, v, start, consume)) return false;
    std::string s;
    for (char c : v)
        if (c != ' ' && c != '\t') s += c;
    out = std::atoi(s.c_str());
    return true;
}

bool aoOptions::getsize(std::string_view key, aoSize& out, int start, bool consume)
{
    std::string v;
    if (!value(key, v, start, consume)) return false;
    out = aooption_readsize(v);
    if (!out.given) out.given = true; // "xs=" with nothing reads as 0
    return true;
}

bool aoOptions::getcolor(std::string_view key, int& out, int start, bool consume)
{
    std::string v;
    if (!value(key, v, start, consume)) return false;
    out = aooption_readcolor(v, out);
    return true;
}

bool aoOptions::getcolorany(std::initializer_list<std::string_view> keys, int& out, int start)
{
    // Among synonyms the token written last counts, as with a key given twice.
    int best = -1;
    for (std::string_view k : keys) best = std::max(best, find(k, start));
    if (best < 0) return false;
    std::string v = after_equals(tokens[static_cast<size_t>(best)]);
    out = aooption_readcolor(v, out);
    for (std::string_view k : keys)
        while (flag(k, start)) {
        }
    return true;
}

int aoOptions::getbool(std::string_view key, int start)
{
    std::string base(key);
    if (!base.empty() && base.back() == '=') base.pop_back();
    std::string v;
    if (value(base + "=", v, start)) {
        std::string l = squeeze_lower(v);
        if (l == "0" || l == "no" || l == "off" || l == "false") return 0;
        return 1;
    }
    if (flag(base, start)) return 1;
    return -1;
}

std::string aoOptions::leftover(int start) const
{
    std::string out;
    for (size_t i = static_cast<size_t>(std::max(start, 0)); i < tokens.size(); ++i) {
        if (tokens[i].empty()) continue;
        if (!out.empty()) out += ',';
        out += tokens[i];
    }
    return out;
}

bool aoOptions::wholeflag(std::string_view word) const
{
    return lower(whole_).find(lower(word)) != std::string::npos;
}

int aoOptions::wholeint(std::string_view key, int def) const
{
    std::string k = lower(key);
    if (k.empty() || k.back() != '=') k += '=';
    size_t at = lower(whole_).find(k);
    if (at == std::string::npos) return def;
    return std::atoi(whole_.c_str() + at + k.size());
}

void aoGeometry::read(aoOptions& o, int start)
{
    aoSize s;
    if (o.getsize("x=", s, start)) x = s;
    if (o.getsize("y=", s, start)) y = s;
    // Synonyms: whichever is written last in the string wins.
    int iw = std::max(o.find("xs=", start), o.find("width=", start));
    if (iw >= 0) w = aooption_readsize(o.tokens[static_cast<size_t>(iw)].substr(o.tokens[static_cast<size_t>(iw)].find('=') + 1)), w.given = true;
    int ih = std::max(o.find("ys=", start), o.find("height=", start));
    if (ih >= 0) h = aooption_readsize(o.tokens[static_cast<size_t>(ih)].substr(o.tokens[static_cast<size_t>(ih)].find('=') + 1)), h.given = true;
    for (const char* k : {"xs=", "width=", "ys=", "height="})
        while (o.flag(k, start)) {
        }
    int v = 0;
    for (const char* k : {"minxsize=", "minxs="})
        if (o.getint(k, v, start)) minw = v;
    for (const char* k : {"minysize=", "minys="})
        if (o.getint(k, v, start)) minh = v;
    for (const char* k : {"maxxsize=", "maxxs="})
        if (o.getint(k, v, start)) maxw = v;
    for (const char* k : {"maxysize=", "maxys="})
        if (o.getint(k, v, start)) maxh = v;
    if (o.flagany({"sizepixel", "sizepix"}, start)) w.percent = h.percent = false;
    if (o.flagany({"xsizepixel", "xsizepix"}, start)) w.percent = false;
    if (o.flagany({"ysizepixel", "ysizepix"}, start)) h.percent = false;
    if (o.flagany({"pospixel", "positionpixel", "pospix"}, start)) x.percent = y.percent = false;
    if (o.flagany({"xpositionpixel", "xpospixel", "xpospix"}, start)) x.percent = false;
    if (o.flagany({"ypositionpixel", "ypospixel", "ypospix"}, start)) y.percent = false;
}

namespace {

void resolve_axis(const aoSize& pos, const aoSize& size, int parent, int def, int minv, int maxv,
                  bool fitParent, int& outPos, int& outSize)
{
    int s;
    if (!size.given) {
        s = def;
    } else if (!size.percent) {
        s = static_cast<int>(size.value);
    } else if (pos.percent) {
        int left = static_cast<int>(parent * (pos.value - size.value / 2) * 0.01);
        int right = static_cast<int>(parent * (pos.value - size.value / 2 + size.value) * 0.01);
        s = right - left;
    } else {
        s = static_cast<int>(parent * size.value * 0.01);
    }
    if (fitParent && s > parent && parent > 0) s = parent;
    if (minv > 0 && s < minv) s = minv;
    if (maxv > 0 && s > maxv) s = maxv;
    int p;
    if (!pos.percent)
        p = static_cast<int>(pos.value);
    else
        p = static_cast<int>(parent * pos.value * 0.01) - s / 2;
    outPos = p;
    outSize = s;
}

} // namespace

void aoGeometry::resolve(int parentWidth, int parentHeight, int defw, int defh)
{
    parentw = parentWidth;
    parenth = parentHeight;
    resolve_axis(x, w, parentWidth, defw, minw, maxw, fitParent, rx, rw);
    resolve_axis(y, h, parentHeight, defh, minh, maxh, fitParent, ry, rh);
}

aoFontDescription aooption_fontdescription(std::string_view text)
{
    aoOptions o{std::string(text)};
    aoFontDescription d;
    if (!o.tokens.empty()) {
        std::string face = o.tokens[0];
        size_t b = face.find_first_not_of(" \t");
        size_t e = face.find_last_not_of(" \t");
        d.face = b == std::string::npos ? std::string() : face.substr(b, e - b + 1);
    }
    d.bold = o.flag("bold", 1);
    d.italic = o.flag("italic", 1);
    d.underlined = o.flagany({"underlined", "understriked"}, 1);
    int v = 0;
    for (const char* k : {"xs=", "width="})
        if (o.getint(k, v, 1)) d.xs = v;
    for (const char* k : {"ys=", "height="})
        if (o.getint(k, v, 1)) d.ys = v;
    if (o.getint("ascent=", v, 1)) d.ascent = v;
    if (o.getint("descent=", v, 1)) d.descent = v;
    if (o.getint("points=", v, 1)) d.points = v;
    if (o.getint("xsextra=", v, 1)) d.xsextra = v;
    return d;
}
