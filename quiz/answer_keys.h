// Answering with the keyboard and the frames drawn on the answer squares:
// the focus frame the arrow keys move, and the verdict frames.
#pragma once

#include "squares.h"

#include <optional>
#include <vector>

// Where the keyboard stands over the squares of the task on screen.
struct KeyboardFocus {
    Square square;          // the focused square
    int waitingRow = 1;     // the row keys 1..6 pick from
    bool shown = false;     // the focus frame is on screen
    bool used = false;      // the arrows were used for this task
    std::vector<int> under; // the pixels the focus frame covers
    std::vector<Square> picked; // this task's picks, in order
};
extern KeyboardFocus keyboardFocus;

constexpr int kFocusColour = 0x0000C8;   // blue
constexpr int kRightColour = 0x00A000;   // (0, 160, 0)
constexpr int kWrongColour = 0xC80000;   // (200, 0, 0)
constexpr int kFrameThickness = 4;
// How long the frame of a right answer stays before the area is cleared.
constexpr double kRightFrameSeconds = 0.4;

// Fresh squares: row 1 waits, the focus on its first square, not shown.
void keyboardStart();
// Before waiting for a pick: shows the focus frame again if the arrows were
// used (the squares may have been drawn anew).
void keyboardResume(const SquareLayout& layout);
// The square a key picks: 1..6 in the waiting row; in compare mode also
// '<', '=', '>'; Enter or Space the focused square. Arrows move the focus
// frame (the first arrow, Enter or Space only shows it) and pick nothing.
std::optional<Square> keyedSquare(int key, const SquareLayout& layout);
// A square was picked (by key or click): the focus frame goes, and of two
// rows the other one waits.
void keyboardPicked(const SquareLayout& layout, Square picked);

// The rectangle of a frame around a square, in task-area pixels.
SquareRect frameRect(const SquareLayout& layout, Square s);
// The verdict on the task area: the picked squares framed green when right,
// red when wrong, and then the right squares green. Stops reading aloud.
void showVerdictFrames(const SquareLayout& layout, const std::vector<Square>& picked, bool right,
                       const std::vector<Square>& rightSquares);
