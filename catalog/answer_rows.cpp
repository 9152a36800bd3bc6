// Building the rows of answer squares.
#include "answer_rows.h"

#include <utility>

std::array<IntRow, kTaskSlots> options{};
std::array<IntRow, kTaskSlots> options2{};
std::array<DecimalRow, kTaskSlots> decimalOptions{};
int offsetSeed = 0;

namespace {

constexpr int kPrimes[] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37,
                           41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89};

// Distractors alternate above and below the solution.
int signOf(int slot) { return slot % 2 == 0 ? 1 : -1; }

int lastSlot(int count) { return count < kRowSlots - 1 ? count : kRowSlots - 1; }

} // namespace

int drawOffsetSeed(int count)
{
    if (count <= 0)
        return 0;
    return aorand() % (2 * count) - count;
}

void buildNear(IntRow& row, int v, int o, int count)
{
    for (int k = 2; k <= lastSlot(count); ++k) {
        int s = signOf(k);
        int x;
        if (v < 51) {
            x = v + o + (k - 1) * s;
            if (x == row[1])
                x = v + o + k * s;
        } else {
            x = aorand() % 4 + v + 10 * o + (10 * k - 10) * s - 2;
            if (x == row[1])
                x = v + 10 * o + 10 * k * s;
        }
        row[k] = x < 0 ? -x : x;
    }
}

void buildNearSmall(IntRow& row, int v, int o, int count, int level)
{
    for (int k = 2; k <= lastSlot(count); ++k) {
        int s = signOf(k);
        int x = v + o + (k - 1) * s;
        if (level < 6) {
            if (x == row[1])
                x = v + o + k * s;
            if (x < 0)
                x = -x;
        } else if (x < 0) {
            x *= s;
        }
        row[k] = x;
    }
}

void buildConsecutive(IntRow& row, int v, int o, int count)
{
    for (int k = 2; k <= lastSlot(count); ++k) {
        int x = v < 51 ? v + o + k - 1 : v + 10 * o + 10 * k - 10;
        row[k] = x < 1 ? 2 * v : x;
    }
}

void buildScaled(IntRow& row, int v, int o, int firstSlot, int count)
{
    for (int k = firstSlot < 2 ? 2 : firstSlot; k <= lastSlot(count); ++k) {
        int t = (k - 1) * signOf(k);
        int x = v + o + t;
        if (v >= 10) x = v + 2 * o + 2 * t;
        if (v >= 20) x = v + 2 * o + 5 * t;
        if (v >= 50) x = v + 2 * o + 10 * t;
        if (v >= 100) x = v + 10 * o + 20 * t;
        if (v >= 1000) x = v + 100 * o + 200 * t;
        if (v >= 100000) x = v + 1000 * o + 1000 * t;
        if (v >= 1000000) x = v + 10000 * o + 10000 * t;
        if (v < -9) x = v - 2 * o - 2 * t;
        if (v < -99) x = v - 10 * o - 10 * t;
        if (v < -999) x = v - 100 * o - 100 * t;
        if (v <= -100000) x = v - 1000 * o - 1000 * t;
        if (v < -999999) x = v - 10000 * o - 10000 * t;
        row[k] = x;
    }
}

void buildPrimes(IntRow& row, int count)
{
    int p = 2 + aorand() % 11;
    for (int k = 2; k <= lastSlot(count); ++k)
        row[k] = kPrimes[p + k];
}

void buildNumbering(IntRow& row)
{
    for (int k = 1; k < kRowSlots; ++k)
        row[k] = k;
}

void buildDice(IntRow& row, int v)
{
    row[1] = v;
    int k = 2;
    for (int n = 1; n <= 6 && k < kRowSlots; ++n)
        if (n != v)
            row[k++] = n;
}

namespace {

// One rule of the decimal builders: step by `step` times u, or by
// `fallback` times u when that lands on the solution.
double decimalStep(const DecimalRow& row, double d, double u, double step, double fallback)
{
    double x = d + step * u;
    return x == row[1] ? d + fallback * u : x;
}

} // namespace

void buildDecimalA(DecimalRow& row, double d, int count)
{
    for (int k = 2; k <= lastSlot(count); ++k) {
        double u = k * signOf(k);
        double x = d + u;
        if (d > 10) x = decimalStep(row, d, u, 5, 2);
        if (d > 50) x = decimalStep(row, d, u, 5, 10);
        if (d > 500) x = decimalStep(row, d, u, 10, 100);
        if (d > 5000) x = decimalStep(row, d, u, 100, 300);
        if (d > 50000) x = decimalStep(row, d, u, 500, 1000);
        if (d > 500000) x = decimalStep(row, d, u, 1000, 10000);
        row[k] = x;
    }
}

