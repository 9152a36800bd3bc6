// The history database: schema, upgrades, the quiz's writes and the report's
// reads. WAL with synchronous=NORMAL: a commit costs no fsync, and a killed
// process loses nothing committed (only a power cut may lose the last tasks).
#include "history.h"

#include "aotoolkit.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <string>

namespace {

struct DbClose {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StmtFinalize {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, DbClose>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalize>;

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
};

// The German reason for a failed call on db.
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

Db openDb(const std::string& path, int flags, std::string& err)
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
    sqlite3_busy_timeout(db.get(), 100);
    return db;
}

// ---- the quiz's connection

struct Connection {
    Db db;
    Stmt beginGame, recordTask, endGame;
    long long game = 0; // id of the running game, 0 between games
};

Connection connection;

// A failed write ends the history for this run; the game goes on.
bool fail()
{
    historyClose();
    return false;
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

bool historyOpen(const std::string& path, std::string& err)
{
    historyClose();
    if (writeProtected(path)) {
        err = "schreibgeschützt";
        return false;
    }
    Db db = openDb(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, err);
    if (!db) return false;
    if (sqlite3_db_readonly(db.get(), "main") == 1) {
        err = "schreibgeschützt";
        return false;
    }
    long long version = 0;
    if (!checkOurs(db.get(), version, err)) return false;
    // The mode sticks to the file; setting it is the first write.
    Stmt wal = prepare(db.get(), "PRAGMA journal_mode = WAL", err);
    if (!wal) return false;
    int rc = sqlite3_step(wal.get());
    if (rc != SQLITE_ROW) {
        err = reason(db.get(), rc);
        return false;
    }
    if (columnText(wal.get(), 0) != "wal") {
        err = "kann nicht ins Journal schreiben (" + columnText(wal.get(), 0) + ")";
        return false;
    }
    wal.reset();
    if (!exec(db.get(), "PRAGMA synchronous = NORMAL; PRAGMA foreign_keys = ON;", err)) return false;
    if (!upgrade(db.get(), version, err)) return false;
    // Up to date already: make sure no one else holds the write lock.
    if (!exec(db.get(), "BEGIN IMMEDIATE; ROLLBACK;", err)) return false;

    Connection c;
    c.beginGame = prepare(db.get(),
                          "INSERT INTO games (pupil, started, level, difficulty, tasks, kind) VALUES (?, ?, ?, ?, ?, ?)",
                          err);
    c.recordTask = prepare(db.get(),
                           "INSERT INTO tasks (game, position, task_number, seed, text, solution, answer, verdict, "
                           "seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           err);
    c.endGame = prepare(db.get(),
                        "UPDATE games SET answered_right = ?, answered_wrong = ?, skipped = ?, grade = ?, seconds = ?, "
                        "ended = ? WHERE id = ?",
                        err);
    if (!c.beginGame || !c.recordTask || !c.endGame) return false;
    c.db = std::move(db);
    connection = std::move(c);
    return true;
}

void historyClose()
{
    // Statements before the handle they belong to.
    connection.beginGame.reset();
    connection.recordTask.reset();
    connection.endGame.reset();
    connection.db.reset();
    connection.game = 0;
}

bool historyActive()
{
    return connection.db != nullptr;
}

bool historyBeginGame(const GameStart& g, std::string& err)
{
    if (!historyActive()) return true;
    sqlite3_stmt* s = connection.beginGame.get();
    bindText(s, 1, g.pupil);
    sqlite3_bind_int64(s, 2, g.started);
    sqlite3_bind_int(s, 3, g.level);
    sqlite3_bind_int(s, 4, g.difficulty);
    sqlite3_bind_int(s, 5, g.tasks);
    sqlite3_bind_text(s, 6, g.kind == GameKind::Practice ? "practice" : "game", -1, SQLITE_STATIC);
    if (!run(connection.db.get(), s, err)) return fail();
    connection.game = sqlite3_last_insert_rowid(connection.db.get());
    return true;
}

bool historyRecordTask(const TaskRecord& t, std::string& err)
{
    if (!historyActive() || connection.game == 0) return true;
    sqlite3_stmt* s = connection.recordTask.get();
    sqlite3_bind_int64(s, 1, connection.game);
    sqlite3_bind_int(s, 2, t.position);
    sqlite3_bind_int(s, 3, t.taskNumber);
    sqlite3_bind_int64(s, 4, t.seed);
    bindText(s, 5, t.text);
    bindText(s, 6, t.solution);
    bindText(s, 7, t.answer);
    sqlite3_bind_text(s, 8, verdictName(t.verdict), -1, SQLITE_STATIC);
    sqlite3_bind_int(s, 9, t.seconds);
    if (!run(connection.db.get(), s, err)) return fail();
    return true;
}

bool historyEndGame(const GameResult& r, std::string& err)
{
    if (!historyActive() || connection.game == 0) return true;
    sqlite3_stmt* s = connection.endGame.get();
    sqlite3_bind_int(s, 1, r.right);
    sqlite3_bind_int(s, 2, r.wrong);
    sqlite3_bind_int(s, 3, r.skipped);
    if (r.grade.empty()) sqlite3_bind_null(s, 4);
    else bindText(s, 4, r.grade);
    sqlite3_bind_int(s, 5, r.seconds);
    sqlite3_bind_text(s, 6, gameEndName(r.end), -1, SQLITE_STATIC);
    sqlite3_bind_int64(s, 7, connection.game);
    connection.game = 0;
    if (!run(connection.db.get(), s, err)) return fail();
    return true;
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

} // namespace

bool historyLoad(const std::string& path, const HistoryFilter& filter, std::vector<StoredGame>& games,
                 std::string& err)
{
    games.clear();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        err = errno == ENOENT ? "Datei fehlt" : aofile_reason(errno);
        return false;
    }
    Db db = openDb(path, SQLITE_OPEN_READONLY, err);
    if (!db) return false;
    long long version = 0;
    if (!queryInt(db.get(), "PRAGMA user_version", version, err)) return false;
    if (version > kHistorySchemaVersion) {
        err = "von einer neueren Programmversion (Schema " + std::to_string(version) + ", bekannt bis " +
              std::to_string(kHistorySchemaVersion) + ")";
        return false;
    }
    if (version < 1) {
        err = "enthält keinen Verlauf";
        return false;
    }
    const char* kindColumn = version >= 2 ? "kind" : "'game'";
    std::string sql = std::string("SELECT id, pupil, started, level, difficulty, tasks, ") + kindColumn +
                      ", grade, seconds, ended FROM games WHERE (?1 = '' OR pupil = ?1) AND started >= ?2 "
                      "ORDER BY started, id";
    Stmt g = prepare(db.get(), sql.c_str(), err);
    Stmt t = prepare(db.get(),
                     "SELECT position, task_number, seed, text, solution, answer, verdict, seconds FROM tasks "
                     "WHERE game = ? ORDER BY position",
                     err);
    if (!g || !t) return false;
    bindText(g.get(), 1, filter.pupil);
    sqlite3_bind_int64(g.get(), 2, filter.since);
    int rc;
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
            err = reason(db.get(), trc);
            return false;
        }
        if (!game.end) game.seconds = taskSeconds;
        games.push_back(std::move(game));
    }
    if (rc != SQLITE_DONE) {
        err = reason(db.get(), rc);
        return false;
    }
    return true;
}
