#include "answer_keys.h"

#include "quiz.h"

#include <algorithm>

KeyboardFocus keyboardFocus;

namespace {

// The frame's four strips, pixel by pixel, in one fixed order.
template <class Visit>
void eachFramePixel(const SquareRect& r, Visit visit)
{
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) {
            bool inside = x >= r.x + kFrameThickness && x < r.x + r.w - kFrameThickness &&
                          y >= r.y + kFrameThickness && y < r.y + r.h - kFrameThickness;
            if (!inside) visit(x, y);
        }
}

void drawFrame(const SquareRect& r, int colour)
{
    eachFramePixel(r, [&](int x, int y) { aographic_setpixel(x, y, colour); });
}

void hideFocus(const SquareLayout& layout)
{
    KeyboardFocus& f = keyboardFocus;
    if (!f.shown) return;
    taskArea.select();
    size_t i = 0;
    eachFramePixel(frameRect(layout, f.square), [&](int x, int y) {
        if (i < f.under.size()) aographic_setpixel(x, y, f.under[i++]);
    });
    f.shown = false;
    taskArea.flush();
}

void showFocus(const SquareLayout& layout)
{
    KeyboardFocus& f = keyboardFocus;
    if (f.shown) return;
    taskArea.select();
    SquareRect r = frameRect(layout, f.square);
    f.under.clear();
    eachFramePixel(r, [&](int x, int y) { f.under.push_back(aographic_getpixel(x, y)); });
    drawFrame(r, kFocusColour);
    f.shown = true;
    f.used = true;
    taskArea.flush();
}

void moveFocus(const SquareLayout& layout, int columnStep, int rowStep)
{
    KeyboardFocus& f = keyboardFocus;
    // The first arrow shows where the focus is before it moves anything.
    if (!f.shown) {
        showFocus(layout);
        return;
    }
    Square to = f.square;
    to.column = std::clamp(to.column + columnStep, 0, std::max(layout.columns() - 1, 0));
    to.row = std::clamp(to.row + rowStep, 1, std::max(layout.rowCount(), 1));
    if (to == f.square) return;
    hideFocus(layout);
    f.square = to;
    showFocus(layout);
}

} // namespace

void keyboardStart()
{
    keyboardFocus = KeyboardFocus{};
}

void keyboardResume(const SquareLayout& layout)
{
    if (keyboardFocus.used) showFocus(layout);
}

std::optional<Square> keyedSquare(int key, const SquareLayout& layout)
{
    KeyboardFocus& f = keyboardFocus;
    int column = -1;
    if (key >= '1' && key <= '6') column = key - '1';
    if (layout.compareMode()) {
        if (key == '<') column = 0;
        if (key == '=') column = 1;
        if (key == '>') column = 2;
    }
    if (column >= 0) {
        if (column >= layout.columns()) return std::nullopt;
        return Square{std::min(f.waitingRow, std::max(layout.rowCount(), 1)), column};
    }
    switch (key) {
    case AOKEY_LEFT: moveFocus(layout, -1, 0); break;
    case AOKEY_RIGHT: moveFocus(layout, 1, 0); break;
    case AOKEY_UP: moveFocus(layout, 0, -1); break;
    case AOKEY_DOWN: moveFocus(layout, 0, 1); break;
    case AOKEY_ENTER:
    case '\r':
    case AOKEY_SPACE:
        if (f.shown) return f.square;
        showFocus(layout);
        break;
    default: break;
    }
    return std::nullopt;
}

void keyboardPicked(const SquareLayout& layout, Square picked)
{
    KeyboardFocus& f = keyboardFocus;
    hideFocus(layout);
    f.picked.push_back(picked);
    if (layout.rowCount() == 2) {
        f.waitingRow = picked.row == 1 ? 2 : 1;
        f.square = {f.waitingRow, picked.column};
    }
}

SquareRect frameRect(const SquareLayout& layout, Square s)
{
    // Around the square and its one-pixel bevel.
    SquareRect d = layout.drawn(s);
    int out = kFrameThickness + 1;
    return {d.x - out, d.y - out, d.w + 2 * out, d.h + 2 * out};
}

void showVerdictFrames(const SquareLayout& layout, const std::vector<Square>& picked, bool right,
                       const std::vector<Square>& rightSquares)
{
    aospeech_stop();
    hideFocus(layout);
    taskArea.select();
    for (Square s : picked) drawFrame(frameRect(layout, s), right ? kRightColour : kWrongColour);
    if (!right)
        for (Square s : rightSquares) drawFrame(frameRect(layout, s), kRightColour);
    taskArea.flush();
}
