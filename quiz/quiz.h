// The quiz engine: process-wide state of the main screen and the game, and
// the entry points of its parts.
#pragma once

#include "answer_rows.h"
#include "aotoolkit.h"
#include "history.h"
#include "settings.h"
#include "options_editor.h"
#include "selection_file.h"

#include <string>
#include <string_view>
#include <vector>

// Builds the main screen and serves its buttons until the program ends.
void quiz_main();
// The two halves of quiz_main: start-up, and the loop over the five buttons.
void setupMainScreen();
void serveMainScreen();

// ---- state of the main screen
extern int level;          // Stufe 1..12
extern int difficulty;     // Schwierigkeit 1..3
extern int schoolClass;    // Klasse 5..8
extern int soundOn;        // 1 on, -1 off
extern int secondsPerTask[40];
extern int timeAllowance;  // seconds for the whole game
extern int elapsedSeconds; // seconds used so far in the game
extern int wrongCount;

// ---- the main window, its layout and its nine drawing areas
extern aoWindow mainWindow;
extern aoGUIScript screen;
extern aoView taskArea, progressBar, soundIndicator, avatarArea, timeBar, correctBar, wrongBar,
    classBadge, gradeBox;
// Centre of taskArea, for the picture drawings.
extern int taskCentreX, taskCentreY;

// Prints into the terminal "term" of the main screen.
void termPrintf(const char* format, ...) AO_PRINTF(1, 2);
// The status line under the terminal (UTF-8; empty clears it). A notice of
// the history (the school server is away, the file is locked) stands there
// until the next game: in the terminal the next task's text scrolls it away
// before anyone could read it.
void showNotice(const std::string& utf8);

// Fills secondsPerTask with the start-up values.
void fillSecondsPerTask();
// Class 5..8 of a level.
int classForLevel(int level);
void drawSoundIndicator();
void drawClassBadge();
// The START sequence: one whole game.
void startGame();

// ---- scoring and the progress panel
void resetProgressPanel();
void updateTimeBar(int elapsed, int allowance);
// Score, grade, avatar and bars after a task.
void updateScore();
// The texts written into the grade box for a share of right answers, in order.
std::vector<const char*> gradeStrokes(double ratio);
// The largest stored font in which all of them fit the grade box whole.
const char* gradeFont(const std::vector<const char*>& strokes);

// ---- answer entry
// Builds, draws and judges the answer squares of the current task; returns
// what kind of answer it was (for the solution line).
AnswerRows runAnswerEntry(int taskNumber);
// Draws rows already built for taskIndex and runs the judging calls.
void showAndJudge(AnswerRows rows);
extern int clickCount, pickedValue, pickedValue2;

// How answers are given: squares (the default) or typed. The selection file
// keeps it; the main screen's EINGABE switch and --typed set it.
extern AnswerInput answerInput;
extern bool typedOption; // --typed: typing for this run, whatever the file says
// Takes "--typed" at argv[i]: 1 when it is, 0 when not.
int takeTypedOption(int argc, char** argv, int i);
// The switch's box on the main screen, and its turning.
void drawInputIndicator();
void toggleAnswerInput();

// The judges of answer entry: a clicked square and a typed value go through
// the same ones. answerVerdict counts and sounds the verdict.
void answerVerdict(bool right);
bool wholeAnswerRight(long long value);
bool decimalAnswerRight(std::string_view printed); // as printed at the task's places
bool pairAnswerRight(int first, int second);
// Two numbers as the review writes them: "(3 | 4)", "3 / 4", "18 und 37".
std::string pairText(int first, int second);
// An equal fraction not yet reduced, where the task asks for the reduced one.
bool needsReducing(int first, int second);

// How the task answered last ended, for the score, the review and the history.
enum class Verdict { Unjudged, Right, Wrong, Skipped }; // Unjudged: the task had no squares
struct TaskOutcome {
    Verdict verdict = Verdict::Unjudged;
    int answeredMs = -1;     // aogettime() of the verdict or the skip; -1 none
    std::string answer;      // the pupil's pick as the squares print it ("57", "3 / 4", "<"), UTF-8
    std::string rightAnswer; // the right answer in the same form
};
extern TaskOutcome taskOutcome;

