// Task titles: read off the task's own text where it has words, from a table
// where it is only a sum or an equation.
#include "titles.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "catalog.h"

namespace {

// Every title comes from the same task instance, whatever ran before.
constexpr unsigned int kTitleSeed = 1;
constexpr size_t kMaxWords = 6;
constexpr size_t kMaxLetters = 45;

struct TitleRange {
    int first, last;
    const char* title;
};

// Task types whose text has no words to speak of: sums, equations, chains of
// operations, and a few whose first words are only names and gaps.
constexpr TitleRange kTitleTable[] = {
    {1101, 1101, "Subtrahieren"},
    {1102, 1103, "Fehlenden Summanden finden"},
    {1104, 1104, "Drei Zahlen addieren"},
    {1105, 1105, "Einmaleins"},
    {1201, 1202, "Fehlende Zahl beim Subtrahieren"},
    {1203, 1203, "Einmaleins"},
    {1204, 1204, "Plus und minus"},
    {1205, 1205, "Halbieren"},
    {2101, 2105, "Punkt vor Strich"},
    {2201, 2201, "Große Zahlen addieren"},
    {2301, 2301, "Zweistellige Zahlen addieren"},
    {2302, 2303, "Fehlenden Summanden finden"},
    {2304, 2306, "Fehlende Zahl in der Summe"},
    {2307, 2309, "Fehlende Zahl in der Differenz"},
    {3101, 3101, "Schriftlich dividieren"},
    {3102, 3102, "Schriftlich multiplizieren"},
    {4101, 4101, "Einmaleins umgekehrt"},
    {4104, 4104, "Zahlen vergleichen"},
    {4201, 4201, "Dividieren"},
    {4204, 4204, "Große Zahlen vergleichen"},
    {4301, 4301, "Brüche kürzen"},
    {5113, 5114, "Bruchteil einer Größe"},
    {6307, 6307, "Noten in einer Klasse"},
    {7301, 7304, "Negative Zahlen vergleichen"},
    {7305, 7312, "Rechnen mit ganzen Zahlen"},
    {7315, 7327, "Klammern auflösen"},
    {8101, 8113, "Term berechnen"},
    {8201, 8211, "Gleichung lösen"},
    {9101, 9104, "Rechenkette"},
    {9105, 9106, "Rechenkette mit Division"},
    {9201, 9201, "Rechenkette mit Produkt"},
    {9202, 9204, "Rechenkette mit Potenzen"},
    {10101, 10107, "Klammern multiplizieren"},
    {10201, 10210, "Gleichung lösen"},
    {10301, 10310, "Gleichung mit Klammern lösen"},
    {11201, 11201, "Zuordnungsvorschrift"},
    {11202, 11202, "Lineare Funktion"},
    {12301, 12302, "Vielfaches einer Zahl"},
    {12304, 12304, "Produkt mit einer Summe"},
};

// Words that make a poor last word of a title.
constexpr std::string_view kWeakEnds[] = {
    "an",  "als", "durch", "auf", "aus", "bei", "das", "dem", "den",  "der",   "des",   "die",   "ein",  "eine",
    "einem", "einen", "einer", "eines", "für", "hat", "in",  "im",    "ist",   "man",   "mit",  "oder",
    "sind", "um",  "und", "von", "wenn", "wie", "zu",  "zum", "zur",
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Letters, with German letters in UTF-8 (two bytes from 0xC3, but not × and ÷).
size_t letterAt(std::string_view s, size_t i)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 1;
    if (c == 0xC3 && i + 1 < s.size()) {
        const unsigned char d = static_cast<unsigned char>(s[i + 1]);
        if (d >= 0x80 && d <= 0xBF && d != 0x97 && d != 0xB7) return 2;
    }
    return 0;
}

// "3,5" and "2.5" are numbers, not the end of a clause.
bool endsClause(std::string_view s, size_t i)
{
    const char c = s[i];
    if (c == '.' || c == ',')
        return !(i > 0 && isDigit(s[i - 1]) && i + 1 < s.size() && isDigit(s[i + 1]));
    return c == '?' || c == '!' || c == ':' || c == ';' || c == '=' || c == '\n';
}

size_t letters(std::string_view word)
{
    return static_cast<size_t>(std::count_if(word.begin(), word.end(),
                                             [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The words of each clause, in order. A run of letters glued to a number
// ("14fach", "8-fachen") belongs to the number; one letter is a name ("x",
// "Punkt A") except as the unit after "in" ("Wandle um in m"); "m^2" is "m²".
std::vector<std::vector<std::string>> clauses(std::string_view text)
{
    std::vector<std::vector<std::string>> out(1);
    size_t i = 0;
    while (i < text.size()) {
        if (endsClause(text, i)) {
            if (!out.back().empty()) out.emplace_back();
            ++i;
            continue;
        }
        if (letterAt(text, i) == 0) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size()) {
            if (size_t n = letterAt(text, i)) i += n;
            else if (text[i] == '-' && i + 1 < text.size() && letterAt(text, i + 1)) ++i;
            else break;
        }
        std::string word(text.substr(start, i - start));
        const bool afterNumber =
            start > 0 && (isDigit(text[start - 1]) || (text[start - 1] == '-' && start > 1 && isDigit(text[start - 2])));
        if (i + 1 < text.size() && text[i] == '^' && (text[i + 1] == '2' || text[i + 1] == '3') &&
            (i + 2 == text.size() || !isDigit(text[i + 2]))) {
            word += text[i + 1] == '2' ? "²" : "³";
            i += 2;
        }
        const bool beforeNumber = i < text.size() && isDigit(text[i]);
        std::vector<std::string>& clause = out.back();
        const bool unit = !clause.empty() && clause.back() == "in";
        if (!afterNumber && !beforeNumber && (letters(word) >= 2 || unit)) clause.push_back(word);
    }
    return out;
}

std::string fromTable(int taskNumber)
{
    for (const TitleRange& r : kTitleTable)
        if (taskNumber >= r.first && taskNumber <= r.last) return r.title;
    return {};
}

// The task's text as the first task of a game of 12 would print it, with the
// game's state put back afterwards.
std::string generatedText(int taskNumber)
{
    const int savedIndex = taskIndex, savedCount = taskCount, savedCorrect = correctCount;
    const auto savedSolution = solution, savedSolution2 = solution2, savedTarget = target;
    const auto savedDecimal = decimalSolution;
    const int savedKind = answerKind, savedChoice = choiceMode, savedRelation = relationOp,
              savedPlaces = decimalPlaces, savedOptions = optionCount, savedDistractor = firstDistractorSlot;
    const double savedRatio = progressRatio;
    const unsigned int savedRandom = aorand_state();
    aoDrawTarget* savedDrawTarget = aographic_gettarget();

    // Tasks with a picture draw it; drawing clips, so one pixel takes it all.
    aoPixmap scratch;
    scratch.width = 1;
    scratch.height = 1;
    std::string text;
    if (aopxmap_allocate(&scratch)) {
        aopxmap_clear(&scratch, 0xFFFFFF);
        aographic_settarget(&scratch);
        TaskPrinter savedPrinter = catalog_setprinter([&text](const std::string& cp1252) { text += cp1252; });
        taskCount = 12;
        correctCount = 0;
        taskIndex = 1;
        presetGameStart();
        presetTask(taskIndex);
        aosrand(kTitleSeed);
        generateTask(taskNumber);
        catalog_setprinter(std::move(savedPrinter));
    }

    aographic_settarget(savedDrawTarget);
    aosrand(savedRandom);
    taskIndex = savedIndex;
    taskCount = savedCount;
    correctCount = savedCorrect;
    solution = savedSolution;
    solution2 = savedSolution2;
    target = savedTarget;
    decimalSolution = savedDecimal;
    answerKind = savedKind;
    choiceMode = savedChoice;
    relationOp = savedRelation;
    decimalPlaces = savedPlaces;
    optionCount = savedOptions;
    firstDistractorSlot = savedDistractor;
    progressRatio = savedRatio;
    return ao_cp1252_to_utf8(text);
}

} // namespace

std::string titleFromText(std::string_view text)
{
    for (const std::vector<std::string>& clause : clauses(text)) {
        if (clause.size() < 2) continue;
        std::vector<std::string_view> title;
        size_t length = 0;
        for (const std::string& w : clause) {
            const size_t grown = length + (title.empty() ? 0 : 1) + letters(w);
            if (title.size() == kMaxWords || grown > kMaxLetters) break;
            title.push_back(w);
            length = grown;
        }
        while (!title.empty() &&
               std::find(std::begin(kWeakEnds), std::end(kWeakEnds), title.back()) != std::end(kWeakEnds))
            title.pop_back();
        if (title.size() < 2) continue;
        std::string joined;
        for (std::string_view w : title) joined += (joined.empty() ? "" : " ") + std::string(w);
        return joined;
    }
    return {};
}

const std::string& taskTitle(int taskNumber)
{
    static std::map<int, std::string> cache;
    static const std::string none;
    if (!isTaskNumber(taskNumber) || !familyBuilt(taskFamily(taskNumber))) return none;
    auto it = cache.find(taskNumber);
    if (it != cache.end()) return it->second;
    std::string title = fromTable(taskNumber);
    if (title.empty()) title = titleFromText(generatedText(taskNumber));
    if (title.empty()) title = std::string("Aufgabe ") + std::to_string(taskEntry(taskNumber));
    return cache.emplace(taskNumber, std::move(title)).first->second;
}
