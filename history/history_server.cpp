// The school server: the sender that pushes the local file's rows, the
// schema and its roles, and the class report's reads.
//
// Each machine logs in with a role of its own. Pupils' roles hold no rights
// on the tables: they call three functions that insert a row under the
// session's role (so a machine can write only under its own name) and say
// whether the server now holds exactly this row: 'held' (new, or sent before:
// a crash between the server's commit and the local mark) or 'other' (the
// key holds something else, e.g. a copy of the file sent it first). Only
// 'held' marks a row sent. Every call has a deadline: no thread
// waits on the server longer than a few seconds, and the program's end waits
// at most a short, fixed time for the sender.
#include "history.h"
#include "history_internal.h"

#include <libpq-fe.h>
#ifdef _WIN32
#include <winsock2.h> // WSAPoll: libpq's socket is a Winsock socket there
#else
#include <poll.h>
#endif

#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>
#include <thread>

using namespace historydb;

namespace {

using Clock = std::chrono::steady_clock;

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

// What a machine's role may do at the server, set by the administrator.
constexpr const char* kMachineLimits = " CONNECTION LIMIT 3";
const char* const kMachineSettings[] = {"statement_timeout = '5s'", "idle_in_transaction_session_timeout = '10s'",
                                        "lock_timeout = '2s'"};

// The functions a machine's role calls; the only rights it has on the data.
// Plain SQL, two statements: the insert, then (with a fresh snapshot, so a
// row a concurrent sender committed meanwhile counts) whether the server
// holds exactly this row under the session's role.
const char* const kPutFunctions =
    "CREATE OR REPLACE FUNCTION ziffron.put_game(p_machine text, p_game text, p_pupil text, p_class text,"
    " p_started bigint, p_level int, p_difficulty int, p_tasks int, p_kind text, p_input text) RETURNS text"
    " LANGUAGE sql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $f$"
    " INSERT INTO ziffron.games (owner, machine, game, pupil, class, started, level, difficulty, tasks, kind, input)"
    " VALUES (session_user, p_machine, p_game, p_pupil, p_class, p_started, p_level, p_difficulty, p_tasks, p_kind,"
    " p_input) ON CONFLICT DO NOTHING;"
    " SELECT CASE WHEN EXISTS (SELECT FROM ziffron.games g WHERE g.owner = session_user AND g.machine = p_machine"
    " AND g.game = p_game AND (g.pupil, g.class, g.started, g.level, g.difficulty, g.tasks, g.kind, g.input)"
    " IS NOT DISTINCT FROM (p_pupil, p_class, p_started, p_level, p_difficulty, p_tasks, p_kind, p_input))"
    " THEN 'held' ELSE 'other' END $f$;"
    "CREATE OR REPLACE FUNCTION ziffron.put_task(p_machine text, p_game text, p_position int, p_task_number int,"
    " p_seed bigint, p_text text, p_solution text, p_answer text, p_verdict text, p_seconds int) RETURNS text"
    " LANGUAGE sql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $f$"
    " INSERT INTO ziffron.tasks (owner, machine, game, position, task_number, seed, text, solution, answer, verdict,"
    " seconds) VALUES (session_user, p_machine, p_game, p_position, p_task_number, p_seed, p_text, p_solution,"
    " p_answer, p_verdict, p_seconds) ON CONFLICT DO NOTHING;"
    " SELECT CASE WHEN EXISTS (SELECT FROM ziffron.tasks t WHERE t.owner = session_user AND t.machine = p_machine"
    " AND t.game = p_game AND t.position = p_position AND (t.task_number, t.seed, t.text, t.solution, t.answer,"
    " t.verdict, t.seconds) IS NOT DISTINCT FROM (p_task_number, p_seed, p_text, p_solution, p_answer, p_verdict,"
    " p_seconds)) THEN 'held' ELSE 'other' END $f$;"
    "CREATE OR REPLACE FUNCTION ziffron.put_end(p_machine text, p_game text, p_right int, p_wrong int,"
    " p_skipped int, p_grade text, p_seconds int, p_ended text) RETURNS text"
    " LANGUAGE sql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $f$"
    " INSERT INTO ziffron.game_ends (owner, machine, game, answered_right, answered_wrong, skipped, grade, seconds,"
    " ended) VALUES (session_user, p_machine, p_game, p_right, p_wrong, p_skipped, p_grade, p_seconds, p_ended)"
    " ON CONFLICT DO NOTHING;"
    " SELECT CASE WHEN EXISTS (SELECT FROM ziffron.game_ends e WHERE e.owner = session_user"
    " AND e.machine = p_machine AND e.game = p_game AND (e.answered_right, e.answered_wrong, e.skipped, e.grade,"
    " e.seconds, e.ended) IS NOT DISTINCT FROM (p_right, p_wrong, p_skipped, p_grade, p_seconds, p_ended))"
    " THEN 'held' ELSE 'other' END $f$;"
    "REVOKE ALL ON FUNCTION ziffron.put_game(text, text, text, text, bigint, int, int, int, text, text),"
    " ziffron.put_task(text, text, int, int, bigint, text, text, text, text, int),"
    " ziffron.put_end(text, text, int, int, int, text, int, text) FROM PUBLIC;"
    "GRANT EXECUTE ON FUNCTION ziffron.put_game(text, text, text, text, bigint, int, int, int, text, text),"
    " ziffron.put_task(text, text, int, int, bigint, text, text, text, text, int),"
    " ziffron.put_end(text, text, int, int, int, text, int, text) TO ziffron_machines;";

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
    // 2: every row carries the role that sent it, in its key, so no machine
    // can take another's; a game's key is text (a random id per game, or the
    // old row id); sizes are bounded; machines only call the put functions.
    "ALTER TABLE ziffron.games ADD COLUMN owner name NOT NULL DEFAULT 'ziffron_pupil';"
    "ALTER TABLE ziffron.game_ends ADD COLUMN owner name NOT NULL DEFAULT 'ziffron_pupil';"
    "ALTER TABLE ziffron.tasks ADD COLUMN owner name NOT NULL DEFAULT 'ziffron_pupil';"
    "ALTER TABLE ziffron.games ALTER COLUMN owner DROP DEFAULT, ALTER COLUMN game TYPE text,"
    " DROP CONSTRAINT games_pkey, ADD PRIMARY KEY (owner, machine, game),"
    " ADD CONSTRAINT games_sizes CHECK (octet_length(machine) <= 64 AND octet_length(game) <= 64"
    " AND octet_length(pupil) <= 256 AND octet_length(class) <= 128 AND octet_length(kind) <= 16"
    " AND octet_length(input) <= 16) NOT VALID;"
    "ALTER TABLE ziffron.game_ends ALTER COLUMN owner DROP DEFAULT, ALTER COLUMN game TYPE text,"
    " DROP CONSTRAINT game_ends_pkey, ADD PRIMARY KEY (owner, machine, game),"
    " ADD CONSTRAINT game_ends_sizes CHECK (octet_length(machine) <= 64 AND octet_length(game) <= 64"
    " AND octet_length(grade) <= 64 AND octet_length(ended) <= 16) NOT VALID;"
    "ALTER TABLE ziffron.tasks ALTER COLUMN owner DROP DEFAULT, ALTER COLUMN game TYPE text,"
    " DROP CONSTRAINT tasks_pkey, ADD PRIMARY KEY (owner, machine, game, position),"
    " ADD CONSTRAINT tasks_sizes CHECK (octet_length(machine) <= 64 AND octet_length(game) <= 64"
    " AND octet_length(text) <= 8192 AND octet_length(solution) <= 1024 AND octet_length(answer) <= 1024"
    " AND octet_length(verdict) <= 16) NOT VALID;"
    "REVOKE ALL ON ziffron.games, ziffron.game_ends, ziffron.tasks FROM ziffron_pupil;",
};

