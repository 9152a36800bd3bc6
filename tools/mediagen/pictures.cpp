// Math-themed pictures for the sample media tree: fractals, tilings,
// curves and polyhedra, drawn straight into truecolor pixmaps.
#include "mediagen.h"
#include "logo_shape.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace mediagen {

namespace {

constexpr double kPi = 3.14159265358979323846;

int rgb(double r, double g, double b)
{
    auto c = [](double v) { return std::clamp(static_cast<int>(v * 255 + 0.5), 0, 255); };
    return aographic_rgb(c(r), c(g), c(b));
}

// Hue 0..1 around the colour circle.
int hsv(double h, double s, double v)
{
    const logoshape::Rgb c = logoshape::hsv(h, s, v);
    return rgb(c.r, c.g, c.b);
}

int scale(int colour, double f)
{
    return rgb(((colour >> 16) & 255) / 255.0 * f, ((colour >> 8) & 255) / 255.0 * f, (colour & 255) / 255.0 * f);
}

void put(aoPixmap& p, int x, int y, int colour)
{
    if (x >= 0 && y >= 0 && x < p.width && y < p.height) p.row(y)[x] = static_cast<uint32_t>(colour);
}

// A thick line as a row of filled discs.
void thickLine(aoPixmap& p, double x0, double y0, double x1, double y1, double radius, int colour)
{
    const double len = std::hypot(x1 - x0, y1 - y0);
    const int steps = std::max(1, static_cast<int>(len * 2));
    const int r = static_cast<int>(std::ceil(radius));
    for (int s = 0; s <= steps; ++s) {
        const double x = x0 + (x1 - x0) * s / steps, y = y0 + (y1 - y0) * s / steps;
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (dx * dx + dy * dy <= radius * radius) put(p, static_cast<int>(x) + dx, static_cast<int>(y) + dy, colour);
    }
}

void fillTriangle(aoPixmap& p, const double* a, const double* b, const double* c, int colour)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a[0], b[0], c[0]}))));
    const int x1 = std::min(p.width - 1, static_cast<int>(std::ceil(std::max({a[0], b[0], c[0]}))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a[1], b[1], c[1]}))));
    const int y1 = std::min(p.height - 1, static_cast<int>(std::ceil(std::max({a[1], b[1], c[1]}))));
    const double area = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
    if (std::abs(area) < 1e-9) return;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double w0 = ((b[0] - px) * (c[1] - py) - (b[1] - py) * (c[0] - px)) / area;
            const double w1 = ((c[0] - px) * (a[1] - py) - (c[1] - py) * (a[0] - px)) / area;
            const double w2 = 1 - w0 - w1;
            if (w0 >= 0 && w1 >= 0 && w2 >= 0) p.row(y)[x] = static_cast<uint32_t>(colour);
        }
}

void verticalGradient(aoPixmap& p, int top, int bottom)
{
    for (int y = 0; y < p.height; ++y) {
        const double t = p.height > 1 ? static_cast<double>(y) / (p.height - 1) : 0;
        auto mix = [&](int shift) {
            return ((top >> shift) & 255) * (1 - t) / 255.0 + ((bottom >> shift) & 255) * t / 255.0;
        };
        const int c = rgb(mix(16), mix(8), mix(0));
        std::fill(p.row(y), p.row(y) + p.width, static_cast<uint32_t>(c));
    }
}

// Vertices and faces of the platonic solids (faces as vertex index lists).
struct Solid {
    std::vector<std::array<double, 3>> v;
    std::vector<std::vector<int>> f;
};

