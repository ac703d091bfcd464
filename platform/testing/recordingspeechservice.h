#pragma once
// A recording double of the desktop speech service. It installs itself as the service's
// connector, records every call ("Connect", "EventInterests 33790", "Speak 1 ahoj",
// "Speak 2 ") and reports the start and end of each stream through eventPump().post, as
// the real service does only when the connection's event interests asked for them (a new
// connection has asked for none):
//   automatic  - a queued text starts at the next pass and ends at the pass after;
//   startOnly  - a text starts, but only a purge (or endStream()) ends it;
//   none       - nothing is reported by itself (the test calls startStream()/endStream()).
// A purge always ends the stream it cuts off and drops the queue. goAway() is the daemon
// dying: the connection reports the end of every stream it had and is lost from then on.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/speechservice.h"

namespace orvela::testing {

class RecordingSpeechService {
public:
    enum class Reports { automatic, startOnly, none };

    struct Spoken {
        std::string text;
        int flags;
    };

    struct State {
        bool reachable = true;
        Reports reports = Reports::automatic;
        std::vector<std::string> calls;
        std::vector<Spoken> spoken;
        std::deque<std::int32_t> queue;
        std::int32_t current = 0;  // stream being spoken, 0 when none
        std::int32_t nextStream = 1;
        std::weak_ptr<sapi5::StreamEvents> events;
        std::int32_t interests = 0;  // of the newest connection
        std::shared_ptr<bool> lost;  // the newest connection went away
        std::function<void(const std::string&)> onText;
    };

    RecordingSpeechService();
    ~RecordingSpeechService();

    // When false, connecting raises the error of a service that cannot be reached.
    void setReachable(bool reachable) { state_->reachable = reachable; }
    void setReports(Reports reports) { state_->reports = reports; }

    const std::vector<std::string>& calls() const { return state_->calls; }
    void clearCalls() { state_->calls.clear(); }
    // Every Speak in order with its flags (purges included).
    const std::vector<Spoken>& speaks() const { return state_->spoken; }
    // The texts queued for speaking (flags 1 and 9), in order.
    std::vector<std::string> texts() const;
    bool speaking() const { return state_->current != 0; }

    // Report the start of the next queued stream / the end of the current one.
    void startStream();
    void endStream();
    // The service goes away under the newest connection.
    void goAway();

    State& state() { return *state_; }

private:
    std::shared_ptr<State> state_;
};

}  // namespace orvela::testing
