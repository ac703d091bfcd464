#include "platform/speechaudio.h"

#include "platform/errors.h"

// The thread-local context calls are declared only on request.
#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

namespace orvela {

SpeechAudio::Current::Current(SpeechAudio& audio) : lock_(audio.mutex_) {
    alcSetThreadContext(static_cast<ALCcontext*>(audio.output_->context()));
}

SpeechAudio::Current::~Current() { alcSetThreadContext(nullptr); }

std::unique_ptr<SpeechAudio> SpeechAudio::open() {
    std::unique_ptr<SpeechAudio> audio(new SpeechAudio);
    try {
        audio->output_ = AudioOutput::acquire();
    } catch (const OrvelaError&) {
        return nullptr;
    }
    return audio;
}

SpeechAudio::~SpeechAudio() = default;

std::unique_ptr<SpeechAudio::Stream> SpeechAudio::createStream() {
    return std::unique_ptr<Stream>(new Stream(*this));
}

SpeechAudio::Stream::Stream(SpeechAudio& audio) : audio_(audio) {
    const Current current(audio_);
    alGenSources(1, &source_);
}

SpeechAudio::Stream::~Stream() {
    const Current current(audio_);
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    alDeleteSources(1, &source_);
    if (!allBuffers_.empty()) alDeleteBuffers(static_cast<ALsizei>(allBuffers_.size()), allBuffers_.data());
}

// Takes back the buffers the source has finished with; the context is current.
void SpeechAudio::Stream::recycle() {
    ALint processed = 0;
    alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
    while (processed-- > 0) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source_, 1, &buffer);
        freeBuffers_.push_back(buffer);
    }
}

void SpeechAudio::Stream::queue(const std::int16_t* frames, std::size_t count, int sampleRate) {
    if (count == 0) return;
    const Current current(audio_);
    recycle();
    ALuint buffer = 0;
    if (freeBuffers_.empty()) {
        alGenBuffers(1, &buffer);
        allBuffers_.push_back(buffer);
    } else {
        buffer = freeBuffers_.back();
        freeBuffers_.pop_back();
    }
    alBufferData(buffer, AL_FORMAT_STEREO16, frames, static_cast<ALsizei>(count * 2 * sizeof(std::int16_t)),
                 sampleRate);
    alSourceQueueBuffers(source_, 1, &buffer);
    ALint state = 0;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) alSourcePlay(source_);
}

void SpeechAudio::Stream::stop() {
    const Current current(audio_);
    alSourceStop(source_);
    recycle();
}

bool SpeechAudio::Stream::finished() {
    const Current current(audio_);
    ALint state = 0;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING) return false;
    recycle();
    ALint queued = 0;
    alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
    return queued == 0;
}

}  // namespace orvela
