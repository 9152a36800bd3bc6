#include "worksheet.h"
#include "cairo_fonts.h"
#include "titles.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <random>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

// A4 in points, with the margins of an ordinary printed page.
constexpr double kPageWidth = 595.28;
constexpr double kPageHeight = 841.89;
constexpr double kMargin = 42;
constexpr double kTextWidth = kPageWidth - 2 * kMargin;
constexpr double kBottom = kPageHeight - kMargin;

// Task pictures: at most this many points per pixel of the task area (large
// enough for a fraction drawn in a small font) and narrow enough to leave a
// column for the answer squares beside them; how tall they may be is chosen
// per sheet so that its tasks take at most kMostTaskPages pages. Their text
// prints no smaller than kPictureText points (digits about 2 mm tall); text
// that would print smaller grows about its middle, at most by kMaxGrow, with
// a white rim that keeps it clear of lines.
constexpr double kMaxPictureScale = 0.6;
constexpr int kMostTaskPages = 4;
constexpr double kSquaresColumn = 150;
constexpr double kPictureText = 8;
constexpr double kMaxGrow = 2.2;
constexpr double kThinnestLine = 0.3;

constexpr const char* kSans = "Liberation Sans";
constexpr const char* kSerif = "Liberation Serif";
constexpr const char* kMono = "Liberation Mono";

struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Context = std::unique_ptr<cairo_t, CairoDeleter>;
using Surface = std::unique_ptr<cairo_surface_t, CairoDeleter>;

cairo_status_t collect(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string germanDate(const std::string& iso)
{
    return iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4);
}

// The task text as lines: surrounding blank lines dropped, runs of blank
// lines kept as one.
std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        while (!line.empty() && line.back() == ' ') line.pop_back();
        const bool blank = line.find_first_not_of(' ') == std::string::npos;
        if (!blank || (!lines.empty() && !lines.back().empty())) lines.push_back(blank ? std::string() : line);
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

// The bounding box of what the task drew, with a small white margin.
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

