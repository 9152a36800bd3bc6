// The generator frame: the task record, the print sink, the shared fraction
// and the dispatch from task number to family.
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <string_view>
#include <utility>

#include "answer_rows.h"
#include "catalog.h"
#include "families.h"
#include "notation.h"

int taskIndex = 1;
int taskCount = 0;
int correctCount = 0;

std::array<int, kTaskSlots> solution{};
std::array<int, kTaskSlots> solution2{};
std::array<int, kTaskSlots> target{};
std::array<double, kTaskSlots> decimalSolution{};
std::string taskPictureText;

int answerKind = 0;
int choiceMode = 0;
int relationOp = 0;
int decimalPlaces = 0;
int optionCount = 6;
int firstDistractorSlot = 2;

double progressRatio = 0;

std::array<std::vector<std::string>, kTaskSlots> taskSteps{};

int fracNum = 0;
int fracDen = 1;

namespace {

TaskPrinter printer;

using FamilyGenerator = void (*)(int);

// A family joins the build by adding its generator here.
FamilyGenerator generatorOf(TaskFamily family)
{
    switch (family) {
    case TaskFamily::Arithmetic: return generateArithmeticTask;
    case TaskFamily::Units: return generateUnitsTask;
    case TaskFamily::Word: return generateWordTask;
    case TaskFamily::Fraction: return generateFractionTask;
    case TaskFamily::Terms: return generateTermsTask;
    case TaskFamily::Picture: return generatePictureTask;
    case TaskFamily::None: break;
    }
    return nullptr;
}

} // namespace

bool familyBuilt(TaskFamily family) { return generatorOf(family) != nullptr; }

void presetGameStart() { decimalPlaces = 0; }

void presetTask(int index)
{
    if (index >= 1 && index < kTaskSlots) {
        solution2[index] = -1000000;
        taskSteps[index].clear();
    }
    alsoRight = nullptr;
    taskPictureText.clear();
    answerCeiling = std::numeric_limits<int>::max();
    answerKind = 0;
    choiceMode = 0;
    optionCount = 6;
    firstDistractorSlot = 2;
}

double computeProgressRatio()
{
    if (taskCount <= 0)
        return 0;
    return static_cast<double>(correctCount) / taskCount;
}

void reduceFraction()
{
    if (fracNum == fracDen) {
        fracNum = 1;
        fracDen = 1;
        return;
    }
    // Dividing by the largest candidate first leaves nothing for the smaller ones
    // once the common divisor is out.
    int m = fracNum < fracDen ? fracNum : fracDen;
    for (int d = m; d >= 2; --d)
        if (fracNum % d == 0 && fracDen % d == 0) {
            fracNum /= d;
            fracDen /= d;
        }
}

TaskPrinter catalog_setprinter(TaskPrinter p) { return std::exchange(printer, std::move(p)); }

namespace {

// Most lines fit the buffer: formatted once. A longer one is formatted again
// into a string of its length.
template <typename Use> void formatted(const char* format, va_list args, Use use)
{
    char buffer[512];
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, copy);
    va_end(copy);
    std::string longer;
    std::string_view text;
    if (n > 0 && static_cast<size_t>(n) < sizeof buffer) {
        text = std::string_view(buffer, static_cast<size_t>(n));
    } else if (n > 0) {
        longer.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(longer.data(), longer.size(), format, args);
        longer.resize(static_cast<size_t>(n));
        text = longer;
    }
    use(text);
}

} // namespace

void taskPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    formatted(format, args, [](std::string_view text) {
        if (printer)
            printer(ao_utf8_to_cp1252(text));
    });
    va_end(args);
}

void taskStep(const char* format, ...)
{
    if (taskIndex < 1 || taskIndex >= kTaskSlots)
        return;
    va_list args;
    va_start(args, format);
    formatted(format, args, [](std::string_view text) { taskSteps[taskIndex].push_back(deStepMinus(text)); });
    va_end(args);
}

int drawRange(int k, int m) { return aorand() % (m - k + 1) + k; }

void generateTask(int taskNumber)
{
    progressRatio = computeProgressRatio();
    FamilyGenerator generate = generatorOf(taskFamily(taskNumber));
    if (!generate)
        return;
    generate(taskNumber);
}
