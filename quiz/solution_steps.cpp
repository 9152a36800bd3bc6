// The worked solution (Lösungsweg) after a wrong answer or a skip: a card in
// the task area, the same lines in the terminal and read aloud, and a pause
// long enough to read them that a key or a click may end.
#include "catalog.h"
#include "quiz.h"
#include "speech_text.h"

#include <algorithm>

namespace {

const char* const kStepsFont = "Arial28";
const char* const kHeadingFont = "Arial22b";
constexpr int kHeadingHeight = 32;
constexpr int kTaskLineHeight = 30;
constexpr int kLineHeight = 38;
constexpr int kPadding = 12;

// Keys and left clicks go on; mouse moves and timer ticks do not.
bool goesOn(int e)
{
    return (e > 0 && e < 256) || aokey_isspecial(e) || e == mainWindow.code[1] || e == taskArea.code[1];
}

void readingPause(double minSeconds, double seconds)
{
    // A click queued now still belongs to the answer (it reaches the task
    // area too); a key already pressed means to go on.
    bool early = false;
    while (aoisrunning() && aopendingevents() > 0) {
        int e = aogetevent_nowait();
        if (goesOn(e) && e != mainWindow.code[1] && e != taskArea.code[1]) early = true;
    }
    aowait(minSeconds);
    // A key or click while the verdict was shown ends the pause at its minimum.
    while (aoisrunning() && aopendingevents() > 0)
        if (goesOn(aogetevent_nowait())) early = true;
    if (early || seconds <= minSeconds || !aoisrunning()) return;
    aoTimer timer(static_cast<int>((seconds - minSeconds) * 1000));
    while (aoisrunning()) {
        int e = aogetevent();
        if (e == timer.code[1] || goesOn(e)) return;
    }
}

} // namespace

double stepsReadingSeconds(size_t lines)
{
    if (lines == 0) return 0;
    return std::min(10.0, 2.5 + 1.5 * static_cast<double>(lines));
}

int stepsPanelHeight(size_t lines, bool withTask)
{
    return 2 * kPadding + kHeadingHeight + (withTask ? kTaskLineHeight : 0) + static_cast<int>(lines) * kLineHeight;
}

StepsCardPlace stepsCardPlace(size_t lines, bool withTask, int pictureBottom)
{
    constexpr int kAreaHeight = 720, kMargin = 20, kTightMargin = 6;
    const int y = kAreaHeight - kMargin - stepsPanelHeight(lines, withTask);
    if (pictureBottom < y) return {y, withTask};
    return {kAreaHeight - kTightMargin - stepsPanelHeight(lines, false), false};
}

void drawStepsPanel(const std::vector<std::string>& lines, int x, int y, int w, const std::string& task)
{
    int h = stepsPanelHeight(lines.size(), !task.empty());
    aographic_fillrect(x, y, w, h, aographic_rgb(255, 250, 225));
    aographic_rect(x, y, w, h, aographic_rgb(200, 160, 60));
    aographic_rect(x + 1, y + 1, w - 2, h - 2, aographic_rgb(200, 160, 60));
    aographic_setfont(kHeadingFont);
    aographic_text(x + kPadding, y + kPadding, aographic_rgb(150, 100, 0), ao_utf8_to_cp1252("Lösungsweg").c_str());
    int top = y + kPadding + kHeadingHeight;
    // The task beside its Lösungsweg: the terminal may have scrolled it away.
    if (!task.empty()) {
        aographic_setfont("Arial22");
        aographic_text(x + 2 * kPadding, top - 4, aographic_rgb(90, 90, 90),
                       shortLine(ao_utf8_to_cp1252("Aufgabe: " + task), aofont_find("Arial22"), w - 3 * kPadding).c_str());
        top += kTaskLineHeight;
    }
    aographic_setfont(kStepsFont);
    int font = aofont_find(kStepsFont);
    for (size_t i = 0; i < lines.size(); ++i)
        aographic_text(x + 2 * kPadding, top + static_cast<int>(i) * kLineHeight, 0,
                       shortLine(ao_utf8_to_cp1252(lines[i]), font, w - 3 * kPadding).c_str());
}

std::string spokenSteps(const std::vector<std::string>& lines)
{
    std::string spoken = "Lösungsweg:";
    for (const std::string& line : lines) {
        std::string s = spokenTaskText(line);
        if (s.empty()) continue;
        spoken += ' ' + s;
        // A line ending in ":" leads to the next one; it ends as a sentence too.
        if (spoken.back() == ',') spoken.pop_back();
        if (spoken.back() != '.' && spoken.back() != '?') spoken += '.';
    }
    return spoken;
}

void showSolutionSteps(double minSeconds)
{
    const std::vector<std::string>& lines =
        taskIndex >= 1 && taskIndex < kTaskSlots ? taskSteps[taskIndex] : std::vector<std::string>{};
    if (lines.empty() || !aoisrunning()) {
        aowait(minSeconds);
        return;
    }
    std::string term = "\n Lösungsweg:";
    for (const std::string& line : lines) term += "\n   " + line;
    term += "\n";
    termPrintf("%s", ao_utf8_to_cp1252(term).c_str());

    taskArea.select();
    const int margin = 20, width = 1280 - 2 * margin;
    const std::string task = currentTaskLine();
    const StepsCardPlace place = stepsCardPlace(lines.size(), !task.empty(), taskPictureBottom());
    drawStepsPanel(lines, margin, place.y, width, place.withTask ? task : std::string());
    taskArea.flush();
    double seconds = stepsReadingSeconds(lines.size());
    if (aospeech_enabled()) {
        // Long enough to hear it too: German speech runs at about 12 characters a second.
        std::string spoken = spokenSteps(lines);
        aospeech_say(spoken);
        seconds = std::max(seconds, std::min(20.0, static_cast<double>(spoken.size()) / 12.0));
    }
    readingPause(minSeconds, std::max(minSeconds, seconds));
}
