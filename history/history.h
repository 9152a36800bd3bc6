// A pupil's history: every game and every finished task, kept in an SQLite
// database. Only this folder speaks SQL; the quiz and the report call these
// plain functions. Texts are UTF-8; error reasons are German, for the term.
#pragma once

#include <climits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TaskVerdict { Right, Wrong, Skipped };
const char* verdictName(TaskVerdict verdict); // "right", "wrong", "skipped"

// How a game ended: all tasks played, too many wrong, the window closed, or a
// selection that gave no task. (The main screen serves ENDE only between games.)
enum class GameEnd { Finished, GameOver, Closed, Aborted };
const char* gameEndName(GameEnd end); // "finished", "game over", "closed", "aborted"

enum class GameKind { Game, Practice };

struct GameStart {
    std::string pupil;
    long long started = 0; // Unix seconds
    int level = 0, difficulty = 0;
    int tasks = 0; // tasks the game was started with
    GameKind kind = GameKind::Game;
    std::string input = "squares"; // "squares" or "typed": how answers were given
};

struct TaskRecord {
    int position = 0; // 1-based place in the game
    int taskNumber = 0;
    unsigned int seed = 0; // generator state before the task: aosrand(seed) makes it again
    std::string text;      // the task as printed, layout blanks folded
    std::string solution;  // as the game shows it
    std::string answer;    // the pupil's; "–" for nothing
    TaskVerdict verdict = TaskVerdict::Skipped;
    int seconds = 0;
};

struct GameResult {
    int right = 0, wrong = 0, skipped = 0;
    std::string grade; // the grade box's text, empty when none is shown
    int seconds = 0;
    GameEnd end = GameEnd::Finished;
};

// The schema version this build writes; files with a higher one are refused.
constexpr int kHistorySchemaVersion = 2;

// ---- the quiz's connection: one per process, opened once at start-up

// Opens (creating when missing) and upgrades the database. A file that is
// locked, read-only, corrupt, foreign or from a newer version is left exactly
// as it is: false with the German reason in err.
bool historyOpen(const std::string& path, std::string& err);
void historyClose();
bool historyActive();
// Each call is its own transaction, committed before it returns. On failure
// the connection is closed (play goes on without history) and err says why.
bool historyBeginGame(const GameStart& game, std::string& err);
bool historyRecordTask(const TaskRecord& task, std::string& err);
bool historyEndGame(const GameResult& result, std::string& err);

// ---- reading, for the report

struct StoredGame {
    long long id = 0;
    std::string pupil;
    long long started = 0;
    int level = 0, difficulty = 0, tasks = 0;
    GameKind kind = GameKind::Game;
    // Counts of the task rows; for a game that never ended (a crash) they are
    // all the history knows.
    int right = 0, wrong = 0, skipped = 0;
    std::string grade;
    int seconds = 0;
    std::optional<GameEnd> end; // empty: the program stopped during the game
    std::vector<TaskRecord> taskList;
};

struct HistoryFilter {
    std::string pupil;               // empty: every pupil
    long long since = LLONG_MIN;     // games started at or after (Unix seconds)
};

// Reads without changing anything; a missing file is an error, not a new one.
bool historyLoad(const std::string& path, const HistoryFilter& filter, std::vector<StoredGame>& games,
                 std::string& err);