Solid solid(int kind)
{
    const double g = (1 + std::sqrt(5.0)) / 2;
    switch (kind) {
    case 0:
        return {{{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}}, {{0, 1, 2}, {0, 3, 1}, {0, 2, 3}, {1, 3, 2}}};
    case 1:
        return {{{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},
                {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}}};
    case 2:
        return {{{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}},
                {{0, 2, 4}, {2, 1, 4}, {1, 3, 4}, {3, 0, 4}, {2, 0, 5}, {1, 2, 5}, {3, 1, 5}, {0, 3, 5}}};
    default:
        return {{{-1, g, 0}, {1, g, 0}, {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g}, {0, -1, -g}, {0, 1, -g},
                 {g, 0, -1}, {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}},
                {{0, 11, 5}, {0, 5, 1}, {0, 1, 7}, {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                 {11, 10, 2}, {10, 7, 6}, {7, 1, 8}, {3, 9, 4}, {3, 4, 2}, {3, 2, 6}, {3, 6, 8},
                 {3, 8, 9}, {4, 9, 5}, {2, 4, 11}, {6, 2, 10}, {8, 6, 7}, {9, 8, 1}}};
    }
}

// Seven-segment digits and a few letters for the avatar percentage.
void segmentText(aoPixmap& p, int x, int y, int size, const char* text, int colour)
{
    // Segments a..g as bits 0..6.
    auto glyph = [](char c) -> int {
        switch (c) {
        case '0': return 0x3F; case '1': return 0x06; case '2': return 0x5B; case '3': return 0x4F;
        case '4': return 0x66; case '5': return 0x6D; case '6': return 0x7D; case '7': return 0x07;
        case '8': return 0x7F; case '9': return 0x6F; default: return 0;
        }
    };
    const double w = size * 0.55, h = size, t = std::max(1.0, size / 9.0);
    for (const char* s = text; *s; ++s, x += static_cast<int>(w + size * 0.35)) {
        if (*s == '%') {
            thickLine(p, x + w, y + 2, x, y + h - 2, t * 0.6, colour);
            thickLine(p, x + 2, y + 3, x + 3, y + 4, t * 0.8, colour);
            thickLine(p, x + w - 3, y + h - 4, x + w - 2, y + h - 3, t * 0.8, colour);
            continue;
        }
        const int g = glyph(*s);
        const double pts[7][4] = {{0, 0, w, 0},     {w, 0, w, h / 2}, {w, h / 2, w, h}, {0, h, w, h},
                                  {0, h / 2, 0, h}, {0, 0, 0, h / 2}, {0, h / 2, w, h / 2}};
        for (int k = 0; k < 7; ++k)
            if (g & (1 << k)) thickLine(p, x + pts[k][0], y + pts[k][1], x + pts[k][2], y + pts[k][3], t * 0.5, colour);
    }
}

} // namespace

aoPixmap newPicture(int w, int h, int colour)
{
    aoPixmap p;
    p.width = w;
    p.height = h;
    p.format = AOPX_TRUECOLOR;
    aopxmap_allocate(&p);
    aopxmap_clear(&p, colour);
    return p;
}

aoPixmap mandelbrot(int w, int h, double cx, double cy, double span, int iterations)
{
    aoPixmap p = newPicture(w, h);
    const double step = span / w;
    for (int y = 0; y < h; ++y) {
        uint32_t* row = p.row(y);
        const double ci = cy + (y - h / 2.0) * step;
        for (int x = 0; x < w; ++x) {
            const double cr = cx + (x - w / 2.0) * step;
            double zr = 0, zi = 0;
            int n = 0;
            while (n < iterations && zr * zr + zi * zi < 256) {
                const double t = zr * zr - zi * zi + cr;
                zi = 2 * zr * zi + ci;
                zr = t;
                ++n;
            }
            if (n >= iterations) {
                row[x] = 0x101030;
                continue;
            }
            // Smooth iteration count for soft colour bands.
            const double mu = n + 1 - std::log2(std::log2(std::sqrt(zr * zr + zi * zi)));
            row[x] = static_cast<uint32_t>(hsv(0.62 + mu / 40.0, 0.75, std::min(1.0, 0.25 + mu / 18.0)));
        }
    }
    return p;
}

aoPixmap julia(int w, int h, double cr, double ci)
{
    aoPixmap p = newPicture(w, h);
    const double step = 3.2 / w;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double zr = (x - w / 2.0) * step, zi = (y - h / 2.0) * step;
            int n = 0;
            while (n < 120 && zr * zr + zi * zi < 16) {
                const double t = zr * zr - zi * zi + cr;
                zi = 2 * zr * zi + ci;
                zr = t;
                ++n;
            }
            p.row(y)[x] = static_cast<uint32_t>(n >= 120 ? 0xFFF4C0 : hsv(0.08 + n / 60.0, 0.8, std::min(1.0, n / 25.0 + 0.1)));
        }
    return p;
}

aoPixmap hexTiling(int w, int h, double phase)
{
    aoPixmap p = newPicture(w, h);
    const double size = h / 9.0;
    const double c = std::cos(phase * 0.5), s = std::sin(phase * 0.5);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Turn the plane a little, then find the hexagon (axial coordinates).
            const double px = ((x - w / 2.0) * c - (y - h / 2.0) * s) / size;
            const double py = ((x - w / 2.0) * s + (y - h / 2.0) * c) / size;
            const double q = (std::sqrt(3.0) / 3 * px - py / 3), r = 2.0 / 3 * py;
            double rx = std::round(q), rz = std::round(r), ry = std::round(-q - r);
            const double dx = std::abs(rx - q), dz = std::abs(rz - r), dy = std::abs(ry + q + r);
            if (dx > dy && dx > dz) rx = -ry - rz;
            else if (dz > dy) rz = -rx - ry;
            const int k = ((static_cast<int>(rx - rz) % 3) + 3) % 3;
            // Distance to the cell centre, for a bevelled look.
            const double cxh = std::sqrt(3.0) * (rx + rz / 2), cyh = 1.5 * rz;
            const double d = std::hypot(px - cxh, py - cyh);
            const double shade = d > 0.9 ? 0.35 : 1.0 - 0.35 * d;
            const double hue = k / 3.0 + phase / (2 * kPi) + 0.05 * std::sin(rx + rz);
            p.row(y)[x] = static_cast<uint32_t>(hsv(hue, 0.55, shade));
        }
    return p;
}