Box drawnBox(const aoPixmap& area)
{
    int x0 = area.width, y0 = area.height, x1 = -1, y1 = -1;
    const std::vector<uint32_t> white(area.width, 0xFFFFFF);
    for (int y = 0; y < area.height; ++y) {
        const uint32_t* row = area.row(y);
        if (std::memcmp(row, white.data(), white.size() * sizeof(uint32_t)) == 0) continue;
        for (int x = 0; x < area.width; ++x)
            if (row[x] != 0xFFFFFF) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    }
    if (x1 < 0) return {};
    const int m = 6;
    x0 = std::max(0, x0 - m), y0 = std::max(0, y0 - m);
    x1 = std::min(area.width - 1, x1 + m), y1 = std::min(area.height - 1, y1 + m);
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

// ---- the task picture, its drawing commands replayed into cairo

void colour(cairo_t* cr, int rgb)
{
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

// The printed face of a screen font: the faces the stored fonts were made from.
struct Face {
    const char* family;
    bool bold;
};

Face faceOf(const aoFont* f)
{
    if (!f) return {kMono, false};
    std::string name = f->name;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    const bool bold = f->weight > 0;
    if (name.find("roman") != std::string::npos || name.find("times") != std::string::npos ||
        name.find("serif") != std::string::npos)
        return {kSerif, bold};
    if (f->kind == 1 || name.rfind("crnew", 0) == 0 || name.find("courier") != std::string::npos) return {kMono, bold};
    return {kSans, bold};
}

// A line clipped to a rectangle (Liang and Barsky); false when nothing of it
// lies inside. Keeps far-off ends within what cairo's fixed point can hold.
bool clipLine(double& x1, double& y1, double& x2, double& y2, double left, double top, double right, double bottom)
{
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    x2 = x1 + t1 * dx, y2 = y1 + t1 * dy;
    x1 = x1 + t0 * dx, y1 = y1 + t0 * dy;
    return true;
}

// Where a recorded text prints: in the face its screen font was made from,
// starting where the screen text starts and squeezed to its width where the
// face is wider (a cell font's text also stretched to it), grown about its
// middle where it would print too small.
// Lengths in pixels of the task area.
constexpr double kTextRim = 0.8; // points of white around grown text

struct PrintedText {
    std::string utf8;
    double size = 0;              // the face's size
    double natural = 0;           // its width at that size
    double squeeze = 1, grow = 1; // horizontal squeeze, growth in both directions
    double ascent = 0, cell = 0;  // the screen font's ascent and cell height
    double middleX = 0, middleY = 0, width = 0, height = 0; // as printed
};

// `limit`: how far this text may grow (growLimits).
PrintedText printedText(cairo_t* cr, const aoRecordedCommand& c, double scale, double limit)
{
    PrintedText t;
    const aoFont* f = aofont_record(c.font);
    t.utf8 = ao_cp1252_to_utf8(c.text);
    const double screenWidth = aofont_textwidth(c.font, c.text.c_str());
    t.ascent = f && f->ascent > 0 ? f->ascent : 11;
    t.cell = f ? f->ysize : 13;
    const Face face = faceOf(f);
    cairo_select_font_face(cr, face.family, CAIRO_FONT_SLANT_NORMAL,
                           face.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 100);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    t.size = fe.ascent > 0 ? 100 * t.ascent / fe.ascent : t.ascent;
    cairo_set_font_size(cr, t.size);
    cairo_text_extents_t te;
    cairo_text_extents(cr, t.utf8.c_str(), &te);
    t.natural = te.x_advance;
    // A cell font's characters stay in their cells: its text keeps the screen
    // width, narrower faces a little wider, within reason.
    const bool cells = f && f->kind == 1;
    t.squeeze = screenWidth > 0 && t.natural > 0 && (t.natural > screenWidth || cells)
                    ? std::min(screenWidth / t.natural, 1.3)
                    : 1;
    t.grow = std::clamp(kPictureText / (t.size * scale), 1.0, std::max(1.0, limit));
    const double drawn = t.natural * t.squeeze;
    t.middleX = c.a[0] + drawn / 2, t.middleY = c.a[1] + t.cell / 2;
    t.width = drawn * t.grow + 2 * kTextRim / scale, t.height = t.cell * t.grow + 2 * kTextRim / scale;
    return t;
}

// How far each text of a picture may grow: no further than kMaxGrow, and not
// so far that it meets a text it stays clear of on screen (names of bars in
// two rows, a point's letter beside an axis number). One per command.
std::vector<double> growLimits(cairo_t* cr, const std::vector<aoRecordedCommand>& commands, double scale)
{
    std::vector<double> limits(commands.size(), kMaxGrow);
    std::vector<std::pair<size_t, PrintedText>> texts;
    for (size_t i = 0; i < commands.size(); ++i)
        if (commands[i].code == AOCMD_TEXT) texts.emplace_back(i, printedText(cr, commands[i], scale, 1));
    for (size_t a = 0; a < texts.size(); ++a)
        for (size_t b = a + 1; b < texts.size(); ++b) {
            const PrintedText &p = texts[a].second, &q = texts[b].second;
            // Grown by g both stay apart while one of the gaps is wide enough.
            const double g = std::max(std::abs(p.middleX - q.middleX) / ((p.width + q.width) / 2),
                                      std::abs(p.middleY - q.middleY) / ((p.height + q.height) / 2));
            if (g < 1) continue; // they meet on screen already
            limits[texts[a].first] = std::min(limits[texts[a].first], g);
            limits[texts[b].first] = std::min(limits[texts[b].first], g);
        }
    return limits;
}

// The box of the picture's ink widened by its text where that grows beyond
// it (a label at the edge of the task area).
Box printedBox(cairo_t* cr, const ToolTask& task, const Box& ink, double scale)
{
    double x0 = ink.x, y0 = ink.y, x1 = ink.x + ink.w, y1 = ink.y + ink.h;
    const std::vector<double> limits = growLimits(cr, task.drawing, scale);
    for (size_t i = 0; i < task.drawing.size(); ++i) {
        const aoRecordedCommand& c = task.drawing[i];
        if (c.code != AOCMD_TEXT) continue;
        const PrintedText t = printedText(cr, c, scale, limits[i]);
        // Text the screen would not show either stays out.
        if (t.utf8.empty() || t.middleX < ink.x || t.middleX > ink.x + ink.w || t.middleY < ink.y ||
            t.middleY > ink.y + ink.h)
            continue;
        x0 = std::min(x0, t.middleX - t.width / 2), x1 = std::max(x1, t.middleX + t.width / 2);
        y0 = std::min(y0, t.middleY - t.height / 2), y1 = std::max(y1, t.middleY + t.height / 2);
    }
    const int left = static_cast<int>(std::floor(x0)), top = static_cast<int>(std::floor(y0));
    return {left, top, static_cast<int>(std::ceil(x1)) - left, static_cast<int>(std::ceil(y1)) - top};
}

class PictureReplay {
public:
    // Draws the recorded commands in pixel units; `scale` is points per pixel.
    PictureReplay(cairo_t* cr, const Box& box, double scale) : cr_(cr), box_(box), scale_(scale) {}

    void run(const std::vector<aoRecordedCommand>& commands)
    {
        cairo_save(cr_);
        cairo_rectangle(cr_, box_.x, box_.y, box_.w, box_.h);
        cairo_clip(cr_);
        cairo_save(cr_);
        // Lines end where the task area ends, as on screen; grown text may
        // reach beyond it (the box takes it in).
        cairo_rectangle(cr_, 0, 0, kAreaWidth, kAreaHeight);
        cairo_clip(cr_);
        cairo_set_line_width(cr_, std::max(1.0, kThinnestLine / scale_));
        // A line covers the pixels of both its ends, as on screen.
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
        for (const aoRecordedCommand& c : commands)
            if (c.code != AOCMD_TEXT) one(c);
        cairo_restore(cr_);
        // Text last, on top of every line, with its rim keeping lines off it:
        // on paper a label must stay legible where the screen draws across it.
        const std::vector<double> limits = growLimits(cr_, commands, scale_);
        for (size_t i = 0; i < commands.size(); ++i)
            if (commands[i].code == AOCMD_TEXT) text(commands[i], limits[i]);
        cairo_restore(cr_);
    }

private:
    cairo_t* cr_;
    Box box_;
    double scale_;

    // Pixel centres: a one-pixel line runs through the middle of its pixels.
    void line(double x1, double y1, double x2, double y2, int rgb)
    {
        const double reach = 2000;
        x1 += 0.5, y1 += 0.5, x2 += 0.5, y2 += 0.5;
        if (!clipLine(x1, y1, x2, y2, box_.x - reach, box_.y - reach, box_.x + box_.w + reach,
                      box_.y + box_.h + reach))
            return;
        colour(cr_, rgb);
        cairo_move_to(cr_, x1, y1);
        cairo_line_to(cr_, x2, y2);
        cairo_stroke(cr_);
    }
    void fill(double x, double y, double w, double h, int rgb)
    {
        if (w <= 0 || h <= 0) return;
        const double x0 = std::max(x, box_.x - 1.0), y0 = std::max(y, box_.y - 1.0);
        const double x1 = std::min(x + w, box_.x + box_.w + 1.0), y1 = std::min(y + h, box_.y + box_.h + 1.0);
        if (x1 <= x0 || y1 <= y0) return;
        colour(cr_, rgb);
        cairo_rectangle(cr_, x0, y0, x1 - x0, y1 - y0);
        cairo_fill(cr_);
    }
    bool far(double x, double y, double rx, double ry) const
    {
        return x + rx < box_.x - 1 || y + ry < box_.y - 1 || x - rx > box_.x + box_.w + 1 ||
               y - ry > box_.y + box_.h + 1;
    }
    // An ellipse's outline or area about the middle of pixel (x, y); angles
    // in degrees, clockwise on the page as on the screen.
    void ellipse(int x, int y, int rx, int ry, double from, double to, bool filled, int rgb)
    {
        if (rx < 0 || ry < 0 || far(x, y, rx, ry)) return;
        // A filled shape covers its outermost pixels whole.
        const double ex = filled ? rx + 0.5 : rx, ey = filled ? ry + 0.5 : ry;
        if (ex == 0 || ey == 0) {
            line(x - rx, y - ry, x + rx, y + ry, rgb);
            return;
        }
        colour(cr_, rgb);
        cairo_save(cr_);
        cairo_translate(cr_, x + 0.5, y + 0.5);
        cairo_scale(cr_, ex, ey);
        cairo_new_sub_path(cr_);
        cairo_arc(cr_, 0, 0, 1, from * std::numbers::pi / 180, to * std::numbers::pi / 180);
        cairo_restore(cr_);
        if (filled) cairo_fill(cr_);
        else cairo_stroke(cr_);
    }
    void rectangle(int x, int y, int w, int h, int topLeft, int bottomRight)
    {
        if (w < 1 || h < 1) return;
        fill(x, y, w, 1, topLeft);
        fill(x, y, 1, h, topLeft);
        fill(x, y + h - 1.0, w, 1, bottomRight);
        fill(x + w - 1.0, y, 1, h, bottomRight);
    }

    void text(const aoRecordedCommand& c, double limit)
    {
        const PrintedText t = printedText(cr_, c, scale_, limit);
        if (t.utf8.empty() || far(t.middleX, t.middleY, t.width / 2, t.height / 2)) return;
        auto place = [&] {
            cairo_translate(cr_, t.middleX, t.middleY);
            cairo_scale(cr_, t.grow * t.squeeze, t.grow);
            cairo_move_to(cr_, -t.natural / 2, t.ascent - t.cell / 2);
        };
        // The rim as outlines, the text itself as text a reader can search.
        cairo_save(cr_);
        place();
        cairo_text_path(cr_, t.utf8.c_str());
        cairo_restore(cr_);
        cairo_save(cr_);
        cairo_set_source_rgb(cr_, 1, 1, 1);
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr_, 2 * kTextRim / scale_);
        cairo_stroke(cr_);
        cairo_restore(cr_);
        cairo_save(cr_);
        place();
        colour(cr_, c.a[2]);
        cairo_show_text(cr_, t.utf8.c_str());
        cairo_restore(cr_);
    }

    void one(const aoRecordedCommand& c)
    {
        const int* a = c.a;
        switch (c.code) {
        case AOCMD_SETPIXEL: fill(a[0], a[1], 1, 1, a[2]); break;
        case AOCMD_LINE: line(a[0], a[1], a[2], a[3], a[4]); break;
        case AOCMD_UPRIGHTLINES:
            for (int x : c.list) line(x, a[1], x, a[2], a[3]);
            break;
        case AOCMD_CIRCLE: ellipse(a[0], a[1], a[2], a[2], 0, 360, false, a[3]); break;
        case AOCMD_FILLCIRCLE: ellipse(a[0], a[1], a[2], a[2], 0, 360, true, a[3]); break;
        case AOCMD_ARC: ellipse(a[0], a[1], a[2], a[3], a[4], a[5], false, a[6]); break;
        case AOCMD_ELLIPSE: ellipse(a[0], a[1], a[2], a[3], 0, 360, false, a[4]); break;
        case AOCMD_FILLELLIPSE: ellipse(a[0], a[1], a[2], a[3], 0, 360, true, a[4]); break;
        case AOCMD_RECT: rectangle(a[0], a[1], a[2], a[3], a[4], a[4]); break;
        case AOCMD_RAISEDRECT: rectangle(a[0], a[1], a[2], a[3], a[4], a[5]); break;
        case AOCMD_SHADOWRECT:
            if (a[2] < 1 || a[3] < 1) break;
            fill(static_cast<double>(a[0]) + a[2], a[1] + 2.0, 2, a[3], aotheme_color(2));
            fill(a[0] + 2.0, static_cast<double>(a[1]) + a[3], a[2], 2, aotheme_color(2));
            rectangle(a[0], a[1], a[2], a[3], a[4], a[4]);
            break;
        case AOCMD_FILLRECT: fill(a[0], a[1], a[2], a[3], a[4]); break;
        case AOCMD_CLEAR:
            if ((a[0] & 0xFFFFFF) != 0xFFFFFF) fill(box_.x, box_.y, box_.w, box_.h, a[0]);
            break;
        default: break;
        }
    }
};

class Sheet {
public:
    Sheet(cairo_t* cr, const WorksheetHeader& header, double maxPictureHeight)
        : cr_(cr), header_(header), maxPictureHeight_(maxPictureHeight)
    {
    }

    WorksheetPages tasks(const std::vector<ToolTask>& tasks)
    {
        newPage(true);
        for (size_t i = 0; i < tasks.size(); ++i) task(static_cast<int>(i) + 1, tasks[i]);
        const int taskPages = page_;
        key(tasks);
        finishPage();
        return {taskPages, page_ - taskPages};
    }

private:
    cairo_t* cr_;
    const WorksheetHeader& header_;
    double maxPictureHeight_;
    int page_ = 0;
    double y_ = 0;

    void font(const char* face, double size, bool bold = false)
    {
        cairo_select_font_face(cr_, face, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr_, size);
    }
    double width(const std::string& text)
    {
        cairo_text_extents_t e;
        cairo_text_extents(cr_, text.c_str(), &e);
        return e.x_advance;
    }
    void show(double x, double baseline, const std::string& text, double grey = 0)
    {
        cairo_set_source_rgb(cr_, grey, grey, grey);
        cairo_move_to(cr_, x, baseline);
        cairo_show_text(cr_, text.c_str());
    }

    // Lines no wider than `room` in the current font, broken at blanks
    // (a word longer than a line is cut).
    std::vector<std::string> wrap(const std::string& line, double room)
    {
        std::vector<std::string> out;
        std::string rest = line;
        while (!rest.empty() && width(rest) > room) {
            size_t cut = rest.size();
            while (cut > 0 && width(rest.substr(0, cut)) > room) {
                const size_t blank = rest.rfind(' ', cut - 1);
                cut = blank == std::string::npos || blank == 0 ? cut - 1 : blank;
            }
            // Never split a UTF-8 sequence.
            while (cut > 1 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80) --cut;
            cut = std::max<size_t>(cut, 1);
            out.push_back(rest.substr(0, cut));
            rest = rest.substr(cut);
            if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
        }
        out.push_back(rest);
        return out;
    }

    // The page number in the middle, the sheet's name small at the right: a
    // teacher makes the same sheet again with its seed.
    void finishPage()
    {
        font(kSans, 9);
        const std::string label = "Seite " + std::to_string(page_);
        show((kPageWidth - width(label)) / 2, kPageHeight - kMargin / 2, label, 0.4);
        font(kSans, 7);
        const std::string name = worksheetName(header_);
        show(kPageWidth - kMargin - width(name), kPageHeight - kMargin / 2, name, 0.5);
        cairo_show_page(cr_);
    }

    void newPage(bool first)
    {
        if (!first) finishPage();
        ++page_;
        y_ = kMargin;
        if (!first) {
            // Later pages: one small line, the rest is room for tasks.
            font(kSans, 9);
            y_ += 9;
            show(kMargin, y_, "Arbeitsblatt Mathematik, Level " + std::to_string(header_.level) + " Stufe " +
                                  std::to_string(header_.difficulty) + " (Fortsetzung)", 0.4);
            y_ += 16;
            return;
        }
        font(kSans, 16, true);
        y_ += 16;
        show(kMargin, y_, "Arbeitsblatt Mathematik");
        font(kSans, 11);
        y_ += 22;
        const std::string left = "Level " + std::to_string(header_.level) + "    Stufe " +
                                 std::to_string(header_.difficulty) + "    Datum: " + germanDate(header_.date);
        show(kMargin, y_, left);
        const std::string name = "Name:";
        const double nameX = kMargin + kTextWidth * 0.55;
        show(nameX, y_, name);
        cairo_set_line_width(cr_, 0.6);
        cairo_move_to(cr_, nameX + width(name) + 6, y_ + 2);
        cairo_line_to(cr_, kMargin + kTextWidth, y_ + 2);
        cairo_stroke(cr_);
        y_ += 10;
        cairo_set_line_width(cr_, 1);
        cairo_move_to(cr_, kMargin, y_);
        cairo_line_to(cr_, kMargin + kTextWidth, y_);
        cairo_stroke(cr_);
        y_ += 18;
    }

    // ---- one task

    static constexpr double kMonoSize = 10;
    static constexpr double kLine = 12.5;
    static constexpr double kSquareHeight = 18;
    static constexpr double kSquareGap = 6;
    static constexpr double kIndent = 24;
    static constexpr double kGap = 14;
    static constexpr double kTaskGap = 14;

    std::vector<std::string> wrappedText(const ToolTask& t)
    {
        font(kMono, kMonoSize);
        std::vector<std::string> lines;
        for (const std::string& line : textLines(t.text))
            for (std::string& part : wrap(line, kTextWidth - kIndent)) lines.push_back(std::move(part));
        return lines;
    }

    // The squares of a row as a grid no wider than `room`: one width for all,
    // as many to a line as fit.
    struct SquareGrid {
        double width = 0;
        int perLine = 1, lines = 1;
    };
    SquareGrid grid(const ToolTask::SquareRow& row, double room)
    {
        font(kSans, 10);
        SquareGrid g;
        g.width = 36;
        for (const std::string& label : row.labels) g.width = std::max(g.width, width(label) + 12);
        g.width = std::min(g.width, room);
        g.perLine = std::max(1, static_cast<int>((room + kSquareGap) / (g.width + kSquareGap)));
        const int n = std::max<int>(1, static_cast<int>(row.labels.size()));
        g.perLine = std::min(g.perLine, n);
        g.lines = (n + g.perLine - 1) / g.perLine;
        return g;
    }

    double squaresHeight(const ToolTask& t, double room)
    {
        if (t.squares.empty()) return kSquareHeight + 4;
        double h = 0;
        for (const auto& row : t.squares)
            h += (row.caption.empty() ? 0 : kLine) + grid(row, room).lines * (kSquareHeight + 4) + 4;
        return h;
    }

    void task(int number, const ToolTask& t)
    {
        const std::vector<std::string> lines = wrappedText(t);
        const double textRoom = kTextWidth - kIndent;
        const Box ink = t.drew ? drawnBox(t.area) : Box{};
        Box box = ink;
        double scale = 0, pictureWidth = 0, pictureHeight = 0;
        auto fit = [&] {
            scale = std::min({kMaxPictureScale, (textRoom - kSquaresColumn - kGap) / box.w, maxPictureHeight_ / box.h});
        };
        if (box.w) {
            fit();
            // Text grown to print size may reach beyond the ink; twice is close enough.
            for (int round = 0; round < 2 && t.drawingStandsAlone; ++round) {
                box = printedBox(cr_, t, ink, scale);
                fit();
            }
            pictureWidth = box.w * scale, pictureHeight = box.h * scale;
        }
        // The squares beside the picture, in the room it leaves, or below a
        // flat one where that takes less height.
        double squaresX = kMargin + kIndent + (box.w ? pictureWidth + kGap : 0);
        double squaresRoom = kMargin + kTextWidth - squaresX, squaresY = 0;
        double body = std::max(pictureHeight, squaresHeight(t, squaresRoom));
        if (box.w && pictureHeight + 6 + squaresHeight(t, textRoom) < body) {
            squaresX = kMargin + kIndent, squaresRoom = textRoom, squaresY = pictureHeight + 6;
            body = squaresY + squaresHeight(t, textRoom);
        }
        const double block = lines.size() * kLine + 6 + body + kTaskGap;
        if (y_ + block > kBottom && y_ > kMargin + 60) newPage(false);

        font(kSans, 12, true);
        show(kMargin, y_ + kLine - 2, std::to_string(number) + ".");
        font(kMono, kMonoSize);
        for (const std::string& line : lines) {
            y_ += kLine;
            show(kMargin + kIndent, y_ - 2.5, line);
        }
        y_ += 6;
        if (box.w) picture(t, box, kMargin + kIndent, y_, scale);
        squares(t, squaresX, y_ + squaresY, squaresRoom);
        y_ += body + kTaskGap;
    }

    void picture(const ToolTask& t, const Box& box, double x, double y, double scale)
    {
        cairo_save(cr_);
        cairo_translate(cr_, x, y);
        cairo_scale(cr_, scale, scale);
        cairo_translate(cr_, -box.x, -box.y);
        if (t.drawingStandsAlone) PictureReplay(cr_, box, scale).run(t.drawing);
        else raster(t.area, box);
        cairo_restore(cr_);
        // A thin frame shows where the task area ends.
        cairo_set_source_rgb(cr_, 0.75, 0.75, 0.75);
        cairo_set_line_width(cr_, 0.5);
        cairo_rectangle(cr_, x, y, box.w * scale, box.h * scale);
        cairo_stroke(cr_);
    }

    // A drawing that read back its own pixels is printed as its pixels.
    void raster(const aoPixmap& area, const Box& box)
    {
        Surface image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, box.w, box.h));
        cairo_surface_flush(image.get());
        unsigned char* data = cairo_image_surface_get_data(image.get());
        const int stride = cairo_image_surface_get_stride(image.get());
        for (int r = 0; r < box.h; ++r) {
            uint32_t* dst = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(r) * stride);
            const uint32_t* src = area.row(box.y + r) + box.x;
            for (int c = 0; c < box.w; ++c) dst[c] = src[c] & 0xFFFFFF;
        }
        cairo_surface_mark_dirty(image.get());
        cairo_set_source_surface(cr_, image.get(), box.x, box.y);
        cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
        cairo_rectangle(cr_, box.x, box.y, box.w, box.h);
        cairo_fill(cr_);
    }

    // The answer space: the squares to tick, as the game offers them, or a
    // line to write on.
    void squares(const ToolTask& t, double x0, double y, double room)
    {
        font(kSans, 10);
        if (t.squares.empty()) {
            y += kSquareHeight;
            show(x0, y - 4, "Antwort:");
            cairo_set_source_rgb(cr_, 0, 0, 0);
            cairo_set_line_width(cr_, 0.6);
            cairo_move_to(cr_, x0 + width("Antwort:") + 6, y - 2);
            cairo_line_to(cr_, x0 + std::min(room, 240.0), y - 2);
            cairo_stroke(cr_);
            return;
        }
        for (const auto& row : t.squares) {
            if (!row.caption.empty()) {
                y += kLine;
                font(kSans, 10);
                show(x0, y - 3, row.caption + ":", 0.2);
            }
            const SquareGrid g = grid(row, room);
            for (size_t i = 0; i < row.labels.size(); ++i) {
                const double x = x0 + static_cast<double>(i % g.perLine) * (g.width + kSquareGap);
                const double top = y + static_cast<double>(i / g.perLine) * (kSquareHeight + 4);
                cairo_set_source_rgb(cr_, 0, 0, 0);
                cairo_set_line_width(cr_, 0.8);
                cairo_rectangle(cr_, x, top + 2, g.width, kSquareHeight - 2);
                cairo_stroke(cr_);
                show(x + (g.width - width(row.labels[i])) / 2, top + kSquareHeight - 3, row.labels[i]);
            }
            y += g.lines * (kSquareHeight + 4) + 4;
        }
    }

    // ---- the answer key on pages of their own

    void key(const std::vector<ToolTask>& tasks)
    {
        newPage(false);
        font(kSans, 14, true);
        y_ += 4;
        show(kMargin, y_, header_.key == CatalogToolArgs::Key::Steps ? "Lösungen mit Lösungsweg" : "Lösungen");
        y_ += 10;
        const double keyX = kMargin + 70;
        for (size_t i = 0; i < tasks.size(); ++i) {
            font(kSans, 11);
            const std::string head = std::to_string(i + 1) + ".";
            // "(4301)", appended: GCC 12 misreads "(" + string as an overlapping copy.
            std::string number = std::to_string(tasks[i].number);
            number.insert(0, 1, '(').push_back(')');
            const std::vector<std::string> lines = wrap(tasks[i].keyText, kTextWidth - 70);
            std::vector<std::string> steps;
            if (header_.key == CatalogToolArgs::Key::Steps) {
                font(kSans, 9.5);
                for (const std::string& step : tasks[i].steps)
                    for (std::string& part : wrap(step, kTextWidth - 80)) steps.push_back(std::move(part));
            }
            // The type's title for the teacher, at the right of the first line
            // or under the solution where the line has no room for it.
            const std::string title = taskTitle(tasks[i].number);
            font(kSans, 11);
            const double firstEnd = keyX + width(lines[0]) + 12;
            font(kSans, 8.5);
            const double titleWidth = width(title);
            const bool titleBelow = !title.empty() && firstEnd + titleWidth > kMargin + kTextWidth;
            const double height = 16 + (lines.size() - 1) * 14.0 + (titleBelow ? 11 : 0) + steps.size() * 12.0 +
                                  (steps.empty() ? 0 : 4);
            if (y_ + height > kBottom) newPage(false);
            font(kSans, 11);
            y_ += 16;
            show(kMargin, y_, head);
            show(kMargin + 20, y_, number, 0.45);
            const double firstLine = y_;
            for (size_t l = 0; l < lines.size(); ++l) {
                if (l) y_ += 14;
                show(keyX, y_, lines[l]);
            }
            font(kSans, 8.5);
            if (titleBelow) {
                y_ += 11;
                show(keyX, y_, title, 0.45);
            } else if (!title.empty()) {
                show(kMargin + kTextWidth - titleWidth, firstLine, title, 0.45);
            }
            font(kSans, 9.5);
            for (const std::string& step : steps) {
                y_ += 12;
                show(keyX + 10, y_, step, 0.25);
            }
            if (!steps.empty()) y_ += 4;
        }
    }
};

} // namespace

