// The history database: schema, upgrades, the quiz's writes and the report's
// reads. WAL with synchronous=NORMAL: a commit costs no fsync, and a killed
// process loses nothing committed (only a power cut may lose the last tasks).
#include "history.h"
#include "history_internal.h"

#include "aotoolkit.h"

#include <sqlite3.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace historydb {

namespace {

// Each step takes the schema from version i to i + 1, in one transaction.
const char* const kUpgrades[kHistorySchemaVersion] = {
    // 1: games and their tasks.
    "CREATE TABLE games ("
    " id INTEGER PRIMARY KEY,"
    " pupil TEXT NOT NULL,"
    " started INTEGER NOT NULL," // Unix seconds
    " level INTEGER NOT NULL,"
    " difficulty INTEGER NOT NULL,"
    " tasks INTEGER NOT NULL,"
    " answered_right INTEGER,"
    " answered_wrong INTEGER,"
    " skipped INTEGER,"
    " grade TEXT,"
    " seconds INTEGER,"
    " ended TEXT CHECK (ended IN ('finished', 'game over', 'closed', 'aborted')));"
    "CREATE TABLE tasks ("
    " game INTEGER NOT NULL REFERENCES games(id),"
    " position INTEGER NOT NULL,"
    " task_number INTEGER NOT NULL,"
    " seed INTEGER NOT NULL,"
    " text TEXT NOT NULL,"
    " solution TEXT NOT NULL,"
    " answer TEXT NOT NULL,"
    " verdict TEXT NOT NULL CHECK (verdict IN ('right', 'wrong', 'skipped')),"
    " seconds INTEGER NOT NULL,"
    " PRIMARY KEY (game, position));",
    // 2: practice games are told apart; the report looks games up by pupil.
    "ALTER TABLE games ADD COLUMN kind TEXT NOT NULL DEFAULT 'game' CHECK (kind IN ('game', 'practice'));"
    "CREATE INDEX games_by_pupil ON games(pupil, started);",
    // 3: how answers were given, the class, and what the school server has
    // (sent: 1 the game's start, 2 its end too); the file's own random id
    // keys its rows on the server.
    "ALTER TABLE games ADD COLUMN input TEXT NOT NULL DEFAULT 'squares';"
    "ALTER TABLE games ADD COLUMN class TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE games ADD COLUMN sent INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE tasks ADD COLUMN sent INTEGER NOT NULL DEFAULT 0;"
    "CREATE INDEX tasks_unsent ON tasks(game, position) WHERE sent = 0;"
    "CREATE INDEX games_unsent ON games(id) WHERE sent < 2;"
    "CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT NOT NULL);"
    "INSERT INTO meta VALUES ('machine', lower(hex(randomblob(16))));",
    // 4: a random key per game for the school server, made when the game
    // starts, so that copies of a file and new games never share one (older
    // games keep their row id); the reason when the server refused a row.
    "ALTER TABLE games ADD COLUMN uid TEXT;"
    "ALTER TABLE games ADD COLUMN refused TEXT;"
    "ALTER TABLE tasks ADD COLUMN refused TEXT;",
};

} // namespace

std::string reason(sqlite3* db, int rc)
{
    switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "Datenbank ist gesperrt";
    case SQLITE_READONLY: return "schreibgeschützt";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return "beschädigt oder keine Datenbank";
    case SQLITE_FULL: return "Datenträger voll";
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
    case SQLITE_PERM: {
        int e = db ? sqlite3_system_errno(db) : 0;
        return e ? aofile_reason(e) : std::string(sqlite3_errstr(rc));
    }
    default: return db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    }
}

bool exec(sqlite3* db, const char* sql, std::string& err)
{
    int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) err = reason(db, rc);
    return rc == SQLITE_OK;
}

Stmt prepare(sqlite3* db, const char* sql, std::string& err)
{
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
    if (rc != SQLITE_OK) err = reason(db, rc);
    return Stmt(s);
}

// The first column of the first row of sql as an integer.
bool queryInt(sqlite3* db, const char* sql, long long& out, std::string& err)
{
    Stmt s = prepare(db, sql, err);
    if (!s) return false;
    int rc = sqlite3_step(s.get());
    if (rc != SQLITE_ROW) {
        err = reason(db, rc);
        return false;
    }
    out = sqlite3_column_int64(s.get(), 0);
    return true;
}

