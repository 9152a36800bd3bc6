// Reading and writing the selection file. Teachers write it by hand, so the
// reader is lenient about spacing, case, commas and line ends, and strict
// about numbers: a line it cannot understand is skipped as a whole.
#include "selection_file.h"

#include <algorithm>
#include <cctype>

namespace {

// Longer content than this is no line anyone wrote by hand for one group.
constexpr size_t kMaxLineContent = 1000;

struct Line {
    std::string_view text;
    int number;
};

// Lines ended by "\n", "\r\n" or a lone "\r".
std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    int number = 1;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines.push_back({text.substr(start, i - start), number++});
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back({text.substr(start), number});
    return lines;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == ',';
}

std::vector<std::string_view> words(std::string_view s)
{
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isSpace(s[i])) ++i;
        size_t start = i;
        while (i < s.size() && !isSpace(s[i])) ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

bool sameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Digits only; values beyond any group are clamped so they still read as
// "out of range" rather than overflowing.
bool readNumber(std::string_view s, long& value)
{
    if (s.empty() || s.size() > 40) return false;
    value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        value = std::min(value * 10 + (c - '0'), 1000000L);
    }
    return true;
}

// The word as a reader sees it in a message: printable ASCII, the rest '?', short.
std::string shown(std::string_view w)
{
    std::string s;
    for (char c : w.substr(0, 20)) s += (c >= 0x20 && c < 0x7F) ? c : '?';
    if (w.size() > 20) s += "...";
    return s;
}

class Reader {
public:
    SelectionFile file;

    void line(std::string_view text, int number)
    {
        const size_t hash = text.find('#');
        if (hash != std::string_view::npos) text = text.substr(0, hash);
        if (text.find_first_not_of(" \t,") == std::string_view::npos) return;
        if (text.size() > kMaxLineContent) {
            report(number, "zu lang (" + std::to_string(text.size()) + " Zeichen), übersprungen");
            return;
        }
        // The colon is a word of its own, however it was spaced: "aus:3", "aus :".
        std::string spaced(text);
        const size_t colon = spaced.find(':');
        if (colon != std::string::npos) spaced.replace(colon, 1, " : ");
        const std::vector<std::string_view> w = words(spaced);
        if (!w.empty() && sameWord(w[0], "Eingabe")) {
            inputLine(w, number);
            return;
        }
        const size_t first = 6;
        // "Level L Stufe D", as the main screen names them; files of earlier
        // versions say "Stufe L Schwierigkeit D" for the same two numbers.
        const bool current = w.size() >= first && sameWord(w[0], "Level") && sameWord(w[2], "Stufe");
        const bool earlier = w.size() >= first && sameWord(w[0], "Stufe") && sameWord(w[2], "Schwierigkeit");
        if (!(current || earlier) || !sameWord(w[4], "aus") || w[5] != ":") {
            report(number, "nicht lesbar, erwartet \"Level L Stufe S aus: Nummern\", übersprungen");
            return;
        }
        long lvl = 0, diff = 0;
        if (!readNumber(w[1], lvl) || lvl < 1 || lvl > kLevels) {
            report(number, std::string(w[0]) + " \"" + shown(w[1]) + "\" gibt es nicht (1 bis 12), übersprungen");
            return;
        }
        if (!readNumber(w[3], diff) || diff < 1 || diff > kDifficulties) {
            report(number, std::string(w[2]) + " \"" + shown(w[3]) + "\" gibt es nicht (1 bis 3), übersprungen");
            return;
        }
        const int n = catalog_groupsize(static_cast<int>(lvl), static_cast<int>(diff));
        std::vector<long> entries;
        for (size_t i = first; i < w.size(); ++i) {
            long e = 0;
            if (!readNumber(w[i], e)) {
                report(number, "\"" + shown(w[i]) + "\" ist keine Aufgabennummer, übersprungen");
                return;
            }
            entries.push_back(e);
        }
        SelectionGroupOff& group = groupOf(static_cast<int>(lvl), static_cast<int>(diff));
        for (size_t i = 0; i < entries.size(); ++i) {
            const long e = entries[i];
            if (e < 1 || e > n) {
                report(number, "Level " + std::to_string(lvl) + " Stufe " + std::to_string(diff) +
                                   " hat keine Aufgabe " + shown(w[first + i]) + " (1 bis " + std::to_string(n) +
                                   "), ignoriert");
                continue;
            }
            if (std::find(group.entries.begin(), group.entries.end(), e) == group.entries.end())
                group.entries.push_back(static_cast<int>(e));
        }
        std::sort(group.entries.begin(), group.entries.end());
    }

