// Immediate-mode drawing: the current drawing target and the primitives.
//
// Every aographic_* call becomes one command sent to the current target; a
// pixmap target carries it out here. Clipping happens in one place: the
// clipped primitives below decide what lies inside the pixmap and hand only
// that to the unchecked inner helpers.
#include "aotoolkit.h"
#include "internal.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

aoDrawTarget* currentTarget = nullptr;

// The angle unit the curves are stepped in.
constexpr double kPi = 3.141592654;

bool wordFormat(int format)
{
    return format == AOPX_TRUECOLOR || format == AOPX_SERVER || format == AOPX_SCREEN ||
           format == AOPX_DIRECTX;
}

bool drawable(const aoPixmap& p)
{
    return p.width > 0 && p.height > 0 && !p.pixels.empty();
}

// ---------------------------------------------------------------- inner helpers (unchecked)

void plotInside(aoPixmap& p, int x, int y, int colour)
{
    if (wordFormat(p.format))
        p.row(y)[x] = static_cast<uint32_t>(colour);
    else
        aopxmap_setpixel(&p, x, y, colour);
}

// Columns x0..x1 inclusive of row y, all inside.
void spanInside(aoPixmap& p, int x0, int x1, int y, int colour)
{
    if (wordFormat(p.format))
        std::fill(p.row(y) + x0, p.row(y) + x1 + 1, static_cast<uint32_t>(colour));
    else
        for (int x = x0; x <= x1; x++) aopxmap_setpixel(&p, x, y, colour);
}

// ---------------------------------------------------------------- clipped primitives

void plot(aoPixmap& p, long long x, long long y, int colour)
{
    if (x < 0 || y < 0 || x >= p.width || y >= p.height) return;
    plotInside(p, static_cast<int>(x), static_cast<int>(y), colour);
}

void hline(aoPixmap& p, long long x0, long long x1, long long y, int colour)
{
    if (x0 > x1) std::swap(x0, x1);
    if (y < 0 || y >= p.height || x1 < 0 || x0 >= p.width) return;
    spanInside(p, static_cast<int>(std::max(x0, 0LL)),
               static_cast<int>(std::min<long long>(x1, p.width - 1)), static_cast<int>(y), colour);
}

// trunc(v + 0.5): the rounding the line and circle rules are written with.
long long roundUp(double v)
{
    return static_cast<long long>(std::trunc(v + 0.5));
}

// Steps the longer axis one pixel at a time; the other coordinate is the
// exact interpolation rounded by +0.5. Only the part of the long axis that
// lies inside the pixmap is stepped, so far-away end points cost nothing.
// This is the plain rule; lineSteps below gives the same pixels faster.
void linePlain(aoPixmap& p, long long x1, long long y1, long long x2, long long y2, int colour)
{
    const long long dx = x2 - x1, dy = y2 - y1;
    if (dx == 0 && dy == 0) {
        plot(p, x1, y1, colour);
        return;
    }
    if (std::llabs(dx) >= std::llabs(dy)) {
        const long long from = std::max(std::min(x1, x2), 0LL);
        const long long to = std::min<long long>(std::max(x1, x2), p.width - 1);
        for (long long x = from; x <= to; x++) {
            const double y = y1 + static_cast<double>(x - x1) * static_cast<double>(dy) / dx;
            plot(p, x, roundUp(y), colour);
        }
    } else {
        const long long from = std::max(std::min(y1, y2), 0LL);
        const long long to = std::min<long long>(std::max(y1, y2), p.height - 1);
        for (long long y = from; y <= to; y++) {
            const double x = x1 + static_cast<double>(y - y1) * static_cast<double>(dx) / dy;
            plot(p, roundUp(x), y, colour);
        }
    }
    plot(p, x1, y1, colour);
    plot(p, x2, y2, colour);
}