// Steps a statement that returns no rows and resets it for the next use.
bool run(sqlite3* db, sqlite3_stmt* s, std::string& err)
{
    int rc = sqlite3_step(s);
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    if (rc != SQLITE_DONE) err = reason(db, rc);
    return rc == SQLITE_DONE;
}

void bindText(sqlite3_stmt* s, int i, const std::string& text)
{
    sqlite3_bind_text(s, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string columnText(sqlite3_stmt* s, int i)
{
    const unsigned char* t = sqlite3_column_text(s, i);
    return t ? std::string(reinterpret_cast<const char*>(t), sqlite3_column_bytes(s, i)) : std::string();
}

// Checks that db holds our history (or nothing yet) in a version we know,
// without writing anything.
bool checkOurs(sqlite3* db, long long& version, std::string& err)
{
    if (!queryInt(db, "PRAGMA user_version", version, err)) return false;
    if (version > kHistorySchemaVersion) {
        err = "von einer neueren Programmversion (Schema " + std::to_string(version) + ", bekannt bis " +
              std::to_string(kHistorySchemaVersion) + ")";
        return false;
    }
    long long objects = 0;
    if (!queryInt(db, "SELECT count(*) FROM sqlite_schema", objects, err)) return false;
    // A negative version is no version of ours, whatever the file holds.
    if (version < 0 || (version == 0 && objects > 0)) {
        err = "enthält fremde Daten, keinen Verlauf";
        return false;
    }
    // A damaged page would otherwise only show when a write touches it.
    Stmt s = prepare(db, "PRAGMA quick_check(1)", err);
    if (!s) return false;
    int rc = sqlite3_step(s.get());
    if (rc != SQLITE_ROW) {
        err = reason(db, rc);
        return false;
    }
    if (columnText(s.get(), 0) != "ok") {
        err = reason(db, SQLITE_CORRUPT);
        return false;
    }
    return true;
}

bool upgrade(sqlite3* db, long long version, std::string& err)
{
    for (long long v = version; v < kHistorySchemaVersion; ++v) {
        std::string sql = std::string("BEGIN IMMEDIATE;") + kUpgrades[v] + "PRAGMA user_version = " +
                          std::to_string(v + 1) + ";COMMIT;";
        if (!exec(db, sql.c_str(), err)) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return false;
        }
    }
    return true;
}

// A file whose write permission bits are all off is the owner's "do not
// write", even for root, whom the system would let through.
bool writeProtected(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

Db openDb(const std::string& path, int flags, std::string& err, int busyMs = 100)
{
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) {
        err = reason(db.get(), rc);
        return nullptr;
    }
    sqlite3_extended_result_codes(db.get(), 1);
    // Another program holding the file gets a moment, never more.
    sqlite3_busy_timeout(db.get(), busyMs);
    return db;
}

Db openForSender(const std::string& path, std::string& err)
{
    Db db = openDb(path, SQLITE_OPEN_READWRITE, err, 5000);
    if (db && !exec(db.get(), "PRAGMA synchronous = NORMAL", err)) return nullptr;
    return db;
}

} // namespace historydb

using namespace historydb;

