#pragma once
// The one event pump the system's waits go through. Waits handle pending window
// events and test a flag; between passes they block in the event loop instead of
// spinning. Tests install a virtual pump that runs on virtual time.
#include <functional>
#include <memory>

namespace orvela {

// A window timer in the manner of the classic toolkit: fires every interval while
// enabled; an interval of 0 never fires.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    std::function<void()> onTimer;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // One pass over the events that are waiting.
    virtual void processPending() = 0;
    // Handles events until done() holds; done() is first tested after one pass.
    virtual void waitUntil(const std::function<bool()>& done) = 0;
    // Handles waiting events; when none arrive, blocks at most maxMs for one.
    virtual void waitBriefly(int maxMs) = 0;
    // Runs task on the main thread at its next pass; callable from any thread.
    virtual void post(std::function<void()> task) = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

EventPump& eventPump();
// nullptr puts the Qt event pump back.
void setEventPump(EventPump* pump);

}  // namespace orvela
