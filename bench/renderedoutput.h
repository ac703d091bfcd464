#pragma once
// The shared sound output mixed in memory by a thread of its own, one device period at a
// time and paced like a sound card, keeping every frame with the moment it was mixed, so
// that a benchmark can tell when a stop was first heard as silence.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/audiooutput.h"

namespace orvela::bench {

class RenderedOutput {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kRate = 44100;

    explicit RenderedOutput(int periodFrames)
        : output_(AudioOutput::acquireInMemory(kRate)), period_(periodFrames), thread_([this] { run(); }) {}
    ~RenderedOutput() {
        running_ = false;
        thread_.join();
    }

    // Frames mixed so far: a call made now can change only the frames after these.
    std::size_t frames() {
        const std::lock_guard lock(mutex_);
        return left_.size();
    }
    // Milliseconds from call until the output fell silent for good (up to now), or
    // nothing when it was not sounding just before the call.
    std::optional<double> msToSilence(Clock::time_point call, std::size_t framesAtCall) {
        const std::lock_guard lock(mutex_);
        const auto loud = [this](std::size_t i) { return std::abs(left_[i]) > 2; };
        const std::size_t before = std::min<std::size_t>(framesAtCall, kRate / 10);
        bool sounding = false;
        for (std::size_t i = framesAtCall - before; i < framesAtCall && !sounding; ++i) sounding = loud(i);
        if (!sounding) return std::nullopt;
        std::size_t silentFrom = left_.size();
        while (silentFrom > framesAtCall && !loud(silentFrom - 1)) --silentFrom;
        if (silentFrom == left_.size()) return std::nullopt;  // still sounding
        const std::size_t chunk = silentFrom / static_cast<std::size_t>(period_);
        const auto heard = mixedAt_[chunk] + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                                                 static_cast<double>(silentFrom % period_) / kRate));
        return std::chrono::duration<double, std::milli>(heard - call).count();
    }

private:
    void run() {
        std::vector<std::int16_t> stereo(static_cast<std::size_t>(period_) * 2);
        auto next = Clock::now();
        while (running_) {
            std::this_thread::sleep_until(next);
            const auto now = Clock::now();
            output_->render(stereo.data(), static_cast<std::size_t>(period_));
            {
                const std::lock_guard lock(mutex_);
                mixedAt_.push_back(now);
                for (std::size_t i = 0; i < stereo.size(); i += 2) left_.push_back(stereo[i]);
            }
            next += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(double(period_) / kRate));
        }
    }

    std::shared_ptr<AudioOutput> output_;
    int period_;
    std::mutex mutex_;
    std::vector<std::int16_t> left_;
    std::vector<Clock::time_point> mixedAt_;
    std::atomic<bool> running_{true};
    std::thread thread_;
};

}  // namespace orvela::bench
