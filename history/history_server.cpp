// The school server: the sender that pushes the local file's rows, the
// schema and its two roles, and the class report's reads. Every insert is
// keyed by (machine, game, position) and says ON CONFLICT DO NOTHING, so a
// row sent twice (a crash between the server's commit and the local mark)
// lands once. Pupils' machines hold only INSERT rights: the end of a game is
// a row of its own rather than an update.
#include "history.h"
#include "history_internal.h"

#include <libpq-fe.h>
#ifdef _WIN32
#include <winsock2.h> // WSAPoll: libpq's socket is a Winsock socket there
#else
#include <poll.h>
#endif

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

using namespace historydb;

namespace {

struct PgClose {
    void operator()(PGconn* c) const { PQfinish(c); }
};
struct PgClear {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Pg = std::unique_ptr<PGconn, PgClose>;
using PgResult = std::unique_ptr<PGresult, PgClear>;

// How long the sender keeps an idle connection to the server: longer than
// the pause between two tasks of a pupil.
constexpr std::chrono::seconds kKeepIdleConnection(60);

constexpr const char* kUnreachable = "Schulserver nicht erreichbar – Ergebnisse werden später übertragen";

// Each step takes the server's schema from version i to i + 1.
const char* const kServerUpgrades[kServerSchemaVersion] = {
    // 1: games, their ends and tasks, keyed by the sending file's machine id.
    "CREATE TABLE ziffron.games ("
    " machine text NOT NULL, game bigint NOT NULL,"
    " pupil text NOT NULL, class text NOT NULL, started bigint NOT NULL,"
    " level int NOT NULL, difficulty int NOT NULL, tasks int NOT NULL,"
    " kind text NOT NULL, input text NOT NULL,"
    " received timestamptz NOT NULL DEFAULT now(),"
    " PRIMARY KEY (machine, game));"
    "CREATE TABLE ziffron.game_ends ("
    " machine text NOT NULL, game bigint NOT NULL,"
    " answered_right int, answered_wrong int, skipped int, grade text, seconds int, ended text NOT NULL,"
    " PRIMARY KEY (machine, game));"
    "CREATE TABLE ziffron.tasks ("
    " machine text NOT NULL, game bigint NOT NULL, position int NOT NULL,"
    " task_number int NOT NULL, seed bigint NOT NULL, text text NOT NULL, solution text NOT NULL,"
    " answer text NOT NULL, verdict text NOT NULL, seconds int NOT NULL,"
    " PRIMARY KEY (machine, game, position));"
    "CREATE INDEX games_by_class ON ziffron.games (class, started);"
    "GRANT INSERT ON ziffron.games, ziffron.game_ends, ziffron.tasks TO ziffron_pupil;"
    "GRANT SELECT ON ziffron.games, ziffron.game_ends, ziffron.tasks TO ziffron_teacher;",
};

std::string pgError(PGconn* c)
{
    const std::string raw = c ? PQerrorMessage(c) : "keine Verbindung";
    // libpq's messages come in several lines, hints indented by a tab; one
    // line with single blanks is what a terminal shows well.
    std::string e;
    for (char ch : raw) {
        const bool blank = ch == '\n' || ch == '\t' || ch == '\r' || ch == ' ';
        if (!blank) e += ch;
        else if (!e.empty() && e.back() != ' ') e += ' ';
    }
    if (!e.empty() && e.back() == ' ') e.pop_back();
    return e;
}

// Connects without blocking longer than a few seconds, and gives up early
// when stop says so. Passwords come from the URI, PGPASSWORD or ~/.pgpass:
// libpq reads them, nothing here prints them.
Pg connect(const std::string& uri, std::string& err, const std::function<bool()>& stop = {})
{
    const char* keys[] = {"connect_timeout", "application_name", "dbname", nullptr};
    const char* values[] = {"5", "ziffron", uri.c_str(), nullptr};
    Pg c(PQconnectStartParams(keys, values, 1));
    if (!c) {
        err = "kein Speicher";
        return nullptr;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    PostgresPollingStatusType st = PGRES_POLLING_WRITING;
    while (PQstatus(c.get()) != CONNECTION_BAD) {
        if (st == PGRES_POLLING_OK) break;
        if (st == PGRES_POLLING_FAILED) break;
        pollfd p{static_cast<decltype(pollfd::fd)>(PQsocket(c.get())), static_cast<short>(st == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
#ifdef _WIN32
        int ready = ::WSAPoll(&p, 1, 100);
#else
        int ready = ::poll(&p, 1, 100);
#endif
        if ((stop && stop()) || std::chrono::steady_clock::now() > deadline) {
            err = "Zeitüberschreitung beim Verbinden";
            return nullptr;
        }
        if (ready != 0) st = PQconnectPoll(c.get());
    }
    if (PQstatus(c.get()) != CONNECTION_OK) {
        err = pgError(c.get());
        return nullptr;
    }
    return c;
}

PgResult exec(PGconn* c, const std::string& sql, const std::vector<std::string>& params, std::string& err)
{
    std::vector<const char*> v;
    for (const std::string& p : params) v.push_back(p.c_str());
    // Without parameters the simple protocol, which takes several statements.
    PgResult r(v.empty() ? PQexec(c, sql.c_str())
                         : PQexecParams(c, sql.c_str(), static_cast<int>(v.size()), nullptr, v.data(), nullptr, nullptr, 0));
    ExecStatusType st = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK) {
        const char* state = r ? PQresultErrorField(r.get(), PG_DIAG_SQLSTATE) : nullptr;
        // 42501: insufficient privilege.
        if (state && std::string(state) == "42501")
            err = "keine Berechtigung dafür (" + pgError(c) + ")";
        else
            err = pgError(c);
        return nullptr;
    }
    return r;
}

bool execOk(PGconn* c, const std::string& sql, std::string& err)
{
    return exec(c, sql, {}, err) != nullptr;
}

// The server's schema version; 0 when it has none yet.
bool serverVersion(PGconn* c, int& version, std::string& err)
{
    PgResult has = exec(c, "SELECT to_regclass('ziffron.meta') IS NOT NULL", {}, err);
    if (!has) return false;
    if (std::string(PQgetvalue(has.get(), 0, 0)) != "t") {
        version = 0;
        return true;
    }
    PgResult r = exec(c, "SELECT value FROM ziffron.meta WHERE key = 'schema_version'", {}, err);
    if (!r) return false;
    version = PQntuples(r.get()) == 1 ? std::atoi(PQgetvalue(r.get(), 0, 0)) : 0;
    return true;
}

std::string newerSchema(int version)
{
    return "Schulserver hat ein neueres Schema (" + std::to_string(version) + ", bekannt bis " +
           std::to_string(kServerSchemaVersion) + ")";
}

// ---- pushing the local file's rows

const char* const kInsertGame =
    "INSERT INTO ziffron.games (machine, game, pupil, class, started, level, difficulty, tasks, kind, input) "
    "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10) ON CONFLICT DO NOTHING";
const char* const kInsertTask =
    "INSERT INTO ziffron.tasks (machine, game, position, task_number, seed, text, solution, answer, verdict, seconds) "
    "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10) ON CONFLICT DO NOTHING";

enum class Push { Done, ServerFailed, LocalFailed, Refused };

std::string text(sqlite3_stmt* s, int i)
{
    return columnText(s, i);
}

// Sends one batch after another until the file has nothing left unsent.
Push pushAll(PGconn* pg, sqlite3* local, int& sent, std::string& err, const std::function<bool()>& stop)
{
    int version = 0;
    if (!serverVersion(pg, version, err)) return Push::ServerFailed;
    if (version == 0) {
        err = "Schulserver ist nicht eingerichtet (ziffron-report --init-server)";
        return Push::Refused;
    }
    if (version > kServerSchemaVersion) {
        err = newerSchema(version);
        return Push::Refused;
    }
    std::string machine;
    {
        Stmt m = prepare(local, "SELECT value FROM meta WHERE key = 'machine'", err);
        if (!m) return Push::LocalFailed;
        if (sqlite3_step(m.get()) != SQLITE_ROW) {
            err = "Verlauf ohne Rechner-Kennung";
            return Push::LocalFailed;
        }
        machine = text(m.get(), 0);
    }
    Stmt starts = prepare(local,
                          "SELECT id, pupil, class, started, level, difficulty, tasks, kind, input FROM games "
                          "WHERE sent = 0 ORDER BY id LIMIT 200",
                          err);
    Stmt tasks = prepare(local,
                         "SELECT game, position, task_number, seed, text, solution, answer, verdict, seconds "
                         "FROM tasks WHERE sent = 0 ORDER BY game, position LIMIT 500",
                         err);
    Stmt ends = prepare(local,
                        "SELECT id, answered_right, answered_wrong, skipped, grade, seconds, ended FROM games "
                        "WHERE sent < 2 AND ended IS NOT NULL ORDER BY id LIMIT 200",
                        err);
    Stmt markStart = prepare(local, "UPDATE games SET sent = max(sent, 1) WHERE id = ?", err);
    Stmt markTask = prepare(local, "UPDATE tasks SET sent = 1 WHERE game = ? AND position = ?", err);
    Stmt markEnd = prepare(local, "UPDATE games SET sent = 2 WHERE id = ?", err);
    if (!starts || !tasks || !ends || !markStart || !markTask || !markEnd) return Push::LocalFailed;

    while (!(stop && stop())) {
        std::vector<long long> startIds, endIds;
        std::vector<std::pair<long long, int>> taskKeys;
        if (!execOk(pg, "BEGIN", err)) return Push::ServerFailed;
        auto serverFail = [&] {
            PgResult(PQexec(pg, "ROLLBACK"));
            return Push::ServerFailed;
        };
        // Every row of one local query through send, in this transaction;
        // empty when all went.
        auto sendRows = [&](sqlite3_stmt* q, const std::function<bool(sqlite3_stmt*)>& send) -> std::optional<Push> {
            int rc;
            while ((rc = sqlite3_step(q)) == SQLITE_ROW) {
                if (!send(q)) {
                    sqlite3_reset(q);
                    return serverFail();
                }
            }
            sqlite3_reset(q);
            if (rc == SQLITE_DONE) return std::nullopt;
            err = reason(local, rc);
            serverFail();
            return Push::LocalFailed;
        };
        // A game's start and a task: the machine and the row's nine columns.
        auto insertRow = [&](sqlite3_stmt* q, const char* sql) {
            return exec(pg, sql,
                        {machine, text(q, 0), text(q, 1), text(q, 2), text(q, 3), text(q, 4), text(q, 5), text(q, 6),
                         text(q, 7), text(q, 8)},
                        err) != nullptr;
        };
        if (auto r = sendRows(starts.get(), [&](sqlite3_stmt* q) {
                startIds.push_back(sqlite3_column_int64(q, 0));
                return insertRow(q, kInsertGame);
            }))
            return *r;
        if (auto r = sendRows(tasks.get(), [&](sqlite3_stmt* q) {
                taskKeys.emplace_back(sqlite3_column_int64(q, 0), sqlite3_column_int(q, 1));
                return insertRow(q, kInsertTask);
            }))
            return *r;
        if (auto r = sendRows(ends.get(), [&](sqlite3_stmt* q) {
                endIds.push_back(sqlite3_column_int64(q, 0));
                std::vector<std::string> p = {machine, text(q, 0)};
                for (int i = 1; i <= 6; ++i) p.push_back(text(q, i));
                // NULL stays NULL: a game without a grade box has no grade.
                std::vector<const char*> values;
                for (size_t i = 0; i < p.size(); ++i)
                    values.push_back(i >= 2 && sqlite3_column_type(q, static_cast<int>(i - 1)) == SQLITE_NULL
                                         ? nullptr
                                         : p[i].c_str());
                PgResult res(PQexecParams(pg,
                                          "INSERT INTO ziffron.game_ends (machine, game, answered_right, "
                                          "answered_wrong, skipped, grade, seconds, ended) VALUES ($1, $2, $3, $4, "
                                          "$5, $6, $7, $8) ON CONFLICT DO NOTHING",
                                          8, nullptr, values.data(), nullptr, nullptr, 0));
                if (res && PQresultStatus(res.get()) == PGRES_COMMAND_OK) return true;
                err = pgError(pg);
                return false;
            }))
            return *r;
        if (startIds.empty() && taskKeys.empty() && endIds.empty()) {
            PgResult(PQexec(pg, "ROLLBACK"));
            return Push::Done;
        }
        if (!execOk(pg, "COMMIT", err)) return Push::ServerFailed;
        // On the server now; a crash before this mark only sends them again.
        if (!historydb::exec(local, "BEGIN IMMEDIATE", err)) return Push::LocalFailed;
        bool ok = true;
        for (long long id : startIds) {
            sqlite3_bind_int64(markStart.get(), 1, id);
            ok = ok && run(local, markStart.get(), err);
        }
        for (auto [game, position] : taskKeys) {
            sqlite3_bind_int64(markTask.get(), 1, game);
            sqlite3_bind_int(markTask.get(), 2, position);
            ok = ok && run(local, markTask.get(), err);
        }
        for (long long id : endIds) {
            sqlite3_bind_int64(markEnd.get(), 1, id);
            ok = ok && run(local, markEnd.get(), err);
        }
        if (!ok || !historydb::exec(local, "COMMIT", err)) {
            sqlite3_exec(local, "ROLLBACK", nullptr, nullptr, nullptr);
            return Push::LocalFailed;
        }
        sent += static_cast<int>(taskKeys.size());
    }
    return Push::Done;
}

// ---- the background sender

struct Sender {
    std::mutex lock;
    std::condition_variable wake;
    bool stop = false, woken = false;
    std::thread thread;
    ~Sender()
    {
        {
            std::lock_guard<std::mutex> l(lock);
            stop = true;
        }
        wake.notify_all();
        if (thread.joinable()) thread.join();
    }
} sender;

void senderLoop(std::string path, std::string uri)
{
    auto stopping = [] {
        std::lock_guard<std::mutex> l(sender.lock);
        return sender.stop;
    };
    std::string err;
    Db local = openForSender(path, err);
    if (!local) {
        historyPostNotice("Schulserver: " + err);
        return;
    }
    Pg pg;
    bool unreachableSaid = false;
    auto backoff = std::chrono::seconds(1);
    while (!stopping()) {
        if (!pg) pg = connect(uri, err, stopping);
        int sent = 0;
        Push result = pg ? pushAll(pg.get(), local.get(), sent, err, stopping) : Push::ServerFailed;
        if (result == Push::Refused) {
            historyPostNotice(err + "; die Ergebnisse bleiben auf diesem Rechner.");
            return;
        }
        std::chrono::milliseconds pause = std::chrono::hours(1);
        if (result == Push::ServerFailed) {
            if (!unreachableSaid) historyPostNotice(std::string(kUnreachable) + " (" + err + ")");
            unreachableSaid = true;
            pg.reset();
            pause = backoff;
            backoff = std::min<std::chrono::seconds>(backoff * 2, std::chrono::seconds(15));
        } else if (result == Push::LocalFailed) {
            // The file is busy with the game's own writes; soon again.
            pause = std::chrono::seconds(1);
        } else {
            backoff = std::chrono::seconds(1);
        }
        std::unique_lock<std::mutex> l(sender.lock);
        bool failed = result == Push::ServerFailed;
        // After a failure the pause is kept; otherwise each commit wakes.
        auto woken = [&] { return sender.stop || (!failed && sender.woken); };
        if (pg && result == Push::Done && !sender.wake.wait_for(l, kKeepIdleConnection, woken)) {
            // Between lessons a machine holds no connection; during one it
            // keeps it, since connecting (password hashing) costs the server
            // far more than an insert.
            l.unlock();
            pg.reset();
            l.lock();
        }
        sender.wake.wait_for(l, pause, woken);
        sender.woken = false;
    }
}

} // namespace

void senderWake()
{
    {
        std::lock_guard<std::mutex> l(sender.lock);
        sender.woken = true;
    }
    sender.wake.notify_all();
}

void senderStop()
{
    {
        std::lock_guard<std::mutex> l(sender.lock);
        sender.stop = true;
    }
    sender.wake.notify_all();
    if (sender.thread.joinable()) sender.thread.join();
    std::lock_guard<std::mutex> l(sender.lock);
    sender.stop = false;
    sender.woken = false;
}

void historyStartSender(const std::string& uri)
{
    senderStop();
    std::string path = historyPath();
    if (path.empty()) return;
    sender.thread = std::thread(senderLoop, path, uri);
}

bool historySync(const std::string& path, const std::string& uri, int& sent, std::string& err)
{
    sent = 0;
    std::string localErr;
    // The file is opened as the game opens it, so that an old one is upgraded
    // and gets its machine id; then the push uses a second connection.
    bool wasOpen = historyActive();
    if (!wasOpen) {
        if (!historyOpen(path, localErr)) {
            err = path + ": " + localErr;
            return false;
        }
    }
    Db local = openForSender(path, localErr);
    if (!wasOpen) historyClose();
    if (!local) {
        err = path + ": " + localErr;
        return false;
    }
    Pg pg = connect(uri, err);
    if (!pg) return false;
    return pushAll(pg.get(), local.get(), sent, err, {}) == Push::Done;
}

ServerSession::ServerSession(std::string uri) : uri_(std::move(uri)) {}

ServerSession::~ServerSession()
{
    PQfinish(static_cast<PGconn*>(connection_));
}

void ServerSession::disconnect()
{
    PQfinish(static_cast<PGconn*>(connection_));
    connection_ = nullptr;
}

bool ServerSession::sendTask(const std::string& machine, long long game, const GameStart& g,
                             const std::string& className, const TaskRecord& t, std::string& err)
{
    PGconn* c = static_cast<PGconn*>(connection_);
    if (!c || PQstatus(c) != CONNECTION_OK) {
        PQfinish(c);
        connection_ = c = connect(uri_, err).release();
        if (!c) return false;
    }
    std::string id = std::to_string(game);
    bool ok = execOk(c, "BEGIN", err) &&
              exec(c, kInsertGame,
                   {machine, id, g.pupil, className, std::to_string(g.started), std::to_string(g.level),
                    std::to_string(g.difficulty), std::to_string(g.tasks),
                    g.kind == GameKind::Practice ? "practice" : "game", g.input},
                   err) &&
              exec(c, kInsertTask,
                   {machine, id, std::to_string(t.position), std::to_string(t.taskNumber), std::to_string(t.seed),
                    t.text, t.solution, t.answer, verdictName(t.verdict), std::to_string(t.seconds)},
                   err) &&
              execOk(c, "COMMIT", err);
    if (!ok) {
        PQfinish(c);
        connection_ = nullptr;
    }
    return ok;
}

bool historyInitServer(const std::string& uri, const std::string& pupilPassword, const std::string& teacherPassword,
                       std::string& log, std::string& err)
{
    Pg pg = connect(uri, err);
    if (!pg) return false;
    PGconn* c = pg.get();
    if (!execOk(c, "BEGIN", err)) return false;
    auto fail = [&] {
        PgResult(PQexec(c, "ROLLBACK"));
        return false;
    };
    // Roles belong to the whole cluster: a second school database finds them.
    for (const char* role : {"ziffron_pupil", "ziffron_teacher"}) {
        PgResult r = exec(c, "SELECT 1 FROM pg_roles WHERE rolname = $1", {role}, err);
        if (!r) return fail();
        if (PQntuples(r.get()) == 0) {
            if (!execOk(c, std::string("CREATE ROLE ") + role + " LOGIN", err)) return fail();
            log += std::string("Rolle ") + role + " angelegt.\n";
        }
    }
    for (auto [role, password] : {std::pair{"ziffron_pupil", &pupilPassword}, {"ziffron_teacher", &teacherPassword}}) {
        if (password->empty()) continue;
        // Hashed here: the server's log and statistics see no plain text.
        char* hash = PQencryptPasswordConn(c, password->c_str(), role, nullptr);
        if (!hash) {
            err = pgError(c);
            return fail();
        }
        char* literal = PQescapeLiteral(c, hash, std::strlen(hash));
        PQfreemem(hash);
        if (!literal) {
            err = pgError(c);
            return fail();
        }
        std::string sql = std::string("ALTER ROLE ") + role + " PASSWORD " + literal;
        PQfreemem(literal);
        if (!execOk(c, sql, err)) return fail();
        log += std::string("Passwort für ") + role + " gesetzt.\n";
    }
    int version = 0;
    if (!serverVersion(c, version, err)) return fail();
    if (version > kServerSchemaVersion) {
        err = newerSchema(version);
        return fail();
    }
    if (version == 0) {
        if (!execOk(c,
                    "CREATE SCHEMA IF NOT EXISTS ziffron;"
                    "CREATE TABLE ziffron.meta (key text PRIMARY KEY, value text NOT NULL);"
                    "INSERT INTO ziffron.meta VALUES ('schema_version', '0');"
                    "REVOKE ALL ON SCHEMA ziffron FROM PUBLIC;"
                    "GRANT USAGE ON SCHEMA ziffron TO ziffron_pupil, ziffron_teacher;"
                    "GRANT SELECT ON ziffron.meta TO ziffron_pupil, ziffron_teacher;",
                    err))
            return fail();
    }
    for (int v = version; v < kServerSchemaVersion; ++v) {
        if (!execOk(c, kServerUpgrades[v], err)) return fail();
        if (!exec(c, "UPDATE ziffron.meta SET value = $1 WHERE key = 'schema_version'", {std::to_string(v + 1)}, err))
            return fail();
        log += "Schema auf Version " + std::to_string(v + 1) + " gebracht.\n";
    }
    if (!execOk(c, "COMMIT", err)) return false;
    if (version == kServerSchemaVersion) log += "Schema ist schon auf Version " + std::to_string(version) + ".\n";
    return true;
}

bool historyLoadServer(const std::string& uri, const HistoryFilter& filter, std::vector<StoredGame>& games,
                       std::string& err)
{
    games.clear();
    Pg pg = connect(uri, err);
    if (!pg) return false;
    int version = 0;
    if (!serverVersion(pg.get(), version, err)) return false;
    if (version == 0) {
        err = "Schulserver ist nicht eingerichtet (ziffron-report --init-server)";
        return false;
    }
    if (version > kServerSchemaVersion) {
        err = newerSchema(version);
        return false;
    }
    const std::string where = " WHERE ($1 = '' OR g.pupil = $1) AND g.started >= $2::bigint AND ($3 = '' OR g.class = $3)";
    std::vector<std::string> params = {filter.pupil, std::to_string(filter.since), filter.className};
    PgResult g = exec(pg.get(),
                      "SELECT g.machine, g.game, g.pupil, g.class, g.started, g.level, g.difficulty, g.tasks, g.kind, "
                      "g.input, e.grade, e.seconds, e.ended FROM ziffron.games g "
                      "LEFT JOIN ziffron.game_ends e USING (machine, game)" +
                          where + " ORDER BY g.started, g.machine, g.game",
                      params, err);
    if (!g) return false;
    std::map<std::pair<std::string, long long>, size_t> index;
    for (int i = 0; i < PQntuples(g.get()); ++i) {
        auto v = [&](int col) { return std::string(PQgetvalue(g.get(), i, col)); };
        StoredGame s;
        s.id = i + 1;
        s.pupil = v(2);
        s.className = v(3);
        s.started = std::stoll(v(4));
        s.level = std::stoi(v(5));
        s.difficulty = std::stoi(v(6));
        s.tasks = std::stoi(v(7));
        s.kind = v(8) == "practice" ? GameKind::Practice : GameKind::Game;
        s.input = v(9);
        s.grade = v(10);
        s.seconds = PQgetisnull(g.get(), i, 11) ? 0 : std::stoi(v(11));
        for (GameEnd e : {GameEnd::Finished, GameEnd::GameOver, GameEnd::Closed, GameEnd::Aborted})
            if (v(12) == gameEndName(e)) s.end = e;
        index[{v(0), std::stoll(v(1))}] = games.size();
        games.push_back(std::move(s));
    }
    PgResult t = exec(pg.get(),
                      "SELECT t.machine, t.game, t.position, t.task_number, t.seed, t.text, t.solution, t.answer, "
                      "t.verdict, t.seconds FROM ziffron.tasks t JOIN ziffron.games g USING (machine, game)" +
                          where + " ORDER BY t.machine, t.game, t.position",
                      params, err);
    if (!t) {
        games.clear();
        return false;
    }
    for (int i = 0; i < PQntuples(t.get()); ++i) {
        auto v = [&](int col) { return std::string(PQgetvalue(t.get(), i, col)); };
        auto at = index.find({v(0), std::stoll(v(1))});
        if (at == index.end()) continue;
        StoredGame& s = games[at->second];
        TaskRecord r;
        r.position = std::stoi(v(2));
        r.taskNumber = std::stoi(v(3));
        r.seed = static_cast<unsigned int>(std::stoll(v(4)));
        r.text = v(5);
        r.solution = v(6);
        r.answer = v(7);
        r.verdict = v(8) == "right" ? TaskVerdict::Right : v(8) == "wrong" ? TaskVerdict::Wrong : TaskVerdict::Skipped;
        r.seconds = std::stoi(v(9));
        (r.verdict == TaskVerdict::Right ? s.right : r.verdict == TaskVerdict::Wrong ? s.wrong : s.skipped)++;
        s.taskList.push_back(std::move(r));
    }
    for (StoredGame& s : games)
        if (!s.end) {
            s.seconds = 0;
            for (const TaskRecord& r : s.taskList) s.seconds += r.seconds;
        }
    return true;
}
