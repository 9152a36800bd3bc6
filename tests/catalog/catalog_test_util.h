// Shared set-up for the catalog tests: a fresh record, a captured terminal.
#pragma once

#include <string>

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