// ---- the worked solution (Lösungsweg) of the current task
// After a wrong answer or a skip: a card in the task area, written to term
// and read aloud; waits at least minSeconds (the verdict's pause) and long
// enough to read, a key or a click going on early. The card stays below
// answerBottom, the lowest task-area row of the squares or fields. Without a
// Lösungsweg it waits minSeconds, as before.
void showSolutionSteps(double minSeconds, int answerBottom);
double stepsReadingSeconds(size_t lines);

// Where the task drew in the task area (the pixels it changed): the card
// keeps clear of it, and the review keeps that part of the area.
class PictureInk {
public:
    PictureInk() = default;
    // The pixels of `after` that differ from `before`; with no `before` of
    // the same size, those that are not white.
    PictureInk(const aoPixmap& after, const std::vector<uint32_t>& before);
    bool empty() const { return top_ < 0; }
    // The drawn rows and, below row `from`, the drawn columns; -1 when none.
    int top() const { return top_; }
    int bottom() const { return bottom_; }
    int leftBelow(int from) const;
    int rightBelow(int from) const;
    // Drawn pixels inside the rectangle (clipped to the area).
    int count(int x, int y, int w, int h) const;
    bool drawn(int x, int y) const { return count(x, y, 1, 1) > 0; }

private:
    int width_ = 0, height_ = 0, top_ = -1, bottom_ = -1;
    std::vector<int> sums_;             // per row: drawn pixels left of each column, width_ + 1 each
    std::vector<int> first_, last_;     // per row: first and last drawn column, -1
};

// The Lösungsweg card as laid out: where it stands, its font, and its lines
// (Windows-1252) wrapped to its width. The task's line stands above the
// steps: the terminal has scrolled the question away by then.
struct StepsCard {
    int x = 0, y = 0, w = 0, h = 0;
    const char* font = "Arial28"; // of the steps
    int lineHeight = 38;
    std::vector<std::string> taskLines;
    struct Line {
        std::string text;
        bool continued = false; // the rest of a step too long for one line, indented
    };
    std::vector<Line> stepLines;
};
// The card for these steps (UTF-8) and this task line (UTF-8, may be empty):
// of the places below answerBottom where it fits (across the foot, beside
// the picture on its right or its left, in two sizes of type), the one that
// covers the fewest drawn pixels, the foot first among equals.
StepsCard layoutStepsCard(const std::vector<std::string>& steps, const std::string& task, const PictureInk& ink,
                          int answerBottom);
void drawStepsCard(const StepsCard& card);
// The lines as read aloud.
std::string spokenSteps(const std::vector<std::string>& lines);

// ---- the game
void runGame();
// A game of the given task numbers (all of level and difficulty), with the
// START sequence and the usual scoring.
void startPractice(int level, int difficulty, const std::vector<int>& taskNumbers);
void runSelectionEditor(); // switches task types of the last START's group off and on

// ---- the file that keeps the selection table between runs
// --selection FILE, absolute; empty: auswahl.txt in the per-user settings folder.
extern std::string selectionFile;
// Takes "--selection FILE" at argv[i]: 2 arguments used, 0 when not it, -1 with err.
int takeSelectionOption(int argc, char** argv, int i, std::string& err);
struct SelectionStore {
    std::string path;      // --selection FILE, else auswahl.txt in the settings folder
    bool keep = true;      // false: changes last for the run (file write-protected or faulty)
    std::string reason;    // why not kept, for the one message in term
    bool told = false;     // term has said so once
    std::string savedText; // the table as the file holds it
};
extern SelectionStore selectionStore;
// At start-up: switches off what the file says; faults are named in term.
void loadSelection();
// When the editor closes: writes the table if it changed and may be kept.
void saveSelection();
// The task number of the task played last.
extern int lastTaskNumber;

// ---- what a game leaves behind: the review, the practice and the history

