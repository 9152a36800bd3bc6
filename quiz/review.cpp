// The review after a game ("Rückblick"): one line per task in taskArea, with
// the pupil's answer, the right one and the verdict; and the field that starts
// a practice of the task types that went wrong.
#include "catalog.h"
#include "quiz.h"

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

struct ReviewState {
    bool open = false;
    int top = 0; // first line shown
} review;

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

void draw()
{
    const std::vector<TaskRecord>& tasks = gameLog.tasks;
    int lines = static_cast<int>(tasks.size());
    review.top = std::clamp(review.top, 0, std::max(0, lines - kVisibleRows));
    taskArea.select();
    aographic_clear(0xFFFFFF);
    aographic_setfont("Arial28b");
    text(kNumberX, kTitleY, 0, "Rückblick");
    drawPracticeField();
    aographic_setfont("Arial18b");
    int grey = aographic_rgb(90, 90, 90);
    text(kNumberX, kHeadingY, grey, "Nr.");
    text(kTaskX, kHeadingY, grey, "Aufgabe");
    text(kAnswerX, kHeadingY, grey, "deine Antwort");
    text(kSolutionX, kHeadingY, grey, "Lösung");
    aographic_line(kNumberX, kFirstRowY - 6, 1260, kFirstRowY - 6, aographic_rgb(180, 180, 180));

    aographic_setfont(kRowFont);
    int font = aofont_find(kRowFont);
    for (int i = 0; i < kVisibleRows && review.top + i < lines; ++i) {
        const TaskRecord& t = tasks[review.top + i];
        int y = kFirstRowY + i * kRowHeight;
        int colour = verdictColour(t.verdict);
        aographic_printf(kNumberX, y, 0, "%d", t.position);
        aographic_text(kTaskX, y, 0, shortLine(ao_utf8_to_cp1252(t.text), font, kTaskWidth).c_str());
        aographic_text(kAnswerX, y, colour, shortLine(ao_utf8_to_cp1252(t.answer), font, kValueWidth).c_str());
        aographic_text(kSolutionX, y, 0, shortLine(ao_utf8_to_cp1252(t.solution), font, kValueWidth).c_str());
        text(kVerdictX, y, colour, verdictWord(t.verdict));
    }
    drawScrollBar(lines);
    taskArea.flush();
}

void scrollBy(int rows)
{
    int before = review.top;
    review.top += rows;
    review.top = std::clamp(review.top, 0, std::max(0, static_cast<int>(gameLog.tasks.size()) - kVisibleRows));
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
    review.top = 0;
    draw();
}

void closeReview()
{
    review.open = false;
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
    if (e == 'F' || e == 'f') {
        practise();
    } else if (e == taskArea.code[1]) {
        if (insidePracticeField(taskArea.mousex(), taskArea.mousey())) practise();
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