std::string worksheetName(const WorksheetHeader& header)
{
    return "Blatt " + std::to_string(header.level) + "-" + std::to_string(header.difficulty) + "-" +
           std::to_string(header.seed);
}

unsigned int freshWorksheetSeed()
{
    // Five digits at most: the footer's name is read off paper and typed again.
    std::random_device device;
    return device() % 100000;
}

std::string todayIso()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

namespace {

bool renderOnce(const WorksheetHeader& header, const std::vector<ToolTask>& tasks, double maxPictureHeight,
                std::string& pdf, std::string& error, WorksheetPages& pages)
{
    pdf.clear();
    Surface surface(cairo_pdf_surface_create_for_stream(collect, &pdf, kPageWidth, kPageHeight));
    // Dated by the sheet, not by the clock: the same sheet gives the same bytes.
    const std::string stamp = header.date + "T00:00:00";
    const std::string title = "Arbeitsblatt Level " + std::to_string(header.level) + " Stufe " +
                              std::to_string(header.difficulty);
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, stamp.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "ziffron-catalog");
    {
        Context cr(cairo_create(surface.get()));
        pages = Sheet(cr.get(), header, maxPictureHeight).tasks(tasks);
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
            error = cairo_status_to_string(cairo_status(cr.get()));
            return false;
        }
    }
    cairo_surface_finish(surface.get());
    const cairo_status_t status = cairo_surface_status(surface.get());
    if (status != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(status);
        return false;
    }
    return true;
}

} // namespace