void buildDecimalB(DecimalRow& row, double d, int count)
{
    for (int k = 2; k <= lastSlot(count); ++k) {
        double u = -k; // the sign stays -1 here
        double x = d + u;
        if (d > 50) x = decimalStep(row, d, u, 5, 1);
        if (d > 500) x = decimalStep(row, d, u, 10, 5);
        if (d > 500) x = decimalStep(row, d, u, 10, 10);
        if (d > 5000) x = decimalStep(row, d, u, 100, 100);
        if (d > 50000) x = decimalStep(row, d, u, 500, 100);
        if (d > 500000) x = decimalStep(row, d, u, 1000, 1000);
        row[k] = x < 0 ? -x : x;
    }
}

namespace {

int clampCount(int count) { return count < 1 ? 1 : lastSlot(count); }

template <typename Row> void dedup(Row& row, int maxRaise, int count)
{
    // Slot 1 is never raised, so the solution stays in the row.
    for (int pass = 0; pass < 17; ++pass)
        for (int a = 1; a <= count; ++a)
            for (int b = a + 1; b <= count; ++b)
                if (row[a] == row[b])
                    row[b] += 1 + aorand() % maxRaise;
}

template <typename Row> void shuffle(Row& row, int count)
{
    for (int i = 0; i < 6; ++i) {
        int a = aorand() % count + 1;
        int b = aorand() % count + 1;
        std::swap(row[a], row[b]);
    }
}

template <typename Row> void sortAscending(Row& row, int count)
{
    for (int pass = 0; pass < 11; ++pass)
        for (int a = 1; a <= count; ++a)
            for (int b = a + 1; b <= count; ++b)
                if (row[b] < row[a])
                    std::swap(row[a], row[b]);
}

} // namespace

void dedupRow(IntRow& row, int maxRaise, int count) { dedup(row, maxRaise, clampCount(count)); }
void dedupRow(DecimalRow& row, int maxRaise, int count) { dedup(row, maxRaise, clampCount(count)); }
void shuffleRow(IntRow& row, int count) { shuffle(row, clampCount(count)); }
void shuffleRow(DecimalRow& row, int count) { shuffle(row, clampCount(count)); }
void sortRow(IntRow& row, int count) { sortAscending(row, clampCount(count)); }
void sortRow(DecimalRow& row, int count) { sortAscending(row, clampCount(count)); }

namespace {

// Level and difficulty groups that share one line of the dispatch.
bool inGeneralGroup(int level, int difficulty)
{
    switch (level) {
    case 4:
    case 5:
    case 6: return difficulty == 2 || difficulty == 3;
    case 7:
    case 8:
    case 12: return true;
    case 9: return difficulty == 1 || difficulty == 2;
    case 11: return difficulty == 3;
    default: return false;
    }
}

bool inScaledGroup(int level, int difficulty)
{
    return level == 10 || (level == 11 && (difficulty == 1 || difficulty == 2));
}

// Kinds 0, 3 and 4 as most groups take them.
AnswerRows commonKinds(int kind)
{
    switch (kind) {
    case 0: return AnswerRows::Integer;
    case 3: return AnswerRows::TwoRows;
    case 4: return AnswerRows::Decimal;
    default: return AnswerRows::None;
    }
}

} // namespace

AnswerRows answerRowsFor(int level, int difficulty, int kind)
{
    if (level == 1 || (level == 2 && difficulty != 2))
        return kind == 0 ? AnswerRows::Integer : AnswerRows::None;
    if (level == 2 && difficulty == 2)
        return kind == 0 ? AnswerRows::Integer : kind == 1 ? AnswerRows::TwoRows : AnswerRows::None;
    if (level == 3 && (difficulty == 1 || difficulty == 2))
        return commonKinds(kind);
    if ((level == 3 && difficulty == 3) || (level == 4 && difficulty == 1))
        return kind == 4 ? AnswerRows::None : commonKinds(kind);
    if (level == 5 && difficulty == 1)
        return commonKinds(kind);
    if (level == 6 && difficulty == 1)
        return kind == 2 ? AnswerRows::TwoRows : commonKinds(kind);
    if (level == 9 && difficulty == 3) {
        if (kind == 6)
            return AnswerRows::Integer;
        if (kind >= 7 && kind <= 9)
            return AnswerRows::TwoRows;
        return commonKinds(kind);
    }
    if (level == 12 && difficulty == 3 && kind == 5)
        return AnswerRows::Decimal;
    if (inGeneralGroup(level, difficulty) || inScaledGroup(level, difficulty))
        return commonKinds(kind);
    return AnswerRows::None;
}

