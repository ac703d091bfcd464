#include "platform/testing/recordingsound.h"

#include <cmath>

#include "app/soundobjects.h"
#include "platform/clock.h"
#include "platform/defaultwaves.h"
#include "platform/errors.h"

namespace orvela::testing {
namespace {

class RecordedWave final : public DeviceWave {
public:
    RecordedWave(RecordingSound& owner, const WaveData& wave)
        : owner_(owner), name_(wave.name), samples_(wave.samples.size()) {}
    void play(const WavePlayback& p, bool wait) override {
        owner_.events.push_back({SoundEvent::Play, name_, p.looped, p.frequency, p.volume, wait, clock().nowMs()});
        if (wait && !p.looped && p.frequency > 0)
            clock().sleepMs(static_cast<int>(std::ceil(1000.0 * static_cast<double>(samples_) / p.frequency)));
    }
    void stop() override { owner_.events.push_back({SoundEvent::Stop, name_, false, 0, 0, false, clock().nowMs()}); }

private:
    RecordingSound& owner_;
    std::string name_;
    std::size_t samples_;
};

class RecordingDevice final : public SoundDevice {
public:
    explicit RecordingDevice(RecordingSound& owner) : owner_(owner) {}
    std::unique_ptr<DeviceWave> createWave(const WaveData& wave) override {
        ++owner_.wavesCreated;
        return std::make_unique<RecordedWave>(owner_, wave);
    }

private:
    RecordingSound& owner_;
};

}  // namespace

std::string SoundEvent::text() const {
    if (kind == Stop) return "stop " + name;
    return "play " + name + (looped ? " looped " : " once ") + std::to_string(frequency) + " Hz " +
           std::to_string(volume) + " cB" + (wait ? " wait" : "");
}

RecordingSound::RecordingSound(bool loadDefaultWaves) {
    previous_ = setSoundDeviceOpener([this]() -> std::shared_ptr<SoundDevice> {
        if (failOpen) throw OrvelaError("The sound device cannot be opened");
        ++devicesOpened;
        return std::make_shared<RecordingDevice>(*this);
    });
    if (!loadDefaultWaves) return;
    createsoundobjects();
    wavelist->items().load(defaultWaves());
}

RecordingSound::~RecordingSound() {
    releasesoundobjects();
    setSoundDeviceOpener(std::move(previous_));
}

std::vector<std::string> RecordingSound::texts() const {
    std::vector<std::string> out;
    for (const auto& e : events) out.push_back(e.text());
    return out;
}

std::vector<std::string> RecordingSound::timeline() const {
    std::vector<std::string> out;
    for (const auto& e : events) out.push_back(std::to_string(e.at - events.front().at) + " " + e.text());
    return out;
}

}  // namespace orvela::testing
