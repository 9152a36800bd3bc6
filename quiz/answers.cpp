// Answer entry: the squares of a task, the clicks on them and the verdict.
// Where the squares are and how they look is the catalog's square layout;
// this file only judges.
#include "answer_keys.h"
#include "answer_rows.h"
#include "catalog.h"
#include "pictures.h"
#include "quiz.h"
#include "sounds.h"
#include "squares.h"
#include "typed_entry.h"

#include <climits>
#include <cstdio>

int clickCount = 0;
int pickedValue = 0;
int pickedValue2 = 0;
TaskOutcome taskOutcome;

void answerVerdict(bool right)
{
    taskOutcome.verdict = right ? Verdict::Right : Verdict::Wrong;
    taskOutcome.answeredMs = aogettime();
    if (right) {
        ++correctCount;
        if (soundOn == 1) playRightSound();
    } else {
        ++wrongCount;
        if (soundOn == 1) playWrongSound();
    }
}

bool wholeAnswerRight(long long value)
{
    if (value < INT_MIN || value > INT_MAX) return false;
    int v = static_cast<int>(value);
    return v == solution[taskIndex] || (alsoRight && alsoRight(v));
}

namespace {

// "-3.80" from " -3,80": no blanks, a point, no minus before zero.
std::string plainDecimal(std::string_view printed)
{
    std::string s;
    for (char c : printed)
        if (c != ' ') s += c == ',' ? '.' : c;
    if (s.starts_with('-') && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
    return s;
}

bool probabilityKind()
{
    return relationOp == 5 && answerKind >= 7 && answerKind <= 9;
}

bool sameFraction(int a, int b)
{
    return b != 0 && static_cast<long long>(a) * solution2[taskIndex] == static_cast<long long>(b) * solution[taskIndex];
}

} // namespace

bool decimalAnswerRight(std::string_view printed)
{
    return plainDecimal(printed) == plainDecimal(decimalSquareText(decimalSolution[taskIndex], decimalPlaces));
}

bool pairAnswerRight(int first, int second)
{
    // A probability is right in any equal form; a fraction asked for reduced is not.
    return pairAnswersRight(first, second) || (probabilityKind() && sameFraction(first, second));
}

bool needsReducing(int first, int second)
{
    return relationOp == 5 && answerKind == 3 && !pairAnswersRight(first, second) && sameFraction(first, second);
}

// A two-part answer as a reader takes it: a fraction for the numerator and
// denominator rows, a point for coordinates, otherwise two numbers picked.
std::string pairText(int first, int second)
{
    return pairAnswerText(std::to_string(first), std::to_string(second), " / ");
}

namespace {

// What is on screen right now, for the headless "answer" command.
struct SquaresOnScreen {
    bool active = false;
    SquareLayout layout;
} onScreen;

// Waits for the next event with the waiting prompt's timer running.
int nextEvent()
{
    aoTimer timer((100 + 10 * waitingStage) * 1000);
    int e = aogetevent();
    if (e != timer.code[1]) return e;
    if (soundOn == 1) playWaitingPrompt();
    return -1;
}

// The square a left click in the main window picked, if any.
std::optional<Square> clickedSquare(int e, const SquareLayout& layout)
{
    if (e != mainWindow.code[1]) return std::nullopt;
    return layout.squareAt(mainWindow.mousex() - taskArea.wx, mainWindow.mousey() - taskArea.wy);
}

void showRewardFaded()
{
    aographic_clear(0xFFFFFF);
    drawStoredPictureFaded();
    taskArea.flush(); // shown now, not only with the next task's squares
}

std::string trimmed(std::string s)
{
    size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a);
}

bool squareIsRight(const SquareLayout& layout, Square s)
{
    // Decimal squares are compared by their printed text: two values that
    // print alike look the same to the pupil.
    if (layout.kind() == AnswerRows::Decimal) return decimalAnswerRight(squareText(layout, s));
    return wholeAnswerRight(squareValue(layout, s));
}

std::vector<Square> rightSquaresOf(const SquareLayout& layout);


void judgeOne(const SquareLayout& layout)
{
    waitingStage = 0;
    keyboardResume(layout);
    while (aoisrunning()) {
        int e = nextEvent();
        if (e == AOKEY_ESCAPE) {
            taskOutcome.verdict = Verdict::Skipped;
            taskOutcome.answeredMs = aogettime();
            showSolutionSteps(0, layout.bottom());
            break;
        }
        std::optional<Square> s = clickedSquare(e, layout);
        if (!s) s = keyedSquare(e, layout);
        if (!s) continue;
        keyboardPicked(layout, *s);
        bool right = squareIsRight(layout, *s);
        taskOutcome.answer = trimmed(squareText(layout, *s));
        answerVerdict(right);
        showVerdictFrames(layout, {*s}, right, rightSquaresOf(layout));
        if (right) aowait(kRightFrameSeconds);
        if (!right) {
            termPrintf("%s", ao_utf8_to_cp1252("\n!! Lösung war : " + taskOutcome.rightAnswer + "  !!").c_str());
            showSolutionSteps(4, layout.bottom());
        }
        break;
    }
    onScreen.active = false;
    if (!aoisrunning()) return;
    saveAreaRect(10, 1000, 100, 700);
    showRewardFaded();
}

void redEcho(const SquareLayout& layout, Square s)
{
    std::string text = squareText(layout, s);
    int x = layout.textX(s), y = layout.textY(s.row);
    int red = 0xFF0000;
    aographic_text(x, y, red, text.c_str());
    aographic_text(x + 1, y, red, text.c_str());
    aographic_text(x + 1, y + 1, red, text.c_str());
    taskArea.flush();
}

// One click of a two-part answer.
void judgeTwo(const SquareLayout& layout)
{
    bool clicked = false, skipped = false;
    keyboardResume(layout);
    while (aoisrunning()) {
        int e = nextEvent();
        if (e == AOKEY_ESCAPE) {
            taskOutcome.verdict = Verdict::Skipped;
            taskOutcome.answeredMs = aogettime();
            showSolutionSteps(0, layout.bottom());
            skipped = true;
            break;
        }
        std::optional<Square> s = clickedSquare(e, layout);
        if (!s) s = keyedSquare(e, layout);
        if (!s) continue;
        keyboardPicked(layout, *s);
        clicked = true;
        bool early = answerKind >= 1 && answerKind <= 3;
        if (early) saveAreaRect(10, 1000, 10, 700);
        int value = squareValue(layout, *s);
        if (s->row == 1) pickedValue = value;
        else pickedValue2 = value;
        ++clickCount;
        // The pick is echoed before the verdict: the second one must not
        // stand under the Lösungsweg.
        if (answerKind == 3) {
            termPrintf(s->row == 1 ? ao_utf8_to_cp1252("\n Zähler:  %d  ").c_str() : "\n Nenner:  %d  ", value);
        } else if (early) {
            termPrintf(s->row == 1 ? "\n 1. Reihe:  %d  " : "\n 2. Reihe:  %d  ", value);
        } else {
            taskArea.select();
            redEcho(layout, *s);
            if (s->row == 1) aowait(0.1);
        }
        if (clickCount == 2) {
            taskOutcome.answer = pairText(pickedValue, pickedValue2);
            bool right = pairAnswerRight(pickedValue, pickedValue2);
            answerVerdict(right);
            // No pause follows a right two-part verdict: the frames get the short one.
            showVerdictFrames(layout, keyboardFocus.picked, right, rightSquaresOf(layout));
            aowait(kRightFrameSeconds);
            if (!right) {
                termPrintf("%s", ao_utf8_to_cp1252("\n!! Lösung war : " + taskOutcome.rightAnswer + "  !!").c_str());
                showSolutionSteps(0, layout.bottom());
            }
        }
        break;
    }
    if ((!clicked && !skipped) || !aoisrunning()) return;
    // A skip ends the task as a second click does: the next task starts on a
    // clean area, its grid showing none of this task's points and rows.
    const bool done = skipped || clickCount == 2;
    if (answerKind >= 1 && answerKind <= 3) {
        taskArea.select();
        if (done) aographic_clear(0xFFFFFF);
        drawStoredPictureFaded();
        if (!done) restoreAreaRect(10, 1000, 10, 700);
        else taskArea.flush();
    } else {
        // Both rows stay on screen until the second click: the second pick
        // must not be made blind.
        saveAreaRect(10, 1000, 10, 700);
        aographic_clear(0xFFFFFF);
        taskArea.flush();
        drawStoredPictureFaded();
        if (!done) restoreAreaRect(10, 1000, 10, 700);
        else taskArea.flush();
    }
}

// ---- the headless "answer right|wrong" command

aoScriptResult answerCommand(const std::string& args)
{
    aoScriptResult r;
    bool wantRight = args == "right";
    if (typedEntryActive()) {
        typeAnswer(wantRight);
        return r;
    }
    if (!onScreen.active) {
        r.ok = false;
        r.error = "answer: no answer squares on screen";
        return r;
    }
    const SquareLayout& layout = onScreen.layout;
    auto clickAt = [&](Square s) {
        int x = 0, y = 0;
        layout.clickPoint(s, x, y);
        r.clicks.push_back({taskArea.wx + x, taskArea.wy + y});
    };
    int n = layout.columns();
    if (layout.kind() == AnswerRows::TwoRows && !layout.compareMode()) {
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b) {
                if (pairAnswerRight(squareValue(layout, {1, a}), squareValue(layout, {2, b})) == wantRight) {
                    clickAt({1, a});
                    clickAt({2, b});
                    return r;
                }
            }
    } else {
        for (int c = 0; c < n; ++c) {
            if (squareIsRight(layout, {1, c}) == wantRight) {
                clickAt({1, c});
                return r;
            }
        }
    }
    r.ok = false;
    r.error = wantRight ? "answer: no right square on screen" : "answer: no wrong square on screen";
    return r;
}