// libpq's message in one line (its hints come indented on lines of their
// own), with any password that the connection text holds blanked.
std::string oneLine(const std::string& raw)
{
    std::string e;
    for (char ch : raw) {
        const bool blank = ch == '\n' || ch == '\t' || ch == '\r' || ch == ' ';
        if (!blank) e += ch;
        else if (!e.empty() && e.back() != ' ') e += ' ';
    }
    if (!e.empty() && e.back() == ' ') e.pop_back();
    return e;
}

std::string pgError(PGconn* c)
{
    return c ? oneLine(PQerrorMessage(c)) : "keine Verbindung";
}

std::string percentDecoded(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() + 0 && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// message without any password the connection text conn holds: libpq quotes
// parts of a URI it cannot parse (a stray '%' in a password, say).
std::string scrubbed(std::string message, const std::string& conn)
{
    std::vector<std::string> secrets;
    if (isServerUri(conn)) {
        size_t scheme = conn.find("://") + 3;
        size_t at = conn.find('@', scheme), slash = conn.find('/', scheme), colon = conn.find(':', scheme);
        if (at != std::string::npos && (slash == std::string::npos || at < slash) && colon < at)
            secrets.push_back(conn.substr(colon + 1, at - colon - 1));
    }
    for (size_t p = conn.find("password"); p != std::string::npos; p = conn.find("password", p + 1)) {
        size_t v = conn.find_first_not_of(" =", p + 8);
        if (v == std::string::npos || conn.find('=', p + 8) > v) continue;
        size_t e = conn.find_first_of(isServerUri(conn) ? "&#" : " ", v);
        secrets.push_back(conn.substr(v, e == std::string::npos ? std::string::npos : e - v));
    }
    for (size_t i = 0, n = secrets.size(); i < n; ++i) secrets.push_back(percentDecoded(secrets[i]));
    for (const std::string& s : secrets) {
        if (s.empty()) continue;
        for (size_t p = message.find(s); p != std::string::npos; p = message.find(s, p + 3)) message.replace(p, s.size(), "***");
    }
    return message;
}

// How long a call may take, and what ends it early.
struct Call {
    std::chrono::milliseconds limit{5000};
    std::function<bool()> stop;
};

// Waits until the socket is ready; false when the deadline passed or stop says so.
bool waitSocket(PGconn* c, bool forWrite, Clock::time_point deadline, const Call& call)
{
    while (true) {
        if (call.stop && call.stop()) return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd p{static_cast<decltype(pollfd::fd)>(PQsocket(c)), static_cast<short>(forWrite ? POLLOUT : POLLIN), 0};
#ifdef _WIN32
        int ready = ::WSAPoll(&p, 1, static_cast<int>(std::min<long long>(left, 100)));
#else
        int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 100)));
        if (ready < 0 && errno == EINTR) continue;
#endif
        if (ready != 0) return true; // an error on the socket: libpq names it
    }
}

