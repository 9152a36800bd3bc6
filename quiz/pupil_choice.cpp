// "Wer spielt?": with "pupil = ask" a START first lets the pupil pick their
// name from the class list in the task area. Asked at every START, the last
// name marked: in a computer room the next pupil on the seat must not play on
// under the one before, and the same pupil only presses Enter. With reading
// aloud on, the question and every name the mark moves to are spoken, so a
// pupil who listens finds their name without reading the list.
#include "quiz.h"

#include <algorithm>

namespace {

constexpr int kColumns = 4;
constexpr int kLeft = 20, kTop = 90, kCellW = 300, kCellH = 36, kPitchX = 310, kPitchY = 42;
const char* const kNameFont = "Arial22";

struct Cell {
    int x, y;
};

Cell cellOf(int k)
{
    return {kLeft + (k % kColumns) * kPitchX, kTop + (k / kColumns) * kPitchY};
}

// The name whose field holds (x, y), or -1.
int nameAt(int x, int y, int names)
{
    for (int k = 0; k < names; ++k) {
        const Cell c = cellOf(k);
        if (x >= c.x && x < c.x + kCellW && y >= c.y && y < c.y + kCellH) return k;
    }
    return -1;
}

void drawName(int k, const std::string& name, bool marked)
{
    const Cell c = cellOf(k);
    if (marked) {
        aographic_fillrect(c.x, c.y, kCellW, kCellH, aographic_rgb(255, 200, 90));
        aographic_raisedrect(c.x, c.y, kCellW, kCellH, aographic_rgb(255, 235, 180), aographic_rgb(170, 120, 40));
    } else {
        aographic_fillrect(c.x, c.y, kCellW, kCellH, aographic_rgb(235, 240, 250));
        aographic_raisedrect(c.x, c.y, kCellW, kCellH, 0xFFFFFF, aographic_rgb(150, 160, 180));
    }
    aographic_setfont(kNameFont);
    const std::string shown = shortLine(ao_utf8_to_cp1252(name), aofont_find(kNameFont), kCellW - 24);
    aographic_text(c.x + 12, c.y + 5, 0, shown.c_str());
    taskArea.flush(c.x, c.y, kCellW, kCellH);
}

} // namespace

bool choosePupil()
{
    const std::vector<std::string>& names = pupilsToAsk();
    if (names.empty()) return true;
    const int n = static_cast<int>(names.size());
    const auto last = std::find(names.begin(), names.end(), gamePupil());
    int mark = last == names.end() ? 0 : static_cast<int>(last - names.begin());

    // Escape puts back what the area showed (the logo, the last review).
    aoPixmap* area = taskArea.pixmap();
    const std::vector<uint32_t> before = area ? area->pixels : std::vector<uint32_t>{};
    taskArea.select();
    aographic_clear(0xFFFFFF);
    aographic_setfont("Arial28b");
    aographic_text(kLeft, 8, 0, "Wer spielt?");
    aographic_setfont("Arial18");
    aographic_text(kLeft, 52, aographic_rgb(90, 90, 90),
                   ao_utf8_to_cp1252("Den eigenen Namen anklicken, oder mit den Pfeiltasten wählen und "
                                     "Enter drücken. Esc: zurück.")
                       .c_str());
    taskArea.flush();
    for (int k = 0; k < n; ++k) drawName(k, names[k], k == mark);
    if (aospeech_enabled()) aospeech_say("Wer spielt? Wähle deinen Namen. " + names[mark]);

    int chosen = -1;
    while (aoisrunning() && chosen < 0) {
        const int e = aogetevent();
        int to = mark;
        if (e == AOKEY_ESCAPE) break;
        if (e == AOKEY_ENTER || e == '\r' || e == ' ') chosen = mark;
        else if (e == AOKEY_LEFT) to = mark - 1;
        else if (e == AOKEY_RIGHT) to = mark + 1;
        else if (e == AOKEY_UP) to = mark - kColumns;
        else if (e == AOKEY_DOWN) to = mark + kColumns;
        else if (e == AOKEY_HOME) to = 0;
        else if (e == AOKEY_END) to = n - 1;
        else if (e == mainWindow.code[1]) chosen = nameAt(mainWindow.mousex() - 10, mainWindow.mousey() - 180, n);
        to = std::clamp(to, 0, n - 1);
        if (to != mark) {
            drawName(mark, names[mark], false);
            drawName(to, names[to], true);
            mark = to;
            if (aospeech_enabled()) {
                aospeech_stop();
                aospeech_say(names[mark]);
            }
        }
    }

    taskArea.select();
    if (chosen < 0) {
        if (area && area->pixels.size() == before.size()) area->pixels = before;
        taskArea.flush();
        termPrintf("\n START abgebrochen\n");
        return false;
    }
    aographic_clear(0xFFFFFF);
    taskArea.flush();
    setGamePupil(names[chosen]);
    termPrintf("%s", ao_utf8_to_cp1252("\n Es spielt: " + names[chosen] + "\n").c_str());
    return true;
}
