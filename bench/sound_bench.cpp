// Processor time used while a 2-second SOUND waits for its timer, on the real OpenAL
// device (the silent null device unless ALSOFT_DRIVERS says otherwise). Target: the
// waiting thread uses under 2 % of one core.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>

#include "app/settingsfile.h"
#include "app/soundobjects.h"
#include "platform/defaultwaves.h"
#include "runtime/soundcommands.h"

namespace {

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

double processSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    orvela::createsoundobjects();
    orvela::wavelist->items().load(orvela::defaultWaves());
    orvela::orvelasounds = true;

    const double threadBefore = threadSeconds();
    const double processBefore = processSeconds();
    const auto start = std::chrono::steady_clock::now();
    orvela::sound({400}, 2000, 1);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double thread = threadSeconds() - threadBefore;
    const double process = processSeconds() - processBefore;
    orvela::releasesoundobjects();

    std::printf("sound([400], 2000, 1): %.3f s wall\n", wall);
    std::printf("  waiting thread: %.4f s processor = %.2f %% of one core (target < 2 %%)\n", thread,
                100 * thread / wall);
    std::printf("  whole process (with the device's mixer): %.4f s = %.2f %%\n", process, 100 * process / wall);
    return thread / wall < 0.02 ? 0 : 1;
}
