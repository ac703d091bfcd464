#pragma once
// The voice component of the speech service: it does not connect when created but at
// its first use, and hands the start and end of each stream to its two events. The
// event interests asked for are kept and given to every connection before its first
// text, so a service reached late, or again after it went away, reports as asked.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/speechservice.h"

namespace orvela {

class TSpVoice {
public:
    using StreamHandler = std::function<void(std::int32_t stream, std::int64_t position)>;
    TSpVoice(StreamHandler onStart, StreamHandler onEnd);

    // Both connect first when not connected yet, or connect again when the service went
    // away; failures raise ComError. A purge without a live connection has nothing to
    // cut off and does not connect.
    void setEventInterests(std::int32_t interests);
    std::int32_t Speak(const std::string& text, int flags);

    bool connected() const { return service_ != nullptr; }
    // Back to a voice just created: no connection, no interests; events still on their
    // way are not delivered.
    void disconnect();

private:
    sapi5::Service& service();
    bool live() const { return service_ && !service_->lost(); }

    StreamHandler onStart_;
    StreamHandler onEnd_;
    std::optional<std::int32_t> interests_;
    std::shared_ptr<sapi5::StreamEvents> events_;
    std::unique_ptr<sapi5::Service> service_;
};

}  // namespace orvela
