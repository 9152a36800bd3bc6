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
constexpr int kHistorySchemaVersion = 4;

// ---- the quiz's connection: one per process, opened once at start-up

// Opens (creating when missing, private to the login) and upgrades the
// database. A file that is read-only, corrupt, foreign or from a newer
// version is left exactly as it is: false with the German reason in err. A
// file locked by another program is opened when the lock goes: until then
// the records wait in memory, as during a game.
bool historyOpen(const std::string& path, std::string& err);
// Writes what waits in memory, giving a lock a moment to go, and gives the
// sender a short, fixed time to bring the last tasks to the school server;
// false with err when tasks could not be written after all.
bool historyClose(std::string& err);
void historyClose();
bool historyActive();
// The class stamped on the games begun from now on ("" for none).
void historySetClass(const std::string& className);
// Names and classes as the history keeps them: invalid UTF-8 is read as
// Windows-1252 (a class list saved by an old editor), control characters
// go, and the length is bounded. note gets a German line when anything
// changed.
constexpr size_t kMaxPupilChars = 60, kMaxClassChars = 30;
std::string historyCleanName(const std::string& name, size_t maxChars, std::string& note);
// Each call is its own transaction, committed before it returns, unless
// another program holds the file: then the record waits in memory (a bounded
// number of them) and a background thread writes it when the lock goes. Only
// a file that is really unusable (or a lock that outlasts the waiting room)
// closes the connection (play goes on without history): false, err says why.
bool historyBeginGame(const GameStart& game, std::string& err);
bool historyRecordTask(const TaskRecord& task, std::string& err);
bool historyEndGame(const GameResult& result, std::string& err);
// Records waiting in memory for a lock to go (tests, and the terminal).
int historyWaiting();
// A German line the terminal should show, from the background threads (a lock
// begins to hold records back, the school server cannot be reached); false
// when there is none. Each is handed out once.
bool historyNotice(std::string& line);
// Tests only: the most records that may wait in memory.
void historySetWaitingLimit(int records);

// ---- reading, for the report

struct StoredGame {
    long long id = 0;
    std::string pupil;
    long long started = 0;
    int level = 0, difficulty = 0, tasks = 0;
    GameKind kind = GameKind::Game;
    std::string input = "squares"; // how answers were given
    std::string className;          // "" when none was set
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
    std::string className = "";      // empty: every class
};

// Reads without changing anything; a missing file is an error, not a new one.
// A file that cannot be written (a read-only share, another user's file) is
// read all the same. path may also be a school server's URI (below).
bool historyLoad(const std::string& path, const HistoryFilter& filter, std::vector<StoredGame>& games,
                 std::string& err);

// ---- the school server (PostgreSQL, history_server.cpp)
//
// The local file stays the first home of every task; a sender thread pushes
// what the server lacks. Every row is keyed by the file's machine id, the
// local game id and the task's position, so a repeat is harmless. Connection
// strings are libpq's (URI or key=value; PG* variables and ~/.pgpass apply).

// The schema version this build creates on a server; newer ones are refused.
constexpr int kServerSchemaVersion = 2;

// "postgresql://…" or "postgres://…".
bool isServerUri(const std::string& text);
// The connection text with any password replaced by "***", for messages.
std::string redactedUri(const std::string& uri);
// Overwrites a password in a command-line argument with "x" where it lies
// (the process list shows argv to everyone on the machine); true when there
// was one. The caller keeps its own copy for connecting.
bool hidePasswordInArgument(char* arg);

// Starts the background sender for the open history (historyOpen first).
// It never blocks the caller; what it cannot send now goes later, and
// historyNotice says once when the server cannot be reached.
void historyStartSender(const std::string& uri);

// Pushes everything the server lacks from the file at path, now; sent is the
// number of tasks sent. False with err when the server refuses or is away.
// A row the server refuses (its text, its size) is set aside with the
// reason and does not hold back the rows after it.
bool historySync(const std::string& path, const std::string& uri, int& sent, std::string& err);

// The rows of a local file the school server refused, with its reason.
struct SetAsideRow {
    std::string pupil;
    long long started = 0;
    int position = 0; // 0: the game itself
    std::string reason;
};
bool historySetAside(const std::string& path, std::vector<SetAsideRow>& rows, std::string& err);

// A connection of its own to a school server, for tools that act as many
// machines at once (bench/school_load); the quiz has the sender instead.
class ServerSession {
public:
    explicit ServerSession(std::string uri);
    ~ServerSession();
    ServerSession(const ServerSession&) = delete;
    ServerSession& operator=(const ServerSession&) = delete;
    // One finished task as the sender sends it: the game's start (a repeat
    // is harmless) and the task in one transaction. False with err when the
    // server is away or refuses; the next call connects again.
    bool sendTask(const std::string& machine, const std::string& game, const GameStart& start,
                  const std::string& className, const TaskRecord& task, std::string& err);
    // Ends the connection; the next task connects again (as the sender
    // does between tasks).
    void disconnect();

private:
    std::string uri_;
    void* connection_ = nullptr;
};

// Creates or upgrades the server's schema and its roles: the machines'
// roles may only add their own results, ziffron_teacher may read them;
// ziffron_pupil is the shared role of older set-ups. A non-empty password
// is set (hashed here, so the plain text never reaches the server's log).
// log gets one German line per step.
bool historyInitServer(const std::string& uri, const std::string& pupilPassword, const std::string& teacherPassword,
                       std::string& log, std::string& err);

// Enrols one machine: a login role of its own (ziffron_m_NAME; name of
// a-z, 0-9 and _), which can add rows only under its own name, with a small
// connection limit and timeouts set by the administrator. An existing
// machine gets the new password. stanza gets the lines of libpq's service
// file for that machine (section [ziffron], password included), naming host
// as the server (empty: the host of uri).
bool historyAddMachine(const std::string& uri, const std::string& name, const std::string& password,
                       const std::string& host, std::string& stanza, std::string& log, std::string& err);
