// Number lines with a fraction or percent mark, the coloured unit-square grid
// and the block of unit cubes.
#include <cstdio>
#include <cstring>

#include "draw_util.h"

using namespace illu;

int operandN1 = 0;
int operandN2 = 0;
int operandN3 = 0;

namespace {

constexpr int kLineLength = 500;

enum class Labels { Fraction, Percent };

// Axis, ticks and labels of the 0..1 line, then the mark at p/q; returns the
// mark's offset from x, or -1 when there is none. A hundred small ticks are
// only countable with their tenths named, so every tenth gets its label.
int numberLineWithMark(int x, int y, long long p, long long q, Labels labels)
{
    aographic_line(x, y, x + kLineLength, y, kBlack);
    aographic_line(x, y + 1, x + kLineLength, y + 1, kBlack);

    aographic_line(x, y + 7, x, y - 7, kBlack);
    aographic_line(x + kLineLength, y + 7, x + kLineLength, y - 7, kBlack);
    aographic_line(x - 1, y + 6, x - 1, y - 6, kBlack);
    aographic_line(x + kLineLength + 1, y + 6, x + kLineLength + 1, y - 6, kBlack);

    for (int i = 1; i <= 99; ++i) aographic_line(x + 5 * i, y - 4, x + 5 * i, y + 4, kBlack);
    for (int i = 1; i <= 9; ++i) {
        aographic_line(x + 50 * i, y - 4, x + 50 * i, y + 4, kBlack);
        aographic_line(x + 50 * i - 1, y - 4, x + 50 * i - 1, y + 4, kBlack);
    }

    aographic_setfont("9x15");
    constexpr int kCharWidth = 9;
    for (int i = 0; i <= 10; ++i) {
        char text[16];
        if (labels == Labels::Percent)
            std::snprintf(text, sizeof text, "%d %%", 10 * i);
        else if (i == 0 || i == 10)
            std::snprintf(text, sizeof text, "%d", i / 10);
        else
            std::snprintf(text, sizeof text, "0,%d", i);
        const int width = kCharWidth * static_cast<int>(std::strlen(text));
        // The ends keep their places beside the end ticks.
        const int left = i == 0 && labels == Labels::Fraction    ? x - 7
                         : i == 10 && labels == Labels::Fraction ? x + 493
                                                                 : x + 50 * i - width / 2;
        // Above the red mark's reach (22 pixels), so a mark never crosses a label.
        aographic_text(left, y - 40, kBlack, text);
    }

    // A zero denominator has no place on the line: the line stays unmarked.
    if (q == 0) return -1;
    const int m = clampPixel(p * kLineLength / q);
    const int mx = clampPixel(static_cast<long long>(x) + m);
    aographic_line(mx, y + 22, mx, y + 8, kRed);
    aographic_line(mx - 1, y + 22, mx - 1, y + 9, kRed);
    aographic_line(mx, y - 22, mx, y - 8, kRed);
    aographic_line(mx - 1, y - 22, mx - 1, y - 9, kRed);
    return m;
}

} // namespace

void drawFractionNumberLine(int x, int y, int p, int q)
{
    numberLineWithMark(x, y, p, q, Labels::Fraction);
}

void drawPercentNumberLine(int x, int y, int p)
{
    const int m = numberLineWithMark(x, y, p, 100, Labels::Percent);
    const int mx = clampPixel(static_cast<long long>(x) + m);
    aographic_line(x, y + 12, mx, y + 12, kRed);
    aographic_line(x, y + 11, mx, y + 11, kRed);
}

void drawFractionGrid(int x, int y, int c, int cols, int rows, int fcols, int frows)
{
    const long long lc = c;
    aographic_fillrect(x, y, clampPixel(fcols * lc), clampPixel(frows * lc), kRed);

    const int right = clampPixel(x + cols * lc);
    const int bottom = clampPixel(y + rows * lc);
    for (int i = 1; i <= cols; ++i) {
        const int gx = clampPixel(x + i * lc);
        aographic_line(gx, y, gx, bottom, kBlue);
    }
    for (int i = 1; i <= rows; ++i) {
        const int gy = clampPixel(y + i * lc);
        aographic_line(x, gy, right, gy, kBlue);
    }

    aographic_line(x, y, right, y, kBlack);
    aographic_line(x, y, x, bottom, kBlack);
    aographic_line(right, y, right, bottom, kBlack);
    aographic_line(x, bottom, right, bottom, kBlack);
}

void drawCubeBlock(int x, int y, int c)
{
    const int w = operandN1, h = operandN2, d = operandN3;
    const long long lc = c;

    aographic_setfont("points=12");
    aographic_printf(x - 150, y - 80, kBlack, "Breite: %ddm; Höhe: %ddm, Tiefe: %ddm", w, h, d);

    const int right = clampPixel(x + w * lc);
    const int bottom = clampPixel(y + h * lc);
    // Depth recedes up and to the right, half a cube per cube.
    auto depth = [lc](int j) { return truncPixel(0.5 * j * static_cast<double>(lc)); };
    const int dd = depth(d);

    // Front face.
    for (int i = 1; i <= w; ++i) {
        const int gx = clampPixel(x + i * lc);
        aographic_line(gx, y, gx, bottom, i == w ? kBlack : kRed);
    }
    for (int i = 1; i <= h; ++i) {
        const int gy = clampPixel(y + i * lc);
        aographic_line(x, gy, right, gy, i == h ? kBlack : kRed);
    }

    // Top face: receding edges, then the cross lines.
    for (int i = 0; i <= w; ++i) {
        const int gx = clampPixel(x + i * lc);
        aographic_line(gx, y, gx + dd, y - dd, (i == 0 || i == w) ? kBlack : kRed);
    }
    for (int j = 0; j <= d; ++j) {
        const int dj = depth(j);
        aographic_line(x + dj, y - dj, right + dj, y - dj, (j == 0 || j == d) ? kBlack : kRed);
    }

    // Marks the depth along the top face's right edge.
    drawCurveMark(right + dd / 4 - 10, y - dd / 4, 0.5);

    // Right face: vertical lines, then the receding ones.
    for (int j = 1; j <= d; ++j) {
        const int dj = depth(j);
        aographic_line(right + dj, bottom - dj, right + dj, y - dj, j == d ? kBlack : kRed);
    }
    for (int i = 1; i <= h; ++i) {
        const int gy = clampPixel(y + i * lc);
        aographic_line(right, gy, right + dd, gy - dd, i == h ? kBlack : kRed);
    }

    // The silhouette: left and bottom of the front, back of the top and of
    // the right face.
    aographic_line(x, y, x, bottom, kBlack);
    aographic_line(x, bottom, right, bottom, kBlack);
    aographic_line(x + dd, y - dd, right + dd, y - dd, kBlack);
    aographic_line(right + dd, y - dd, right + dd, bottom - dd, kBlack);
}
