#include "catalog_tool.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "answer_rows.h"
#include "catalog.h"

namespace {

const char* const kUsage =
    "usage: ziffron-catalog --list\n"
    "       ziffron-catalog --task N [--seed S] [--picture FILE.bmp]\n"
    "       ziffron-catalog --help\n"
    "\n"
    "  --list            print the task numbers of the catalog, one per line\n"
    "  --task N          generate task N as the first task of a game of 12 tasks\n"
    "                    and print the task record and answer rows as JSON\n"
    "  --seed S          seed the random generator with S (0..4294967295, default 1)\n"
    "  --picture FILE    also write the task area (1280 x 720) as a BMP file\n"
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

std::optional<CatalogToolArgs> parseCatalogArgs(const std::vector<std::string>& args,
                                                std::string& error)
{
    CatalogToolArgs parsed;
    bool haveSeed = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* name) -> const std::string* {
            if (i + 1 >= args.size()) {
                error = std::string(name) + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        if (a == "--help" || a == "-h") {
            parsed.help = true;
        } else if (a == "--list") {
            parsed.list = true;
        } else if (a == "--task") {
            const std::string* v = value("--task");
            if (!v)
                return std::nullopt;
            if (!parseInteger(*v, parsed.task)) {
                error = "--task: not a number: " + *v;
                return std::nullopt;
            }
            parsed.haveTask = true;
        } else if (a == "--seed") {
            const std::string* v = value("--seed");
            if (!v)
                return std::nullopt;
            long long seed = 0;
            if (!parseInteger(*v, seed) || seed < 0 || seed > 4294967295LL) {
                error = "--seed: not a number in 0..4294967295: " + *v;
                return std::nullopt;
            }
            parsed.seed = static_cast<unsigned int>(seed);
            haveSeed = true;
        } else if (a == "--picture") {
            const std::string* v = value("--picture");
            if (!v)
                return std::nullopt;
            if (v->empty()) {
                error = "--picture needs a file name";
                return std::nullopt;
            }
            parsed.picture = *v;
        } else {
            error = "unknown argument: " + a;
            return std::nullopt;
        }
    }
    if (parsed.help)
        return parsed;
    if (parsed.list == parsed.haveTask) {
        error = parsed.list ? "--list and --task exclude each other" : "nothing to do";
        return std::nullopt;
    }
    if (parsed.list && (haveSeed || !parsed.picture.empty())) {
        error = "--seed and --picture go with --task";
        return std::nullopt;
    }
    return parsed;
}

int runCatalogTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
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
            out << n << "\n";
        return 0;
    }

    long long number = parsed->task;
    if (number < 0 || number > 99999 || !isTaskNumber(static_cast<int>(number))) {
        err << "task " << number << ": not a task number of the catalog\n";
        return 2;
    }
    int taskNumber = static_cast<int>(number);
    if (!familyBuilt(taskFamily(taskNumber))) {
        err << "task " << taskNumber << ": family not built yet\n";
        return 3;
    }

    // The first task of a game of 12 tasks, as the game loop presets it.
    catalog_filltables();
    taskCount = 12;
    correctCount = 0;
    taskIndex = 1;
    presetGameStart();
    presetTask(taskIndex);

    // Tasks that draw find the task area as the current target, as in the game.
    aoPixmap area;
    area.width = 1280;
    area.height = 720;
    if (!aopxmap_allocate(&area)) {
        err << "ziffron-catalog: cannot make the task area\n";
        return 2;
    }
    aopxmap_clear(&area, 0xFFFFFF);
    aoDrawTarget* previousTarget = aographic_gettarget();
    aographic_settarget(&area);

    std::string text;
    catalog_setprinter([&text](const std::string& cp1252) { text += cp1252; });

    aosrand(parsed->seed);
    generateTask(taskNumber);
    AnswerRows rows = buildAnswerRows(taskLevel(taskNumber), taskDifficulty(taskNumber), taskNumber);
    catalog_setprinter(nullptr);
    aographic_settarget(previousTarget);

    bool intRow = rows == AnswerRows::Integer || rows == AnswerRows::TwoRows;
    out << "{\n"
        << "  \"task\": " << taskNumber << ",\n"
        << "  \"seed\": " << parsed->seed << ",\n"
        << "  \"text\": " << jsonString(ao_cp1252_to_utf8(text)) << ",\n"
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
        << "  \"options2\": " << jsonRow(options2[taskIndex], rows == AnswerRows::TwoRows) << ",\n"
        << "  \"decimalOptions\": " << jsonRow(decimalOptions[taskIndex], rows == AnswerRows::Decimal)
        << "\n}\n";

    if (!parsed->picture.empty() && !aopxmap_savetofile_bmp(&area, parsed->picture.c_str())) {
        err << "ziffron-catalog: cannot write " << parsed->picture << "\n";
        return 2;
    }
    return 0;
}
