#pragma once
// A clock and event pump on virtual time. Waits run posted tasks and due timers and,
// when nothing is due, jump the clock to the next timer. A wait that nothing can end
// asks onStall (a scripted player may act there) and fails if still stuck.
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/clock.h"
#include "platform/eventpump.h"

namespace orvela::testing {

class VirtualTime final : public Clock, public EventPump {
public:
    VirtualTime();   // installs itself as clock and pump
    ~VirtualTime() override;  // puts the real ones back

    // Clock
    std::int64_t nowMs() override { return now_; }
    std::tm localTime() override { return timeOfDay_; }
    void sleepMs(int ms) override;

    // EventPump
    void processPending() override;
    void waitUntil(const std::function<bool()>& done) override;
    void waitBriefly(int maxMs) override;
    void post(std::function<void()> task) override;
    std::unique_ptr<Timer> createTimer() override;

    void setTimeOfDay(int hour, int minute, int second);
    void advance(std::int64_t ms);   // fires timers that fall due
    // Called at every pass over the events, before posted tasks run.
    std::function<void()> onPass;
    // Called when a wait has nothing left that could end it; may post tasks.
    std::function<void()> onStall;
    // Called at every blocking sleep, before the clock moves on.
    std::function<void(int ms)> onSleep;
    std::int64_t slept() const { return slept_; }

private:
    friend class VirtualTimer;
    struct Entry;
    void fireDue();
    bool nextDeadline(std::int64_t& deadline) const;

    std::int64_t now_ = 0;
    std::int64_t slept_ = 0;
    std::tm timeOfDay_{};
    std::deque<std::function<void()>> tasks_;
    std::vector<class VirtualTimer*> timers_;
};

}  // namespace orvela::testing
