// The class overview: see class_overview.h.
#include "class_overview.h"

#include "report_format.h"
#include "titles.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <sstream>

namespace {

struct Row {
    std::string pupil;
    int games = 0, tasks = 0, right = 0;
    long long seconds = 0;
    std::string lastGrade;
    // Share right of the earlier and the later half of the pupil's tasks.
    int trendPoints = 0;
    bool trendKnown = false;
};

struct TypeRow {
    int taskNumber = 0, tries = 0, right = 0;
    std::map<std::string, int> pupils;
    std::string lastText;
};

constexpr int kWeakest = 10;
constexpr int kMinimumTries = 3;
constexpr int kTrendTasks = 10; // fewer tasks than this say nothing about a trend

std::string trendWord(const Row& r)
{
    if (!r.trendKnown) return "–";
    if (r.trendPoints >= 5) return "besser (+" + std::to_string(r.trendPoints) + ")";
    if (r.trendPoints <= -5) return "schwächer (-" + std::to_string(-r.trendPoints) + ")";
    return "gleich";
}

std::string titleOf(const TypeRow& t)
{
    const std::string& title = taskTitle(t.taskNumber);
    return title.empty() ? t.lastText : title;
}

std::vector<Row> rows(const std::vector<StoredGame>& games)
{
    // Pupils in the order of a German class list.
    std::map<std::string, Row, GermanOrder> by;
    std::map<std::string, std::vector<bool>> verdicts;
    for (const StoredGame& g : games) {
        Row& r = by[g.pupil];
        r.pupil = g.pupil;
        ++r.games;
        r.tasks += static_cast<int>(g.taskList.size());
        r.right += g.right;
        r.seconds += g.seconds;
        if (!g.grade.empty()) r.lastGrade = g.grade; // games come in order of time
        for (const TaskRecord& t : g.taskList) verdicts[g.pupil].push_back(t.verdict == TaskVerdict::Right);
    }
    std::vector<Row> out;
    for (auto& [name, r] : by) {
        const std::vector<bool>& v = verdicts[name];
        if (v.size() >= static_cast<size_t>(kTrendTasks)) {
            size_t half = v.size() / 2;
            int early = static_cast<int>(std::count(v.begin(), v.begin() + half, true));
            int late = static_cast<int>(std::count(v.begin() + half, v.end(), true));
            int earlyShare = early * 100 / static_cast<int>(half);
            int lateShare = late * 100 / static_cast<int>(v.size() - half);
            r.trendPoints = lateShare - earlyShare;
            r.trendKnown = true;
        }
        out.push_back(r);
    }
    return out;
}

std::vector<TypeRow> weakest(const std::vector<StoredGame>& games)
{
    std::map<int, TypeRow> by;
    for (const StoredGame& g : games)
        for (const TaskRecord& t : g.taskList) {
            TypeRow& r = by[t.taskNumber];
            r.taskNumber = t.taskNumber;
            ++r.tries;
            if (t.verdict == TaskVerdict::Right) ++r.right;
            ++r.pupils[g.pupil];
            r.lastText = t.text;
        }
    std::vector<TypeRow> out;
    for (auto& [n, r] : by)
        if (r.tries >= kMinimumTries) out.push_back(r);
    std::sort(out.begin(), out.end(), [](const TypeRow& a, const TypeRow& b) {
        long long l = static_cast<long long>(a.right) * b.tries, r = static_cast<long long>(b.right) * a.tries;
        if (l != r) return l < r;
        if (a.tries != b.tries) return a.tries > b.tries;
        return a.taskNumber < b.taskNumber;
    });
    if (out.size() > kWeakest) out.resize(kWeakest);
    return out;
}

size_t pupilCount(const std::vector<StoredGame>& games)
{
    std::map<std::string, int> names;
    for (const StoredGame& g : games) ++names[g.pupil];
    return names.size();
}

// Local midnight of the Monday of the week epoch lies in.
long long weekOf(long long epoch)
{
    std::tm tm = localDay(epoch);
    tm.tm_mday -= (tm.tm_wday + 6) % 7;
    tm.tm_hour = tm.tm_min = tm.tm_sec = 0;
    tm.tm_isdst = -1;
    return static_cast<long long>(std::mktime(&tm));
}

std::string weekLabel(long long monday)
{
    std::tm tm = localDay(monday);
    char text[32];
    std::strftime(text, sizeof text, "KW %V (%d.%m.)", &tm);
    return text;
}

// The share right per week: the class as a bold line, each pupil a thin one.
std::string weekChart(const std::vector<StoredGame>& games)
{
    std::map<long long, std::pair<int, int>> cls; // week -> right, tasks
    std::map<std::string, std::map<long long, std::pair<int, int>>> pupils;
    for (const StoredGame& g : games) {
        long long w = weekOf(g.started);
        int n = static_cast<int>(g.taskList.size());
        cls[w].first += g.right;
        cls[w].second += n;
        pupils[g.pupil][w].first += g.right;
        pupils[g.pupil][w].second += n;
    }
    std::vector<long long> weeks;
    for (const auto& [w, c] : cls) weeks.push_back(w);
    // Weeks without games keep their place on the axis, over ten years at
    // most: a game stamped far off (a wrong clock) leaves only the weeks
    // that have games, rather than an endless axis.
    std::vector<long long> axis;
    for (long long w = weeks.front(); w <= weeks.back() && axis.size() <= 520;) {
        axis.push_back(w);
        long long next = weekOf(w + 8 * 86400);
        if (next <= w) break; // past what the calendar functions know
        w = next;
    }
    if (axis.back() != weeks.back()) axis = weeks;
    const int W = 900, H = 340, left = 60, right = 20, top = 20, bottom = 70;
    const int plotW = W - left - right, plotH = H - top - bottom;
    int n = static_cast<int>(axis.size());
    std::map<long long, int> column;
    for (int i = 0; i < n; ++i) column[axis[i]] = i;
    auto x = [&](long long w) { return left + (n <= 1 ? plotW / 2 : plotW * column[w] / (n - 1)); };
    auto y = [&](int right, int tasks) { return top + static_cast<int>((1.0 - double(right) / tasks) * plotH + 0.5); };
    std::ostringstream o;
    o << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << W << "\" height=\"" << H << "\" viewBox=\"0 0 " << W
      << " " << H << "\" role=\"img\" aria-label=\"Anteil richtig je Woche\">\n";
    for (int p = 0; p <= 100; p += 25) {
        int yy = top + (100 - p) * plotH / 100;
        o << "<line x1=\"" << left << "\" y1=\"" << yy << "\" x2=\"" << W - right << "\" y2=\"" << yy
          << "\" stroke=\"#ddd\"/><text x=\"" << left - 8 << "\" y=\"" << yy + 4 << "\" text-anchor=\"end\">" << p
          << " %</text>\n";
    }
    // A label ("KW 49 (30.11.)") is about 90 pixels wide: every week that
    // leaves room for one, the outer ones kept inside the picture.
    constexpr int kLabelRoom = 110;
    const int every = std::max(1, (n * kLabelRoom + plotW - 1) / plotW);
    for (int i = 0; i < n; i += every) {
        const int at = x(axis[i]);
        const char* anchor = at - kLabelRoom / 2 < 0 ? "start" : at + kLabelRoom / 2 > W ? "end" : "middle";
        o << "<text x=\"" << x(axis[i]) << "\" y=\"" << top + plotH + 18 << "\" text-anchor=\"" << anchor << "\">"
          << weekLabel(axis[i]) << "</text>\n";
    }
    o << "<text x=\"" << left + plotW / 2 << "\" y=\"" << H - 26 << "\" text-anchor=\"middle\">Woche</text>\n";
    auto line = [&](const std::map<long long, std::pair<int, int>>& data, const char* colour, double widthPx,
                    const std::string& name) {
        std::ostringstream pts, dots;
        for (const auto& [w, c] : data) {
            if (c.second == 0) continue;
            pts << x(w) << "," << y(c.first, c.second) << " ";
            dots << "<circle cx=\"" << x(w) << "\" cy=\"" << y(c.first, c.second) << "\" r=\"" << widthPx + 1
                 << "\" fill=\"" << colour << "\"><title>" << html(name) << ", " << weekLabel(w) << ": "
                 << percent(c.first, c.second) << " von " << c.second << "</title></circle>\n";
        }
        o << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"" << widthPx << "\" points=\""
          << pts.str() << "\"><title>" << html(name) << "</title></polyline>\n"
          << dots.str();
    };
    for (const auto& [name, data] : pupils) line(data, "#9bb7d4", 1, name);
    line(cls, "#1f4e8c", 3, "Klasse");
    int ly = H - 8;
    o << "<line x1=\"" << left << "\" y1=\"" << ly - 4 << "\" x2=\"" << left + 30 << "\" y2=\"" << ly - 4
      << "\" stroke=\"#1f4e8c\" stroke-width=\"3\"/><text x=\"" << left + 36 << "\" y=\"" << ly
      << "\">Klasse</text><line x1=\"" << left + 120 << "\" y1=\"" << ly - 4 << "\" x2=\"" << left + 150
      << "\" y2=\"" << ly - 4 << "\" stroke=\"#9bb7d4\"/><text x=\"" << left + 156 << "\" y=\"" << ly
      << "\">je Schüler (Name beim Zeigen)</text>\n</svg>\n";
    return o.str();
}

} // namespace

