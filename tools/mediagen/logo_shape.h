// The shape of the program's logo, shared by the sample media generator
// (the logo pictures) and the icon generator (the desktop icon): a golden
// spiral of quarter circles over a vertical gradient of one hue, with a
// caption in a white box below. Plain geometry, no drawing library.
#pragma once

#include <cmath>
#include <vector>

namespace logoshape {

// The logo picture's size and spiral centre, in its own pixels.
constexpr double kWidth = 132;
constexpr double kHeight = 162;
constexpr double kSpiralX = 66;
constexpr double kSpiralY = 70;
constexpr double kLineWidth = 3; // the spiral's stroke
constexpr int kInk = 0x203050;   // the spiral's colour
constexpr int kCaptionInk = 0x102040;
constexpr int kHue = 210;         // the "58" logo's hue, used for the icon

struct Rgb {
    double r, g, b; // 0..1
};

// Hue 0..1 around the colour circle.
inline Rgb hsv(double h, double s, double v)
{
    h = h - std::floor(h);
    const double k = h * 6;
    const int i = static_cast<int>(k) % 6;
    const double f = k - std::floor(k);
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (i) {
    case 0: return {v, t, p};
    case 1: return {q, v, p};
    case 2: return {p, v, t};
    case 3: return {p, q, v};
    case 4: return {t, p, v};
    default: return {v, p, q};
    }
}

// The gradient's colours for a hue in degrees.
inline Rgb gradientTop(int hue) { return hsv(hue / 360.0, 0.25, 1.0); }
inline Rgb gradientBottom(int hue) { return hsv(hue / 360.0, 0.6, 0.8); }

// One quarter circle: centre, radius, and the angle it starts at; it runs a
// quarter turn counter-clockwise in screen terms (angles grow downwards).
struct QuarterArc {
    double cx, cy, r, start;
};

// The spiral: each quarter circle continues from the end of the previous one
// with its radius grown by the golden ratio, until it would leave the logo.
inline std::vector<QuarterArc> goldenSpiral()
{
    constexpr double kPi = 3.14159265358979323846;
    const double phi = (1 + std::sqrt(5.0)) / 2;
    std::vector<QuarterArc> arcs;
    double cx = kSpiralX, cy = kSpiralY, r = 2, a = 0;
    for (int i = 0; i < 9 && r < 70; ++i) {
        arcs.push_back({cx, cy, r, a});
        const double ex = cx + r * std::cos(a + kPi / 2), ey = cy + r * std::sin(a + kPi / 2);
        a += kPi / 2;
        r *= phi;
        cx = ex - r * std::cos(a);
        cy = ey - r * std::sin(a);
    }
    return arcs;
}

} // namespace logoshape
