// Coordinate systems: one drawing with a labelled grid, told once and varied
// by the labels and numbers of each kind of graph.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "draw_util.h"

using namespace illu;

namespace {

const int kGridColour = 0x636378;  // (99, 99, 120)
const int kAxisShadow = 0x000064;  // (0, 0, 100)
const int kAxisTop = 160;          // the y axis runs from here to 2 oy - 160

struct AxesStyle {
    const char* yLabel = nullptr;  // at (ox - 65, 140) unless yLabelAt
    const char* yLabel2 = nullptr; // one line below the first
    int yLabelDx = -65;
    bool yLabelAfterGrid = false;
    const char* xLabel = nullptr; // at (2*ox - 180, oy + 40) unless xLabelDx
    int xLabelDx = -180;
    // x numbers every 5 units: value of the i-th to the right and left.
    long long (*xRight)(int i) = nullptr;
    long long (*xLeft)(int i) = nullptr;
    int xRightDx = -3;
    int xLeftDx = -12;
    // y numbers: value of the i-th above; below is its negative.
    long long (*yUp)(int i) = nullptr;
    const char* yFormat = "%2lld";
    int yUpX = -25;
    int yDownX = -35;
    bool yEveryUnit = false; // numbers on every unit instead of every fifth
    int hGridMargin = 8;     // horizontal grid for i = 0..oy/uy - margin
    bool gridOnly = false;
};

void printNumber(int x, int y, const char* format, long long v)
{
    aographic_printf(x, y, kBlack, format, v);
}

void drawAxes(const AxesStyle& s, int ux, int uy, int ox, int oy)
{
    const long long lux = ux, luy = uy, lox = ox, loy = oy;

    if (!s.gridOnly) {
        aographic_setfont("9x15");
        if (!s.yLabelAfterGrid && s.yLabel) aographic_text(ox + s.yLabelDx, 140, kBlack, s.yLabel);
        if (s.xLabel) aographic_text(clampPixel(2 * lox + s.xLabelDx), clampPixel(loy + 40), kBlack, s.xLabel);
    }

    // Vertical grid, ten units up and down.
    if (ux < 6) {
        if (!s.gridOnly) aographic_setfont("6x13");
    } else {
        if (!s.gridOnly) aographic_setfont("9x15");
        const int top = clampPixel(loy - 10 * luy), bottom = clampPixel(loy + 10 * luy);
        // The grid lines at once, then the ticks on them: a tick never lies
        // on another unit's grid line, so the picture is the one of drawing
        // them in turn.
        std::vector<int> columns;
        for (long long i = 0; i <= lox / lux - 5; ++i) {
            columns.push_back(clampPixel(lox + i * lux));
            columns.push_back(clampPixel(lox - i * lux));
        }
        aographic_uprightlines(columns.data(), static_cast<int>(columns.size()), top, bottom, kGridColour);
        if (!s.gridOnly)
            for (int x : columns) aographic_line(x, oy - 5, x, oy + 5, kBlack);
    }

    // Numbers on the x axis every five units; none for a unit of no width.
    if (!s.gridOnly && ux > 0) {
        for (long long i = 0; i <= lox / (5 * lux) - 1; ++i) {
            const long long xr = lox + 5 * i * lux, xl = lox - 5 * i * lux;
            const int ii = static_cast<int>(i);
            if (i != 0) printNumber(clampPixel(xr + s.xRightDx), oy + 20, "%2lld", s.xRight(ii));
            aographic_line(clampPixel(xr + 1), oy - 5, clampPixel(xr + 1), oy + 5, kBlack);
            if (i != 0) printNumber(clampPixel(xl + s.xLeftDx), oy + 10, "%2lld", s.xLeft(ii));
            aographic_line(clampPixel(xl - 1), oy - 5, clampPixel(xl - 1), oy + 5, kBlack);
        }
    }

    // Horizontal grid, twenty units left and right.
    if (uy < 6) {
        if (!s.gridOnly) aographic_setfont("6x13");
    } else {
        if (!s.gridOnly) aographic_setfont("9x15");
        const int left = clampPixel(lox - 20 * lux), right = clampPixel(lox + 20 * lux);
        for (long long i = 0; i <= loy / luy - s.hGridMargin; ++i) {
            const int yu = clampPixel(loy - i * luy), yd = clampPixel(loy + i * luy);
            aographic_line(left, yu, right, yu, kGridColour);
            aographic_line(left, yd, right, yd, kGridColour);
            if (!s.gridOnly) {
                aographic_line(ox - 5, yu, ox + 5, yu, kBlack);
                aographic_line(ox - 5, yd, ox + 5, yd, kBlack);
            }
        }
    }
    if (s.gridOnly) return;

    // A title of two lines stands a line higher, so that its second line
    // ends above the highest y number.
    const int titleY = s.yLabel2 ? 120 : 140;
    if (s.yLabelAfterGrid && s.yLabel) aographic_text(ox + s.yLabelDx, titleY, kBlack, s.yLabel);
    if (s.yLabel2) aographic_text(ox + s.yLabelDx, titleY + 20, kBlack, s.yLabel2);

    // Numbers on the y axis.
    if (uy > 0) {
        const long long step = s.yEveryUnit ? 1 : 5;
        // Every unit labelled: as far as the horizontal grid reaches.
        long long count = s.yEveryUnit ? loy / luy - s.hGridMargin + 1 : loy / (5 * luy);
        // No number beyond the ends of the axis (y 160 to 2 oy - 160).
        if (loy > kAxisTop) count = std::min(count, (loy - kAxisTop) / (step * luy) + 1);
        for (long long i = 0; i < count; ++i) {
            const long long yd = loy + step * i * luy, yu = loy - step * i * luy;
            const int ii = static_cast<int>(i);
            if (i != 0) {
                printNumber(ox + s.yDownX, clampPixel(yd - 4), s.yFormat, -s.yUp(ii));
                printNumber(ox + s.yUpX, clampPixel(yu - 5), s.yFormat, s.yUp(ii));
            }
            aographic_line(ox - 5, clampPixel(yd + 1), ox + 5, clampPixel(yd + 1), kBlack);
            aographic_line(ox - 5, clampPixel(yu - 1), ox + 5, clampPixel(yu - 1), kBlack);
        }
    }

    // The axes, each two pixels wide with a dark blue second line.
    const int xEnd = clampPixel(2 * lox - 100), yEnd = clampPixel(2 * loy - kAxisTop);
    aographic_line(100, oy, xEnd, oy, kBlack);
    aographic_line(100, oy - 1, xEnd, oy - 1, kAxisShadow);
    aographic_line(ox, kAxisTop, ox, yEnd, kBlack);
    aographic_line(ox - 1, kAxisTop, ox - 1, yEnd, kAxisShadow);
}

long long fiveI(int i) { return 5LL * i; }
long long minusFiveI(int i) { return -5LL * i; }

} // namespace

