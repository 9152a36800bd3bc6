// The catalog: every one of the task types generated and its rows of answer
// squares built, for 1000 seeds, single-threaded, once with the task area as
// the drawing target as in the game and once without a target. Compared with
// a memcpy of one 1280 x 720 x 4 picture in the same run (see ratio.h).
#include "answer_rows.h"
#include "catalog.h"
#include "ratio.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kSeeds = 1000;

void generateAll(const std::vector<int>& numbers, aoPixmap& area, std::string& text, long& sum)
{
    for (int seed = 1; seed <= kSeeds; ++seed) {
        for (int n : numbers) {
            text.clear();
            taskCount = 12;
            correctCount = 0;
            taskIndex = 1;
            presetGameStart();
            presetTask(taskIndex);
            aosrand(static_cast<unsigned>(seed));
            generateTask(n);
            buildAnswerRows(taskLevel(n), taskDifficulty(n), n);
            sum += solution[taskIndex] + options[taskIndex][1] + static_cast<long>(text.size());
        }
    }
}

// With drawing: the task area as the target, as in the game. Without: the
// drawing commands go nowhere, leaving the generation and the rows.
void catalogRun(benchmark::State& state, bool drawing)
{
    catalog_filltables();
    const std::vector<int> numbers = allTaskNumbers();
    aoPixmap area;
    area.width = 1280;
    area.height = 720;
    aopxmap_allocate(&area);
    aopxmap_clear(&area, 0xFFFFFF);
    aographic_settarget(drawing ? &area : nullptr);
    std::string text;
    catalog_setprinter([&text](const std::string& cp1252) { text += cp1252; });
    long sum = 0;
    benchratio::againstMemcpy(state, 1280u * 720u * 4u, 1, [&] { generateAll(numbers, area, text, sum); });
    benchmark::DoNotOptimize(sum);
    state.counters["types"] = static_cast<double>(numbers.size());
    catalog_setprinter(nullptr);
    aographic_settarget(nullptr);
}

void BM_Catalog421TypesX1000Seeds(benchmark::State& state)
{
    catalogRun(state, true);
}

void BM_Catalog421TypesX1000SeedsWithoutDrawing(benchmark::State& state)
{
    catalogRun(state, false);
}

} // namespace

BENCHMARK(BM_Catalog421TypesX1000Seeds)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Catalog421TypesX1000SeedsWithoutDrawing)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
