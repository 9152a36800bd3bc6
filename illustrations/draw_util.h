// Helpers shared by the drawing sources: colours, world mapping and pixel
// arithmetic that stays defined for any input.
#pragma once

#include <cmath>

#include "illustrations.h"

namespace illu {

constexpr int kBlack = 0x000000;
constexpr int kRed = 0xFF0000;
constexpr int kBlue = 0x0000FF;

// Pixel coordinates are kept well inside int so sums of a few of them never
// overflow; the target clips whatever lies outside.
constexpr long long kPixelLimit = 1LL << 28;

inline int clampPixel(long long v)
{
    if (v > kPixelLimit) return static_cast<int>(kPixelLimit);
    if (v < -kPixelLimit) return static_cast<int>(-kPixelLimit);
    return static_cast<int>(v);
}

// Truncation toward zero, as every double-to-pixel conversion does.
inline int truncPixel(double v)
{
    if (std::isnan(v)) return 0;
    if (v > static_cast<double>(kPixelLimit)) return static_cast<int>(kPixelLimit);
    if (v < -static_cast<double>(kPixelLimit)) return static_cast<int>(-kPixelLimit);
    return static_cast<int>(v);
}

inline int mapX(double wx) { return truncPixel(originX + scaleX * wx); }
inline int mapY(double wy) { return truncPixel(originY - scaleY * wy); }

// A curve point (u, v) scaled by f around the world point (x, y): the two
// parts are truncated separately.
inline int curveX(double x, double f, double u) { return clampPixel(static_cast<long long>(mapX(x)) + truncPixel(scaleX * f * u)); }
inline int curveY(double y, double f, double v) { return clampPixel(static_cast<long long>(mapY(y)) + truncPixel(-scaleY * f * v)); }

inline void worldLine(double x1, double y1, double x2, double y2, int colour)
{
    aographic_line(mapX(x1), mapY(y1), mapX(x2), mapY(y2), colour);
}

// A polyline: a zero-length line to the first point, then lines onward.
class Curve {
public:
    explicit Curve(int colour, int widthExtra = 0) : colour_(colour), extra_(widthExtra) {}
    void to(int x, int y)
    {
        if (first_) {
            for (int k = 0; k <= extra_; ++k) aographic_line(x + k, y, x + k, y, colour_);
            first_ = false;
        } else {
            for (int k = 0; k <= extra_; ++k) aographic_line(lastX_ + k, lastY_, x + k, y, colour_);
        }
        lastX_ = x;
        lastY_ = y;
    }
    void restart() { first_ = true; }

private:
    int colour_;
    int extra_;
    bool first_ = true;
    int lastX_ = 0, lastY_ = 0;
};

} // namespace illu
