#include "report_format.h"

#include <cstdio>
#include <ctime>

std::string duration(long long seconds)
{
    char text[64];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%lld h %02lld min", seconds / 3600, seconds / 60 % 60);
    else
        std::snprintf(text, sizeof text, "%lld min %02lld s", seconds / 60, seconds % 60);
    return text;
}

std::string percent(int part, int whole)
{
    if (whole <= 0) return "–";
    return std::to_string((part * 100 + whole / 2) / whole) + " %";
}

size_t width(const std::string& s)
{
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string pad(const std::string& s, size_t w)
{
    size_t n = width(s);
    return n >= w ? s + " " : s + std::string(w - n, ' ');
}

namespace {

// The base letters of U+00C0 to U+017F; '*' where a letter stands for two
// (Æ, Þ, ß, Ĳ, Œ) or for none (×, ÷).
constexpr const char kLatinBase[] =
    "aaaaaa*ceeeeiiii" "dnooooo*ouuuuyt*" "aaaaaa*ceeeeiiii" "dnooooo*ouuuuyty" // U+00C0 .. U+00FF
    "aaaaaacccccccc" "dddd" "eeeeeeeeee" "gggggggg" "hhhh" "iiiiiiiiii" "**" "jj" "kkk" "llllllllll"
    "nnnnnnnnn" "oooooo" "**" "rrrrrr" "ssssssss" "tttttt" "uuuuuuuuuuuu" "ww" "yyy" "zzzzzz" "s";
static_assert(sizeof kLatinBase - 1 == 0x180 - 0xC0, "one base letter per code point");

const char* twoLetters(unsigned cp)
{
    switch (cp) {
    case 0xC6: case 0xE6: return "ae";
    case 0xDE: case 0xFE: return "th";
    case 0xDF: return "ss";
    case 0x132: case 0x133: return "ij";
    case 0x152: case 0x153: return "oe";
    default: return nullptr;
    }
}

} // namespace

std::string germanSortKey(const std::string& utf8)
{
    std::string key;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            key += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            ++i;
            continue;
        }
        // Two-byte sequences hold the Latin letters and the combining accents.
        const unsigned char next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        const unsigned cp = (c & 0xE0) == 0xC0 && (next & 0xC0) == 0x80 ? (c & 0x1Fu) << 6 | (next & 0x3Fu) : 0;
        if (cp >= 0x300 && cp < 0x370) { // a combining accent ("u" + "̈"): ignored
            i += 2;
            continue;
        }
        if (cp >= 0xC0 && cp < 0x180) {
            const char* two = twoLetters(cp);
            const char base = kLatinBase[cp - 0xC0];
            if (two) key += two;
            else if (base != '*') key += base;
            else key.append(utf8, i, 2);
            i += 2;
            continue;
        }
        key += static_cast<char>(c);
        ++i;
    }
    return key;
}

bool GermanOrder::operator()(const std::string& a, const std::string& b) const
{
    const std::string ka = germanSortKey(a), kb = germanSortKey(b);
    return ka != kb ? ka < kb : a < b;
}

std::string html(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::tm localDay(long long epoch)
{
    std::time_t t = static_cast<std::time_t>(epoch);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}

std::string localTime(long long epoch, const char* format)
{
    const std::tm tm = localDay(epoch);
    char text[64];
    std::strftime(text, sizeof text, format, &tm);
    return text;
}
