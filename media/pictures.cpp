// Reward pictures in the picture planes and the ways of drawing them, the
// saved area rectangles, and the logo and avatar pictures.
//
// The drawings come twice: fast paths (whole rows copied, loops the compiler
// turns into SSE2/NEON code) and plain per-pixel loops kept as the reference
// the fast paths are tested against bit for bit.
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define ZIFFRON_X86 1
#endif

PicturePlanes picturePlanes;
RewardPicture rewardPicture;
aoImage ausgabegrafik1;
aoImage ausgabegrafik4;

void Plane::Free::operator()(uint32_t* p) const
{
    std::free(p);
}

void Plane::allocate(size_t words)
{
    // calloc of a large block maps fresh zero pages without writing them, so
    // rows nobody draws into never become resident.
    auto* p = static_cast<uint32_t*>(std::calloc(words, sizeof(uint32_t)));
    if (!p) throw std::bad_alloc();
    words_.reset(p);
    size_ = words;
}

namespace {

const uint32_t kClearGrey = 0xDEDEE1; // (222, 222, 225)

bool planesReady()
{
    return picturePlanes.reward.size() == static_cast<size_t>(kPlaneWidth) * kPlaneHeight;
}

uint32_t pack(int r, int g, int b)
{
    return static_cast<uint32_t>((r << 16) | (g << 8) | b);
}

int red(uint32_t c) { return static_cast<int>((c >> 16) & 255); }
int green(uint32_t c) { return static_cast<int>((c >> 8) & 255); }
int blue(uint32_t c) { return static_cast<int>(c & 255); }

const uint32_t* rewardRow(int row)
{
    return picturePlanes.reward.data() + PicturePlanes::at(0, row);
}

// Loads a picture file into an image without letting it become the drawing
// target: loads also happen from timer ticks in the middle of other drawing.
// Pictures larger than the planes are cut at their right and bottom edges.
bool loadImage(aoImage& image, const char* label, const char* path)
{
    aoDrawTarget* previous = aographic_gettarget();
    int w = 0, h = 0;
    bool ok;
    if (aobmp_readsize(path, w, h) && (w > kPlaneWidth || h > kPlaneHeight))
        ok = image.load("%s,load=%s,xs=%d,ys=%d", label, path, std::min(w, kPlaneWidth),
                        std::min(h, kPlaneHeight));
    else
        ok = image.load("%s,load=%s", label, path);
    aographic_settarget(previous);
    return ok && image.width > 0 && image.height > 0 && !image.pixels.empty();
}

// Copies the image into a plane; returns the size copied (at most the plane's).
void imageToPlane(const aoImage& image, Plane& plane, int& w, int& h)
{
    w = std::min(image.width, kPlaneWidth);
    h = std::min(image.height, kPlaneHeight);
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = image.row(y);
        uint32_t* dst = plane.data() + PicturePlanes::at(0, y);
        for (int x = 0; x < w; ++x) dst[x] = src[x] & 0xFFFFFF;
    }
}

bool loadIntoRewardPlanes(const char* path)
{
    setupPicturePlanes();
    if (!loadImage(ausgabegrafik1, "ausgabegrafik1", path)) {
        // A missing or broken picture leaves the picture empty.
        rewardPicture = RewardPicture{};
        return false;
    }
    imageToPlane(ausgabegrafik1, picturePlanes.reward, rewardPicture.width, rewardPicture.height);
    // The plane holds the picture now; the image's own copy is not needed.
    ausgabegrafik1.pixels = {};
    return true;
}

aoPixmap* selectTaskArea()
{
    if (!mediaScreen.taskArea) return nullptr;
    mediaScreen.taskArea->select();
    aoPixmap* p = mediaScreen.taskArea->pixmap();
    return p && p->format == AOPX_TRUECOLOR && !p->pixels.empty() ? p : nullptr;
}

// The mapping shared by the cover and faded drawings: source column and row
// of every area column and row, for a w x h picture scaled to cover the area.
struct CoverMap {
    int cols[kAreaWidth];
    int rows[kAreaHeight];
    bool identity = true; // every column maps to itself
    CoverMap(int w, int h)
    {
        const double f = std::min(static_cast<double>(w) / kAreaWidth, static_cast<double>(h) / kAreaHeight);
        const int lastCol = std::min(w, kPlaneWidth) - 1, lastRow = std::min(h, kPlaneHeight) - 1;
        for (int i = 0; i < kAreaWidth; ++i) cols[i] = std::min(static_cast<int>(i * f), lastCol);
        for (int j = 0; j < kAreaHeight; ++j) rows[j] = std::min(static_cast<int>(j * f), lastRow);
        for (int i = 0; i < kAreaWidth && identity; ++i) identity = cols[i] == i;
    }
};

