#include "history.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

fs::path tempFile(const std::string& name)
{
    fs::path dir = fs::temp_directory_path() / ("ziffron_history_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::path p = dir / name;
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(p.string() + suffix);
    return p;
}

std::string bytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs SQL on a file of our own making, as another program would.
void sql(const fs::path& p, const std::string& text)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(p.c_str(), &db), SQLITE_OK);
    char* msg = nullptr;
    EXPECT_EQ(sqlite3_exec(db, text.c_str(), nullptr, nullptr, &msg), SQLITE_OK) << (msg ? msg : "");
    sqlite3_free(msg);
    sqlite3_close(db);
}

TaskRecord task(int position, int number, TaskVerdict v, std::string text = "Berechne 3 + 4")
{
    TaskRecord t;
    t.position = position;
    t.taskNumber = number;
    t.seed = 4000000000u + position;
    t.text = std::move(text);
    t.solution = "7";
    t.answer = v == TaskVerdict::Right ? "7" : v == TaskVerdict::Wrong ? "8" : "–";
    t.verdict = v;
    t.seconds = position * 3;
    return t;
}

// One game of three tasks by pupil, started at the given time.
void writeGame(const std::string& pupil, long long started, GameEnd end = GameEnd::Finished)
{
    std::string err;
    ASSERT_TRUE(historyBeginGame({pupil, started, 3, 1, 3, GameKind::Game}, err)) << err;
    ASSERT_TRUE(historyRecordTask(task(1, 3101, TaskVerdict::Right, "Wie viel ist 3 + 4? Schätze, prüfe \"genau\""), err));
    ASSERT_TRUE(historyRecordTask(task(2, 3102, TaskVerdict::Wrong), err));
    ASSERT_TRUE(historyRecordTask(task(3, 3101, TaskVerdict::Skipped), err));
    ASSERT_TRUE(historyEndGame({1, 1, 1, "", 9, end}, err)) << err;
}

} // namespace

TEST(History, RoundTripKeepsEveryFieldAndFilters)
{
    fs::path p = tempFile("round.sqlite3");
    std::string err;
    ASSERT_TRUE(historyOpen(p, err)) << err;
    writeGame("Jörg", 1000);
    writeGame("Anna", 2000, GameEnd::GameOver);
    historyClose();

    std::vector<StoredGame> games;
    ASSERT_TRUE(historyLoad(p, {}, games, err)) << err;
    ASSERT_EQ(games.size(), 2u);
    const StoredGame& g = games[0];
    EXPECT_EQ(g.pupil + " " + std::to_string(g.started) + " " + std::to_string(g.level) + " " + std::to_string(g.tasks) +
                  " " + std::to_string(g.seconds),
              "Jörg 1000 3 3 9");
    EXPECT_EQ(g.kind, GameKind::Game);
    EXPECT_EQ(g.end, GameEnd::Finished);
    EXPECT_EQ(games[1].end, GameEnd::GameOver);
    EXPECT_EQ(g.right + g.wrong * 10 + g.skipped * 100, 111);
    ASSERT_EQ(g.taskList.size(), 3u);
    const TaskRecord& t = g.taskList[0];
    EXPECT_EQ(t.text, "Wie viel ist 3 + 4? Schätze, prüfe \"genau\"");
    EXPECT_EQ(t.seed, 4000000001u) << "seeds above 2^31 survive";
    EXPECT_EQ(g.taskList[2].answer, "–");
    EXPECT_EQ(g.taskList[2].verdict, TaskVerdict::Skipped);
    EXPECT_EQ(g.taskList[1].seconds, 6);

    ASSERT_TRUE(historyLoad(p, {"Anna", LLONG_MIN}, games, err));
    EXPECT_EQ(games.size(), 1u);
    ASSERT_TRUE(historyLoad(p, {"", 1500}, games, err));
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].pupil, "Anna");

    // The file is in WAL mode and at the current schema.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(p.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT (SELECT user_version FROM pragma_user_version) || ' ' || "
                           "(SELECT journal_mode FROM pragma_journal_mode)", -1, &s, nullptr);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))),
              std::to_string(kHistorySchemaVersion) + " wal");
    sqlite3_finalize(s);
    sqlite3_close(db);
}

