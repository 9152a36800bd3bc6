// Windows-1252 inside, UTF-8 outside: the one place where text changes encoding.
#include "aotoolkit.h"
#include "internal.h"

namespace {

// Unicode code points of bytes 0x80..0x9F; 0 where the code page has a hole.
// School notation needs a minus sign and "almost equal", which the code page
// lacks: they take two of its holes, 0x81 and 0x8D, here and in every font.
constexpr unsigned kHigh[32] = {
    0x20AC, 0x2212, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x2248, 0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned byte_to_code(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80] ? kHigh[b - 0x80] : b;
    return b;
}

int code_to_byte(unsigned cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return 0x80 + i;
    if (cp >= 0x80 && cp < 0xA0) return static_cast<int>(cp); // holes map to themselves
    // Latin letters the code page lacks (Yılmaz, Łukasz, Şimşek, Ștefan) keep
    // their base letter rather than turn into "?".
    static const char kLatinA[] = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
                                  "lLlNnNnNnnNnOoOoOo??RrRrRrSsSsSs??TtTtTtUuUuUuUuUuUuWwYy?ZzZz??s";
    if (cp >= 0x100 && cp < 0x180 && kLatinA[cp - 0x100] != '?') return kLatinA[cp - 0x100];
    if (cp >= 0x218 && cp <= 0x21B) return "SsTt"[cp - 0x218];
    return '?';
}

void append_utf8(std::string& out, unsigned cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

unsigned aoi::cp1252Code(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
    return byte == 0x7F ? 0 : byte;
}

std::string ao_cp1252_to_utf8(std::string_view in)
{
    std::string out;
    out.reserve(in.size() + in.size() / 8);
    for (char c : in) append_utf8(out, byte_to_code(static_cast<unsigned char>(c)));
    return out;
}

std::string ao_utf8_to_cp1252(std::string_view in)
{
    std::string out;
    out.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        // Runs of ASCII, most of any text, are copied whole.
        size_t ascii = i;
        while (ascii < in.size() && static_cast<unsigned char>(in[ascii]) < 0x80) ++ascii;
        out.append(in.data() + i, ascii - i);
        i = ascii;
        if (i == in.size()) break;
        unsigned char b = static_cast<unsigned char>(in[i]);
        unsigned cp;
        size_t len;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            len = 4;
        } else {
            // Not UTF-8: a byte of Windows-1252 already; keep it.
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        bool ok = i + len <= in.size();
        for (size_t k = 1; ok && k < len; ++k) {
            unsigned char c = static_cast<unsigned char>(in[i + k]);
            if ((c & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        out += static_cast<char>(code_to_byte(cp));
        i += len;
    }
    return out;
}
