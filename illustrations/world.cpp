// Points, labels, lines, shapes and curves in world coordinates.
#include <cmath>

#include "draw_util.h"

using namespace illu;

int originX = 0;
int originY = 0;
double scaleX = 1;
double scaleY = 1;
int penX = 0;
int penY = 0;

namespace {

constexpr double kPi = 3.141592654;
constexpr double kDegree = kPi / 180.0;

void setPen(int x, int y)
{
    penX = x;
    penY = y;
}

// A cross three pixels thick with arms of s pixels.
void markPoint(double wx, double wy, int s, int colour)
{
    const int px = mapX(wx), py = mapY(wy);
    setPen(px, py);
    const long long ls = s;
    for (int k = -1; k <= 1; ++k) {
        aographic_line(clampPixel(px - ls), py + k, clampPixel(px + ls), py + k, colour);
        aographic_line(px + k, clampPixel(py - ls), px + k, clampPixel(py + ls), colour);
    }
}

void labelPoint(double wx, double wy, const char* name)
{
    const int px = mapX(wx), py = mapY(wy);
    setPen(px, py);
    aographic_text(px, py, kBlack, name);
}

// The black and green lines leave the first two operands converted to pixels.
void rescaleOperands()
{
    operandN1 = truncPixel(operandN1 * scaleX);
    operandN2 = truncPixel(-operandN2 * scaleY);
}

void mappedLine(double wx1, double wy1, double wx2, double wy2, int colour)
{
    const int x2 = mapX(wx2), y2 = mapY(wy2);
    aographic_line(mapX(wx1), mapY(wy1), x2, y2, colour);
    setPen(x2, y2);
}

void arc(double x, double y, double r, double a1, double a2, int colour)
{
    const double end = a2 * kDegree + 0.01;
    Curve curve(colour);
    // Counted steps, so a huge span cannot run away and rounding never drifts.
    const double span = end - a1 * kDegree;
    if (!(span >= 0) || span > 1000.0) return;
    const int steps = static_cast<int>(span / 0.02);
    for (int k = 0; k <= steps; ++k) {
        const double t = a1 * kDegree + 0.02 * k;
        curve.to(curveX(x, 1.0, r * std::cos(t)), curveY(y, 1.0, r * std::sin(t)));
    }
}

// Circle of radius r around the world point, points every 0.02 radians and
// joined back to the start.
void worldCircle(double x, double y, double r, int colour)
{
    Curve curve(colour);
    const int steps = static_cast<int>(2 * kPi / 0.02);
    for (int k = 0; k <= steps; ++k) {
        const double t = 0.02 * k;
        curve.to(curveX(x, 1.0, r * std::cos(t)), curveY(y, 1.0, r * std::sin(t)));
    }
    curve.to(curveX(x, 1.0, r), curveY(y, 1.0, 0.0));
}

void polygon(double x, double y, double r, double firstDegrees, int corners, int colour)
{
    for (int k = 0; k < corners; ++k) {
        const double a = (firstDegrees + 360.0 * k / corners) * kDegree;
        const double b = (firstDegrees + 360.0 * (k + 1) / corners) * kDegree;
        worldLine(x + r * std::cos(a), y + r * std::sin(a), x + r * std::cos(b), y + r * std::sin(b), colour);
    }
}

} // namespace

// ---------------------------------------------------------------- points and lines

void markPointRed(double wx, double wy, int s) { markPoint(wx, wy, s, kRed); }
void markPointBlue(double wx, double wy, int s) { markPoint(wx, wy, s, kBlue); }

void labelPointA(double wx, double wy) { labelPoint(wx, wy, "A"); }
void labelPointB(double wx, double wy) { labelPoint(wx, wy, "B"); }
void labelPointC(double wx, double wy) { labelPoint(wx, wy, "C"); }

void drawWorldLine(double wx1, double wy1, double wx2, double wy2)
{
    rescaleOperands();
    mappedLine(wx1, wy1, wx2, wy2, kBlack);
}

void drawWorldLineGreen(double wx1, double wy1, double wx2, double wy2)
{
    rescaleOperands();
    mappedLine(wx1, wy1, wx2, wy2, aographic_rgb(100, 150, 100));
}

void drawWorldLineRed(double wx1, double wy1, double wx2, double wy2)
{
    mappedLine(wx1, wy1, wx2, wy2, kRed);
}

void drawSlopeStep(double wx, double wy, double dx, double dy)
{
    const int px = mapX(wx), py = mapY(wy);
    setPen(px, py);
    const int runEnd = clampPixel(static_cast<long long>(px) + truncPixel(dx * scaleX));
    const int riseEnd = clampPixel(static_cast<long long>(py) - truncPixel(dy * scaleY));
    aographic_line(px, py, runEnd, py, kBlack);
    aographic_line(runEnd, py, runEnd, riseEnd, kBlack);
}

