// The task selection editor: one numbered square per task type of the
// level and difficulty of the last START; a click switches the type off for
// later games, a second click switches it on again.
#include "catalog.h"
#include "quiz.h"

#include <algorithm>

namespace {

constexpr int kBlack = 0;
constexpr int kWhite = 0xFFFFFF;

int squareX(int k)
{
    return 35 * k + 30;
}

bool inEndField(int x, int y)
{
    return x >= 100 && x <= 160 && y >= 100 && y <= 120;
}

// The entry whose square holds (x, y), or 0.
int entryAt(int x, int y, int entries)
{
    if (y < 50 || y > 65) return 0;
    for (int k = 1; k <= entries; ++k)
        if (x >= squareX(k) && x <= squareX(k) + 25) return k;
    return 0;
}

void closeEditor()
{
    taskArea.select();
    aographic_clear(kWhite);
    taskArea.flush();
    termPrintf("\n Ende Editor \n");
}

} // namespace

void runSelectionEditor()
{
    // Before the first START there is no group to edit.
    const bool group = level >= 1 && level <= kLevels && difficulty >= 1 && difficulty <= kDifficulties;
    const int entries = group ? std::clamp(entryCount[level][difficulty], 0, kSelectionSlots) : 0;
    int* slots = group ? selection[level][difficulty] : nullptr;

    taskArea.select();
    aographic_setfont("arial20");
    aographic_text(10, 10, kBlack,
                   "Bitte die Aufgabennummer durch Anklicken löschen.  Fehlerhaftes Anklicken durch nochmaliges "
                   "Klicken rückgängig machen.");
    aographic_fillrect(100, 100, 60, 20, aographic_rgb(255, 0, 0));
    aographic_text(112, 102, kBlack, "ENDE");
    for (int k = 1; k <= entries; ++k) {
        aographic_fillrect(squareX(k), 50, 25, 20, aographic_rgb(255, 255, 0));
        aographic_printf(squareX(k) + 7, 51, kBlack, "%2i", slots[k]);
    }
    taskArea.flush();

    // Switched off in this editing: a slot already 0 when the editor opens
    // turns grey on the first click and on only on the second.
    bool switchedOff[kSelectionSlots + 1] = {};
    while (aoisrunning()) {
        const int e = aogetevent();
        if (e == AOKEY_ESCAPE) {
            closeEditor();
            return;
        }
        if (e != mainWindow.code[1]) continue;
        const int x = mainWindow.mousex() - 10, y = mainWindow.mousey() - 180;
        if (inEndField(x, y)) {
            closeEditor();
            return;
        }
        const int k = entryAt(x, y, entries);
        if (k == 0) continue;
        taskArea.select();
        if (!switchedOff[k]) {
            aographic_fillrect(squareX(k), 50, 25, 20, aographic_rgb(95, 95, 95));
            switchedOff[k] = true;
            slots[k] = 0;
        } else {
            aographic_fillrect(squareX(k), 50, 25, 20, aographic_rgb(255, 255, 95));
            aographic_printf(squareX(k) + 7, 51, kBlack, "%2i", k);
            switchedOff[k] = false;
            slots[k] = k;
        }
        taskArea.flush();
    }
}
