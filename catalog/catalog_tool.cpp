#include "catalog_tool.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "answer_rows.h"
#include "catalog.h"
#include "squares.h"
#include "titles.h"

namespace {

const char* const kUsage =
    "usage: ziffron-catalog --list [--titles]\n"
    "       ziffron-catalog --task N [--seed S] [--picture FILE.bmp [--squares]]\n"
    "       ziffron-catalog --explain N [--seed S]\n"
    "       ziffron-catalog --worksheet FILE.pdf --level L --difficulty D [--count N] [--seed S]\n"
    "                       [--tasks LIST] [--date YYYY-MM-DD] [--key solutions|steps]\n"
    "       ziffron-catalog --help\n"
    "\n"
    "  --list            print the task numbers of the catalog, one per line\n"
    "  --titles          with --list: each number followed by the task type's title\n"
    "  --task N          generate task N as the first task of a game of 12 tasks\n"
    "                    and print the task record and answer rows as JSON\n"
    "  --explain N       print task N and its Lösungsweg as plain text\n"
    "  --seed S          seed the random generator with S (0..4294967295, default 1)\n"
    "  --picture FILE    also write the task area (1280 x 720) as a BMP file\n"
    "  --squares         with the answer squares on top, as the game shows them\n"
    "  --worksheet FILE  write a printable A4 worksheet (PDF) with an answer key\n"
    "  --level L         the worksheet's level, 1..12\n"
    "  --difficulty D    the worksheet's difficulty, 1..3\n"
    "  --count N         tasks on the worksheet, 1..24 (default 12)\n"
    "                    (without --seed a worksheet draws a fresh seed and prints it\n"
    "                    in its footer: \"Blatt 4-3-81723\" is --seed 81723)\n"
    "  --tasks LIST      draw only from these task numbers, e.g. 4301,4305-4308\n"
    "  --date DATE       the date in the worksheet's header (default today)\n"
    "  --key steps       the answer key with each task's worked solution\n"
    "                    (default: solutions only)\n"
    "  --help            show this text\n";

bool parseInteger(const std::string& text, long long& value)
{
    if (text.empty())
        return false;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last;
}

std::string jsonNumber(double v)
{
    if (!std::isfinite(v))
        return "null";
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    if (ec != std::errc())
        return "null";
    return std::string(buffer, end);
}

template <typename Row> std::string jsonRow(const Row& row, bool built)
{
    if (!built)
        return "null";
    std::string s = "[";
    for (int k = 1; k < kRowSlots; ++k) {
        if (k > 1)
            s += ", ";
        if constexpr (std::is_same_v<Row, DecimalRow>)
            s += jsonNumber(row[k]);
        else
            s += std::to_string(row[k]);
    }
    return s + "]";
}

} // namespace

std::string jsonString(const std::string& utf8)
{
    std::string s = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': s += "\\\""; break;
        case '\\': s += "\\\\"; break;
        case '\n': s += "\\n"; break;
        case '\r': s += "\\r"; break;
        case '\t': s += "\\t"; break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                s += escape;
            } else {
                s += static_cast<char>(c);
            }
        }
    }
    return s + "\"";
}

namespace {

bool parseRange(const std::string& text, long long low, long long high, long long& value)
{
    return parseInteger(text, value) && value >= low && value <= high;
}

// "4301,4305-4308": numbers and inclusive ranges, in the order given.
bool parseTaskList(const std::string& text, std::vector<int>& tasks, std::string& error)
{
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        const std::string item = text.substr(start, comma - start);
        const size_t dash = item.find('-', 1);
        long long first = 0, last = 0;
        const bool ok = dash == std::string::npos
                            ? parseRange(item, 0, 99999, first) && (last = first, true)
                            : parseRange(item.substr(0, dash), 0, 99999, first) &&
                                  parseRange(item.substr(dash + 1), 0, 99999, last) && first <= last;
        if (!ok) {
            error = "--tasks: not a task number or range: \"" + item + "\"";
            return false;
        }
        for (long long n = first; n <= last; ++n)
            tasks.push_back(static_cast<int>(n));
        start = comma + 1;
    }
    return true;
}

