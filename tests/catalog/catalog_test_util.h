// Shared set-up for the catalog tests: a fresh record, a captured terminal.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "answer_rows.h"
#include "catalog.h"

struct GeneratedTask {
    std::string text; // UTF-8
    int solution = 0;
    int solution2 = 0;
    int target = 0;
    double decimalSolution = 0;
};

// The first task of a game of 12, seeded with `seed`, as the game presets it.
inline void resetRecord()
{
    taskCount = 12;
    correctCount = 0;
    taskIndex = 1;
    solution.fill(0);
    solution2.fill(0);
    target.fill(0);
    decimalSolution.fill(0);
    relationOp = 0;
    presetGameStart();
    presetTask(taskIndex);
}

inline GeneratedTask runTask(int taskNumber, unsigned int seed)
{
    resetRecord();
    std::string cp1252;
    catalog_setprinter([&cp1252](const std::string& t) { cp1252 += t; });
    aosrand(seed);
    generateTask(taskNumber);
    catalog_setprinter(nullptr);
    GeneratedTask g;
    g.text = ao_cp1252_to_utf8(cp1252);
    g.solution = solution[taskIndex];
    g.solution2 = solution2[taskIndex];
    g.target = target[taskIndex];
    g.decimalSolution = decimalSolution[taskIndex];
    return g;
}

inline bool has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// Whether one of the shown squares (slots 1..optionCount) holds v.
template <typename Row, typename V> bool rowHas(const Row& row, V v)
{
    for (int i = 1; i <= optionCount; ++i)
        if (row[i] == v)
            return true;
    return false;
}

namespace catalogtest {

// Signed whole numbers and decimals in a text; a '-' counts as a sign only
// when a digit follows.
inline std::vector<double> numbersIn(const std::string& text)
{
    std::vector<double> out;
    for (size_t i = 0; i < text.size();) {
        bool sign = text[i] == '-' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]));
        if (!sign && !std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        size_t end = i + 1;
        while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                     (text[end] == '.' && end + 1 < text.size() &&
                                      std::isdigit(static_cast<unsigned char>(text[end + 1])))))
            ++end;
        out.push_back(std::stod(text.substr(i, end - i)));
        i = end;
    }
    return out;
}

// School notation back in the ASCII forms the test readers parse: the
// decimal comma between digits as a point, "·" as "*", "7²", "7³" and
// "7 hoch 4" as "7^2", "7^3", "7^4".
inline std::string plainNotation(std::string text)
{
    for (size_t i = 1; i + 1 < text.size(); ++i)
        if (text[i] == ',' && std::isdigit(static_cast<unsigned char>(text[i - 1])) &&
            std::isdigit(static_cast<unsigned char>(text[i + 1])))
            text[i] = '.';
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"·", "*"}, {"²", "^2"}, {"³", "^3"}, {" hoch ", "^"}})
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, from.size(), to);
    return text;
}

} // namespace catalogtest

// A Lösungsweg read and recomputed by hand: the lines task `task` with
// `seed` must write.
struct StepsExample {
    int task;
    unsigned seed;
    std::vector<std::string> steps;
};

template <size_t N> void expectSteps(const StepsExample (&examples)[N])
{
    for (const StepsExample& e : examples) {
        runTask(e.task, e.seed);
        EXPECT_EQ(taskSteps[taskIndex], e.steps) << e.task << " seed " << e.seed;
    }
}
