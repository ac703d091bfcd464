#include "platform/audiooutput.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <future>
#include <mutex>

#include "platform/errors.h"

namespace orvela {
namespace {

std::mutex outputMutex;
std::weak_ptr<AudioOutput> openOutput;
std::future<std::shared_ptr<AudioOutput>> openingAhead;

ALCdevice* asDevice(void* handle) { return static_cast<ALCdevice*>(handle); }
ALCcontext* asContext(void* handle) { return static_cast<ALCcontext*>(handle); }

}  // namespace

std::shared_ptr<AudioOutput> AudioOutput::create(void* handle, const int* attributes) {
    ALCcontext* created = alcCreateContext(asDevice(handle), attributes);
    if (!created || !alcMakeContextCurrent(created)) {
        if (created) alcDestroyContext(created);
        alcCloseDevice(asDevice(handle));
        throw OrvelaError("The sound device cannot be initialized");
    }
    return std::shared_ptr<AudioOutput>(new AudioOutput(handle, created));
}

std::shared_ptr<AudioOutput> AudioOutput::openDefault() {
    ALCdevice* opened = alcOpenDevice(nullptr);
    if (!opened) throw OrvelaError("The sound device cannot be opened");
    const ALCint attributes[] = {ALC_REFRESH, kRefreshPerSecond, 0};
    return create(opened, attributes);
}

void AudioOutput::openAhead() {
    const std::lock_guard lock(outputMutex);
    if (openingAhead.valid() || openOutput.lock()) return;
    openingAhead = std::async(std::launch::async, []() -> std::shared_ptr<AudioOutput> {
        try {
            return openDefault();
        } catch (const OrvelaError&) {
            return nullptr;
        }
    });
}

std::shared_ptr<AudioOutput> AudioOutput::acquire() {
    const std::lock_guard lock(outputMutex);
    if (auto output = openOutput.lock()) return output;
    if (openingAhead.valid()) {
        if (auto output = openingAhead.get()) {
            openOutput = output;
            return output;
        }
    }
    auto output = openDefault();
    openOutput = output;
    return output;
}

std::shared_ptr<AudioOutput> AudioOutput::acquireInMemory(int sampleRate) {
    const std::lock_guard lock(outputMutex);
    ALCdevice* opened = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!opened) throw OrvelaError("The sound device cannot be opened");
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_SHORT_SOFT,
                                 ALC_FREQUENCY, sampleRate, 0};
    auto output = create(opened, attributes);
    openOutput = output;
    return output;
}

AudioOutput::~AudioOutput() {
    if (alcGetCurrentContext() == asContext(context_)) alcMakeContextCurrent(nullptr);
    alcDestroyContext(asContext(context_));
    alcCloseDevice(asDevice(device_));
}

void AudioOutput::makeCurrent() const {
    if (alcGetCurrentContext() != asContext(context_)) alcMakeContextCurrent(asContext(context_));
}

void AudioOutput::render(std::int16_t* frames, std::size_t count) {
    alcRenderSamplesSOFT(asDevice(device_), frames, static_cast<ALCsizei>(count));
}

int AudioOutput::periodFrames() const {
    ALCint refresh = 0;
    alcGetIntegerv(asDevice(device_), ALC_REFRESH, 1, &refresh);
    return refresh > 0 ? sampleRate() / refresh : 0;
}

int AudioOutput::sampleRate() const {
    ALCint rate = 0;
    alcGetIntegerv(asDevice(device_), ALC_FREQUENCY, 1, &rate);
    return rate;
}

}  // namespace orvela