namespace {

// ---- the quiz's connection

// One record on its way into the file. Games are named by a token of this
// run, since a game waiting in memory has no row id yet.
struct PendingWrite {
    enum class Kind { Begin, Task, End } kind = Kind::Begin;
    long long game = 0; // token
    GameStart start;
    TaskRecord task;
    GameResult result;
};

enum class Outcome { Written, Busy, Failed };

struct Connection {
    Db db;
    Stmt beginGame, recordTask, endGame;
    std::string path, className;
    // Set once db is there (the retry thread may open it while the quiz's
    // thread asks); opening: locked at start, the retry thread opens it.
    std::atomic<bool> ready{false}, opening{false};
    long long game = 0;                   // token of the running game, 0 between games
    long long tokens = 0;                 // tokens handed out
    long long writtenGame = 0, row = 0;   // the last game written: token and row id
};

Connection connection;

// The waiting room. While it holds anything only the retry thread touches
// the database, so that the records keep their order; the quiz's thread only
// queues. Empty, the quiz's thread writes directly (the retry thread idles).
struct Waiting {
    std::mutex lock;
    std::condition_variable wake;
    std::deque<PendingWrite> records;
    std::string failure; // set by the retry thread: the file is unusable
    bool stop = false;
    std::thread retry;
    int limit = 5000;
    std::deque<std::string> notices;
    bool lockNoticed = false;
    // A program that ends without historyClose still ends the threads first.
    ~Waiting()
    {
        senderStop();
        {
            std::lock_guard<std::mutex> l(lock);
            stop = true;
        }
        wake.notify_all();
        if (retry.joinable()) retry.join();
    }
} waiting;

bool isBusy(int rc)
{
    rc &= 0xFF;
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

Outcome openNow(const std::string& path, int busyMs, std::string& err);

// Writes one record in its own transaction.
Outcome writeRecord(const PendingWrite& w, std::string& err)
{
    if (!connection.db) {
        // Locked since the start: open first.
        Outcome o = openNow(connection.path, 100, err);
        if (o != Outcome::Written) return o;
    }
    sqlite3* db = connection.db.get();
    sqlite3_stmt* s = nullptr;
    switch (w.kind) {
    case PendingWrite::Kind::Begin: {
        const GameStart& g = w.start;
        s = connection.beginGame.get();
        bindText(s, 1, g.pupil);
        sqlite3_bind_int64(s, 2, g.started);
        sqlite3_bind_int(s, 3, g.level);
        sqlite3_bind_int(s, 4, g.difficulty);
        sqlite3_bind_int(s, 5, g.tasks);
        sqlite3_bind_text(s, 6, g.kind == GameKind::Practice ? "practice" : "game", -1, SQLITE_STATIC);
        bindText(s, 7, g.input);
        bindText(s, 8, connection.className);
        break;
    }
    case PendingWrite::Kind::Task: {
        // The game's start was written before, in order; without it (a
        // game begun before the file broke) there is nothing to add to.
        if (w.game != connection.writtenGame) return Outcome::Written;
        const TaskRecord& t = w.task;
        s = connection.recordTask.get();
        sqlite3_bind_int64(s, 1, connection.row);
        sqlite3_bind_int(s, 2, t.position);
        sqlite3_bind_int(s, 3, t.taskNumber);
        sqlite3_bind_int64(s, 4, t.seed);
        bindText(s, 5, t.text);
        bindText(s, 6, t.solution);
        bindText(s, 7, t.answer);
        sqlite3_bind_text(s, 8, verdictName(t.verdict), -1, SQLITE_STATIC);
        sqlite3_bind_int(s, 9, t.seconds);
        break;
    }
    case PendingWrite::Kind::End: {
        if (w.game != connection.writtenGame) return Outcome::Written;
        const GameResult& r = w.result;
        s = connection.endGame.get();
        sqlite3_bind_int(s, 1, r.right);
        sqlite3_bind_int(s, 2, r.wrong);
        sqlite3_bind_int(s, 3, r.skipped);
        if (r.grade.empty()) sqlite3_bind_null(s, 4);
        else bindText(s, 4, r.grade);
        sqlite3_bind_int(s, 5, r.seconds);
        sqlite3_bind_text(s, 6, gameEndName(r.end), -1, SQLITE_STATIC);
        sqlite3_bind_int64(s, 7, connection.row);
        break;
    }
    }
    int rc = sqlite3_step(s);
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    if (rc != SQLITE_DONE) {
        err = reason(db, rc);
        return isBusy(rc) ? Outcome::Busy : Outcome::Failed;
    }
    if (w.kind == PendingWrite::Kind::Begin) {
        connection.writtenGame = w.game;
        connection.row = sqlite3_last_insert_rowid(db);
    }
    senderWake();
    return Outcome::Written;
}

// The retry thread: writes the waiting records in order once the lock goes.
void retryLoop()
{
    std::unique_lock<std::mutex> l(waiting.lock);
    while (true) {
        waiting.wake.wait_for(l, std::chrono::milliseconds(200),
                              [] { return waiting.stop || !waiting.records.empty(); });
        if (waiting.stop) return; // historyClose makes the last attempts itself
        if (waiting.records.empty()) {
            if (connection.db) continue;
            // Nothing to write yet, but the file still to open.
            l.unlock();
            std::string err;
            Outcome o = openNow(connection.path, 100, err);
            l.lock();
            if (o == Outcome::Failed) {
                waiting.failure = err;
                return;
            }
            continue;
        }
        PendingWrite w = waiting.records.front();
        l.unlock();
        std::string err;
        Outcome o = writeRecord(w, err);
        l.lock();
        if (o == Outcome::Written) {
            waiting.records.pop_front();
            if (waiting.records.empty()) waiting.lockNoticed = false;
        } else if (o == Outcome::Failed) {
            waiting.failure = err;
            waiting.records.clear();
            return;
        } else {
            // Still locked: the busy timeout waited already; breathe a little.
            waiting.wake.wait_for(l, std::chrono::milliseconds(100), [] { return waiting.stop; });
        }
    }
}

void stopRetry()
{
    {
        std::lock_guard<std::mutex> l(waiting.lock);
        waiting.stop = true;
    }
    waiting.wake.notify_all();
    if (waiting.retry.joinable()) waiting.retry.join();
    std::lock_guard<std::mutex> l(waiting.lock);
    waiting.stop = false;
}

void closeNow()
{
    // The file failed: no time for the server, the game goes on.
    senderStop(std::chrono::milliseconds(0));
    stopRetry();
    {
        std::lock_guard<std::mutex> l(waiting.lock);
        waiting.records.clear();
        waiting.failure.clear();
        waiting.lockNoticed = false;
    }
    // Statements before the handle they belong to.
    connection.beginGame.reset();
    connection.recordTask.reset();
    connection.endGame.reset();
    connection.ready = false;
    connection.db.reset();
    connection.game = 0;
    connection.path.clear();
    connection.opening = false;
}

// A record from the quiz's thread: written now, or queued behind a lock.
bool submit(PendingWrite w, std::string& err)
{
    std::unique_lock<std::mutex> l(waiting.lock);
    if (!waiting.failure.empty()) {
        err = waiting.failure;
        l.unlock();
        closeNow();
        return false;
    }
    if (waiting.records.empty() && connection.ready) {
        Outcome o = writeRecord(w, err);
        if (o == Outcome::Written) return true;
        if (o == Outcome::Failed) {
            l.unlock();
            closeNow();
            return false;
        }
    }
    if (static_cast<int>(waiting.records.size()) >= waiting.limit) {
        err = "Datenbank ist zu lange gesperrt (" + std::to_string(waiting.records.size()) +
              " Einträge warteten und gehen verloren)";
        l.unlock();
        closeNow();
        return false;
    }
    waiting.records.push_back(std::move(w));
    if (!waiting.lockNoticed) {
        waiting.lockNoticed = true;
        waiting.notices.push_back("Verlauf: " + connection.path +
                                  ": Datenbank ist gesperrt; die Aufgaben warten und werden nachgetragen.");
    }
    if (!waiting.retry.joinable()) waiting.retry = std::thread(retryLoop);
    l.unlock();
    waiting.wake.notify_all();
    return true;
}

} // namespace

const char* verdictName(TaskVerdict v)
{
    switch (v) {
    case TaskVerdict::Right: return "right";
    case TaskVerdict::Wrong: return "wrong";
    case TaskVerdict::Skipped: break;
    }
    return "skipped";
}

const char* gameEndName(GameEnd e)
{
    switch (e) {
    case GameEnd::Finished: return "finished";
    case GameEnd::GameOver: return "game over";
    case GameEnd::Closed: return "closed";
    case GameEnd::Aborted: break;
    }
    return "aborted";
}

namespace {

#ifndef _WIN32
// The history is the pupil's own: the file 0600, and the program's own data
// folder 0700 (a folder named by --history is left as its owner made it).
void createPrivate(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) ::close(fd); // else it is there already, or the open below names the reason
}

// After a successful open only: a foreign or damaged file stays as it was.
void makePrivate(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st;
    if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & 0077)) ::fchmod(fd, st.st_mode & 0700);
    ::close(fd);
    for (const char* suffix : {"-wal", "-shm"}) ::chmod((path + suffix).c_str(), 0600);
    std::string dir = aopath_datadir();
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && path.substr(0, slash) == dir && ::stat(dir.c_str(), &st) == 0 &&
        st.st_uid == ::geteuid())
        ::chmod(dir.c_str(), 0700);
}
#endif

