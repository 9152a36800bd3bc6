// The worked solution (Lösungsweg) after a wrong answer or a skip: a card in
// the task area where it hides none of the task's picture, the same lines in
// the terminal and read aloud, and a pause long enough to read them that a
// key or a click may end.
#include "catalog.h"
#include "quiz.h"
#include "speech_text.h"

#include <algorithm>

namespace {

const char* const kHeadingFont = "Arial22b";
const char* const kTaskFont = "Arial22";
constexpr int kHeadingHeight = 32;
constexpr int kTaskLineHeight = 28;
constexpr int kPadding = 12;
constexpr int kIndent = 28;     // a step's continued line
constexpr int kMaxTaskLines = 6;
constexpr int kAreaWidth = 1280, kAreaHeight = 720;
constexpr int kMargin = 20;     // from the area's edges, where there is room
constexpr int kEdge = 6;        // ... where there is not
constexpr int kClearance = 8;   // kept free around the card: squares and picture
constexpr int kMinWidth = 300;  // a narrower card beside a picture breaks every line
struct StepsType {
    const char* font;
    int lineHeight;
};
// The steps' type: large as the squares' where it fits, else smaller.
constexpr StepsType kStepsTypes[] = {{"Arial28", 38}, {"Arial22", 30}};

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

PictureInk::PictureInk(const aoPixmap& after, const std::vector<uint32_t>& before)
{
    if (after.width <= 0 || after.height <= 0 || after.format != AOPX_TRUECOLOR) return;
    width_ = after.width;
    height_ = after.height;
    const bool compare = before.size() == after.pixels.size();
    sums_.assign(static_cast<size_t>(width_ + 1) * height_, 0);
    first_.assign(height_, -1);
    last_.assign(height_, -1);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = after.row(y);
        const uint32_t* old = compare ? before.data() + static_cast<size_t>(y) * width_ : nullptr;
        int* sum = sums_.data() + static_cast<size_t>(y) * (width_ + 1);
        for (int x = 0; x < width_; ++x) {
            const bool drawn = old ? row[x] != old[x] : (row[x] & 0xFFFFFF) != 0xFFFFFF;
            sum[x + 1] = sum[x] + drawn;
            if (!drawn) continue;
            if (first_[y] < 0) first_[y] = x;
            last_[y] = x;
        }
        if (last_[y] < 0) continue;
        if (top_ < 0) top_ = y;
        bottom_ = y;
    }
}

int PictureInk::leftBelow(int from) const
{
    int left = -1;
    for (int y = std::max(0, from); y < height_; ++y)
        if (first_[y] >= 0 && (left < 0 || first_[y] < left)) left = first_[y];
    return left;
}

int PictureInk::rightBelow(int from) const
{
    int right = -1;
    for (int y = std::max(0, from); y < height_; ++y) right = std::max(right, last_[y]);
    return right;
}

int PictureInk::count(int x, int y, int w, int h) const
{
    const int x0 = std::clamp(x, 0, width_), x1 = std::clamp(x + w, 0, width_);
    const int y0 = std::clamp(y, 0, height_), y1 = std::clamp(y + h, 0, height_);
    int n = 0;
    for (int r = y0; r < y1; ++r) {
        const int* sum = sums_.data() + static_cast<size_t>(r) * (width_ + 1);
        n += sum[x1] - sum[x0];
    }
    return n;
}

namespace {

// The card's lines at width w in the given type, and its height.
StepsCard cardLines(const std::vector<std::string>& steps, const std::string& task, int w, const StepsType& type)
{
    StepsCard card;
    card.w = w;
    card.font = type.font;
    card.lineHeight = type.lineHeight;
    const int width = w - 3 * kPadding;
    if (!task.empty())
        card.taskLines = wrapLines(ao_utf8_to_cp1252("Aufgabe: " + task), aofont_find(kTaskFont), width, kMaxTaskLines);
    const int font = aofont_find(type.font);
    for (const std::string& step : steps) {
        const std::vector<std::string> parts = wrapLines(ao_utf8_to_cp1252(step), font, width, 0);
        card.stepLines.push_back({parts.front(), false});
        if (parts.size() < 2) continue;
        std::string rest;
        for (size_t i = 1; i < parts.size(); ++i) rest += (i > 1 ? " " : "") + parts[i];
        for (const std::string& line : wrapLines(rest, font, width - kIndent, 0)) card.stepLines.push_back({line, true});
    }
    const int taskRows = static_cast<int>(card.taskLines.size());
    card.h = 2 * kPadding + kHeadingHeight + taskRows * kTaskLineHeight + (taskRows > 0 ? 4 : 0) +
             static_cast<int>(card.stepLines.size()) * card.lineHeight;
    return card;
}

} // namespace

