// The answer squares of the current task: where they are drawn, which click
// picks which square, how they look and the fonts the game draws with. One
// home for the quiz's judging, keyboard and verdict frames, the headless
// "answer" command, previews and worksheets.
#pragma once

#include <optional>
#include <string>

#include "answer_rows.h"

struct SquareRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// A square by its row (1, or 2 for the second row of two-part answers) and
// its column (0 .. columns() - 1).
struct Square {
    int row = 1;
    int column = 0;
    bool operator==(const Square&) const = default;
};

// Rectangles are in task-area pixels (the task area's top-left is 0, 0).
class SquareLayout {
public:
    // The layout of the current task record (choiceMode, answerKind,
    // optionCount) for the rows answer entry built.
    static SquareLayout current(AnswerRows rows);

    AnswerRows kind() const { return rows_; }
    bool compareMode() const { return compare_; }
    int rowCount() const { return rowCount_; }
    int columns() const { return columns_; }
    // Column pitch of the click bands and the drawn squares: 120, decimals 150.
    int pitch() const { return pitch_; }

    // The drawn square, without its bevel (which reaches one pixel further
    // on every side).
    SquareRect drawn(Square s) const;
    // Where the square's text starts (top-left of its first cell).
    int textX(Square s) const { return drawn(s).x; }
    int textY(int row) const;
    // The click band of a square: wider than the drawn square (bands of a
    // row touch each other) and, for two rows, as the rows' zones say.
    SquareRect band(Square s) const;
    // The square a click at task-area pixel (x, y) picks: only drawn
    // columns count, anything else is a click beside the squares.
    std::optional<Square> squareAt(int x, int y) const;
    // Task-area point a click on the square should be made at.
    void clickPoint(Square s, int& x, int& y) const;
    // The label the game prints beside a row ("Zähler gekürzt"), UTF-8 as
    // printed (some begin with a blank); empty for none.
    std::string rowLabel(int row) const;
    // The lowest task-area row covered by a square, its bevel or a row label.
    int bottom() const;
    // True when the rectangle (task-area pixels) touches no square, bevel or
    // row label.
    bool clearOf(const SquareRect& r) const;

private:
    AnswerRows rows_ = AnswerRows::None;
    bool compare_ = false;
    int answerKind_ = 0;
    int rowCount_ = 0;
    int columns_ = 0;
    int pitch_ = 120;
};

// The printed text of a square of the current task, as the game draws it
// ("%4i" for whole numbers; decimals with the task's decimal places).
std::string squareText(const SquareLayout& layout, Square s);
// The printed text of a decimal square with the given decimal places.
std::string decimalSquareText(double value, int decimalPlaces);
// value with decimalPlaces digits, rounded as at school, into out (at most
// cap bytes, not terminated); returns the length. The one decimal printer of the squares and rows: it
// runs in every comparison of two decimal squares, so it avoids printf.
size_t printDecimal(char* out, size_t cap, double value, int decimalPlaces);
// A two-part answer of the current task as a reader takes it: a fraction
// (first, bar, second) for the numerator and denominator rows, a point for
// coordinates, otherwise two numbers.
std::string pairAnswerText(const std::string& first, const std::string& second, const char* bar);
// The value behind a square of the current task (compare mode: 1, 2, 3).
int squareValue(const SquareLayout& layout, Square s);
double decimalSquareValue(Square s);
// Whether a pick from each row answers the current two-row task right.
bool pairAnswersRight(int first, int second);

// Draws the squares of the current task, with their row labels, onto the
// current drawing target (the game's task area, or a preview's pixmap).
// Selects the squares' font; neither selects, clears nor flushes an area.
void drawAnswerSquares(const SquareLayout& layout);
// The yellow square with its bevel frame.
void drawSquareFace(int x, int y, int w, int h);

// Registers the stored fonts the game draws with (once per process).
void setupGameFonts();
// Selects the font the game's task area draws a task of this level with
// before the task is generated.
void selectTaskFont(int level);
// The font of the answer squares.
constexpr const char* kSquareFont = "arial28";