    void finish()
    {
        if (dropped > 0)
            file.messages.push_back("... und " + std::to_string(dropped) + " weitere Meldungen");
        // A line naming only entries outside its group leaves nothing off.
        std::erase_if(file.groups, [](const SelectionGroupOff& g) { return g.entries.empty(); });
    }

private:
    size_t dropped = 0;

    // "Eingabe: Tippen" / "Eingabe: Kästchen" (also "Kaestchen", or the
    // umlaut as a single Windows-1252 byte); a later line wins.
    void inputLine(const std::vector<std::string_view>& w, int number)
    {
        const bool shaped = w.size() == 3 && w[1] == ":";
        if (shaped && sameWord(w[2], "Tippen")) {
            file.input = AnswerInput::Typed;
        } else if (shaped && (sameWord(w[2], "Kästchen") || sameWord(w[2], "Kaestchen") ||
                              sameWord(w[2], "K\xE4stchen"))) {
            file.input = AnswerInput::Squares;
        } else {
            report(number, "nicht lesbar, erwartet \"Eingabe: Kästchen\" oder \"Eingabe: Tippen\", übersprungen");
        }
    }

    void report(int number, const std::string& what)
    {
        if (file.messages.size() + 1 < kSelectionMessageLimit) file.messages.push_back("Zeile " + std::to_string(number) + ": " + what);
        else ++dropped;
    }

    SelectionGroupOff& groupOf(int lvl, int diff)
    {
        for (SelectionGroupOff& g : file.groups)
            if (g.level == lvl && g.difficulty == diff) return g;
        file.groups.push_back({lvl, diff, {}});
        return file.groups.back();
    }
};

} // namespace

SelectionFile parseSelectionFile(std::string_view text)
{
    // Editors on Windows like to start with a byte order mark.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Reader reader;
    for (const Line& l : splitLines(text)) reader.line(l.text, l.number);
    reader.finish();
    return reader.file;
}

void applySelectionFile(const SelectionFile& file, SelectionTable& table)
{
    for (int l = 0; l <= kLevels; ++l)
        for (int d = 0; d <= kDifficulties; ++d) {
            const int n = catalog_groupsize(l, d);
            for (int e = 0; e <= kSelectionSlots; ++e) table[l][d][e] = (e >= 1 && e <= n) ? e : 0;
        }
    for (const SelectionGroupOff& g : file.groups)
        for (int e : g.entries)
            if (e >= 1 && e <= std::min(catalog_groupsize(g.level, g.difficulty), kSelectionSlots))
                table[g.level][g.difficulty][e] = 0;
}

std::string formatSelectionFile(const SelectionTable& table, AnswerInput input)
{
    std::string text = "# Aufgabenauswahl: abgeschaltete Aufgabentypen, eine Zeile je Level und Stufe.\n"
                       "# Form: Level L Stufe S aus: Nummern   (Text nach # wird nicht gelesen)\n"
                       "# Eingabe: Kästchen (Antwort anklicken) oder Tippen (Antwort eintippen)\n";
    text += input == AnswerInput::Typed ? "Eingabe: Tippen\n" : "Eingabe: Kästchen\n";
    for (int l = 1; l <= kLevels; ++l)
        for (int d = 1; d <= kDifficulties; ++d) {
            std::string off;
            const int n = std::min(catalog_groupsize(l, d), kSelectionSlots);
            for (int e = 1; e <= n; ++e)
                if (table[l][d][e] == 0) off += " " + std::to_string(e);
            if (!off.empty())
                text += "Level " + std::to_string(l) + " Stufe " + std::to_string(d) + " aus:" + off + "\n";
        }
    return text;
}
