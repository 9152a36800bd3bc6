// Pixmaps: allocation, single pixels, clearing, filled rectangles and
// rectangle copies in the formats the toolkit keeps in memory.
//
// Storage: truecolor and the formats the window system would hold (server,
// screen, directx) are one 0x00RRGGBB word per pixel; this platform renders
// everything in software, so those three are truecolor buffers here.
// palette8 packs one index byte per pixel, palette16 one 5-6-5 colour per two
// bytes; both live in the same word vector.
#include "aotoolkit.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

bool wordFormat(int format)
{
    return format == AOPX_TRUECOLOR || format == AOPX_SERVER || format == AOPX_SCREEN ||
           format == AOPX_DIRECTX;
}

bool knownFormat(int format)
{
    return format >= AOPX_PALETTE8 && format <= AOPX_DIRECTX;
}

uint8_t* bytes8(aoPixmap* p) { return reinterpret_cast<uint8_t*>(p->pixels.data()); }
const uint8_t* bytes8(const aoPixmap* p) { return reinterpret_cast<const uint8_t*>(p->pixels.data()); }

uint16_t to565(int c)
{
    const unsigned r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

int from565(uint16_t v)
{
    const int r = (v >> 11) & 0x1F, g = (v >> 5) & 0x3F, b = v & 0x1F;
    return ((r * 255 / 31) << 16) | ((g * 255 / 63) << 8) | (b * 255 / 31);
}

void put16(aoPixmap* p, size_t index, uint16_t v)
{
    std::memcpy(bytes8(p) + index * 2, &v, 2);
}

uint16_t get16(const aoPixmap* p, size_t index)
{
    uint16_t v;
    std::memcpy(&v, bytes8(p) + index * 2, 2);
    return v;
}

bool hasPixels(const aoPixmap* p)
{
    return p->width > 0 && p->height > 0 && !p->pixels.empty();
}

// Fills an already clipped rectangle; callers guarantee it lies inside.
void fillClipped(aoPixmap* p, int x0, int y0, int x1, int y1, int colour)
{
    const size_t w = static_cast<size_t>(p->width);
    if (wordFormat(p->format)) {
        for (int y = y0; y < y1; y++)
            std::fill(p->row(y) + x0, p->row(y) + x1, static_cast<uint32_t>(colour));
    } else if (p->format == AOPX_PALETTE8) {
        for (int y = y0; y < y1; y++)
            std::memset(bytes8(p) + y * w + x0, colour & 0xFF, static_cast<size_t>(x1 - x0));
    } else if (p->format == AOPX_PALETTE16) {
        const uint16_t v = to565(colour);
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) put16(p, y * w + x, v);
    }
}

} // namespace

bool aopxmap_allocate(aoPixmap* p)
{
    if (!knownFormat(p->format)) {
        aoprintf("aopxmap_allocate: wrong format\n");
        return false;
    }
    p->pixels.clear();
    p->palette.assign(256, 0);
    // A picture whose size could not be read stays empty; loops over its
    // pixels then do nothing.
    if (p->width <= 0 || p->height <= 0) return true;
    if (p->width > AOPX_MAX_SIDE || p->height > AOPX_MAX_SIDE) {
        aoprintf("aopxmap_allocate: size %d x %d too large\n", p->width, p->height);
        return false;
    }
    const size_t count = static_cast<size_t>(p->width) * static_cast<size_t>(p->height);
    size_t words = count;
    if (p->format == AOPX_PALETTE8) words = (count + 3) / 4;
    if (p->format == AOPX_PALETTE16) words = (count * 2 + 3) / 4;
    try {
        p->pixels.assign(words, 0);
    } catch (const std::bad_alloc&) {
        aoprintf("aopxmap_allocate: out of memory for %d x %d\n", p->width, p->height);
        p->pixels.clear();
        return false;
    }
    return true;
}

void aopxmap_setpixel(aoPixmap* p, int x, int y, int colour)
{
    if (x < 0 || y < 0 || x >= p->width || y >= p->height || !hasPixels(p)) return;
    const size_t i = static_cast<size_t>(y) * p->width + x;
    if (wordFormat(p->format))
        p->pixels[i] = static_cast<uint32_t>(colour);
    else if (p->format == AOPX_PALETTE8)
        bytes8(p)[i] = static_cast<uint8_t>(colour & 0xFF);
    else if (p->format == AOPX_PALETTE16)
        put16(p, i, to565(colour));
    else
        aoprintf("aopxmap_setpixel: wrong format %d\n", p->format);
}

