// BMP files: the writer (24-bit, bottom-up) and the reader.
//
// The reader checks the whole header against the bytes the file really has
// before it touches a pixel, so a broken file ends in one console line and
// false. It reads uncompressed 1-, 4-, 8-, 16-, 24- and 32-bit files, bottom-up
// and top-down, with bit-field masks for 16 and 32 bits; RLE and embedded
// JPEG/PNG are refused by name.
//
// Rows are found through the pixel-data offset of the header. For the usual
// bottom-up 24-bit file with nothing after its rows that is the same as
// counting rows back from the end of the file, and it keeps files that carry
// extra bytes after the rows (some writers pad or append metadata) upright.
#include "aotoolkit.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <fstream>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define ZIFFRON_X86 1
#endif

namespace {

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t u32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void put16(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    v[at] = x & 0xFF;
    v[at + 1] = (x >> 8) & 0xFF;
}
void put32(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    for (int i = 0; i < 4; i++) v[at + i] = (x >> (8 * i)) & 0xFF;
}

constexpr size_t kFileHeader = 14;
constexpr size_t kStdHeader = 54;
// Files beyond this are refused before being read into memory.
constexpr long long kMaxFileBytes = 1100LL * 1024 * 1024;

std::string fmt(const char* f, ...) AO_PRINTF(1, 2);
std::string fmt(const char* f, ...)
{
    char buf[200];
    va_list ap;
    va_start(ap, f);
    vsnprintf(buf, sizeof buf, f, ap);
    va_end(ap);
    return buf;
}

struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;
};

Channel channel(uint32_t mask)
{
    Channel c;
    c.mask = mask;
    if (!mask) return c;
    while (!((mask >> c.shift) & 1)) c.shift++;
    c.max = mask >> c.shift;
    return c;
}

int scale(uint32_t v, const Channel& c)
{
    if (!c.mask) return 0;
    const uint64_t part = (v & c.mask) >> c.shift;
    return static_cast<int>(part * 255 / c.max);
}

struct BmpInfo {
    int width = 0, height = 0; // height positive
    bool topdown = false;
    int bpp = 0;
    size_t dataOffset = 0;
    size_t stride = 0;
    std::array<int, 256> palette{};
    int paletteCount = 0;
    Channel red, green, blue;
};

