// Processor time used while the logic game waits for a key: its wait clicks and polls
// on the real event pump until a key arrives, with the device sounds on (the real
// OpenAL device, silent null output unless ALSOFT_DRIVERS says otherwise) and off.
// Target: under 2 % of one core.
#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>

#include "app/settingsfile.h"
#include "app/soundobjects.h"
#include "platform/defaultwaves.h"
#include "program/gamesubroutines.h"
#include "runtime/input.h"

namespace {

constexpr int kWaitMs = 3000;

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double processSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Waits as the game does until a key arrives after kWaitMs; true when within target.
bool measure(bool sounds) {
    orvela::orvelasounds = sounds;
    orvela::gamestate g;
    QTimer::singleShot(kWaitMs, [] { orvela::inputline.assign(1, 'x'); });
    const double threadBefore = threadSeconds();
    const double processBefore = processSeconds();
    const auto start = std::chrono::steady_clock::now();
    orvela::runsubroutine(orvela::subroutine::wait, g);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double thread = threadSeconds() - threadBefore;
    const double process = processSeconds() - processBefore;
    std::printf("game waiting for a key, device sounds %s: %.3f s wall, answer \"%s\"\n", sounds ? "on" : "off", wall,
                g.answer.c_str());
    std::printf("  waiting thread: %.4f s processor = %.2f %% of one core (target < 2 %%)\n", thread,
                100 * thread / wall);
    std::printf("  whole process (with the device's mixer): %.4f s = %.2f %%\n", process, 100 * process / wall);
    return thread / wall < 0.02;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    orvela::createsoundobjects();
    orvela::wavelist->items().load(orvela::defaultWaves());
    const bool on = measure(true);
    const bool off = measure(false);
    orvela::releasesoundobjects();
    return on && off ? 0 : 1;
}
