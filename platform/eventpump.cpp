#include "platform/eventpump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <memory>

namespace orvela {
namespace {

class QtTimer final : public Timer {
public:
    QtTimer() {
        // A coarse timer may fire 5 % early, which shortens every SOUND note.
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (onTimer) onTimer();
        });
    }
    void setInterval(int ms) override {
        interval_ = ms;
        apply();
    }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        apply();
    }
    bool enabled() const override { return enabled_; }

private:
    void apply() {
        if (enabled_ && interval_ > 0)
            timer_.start(interval_);
        else
            timer_.stop();
    }
    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = false;
};

class QtEventPump final : public EventPump {
public:
    void processPending() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }

    void waitUntil(const std::function<bool()>& done) override {
        // A slow heartbeat so a flag changed without an event still ends the wait.
        QTimer heartbeat;
        heartbeat.start(50);
        for (;;) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (done()) return;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (done()) return;
        }
    }

    void waitBriefly(int maxMs) override {
        // One timer for every wait: a program polling for keys calls this a hundred
        // times a second, and needs no new timer object each time.
        if (!limit_) {
            limit_ = std::make_unique<QTimer>();
            limit_->setSingleShot(true);
        }
        limit_->start(maxMs);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        limit_->stop();
    }

    void post(std::function<void()> task) override {
        if (auto* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, std::move(task), Qt::QueuedConnection);
    }

    std::unique_ptr<Timer> createTimer() override { return std::make_unique<QtTimer>(); }

private:
    std::unique_ptr<QTimer> limit_;
};

EventPump* installed = nullptr;

}  // namespace

EventPump& eventPump() {
    static QtEventPump qtPump;
    return installed ? *installed : qtPump;
}

void setEventPump(EventPump* pump) { installed = pump; }

}  // namespace orvela
