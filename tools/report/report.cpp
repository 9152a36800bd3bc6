// The report's arguments, its per-pupil numbers and their three renderings.
#include "report.h"
#include "server_commands.h"

#include "aotoolkit.h"
#include "titles.h"
#include "class_overview.h"
#include "report_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string_view>

const char* const kReportUsage =
    "usage: ziffron-report [--history FILE|URI] [--class NAME] [--pupil NAME] [--since YYYY-MM-DD]\n"
    "                      [--html OUT.html] [--csv OUT.csv] [--csv-format de|intl]\n"
    "       ziffron-report --sync [--history FILE] [--server URI]\n"
    "       ziffron-report --init-server URI   (passwords for the two roles from standard input)\n"
    "  --history FILE   the history database (default: ziffron.conf's history when it is\n"
    "                   a file, else history.sqlite3 in the per-user data folder)\n"
    "  --history URI    a school server (postgresql://...; password in ~/.pgpass)\n"
    "  --class NAME     only this class\n"
    "  --pupil NAME     only this pupil\n"
    "  --since DATE     only games started on or after this day (local time)\n"
    "  --html OUT.html  also write a self-contained page with a chart\n"
    "  --csv OUT.csv    also write one row per task, for a spreadsheet\n"
    "  --csv-format de|intl  de (default): ';' between fields, decimal comma and a\n"
    "                   byte order mark, as German spreadsheet programs read it;\n"
    "                   intl: ',' and a decimal point\n";

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

