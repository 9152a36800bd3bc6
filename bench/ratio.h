// Timing shared by the benchmarks, on this thread's processor clock (the
// machine is shared; time spent waiting for a core is not the operation's).
// The operation runs back to back over the iterations; a memcpy of a given
// number of bytes runs back to back just before and just after them, so both
// are timed in their steady state within the same run. The "x_memcpy"
// counter is the median of the operation over the median of the memcpy;
// "memcpy_us" is that memcpy's median.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

namespace benchratio {

inline double threadSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

inline double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// Runs body `repeat` times per sample (small operations are too quick for one
// clock reading each) and compares it with a memcpy of baseBytes.
template <typename Body>
void againstMemcpy(benchmark::State& state, size_t baseBytes, int repeat, Body body)
{
    std::vector<unsigned char> from(baseBytes, 1), to(baseBytes, 2);
    std::vector<double> op, base;
    auto copies = [&] {
        for (int k = 0; k < 21; ++k) {
            const double t0 = threadSeconds();
            for (int i = 0; i < repeat; ++i) {
                std::memcpy(to.data(), from.data(), baseBytes);
                benchmark::DoNotOptimize(to.data());
                benchmark::ClobberMemory();
            }
            base.push_back((threadSeconds() - t0) / repeat);
        }
    };
    copies();
    for (auto _ : state) {
        const double t0 = threadSeconds();
        for (int i = 0; i < repeat; ++i) body();
        const double t = threadSeconds() - t0;
        op.push_back(t / repeat);
        state.SetIterationTime(t); // the Time column: all `repeat` runs
    }
    copies();
    const double b = median(base);
    state.counters["x_memcpy"] = b > 0 ? median(op) / b : 0;
    state.counters["memcpy_us"] = b * 1e6;
}

} // namespace benchratio
