// Building the rows of answer squares.
#include "answer_rows.h"
#include "squares.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>
#include <utility>

std::array<IntRow, kTaskSlots> options{};
std::array<IntRow, kTaskSlots> options2{};
std::array<DecimalRow, kTaskSlots> decimalOptions{};
int offsetSeed = 0;
std::function<bool(int)> alsoRight;
int answerCeiling = std::numeric_limits<int>::max();

namespace {

constexpr int kPrimes[] = {2,   3,   5,   7,   11,  13,  17,  19,  23,  29,  31,  37,  41,  43,  47,
                           53,  59,  61,  67,  71,  73,  79,  83,  89,  97,  101, 103, 107, 109, 113,
                           127, 131, 137, 139, 149, 151, 157, 163, 167, 173, 179, 181, 191, 193, 197};
constexpr int kPrimeCount = static_cast<int>(sizeof kPrimes / sizeof kPrimes[0]);

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

int consecutiveStep(int v)
{
    // From 20 up a round answer among unround squares would stand out.
    bool large = v >= 20 || v <= -20;
    if (v >= 51 || v <= -51 || (large && v % 10 == 0))
        return 10;
    return large && v % 5 == 0 ? 5 : 1;
}

namespace {

// Where the solution stands in a run of `n` squares: drawn from the offset,
// so every place is as likely; a solution of `lowest` or more keeps every
// square of its run there. A solution at `lowest` itself can only be the
// smallest, so one with less room below than the run needs is never put at
// the bottom: over a type the smallest square stays near chance.
int placeInRun(int o, int n, double v, double step, double lowest,
               double highest = std::numeric_limits<double>::infinity())
{
    int p = ((o % n) + n) % n;
    if (v >= lowest) {
        double room = std::floor((v - lowest) / step + 1e-9);
        if (room < n - 1)
            p = room < 1 ? 0 : std::clamp(p, 1, static_cast<int>(room));
    }
    // The same under a ceiling, from the top.
    if (v <= highest) {
        double room = std::floor((highest - v) / step + 1e-9);
        if (room < n - 1)
            p = room < 1 ? n - 1 : std::clamp(p, n - 1 - static_cast<int>(room), n - 2);
    }
    return p;
}

} // namespace

void buildRun(IntRow& row, int v, int o, int count, int step, int lowest, int highest)
{
    // A run of squares one step apart with the solution somewhere inside,
    // never at its end more often than chance: a run beside the solution
    // would set it apart.
    int n = lastSlot(count);
    if (n < 2)
        return;
    int p = placeInRun(o, n, v, step, lowest, highest);
    int k = 2;
    for (int j = 0; j < n && k <= n; ++j)
        if (j != p)
            row[k++] = v + (j - p) * step;
}

void buildConsecutive(IntRow& row, int v, int o, int count, int lowest, int highest)
{
    buildRun(row, v, o, count, consecutiveStep(v), lowest, highest);
}

void buildScaled(IntRow& row, int v, int o, int firstSlot, int count)
{
    // From 20 up the shift by 2o is rounded as the solution is: a multiple
    // of 5 among unround squares would stand out.
    int round = v >= 20 && v % 10 == 0 ? 10 : v >= 20 && v % 5 == 0 ? 5 : 1;
    int shift = round * (2 * o / round);
    for (int k = firstSlot < 2 ? 2 : firstSlot; k <= lastSlot(count); ++k) {
        int t = (k - 1) * signOf(k);
        int x = v + o + t;
        if (v >= 10) x = v + 2 * o + 2 * t;
        if (v >= 20) x = v + shift + 5 * t;
        if (v >= 50) x = v + shift + 10 * t;
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

void buildPrimes(IntRow& row, int v, int count)
{
    // The primes next to v, v at a drawn place among them: primes from a
    // table offset far from v would leave v the odd one out.
    int n = lastSlot(count);
    int place = aorand() % (n < 1 ? 1 : n);
    int above = 0;
    while (above < kPrimeCount && kPrimes[above] <= v)
        ++above;
    int below = above > 0 && kPrimes[above - 1] == v ? above - 1 : above; // primes under v
    int from = below - std::min(place, below);
    from = std::max(0, std::min(from, kPrimeCount - (n - 1) - (above - below)));
    int k = 2;
    for (int i = from; k <= n && i < kPrimeCount; ++i)
        if (kPrimes[i] != v)
            row[k++] = kPrimes[i];
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

void buildDecimalA(DecimalRow& row, double d, int count, double unit)
{
    for (int k = 2; k <= lastSlot(count); ++k) {
        double u = k * signOf(k);
        double x = d + u * unit;
        if (d > 10) x = decimalStep(row, d, u, 5, 2);
        if (d > 50) x = decimalStep(row, d, u, 5, 10);
        if (d > 500) x = decimalStep(row, d, u, 10, 100);
        if (d > 5000) x = decimalStep(row, d, u, 100, 300);
        if (d > 50000) x = decimalStep(row, d, u, 500, 1000);
        if (d > 500000) x = decimalStep(row, d, u, 1000, 10000);
        row[k] = x;
    }
}

double decimalStepB(double d)
{
    double step = 1;
    if (d >= 0 && d < 1) step = 0.1; // a step of 1 would leave no room below
    if (d > 50) step = 5;
    if (d > 500) step = 10;
    if (d > 5000) step = 100;
    if (d > 50000) step = 500;
    if (d > 500000) step = 1000;
    return step;
}

void buildDecimalB(DecimalRow& row, double d, int o, int count)
{
    // A run one step apart around the solution, as Consecutive: stepping
    // down only would make the solution the largest square.
    int n = lastSlot(count);
    if (n < 2)
        return;
    double step = decimalStepB(d);
    // Nothing below zero under a solution of 0 or more.
    int p = placeInRun(o, n, d, step, 0);
    int k = 2;
    for (int j = 0; j < n && k <= n; ++j)
        if (j != p)
            row[k++] = d + (j - p) * step;
}

namespace {

int clampCount(int count) { return count < 1 ? 1 : lastSlot(count); }

// decimalText into a buffer: the printed text without the minus of a zero.
std::string_view decimalView(char* buffer, size_t cap, double value, int places)
{
    const size_t n = printDecimal(buffer, cap, value, places);
    std::string_view s(buffer, n);
    if (!s.empty() && s[0] == '-' && s.find_first_of("123456789") == std::string_view::npos)
        s.remove_prefix(1);
    return s;
}

// Squares are told apart by what the pupil reads on them.
bool sameSquare(int a, int b) { return a == b; }
bool sameSquare(double a, double b)
{
    if (a == b) return true;
    // Values further apart than one and a half units of the last place
    // round to different texts; only close ones need printing.
    static constexpr double kUnits[18] = {1,    1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,  1e-8,
                                          1e-9, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15, 1e-16, 1e-17};
    if (std::fabs(a - b) > 1.5 * kUnits[std::clamp(decimalPlaces, 0, 17)]) return false;
    char ta[400], tb[400];
    return decimalView(ta, sizeof ta, a, decimalPlaces) == decimalView(tb, sizeof tb, b, decimalPlaces);
}

template <typename Row> void dedup(Row& row, int maxRaise, int count)
{
    // Slot 1 is never raised, so the solution stays in the row. A pass that
    // raises nothing leaves the row, and the random numbers, as they are for
    // every later pass too.
    for (int pass = 0; pass < 17; ++pass) {
        bool raised = false;
        for (int a = 1; a <= count; ++a)
            for (int b = a + 1; b <= count; ++b)
                if (sameSquare(row[a], row[b])) {
                    row[b] += 1 + aorand() % maxRaise;
                    raised = true;
                }
        if (!raised) break;
    }
}

template <typename Row> void shuffle(Row& row, int count)
{
    // Six random swaps leave the square of slot 1 (the solution's) in slot 1
    // more often than chance (about 24 % of rows of six). Where it stayed, it
    // moves on just often enough to even that out; the high bits of the last
    // two draws decide, so the draws stay the same.
    int at = 1, ra = 0, rb = 0;
    for (int i = 0; i < 6; ++i) {
        ra = aorand();
        rb = aorand();
        int a = ra % count + 1;
        int b = rb % count + 1;
        std::swap(row[a], row[b]);
        at = at == a ? b : at == b ? a : at;
    }
    if (at != 1 || count < 3)
        return;
    double n = count;
    double stays = 1 / n + (n - 1) / n * std::pow((n - 2) / n, 6);
    double moveOn = 1 - (1 / n) / stays;
    int span = 32768 / count; // the draws are 0 .. 32767
    if (ra / count < moveOn * span)
        std::swap(row[1], row[2 + (rb / count) % (count - 1)]);
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

std::string decimalText(double value, int places)
{
    char text[400];
    std::string s(decimalView(text, sizeof text, value, places));
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

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

// ------------------------------------------------------------ repairs

// How far a builder steps from the solution; a replacement square is sought
// in the same step.
int nearStep(int v) { return v < 51 ? 1 : 10; }

int scaledStep(int v)
{
    int step = 1;
    if (v >= 10) step = 2;
    if (v >= 20) step = 5;
    if (v >= 50) step = 10;
    if (v >= 100) step = 20;
    if (v >= 1000) step = 200;
    if (v >= 100000) step = 1000;
    if (v >= 1000000) step = 10000;
    if (v < -9) step = 2;
    if (v < -99) step = 10;
    if (v < -999) step = 100;
    if (v <= -100000) step = 1000;
    if (v < -999999) step = 10000;
    return step;
}

double decimalStepOf(double d, bool variantB)
{
    // Above 50 both variants climb the same ladder; Decimal A steps by 5 from 10.
    if (variantB || d > 50)
        return decimalStepB(d);
    return d > 10 ? 5 : 1;
}

constexpr int kSearchSteps = 1000;

// Replaces each square that repeats an earlier square or that `bad` rejects
// by the nearest acceptable value in the builder's step: on the same side of
// the solution v where one is left, else next to v on the other side. The
// square in slot `keep` (the solution's) stays. It draws nothing, so a row
// without such a square stays exactly as built.
template <typename Row, typename Bad>
void replaceBadSquares(Row& row, int count, typename Row::value_type v, int keep,
                       typename Row::value_type step, Bad bad)
{
    using V = typename Row::value_type;
    count = clampCount(count);
    auto acceptable = [&](V x, int k) {
        if (bad(x))
            return false;
        for (int j = 1; j <= count; ++j)
            if (j != k && sameSquare(row[j], x))
                return false;
        return true;
    };
    for (int k = 1; k <= count; ++k) {
        if (k == keep)
            continue;
        bool repeated = false;
        for (int j = 1; j <= count; ++j)
            repeated = repeated || ((j < k || j == keep) && j != k && sameSquare(row[j], row[k]));
        if (!repeated && !bad(row[k]))
            continue;
        V x = row[k];
        int side = x < v ? -1 : 1;
        bool found = false;
        for (int i = 1; i <= kSearchSteps && !found; ++i)
            for (int dir : {-side, side}) {
                V c = x + dir * i * step;
                if ((c - v) * side > 0 && acceptable(c, k)) {
                    row[k] = c;
                    found = true;
                    break;
                }
            }
        for (int i = 1; i <= kSearchSteps && !found; ++i) {
            V c = v - side * i * step;
            if (acceptable(c, k)) {
                row[k] = c;
                found = true;
            }
        }
    }
}

// The slot that shows v: slot 1, except in the numbered rows.
template <typename Row> int slotOf(const Row& row, typename Row::value_type v)
{
    for (int k = 1; k < kRowSlots; ++k)
        if (row[k] == v)
            return k;
    return 1;
}

bool outside(double x, PlausibleRange range) { return x < range.lowest || x > range.highest; }

// The first row's rule: inside the task's range (when the solution is) and
// no second solution.
void repairFirstRow(IntRow& row, int step, int taskNumber)
{
    PlausibleRange range = plausibleFirstRow(taskNumber);
    int v = solution[taskIndex];
    if (v <= answerCeiling)
        range.highest = std::min(range.highest, static_cast<double>(answerCeiling));
    bool ranged = !outside(v, range);
    replaceBadSquares(row, optionCount, v, slotOf(row, v), step, [&](int x) {
        return (ranged && outside(x, range)) || (alsoRight && alsoRight(x));
    });
}

// A second row gives a denominator or the possible events: 1 or more, and
// for probabilities no pair of squares equal in value to the answer but the
// answer itself.
void repairSecondRow(IntRow& row, int step, int kind)
{
    int lowest = lowestSecondRow(kind);
    bool probability = kind >= 7 && kind <= 9;
    int a0 = solution[taskIndex];
    int b0 = solution2[taskIndex];
    const IntRow& first = options[taskIndex];
    int count = clampCount(optionCount);
    replaceBadSquares(row, optionCount, b0, slotOf(row, b0), step, [&](int b) {
        if (b < lowest)
            return true;
        if (!probability || a0 == 0 || b == b0)
            return false;
        for (int j = 1; j <= count; ++j)
            if (static_cast<long long>(first[j]) * b0 == static_cast<long long>(b) * a0)
                return true;
        return false;
    });
}

void repairDecimalRow(DecimalRow& row, double step, int taskNumber)
{
    PlausibleRange range = plausibleFirstRow(taskNumber);
    bool ranged = !outside(row[1], range);
    replaceBadSquares(row, optionCount, row[1], 1, step,
                      [&](double x) { return ranged && outside(x, range); });
}

// ------------------------------------------------------------ dispatch

// The second row unless a kind says otherwise: Near, small on the second
// solution, de-duplicated and sorted.
void buildSecondRow(int kind)
{
    IntRow& row = options2[taskIndex];
    int v = solution2[taskIndex];
    offsetSeed = drawOffsetSeed(optionCount);
    startRow(row, v);
    int step = 1;
    if (kind == 7) {
        buildNumbering(row);
    } else if (kind == 8 || kind == 9) {
        buildNear(row, v, offsetSeed, optionCount);
        step = nearStep(v);
    } else {
        // A run by ones around the second solution: stepping as Near Small
        // did (and turning negatives round) left it the smallest in up to
        // six rows of ten.
        int lowest = lowestSecondRow(kind) == std::numeric_limits<int>::min() ? 0 : lowestSecondRow(kind);
        buildRun(row, v, offsetSeed, optionCount, 1, lowest);
    }
    dedupRow(row, 24, optionCount);
    repairSecondRow(row, step, kind);
    sortRow(row, optionCount);
}

// Decimal A steps by whole units up to 10; where the squares below a small
// solution would leave the task's range (a share, a size), tenths or
// hundredths keep them there, so the solution is not left the smallest.
double decimalUnitA(double d, int taskNumber)
{
    PlausibleRange range = plausibleFirstRow(taskNumber);
    double unit = 1;
    if (outside(d, range) || d > 10)
        return unit;
    double finest = std::pow(10.0, -std::clamp(decimalPlaces, 0, 6));
    while (d - 5 * unit < range.lowest && unit / 10 >= finest - 1e-12)
        unit /= 10;
    return unit;
}

void decimalRow(bool variantB, int taskNumber)
{
    DecimalRow& row = decimalOptions[taskIndex];
    double d = decimalSolution[taskIndex];
    startRow(row, d);
    double step = decimalStepOf(d, variantB);
    if (variantB) {
        buildDecimalB(row, d, offsetSeed, optionCount);
    } else {
        double unit = decimalUnitA(d, taskNumber);
        buildDecimalA(row, d, optionCount, unit);
        step = std::min(step, unit);
    }
    dedupRow(row, 12, optionCount);
    repairDecimalRow(row, step, taskNumber);
    shuffleRow(row, optionCount);
}

enum class Order { Shuffle, Sort };

void finishRow(IntRow& row, int step, int taskNumber, Order order)
{
    repairFirstRow(row, step, taskNumber);
    if (order == Order::Sort)
        sortRow(row, optionCount);
    else
        shuffleRow(row, optionCount);
}

// Types whose solutions take either sign: a square below zero is as
// plausible under a solution of 0 or more.
bool signedSolutions(int taskNumber) { return taskNumber == 5203; }

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
        // Word problems repeat squares often enough to need it as well.
        dedupRow(row, 12, optionCount);
        finishRow(row, nearStep(v), taskNumber, Order::Shuffle);
        return;
    }
    if (level == 1 || (level == 2 && difficulty != 2)) {
        buildNear(row, v, o, optionCount);
        dedupRow(row, 12, optionCount);
        finishRow(row, nearStep(v), taskNumber, difficulty == 1 ? Order::Sort : Order::Shuffle);
        return;
    }
    if (level == 2 && difficulty == 2) {
        buildNearSmall(row, v, o, optionCount, level);
        dedupRow(row, 12, optionCount);
        finishRow(row, 1, taskNumber, Order::Sort);
        return;
    }
    if (level == 3 && difficulty == 3) {
        if (v < 3)
            buildConsecutive(row, v, o, optionCount, signedSolutions(taskNumber) ? std::numeric_limits<int>::min() : 0,
                             answerCeiling);
        else
            buildNear(row, v, o, optionCount);
        dedupRow(row, 12, optionCount);
        finishRow(row, nearStep(v), taskNumber, Order::Sort);
        return;
    }
    if (level == 4 && difficulty == 1) {
        // 4102 and 4103 once took primes; their one draw stays.
        if (taskNumber == 4102 || taskNumber == 4103)
            aorand();
        buildNear(row, v, o, optionCount);
        dedupRow(row, 12, optionCount);
        finishRow(row, nearStep(v), taskNumber, Order::Shuffle);
        return;
    }
    if (level == 5 && difficulty == 1 && kind == 0 && (taskNumber == 5102 || taskNumber == 5103)) {
        buildPrimes(row, v, optionCount);
        dedupRow(row, 12, optionCount);
        finishRow(row, 1, taskNumber, Order::Shuffle);
        return;
    }
    if (level == 9 && difficulty == 3) {
        if (kind == 6) {
            buildNumbering(row);
            shuffleRow(row, optionCount);
            return;
        }
        int step = nearStep(v);
        if (kind == 7) {
            buildNumbering(row);
            step = 1;
        } else if (kind == 8 || kind == 9) {
            buildNear(row, v, o, optionCount);
        } else if (kind == 0) {
            buildScaled(row, v, o, firstDistractorSlot, optionCount);
            step = scaledStep(v);
        } else {
            buildConsecutive(row, v, o, optionCount, signedSolutions(taskNumber) ? std::numeric_limits<int>::min() : 0,
                             answerCeiling);
            step = consecutiveStep(v);
        }
        dedupRow(row, 12, optionCount);
        finishRow(row, step, taskNumber, Order::Shuffle);
        return;
    }
    int step = nearStep(v);
    if (inScaledGroup(level, difficulty) && kind == 0) {
        buildScaled(row, v, o, firstDistractorSlot, optionCount);
        step = scaledStep(v);
    } else {
        buildConsecutive(row, v, o, optionCount, signedSolutions(taskNumber) ? std::numeric_limits<int>::min() : 0,
                             answerCeiling);
        step = consecutiveStep(v);
    }
    dedupRow(row, 12, optionCount);
    finishRow(row, step, taskNumber, Order::Shuffle);
}

} // namespace

// Sizes, counts, lengths, prices, weights, times and distances; the value of
// a fraction or a sum of positive numbers; lengths in Pythagoras.
PlausibleRange plausibleFirstRow(int taskNumber)
{
    constexpr double kAny = std::numeric_limits<double>::infinity();
    switch (taskNumber) {
    case 5213:
    case 5215:
    case 5217:
    case 7113:
    case 7115:
    case 7116:
    case 7206:
    case 11203:
    case 11204:
    case 11205:
    case 11206:
    case 11207:
    case 11208:
    case 11209:
    case 11210:
    case 11211:
    case 11212:
    case 11301:
    case 12202:
    case 12203:
    case 12204:
    case 12205:
    case 12208:
    case 12209:
    case 12210:
    case 12308: return {0, kAny};
    case 11111:
    case 11112: return {1, kAny};
    case 7105:
    case 7106:
    case 1105: // products of the times table
    case 1203: return {0, 100};
    default: break;
    }
    if (taskNumber >= 8303 && taskNumber <= 8316)
        return {1, 179};
    return {-kAny, kAny};
}

int lowestSecondRow(int kind)
{
    // Kind 1 picks a factor, divisor, summand or subtrahend: 1 or more too.
    return kind == 1 || kind == 3 || (kind >= 7 && kind <= 9) ? 1 : std::numeric_limits<int>::min();
}

AnswerRows buildAnswerRows(int level, int difficulty, int taskNumber)
{
    offsetSeed = drawOffsetSeed(optionCount);
    int kind = answerKind;
    AnswerRows rows = answerRowsFor(level, difficulty, kind);
    switch (rows) {
    case AnswerRows::None: break;
    case AnswerRows::Decimal:
        // Kind 5 and the decimal answers of the lower levels step downwards only.
        decimalRow(kind == 5 || level == 3, taskNumber);
        break;
    case AnswerRows::Integer: firstIntegerRow(level, difficulty, taskNumber, kind); break;
    case AnswerRows::TwoRows:
        firstIntegerRow(level, difficulty, taskNumber, kind);
        buildSecondRow(kind);
        break;
    }
    return rows;
}

bool answerPicksFromSquares(int taskNumber)
{
    // Two rows judged by a relation (sum, difference, ...) rather than a pair.
    if (relationOp >= 1 && relationOp <= 4) return true;
    switch (taskNumber) {
    case 3309: // palindrome
    case 3310: // divisible
    case 5102: // not a prime
    case 5103: return true;
    default: return false;
    }
}
