// One finished task written to the history (one committed transaction in WAL
// mode), against a memcpy of one 1280 x 720 x 4 picture measured in the same
// run ("x_memcpy" column). The game waits for this after every task, so it
// must stay well under a millisecond.
#include "history.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kBytes = 1280u * 720u * 4u;

double memcpySeconds()
{
    static double seconds = [] {
        std::vector<unsigned char> a(kBytes, 1), b(kBytes, 2);
        std::vector<double> t;
        for (int i = 0; i < 201; ++i) {
            const auto t0 = std::chrono::steady_clock::now();
            std::memcpy(b.data(), a.data(), kBytes);
            benchmark::DoNotOptimize(b.data());
            benchmark::ClobberMemory();
            t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        }
        std::nth_element(t.begin(), t.begin() + 100, t.end());
        return t[100];
    }();
    return seconds;
}

void BM_Memcpy1280x720x4(benchmark::State& state)
{
    std::vector<unsigned char> a(kBytes, 1), b(kBytes, 2);
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        std::memcpy(b.data(), a.data(), kBytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    state.counters["x_memcpy"] = 1.0;
}

void BM_HistoryRecordTask(benchmark::State& state)
{
    std::string path = (std::filesystem::temp_directory_path() /
                        ("ziffron_bench_history_" + std::to_string(getpid()) + ".sqlite3"))
                           .string();
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
    std::string err;
    if (!historyOpen(path, err) || !historyBeginGame({"Bench", 1, 7, 2, 24, GameKind::Game}, err)) {
        state.SkipWithError(err.c_str());
        return;
    }
    TaskRecord t{0,     7205, 123456789u, "Ein Rechteck ist 12 cm lang und 7 cm breit. Wie groß ist sein Umfang in cm?",
                 "38",  "36", TaskVerdict::Wrong, 12};
    double total = 0;
    for (auto _ : state) {
        ++t.position;
        const auto t0 = std::chrono::steady_clock::now();
        if (!historyRecordTask(t, err)) {
            state.SkipWithError(err.c_str());
            break;
        }
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(s);
        total += s;
    }
    historyClose();
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
    state.counters["x_memcpy"] = total / static_cast<double>(std::max<int64_t>(1, state.iterations())) / memcpySeconds();
}

} // namespace

BENCHMARK(BM_Memcpy1280x720x4)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryRecordTask)->UseManualTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