// Area columns i whose pixel (x + i) lies in the pixmap: [first, last).
void clipColumns(const aoPixmap* p, int x, int count, int& first, int& last)
{
    first = std::max(0, -x);
    last = std::min(count, p->width - x);
}

// The fade of area row j: each channel c becomes trunc((c - 255) * j / 1400 + 255),
// which is floor(N / 1400) with N = c * j + 255 * (1400 - j). The table is
// the plain way. fadeRow computes the same on every byte of the row in
// 16-bit lanes, exact for rows below 1400: with j = 8 j1 + j0 and
// K = 255 * (1400 - j) = 8 K1 + K0, floor(N / 8) = c j1 + K1 + (c j0 + K0) / 8
// stays below 44626, and floor(N / 1400) = floor(N / 8) / 175.
struct FadeTable {
    uint32_t r[256], g[256], b[256];
    explicit FadeTable(int j)
    {
        for (int c = 0; c < 256; ++c) {
            const uint32_t v = static_cast<uint32_t>(255 - ((255 - c) * j + 1399) / 1400);
            r[c] = v << 16;
            g[c] = v << 8;
            b[c] = v;
        }
    }
};

// The exact fade of one row in 16-bit lanes, for the rows the multiply
// constants below cannot serve.
void fadeRowExact(const uint8_t* from, uint8_t* to, size_t bytes, int j)
{
    const int k = 255 * (1400 - j);
    const uint16_t j1 = static_cast<uint16_t>(j >> 3), j0 = static_cast<uint16_t>(j & 7);
    const uint16_t k1 = static_cast<uint16_t>(k >> 3), k0 = static_cast<uint16_t>(k & 7);
    for (size_t i = 0; i < bytes; ++i) {
        const uint16_t c = from[i];
        const uint16_t eighth = static_cast<uint16_t>(c * j1 + k1 + static_cast<uint16_t>((c * j0 + k0) >> 3));
        to[i] = static_cast<uint8_t>(eighth / 175);
    }
}

// Most rows' fade is also v = (hi16((c * 256 + b) * m) + k) >> 7, three
// vector operations per eight bytes. The constants are searched once per row
// and used only where they give the exact value for all 256 bytes; the
// others (rows 1 and 2 among them) keep the exact form.
struct FadeConstants {
    uint16_t m = 0, b = 0, k = 0;
    bool usable = false;
};

uint8_t fadeByFormula(const FadeConstants& f, unsigned c)
{
    const unsigned u = ((c << 8 | f.b) * f.m) >> 16;
    return static_cast<uint8_t>((u + f.k) >> 7);
}

FadeConstants searchFadeConstants(int j)
{
    uint8_t want[256];
    for (int c = 0; c < 256; ++c) want[c] = static_cast<uint8_t>(255 - ((255 - c) * j + 1399) / 1400);
    const int m0 = (j * 256 * 128 + 700) / 1400;
    for (int m : {m0, m0 - 1, m0 + 1}) {
        if (m < 0 || m > 65535) continue;
        for (int b = 0; b < 256; ++b) {
            // k must put every (u + k) >> 7 on its value: intersect the ranges.
            long lo = 0, hi = 65535;
            for (int c = 0; c < 256 && lo <= hi; ++c) {
                const long u = (static_cast<long>(c << 8 | b) * m) >> 16;
                lo = std::max(lo, (static_cast<long>(want[c]) << 7) - u);
                hi = std::min(hi, ((static_cast<long>(want[c]) + 1) << 7) - 1 - u);
                hi = std::min(hi, 65535 - u); // no wrap in the 16-bit lane
            }
            if (lo <= hi) {
                FadeConstants f{static_cast<uint16_t>(m), static_cast<uint16_t>(b), static_cast<uint16_t>(lo), true};
                return f;
            }
        }
    }
    return {};
}

const FadeConstants& fadeConstants(int j)
{
    static const std::vector<FadeConstants> table = [] {
        std::vector<FadeConstants> t(kAreaHeight);
        for (int row = 0; row < kAreaHeight; ++row) t[row] = searchFadeConstants(row);
        return t;
    }();
    return table[static_cast<size_t>(j)];
}

