// Score, grade and the progress panel: the bars beside the terminal, the
// running grade and the time bar.
#include "catalog.h"
#include "pictures.h"
#include "quiz.h"

#include <vector>

namespace {

void labelledBar(aoView& area, int width, int colour, const char* label)
{
    area.select();
    aographic_fillrect(0, 0, width, 24, colour);
    aographic_text(10, 5, 0, label);
    area.flush();
}

void bar(aoView& area, int width, int colour)
{
    area.select();
    aographic_fillrect(0, 0, width, 24, colour);
    area.flush();
}

// Where the grade is written in its 40 x 24 box.
constexpr int kGradeX = 10, kGradeY = 5, kGradeBoxW = 40, kGradeBoxH = 24;

} // namespace

void resetProgressPanel()
{
    labelledBar(progressBar, 315, aographic_rgb(250, 250, 255), "F O R T S C H R I T T");
    labelledBar(timeBar, 196, aographic_rgb(240, 240, 255), "Z E I T");
    labelledBar(correctBar, 196, aographic_rgb(240, 240, 255), "AUFGABEN richtig");
    labelledBar(wrongBar, 196, aographic_rgb(240, 240, 255), "AUFGABEN falsch");
    // The last game's grade is not this one's: a game of five tasks or fewer
    // gets none, a longer one gets its own after the first task.
    bar(gradeBox, kGradeBoxW, aographic_rgb(255, 255, 0));
    taskArea.select();
}

void updateTimeBar(int elapsed, int allowance)
{
    if (elapsed != 0 && allowance >= elapsed)
        bar(timeBar, static_cast<int>(static_cast<double>(elapsed) / allowance * 196), aographic_rgb(0, 100, 0));
    if (allowance < elapsed) labelledBar(timeBar, 196, aographic_rgb(200, 0, 0), "!  T I M E    O V E R  !");
    taskArea.select();
}

// So that "1", "2 +" and "3" are read at a glance.
const char* gradeFont(const std::vector<const char*>& strokes)
{
    static const char* const kFonts[] = {"Arial28b", "Arial26b", "Arial24b", "Arial22b", "Arial20b",
                                         "Arial18b", "Arial16b", "Arial14b", "Arial12b", "Arial10b"};
    for (const char* name : kFonts) {
        int h = aofont_find(name);
        if (h < 0 || kGradeY + aofont_height(h) > kGradeBoxH) continue;
        bool fits = true;
        for (const char* s : strokes) fits = fits && kGradeX + aofont_textwidth(h, s) <= kGradeBoxW;
        if (fits) return name;
    }
    return "Arial10";
}

std::vector<const char*> gradeStrokes(double r)
{
    // Each rule is tested on its own; where two apply, the second is written
    // over the first (" 2 +" over " 2  " leaves "2 +").
    std::vector<const char*> s;
    if (r >= 0.95 && r < 1.0) s.push_back(" 1");
    if (r == 1.0) s.push_back(" 1  ");
    if (r >= 0.8 && r < 0.95) s.push_back(" 2  ");
    if (r >= 0.9 && r < 0.95) s.push_back(" 2 +");
    if (r >= 0.6 && r < 0.8) s.push_back(" 3  ");
    if (r >= 0.7 && r < 0.8) s.push_back(" 3 +");
    return s;
}

void updateScore()
{
    progressRatio = computeProgressRatio();
    if (taskCount >= 12 && soundOn == 1) showAvatar(0, 0, progressRatio);
    aographic_setfont("arial28");
    if (taskCount > 5) {
        gradeBox.select();
        std::vector<const char*> strokes = gradeStrokes(progressRatio);
        aographic_setfont(gradeFont(strokes));
        aographic_fillrect(0, 0, kGradeBoxW, kGradeBoxH, aographic_rgb(255, 255, 0));
        if (progressRatio == 1.0) termPrintf("\n\n Note: %d SUPER ! ", 1);
        for (const char* s : strokes) aographic_text(kGradeX, kGradeY, 0, s);
        gradeBox.flush();
        taskArea.select();
    }
    // correctCount counts right answers only: a skipped task is not one.
    if (taskCount > 1) {
        bar(correctBar, correctCount * 196 / taskCount, aographic_rgb(100, 255, 100));
        bar(wrongBar, wrongCount * 196 / taskCount, aographic_rgb(255, 100, 0));
        bar(progressBar, taskIndex * 315 / taskCount, aographic_rgb(0, 0, 255));
        taskArea.select();
    }
}