// The long axis u from `from` to `to` with the short coordinate
// v = trunc(v1 + (u - u1) * dv / du + 0.5) kept as an exact fraction
// N / (2 du) (du > 0), updated by adding 2 dv per step: no division per pixel.
// For end points within 2^20 of the origin the double expression of the
// plain rule never rounds across a whole number (its error stays below
// 2^-29, the fraction's distance from one is at least 1 / (2 du) > 2^-22),
// so both give the same pixels. Only the steps whose v lies in [0, limit)
// are taken; v is monotone in u, so they are found by bisection.
template <typename Put>
void lineSteps(long long u1, long long v1, long long du, long long dv, long long from, long long to,
               long long limit, Put put)
{
    if (du < 0) {
        du = -du;
        dv = -dv;
    }
    const long long d = 2 * du, base = 2 * v1 * du + du;
    const auto vAt = [&](long long u) { return (base + 2 * (u - u1) * dv) / d; }; // trunc toward zero
    // First u in [lo, hi] where inside(u) holds, inside being false then true; hi + 1 if none.
    const auto firstWhere = [](long long lo, long long hi, auto inside) {
        while (lo <= hi) {
            const long long mid = lo + (hi - lo) / 2;
            if (inside(mid)) hi = mid - 1;
            else lo = mid + 1;
        }
        return lo;
    };
    const long long v0 = vAt(from), vEnd = vAt(to);
    if (std::min(v0, vEnd) >= 0 && std::max(v0, vEnd) < limit) {
        // Inside all along: nothing to cut.
    } else if (dv >= 0) {
        from = firstWhere(from, to, [&](long long u) { return vAt(u) >= 0; });
        to = firstWhere(from, to, [&](long long u) { return vAt(u) >= limit; }) - 1;
    } else {
        from = firstWhere(from, to, [&](long long u) { return vAt(u) < limit; });
        to = firstWhere(from, to, [&](long long u) { return vAt(u) < 0; }) - 1;
    }
    if (from > to) return;
    const long long n = base + 2 * (from - u1) * dv;
    long long q = n / d, r = n % d; // as floor: r in [0, d)
    if (r < 0) {
        r += d;
        --q;
    }
    const long long step = 2 * dv; // |step| <= d
    for (long long u = from; u <= to; ++u) {
        put(u, q + (q < 0 && r != 0));
        // Without branches: the carry is as likely as not.
        r += step;
        const long long up = r >= d, down = r < 0;
        q += up - down;
        r -= (up - down) * d;
    }
}

void line(aoPixmap& p, long long x1, long long y1, long long x2, long long y2, int colour)
{
    constexpr long long kExact = 1LL << 20;
    const bool small = std::llabs(x1) <= kExact && std::llabs(y1) <= kExact && std::llabs(x2) <= kExact &&
                       std::llabs(y2) <= kExact;
    const long long dx = x2 - x1, dy = y2 - y1;
    if (!small || !wordFormat(p.format) || (dx == 0 && dy == 0)) {
        linePlain(p, x1, y1, x2, y2, colour);
        return;
    }
    const uint32_t c = static_cast<uint32_t>(colour);
    // Level and upright lines: the short coordinate is trunc(v1 + 0.5), which
    // is one more than v1 below zero; the end points themselves come last.
    if (dy == 0) {
        hline(p, x1, x2, y1 < 0 ? y1 + 1 : y1, colour);
        plot(p, x1, y1, colour);
        plot(p, x2, y2, colour);
        return;
    }
    if (dx == 0) {
        const long long x = x1 < 0 ? x1 + 1 : x1;
        if (x >= 0 && x < p.width) {
            const long long from = std::max(std::min(y1, y2), 0LL);
            const long long to = std::min<long long>(std::max(y1, y2), p.height - 1);
            uint32_t* q = p.pixels.data() + x;
            for (long long y = from; y <= to; ++y) q[static_cast<size_t>(y) * p.width] = c;
        }
        plot(p, x1, y1, colour);
        plot(p, x2, y2, colour);
        return;
    }
    if (std::llabs(dx) >= std::llabs(dy)) {
        const long long from = std::max(std::min(x1, x2), 0LL);
        const long long to = std::min<long long>(std::max(x1, x2), p.width - 1);
        lineSteps(x1, y1, dx, dy, from, to, p.height,
                  [&](long long x, long long y) { p.row(static_cast<int>(y))[x] = c; });
    } else {
        const long long from = std::max(std::min(y1, y2), 0LL);
        const long long to = std::min<long long>(std::max(y1, y2), p.height - 1);
        lineSteps(y1, x1, dy, dx, from, to, p.width,
                  [&](long long y, long long x) { p.row(static_cast<int>(y))[x] = c; });
    }
    plot(p, x1, y1, colour);
    plot(p, x2, y2, colour);
}