constexpr const char* kTimeout = "Zeitüberschreitung beim Schulserver";

// Connects within the call's limit, giving up early when stop says so.
// Passwords come from the connection text, PGPASSWORD, a service file or
// ~/.pgpass: libpq reads them; every message here is scrubbed of them.
Pg connect(const std::string& uri, std::string& err, const Call& call = {})
{
    // Keepalives and the TCP timeout notice a server that vanished (a pulled
    // cable) during a call; the connection text may set its own values.
    const char* keys[] = {"connect_timeout", "keepalives", "keepalives_idle", "keepalives_interval",
                          "keepalives_count", "tcp_user_timeout", "application_name", "dbname", nullptr};
    const char* values[] = {"4", "1", "10", "3", "3", "10000", "ziffron", uri.c_str(), nullptr};
    Pg c(PQconnectStartParams(keys, values, 1));
    if (!c) {
        err = "kein Speicher";
        return nullptr;
    }
    const auto deadline = Clock::now() + call.limit;
    PostgresPollingStatusType st = PGRES_POLLING_WRITING;
    while (PQstatus(c.get()) != CONNECTION_BAD && st != PGRES_POLLING_OK && st != PGRES_POLLING_FAILED) {
        if (!waitSocket(c.get(), st == PGRES_POLLING_WRITING, deadline, call)) {
            err = "Zeitüberschreitung beim Verbinden";
            return nullptr;
        }
        st = PQconnectPoll(c.get());
    }
    if (PQstatus(c.get()) != CONNECTION_OK) {
        err = scrubbed(pgError(c.get()), uri);
        return nullptr;
    }
    PQsetnonblocking(c.get(), 1);
    // The server's notices ("already a member") are no news for anyone.
    PQsetNoticeProcessor(c.get(), [](void*, const char*) {}, nullptr);
    return c;
}

using Params = std::vector<std::optional<std::string>>;

// One statement (or several, without parameters) within the call's limit.
// A connection whose call timed out is unusable: the caller drops it.
// state gets the SQLSTATE of a refusal.
PgResult exec(PGconn* c, const std::string& sql, const Params& params, std::string& err, const Call& call = {},
              std::string* state = nullptr)
{
    std::vector<const char*> v;
    for (const auto& p : params) v.push_back(p ? p->c_str() : nullptr);
    // Without parameters the simple protocol, which takes several statements.
    int sentOk = v.empty() ? PQsendQuery(c, sql.c_str())
                           : PQsendQueryParams(c, sql.c_str(), static_cast<int>(v.size()), nullptr, v.data(), nullptr,
                                               nullptr, 0);
    if (!sentOk) {
        err = pgError(c);
        return nullptr;
    }
    const auto deadline = Clock::now() + call.limit;
    int flushed;
    while ((flushed = PQflush(c)) == 1)
        if (!waitSocket(c, true, deadline, call)) {
            err = kTimeout;
            return nullptr;
        }
    if (flushed < 0) {
        err = pgError(c);
        return nullptr;
    }
    PgResult kept, failed;
    while (true) {
        while (PQisBusy(c)) {
            if (!waitSocket(c, false, deadline, call)) {
                err = kTimeout;
                return nullptr;
            }
            if (!PQconsumeInput(c)) {
                err = pgError(c);
                return nullptr;
            }
        }
        PgResult r(PQgetResult(c));
        if (!r) break;
        ExecStatusType st = PQresultStatus(r.get());
        if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) {
            if (!failed) kept = std::move(r);
        } else if (!failed) {
            failed = std::move(r);
        }
    }
    if (failed || !kept) {
        const char* code = failed ? PQresultErrorField(failed.get(), PG_DIAG_SQLSTATE) : nullptr;
        std::string message = failed ? oneLine(PQresultErrorMessage(failed.get())) : pgError(c);
        if (message.empty()) message = pgError(c);
        if (state) *state = code ? code : "";
        // 42501: insufficient privilege.
        if (code && std::string(code) == "42501") err = "keine Berechtigung dafür (" + message + ")";
        else err = message;
        return nullptr;
    }
    return kept;
}

bool execOk(PGconn* c, const std::string& sql, std::string& err, const Call& call = {})
{
    return exec(c, sql, {}, err, call) != nullptr;
}

