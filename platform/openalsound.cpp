// The sound device over OpenAL Soft: the output shared with the voice, a buffer per
// wave, one source for a looped wave and a fresh source per play of any other.
#include <AL/al.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <utility>
#include <vector>

#include "platform/audiooutput.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/sounddevice.h"

namespace orvela {
namespace {

class OpenAlDevice final : public SoundDevice, public std::enable_shared_from_this<OpenAlDevice> {
public:
    OpenAlDevice() : output_(AudioOutput::acquire()) {}
    // Another part of the program may have made its own context current.
    void select() { output_->makeCurrent(); }
    std::unique_ptr<DeviceWave> createWave(const WaveData& wave) override;

private:
    std::shared_ptr<AudioOutput> output_;
};

class OpenAlWave final : public DeviceWave {
public:
    OpenAlWave(std::shared_ptr<OpenAlDevice> device, const WaveData& wave)
        : device_(std::move(device)), rate_(wave.sampleRate), lengthMs_(wave.lengthMs()) {
        device_->select();
        alGetError();
        alGenBuffers(1, &buffer_);
        alBufferData(buffer_, AL_FORMAT_MONO16, wave.samples.data(),
                     static_cast<ALsizei>(wave.samples.size() * sizeof(std::int16_t)), static_cast<ALsizei>(rate_));
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer_);
            throw OrvelaError("The sound device refused wave '" + wave.name + "'");
        }
    }
    ~OpenAlWave() override {
        device_->select();
        if (loopSource_) alDeleteSources(1, &loopSource_);
        if (!copies_.empty()) alDeleteSources(static_cast<ALsizei>(copies_.size()), copies_.data());
        alDeleteBuffers(1, &buffer_);
    }

    void play(const WavePlayback& playback, bool wait) override {
        device_->select();
        const ALuint source = playback.looped ? loopSource() : freshCopy();
        if (!source) return;
        const float pitch = static_cast<float>(playback.frequency) / static_cast<float>(rate_);
        alSourcei(source, AL_LOOPING, playback.looped ? AL_TRUE : AL_FALSE);
        alSourcef(source, AL_PITCH, pitch);
        alSourcef(source, AL_GAIN, static_cast<float>(std::pow(10.0, playback.volume / 2000.0)));
        alSourcePlay(source);   // restarts a source that is already playing
        alGetError();
        if (wait && !playback.looped) waitForEnd(source, pitch);
    }

    void stop() override {
        device_->select();
        if (loopSource_) alSourceStop(loopSource_);
        for (auto source : copies_) alSourceStop(source);
        alGetError();
    }

private:
    ALuint newSource() {
        ALuint source = 0;
        alGetError();
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) return 0;   // out of voices: the play is lost
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer_));
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        return source;
    }
    ALuint loopSource() {
        if (!loopSource_) loopSource_ = newSource();
        return loopSource_;
    }
    // Reuses a copy that has finished, so a wave clicked thousands of times keeps
    // only as many sources as ever sounded at once.
    ALuint freshCopy() {
        for (auto source : copies_) {
            ALint state = AL_PLAYING;
            alGetSourcei(source, AL_SOURCE_STATE, &state);
            if (state != AL_PLAYING && state != AL_PAUSED) return source;
        }
        const ALuint source = newSource();
        if (source) copies_.push_back(source);
        return source;
    }
    // Blocks for the expected length, then polls briefly; a device that stalls
    // cannot hold the program for more than a second beyond that.
    void waitForEnd(ALuint source, float pitch) {
        if (pitch <= 0) return;
        const int expected = static_cast<int>(std::ceil(lengthMs_ / pitch));
        clock().sleepMs(expected);
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        for (;;) {
            ALint state = AL_STOPPED;
            alGetSourcei(source, AL_SOURCE_STATE, &state);
            if (state != AL_PLAYING || std::chrono::steady_clock::now() > giveUp) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        alGetError();
    }

    std::shared_ptr<OpenAlDevice> device_;
    ALuint buffer_ = 0;
    ALuint loopSource_ = 0;
    std::vector<ALuint> copies_;
    std::uint32_t rate_;
    int lengthMs_;
};

std::unique_ptr<DeviceWave> OpenAlDevice::createWave(const WaveData& wave) {
    return std::make_unique<OpenAlWave>(shared_from_this(), wave);
}

SoundDeviceOpener& installedOpener() {
    static SoundDeviceOpener opener;
    return opener;
}

}  // namespace

std::shared_ptr<SoundDevice> openOpenAlDevice() { return std::make_shared<OpenAlDevice>(); }

std::shared_ptr<SoundDevice> openSoundDevice() {
    return installedOpener() ? installedOpener()() : openOpenAlDevice();
}

SoundDeviceOpener setSoundDeviceOpener(SoundDeviceOpener opener) {
    return std::exchange(installedOpener(), std::move(opener));
}

}  // namespace orvela