// line() from (x, y1) to (x, y2) for each x of xs, row by row: the same
// pixels, and the pen ends where the last line ends.
void uprightLines(aoPixmap& p, const int* xs, int n, int y1, int y2, int colour)
{
    if (n < 1) return;
    if (y1 == y2 || !wordFormat(p.format)) {
        for (int i = 0; i < n; ++i) line(p, xs[i], y1, xs[i], y2, colour);
        return;
    }
    // An upright line lies in column trunc(x + 0.5), one right of x below
    // zero; its end points (x, y1) and (x, y2) lie in the same column or, below
    // zero, outside the pixmap.
    std::vector<int> columns;
    columns.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const long long x = xs[i] < 0 ? xs[i] + 1LL : xs[i];
        if (x >= 0 && x < p.width) columns.push_back(static_cast<int>(x));
    }
    const int from = std::max(std::min(y1, y2), 0), to = std::min(std::max(y1, y2), p.height - 1);
    const uint32_t c = static_cast<uint32_t>(colour);
    for (int y = from; y <= to; ++y) {
        uint32_t* row = p.row(y);
        for (int x : columns) row[x] = c;
    }
}

// True when the box around (x, y) with the given radii misses the pixmap;
// one pixel of slack covers the rounding.
bool outside(const aoPixmap& p, long long x, long long y, long long rx, long long ry)
{
    return x + rx < -1 || x - rx > p.width || y + ry < -1 || y - ry > p.height;
}

// Radii beyond this are stepped more coarsely (outlines) or filled row by
// row (filled shapes): stepping 12 points per pixel of radius would take
// minutes for the huge radii a far zoom can produce.
constexpr int kMaxSteppedRadius = 100000;

// The cosines and sines of a round shape's steps: a0, a0 + step, ... while
// below a1, then a1 itself where the shape closes there. Drawings repeat the
// same circles over and over, so the last few sequences of moderate length
// are kept (the values are the same ones); longer ones are computed as they go.
struct ArcSteps {
    double a0 = 0, a1 = 0, step = 0;
    bool withEnd = true;
    std::vector<double> cosines, sines;
};

template <typename Visit>
void computeSteps(double a0, double a1, double step, bool withEnd, Visit visit)
{
    if (withEnd) visit(std::cos(a0), std::sin(a0));
    for (double a = withEnd ? a0 + step : a0;; a += step) {
        if (a >= a1) {
            if (withEnd) visit(std::cos(a1), std::sin(a1));
            break;
        }
        visit(std::cos(a), std::sin(a));
    }
}

template <typename Visit>
void forEachStep(double a0, double a1, double step, bool withEnd, Visit visit)
{
    constexpr size_t kKept = 8;
    constexpr double kMostSteps = 30000; // about a radius of 300 all round
    if (!((a1 - a0) / step < kMostSteps)) {
        computeSteps(a0, a1, step, withEnd, visit);
        return;
    }
    thread_local std::vector<ArcSteps> kept;
    thread_local size_t next = 0;
    const ArcSteps* found = nullptr;
    for (const ArcSteps& s : kept)
        if (s.a0 == a0 && s.a1 == a1 && s.step == step && s.withEnd == withEnd) found = &s;
    if (!found) {
        kept.reserve(kKept); // references stay valid
        if (kept.size() < kKept) kept.emplace_back();
        ArcSteps& s = kept[next];
        next = (next + 1) % kKept;
        s = ArcSteps{a0, a1, step, withEnd, {}, {}};
        computeSteps(a0, a1, step, withEnd, [&s](double c, double n) {
            s.cosines.push_back(c);
            s.sines.push_back(n);
        });
        found = &s;
    }
    for (size_t i = 0; i < found->cosines.size(); ++i) visit(found->cosines[i], found->sines[i]);
}