// The server's schema version; 0 when it has none yet.
bool serverVersion(PGconn* c, int& version, std::string& err, const Call& call = {})
{
    PgResult has = exec(c, "SELECT to_regclass('ziffron.meta') IS NOT NULL", {}, err, call);
    if (!has) return false;
    if (std::string(PQgetvalue(has.get(), 0, 0)) != "t") {
        version = 0;
        return true;
    }
    PgResult r = exec(c, "SELECT value FROM ziffron.meta WHERE key = 'schema_version'", {}, err, call);
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

const char* const kPutGame = "SELECT ziffron.put_game($1, $2, $3, $4, $5, $6, $7, $8, $9, $10)";
const char* const kPutTask = "SELECT ziffron.put_task($1, $2, $3, $4, $5, $6, $7, $8, $9, $10)";
const char* const kPutEnd = "SELECT ziffron.put_end($1, $2, $3, $4, $5, $6, $7, $8)";

enum class Put { Held, Other, Refused, Failed };

// A refusal of the row itself (its bytes, its size, a value out of range),
// as against the server or the connection failing.
bool rowRefused(const std::string& state)
{
    return state.size() == 5 && (state.rfind("22", 0) == 0 || state.rfind("23", 0) == 0 || state.rfind("54", 0) == 0);
}

Put put(PGconn* c, const char* sql, const Params& params, std::string& err, const Call& call)
{
    std::string state;
    PgResult r = exec(c, sql, params, err, call, &state);
    if (!r && rowRefused(state)) {
        // Said in German, for the teacher reading --sync; the server's own
        // words (they may quote the whole row) stay out.
        err = state == "22021"   ? "Text ist kein gültiges UTF-8"
              : state == "23514" ? "Text zu lang"
              : state == "22001" ? "Text zu lang"
              : state == "22003" ? "Zahl außerhalb des Bereichs"
                                 : "vom Schulserver abgelehnt (SQLSTATE " + state + ")";
        return Put::Refused;
    }
    if (!r) return Put::Failed;
    std::string said = PQntuples(r.get()) == 1 ? PQgetvalue(r.get(), 0, 0) : "";
    if (said == "held") return Put::Held;
    err = "auf dem Schulserver liegt unter diesem Schlüssel ein anderes Spiel";
    return Put::Other;
}

enum class Push { Done, ServerFailed, LocalFailed, Refused };

// One local row on its way: which kind, its local key, the values to send.
struct Row {
    enum class Kind { Start, Task, End } kind;
    long long game = 0;
    int position = 0;
    Params values;
};

std::optional<std::string> value(sqlite3_stmt* s, int i)
{
    if (sqlite3_column_type(s, i) == SQLITE_NULL) return std::nullopt;
    return columnText(s, i);
}

// The rows the server lacks, in the order they must go: starts, then the
// tasks and ends of games whose start went.
bool unsentRows(sqlite3* local, const std::string& machine, std::vector<Row>& rows, std::string& err)
{
    static const struct {
        Row::Kind kind;
        const char* sql;
        int columns;
    } queries[] = {
        {Row::Kind::Start,
         "SELECT id, 0, coalesce(uid, id), pupil, class, started, level, difficulty, tasks, kind, input FROM games "
         "WHERE sent = 0 AND refused IS NULL ORDER BY id LIMIT 100",
         11},
        {Row::Kind::Task,
         "SELECT t.game, t.position, coalesce(g.uid, g.id), t.position, t.task_number, t.seed, t.text, t.solution, "
         "t.answer, t.verdict, t.seconds FROM tasks t JOIN games g ON g.id = t.game "
         "WHERE t.sent = 0 AND t.refused IS NULL AND g.sent >= 1 ORDER BY t.game, t.position LIMIT 300",
         11},
        {Row::Kind::End,
         "SELECT id, 0, coalesce(uid, id), answered_right, answered_wrong, skipped, grade, seconds, ended FROM games "
         "WHERE sent = 1 AND ended IS NOT NULL AND refused IS NULL ORDER BY id LIMIT 100",
         9},
    };
    rows.clear();
    for (const auto& q : queries) {
        Stmt s = prepare(local, q.sql, err);
        if (!s) return false;
        int rc;
        while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
            Row r{q.kind, sqlite3_column_int64(s.get(), 0), sqlite3_column_int(s.get(), 1), {machine}};
            for (int i = 2; i < q.columns; ++i) r.values.push_back(value(s.get(), i));
            rows.push_back(std::move(r));
        }
        if (rc != SQLITE_DONE) {
            err = reason(local, rc);
            return false;
        }
    }
    return true;
}

// Runs one local change in its own transaction.
bool localChange(sqlite3* local, const char* sql, const std::vector<std::string>& texts, std::string& err)
{
    Stmt s = prepare(local, sql, err);
    if (!s) return false;
    for (size_t i = 0; i < texts.size(); ++i) bindText(s.get(), static_cast<int>(i + 1), texts[i]);
    return run(local, s.get(), err);
}