#ifdef ZIFFRON_X86

bool haveAvx2()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}

// 16 bytes at a time (SSE2, every x86-64 processor).
size_t fadeBytesSse2(const uint8_t* from, uint8_t* to, size_t bytes, const FadeConstants& f)
{
    const __m128i low = _mm_set1_epi8(static_cast<char>(f.b)), m = _mm_set1_epi16(static_cast<short>(f.m));
    const __m128i k = _mm_set1_epi16(static_cast<short>(f.k)), rgb = _mm_set1_epi32(0xFFFFFF);
    size_t i = 0;
    for (; i + 16 <= bytes; i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        __m128i a = _mm_mulhi_epu16(_mm_unpacklo_epi8(low, c), m);
        __m128i z = _mm_mulhi_epu16(_mm_unpackhi_epi8(low, c), m);
        a = _mm_srli_epi16(_mm_add_epi16(a, k), 7);
        z = _mm_srli_epi16(_mm_add_epi16(z, k), 7);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_and_si128(_mm_packus_epi16(a, z), rgb));
    }
    return i;
}

// The same 32 bytes at a time where the processor has AVX2.
__attribute__((target("avx2"))) size_t fadeBytesAvx2(const uint8_t* from, uint8_t* to, size_t bytes,
                                                     const FadeConstants& f)
{
    const __m256i low = _mm256_set1_epi8(static_cast<char>(f.b)), m = _mm256_set1_epi16(static_cast<short>(f.m));
    const __m256i k = _mm256_set1_epi16(static_cast<short>(f.k)), rgb = _mm256_set1_epi32(0xFFFFFF);
    size_t i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
        __m256i a = _mm256_mulhi_epu16(_mm256_unpacklo_epi8(low, c), m);
        __m256i z = _mm256_mulhi_epu16(_mm256_unpackhi_epi8(low, c), m);
        a = _mm256_srli_epi16(_mm256_add_epi16(a, k), 7);
        z = _mm256_srli_epi16(_mm256_add_epi16(z, k), 7);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), _mm256_and_si256(_mm256_packus_epi16(a, z), rgb));
    }
    return i;
}

// Nearest-neighbour columns of one row, eight at a time: two loads of eight
// source words and two permutes instead of eight loads. Returns the columns done.
__attribute__((target("avx2"))) size_t nearestRowAvx2(const uint32_t* src, const int* cols, const int32_t* offsets,
                                                      uint32_t* dst, size_t blocks)
{
    const __m256i seven = _mm256_set1_epi32(7);
    for (size_t b = 0; b < blocks; ++b) {
        const uint32_t* run = src + cols[8 * b];
        const __m256i at = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(offsets + 8 * b));
        const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(run));
        const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(run + 8));
        const __m256i fromFirst = _mm256_permutevar8x32_epi32(first, at);
        const __m256i fromSecond = _mm256_permutevar8x32_epi32(second, at); // uses at & 7
        const __m256i words = _mm256_blendv_epi8(fromFirst, fromSecond, _mm256_cmpgt_epi32(at, seven));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 8 * b), words);
    }
    return blocks * 8;
}

// boxMeanRow eight words at a time: the vertical sums per word, then the
// sums of neighbouring words (hadd keeps 128-bit halves, a permute restores
// the order). Returns the words done.
__attribute__((target("avx2"))) int boxMeanRowAvx2(const uint32_t* top, const uint32_t* bottom, uint32_t* dst,
                                                   int count)
{
    const __m256i rbMask = _mm256_set1_epi32(0xFF00FF), byte = _mm256_set1_epi32(255);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i* t = reinterpret_cast<const __m256i*>(top + 2 * i);
        const __m256i* b = reinterpret_cast<const __m256i*>(bottom + 2 * i);
        const __m256i t0 = _mm256_loadu_si256(t), t1 = _mm256_loadu_si256(t + 1);
        const __m256i b0 = _mm256_loadu_si256(b), b1 = _mm256_loadu_si256(b + 1);
        const __m256i rb0 = _mm256_add_epi32(_mm256_and_si256(t0, rbMask), _mm256_and_si256(b0, rbMask));
        const __m256i rb1 = _mm256_add_epi32(_mm256_and_si256(t1, rbMask), _mm256_and_si256(b1, rbMask));
        const __m256i g0 = _mm256_add_epi32(_mm256_and_si256(_mm256_srli_epi32(t0, 8), byte),
                                            _mm256_and_si256(_mm256_srli_epi32(b0, 8), byte));
        const __m256i g1 = _mm256_add_epi32(_mm256_and_si256(_mm256_srli_epi32(t1, 8), byte),
                                            _mm256_and_si256(_mm256_srli_epi32(b1, 8), byte));
        const __m256i rb = _mm256_permute4x64_epi64(_mm256_hadd_epi32(rb0, rb1), 0xD8);
        const __m256i g = _mm256_permute4x64_epi64(_mm256_hadd_epi32(g0, g1), 0xD8);
        const __m256i red = _mm256_slli_epi32(_mm256_and_si256(_mm256_srli_epi32(rb, 18), byte), 16);
        const __m256i green = _mm256_slli_epi32(_mm256_srli_epi32(g, 2), 8);
        const __m256i blue = _mm256_and_si256(_mm256_srli_epi32(rb, 2), byte);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_or_si256(_mm256_or_si256(red, green), blue));
    }
    return i;
}