TEST(History, VersionOneFileIsUpgradedKeepingItsGames)
{
    fs::path p = tempFile("v1.sqlite3");
    // The tables as the first version wrote them.
    sql(p, "CREATE TABLE games (id INTEGER PRIMARY KEY, pupil TEXT NOT NULL, started INTEGER NOT NULL,"
           " level INTEGER NOT NULL, difficulty INTEGER NOT NULL, tasks INTEGER NOT NULL, answered_right INTEGER,"
           " answered_wrong INTEGER, skipped INTEGER, grade TEXT, seconds INTEGER, ended TEXT);"
           "CREATE TABLE tasks (game INTEGER NOT NULL REFERENCES games(id), position INTEGER NOT NULL,"
           " task_number INTEGER NOT NULL, seed INTEGER NOT NULL, text TEXT NOT NULL, solution TEXT NOT NULL,"
           " answer TEXT NOT NULL, verdict TEXT NOT NULL, seconds INTEGER NOT NULL, PRIMARY KEY (game, position));"
           "INSERT INTO games VALUES (1, 'Old', 50, 2, 2, 1, 1, 0, 0, '1', 4, 'finished');"
           "INSERT INTO tasks VALUES (1, 1, 2201, 9, 'alt', '5', '5', 'right', 4);"
           "PRAGMA user_version = 1;");
    std::vector<StoredGame> games;
    std::string err;
    ASSERT_TRUE(historyLoad(p, {}, games, err)) << "the report reads a version-1 file as it is: " << err;

    ASSERT_TRUE(historyOpen(p, err)) << err;
    ASSERT_TRUE(historyBeginGame({"New", 60, 1, 1, 6, GameKind::Practice}, err)) << err;
    historyClose();
    ASSERT_TRUE(historyLoad(p, {}, games, err)) << err;
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].pupil, "Old");
    EXPECT_EQ(games[0].kind, GameKind::Game);
    EXPECT_EQ(games[0].taskList.at(0).text, "alt");
    EXPECT_EQ(games[1].kind, GameKind::Practice);
    EXPECT_FALSE(games[1].end.has_value()) << "never ended";
}

