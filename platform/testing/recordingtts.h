#pragma once
// A recording double of the directly driven speech engine. It installs itself as the
// engine, records every call in order (e.g. "TextData ahoj", "Inject \Spd=120\",
// "AudioReset") and reports AudioStart / AudioStop to the registered sinks through
// eventPump().post, as the test chooses:
//   automatic  - a text starts its audio at the next pass and stops it at the pass after;
//   startOnly  - the audio starts, but only AudioReset (or stopAudio()) ends it;
//   none       - nothing is reported by itself (the test calls startAudio()/stopAudio()).
// AudioReset while audio plays always reports AudioStop.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ttsengine.h"

namespace orvela::testing {

class RecordingTtsEngine final : public tts::Engine {
public:
    enum class Reports { automatic, startOnly, none };

    // Limits and value of one attribute; supported false answers E_NOTIMPL.
    struct Attribute {
        bool supported = true;
        std::uint32_t lo = 0;
        std::uint32_t hi = 0;
        std::uint32_t value = 0;
    };

    struct State {
        std::vector<tts::ModeInfo> modes;
        Attribute speed{true, 50, 400, 150};
        Attribute pitch{true, 50, 350, 100};
        Attribute volume{true, 0, 0xFFFFFFFFu, 0xFFFFFFFFu};
        Reports reports = Reports::automatic;
        std::vector<std::string> calls;
        std::vector<std::string> texts;
        // A call's name ("TextData", "Select", "CreateEnumerator", ...) -> the result it answers.
        std::map<std::string, HResult> failures;
        std::map<std::uint32_t, std::shared_ptr<tts::NotifySink>> sinks;
        std::uint32_t nextKey = 1;
        bool playing = false;
        std::uint64_t generation = 0;  // a reset makes pending reports stale
        std::function<void(const std::string&)> onText;
    };

    // Installs itself; the modes are a Czech and a Slovak voice.
    RecordingTtsEngine();
    ~RecordingTtsEngine() override;

    HResult CreateAudioDest(std::shared_ptr<tts::AudioDestination>& destination) override;
    HResult CreateEnumerator(std::shared_ptr<tts::Enumerator>& enumerator) override;

    State& state() { return *state_; }
    std::vector<tts::ModeInfo>& modes() { return state_->modes; }
    Attribute& speed() { return state_->speed; }
    Attribute& pitch() { return state_->pitch; }
    Attribute& volume() { return state_->volume; }
    void setReports(Reports reports) { state_->reports = reports; }
    void failWith(const std::string& call, HResult result) { state_->failures[call] = result; }

    // Every call in order; clearCalls() forgets those made so far.
    const std::vector<std::string>& calls() const { return state_->calls; }
    void clearCalls() { state_->calls.clear(); }
    // The texts handed to TextData, in order.
    const std::vector<std::string>& texts() const { return state_->texts; }
    bool playing() const { return state_->playing; }
    std::size_t registeredSinks() const { return state_->sinks.size(); }

    // Post AudioStart / AudioStop to the registered sinks, as the engine would.
    void startAudio();
    void stopAudio();

private:
    std::shared_ptr<State> state_;
};

}  // namespace orvela::testing