std::string when(long long epoch)
{
    return localTime(epoch, "%Y-%m-%d %H:%M");
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
    // Pupils in the order of a German class list.
    std::map<std::string, PupilStats, GermanOrder> by;
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
            // The type's title; a number the catalog no longer has keeps its last text.
            s.title = taskTitle(t.taskNumber);
            if (s.title.empty()) s.title = t.text;
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

// A text field. Quoted where it holds the separator, a quote or a line
// break; one that starts as a formula would (=, +, -, @, a tab or a carriage
// return: "-11 · 4 = ??", a pupil named "=2+3") gets a leading apostrophe
// inside quotes, as spreadsheet makers advise, so that it stays text.
std::string csvField(const std::string& s, char separator)
{
    const bool formula = !s.empty() && std::string_view("=+-@\t\r").find(s[0]) != std::string_view::npos;
    if (!formula && s.find_first_of(std::string(1, separator) + "\"\r\n") == std::string::npos) return s;
    std::string q = formula ? "\"'" : "\"";
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

// A number as the spreadsheet reads it: whole numbers plain, others with the
// format's decimal separator.
std::string csvNumber(double v, char decimal)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.10g", v);
    std::string out = text;
    std::replace(out.begin(), out.end(), '.', decimal);
    return out;
}

// A field that holds a number where the task has one (solution, answer):
// a plain number ("-7", "−7", "905,2", a typed "3.5") is written with the
// format's decimal separator and a hyphen for its minus and stays a number;
// anything else ("3 / 4", "(2 | -1)", "<") is text.
std::string csvValue(const std::string& text, char separator, char decimal)
{
    // The minus sign of the notation ("−7") is a hyphen to a spreadsheet.
    const std::string minusSign = "\u2212";
    const std::string s = text.starts_with(minusSign) ? "-" + text.substr(minusSign.size()) : text;
    size_t i = !s.empty() && s[0] == '-' ? 1 : 0, digits = 0, separators = 0;
    for (size_t k = i; k < s.size(); ++k) {
        if (s[k] >= '0' && s[k] <= '9') ++digits;
        else if ((s[k] == ',' || s[k] == '.') && k > i && k + 1 < s.size()) ++separators;
        else return csvField(text, separator);
    }
    if (digits == 0 || separators > 1) return csvField(text, separator);
    std::string out = s;
    std::replace_if(out.begin(), out.end(), [](char c) { return c == ',' || c == '.'; }, decimal);
    return out;
}

// ---- HTML

const char* const kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#8c564b", "#e377c2", "#17becf"};
constexpr size_t kOneChartPupils = sizeof kColours / sizeof *kColours;

// The time the games span: the x axis of every chart, so that a gap of ten
// days looks like ten days and the pupils' charts can be laid side by side.
struct TimeAxis {
    long long first = 0, last = 0;
    // Within two days the labels give the time of day too.
    bool hours() const { return last - first < 2 * 86400; }
    double at(long long t, double left, double width) const
    {
        return last == first ? left + width / 2 : left + width * static_cast<double>(t - first) / (last - first);
    }
};

TimeAxis timeAxis(const std::vector<StoredGame>& games)
{
    TimeAxis axis;
    if (games.empty()) return axis;
    axis.first = axis.last = games.front().started;
    for (const StoredGame& g : games) {
        axis.first = std::min(axis.first, g.started);
        axis.last = std::max(axis.last, g.started);
    }
    return axis;
}

struct Plot {
    double left, top, width, height;
    int timeLabels; // evenly spread over the span, the outer ones at its ends
    int shareStep;  // percent between the horizontal lines
};

// Axes, grid and labels of one chart: share right (0 to 100 %) over time.
void plotFrame(std::ostringstream& o, const TimeAxis& axis, const Plot& p)
{
    auto y = [&](int percent) { return p.top + (100 - percent) * p.height / 100; };
    for (int percent = 0; percent <= 100; percent += p.shareStep)
        o << "<line x1=\"" << p.left << "\" y1=\"" << y(percent) << "\" x2=\"" << p.left + p.width << "\" y2=\""
          << y(percent) << "\" stroke=\"" << (percent ? "#ddd" : "#444") << "\"/><text x=\"" << p.left - 6
          << "\" y=\"" << y(percent) + 4 << "\" text-anchor=\"end\">" << percent << " %</text>\n";
    const char* format = axis.hours() ? "%d.%m. %H:%M" : "%d.%m.%Y";
    auto label = [&](double x, const std::string& text, const char* anchor) {
        o << "<line x1=\"" << x << "\" y1=\"" << y(0) << "\" x2=\"" << x << "\" y2=\"" << y(0) + 4
          << "\" stroke=\"#444\"/><text x=\"" << x << "\" y=\"" << y(0) + 17 << "\" text-anchor=\"" << anchor
          << "\">" << text << "</text>\n";
    };
    // Games minutes apart print the same minute at every place: one label
    // under the middle then, else each text once.
    const std::string first = localTime(axis.first, format);
    const int n = p.timeLabels;
    if (first == localTime(axis.last, format) || n < 2) {
        label(p.left + p.width / 2, first, "middle");
        return;
    }
    std::string shown;
    for (int k = 0; k < n; ++k) {
        const double share = static_cast<double>(k) / (n - 1);
        const std::string text =
            localTime(axis.first + std::llround(share * static_cast<double>(axis.last - axis.first)), format);
        if (text == shown) continue;
        shown = text;
        label(p.left + share * p.width, text, k == 0 ? "start" : k == n - 1 ? "end" : "middle");
    }
}

// One pupil's games as a line with a dot per game (its tooltip says when
// and how many were right).
void plotPupil(std::ostringstream& o, const TimeAxis& axis, const Plot& p, const PupilStats& pupil,
               const char* colour, int dot)
{
    std::ostringstream points, dots;
    for (const StoredGame* g : pupil.games) {
        const int played = static_cast<int>(g->taskList.size());
        if (played == 0) continue;
        const double share = static_cast<double>(g->right) / played;
        const double x = axis.at(g->started, p.left, p.width), y = p.top + (1 - share) * p.height;
        points << x << "," << y << " ";
        dots << "<circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"" << dot << "\" fill=\"" << colour << "\"><title>"
             << html(pupil.pupil) << ", " << when(g->started) << ": " << percent(g->right, played)
             << "</title></circle>\n";
    }
    o << "<polyline class=\"pupil\" fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"2\" points=\""
      << points.str() << "\"/>\n"
      << dots.str();
}

// Up to eight pupils: one chart, a colour and a legend entry each.
std::string chart(const TimeAxis& axis, const std::vector<PupilStats>& pupils)
{
    const int legendRows = (static_cast<int>(pupils.size()) + 3) / 4;
    const Plot p{70, 20, 800, 260, 6, 25};
    const int w = 900, h = static_cast<int>(p.top + p.height) + 50 + 20 * legendRows;
    std::ostringstream o;
    o << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << w << "\" height=\"" << h << "\" viewBox=\"0 0 " << w
      << " " << h << "\" role=\"img\" aria-label=\"Anteil richtig je Spiel über die Zeit\">\n";
    plotFrame(o, axis, p);
    o << "<text x=\"14\" y=\"" << p.top + p.height / 2 << "\" text-anchor=\"middle\" transform=\"rotate(-90 14 "
      << p.top + p.height / 2 << ")\">Anteil richtig</text>\n";
    for (size_t i = 0; i < pupils.size(); ++i) {
        plotPupil(o, axis, p, pupils[i], kColours[i], 4);
        const double lx = p.left + static_cast<double>(i % 4) * 200;
        const double ly = p.top + p.height + 45 + static_cast<double>(i / 4) * 20;
        o << "<rect x=\"" << lx << "\" y=\"" << ly - 10 << "\" width=\"12\" height=\"12\" fill=\"" << kColours[i]
          << "\"/><text x=\"" << lx + 18 << "\" y=\"" << ly << "\">" << html(cut(pupils[i].pupil, 24))
          << "</text>\n";
    }
    o << "</svg>\n";
    return o.str();
}

// More pupils: a small chart each, all on the same axes, so a class is read
// pupil by pupil and compared at a glance.
std::string smallMultiples(const TimeAxis& axis, const std::vector<PupilStats>& pupils)
{
    const Plot p{52, 30, 196, 100, 2, 50};
    const int w = 262, h = 160;
    std::ostringstream o;
    o << "<p class=\"legend\"><svg width=\"40\" height=\"12\"><line x1=\"2\" y1=\"6\" x2=\"38\" y2=\"6\" stroke=\""
      << kColours[0] << "\" stroke-width=\"2\"/><circle cx=\"20\" cy=\"6\" r=\"3\" fill=\"" << kColours[0]
      << "\"/></svg> Anteil richtig je Spiel (ein Punkt je Spiel); alle Diagramme zeigen dieselbe Zeit, "
      << localTime(axis.first, "%d.%m.%Y") << " bis " << localTime(axis.last, "%d.%m.%Y") << ".</p>\n"
      << "<div class=\"multiples\">\n";
    for (const PupilStats& pupil : pupils) {
        o << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << w << "\" height=\"" << h << "\" viewBox=\"0 0 "
          << w << " " << h << "\" role=\"img\" aria-label=\"" << html(pupil.pupil)
          << ": Anteil richtig je Spiel\">\n<text class=\"name\" x=\"" << p.left << "\" y=\"16\">"
          << html(cut(pupil.pupil, 22)) << " · " << percent(pupil.right, pupil.tasks) << " richtig</text>\n";
        plotFrame(o, axis, p);
        plotPupil(o, axis, p, pupil, kColours[0], 3);
        o << "</svg>\n";
    }
    o << "</div>\n";
    return o.str();
}

} // namespace