std::string classOverviewText(const std::vector<StoredGame>& games)
{
    if (pupilCount(games) < 2) return "";
    std::ostringstream o;
    o << "Klasse: " << pupilCount(games) << " Schüler\n  " << pad("Schüler", 20) << pad("Spiele", 8)
      << pad("Aufgaben", 10) << pad("richtig", 9) << pad("letzte Note", 13) << pad("Zeit", 14) << "Verlauf\n";
    for (const Row& r : rows(games))
        o << "  " << pad(r.pupil, 20) << pad(std::to_string(r.games), 8) << pad(std::to_string(r.tasks), 10)
          << pad(percent(r.right, r.tasks), 9) << pad(r.lastGrade.empty() ? "–" : r.lastGrade, 13)
          << pad(duration(r.seconds), 14) << trendWord(r) << "\n";
    std::vector<TypeRow> weak = weakest(games);
    o << "\n  Die schwächsten Aufgabentypen der Klasse (mindestens " << kMinimumTries << " Versuche):\n";
    if (weak.empty()) o << "  (noch keiner oft genug gespielt)\n";
    else o << "  " << pad("Nr.", 7) << pad("richtig", 9) << pad("Versuche", 10) << pad("Schüler", 9) << "Titel\n";
    for (const TypeRow& t : weak)
        o << "  " << pad(std::to_string(t.taskNumber), 7) << pad(percent(t.right, t.tries), 9)
          << pad(std::to_string(t.tries), 10) << pad(std::to_string(t.pupils.size()), 9) << titleOf(t) << "\n";
    o << "\n";
    return o.str();
}