Outcome openNow(const std::string& path, int busyMs, std::string& err)
{
    Db db = openDb(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, err, busyMs);
    auto failed = [&](sqlite3* d, int rc) {
        if (rc != SQLITE_OK && isBusy(rc)) return Outcome::Busy;
        if (d && isBusy(sqlite3_extended_errcode(d))) return Outcome::Busy;
        return Outcome::Failed;
    };
    if (!db) return Outcome::Failed;
    if (sqlite3_db_readonly(db.get(), "main") == 1) {
        err = "schreibgeschützt";
        return Outcome::Failed;
    }
    long long version = 0;
    if (!checkOurs(db.get(), version, err)) return failed(db.get(), SQLITE_OK);
    // The mode sticks to the file; setting it is the first write.
    Stmt wal = prepare(db.get(), "PRAGMA journal_mode = WAL", err);
    if (!wal) return failed(db.get(), SQLITE_OK);
    int rc = sqlite3_step(wal.get());
    if (rc != SQLITE_ROW) {
        err = reason(db.get(), rc);
        return failed(db.get(), rc);
    }
    if (columnText(wal.get(), 0) != "wal") {
        err = "kann nicht ins Journal schreiben (" + columnText(wal.get(), 0) + ")";
        return Outcome::Failed;
    }
    wal.reset();
    if (!exec(db.get(), "PRAGMA synchronous = NORMAL; PRAGMA foreign_keys = ON;", err)) return failed(db.get(), SQLITE_OK);
    if (!upgrade(db.get(), version, err)) return failed(db.get(), SQLITE_OK);
    // Up to date already: make sure no one else holds the write lock.
    if (!exec(db.get(), "BEGIN IMMEDIATE; ROLLBACK;", err)) return failed(db.get(), SQLITE_OK);

    Stmt beginGame = prepare(db.get(),
                             "INSERT INTO games (pupil, started, level, difficulty, tasks, kind, input, class, uid) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, lower(hex(randomblob(16))))",
                             err);
    Stmt recordTask = prepare(db.get(),
                              "INSERT INTO tasks (game, position, task_number, seed, text, solution, answer, verdict, "
                              "seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                              err);
    Stmt endGame = prepare(db.get(),
                           "UPDATE games SET answered_right = ?, answered_wrong = ?, skipped = ?, grade = ?, "
                           "seconds = ?, ended = ? WHERE id = ?",
                           err);
    if (!beginGame || !recordTask || !endGame) return Outcome::Failed;
    // Statements before the handle they belong to.
    connection.beginGame = std::move(beginGame);
    connection.recordTask = std::move(recordTask);
    connection.endGame = std::move(endGame);
    connection.db = std::move(db);
    connection.ready = true;
    connection.opening = false;
    return Outcome::Written;
}

} // namespace