// Sends one batch after another until the file has nothing left unsent. A
// row the server refuses is set aside; a game whose key holds something else
// on the server gets a new key and goes again, whole.
// versionKnown: the connection's schema was checked already (once per
// connection: each round trip counts when a whole school sends).
Push pushAll(PGconn* pg, sqlite3* local, int& sent, std::string& err, const Call& call, bool& versionKnown)
{
    int version = kServerSchemaVersion;
    if (!versionKnown && !serverVersion(pg, version, err, call)) return Push::ServerFailed;
    if (version == 0) {
        err = "Schulserver ist nicht eingerichtet (ziffron-report --init-server)";
        return Push::Refused;
    }
    if (version > kServerSchemaVersion) {
        err = newerSchema(version);
        return Push::Refused;
    }
    if (version < kServerSchemaVersion) {
        err = "Schulserver hat ein älteres Schema (" + std::to_string(version) +
              "): ziffron-report --init-server bringt es auf den Stand";
        return Push::Refused;
    }
    versionKnown = true;
    std::string machine;
    {
        Stmt m = prepare(local, "SELECT value FROM meta WHERE key = 'machine'", err);
        if (!m) return Push::LocalFailed;
        if (sqlite3_step(m.get()) != SQLITE_ROW) {
            err = "Verlauf ohne Rechner-Kennung";
            return Push::LocalFailed;
        }
        machine = columnText(m.get(), 0);
    }
    std::vector<Row> rows;
    while (!(call.stop && call.stop())) {
        if (!unsentRows(local, machine, rows, err)) return Push::LocalFailed;
        if (rows.empty()) return Push::Done;
        // A single row (a task just answered) is its own transaction.
        const bool single = rows.size() == 1;
        if (!single && !execOk(pg, "BEGIN", err, call)) return Push::ServerFailed;
        Put outcome = Put::Held;
        const Row* failed = nullptr;
        for (const Row& r : rows) {
            outcome = put(pg, r.kind == Row::Kind::Start ? kPutGame : r.kind == Row::Kind::Task ? kPutTask : kPutEnd,
                          r.values, err, call);
            if (outcome != Put::Held) {
                failed = &r;
                break;
            }
        }
        if (failed) {
            std::string ignored;
            if (outcome == Put::Failed) return Push::ServerFailed; // the caller drops the connection
            if (!single && !execOk(pg, "ROLLBACK", ignored, call)) return Push::ServerFailed;
            const std::string game = std::to_string(failed->game), position = std::to_string(failed->position);
            std::string localErr;
            bool ok = true;
            if (outcome == Put::Other) {
                ok = localChange(local, "UPDATE games SET uid = lower(hex(randomblob(16))), sent = 0 WHERE id = ?1",
                                 {game}, localErr) &&
                     localChange(local, "UPDATE tasks SET sent = 0 WHERE game = ?1", {game}, localErr);
                historyPostNotice("Schulserver: " + err + "; dieses Spiel geht unter neuem Schlüssel noch einmal.");
            } else if (failed->kind == Row::Kind::Task) {
                ok = localChange(local, "UPDATE tasks SET refused = ?1 WHERE game = ?2 AND position = ?3",
                                 {err, game, position}, localErr);
            } else {
                ok = localChange(local, "UPDATE games SET refused = ?1 WHERE id = ?2",
                                 {(failed->kind == Row::Kind::End ? "Spielende: " : "") + err, game}, localErr);
            }
            if (!ok) {
                err = localErr;
                return Push::LocalFailed;
            }
            continue;
        }
        if (!single && !execOk(pg, "COMMIT", err, call)) return Push::ServerFailed;
        // On the server now; a crash before this mark only sends them again.
        if (!historydb::exec(local, "BEGIN IMMEDIATE", err)) return Push::LocalFailed;
        Stmt markStart = prepare(local, "UPDATE games SET sent = max(sent, 1) WHERE id = ?", err);
        Stmt markTask = prepare(local, "UPDATE tasks SET sent = 1 WHERE game = ? AND position = ?", err);
        Stmt markEnd = prepare(local, "UPDATE games SET sent = 2 WHERE id = ?", err);
        bool ok = markStart && markTask && markEnd;
        int tasks = 0;
        for (const Row& r : rows) {
            if (!ok) break;
            sqlite3_stmt* m = r.kind == Row::Kind::Start ? markStart.get()
                              : r.kind == Row::Kind::Task ? markTask.get()
                                                          : markEnd.get();
            sqlite3_bind_int64(m, 1, r.game);
            if (r.kind == Row::Kind::Task) {
                sqlite3_bind_int(m, 2, r.position);
                ++tasks;
            }
            ok = run(local, m, err);
        }
        markStart.reset();
        markTask.reset();
        markEnd.reset();
        if (!ok || !historydb::exec(local, "COMMIT", err)) {
            sqlite3_exec(local, "ROLLBACK", nullptr, nullptr, nullptr);
            return Push::LocalFailed;
        }
        sent += tasks;
    }
    return Push::Done;
}

// ---- the background sender

// A sender's own state, shared with its thread: a sender left running past
// its stop (caught in a call) keeps it alive on its own.
struct SenderState {
    std::mutex lock;
    std::condition_variable wake, finished;
    bool stop = false, woken = false, done = false;
    Clock::time_point flushBy = Clock::time_point::max();
};

// The running sender. Never destroyed: a program that ends without
// historyClose still finds it from the history's own clean-up.
struct SenderSlot {
    std::mutex lock;
    std::shared_ptr<SenderState> state;
    std::thread thread;
};
SenderSlot& slot()
{
    static SenderSlot* s = new SenderSlot;
    return *s;
}

void senderLoop(std::shared_ptr<SenderState> state, std::string path, std::string uri)
{
    // Once stopped, a last pass runs until flushBy.
    auto stopping = [&] {
        std::lock_guard<std::mutex> l(state->lock);
        return state->stop && Clock::now() >= state->flushBy;
    };
    auto stopAsked = [&] {
        std::lock_guard<std::mutex> l(state->lock);
        return state->stop;
    };
    // Notices only while the program runs (a sender past its stop may
    // outlive the history's own state).
    auto notice = [&](const std::string& line) {
        if (!stopAsked()) historyPostNotice(line);
    };
    Call call;
    call.stop = stopping;
    std::string err;
    Db local;
    Pg pg;
    bool versionKnown = false; // for this connection
    bool unreachableSaid = false;
    auto backoff = std::chrono::seconds(1);
    while (true) {
        const bool last = stopAsked();
        if (!local) local = openForSender(path, err);
        if (!pg && local) {
            pg = connect(uri, err, call);
            versionKnown = false;
        }
        int sent = 0;
        Push result = !local ? Push::LocalFailed : pg ? pushAll(pg.get(), local.get(), sent, err, call, versionKnown)
                                       : Push::ServerFailed;
        if (last) break;
        if (result == Push::Refused) {
            notice(err + "; die Ergebnisse bleiben auf diesem Rechner.");
            break;
        }
        std::chrono::milliseconds pause = std::chrono::hours(1);
        if (result == Push::ServerFailed) {
            // The pupil reads German; libpq's own words go to the log.
            if (!unreachableSaid) {
                notice(kUnreachable);
                std::fprintf(stderr, "Schulserver: %s\n", err.c_str());
            }
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
        std::unique_lock<std::mutex> l(state->lock);
        bool failed = result == Push::ServerFailed;
        // After a failure the pause is kept; otherwise each commit wakes.
        auto woken = [&] { return state->stop || (!failed && state->woken); };
        if (pg && result == Push::Done && !state->wake.wait_for(l, kKeepIdleConnection, woken)) {
            // Between lessons a machine holds no connection; during one it
            // keeps it, since connecting (password hashing) costs the server
            // far more than an insert.
            l.unlock();
            pg.reset();
            l.lock();
        }
        state->wake.wait_for(l, pause, woken);
        state->woken = false;
    }
    std::lock_guard<std::mutex> l(state->lock);
    state->done = true;
    state->finished.notify_all();
}

} // namespace