size_t fadeBytesVector(const uint8_t* from, uint8_t* to, size_t bytes, const FadeConstants& f)
{
    const size_t done = haveAvx2() ? fadeBytesAvx2(from, to, bytes, f) : 0;
    return done + fadeBytesSse2(from + done, to + done, bytes - done, f);
}
#endif

void fadeRow(const uint32_t* src, uint32_t* dst, int count, int j)
{
    const uint8_t* from = reinterpret_cast<const uint8_t*>(src);
    uint8_t* to = reinterpret_cast<uint8_t*>(dst);
    const size_t bytes = static_cast<size_t>(count) * 4;
    const FadeConstants& f = fadeConstants(j);
    size_t done = 0;
    if (f.usable) {
#ifdef ZIFFRON_X86
        done = fadeBytesVector(from, to, bytes, f);
#endif
        for (size_t i = done; i < bytes; ++i) to[i] = fadeByFormula(f, from[i]);
    } else {
        fadeRowExact(from, to, bytes, j);
    }
    // The unused top byte went through the formula too.
    for (int i = static_cast<int>(done / 4); i < count; ++i) dst[i] &= 0xFFFFFF;
}

// Draws the covering mapping, fast or plain.
void drawCovering(int x, int y, int w, int h, bool fade, bool plain)
{
    aoPixmap* p = selectTaskArea();
    if (!p) return;
    setupPicturePlanes();
    if (w < 1 || h < 1) {
        // No picture: the area stays empty.
        aopxmap_fillrect(p, x, y, kAreaWidth, kAreaHeight, 0xFFFFFF);
        return;
    }
    const CoverMap map(w, h);
    int i0, i1;
    clipColumns(p, x, kAreaWidth, i0, i1);
    if (i0 >= i1) return;
    std::vector<uint32_t> gathered(plain || map.identity ? 0 : kAreaWidth);
    int lastRow = -1, lastDrawn = -1;
    for (int j = 0; j < kAreaHeight; ++j) {
        const int dy = y + j;
        if (dy < 0 || dy >= p->height) continue;
        uint32_t* d = p->row(dy) + x;
        const int sy = map.rows[j];
        const uint32_t* s = rewardRow(sy);
        if (plain) {
            if (fade) {
                const FadeTable t(j);
                for (int i = i0; i < i1; ++i) {
                    const uint32_t c = s[map.cols[i]];
                    d[i] = t.r[red(c)] | t.g[green(c)] | t.b[blue(c)];
                }
            } else {
                for (int i = i0; i < i1; ++i) d[i] = s[map.cols[i]];
            }
            continue;
        }
        if (!fade && sy == lastRow && lastDrawn == dy - 1) {
            // An enlarged picture repeats its rows: copy the row above.
            std::memcpy(d + i0, p->row(dy - 1) + x + i0, static_cast<size_t>(i1 - i0) * 4);
        } else if (map.identity) {
            if (fade) fadeRow(s + i0, d + i0, i1 - i0, j);
            else std::memcpy(d + i0, s + i0, static_cast<size_t>(i1 - i0) * 4);
        } else if (fade) {
            for (int i = i0; i < i1; ++i) gathered[i] = s[map.cols[i]];
            fadeRow(gathered.data() + i0, d + i0, i1 - i0, j);
        } else {
            for (int i = i0; i < i1; ++i) d[i] = s[map.cols[i]];
        }
        lastRow = sy;
        lastDrawn = dy;
    }
}