bool validDate(const std::string& text)
{
    long long year = 0, month = 0, day = 0;
    return text.size() == 10 && text[4] == '-' && text[7] == '-' && parseRange(text.substr(0, 4), 1900, 9999, year) &&
           parseRange(text.substr(5, 2), 1, 12, month) && parseRange(text.substr(8, 2), 1, 31, day);
}

} // namespace

std::optional<CatalogToolArgs> parseCatalogArgs(const std::vector<std::string>& args,
                                                std::string& error)
{
    CatalogToolArgs parsed;
    bool worksheetOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // An option's value; an option in its place means the value was
        // forgotten ("--worksheet --level 4"), which is said as such.
        auto value = [&](const char* name) -> const std::string* {
            if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
                const bool file = a == "--worksheet" || a == "--picture";
                error = std::string(name) + (file ? " needs a file name" : " needs a value");
                if (i + 1 < args.size()) error += " before " + args[i + 1];
                return nullptr;
            }
            return &args[++i];
        };
        // A whole number in low..high for the option `a`.
        auto number = [&](long long low, long long high, long long& out) {
            const std::string* v = value(a.c_str());
            if (!v)
                return false;
            if (!parseRange(*v, low, high, out)) {
                error = a + ": not a number in " + std::to_string(low) + ".." + std::to_string(high) + ": " + *v;
                return false;
            }
            return true;
        };
        // A non-empty file name for the option `a`.
        auto file = [&](std::string& out) {
            const std::string* v = value(a.c_str());
            if (!v)
                return false;
            if (v->empty()) {
                error = a + " needs a file name";
                return false;
            }
            out = *v;
            return true;
        };
        long long n = 0;
        if (a == "--help" || a == "-h") {
            parsed.help = true;
        } else if (a == "--list") {
            parsed.list = true;
        } else if (a == "--titles") {
            parsed.titles = true;
        } else if (a == "--task" || a == "--explain") {
            parsed.explain = a == "--explain";
            const std::string* v = value(a.c_str());
            if (!v)
                return std::nullopt;
            if (!parseInteger(*v, parsed.task)) {
                error = a + ": not a number: " + *v;
                return std::nullopt;
            }
            parsed.haveTask = true;
        } else if (a == "--seed") {
            if (!number(0, 4294967295LL, n))
                return std::nullopt;
            parsed.seed = static_cast<unsigned int>(n);
            parsed.seedGiven = true;
        } else if (a == "--picture") {
            if (!file(parsed.picture))
                return std::nullopt;
        } else if (a == "--squares") {
            parsed.squares = true;
        } else if (a == "--worksheet") {
            if (!file(parsed.worksheet))
                return std::nullopt;
        } else if (a == "--level" || a == "--difficulty" || a == "--count") {
            const bool level = a == "--level", difficulty = a == "--difficulty";
            if (!number(1, level ? kLevels : difficulty ? kDifficulties : kMaxTasks, n))
                return std::nullopt;
            (level ? parsed.level : difficulty ? parsed.difficulty : parsed.count) = static_cast<int>(n);
            worksheetOnly = true;
        } else if (a == "--tasks") {
            const std::string* v = value("--tasks");
            if (!v || !parseTaskList(*v, parsed.tasks, error))
                return std::nullopt;
            worksheetOnly = true;
        } else if (a == "--date") {
            const std::string* v = value("--date");
            if (!v)
                return std::nullopt;
            if (!validDate(*v)) {
                error = "--date: not a date YYYY-MM-DD: " + *v;
                return std::nullopt;
            }
            parsed.date = *v;
            worksheetOnly = true;
        } else if (a == "--key") {
            const std::string* v = value("--key");
            if (!v)
                return std::nullopt;
            if (*v != "solutions" && *v != "steps") {
                error = "--key: solutions or steps, not " + *v;
                return std::nullopt;
            }
            parsed.key = *v == "steps" ? CatalogToolArgs::Key::Steps : CatalogToolArgs::Key::Solutions;
            worksheetOnly = true;
        } else if (a.rfind("-", 0) != 0) {
            // A word where an option belongs: a value too many, or one whose option was left out.
            error = "\"" + a + "\" is not an option";
            if (i > 0) error += " (after " + args[i - 1] + "; each option takes at most one value)";
            return std::nullopt;
        } else {
            error = "unknown argument: " + a;
            return std::nullopt;
        }
    }
    if (parsed.help)
        return parsed;
    const bool worksheet = !parsed.worksheet.empty();
    if (parsed.list + parsed.haveTask + worksheet != 1) {
        error = parsed.list || parsed.haveTask || worksheet ? "--list, --task and --worksheet exclude each other"
                                                            : "nothing to do";
        return std::nullopt;
    }
    if (parsed.titles && !parsed.list) {
        error = "--titles goes with --list";
        return std::nullopt;
    }
    if (parsed.explain && !parsed.picture.empty()) {
        error = "--picture goes with --task";
        return std::nullopt;
    }
    if (!parsed.haveTask && !parsed.picture.empty()) {
        error = "--picture goes with --task";
        return std::nullopt;
    }
    if (parsed.squares && parsed.picture.empty()) {
        error = "--squares needs --picture";
        return std::nullopt;
    }
    if (parsed.list && parsed.seedGiven) {
        error = "--seed goes with --task or --worksheet";
        return std::nullopt;
    }
    if (!worksheet && worksheetOnly) {
        error = "--level, --difficulty, --count, --tasks, --date and --key go with --worksheet";
        return std::nullopt;
    }
    if (worksheet && (parsed.level == 0 || parsed.difficulty == 0)) {
        error = "--worksheet needs --level and --difficulty";
        return std::nullopt;
    }
    for (int t : parsed.tasks)
        if (taskLevel(t) != parsed.level || taskDifficulty(t) != parsed.difficulty) {
            error = "--tasks: " + std::to_string(t) + " is not of level " + std::to_string(parsed.level) +
                    ", difficulty " + std::to_string(parsed.difficulty);
            return std::nullopt;
        }
    return parsed;
}