void senderWake()
{
    std::lock_guard<std::mutex> g(slot().lock);
    const std::shared_ptr<SenderState>& state = slot().state;
    if (!state) return;
    {
        std::lock_guard<std::mutex> l(state->lock);
        state->woken = true;
    }
    state->wake.notify_all();
}

void senderStop(std::chrono::milliseconds flush)
{
    // Taken out of the slot first: a commit's wake-up never waits for this.
    std::shared_ptr<SenderState> state;
    std::thread thread;
    {
        std::lock_guard<std::mutex> g(slot().lock);
        if (!slot().state) return;
        state = std::move(slot().state);
        thread = std::move(slot().thread);
    }
    std::unique_lock<std::mutex> l(state->lock);
    state->stop = true;
    state->flushBy = Clock::now() + flush;
    state->wake.notify_all();
    // The last pass has flush; a call under way ends within its poll slice.
    bool done = state->finished.wait_for(l, flush + std::chrono::milliseconds(300), [&] { return state->done; });
    l.unlock();
    if (done) thread.join();
    else thread.detach();
}

void historyStartSender(const std::string& uri)
{
    senderStop();
    std::string path = historyPath();
    if (path.empty()) return;
    std::lock_guard<std::mutex> g(slot().lock);
    slot().state = std::make_shared<SenderState>();
    slot().thread = std::thread(senderLoop, slot().state, path, uri);
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
    bool versionKnown = false;
    return pushAll(pg.get(), local.get(), sent, err, {}, versionKnown) == Push::Done;
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

bool ServerSession::sendTask(const std::string& machine, const std::string& game, const GameStart& g,
                             const std::string& className, const TaskRecord& t, std::string& err)
{
    PGconn* c = static_cast<PGconn*>(connection_);
    if (!c || PQstatus(c) != CONNECTION_OK) {
        PQfinish(c);
        connection_ = c = connect(uri_, err).release();
        if (!c) return false;
    }
    // Both rows in one statement: one round trip, one transaction.
    PgResult r = exec(c,
                      "SELECT ziffron.put_game($1, $2, $3, $4, $5, $6, $7, $8, $9, $10), "
                      "ziffron.put_task($1, $2, $11, $12, $13, $14, $15, $16, $17, $18)",
                      {machine, game, g.pupil, className, std::to_string(g.started), std::to_string(g.level),
                       std::to_string(g.difficulty), std::to_string(g.tasks),
                       std::string(g.kind == GameKind::Practice ? "practice" : "game"), g.input,
                       std::to_string(t.position), std::to_string(t.taskNumber), std::to_string(t.seed), t.text,
                       t.solution, t.answer, std::string(verdictName(t.verdict)), std::to_string(t.seconds)},
                      err);
    bool ok = r && PQntuples(r.get()) == 1;
    for (int i = 0; ok && i < 2; ++i) {
        std::string said = PQgetvalue(r.get(), 0, i);
        ok = said == "held";
        if (!ok) err = "auf dem Schulserver liegt unter diesem Schlüssel anderes";
    }
    if (!ok) {
        PQfinish(c);
        connection_ = nullptr;
    }
    return ok;
}

namespace {

// Sets a role's password, hashed here: the server's log and statistics see
// no plain text.
bool setPassword(PGconn* c, const std::string& role, const std::string& password, std::string& err, const Call& call)
{
    char* hash = PQencryptPasswordConn(c, password.c_str(), role.c_str(), nullptr);
    if (!hash) {
        err = pgError(c);
        return false;
    }
    char* literal = PQescapeLiteral(c, hash, std::strlen(hash));
    PQfreemem(hash);
    if (!literal) {
        err = pgError(c);
        return false;
    }
    std::string sql = "ALTER ROLE " + role + " PASSWORD " + literal;
    PQfreemem(literal);
    return execOk(c, sql, err, call);
}

// The limits every pupil-side role gets; the role cannot raise them for
// anyone but itself.
bool confineRole(PGconn* c, const std::string& role, bool limitConnections, std::string& err, const Call& call)
{
    std::string sql = "ALTER ROLE " + role + " NOSUPERUSER NOCREATEDB NOCREATEROLE NOREPLICATION NOBYPASSRLS" +
                      (limitConnections ? kMachineLimits : "") + ";";
    for (const char* setting : kMachineSettings) sql += "ALTER ROLE " + role + " SET " + setting + ";";
    return execOk(c, sql, err, call);
}

const Call kAdminCall{std::chrono::milliseconds(60000), {}};

} // namespace

bool historyInitServer(const std::string& uri, const std::string& pupilPassword, const std::string& teacherPassword,
                       std::string& log, std::string& err)
{
    const Call& call = kAdminCall;
    Pg pg = connect(uri, err, call);
    if (!pg) return false;
    PGconn* c = pg.get();
    if (!execOk(c, "BEGIN", err, call)) return false;
    auto fail = [&] {
        std::string ignored;
        execOk(c, "ROLLBACK", ignored, call);
        return false;
    };
    // Roles belong to the whole cluster: a second school database finds them.
    // ziffron_machines holds what every machine's role may do.
    for (const char* role : {"ziffron_machines", "ziffron_pupil", "ziffron_teacher", "ziffron_pgbouncer"}) {
        PgResult r = exec(c, "SELECT 1 FROM pg_roles WHERE rolname = $1", {std::string(role)}, err, call);
        if (!r) return fail();
        if (PQntuples(r.get()) == 0) {
            bool login = std::strcmp(role, "ziffron_pupil") == 0 || std::strcmp(role, "ziffron_teacher") == 0;
            if (!execOk(c, std::string("CREATE ROLE ") + role + (login ? " LOGIN" : " NOLOGIN"), err, call))
                return fail();
            log += std::string("Rolle ") + role + " angelegt.\n";
        }
    }
    for (auto [role, password] : {std::pair{"ziffron_pupil", &pupilPassword}, {"ziffron_teacher", &teacherPassword}}) {
        if (password->empty()) continue;
        if (!setPassword(c, role, *password, err, call)) return fail();
        log += std::string("Passwort für ") + role + " gesetzt.\n";
    }
    // The shared role of older set-ups serves many machines: no connection
    // limit, but the same timeouts.
    if (!confineRole(c, "ziffron_pupil", false, err, call) ||
        !execOk(c, "GRANT ziffron_machines TO ziffron_pupil", err, call))
        return fail();
    int version = 0;
    if (!serverVersion(c, version, err, call)) return fail();
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
                    err, call))
            return fail();
    }
    for (int v = version; v < kServerSchemaVersion; ++v) {
        if (!execOk(c, kServerUpgrades[v], err, call)) return fail();
        if (!exec(c, "UPDATE ziffron.meta SET value = $1 WHERE key = 'schema_version'", {std::to_string(v + 1)}, err,
                  call))
            return fail();
        log += "Schema auf Version " + std::to_string(v + 1) + " gebracht.\n";
    }
    // Every run: the functions as this build knows them, and what no pupil's
    // role may do in this database (temporary tables, objects in public).
    if (!execOk(c,
                std::string(kPutFunctions) +
                    "GRANT USAGE ON SCHEMA ziffron TO ziffron_machines, ziffron_pgbouncer;"
                    "GRANT SELECT ON ziffron.meta TO ziffron_machines;"
                    "GRANT SELECT ON ziffron.games, ziffron.game_ends, ziffron.tasks TO ziffron_teacher;"
                    "REVOKE CREATE ON SCHEMA public FROM PUBLIC;"
                    "DO $d$ BEGIN EXECUTE format('REVOKE TEMPORARY ON DATABASE %I FROM PUBLIC', current_database());"
                    " END $d$;",
                err, call))
        return fail();
    PgResult super = exec(c, "SELECT rolsuper FROM pg_roles WHERE rolname = current_user", {}, err, call);
    if (!super) return fail();
    if (std::string(PQgetvalue(super.get(), 0, 0)) == "t") {
        // Large objects live outside the tables and their limits; and the
        // pooler may look up the secrets of the school's roles, no others.
        if (!execOk(c,
                    "REVOKE EXECUTE ON FUNCTION pg_catalog.lo_create(oid), pg_catalog.lo_creat(integer),"
                    " pg_catalog.lo_from_bytea(oid, bytea), pg_catalog.lo_import(text),"
                    " pg_catalog.lo_import(text, oid) FROM PUBLIC;"
                    "CREATE OR REPLACE FUNCTION ziffron.login_secret(p_user text, OUT usename name, OUT passwd text)"
                    " RETURNS record LANGUAGE sql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $f$"
                    " SELECT s.usename, s.passwd FROM pg_shadow s WHERE s.usename = p_user AND NOT s.usesuper"
                    " AND (pg_has_role(s.usesysid, 'ziffron_machines', 'MEMBER')"
                    " OR s.usename = 'ziffron_teacher') $f$;"
                    "REVOKE ALL ON FUNCTION ziffron.login_secret(text) FROM PUBLIC;"
                    "GRANT EXECUTE ON FUNCTION ziffron.login_secret(text) TO ziffron_pgbouncer;",
                    err, call))
            return fail();
    } else {
        log += "Hinweis: ohne Superuser-Rechte bleiben große Objekte erlaubt und für PgBouncer fehlt "
               "ziffron.login_secret (als postgres wiederholen).\n";
    }
    if (!execOk(c, "COMMIT", err, call)) return false;
    if (version == kServerSchemaVersion) log += "Schema ist schon auf Version " + std::to_string(version) + ".\n";
    return true;
}