// Box mean of 2 x 2 words, per channel: red and blue are summed together in
// one word (each sum stays below 1024), green apart.
void boxMeanRow(const uint32_t* top, const uint32_t* bottom, uint32_t* dst, int count)
{
    int i = 0;
#ifdef ZIFFRON_X86
    if (haveAvx2()) i = boxMeanRowAvx2(top, bottom, dst, count);
#endif
    for (; i < count; ++i) {
        const uint32_t a = top[2 * i], b = top[2 * i + 1], c = bottom[2 * i], e = bottom[2 * i + 1];
        const uint32_t rb = (a & 0xFF00FF) + (b & 0xFF00FF) + (c & 0xFF00FF) + (e & 0xFF00FF);
        const uint32_t g = ((a >> 8) & 255) + ((b >> 8) & 255) + ((c >> 8) & 255) + ((e >> 8) & 255);
        dst[i] = (((rb >> 18) & 255) << 16) | ((g >> 2) << 8) | ((rb >> 2) & 255);
    }
}

// The stored picture scaled by fx, fy; plain or fast.
void drawScaled(int x, int y, int W, int H, double fx, double fy, bool plain, const GreyOutside* box = nullptr)
{
    aoPixmap* p = selectTaskArea();
    if (!p) return;
    setupPicturePlanes();
    const int pw = std::min(W, kPlaneWidth), ph = std::min(H, kPlaneHeight);
    // A factor of 0 or below shows nothing of the picture.
    const bool drawable = fx > 0 && fy > 0 && pw > 0 && ph > 0;
    const int ws = drawable ? static_cast<int>(std::min(W * fx, 1e9)) : 0;
    const int hs = drawable ? static_cast<int>(std::min(H * fy, 1e9)) : 0;

    if (ws > 0 && hs > 0) {
        const bool nearest = fx > 0.5 || fy > 0.5;
        const int bx = nearest ? 1 : static_cast<int>(std::min(1 / fx, 1e6));
        const int by = nearest ? 1 : static_cast<int>(std::min(1 / fy, 1e6));
        // Only the columns and rows that land inside the pixmap are computed.
        const int i0 = std::max(0, -x), i1 = std::min(ws, p->width - x);
        const int j0 = std::max(0, -y), j1 = std::min(hs, p->height - y);
        const size_t n = static_cast<size_t>(std::max(i1 - i0, 0));
        std::vector<int> cols(n);
        for (int i = i0; i < i1; ++i) cols[i - i0] = std::min(static_cast<int>(i / fx), pw - 1);
        // Columns 2i, 2i + 1 of a 2 x 2 box mean: the leading run of area
        // columns whose blocks lie side by side inside the picture.
        size_t pairs = 0;
        if (!plain && !nearest && bx == 2 && by == 2 && n > 0 && cols[0] + 1 <= pw - 1) {
            pairs = 1;
            while (pairs < n && cols[pairs] == cols[0] + 2 * static_cast<int>(pairs) && cols[pairs] + 1 <= pw - 1)
                ++pairs;
        }
        // Eight area columns at a time from the sixteen source words from
        // the first one's: their offsets in that run, the same for every row.
        // Only where the run stays inside the plane's row.
        size_t nearestBlocks = 0;
        std::vector<int32_t> offsets;
#ifdef ZIFFRON_X86
        if (!plain && nearest && haveAvx2()) {
            while ((nearestBlocks + 1) * 8 <= n) {
                const int base = cols[nearestBlocks * 8];
                if (base + 16 > kPlaneWidth || cols[nearestBlocks * 8 + 7] - base > 15) break;
                for (int i = 0; i < 8; ++i) offsets.push_back(cols[nearestBlocks * 8 + i] - base);
                ++nearestBlocks;
            }
        }
#endif
        const int area = bx * by;
        for (int j = j0; j < j1; ++j) {
            const int sy = std::min(static_cast<int>(j / fy), ph - 1);
            uint32_t* d = p->row(y + j) + x + i0;
            const uint32_t* s = rewardRow(sy);
            if (nearest) {
                size_t k = 0;
#ifdef ZIFFRON_X86
                if (!plain && nearestBlocks > 0) k = nearestRowAvx2(s, cols.data(), offsets.data(), d, nearestBlocks);
#endif
                for (; k < n; ++k) d[k] = s[cols[k]];
                continue;
            }
            // Box mean over bx x by source pixels; a block running over the
            // picture's edge repeats its last row or column.
            size_t k = 0;
            if (pairs > 0) {
                boxMeanRow(s + cols[0], rewardRow(std::min(sy + 1, ph - 1)) + cols[0], d, static_cast<int>(pairs));
                k = pairs;
            }
            for (; k < n; ++k) {
                const int sx = cols[k];
                int sr = 0, sg = 0, sb = 0;
                for (int v = 0; v < by; ++v) {
                    const uint32_t* row = rewardRow(std::min(sy + v, ph - 1));
                    for (int u = 0; u < bx; ++u) {
                        const uint32_t c = row[std::min(sx + u, pw - 1)];
                        sr += red(c);
                        sg += green(c);
                        sb += blue(c);
                    }
                }
                d[k] = pack(sr / area, sg / area, sb / area);
            }
        }
    }

    // Clear what lies outside the drawn picture within the W x H rectangle;
    // only inside the box where the rest is known to be grey.
    const int qEnd = std::min(H, p->height), pEnd = std::max(std::min(W, p->width), 0);
    const int qFrom = box ? std::max(box->y0, 0) : 0, qTo = box ? std::min(box->y1, qEnd) : qEnd;
    const int cFrom = box ? std::clamp(box->x0, 0, pEnd) : 0, cTo = box ? std::clamp(box->x1, cFrom, pEnd) : pEnd;
    const auto clear = [&](uint32_t* d, int from, int to) {
        from = std::max(from, cFrom);
        to = std::min(to, cTo);
        if (from < to) std::fill(d + from, d + to, kClearGrey);
    };
    for (int q = qFrom; q < qTo; ++q) {
        uint32_t* d = p->row(q);
        if (q < y || q > y + hs) {
            clear(d, 0, pEnd);
            continue;
        }
        clear(d, 0, std::clamp(x, 0, pEnd));
        clear(d, std::clamp(x + ws + 1, 0, pEnd), pEnd);
    }
}

} // namespace

