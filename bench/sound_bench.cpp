// Processor time used while a 2-second SOUND waits for its timer, on the real OpenAL
// device (the silent null device unless ALSOFT_DRIVERS says otherwise). Target: the
// waiting thread uses under 2 % of one core.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/settingsfile.h"
#include "bench/processortime.h"
#include "app/soundobjects.h"
#include "platform/defaultwaves.h"
#include "runtime/soundcommands.h"

int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    // The device period the program runs with.
    setenv("ALSOFT_CONF", ORVELA_RUN_DIR "/alsoft.conf", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    orvela::createsoundobjects();
    orvela::wavelist->items().load(orvela::defaultWaves());
    orvela::orvelasounds = true;

    const double threadBefore = orvela::bench::threadSeconds();
    const double processBefore = orvela::bench::processSeconds();
    const auto start = std::chrono::steady_clock::now();
    orvela::sound({400}, 2000, 1);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double thread = orvela::bench::threadSeconds() - threadBefore;
    const double process = orvela::bench::processSeconds() - processBefore;
    orvela::releasesoundobjects();

    std::printf("sound([400], 2000, 1): %.3f s wall\n", wall);
    std::printf("  waiting thread: %.4f s processor = %.2f %% of one core (target < 2 %%)\n", thread,
                100 * thread / wall);
    std::printf("  whole process (with the device's mixer): %.4f s = %.2f %%\n", process, 100 * process / wall);
    return thread / wall < 0.02 ? 0 : 1;
}