std::string classOverviewHtml(const std::vector<StoredGame>& games)
{
    if (pupilCount(games) < 2) return "";
    std::ostringstream o;
    o << "<h2>Klasse: " << pupilCount(games) << " Schüler</h2>\n<table>\n<tr><th>Schüler</th><th>Spiele</th>"
      << "<th>Aufgaben</th><th>richtig</th><th>letzte Note</th><th>Zeit</th><th>Verlauf</th></tr>\n";
    for (const Row& r : rows(games))
        o << "<tr><td>" << html(r.pupil) << "</td><td class=\"n\">" << r.games << "</td><td class=\"n\">" << r.tasks
          << "</td><td class=\"n\">" << percent(r.right, r.tasks) << "</td><td>"
          << html(r.lastGrade.empty() ? "–" : r.lastGrade) << "</td><td class=\"n\">" << duration(r.seconds)
          << "</td><td>" << trendWord(r) << "</td></tr>\n";
    o << "</table>\n<h2>Anteil richtig je Woche</h2>\n" << weekChart(games);
    std::vector<TypeRow> weak = weakest(games);
    o << "<h2>Die schwächsten Aufgabentypen der Klasse</h2>\n";
    if (weak.empty()) {
        o << "<p>Noch keiner oft genug gespielt (mindestens " << kMinimumTries << " Versuche).</p>\n";
        return o.str();
    }
    o << "<table>\n<tr><th>Nr.</th><th>Titel</th><th>richtig</th><th>Versuche</th><th>Schüler</th></tr>\n";
    for (const TypeRow& t : weak)
        o << "<tr><td>" << t.taskNumber << "</td><td>" << html(titleOf(t)) << "</td><td class=\"n\">"
          << percent(t.right, t.tries) << "</td><td class=\"n\">" << t.tries << "</td><td class=\"n\">"
          << t.pupils.size() << "</td></tr>\n";
    o << "</table>\n";
    return o.str();
}
