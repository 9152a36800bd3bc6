// The review after a game ("Rückblick"): one line per task in taskArea, with
// the pupil's answer, the right one and the verdict; a task opened by a click
// (or Space) shows its type's title, its Lösungsweg and a small copy of the
// task as it was posed, which a click (or B) shows at full size; and the
// field that starts a practice of the task types that went wrong.
#include "catalog.h"
#include "quiz.h"
#include "titles.h"

#include <algorithm>

namespace {

const char* const kRowFont = "Arial22";
constexpr int kTitleY = 8;
constexpr int kHeadingY = 60;
constexpr int kFirstRowY = 92;
constexpr int kRowHeight = 30;
constexpr int kBottom = 715;
constexpr int kVisibleRows = (kBottom - kFirstRowY) / kRowHeight;

// Columns: number, task, answer, solution, verdict.
constexpr int kNumberX = 12, kTaskX = 62, kAnswerX = 790, kSolutionX = 950, kVerdictX = 1110;
constexpr int kTaskWidth = kAnswerX - kTaskX - 20;
constexpr int kValueWidth = 150;

// The "Fehler üben" field, in taskArea coordinates.
constexpr int kPracticeX = 1010, kPracticeY = 6, kPracticeW = 250, kPracticeH = 40;

struct PictureOnList {
    int task, x, y, w, h; // a small copy as drawn in the list, task-area pixels
};
struct ReviewState {
    bool open = false;
    int top = 0;            // first display line shown
    int cursor = 0;         // the task Space opens; Left and Right move it
    std::vector<bool> opened; // per task: its Lösungsweg is shown
    std::vector<PictureOnList> pictures; // where a click enlarges one
    int enlarged = -1;      // the task whose picture fills the area, or -1
} review;

// One line of the list as drawn: a task's text (wrapped), or a line of its
// opened block (type title, Lösungsweg).
enum class LineKind { Text, Title, Step, Blank };
struct DisplayLine {
    LineKind kind = LineKind::Text;
    int task = 0;
    int part = 0; // which text line or step
};

constexpr int kMaxTextLines = 3;
// The picture copy beside the Lösungsweg: a third of the task area.
constexpr int kPictureX = kAnswerX;
constexpr int kPictureLines = 8 + 1;

int verdictColour(TaskVerdict v)
{
    switch (v) {
    case TaskVerdict::Right: return aographic_rgb(0, 150, 0);
    case TaskVerdict::Wrong: return aographic_rgb(220, 0, 0);
    case TaskVerdict::Skipped: break;
    }
    return aographic_rgb(128, 128, 128);
}

const char* verdictWord(TaskVerdict v)
{
    switch (v) {
    case TaskVerdict::Right: return "richtig";
    case TaskVerdict::Wrong: return "falsch";
    case TaskVerdict::Skipped: break;
    }
    return "übersprungen";
}

void text(int x, int y, int colour, const std::string& utf8)
{
    aographic_text(x, y, colour, ao_utf8_to_cp1252(utf8).c_str());
}

const TaskShown& shownOf(int task)
{
    static const TaskShown none;
    return task >= 0 && task < static_cast<int>(gameLog.shown.size()) ? gameLog.shown[task] : none;
}

// The task as the list shows it: its text, and the squares' values when the
// text names none.
std::string taskLine(int task)
{
    const TaskRecord& t = gameLog.tasks[task];
    const std::string& choices = shownOf(task).choices;
    return choices.empty() ? t.text : t.text + "  (zur Wahl: " + choices + ")";
}

std::vector<DisplayLine> displayLines()
{
    std::vector<DisplayLine> lines;
    int font = aofont_find(kRowFont);
    int tasks = static_cast<int>(gameLog.tasks.size());
    for (int i = 0; i < tasks; ++i) {
        int parts = static_cast<int>(wrapLines(ao_utf8_to_cp1252(taskLine(i)), font, kTaskWidth, kMaxTextLines).size());
        for (int p = 0; p < std::max(1, parts); ++p) lines.push_back({LineKind::Text, i, p});
        if (i >= static_cast<int>(review.opened.size()) || !review.opened[i]) continue;
        const TaskShown& shown = shownOf(i);
        lines.push_back({LineKind::Title, i, 0});
        int steps = std::max(1, static_cast<int>(shown.steps.size()));
        int block = std::max(steps, shown.picture.width > 0 ? kPictureLines - 1 : 0);
        for (int k = 0; k < block; ++k) lines.push_back({k < steps ? LineKind::Step : LineKind::Blank, i, k});
        lines.push_back({LineKind::Blank, i, -1});
    }
    return lines;
}

void drawPracticeField()
{
    int x = kPracticeX, y = kPracticeY, w = kPracticeW, h = kPracticeH;
    aographic_fillrect(x, y, w, h, aographic_rgb(255, 200, 90));
    aographic_raisedrect(x, y, w, h, aographic_rgb(255, 235, 180), aographic_rgb(170, 120, 40));
    aographic_setfont("Arial26b");
    text(x + 40, y + 6, 0, "Fehler üben");
}

void drawScrollBar(int lines)
{
    if (lines <= kVisibleRows) return;
    int x = 1268, y = kFirstRowY, h = kVisibleRows * kRowHeight;
    aographic_fillrect(x, y, 8, h, aographic_rgb(225, 225, 225));
    int thumb = std::max(20, h * kVisibleRows / lines);
    int at = y + (h - thumb) * review.top / (lines - kVisibleRows);
    aographic_fillrect(x, at, 8, thumb, aographic_rgb(120, 120, 120));
}

// The picture copy of a task with its top at y, clipped to the list.
void drawPicture(const aoPixmap& picture, int y)
{
    aoPixmap* area = taskArea.pixmap();
    if (!area || picture.width <= 0) return;
    const int listTop = kFirstRowY, listBottom = kFirstRowY + kVisibleRows * kRowHeight;
    const int frame = aographic_rgb(160, 160, 160);
    for (int py = -1; py <= picture.height; ++py) {
        int ay = y + py;
        if (ay < listTop || ay >= listBottom || ay >= area->height) continue;
        uint32_t* row = area->row(ay);
        for (int px = -1; px <= picture.width; ++px) {
            int ax = kPictureX + px;
            if (ax < 0 || ax >= area->width) continue;
            bool edge = py < 0 || px < 0 || py == picture.height || px == picture.width;
            row[ax] = edge ? static_cast<uint32_t>(frame) : picture.row(py)[px];
        }
    }
}

void draw()
{
    const std::vector<TaskRecord>& tasks = gameLog.tasks;
    review.opened.resize(tasks.size(), false);
    std::vector<DisplayLine> lines = displayLines();
    int count = static_cast<int>(lines.size());
    review.top = std::clamp(review.top, 0, std::max(0, count - kVisibleRows));
    taskArea.select();
    aographic_clear(0xFFFFFF);
    aographic_setfont("Arial28b");
    text(kNumberX, kTitleY, 0, "Rückblick");
    aographic_setfont("Arial16");
    int grey = aographic_rgb(90, 90, 90);
    text(190, kTitleY + 4, grey, "Klick auf eine Aufgabe (oder Leertaste, Pfeile links/rechts):");
    text(190, kTitleY + 24, grey, "ihr Lösungsweg öffnet und schließt sich. Klick auf ein Bild (oder B): groß.");
    drawPracticeField();
    aographic_setfont("Arial18b");
    text(kNumberX, kHeadingY, grey, "Nr.");
    text(kTaskX, kHeadingY, grey, "Aufgabe");
    text(kAnswerX, kHeadingY, grey, "deine Antwort");
    text(kSolutionX, kHeadingY, grey, "Lösung");
    aographic_line(kNumberX, kFirstRowY - 6, 1260, kFirstRowY - 6, aographic_rgb(180, 180, 180));

    int font = aofont_find(kRowFont);
    const int stepColour = aographic_rgb(0, 60, 150);
    const int cursorColour = aographic_rgb(225, 238, 255);
    std::vector<std::pair<int, int>> pictures; // task, y of its title line
    for (int i = 0; i < kVisibleRows && review.top + i < count; ++i) {
        const DisplayLine& l = lines[review.top + i];
        const TaskRecord& t = tasks[l.task];
        const TaskShown& shown = shownOf(l.task);
        int y = kFirstRowY + i * kRowHeight;
        aographic_setfont(kRowFont);
        switch (l.kind) {
        case LineKind::Text: {
            if (l.task == review.cursor) aographic_fillrect(kNumberX - 4, y - 2, 1262 - kNumberX, kRowHeight, cursorColour);
            std::vector<std::string> parts =
                wrapLines(ao_utf8_to_cp1252(taskLine(l.task)), font, kTaskWidth, kMaxTextLines);
            if (l.part < static_cast<int>(parts.size())) aographic_text(kTaskX, y, 0, parts[l.part].c_str());
            if (l.part != 0) break;
            int colour = verdictColour(t.verdict);
            aographic_printf(kNumberX, y, 0, "%d", t.position);
            aographic_text(kAnswerX, y, colour, shortLine(ao_utf8_to_cp1252(t.answer), font, kValueWidth).c_str());
            aographic_text(kSolutionX, y, 0, shortLine(ao_utf8_to_cp1252(t.solution), font, kValueWidth).c_str());
            text(kVerdictX, y, colour, verdictWord(t.verdict));
            break;
        }
        case LineKind::Title: {
            aographic_setfont("Arial18b");
            const std::string& title = taskTitle(t.taskNumber);
            std::string head = "Aufgabentyp " + std::to_string(t.taskNumber) + (title.empty() ? "" : ": " + title);
            aographic_text(kTaskX, y + 4, grey, shortLine(ao_utf8_to_cp1252(head), aofont_find("Arial18b"), kTaskWidth).c_str());
            if (shown.picture.width > 0) pictures.push_back({l.task, y});
            break;
        }
        case LineKind::Step: {
            std::string line = shown.steps.empty() ? "(kein Lösungsweg gespeichert)"
                                                   : shown.steps[static_cast<size_t>(l.part)];
            aographic_text(kTaskX + 24, y, shown.steps.empty() ? grey : stepColour,
                           shortLine(ao_utf8_to_cp1252(line), font, kTaskWidth - 24).c_str());
            break;
        }
        case LineKind::Blank: break;
        }
    }
    // A block scrolled up past its title line still shows the rest of its picture.
    if (review.top < count) {
        const DisplayLine& first = lines[review.top];
        if (first.kind != LineKind::Text && first.kind != LineKind::Title &&
            shownOf(first.task).picture.width > 0) {
            int back = 0;
            while (review.top - back > 0 && lines[review.top - back].kind != LineKind::Title) ++back;
            pictures.insert(pictures.begin(), {first.task, kFirstRowY - back * kRowHeight});
        }
    }
    review.pictures.clear();
    for (auto [task, y] : pictures) {
        const aoPixmap& small = shownOf(task).picture;
        drawPicture(small, y + 4);
        review.pictures.push_back({task, kPictureX, y + 4, small.width, small.height});
    }
    drawScrollBar(count);
    taskArea.flush();
}

// The task's picture at full size, where it stood, with its Lösungsweg and
// the task's text beside it, until a click or a key.
void enlarge(int task)
{
    const TaskShown& shown = shownOf(task);
    if (shown.drawn.empty()) return;
    review.enlarged = task;
    taskArea.select();
    aographic_clear(0xFFFFFF);
    aoPixmap* area = taskArea.pixmap();
    const aoPixmap picture = shown.drawn.unpack();
    for (int y = 0; area && y < picture.height; ++y)
        if (shown.drawn.y + y < area->height)
            std::copy_n(picture.row(y), std::min(picture.width, area->width - shown.drawn.x),
                        area->row(shown.drawn.y + y) + shown.drawn.x);
    aographic_setfont("Arial16");
    text(kNumberX, kTitleY, aographic_rgb(90, 90, 90), "Klick oder Leertaste: zurück zum Rückblick");
    if (area) {
        // The card keeps clear of the picture; the task's own text heads it.
        const PictureInk ink(*area, {});
        drawStepsCard(layoutStepsCard(shown.steps, taskLine(task), ink, 30));
    }
    taskArea.flush();
}

void showLinesOf(int task)
{
    std::vector<DisplayLine> lines = displayLines();
    int first = -1, last = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i)
        if (lines[i].task == task) {
            if (first < 0) first = i;
            last = i;
        }
    if (first < 0) return;
    if (last >= review.top + kVisibleRows) review.top = last - kVisibleRows + 1;
    if (first < review.top || last - first >= kVisibleRows) review.top = first;
}

