// The START sequence and the loop of one game.
#include "answer_rows.h"
#include "catalog.h"
#include "keyboard.h"
#include "pictures.h"
#include "quiz.h"
#include "sounds.h"
#include "squares.h"

int lastTaskNumber = 0;

namespace {

// A practice game plays these task numbers in order instead of drawing from
// the selection; empty for an ordinary game.
std::vector<int> practiceNumbers;

int wallSeconds()
{
    return aogettime() / 1000;
}

// The entry of the next task from the selection; 0 ends the game.
int drawEntry()
{
    if (!practiceNumbers.empty()) return taskEntry(practiceNumbers[taskIndex - 1]);
    int n = entryCount[level][difficulty];
    int selected = 0, entry = 1;
    for (int e = 1; e <= n && e <= kSelectionSlots; ++e)
        if (selection[level][difficulty][e] != 0) {
            ++selected;
            entry = selection[level][difficulty][e];
        }
    if (selected == 0) {
        termPrintf(ao_utf8_to_cp1252("\n \n Fehler Auswahl!\n Es wurden keine Aufgaben im Bereich bis %d ausgewählt.\n "
                                     "Programm wurde abgebrochen. ")
                       .c_str(),
                   n);
        aowait(3.5);
        return 0;
    }
    if (n != 1) {
        do {
            entry = selection[level][difficulty][aorand() % n + 1];
        } while (entry == 0);
    }
    if (entry > n) {
        termPrintf(ao_utf8_to_cp1252("\n \n Fehler Auswahl! \n Für diese Auswahl %d existiert keine Aufgabe \n Spiel "
                                     "wurde abgebrochen.")
                       .c_str(),
                   entry);
        aowait(3.5);
        return 0;
    }
    return entry;
}

void printSolution(AnswerRows rows)
{
    switch (rows) {
    case AnswerRows::Integer:
        termPrintf(" LSG = %d ", solution[taskIndex]);
        break;
    case AnswerRows::TwoRows:
        termPrintf(" LSG1 = %d LSG2 = %d ", solution[taskIndex], solution2[taskIndex]);
        break;
    case AnswerRows::Decimal:
        // As the square shows it.
        termPrintf(" LSG = %s ", ao_utf8_to_cp1252(taskOutcome.rightAnswer).c_str());
        break;
    case AnswerRows::None:
        break;
    }
}

// Per-task seconds for later games of this level and difficulty.
void rewriteSecondsPerTask()
{
    int s = 10;
    if (level == 4) s = difficulty == 3 ? 30 : 20;
    secondsPerTask[level * 3 + difficulty] = s;
}

void endOfGame(bool aborted)
{
    // Rewards are earned by right answers only: a skipped task is not one,
    // and a game stopped for want of selected tasks earns nothing.
    bool allRight = !aborted && correctCount == taskCount;
    if (allRight && taskIndex == taskCount + 1 && taskIndex >= 20 && soundOn == 1) {
        taskArea.select();
        showChampion();
        taskArea.flush();
        mediaChoice.rewardIndex = -1;
    }
    if (allRight && taskIndex < 20 && soundOn == 1) showLevelDone();
    termPrintf("\n\n neu starten ? \n  ");
}

void runStart();

} // namespace

void runGame()
{
    aosrand_time();
    presetGameStart();
    wrongCount = 0;
    correctCount = 0;
    bool aborted = false;
    termPrintf("\n\n\n\n \n \n  ");
    showNotice(""); // the last game's notice is old news
    gameLogBegin(practiceNumbers.empty() ? GameKind::Game : GameKind::Practice);
    GameEnd end = GameEnd::Finished;
    for (taskIndex = 1; taskIndex <= taskCount && aoisrunning(); ++taskIndex) {
        // solution2, answerKind, choiceMode, optionCount and firstDistractorSlot.
        presetTask(taskIndex);
        int entry = drawEntry();
        if (entry == 0) {
            aborted = true;
            end = GameEnd::Aborted;
            break;
        }
        double ratio = static_cast<double>(taskCount - wrongCount) / taskCount;
        if (ratio <= 0.5) {
            if (soundOn == 1) showGameOver();
            end = GameEnd::GameOver;
            break;
        }
        int start = wallSeconds();
        selectTaskFont(level);
        int taskNumber = level * 1000 + difficulty * 100 + entry;
        rewriteSecondsPerTask();
        lastTaskNumber = taskNumber;
        taskLogBegin();
        taskStarts();
        generateTask(taskNumber);
        taskShown();
        taskLogShown();
        const int shownMs = aogettime();
        AnswerRows rows = runAnswerEntry(taskNumber);
        // A task without squares cannot be answered; it counts as right.
        if (rows == AnswerRows::None) ++correctCount;
        taskAnswered();
        printSolution(rows);
        // The pupil's own time: the pause after the verdict is not theirs.
        taskLogEnd(rows, pupilSeconds(shownMs, taskOutcome.answeredMs, aogettime()));
        elapsedSeconds += wallSeconds() - start;
        updateTimeBar(elapsedSeconds, timeAllowance);
        taskArea.select();
        updateScore();
    }
    if (!aoisrunning()) end = GameEnd::Closed;
    gameLogEnd(end);
    endOfGame(aborted);
    if (!gameLog.tasks.empty()) termPrintf("%s", ao_utf8_to_cp1252("R: Rückblick").c_str());
}

void startGame()
{
    if (!choosePupil()) return;
    level = screen.getvalue("udStufe");
    difficulty = screen.getvalue("udSchwierigkeit");
    taskCount = screen.getvalue("udAnzahlAufgaben");
    practiceNumbers.clear();
    runStart();
}

void startPractice(int practiceLevel, int practiceDifficulty, const std::vector<int>& taskNumbers)
{
    level = practiceLevel;
    difficulty = practiceDifficulty;
    practiceNumbers = taskNumbers;
    taskCount = static_cast<int>(practiceNumbers.size());
    runStart();
    practiceNumbers.clear();
}

namespace {

// The START sequence from the class badge on, for a game or a practice.
void runStart()
{
    closeReview();
    schoolClass = classForLevel(level);
    drawClassBadge();
    drawMediaChoice();
    if (taskCount >= 20) {
        if (soundOn == 1) aoplaysound("sound/champion-a1.wav");
        aowait(4);
    }
    if (soundOn == 1) pictureSequence.open("video_%d", mediaChoice.rewardIndex);
    showStartPicture();
    if (soundOn == 1) playStartSound();
    taskArea.select();
    aographic_setfont("arial28");
    timeAllowance = secondsPerTask[level * 3 + difficulty] * taskCount;
    resetProgressPanel();
    runGame();
    elapsedSeconds = 0;
}

} // namespace
