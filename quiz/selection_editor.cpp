// The task selection editor: one numbered square per task type of the
// level and difficulty of the last START, and below them the types' titles;
// a click on a square or a title switches the type off for later games, a
// second click switches it on again. The selection is kept in a file between
// runs: loaded at start-up, saved when the editor closes.
#include "catalog.h"
#include "quiz.h"
#include "selection_file.h"
#include "titles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

SelectionStore selectionStore;
std::string selectionFile;

namespace {

namespace fs = std::filesystem;

constexpr int kBlack = 0;
constexpr int kWhite = 0xFFFFFF;
const int kOffGrey = aographic_rgb(140, 140, 140);

// Nobody writes a selection file this big by hand.
constexpr std::uintmax_t kMaxFileBytes = 1 << 20;

// The list of titles under the squares and the ENDE field: one column up to
// kColumnRows entries, two columns beyond.
constexpr int kListTop = 140;
constexpr int kListPitch = 26;
constexpr int kListLeft = 35;
constexpr int kColumnWidth = 620;
constexpr int kColumnRows = 14;

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

int listRows(int entries)
{
    return entries <= kColumnRows ? entries : (entries + 1) / 2;
}

struct Band {
    int x, y, w, h;
};

Band listLine(int k, int entries)
{
    const int rows = listRows(entries);
    const int column = (k - 1) / rows, row = (k - 1) % rows;
    return {kListLeft + column * kColumnWidth, kListTop + row * kListPitch, kColumnWidth - 20, kListPitch};
}

// The entry whose title line holds (x, y), or 0.
int lineAt(int x, int y, int entries)
{
    for (int k = 1; k <= entries; ++k) {
        const Band b = listLine(k, entries);
        if (x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h) return k;
    }
    return 0;
}

void drawLine(int k, int entries, int taskNumber, bool off)
{
    const Band b = listLine(k, entries);
    aographic_fillrect(b.x, b.y, b.w, b.h, kWhite);
    aographic_setfont("Arial18");
    std::string line = (k < 10 ? "  " : "") + std::to_string(k) + "   " + taskTitle(taskNumber);
    if (off) line += "  (aus)";
    aographic_text(b.x, b.y + 3, off ? kOffGrey : kBlack, line.c_str());
}

void termLine(const std::string& utf8)
{
    termPrintf("%s", ao_utf8_to_cp1252(utf8).c_str());
}

// Once per run: why a change will not outlast it.
void tellNotKept(const std::string& why)
{
    if (selectionStore.told) return;
    selectionStore.told = true;
    termLine("\n Auswahl " + selectionStore.path + ": " + why +
             "; Änderungen gelten nur bis zum Programmende.\n");
}

bool writeProtected(const fs::path& path)
{
    std::error_code ec;
    const fs::perms p = fs::status(path, ec).permissions();
    if (ec) return false;
    return (p & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) == fs::perms::none;
}

void closeEditor()
{
    taskArea.select();
    aographic_clear(kWhite);
    taskArea.flush();
    termPrintf("\n Ende Editor \n");
    saveSelection();
}

} // namespace

int takeSelectionOption(int argc, char** argv, int i, std::string& err)
{
    if (std::string_view(argv[i]) != "--selection") return 0;
    if (i + 1 >= argc || argv[i + 1][0] == 0) {
        err = "--selection needs a file";
        return -1;
    }
    // Absolute now: the program works inside the media tree.
    std::error_code ec;
    selectionFile = fs::absolute(argv[i + 1], ec).string();
    return 2;
}

