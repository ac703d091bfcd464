#pragma once
// What the sound objects need of an output device. OpenAL Soft provides the real
// one; tests install a recording double in its place.
#include <functional>
#include <memory>

#include "platform/wavecollectionfile.h"

namespace orvela {

// How one play of a wave sounds: looped, playback rate in hertz, volume in
// hundredths of a decibel (0 full, -10000 silent).
struct WavePlayback {
    bool looped = false;
    int frequency = 0;
    int volume = 0;
};

// One wave held by the device.
class DeviceWave {
public:
    virtual ~DeviceWave() = default;
    // A looped wave restarts from its beginning; a wave that is not looped starts a
    // fresh copy, and with wait the call returns when that copy has finished,
    // handling no window events. Device errors are not reported.
    virtual void play(const WavePlayback& playback, bool wait) = 0;
    // Stops every copy of the wave.
    virtual void stop() = 0;
};

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual std::unique_ptr<DeviceWave> createWave(const WaveData& wave) = 0;
};

// Opens the sound device; raises OrvelaError when it cannot be opened.
using SoundDeviceOpener = std::function<std::shared_ptr<SoundDevice>()>;
std::shared_ptr<SoundDevice> openSoundDevice();
// Tests install their own opener; an empty one puts OpenAL back. Returns the one
// it replaces, so doubles can nest.
SoundDeviceOpener setSoundDeviceOpener(SoundDeviceOpener opener);

// The OpenAL Soft device (the default output, shared with the voice).
std::shared_ptr<SoundDevice> openOpenAlDevice();

}  // namespace orvela