void drawAxesPlain(int ux, int uy, int ox, int oy)
{
    AxesStyle s;
    s.yLabel = "y";
    s.yLabelDx = -40;
    s.xLabel = "x";
    s.xLabelDx = -140;
    s.xRight = fiveI;
    s.xLeft = minusFiveI;
    s.yUp = fiveI;
    drawAxes(s, ux, uy, ox, oy);
}

void drawAxesDistanceTime(int ux, int uy, int ox, int oy)
{
    AxesStyle s;
    s.yLabel = "s (km)";
    s.xLabel = "h (Stunden)";
    s.xLabelDx = -140;
    s.xRight = [](int i) { return 1LL * i; };
    s.xLeft = [](int i) { return -1LL * i; };
    s.xRightDx = -12;
    s.xLeftDx = -21;
    s.yUp = [](int i) { return 50LL * i; };
    s.hGridMargin = 5;
    drawAxes(s, ux, uy, ox, oy);
}

void drawAxesEuroDollar(int ux, int uy, int ox, int oy)
{
    AxesStyle s;
    s.yLabel = "EURO";
    s.xLabel = "$ Dollar";
    s.xRight = [](int i) { return 100LL * i; };
    s.xLeft = [](int i) { return -100LL * i; };
    s.xRightDx = -15;
    s.xLeftDx = -24;
    s.yUp = [](int i) { return 100LL * i; };
    s.yDownX = -45;
    s.yUpX = -35;
    s.hGridMargin = 5;
    drawAxes(s, ux, uy, ox, oy);
}

void drawAxesEuroGold(int ux, int uy, int ox, int oy)
{
    AxesStyle s;
    s.yLabel = "EURO";
    s.xLabel = "oz Gold";
    s.xRight = fiveI;
    s.xLeft = minusFiveI;
    s.xRightDx = -15;
    s.xLeftDx = -24;
    s.yUp = [](int i) { return 5000LL * i; };
    s.yDownX = -65;
    s.yUpX = -65;
    s.hGridMargin = 5;
    drawAxes(s, ux, uy, ox, oy);
}

void drawAxesPopulation(int ux, int uy, int ox, int oy)
{
    AxesStyle s;
    s.yLabel = "Milliarden";
    s.yLabel2 = "Menschen";
    s.yLabelDx = -100;
    s.yLabelAfterGrid = true;
    s.xLabel = "Jahr";
    s.xRight = [](int i) { return 1800LL + 100LL * i; };
    s.xLeft = [](int i) { return 1800LL - 100LL * i; };
    s.yUp = fiveI;
    s.yDownX = -65;
    s.yUpX = -65;
    s.hGridMargin = 5;
    drawAxes(s, ux, uy, ox, oy);
}

void drawAxesPercentWeeks(int ux, int uy, int ox, int oy)
{
    AxesStyle s;
    s.yLabel = "Prozent";
    s.xLabel = "Wochen";
    s.xRight = fiveI;
    s.xLeft = minusFiveI;
    s.xRightDx = -15;
    s.xLeftDx = -24;
    s.yUp = [](int i) { return 50LL * i; };
    s.yFormat = "%2lld%%";
    s.yDownX = -65;
    s.yUpX = -65;
    s.hGridMargin = 5;
    drawAxes(s, ux, uy, ox, oy);
}

void drawAxesEuroYears(int ux, int uy, int ox, int oy)
{
    AxesStyle s;
    s.yLabel = "EUR";
    s.xLabel = "Jahre";
    s.xRight = [](int i) { return 10LL * i; };
    s.xLeft = [](int i) { return -10LL * i; };
    s.xRightDx = -15;
    s.xLeftDx = -24;
    s.yUp = [](int i) { return 10LL * i; };
    s.yEveryUnit = true;
    s.yDownX = -45;
    s.yUpX = -35;
    s.hGridMargin = 5;
    drawAxes(s, ux, uy, ox, oy);
}

void drawGridOnly(int ux, int uy, int ox, int oy)
{
    AxesStyle s;
    s.gridOnly = true;
    drawAxes(s, ux, uy, ox, oy);
}
