// What each game leaves behind: the log of its tasks for the review, and the
// same records written to the pupil's history as each task ends.
#include "catalog.h"
#include "quiz.h"
#include "squares.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <ctime>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

HistorySettings historySettings;
GameLog gameLog;

namespace {

struct HistoryRun {
    std::string path;     // of the open history, for the messages
    std::string pupil;
    long long epoch = 0;  // wall clock at opening, so that times follow aogettime
    std::string taskText; // Windows-1252, as the generator printed it
    unsigned int seed = 0;
    int gameStartMs = 0;
    aoPixmap picture; // of the task on screen, for the review
    PictureInk ink;   // what it drew into the task area
    PackedPicture drawn; // the same, at full size, for the review
    std::vector<uint32_t> before; // the task area before the task was drawn
} run;

constexpr int kPictureScale = 3;

// The task area at a third of its size, each pixel the mean of its 3 x 3.
aoPixmap smallCopy(const aoPixmap& from)
{
    aoPixmap p;
    p.width = from.width / kPictureScale;
    p.height = from.height / kPictureScale;
    if (p.width <= 0 || p.height <= 0 || from.format != AOPX_TRUECOLOR) return aoPixmap{};
    p.pixels.resize(static_cast<size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < kPictureScale; ++dy) {
                const uint32_t* row = from.row(y * kPictureScale + dy) + x * kPictureScale;
                for (int dx = 0; dx < kPictureScale; ++dx) {
                    r += (row[dx] >> 16) & 0xFF;
                    g += (row[dx] >> 8) & 0xFF;
                    b += row[dx] & 0xFF;
                }
            }
            constexpr int n = kPictureScale * kPictureScale;
            p.row(y)[x] = static_cast<uint32_t>((r / n) << 16 | (g / n) << 8 | (b / n));
        }
    p.loaded = true;
    return p;
}

} // namespace

PackedPicture packDrawn(const aoPixmap& area, const PictureInk& ink)
{
    PackedPicture p;
    if (ink.empty() || area.format != AOPX_TRUECOLOR) return p;
    const int left = ink.leftBelow(ink.top()), right = ink.rightBelow(ink.top());
    p.x = left;
    p.y = ink.top();
    p.width = right - left + 1;
    p.height = ink.bottom() - ink.top() + 1;
    uint32_t colour = 0, length = 0;
    for (int y = p.y; y < p.y + p.height; ++y)
        for (int x = p.x; x < p.x + p.width; ++x) {
            const uint32_t c = ink.drawn(x, y) ? area.row(y)[x] & 0xFFFFFF : 0xFFFFFF;
            if (length > 0 && c == colour) {
                ++length;
                continue;
            }
            if (length > 0) p.runs.insert(p.runs.end(), {length, colour});
            colour = c;
            length = 1;
        }
    p.runs.insert(p.runs.end(), {length, colour});
    return p;
}

aoPixmap PackedPicture::unpack() const
{
    aoPixmap p;
    if (empty()) return p;
    p.width = width;
    p.height = height;
    p.pixels.reserve(static_cast<size_t>(width) * height);
    for (size_t i = 0; i + 1 < runs.size(); i += 2) p.pixels.insert(p.pixels.end(), runs[i], runs[i + 1]);
    p.pixels.resize(static_cast<size_t>(width) * height, 0xFFFFFF);
    p.loaded = true;
    return p;
}

namespace {

bool hasDigit(const std::string& s)
{
    return s.find_first_of("0123456789") != std::string::npos;
}

// The values of the squares, for a task whose text does not name the
// numbers it asks about ("Welche der Zahlen ist keine Primzahl?").
std::string choicesOf(AnswerRows rows)
{
    if (rows != AnswerRows::Integer && rows != AnswerRows::Decimal) return {};
    SquareLayout layout = SquareLayout::current(rows);
    if (layout.compareMode()) return {};
    std::string out;
    for (int c = 0; c < layout.columns(); ++c) {
        std::string t = squareText(layout, {1, c});
        t.erase(0, t.find_first_not_of(' '));
        out += (out.empty() ? "" : ", ") + t;
    }
    return out;
}

std::string loginName()
{
#ifdef _WIN32
    const char* n = std::getenv("USERNAME");
    return n && *n ? n : "Schüler";
#else
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name && *pw->pw_name) return pw->pw_name;
    const char* n = std::getenv("USER");
    return n && *n ? n : "Schüler";
#endif
}

// Says once why the history stops; the game goes on without it.
void historyFailed(const std::string& err)
{
    const std::string line = "Verlauf: " + run.path + ": " + err + "; es wird ohne Verlauf gespielt.";
    termPrintf("%s", ao_utf8_to_cp1252("\n " + line + "\n ").c_str());
    showNotice(line);
}