void toggle(int task)
{
    if (task < 0 || task >= static_cast<int>(gameLog.tasks.size())) return;
    review.opened.resize(gameLog.tasks.size(), false);
    review.cursor = task;
    review.opened[task] = !review.opened[task];
    if (review.opened[task]) showLinesOf(task);
    draw();
    if (review.opened[task] && aospeech_enabled()) aospeech_say(spokenSteps(shownOf(task).steps));
}

// The task whose list line holds task-area row y, or -1.
int taskAtRow(int y)
{
    if (y < kFirstRowY - 2) return -1;
    int i = (y - kFirstRowY + 2) / kRowHeight;
    if (i >= kVisibleRows) return -1;
    std::vector<DisplayLine> lines = displayLines();
    int at = review.top + i;
    return at < static_cast<int>(lines.size()) ? lines[at].task : -1;
}

void scrollBy(int rows)
{
    int before = review.top;
    review.top += rows;
    review.top = std::clamp(review.top, 0, std::max(0, static_cast<int>(displayLines().size()) - kVisibleRows));
    if (review.top != before) draw();
}

void practise()
{
    std::vector<int> plan = practicePlan(gameLog);
    if (plan.empty()) {
        termPrintf("%s", ao_utf8_to_cp1252("\n Nichts zu üben: im letzten Spiel war alles richtig.").c_str());
        return;
    }
    startPractice(gameLog.level, gameLog.difficulty, plan);
}