bool historyOpen(const std::string& path, std::string& err)
{
    historyClose();
    if (writeProtected(path)) {
        err = "schreibgeschützt";
        return false;
    }
#ifndef _WIN32
    createPrivate(path);
#endif
    Outcome o = openNow(path, 100, err);
    if (o == Outcome::Failed) {
        closeNow();
        return false;
    }
#ifndef _WIN32
    makePrivate(path);
#endif
    connection.path = path;
    if (o == Outcome::Busy) {
        // Another program holds the file: the game starts all the same, and
        // its records wait until the lock goes.
        connection.opening = true;
        std::lock_guard<std::mutex> l(waiting.lock);
        waiting.lockNoticed = true;
        waiting.notices.push_back("Verlauf: " + path +
                                  ": Datenbank ist gesperrt; die Aufgaben warten und werden nachgetragen.");
        waiting.retry = std::thread(retryLoop);
    }
    err.clear();
    return true;
}

bool historyClose(std::string& err)
{
    stopRetry();
    bool ok = true;
    std::unique_lock<std::mutex> l(waiting.lock);
    if (!waiting.failure.empty()) {
        err = waiting.failure;
        ok = false;
    } else if (!waiting.records.empty() && !connection.path.empty()) {
        // The lock gets a last few seconds to go.
        if (!connection.db) openNow(connection.path, 3000, err);
        if (connection.db) sqlite3_busy_timeout(connection.db.get(), 3000);
        while (!waiting.records.empty()) {
            Outcome o = writeRecord(waiting.records.front(), err);
            if (o != Outcome::Written) break;
            waiting.records.pop_front();
        }
        if (!waiting.records.empty()) {
            err += " (" + std::to_string(waiting.records.size()) + " Einträge konnten nicht geschrieben werden)";
            ok = false;
        }
    }
    l.unlock();
    // What was committed last (a task answered just before the window
    // closed) gets a short, fixed time to reach the school server.
    senderStop(std::chrono::milliseconds(2000));
    closeNow();
    return ok;
}