// The squares of a right answer: the right square, or the first right pair
// of a two-part answer; empty when none is on screen.
std::vector<Square> rightSquaresOf(const SquareLayout& layout)
{
    int n = layout.columns();
    if (layout.kind() == AnswerRows::TwoRows && !layout.compareMode()) {
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b)
                if (pairAnswerRight(squareValue(layout, {1, a}), squareValue(layout, {2, b}))) return {{1, a}, {2, b}};
        return {};
    }
    for (int c = 0; c < n; ++c)
        if (squareIsRight(layout, {1, c})) return {{1, c}};
    return {};
}

std::string rightAnswerText(const SquareLayout& layout)
{
    if (layout.compareMode()) {
        static const char* const signs[3] = {"<", "=", ">"};
        int s = solution[taskIndex];
        return s >= 1 && s <= 3 ? signs[s - 1] : std::to_string(s);
    }
    if (layout.kind() == AnswerRows::Decimal)
        return trimmed(decimalSquareText(decimalSolution[taskIndex], decimalPlaces));
    if (layout.kind() == AnswerRows::TwoRows) {
        if (relationOp == 5) return pairText(solution[taskIndex], solution2[taskIndex]);
        for (int a = 0; a < layout.columns(); ++a)
            for (int b = 0; b < layout.columns(); ++b)
                if (pairAnswersRight(squareValue(layout, {1, a}), squareValue(layout, {2, b})))
                    return pairText(squareValue(layout, {1, a}), squareValue(layout, {2, b}));
    }
    return std::to_string(solution[taskIndex]);
}

} // namespace