bool historyAddMachine(const std::string& uri, const std::string& name, const std::string& password,
                       const std::string& host, std::string& stanza, std::string& log, std::string& err)
{
    stanza.clear();
    if (name.empty() || name.size() > 40) {
        err = "der Name des Rechners hat 1 bis 40 Zeichen";
        return false;
    }
    std::string lowered;
    for (char ch : name) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
        if (ch == '-') ch = '_';
        if (!((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '_')) {
            err = "der Name des Rechners besteht aus Buchstaben a–z, Ziffern, '-' und '_'";
            return false;
        }
        lowered += ch;
    }
    if (password.size() < 12 || password.front() == ' ' || password.back() == ' ' ||
        password.find_first_of("\r\n\t") != std::string::npos) {
        err = "das Passwort eines Rechners hat mindestens 12 Zeichen, ohne Zeilenwechsel und ohne Leerzeichen am "
              "Anfang oder Ende";
        return false;
    }
    const Call& call = kAdminCall;
    Pg pg = connect(uri, err, call);
    if (!pg) return false;
    PGconn* c = pg.get();
    int version = 0;
    if (!serverVersion(c, version, err, call)) return false;
    if (version != kServerSchemaVersion) {
        err = "Schema des Schulservers ist nicht auf Version " + std::to_string(kServerSchemaVersion) +
              " (zuerst ziffron-report --init-server)";
        return false;
    }
    const std::string r = "ziffron_m_" + lowered;
    if (!execOk(c, "BEGIN", err, call)) return false;
    auto fail = [&] {
        std::string ignored;
        execOk(c, "ROLLBACK", ignored, call);
        return false;
    };
    PgResult there = exec(c, "SELECT 1 FROM pg_roles WHERE rolname = $1", {r}, err, call);
    if (!there) return fail();
    const bool exists = PQntuples(there.get()) == 1;
    if (!exists && !execOk(c, "CREATE ROLE " + r + " LOGIN IN ROLE ziffron_machines", err, call)) return fail();
    if (!execOk(c, "GRANT ziffron_machines TO " + r, err, call) || !confineRole(c, r, true, err, call) ||
        !setPassword(c, r, password, err, call))
        return fail();
    if (!execOk(c, "COMMIT", err, call)) return false;
    log += std::string(exists ? "Rolle " + r + " hat ein neues Passwort.\n" : "Rolle " + r + " angelegt.\n");
    // The service file takes each value up to the line's end, unquoted; a
    // socket folder is no address for another machine.
    std::string server = !host.empty() ? host : PQhost(c) ? PQhost(c) : "";
    if (server.empty() || server[0] == '/') server = "SCHULSERVER";
    std::string port = PQport(c) && *PQport(c) ? PQport(c) : "5432";
    stanza = "[ziffron]\nhost=" + server + "\nport=" + port + "\ndbname=" + PQdb(c) + "\nuser=" + r +
             "\npassword=" + password + "\nsslmode=require\n";
    return true;
}