bool insidePracticeField(int x, int y)
{
    return x >= kPracticeX && x < kPracticeX + kPracticeW && y >= kPracticeY && y < kPracticeY + kPracticeH;
}

} // namespace

void showReview()
{
    review.open = true;
    review.enlarged = -1;
    review.top = 0;
    review.cursor = 0;
    // A task posed by a picture is open from the start: its line alone lacks the numbers.
    review.opened.assign(gameLog.tasks.size(), false);
    for (size_t i = 0; i < review.opened.size(); ++i) review.opened[i] = shownOf(static_cast<int>(i)).picture.width > 0;
    draw();
}

void openReviewTask(int task)
{
    if (!review.open) showReview();
    toggle(task);
}

void closeReview()
{
    review.open = false;
    review.enlarged = -1;
}

bool reviewHandleEvent(int e)
{
    if (e == 0 || gameLog.tasks.empty()) return false;
    if (!review.open) {
        if (e == 'R' || e == 'r' || e == taskArea.code[1]) {
            showReview();
            return true;
        }
        return false;
    }
    if (review.enlarged >= 0) {
        // Any key or click goes back to the list; mouse moves and ticks do not.
        if (e != taskArea.code[1] && e != mainWindow.code[1] && !(e > 0 && e < 256) && !aokey_isspecial(e)) return false;
        review.enlarged = -1;
        draw();
        return true;
    }
    if (e == 'F' || e == 'f') {
        practise();
    } else if (e == taskArea.code[1]) {
        const int x = taskArea.mousex(), y = taskArea.mousey();
        const auto on = std::find_if(review.pictures.begin(), review.pictures.end(), [&](const PictureOnList& p) {
            return x >= p.x && x < p.x + p.w && y >= p.y && y < p.y + p.h;
        });
        if (insidePracticeField(x, y)) practise();
        else if (on != review.pictures.end()) enlarge(on->task);
        else toggle(taskAtRow(y));
    } else if (e == 'B' || e == 'b') {
        enlarge(review.cursor);
    } else if (e == ' ' || e == 'L' || e == 'l') {
        toggle(review.cursor);
    } else if (e == AOKEY_LEFT || e == AOKEY_RIGHT) {
        int n = static_cast<int>(gameLog.tasks.size());
        review.cursor = std::clamp(review.cursor + (e == AOKEY_LEFT ? -1 : 1), 0, n - 1);
        showLinesOf(review.cursor);
        draw();
    } else if (e == taskArea.code[12] || e == AOKEY_UP) {
        scrollBy(e == AOKEY_UP ? -1 : -3);
    } else if (e == taskArea.code[13] || e == AOKEY_DOWN) {
        scrollBy(e == AOKEY_DOWN ? 1 : 3);
    } else if (e == 'R' || e == 'r') {
        draw();
    } else {
        return false;
    }
    return true;
}