void historyClose()
{
    std::string err;
    historyClose(err);
}

bool isServerUri(const std::string& t)
{
    return t.rfind("postgresql://", 0) == 0 || t.rfind("postgres://", 0) == 0;
}

std::string redactedUri(const std::string& uri)
{
    if (!isServerUri(uri)) return uri;
    size_t scheme = uri.find("://") + 3;
    size_t at = uri.find('@', scheme), slash = uri.find('/', scheme);
    std::string out = uri;
    if (at != std::string::npos && (slash == std::string::npos || at < slash)) {
        size_t colon = uri.find(':', scheme);
        if (colon != std::string::npos && colon < at) out = uri.substr(0, colon + 1) + "***" + uri.substr(at);
    }
    // A password among the parameters.
    size_t p = out.find("password=");
    if (p != std::string::npos && p > 0 && (out[p - 1] == '?' || out[p - 1] == '&')) {
        size_t e = out.find('&', p);
        out = out.substr(0, p + 9) + "***" + (e == std::string::npos ? "" : out.substr(e));
    }
    return out;
}

bool hidePasswordInArgument(char* arg)
{
    if (!isServerUri(arg)) return false;
    bool hidden = false;
    std::string a = arg;
    size_t scheme = a.find("://") + 3;
    size_t at = a.find('@', scheme), slash = a.find('/', scheme), colon = a.find(':', scheme);
    if (at != std::string::npos && (slash == std::string::npos || at < slash) && colon < at) {
        for (size_t k = colon + 1; k < at; ++k) arg[k] = 'x';
        hidden = true;
    }
    for (size_t p = a.find("password="); p != std::string::npos; p = a.find("password=", p + 1)) {
        if (p == 0 || (a[p - 1] != '?' && a[p - 1] != '&')) continue;
        for (size_t k = p + 9; k < a.size() && a[k] != '&'; ++k) arg[k] = 'x';
        hidden = true;
    }
    return hidden;
}

bool historyActive()
{
    return connection.ready || connection.opening;
}

std::string historyCleanName(const std::string& name, size_t maxChars, std::string& note)
{
    note.clear();
    std::string out;
    bool foreign = false, control = false, cut = false;
    size_t chars = 0;
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        bool valid = len > 0 && i + len <= name.size();
        for (size_t k = 1; valid && k < len; ++k) valid = (static_cast<unsigned char>(name[i + k]) & 0xC0) == 0x80;
        if (valid && len > 1) {
            // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
            unsigned cp = c & (0xFF >> (len + 1));
            for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(name[i + k]) & 0x3F);
            valid = cp >= (len == 2 ? 0x80u : len == 3 ? 0x800u : 0x10000u) && cp <= 0x10FFFF &&
                    !(cp >= 0xD800 && cp <= 0xDFFF);
        }
        std::string piece;
        if (!valid) {
            piece = ao_cp1252_to_utf8(name.substr(i, 1));
            foreign = true;
            len = 1;
        } else if (c < 0x20 || c == 0x7F) {
            control = true;
        } else {
            piece = name.substr(i, len);
        }
        i += len;
        if (piece.empty()) continue;
        if (chars == maxChars) {
            cut = true;
            break;
        }
        out += piece;
        ++chars;
    }
    if (foreign) note = "„" + out + "“ war kein UTF-8 und wurde als Windows-1252 gelesen";
    if (control) note += std::string(note.empty() ? "" : "; ") + "Steuerzeichen in „" + out + "“ entfernt";
    if (cut)
        note += std::string(note.empty() ? "" : "; ") + "„" + out + "…“ auf " + std::to_string(maxChars) +
                " Zeichen gekürzt";
    return out;
}

void historySetClass(const std::string& className)
{
    std::string note;
    connection.className = historyCleanName(className, kMaxClassChars, note);
    if (!note.empty()) historyPostNotice("Klasse: " + note + ".");
}

std::string historyPath()
{
    return connection.path;
}

int historyWaiting()
{
    std::lock_guard<std::mutex> l(waiting.lock);
    return static_cast<int>(waiting.records.size());
}

