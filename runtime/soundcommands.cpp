#include "runtime/soundcommands.h"

#include <cmath>
#include <limits>
#include <string>

#include "app/settingsfile.h"
#include "app/soundobjects.h"
#include "platform/errors.h"

namespace orvela {

std::uint8_t lastoctave = 1;
std::int32_t lastduration = 1;
bool soundplaying = false;

namespace {

// Truncates toward zero, saturating at the ends of the range (NaN gives 0), so a
// BASIC number of any size converts without undefined behaviour.
std::int64_t truncated(double value, std::int64_t limit = std::numeric_limits<std::int32_t>::max()) {
    if (std::isnan(value)) return 0;
    const double t = std::trunc(value);
    if (t >= static_cast<double>(limit)) return limit;
    if (t <= -static_cast<double>(limit)) return -limit;
    return static_cast<std::int64_t>(t);
}

// The wave's playback rate is 64 times the note value (note 0 plays as 2).
constexpr std::int64_t kRatePerNote = 64;
constexpr std::int64_t kNoteLimit = 1'000'000'000;

TWaveCollectionItem& findwave(const std::string& name) {
    if (!wavelist) throw OrvelaError(formatMessage("Wave '%s' not found", name));
    return wavelist->items().find(name);
}

// The one timer that ends a SOUND. The toolkit timer behind it exists only while a
// SOUND runs, so it always belongs to the event pump of that moment (tests swap
// pumps between cases); outside a SOUND the settings are just kept.
class SoundTimer final : public Timer {
public:
    SoundTimer() { onTimer = TimerTimer; }
    void setInterval(int ms) override {
        interval_ = ms;
        if (live_) live_->setInterval(ms);
    }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        if (live_) live_->setEnabled(enabled);
    }
    bool enabled() const override { return enabled_; }

    void enter() {
        if (depth_++ > 0) return;
        live_ = eventPump().createTimer();
        live_->onTimer = [this] {
            if (onTimer) onTimer();
        };
        live_->setInterval(interval_);
        live_->setEnabled(enabled_);
    }
    void leave() {
        if (--depth_ == 0) live_.reset();
    }

private:
    std::unique_ptr<Timer> live_;
    int depth_ = 0;
    int interval_ = 0;
    bool enabled_ = false;
};

SoundTimer& timer() {
    static SoundTimer instance;
    return instance;
}

struct TimerScope {
    TimerScope() { timer().enter(); }
    ~TimerScope() { timer().leave(); }
    TimerScope(const TimerScope&) = delete;
    TimerScope& operator=(const TimerScope&) = delete;
};

void stopall(const std::vector<std::string>& names) {
    for (const auto& name : names) findwave(name).stop();
}

}  // namespace

Timer& soundtimer() { return timer(); }

void TimerTimer() {
    soundplaying = false;
    soundtimer().setEnabled(false);
}

void sound(const std::vector<double>& notes, double duration, double octave) {
    if (!orvelasounds) return;
    if (octave > 9) octave = lastoctave;
    if (duration < 0) duration = lastduration;
    const auto octaveNumber = truncated(octave);
    const auto ms = static_cast<std::int32_t>(truncated(duration));
    lastoctave = static_cast<std::uint8_t>(octaveNumber);   // a byte, as the runtime keeps it
    lastduration = ms;

    // Every wave is found before any starts: a missing one then leaves no note
    // looping with nothing to stop it.
    std::vector<std::string> names;
    std::vector<TWaveCollectionItem*> waves;
    for (std::size_t i = 1; i <= notes.size(); ++i) {
        names.push_back("snd" + std::to_string(i) + std::to_string(octaveNumber));
        waves.push_back(&findwave(names.back()));
    }

    soundplaying = true;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        auto n = truncated(notes[i], kNoteLimit);
        if (n == 0) n = 2;
        waves[i]->setLooped(true);
        waves[i]->setFrequency(n * kRatePerNote);
        waves[i]->setVolume(sndvolume);
        waves[i]->play(false);
    }

    TimerScope scope;
    soundtimer().setInterval(ms);
    soundtimer().setEnabled(true);
    try {
        eventPump().waitUntil([] { return !soundplaying; });
    } catch (...) {
        stopall(names);
        throw;
    }
    stopall(names);
}

void beep() {
    if (!orvelasounds) return;
    auto& wave = findwave("beep");
    wave.setVolume(sndvolume);
    wave.play(true);
}

void click(double n) {
    if (!orvelasounds) return;
    auto& wave = findwave("click" + std::to_string(truncated(n)));
    wave.setVolume(sndvolume);
    wave.play(true);
}

}  // namespace orvela