// Beyond the locked, read-only, corrupt and newer files the game is played
// with (tests/quiz): a damaged page and another program's database.
TEST(History, DamagedOrForeignFilesStayUntouched)
{
    fs::path damaged = tempFile("damaged.sqlite3"), foreign = tempFile("foreign.sqlite3");
    std::string err;
    ASSERT_TRUE(historyOpen(damaged, err)) << err;
    writeGame("A", 1);
    historyClose();
    {
        std::fstream f(damaged, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(4096 + 8);
        f << std::string(200, '\xEE');
    }
    sql(foreign, "CREATE TABLE notes (x); INSERT INTO notes VALUES (1);");
    fs::path negative = tempFile("negative.sqlite3");
    sql(negative, "PRAGMA user_version = -3;");
    for (auto [p, reason] : {std::pair{damaged, "beschädigt"}, std::pair{foreign, "fremde Daten"},
                             std::pair{negative, "fremde Daten"}}) {
        std::string before = bytes(p);
        EXPECT_FALSE(historyOpen(p, err));
        EXPECT_NE(err.find(reason), std::string::npos) << err;
        EXPECT_FALSE(historyActive());
        EXPECT_TRUE(historyRecordTask(task(1, 1101, TaskVerdict::Right), err)) << "without a history nothing fails";
        EXPECT_EQ(bytes(p), before);
    }
}

TEST(History, ALockDuringPlayHoldsTheTasksInMemoryUntilItGoes)
{
    fs::path p = tempFile("locked.sqlite3");
    std::string err;
    ASSERT_TRUE(historyOpen(p, err)) << err;
    writeGame("A", 1);
    historyClose();
    std::string before = bytes(p);

    // Another program holds the write lock at the start, for 0.6 s: the run
    // is not lost; its records wait, and are written once the lock goes.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(p.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_TRUE(historyOpen(p, err)) << err;
    EXPECT_TRUE(historyActive());
    ASSERT_TRUE(historyBeginGame({"S", 3, 1, 1, 1, GameKind::Game}, err)) << err;
    EXPECT_TRUE(historyRecordTask(task(1, 1101, TaskVerdict::Right), err)) << err;
    EXPECT_TRUE(historyEndGame({1, 0, 0, "1", 3, GameEnd::Finished}, err)) << err;
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(bytes(p), before) << "nothing written past the lock";
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    for (int i = 0; i < 100 && historyWaiting() > 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(historyWaiting(), 0);
    std::string said;
    ASSERT_TRUE(historyNotice(said));
    EXPECT_NE(said.find("gesperrt"), std::string::npos) << said;
    while (historyNotice(said)) {}
    EXPECT_TRUE(historyClose(err)) << err;
    std::vector<StoredGame> started;
    ASSERT_TRUE(historyLoad(p, {"S", LLONG_MIN}, started, err)) << err;
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].taskList.size(), 1u);

    // The lock comes while a game runs: the tasks wait in memory, the game
    // never waits for them, and they are written once the lock goes.
    ASSERT_TRUE(historyOpen(p, err)) << err;
    ASSERT_TRUE(historyBeginGame({"B", 5, 1, 1, 3, GameKind::Game, "typed"}, err));
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(historyRecordTask(task(i, 1101, TaskVerdict::Right), err)) << err;
    EXPECT_TRUE(historyEndGame({3, 0, 0, "1", 9, GameEnd::Finished}, err)) << err;
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(500));
    EXPECT_TRUE(historyActive());
    EXPECT_EQ(historyWaiting(), 4);
    std::string notice;
    ASSERT_TRUE(historyNotice(notice));
    EXPECT_NE(notice.find("gesperrt"), std::string::npos) << notice;
    EXPECT_FALSE(historyNotice(notice)) << "said once";
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_EQ(historyWaiting(), 4) << "nothing is written past the lock";
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    for (int i = 0; i < 100 && historyWaiting() > 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(historyWaiting(), 0);
    EXPECT_TRUE(historyRecordTask(task(4, 1101, TaskVerdict::Right), err)) << "between games: nothing to record";
    EXPECT_TRUE(historyClose(err)) << err;

    std::vector<StoredGame> games;
    ASSERT_TRUE(historyLoad(p, {"B", LLONG_MIN}, games, err)) << err;
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].taskList.size(), 3u);
    EXPECT_EQ(games[0].end, GameEnd::Finished);
    EXPECT_EQ(games[0].input, "typed");
    sqlite3_close(other);
}

TEST(History, ALockOutlastingTheWaitingRoomOrTheRunEndsTheHistoryAndSaysSo)
{
    fs::path p = tempFile("long_lock.sqlite3");
    std::string err;
    sqlite3* other = nullptr;
    ASSERT_TRUE(historyOpen(p, err)) << err;
    ASSERT_EQ(sqlite3_open(p.c_str(), &other), SQLITE_OK);
    historySetWaitingLimit(3);
    ASSERT_TRUE(historyBeginGame({"C", 5, 1, 1, 9, GameKind::Game}, err));
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    int accepted = 0;
    while (accepted < 10 && historyRecordTask(task(accepted + 1, 1101, TaskVerdict::Right), err)) ++accepted;
    EXPECT_EQ(accepted, 3);
    EXPECT_NE(err.find("zu lange gesperrt"), std::string::npos) << err;
    EXPECT_FALSE(historyActive());
    historySetWaitingLimit(5000);

    // The program ends while the lock still holds: the loss is named.
    ASSERT_EQ(sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_TRUE(historyOpen(p, err)) << err;
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_TRUE(historyBeginGame({"D", 6, 1, 1, 9, GameKind::Game}, err));
    EXPECT_TRUE(historyRecordTask(task(1, 1101, TaskVerdict::Right), err));
    EXPECT_FALSE(historyClose(err));
    EXPECT_NE(err.find("2 Einträge konnten nicht geschrieben werden"), std::string::npos) << err;
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}

// A report only reads: a pupil's file on a read-only share, or another
// user's file, is read as it lies (the WAL file's shared memory cannot be
// made beside it), and nothing is changed.
TEST(History, LoadReadsAFileInAFolderItMayNotWrite)
{
    fs::path dir = tempFile("readonly_dir");
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::path p = dir / "h.sqlite3";
    std::string err;
    ASSERT_TRUE(historyOpen(p, err)) << err;
    writeGame("E", 1);
    historyClose();
    ASSERT_FALSE(fs::exists(p.string() + "-shm"));
    std::string before = bytes(p);
    ::chmod(p.c_str(), 0444);
    ::chmod(dir.c_str(), 0555);
    auto load = [&] {
        std::vector<StoredGame> games;
        std::string why;
        return historyLoad(p, {}, games, why) && games.size() == 1 && games[0].taskList.size() == 3;
    };
    if (::geteuid() == 0) {
        // Root may write anywhere; read as another user would.
        pid_t child = ::fork();
        if (child == 0) _exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && load() ? 0 : 1);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    } else {
        EXPECT_TRUE(load());
    }
    EXPECT_EQ(bytes(p), before);
    ::chmod(dir.c_str(), 0755);
}

