// The task catalog: numbering of the task types, the task record the
// generator fills and answer entry reads, and the generator itself.
// Plain process-wide state, as the rest of the quiz.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "aotoolkit.h"

// ---------------------------------------------------------------- numbering

constexpr int kLevels = 12;
constexpr int kDifficulties = 3;
constexpr int kSelectionSlots = 30;
constexpr int kTaskTypes = 421;

// Entries per (level, difficulty); index 0 unused on both axes. Filled by
// catalog_filltables().
extern int entryCount[kLevels + 1][kDifficulties + 1];
// selection[level][difficulty][entry], entry 1..30: the entry number when it
// may be played, 0 when deselected.
extern int selection[kLevels + 1][kDifficulties + 1][kSelectionSlots + 1];

// Fills entryCount and selects every entry (slots above the count are 0).
void catalog_filltables();

// The fixed group sizes, independent of the tables above.
int catalog_groupsize(int level, int difficulty);
bool isTaskNumber(int taskNumber);
// All 421 task numbers, ascending.
std::vector<int> allTaskNumbers();
inline int taskLevel(int taskNumber) { return taskNumber / 1000; }
inline int taskDifficulty(int taskNumber) { return taskNumber / 100 % 10; }
inline int taskEntry(int taskNumber) { return taskNumber % 100; }

enum class TaskFamily { None, Arithmetic, Fraction, Units, Word, Terms, Picture };
TaskFamily taskFamily(int taskNumber);
const char* taskFamilyName(TaskFamily family);
// True when the family's generator is part of this build.
bool familyBuilt(TaskFamily family);

// ---------------------------------------------------------------- task record

constexpr int kMaxTasks = 24;
constexpr int kTaskSlots = kMaxTasks + 1; // indexed 1..24

// Game progress the generator reads; the game loop keeps them current.
extern int taskIndex;    // 1-based position of the current task
extern int taskCount;    // tasks in the game
extern int correctCount; // right answers so far

extern std::array<int, kTaskSlots> solution;
extern std::array<int, kTaskSlots> solution2;
extern std::array<int, kTaskSlots> target;
extern std::array<double, kTaskSlots> decimalSolution;

extern int answerKind;
extern int choiceMode;
extern int relationOp;
extern int decimalPlaces;
extern int optionCount;
extern int firstDistractorSlot;

extern double progressRatio;

// The worked solution (Lösungsweg) of each task: 1 to 5 short UTF-8 lines in
// school notation that the family generator writes from the numbers it drew,
// the last ending in the solution as its square shows it. Writing them draws
// no random numbers. presetTask clears the slot.
extern std::array<std::vector<std::string>, kTaskSlots> taskSteps;
// Appends one line (printf-style, UTF-8) to the steps of the current task.
void taskStep(const char* format, ...) AO_PRINTF(1, 2);

// The shared fraction reduceFraction() works on.
extern int fracNum;
extern int fracDen;
void reduceFraction();

// What the game loop sets before a game and before each task.
void presetGameStart();
void presetTask(int index);

// correctCount / taskCount, 0 for an empty game.
double computeProgressRatio();

// ---------------------------------------------------------------- generator

// Prints the task into the terminal sink, draws any illustration into the
// current drawing target and fills the record at taskIndex. Numbers outside
// the catalog (and families not built yet) leave everything untouched.
void generateTask(int taskNumber);

// Task texts are formatted from UTF-8 literals (and UTF-8 %s arguments) and
// handed to the sink as Windows-1252 bytes, converted once after formatting.
using TaskPrinter = std::function<void(const std::string& cp1252)>;
// Returns the printer it replaces, so a caller can put it back.
TaskPrinter catalog_setprinter(TaskPrinter printer);
void taskPrintf(const char* format, ...) AO_PRINTF(1, 2);

// a = k..m in the catalog's notation: rand() mod (m - k + 1) + k.
int drawRange(int k, int m);
