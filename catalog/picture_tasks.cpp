// Tasks read from a picture: the class-election chart, a tied parcel,
// points and lines in a coordinate system, percent pictures, angle figures,
// dice nets and urns, function graphs and growth curves, and plane figures.
//
// Every task sets the world frame before it draws. Where a figure is built
// at random it stays on the 20-pixel grid (or is built from the printed
// angle), so that the value the pupil is asked for can be read off the
// picture and is the value stored.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "catalog.h"
#include "families.h"
#include "illustrations.h"
#include "notation.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kBlack = 0x000000;
constexpr int kRed = 0xFF0000;
constexpr int kBlue = 0x0000FF;

// Two whole numbers judged part by part: a point, or favourable over
// possible events.
void pairAnswer(int kind, int first, int second)
{
    answerKind = kind;
    relationOp = 5;
    solution[taskIndex] = first;
    solution2[taskIndex] = second;
}

// ------------------------------------------------------------ world frame

// The chart and angle pictures sit higher than the coordinate pictures.
constexpr int kChartOriginY = 310;
constexpr int kGraphOriginY = 370;

// The plain coordinate system shows 20 units left and right, 10 up and down.
constexpr double kGridX = 20;
constexpr double kGridY = 10;

void setWorldFrame(int oy)
{
    originX = 510;
    originY = oy;
    scaleX = 20.0;
    scaleY = 20.0;
}

void coordinateFrame()
{
    setWorldFrame(kGraphOriginY);
    drawAxesPlain(20, 20, originX, originY);
}

int pixelX(double wx) { return static_cast<int>(originX + scaleX * wx); }
int pixelY(double wy) { return static_cast<int>(originY - scaleY * wy); }

} // namespace

// ------------------------------------------------------------ angle figure labels

FigureInk figureInk;