// Parses and checks the header. With needData, the pixel rows must also be
// present in full.
bool parseHeader(const uint8_t* d, size_t n, bool needData, BmpInfo& info, std::string& err)
{
    if (n < kFileHeader + 4) {
        err = fmt("BMP header truncated: %zu of %zu bytes", n, kStdHeader);
        return false;
    }
    if (d[0] != 'B' || d[1] != 'M') {
        err = "not a BMP file (no \"BM\" signature)";
        return false;
    }
    const uint32_t infoSize = u32(d + 14);
    const bool core = infoSize == 12;
    if (!core && infoSize < 40) {
        err = fmt("BMP info header size %u not supported", infoSize);
        return false;
    }
    if (infoSize > 4096) {
        err = fmt("BMP info header size %u implausible", infoSize);
        return false;
    }
    const size_t headerEnd = kFileHeader + infoSize;
    if (n < headerEnd) {
        err = fmt("BMP header truncated: %zu of %zu bytes", n, headerEnd);
        return false;
    }

    long long w, h;
    uint32_t compression = 0, colorsUsed = 0;
    if (core) {
        w = u16(d + 18);
        h = u16(d + 20);
        info.bpp = u16(d + 24);
    } else {
        w = static_cast<int32_t>(u32(d + 18));
        h = static_cast<int32_t>(u32(d + 22));
        info.bpp = u16(d + 28);
        compression = u32(d + 30);
        colorsUsed = u32(d + 46);
    }
    info.topdown = h < 0;
    if (h < 0) h = -h; // 64-bit: INT_MIN cannot overflow here
    if (w <= 0 || h <= 0) {
        err = fmt("BMP size invalid: %lld x %lld", w, h);
        return false;
    }
    if (w > AOPX_MAX_SIDE || h > AOPX_MAX_SIDE) {
        err = fmt("BMP too large: %lld x %lld (at most %d per side)", w, h, AOPX_MAX_SIDE);
        return false;
    }
    info.width = static_cast<int>(w);
    info.height = static_cast<int>(h);

    const int bpp = info.bpp;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        err = fmt("BMP with %d bits per pixel not supported", bpp);
        return false;
    }
    if (compression == 1 || compression == 2) {
        err = fmt("BMP compression RLE%d not supported", compression == 1 ? 8 : 4);
        return false;
    }
    if (compression == 4 || compression == 5) {
        err = fmt("BMP with embedded %s not supported", compression == 4 ? "JPEG" : "PNG");
        return false;
    }
    const bool bitfields = compression == 3 || compression == 6;
    if (compression != 0 && !bitfields) {
        err = fmt("BMP compression %u not supported", compression);
        return false;
    }
    if (bitfields && bpp != 16 && bpp != 32) {
        err = fmt("BMP bit fields with %d bits per pixel not supported", bpp);
        return false;
    }
    if (info.topdown && core) {
        err = "BMP size invalid: negative height in a core header";
        return false;
    }

    // Colour masks: inside the larger headers, or right after a 40-byte one.
    size_t after = headerEnd;
    if (bitfields) {
        const size_t masksAt = kFileHeader + 40;
        const size_t masksEnd = masksAt + (compression == 6 ? 16 : 12);
        if (n < masksEnd) {
            err = fmt("BMP header truncated: %zu of %zu bytes", n, masksEnd);
            return false;
        }
        info.red = channel(u32(d + masksAt));
        info.green = channel(u32(d + masksAt + 4));
        info.blue = channel(u32(d + masksAt + 8));
        after = std::max(after, masksEnd);
    } else if (bpp == 16) {
        info.red = channel(0x7C00);
        info.green = channel(0x03E0);
        info.blue = channel(0x001F);
    } else if (bpp == 32) {
        info.red = channel(0xFF0000);
        info.green = channel(0x00FF00);
        info.blue = channel(0x0000FF);
    }

    if (bpp <= 8) {
        const int entrySize = core ? 3 : 4;
        long long count = colorsUsed ? colorsUsed : (1LL << bpp);
        if (count > 256) count = 256;
        const size_t paletteEnd = after + static_cast<size_t>(count) * entrySize;
        if (n < paletteEnd) {
            err = fmt("BMP palette truncated: %zu of %zu bytes", n, paletteEnd);
            return false;
        }
        for (int i = 0; i < count; i++) {
            const uint8_t* e = d + after + static_cast<size_t>(i) * entrySize;
            info.palette[i] = (e[2] << 16) | (e[1] << 8) | e[0];
        }
        info.paletteCount = static_cast<int>(count);
    }

    info.stride = ((static_cast<size_t>(info.width) * bpp + 31) / 32) * 4;
    info.dataOffset = u32(d + 10);
    if (info.dataOffset < headerEnd) {
        err = fmt("BMP pixel offset %zu lies inside the header", info.dataOffset);
        return false;
    }
    if (needData) {
        const size_t need = static_cast<size_t>(info.height) * info.stride;
        const size_t have = n > info.dataOffset ? n - info.dataOffset : 0;
        if (have < need) {
            err = fmt("BMP pixel data truncated: %zu of %zu bytes", have, need);
            return false;
        }
    }
    return true;
}

// Byte offset of picture row r (0 = top).
size_t rowOffset(const BmpInfo& info, int r)
{
    const int stored = info.topdown ? r : info.height - 1 - r;
    return info.dataOffset + static_cast<size_t>(stored) * info.stride;
}

// Colour of column c of a row, as 0x00RRGGBB. The row is known to be complete.
int pixelAt(const BmpInfo& info, const uint8_t* row, int c)
{
    switch (info.bpp) {
    case 24: {
        const uint8_t* p = row + static_cast<size_t>(c) * 3;
        return p[0] | (p[1] << 8) | (p[2] << 16);
    }
    case 32: {
        const uint32_t v = u32(row + static_cast<size_t>(c) * 4);
        return (scale(v, info.red) << 16) | (scale(v, info.green) << 8) | scale(v, info.blue);
    }
    case 16: {
        const uint32_t v = u16(row + static_cast<size_t>(c) * 2);
        return (scale(v, info.red) << 16) | (scale(v, info.green) << 8) | scale(v, info.blue);
    }
    default: break;
    }
    int index;
    if (info.bpp == 8)
        index = row[c];
    else if (info.bpp == 4)
        index = (row[c / 2] >> ((c & 1) ? 0 : 4)) & 0x0F;
    else
        index = (row[c / 8] >> (7 - (c & 7))) & 1;
    return info.palette[index]; // unused entries stay black
}

// One stored row into 0x00RRGGBB words, by a reader chosen once per file:
// plain loops for the common depths, pixelAt for the rest.
using RowReader = void (*)(const BmpInfo& info, const uint8_t* row, uint32_t* out, int count);

