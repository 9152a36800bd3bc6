// Layout, texts and drawing of the answer squares, and the game's fonts.
#include "squares.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "notation.h"

namespace {

const int kYellow = 0xFFFF00;
const int kBlue = 0x0000FF;

// Row placement of the whole-number rows, by answerKind: the square's top,
// its text's top and the colour of its numbers; a row label beside it.
struct RowStyle {
    int squareY, textY, colour;
    int labelX, labelY;
    const char* label; // UTF-8, nullptr for none
};
struct KindStyle {
    RowStyle first, second;
    bool twoRows;
    // Click zones in task-area rows (inclusive), as answer entry has always
    // read them; they are not the drawn squares.
    int zone1lo, zone1hi, zone2lo, zone2hi;
};

const KindStyle& kindStyle(int kind)
{
    static const KindStyle kPlain = {{5, 10, 0, 0, 0, nullptr}, {}, false, 5, 50, 51, 100};
    static const KindStyle kBlueRow = {{5, 5, kBlue, 0, 0, nullptr}, {}, false, 5, 50, 51, 100};
    static const KindStyle kKinds[] = {
        // 1: two rows, the second in blue
        {{5, 10, 0, 0, 0, nullptr}, {70, 75, kBlue, 0, 0, nullptr}, true, 5, 50, 51, 100},
        // 2: coordinates
        {{5, 10, 0, 840, 10, "x Auswahl"}, {65, 70, 0, 840, 70, "y Auswahl"}, true, 5, 50, 51, 100},
        // 3: reduced fraction
        {{80, 90, 0, 720, 85, "Zähler gekürzt"}, {145, 150, 0, 720, 150, "Nenner gekürzt"}, true, 80, 130, 145, 190},
    };
    static const KindStyle kEvents = {{20, 25, 0, 720, 25, " günstige Ereignisse"},
                                      {85, 90, 0, 720, 90, " mögliche Ereignisse"}, true, 10, 70, 75, 135};
    static const KindStyle kFraction = {{20, 25, 0, 720, 25, " Zähler"}, {85, 90, 0, 720, 90, " Nenner"}, true,
                                        10, 70, 75, 135};
    switch (kind) {
    case 1:
    case 2:
    case 3: return kKinds[kind - 1];
    case 6: return kBlueRow;
    case 7:
    case 8: return kEvents;
    case 9: return kFraction;
    default: return kPlain;
    }
}

const RowStyle& rowStyle(int kind, int row)
{
    const KindStyle& k = kindStyle(kind);
    return row == 2 ? k.second : k.first;
}

int squareFontHeight()
{
    int h = aofont_find(kSquareFont);
    return h >= 0 ? aofont_height(h) : 32;
}

SquareRect labelRect(const RowStyle& r)
{
    int h = aofont_find(kSquareFont);
    int w = h >= 0 ? aofont_textwidth(h, ao_utf8_to_cp1252(r.label).c_str()) : 400;
    return {r.labelX, r.labelY, w, squareFontHeight()};
}

bool overlaps(const SquareRect& a, const SquareRect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

} // namespace

SquareLayout SquareLayout::current(AnswerRows rows)
{
    SquareLayout l;
    l.rows_ = rows;
    if (rows == AnswerRows::None) return l;
    l.compare_ = choiceMode == 2;
    l.answerKind_ = answerKind;
    l.pitch_ = rows == AnswerRows::Decimal && !l.compare_ ? 150 : 120;
    l.columns_ = l.compare_ ? 3 : std::clamp(optionCount, 0, 6);
    // The drawing goes by answerKind; only two-part answers are judged by two rows.
    l.rowCount_ = !l.compare_ && rows != AnswerRows::Decimal && kindStyle(answerKind).twoRows ? 2 : 1;
    return l;
}

SquareRect SquareLayout::drawn(Square s) const
{
    if (compare_) return {s.column * 120 + 10, 5, 100, 40};
    if (rows_ == AnswerRows::Decimal) return {s.column * 150 + 10, 5, 130, 40};
    return {s.column * 120 + 10, rowStyle(answerKind_, s.row).squareY, 100, 40};
}

int SquareLayout::textY(int row) const
{
    if (compare_ || rows_ == AnswerRows::Decimal) return 10;
    return rowStyle(answerKind_, row).textY;
}

std::string SquareLayout::rowLabel(int row) const
{
    if (compare_ || rows_ == AnswerRows::Decimal || rows_ == AnswerRows::None) return "";
    const char* label = rowStyle(answerKind_, row).label;
    return label ? label : "";
}

SquareRect SquareLayout::band(Square s) const
{
    // c * pitch <= x <= (c + 1) * pitch, the first such c winning where two
    // bands share their edge; the drawn squares sit 10 pixels further right.
    SquareRect r{s.column * pitch_, 5, pitch_ + 1, 46};
    if (rows_ == AnswerRows::TwoRows && !compare_) {
        const KindStyle& k = kindStyle(answerKind_);
        int lo = s.row == 1 ? k.zone1lo : k.zone2lo, hi = s.row == 1 ? k.zone1hi : k.zone2hi;
        r.y = lo;
        r.h = hi - lo + 1;
    }
    return r;
}

std::optional<Square> SquareLayout::squareAt(int x, int y) const
{
    int judgedRows = rows_ == AnswerRows::TwoRows && !compare_ ? 2 : 1;
    for (int row = 1; row <= judgedRows; ++row)
        for (int c = 0; c < columns_; ++c)
            if (band({row, c}).contains(x, y)) return Square{row, c};
    return std::nullopt;
}

void SquareLayout::clickPoint(Square s, int& x, int& y) const
{
    SquareRect b = band(s);
    x = b.x + pitch_ / 2;
    y = rows_ == AnswerRows::TwoRows && !compare_ ? b.y + (b.h - 1) / 2 : 27;
}

int SquareLayout::bottom() const
{
    int bottom = 0;
    for (int row = 1; row <= rowCount_; ++row) {
        SquareRect d = drawn({row, 0});
        bottom = std::max(bottom, d.y + d.h); // the bevel's lowest line
        if (!compare_ && rows_ != AnswerRows::Decimal && rowStyle(answerKind_, row).label) {
            SquareRect l = labelRect(rowStyle(answerKind_, row));
            bottom = std::max(bottom, l.y + l.h - 1);
        }
        bottom = std::max(bottom, textY(row) + squareFontHeight() - 1);
    }
    return bottom;
}

bool SquareLayout::clearOf(const SquareRect& r) const
{
    for (int row = 1; row <= rowCount_; ++row) {
        for (int c = 0; c < columns_; ++c) {
            SquareRect d = drawn({row, c});
            SquareRect withBevel{d.x - 1, d.y - 1, d.w + 2, d.h + 2};
            if (overlaps(r, withBevel)) return false;
        }
        if (!compare_ && rows_ != AnswerRows::Decimal && rowStyle(answerKind_, row).label &&
            overlaps(r, labelRect(rowStyle(answerKind_, row))))
            return false;
    }
    return true;
}

size_t printDecimal(char* out, size_t cap, double value, int places)
{
    places = std::max(places, 0);
    // Rounded as at school, as every other number the pupil reads; printf
    // stays for what does not fit.
    value = schoolRound(value, places);
    const std::to_chars_result r = std::to_chars(out, out + cap, value, std::chars_format::fixed, places);
    if (r.ec == std::errc()) return static_cast<size_t>(r.ptr - out);
    const int n = std::snprintf(out, cap, "%.*f", places, value);
    return n < 0 ? 0 : std::min(static_cast<size_t>(n), cap > 0 ? cap - 1 : 0);
}

std::string decimalSquareText(double value, int places)
{
    // printf's "%3.0f", "%4.1f", "%5.2f", and "%6.3f" for any other places.
    static const int widths[4] = {3, 4, 5, 6};
    const int p = places >= 0 && places <= 2 ? places : 3;
    char text[400];
    const size_t n = printDecimal(text, sizeof text, value, p);
    std::string s(n < static_cast<size_t>(widths[p]) ? widths[p] - n : 0, ' ');
    s.append(text, n);
    // A decimal comma, as the pupil writes it.
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

std::string pairAnswerText(const std::string& first, const std::string& second, const char* bar)
{
    switch (answerKind) {
    case 2: return "(" + first + " | " + second + ")";
    case 3:
    case 7:
    case 8:
    case 9: return first + bar + second;
    default: return first + " und " + second;
    }
}

std::string squareText(const SquareLayout& layout, Square s)
{
    if (layout.compareMode()) {
        static const char* const signs[3] = {"  <", "  =", "  >"};
        return signs[std::clamp(s.column, 0, 2)];
    }
    if (layout.kind() == AnswerRows::Decimal) return decimalSquareText(decimalSquareValue(s), decimalPlaces);
    char text[32];
    std::snprintf(text, sizeof text, "%4i", squareValue(layout, s));
    return text;
}

int squareValue(const SquareLayout& layout, Square s)
{
    if (layout.compareMode()) return s.column + 1;
    const IntRow& row = s.row == 2 ? options2[taskIndex] : options[taskIndex];
    return row[s.column + 1];
}

bool pairAnswersRight(int a, int b)
{
    switch (relationOp) {
    case 1: return a + b == target[taskIndex];
    case 2: return a - b == target[taskIndex];
    case 3: return a * b == target[taskIndex];
    // A quotient is right only when it comes out whole: 19 : 2 is no 9.
    case 4: return b != 0 && a % b == 0 && a / b == target[taskIndex];
    case 5: return a == solution[taskIndex] && b == solution2[taskIndex];
    default: return false;
    }
}

double decimalSquareValue(Square s) { return decimalOptions[taskIndex][s.column + 1]; }

void drawSquareFace(int x0, int y0, int w, int h)
{
    aographic_fillrect(x0, y0, w, h, kYellow);
    int x1 = x0 + w - 1, y1 = y0 + h - 1;
    int dark = aographic_rgb(200, 200, 0), darker = aographic_rgb(180, 180, 0);
    int light = aographic_rgb(255, 255, 50), lighter = aographic_rgb(255, 255, 80);
    aographic_line(x0, y1, x1, y1, dark);
    aographic_line(x1, y0, x1, y1, dark);
    aographic_line(x0, y1 + 1, x1 + 1, y1 + 1, darker);
    aographic_line(x1 + 1, y0, x1 + 1, y1 + 1, darker);
    aographic_line(x0, y0, x0, y1, light);
    aographic_line(x0, y0, x1, y0, light);
    aographic_line(x0 - 1, y0 - 1, x0 - 1, y1, lighter);
    aographic_line(x0 - 1, y0 - 1, x1, y0 - 1, lighter);
}

void drawAnswerSquares(const SquareLayout& layout)
{
    if (layout.kind() == AnswerRows::None) return;
    aographic_setfont(kSquareFont);
    bool plainRows = !layout.compareMode() && layout.kind() != AnswerRows::Decimal;
    for (int row = 1; row <= layout.rowCount(); ++row) {
        int colour = plainRows ? rowStyle(answerKind, row).colour : 0;
        for (int c = 0; c < layout.columns(); ++c) {
            SquareRect d = layout.drawn({row, c});
            drawSquareFace(d.x, d.y, d.w, d.h);
            aographic_text(layout.textX({row, c}), layout.textY(row), colour,
                           squareText(layout, {row, c}).c_str());
        }
        if (plainRows) {
            const RowStyle& r = rowStyle(answerKind, row);
            if (r.label) aographic_text(r.labelX, r.labelY, kBlue, ao_utf8_to_cp1252(r.label).c_str());
        }
    }
}

void setupGameFonts()
{
    static bool done = false;
    if (done) return;
    done = true;
    aofont_loadarial();
    aofont_loadcouriernew();
}

void selectTaskFont(int level)
{
    setupGameFonts();
    aographic_setfont(level == 1 ? "Courier New,points=20,bold" : kSquareFont);
}