// Rows from the top of the shape to the bottom, each a horizontal line
// between the two points of the outline at the same angle.
void fillEllipse(aoPixmap& p, int x, int y, int rx, int ry, int colour)
{
    if (rx < 0 || ry < 0 || outside(p, x, y, rx, ry)) return;
    const int r = std::max(rx, ry);
    if (r > kMaxSteppedRadius) {
        const long long top = std::max<long long>(static_cast<long long>(y) - ry, 0);
        const long long bottom = std::min<long long>(static_cast<long long>(y) + ry, p.height - 1);
        for (long long row = top; row <= bottom; row++) {
            const double d = static_cast<double>(row - y) / ry;
            const double half = rx * std::sqrt(std::max(0.0, 1 - d * d));
            hline(p, roundUp(x - half), roundUp(x + half), row, colour);
        }
        return;
    }
    const double step = r > 0 ? kPi / (12.0 * r) : kPi; // radius 0: one row
    bool first = true;
    long long lastRow = 0, lastFrom = 0, lastTo = 0;
    forEachStep(kPi / 2, 3 * kPi / 2, step, false, [&](double cosine, double sine) {
        const long long row = roundUp(y + sine * ry);
        const long long from = roundUp(x + cosine * rx), to = roundUp(x - cosine * rx);
        // Steps near the top and bottom repeat their row: it is filled already.
        if (!first && row == lastRow && from == lastFrom && to == lastTo) return;
        hline(p, from, to, row, colour);
        first = false;
        lastRow = row;
        lastFrom = from;
        lastTo = to;
    });
}

// Points from the start angle to the end angle joined by lines. The end
// angle itself is always the last point, so a full circle closes.
void arc(aoPixmap& p, int x, int y, int rx, int ry, double startDeg, double endDeg, int colour)
{
    if (rx < 0 || ry < 0 || outside(p, x, y, rx, ry)) return;
    if (endDeg < startDeg) endDeg += 360 * std::ceil((startDeg - endDeg) / 360); // through 0 degrees
    endDeg = std::min(endDeg, startDeg + 360); // once round is all there is to draw
    const double a0 = startDeg * kPi / 180, a1 = endDeg * kPi / 180;
    const double step = kPi / (12.0 * std::clamp(rx, 1, kMaxSteppedRadius));
    bool first = true;
    long long px = 0, py = 0;
    forEachStep(a0, a1, step, true, [&](double cosine, double sine) {
        const long long qx = x + static_cast<long long>(std::trunc(cosine * rx + 0.5));
        const long long qy = y + static_cast<long long>(std::trunc(sine * ry + 0.5));
        if (first) plot(p, qx, qy, colour);
        // Most steps stay on their pixel, which is set already.
        else if (qx != px || qy != py) line(p, px, py, qx, qy, colour);
        first = false;
        px = qx;
        py = qy;
    });
}

// A filled rectangle whose corner may lie beyond the int range; clipped here
// so that aopxmap_fillrect only sees values it can add without overflow.
void fill(aoPixmap& p, long long x, long long y, long long w, long long h, int colour)
{
    const long long x0 = std::max(x, -1LL), y0 = std::max(y, -1LL);
    const long long x1 = std::min(x + w, static_cast<long long>(p.width) + 1);
    const long long y1 = std::min(y + h, static_cast<long long>(p.height) + 1);
    if (x1 - x0 < 1 || y1 - y0 < 1) return;
    aopxmap_fillrect(&p, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                     static_cast<int>(y1 - y0), colour);
}

void rectOutline(aoPixmap& p, long long x, long long y, long long w, long long h, int top, int bottom)
{
    if (w < 1 || h < 1) return;
    fill(p, x, y, w, 1, top);
    fill(p, x, y, 1, h, top);
    fill(p, x, y + h - 1, w, 1, bottom);
    fill(p, x + w - 1, y, 1, h, bottom);
}