aoPixmap spirograph(int w, int h, double share)
{
    aoPixmap p = newPicture(w, h);
    verticalGradient(p, 0x0B1030, 0x203060);
    const double R = std::min(w, h) * 0.42;
    struct Curve {
        double R, r, d;
        double hue;
    };
    const Curve curves[] = {{1.0, 0.3, 0.5, 0.0}, {1.0, 0.42, 0.8, 0.35}, {1.0, 0.7, 0.55, 0.65}};
    for (const Curve& k : curves) {
        // Hypotrochoid; closes after r/gcd turns.
        const double turns = 10 * 2 * kPi;
        const int steps = 3000;
        const int last = static_cast<int>(steps * std::clamp(share, 0.0, 1.0));
        double ox = 0, oy = 0;
        for (int i = 0; i <= last; ++i) {
            const double t = turns * i / steps;
            const double x = ((k.R - k.r) * std::cos(t) + k.d * std::cos((k.R - k.r) / k.r * t)) * R / 1.3 + w / 2.0;
            const double y = ((k.R - k.r) * std::sin(t) - k.d * std::sin((k.R - k.r) / k.r * t)) * R / 1.3 + h / 2.0;
            if (i > 0) thickLine(p, ox, oy, x, y, std::max(1.0, w / 500.0), hsv(k.hue + i / 6000.0, 0.7, 1.0));
            ox = x;
            oy = y;
        }
    }
    return p;
}

