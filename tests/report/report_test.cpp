#include "report.h"

#include "class_overview.h"

#include "aotoolkit.h"
#include "titles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

fs::path tempDir()
{
    fs::path dir = fs::temp_directory_path() / ("ziffron_report_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Two pupils; Anna misses 3101 three times in three tries and 3102 once in three.
fs::path fixture()
{
    setenv("TZ", "UTC", 1);
    tzset();
    fs::path p = tempDir() / "fixture.sqlite3";
    if (fs::exists(p)) return p;
    std::string err;
    EXPECT_TRUE(historyOpen(p, err)) << err;
    const long long day = 86400, dec1 = 1796083200; // 2026-12-01 00:00 UTC
    auto game = [&](const std::string& pupil, long long started, std::vector<std::pair<int, TaskVerdict>> tasks,
                    const std::string& grade, GameKind kind = GameKind::Game) {
        historyBeginGame({pupil, started, 3, 1, static_cast<int>(tasks.size()), kind}, err);
        GameResult r;
        int i = 0;
        for (auto [number, v] : tasks) {
            TaskRecord t{++i, number, 77, "Berechne, \"schnell\": 3 + " + std::to_string(number), "7",
                         v == TaskVerdict::Right ? "7" : "9", v, 10};
            historyRecordTask(t, err);
            (v == TaskVerdict::Right ? r.right : v == TaskVerdict::Wrong ? r.wrong : r.skipped)++;
        }
        r.grade = grade;
        r.seconds = 10 * i;
        historyEndGame(r, err);
    };
    const TaskVerdict R = TaskVerdict::Right, W = TaskVerdict::Wrong, S = TaskVerdict::Skipped;
    game("Anna", dec1 + 9 * 3600, {{3101, W}, {3102, R}, {3103, R}}, "");
    game("Anna", dec1 + day + 9 * 3600, {{3101, W}, {3102, W}, {3103, R}}, "");
    game("Anna", dec1 + 2 * day + 9 * 3600, {{3101, S}, {3102, R}, {3103, R}}, "", GameKind::Practice);
    game("Ben", dec1 + day + 10 * 3600, {{3101, R}, {3101, R}, {3101, R}, {3102, R}, {3102, R}, {3102, R}}, "1");
    historyClose();
    return p;
}

int report(std::vector<std::string> args, std::string& out, std::string& err)
{
    std::ostringstream o, e;
    int code = runReport(args, o, e);
    out = o.str();
    err = e.str();
    return code;
}

} // namespace

TEST(ReportArgs, ParsedIntoTheirStructAndRefusedWhenMalformed)
{
    setenv("TZ", "UTC", 1);
    tzset();
    ReportArgs a;
    std::string err;
    ASSERT_TRUE(parseReportArgs({"--history", "h.db", "--pupil", "Jörg", "--since", "2026-12-02", "--html", "r.html",
                                 "--csv", "r.csv"},
                                a, err))
        << err;
    EXPECT_EQ(a.history, "h.db");
    EXPECT_EQ(a.pupil, "Jörg");
    EXPECT_EQ(a.sinceEpoch, 1796169600);
    EXPECT_EQ(a.html, "r.html");
    EXPECT_EQ(a.csv, "r.csv");
    ASSERT_TRUE(parseReportArgs({}, a, err));
    EXPECT_EQ(a.sinceEpoch, LLONG_MIN);

    const std::vector<std::vector<std::string>> bad = {
        {"--since", "2026-02-30"}, {"--since", "2026-2-3"}, {"--since", "heute"}, {"--since"},
        {"--html"},                {"--csv", ""},           {"--pupil", "a", "--pupil", "b"},
        {"--verbose"},             {"report.html"},         {"--pupil", "--html", "r.html"},
        {"--csv-format", "xls"},
    };
    for (const auto& args : bad) {
        EXPECT_FALSE(parseReportArgs(args, a, err)) << args[0];
        EXPECT_FALSE(err.empty());
    }
    std::string out;
    EXPECT_EQ(report({"--since", "gestern"}, out, err), 2);
    EXPECT_NE(err.find("usage: ziffron-report"), std::string::npos);
    EXPECT_TRUE(out.empty());
}

TEST(Report, MissingOrForeignDatabaseIsOneLineAndExitOne)
{
    std::string out, err;
    fs::path missing = tempDir() / "missing.sqlite3";
    EXPECT_EQ(report({"--history", missing.string()}, out, err), 1);
    EXPECT_EQ(err, "ziffron-report: " + missing.string() + ": Datei fehlt\n");
    EXPECT_FALSE(fs::exists(missing));
    fs::path text = tempDir() / "text.sqlite3";
    std::ofstream(text) << "nur Text, keine Datenbank, nur Text, keine Datenbank, nur Text\n";
    EXPECT_EQ(report({"--history", text.string()}, out, err), 1);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST(Report, TextPerPupilWithTheWeakestTypes)
{
    std::string out, err;
    ASSERT_EQ(report({"--history", fixture().string()}, out, err), 0) << err;
    EXPECT_NE(out.find("Schüler: Anna\n  Spiele: 3 (davon 1 Übung)   Aufgaben: 9   richtig: 56 %   Zeit: 1 min 30 s\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("  Noten: keine ×3\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  2026-12-02 09:00  Spiel, Felder   3/1          3/3       1        2       0             –     0 min 30 s    "
                       "fertig\n"),
              std::string::npos)
        << out;
    // 3101 (0 of 3) before 3102 (2 of 3); 3103 (3 of 3) last.
    // The type's title, not one of its tasks.
    size_t a = out.find("  3101   3/1          0 %      3         " + taskTitle(3101) + "\n");
    EXPECT_FALSE(taskTitle(3101).empty());
    EXPECT_EQ(out.find("schnell"), std::string::npos) << out;
    size_t b = out.find("  3102   3/1          67 %     3"), c = out.find("  3103   3/1          100 %");
    EXPECT_NE(a, std::string::npos) << out;
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_NE(out.find("Schüler: Ben\n  Spiele: 1   Aufgaben: 6   richtig: 100 %"), std::string::npos);
    EXPECT_NE(out.find("  Noten: 1 ×1\n"), std::string::npos);

    ASSERT_EQ(report({"--history", fixture().string(), "--pupil", "bEN", "--since", "2026-12-02"}, out, err), 0);
    EXPECT_EQ(out.find("Anna"), std::string::npos);
    EXPECT_NE(out.find("Schüler: Ben"), std::string::npos);
    EXPECT_EQ(report({"--history", fixture().string(), "--pupil", "Bernd"}, out, err), 1);
    EXPECT_NE(err.find(": kein Schüler \"Bernd\" im Verlauf; es gibt: Anna, Ben\n"), std::string::npos) << err;
    ASSERT_EQ(report({"--history", fixture().string(), "--since", "2026-12-03"}, out, err), 0);
    EXPECT_NE(out.find("Spiele: 1 (davon 1 Übung)"), std::string::npos) << out;
    EXPECT_NE(out.find("(noch keiner oft genug gespielt)"), std::string::npos);
}

// German by default: ';' between fields, a byte order mark; --csv-format
// intl writes ',' and no mark. Either way fields with the separator or a
// quote are quoted, and the last column is the type's title.
TEST(Report, CsvForGermanAndInternationalSpreadsheets)
{
    std::string out, err;
    fs::path csv = tempDir() / "tasks.csv";
    ASSERT_EQ(report({"--history", fixture().string(), "--csv", csv.string()}, out, err), 0) << err;
    std::string text = slurp(csv);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 9 + 6);
    EXPECT_EQ(text.substr(0, text.find('\n') + 1),
              "\xEF\xBB\xBFpupil;game;started;kind;level;difficulty;position;task_number;seed;text;solution;answer;"
              "verdict;seconds;title\r\n");
    EXPECT_NE(text.find("\r\nAnna;1;2026-12-01 09:00:00;game;3;1;1;3101;77;\"Berechne, \"\"schnell\"\": 3 + 3101\";"
                        "7;9;wrong;10;" + taskTitle(3101) + "\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(";practice;3;1;1;3101;77;"), std::string::npos);

    ASSERT_EQ(report({"--history", fixture().string(), "--csv", csv.string(), "--csv-format", "intl"}, out, err), 0);
    text = slurp(csv);
    EXPECT_EQ(text.substr(0, 6), "pupil,");
    EXPECT_NE(text.find("\r\nAnna,1,2026-12-01 09:00:00,game,3,1,1,3101,77,\"Berechne, \"\"schnell\"\": 3 + 3101\","
                        "7,9,wrong,10,"),
              std::string::npos)
        << text;
    EXPECT_EQ(report({"--csv-format", "excel"}, out, err), 2);
}

// The page opens in a real browser, and the browser draws the chart's lines.
TEST(Report, HtmlIsSelfContainedAndItsChartShowsInChromium)
{
    std::string out, err;
    fs::path dir = tempDir(), page = dir / "report.html";
    ASSERT_EQ(report({"--history", fixture().string(), "--html", page.string()}, out, err), 0) << err;
    std::string html = slurp(page);
    EXPECT_EQ(html.find("src="), std::string::npos) << "nothing fetched";
    EXPECT_EQ(html.find("href="), std::string::npos);
    EXPECT_NE(html.find("<h2>Anna</h2>"), std::string::npos);
    EXPECT_EQ(std::count(html.begin(), html.end(), '\n') > 20, true);

    const char* browser = nullptr;
    for (const char* b : {"/usr/bin/chromium", "/usr/bin/chromium-browser"})
        if (access(b, X_OK) == 0) browser = b;
    if (!browser || std::system("convert -version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "no chromium or ImageMagick installed";
    fs::path profile = dir / "profile", png = dir / "report.png", bmp = dir / "report.bmp";
    fs::remove_all(profile);
    std::string cmd = std::string(browser) +
                      " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                      " --disable-background-networking --disable-component-update --disable-sync"
                      " --hide-scrollbars --window-size=1000,1700 --user-data-dir=" +
                      profile.string() + " --screenshot=" + png.string() + " file://" + page.string() +
                      " > /dev/null 2>&1 && convert " + png.string() + " -type TrueColor " + bmp.string();
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    std::string shot = slurp(bmp);
    aoPixmap picture;
    ASSERT_TRUE(aobmp_decode(reinterpret_cast<const uint8_t*>(shot.data()), shot.size(), &picture, err)) << err;
    // Anna's line and dots are drawn in the first chart colour, Ben's in the second.
    int anna = 0, ben = 0;
    for (uint32_t px : picture.pixels) {
        anna += px == 0x1f77b4;
        ben += px == 0xd62728;
    }
    EXPECT_GT(anna, 200) << "Anna's line";
    EXPECT_GT(ben, 40) << "Ben's one game";
}

namespace {

StoredGame playedGame(const std::string& pupil, long long started, int right, int played)
{
    StoredGame g;
    g.pupil = pupil, g.started = started, g.level = 3, g.difficulty = 1, g.tasks = played, g.right = right;
    for (int i = 0; i < played; ++i)
        g.taskList.push_back({i + 1, 3101, 1, "", "7", "7", i < right ? TaskVerdict::Right : TaskVerdict::Wrong, 5});
    return g;
}

// The cx of every dot in the page, in order.
// The dots of the per-game chart, after the class's week chart.
std::vector<double> dotsX(const std::string& html)
{
    std::vector<double> xs;
    const size_t start = html.find("Anteil richtig je Spiel</h2>");
    for (size_t at = start == std::string::npos ? 0 : start; (at = html.find("<circle cx=\"", at)) != std::string::npos; ++at)
        xs.push_back(std::stod(html.substr(at + 12)));
    return xs;
}

} // namespace

// Time runs along the x axis: a gap of ten days is ten times a gap of one.
TEST(Report, ChartPlacesGamesByTime)
{
    const long long day = 86400, start = 1796083200;
    const std::vector<StoredGame> games = {playedGame("Anna", start, 3, 4), playedGame("Anna", start + day, 4, 4),
                                           playedGame("Anna", start + 11 * day, 2, 4)};
    const std::vector<double> x = dotsX(reportHtml(games));
    ASSERT_EQ(x.size(), 3u);
    EXPECT_NEAR(x[2] - x[1], 10 * (x[1] - x[0]), 1.0);
    const std::string html = reportHtml(games);
    EXPECT_NE(html.find(">01.12.2026</text>"), std::string::npos);
    EXPECT_NE(html.find(">12.12.2026</text>"), std::string::npos);
    EXPECT_NE(html.find(">Anteil richtig</text>"), std::string::npos);

    // Two games seconds apart: their minute is named once, not on every tick.
    const std::string close = reportHtml({playedGame("Anna", start + 60, 3, 4), playedGame("Anna", start + 62, 4, 4)});
    const std::time_t t = start + 60;
    std::tm tm{};
    localtime_r(&t, &tm);
    char minute[32];
    std::strftime(minute, sizeof minute, "%d.%m. %H:%M", &tm);
    const size_t at = close.find(">" + std::string(minute) + "</text>");
    ASSERT_NE(at, std::string::npos) << close;
    EXPECT_EQ(close.find(">" + std::string(minute) + "</text>", at + 1), std::string::npos) << "one label, not one per tick";
}

// A class of 26: one small chart per pupil, each named, all on one time axis.
TEST(Report, ClassGetsOneSmallChartPerPupil)
{
    const long long day = 86400, start = 1796083200;
    std::vector<StoredGame> games;
    for (int p = 0; p < 26; ++p)
        for (int g = 0; g < 3; ++g)
            games.push_back(playedGame("Kind " + std::string(1, static_cast<char>('A' + p)), start + (g * 7 + p % 3) * day,
                                       (p + g) % 5, 4));
    std::sort(games.begin(), games.end(), [](const StoredGame& a, const StoredGame& b) { return a.started < b.started; });
    const std::string html = reportHtml(games);
    EXPECT_NE(html.find("class=\"multiples\""), std::string::npos);
    for (int p = 0; p < 26; ++p) {
        const std::string name = "Kind " + std::string(1, static_cast<char>('A' + p));
        EXPECT_NE(html.find("aria-label=\"" + name + ": Anteil richtig je Spiel\""), std::string::npos) << name;
    }
    EXPECT_NE(html.find("dieselbe Zeit, 01.12.2026 bis 17.12.2026"), std::string::npos);
    // Each small chart spans the same time: the first game of the class at the left end, the last at the right.
    std::vector<double> x = dotsX(html);
    ASSERT_EQ(x.size(), 1 + 26u * 3) << "the legend's dot and one per game";
    x.erase(x.begin());
    // Pupil A played on days 0, 7, 14 and pupil C on days 2, 9, 16 of the class's 16: in their own charts
    // A starts at the left end and C ends at the right end.
    const double left = x[0], right = x[2 * 3 + 2];
    EXPECT_NEAR(x[2 * 3], left + (right - left) * 2 / 16, 0.5);
    EXPECT_NEAR(x[1], left + (right - left) * 7 / 16, 0.5);
}

// What a spreadsheet would run as a formula stays text; a number stays a
// number, with the format's decimal separator, negative ones too.
TEST(Report, CsvKeepsFormulasTextAndNumbersNumbers)
{
    StoredGame g = playedGame("=2+3", 1796083200, 1, 3);
    g.taskList[0].text = "-11 · 4 = ??", g.taskList[0].solution = "-44", g.taskList[0].answer = "@SUMME(A1)";
    g.taskList[1].text = "\tTab", g.taskList[1].solution = "905,2", g.taskList[1].answer = "3.5";
    g.taskList[2].text = "+1", g.taskList[2].solution = "3 / 4", g.taskList[2].answer = "−2,5";
    const std::string de = reportCsv({g}), intl = reportCsv({g}, ReportArgs::CsvFormat::International);
    EXPECT_NE(de.find("\r\n\"'=2+3\";"), std::string::npos) << de;
    EXPECT_NE(de.find(";\"'-11 · 4 = ??\";-44;\"'@SUMME(A1)\";right;"), std::string::npos) << de;
    EXPECT_NE(de.find(";\"'\tTab\";905,2;3,5;"), std::string::npos) << de;
    EXPECT_NE(de.find(";\"'+1\";3 / 4;-2,5;"), std::string::npos) << de;
    EXPECT_NE(intl.find(",\"'-11 · 4 = ??\",-44,\"'@SUMME(A1)\",right,"), std::string::npos) << intl;
    EXPECT_NE(intl.find(",\"'\tTab\",905.2,3.5,"), std::string::npos) << intl;
    EXPECT_EQ(intl.find("905,2"), std::string::npos) << intl;
}

// Pupils as a German class list has them: umlauts as their vowel, ß as ss,
// case and accents ignored; names equal by that go by their bytes.
TEST(Report, PupilsInGermanOrder)
{
    std::vector<StoredGame> games;
    for (const char* name : {"Zoë", "Ömer", "Ümit", "Yusuf", "Weiß", "anna", "Weist", "Oliver", "Weiss", "Ulrich",
                             "Ali", "Paul", "Élodie"})
        games.push_back(playedGame(name, 1796083200, 1, 1));
    const std::vector<std::string> expected = {"Ali",   "anna",   "Élodie", "Oliver", "Ömer", "Paul", "Ulrich",
                                               "Ümit",  "Weiss",  "Weiß",   "Weist",  "Yusuf", "Zoë"};
    // Each name found after the one before it.
    auto inOrder = [&](const std::string& text, const std::string& before) {
        size_t at = 0;
        for (const std::string& name : expected) {
            at = text.find(before + name + (before == "Schüler: " ? "\n" : " "), at);
            if (at == std::string::npos) return name + " out of order in:\n" + text;
        }
        return std::string();
    };
    EXPECT_EQ(inOrder(reportText(games), "Schüler: "), "");
    EXPECT_EQ(inOrder(classOverviewText(games), "\n  "), "");
}