// Four-connected fill of the region that has the seed's colour. Spans are
// filled row by row from an explicit stack; a visited mask ends the fill even
// where the written colour reads back as the seed colour (palette formats).
void floodFill(aoPixmap& p, int x, int y, int colour)
{
    if (!drawable(p) || x < 0 || y < 0 || x >= p.width || y >= p.height) return;
    const int seed = aopxmap_getpixel(&p, x, y);
    if (seed == colour) return;
    const int w = p.width, h = p.height;
    std::vector<uint8_t> seen(static_cast<size_t>(w) * h, 0);
    auto matches = [&](int px, int py) {
        return !seen[static_cast<size_t>(py) * w + px] && aopxmap_getpixel(&p, px, py) == seed;
    };
    std::vector<std::pair<int, int>> stack{{x, y}};
    while (!stack.empty()) {
        auto [sx, sy] = stack.back();
        stack.pop_back();
        if (!matches(sx, sy)) continue;
        int left = sx, right = sx;
        while (left > 0 && matches(left - 1, sy)) left--;
        while (right < w - 1 && matches(right + 1, sy)) right++;
        for (int i = left; i <= right; i++) seen[static_cast<size_t>(sy) * w + i] = 1;
        spanInside(p, left, right, sy, colour);
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool inRun = false;
            for (int i = left; i <= right; i++) {
                const bool m = matches(i, ny);
                if (m && !inRun) stack.emplace_back(i, ny);
                inRun = m;
            }
        }
    }
}

int fontOf(const aoPixmap& p)
{
    return p.font; // -1: the built-in default font
}

aoCommand make(int code, std::initializer_list<int> args, const char* text = nullptr)
{
    aoCommand c;
    c.code = code;
    int i = 0;
    for (int v : args) c.a[i++] = v;
    c.text = text;
    return c;
}

} // namespace

void aoi::drawLinePlain(aoPixmap& p, long long x1, long long y1, long long x2, long long y2, int colour)
{
    if (drawable(p)) linePlain(p, x1, y1, x2, y2, colour);
}

// ---------------------------------------------------------------- targets

aoDrawTarget::~aoDrawTarget()
{
    if (currentTarget == this) currentTarget = nullptr;
}

void aographic_settarget(aoDrawTarget* target)
{
    currentTarget = target;
}

aoDrawTarget* aographic_gettarget()
{
    return currentTarget;
}

intptr_t aographic_send(const aoCommand& c)
{
    if (!currentTarget) return c.code == AOCMD_GETPIXEL ? -1 : 0;
    return currentTarget->command(c);
}