void setupPicturePlanes()
{
    if (planesReady()) return;
    const size_t n = static_cast<size_t>(kPlaneWidth) * kPlaneHeight;
    picturePlanes.reward.allocate(n);
    picturePlanes.backup.allocate(n);
}

bool convertJpegIfPresent(int video, int frame)
{
    std::string jpg;
    if (!aofindfile(jpg, "video_%d/videob_%d.jpg", video, frame)) return false;
    // A BMP at least as new as the JPEG is its conversion already (an
    // installed, read-only media tree has them all): nothing to write.
    namespace fs = std::filesystem;
    std::error_code e1, e2;
    const fs::path bmp = fs::path(jpg).replace_extension(".bmp");
    const auto bmpTime = fs::last_write_time(bmp, e1), jpgTime = fs::last_write_time(jpg, e2);
    if (!e1 && !e2 && bmpTime >= jpgTime) return true;
    return aojpg2bmp(jpg.c_str()) == 1;
}

bool loadRewardPicture(int n)
{
    char path[300];
    std::snprintf(path, sizeof path, "video_%d/videob_%d.bmp", n, 0);
    return loadIntoRewardPlanes(path);
}

bool loadChampionPicture(int k)
{
    char path[300];
    std::snprintf(path, sizeof path, "champion/videob_%d.bmp", k);
    return loadIntoRewardPlanes(path);
}

void drawPictureCover(int x, int y, int w, int h)
{
    drawCovering(x, y, w, h, false, false);
}

void drawPictureFaded(int x, int y, int w, int h)
{
    drawCovering(x, y, w, h, true, false);
}

void drawPictureCoverPlain(int x, int y, int w, int h)
{
    drawCovering(x, y, w, h, false, true);
}

void drawPictureFadedPlain(int x, int y, int w, int h)
{
    drawCovering(x, y, w, h, true, true);
}

void drawStoredPictureFaded()
{
    drawPictureFaded(0, 0, rewardPicture.width, rewardPicture.height);
}

void drawPictureScaled(int x, int y, int W, int H, double fx, double fy)
{
    drawScaled(x, y, W, H, fx, fy, false);
}

void drawPictureScaled(int x, int y, int W, int H, double fx, double fy, const GreyOutside& box)
{
    drawScaled(x, y, W, H, fx, fy, false, &box);
}