// --history FILE|URI, --no-history, --pupil NAME, --class NAME, over what
// ziffron.conf says. The program enables the history; tests and other
// callers start without one.
struct HistorySettings {
    bool enabled = false;
    std::string path;  // empty: history.sqlite3 in the per-user data folder
    std::string pupil; // empty: the login name
    std::string server = "";    // a school server's URI: the file's rows are sent there too
    std::string className = ""; // stamped on each game
    std::vector<std::string> notes = {}; // for the terminal at opening (faulty ziffron.conf lines)
    bool askPupil = false;                   // "pupil = ask": the name is picked at START
    std::vector<std::string> classList = {}; // ... from these ("pupils = ..."), UTF-8
};
extern HistorySettings historySettings;
// What ziffron.conf says, before the command line.
void takeSettings(const Settings& conf, HistorySettings& settings);
// Takes the option at argv[i]: the number of arguments used, 0 when it is not
// one of the four, -1 with err when it is malformed. A password in a server
// URI is blanked in argv, out of the process list.
int takeHistoryOption(int argc, char** argv, int i, HistorySettings& settings, std::string& err);
// Opens the history named by historySettings; says in term when it cannot.
void openHistory();
// Closes it, writing what waits for a lock; says in term what was lost.
void closeHistory();
// With "pupil = ask", a class list and no --pupil: the names to pick from at
// each START, else empty. The pupil's name for the games from now on.
const std::vector<std::string>& pupilsToAsk();
const std::string& gamePupil();
void setGamePupil(const std::string& name);
// Asks in taskArea who plays; false when Escape or closing the window cancels.
bool choosePupil();

// The part of the task area a task drew into, at full size: the pixels it
// drew, white elsewhere, packed as runs of one colour.
struct PackedPicture {
    int x = 0, y = 0, width = 0, height = 0; // its place in the task area
    std::vector<uint32_t> runs;               // pairs: how many pixels, their colour
    bool empty() const { return width <= 0; }
    aoPixmap unpack() const;
};
PackedPicture packDrawn(const aoPixmap& area, const PictureInk& ink);

// The game's record, kept for the review and written to the history.
// What the review shows of a task beyond its record, kept for this run only.
struct TaskShown {
    std::vector<std::string> steps; // the Lösungsweg, UTF-8
    std::string choices;             // the squares' values when the text does not name them ("21, 23, 29")
    aoPixmap picture;                // the task area as the task was posed, a third of its size
    PackedPicture drawn;             // what the task drew, at full size
};
struct GameLog {
    int level = 0, difficulty = 0;
    std::vector<TaskRecord> tasks;
    std::vector<TaskShown> shown; // one per task
};
extern GameLog gameLog;
// Hooks of the game loop.
void gameLogBegin(GameKind kind);
void taskLogBegin();   // before the generator: its seed, and the text it prints
void captureTaskText(const std::string& cp1252);
void taskLogShown();    // the task is on screen: its picture is kept for the review
// The text of the task on screen, layout blanks folded (UTF-8).
std::string currentTaskLine();
// What the task on screen drew into the task area.
const PictureInk& taskPictureInk();
void taskLogEnd(AnswerRows rows, int seconds);
// The seconds a task took the pupil: from shownMs to the verdict (or to
// nowMs when there was none), rounded.
int pupilSeconds(int shownMs, int answeredMs, int nowMs);
void gameLogEnd(GameEnd end);

// The review ("Rückblick") in taskArea and the practice of the mistakes.
// Handles R, F, the wheel, the arrows and clicks into taskArea after a game;
// false for every other event.
bool reviewHandleEvent(int event);
void showReview();
// Something else takes the task area (a game, an editor): the review's keys
// and clicks are off until R or a click opens it again.
void closeReview();
// Layout blanks and line breaks folded into single blanks (any single-byte text).
std::string foldBlanks(const std::string& text);
// The line cut with "…" to fit maxWidth pixels in the font (Windows-1252).
std::string shortLine(const std::string& cp1252, int font, int maxWidth);
// The text broken at blanks into lines of maxWidth pixels, at most maxLines
// (the last one cut with "…" when more would be needed).
std::vector<std::string> wrapLines(const std::string& cp1252, int font, int maxWidth, int maxLines);
// Opens (or closes) the Lösungsweg of the task at index task of the log, as a click on it does.
void openReviewTask(int task);
// The task numbers a practice of the log's mistakes plays; empty when none.
std::vector<int> practicePlan(const GameLog& log);
