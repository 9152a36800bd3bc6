// The rows of answer squares: the solution in slot 1, distractors around it,
// then de-duplicated and shuffled or sorted. Pure functions of the task
// record and the random stream, so the quiz and the catalog tool agree.
#pragma once

#include <array>
#include <functional>
#include <limits>
#include <string>

#include "catalog.h"

constexpr int kRowSlots = 7; // slots 1..6, slot 0 unused
using IntRow = std::array<int, kRowSlots>;
using DecimalRow = std::array<double, kRowSlots>;

// Per taskIndex, like the rest of the task record.
extern std::array<IntRow, kTaskSlots> options;
extern std::array<IntRow, kTaskSlots> options2;
extern std::array<DecimalRow, kTaskSlots> decimalOptions;
extern int offsetSeed;

// rand() mod (2 * count) - count.
int drawOffsetSeed(int count);

// The builders. `row[1]` holds the value the row must keep (the solution)
// before they are called; they fill slots 2..count (Numbering: 1..6).
// Builders that take no sign use +1, -1, +1, ... for slots 2, 3, 4, ...
void buildNear(IntRow& row, int v, int offset, int count);
void buildNearSmall(IntRow& row, int v, int offset, int count, int level);
// A run of `count` values `step` apart holding v at a place drawn from the
// offset; under a v of `lowest` or more none goes below `lowest`, over a v
// of `highest` or less none above `highest`.
void buildRun(IntRow& row, int v, int offset, int count, int step, int lowest,
              int highest = std::numeric_limits<int>::max());
// A run at the Consecutive step (consecutiveStep).
void buildConsecutive(IntRow& row, int v, int offset, int count, int lowest = 0,
                      int highest = std::numeric_limits<int>::max());
void buildScaled(IntRow& row, int v, int offset, int firstSlot, int count);
// The primes around v (never v), v at a place drawn among them.
void buildPrimes(IntRow& row, int v, int count);
void buildNumbering(IntRow& row);
// Up to 10 Decimal A steps by `unit` (1 unless a range needs finer steps).
void buildDecimalA(DecimalRow& row, double d, int count, double unit = 1);
void buildDecimalB(DecimalRow& row, double d, int offset, int count);
// The steps of the runs: Consecutive 1; from 20 up (and -20 down) 5 for a
// multiple of 5 and 10 for a multiple of 10; 10 from 51 up (and -51 down).
// Decimal B 1 (0.1 below 1), 5 above 50, 10 above 500 and so on.
int consecutiveStep(int v);
double decimalStepB(double d);
// Task 1312: the solution, then the other numbers of 1..6 in order.
void buildDice(IntRow& row, int v);

// These work on slots 1..count only: with fewer squares than six, a value
// moved into a slot that is not drawn would take the solution off screen.
// maxRaise is 12 for first rows and decimal rows, 24 for second rows.
void dedupRow(IntRow& row, int maxRaise, int count = 6);
void dedupRow(DecimalRow& row, int maxRaise, int count = 6);
void shuffleRow(IntRow& row, int count = 6);
void shuffleRow(DecimalRow& row, int count = 6);
void sortRow(IntRow& row, int count = 6);
void sortRow(DecimalRow& row, int count = 6);

// A first-row value that solves the printed task besides the solution. The
// generator of such a task sets it; presetTask clears it. Squares never
// show such a value, so a pupil who solved the task right is never told
// otherwise.
extern std::function<bool(int)> alsoRight;

// The largest value a first-row square may show, where the task names a
// whole that its answer is a part of ("Sieben Achtel von 88"): a square
// above it could not be the answer. The generator sets it; presetTask
// resets it to INT_MAX.
extern int answerCeiling;

// The printed text of a decimal square, with a decimal comma ("-0,00" reads as "0,00"), by which
// decimal squares are told apart.
std::string decimalText(double value, int places);

// The values a square of the task may show in the first (or decimal) row,
// and the smallest in the second row: a size is never negative, an angle of
// a figure lies strictly between 0 and 180 degrees, a denominator (and the
// second number of a pick-two task) is 1 or more.
struct PlausibleRange {
    double lowest;
    double highest;
};
PlausibleRange plausibleFirstRow(int taskNumber);
int lowestSecondRow(int kind);

// Which squares a task got and how they are judged.
enum class AnswerRows {
    None,       // no squares, no judging
    Integer,    // one row of whole numbers (or the three choice squares)
    Decimal,    // one row of decimals
    TwoRows,    // options and options2, two clicks
};

// Draws offsetSeed and builds the rows of the current taskIndex as the
// dispatch by level, difficulty and answerKind says.
AnswerRows buildAnswerRows(int level, int difficulty, int taskNumber);

// The row kinds the dispatch knows for a level and difficulty, without
// building anything.
AnswerRows answerRowsFor(int level, int difficulty, int kind);

// A task whose question is a choice among the squares shown ("Welche der
// Zahlen ...", "Wähle aus jeder Reihe ..."): typing an answer makes no sense
// there, so it keeps its squares when answers are typed. Reads relationOp
// of the current task.
bool answerPicksFromSquares(int taskNumber);