AnswerRows runAnswerEntry(int taskNumber)
{
    taskOutcome = TaskOutcome{};
    AnswerRows rows = buildAnswerRows(level, difficulty, taskNumber);
    if (rows != AnswerRows::None) showAndJudge(rows);
    return rows;
}

void showAndJudge(AnswerRows rows)
{
    static bool registered = false;
    if (!registered) {
        aoscript_sethandler("answer", answerCommand);
        registered = true;
    }
    SquareLayout layout = SquareLayout::current(rows);
    if (typedFieldFor(rows, lastTaskNumber)) {
        taskOutcome.rightAnswer = rightAnswerText(layout);
        aodropevents();
        runTypedEntry(layout);
        return;
    }
    taskArea.select();
    drawAnswerSquares(layout);
    taskArea.flush();
    // Clicks and keys made before these squares were on screen (during the
    // pause after a wrong answer) must not answer a task not yet seen.
    aodropevents();
    keyboardStart();
    taskOutcome.rightAnswer = rightAnswerText(layout);
    onScreen.layout = layout;
    onScreen.active = true;
    if (rows == AnswerRows::TwoRows) {
        clickCount = pickedValue = pickedValue2 = 0;
        judgeTwo(layout);
        if (aoisrunning() && taskOutcome.verdict != Verdict::Skipped) judgeTwo(layout);
    } else {
        judgeOne(layout);
    }
    onScreen.active = false;
}