void drawPictureScaledPlain(int x, int y, int W, int H, double fx, double fy)
{
    drawScaled(x, y, W, H, fx, fy, true);
}

void saveAreaRect(int x0, int x1, int y0, int y1)
{
    aoPixmap* p = selectTaskArea();
    if (!p) return;
    setupPicturePlanes();
    const int xa = std::max(x0, 0), xb = std::min({x1, p->width - 1, kPlaneWidth - 1});
    const int ya = std::max(y0, 0), yb = std::min({y1, p->height - 1, kPlaneHeight - 1});
    for (int y = ya; y <= yb; ++y) {
        const uint32_t* s = p->row(y);
        uint32_t* d = picturePlanes.backup.data() + PicturePlanes::at(0, y);
        for (int x = xa; x <= xb; ++x) d[x] = s[x] & 0xFFFFFF;
    }
}

void restoreAreaRect(int x0, int x1, int y0, int y1)
{
    aoPixmap* p = selectTaskArea();
    if (!p) return;
    setupPicturePlanes();
    const int xa = std::max(x0, 0), xb = std::min({x1, p->width, kPlaneWidth});
    const int ya = std::max(y0, 0), yb = std::min({y1, p->height, kPlaneHeight});
    for (int y = ya; y < yb; ++y) {
        const uint32_t* s = picturePlanes.backup.data() + PicturePlanes::at(0, y);
        if (xb > xa) std::memcpy(p->row(y) + xa, s + xa, static_cast<size_t>(xb - xa) * 4);
    }
    mediaScreen.taskArea->flush();
}

void drawBackupToAvatar(int x, int y, int w, int h)
{
    setupPicturePlanes();
    if (mediaScreen.avatarArea) {
        mediaScreen.avatarArea->select();
        aoPixmap* p = mediaScreen.avatarArea->pixmap();
        if (p && !p->pixels.empty()) {
            // Column w is drawn too; the plane ends it at its last column.
            const int cols = std::min(w, kPlaneWidth - 1), rows = std::min(h, kPlaneHeight);
            for (int j = 0; j < rows; ++j) {
                const uint32_t* s = picturePlanes.backup.data() + PicturePlanes::at(0, j);
                for (int i = 0; i <= cols; ++i) aopxmap_setpixel(p, x + i, y + j, static_cast<int>(s[i]));
            }
        }
        mediaScreen.avatarArea->flush();
    }
    if (mediaScreen.taskArea) mediaScreen.taskArea->select();
}

namespace {

// Shows a picture file in avatarArea through the backup plane.
void showInAvatarArea(const char* path, int x, int y)
{
    if (mediaScreen.avatarArea) mediaScreen.avatarArea->select();
    setupPicturePlanes();
    int w = -1, h = -1;
    if (loadImage(ausgabegrafik4, "ausgabegrafik4", path))
        imageToPlane(ausgabegrafik4, picturePlanes.backup, w, h);
    drawBackupToAvatar(x, y, w, h);
}

} // namespace

void showLogo(int code)
{
    const char* path = nullptr;
    switch (code) {
    case 58: path = "avatar/logo_58.bmp"; break;
    case 14: path = "avatar/logo_14.bmp"; break;
    case 1: path = "avatar/logo_iq1.bmp"; break;
    case 2: path = "avatar/logo_iq2.bmp"; break;
    default: return;
    }
    showInAvatarArea(path, 0, 0);
}

void showAvatar(int x, int y, double progressRatio)
{
    int n = static_cast<int>(std::clamp(progressRatio * 100, -1e9, 1e9));
    if (n == 0) n = 1;
    char path[300];
    std::snprintf(path, sizeof path, "avatar/videob_%d.bmp", n);
    showInAvatarArea(path, x, y);
    if (mediaScreen.taskArea) mediaScreen.taskArea->select();
}

void showStartPicture()
{
    if (mediaScreen.taskArea) mediaScreen.taskArea->select();
    convertJpegIfPresent(mediaChoice.rewardIndex, 0);
    loadRewardPicture(mediaChoice.rewardIndex);
    drawPictureFaded(0, 0, rewardPicture.width, rewardPicture.height);
    aowait(1);
    if (mediaScreen.taskArea) mediaScreen.taskArea->flush();
}

void showFullPicture()
{
    drawPictureCover(0, 0, rewardPicture.width, rewardPicture.height);
    if (mediaScreen.taskArea) mediaScreen.taskArea->flush();
}