void loadSelection()
{
    selectionStore = SelectionStore{};
    answerInput = typedOption ? AnswerInput::Typed : AnswerInput::Squares;
    const std::string& given = selectionFile;
    selectionStore.path = given.empty() ? aopath_configdir() + "/auswahl.txt" : given;
    const fs::path path = selectionStore.path;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        if (!given.empty())
            termLine("\n Auswahl " + given + ": Datei gibt es noch nicht, sie wird beim Schließen der "
                     "Aufgabenauswahl angelegt.\n");
        selectionStore.savedText = formatSelectionFile(selection, AnswerInput::Squares);
        return;
    }
    std::ifstream in(path, std::ios::binary);
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!in || ec || !fs::is_regular_file(path, ec)) {
        selectionStore.keep = false;
        tellNotKept("nicht lesbar");
        return;
    }
    if (size > kMaxFileBytes) {
        selectionStore.keep = false;
        tellNotKept("zu groß (" + std::to_string(size) + " Bytes), nicht gelesen");
        return;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const SelectionFile file = parseSelectionFile(text);
    applySelectionFile(file, selection);
    const AnswerInput fileInput = file.input.value_or(AnswerInput::Squares);
    selectionStore.savedText = formatSelectionFile(selection, fileInput);
    if (!typedOption) answerInput = fileInput;
    for (const std::string& m : file.messages) termLine("\n Auswahl " + selectionStore.path + ", " + m);
    if (!file.messages.empty()) {
        // The teacher's file stays as written, so the faulty lines can be mended.
        selectionStore.keep = false;
        termLine("\n");
        tellNotKept("Datei mit Fehlern wird nicht überschrieben");
    } else if (writeProtected(path)) {
        selectionStore.keep = false;
        selectionStore.reason = "schreibgeschützt";
    }
}

void saveSelection()
{
    const std::string text = formatSelectionFile(selection, answerInput);
    if (text == selectionStore.savedText) return;
    if (!selectionStore.keep) {
        tellNotKept(selectionStore.reason.empty() ? "nicht gespeichert" : selectionStore.reason);
        return;
    }
    std::string err;
    const std::string folder = fs::path(selectionStore.path).parent_path().string();
    if (!aopath_makedirs(folder, err) || !aofile_replace(selectionStore.path, text, err)) {
        selectionStore.keep = false;
        selectionStore.told = true;
        termLine("\n Auswahl nicht gespeichert: " + err + "; Änderungen gelten nur bis zum Programmende.\n");
        return;
    }
    selectionStore.savedText = text;
}

void runSelectionEditor()
{
    // Before the first START there is no group to edit.
    const bool group = level >= 1 && level <= kLevels && difficulty >= 1 && difficulty <= kDifficulties;
    const int entries = group ? std::clamp(entryCount[level][difficulty], 0, kSelectionSlots) : 0;
    int* slots = group ? selection[level][difficulty] : nullptr;
    const int firstTask = level * 1000 + difficulty * 100;

    taskArea.select();
    aographic_setfont("arial20");
    aographic_text(10, 10, kBlack,
                   "Bitte die Aufgabennummer durch Anklicken löschen.  Fehlerhaftes Anklicken durch nochmaliges "
                   "Klicken rückgängig machen.");
    aographic_fillrect(100, 100, 60, 20, aographic_rgb(255, 0, 0));
    aographic_text(112, 102, kBlack, "ENDE");
    if (group) {
        aographic_setfont("Arial20b");
        aographic_printf(200, 100, kBlack, "Level %d, Stufe %d", level, difficulty);
    } else {
        aographic_text(200, 100, kBlack,
                       "Die Auswahl gilt für Level und Stufe des letzten Spiels: bitte zuerst START drücken.");
    }
    aographic_setfont("arial20");
    for (int k = 1; k <= entries; ++k) {
        aographic_fillrect(squareX(k), 50, 25, 20, aographic_rgb(255, 255, 0));
        aographic_printf(squareX(k) + 7, 51, kBlack, "%2i", slots[k]);
    }
    for (int k = 1; k <= entries; ++k) drawLine(k, entries, firstTask + k, slots[k] == 0);
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
        int k = entryAt(x, y, entries);
        if (k == 0) k = lineAt(x, y, entries);
        if (k == 0) continue;
        taskArea.select();
        if (!switchedOff[k]) {
            aographic_fillrect(squareX(k), 50, 25, 20, aographic_rgb(95, 95, 95));
            switchedOff[k] = true;
            slots[k] = 0;
        } else {
            aographic_setfont("arial20");
            aographic_fillrect(squareX(k), 50, 25, 20, aographic_rgb(255, 255, 95));
            aographic_printf(squareX(k) + 7, 51, kBlack, "%2i", k);
            switchedOff[k] = false;
            slots[k] = k;
        }
        drawLine(k, entries, firstTask + k, slots[k] == 0);
        taskArea.flush();
    }
}