bool historyLoadServer(const std::string& uri, const HistoryFilter& filter, std::vector<StoredGame>& games,
                       std::string& err)
{
    games.clear();
    const Call call{std::chrono::milliseconds(30000), {}};
    Pg pg = connect(uri, err, call);
    if (!pg) return false;
    int version = 0;
    if (!serverVersion(pg.get(), version, err, call)) return false;
    if (version == 0) {
        err = "Schulserver ist nicht eingerichtet (ziffron-report --init-server)";
        return false;
    }
    if (version > kServerSchemaVersion) {
        err = newerSchema(version);
        return false;
    }
    // Before version 2 a row had no owner: the shared role sent them all.
    auto table = [&](const char* name) {
        return version >= 2 ? std::string("ziffron.") + name
                            : std::string("(SELECT *, 'ziffron_pupil'::name AS owner FROM ziffron.") + name + ")";
    };
    const std::string where = " WHERE ($1 = '' OR g.pupil = $1) AND g.started >= $2::bigint AND ($3 = '' OR g.class = $3)";
    Params params = {filter.pupil, std::to_string(filter.since), filter.className};
    PgResult g = exec(pg.get(),
                      "SELECT g.machine, g.game, g.pupil, g.class, g.started, g.level, g.difficulty, g.tasks, g.kind, "
                      "g.input, e.grade, e.seconds, e.ended, g.owner FROM " + table("games") + " g LEFT JOIN " +
                          table("game_ends") + " e USING (owner, machine, game)" + where +
                          " ORDER BY g.started, g.owner, g.machine, g.game",
                      params, err, call);
    if (!g) return false;
    std::map<std::tuple<std::string, std::string, std::string>, size_t> index;
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
        index[{v(13), v(0), v(1)}] = games.size();
        games.push_back(std::move(s));
    }
    PgResult t = exec(pg.get(),
                      "SELECT t.machine, t.game, t.position, t.task_number, t.seed, t.text, t.solution, t.answer, "
                      "t.verdict, t.seconds, t.owner FROM " + table("tasks") + " t JOIN " + table("games") +
                          " g USING (owner, machine, game)" + where +
                          " ORDER BY t.owner, t.machine, t.game, t.position",
                      params, err, call);
    if (!t) {
        games.clear();
        return false;
    }
    for (int i = 0; i < PQntuples(t.get()); ++i) {
        auto v = [&](int col) { return std::string(PQgetvalue(t.get(), i, col)); };
        auto at = index.find({v(10), v(0), v(1)});
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
