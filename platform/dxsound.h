#pragma once
// The sound objects of the main window: the device (TDXSound) and the list of
// named waves (TDXWaveList, its TWaveCollection of TWaveCollectionItem).
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sounddevice.h"

namespace orvela {

class TDXSound {
public:
    // Opens the sound device; raises OrvelaError when it cannot be opened.
    void Initialize();
    bool Initialized() const { return device_ != nullptr; }
    const std::shared_ptr<SoundDevice>& device() const { return device_; }

private:
    std::shared_ptr<SoundDevice> device_;
};

// One named wave and how it will play next.
class TWaveCollectionItem {
public:
    TWaveCollectionItem(const WaveData& wave, std::unique_ptr<DeviceWave> deviceWave);

    const std::string& name() const { return name_; }
    int lengthMs() const { return lengthMs_; }

    void setLooped(bool looped) { playback_.looped = looped; }
    bool looped() const { return playback_.looped; }
    // Playback rate in hertz; a rate the device does not accept is ignored.
    void setFrequency(long long hertz);
    int frequency() const { return playback_.frequency; }
    // Hundredths of a decibel, -10000 to 0; anything else is ignored.
    void setVolume(long long volume);
    int volume() const { return playback_.volume; }

    void play(bool wait);
    void stop();

    // The range a device accepts, as the classic sound device did.
    static constexpr int kMinFrequency = 100;
    static constexpr int kMaxFrequency = 200000;
    static constexpr int kMinVolume = -10000;
    static constexpr int kMaxVolume = 0;

private:
    std::string name_;
    int lengthMs_;
    WavePlayback playback_;
    std::unique_ptr<DeviceWave> deviceWave_;
};

class TWaveCollection {
public:
    explicit TWaveCollection(TDXSound& sound) : sound_(sound) {}

    // Replaces the contents with the waves of a collection file; raises OrvelaError
    // when it cannot be read or is damaged (the old contents then stay).
    void loadFromFile(const std::string& path);
    void loadFromBytes(std::string_view bytes);
    void load(const std::vector<WaveData>& waves);

    // Without regard to case; raises "Wave '%s' not found".
    TWaveCollectionItem& find(std::string_view name);
    std::size_t count() const { return items_.size(); }
    void clear() { items_.clear(); }

private:
    TDXSound& sound_;
    std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
};

// Attached to a device for its whole life.
class TDXWaveList {
public:
    explicit TDXWaveList(TDXSound& sound) : items_(sound) {}
    TWaveCollection& items() { return items_; }

private:
    TWaveCollection items_;
};

}  // namespace orvela
