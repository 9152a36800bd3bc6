// Fraction and formula texts, squares and the cube net, the urn, the
// class-election chart and the dot square that estimates pi.
#include <cmath>

#include "draw_util.h"

using namespace illu;

double voteCounts[4] = {0, 0, 0, 0};
int estimateRed = 0;
int estimateBlue = 0;

// ---------------------------------------------------------------- text pictures

namespace {

// Widens the fraction bar under a numerator or denominator of two digits.
void twoDigitBar(int x, int y, int v)
{
    aographic_text(x + 22, y + 1, kBlack, "_");
    if (v >= 10 && v < 100) aographic_text(x + 22, y + 1, kBlack, "__");
}

} // namespace

void drawFractionText(int x, int y, int p, int q)
{
    aographic_printf(x, y, kBlack, "%4i", p);
    aographic_printf(x, y + 30, kBlack, "%4i", q);
    aographic_text(x + 22, y + 1, kBlack, "_");
    if ((p >= 10 || q >= 10) && p < 100 && q < 100) aographic_text(x + 12, y + 1, kBlack, "__");
    if ((p >= 100 || q >= 100) && p < 1000 && q < 1000) aographic_text(x + 2, y + 1, kBlack, "___");
}

void drawFractionXOver(int x, int y, int q)
{
    aographic_text(x, y, kBlack, "   x");
    aographic_printf(x, y + 30, kBlack, "%4i", q);
    twoDigitBar(x, y, q);
}

void drawFractionOverX(int x, int y, int p)
{
    aographic_printf(x, y, kBlack, "%4i", p);
    aographic_text(x, y + 30, kBlack, "   x");
    twoDigitBar(x, y, p);
}

void drawFractionXOverY(int x, int y)
{
    aographic_text(x, y, kBlack, "   x");
    aographic_text(x, y + 30, kBlack, "   y");
    aographic_text(x + 22, y + 1, kBlack, "_");
}

void drawPowerOfX(int x, int y, int e)
{
    aographic_text(x, y, kBlack, "x");
    aographic_printf(x + 14, y - 10, kBlack, "%d", e);
}

void drawBigNumber(int x, int y, int v)
{
    aographic_setfont("New Roman,points=20,bold");
    aographic_printf(x, y, kBlack, "%d", v);
}

namespace {

void quotientFormula(int x, int y, const char* upper, const char* lower, int barEnd)
{
    aographic_setfont("New Roman,points=12");
    aographic_text(x, y, kBlack, "Wahrscheinlichkeit = ");
    aographic_text(x + 160, y - 10, kBlack, upper);
    aographic_text(x + 160, y + 10, kBlack, lower);
    aographic_line(x + 160, y + 10, x + barEnd, y + 10, kBlack);
}

} // namespace

void drawProbabilityFormula(int x, int y)
{
    quotientFormula(x, y, "Anzahl der günstigen Ereignisse ", "Anzahl der möglichen Ereignisse ", 390);
}

void drawProductFormula(int x, int y)
{
    quotientFormula(x, y, "Produkt der günstigen Ereignisse ", "Produkt der möglichen Ereignisse ", 400);
}

// ---------------------------------------------------------------- figures

void drawSquareOutline(int x, int y, int s)
{
    aographic_line(x, y, x + s, y, kBlack);
    aographic_line(x + s, y, x + s, y + s, kBlack);
    aographic_line(x + s, y + s, x, y + s, kBlack);
    aographic_line(x, y + s, x, y, kBlack);
}

void drawCubeNet(int x, int y, int s)
{
    drawSquareOutline(x, y, s);
    drawSquareOutline(x + s, y, s);
    drawSquareOutline(x + 2 * s, y, s);
    drawSquareOutline(x + 3 * s, y, s);
    drawSquareOutline(x + s, y + s, s);
    drawSquareOutline(x + s, y - s, s);
}

void drawUrn(int x, int y, int w, int red, int black)
{
    aographic_line(x, y, x, y - w, kBlack);
    aographic_line(x, y, x + w + 9, y, kBlack);
    aographic_line(x + w + 9, y, x + w + 9, y - w, kBlack);

    int redLeft = red > 0 ? red : 0, blackLeft = black > 0 ? black : 0;
    const int total = redLeft + blackLeft;
    long long offX = 0, offY = 0;
    int inRow = 0;
    for (int n = 1; n <= total; ++n) {
        // Turns alternate from red; a colour that has run out gives way.
        const bool redTurn = n % 2 == 1;
        bool isRed;
        if (redTurn && redLeft > 0) isRed = true;
        else isRed = blackLeft <= 0;
        if (isRed) --redLeft;
        else --blackLeft;

        const int cx = clampPixel(x + 17LL * n - 6 - offX);
        const int cy = clampPixel(y - 11 - offY);
        aographic_circle(cx, cy, 7, kBlack);
        aographic_fillcircle(cx, cy, 7, isRed ? kRed : kBlack);

        ++inRow;
        if (18LL * inRow >= w) {
            // The next row starts again above the first ball, clear of the wall.
            offX += 17LL * inRow;
            offY += 17;
            inRow = 0;
        }
    }
}