namespace {

std::string trimmed(const std::string& s)
{
    const size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

} // namespace

// The squares' printed texts, and the solution as its square shows it.
void describeSquares(AnswerRows rows, ToolTask& task)
{
    const SquareLayout layout = SquareLayout::current(rows);
    auto text = [&](int row, int column) { return trimmed(squareText(layout, {row, column})); };
    task.squares.clear();
    task.key.clear();
    task.keyText.clear();
    for (int row = 1; row <= layout.rowCount(); ++row) {
        // Rows without a label of their own are named as the terminal names them.
        std::string caption = trimmed(layout.rowLabel(row));
        if (caption.empty() && layout.rowCount() == 2) caption = row == 1 ? "1. Reihe" : "2. Reihe";
        ToolTask::SquareRow r{caption, {}};
        for (int c = 0; c < layout.columns(); ++c) r.labels.push_back(text(row, c));
        task.squares.push_back(std::move(r));
    }
    if (rows == AnswerRows::None || layout.columns() == 0) {
        task.key = "(ohne Antwortfelder)";
    } else if (rows == AnswerRows::Decimal && !layout.compareMode()) {
        task.key = trimmed(decimalSquareText(decimalSolution[taskIndex], decimalPlaces));
    } else if (layout.rowCount() == 2) {
        // Every pair of squares that is judged right.
        for (int a = 0; a < layout.columns(); ++a)
            for (int b = 0; b < layout.columns(); ++b)
                if (pairAnswersRight(squareValue(layout, {1, a}), squareValue(layout, {2, b}))) {
                    const std::string pair = task.squares[0].caption + " " + text(1, a) + ", " +
                                             task.squares[1].caption + " " + text(2, b);
                    if (task.key.find(pair) != std::string::npos) continue;
                    task.key += (task.key.empty() ? "" : " oder ") + pair;
                    task.keyText += (task.keyText.empty() ? "" : " oder ") + pairAnswerText(text(1, a), text(2, b), "/");
                }
    } else {
        for (int c = 0; c < layout.columns() && task.key.empty(); ++c)
            if (squareValue(layout, {1, c}) == solution[taskIndex]) task.key = text(1, c);
    }
    // A solution no square shows is still the solution; say it plainly.
    if (task.key.empty()) task.key = std::to_string(solution[taskIndex]);
    if (task.keyText.empty()) task.keyText = task.key;
}

bool generateToolTask(int taskNumber, int index, int count, ToolTask& task, std::string& error)
{
    if (!isTaskNumber(taskNumber)) {
        error = "task " + std::to_string(taskNumber) + ": not a task number of the catalog";
        return false;
    }
    if (!familyBuilt(taskFamily(taskNumber))) {
        error = "task " + std::to_string(taskNumber) + ": family not built yet";
        return false;
    }
    taskCount = count;
    correctCount = index - 1;
    taskIndex = index;
    presetTask(taskIndex);

    // Tasks that draw find the task area as the current target, as in the game.
    task = ToolTask{};
    task.number = taskNumber;
    task.area.width = kAreaWidth;
    task.area.height = kAreaHeight;
    if (!aopxmap_allocate(&task.area)) {
        error = "cannot make the task area";
        return false;
    }
    aopxmap_clear(&task.area, 0xFFFFFF);
    aoDrawTarget* previousTarget = aographic_gettarget();
    aoRecorder recorder(task.area);
    aographic_settarget(&recorder);
    // The game's fonts, and the one its task area holds for this level.
    aofont_loadbuiltins();
    selectTaskFont(taskLevel(taskNumber));
    std::string text;
    TaskPrinter previousPrinter = catalog_setprinter([&text](const std::string& cp1252) { text += cp1252; });
    generateTask(taskNumber);
    task.rows = buildAnswerRows(taskLevel(taskNumber), taskDifficulty(taskNumber), taskNumber);
    // The caller's printer and target as they were (a game keeps printing to its terminal).
    catalog_setprinter(std::move(previousPrinter));
    aographic_settarget(previousTarget);
    task.drawing = recorder.commands();
    task.drawingStandsAlone = recorder.standsAlone();

    task.text = ao_cp1252_to_utf8(text);
    task.drew = false;
    const std::vector<uint32_t> white(kAreaWidth, 0xFFFFFF);
    for (int y = 0; y < kAreaHeight && !task.drew; ++y)
        task.drew = std::memcmp(task.area.row(y), white.data(), kAreaWidth * sizeof(uint32_t)) != 0;
    describeSquares(task.rows, task);
    task.steps = taskSteps[taskIndex];
    return true;
}

bool worksheetTasks(const CatalogToolArgs& args, std::vector<ToolTask>& tasks, std::string& error)
{
    const int level = args.level, difficulty = args.difficulty;
    catalog_filltables();
    const int entries = std::min(entryCount[level][difficulty], kSelectionSlots);
    if (!args.tasks.empty()) {
        for (int e = 1; e <= kSelectionSlots; ++e)
            selection[level][difficulty][e] = 0;
        for (int t : args.tasks) {
            if (!isTaskNumber(t) || taskEntry(t) > entries) {
                error = "task " + std::to_string(t) + ": not a task number of the catalog";
                return false;
            }
            selection[level][difficulty][taskEntry(t)] = taskEntry(t);
        }
    }
    if (entries == 0) {
        error = "level " + std::to_string(level) + ", difficulty " + std::to_string(difficulty) + " has no tasks";
        return false;
    }

    aosrand(args.seed);
    presetGameStart();
    tasks.clear();
    for (int index = 1; index <= args.count; ++index) {
        // As the game draws an entry: at random among the selected ones.
        int entry = 0;
        if (entries == 1) {
            entry = selection[level][difficulty][1];
        } else {
            do {
                entry = selection[level][difficulty][aorand() % entries + 1];
            } while (entry == 0);
        }
        ToolTask task;
        if (!generateToolTask(level * 1000 + difficulty * 100 + entry, index, args.count, task, error))
            return false;
        tasks.push_back(std::move(task));
    }
    return true;
}

int runCatalogTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const WorksheetWriter& worksheet)
{
    std::string error;
    std::optional<CatalogToolArgs> parsed = parseCatalogArgs(args, error);
    if (!parsed) {
        err << "ziffron-catalog: " << error << "\n" << kUsage;
        return 2;
    }
    if (parsed->help) {
        out << kUsage;
        return 0;
    }
    if (parsed->list) {
        for (int n : allTaskNumbers())
            out << n << (parsed->titles ? " " + taskTitle(n) : "") << "\n";
        return 0;
    }
    if (!parsed->worksheet.empty()) {
        if (!worksheet) {
            err << "ziffron-catalog: this build cannot write worksheets\n";
            return 2;
        }
        return worksheet(*parsed, out, err);
    }

    long long number = parsed->task;
    if (number < 0 || number > 99999 || !isTaskNumber(static_cast<int>(number))) {
        err << "task " << number << ": not a task number of the catalog\n";
        return 2;
    }
    const int taskNumber = static_cast<int>(number);
    if (!familyBuilt(taskFamily(taskNumber))) {
        err << "task " << taskNumber << ": family not built yet\n";
        return 3;
    }

    // The first task of a game of 12 tasks, as the game loop presets it.
    catalog_filltables();
    presetGameStart();
    aosrand(parsed->seed);
    ToolTask task;
    if (!generateToolTask(taskNumber, 1, 12, task, error)) {
        err << "ziffron-catalog: " << error << "\n";
        return 2;
    }

    if (parsed->explain) {
        // Layout blanks and empty lines of the terminal text are left out.
        out << "Aufgabe " << taskNumber << " (" << taskTitle(taskNumber) << "), Startwert " << parsed->seed << "\n\n";
        size_t start = 0;
        while (start < task.text.size()) {
            size_t end = task.text.find('\n', start);
            if (end == std::string::npos) end = task.text.size();
            const std::string line = trimmed(task.text.substr(start, end - start));
            if (!line.empty()) out << "  " << line << "\n";
            start = end + 1;
        }
        for (const ToolTask::SquareRow& row : task.squares) {
            out << "\n  " << (row.caption.empty() ? "Antwortfelder" : row.caption) << ":";
            for (const std::string& label : row.labels) out << "  " << label;
        }
        out << "\n\nLösung: " << task.keyText << "\n\nLösungsweg:\n";
        for (const std::string& step : task.steps) out << "  " << step << "\n";
        if (task.steps.empty()) out << "  (keiner)\n";
        return 0;
    }

    std::string steps = "[";
    for (const std::string& step : task.steps) steps += (steps.size() > 1 ? ", " : "") + jsonString(step);
    steps += "]";

    bool intRow = task.rows == AnswerRows::Integer || task.rows == AnswerRows::TwoRows;
    out << "{\n"
        << "  \"task\": " << taskNumber << ",\n"
        << "  \"seed\": " << parsed->seed << ",\n"
        << "  \"text\": " << jsonString(task.text) << ",\n"
        << "  \"answerKind\": " << answerKind << ",\n"
        << "  \"choiceMode\": " << choiceMode << ",\n"
        << "  \"relationOp\": " << relationOp << ",\n"
        << "  \"decimalPlaces\": " << decimalPlaces << ",\n"
        << "  \"optionCount\": " << optionCount << ",\n"
        << "  \"firstDistractorSlot\": " << firstDistractorSlot << ",\n"
        << "  \"solution\": " << solution[taskIndex] << ",\n"
        << "  \"solution2\": " << solution2[taskIndex] << ",\n"
        << "  \"target\": " << target[taskIndex] << ",\n"
        << "  \"decimalSolution\": " << jsonNumber(decimalSolution[taskIndex]) << ",\n"
        << "  \"options\": " << jsonRow(options[taskIndex], intRow) << ",\n"
        << "  \"options2\": " << jsonRow(options2[taskIndex], task.rows == AnswerRows::TwoRows) << ",\n"
        << "  \"decimalOptions\": " << jsonRow(decimalOptions[taskIndex], task.rows == AnswerRows::Decimal) << ",\n"
        << "  \"steps\": " << steps << "\n}\n";

    if (parsed->squares) {
        aoDrawTarget* previousTarget = aographic_gettarget();
        aographic_settarget(&task.area);
        drawAnswerSquares(SquareLayout::current(task.rows));
        aographic_settarget(previousTarget);
    }
    if (!parsed->picture.empty() && !aopxmap_savetofile_bmp(&task.area, parsed->picture.c_str())) {
        err << "ziffron-catalog: cannot write " << parsed->picture << "\n";
        return 1;
    }
    return 0;
}
