// Answer entry: the squares of a task, the clicks on them and the verdict.
#include "answer_rows.h"
#include "catalog.h"
#include "pictures.h"
#include "quiz.h"
#include "sounds.h"

#include <cstdio>

int clickCount = 0;
int pickedValue = 0;
int pickedValue2 = 0;

namespace {

// What is on screen right now, for the headless "answer" command.
struct SquaresOnScreen {
    bool active = false;
    AnswerRows rows = AnswerRows::None;
    int pitch = 120;
} onScreen;

const int kYellow = 0xFFFF00;
const int kBlue = 0x0000FF;

// The square itself: yellow with a bevel frame, light at the top left.
void drawSquare(int x0, int y0, int w, int h)
{
    aographic_fillrect(x0, y0, w, h, kYellow);
    int x1 = x0 + w - 1, y1 = y0 + h - 1;
    int dark = aographic_rgb(200, 200, 0), darker = aographic_rgb(180, 180, 0);
    int light = aographic_rgb(255, 255, 50), lighter = aographic_rgb(255, 255, 80);
    aographic_line(x0, y1, x1, y1, dark);
    aographic_line(x1, y0, x1, y1, dark);
    aographic_line(x0, y1 + 1, x1 + 1, y1 + 1, darker);
    aographic_line(x1 + 1, y0, x1 + 1, y1 + 1, darker);
    aographic_line(x0, y0, x0, y1, light);
    aographic_line(x0, y0, x1, y0, light);
    aographic_line(x0 - 1, y0 - 1, x0 - 1, y1, lighter);
    aographic_line(x0 - 1, y0 - 1, x1, y0 - 1, lighter);
}

void drawIntRow(const IntRow& row, int y, int textY, int colour)
{
    for (int k = 1; k <= optionCount && k <= 6; ++k) {
        int x = (k - 1) * 120 + 10;
        drawSquare(x, y, 100, 40);
        aographic_printf(x, textY, colour, "%4i", row[k]);
    }
}

const char* decimalFormat()
{
    switch (decimalPlaces) {
    case 0: return "%3.0f";
    case 1: return "%4.1f";
    case 2: return "%5.2f";
    default: return "%6.3f";
    }
}

void drawSquares(AnswerRows rows)
{
    taskArea.select();
    aographic_setfont("arial28");
    if (choiceMode == 2) {
        static const char* const signs[3] = {"  <", "  =", "  >"};
        for (int c = 0; c < 3; ++c) {
            drawSquare(c * 120 + 10, 5, 100, 40);
            aographic_text(c * 120 + 10, 10, 0, signs[c]);
        }
    } else if (rows == AnswerRows::Decimal) {
        for (int k = 1; k <= optionCount && k <= 6; ++k) {
            int x = (k - 1) * 150 + 10;
            drawSquare(x, 5, 130, 40);
            char text[64];
            std::snprintf(text, sizeof text, decimalFormat(), decimalOptions[taskIndex][k]);
            aographic_text(x, 10, 0, text);
        }
    } else {
        const IntRow& r1 = options[taskIndex];
        const IntRow& r2 = options2[taskIndex];
        switch (answerKind) {
        case 1:
            drawIntRow(r1, 5, 10, 0);
            drawIntRow(r2, 70, 75, kBlue);
            break;
        case 2:
            drawIntRow(r1, 5, 10, 0);
            aographic_text(7 * 120, 10, kBlue, "x Auswahl");
            drawIntRow(r2, 65, 70, 0);
            aographic_text(840, 70, kBlue, "y Auswahl");
            break;
        case 3:
            drawIntRow(r1, 80, 90, 0);
            aographic_text(720, 85, kBlue, ao_utf8_to_cp1252("Zähler gekürzt").c_str());
            drawIntRow(r2, 145, 150, 0);
            aographic_text(720, 150, kBlue, "Nenner gekürzt");
            break;
        case 6:
            drawIntRow(r1, 5, 5, kBlue);
            break;
        case 7:
        case 8:
            drawIntRow(r1, 20, 25, 0);
            aographic_text(720, 25, kBlue, ao_utf8_to_cp1252(" günstige Ereignisse").c_str());
            drawIntRow(r2, 85, 90, 0);
            aographic_text(720, 90, kBlue, ao_utf8_to_cp1252(" mögliche Ereignisse").c_str());
            break;
        case 9:
            drawIntRow(r1, 20, 25, 0);
            aographic_text(720, 25, kBlue, ao_utf8_to_cp1252(" Zähler").c_str());
            drawIntRow(r2, 85, 90, 0);
            aographic_text(720, 90, kBlue, " Nenner");
            break;
        default:
            drawIntRow(r1, 5, 10, 0);
            break;
        }
    }
    taskArea.flush();
}

// The clicked column: the first c of 0..5 with c * w <= x <= (c + 1) * w.
int columnAt(int x, int w)
{
    for (int c = 0; c < 6; ++c)
        if (c * w <= x && x <= (c + 1) * w) return c;
    return -1;
}

void verdict(bool right)
{
    if (right) {
        ++correctCount;
        if (soundOn == 1) playRightSound();
    } else {
        ++wrongCount;
        if (soundOn == 1) playWrongSound();
    }
}

// Waits for the next event with the waiting prompt's timer running.
int nextEvent()
{
    aoTimer timer((100 + 10 * waitingStage) * 1000);
    int e = aogetevent();
    if (e != timer.code[1]) return e;
    if (soundOn == 1) playWaitingPrompt();
    return -1;
}

void showRewardFaded()
{
    aographic_clear(0xFFFFFF);
    drawStoredPictureFaded();
    taskArea.flush(); // shown now, not only with the next task's squares
}

void judgeOne(bool decimal)
{
    int w = decimal ? 150 : 120;
    waitingStage = 0;
    while (aoisrunning()) {
        int e = nextEvent();
        if (e == 27) break;
        if (e != mainWindow.code[1]) continue;
        int x = mainWindow.mousex() - 10, y = mainWindow.mousey() - 180;
        int c = columnAt(x, w);
        if (c < 0 || y < 5 || y > 50) continue;
        bool right;
        if (decimal) {
            // Exact: a value that merely prints like the solution is wrong.
            right = decimalOptions[taskIndex][c + 1] == decimalSolution[taskIndex];
        } else {
            int picked = choiceMode == 2 ? c + 1 : options[taskIndex][c + 1];
            right = picked == solution[taskIndex];
        }
        verdict(right);
        if (!right) {
            if (decimal) termPrintf(ao_utf8_to_cp1252("\n!! Lösung war : %f  !!").c_str(), decimalSolution[taskIndex]);
            else termPrintf(ao_utf8_to_cp1252("\n!! Lösung war : %d  !!").c_str(), solution[taskIndex]);
            aowait(4);
        }
        break;
    }
    onScreen.active = false;
    if (!aoisrunning()) return;
    saveAreaRect(10, 1000, 100, 700);
    showRewardFaded();
}

bool relationHolds(int a, int b)
{
    switch (relationOp) {
    case 1: return a + b == target[taskIndex];
    case 2: return a - b == target[taskIndex];
    case 3: return a * b == target[taskIndex];
    case 4: return b != 0 && a / b == target[taskIndex];
    case 5: return a == solution[taskIndex] && b == solution2[taskIndex];
    default: return false;
    }
}

// Click zones of the two rows in taskArea rows, by answerKind.
void rowZones(int kind, int& r1lo, int& r1hi, int& r2lo, int& r2hi)
{
    if (kind == 3) {
        r1lo = 80, r1hi = 130, r2lo = 145, r2hi = 190;
    } else if (kind >= 7 && kind <= 9) {
        r1lo = 10, r1hi = 70, r2lo = 75, r2hi = 135;
    } else {
        r1lo = 5, r1hi = 50, r2lo = 51, r2hi = 100;
    }
}

void redEcho(int c, int value, int y)
{
    char text[32];
    std::snprintf(text, sizeof text, "%4i", value);
    int red = 0xFF0000;
    aographic_text(c * 120 + 10, y, red, text);
    aographic_text(c * 120 + 11, y, red, text);
    aographic_text(c * 120 + 11, y + 1, red, text);
    taskArea.flush();
}

// One click of a two-part answer.
void judgeTwo()
{
    int r1lo, r1hi, r2lo, r2hi;
    rowZones(answerKind, r1lo, r1hi, r2lo, r2hi);
    bool clicked = false;
    while (aoisrunning()) {
        int e = nextEvent();
        if (e == 27) break;
        if (e != mainWindow.code[1]) continue;
        int x = mainWindow.mousex() - 10, y = mainWindow.mousey() - 180;
        int c = columnAt(x, 120);
        int row = (y >= r1lo && y <= r1hi) ? 1 : (y >= r2lo && y <= r2hi) ? 2 : 0;
        if (c < 0 || row == 0) continue;
        clicked = true;
        bool early = answerKind >= 1 && answerKind <= 3;
        if (early) saveAreaRect(10, 1000, 10, 700);
        int value = row == 1 ? options[taskIndex][c + 1] : options2[taskIndex][c + 1];
        if (row == 1) pickedValue = value;
        else pickedValue2 = value;
        ++clickCount;
        if (clickCount == 2) verdict(relationHolds(pickedValue, pickedValue2));
        if (answerKind == 3) {
            termPrintf(row == 1 ? ao_utf8_to_cp1252("\n Zähler:  %d  ").c_str() : "\n Nenner:  %d  ", value);
        } else if (early) {
            termPrintf(row == 1 ? "\n 1. Reihe:  %d  " : "\n 2. Reihe:  %d  ", value);
        } else {
            taskArea.select();
            redEcho(c, value, row == 1 ? 25 : 90);
            if (row == 1) aowait(0.1);
        }
        break;
    }
    if (!clicked || !aoisrunning()) return;
    if (answerKind >= 1 && answerKind <= 3) {
        taskArea.select();
        if (clickCount == 2) aographic_clear(0xFFFFFF);
        drawStoredPictureFaded();
        if (clickCount < 2) restoreAreaRect(10, 1000, 10, 700);
        else taskArea.flush();
    } else {
        saveAreaRect(10, 1000, 130, 700);
        aographic_clear(0xFFFFFF);
        taskArea.flush();
        drawStoredPictureFaded();
        if (clickCount < 2) restoreAreaRect(10, 1000, 130, 700);
        else taskArea.flush();
    }
}

// ---- the headless "answer right|wrong" command

int rowCentreY(int row)
{
    int r1lo, r1hi, r2lo, r2hi;
    rowZones(answerKind, r1lo, r1hi, r2lo, r2hi);
    if (onScreen.rows != AnswerRows::TwoRows) return 180 + 27;
    return 180 + (row == 1 ? (r1lo + r1hi) / 2 : (r2lo + r2hi) / 2);
}

aoScriptResult answerCommand(const std::string& args)
{
    aoScriptResult r;
    bool wantRight = args == "right";
    if (!onScreen.active) {
        r.ok = false;
        r.error = "answer: no answer squares on screen";
        return r;
    }
    int w = onScreen.pitch;
    auto clickAt = [&](int c, int row) { r.clicks.push_back({10 + c * w + w / 2, rowCentreY(row)}); };
    int n = choiceMode == 2 ? 3 : std::min(optionCount, 6);
    if (onScreen.rows == AnswerRows::TwoRows) {
        // Clicks already made count: only the rows still open are clicked.
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b) {
                if (relationHolds(options[taskIndex][a], options2[taskIndex][b]) == wantRight) {
                    clickAt(a - 1, 1);
                    clickAt(b - 1, 2);
                    return r;
                }
            }
    } else {
        for (int c = 0; c < n; ++c) {
            bool right;
            if (onScreen.rows == AnswerRows::Decimal)
                right = decimalOptions[taskIndex][c + 1] == decimalSolution[taskIndex];
            else
                right = (choiceMode == 2 ? c + 1 : options[taskIndex][c + 1]) == solution[taskIndex];
            if (right == wantRight) {
                clickAt(c, 1);
                return r;
            }
        }
    }
    r.ok = false;
    r.error = wantRight ? "answer: no right square on screen" : "answer: no wrong square on screen";
    return r;
}

} // namespace

AnswerRows runAnswerEntry(int taskNumber)
{
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
    drawSquares(rows);
    onScreen.rows = rows;
    onScreen.pitch = rows == AnswerRows::Decimal ? 150 : 120;
    onScreen.active = true;
    if (rows == AnswerRows::TwoRows) {
        clickCount = pickedValue = pickedValue2 = 0;
        judgeTwo();
        if (aoisrunning()) judgeTwo();
    } else {
        judgeOne(rows == AnswerRows::Decimal);
    }
    onScreen.active = false;
}