namespace {

// Rows start clean, so nothing of an earlier task at the same index shows
// in squares that the builders leave alone.
template <typename Row> void startRow(Row& row, typename Row::value_type first)
{
    row.fill(0);
    row[1] = first;
}

// The second row unless a kind says otherwise: Near, small on the second
// solution, de-duplicated and sorted.
void buildSecondRow(int level, int kind)
{
    IntRow& row = options2[taskIndex];
    int v = solution2[taskIndex];
    offsetSeed = drawOffsetSeed(optionCount);
    startRow(row, v);
    if (kind == 7)
        buildNumbering(row);
    else if (kind == 8 || kind == 9)
        buildNear(row, v, offsetSeed, optionCount);
    else
        buildNearSmall(row, v, offsetSeed, optionCount, level);
    dedupRow(row, 24, optionCount);
    sortRow(row, optionCount);
}

void decimalRow(bool variantB)
{
    DecimalRow& row = decimalOptions[taskIndex];
    double d = decimalSolution[taskIndex];
    startRow(row, d);
    if (variantB)
        buildDecimalB(row, d, optionCount);
    else
        buildDecimalA(row, d, optionCount);
    dedupRow(row, 12, optionCount);
    shuffleRow(row, optionCount);
}

void firstIntegerRow(int level, int difficulty, int taskNumber, int kind)
{
    IntRow& row = options[taskIndex];
    int v = solution[taskIndex];
    int o = offsetSeed;
    startRow(row, v);

    if (level == 1 && difficulty == 3) {
        if (taskNumber == 1312)
            buildDice(row, v);
        else
            buildNear(row, v, o, optionCount);
        shuffleRow(row, optionCount);
        return;
    }
    if (level == 1 || (level == 2 && difficulty != 2)) {
        buildNear(row, v, o, optionCount);
        dedupRow(row, 12, optionCount);
        if (difficulty == 1)
            sortRow(row, optionCount);
        else
            shuffleRow(row, optionCount);
        return;
    }
    if (level == 2 && difficulty == 2) {
        buildNearSmall(row, v, o, optionCount, level);
        dedupRow(row, 12, optionCount);
        sortRow(row, optionCount);
        return;
    }
    if (level == 3 && difficulty == 3) {
        if (v < 3)
            buildConsecutive(row, v, o, optionCount);
        else
            buildNear(row, v, o, optionCount);
        dedupRow(row, 12, optionCount);
        sortRow(row, optionCount);
        return;
    }
    if (level == 4 && difficulty == 1) {
        if (taskNumber == 4102 || taskNumber == 4103) {
            buildPrimes(row, optionCount);
        } else {
            buildNear(row, v, o, optionCount);
            dedupRow(row, 12, optionCount);
        }
        shuffleRow(row, optionCount);
        return;
    }
    if (level == 5 && difficulty == 1 && kind == 0 && (taskNumber == 5102 || taskNumber == 5103)) {
        buildPrimes(row, optionCount);
        dedupRow(row, 12, optionCount);
        shuffleRow(row, optionCount);
        return;
    }
    if (level == 9 && difficulty == 3) {
        if (kind == 6) {
            buildNumbering(row);
            shuffleRow(row, optionCount);
            return;
        }
        if (kind == 7) {
            buildNumbering(row);
        } else if (kind == 8 || kind == 9) {
            buildNear(row, v, o, optionCount);
        } else if (kind == 0) {
            buildScaled(row, v, o, firstDistractorSlot, optionCount);
        } else {
            buildConsecutive(row, v, o, optionCount);
        }
        dedupRow(row, 12, optionCount);
        shuffleRow(row, optionCount);
        return;
    }
    if (inScaledGroup(level, difficulty) && kind == 0)
        buildScaled(row, v, o, firstDistractorSlot, optionCount);
    else
        buildConsecutive(row, v, o, optionCount);
    dedupRow(row, 12, optionCount);
    shuffleRow(row, optionCount);
}

} // namespace

AnswerRows buildAnswerRows(int level, int difficulty, int taskNumber)
{
    offsetSeed = drawOffsetSeed(optionCount);
    int kind = answerKind;
    AnswerRows rows = answerRowsFor(level, difficulty, kind);
    switch (rows) {
    case AnswerRows::None: break;
    case AnswerRows::Decimal:
        // Kind 5 and the decimal answers of the lower levels step downwards only.
        decimalRow(kind == 5 || level == 3);
        break;
    case AnswerRows::Integer: firstIntegerRow(level, difficulty, taskNumber, kind); break;
    case AnswerRows::TwoRows:
        firstIntegerRow(level, difficulty, taskNumber, kind);
        buildSecondRow(level, kind);
        break;
    }
    return rows;
}
