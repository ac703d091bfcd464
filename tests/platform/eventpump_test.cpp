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

// The game polls for keys this way a hundred times a second: each wait must end at its
// limit, or at once when something is handled, also when a handler inside it waits too.
TEST(QtEventPump, BriefWaitEndsAtItsLimitOrWhenSomethingIsHandled) {
    eventPump().processPending();
    QElapsedTimer took;
    took.start();
    eventPump().waitBriefly(30);
    EXPECT_GE(took.elapsed(), 25);
    EXPECT_LT(took.elapsed(), 2000);

    bool handled = false;
    eventPump().post([&] {
        eventPump().waitBriefly(5);
        handled = true;
    });
    took.restart();
    eventPump().waitBriefly(60000);
    EXPECT_TRUE(handled);
    EXPECT_LT(took.elapsed(), 2000);

    eventPump().processPending();
    took.restart();
    eventPump().waitBriefly(30);
    EXPECT_GE(took.elapsed(), 25);
    EXPECT_LT(took.elapsed(), 2000);
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
