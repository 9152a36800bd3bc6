// The report's arguments, its per-pupil numbers and their three renderings.
#include "report.h"

#include "aotoolkit.h"
#include "class_overview.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <map>
#include <sstream>

const char* const kReportUsage =
    "usage: ziffron-report [--history FILE|URI] [--class NAME] [--pupil NAME] [--since YYYY-MM-DD]\n"
    "                      [--html OUT.html] [--csv OUT.csv]\n"
    "       ziffron-report --sync [--history FILE] [--server URI]\n"
    "       ziffron-report --init-server URI   (passwords for the two roles from standard input)\n"
    "  --history FILE   the history database (default: ziffron.conf's history, else\n"
    "                   history.sqlite3 in the per-user data folder)\n"
    "  --history URI    a school server (postgresql://...; password in ~/.pgpass)\n"
    "  --class NAME     only this class\n"
    "  --pupil NAME     only this pupil\n"
    "  --since DATE     only games started on or after this day (local time)\n"
    "  --html OUT.html  also write a self-contained page with a chart\n"
    "  --csv OUT.csv    also write one row per task, for a spreadsheet\n";

namespace {

// Local midnight of a YYYY-MM-DD day; false for anything else.
bool parseDay(const std::string& s, long long& epoch)
{
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (s[i] < '0' || s[i] > '9') return false;
    std::tm tm{};
    tm.tm_year = std::stoi(s.substr(0, 4)) - 1900;
    tm.tm_mon = std::stoi(s.substr(5, 2)) - 1;
    tm.tm_mday = std::stoi(s.substr(8, 2));
    tm.tm_isdst = -1;
    int year = tm.tm_year, month = tm.tm_mon, day = tm.tm_mday;
    std::time_t t = std::mktime(&tm);
    // mktime moves 31 February on to March; such a day does not exist.
    if (t == static_cast<std::time_t>(-1) || tm.tm_year != year || tm.tm_mon != month || tm.tm_mday != day)
        return false;
    epoch = t;
    return true;
}

std::string localTime(long long epoch, const char* format)
{
    std::time_t t = static_cast<std::time_t>(epoch);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    char text[64];
    std::strftime(text, sizeof text, format, &tm);
    return text;
}

std::string when(long long epoch)
{
    return localTime(epoch, "%Y-%m-%d %H:%M");
}

std::string duration(long long seconds)
{
    char text[64];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%lld h %02lld min", seconds / 3600, seconds / 60 % 60);
    else
        std::snprintf(text, sizeof text, "%lld min %02lld s", seconds / 60, seconds % 60);
    return text;
}

std::string percent(int part, int whole)
{
    if (whole <= 0) return "–";
    return std::to_string((part * 100 + whole / 2) / whole) + " %";
}

// Characters, not bytes, of UTF-8 text.
size_t width(const std::string& s)
{
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// At most max characters of UTF-8 text, cut with "…".
std::string cut(const std::string& s, size_t max)
{
    if (width(s) <= max) return s;
    size_t n = 0, at = 0;
    for (; at < s.size(); ++at) {
        if ((static_cast<unsigned char>(s[at]) & 0xC0) != 0x80 && n++ == max - 1) break;
    }
    std::string head = s.substr(0, at);
    while (!head.empty() && head.back() == ' ') head.pop_back();
    return head + "…";
}

std::string pad(const std::string& s, size_t w)
{
    size_t n = width(s);
    return n >= w ? s + " " : s + std::string(w - n, ' ');
}

const char* kindWord(GameKind k)
{
    return k == GameKind::Practice ? "Übung" : "Spiel";
}

// The kind and how the answers were given: squares clicked or typed.
std::string kindAndInput(const StoredGame& g)
{
    return std::string(kindWord(g.kind)) + (g.input == "typed" ? ", getippt" : ", Felder");
}

std::string endWord(const StoredGame& g)
{
    if (!g.end) return "abgebrochen (Programm beendet)";
    switch (*g.end) {
    case GameEnd::Finished: return "fertig";
    case GameEnd::GameOver: return "GAME OVER";
    case GameEnd::Closed: return "Fenster geschlossen";
    case GameEnd::Aborted: break;
    }
    return "keine Aufgaben ausgewählt";
}

struct TypeStats {
    int taskNumber = 0;
    int tries = 0, right = 0;
    std::string title;
};

struct PupilStats {
    std::string pupil;
    std::vector<const StoredGame*> games;
    int practices = 0, tasks = 0, right = 0;
    long long seconds = 0;
    std::map<std::string, int> grades; // "" for no grade shown
    std::vector<TypeStats> weakest;
};

constexpr int kWeakestTypes = 10;
constexpr int kMinimumTries = 3;

std::vector<PupilStats> statsByPupil(const std::vector<StoredGame>& games)
{
    std::map<std::string, PupilStats> by;
    std::map<std::string, std::map<int, TypeStats>> types;
    for (const StoredGame& g : games) {
        PupilStats& p = by[g.pupil];
        p.pupil = g.pupil;
        p.games.push_back(&g);
        if (g.kind == GameKind::Practice) ++p.practices;
        p.tasks += static_cast<int>(g.taskList.size());
        p.right += g.right;
        p.seconds += g.seconds;
        ++p.grades[g.grade];
        for (const TaskRecord& t : g.taskList) {
            TypeStats& s = types[g.pupil][t.taskNumber];
            s.taskNumber = t.taskNumber;
            ++s.tries;
            if (t.verdict == TaskVerdict::Right) ++s.right;
            s.title = t.text; // the latest one
        }
    }
    std::vector<PupilStats> out;
    for (auto& [name, p] : by) {
        for (auto& [number, s] : types[name])
            if (s.tries >= kMinimumTries) p.weakest.push_back(s);
        // Lowest share first; among equals the more often tried.
        std::sort(p.weakest.begin(), p.weakest.end(), [](const TypeStats& a, const TypeStats& b) {
            long long l = static_cast<long long>(a.right) * b.tries, r = static_cast<long long>(b.right) * a.tries;
            if (l != r) return l < r;
            if (a.tries != b.tries) return a.tries > b.tries;
            return a.taskNumber < b.taskNumber;
        });
        if (p.weakest.size() > kWeakestTypes) p.weakest.resize(kWeakestTypes);
        out.push_back(std::move(p));
    }
    return out;
}

std::string levelOf(int taskNumber)
{
    return std::to_string(taskNumber / 1000) + "/" + std::to_string(taskNumber / 100 % 10);
}

std::string gradesLine(const PupilStats& p)
{
    std::string s;
    for (const auto& [grade, n] : p.grades) {
        if (!s.empty()) s += ", ";
        s += (grade.empty() ? "keine" : grade) + " ×" + std::to_string(n);
    }
    return s;
}

// ---- CSV

std::string csvField(const std::string& s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

// ---- HTML

std::string html(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

const char* const kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#8c564b", "#e377c2", "#17becf"};

// Share right per game over time, one line per pupil. Games are placed by
// their order in time, so that games of one afternoon do not pile up.
std::string chart(const std::vector<StoredGame>& games, const std::vector<PupilStats>& pupils)
{
    const int legendRows = (static_cast<int>(pupils.size()) + 4) / 5;
    const int w = 900, h = 302 + 18 * legendRows, left = 50, right = 20, top = 20, bottom = 32 + 18 * legendRows;
    const int plotW = w - left - right, plotH = h - top - bottom;
    int n = static_cast<int>(games.size());
    std::map<const StoredGame*, int> rank;
    for (int i = 0; i < n; ++i) rank[&games[i]] = i;
    auto xOf = [&](int i) { return left + (n <= 1 ? plotW / 2 : plotW * i / (n - 1)); };
    auto yOf = [&](double share) { return top + static_cast<int>((1.0 - share) * plotH + 0.5); };

    std::ostringstream o;
    o << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << w << "\" height=\"" << h << "\" viewBox=\"0 0 " << w
      << " " << h << "\" role=\"img\" aria-label=\"Anteil richtig je Spiel\">\n";
    for (int p = 0; p <= 100; p += 25) {
        int y = yOf(p / 100.0);
        o << "<line x1=\"" << left << "\" y1=\"" << y << "\" x2=\"" << w - right << "\" y2=\"" << y
          << "\" stroke=\"#ddd\"/>"
          << "<text x=\"" << left - 8 << "\" y=\"" << y + 4 << "\" text-anchor=\"end\">" << p << " %</text>\n";
    }
    o << "<line x1=\"" << left << "\" y1=\"" << top + plotH << "\" x2=\"" << w - right << "\" y2=\"" << top + plotH
      << "\" stroke=\"#444\"/>\n";
    // Dates under the first, the last and a few games between; hours when
    // the games lie within a day or two.
    bool hours = n > 0 && games.back().started - games.front().started < 2 * 86400;
    int labels = std::min(n, 6);
    for (int k = 0; k < labels; ++k) {
        int i = labels == 1 ? 0 : (n - 1) * k / (labels - 1);
        // The outer labels stay inside the picture.
        const char* anchor = labels == 1 ? "middle" : k == 0 ? "start" : k == labels - 1 ? "end" : "middle";
        o << "<text x=\"" << xOf(i) << "\" y=\"" << top + plotH + 20 << "\" text-anchor=\"" << anchor << "\">"
          << localTime(games[i].started, hours ? "%d.%m. %H:%M" : "%d.%m.") << "</text>\n";
    }
    for (size_t p = 0; p < pupils.size(); ++p) {
        const char* colour = kColours[p % (sizeof kColours / sizeof *kColours)];
        std::ostringstream points, dots;
        for (const StoredGame* g : pupils[p].games) {
            int played = static_cast<int>(g->taskList.size());
            if (played == 0) continue;
            double share = static_cast<double>(g->right) / played;
            int x = xOf(rank[g]), y = yOf(share);
            points << x << "," << y << " ";
            dots << "<circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"4\" fill=\"" << colour << "\"><title>"
                 << html(pupils[p].pupil) << ", " << when(g->started) << ": " << percent(g->right, played)
                 << "</title></circle>\n";
        }
        o << "<polyline class=\"pupil\" fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"2\" points=\""
          << points.str() << "\"/>\n"
          << dots.str();
        int ly = top + plotH + 40 + static_cast<int>(p / 5) * 18;
        int lx = left + static_cast<int>(p % 5) * 160;
        o << "<rect x=\"" << lx << "\" y=\"" << ly - 9 << "\" width=\"12\" height=\"12\" fill=\"" << colour
          << "\"/><text x=\"" << lx + 18 << "\" y=\"" << ly + 2 << "\">" << html(pupils[p].pupil) << "</text>\n";
    }
    o << "</svg>\n";
    return o.str();
}

} // namespace

bool parseReportArgs(const std::vector<std::string>& args, ReportArgs& out, std::string& err)
{
    out = ReportArgs{};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                err = a + " needs a value";
                return false;
            }
            if (!into.empty()) {
                err = a + " given twice";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--history") {
            if (!value(out.history)) return false;
        } else if (a == "--pupil") {
            if (!value(out.pupil)) return false;
        } else if (a == "--since") {
            if (!value(out.since)) return false;
            if (!parseDay(out.since, out.sinceEpoch)) {
                err = "--since needs a day as YYYY-MM-DD: " + out.since;
                return false;
            }
        } else if (a == "--html") {
            if (!value(out.html)) return false;
        } else if (a == "--csv") {
            if (!value(out.csv)) return false;
        } else if (a == "--class") {
            if (!value(out.className)) return false;
        } else if (a == "--server") {
            if (!value(out.server)) return false;
        } else if (a == "--init-server") {
            if (!value(out.initServer)) return false;
        } else if (a == "--sync") {
            out.sync = true;
        } else {
            err = "unknown argument: " + a;
            return false;
        }
    }
    return true;
}

std::string reportText(const std::vector<StoredGame>& games)
{
    std::ostringstream o;
    std::vector<PupilStats> pupils = statsByPupil(games);
    if (pupils.empty()) o << "Keine Spiele im Verlauf.\n";
    for (const PupilStats& p : pupils) {
        o << "Schüler: " << p.pupil << "\n"
          << "  Spiele: " << p.games.size();
        if (p.practices) o << " (davon " << p.practices << (p.practices == 1 ? " Übung)" : " Übungen)");
        o << "   Aufgaben: " << p.tasks << "   richtig: " << percent(p.right, p.tasks)
          << "   Zeit: " << duration(p.seconds) << "\n"
          << "  Noten: " << gradesLine(p) << "\n\n";
        o << "  " << pad("Beginn", 18) << pad("Art, Eingabe", 16) << pad("Level/Stufe", 13) << pad("Aufgaben", 10) << pad("richtig", 9)
          << pad("falsch", 8) << pad("übersprungen", 14) << pad("Note", 6) << pad("Zeit", 14) << "Ende\n";
        for (const StoredGame* g : p.games)
            o << "  " << pad(when(g->started), 18) << pad(kindAndInput(*g), 16)
              << pad(std::to_string(g->level) + "/" + std::to_string(g->difficulty), 13)
              << pad(std::to_string(g->taskList.size()) + "/" + std::to_string(g->tasks), 10)
              << pad(std::to_string(g->right), 9) << pad(std::to_string(g->wrong), 8)
              << pad(std::to_string(g->skipped), 14) << pad(g->grade.empty() ? "–" : g->grade, 6)
              << pad(duration(g->seconds), 14) << endWord(*g) << "\n";
        o << "\n  Aufgabentypen mit dem kleinsten Anteil richtig (mindestens " << kMinimumTries << " Versuche):\n";
        if (p.weakest.empty()) o << "  (noch keiner oft genug gespielt)\n";
        else
            o << "  " << pad("Nr.", 7) << pad("Level/Stufe", 13) << pad("richtig", 9) << pad("Versuche", 10) << "Titel\n";
        for (const TypeStats& s : p.weakest)
            o << "  " << pad(std::to_string(s.taskNumber), 7) << pad(levelOf(s.taskNumber), 13)
              << pad(percent(s.right, s.tries), 9) << pad(std::to_string(s.tries), 10) << cut(s.title, 60) << "\n";
        o << "\n";
    }
    return o.str();
}

std::string reportCsv(const std::vector<StoredGame>& games)
{
    std::string s = "pupil,game,started,kind,level,difficulty,position,task_number,seed,text,solution,answer,verdict,"
                    "seconds\r\n";
    for (const StoredGame& g : games)
        for (const TaskRecord& t : g.taskList) {
            s += csvField(g.pupil) + "," + std::to_string(g.id) + "," + localTime(g.started, "%Y-%m-%d %H:%M:%S") +
                 "," + (g.kind == GameKind::Practice ? "practice" : "game") + "," + std::to_string(g.level) + "," +
                 std::to_string(g.difficulty) + "," + std::to_string(t.position) + "," +
                 std::to_string(t.taskNumber) + "," + std::to_string(t.seed) + "," + csvField(t.text) + "," +
                 csvField(t.solution) + "," + csvField(t.answer) + "," + verdictName(t.verdict) + "," +
                 std::to_string(t.seconds) + "\r\n";
        }
    return s;
}

std::string reportHtml(const std::vector<StoredGame>& games)
{
    std::vector<PupilStats> pupils = statsByPupil(games);
    std::ostringstream o;
    o << "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
      << "<title>Ziffron – Bericht</title>\n<style>\n"
      << "body{font-family:sans-serif;margin:2em;color:#222}\n"
      << "table{border-collapse:collapse;margin:0.5em 0 1.5em}\n"
      << "th,td{border:1px solid #ccc;padding:0.25em 0.6em;text-align:left}\n"
      << "th{background:#f0f0f0}\ntd.n{text-align:right}\n"
      << "svg text{font-size:12px;fill:#333}\n</style>\n</head>\n<body>\n"
      << "<h1>Ziffron – Bericht</h1>\n" << classOverviewHtml(games);
    if (pupils.empty()) {
        o << "<p>Keine Spiele im Verlauf.</p>\n</body>\n</html>\n";
        return o.str();
    }
    o << "<h2>Anteil richtig je Spiel</h2>\n" << chart(games, pupils);
    for (const PupilStats& p : pupils) {
        o << "<h2>" << html(p.pupil) << "</h2>\n<table>\n"
          << "<tr><th>Spiele</th><td class=\"n\">" << p.games.size() << "</td></tr>\n"
          << "<tr><th>davon Übungen</th><td class=\"n\">" << p.practices << "</td></tr>\n"
          << "<tr><th>Aufgaben</th><td class=\"n\">" << p.tasks << "</td></tr>\n"
          << "<tr><th>richtig</th><td class=\"n\">" << percent(p.right, p.tasks) << "</td></tr>\n"
          << "<tr><th>Zeit</th><td class=\"n\">" << duration(p.seconds) << "</td></tr>\n"
          << "<tr><th>Noten</th><td>" << html(gradesLine(p)) << "</td></tr>\n</table>\n";
        o << "<table>\n<tr><th>Beginn</th><th>Art, Eingabe</th><th>Level/Stufe</th><th>Aufgaben</th><th>richtig</th>"
          << "<th>falsch</th><th>übersprungen</th><th>Note</th><th>Zeit</th><th>Ende</th></tr>\n";
        for (const StoredGame* g : p.games)
            o << "<tr><td>" << when(g->started) << "</td><td>" << kindAndInput(*g) << "</td><td>" << g->level << "/"
              << g->difficulty << "</td><td class=\"n\">" << g->taskList.size() << "/" << g->tasks
              << "</td><td class=\"n\">" << g->right << "</td><td class=\"n\">" << g->wrong << "</td><td class=\"n\">"
              << g->skipped << "</td><td>" << html(g->grade.empty() ? "–" : g->grade) << "</td><td class=\"n\">"
              << duration(g->seconds) << "</td><td>" << html(endWord(*g)) << "</td></tr>\n";
        o << "</table>\n<h3>Aufgabentypen mit dem kleinsten Anteil richtig (mindestens " << kMinimumTries
          << " Versuche)</h3>\n";
        if (p.weakest.empty()) {
            o << "<p>Noch keiner oft genug gespielt.</p>\n";
            continue;
        }
        o << "<table>\n<tr><th>Nr.</th><th>Level/Stufe</th><th>richtig</th><th>Versuche</th><th>Titel</th></tr>\n";
        for (const TypeStats& s : p.weakest)
            o << "<tr><td>" << s.taskNumber << "</td><td>" << levelOf(s.taskNumber) << "</td><td class=\"n\">"
              << percent(s.right, s.tries) << "</td><td class=\"n\">" << s.tries << "</td><td>"
              << html(cut(s.title, 80)) << "</td></tr>\n";
        o << "</table>\n";
    }
    o << "</body>\n</html>\n";
    return o.str();
}

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return runReport(args, std::cin, out, err);
}