#ifdef ZIFFRON_X86
// Eight pixels at a time: each 128-bit lane takes four 3-byte pixels and
// spreads them to words with a zero top byte. The loads reach 28 bytes past
// a step's start, so a step is taken only while 10 pixels remain (30 bytes
// of the row): nothing is read beyond the row. Returns the pixels done.
__attribute__((target("avx2"))) int readRow24Avx2(const uint8_t* row, uint32_t* out, int count)
{
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, //
                                            0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    int c = 0;
    for (; c + 10 <= count; c += 8) {
        const uint8_t* in = row + 3 * static_cast<size_t>(c);
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 12));
        const __m256i both = _mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + c), _mm256_shuffle_epi8(both, spread));
    }
    return c;
}
#endif

void readRow24(const BmpInfo&, const uint8_t* row, uint32_t* out, int count)
{
    int c = 0;
#ifdef ZIFFRON_X86
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) c = readRow24Avx2(row, out, count);
#endif
    for (; c < count; c++)
        out[c] = static_cast<uint32_t>(row[3 * c]) | (static_cast<uint32_t>(row[3 * c + 1]) << 8) |
                 (static_cast<uint32_t>(row[3 * c + 2]) << 16);
}

// 32 bits with the standard masks: each channel is its own byte already.
void readRow32(const BmpInfo&, const uint8_t* row, uint32_t* out, int count)
{
    for (int c = 0; c < count; c++) out[c] = u32(row + 4 * static_cast<size_t>(c)) & 0xFFFFFF;
}

void readRowAny(const BmpInfo& info, const uint8_t* row, uint32_t* out, int count)
{
    for (int c = 0; c < count; c++) out[c] = static_cast<uint32_t>(pixelAt(info, row, c));
}

RowReader rowReader(const BmpInfo& info)
{
    if (info.bpp == 24) return readRow24;
    if (info.bpp == 32 && info.red.mask == 0xFF0000 && info.green.mask == 0xFF00 && info.blue.mask == 0xFF)
        return readRow32;
    return readRowAny;
}

int paletteIndex(const BmpInfo& info, const uint8_t* row, int c)
{
    if (info.bpp == 8) return row[c];
    if (info.bpp == 4) return (row[c / 2] >> ((c & 1) ? 0 : 4)) & 0x0F;
    return (row[c / 8] >> (7 - (c & 7))) & 1;
}

// Fixed 3-3-2 palette for putting colour files into palette8 pixmaps.
int index332(int rgb)
{
    return (((rgb >> 16) & 0xE0)) | (((rgb >> 8) & 0xE0) >> 3) | ((rgb & 0xC0) >> 6);
}
int colour332(int i)
{
    const int r = (i >> 5) & 7, g = (i >> 2) & 7, b = i & 3;
    return ((r * 255 / 7) << 16) | ((g * 255 / 7) << 8) | (b * 255 / 3);
}

bool readFile(const char* path, std::vector<uint8_t>& out, std::string& err, size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err = "cannot open file";
        return false;
    }
    in.seekg(0, std::ios::end);
    const long long size = static_cast<long long>(in.tellg());
    if (size < 0) {
        err = "cannot read file";
        return false;
    }
    if (size > kMaxFileBytes) {
        err = fmt("BMP file too large: %lld bytes", size);
        return false;
    }
    const size_t take = std::min(static_cast<size_t>(size), limit);
    in.seekg(0, std::ios::beg);
    out.resize(take);
    if (take && !in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(take))) {
        err = "cannot read file";
        return false;
    }
    return true;
}

} // namespace

std::vector<uint8_t> aobmp_encode(const uint32_t* pixels, int width, int height)
{
    if (!pixels || width <= 0 || height <= 0 || width > AOPX_MAX_SIDE || height > AOPX_MAX_SIDE)
        return {};
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t size = kStdHeader + stride * height;
    std::vector<uint8_t> out(size, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<uint32_t>(size));
    put32(out, 10, kStdHeader);
    put32(out, 14, 40);
    put32(out, 18, static_cast<uint32_t>(width));
    put32(out, 22, static_cast<uint32_t>(height));
    put16(out, 26, 1);
    put16(out, 28, 24);
    // Bottom-up: the last picture row comes first; padding stays zero.
    for (int r = 0; r < height; r++) {
        const uint32_t* src = pixels + static_cast<size_t>(height - 1 - r) * width;
        uint8_t* dst = out.data() + kStdHeader + r * stride;
        for (int c = 0; c < width; c++) {
            dst[c * 3] = src[c] & 0xFF;
            dst[c * 3 + 1] = (src[c] >> 8) & 0xFF;
            dst[c * 3 + 2] = (src[c] >> 16) & 0xFF;
        }
    }
    return out;
}

