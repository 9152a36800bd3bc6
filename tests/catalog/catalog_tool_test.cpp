#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalog_test_util.h"
#include "catalog_tool.h"

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
    };
    for (const auto& args : broken) {
        ToolRun r = tool(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_TRUE(contains(r.err, "usage: ziffron-catalog")) << r.err;
        EXPECT_EQ(r.out, "");
    }
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
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, "cannot write"));
}
