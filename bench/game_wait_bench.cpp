// Processor time used while the logic game waits for a key: its wait clicks and polls
// on the real event pump until a key arrives, with the device sounds on (the real
// OpenAL device, silent null output unless ALSOFT_DRIVERS says otherwise) and off.
// Targets: the waiting thread under 2 % of one core, the whole process (with the
// device's mixer) at most 0.5 % with the device sounds on. Each thread's share and
// wake-ups follow: the wake-ups, more than the work done in them, take the time.
#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

#include "app/settingsfile.h"
#include "bench/processortime.h"
#include "app/soundobjects.h"
#include "platform/defaultwaves.h"
#include "program/gamesubroutines.h"
#include "runtime/input.h"

namespace {

constexpr int kWaitMs = 3000;

// Waits as the game does until a key arrives after kWaitMs; true when within target.
bool measure(bool sounds) {
    orvela::orvelasounds = sounds;
    orvela::gamestate g;
    QTimer::singleShot(kWaitMs, [] { orvela::inputline.assign(1, 'x'); });
    const double threadBefore = orvela::bench::threadSeconds();
    const double processBefore = orvela::bench::processSeconds();
    const auto threadsBefore = orvela::bench::threadUses();
    const auto start = std::chrono::steady_clock::now();
    orvela::runsubroutine(orvela::subroutine::wait, g);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double thread = orvela::bench::threadSeconds() - threadBefore;
    const double process = orvela::bench::processSeconds() - processBefore;
    const auto threadsAfter = orvela::bench::threadUses();
    std::printf("game waiting for a key, device sounds %s: %.3f s wall, answer \"%s\"\n", sounds ? "on" : "off", wall,
                g.answer.c_str());
    std::printf("  waiting thread: %.4f s processor = %.2f %% of one core (target < 2 %%)\n", thread,
                100 * thread / wall);
    std::printf("  whole process (with the device's mixer): %.4f s = %.2f %%%s\n", process, 100 * process / wall,
                sounds ? " (target <= 0.5 %)" : "");
    for (const auto& [id, after] : threadsAfter) {
        const auto before = threadsBefore.find(id);
        const auto was = before == threadsBefore.end() ? orvela::bench::ThreadUse{} : before->second;
        std::printf("    thread %d%s: %.2f %%, %.0f wake-ups a second\n", id, id == gettid() ? " (waiting)" : "",
                    100 * (after.seconds - was.seconds) / wall, static_cast<double>(after.switches - was.switches) / wall);
    }
    return thread / wall < 0.02;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    // The device period the program runs with.
    setenv("ALSOFT_CONF", ORVELA_RUN_DIR "/alsoft.conf", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    orvela::createsoundobjects();
    orvela::wavelist->items().load(orvela::defaultWaves());
    const bool on = measure(true);
    const bool off = measure(false);
    orvela::releasesoundobjects();
    return on && off ? 0 : 1;
}