namespace {

// Whether any part of the segment lies inside the box (Liang-Barsky).
bool segmentTouches(const FigureInk::Segment& s, const FigureInk::Box& b)
{
    double t0 = 0, t1 = 1;
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.x1 - b.x, b.x + b.w - s.x1, s.y1 - b.y, b.y + b.h - s.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 <= t1;
}

bool boxesTouch(const FigureInk::Box& a, const FigureInk::Box& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// The size of a name in the font the picture writes with (9 x 15 cells
// when the target cannot tell).
void textExtent(const char* text, int& w, int& h)
{
    const std::string cp1252 = ao_utf8_to_cp1252(text);
    const aoPixmap* target = aographic_getpixmap();
    const int font = target ? target->font : -1;
    w = font >= 0 ? aofont_textwidth(font, cp1252.c_str()) : 9 * static_cast<int>(cp1252.size());
    h = font >= 0 ? aofont_height(font) : 15;
}

// A label's box, two pixels of air around.
FigureInk::Box textBox(int x, int y, const char* text)
{
    int w, h;
    textExtent(text, w, h);
    return {x - 2, y - 2, w + 4, h + 4};
}

bool boxIsClear(const FigureInk::Box& b)
{
    for (const FigureInk::Segment& s : figureInk.segments)
        if (segmentTouches(s, b))
            return false;
    for (const FigureInk::Box& l : figureInk.labels)
        if (boxesTouch(l, b))
            return false;
    return true;
}

void recordSegment(int x1, int y1, int x2, int y2)
{
    if (figureInk.recording)
        figureInk.segments.push_back({double(x1), double(y1), double(x2), double(y2)});
}

void recordLabel(int x, int y, const char* text)
{
    if (figureInk.recording)
        figureInk.labels.push_back(textBox(x, y, text));
}

// Starts recording an angle figure's lines and labels.
void startFigure()
{
    figureInk = FigureInk{};
    figureInk.recording = true;
}

void worldLine(double x1, double y1, double x2, double y2, int colour)
{
    aographic_line(pixelX(x1), pixelY(y1), pixelX(x2), pixelY(y2), colour);
    recordSegment(pixelX(x1), pixelY(y1), pixelX(x2), pixelY(y2));
}

// Text centred on a world point, in the 9-pixel-wide font the pictures use.
void centredText(double wx, double wy, int colour, const char* text)
{
    const int width = 9 * static_cast<int>(std::strlen(text));
    const int x = pixelX(wx) - width / 2, y = pixelY(wy) - 7;
    aographic_text(x, y, colour, text);
    recordLabel(x, y, text);
}

// A name centred near a world point; where lines or other names are in the
// way it moves on in the world direction (ax, ay), a little sideways if
// need be, to the nearest place that is clear.
void placeName(double wx, double wy, double ax, double ay, int colour, const char* text)
{
    int width, height;
    textExtent(text, width, height);
    const int x0 = pixelX(wx) - width / 2, y0 = pixelY(wy) - height / 2;
    const double len = std::hypot(ax, ay);
    const double ux = len > 0 ? ax / len : 0, uy = len > 0 ? -ay / len : -1; // pixel rows grow downwards
    int x = x0, y = y0;
    bool placed = false;
    for (int along = 0; along <= 120 && !placed; along += 3)
        for (int side : {0, 6, -6, 12, -12, 18, -18}) {
            const int cx = x0 + static_cast<int>(std::lround(along * ux - side * uy));
            const int cy = y0 + static_cast<int>(std::lround(along * uy + side * ux));
            if (boxIsClear(textBox(cx, cy, text))) {
                x = cx;
                y = cy;
                placed = true;
                break;
            }
        }
    if (!placed)
        ++figureInk.unplaced;
    aographic_text(x, y, colour, text);
    recordLabel(x, y, text);
}

// The part of the line through (x0, y0) with direction (dx, dy) that lies
// in the box, red. Nothing when the line misses the box.
void redLineInBox(double x0, double y0, double dx, double dy, double xmin, double xmax, double ymin,
                  double ymax)
{
    double t0 = -1e9, t1 = 1e9;
    auto clip = [&](double p, double d, double lo, double hi) {
        if (d == 0)
            return p >= lo && p <= hi;
        double a = (lo - p) / d, b = (hi - p) / d;
        if (a > b)
            std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        return true;
    };
    if (!clip(x0, dx, xmin, xmax) || !clip(y0, dy, ymin, ymax) || t0 > t1)
        return;
    drawWorldLineRed(x0 + t0 * dx, y0 + t0 * dy, x0 + t1 * dx, y0 + t1 * dy);
}

void redLineAcrossGrid(double x0, double y0, double dx, double dy)
{
    redLineInBox(x0, y0, dx, dy, -kGridX, kGridX, -kGridY, kGridY);
}

// A graph y = f(x), red and two pixels thick, drawn only where it lies
// between ymin and ymax.
template <typename F> void redCurve(F f, double x0, double x1, double ymin = 0, double ymax = kGridY)
{
    const double step = 0.05;
    const int steps = static_cast<int>((x1 - x0) / step + 1e-9);
    bool inside = false;
    double lastX = 0, lastY = 0;
    for (int i = 0; i <= steps; ++i) {
        const double x = x0 + step * i;
        const double y = f(x);
        if (!(y >= ymin && y <= ymax)) {
            inside = false;
            continue;
        }
        if (inside) {
            drawWorldLineRed(lastX, lastY, x, y);
            aographic_line(pixelX(lastX), pixelY(lastY) - 1, pixelX(x), pixelY(y) - 1, kRed);
        }
        lastX = x;
        lastY = y;
        inside = true;
    }
}

// Direction from the first to the second point, degrees 0..360.
double direction(double x1, double y1, double x2, double y2)
{
    double d = std::atan2(y2 - y1, x2 - x1) * 180.0 / kPi;
    return d < 0 ? d + 360.0 : d;
}

// An angle at (x, y) from direction a1 counterclockwise to a2 (degrees):
// an arc of radius r and the name `gap` beyond the arc, beside its middle or
// in the direction `nameAt` (degrees) when one is given, in the arc's colour.
void markSector(double x, double y, double a1, double a2, double r, int colour, const char* name, double gap = 1.7,
                double nameAt = NAN)
{
    while (a2 < a1)
        a2 += 360.0;
    if (colour == kBlue)
        drawWorldArcBlue(x, y, r, a1, a2);
    else
        drawWorldArc(x, y, r, a1, a2);
    for (double a = a1; a < a2; a += 5) {
        const double b = std::min(a + 5, a2), ra = a * kPi / 180.0, rb = b * kPi / 180.0;
        recordSegment(pixelX(x + r * std::cos(ra)), pixelY(y + r * std::sin(ra)), pixelX(x + r * std::cos(rb)),
                      pixelY(y + r * std::sin(rb)));
    }
    const double mid = (std::isnan(nameAt) ? (a1 + a2) / 2 : nameAt) * kPi / 180.0;
    const double rl = r + gap;
    placeName(x + rl * std::cos(mid), y + rl * std::sin(mid), std::cos(mid), std::sin(mid), colour, name);
}

struct Point {
    double x;
    double y;
};

// The inner angle of a triangle at corner p, between the sides to q and r.
void markCorner(Point p, Point q, Point r, double radius, int colour, const char* name)
{
    const double a = direction(p.x, p.y, q.x, q.y);
    const double b = direction(p.x, p.y, r.x, r.y);
    if (std::fmod(b - a + 360.0, 360.0) <= 180.0)
        markSector(p.x, p.y, a, b, radius, colour, name);
    else
        markSector(p.x, p.y, b, a, radius, colour, name);
}

// A name inside the corner p, on the bisector of the sides to q and r.
void nameInsideCorner(Point p, Point q, Point r, int colour, const char* name)
{
    const double lq = std::hypot(q.x - p.x, q.y - p.y), lr = std::hypot(r.x - p.x, r.y - p.y);
    double bx = (q.x - p.x) / lq + (r.x - p.x) / lr, by = (q.y - p.y) / lq + (r.y - p.y) / lr;
    const double lb = std::hypot(bx, by);
    if (lb > 0) {
        bx /= lb;
        by /= lb;
    }
    placeName(p.x + 3.5 * bx, p.y + 3.5 * by, bx, by, colour, name);
}

void triangleLines(Point a, Point b, Point c)
{
    worldLine(a.x, a.y, b.x, b.y, kBlack);
    worldLine(b.x, b.y, c.x, c.y, kBlack);
    worldLine(c.x, c.y, a.x, a.y, kBlack);
}

// What drawWorldTriangle draws: the sides and the chord 2 units from the
// first corner.
void recordTriangle(Point p, Point q, Point r)
{
    for (auto [u, v] : {std::pair{p, q}, std::pair{q, r}, std::pair{r, p}})
        recordSegment(pixelX(u.x), pixelY(u.y), pixelX(v.x), pixelY(v.y));
    const double lq = std::hypot(q.x - p.x, q.y - p.y), lr = std::hypot(r.x - p.x, r.y - p.y);
    recordSegment(pixelX(p.x + 2 * (q.x - p.x) / lq), pixelY(p.y + 2 * (q.y - p.y) / lq),
                  pixelX(p.x + 2 * (r.x - p.x) / lr), pixelY(p.y + 2 * (r.y - p.y) / lr));
}

// Corner names just outside a triangle whose base AB lies below C.
void labelCorners(Point a, Point b, Point c)
{
    // The x axis carries its numbers in the row just below it, the y axis
    // left of it at 5 and 10: a letter there would sit on a number, so it
    // moves below its corner, or right of it.
    const double aDrop = a.y == -1 ? 0.7 : 0, bDrop = b.y == -1 ? 0.7 : 0;
    const bool cOnNumber = std::fabs(c.x) <= 1 && c.y == 4;
    const Point la{a.x - 0.8, a.y - 0.1 - aDrop}, lb{b.x + 0.3, b.y - 0.1 - bDrop};
    const Point lc = cOnNumber ? Point{c.x + 0.5, c.y + 0.4} : Point{c.x - 0.2, c.y + 1.1};
    labelPointA(la.x, la.y);
    labelPointB(lb.x, lb.y);
    labelPointC(lc.x, lc.y);
    recordLabel(pixelX(la.x), pixelY(la.y), "A");
    recordLabel(pixelX(lb.x), pixelY(lb.y), "B");
    recordLabel(pixelX(lc.x), pixelY(lc.y), "C");
}

// A short stroke across the middle of a side: the sides with strokes are equal.
void equalSideMark(Point p, Point q)
{
    const double mx = (p.x + q.x) / 2, my = (p.y + q.y) / 2;
    const double len = std::hypot(q.x - p.x, q.y - p.y);
    const double nx = -(q.y - p.y) / len * 0.4, ny = (q.x - p.x) / len * 0.4;
    worldLine(mx - nx, my - ny, mx + nx, my + ny, kBlack);
}

// Fisher-Yates with the generator's draws, last place first.
template <size_t N> void shuffleDraw(int (&values)[N], int count)
{
    for (int i = count - 1; i >= 1; --i) {
        const int j = aorand() % (i + 1);
        std::swap(values[i], values[j]);
    }
}

// ------------------------------------------------------------ 3103, 3107

void task3103()
{
    setWorldFrame(kChartOriginY);
    drawGridOnly(20, 20, originX, originY);
    const int a = drawRange(2, 8);
    const int b = drawRange(4, 6);
    const int c = drawRange(1, 9);
    const int d = drawRange(3, 8);
    const int v = drawRange(1, 5);
    voteCounts[0] = a;
    voteCounts[1] = b;
    voteCounts[2] = c;
    voteCounts[3] = d;
    aographic_setfont("9x15");
    drawVoteChart(4);
    static const char* const kQuestions[5] = {
        "Wie viele Stimmen erhielt Thomas?", "Wie viele Stimmen erhielt Melanie?",
        "Wie viele Stimmen erhielt Jenni?",  "Wie viele Stimmen erhielt Martin?",
        "Wie viele Stimmen wurden abgegeben?",
    };
    taskPrintf("\n\n\n\nDie Verteilung der Stimmen zur Klassensprecher-Wahl.\n%s", kQuestions[v - 1]);
    const int answers[5] = {a, b, c, d, a + b + c + d};
    sol() = answers[v - 1];
    static const char* const kNames[4] = {"Thomas", "Melanie", "Jenni", "Martin"};
    if (v <= 4) {
        taskStep("Der Balken von %s reicht bis %d.", kNames[v - 1], sol());
        taskStep("%s erhielt %d %s.", kNames[v - 1], sol(), sol() == 1 ? "Stimme" : "Stimmen");
    } else {
        taskStep("Alle Balken zusammen:");
        taskStep("%d + %d + %d + %d = %d", a, b, c, d, sol());
    }
}

// The string runs along every inner edge of the cube block's faces: a loop
// around the parcel between each pair of neighbouring cube layers, in all
// three directions, plus the knot.
void task3107()
{
    setWorldFrame(kChartOriginY); // the block's curve mark is sized by the frame
    const int a = drawRange(2, 3);
    const int b = drawRange(2, 3);
    const int c = drawRange(2, 3);
    operandN1 = a;
    operandN2 = b;
    operandN3 = c;
    drawCubeBlock(560, 330, 40);
    taskPrintf("\n\n\n\nWie viel Meter Schnur werden zum Verschnüren\ndes Paketes gebraucht, wenn für die Knoten 2 dm "
               "Schnur\nzusätzlich benötigt werden?");
    const int decimetres = 4 * (a * b + a * c + b * c) - 4 * (a + b + c) + 2;
    decimalAnswer(decimetres / 10.0, 2);
    // Between n layers of cubes run n - 1 loops, each once around the face
    // of the two other edges.
    auto loops = [](const char* along, int layers, int u, int v) {
        taskStep("%s %d dm: %d %s dazwischen, je 2 · (%d + %d) = %d dm", along, layers, layers - 1,
                 layers == 2 ? "Schlaufe" : "Schlaufen", u, v, 2 * (u + v));
    };
    loops("Breite", a, b, c);
    loops("Höhe", b, a, c);
    loops("Tiefe", c, a, b);
    taskStep("Mit Knoten: %d · %d + %d · %d + %d · %d + 2 = %d", a - 1, 2 * (b + c), b - 1, 2 * (a + c), c - 1,
             2 * (a + b), decimetres);
    taskStep("%d dm = %s m", decimetres, deDecimal(decimetres / 10.0, 2).c_str());
}

// ------------------------------------------------------------ 6101-6107

// How a point is reached from the origin along the grid lines.
std::string pointWay(int x, int y)
{
    auto along = [](int v, const char* plus, const char* minus) {
        return std::to_string(std::abs(v)) + " nach " + (v >= 0 ? plus : minus);
    };
    return "Vom Ursprung " + along(x, "rechts", "links") + " und " + along(y, "oben", "unten");
}

// A above left, B right, C above both: never on one line.
void trianglePoint(int taskNumber)
{
    coordinateFrame();
    const int x1 = drawRange(-15, -2);
    const int y1 = drawRange(-8, -1);
    const int x2 = drawRange(2, 15);
    const int y2 = drawRange(-8, -1);
    const int x3 = drawRange(-10, 10);
    const int y3 = drawRange(2, 8);
    const Point a{double(x1), double(y1)}, b{double(x2), double(y2)}, c{double(x3), double(y3)};
    triangleLines(a, b, c);
    markPointRed(a.x, a.y, 4);
    markPointRed(b.x, b.y, 4);
    markPointRed(c.x, c.y, 4);
    labelCorners(a, b, c);
    const int corner = taskNumber - 6101; // 0 A, 1 B, 2 C
    static const char* const kCorners[3] = {"A", "B", "C"};
    const char* const name = kCorners[corner];
    const int px[3] = {x1, x2, x3}, py[3] = {y1, y2, y3};
    taskPrintf("\n\n\n\n Welche Koordinaten hat der Punkt %s(x|y) des Dreiecks?", name);
    pairAnswer(2, px[corner], py[corner]);
    taskStep("%s", pointWay(px[corner], py[corner]).c_str());
    taskStep("%s(%d|%d): x = %d, y = %d", name, px[corner], py[corner], px[corner], py[corner]);
}

// A factor of at most one decimal as written after an operator: "1",
// "0,5", "(-0,6)".
std::string shortOperand(double value)
{
    const std::string s = deNumber(value, 1);
    return value < 0 ? "(" + s + ")" : s;
}

// 6104-6107: a red line through two blue-marked grid points. For y asked
// (6104, 6105) the run between the points is 1, 2 or 5, for x asked
// (6106, 6107) the rise is: the asked coordinate then has one decimal
// exactly. 6104 and 6106 rise, 6105 and 6107 fall.
void linePoint(int taskNumber)
{
    coordinateFrame();
    const bool askY = taskNumber <= 6105;
    const bool rising = taskNumber == 6104 || taskNumber == 6106;
    static const int kDividesTen[3] = {1, 2, 5};
    const int step = kDividesTen[drawRange(0, 2)];
    const int other = drawRange(1, 3);
    const int x1 = drawRange(-4, 0);
    const int y1 = rising ? drawRange(-4, 0) : drawRange(0, 4);
    const int run = askY ? step : other;
    const int rise = (askY ? other : step) * (rising ? 1 : -1);
    // The asked point lies k steps of one unit from the first point along
    // the given axis, close enough that it stays on the grid.
    const int kmax = askY ? std::min(10, 5 * run / std::abs(rise)) : 5;
    int k = drawRange(-kmax, kmax);
    if (k == 0)
        k = kmax;
    redLineAcrossGrid(x1, y1, run, rise);
    markPointBlue(x1, y1, 4);
    markPointBlue(x1 + 2 * run, y1 + 2 * rise, 4);
    const char* const upDown = rise > 0 ? "oben" : "unten";
    taskStep("Blaue Punkte: (%d|%d) und (%d|%d)", x1, y1, x1 + 2 * run, y1 + 2 * rise);
    // From the first blue point k steps along the given axis; a step back
    // (left or down) counts negative, as does a fall.
    const char* const back = askY ? " (nach links)" : " (nach unten)";
    const char* const axis = askY ? "x" : "y";
    const int start = askY ? x1 : y1;
    if (askY) {
        taskPrintf("\n\n\n\nWelche y-Koordinate hat der Punkt A(%d|y),\nwenn er auf der roten Geraden liegen soll?",
                   x1 + k);
        decimalAnswer((10 * y1 + 10 * rise * k / run) / 10.0, 1);
        taskStep("Je %d nach rechts geht es %d nach %s: m = %d : %d = %s", run, std::abs(rise), upDown, rise, run,
                 deNumber(double(rise) / run, 1).c_str());
        taskStep("Schritte: von %s = %d bis %s = %d sind es %d%s", axis, start, axis, start + k, k, k < 0 ? back : "");
        taskStep("y = Start + Schritte · m = %d + %s · %s = %s", y1, deOperand(k).c_str(),
                 shortOperand(double(rise) / run).c_str(), deDecimal(decimalSolution[taskIndex], 1).c_str());
    } else {
        taskPrintf("\n\n\n\nWelche x-Koordinate hat der Punkt A(x|%d),\nwenn er auf der roten Geraden liegen soll?",
                   y1 + k);
        decimalAnswer((10 * x1 + 10 * run * k / rise) / 10.0, 1);
        // Per unit up the line moves run : rise to the right, which the
        // rise of 1, 2 or 5 keeps to one decimal; a fall makes it a move left.
        const double perUp = double(run) / rise;
        taskStep("Je %d nach %s geht es %d nach rechts,", std::abs(rise), upDown, run);
        taskStep("pro 1 nach oben also %d : %s = %s%s", run, deOperand(rise).c_str(), deNumber(perUp, 1).c_str(),
                 perUp < 0 ? (" (" + deNumber(-perUp, 1) + " nach links)").c_str() : " nach rechts");
        taskStep("Schritte: von %s = %d bis %s = %d sind es %d%s", axis, start, axis, start + k, k, k < 0 ? back : "");
        taskStep("x = Start + Schritte · %s = %d + %s · %s = %s", shortOperand(perUp).c_str(), x1, deOperand(k).c_str(),
                 shortOperand(perUp).c_str(), deDecimal(decimalSolution[taskIndex], 1).c_str());
    }
}

// ------------------------------------------------------------ 7105, 7106

void task7105()
{
    const int a = drawRange(1, 100);
    aographic_setfont("9x15");
    drawPercentNumberLine(390, 300, a);
    taskPrintf("\n\n\n\n Wie viel Prozent sind auf dem Zahlenstrahl rot dargestellt?\n ");
    sol() = a;
    taskStep("Der Zahlenstrahl hat 100 Teile, %d davon sind rot.", a);
    taskStep("%d/100 = %d %%", a, a);
}

void task7106()
{
    const int a = drawRange(1, 9);
    const int b = drawRange(1, 9);
    drawFractionGrid(490, 200, 30, 10, 10, 10 - a, 10 - b);
    taskPrintf("\n\n\n\n Wie viel Prozent der Quadrate sind rot eingefärbt?");
    sol() = (10 - a) * (10 - b);
    taskStep("Rot: %d · %d = %d von 100 Quadraten", 10 - a, 10 - b, sol());
    taskStep("%d/100 = %d %%", sol(), sol());
}

// ------------------------------------------------------------ 8301, 8302, 12202

// A horizontal or vertical red line and a red point a whole number of units
// away from it.
void task8301()
{
    coordinateFrame();
    const int v = drawRange(1, 2);
    const int c = drawRange(-5, 5);
    const int d = drawRange(1, 5);
    const int side = drawRange(0, 1) == 0 ? -1 : 1;
    const int t = drawRange(-8, 8);
    if (v == 1) {
        drawWorldLineRed(-kGridX, c, kGridX, c);
        markPointRed(t, c + side * d, 5);
    } else {
        drawWorldLineRed(c, -kGridY, c, kGridY);
        markPointRed(c + side * d, t, 5);
    }
    taskPrintf("\n\n\n\n Welchen Abstand hat der rote Punkt von der roten Linie?");
    sol() = d;
    const int far = c + side * d; // the point's coordinate across the line
    taskStep("Linie bei %s = %d, Punkt bei %s = %d", v == 1 ? "y" : "x", c, v == 1 ? "y" : "x", far);
    taskStep("Abstand = %d - %s = %d", std::max(c, far), deOperand(std::min(c, far)).c_str(), d);
}

// Base AB on a grid line, C a whole number of units above it, anywhere from
// a little left of A to a little right of B.
struct BaseTriangle {
    int base;
    int height;
    int baseY; // the grid line AB lies on
};

BaseTriangle baseTriangle()
{
    coordinateFrame();
    const int xa = drawRange(-14, -6);
    const int ya = drawRange(-8, -3);
    const int g = drawRange(4, 16);
    const int offset = drawRange(-3, g + 3);
    const int h = drawRange(3, 12);
    const Point a{double(xa), double(ya)}, b{double(xa + g), double(ya)}, c{double(xa + offset), double(ya + h)};
    triangleLines(a, b, c);
    labelCorners(a, b, c);
    return {g, h, ya};
}

void task8302()
{
    BaseTriangle t = baseTriangle();
    taskPrintf("\n\n\n\n Welche Länge hat die Höhe h_c zur Dreiecksseite AB?");
    sol() = t.height;
    taskStep("AB liegt bei y = %d, C bei y = %d", t.baseY, t.baseY + t.height);
    taskStep("h_c = %d - %s = %d", t.baseY + t.height, deOperand(t.baseY).c_str(), t.height);
}

void task12202()
{
    BaseTriangle t = baseTriangle();
    taskPrintf("\n\n\n\n Wie groß ist die Dreiecksfläche in Flächeneinheiten?");
    decimalAnswer(t.base * t.height / 2.0, 1);
    taskStep("Grundseite g = AB = %d, Höhe h = %d", t.base, t.height);
    taskStep("A = g · h : 2 = %d · %d : 2 = %s", t.base, t.height, deDecimal(t.base * t.height / 2.0, 1).c_str());
}

// ------------------------------------------------------------ 8303-8306

// Two lines crossing at the origin: the first at theta, the second phi
// further on. Sector 0 (phi) and its vertical sector 2 are equal, sector 1
// is their neighbour (180 - phi).
void crossingAngles(int taskNumber)
{
    setWorldFrame(kChartOriginY);
    aographic_setfont("9x15");
    startFigure();
    const int phi = 5 * drawRange(4, 32);
    int theta = 0;
    if (taskNumber == 8306) {
        theta = 5 * drawRange(-8, 8);
        if (theta == 0)
            theta = 10;
    }
    for (double angle : {double(theta), double(theta + phi)}) {
        const double r = angle * kPi / 180.0;
        worldLine(-12 * std::cos(r), -12 * std::sin(r), 12 * std::cos(r), 12 * std::sin(r), kBlack);
    }
    const double s0 = theta, s1 = theta + phi, s2 = theta + 180, s3 = theta + 180 + phi;
    const bool betaBeside = taskNumber == 8305;
    markSector(0, 0, s0, s1, 2.5, kRed, betaBeside ? "Beta" : "Alpha");
    markSector(0, 0, s1, s2, 2.0, kBlue, betaBeside ? "Alpha" : "Gamma");
    markSector(0, 0, s2, s3, 2.5, betaBeside ? kBlue : kRed, betaBeside ? "Gamma" : "Beta");
    switch (taskNumber) {
    case 8304:
        taskPrintf("\n\n\n\nWie groß ist der Winkel Gamma, wenn Alpha gleich %d Grad ist?", phi);
        sol() = 180 - phi;
        taskStep("Gamma und Alpha sind Nebenwinkel.");
        taskStep("Gamma = 180° - %d° = %d°", phi, sol());
        break;
    case 8305:
        taskPrintf("\n\n\n\nWie groß ist der Winkel Beta, wenn Alpha gleich %d Grad ist?", 180 - phi);
        sol() = phi;
        taskStep("Beta und Alpha sind Nebenwinkel.");
        taskStep("Beta = 180° - %d° = %d°", 180 - phi, sol());
        break;
    case 8303:
        // The sum of the two vertical angles: only the figure tells that
        // Alpha and Beta are vertical, so equal (a printed angle to copy
        // would need no figure).
        taskPrintf("\n\n\n\nAlpha und Beta sind zusammen %d Grad groß.\nWie groß ist der Winkel Beta?", 2 * phi);
        sol() = phi;
        taskStep("Alpha und Beta sind Scheitelwinkel, also gleich groß.");
        taskStep("Beta = %d° : 2 = %d°", 2 * phi, sol());
        break;
    default: // 8306: as 8303, and then Alpha's neighbour
        taskPrintf("\n\n\n\nAlpha und Beta sind zusammen %d Grad groß.\nWie groß ist der Winkel Gamma?", 2 * phi);
        sol() = 180 - phi;
        taskStep("Alpha und Beta sind Scheitelwinkel, also gleich groß:");
        taskStep("Alpha = %d° : 2 = %d°", 2 * phi, phi);
        taskStep("Gamma ist Nebenwinkel von Alpha:");
        taskStep("Gamma = 180° - %d° = %d°", phi, sol());
        break;
    }
    firstDistractorSlot = 4;
}

// ------------------------------------------------------------ 8307-8313

// Whole degrees of an angle computed from coordinates; the tiny lift keeps
// an exact 45 from truncating to 44.
int truncatedDegrees(double degrees) { return static_cast<int>(degrees + 1e-9); }

// 8307 acute, 8308 obtuse at B, 8309 obtuse at A. Alpha and Beta are read
// from the corners and truncated; Gamma is stored as what the printed two
// leave of 180, so the pupil's sum gives the stored answer.
void triangleGamma(int taskNumber)
{
    setWorldFrame(kChartOriginY);
    aographic_setfont("9x15");
    startFigure();
    int xa, ya, c, h, xb, xc;
    // Drawn again until every angle of the triangle is 20 degrees or more,
    // so that its arc and name have room.
    for (;;) {
        xa = drawRange(-12, -8);
        ya = drawRange(-6, -3);
        c = drawRange(12, 20);
        h = drawRange(5, 12);
        xb = xa + c;
        if (taskNumber == 8307)
            xc = xa + drawRange(3, c - 3);
        else if (taskNumber == 8308)
            xc = xb + drawRange(1, 6);
        else
            xc = xa - drawRange(1, 6);
        const double atA = std::atan2(h, xc - xa) * 180.0 / kPi, atB = std::atan2(h, xb - xc) * 180.0 / kPi;
        if (atA >= 20 && atB >= 20 && 180 - atA - atB >= 20)
            break;
    }
    const int yc = ya + h;
    const Point a{double(xa), double(ya)}, b{double(xb), double(ya)}, cc{double(xc), double(yc)};
    const int alpha = truncatedDegrees(std::atan2(h, xc - xa) * 180.0 / kPi);
    const int beta = truncatedDegrees(std::atan2(h, xb - xc) * 180.0 / kPi);
    drawWorldTriangle(cc.x, cc.y, a.x, a.y, b.x, b.y); // the chord marks the asked angle
    recordTriangle(cc, a, b);
    labelCorners(a, b, cc);
    markCorner(a, b, cc, 2.0, kRed, "Alpha");
    markCorner(b, a, cc, 2.0, kBlue, "Beta");
    nameInsideCorner(cc, a, b, kBlack, "Gamma");
    taskPrintf("\n\n\n\nWie groß ist Gamma, wenn Alpha %d° und Beta %d° ist?", alpha, beta);
    sol() = 180 - alpha - beta;
    taskStep("Winkelsumme im Dreieck: Alpha + Beta + Gamma = 180°");
    taskStep("Gamma = 180° - %d° - %d° = %d°", alpha, beta, sol());
}

// Isosceles triangle over the base AB with the given base angle, no taller
// than 14 units; equal legs get a stroke.
struct Triangle {
    Point a, b, c;
};

Triangle isoscelesTriangle(int baseAngle)
{
    const double slope = std::tan(baseAngle * kPi / 180.0);
    const double half = std::min(8.0, 14.0 / slope);
    Triangle t{{-half, -6}, {half, -6}, {0, -6 + half * slope}};
    triangleLines(t.a, t.b, t.c);
    equalSideMark(t.a, t.c);
    equalSideMark(t.b, t.c);
    labelCorners(t.a, t.b, t.c);
    return t;
}

// Right triangle over the hypotenuse AB with the right angle at C on the
// Thales circle, marked by a small square.
void task8310()
{
    setWorldFrame(kChartOriginY);
    aographic_setfont("9x15");
    startFigure();
    const int beta = drawRange(20, 70);
    const double theta = (180 - 2 * beta) * kPi / 180.0;
    const Point a{-8, -5}, b{8, -5}, c{8 * std::cos(theta), -5 + 8 * std::sin(theta)};
    triangleLines(a, b, c);
    labelCorners(a, b, c);
    const double la = std::hypot(a.x - c.x, a.y - c.y), lb = std::hypot(b.x - c.x, b.y - c.y);
    const Point u{(a.x - c.x) / la, (a.y - c.y) / la}, v{(b.x - c.x) / lb, (b.y - c.y) / lb};
    worldLine(c.x + u.x, c.y + u.y, c.x + u.x + v.x, c.y + u.y + v.y, kBlack);
    worldLine(c.x + v.x, c.y + v.y, c.x + u.x + v.x, c.y + u.y + v.y, kBlack);
    markCorner(a, b, c, 2.5, kRed, "Alpha");
    markCorner(b, a, c, 2.5, kBlue, "Beta");
    taskPrintf("\n\n\n\nWie groß ist Alpha, wenn Beta %d° ist?", beta);
    sol() = 90 - beta;
    taskStep("Bei C ist ein rechter Winkel: Alpha + Beta = 90°");
    taskStep("Alpha = 90° - %d° = %d°", beta, sol());
}

// An isosceles triangle over the bottom side AB whose legs AB and AC (apex
// A) or BA and BC (apex B) are equal and meet at the angle `top`; C lies
// above AB, the equal sides get a stroke.
Triangle isoscelesAtBase(bool apexA, int top)
{
    const double t = top * kPi / 180.0;
    const double leg = std::min(12.0, 14.0 / std::sin(t));
    Point a{0, -6}, b{leg, -6}, c{apexA ? leg * std::cos(t) : leg - leg * std::cos(t), -6 + leg * std::sin(t)};
    const double shift = -(std::min(a.x, c.x) + std::max(b.x, c.x)) / 2;
    a.x += shift;
    b.x += shift;
    c.x += shift;
    triangleLines(a, b, c);
    equalSideMark(a, b);
    equalSideMark(apexA ? a : b, c);
    labelCorners(a, b, c);
    return {a, b, c};
}

// Alpha asked, Beta printed; which two angles are the base angles only the
// strokes tell. In one task of six the equal legs meet at C and Alpha is
// Beta (the printed angle is right no more often than any square); else
// they meet at A (Alpha the apex) or at B (Beta the apex).
void task8311()
{
    setWorldFrame(kChartOriginY);
    aographic_setfont("9x15");
    startFigure();
    const int draw = drawRange(0, 6 * 46 - 1);
    const int base = 30 + draw / 6, variant = draw % 6;
    const int apex = variant == 0 ? 2 : variant % 2 == 1 ? 0 : 1; // 0 A, 1 B, 2 C
    Triangle t = apex == 2 ? isoscelesTriangle(base) : isoscelesAtBase(apex == 0, 180 - 2 * base);
    const int beta = apex == 1 ? 180 - 2 * base : base;
    markCorner(t.a, t.b, t.c, 2.5, kRed, "Alpha");
    markCorner(t.b, t.a, t.c, 2.5, kBlue, "Beta");
    taskPrintf("\n\n\n\nWie groß ist Alpha, wenn Beta %d° ist?", beta);
    if (apex == 2) {
        sol() = beta;
        taskStep("Die Striche zeigen: AC = BC.");
        taskStep("Alpha und Beta sind Basiswinkel, also gleich groß.");
        taskStep("Alpha = Beta = %d°", sol());
    } else if (apex == 0) {
        sol() = 180 - 2 * beta;
        taskStep("Die Striche zeigen: AB = AC.");
        taskStep("Beta und Gamma sind Basiswinkel, also gleich groß.");
        taskStep("Alpha = 180° - 2 · %d° = %d°", beta, sol());
    } else {
        sol() = (180 - beta) / 2;
        taskStep("Die Striche zeigen: AB = BC.");
        taskStep("Alpha und Gamma sind Basiswinkel, also gleich groß.");
        taskStep("Alpha = (180° - %d°) : 2 = %d°", beta, sol());
    }
}

// The apex of an isosceles triangle: 180 minus twice the base angle.
void task8312()
{
    setWorldFrame(kChartOriginY);
    aographic_setfont("9x15");
    startFigure();
    const int alpha = drawRange(30, 75);
    Triangle t = isoscelesTriangle(alpha);
    markCorner(t.a, t.b, t.c, 2.5, kRed, "Alpha");
    markCorner(t.c, t.a, t.b, 2.0, kBlue, "Gamma");
    taskPrintf("\n\n\n\nWie groß ist Gamma, wenn Alpha %d° ist?", alpha);
    sol() = 180 - 2 * alpha;
    taskStep("Die Basiswinkel sind gleich: Beta = Alpha = %d°", alpha);
    taskStep("Gamma = 180° - 2 · %d° = %d°", alpha, sol());
}

// Beta is the exterior angle at B of an isosceles triangle (AB extended):
// Alpha, a base angle, is its neighbour at B.
void task8313()
{
    setWorldFrame(kChartOriginY);
    aographic_setfont("9x15");
    startFigure();
    const int base = drawRange(30, 75);
    Triangle t = isoscelesTriangle(base);
    worldLine(t.b.x, t.b.y, t.b.x + 6, t.b.y, kBlack);
    markCorner(t.a, t.b, t.c, 2.5, kRed, "Alpha");
    markSector(t.b.x, t.b.y, 0, 180 - base, 1.5, kBlue, "Beta");
    taskPrintf("\n\n\n\nWie groß ist Alpha, wenn Beta %d° ist?", 180 - base);
    sol() = base;
    taskStep("Der Innenwinkel bei B ist Nebenwinkel von Beta:");
    taskStep("180° - %d° = %d°", 180 - base, base);
    taskStep("Alpha ist gleich groß (Basiswinkel): Alpha = %d°", sol());
}

// ------------------------------------------------------------ 8314-8316

// 8314, 8315: parallels g (y = 3) and h (y = -3) cut by a line at phi.
// At the upper crossing P and the lower Q the four sectors are
// [0, phi], [phi, 180], [180, 180 + phi], [180 + phi, 360].
// 8314: Alpha P[0, phi] = phi, Beta Q[phi, 180], Gamma Q[180, 180 + phi].
// 8315: Alpha P[180 + phi, 360], Beta Q[phi, 180] (alternate angles),
//       Gamma Q[0, phi].
// 8316: isosceles triangle, Alpha and Beta base angles, Gamma the apex.
// Variant 3 writes one angle's size into the figure and asks Alpha: 8314
// from Beta, 8315 from Gamma (its alternate angle Beta is Gamma's
// neighbour), 8316 from the apex Gamma.
void parallelOrIsosceles(int taskNumber)
{
    setWorldFrame(kChartOriginY);
    aographic_setfont("9x15");
    startFigure();
    const int phi = taskNumber == 8316 ? drawRange(30, 75) : 5 * drawRange(6, 30);
    const int v = drawRange(1, 3);

    int alpha, beta, gamma;
    const char* shownName = "";
    if (taskNumber == 8316) {
        alpha = phi;
        beta = phi;
        gamma = 180 - 2 * phi;
        shownName = "Gamma";
    } else if (taskNumber == 8314) {
        alpha = phi;
        beta = 180 - phi;
        gamma = phi;
        shownName = "Beta";
    } else {
        alpha = 180 - phi;
        beta = 180 - phi;
        gamma = phi;
        shownName = "Gamma";
    }
    // In variant 3 the shown angle carries its size.
    auto name = [&](const char* angle, int size) {
        char text[32];
        if (v == 3 && std::strcmp(angle, shownName) == 0)
            std::snprintf(text, sizeof text, "%s = %d°", angle, size);
        else
            std::snprintf(text, sizeof text, "%s", angle);
        return std::string(text);
    };

    if (taskNumber == 8316) {
        Triangle t = isoscelesTriangle(phi);
        markCorner(t.a, t.b, t.c, 2.5, kRed, name("Alpha", alpha).c_str());
        markCorner(t.b, t.a, t.c, 2.5, kBlue, name("Beta", beta).c_str());
        // A narrow apex has no room for "Gamma = 32°": its size stands
        // apart, where the parallels write "g || h".
        markCorner(t.c, t.a, t.b, 2.0, kRed, "Gamma");
        if (v == 3)
            centredText(-14, 8, kRed, name("Gamma", gamma).c_str());
    } else {
        const double r = phi * kPi / 180.0;
        const double cx = std::cos(r), cy = std::sin(r);
        const Point p{3 * cx / cy, 3}, q{-3 * cx / cy, -3};
        worldLine(-12, 3, 12, 3, kBlack);
        worldLine(-12, -3, 12, -3, kBlack);
        worldLine(p.x + 4 * cx, p.y + 4 * cy, q.x - 4 * cx, q.y - 4 * cy, kBlack);
        centredText(13, 3, kBlack, "g");
        centredText(13, -3, kBlack, "h");
        centredText(-14, 8, kBlack, "g || h");
        if (taskNumber == 8314) {
            markSector(p.x, p.y, 0, phi, 2.0, kRed, name("Alpha", alpha).c_str());
            markSector(q.x, q.y, phi, 180, 1.5, kBlue, name("Beta", beta).c_str());
            markSector(q.x, q.y, 180, 180 + phi, 2.0, kRed, name("Gamma", gamma).c_str());
        } else {
            // Alpha below g and Gamma above h both open into the strip: named
            // along their own parallel, not on the bisectors that meet in
            // the middle (every sector here is at least 30 degrees wide).
            markSector(p.x, p.y, 180 + phi, 360, 2.0, kRed, name("Alpha", alpha).c_str(), 0.6, 348);
            markSector(q.x, q.y, phi, 180, 1.5, kBlue, name("Beta", beta).c_str());
            markSector(q.x, q.y, 0, phi, 2.0, kRed, name("Gamma", gamma).c_str(), 0.6, 12);
        }
    }

    // v = 1, 2: the given angle printed in the text, v = 3: in the figure.
    // Asked and given are never the two equal angles of the figure (alternate
    // or base angles), so the figure must be read to find the answer.
    if (taskNumber == 8314) {
        const char* asked = v == 1 ? "Beta" : "Alpha";
        const int givenSize = v == 1 ? alpha : beta;
        if (v == 1)
            taskPrintf("\n\n\n\nWie groß ist Beta, wenn Alpha %d° ist?", alpha);
        else if (v == 2)
            taskPrintf("\n\n\n\nWie groß ist Alpha, wenn Beta %d° ist?", beta);
        else
            taskPrintf("\n\n\n\nWie groß ist Alpha?");
        sol() = v == 1 ? beta : alpha;
        // Alpha's corresponding angle at h lies beside Beta.
        taskStep("Der Stufenwinkel von Alpha an h ist Nebenwinkel von Beta:");
        taskStep("Alpha und Beta ergänzen sich zu 180°.");
        taskStep("%s = 180° - %d° = %d°", asked, givenSize, sol());
    } else if (taskNumber == 8315) {
        if (v == 2) {
            taskPrintf("\n\n\n\nWie groß ist Gamma, wenn Alpha %d° ist?", alpha);
            sol() = gamma;
            taskStep("Alpha und Beta sind Wechselwinkel an Parallelen:");
            taskStep("Beta = Alpha = %d°", alpha);
            taskStep("Gamma ist Nebenwinkel von Beta:");
            taskStep("Gamma = 180° - %d° = %d°", beta, sol());
        } else {
            if (v == 1)
                taskPrintf("\n\n\n\nWie groß ist Alpha, wenn Gamma %d° ist?", gamma);
            else
                taskPrintf("\n\n\n\nWie groß ist Alpha?");
            sol() = alpha;
            taskStep("Beta ist Nebenwinkel von Gamma:");
            taskStep("Beta = 180° - %d° = %d°", gamma, beta);
            taskStep("Alpha und Beta sind Wechselwinkel an Parallelen:");
            taskStep("Alpha = Beta = %d°", sol());
        }
    } else {
        const char* asked = v == 1 ? "Beta" : "Alpha";
        if (v == 1)
            taskPrintf("\n\n\n\nWie groß ist Beta, wenn Gamma %d° ist?", gamma);
        else if (v == 2)
            taskPrintf("\n\n\n\nWie groß ist Alpha, wenn Gamma %d° ist?", gamma);
        else
            taskPrintf("\n\n\n\nWie groß ist Alpha?");
        sol() = alpha;
        taskStep("Die Basiswinkel Alpha und Beta sind gleich groß:");
        taskStep("%s = (180° - %d°) : 2 = %d°", asked, gamma, sol());
    }
    firstDistractorSlot = 4;
}

// ------------------------------------------------------------ 9301-9310

constexpr int kNetX = 120;
constexpr int kNetY = 300;
constexpr int kNetSide = 80;

// The six faces in the order of drawCubeNet's squares.
void drawDiceNet(int x, int faces[6])
{
    const int s = kNetSide;
    const int corners[6][2] = {{x, kNetY},         {x + s, kNetY},     {x + 2 * s, kNetY},
                               {x + 3 * s, kNetY}, {x + s, kNetY + s}, {x + s, kNetY - s}};
    drawCubeNet(x, kNetY, s);
    for (int i = 0; i < 6; ++i)
        drawBigNumber(corners[i][0] + s / 2 - 8, corners[i][1] + s / 2 - 14, faces[i]);
}

// `count` faces show `digit`; the others show different other digits, each
// once; then the faces are shuffled onto the net.
void diceFaces(int digit, int count, int faces[6])
{
    int others[5];
    for (int d = 1, n = 0; d <= 6; ++d)
        if (d != digit)
            others[n++] = d;
    shuffleDraw(others, 5);
    int all[6];
    for (int i = 0; i < 6; ++i)
        all[i] = i < count ? digit : others[i - count];
    shuffleDraw(all, 6);
    std::copy(all, all + 6, faces);
}

void task9301()
{
    const int digit = drawRange(1, 6);
    const int count = drawRange(2, 4);
    int faces[6];
    diceFaces(digit, count, faces);
    drawDiceNet(440, faces);
    taskPrintf("\n\n\n\nWelche Augenzahl wird bei diesem Würfel\nam häufigsten gewürfelt?");
    answerKind = 6;
    sol() = digit;
    taskStep("Die %d steht auf %d Seiten, die anderen auf höchstens einer.", digit, count);
    taskStep("Am häufigsten fällt die %d.", digit);
}

// Favourable faces over all six, not reduced: the squares offer 1..6 for both.
void task9302()
{
    const int digit = drawRange(1, 6);
    const int count = drawRange(1, 4);
    int faces[6];
    diceFaces(digit, count, faces);
    drawDiceNet(kNetX, faces);
    drawProbabilityFormula(560, 310);
    taskPrintf("\n\n\n\nMit welcher Wahrscheinlichkeit wird bei diesem Würfel\ndie Augenzahl %d gewürfelt?", digit);
    pairAnswer(7, count, 6);
    taskStep("Die %d steht auf %d von 6 Seiten.", digit, count);
    taskStep("P = %d/6", count);
}

void urnPicture(int red, int black, bool twoDraws)
{
    drawUrn(150, 450, 180, red, black);
    if (twoDraws)
        drawProductFormula(480, 360);
    else
        drawProbabilityFormula(480, 360);
}

void urnOneDraw(int taskNumber)
{
    const int hi = taskNumber == 9303 ? 5 : 7;
    const int a = drawRange(2, hi);
    const int b = drawRange(2, hi);
    urnPicture(a, b, false);
    const bool black = taskNumber == 9303;
    taskPrintf("\n\n\n\nIn einer Urne sind %d rote und %d schwarze Kugeln.\nMit welcher Wahrscheinlichkeit wird "
               "eine\n%s Kugel gezogen?",
               a, b, black ? "schwarze" : "rote");
    pairAnswer(8, black ? b : a, a + b);
    taskStep("%d + %d = %d Kugeln, davon %d %s", a, b, a + b, black ? b : a, black ? "schwarz" : "rot");
    taskStep("P = %d/%d", black ? b : a, a + b);
}

// Products of the favourable and of the possible counts, not reduced. The
// first line of the task is the same for all; the rest says what is drawn
// and how. Each draw's chance is a fraction of the balls then in the urn.
struct TwoDraws {
    int task;
    const char* what;    // what is drawn, after "Mit welcher Wahrscheinlichkeit "
    bool back;           // the first ball goes back into the urn
    bool eitherOrder;    // red then black or black then red
    char first, second;  // 'r' red, 's' black
};

constexpr TwoDraws kTwoDraws[] = {
    {9305, "werden zwei\nrote Kugeln gezogen? (ohne Zurücklegen)", false, false, 'r', 'r'},
    {9306, "werden zwei\nschwarze Kugeln gezogen? (ohne Zurücklegen)", false, false, 's', 's'},
    {9307, "wird zuerst\neine schwarze und dann eine rote Kugel gezogen?\n(ohne Zurücklegen)", false, false, 's', 'r'},
    {9308, "wird zuerst\neine schwarze und dann eine rote Kugel gezogen?\n(mit Zurücklegen; die erste Kugel kommt "
           "wieder in die Urne)",
     true, false, 's', 'r'},
    {9309, "wird\neine schwarze und eine rote Kugel gezogen?\n(mit Zurücklegen; ohne Reihenfolge)", true, true, 's',
     'r'},
    {9310, "wird\neine schwarze und eine rote Kugel gezogen?\n(ohne Zurücklegen; ohne Reihenfolge)", false, true, 's',
     'r'},
};

void urnTwoDraws(int taskNumber)
{
    const int a = drawRange(2, 6);
    const int b = drawRange(2, 6);
    const int n = a + b;
    urnPicture(a, b, true);
    const TwoDraws* t = &kTwoDraws[0];
    for (const TwoDraws& d : kTwoDraws)
        if (d.task == taskNumber)
            t = &d;
    taskPrintf("\n\n\n\nIn einer Urne sind %d rote und %d schwarze Kugeln.\nMit welcher Wahrscheinlichkeit %s", a, b,
               t->what);
    // Favourable and possible balls at the first and the second draw.
    const int fav1 = t->first == 'r' ? a : b;
    const int all2 = t->back ? n : n - 1;
    const int fav2 = (t->second == 'r' ? a : b) - (!t->back && t->second == t->first ? 1 : 0);
    const int factor = t->eitherOrder ? 2 : 1;
    pairAnswer(9, factor * fav1 * fav2, n * all2);
    taskStep("1. Kugel %s: %d/%d, 2. Kugel %s: %d/%d", t->first == 'r' ? "rot" : "schwarz", fav1, n,
             t->second == 'r' ? "rot" : "schwarz", fav2, all2);
    if (t->eitherOrder) {
        taskStep("Beide Reihenfolgen zählen: mal 2");
        taskStep("P = 2 · %d/%d · %d/%d = %d/%d", fav1, n, fav2, all2, solution[taskIndex], solution2[taskIndex]);
    } else {
        taskStep("P = %d/%d · %d/%d = %d/%d", fav1, n, fav2, all2, solution[taskIndex], solution2[taskIndex]);
    }
}

// ------------------------------------------------------------ 11201-11212

// A line through the origin with a slope triangle of run 5 and rise a.
void task11201()
{
    coordinateFrame();
    int a = drawRange(-5, 4);
    if (a == 0)
        a = 1;
    redLineAcrossGrid(0, 0, 5, a);
    drawSlopeStep(0, 0, 5, a);
    // The slope triangle's run, rise and length are no part of the text: m is
    // rise over run, which the picture shows and the pupil reads.
    taskPrintf("\n\n\n\n Zuordnungsvorschrift f(x) = mx; m = ?");
    decimalAnswer(2 * a / 10.0, 1);
    taskStep("Steigungsdreieck: 5 nach rechts, %d nach %s", std::abs(a), a > 0 ? "oben" : "unten");
    taskStep("m = %d : 5 = %s", a, deDecimal(2 * a / 10.0, 1).c_str());
}

// f(x) = m x + b with m in halves; both variants ask for the intercept (the
// one square row judges b alone), one with m printed, one without.
void task11202()
{
    coordinateFrame();
    const int v = drawRange(1, 2);
    int k = drawRange(-4, 4);
    if (k == 0)
        k = 1;
    int b = drawRange(-4, 3);
    if (b == 0)
        b = 1;
    redLineAcrossGrid(0, b, 2, k);
    // The slope in halves as a coefficient: "0,5x", "x", "-1,5x".
    const std::string mx = k == 2 ? "x" : k == -2 ? "-x" : deNumber(k / 2.0, 1) + "x";
    if (v == 1)
        taskPrintf("\n\n\n\n f(x) = %s + b; b = ?", mx.c_str());
    else
        taskPrintf("\n\n\n\n f(x) = mx + b; b = ?");
    sol() = b;
    if (v != 1)
        taskStep("Je 2 nach rechts geht sie %d nach %s: m = %s", std::abs(k), k > 0 ? "oben" : "unten",
                 deNumber(k / 2.0, 1).c_str());
    taskStep("Die Gerade schneidet die y-Achse bei %d.", b);
    taskStep("b = %d", b);
}

void graphFrame(void (*axes)(int, int, int, int))
{
    setWorldFrame(kGraphOriginY);
    axes(20, 20, originX, originY);
}

// A proportional graph in the first quadrant, world rise dy per run dx.
void proportionalLine(double dx, double dy) { redLineInBox(0, 0, dx, dy, 0, kGridX, 0, kGridY); }

// One unit is 12 minutes and 10 km: s = 5a t lies on wy = a wx / 10.
void task11203()
{
    graphFrame(drawAxesDistanceTime);
    const int a = drawRange(1, 20);
    proportionalLine(10, a);
    taskPrintf("\n\n\n\nWeg-Zeit-Diagramm\nWie groß ist die Geschwindigkeit v in km/h?");
    sol() = 5 * a;
    taskStep("Nach 1 h (60 min) zeigt der Graph %d km.", 5 * a);
    taskStep("v = %d km : 1 h = %d km/h", 5 * a, sol());
}

// One unit is 20 dollars and 20 euros: euro = 0.1 a dollar.
void task11204()
{
    graphFrame(drawAxesEuroDollar);
    const int a = drawRange(5, 19);
    // The line reaches 200 dollars and the chart 200 euros: the amount asked
    // for stays where the pupil can read it off.
    const int b = std::min({drawRange(1, 3), 2, 20 / a});
    proportionalLine(10, a);
    taskPrintf("\n\n\n\nWährungsumrechnung:\nWie viel Euro bekommt man für %d Dollar?", 100 * b);
    sol() = 10 * a * b;
    taskStep("Am Graphen: 100 Dollar entsprechen %d Euro.", 10 * a);
    if (b == 1)
        taskStep("Für 100 Dollar bekommt man %d Euro.", sol());
    else
        taskStep("%d · %d = %d Euro", b, 10 * a, sol());
}

void task11205()
{
    graphFrame(drawAxesEuroDollar);
    const int a = drawRange(5, 19);
    proportionalLine(10, a);
    taskPrintf("\n\n\n\nWährungsumrechnung:\nWie groß ist der Umrechnungsfaktor von Dollar in Euro?\n(Euro = m · "
               "Dollar)");
    decimalAnswer(a / 10.0, 2);
    taskStep("Am Graphen: 100 Dollar entsprechen %d Euro.", 10 * a);
    taskStep("m = %d : 100 = %s", 10 * a, deDecimal(a / 10.0, 2).c_str());
}

// One unit is 1 oz and 1000 euros: 200 a euros per oz.
void task11206()
{
    graphFrame(drawAxesEuroGold);
    const int a = drawRange(5, 14);
    const int b = drawRange(1, 3);
    proportionalLine(5, a);
    taskPrintf("\n\n\n\nGoldpreis:\nWie viel Euro bekommt man für %d oz Gold?\n(1 oz Gold = 31,1 g "
               "Gold;\noz = Einheitenzeichen für Edelmetalle)",
               b);
    sol() = 200 * a * b;
    taskStep("Am Graphen: 1 oz Gold entspricht %d Euro.", 200 * a);
    if (b == 1)
        taskStep("Für 1 oz Gold bekommt man %d Euro.", sol());
    else
        taskStep("%d · %d = %d Euro", b, 200 * a, sol());
}

// Growth curves: one unit is a week and 10 percent.

// The pond is full after `full` weeks; it doubles every `doubling` weeks,
// so it was half full one doubling time earlier.
void task11207()
{
    graphFrame(drawAxesPercentWeeks);
    const double doubling = 0.5 * drawRange(1, 6);
    const int full = drawRange(8, 18);
    redCurve([&](double t) { return 10.0 * std::pow(2.0, (t - full) / doubling); }, 0, full);
    markPointBlue(full, 10, 4);
    const std::string weeks = deNumber(doubling, 1) + (doubling == 1 ? " Woche" : " Wochen");
    taskPrintf("\n\n\n\nExponentielles Wachstum:\nSeerosen wachsen in einem Teich.\nIn %s verdoppelt sich "
               "die Fläche.\nNach wie vielen Wochen ist der Teich bis zur Hälfte zugewachsen?",
               weeks.c_str());
    decimalAnswer(full - doubling, 1);
    taskStep("Am Graphen: voll (100 %%) nach %d Wochen", full);
    taskStep("Halb so groß ist die Fläche %s früher:", weeks.c_str());
    taskStep("%d - %s = %s Wochen", full, deNumber(doubling, 1).c_str(), deDecimal(full - doubling, 1).c_str());
}

// Reading a growth curve: across from the asked percentage to the curve,
// then down to the week below. The curve is made to meet that percentage
// exactly above a whole week, which is the judged answer: between grid
// lines a tenth of a week is two pixels, finer than the squares' steps.
void readAcrossAndDown(int percent, int weeks)
{
    taskStep("Bei %d %% waagerecht bis zur Kurve,", percent);
    taskStep("von dort senkrecht hinunter zur Zeitachse:");
    taskStep("Die Kurve erreicht %d %% nach %d %s.", percent, weeks, weeks == 1 ? "Woche" : "Wochen");
}

// p(t) = 100 (1 - e^(-k t)), with k first drawn as 0,15, 0,2 or 0,25 and
// then set so that the curve meets p at the nearest whole week (1 at least).
void task11208()
{
    graphFrame(drawAxesPercentWeeks);
    const int p = 5 * drawRange(1, 18);
    const double drawnK = 0.1 + 0.05 * drawRange(1, 3);
    const double depth = -std::log(1 - p / 100.0); // k t at the asked percentage
    const int weeks = std::max(1, static_cast<int>(std::lround(depth / drawnK)));
    const double k = depth / weeks;
    redCurve([&](double t) { return 10.0 * (1 - std::exp(-k * t)); }, 0, kGridX);
    taskPrintf("\n\n\n\nBeschränktes Wachstum:\nSeerosen wachsen in einem Teich.\nNach wie vielen Wochen ist der Teich"
               "\nbis zu %d Prozent zugewachsen?",
               p);
    decimalAnswer(weeks, 0);
    readAcrossAndDown(p, weeks);
}

// p(t) = 100 / (1 + e^(-k (t - t0))), half full at t0; k near 0,5, set so
// that the curve meets p at a whole week d weeks from t0.
void task11209()
{
    graphFrame(drawAxesPercentWeeks);
    const int p = 10 * drawRange(2, 9);
    const int t0 = drawRange(7, 12);
    const double depth = std::log(100.0 / p - 1); // k (t0 - t) at p
    const int d = static_cast<int>(std::lround(depth / 0.5));
    const double k = d == 0 ? 0.5 : depth / d;
    redCurve([&](double t) { return 10.0 / (1 + std::exp(-k * (t - t0))); }, 0, kGridX);
    taskPrintf("\n\n\n\nLogistisches Wachstum:\nSeerosen wachsen in einem Teich.\nNach wie vielen Wochen ist der Teich"
               "\nbis zu %d Prozent zugewachsen?",
               p);
    decimalAnswer(t0 - d, 0);
    readAcrossAndDown(p, t0 - d);
}

void task11210()
{
    graphFrame(drawAxesPercentWeeks);
    const int a = drawRange(1, 39);
    const double halfLife = 0.5 * a;
    redCurve([&](double t) { return 10.0 * std::pow(2.0, -t / halfLife); }, 0, kGridX);
    taskPrintf("\n\n\n\nRadioaktiver Zerfall:\nEin radioaktives Element zerfällt.\nNach wie vielen Wochen ist die "
               "Strahlung\nbis zur Hälfte abgeklungen (Halbwertszeit)?");
    decimalAnswer(halfLife, 1);
    taskStep("Am Graphen: von 100 %% auf 50 %%");
    taskStep("Halbwertszeit: %s Wochen", deDecimal(halfLife, 1).c_str());
}

// World population in billions, fitted by least squares with a cubic in
// centuries after 1800. One unit is 20 years and a billion people.
struct Census {
    int year;
    double billions;
};
constexpr Census kCensus[] = {{1800, 1.0}, {1850, 1.26}, {1900, 1.65}, {1927, 2.0}, {1950, 2.5}, {1960, 3.0},
                              {1975, 4.0}, {1987, 5.0},  {1999, 6.0},  {2011, 7.0}, {2022, 8.0}};
constexpr int kCubic = 4; // coefficients

// Fills the normal equations and solves them; the coefficients end up in
// linearX[1..4] for the powers 0..3.
void fitPopulation()
{
    for (int i = 1; i <= kCubic; ++i) {
        linearB[i] = 0;
        for (int j = 1; j <= kCubic; ++j)
            linearA[i][j] = 0;
    }
    for (const Census& c : kCensus) {
        const double u = (c.year - 1800) / 100.0;
        for (int i = 1; i <= kCubic; ++i) {
            linearB[i] += std::pow(u, i - 1) * c.billions;
            for (int j = 1; j <= kCubic; ++j)
                linearA[i][j] += std::pow(u, i + j - 2);
        }
    }
    solveLinearSystem(kCubic);
}

double fittedBillions(double year)
{
    const double u = (year - 1800) / 100.0;
    double v = 0;
    for (int i = kCubic; i >= 1; --i)
        v = v * u + linearX[i];
    return v;
}

void task11211()
{
    graphFrame(drawAxesPopulation);
    const int year = 1800 + 10 * drawRange(0, 22);
    fitPopulation();
    redCurve([](double wx) { return fittedBillions(1800 + 20 * wx); }, 0, 11.5);
    for (const Census& c : kCensus)
        markPointBlue((c.year - 1800) / 20.0, c.billions, 3);
    taskPrintf("\n\n\n\nBevölkerungswachstum:\nWie viele Milliarden Menschen lebten im Jahr %d\nauf der Erde?", year);
    decimalAnswer(fittedBillions(year), 1);
    taskStep("Ein Kästchen nach rechts sind 20 Jahre,");
    taskStep("ein Kästchen nach oben ist 1 Milliarde Menschen.");
    taskStep("Über dem Jahr %d liegt die Kurve etwa %s Kästchen hoch:", year,
             deDecimal(fittedBillions(year), 1).c_str());
    taskStep("Etwa %s Milliarden Menschen", deDecimal(fittedBillions(year), 1).c_str());
}

// A price of 50 euros rising by p percent a year; one unit is 2 years and
// 10 euros, so the doubling shows where the curve reaches 100. Rates of 15
// and 16 percent, which double in 4,96 and 4,67 years, are asked as 5 and 6:
// squares a fifth of a year (two pixels) apart cannot be told apart there.
void task11212()
{
    graphFrame(drawAxesEuroYears);
    int p = drawRange(2, 16);
    if (p > 14)
        p -= 10;
    const double growth = 1 + p / 100.0;
    redCurve([&](double wx) { return 5.0 * std::pow(growth, 2 * wx); }, 0, kGridX);
    taskPrintf("\n\n\n\nKaufkraftverlust:\nDie Inflationsrate beträgt in einem Jahr %d Prozent.\nNach wie vielen "
               "Jahren haben sich die\ndurchschnittlichen Preise der Waren verdoppelt?",
               p);
    const double years = std::log(2.0) / std::log(growth);
    decimalAnswer(years, 1);
    taskStep("Die Kurve beginnt bei 50 EUR, verdoppelt sind es 100 EUR.");
    taskStep("Bei 100 EUR waagerecht bis zur Kurve, dann senkrecht");
    taskStep("hinunter zur Zeitachse (1 Kästchen = 2 Jahre):");
    taskStep("Die Preise haben sich nach etwa %s Jahren verdoppelt.", deDecimal(years, 1).c_str());
}

// ------------------------------------------------------------ 12201-12210

void task12201()
{
    setWorldFrame(kGraphOriginY);
    const int a = drawRange(3, 7);
    const int b = drawRange(3, 7);
    const int c = drawRange(3, 7);
    const int d = drawRange(3, 7);
    drawFractionGrid(430, 150, 30, a + c, b + d, c, d);
    taskPrintf("\n\n\n\n Wie groß ist die rote Fläche\n in Flächeneinheiten?");
    sol() = c * d;
    taskStep("Das rote Rechteck ist %d Kästchen breit und %d hoch.", c, d);
    taskStep("A = %d · %d = %d", c, d, sol());
}

// 12203 isosceles, 12204 with the top side shifted, 12205 with the longer
// side on top. The parallel sides and the height are whole units.
void trapezoid(int taskNumber)
{
    coordinateFrame();
    const int a = drawRange(8, 16);
    const int b = drawRange(2, 7);
    const int e = drawRange(3, 9);
    const int x = drawRange(-16, -8);
    const int y = drawRange(-8, -4);
    if (taskNumber == 12203)
        drawWorldTrapezoid(x, y, a, b, e);
    else if (taskNumber == 12204)
        drawWorldTrapezoidSkew(x, y, a, b, e);
    else
        drawWorldTrapezoid(x + (a - b) / 2.0, y, b, a, e);
    taskPrintf("\n\n\n\nWie groß ist die Trapezfläche in Flächeneinheiten?");
    decimalAnswer((a + b) * e / 2.0, 1);
    const int bottom = taskNumber == 12205 ? b : a, top = taskNumber == 12205 ? a : b;
    taskStep("Parallele Seiten a = %d (unten) und c = %d, Höhe h = %d", bottom, top, e);
    taskStep("A = (a + c) · h : 2 = (%d + %d) · %d : 2 = %s", bottom, top, e, deDecimal((a + b) * e / 2.0, 1).c_str());
}

// Even diagonals, so the corners sit on grid points and the area is whole.
void task12206()
{
    coordinateFrame();
    const int a = 2 * drawRange(2, 8);
    const int b = 2 * drawRange(2, 8);
    const int e = drawRange(-(b / 2 - 1), b / 2 - 1);
    const int x = drawRange(-6, 6);
    drawWorldKite(x, 0, a, b, e);
    taskPrintf("\n\n\n\nWie groß ist die Drachenfläche in Flächeneinheiten?");
    sol() = a * b / 2;
    taskStep("Diagonalen e = %d und f = %d", a, b);
    taskStep("A = e · f : 2 = %d · %d : 2 = %d", a, b, sol());
}

// A parallelogram with its base on a grid line: base times height.
void task12207()
{
    coordinateFrame();
    const int g = drawRange(4, 12);
    const int h = drawRange(3, 8);
    int s = drawRange(-4, 6);
    if (s == 0)
        s = 3;
    const int x = drawRange(-12, -6);
    const int y = drawRange(-8, -4);
    drawWorldLineRed(x, y, x + g, y);
    drawWorldLineRed(x + g, y, x + g + s, y + h);
    drawWorldLineRed(x + g + s, y + h, x + s, y + h);
    drawWorldLineRed(x + s, y + h, x, y);
    taskPrintf("\n\n\n\nWie groß ist die Fläche in Flächeneinheiten?");
    sol() = g * h;
    taskStep("Parallelogramm: Grundseite g = %d, Höhe h = %d", g, h);
    taskStep("A = g · h = %d · %d = %d", g, h, sol());
}

// Six equilateral triangles of side a. An estimate reads the triangle
// height h off the grid: 12208's upright sides stand at x = ±h, 12209's top
// side at y = h. The squares lie far enough apart (5 and more, whole units
// at a = 2) that the estimate finds the true area a · h · 3, which is judged.
void hexagon(int taskNumber)
{
    coordinateFrame();
    const int a = drawRange(2, 9);
    if (taskNumber == 12208)
        drawWorldHexagon(0, 0, a, 0);
    else
        drawWorldCircleHexagon(0, 0, a);
    taskPrintf("\n\n\n\nWie groß ist die Fläche des Sechsecks in Flächeneinheiten?\nVersuche eine Abschätzung.");
    const double h = a * std::sqrt(3.0) / 2;
    const double area = 3 * a * h;
    decimalAnswer(area, 1);
    const double readH = std::round(h * 10) / 10; // h is irrational: no half to round
    const std::string read = deDecimal(readH, 1);
    taskStep("Sechs gleichseitige Dreiecke mit der Seite a = %d", a);
    if (taskNumber == 12208)
        taskStep("Am Gitter: die rechte Seite steht bei x ≈ %s, also h ≈ %s", read.c_str(), read.c_str());
    else
        taskStep("Am Gitter: die obere Seite liegt bei y ≈ %s, also h ≈ %s", read.c_str(), read.c_str());
    taskStep("A ≈ 6 · %d · %s : 2 = %s", a, read.c_str(), deNumber(3 * a * readH, 1).c_str());
    // h cut off after three places, marked as cut off.
    const std::string exactH = deDecimal(std::floor(h * 1000) / 1000, 3) + "...";
    taskStep("Genau (Pythagoras): h² = %d² - %s²; h = %s", a, deNumber(a / 2.0, 1).c_str(), exactH.c_str());
    taskStep("A = 6 · %d · %s : 2 ≈ %s", a, exactH.c_str(), deDecimal(area, 1).c_str());
}

void task12210()
{
    setWorldFrame(kGraphOriginY);
    const int r = drawRange(3, 9);
    aographic_setfont("9x15");
    drawCircleEstimate(0, 0, r);
    taskPrintf("\n\n\n\nEine Seite a des Quadrates ist doppelt so lang wie der\nRadius r. Die Fläche des Quadrates "
               "ist 4 · r · r.\nDie Fläche des Kreises ist k · r · r.\nWie groß ist der Faktor k zur Berechnung der "
               "Kreisfläche?");
    const int all = estimateBlue + estimateRed;
    decimalAnswer(all > 0 ? 4.0 * estimateBlue / all : 0.0, 2);
    taskStep("Kreis : Quadrat = blaue Punkte : alle Punkte");
    taskStep("k : 4 = %d : %d", estimateBlue, all);
    if (all > 0)
        taskStep("k = 4 · %d : %d = %s", estimateBlue, all, deRounded(4.0 * estimateBlue / all, 2).c_str());
}

} // namespace

void generatePictureTask(int taskNumber)
{
    figureInk.recording = false;
    switch (taskNumber) {
    case 3103: task3103(); break;
    case 3107: task3107(); break;
    case 6101:
    case 6102:
    case 6103: trianglePoint(taskNumber); break;
    case 6104:
    case 6105:
    case 6106:
    case 6107: linePoint(taskNumber); break;
    case 7105: task7105(); break;
    case 7106: task7106(); break;
    case 8301: task8301(); break;
    case 8302: task8302(); break;
    case 8303:
    case 8304:
    case 8305:
    case 8306: crossingAngles(taskNumber); break;
    case 8307:
    case 8308:
    case 8309: triangleGamma(taskNumber); break;
    case 8310: task8310(); break;
    case 8311: task8311(); break;
    case 8312: task8312(); break;
    case 8313: task8313(); break;
    case 8314:
    case 8315:
    case 8316: parallelOrIsosceles(taskNumber); break;
    case 9301: task9301(); break;
    case 9302: task9302(); break;
    case 9303:
    case 9304: urnOneDraw(taskNumber); break;
    case 9305:
    case 9306:
    case 9307:
    case 9308:
    case 9309:
    case 9310: urnTwoDraws(taskNumber); break;
    case 11201: task11201(); break;
    case 11202: task11202(); break;
    case 11203: task11203(); break;
    case 11204: task11204(); break;
    case 11205: task11205(); break;
    case 11206: task11206(); break;
    case 11207: task11207(); break;
    case 11208: task11208(); break;
    case 11209: task11209(); break;
    case 11210: task11210(); break;
    case 11211: task11211(); break;
    case 11212: task11212(); break;
    case 12201: task12201(); break;
    case 12202: task12202(); break;
    case 12203:
    case 12204:
    case 12205: trapezoid(taskNumber); break;
    case 12206: task12206(); break;
    case 12207: task12207(); break;
    case 12208:
    case 12209: hexagon(taskNumber); break;
    case 12210: task12210(); break;
    default: break;
    }
}
