#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace orvela {
namespace {

class SystemClock final : public Clock {
public:
    std::int64_t nowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    std::tm localTime() override {
        const std::time_t now = std::time(nullptr);
        std::tm parts{};
        localtime_r(&now, &parts);
        return parts;
    }
    void sleepMs(int ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
};

Clock* installed = nullptr;

}  // namespace

Clock& clock() {
    static SystemClock system;
    return installed ? *installed : system;
}

void setClock(Clock* c) { installed = c; }

}  // namespace orvela