void historySetWaitingLimit(int records)
{
    std::lock_guard<std::mutex> l(waiting.lock);
    waiting.limit = records;
}

void historyPostNotice(const std::string& line)
{
    std::lock_guard<std::mutex> l(waiting.lock);
    waiting.notices.push_back(line);
}

bool historyNotice(std::string& line)
{
    std::lock_guard<std::mutex> l(waiting.lock);
    if (waiting.notices.empty()) return false;
    line = std::move(waiting.notices.front());
    waiting.notices.pop_front();
    return true;
}

bool historyBeginGame(const GameStart& g, std::string& err)
{
    if (!historyActive()) return true;
    PendingWrite w;
    w.kind = PendingWrite::Kind::Begin;
    w.game = connection.game = ++connection.tokens;
    w.start = g;
    std::string note;
    w.start.pupil = historyCleanName(g.pupil, kMaxPupilChars, note);
    if (!note.empty()) historyPostNotice("Name: " + note + ".");
    return submit(std::move(w), err);
}

bool historyRecordTask(const TaskRecord& t, std::string& err)
{
    if (!historyActive() || connection.game == 0) return true;
    PendingWrite w;
    w.kind = PendingWrite::Kind::Task;
    w.game = connection.game;
    w.task = t;
    return submit(std::move(w), err);
}

bool historyEndGame(const GameResult& r, std::string& err)
{
    if (!historyActive() || connection.game == 0) return true;
    PendingWrite w;
    w.kind = PendingWrite::Kind::End;
    w.game = connection.game;
    w.result = r;
    connection.game = 0;
    return submit(std::move(w), err);
}

// ---- reading

namespace {

std::optional<GameEnd> gameEndFromName(const std::string& name)
{
    for (GameEnd e : {GameEnd::Finished, GameEnd::GameOver, GameEnd::Closed, GameEnd::Aborted})
        if (name == gameEndName(e)) return e;
    return std::nullopt;
}

TaskVerdict verdictFromName(const std::string& name)
{
    if (name == "right") return TaskVerdict::Right;
    if (name == "wrong") return TaskVerdict::Wrong;
    return TaskVerdict::Skipped;
}

// An SQLite URI naming path, for opening with parameters.
std::string fileUri(const std::string& path)
{
    std::string uri = "file:";
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            uri += hex;
        } else {
            uri += static_cast<char>(c);
        }
    }
    return uri;
}