intptr_t aoPixmap::command(const aoCommand& c)
{
    const int* a = c.a;
    switch (c.code) {
    case AOCMD_GETPIXEL: return aopxmap_getpixel(this, a[0], a[1]);
    case AOCMD_GETPIXMAP: return reinterpret_cast<intptr_t>(this);
    case AOCMD_GETWIDTH: return width;
    case AOCMD_GETHEIGHT: return height;
    case AOCMD_MOVETO:
        penx = a[0];
        peny = a[1];
        return 0;
    case AOCMD_SETFONT: font = a[0]; return 0;
    case AOCMD_SETFONTNAME: {
        if (!c.text) return 0;
        const int handle = aofont_get("%s", c.text);
        if (handle != -1) font = handle; // a font that cannot be had keeps the old one
        return 0;
    }
    case AOCMD_FLUSH: return 0;
    default: break;
    }
    if (!drawable(*this)) return 0;
    switch (c.code) {
    case AOCMD_SETPIXEL: plot(*this, a[0], a[1], a[2]); break;
    case AOCMD_LINE:
        line(*this, a[0], a[1], a[2], a[3], a[4]);
        penx = a[2];
        peny = a[3];
        break;
    case AOCMD_LINETO:
        line(*this, penx, peny, a[0], a[1], a[2]);
        penx = a[0];
        peny = a[1];
        break;
    case AOCMD_UPRIGHTLINES:
        if (!c.list || a[0] < 1) break;
        uprightLines(*this, c.list, a[0], a[1], a[2], a[3]);
        penx = c.list[a[0] - 1];
        peny = a[2];
        break;
    case AOCMD_CIRCLE: arc(*this, a[0], a[1], a[2], a[2], 0, 360, a[3]); break;
    case AOCMD_FILLCIRCLE: fillEllipse(*this, a[0], a[1], a[2], a[2], a[3]); break;
    case AOCMD_ARC: arc(*this, a[0], a[1], a[2], a[3], a[4], a[5], a[6]); break;
    case AOCMD_ELLIPSE: arc(*this, a[0], a[1], a[2], a[3], 0, 360, a[4]); break;
    case AOCMD_FILLELLIPSE: fillEllipse(*this, a[0], a[1], a[2], a[3], a[4]); break;
    case AOCMD_RECT: rectOutline(*this, a[0], a[1], a[2], a[3], a[4], a[4]); break;
    case AOCMD_RAISEDRECT: rectOutline(*this, a[0], a[1], a[2], a[3], a[4], a[5]); break;
    case AOCMD_SHADOWRECT:
        // The outline, and a two-pixel shadow below and to the right.
        if (a[2] < 1 || a[3] < 1) break;
        fill(*this, static_cast<long long>(a[0]) + a[2], a[1] + 2LL, 2, a[3], aotheme_color(2));
        fill(*this, a[0] + 2LL, static_cast<long long>(a[1]) + a[3], a[2], 2, aotheme_color(2));
        rectOutline(*this, a[0], a[1], a[2], a[3], a[4], a[4]);
        break;
    case AOCMD_FILLRECT: aopxmap_fillrect(this, a[0], a[1], a[2], a[3], a[4]); break;
    case AOCMD_CLEAR: aopxmap_clear(this, a[0]); break;
    case AOCMD_FLOODFILL: floodFill(*this, a[0], a[1], a[2]); break;
    case AOCMD_TEXT:
        if (c.text) aofont_drawtext(this, fontOf(*this), a[0], a[1], a[2], c.text);
        break;
    case AOCMD_CENTERTEXT:
        if (c.text) {
            const int x = (width - aofont_textwidth(fontOf(*this), c.text)) / 2;
            aofont_drawtext(this, fontOf(*this), x, a[0], a[1], c.text);
        }
        break;
    case AOCMD_CHAR: {
        const char text[2] = {static_cast<char>(a[3] & 0xFF), 0};
        if (text[0]) aofont_drawtext(this, fontOf(*this), a[0], a[1], a[2], text);
        break;
    }
    default: break; // codes this target does not serve
    }
    return 0;
}

// ---------------------------------------------------------------- primitives

void aographic_setpixel(int x, int y, int colour)
{
    aographic_send(make(AOCMD_SETPIXEL, {x, y, colour}));
}

int aographic_getpixel(int x, int y)
{
    return static_cast<int>(aographic_send(make(AOCMD_GETPIXEL, {x, y})));
}

void aographic_line(int x1, int y1, int x2, int y2, int colour)
{
    aographic_send(make(AOCMD_LINE, {x1, y1, x2, y2, colour}));
}

void aographic_uprightlines(const int* columns, int count, int y1, int y2, int colour)
{
    aoCommand c = make(AOCMD_UPRIGHTLINES, {count, y1, y2, colour});
    c.list = columns;
    aographic_send(c);
}

void aographic_moveto(int x, int y)
{
    aographic_send(make(AOCMD_MOVETO, {x, y}));
}

void aographic_lineto(int x, int y, int colour)
{
    aographic_send(make(AOCMD_LINETO, {x, y, colour}));
}

void aographic_rect(int x, int y, int w, int h, int colour)
{
    aographic_send(make(AOCMD_RECT, {x, y, w, h, colour}));
}

void aographic_raisedrect(int x, int y, int w, int h, int light, int dark)
{
    aographic_send(make(AOCMD_RAISEDRECT, {x, y, w, h, light, dark}));
}