bool renderWorksheet(const WorksheetHeader& header, const std::vector<ToolTask>& tasks, std::string& pdf,
                     std::string& error, WorksheetPages* pages)
{
    prepareCairoFonts(kSans);
    // Pictures as large as they may be; smaller where the tasks would take
    // more than kMostTaskPages pages otherwise (a sheet of 12 pictures).
    WorksheetPages made;
    bool ok = false;
    for (double height : {200.0, 175.0, 155.0, 135.0, 120.0}) {
        ok = renderOnce(header, tasks, height, pdf, error, made);
        if (!ok || made.tasks <= kMostTaskPages) break;
    }
    releaseCairoCaches();
    if (pages) *pages = made;
    return ok;
}

int writeWorksheet(const CatalogToolArgs& args, std::ostream& out, std::ostream& err)
{
    CatalogToolArgs sheet = args;
    if (!sheet.seedGiven) sheet.seed = freshWorksheetSeed();
    std::vector<ToolTask> tasks;
    std::string error;
    if (!worksheetTasks(sheet, tasks, error)) {
        err << "ziffron-catalog: " << error << "\n";
        return 2;
    }
    const WorksheetHeader header{args.level, args.difficulty, args.date.empty() ? todayIso() : args.date, sheet.seed,
                                 args.key};
    std::string pdf;
    if (!renderWorksheet(header, tasks, pdf, error)) {
        err << "ziffron-catalog: worksheet: " << error << "\n";
        return 1;
    }
    if (!aofile_replace(args.worksheet, pdf, error)) {
        err << "ziffron-catalog: " << args.worksheet << ": " << error << "\n";
        return 1;
    }
    out << args.worksheet << ": " << tasks.size() << " tasks, " << worksheetName(header) << " (--seed " << sheet.seed
        << ")\n";
    return 0;
}
