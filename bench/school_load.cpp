// A school morning against a school server: lessons of `machines` pupils at
// a time, each finishing a task every 10 to 30 s (compressed by --compress),
// each task sent as the history's sender sends it (one transaction, keyed,
// ON CONFLICT DO NOTHING). Reports the rate sustained, the latency from a
// task's end to its commit on the server (p50, p99, max), the server's CPU,
// and what a restart of the server in the middle costs. At the end it reads
// the run back and checks that every task arrived exactly once.
//
//   school_load --server URI [--pupils 300] [--machines 30] [--lessons 10]
//               [--lesson-minutes 45] [--compress 60] [--connections N]
//               [--pg-dir DIR] [--restart-cmd "CMD"] [--connect-per-task] [--reader URI] [--seed S]
//               [--role-per-machine PREFIX]
//
// --reader URI reads the run back (a pupil's role may not);
// --role-per-machine PREFIX logs machine i in as role PREFIXi (1-based), as
// enrolled machines do; it needs one connection per machine;
// --connect-per-task connects for each task, as the game's sender does when
// its machine's tasks are seconds apart;
// --pg-dir names the server's folder (postmaster.pid) for its CPU time;
// --restart-cmd is run halfway (it should stop and start the server).
#include "history.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

using Clock = std::chrono::steady_clock;

namespace {

struct Options {
    std::string server, reader, pgDir, restartCmd, rolePrefix;
    int pupils = 300, machines = 30, lessons = 10, connections = 0;
    double lessonMinutes = 45, compress = 60;
    bool connectPerTask = false;
    unsigned seed = 1;
};

// CPU seconds of the postmaster and its children (running or ended), from /proc.
double serverCpuSeconds(const std::string& pgDir)
{
    if (pgDir.empty()) return -1;
    std::ifstream pidFile(pgDir + "/data/postmaster.pid");
    long master = 0;
    if (!(pidFile >> master)) return -1;
    double ticks = static_cast<double>(::sysconf(_SC_CLK_TCK));
    double total = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        long pid = std::stol(name);
        std::ifstream stat(entry.path() / "stat");
        if (!stat) continue;
        std::string line;
        std::getline(stat, line);
        size_t close = line.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(line.substr(close + 2));
        std::string state;
        long ppid = 0;
        rest >> state >> ppid;
        if (pid != master && ppid != master) continue;
        std::string field;
        for (int i = 0; i < 9; ++i) rest >> field; // pgrp .. cmajflt
        double utime = 0, stime = 0, cutime = 0, cstime = 0;
        rest >> utime >> stime >> cutime >> cstime;
        // The postmaster also carries the time of the backends it reaped.
        total += (utime + stime + (pid == master ? cutime + cstime : 0)) / ticks;
    }
    return total;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5))];
}

struct Machine {
    std::string id;
    std::string pupil;
    long long game = 0;
    int position = 0;
    Clock::time_point due;
};

} // namespace

