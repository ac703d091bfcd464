#pragma once
// The directly driven engine over espeak-ng: modes are the espeak-ng voices (Slovak,
// Czech and English first, then the others by name), synthesis runs on a worker thread
// per open voice and its PCM plays through the voice's own OpenAL source.
#include <cstddef>
#include <functional>
#include <memory>

#include "platform/ttsengine.h"

namespace orvela::tts {

Engine& espeakEngine();
// Starts listing the voices on a thread of its own, so that start-up goes on meanwhile;
// the next enumerator created takes the list.
void listVoicesAhead();

// Watches the engine's audio (integration tests, benchmark). Called on the worker thread.
struct AudioTrace {
    std::function<void(std::size_t frames, int sampleRate)> onQueued;  // PCM handed to OpenAL
    std::function<void()> onSilent;                                     // the source has stopped
};
void setAudioTrace(std::shared_ptr<AudioTrace> trace);

}  // namespace orvela::tts