void aographic_shadowrect(int x, int y, int w, int h, int colour)
{
    aographic_send(make(AOCMD_SHADOWRECT, {x, y, w, h, colour}));
}

void aographic_fillrect(int x, int y, int w, int h, int colour)
{
    aographic_send(make(AOCMD_FILLRECT, {x, y, w, h, colour}));
}

void aographic_clear(int colour)
{
    aographic_send(make(AOCMD_CLEAR, {colour}));
}

void aographic_circle(int x, int y, int radius, int colour)
{
    aographic_send(make(AOCMD_CIRCLE, {x, y, radius, colour}));
}

void aographic_fillcircle(int x, int y, int radius, int colour)
{
    aographic_send(make(AOCMD_FILLCIRCLE, {x, y, radius, colour}));
}

void aographic_arc(int x, int y, int rx, int ry, int startDeg, int endDeg, int colour)
{
    aographic_send(make(AOCMD_ARC, {x, y, rx, ry, startDeg, endDeg, colour}));
}

void aographic_ellipse(int x, int y, int rx, int ry, int colour)
{
    aographic_send(make(AOCMD_ELLIPSE, {x, y, rx, ry, colour}));
}

void aographic_fillellipse(int x, int y, int rx, int ry, int colour)
{
    aographic_send(make(AOCMD_FILLELLIPSE, {x, y, rx, ry, colour}));
}

void aographic_floodfill(int x, int y, int colour)
{
    aographic_send(make(AOCMD_FLOODFILL, {x, y, colour}));
}

// Text arrives as UTF-8 from the program's sources and is drawn as
// Windows-1252; this is where it changes.
void aographic_text(int x, int y, int colour, const char* text)
{
    if (!text) return;
    const std::string cp = ao_utf8_to_cp1252(text);
    aographic_send(make(AOCMD_TEXT, {x, y, colour}, cp.c_str()));
}

void aographic_printf(int x, int y, int colour, const char* format, ...)
{
    static std::vector<char> buffer(64 * 1024); // one GUI thread
    va_list args;
    va_start(args, format);
    vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    aographic_text(x, y, colour, buffer.data());
}

void aographic_centertext(int y, int colour, const char* text)
{
    if (!text) return;
    const std::string cp = ao_utf8_to_cp1252(text);
    aographic_send(make(AOCMD_CENTERTEXT, {y, colour}, cp.c_str()));
}

void aographic_char(int x, int y, int colour, int character)
{
    int byte = character;
    if (character > 255) {
        // A code point beyond one byte: look up its Windows-1252 byte.
        std::string utf8;
        if (character < 0x800) {
            utf8 += static_cast<char>(0xC0 | (character >> 6));
        } else {
            utf8 += static_cast<char>(0xE0 | ((character >> 12) & 0x0F));
            utf8 += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        }
        utf8 += static_cast<char>(0x80 | (character & 0x3F));
        const std::string cp = ao_utf8_to_cp1252(utf8);
        byte = cp.size() == 1 ? static_cast<unsigned char>(cp[0]) : '?';
    }
    aographic_send(make(AOCMD_CHAR, {x, y, colour, byte & 0xFF}));
}

void aographic_setfont(const char* nameOrDescription)
{
    if (!nameOrDescription) return;
    aographic_send(make(AOCMD_SETFONTNAME, {}, nameOrDescription));
}

void aographic_setfonthandle(int handle)
{
    aographic_send(make(AOCMD_SETFONT, {handle}));
}

void aographic_flush()
{
    aographic_send(make(AOCMD_FLUSH, {}));
}

int aographic_getwidth()
{
    return static_cast<int>(aographic_send(make(AOCMD_GETWIDTH, {})));
}

int aographic_getheight()
{
    return static_cast<int>(aographic_send(make(AOCMD_GETHEIGHT, {})));
}

aoPixmap* aographic_getpixmap()
{
    return reinterpret_cast<aoPixmap*>(aographic_send(make(AOCMD_GETPIXMAP, {})));
}