bool parseReportArgs(const std::vector<std::string>& args, ReportArgs& out, std::string& err)
{
    out = ReportArgs{};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            // An option where the value belongs means the value was forgotten.
            if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].rfind("--", 0) == 0) {
                err = a + " needs a value";
                if (i + 1 < args.size() && !args[i + 1].empty()) err += " before " + args[i + 1];
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
        } else if (a == "--csv-format") {
            std::string format;
            if (!value(format)) return false;
            if (format != "de" && format != "intl") {
                err = "--csv-format: de or intl, not " + format;
                return false;
            }
            out.csvFormat = format == "de" ? ReportArgs::CsvFormat::German : ReportArgs::CsvFormat::International;
        } else if (a == "--class") {
            if (!value(out.className)) return false;
        } else if (a == "--server") {
            if (!value(out.server)) return false;
        } else if (a == "--init-server") {
            if (!value(out.initServer)) return false;
        } else if (a == "--sync") {
            out.sync = true;
        } else if (a.rfind("-", 0) != 0) {
            err = "\"" + a + "\" is not an option";
            if (i > 0) err += " (after " + args[i - 1] + "; each option takes one value)";
            return false;
        } else {
            err = "unknown argument: " + a;
            return false;
        }
    }
    return true;
}

namespace {

// Case folded for comparing names: ASCII and the Latin-1 letters (Ä, Ö, Ü ...).
std::string folded(const std::string& utf8)
{
    std::string out = utf8;
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
        else if (c == 0xC3 && i + 1 < out.size()) {
            const unsigned char next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) out[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return out;
}

} // namespace

bool selectPupil(std::vector<StoredGame>& games, const std::string& pupil, std::string& err)
{
    if (pupil.empty()) return true;
    const std::string wanted = folded(pupil);
    std::vector<StoredGame> kept;
    std::vector<std::string> names;
    for (StoredGame& g : games) {
        if (folded(g.pupil) == wanted) kept.push_back(std::move(g));
        else if (std::find(names.begin(), names.end(), g.pupil) == names.end()) names.push_back(g.pupil);
    }
    games = std::move(kept);
    if (!games.empty()) return true;
    std::sort(names.begin(), names.end(), GermanOrder{});
    err = "kein Schüler \"" + pupil + "\" im Verlauf";
    if (names.empty()) return false;
    err += "; es gibt: ";
    for (size_t i = 0; i < names.size(); ++i) err += (i ? ", " : "") + names[i];
    return false;
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

std::string reportCsv(const std::vector<StoredGame>& games, ReportArgs::CsvFormat format)
{
    const bool german = format == ReportArgs::CsvFormat::German;
    const char sep = german ? ';' : ',', decimal = german ? ',' : '.';
    // The byte order mark tells a German spreadsheet program the text is UTF-8.
    std::string s = german ? "\xEF\xBB\xBF" : "";
    const char* const names[] = {"pupil", "game",        "started", "kind", "level",    "difficulty", "position", "task_number",
                                 "seed",  "text",        "solution", "answer", "verdict", "seconds",    "title"};
    for (size_t i = 0; i < std::size(names); ++i) s += (i ? std::string(1, sep) : std::string()) + names[i];
    s += "\r\n";
    for (const StoredGame& g : games)
        for (const TaskRecord& t : g.taskList) {
            const std::string fields[] = {csvField(g.pupil, sep),
                                          std::to_string(g.id),
                                          localTime(g.started, "%Y-%m-%d %H:%M:%S"),
                                          g.kind == GameKind::Practice ? "practice" : "game",
                                          std::to_string(g.level),
                                          std::to_string(g.difficulty),
                                          std::to_string(t.position),
                                          std::to_string(t.taskNumber),
                                          std::to_string(t.seed),
                                          csvField(t.text, sep),
                                          csvValue(t.solution, sep, decimal),
                                          csvValue(t.answer, sep, decimal),
                                          verdictName(t.verdict),
                                          csvNumber(t.seconds, decimal),
                                          csvField(taskTitle(t.taskNumber), sep)};
            for (size_t i = 0; i < std::size(fields); ++i) s += (i ? std::string(1, sep) : "") + fields[i];
            s += "\r\n";
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
      << "svg text{font-size:13px;fill:#333}\n"
      << ".multiples{display:grid;grid-template-columns:repeat(auto-fill,minmax(262px,1fr));gap:0.5em 1em}\n"
      << ".multiples svg text{font-size:12px}\n.multiples svg text.name{font-size:14px;font-weight:bold}\n"
      << "</style>\n</head>\n<body>\n"
      << "<h1>Ziffron – Bericht</h1>\n" << classOverviewHtml(games);
    if (pupils.empty()) {
        o << "<p>Keine Spiele im Verlauf.</p>\n</body>\n</html>\n";
        return o.str();
    }
    const TimeAxis axis = timeAxis(games);
    o << "<h2>Anteil richtig je Spiel</h2>\n"
      << (pupils.size() <= kOneChartPupils ? chart(axis, pupils) : smallMultiples(axis, pupils));
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
    // A machine set up for a school server keeps its pupil's file locally;
    // the server is read when --history names it (a pupil's role may not).
    std::string path = !a.history.empty()                                   ? a.history
                       : !conf.history.empty() && !isServerUri(conf.history) ? conf.history
                                                                              : aopath_datadir() + "/history.sqlite3";
    std::vector<StoredGame> games;
    // Every pupil is loaded: the name is matched here, without regard to case.
    HistoryFilter filter{"", a.sinceEpoch, a.className};
    if (!historyLoad(path, filter, games, why)) {
        err << "ziffron-report: " << redactedUri(path) << ": " << why << "\n";
        return 1;
    }
    if (!selectPupil(games, a.pupil, why)) {
        err << "ziffron-report: " << redactedUri(path) << (a.since.empty() ? "" : " seit " + a.since) << ": " << why << "\n";
        return 1;
    }
    out << classOverviewText(games) << reportText(games);
    if (!isServerUri(path)) printSetAside(path, out);
    if (!a.html.empty() && !aofile_replace(a.html, reportHtml(games), why)) {
        err << "ziffron-report: " << why << "\n";
        return 1;
    }
    if (!a.csv.empty() && !aofile_replace(a.csv, reportCsv(games, a.csvFormat), why)) {
        err << "ziffron-report: " << why << "\n";
        return 1;
    }
    return 0;
}