int runReport(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    ReportArgs a;
    std::string why;
    if (!parseReportArgs(args, a, why)) {
        err << "ziffron-report: " << why << "\n" << kReportUsage;
        return 2;
    }
    if (a.help) {
        out << kReportUsage;
        return 0;
    }
    std::vector<std::string> faults;
    Settings conf = loadSettings(faults);
    for (const std::string& f : faults) err << "ziffron-report: " << f << "\n";
    if (a.sync || !a.initServer.empty()) return runServerCommand(a, conf, in, out, err);
    std::string path = !a.history.empty() ? a.history
                       : !conf.history.empty() ? conf.history
                                               : aopath_datadir() + "/history.sqlite3";
    std::vector<StoredGame> games;
    HistoryFilter filter{a.pupil, a.sinceEpoch, a.className};
    if (!historyLoad(path, filter, games, why)) {
        err << "ziffron-report: " << redactedUri(path) << ": " << why << "\n";
        return 1;
    }
    out << classOverviewText(games) << reportText(games);
    if (!a.html.empty() && !aofile_replace(a.html, reportHtml(games), why)) {
        err << "ziffron-report: " << why << "\n";
        return 1;
    }
    if (!a.csv.empty() && !aofile_replace(a.csv, reportCsv(games), why)) {
        err << "ziffron-report: " << why << "\n";
        return 1;
    }
    return 0;
}