// Reads the games from an open database; the SQLite result code of the first
// failure (SQLITE_OK when all went well), with err.
int loadFrom(sqlite3* db, const HistoryFilter& filter, std::vector<StoredGame>& games, std::string& err)
{
    games.clear();
    Stmt v = prepare(db, "PRAGMA user_version", err);
    if (!v) return sqlite3_errcode(db);
    int rc = sqlite3_step(v.get());
    if (rc != SQLITE_ROW) {
        err = reason(db, rc);
        return rc;
    }
    long long version = sqlite3_column_int64(v.get(), 0);
    v.reset();
    if (version > kHistorySchemaVersion) {
        err = "von einer neueren Programmversion (Schema " + std::to_string(version) + ", bekannt bis " +
              std::to_string(kHistorySchemaVersion) + ")";
        return SQLITE_ERROR;
    }
    if (version < 1) {
        err = "enthält keinen Verlauf";
        return SQLITE_ERROR;
    }
    const char* kindColumn = version >= 2 ? "kind" : "'game'";
    const char* newer = version >= 3 ? "input, class" : "'squares', ''";
    std::string sql = std::string("SELECT id, pupil, started, level, difficulty, tasks, ") + kindColumn +
                      ", grade, seconds, ended, " + newer +
                      " FROM games WHERE (?1 = '' OR pupil = ?1) AND started >= ?2 ORDER BY started, id";
    Stmt g = prepare(db, sql.c_str(), err);
    Stmt t = prepare(db,
                     "SELECT position, task_number, seed, text, solution, answer, verdict, seconds FROM tasks "
                     "WHERE game = ? ORDER BY position",
                     err);
    if (!g || !t) return sqlite3_errcode(db);
    bindText(g.get(), 1, filter.pupil);
    sqlite3_bind_int64(g.get(), 2, filter.since);
    while ((rc = sqlite3_step(g.get())) == SQLITE_ROW) {
        StoredGame game;
        sqlite3_stmt* s = g.get();
        game.id = sqlite3_column_int64(s, 0);
        game.pupil = columnText(s, 1);
        game.started = sqlite3_column_int64(s, 2);
        game.level = sqlite3_column_int(s, 3);
        game.difficulty = sqlite3_column_int(s, 4);
        game.tasks = sqlite3_column_int(s, 5);
        game.kind = columnText(s, 6) == "practice" ? GameKind::Practice : GameKind::Game;
        game.grade = columnText(s, 7);
        game.seconds = sqlite3_column_int(s, 8);
        game.end = gameEndFromName(columnText(s, 9));
        game.input = columnText(s, 10);
        game.className = columnText(s, 11);
        if (!filter.className.empty() && game.className != filter.className) continue;
        sqlite3_bind_int64(t.get(), 1, game.id);
        int trc;
        int taskSeconds = 0;
        while ((trc = sqlite3_step(t.get())) == SQLITE_ROW) {
            TaskRecord r;
            r.position = sqlite3_column_int(t.get(), 0);
            r.taskNumber = sqlite3_column_int(t.get(), 1);
            r.seed = static_cast<unsigned int>(sqlite3_column_int64(t.get(), 2));
            r.text = columnText(t.get(), 3);
            r.solution = columnText(t.get(), 4);
            r.answer = columnText(t.get(), 5);
            r.verdict = verdictFromName(columnText(t.get(), 6));
            r.seconds = sqlite3_column_int(t.get(), 7);
            taskSeconds += r.seconds;
            (r.verdict == TaskVerdict::Right ? game.right : r.verdict == TaskVerdict::Wrong ? game.wrong : game.skipped)++;
            game.taskList.push_back(std::move(r));
        }
        sqlite3_reset(t.get());
        if (trc != SQLITE_DONE) {
            err = reason(db, trc);
            return trc;
        }
        if (!game.end) game.seconds = taskSeconds;
        games.push_back(std::move(game));
    }
    if (rc != SQLITE_DONE) {
        err = reason(db, rc);
        return rc;
    }
    return SQLITE_OK;
}

} // namespace

bool historyLoad(const std::string& path, const HistoryFilter& filter, std::vector<StoredGame>& games,
                 std::string& err)
{
    games.clear();
    if (isServerUri(path)) return historyLoadServer(path, filter, games, err);
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        err = errno == ENOENT ? "Datei fehlt" : aofile_reason(errno);
        return false;
    }
    Db db = openDb(path, SQLITE_OPEN_READONLY, err);
    if (!db) return false;
    int rc = loadFrom(db.get(), filter, games, err);
    if (rc == SQLITE_OK) return true;
    // A WAL file needs its shared-memory file beside it, which a reader
    // cannot make in a folder it may not write. Read the file as it lies
    // then: nothing can change it from here anyway.
    int primary = rc & 0xFF;
    if (primary != SQLITE_CANTOPEN && primary != SQLITE_READONLY && primary != SQLITE_IOERR) return false;
    std::string retryErr;
    db = openDb(fileUri(path) + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, retryErr);
    if (!db) return false;
    if (loadFrom(db.get(), filter, games, retryErr) != SQLITE_OK) {
        err = retryErr;
        games.clear();
        return false;
    }
    return true;
}

bool historySetAside(const std::string& path, std::vector<SetAsideRow>& rows, std::string& err)
{
    rows.clear();
    Db db = openDb(path, SQLITE_OPEN_READONLY, err);
    if (!db) return false;
    long long version = 0;
    if (!queryInt(db.get(), "PRAGMA user_version", version, err)) return false;
    if (version < 4) return true; // no row was ever set aside
    Stmt s = prepare(db.get(),
                     "SELECT pupil, started, 0, refused FROM games WHERE refused IS NOT NULL "
                     "UNION ALL SELECT g.pupil, g.started, t.position, t.refused FROM tasks t JOIN games g "
                     "ON g.id = t.game WHERE t.refused IS NOT NULL ORDER BY 2, 3",
                     err);
    if (!s) return false;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW)
        rows.push_back({columnText(s.get(), 0), sqlite3_column_int64(s.get(), 1), sqlite3_column_int(s.get(), 2),
                        columnText(s.get(), 3)});
    if (rc != SQLITE_DONE) {
        err = reason(db.get(), rc);
        return false;
    }
    return true;
}
