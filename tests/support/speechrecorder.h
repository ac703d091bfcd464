#pragma once
// One object for tests that check what the system says (#include "support/speechrecorder.h"). It installs recording doubles
// of both speech engines, allows the voice, and either opens a voice of the direct
// engine (the default) or puts all speech through the desktop speech service. Every
// text handed to either engine is kept in spoken(), in order. Both engines report the
// audio's start and end by themselves (see the doubles), so speakandwait returns.
// On destruction every speech flag and engine object is reset.
#include <string>
#include <vector>

#include "platform/testing/recordingspeechservice.h"
#include "platform/testing/recordingtts.h"

namespace orvela::testing {

class SpeechRecorder {
public:
    enum class Engine { direct, service };

    explicit SpeechRecorder(Engine engine = Engine::direct);
    ~SpeechRecorder();
    SpeechRecorder(const SpeechRecorder&) = delete;
    SpeechRecorder& operator=(const SpeechRecorder&) = delete;

    const std::vector<std::string>& spoken() const { return spoken_; }
    void clear() { spoken_.clear(); }

    RecordingTtsEngine direct;
    RecordingSpeechService service;

private:
    std::vector<std::string> spoken_;
    bool voiceallowedBefore_;
};

}  // namespace orvela::testing
