#include "platform/testing/recordingtts.h"

#include "platform/eventpump.h"

namespace orvela::testing {
namespace {

using State = RecordingTtsEngine::State;

HResult answer(State& state, const std::string& call, const std::string& record) {
    state.calls.push_back(record.empty() ? call : call + " " + record);
    const auto failure = state.failures.find(call);
    return failure == state.failures.end() ? S_OK : failure->second;
}

void notify(const std::weak_ptr<State>& weak, bool start) {
    eventPump().post([weak, start] {
        auto state = weak.lock();
        if (!state) return;
        // Copy: a sink may unregister itself.
        auto sinks = state->sinks;
        for (auto& [key, sink] : sinks) {
            if (start)
                sink->AudioStart(0);
            else
                sink->AudioStop(0);
        }
    });
}

void beginAudio(const std::shared_ptr<State>& state) {
    const std::weak_ptr<State> weak = state;
    const auto generation = state->generation;
    eventPump().post([weak, generation] {
        auto state = weak.lock();
        if (!state || state->generation != generation || state->playing) return;
        state->playing = true;
        auto sinks = state->sinks;
        for (auto& [key, sink] : sinks) sink->AudioStart(0);
        if (state->reports != RecordingTtsEngine::Reports::automatic) return;
        eventPump().post([weak, generation] {
            auto state = weak.lock();
            if (!state || state->generation != generation || !state->playing) return;
            state->playing = false;
            auto sinks = state->sinks;
            for (auto& [key, sink] : sinks) sink->AudioStop(0);
        });
    });
}

class Attributes final : public tts::Attributes {
public:
    explicit Attributes(std::shared_ptr<State> state) : state_(std::move(state)) {}
    HResult SpeedGet(std::uint32_t& speed) override { return get("SpeedGet", state_->speed, speed); }
    HResult SpeedSet(std::uint32_t speed) override { return set("SpeedSet", state_->speed, speed); }
    HResult PitchGet(std::uint16_t& pitch) override {
        std::uint32_t value = 0;
        const HResult result = get("PitchGet", state_->pitch, value);
        pitch = static_cast<std::uint16_t>(value);
        return result;
    }
    HResult PitchSet(std::uint16_t pitch) override { return set("PitchSet", state_->pitch, pitch); }
    HResult VolumeGet(std::uint32_t& volume) override { return get("VolumeGet", state_->volume, volume); }
    HResult VolumeSet(std::uint32_t volume) override { return set("VolumeSet", state_->volume, volume); }

private:
    HResult get(const char* call, const RecordingTtsEngine::Attribute& attribute, std::uint32_t& value) {
        const HResult result = answer(*state_, call, "");
        if (!attribute.supported) return E_NOTIMPL;
        if (failed(result)) return result;
        value = attribute.value;
        return S_OK;
    }
    HResult set(const char* call, RecordingTtsEngine::Attribute& attribute, std::uint32_t value) {
        const HResult result = answer(*state_, call, std::to_string(value));
        if (!attribute.supported) return E_NOTIMPL;
        if (failed(result)) return result;
        attribute.value = value < attribute.lo ? attribute.lo : value > attribute.hi ? attribute.hi : value;
        return S_OK;
    }
    std::shared_ptr<State> state_;
};

class Central final : public tts::Central {
public:
    explicit Central(std::shared_ptr<State> state) : state_(std::move(state)) {}

    HResult TextData(const std::string& text) override {
        const HResult result = answer(*state_, "TextData", text);
        if (failed(result)) return result;
        state_->texts.push_back(text);
        if (state_->onText) state_->onText(text);
        if (state_->reports != RecordingTtsEngine::Reports::none) beginAudio(state_);
        return S_OK;
    }
    HResult AudioReset() override {
        const HResult result = answer(*state_, "AudioReset", "");
        if (failed(result)) return result;
        ++state_->generation;
        if (state_->playing) {
            state_->playing = false;
            notify(state_, false);
        }
        return S_OK;
    }
    HResult Inject(const std::string& tag) override { return answer(*state_, "Inject", tag); }
    HResult Register(std::shared_ptr<tts::NotifySink> sink, std::uint32_t& key) override {
        const HResult result = answer(*state_, "Register", "");
        if (failed(result)) return result;
        key = state_->nextKey++;
        state_->sinks[key] = std::move(sink);
        return S_OK;
    }
    HResult UnRegister(std::uint32_t key) override {
        const HResult result = answer(*state_, "UnRegister", std::to_string(key));
        if (failed(result)) return result;
        return state_->sinks.erase(key) ? S_OK : E_INVALIDARG;
    }
    HResult QueryAttributes(std::shared_ptr<tts::Attributes>& attributes) override {
        const HResult result = answer(*state_, "QueryInterface", "");
        if (failed(result)) return result;
        attributes = std::make_shared<Attributes>(state_);
        return S_OK;
    }

private:
    std::shared_ptr<State> state_;
};

class Enumerator final : public tts::Enumerator {
public:
    explicit Enumerator(std::shared_ptr<State> state) : state_(std::move(state)) {}
    HResult Reset() override {
        const HResult result = answer(*state_, "Reset", "");
        if (!failed(result)) position_ = 0;
        return result;
    }
    HResult Next(tts::ModeInfo& mode, std::uint32_t& fetched) override {
        const HResult result = answer(*state_, "Next", "");
        fetched = 0;
        if (failed(result)) return result;
        if (position_ >= state_->modes.size()) return S_OK;
        mode = state_->modes[position_++];
        fetched = 1;
        return S_OK;
    }
    HResult Select(const std::string& modeId, std::shared_ptr<tts::Central>& central,
                   const std::shared_ptr<tts::AudioDestination>& destination) override {
        const HResult result = answer(*state_, "Select", modeId);
        if (failed(result)) return result;
        if (!destination) return E_INVALIDARG;
        central = std::make_shared<Central>(state_);
        return S_OK;
    }

private:
    std::shared_ptr<State> state_;
    std::size_t position_ = 0;
};

class Destination final : public tts::AudioDestination {};

}  // namespace

RecordingTtsEngine::RecordingTtsEngine() : state_(std::make_shared<State>()) {
    state_->modes = {{"cs", "Czech"}, {"sk", "Slovak"}};
    tts::setEngine(this);
}

RecordingTtsEngine::~RecordingTtsEngine() { tts::setEngine(nullptr); }

HResult RecordingTtsEngine::CreateAudioDest(std::shared_ptr<tts::AudioDestination>& destination) {
    const HResult result = answer(*state_, "CreateAudioDest", "");
    if (!failed(result)) destination = std::make_shared<Destination>();
    return result;
}

HResult RecordingTtsEngine::CreateEnumerator(std::shared_ptr<tts::Enumerator>& enumerator) {
    const HResult result = answer(*state_, "CreateEnumerator", "");
    if (!failed(result)) enumerator = std::make_shared<Enumerator>(state_);
    return result;
}

void RecordingTtsEngine::startAudio() {
    state_->playing = true;
    notify(state_, true);
}

void RecordingTtsEngine::stopAudio() {
    state_->playing = false;
    notify(state_, false);
}

}  // namespace orvela::testing