StepsCard layoutStepsCard(const std::vector<std::string>& steps, const std::string& task, const PictureInk& ink,
                          int answerBottom)
{
    const int top = std::max(kEdge, answerBottom + kClearance);
    struct Band {
        int x, w;
    };
    std::vector<Band> bands = {{kMargin, kAreaWidth - 2 * kMargin}};
    {
        // Beside the picture: right of its rightmost and left of its leftmost
        // pixel below the squares; then narrower, beside the rows where the
        // picture is narrower (an axis label sticking out further down).
        const int right = ink.rightBelow(top), left = ink.leftBelow(top);
        auto beside = [&](int clear, bool onTheRight) {
            if (clear >= kMinWidth) bands.push_back({onTheRight ? kAreaWidth - kMargin - clear : kMargin, clear});
            for (int w : {480, 400, kMinWidth})
                if (w > clear) bands.push_back({onTheRight ? kAreaWidth - kMargin - w : kMargin, w});
        };
        if (right >= 0) {
            beside(kAreaWidth - kMargin - (right + 1 + kClearance), true);
            beside(left - kClearance - kMargin, false);
        }
    }
    auto cover = [&](const StepsCard& c) {
        return ink.count(c.x - kClearance, c.y - kClearance, c.w + 2 * kClearance, c.h + 2 * kClearance);
    };
    // Of the places that hide nothing, the one whose lines break least, the
    // large type and the foot first among equals; else the one hiding least.
    StepsCard best;
    int bestCover = -1, bestBreaks = 0;
    for (const StepsType& type : kStepsTypes)
        for (const Band& band : bands) {
            StepsCard card = cardLines(steps, task, band.w, type);
            card.x = band.x;
            const int lowest = kAreaHeight - kEdge - card.h;
            if (lowest < top) continue;
            const int breaks = static_cast<int>(std::count_if(card.stepLines.begin(), card.stepLines.end(),
                                                              [](const StepsCard::Line& l) { return l.continued; }));
            if (bestCover == 0 && breaks >= bestBreaks) continue;
            // At the foot with its margin, then at the very edge, then higher up.
            std::vector<int> places = {std::max(top, kAreaHeight - kMargin - card.h), lowest};
            for (int y = places.front() - 4; y >= top; y -= 4) places.push_back(y);
            for (int y : places) {
                card.y = y;
                const int c = cover(card);
                if (bestCover >= 0 && (c > bestCover || (c == bestCover && (c > 0 || breaks >= bestBreaks)))) continue;
                best = card;
                bestCover = c;
                bestBreaks = breaks;
                if (c == 0) break;
            }
            if (bestCover == 0 && bestBreaks == 0) return best;
        }
    if (bestCover >= 0) return best;
    // Too many lines for any place: across the foot in the small type, as far as it goes.
    best = cardLines(steps, task, kAreaWidth - 2 * kMargin, kStepsTypes[std::size(kStepsTypes) - 1]);
    best.x = kMargin;
    best.y = std::max(top, kAreaHeight - kEdge - best.h);
    return best;
}

void drawStepsCard(const StepsCard& card)
{
    const int x = card.x, y = card.y, w = card.w, h = card.h;
    aographic_fillrect(x, y, w, h, aographic_rgb(255, 250, 225));
    aographic_rect(x, y, w, h, aographic_rgb(200, 160, 60));
    aographic_rect(x + 1, y + 1, w - 2, h - 2, aographic_rgb(200, 160, 60));
    aographic_setfont(kHeadingFont);
    aographic_text(x + kPadding, y + kPadding, aographic_rgb(150, 100, 0), ao_utf8_to_cp1252("Lösungsweg").c_str());
    int at = y + kPadding + kHeadingHeight;
    if (!card.taskLines.empty()) {
        aographic_setfont(kTaskFont);
        for (const std::string& line : card.taskLines) {
            aographic_text(x + 2 * kPadding, at - 4, aographic_rgb(90, 90, 90), line.c_str());
            at += kTaskLineHeight;
        }
        at += 4;
    }
    aographic_setfont(card.font);
    for (const StepsCard::Line& line : card.stepLines) {
        aographic_text(x + 2 * kPadding + (line.continued ? kIndent : 0), at, 0, line.text.c_str());
        at += card.lineHeight;
    }
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

void showSolutionSteps(double minSeconds, int answerBottom)
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
    drawStepsCard(layoutStepsCard(lines, currentTaskLine(), taskPictureInk(), answerBottom));
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