int main(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "school_load: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--server") o.server = next();
        else if (a == "--pupils") o.pupils = std::stoi(next());
        else if (a == "--machines") o.machines = std::stoi(next());
        else if (a == "--lessons") o.lessons = std::stoi(next());
        else if (a == "--lesson-minutes") o.lessonMinutes = std::stod(next());
        else if (a == "--compress") o.compress = std::stod(next());
        else if (a == "--connections") o.connections = std::stoi(next());
        else if (a == "--pg-dir") o.pgDir = next();
        else if (a == "--restart-cmd") o.restartCmd = next();
        else if (a == "--reader") o.reader = next();
        else if (a == "--connect-per-task") o.connectPerTask = true;
        else if (a == "--role-per-machine") o.rolePrefix = next();
        else if (a == "--seed") o.seed = static_cast<unsigned>(std::stoul(next()));
        else {
            std::fprintf(stderr, "school_load: unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    if (o.server.empty() || o.machines < 1 || o.compress <= 0) {
        std::fprintf(stderr, "school_load: --server URI is needed\n");
        return 2;
    }
    const int connections = o.connections > 0 ? o.connections : std::min(o.machines, 64);
    if (!o.rolePrefix.empty() && connections != o.machines) {
        std::fprintf(stderr, "school_load: --role-per-machine needs --connections equal to --machines\n");
        return 2;
    }
    const double lessonSeconds = o.lessonMinutes * 60 / o.compress;
    const int lessons = std::max(1, std::min(o.lessons, (o.pupils + o.machines - 1) / o.machines));
    const std::string runClass = "load-" + std::to_string(::getpid()) + "-" + std::to_string(o.seed);
    std::printf("%d pupils in %d lessons of %d machines; a lesson of %.0f min lasts %.1f s (x%.0f); "
                "%d connections\n",
                o.pupils, lessons, o.machines, o.lessonMinutes, lessonSeconds, o.compress, connections);

    std::mutex lock;
    std::vector<double> latencies, restartLatencies;
    std::vector<std::pair<double, double>> timeline; // (seconds from start the task ended, latency ms)
    std::atomic<long> sent{0}, failures{0};
    std::atomic<bool> restarting{false};
    std::string firstError;

    double cpu0 = serverCpuSeconds(o.pgDir);
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration_cast<Clock::duration>(
                                 std::chrono::duration<double>(lessonSeconds * lessons));
    std::thread restarter;
    double restartSeconds = 0, restartAt = 0, cpuBeforeRestart = 0, cpuAfterRestart = 0;
    if (!o.restartCmd.empty()) {
        restarter = std::thread([&] {
            std::this_thread::sleep_until(start + (end - start) / 2);
            restarting = true;
            auto t0 = Clock::now();
            restartAt = std::chrono::duration<double>(t0 - start).count();
            cpuBeforeRestart = serverCpuSeconds(o.pgDir);
            int rc = std::system(o.restartCmd.c_str());
            restartSeconds = std::chrono::duration<double>(Clock::now() - t0).count();
            cpuAfterRestart = serverCpuSeconds(o.pgDir);
            if (rc != 0) std::fprintf(stderr, "school_load: the restart command failed (%d)\n", rc);
            restarting = false;
        });
    }

    std::vector<std::thread> workers;
    for (int w = 0; w < connections; ++w) {
        workers.emplace_back([&, w] {
            std::string uri = o.server;
            if (!o.rolePrefix.empty())
                uri += (uri.find('?') == std::string::npos ? "?user=" : "&user=") + o.rolePrefix + std::to_string(w + 1);
            ServerSession session(uri);
            std::mt19937 rng(o.seed * 1000 + static_cast<unsigned>(w));
            std::uniform_real_distribution<double> gap(10.0 / o.compress, 30.0 / o.compress);
            auto later = [&](Clock::time_point t) {
                return t + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(gap(rng)));
            };
            std::vector<Machine> mine;
            for (int m = w; m < o.machines; m += connections) {
                Machine mach;
                mach.id = runClass + "-m" + std::to_string(m);
                mach.due = later(start);
                mine.push_back(mach);
            }
            long long gameCounter = 0;
            while (true) {
                auto it = std::min_element(mine.begin(), mine.end(),
                                           [](const Machine& a, const Machine& b) { return a.due < b.due; });
                if (it == mine.end() || it->due >= end) break;
                std::this_thread::sleep_until(it->due);
                int lesson = static_cast<int>(std::chrono::duration<double>(it->due - start).count() / lessonSeconds);
                int seat = static_cast<int>(it - mine.begin()) * connections + w;
                std::string pupil = "Schüler " + std::to_string(lesson * o.machines + seat);
                if (pupil != it->pupil || it->position >= 10) {
                    it->pupil = pupil;
                    it->game = ++gameCounter;
                    it->position = 0;
                }
                GameStart g{pupil, 1796112000 + lesson * 2700, 4, 2, 10, GameKind::Game};
                TaskRecord t{++it->position, 4201 + it->position, 1234567u, "Berechne 12 · 7", "84", "84",
                             TaskVerdict::Right, 17};
                std::string err;
                bool duringRestart = restarting;
                while (!session.sendTask(it->id, std::to_string(it->game), g, runClass, t, err)) {
                    ++failures;
                    duringRestart = true;
                    {
                        std::lock_guard<std::mutex> l(lock);
                        if (firstError.empty()) firstError = err;
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    if (Clock::now() > end + std::chrono::seconds(60)) break;
                }
                double ms = std::chrono::duration<double, std::milli>(Clock::now() - it->due).count();
                {
                    std::lock_guard<std::mutex> l(lock);
                    (duringRestart ? restartLatencies : latencies).push_back(ms);
                    timeline.emplace_back(std::chrono::duration<double>(it->due - start).count(), ms);
                }
                ++sent;
                if (o.connectPerTask) session.disconnect();
                it->due = later(it->due);
            }
        });
    }
    for (std::thread& t : workers) t.join();
    if (restarter.joinable()) restarter.join();
    double wall = std::chrono::duration<double>(Clock::now() - start).count();
    double cpu1 = serverCpuSeconds(o.pgDir);

    std::vector<double> all = latencies;
    all.insert(all.end(), restartLatencies.begin(), restartLatencies.end());
    std::printf("tasks sent: %ld in %.1f s: %.0f tasks/s\n", sent.load(), wall, sent / wall);
    std::printf("latency, task end to commit (ms): p50 %.2f  p99 %.2f  max %.1f\n", percentile(latencies, 0.5),
                percentile(latencies, 0.99), percentile(latencies, 1.0));
    if (wall > 45) {
        // Without the first half minute, when every machine connects.
        std::vector<double> settled;
        for (auto [at, ms] : timeline)
            if (at > 30 && (o.restartCmd.empty() || at < restartAt)) settled.push_back(ms);
        std::printf("  after the first 30 s%s: p50 %.2f  p99 %.2f  max %.1f (%zu tasks)\n",
                    o.restartCmd.empty() ? "" : ", before the restart", percentile(settled, 0.5),
                    percentile(settled, 0.99), percentile(settled, 1.0), settled.size());
    }
    if (!o.restartCmd.empty()) {
        // Back to normal: the last task, after the restart, that took longer than 50 ms.
        double recovered = restartAt + restartSeconds;
        std::vector<double> before, after;
        for (auto [at, ms] : timeline) {
            if (at >= restartAt && ms > 50) recovered = std::max(recovered, at + ms / 1000);
            (at < restartAt ? before : after).push_back(ms);
        }
        std::vector<double> steady;
        for (auto [at, ms] : timeline)
            if (at > recovered) steady.push_back(ms);
        std::printf("restart at %.1f s: the command took %.1f s; %ld failed attempts; %zu tasks waited, max %.0f ms; "
                    "back to < 50 ms after %.1f s from the restart's start\n",
                    restartAt, restartSeconds, failures.load(), restartLatencies.size(),
                    percentile(restartLatencies, 1.0), recovered - restartAt);
        std::printf("p99 before the restart %.1f ms, after recovery %.1f ms, over all tasks %.0f ms\n",
                    percentile(before, 0.99), percentile(steady, 0.99), percentile(all, 0.99));
        cpu1 = cpuBeforeRestart + (cpu1 - cpuAfterRestart);
    }
    else if (failures) std::printf("failed attempts: %ld (first: %s)\n", failures.load(), firstError.c_str());
    if (cpu0 >= 0 && cpu1 >= 0)
        std::printf("server CPU: %.1f s over %.1f s = %.0f %% of one core (of %u)\n", cpu1 - cpu0, wall,
                    100 * (cpu1 - cpu0) / wall, std::thread::hardware_concurrency());

    // Read back: every task exactly once.
    std::vector<StoredGame> games;
    std::string err;
    HistoryFilter f;
    f.className = runClass;
    if (!historyLoad(o.reader.empty() ? o.server : o.reader, f, games, err)) {
        std::printf("read back: %s\n", err.c_str());
        return 1;
    }
    long stored = 0;
    for (const StoredGame& g : games) stored += static_cast<long>(g.taskList.size());
    std::printf("read back: %ld tasks in %zu games on the server (%s)\n", stored, games.size(),
                stored == sent ? "each exactly once" : "MISMATCH");
    return stored == sent ? 0 : 1;
}