void drawWorldTriangle(double x1, double y1, double x2, double y2, double x3, double y3)
{
    worldLine(x1, y1, x2, y2, kBlack);
    worldLine(x2, y2, x3, y3, kBlack);
    worldLine(x3, y3, x1, y1, kBlack);

    // The angle at the first corner: marks 2 units along both sides, joined.
    const double l2 = std::hypot(x2 - x1, y2 - y1), l3 = std::hypot(x3 - x1, y3 - y1);
    if (!(l2 > 0) || !(l3 > 0)) return;
    const double ax = x1 + 2 * (x2 - x1) / l2, ay = y1 + 2 * (y2 - y1) / l2;
    const double bx = x1 + 2 * (x3 - x1) / l3, by = y1 + 2 * (y3 - y1) / l3;
    worldLine(ax, ay, bx, by, kBlack);
}

// ---------------------------------------------------------------- shapes

void drawWorldKite(double x, double y, double a, double b, double e)
{
    worldLine(x + a / 2, y + e, x, y - b / 2, kRed);
    worldLine(x, y - b / 2, x - a / 2, y + e, kRed);
    worldLine(x, y + b / 2, x - a / 2, y + e, kRed);
    worldLine(x, y + b / 2, x + a / 2, y + e, kRed);
}

namespace {

void trapezoid(double x, double y, double a, double b, double e, double shift)
{
    const double inset = (a - b) / 2;
    worldLine(x, y, x + a, y, kRed);
    worldLine(x + a, y, x + a - inset + shift, y + e, kRed);
    worldLine(x + inset + shift, y + e, x + a - inset + shift, y + e, kRed);
    worldLine(x + inset + shift, y + e, x, y, kRed);
}

} // namespace

void drawWorldTrapezoid(double x, double y, double a, double b, double e)
{
    trapezoid(x, y, a, b, e, 0);
}

void drawWorldTrapezoidSkew(double x, double y, double a, double b, double e)
{
    int r = aorand() % 10 - 5;
    if (r == 0) r = 1;
    trapezoid(x, y, a, b, e, r);
}

void drawWorldHexagon(double x, double y, double r, int turn)
{
    polygon(x, y, r, turn == 1 ? 60.0 : 30.0, 6, kBlack);
}

void drawWorldCircleHexagon(double x, double y, double r)
{
    worldCircle(x, y, r, kRed);
    polygon(x, y, r, 0.0, 6, kBlack);
}

// ---------------------------------------------------------------- curves

void drawWorldArc(double x, double y, double r, double a1, double a2)
{
    arc(x, y, r, a1, a2, kRed);
}

void drawWorldArcBlue(double x, double y, double r, double a1, double a2)
{
    arc(x, y, r, a1, a2, kBlue);
}

void drawLetterCurve(double x, double y, double f)
{
    auto plot = [&](Curve& c, double u, double v) { c.to(curveX(x, f, u), curveY(y, f, v)); };
    Curve stem(kRed, 1), upper(kRed, 1), upperOuter(kRed, 1), lower(kRed, 1), lowerOuter(kRed, 1);
    for (int i = 1; i <= 70; ++i) {
        plot(stem, 0.0, 0.05 * i - 2.2);
        const double t = 0.05 * i - 1.9;
        plot(upper, 0.8 + 0.75 * std::sin(t), 1.5 + 0.75 * std::cos(t));
        plot(upperOuter, 0.8 + 1.07 * 0.75 * std::sin(t), 1.5 + 1.07 * 0.75 * std::cos(t));
        // The lower bowl runs from the waist round the right to the foot.
        const double s = 0.0625 * i - 0.6;
        plot(lower, 0.8 + std::sin(s), -0.25 + std::cos(s));
        plot(lowerOuter, 0.8 + 1.07 * std::sin(s), -0.25 + 1.07 * std::cos(s));
    }
}

void drawLoopCurve(double x, double y, double f)
{
    Curve curve(kBlue, 1);
    for (int i = 1; i <= 300; ++i) {
        const double s = 0.05 * i - 8.82;
        curve.to(curveX(x, f, 0.8 * (s - 2 * std::sin(s) + 7)), curveY(y, f, s - 2 * std::cos(s)));
    }
}

void drawParabolaPair(double x, double y, double f)
{
    for (int pass = 0; pass < 2; ++pass) {
        Curve up(kRed), down(kRed);
        for (int i = 1; i <= 26; ++i) {
            const double u = 0.05 * i;
            up.to(curveX(x, f, u), curveY(y, f, u * u - 1 + 1.0 / i));
        }
        for (int i = 1; i <= 26; ++i) {
            const double u = 0.05 * i;
            down.to(curveX(x, f, u), curveY(y, f, -u * u + 1 - 1.0 / i));
        }
    }
}

void drawCurveMark(int px, int py, double f)
{
    Curve curve(kRed);
    for (int i = 1; i <= 26; ++i) {
        const double u = 0.05 * i, v = u * u - 1 + 1.0 / i;
        curve.to(clampPixel(static_cast<long long>(px) + truncPixel(scaleX * u * f)),
                 clampPixel(static_cast<long long>(py) + truncPixel(-scaleY * v * f)));
    }
}