TEST(History, LoadRefusesMissingAndNonHistoryFiles)
{
    std::vector<StoredGame> games;
    std::string err;
    EXPECT_FALSE(historyLoad(tempFile("missing.sqlite3"), {}, games, err));
    EXPECT_FALSE(fs::exists(tempFile("missing.sqlite3"))) << "reading creates nothing";
    fs::path empty = tempFile("empty.sqlite3");
    std::ofstream(empty).flush();
    EXPECT_FALSE(historyLoad(empty, {}, games, err));
    EXPECT_NE(err.find("keinen Verlauf"), std::string::npos) << err;
}

// The file holds names and results: readable by its owner only, also when an
// older version made it for everyone; the program's own folder likewise.
TEST(History, TheFileAndItsFolderArePrivateToTheLogin)
{
    fs::path base = tempFile("xdg");
    fs::path dir = base / "ziffron";
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms(0755));
    const char* saved = std::getenv("XDG_DATA_HOME");
    std::string keep = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", base.c_str(), 1);
    auto mode = [](const fs::path& f) {
        struct stat st{};
        ::stat(f.c_str(), &st);
        return st.st_mode & 0777;
    };
    std::string err;
    fs::path p = dir / "history.sqlite3";
    ASSERT_TRUE(historyOpen(p, err)) << err;
    writeGame("Ada", 1);
    EXPECT_EQ(mode(p), 0600u);
    EXPECT_EQ(mode(p.string() + "-wal"), 0600u);
    EXPECT_EQ(mode(dir), 0700u);
    historyClose();
    ::chmod(p.c_str(), 0644);
    ASSERT_TRUE(historyOpen(p, err)) << err;
    EXPECT_EQ(mode(p), 0600u) << "an old file is made private";
    historyClose();
    if (saved) ::setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
}

// Names enter the history (and the school server) as UTF-8 of sane length:
// a class list saved in Windows-1252 is read as such, not refused later.
TEST(History, NamesAreRepairedToUtf8AndBoundedWithAGermanNote)
{
    std::string note;
    EXPECT_EQ(historyCleanName("J\xFCrgen", kMaxPupilChars, note), "Jürgen");
    EXPECT_NE(note.find("Windows-1252"), std::string::npos) << note;
    EXPECT_EQ(historyCleanName("Zoë Ömer", kMaxPupilChars, note), "Zoë Ömer");
    EXPECT_TRUE(note.empty()) << note;
    std::string longName(1 << 20, 'x');
    EXPECT_EQ(historyCleanName("Ä" + longName, 30, note), "Ä" + std::string(29, 'x'));
    EXPECT_NE(note.find("gekürzt"), std::string::npos) << note;
    EXPECT_EQ(historyCleanName("A\tB\n\xC0\xAF", 60, note), "ABÀ¯") << "an overlong form is no UTF-8";

    fs::path p = tempFile("names.sqlite3");
    std::string err;
    ASSERT_TRUE(historyOpen(p, err)) << err;
    historySetClass(std::string(500, 'k'));
    writeGame("M\xE9lanie", 1);
    std::string said, all;
    while (historyNotice(said)) all += said + "\n";
    historyClose();
    historySetClass("");
    EXPECT_NE(all.find("Klasse"), std::string::npos) << all;
    EXPECT_NE(all.find("Mélanie"), std::string::npos) << all;
    std::vector<StoredGame> games;
    ASSERT_TRUE(historyLoad(p, {}, games, err)) << err;
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].pupil, "Mélanie");
    EXPECT_EQ(games[0].className, std::string(kMaxClassChars, 'k'));
}
