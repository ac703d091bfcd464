#include "platform/eventpump.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <thread>

#include "platform/testing/virtualtime.h"

namespace orvela {
namespace {

TEST(QtEventPump, WaitEndsWhenATimerSetsTheFlag) {
    auto timer = eventPump().createTimer();
    bool fired = false;
    int ticks = 0;
    timer->onTimer = [&] {
        fired = true;
        ++ticks;
        timer->setEnabled(false);
    };
    timer->setInterval(30);
    timer->setEnabled(true);
    QElapsedTimer took;
    took.start();
    eventPump().waitUntil([&] { return fired; });
    EXPECT_GE(took.elapsed(), 25);
    EXPECT_EQ(ticks, 1);
}

TEST(QtEventPump, TaskPostedFromAnotherThreadRunsOnTheMainThread) {
    const auto mainThread = std::this_thread::get_id();
    std::thread::id ranOn;
    bool done = false;
    std::thread worker([&] {
        eventPump().post([&] {
            ranOn = std::this_thread::get_id();
            done = true;
        });
    });
    eventPump().waitUntil([&] { return done; });
    worker.join();
    EXPECT_EQ(ranOn, mainThread);
}

TEST(QtEventPump, TimerWithIntervalZeroNeverFires) {
    auto timer = eventPump().createTimer();
    bool fired = false;
    timer->onTimer = [&] { fired = true; };
    timer->setInterval(0);
    timer->setEnabled(true);
    for (int i = 0; i < 5; ++i) eventPump().waitBriefly(5);
    EXPECT_FALSE(fired);
}

TEST(VirtualTime, WaitsJumpToTheNextTimerAndSleepsAdvanceTheClock) {
    testing::VirtualTime time;
    auto timer = eventPump().createTimer();
    bool fired = false;
    timer->onTimer = [&] {
        fired = true;
        timer->setEnabled(false);
    };
    timer->setInterval(500);
    timer->setEnabled(true);
    eventPump().waitUntil([&] { return fired; });
    EXPECT_EQ(clock().nowMs(), 500);
    clock().sleepMs(300);
    EXPECT_EQ(clock().nowMs(), 800);
    EXPECT_EQ(time.slept(), 300);
}

TEST(VirtualTime, AWaitNothingCanEndFailsInsteadOfHanging) {
    testing::VirtualTime time;
    EXPECT_THROW(eventPump().waitUntil([] { return false; }), std::logic_error);
    int stalls = 0;
    bool done = false;
    time.onStall = [&] {
        if (++stalls == 3) time.post([&] { done = true; });
    };
    eventPump().waitUntil([&] { return done; });
    EXPECT_EQ(stalls, 3);
}

}  // namespace
}  // namespace orvela
