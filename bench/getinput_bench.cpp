// A program polling getinput with the device sounds off: processor time used while
// nothing is typed, and the delay from a key event to getinput returning its text.
#include <QApplication>
#include <QInputDevice>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "app/settingsfile.h"
#include "bench/processortime.h"
#include "runtime/input.h"
#include "runtime/soundcommands.h"

namespace {

using Clock = std::chrono::steady_clock;

class KeyTarget : public QWidget {
protected:
    void keyPressEvent(QKeyEvent* event) override { orvela::inputline = event->text().toStdString(); }
};

// One pass of the game's wait for a key: a click (silent with the device sounds off), a poll.
std::string waitpass() {
    orvela::click(9);
    return orvela::getinput();
}

void idlePolling() {
    const double cpuBefore = orvela::bench::processSeconds();
    const auto start = Clock::now();
    long polls = 0;
    while (Clock::now() - start < std::chrono::seconds(2)) {
        waitpass();
        ++polls;
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = orvela::bench::processSeconds() - cpuBefore;
    std::printf("idle polling: %.2f s, %ld polls, processor %.3f s = %.2f %% of one core (target < 2 %%)\n", wall,
                polls, cpu, 100.0 * cpu / wall);
}

void keyLatency(KeyTarget& target) {
    constexpr int kKeys = 100;
    std::vector<double> delays;
    std::mt19937 random(1);
    for (int i = 0; i < kKeys; ++i) {
        std::atomic<Clock::rep> sent{0};
        const int afterUs = std::uniform_int_distribution<int>(2000, 20000)(random);
        std::thread typist([&] {
            std::this_thread::sleep_for(std::chrono::microseconds(afterUs));
            sent = Clock::now().time_since_epoch().count();
            QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
        });
        while (waitpass().empty()) {
        }
        const auto returned = Clock::now().time_since_epoch().count();
        typist.join();
        delays.push_back(std::chrono::duration<double, std::milli>(Clock::duration(returned - sent.load())).count());
    }
    std::sort(delays.begin(), delays.end());
    std::printf("key to getinput: %d keys, median %.3f ms, 95th %.3f ms, max %.3f ms (target < 10 ms)\n", kKeys,
                delays[delays.size() / 2], delays[delays.size() * 95 / 100], delays.back());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Key events made on the typist thread need the keyboard device to exist already.
    QInputDevice::primaryKeyboard();
    orvela::orvelasounds = false;
    KeyTarget target;
    idlePolling();
    keyLatency(target);
    return 0;
}
