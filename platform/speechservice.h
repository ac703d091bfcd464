#pragma once
// The desktop's own speech service, shaped like the voice object the speech operations
// call: event interests, Speak with flags, and the start and end of each stream reported
// on the main thread (through eventPump().post), also when a purge cuts a text off.
// Only the events asked for by the event interests are reported. A service that goes
// away (the daemon dies) reports the end of every stream it still had and counts as lost
// from then on. Failures raise ComError.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/comerror.h"

namespace orvela::sapi5 {

inline constexpr int SVSFlagsAsync = 1;
inline constexpr int SVSFPurgeBeforeSpeak = 2;
inline constexpr int SVSFIsXML = 8;
inline constexpr std::int32_t SVEStartInputStream = 2;
inline constexpr std::int32_t SVEEndInputStream = 4;
inline constexpr std::int32_t SVEAllEvents = 33790;

struct StreamEvents {
    std::function<void(std::int32_t stream, std::int64_t position)> onStartStream;
    std::function<void(std::int32_t stream, std::int64_t position)> onEndStream;
};

class Service {
public:
    virtual ~Service() = default;
    virtual void setEventInterests(std::int32_t interests) = 0;
    // text is Windows-1250; flags 1 queue, 2 purge, 9 queue as markup. Returns the stream number.
    virtual std::int32_t Speak(const std::string& text, int flags) = 0;
    // The service went away; nothing more can be said through this connection.
    virtual bool lost() const = 0;
};

// Connects to the service; raises ComError when it cannot be reached. The service keeps
// only a weak reference to events and stops reporting once they are gone.
using Connector = std::function<std::unique_ptr<Service>(std::weak_ptr<StreamEvents> events)>;

std::unique_ptr<Service> connect(std::weak_ptr<StreamEvents> events);
// Tests install a double; an empty connector puts the real service back.
void setConnector(Connector connector);

}  // namespace orvela::sapi5
