// Task numbers: level * 1000 + difficulty * 100 + entry, and which family
// specifies which number.
#include <algorithm>

#include "catalog.h"

int entryCount[kLevels + 1][kDifficulties + 1];
int selection[kLevels + 1][kDifficulties + 1][kSelectionSlots + 1];

namespace {

constexpr int kGroupSize[kLevels + 1][kDifficulties + 1] = {
    {0, 0, 0, 0},   {0, 5, 5, 17},  {0, 5, 5, 9},   {0, 7, 24, 14}, {0, 15, 15, 7},
    {0, 22, 17, 13}, {0, 7, 7, 12}, {0, 18, 8, 27}, {0, 13, 11, 16}, {0, 6, 7, 10},
    {0, 7, 10, 10}, {0, 12, 12, 13}, {0, 14, 10, 11},
};

struct Range {
    int first, last;
    TaskFamily family;
};

// Every task number belongs to exactly one range (the tests check this).
constexpr Range kFamilies[] = {
    // Whole numbers, signed numbers, operation chains.
    {1101, 1105, TaskFamily::Arithmetic}, {1201, 1205, TaskFamily::Arithmetic},
    {2101, 2105, TaskFamily::Arithmetic}, {2201, 2205, TaskFamily::Arithmetic},
    {2301, 2309, TaskFamily::Arithmetic}, {3101, 3102, TaskFamily::Arithmetic},
    {3223, 3224, TaskFamily::Arithmetic}, {4101, 4101, TaskFamily::Arithmetic},
    {4104, 4104, TaskFamily::Arithmetic}, {4201, 4201, TaskFamily::Arithmetic},
    {4204, 4204, TaskFamily::Arithmetic}, {7301, 7312, TaskFamily::Arithmetic},
    {7315, 7327, TaskFamily::Arithmetic}, {9101, 9106, TaskFamily::Arithmetic},
    {9201, 9207, TaskFamily::Arithmetic}, {10101, 10107, TaskFamily::Arithmetic},
    // Fractions and decimals.
    {4102, 4103, TaskFamily::Fraction}, {4105, 4115, TaskFamily::Fraction},
    {4202, 4203, TaskFamily::Fraction}, {4205, 4215, TaskFamily::Fraction},
    {4301, 4307, TaskFamily::Fraction}, {5105, 5118, TaskFamily::Fraction},
    {5203, 5217, TaskFamily::Fraction}, {6306, 6306, TaskFamily::Fraction},
    {6308, 6308, TaskFamily::Fraction}, {7103, 7104, TaskFamily::Fraction},
    // Units, percent, interest, proportion.
    {3201, 3222, TaskFamily::Units}, {5201, 5202, TaskFamily::Units},
    {5301, 5313, TaskFamily::Units}, {7101, 7102, TaskFamily::Units},
    {7107, 7118, TaskFamily::Units}, {7201, 7208, TaskFamily::Units},
    // Word problems and number puzzles.
    {1301, 1317, TaskFamily::Word}, {3104, 3106, TaskFamily::Word},
    {3301, 3314, TaskFamily::Word}, {5101, 5104, TaskFamily::Word},
    {5119, 5122, TaskFamily::Word}, {6301, 6305, TaskFamily::Word},
    {6307, 6307, TaskFamily::Word}, {6309, 6312, TaskFamily::Word},
    {7313, 7314, TaskFamily::Word}, {12301, 12311, TaskFamily::Word},
    // Terms and equations.
    {6201, 6207, TaskFamily::Terms}, {8101, 8113, TaskFamily::Terms},
    {8201, 8211, TaskFamily::Terms}, {10201, 10210, TaskFamily::Terms},
    {10301, 10310, TaskFamily::Terms}, {11101, 11112, TaskFamily::Terms},
    {11301, 11313, TaskFamily::Terms}, {12101, 12114, TaskFamily::Terms},
    // Read from a chart, graph, figure or urn.
    {3103, 3103, TaskFamily::Picture}, {3107, 3107, TaskFamily::Picture},
    {6101, 6107, TaskFamily::Picture}, {7105, 7106, TaskFamily::Picture},
    {8301, 8316, TaskFamily::Picture}, {9301, 9310, TaskFamily::Picture},
    {11201, 11212, TaskFamily::Picture}, {12201, 12210, TaskFamily::Picture},
};

} // namespace

int catalog_groupsize(int level, int difficulty)
{
    if (level < 1 || level > kLevels || difficulty < 1 || difficulty > kDifficulties)
        return 0;
    return kGroupSize[level][difficulty];
}

void catalog_filltables()
{
    for (int l = 0; l <= kLevels; ++l)
        for (int d = 0; d <= kDifficulties; ++d) {
            entryCount[l][d] = catalog_groupsize(l, d);
            for (int e = 0; e <= kSelectionSlots; ++e)
                selection[l][d][e] = (e >= 1 && e <= entryCount[l][d]) ? e : 0;
        }
}

bool isTaskNumber(int taskNumber)
{
    if (taskNumber <= 0)
        return false;
    int entry = taskEntry(taskNumber);
    return entry >= 1 && entry <= catalog_groupsize(taskLevel(taskNumber), taskDifficulty(taskNumber));
}

std::vector<int> allTaskNumbers()
{
    std::vector<int> numbers;
    for (int l = 1; l <= kLevels; ++l)
        for (int d = 1; d <= kDifficulties; ++d)
            for (int e = 1; e <= kGroupSize[l][d]; ++e)
                numbers.push_back(l * 1000 + d * 100 + e);
    return numbers; // ascending: the entry never reaches 100
}

TaskFamily taskFamily(int taskNumber)
{
    if (!isTaskNumber(taskNumber))
        return TaskFamily::None;
    for (const Range& r : kFamilies)
        if (taskNumber >= r.first && taskNumber <= r.last)
            return r.family;
    return TaskFamily::None;
}

const char* taskFamilyName(TaskFamily family)
{
    switch (family) {
    case TaskFamily::Arithmetic: return "arithmetic";
    case TaskFamily::Fraction: return "fraction";
    case TaskFamily::Units: return "units";
    case TaskFamily::Word: return "word";
    case TaskFamily::Terms: return "terms";
    case TaskFamily::Picture: return "picture";
    case TaskFamily::None: break;
    }
    return "none";
}
