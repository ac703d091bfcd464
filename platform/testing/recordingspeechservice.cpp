#include "platform/testing/recordingspeechservice.h"

#include "platform/eventpump.h"

namespace orvela::testing {
namespace {

using State = RecordingSpeechService::State;
using Reports = RecordingSpeechService::Reports;

void scheduleNext(const std::shared_ptr<State>& state);

void raise(const std::shared_ptr<State>& state, bool start, std::int32_t stream) {
    if (!(state->interests & (start ? sapi5::SVEStartInputStream : sapi5::SVEEndInputStream))) return;
    const auto events = state->events.lock();
    if (!events) return;
    const auto& handler = start ? events->onStartStream : events->onEndStream;
    if (handler) handler(stream, 0);
}

// Posts the start of the next queued stream (and, when automatic, its end after it).
void scheduleNext(const std::shared_ptr<State>& state) {
    const std::weak_ptr<State> weak = state;
    eventPump().post([weak] {
        auto state = weak.lock();
        if (!state || state->current != 0 || state->queue.empty()) return;
        const std::int32_t stream = state->queue.front();
        state->queue.pop_front();
        state->current = stream;
        raise(state, true, stream);
        if (state->reports != Reports::automatic) return;
        eventPump().post([weak, stream] {
            auto state = weak.lock();
            if (!state || state->current != stream) return;
            state->current = 0;
            raise(state, false, stream);
            scheduleNext(state);
        });
    });
}

// Posts the end of a stream the service will never speak.
void postEnd(const std::shared_ptr<State>& state, std::int32_t stream) {
    const std::weak_ptr<State> weak = state;
    eventPump().post([weak, stream] {
        if (auto state = weak.lock()) raise(state, false, stream);
    });
}

class Service final : public sapi5::Service {
public:
    explicit Service(std::shared_ptr<State> state) : state_(std::move(state)), lost_(state_->lost) {}

    void setEventInterests(std::int32_t interests) override {
        state_->calls.push_back("EventInterests " + std::to_string(interests));
        checkAlive();
        state_->interests = interests;
    }

    bool lost() const override { return *lost_; }

    std::int32_t Speak(const std::string& text, int flags) override {
        state_->calls.push_back("Speak " + std::to_string(flags) + " " + text);
        checkAlive();
        state_->spoken.push_back({text, flags});
        if (flags & sapi5::SVSFPurgeBeforeSpeak) {
            state_->queue.clear();
            if (state_->current != 0) {
                postEnd(state_, state_->current);
                state_->current = 0;
            }
            if (text.empty()) return 0;
        }
        if (state_->onText) state_->onText(text);
        const std::int32_t stream = state_->nextStream++;
        state_->queue.push_back(stream);
        if (state_->reports != Reports::none) scheduleNext(state_);
        return stream;
    }

private:
    void checkAlive() const {
        if (*lost_) throw ComError(RPC_E_DISCONNECTED);
    }

    std::shared_ptr<State> state_;
    std::shared_ptr<bool> lost_;
};

}  // namespace

RecordingSpeechService::RecordingSpeechService() : state_(std::make_shared<State>()) {
    const std::weak_ptr<State> weak = state_;
    sapi5::setConnector([weak](std::weak_ptr<sapi5::StreamEvents> events) -> std::unique_ptr<sapi5::Service> {
        auto state = weak.lock();
        if (!state) throw ComError(REGDB_E_CLASSNOTREG);
        state->calls.push_back("Connect");
        if (!state->reachable) throw ComError(REGDB_E_CLASSNOTREG);
        state->events = std::move(events);
        state->interests = 0;
        state->lost = std::make_shared<bool>(false);
        return std::make_unique<Service>(state);
    });
}

RecordingSpeechService::~RecordingSpeechService() { sapi5::setConnector({}); }

std::vector<std::string> RecordingSpeechService::texts() const {
    std::vector<std::string> out;
    for (const auto& speak : state_->spoken)
        if (!(speak.flags & sapi5::SVSFPurgeBeforeSpeak) || !speak.text.empty()) out.push_back(speak.text);
    return out;
}

void RecordingSpeechService::startStream() {
    if (state_->current != 0 || state_->queue.empty()) return;
    const std::int32_t stream = state_->queue.front();
    state_->queue.pop_front();
    state_->current = stream;
    const std::weak_ptr<State> weak = state_;
    eventPump().post([weak, stream] {
        if (auto state = weak.lock()) raise(state, true, stream);
    });
}

void RecordingSpeechService::endStream() {
    if (state_->current == 0) return;
    const std::int32_t stream = state_->current;
    state_->current = 0;
    postEnd(state_, stream);
}

void RecordingSpeechService::goAway() {
    if (!state_->lost || *state_->lost) return;
    *state_->lost = true;
    if (state_->current != 0) postEnd(state_, state_->current);
    for (const std::int32_t stream : state_->queue) postEnd(state_, stream);
    state_->current = 0;
    state_->queue.clear();
}

}  // namespace orvela::testing