std::vector<std::string> wrapLines(const std::string& cp1252, int font, int maxWidth, int maxLines)
{
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at < cp1252.size()) {
        size_t end = cp1252.find(' ', at);
        if (end == std::string::npos) end = cp1252.size();
        std::string word = cp1252.substr(at, end - at);
        at = end + 1;
        std::string longer = line.empty() ? word : line + ' ' + word;
        if (line.empty() || font < 0 || aofont_textwidth(font, longer.c_str()) <= maxWidth) {
            line = longer;
            continue;
        }
        lines.push_back(line);
        line = word;
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    if (maxLines > 0 && static_cast<int>(lines.size()) > maxLines) {
        std::string rest = lines[static_cast<size_t>(maxLines - 1)];
        for (size_t i = static_cast<size_t>(maxLines); i < lines.size(); ++i) rest += ' ' + lines[i];
        lines.resize(static_cast<size_t>(maxLines));
        lines.back() = shortLine(rest, font, maxWidth);
    }
    for (std::string& l : lines) l = shortLine(l, font, maxWidth); // a single word wider than the line
    return lines;
}

std::string shortLine(const std::string& cp1252, int font, int maxWidth)
{
    std::string line = cp1252;
    if (font < 0 || aofont_textwidth(font, line.c_str()) <= maxWidth) return line;
    const char ellipsis = '\x85'; // "…" in Windows-1252
    while (!line.empty() && aofont_textwidth(font, (line + ellipsis).c_str()) > maxWidth) line.pop_back();
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line + ellipsis;
}

std::vector<int> practicePlan(const GameLog& log)
{
    std::vector<int> types;
    for (const TaskRecord& t : log.tasks)
        if (t.verdict != TaskVerdict::Right && std::find(types.begin(), types.end(), t.taskNumber) == types.end())
            types.push_back(t.taskNumber);
    if (types.empty()) return {};
    int n = static_cast<int>(types.size());
    int count = std::min(kMaxTasks, std::max(6, 2 * n));
    std::vector<int> plan;
    for (int i = 0; i < count; ++i) plan.push_back(types[i % n]);
    // Mixed, as an ordinary game mixes its tasks.
    for (int i = count - 1; i > 0; --i) std::swap(plan[i], plan[aorand() % (i + 1)]);
    return plan;
}
