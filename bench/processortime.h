#pragma once
// Processor time for the benchmarks: of the calling thread, of the whole process, and of
// each of its threads with the times it was switched in (its wake-ups, near enough).
#include <sys/resource.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace orvela::bench {

inline double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

inline double processSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct ThreadUse {
    double seconds = 0;
    long switches = 0;
};

// Each thread of this process by id: processor time and switches so far, from the
// scheduler's own counts (nanoseconds, unlike the 10 ms ticks of /proc/self/stat).
inline std::map<int, ThreadUse> threadUses() {
    std::map<int, ThreadUse> uses;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long ns = 0, waitNs = 0;
        long slices = 0;
        if (!(schedstat >> ns >> waitNs >> slices)) continue;
        uses[std::stoi(task.path().filename().string())] = {static_cast<double>(ns) / 1e9, slices};
    }
    return uses;
}

}  // namespace orvela::bench
