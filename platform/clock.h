#pragma once
// Time for the runtime: a monotonic count, the local time of day and a blocking pause.
// Tests install a virtual clock so that whole games run without real waiting.
#include <cstdint>
#include <ctime>

namespace orvela {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() = 0;     // monotonic milliseconds
    virtual std::tm localTime() = 0;      // wall-clock time of day
    virtual void sleepMs(int ms) = 0;     // blocks; no window event is handled meanwhile
};

Clock& clock();
// nullptr puts the system clock back.
void setClock(Clock* clock);

}  // namespace orvela