bool aobmp_decode(const uint8_t* data, size_t size, aoPixmap* out, std::string& err)
{
    BmpInfo info;
    if (!parseHeader(data, size, true, info, err)) return false;
    out->format = AOPX_TRUECOLOR;
    out->width = info.width;
    out->height = info.height;
    if (!aopxmap_allocate(out)) {
        err = "cannot allocate the picture";
        return false;
    }
    const RowReader read = rowReader(info);
    for (int r = 0; r < info.height; r++) read(info, data + rowOffset(info, r), out->row(r), info.width);
    out->loaded = true;
    return true;
}

bool aobmp_readsize(const char* path, int& width, int& height)
{
    std::vector<uint8_t> head;
    std::string err;
    // The header with the largest info block and masks fits well in 4 KB.
    if (!readFile(path, head, err, 4096 + kStdHeader)) return false;
    BmpInfo info;
    if (!parseHeader(head.data(), head.size(), false, info, err)) return false;
    width = info.width;
    height = info.height;
    return true;
}

bool aopxmap_loadfromfile_bmp(aoPixmap* p, const char* path, const char* options, int x, int y,
                              int w, int h)
{
    const bool truecolor =
        p->format == AOPX_TRUECOLOR || p->format == AOPX_SERVER || p->format == AOPX_DIRECTX;
    if (!truecolor && p->format != AOPX_PALETTE8) {
        aoprintf("aopxmap_loadfromfile_bmp: PX-Format %d not supported (should load and copy "
                 "then)\n",
                 p->format);
        return false;
    }
    std::vector<uint8_t> data;
    std::string err;
    BmpInfo info;
    if (!readFile(path, data, err, SIZE_MAX) ||
        !parseHeader(data.data(), data.size(), true, info, err)) {
        aoprintf("aopxmap_loadfromfile_bmp: %s: %s\n", path, err.c_str());
        return false;
    }

    if (x < 0) x = 0;
    if (y < 0) y = 0;
    // What fits: the file, the pixmap from (x, y), and the area asked for.
    long long cols = std::min<long long>(info.width, static_cast<long long>(p->width) - x);
    long long rows = std::min<long long>(info.height, static_cast<long long>(p->height) - y);
    if (w > 0) cols = std::min<long long>(cols, w);
    if (h > 0) rows = std::min<long long>(rows, h);
    if (p->pixels.empty()) cols = rows = 0;
    if (p->palette.size() < 256) p->palette.resize(256, 0);

    if (truecolor) {
        const RowReader read = rowReader(info);
        for (long long r = 0; r < rows; r++)
            read(info, data.data() + rowOffset(info, static_cast<int>(r)), p->row(static_cast<int>(y + r)) + x,
                 static_cast<int>(cols));
    } else {
        // Palette files keep their indices and colours; colour files go
        // through a fixed 3-3-2 palette.
        const bool indexed = info.bpp <= 8;
        for (int i = 0; i < 256; i++) p->palette[i] = indexed ? info.palette[i] : colour332(i);
        for (long long r = 0; r < rows; r++) {
            const uint8_t* row = data.data() + rowOffset(info, static_cast<int>(r));
            for (long long c = 0; c < cols; c++) {
                const int ci = static_cast<int>(c);
                const int v = indexed ? paletteIndex(info, row, ci) : index332(pixelAt(info, row, ci));
                aopxmap_setpixel(p, static_cast<int>(x + c), static_cast<int>(y + r), v);
            }
        }
    }

    if (options && *options) {
        aoOptions opts{std::string(options)};
        int transparent = p->palette[255];
        if (opts.getcolorany({"transcolor=", "transparentcol=", "transparentcolor="}, transparent))
            p->palette[255] = transparent;
    }
    p->loaded = true;
    return true;
}

bool aopxmap_savetofile_bmp(const aoPixmap* p, const char* path)
{
    if (p->width <= 0 || p->height <= 0 || p->pixels.empty()) {
        aoprintf("aopxmap_savetofile_bmp: empty picture, %s not written\n", path);
        return false;
    }
    const size_t area = static_cast<size_t>(p->width) * p->height;
    // A true-colour picture is encoded from its own words; others through a
    // copy of their colours.
    std::vector<uint32_t> rgb;
    const uint32_t* pixels = p->pixels.data();
    if (p->format != AOPX_TRUECOLOR || p->pixels.size() < area) {
        rgb.resize(area);
        for (int yy = 0; yy < p->height; yy++)
            for (int xx = 0; xx < p->width; xx++)
                rgb[static_cast<size_t>(yy) * p->width + xx] = static_cast<uint32_t>(aopxmap_getpixel(p, xx, yy));
        pixels = rgb.data();
    }
    const std::vector<uint8_t> bytes = aobmp_encode(pixels, p->width, p->height);
    std::string err;
    if (!aofile_replace(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), err)) {
        aoprintf("aopxmap_savetofile_bmp: cannot write %s\n", err.c_str());
        return false;
    }
    return true;
}