int aopxmap_getpixel(const aoPixmap* p, int x, int y)
{
    if (x < 0 || y < 0 || x >= p->width || y >= p->height || !hasPixels(p)) return -1;
    const size_t i = static_cast<size_t>(y) * p->width + x;
    if (wordFormat(p->format)) return static_cast<int>(p->pixels[i]);
    if (p->format == AOPX_PALETTE8) {
        const int index = bytes8(p)[i];
        return index < static_cast<int>(p->palette.size()) ? p->palette[index] : 0;
    }
    if (p->format == AOPX_PALETTE16) return from565(get16(p, i));
    aoprintf("aopxmap_getpixel: wrong format\n");
    return -1;
}

void aopxmap_clear(aoPixmap* p, int colour)
{
    if (!hasPixels(p)) return;
    fillClipped(p, 0, 0, p->width, p->height, colour);
}

void aopxmap_fillrect(aoPixmap* p, int x, int y, int w, int h, int colour)
{
    if (!hasPixels(p) || w < 1 || h < 1) return;
    // 64-bit ends so that huge sizes cannot wrap around.
    const long long x0 = std::max<long long>(x, 0), y0 = std::max<long long>(y, 0);
    const long long x1 = std::min<long long>(static_cast<long long>(x) + w, p->width);
    const long long y1 = std::min<long long>(static_cast<long long>(y) + h, p->height);
    if (x1 - x0 < 1 || y1 - y0 < 1) return;
    fillClipped(p, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1),
                static_cast<int>(y1), colour);
}

// flag1: when set, source pixels equal to the source's transparent colour
// (palette entry 255) are skipped. flag2 is accepted and has no effect.
void aopxmap_merge4(aoPixmap* dst, const aoPixmap* src, int x, int y, int sx, int sy, int w, int h,
                    int flag1, int flag2)
{
    const bool srcOk = wordFormat(src->format) || src->format == AOPX_PALETTE8 ||
                       src->format == AOPX_PALETTE16;
    const bool dstOk = wordFormat(dst->format) ||
                       (dst->format == AOPX_PALETTE8 && src->format == AOPX_PALETTE8);
    if (!srcOk || !dstOk) {
        aoprintf("aopxmap_merge4: unsupported formats: %d -> %d\n", src->format, dst->format);
        return;
    }
    if (!hasPixels(dst) || !hasPixels(src) || w < 1 || h < 1) return;

    // Clip against both pictures: the destination as promised, the source so
    // that nothing outside it is ever read.
    long long dx = x, dy = y, srx = sx, sry = sy, cw = w, ch = h;
    if (srx < 0) { dx -= srx; cw += srx; srx = 0; }
    if (sry < 0) { dy -= sry; ch += sry; sry = 0; }
    if (dx < 0) { srx -= dx; cw += dx; dx = 0; }
    if (dy < 0) { sry -= dy; ch += dy; dy = 0; }
    cw = std::min({cw, dst->width - dx, src->width - srx});
    ch = std::min({ch, dst->height - dy, src->height - sry});
    if (cw < 1 || ch < 1) return;

    const int transparent = src->palette.size() > 255 ? src->palette[255] : -1;
    for (long long r = 0; r < ch; r++) {
        const int ty = static_cast<int>(dy + r), fy = static_cast<int>(sry + r);
        if (dst->format == AOPX_PALETTE8) {
            const uint8_t* from = bytes8(src) + static_cast<size_t>(fy) * src->width + srx;
            uint8_t* to = bytes8(dst) + static_cast<size_t>(ty) * dst->width + dx;
            for (long long c = 0; c < cw; c++)
                if (!flag1 || from[c] != 255) to[c] = from[c];
            continue;
        }
        uint32_t* to = dst->row(ty) + dx;
        if (!flag1 && wordFormat(src->format)) {
            // The common case (an area shown in its window): whole rows.
            std::memcpy(to, src->row(fy) + srx, static_cast<size_t>(cw) * sizeof(uint32_t));
            continue;
        }
        for (long long c = 0; c < cw; c++) {
            const int colour = aopxmap_getpixel(src, static_cast<int>(srx + c), fy);
            if (flag1 && colour == transparent) continue;
            to[c] = static_cast<uint32_t>(colour);
        }
    }
}
