#include "platform/testing/virtualtime.h"

#include <algorithm>
#include <stdexcept>

namespace orvela::testing {

class VirtualTimer final : public Timer {
public:
    explicit VirtualTimer(VirtualTime& time) : time_(time) { time_.timers_.push_back(this); }
    ~VirtualTimer() override {
        auto& list = time_.timers_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    void setInterval(int ms) override {
        interval_ = ms;
        restart();
    }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        restart();
    }
    bool enabled() const override { return enabled_; }
    bool armed() const { return enabled_ && interval_ > 0; }
    std::int64_t due = 0;

    void restart() { due = time_.now_ + interval_; }

private:
    VirtualTime& time_;
    int interval_ = 1000;
    bool enabled_ = false;
};

VirtualTime::VirtualTime() {
    setClock(this);
    setEventPump(this);
}

VirtualTime::~VirtualTime() {
    setClock(nullptr);
    setEventPump(nullptr);
}

void VirtualTime::setTimeOfDay(int hour, int minute, int second) {
    timeOfDay_.tm_hour = hour;
    timeOfDay_.tm_min = minute;
    timeOfDay_.tm_sec = second;
}

void VirtualTime::sleepMs(int ms) {
    if (ms <= 0) return;
    if (onSleep) onSleep(ms);
    now_ += ms;
    slept_ += ms;
}

void VirtualTime::fireDue() {
    // Copy: a timer's handler may create or destroy timers.
    auto timers = timers_;
    for (auto* timer : timers) {
        if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end()) continue;
        if (timer->armed() && timer->due <= now_) {
            timer->due = now_ + timer->interval();
            if (timer->onTimer) timer->onTimer();
        }
    }
}

void VirtualTime::processPending() {
    if (onPass) onPass();
    fireDue();
    std::size_t budget = tasks_.size();
    while (budget-- > 0 && !tasks_.empty()) {
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        task();
    }
}

bool VirtualTime::nextDeadline(std::int64_t& deadline) const {
    bool any = false;
    for (auto* timer : timers_) {
        if (!timer->armed()) continue;
        if (!any || timer->due < deadline) deadline = timer->due;
        any = true;
    }
    return any;
}

void VirtualTime::advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    std::int64_t deadline = 0;
    while (nextDeadline(deadline) && deadline <= end) {
        now_ = std::max(now_, deadline);
        fireDue();
    }
    now_ = end;
}

void VirtualTime::waitUntil(const std::function<bool()>& done) {
    for (int stalls = 0;;) {
        processPending();
        if (done()) return;
        if (!tasks_.empty()) continue;
        std::int64_t deadline = 0;
        if (nextDeadline(deadline)) {
            now_ = std::max(now_, deadline);
            continue;
        }
        if (onStall && stalls++ < 1000) {
            onStall();
            continue;
        }
        throw std::logic_error("virtual wait can never end: no task, no timer");
    }
}

void VirtualTime::waitBriefly(int maxMs) {
    processPending();
    if (tasks_.empty()) {
        if (onStall) onStall();
        if (tasks_.empty()) advance(maxMs);
    }
    processPending();
}

void VirtualTime::post(std::function<void()> task) { tasks_.push_back(std::move(task)); }

std::unique_ptr<Timer> VirtualTime::createTimer() { return std::make_unique<VirtualTimer>(*this); }

}  // namespace orvela::testing