void drawVoteChart(int n)
{
    static const char* const names[4] = {"Thomas", "Melanie", "Jenni", "Martin"};
    static const int colours[4] = {0x0000FF, 0xFF0000, 0xFF00FF, 0x00FF00};
    if (n > 4) n = 4;

    for (int i = 0; i < n; ++i) {
        const int px = mapX(2 * i - 10);
        const int bottom = mapY(-5), top = mapY(-5 + voteCounts[i]);
        for (int j = 0; j < 20; ++j) aographic_line(px + j, bottom, px + j, top, colours[i]);
        aographic_text(px, bottom + (i % 2 == 0 ? 10 : 25), colours[i], names[i]);
    }

    // Axes with a line at every count up to 11; the vertical axis ends one
    // count above.
    aographic_line(mapX(-15), mapY(-5), mapX(15), mapY(-5), kBlack);
    aographic_line(mapX(-12), mapY(-5), mapX(-12), mapY(-5 + 12), kBlack);
    for (int k = 1; k <= 11; ++k) aographic_line(mapX(-12) - 5, mapY(-5 + k), mapX(15) + 5, mapY(-5 + k), kBlack);
    aographic_text(mapX(-13), mapY(-5 + 5) - 6, kBlack, "5");
    aographic_text(mapX(-13), mapY(-5 + 10) - 6, kBlack, "10");
    aographic_text(mapX(-17), mapY(-5 + 13), kBlack, "Anzahl der");
    aographic_text(mapX(-17), mapY(-5 + 13) + 16, kBlack, "Stimmen");
}

void drawCircleEstimate(double wx, double wy, double r)
{
    // The generator centres the picture on the world origin; the points and
    // texts are laid out around it.
    constexpr double kPi = 3.141592654;
    Curve circle(kRed);
    const int steps = static_cast<int>(2 * kPi / 0.02);
    for (int k = 0; k <= steps; ++k) {
        const double t = 0.02 * k;
        circle.to(mapX(r * std::cos(t)), mapY(r * std::sin(t)));
    }
    circle.to(mapX(r), mapY(0));

    const double d = r * 1.4142;
    const double c[4][2] = {{d * std::cos(kPi / 4), d * std::sin(kPi / 4)},
                            {d * std::cos(3 * kPi / 4), d * std::sin(3 * kPi / 4)},
                            {d * std::cos(5 * kPi / 4), d * std::sin(5 * kPi / 4)},
                            {d * std::cos(7 * kPi / 4), d * std::sin(7 * kPi / 4)}};
    for (int k = 0; k < 4; ++k) worldLine(c[k][0], c[k][1], c[(k + 1) % 4][0], c[(k + 1) % 4][1], kBlack);

    estimateRed = 0;
    estimateBlue = 0;
    // One dot per unit square; a square too big to count is not dotted.
    const double side = 2 * r;
    const int m = side > 0 && side < 2000 ? static_cast<int>(side) : 0;
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= m; ++j) {
            const double px = -r - 0.5 + i, py = -r - 0.5 + j;
            if (std::sqrt(px * px + py * py) <= r) {
                markPointBlue(px, py, 3);
                ++estimateBlue;
            } else {
                markPointRed(px, py, 3);
                ++estimateRed;
            }
        }
    }

    aographic_text(mapX(-20), mapY(10), kBlack, "Anzahl der Punkte:");
    aographic_printf(mapX(-20), mapY(9), kBlack, "rot:      %d", estimateRed);
    aographic_printf(mapX(-20), mapY(8), kBlack, "blau:     %d", estimateBlue);
    aographic_printf(mapX(-20), mapY(7), kBlack, "blau+rot: %d", estimateBlue + estimateRed);
    aographic_text(mapX(-20), mapY(-7), kBlack, "Der Faktor k ist");
    aographic_text(mapX(-20), mapY(-8), kBlack, "eine Näherung");
    aographic_text(mapX(-20), mapY(-9), kBlack, "der Kreiszahl Pi.");
}