void drawSolid(aoPixmap& p, int kind, double cx, double cy, double radius, double angle)
{
    Solid s = solid(kind);
    double maxLen = 0;
    for (auto& v : s.v) maxLen = std::max(maxLen, std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
    // Rotate about two axes, project orthographically.
    const double ca = std::cos(angle), sa = std::sin(angle), cb = std::cos(angle * 0.6 + 0.5), sb = std::sin(angle * 0.6 + 0.5);
    std::vector<std::array<double, 3>> r;
    for (auto& v : s.v) {
        const double x = v[0] / maxLen, y = v[1] / maxLen, z = v[2] / maxLen;
        const double x1 = x * ca + z * sa, z1 = -x * sa + z * ca;
        const double y2 = y * cb - z1 * sb, z2 = y * sb + z1 * cb;
        r.push_back({cx + x1 * radius, cy + y2 * radius, z2});
    }
    const int base = hsv(0.12 + kind * 0.22, 0.65, 1.0);
    for (auto& f : s.f) {
        // Normal by the first three vertices; the solids' faces wind outward.
        const auto &a = r[f[0]], &b = r[f[1]], &c = r[f[2]];
        const double ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
        const double vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
        double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
        if (len < 1e-12) continue;
        nx /= len;
        ny /= len;
        nz /= len;
        if (nz > 0) continue; // facing away (screen z grows away from the viewer)
        const double light = std::clamp(0.35 + 0.65 * (-0.3 * nx - 0.4 * ny - 0.85 * nz), 0.2, 1.0);
        const int colour = scale(base, light);
        for (size_t i = 1; i + 1 < f.size(); ++i) {
            const double A[2] = {r[f[0]][0], r[f[0]][1]}, B[2] = {r[f[i]][0], r[f[i]][1]},
                         C[2] = {r[f[i + 1]][0], r[f[i + 1]][1]};
            fillTriangle(p, A, B, C, colour);
        }
        for (size_t i = 0; i < f.size(); ++i) {
            const auto &e0 = r[f[i]], &e1 = r[f[(i + 1) % f.size()]];
            thickLine(p, e0[0], e0[1], e1[0], e1[1], std::max(0.8, radius / 90), 0x202020);
        }
    }
}

aoPixmap solids(int w, int h, double angle)
{
    aoPixmap p = newPicture(w, h);
    verticalGradient(p, 0xE8F0FF, 0x8090C0);
    const double radius = std::min(w / 9.0, h / 3.2);
    for (int k = 0; k < 4; ++k) drawSolid(p, k, w * (0.14 + 0.24 * k), h * 0.5, radius, angle + k * 0.7);
    return p;
}

aoPixmap sierpinski(int w, int h)
{
    aoPixmap p = newPicture(w, h);
    verticalGradient(p, 0x301018, 0x101030);
    // Pascal's triangle mod 2, one row of cells per pixel row band.
    const int rows = 256;
    const double cell = std::min(h / static_cast<double>(rows), w / static_cast<double>(rows));
    for (int y = 0; y < h; ++y) {
        const int n = static_cast<int>((y - (h - rows * cell) / 2) / cell);
        if (n < 0 || n >= rows) continue;
        for (int x = 0; x < w; ++x) {
            const double k2 = (x - w / 2.0) / cell * 2 + n; // column in Pascal's row, doubled
            if (k2 < 0 || k2 > 2 * n) continue;
            const int k = static_cast<int>(k2 / 2);
            if ((k & (n - k)) == 0) p.row(y)[x] = static_cast<uint32_t>(hsv(0.1 + n / 700.0, 0.7, 1.0));
        }
    }
    return p;
}

aoPixmap avatar(int percent)
{
    aoPixmap p = newPicture(132, 162, 0xFFFFFF);
    verticalGradient(p, 0xFFFFFF, 0xE0ECFF);
    // Phyllotaxis: seed k at angle k times the golden angle, radius sqrt(k).
    const int seeds = percent * 3;
    const double golden = kPi * (3 - std::sqrt(5.0));
    for (int k = 1; k <= seeds; ++k) {
        const double a = k * golden, rr = 3.4 * std::sqrt(static_cast<double>(k));
        const double x = 66 + rr * std::cos(a), y = 66 + rr * std::sin(a);
        const int colour = hsv(0.08 + 0.05 * k / 300.0, 0.9, 0.95 - 0.4 * k / 300.0);
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (dx * dx + dy * dy <= 6) put(p, static_cast<int>(std::lround(x)) + dx, static_cast<int>(std::lround(y)) + dy, colour);
    }
    // Progress bar and the percentage.
    aopxmap_fillrect(&p, 6, 130, 120, 8, 0xC8C8C8);
    aopxmap_fillrect(&p, 6, 130, std::max(1, 120 * percent / 100), 8, percent == 100 ? 0x20A020 : 0x2060E0);
    char text[8];
    std::snprintf(text, sizeof text, "%d%%", percent);
    aofont_loadarial();
    const int font = aofont_find("Arial16b");
    if (font >= 0) aofont_drawtext(&p, font, (132 - aofont_textwidth(font, text)) / 2, 141, 0x202040, text);
    else segmentText(p, 40, 142, 14, text, 0x202040);
    return p;
}

aoPixmap logo(const char* text, int hue)
{
    aoPixmap p = newPicture(static_cast<int>(logoshape::kWidth), static_cast<int>(logoshape::kHeight));
    const logoshape::Rgb top = logoshape::gradientTop(hue), bottom = logoshape::gradientBottom(hue);
    verticalGradient(p, rgb(top.r, top.g, top.b), rgb(bottom.r, bottom.g, bottom.b));
    for (const logoshape::QuarterArc& arc : logoshape::goldenSpiral()) {
        for (int s = 0; s < 40; ++s) {
            const double t0 = arc.start + s * kPi / 80, t1 = arc.start + (s + 1) * kPi / 80;
            thickLine(p, arc.cx + arc.r * std::cos(t0), arc.cy + arc.r * std::sin(t0), arc.cx + arc.r * std::cos(t1),
                      arc.cy + arc.r * std::sin(t1), logoshape::kLineWidth / 2, logoshape::kInk);
        }
    }
    aofont_loadarial();
    const int font = aofont_find("arial28");
    if (font >= 0) {
        const int tw = aofont_textwidth(font, text);
        aopxmap_fillrect(&p, (132 - tw) / 2 - 6, 118, tw + 12, 36, 0xFFFFFF);
        aofont_drawtext(&p, font, (132 - tw) / 2, 122, logoshape::kCaptionInk, text);
    } else {
        segmentText(p, 40, 122, 24, text, logoshape::kCaptionInk);
    }
    return p;
}

bool saveBmp(const aoPixmap& p, const std::string& path)
{
    return aopxmap_savetofile_bmp(&p, path.c_str());
}

bool saveJpg(const aoPixmap& p, const std::string& path)
{
    return aopxmap_savetofile_jpg(&p, path.c_str(), 88);
}

} // namespace mediagen