// What the history's background threads have to say (a lock holds tasks
// back, the school server is away), each line once.
void showHistoryNotices()
{
    std::string line;
    while (historyNotice(line)) {
        termPrintf("%s", ao_utf8_to_cp1252("\n " + line + "\n ").c_str());
        showNotice(line);
    }
}

// The history's verdict for the game's: a task without squares counts as
// right in the score, and so it does here.
TaskVerdict verdictOf(Verdict v)
{
    switch (v) {
    case Verdict::Wrong: return TaskVerdict::Wrong;
    case Verdict::Skipped: return TaskVerdict::Skipped;
    case Verdict::Right:
    case Verdict::Unjudged: break;
    }
    return TaskVerdict::Right;
}

std::string orDash(const std::string& s)
{
    return s.empty() ? "–" : s;
}

} // namespace

// Layout blanks and line breaks folded into single blanks.
std::string foldBlanks(const std::string& text)
{
    std::string out;
    bool blank = false;
    for (unsigned char c : text) {
        if (c <= ' ') {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += static_cast<char>(c);
    }
    return out;
}

void takeSettings(const Settings& conf, HistorySettings& settings)
{
    if (isServerUri(conf.history)) settings.server = conf.history;
    else if (!conf.history.empty()) settings.path = conf.history;
    if (!conf.className.empty()) settings.className = conf.className;
    settings.askPupil = conf.pupil == "ask";
    settings.classList = conf.pupils;
}

int takeHistoryOption(int argc, char** argv, int i, HistorySettings& settings, std::string& err)
{
    std::string a = argv[i];
    auto value = [&](const char* what) -> const char* {
        if (i + 1 >= argc || argv[i + 1][0] == 0) {
            err = a + " needs " + what;
            return nullptr;
        }
        return argv[i + 1];
    };
    if (a == "--no-history") {
        settings.enabled = false;
        return 1;
    }
    if (a == "--history") {
        const char* v = value("a file");
        if (!v) return -1;
        settings.enabled = true;
        if (isServerUri(v)) {
            settings.server = v;
            if (hidePasswordInArgument(argv[i + 1]))
                settings.notes.push_back("Ein Passwort auf der Befehlszeile ist für andere sichtbar: besser in "
                                         "~/.pgpass.");
            return 2;
        }
        settings.server.clear();
        // Made absolute now: the program moves into the media folder later.
        std::error_code ec;
        std::string absolute = std::filesystem::absolute(v, ec).string();
        settings.path = ec ? std::string(v) : absolute;
        return 2;
    }
    if (a == "--pupil") {
        const char* v = value("a name");
        if (!v) return -1;
        settings.pupil = v;
        return 2;
    }
    if (a == "--class") {
        const char* v = value("a class");
        if (!v) return -1;
        settings.className = v;
        return 2;
    }
    return 0;
}

void openHistory()
{
    historyClose();
    run = HistoryRun{};
    run.pupil = historySettings.pupil.empty() ? loginName() : historySettings.pupil;
    for (const std::string& note : historySettings.notes)
        termPrintf("%s", ao_utf8_to_cp1252("\n " + note + "\n ").c_str());
    if (!historySettings.enabled) return;
    if (historySettings.askPupil && historySettings.pupil.empty() && historySettings.classList.empty())
        termPrintf("%s", ao_utf8_to_cp1252("\n ziffron.conf: „pupil = ask“, aber keine Klassenliste (etwa "
                                           "„pupils = Anna, Ben, Cem“): es gilt der Anmeldename " +
                                           run.pupil + ".\n ")
                             .c_str());
    std::string err;
    run.path = historySettings.path;
    if (run.path.empty()) {
        std::string dir = aopath_datadir();
        run.path = dir + "/history.sqlite3";
        if (!aopath_makedirs(dir, err)) {
            historyFailed(err);
            return;
        }
    }
    run.epoch = static_cast<long long>(std::time(nullptr)) - aogettime() / 1000;
    historySetClass(historySettings.className);
    if (!historyOpen(run.path, err)) {
        historyFailed(err);
        return;
    }
    // The file first, always; the server gets what the file holds.
    if (!historySettings.server.empty()) historyStartSender(historySettings.server);
}

const std::vector<std::string>& pupilsToAsk()
{
    static const std::vector<std::string> none;
    const HistorySettings& h = historySettings;
    return h.enabled && h.askPupil && h.pupil.empty() ? h.classList : none;
}

const std::string& gamePupil()
{
    return run.pupil;
}

void setGamePupil(const std::string& name)
{
    run.pupil = name;
}

void gameLogBegin(GameKind kind)
{
    gameLog = GameLog{level, difficulty, {}, {}};
    run.gameStartMs = aogettime();
    GameStart g{run.pupil, run.epoch + run.gameStartMs / 1000, level, difficulty, taskCount, kind};
    g.input = answerInput == AnswerInput::Typed ? "typed" : "squares";
    std::string err;
    if (!historyBeginGame(g, err)) historyFailed(err);
    showHistoryNotices();
}

void taskLogBegin()
{
    run.taskText.clear();
    run.picture = aoPixmap{};
    run.ink = PictureInk{};
    run.drawn = PackedPicture{};
    if (const aoPixmap* area = taskArea.pixmap()) run.before = area->pixels;
    run.seed = aorand_state();
    taskOutcome = TaskOutcome{};
}

void captureTaskText(const std::string& cp1252)
{
    run.taskText += cp1252;
}

void taskLogShown()
{
    // Only a task that drew something has a picture worth keeping (the text
    // of the others is in the review's line).
    const aoPixmap* area = taskArea.pixmap();
    if (area) run.ink = PictureInk(*area, run.before);
    if (!run.ink.empty()) {
        // What the task drew, on white: the faded picture behind it would
        // only blur the small copy.
        run.drawn = packDrawn(*area, run.ink);
        aoPixmap clean = *area;
        std::fill(clean.pixels.begin(), clean.pixels.end(), 0xFFFFFFu);
        const aoPixmap drawn = run.drawn.unpack();
        for (int y = 0; y < drawn.height; ++y)
            std::copy_n(drawn.row(y), drawn.width, clean.row(run.drawn.y + y) + run.drawn.x);
        run.picture = smallCopy(clean);
    }
    run.before.clear();
}

const PictureInk& taskPictureInk()
{
    return run.ink;
}

std::string currentTaskLine()
{
    return ao_cp1252_to_utf8(foldBlanks(run.taskText));
}

int pupilSeconds(int shownMs, int answeredMs, int nowMs)
{
    const int end = answeredMs >= shownMs ? answeredMs : nowMs;
    return std::max(0, (end - shownMs + 500) / 1000);
}

void taskLogEnd(AnswerRows rows, int seconds)
{
    // A task cut off by closing the window was never answered; one skipped
    // and closed while its Lösungsweg was read was.
    if (!aoisrunning() && rows != AnswerRows::None && taskOutcome.verdict == Verdict::Unjudged)
        return;
    TaskRecord t;
    t.position = taskIndex;
    t.taskNumber = lastTaskNumber;
    t.seed = run.seed;
    t.text = ao_cp1252_to_utf8(foldBlanks(run.taskText));
    t.solution = orDash(taskOutcome.rightAnswer);
    t.answer = orDash(taskOutcome.answer);
    t.verdict = verdictOf(taskOutcome.verdict);
    t.seconds = seconds;
    std::string err;
    if (!historyRecordTask(t, err)) historyFailed(err);
    showHistoryNotices();
    TaskShown shown;
    if (taskIndex >= 1 && taskIndex < kTaskSlots) shown.steps = taskSteps[taskIndex];
    // "Welche der Zahlen ...": the numbers to choose from are only on the squares.
    if (!hasDigit(t.text) || t.text.find("Welche der Zahlen") != std::string::npos) shown.choices = choicesOf(rows);
    shown.picture = std::move(run.picture);
    shown.drawn = std::move(run.drawn);
    gameLog.tasks.push_back(std::move(t));
    gameLog.shown.push_back(std::move(shown));
}

void gameLogEnd(GameEnd end)
{
    GameResult r;
    for (const TaskRecord& t : gameLog.tasks)
        (t.verdict == TaskVerdict::Right ? r.right : t.verdict == TaskVerdict::Wrong ? r.wrong : r.skipped)++;
    // What the grade box shows at the end: the last text written wins.
    if (taskCount > 5 && !gameLog.tasks.empty()) {
        std::vector<const char*> strokes = gradeStrokes(progressRatio);
        if (!strokes.empty()) {
            std::string g = strokes.back();
            size_t a = g.find_first_not_of(' '), b = g.find_last_not_of(' ');
            r.grade = a == std::string::npos ? "" : g.substr(a, b - a + 1);
        }
    }
    r.seconds = (aogettime() - run.gameStartMs) / 1000;
    r.end = end;
    std::string err;
    if (!historyEndGame(r, err)) historyFailed(err);
    showHistoryNotices();
}

void closeHistory()
{
    std::string err;
    if (!historyClose(err))
        termPrintf("%s", ao_utf8_to_cp1252("\n Verlauf: " + run.path + ": " + err + "\n ").c_str());
}
