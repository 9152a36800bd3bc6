#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalog_test_util.h"
#include "catalog_tool.h"
#include "illustrations.h"
#include "squares.h"

namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun tool(std::vector<std::string> args)
{
    std::ostringstream out, err;
    int status = runCatalogTool(args, out, err);
    return {status, out.str(), err.str()};
}

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

} // namespace

TEST(CatalogTool, ListsAllNumbers)
{
    ToolRun r = tool({"--list"});
    EXPECT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::vector<int> numbers;
    for (std::string line; std::getline(lines, line);)
        numbers.push_back(std::stoi(line));
    EXPECT_EQ(numbers, allTaskNumbers());
    EXPECT_EQ(numbers.size(), 421u);
}

TEST(CatalogTool, TaskAsJson)
{
    ToolRun r = tool({"--task", "1101", "--seed", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // Worked by hand: 33 - 4 = 29, offset -4, sorted row.
    EXPECT_TRUE(contains(r.out, "\"task\": 1101,"));
    EXPECT_TRUE(contains(r.out, "\"seed\": 1,"));
    EXPECT_TRUE(contains(r.out, "\"text\": \"\\n\\n\\n\\n 33   -   4  = ??\","));
    EXPECT_TRUE(contains(r.out, "\"solution\": 29,"));
    EXPECT_TRUE(contains(r.out, "\"solution2\": -1000000,"));
    EXPECT_TRUE(contains(r.out, "\"optionCount\": 6,"));
    EXPECT_TRUE(contains(r.out, "\"firstDistractorSlot\": 2,"));
    EXPECT_TRUE(contains(r.out, "\"options\": [21, 23, 26, 28, 29, 30],"));
    EXPECT_TRUE(contains(r.out, "\"options2\": null,"));
    EXPECT_TRUE(contains(r.out, "\"decimalOptions\": null"));
    EXPECT_EQ(r.out.front(), '{');
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "}\n");
}

TEST(CatalogTool, UmlautsComeOutAsUtf8)
{
    ToolRun r = tool({"--task", "2202", "--seed", "1"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.out, "W\xC3\xA4hle aus jeder Reihe eine Zahl "));
    EXPECT_TRUE(contains(r.out, "\"answerKind\": 1,"));
    EXPECT_TRUE(contains(r.out, "\"relationOp\": 3,"));
    EXPECT_TRUE(contains(r.out, "\"options2\": [3, 5, 8, 9, 10, 12],"));
}

TEST(CatalogTool, DecimalTask)
{
    ToolRun r = tool({"--task", "7323", "--seed", "1"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.out, "\"decimalSolution\": 1,"));
    EXPECT_TRUE(contains(r.out, "\"decimalPlaces\": 2,"));
    EXPECT_TRUE(contains(r.out, "\"options\": null,"));
    EXPECT_TRUE(contains(r.out, "\"decimalOptions\": ["));
}

TEST(CatalogTool, NumbersOutsideTheCatalog)
{
    for (const char* n : {"1106", "0", "13101", "-4", "123456789012"}) {
        ToolRun r = tool({"--task", n, "--seed", "1"});
        EXPECT_EQ(r.status, 2) << n;
        EXPECT_TRUE(contains(r.err, std::string("task ") + n)) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

// Every family is built, so a number the tool refuses is one outside the catalog.
TEST(CatalogTool, NotATaskNumber)
{
    ToolRun r = tool({"--task", "1106", "--seed", "1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "task 1106: not a task number of the catalog\n");
    EXPECT_EQ(r.out, "");
}

TEST(CatalogTool, BrokenArguments)
{
    const std::vector<std::vector<std::string>> broken = {
        {},
        {"--task"},
        {"--task", "abc"},
        {"--task", "11o1"},
        {"--task", ""},
        {"--task", "1101", "--seed"},
        {"--task", "1101", "--seed", "x"},
        {"--task", "1101", "--seed", "-1"},
        {"--task", "1101", "--seed", "4294967296"},
        {"--task", "1101", "--picture"},
        {"--task", "1101", "--picture", ""},
        {"--list", "--task", "1101"},
        {"--list", "--seed", "3"},
        {"--frobnicate"},
        {"1101"},
        {"--task", "1101", "--squares"},
        {"--list", "--squares"},
        {"--list", "--picture", "x.bmp"},
        {"--task", "1101", "--level", "4"},
        {"--worksheet", "w.pdf"},
        {"--worksheet", "w.pdf", "--level", "4"},
        {"--worksheet", "", "--level", "4", "--difficulty", "3"},
        {"--worksheet", "w.pdf", "--task", "4301", "--level", "4", "--difficulty", "3"},
        {"--worksheet", "w.pdf", "--level", "13", "--difficulty", "3"},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "0"},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--count", "25"},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--count", "0"},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--tasks", ""},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--tasks", "4301,"},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--tasks", "4305-4301"},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--tasks", "4301-"},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--tasks", "5301"},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--date", "2026-13-01"},
        {"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--date", "7.12.2026"},
    };
    for (const auto& args : broken) {
        ToolRun r = tool(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_TRUE(contains(r.err, "usage: ziffron-catalog")) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

// A slip on the command line is named as the slip it is.
TEST(CatalogTool, SlipsAreNamed)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> slips = {
        {{"--worksheet", "--level", "4", "--difficulty", "3"}, "--worksheet needs a file name before --level"},
        {{"--task", "1101", "--picture", "--squares"}, "--picture needs a file name before --squares"},
        {{"--task", "--seed", "3"}, "--task needs a value before --seed"},
        {{"--task", "1101", "--seed", "3", "4"}, "\"4\" is not an option (after 3;"},
        {{"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--key", "all"}, "--key: solutions or steps"},
    };
    for (const auto& [args, message] : slips) {
        ToolRun r = tool(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(contains(r.err, message)) << r.err;
    }
    std::string error;
    auto parsed = parseCatalogArgs({"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3", "--key", "steps"}, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->key, CatalogToolArgs::Key::Steps);
    EXPECT_FALSE(parsed->seedGiven);
}

TEST(CatalogTool, HelpAndDefaults)
{
    ToolRun r = tool({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.out, "--picture"));
    std::string error;
    auto parsed = parseCatalogArgs({"--task", "9203"}, error);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->seed, 1u);
    parsed = parseCatalogArgs({"--seed", "4294967295", "--task", "9203"}, error);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->seed, 4294967295u);
}

TEST(CatalogTool, JsonStrings)
{
    EXPECT_EQ(jsonString("a\"b\\c\n\t\x01"), "\"a\\\"b\\\\c\\n\\t\\u0001\"");
    EXPECT_EQ(jsonString("\xC3\xA4"), "\"\xC3\xA4\"");
}

TEST(CatalogTool, PictureOfTheTaskArea)
{
    std::filesystem::path file = std::filesystem::temp_directory_path() / "ziffron-catalog-test.bmp";
    std::filesystem::remove(file);
    ToolRun r = tool({"--task", "1101", "--seed", "1", "--picture", file.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    aoPixmap picture;
    std::string err;
    ASSERT_TRUE(aobmp_decode(bytes.data(), bytes.size(), &picture, err)) << err;
    EXPECT_EQ(picture.width, 1280);
    EXPECT_EQ(picture.height, 720);
    EXPECT_EQ(aopxmap_getpixel(&picture, 640, 360), 0xFFFFFF); // arithmetic tasks draw nothing
    std::filesystem::remove(file);

    r = tool({"--task", "1101", "--seed", "1", "--picture", "/nonexistent-dir/x.bmp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "cannot write"));
}

TEST(CatalogTool, WorksheetArguments)
{
    std::string error;
    auto parsed = parseCatalogArgs({"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3"}, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->count, 12);
    EXPECT_EQ(parsed->seed, 1u);
    EXPECT_TRUE(parsed->tasks.empty());
    EXPECT_EQ(parsed->date, "");
    parsed = parseCatalogArgs({"--level", "4", "--difficulty", "3", "--count", "24", "--seed", "9", "--tasks",
                               "4301,4305-4307", "--date", "2026-12-07", "--worksheet", "w.pdf"},
                              error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->worksheet, "w.pdf");
    EXPECT_EQ(parsed->count, 24);
    EXPECT_EQ(parsed->seed, 9u);
    EXPECT_EQ(parsed->tasks, (std::vector<int>{4301, 4305, 4306, 4307}));
    EXPECT_EQ(parsed->date, "2026-12-07");

    // Without a PDF writer (the library alone) the tool says so instead of pretending.
    ToolRun r = tool({"--worksheet", "w.pdf", "--level", "4", "--difficulty", "3"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, "cannot write worksheets"));
}

TEST(CatalogTool, WorksheetTasksFollowTheSeedAndTheList)
{
    CatalogToolArgs args;
    args.level = 4, args.difficulty = 3, args.count = 24, args.seed = 5;
    std::vector<ToolTask> a, b;
    std::string error;
    ASSERT_TRUE(worksheetTasks(args, a, error)) << error;
    ASSERT_TRUE(worksheetTasks(args, b, error)) << error;
    ASSERT_EQ(a.size(), 24u);
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(taskLevel(a[i].number) * 10 + taskDifficulty(a[i].number), 43);
        EXPECT_EQ(a[i].number, b[i].number);
        EXPECT_EQ(a[i].text, b[i].text);
        EXPECT_EQ(a[i].key, b[i].key);
        EXPECT_EQ(a[i].area.pixels, b[i].area.pixels);
    }
    args.tasks = {4302, 4304};
    ASSERT_TRUE(worksheetTasks(args, a, error)) << error;
    for (const ToolTask& t : a)
        EXPECT_TRUE(t.number == 4302 || t.number == 4304) << t.number;

    args.tasks = {4399};
    EXPECT_FALSE(worksheetTasks(args, a, error));
    EXPECT_EQ(error, "task 4399: not a task number of the catalog");
}

// The answer key is what one of the squares shows (both rows for two-part
// answers), for every task type.
TEST(CatalogTool, KeyIsOnTheSquaresForEveryTask)
{
    catalog_filltables();
    // The caller's printer is its own again after each task.
    static std::string printed; // outlives the test, as the printer may
    printed.clear();
    catalog_setprinter([](const std::string& text) { printed += text; });
    for (int number : allTaskNumbers()) {
        presetGameStart();
        aosrand(3);
        ToolTask t;
        std::string error;
        ASSERT_TRUE(generateToolTask(number, 1, 12, t, error)) << error;
        ASSERT_FALSE(t.squares.empty()) << number;
        ASSERT_FALSE(t.key.empty()) << number;
        auto onRow = [&](size_t row, const std::string& label) {
            const auto& labels = t.squares[row].labels;
            return std::find(labels.begin(), labels.end(), label) != labels.end();
        };
        if (t.squares.size() == 1) {
            EXPECT_TRUE(onRow(0, t.key)) << number << ": key " << t.key;
            continue;
        }
        // "Zähler 3, Nenner 4 oder ...": every named pair is on the rows.
        const std::string first = t.squares[0].caption + " ", second = ", " + t.squares[1].caption + " ";
        size_t at = 0;
        do {
            const size_t a = t.key.find(first, at), b = t.key.find(second, at);
            ASSERT_TRUE(a == at && b != std::string::npos) << number << ": key " << t.key;
            size_t end = t.key.find(" oder ", b);
            EXPECT_TRUE(onRow(0, t.key.substr(a + first.size(), b - a - first.size()))) << number << ": " << t.key;
            EXPECT_TRUE(onRow(1, t.key.substr(b + second.size(), end == std::string::npos ? end : end - b - second.size())))
                << number << ": " << t.key;
            at = end == std::string::npos ? end : end + 6;
        } while (at != std::string::npos);
    }
    EXPECT_TRUE(catalog_setprinter(nullptr)) << "the caller's printer was dropped";
    EXPECT_TRUE(printed.empty()) << "task texts went to the caller's printer";
}

namespace {

aoPixmap preview(std::vector<std::string> args)
{
    std::filesystem::path file = std::filesystem::temp_directory_path() / "ziffron-catalog-preview.bmp";
    args.insert(args.end(), {"--picture", file.string()});
    ToolRun r = tool(args);
    EXPECT_EQ(r.status, 0) << r.err;
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(file);
    aoPixmap picture;
    std::string err;
    EXPECT_TRUE(aobmp_decode(bytes.data(), bytes.size(), &picture, err)) << err;
    return picture;
}

} // namespace

// The preview draws with the game's fonts: the numbers left of the y axis
// keep their minus signs (a short black dash in the middle rows of the
// number's first 9 x 15 cell), which fallback fonts lost.
TEST(CatalogTool, PreviewKeepsTheMinusSigns)
{
    aoPixmap p = preview({"--task", "6101", "--seed", "7"});
    ASSERT_EQ(p.width, 1280);
    for (int i = 1; i <= 3; ++i) {
        const int x0 = originX - 5 * i * static_cast<int>(scaleX) - 12, y0 = originY + 10;
        int longest = 0;
        for (int y = y0 + 4; y < y0 + 11; ++y)
            for (int x = x0, run = 0; x < x0 + 9; ++x) {
                run = aopxmap_getpixel(&p, x, y) == 0 ? run + 1 : 0;
                longest = std::max(longest, run);
            }
        EXPECT_GE(longest, 4) << "no minus sign before -" << 5 * i;
    }
}

TEST(CatalogTool, PreviewWithSquaresAsTheGameDrawsThem)
{
    const aoPixmap plain = preview({"--task", "1101", "--seed", "1"});
    const aoPixmap squares = preview({"--task", "1101", "--seed", "1", "--squares"});
    const SquareLayout layout = SquareLayout::current(AnswerRows::Integer);
    ASSERT_EQ(layout.columns(), 6);
    for (int c = 0; c < 6; ++c) {
        const SquareRect r = layout.drawn({1, c});
        EXPECT_EQ(aopxmap_getpixel(&plain, r.x + 2, r.y + 2), 0xFFFFFF);
        EXPECT_EQ(aopxmap_getpixel(&squares, r.x + 2, r.y + 2), 0xFFFF00) << c;
    }
}
