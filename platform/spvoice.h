#pragma once
// The voice component of the speech service: it does not connect when created but at
// its first use, and hands the start and end of each stream to its two events.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/speechservice.h"

namespace orvela {

class TSpVoice {
public:
    using StreamHandler = std::function<void(std::int32_t stream, std::int64_t position)>;
    TSpVoice(StreamHandler onStart, StreamHandler onEnd);

    // Both connect first when not connected yet; failures raise ComError.
    void setEventInterests(std::int32_t interests);
    std::int32_t Speak(const std::string& text, int flags);

    bool connected() const { return service_ != nullptr; }
    // Drops the connection; events still on their way are not delivered.
    void disconnect();

private:
    sapi5::Service& service();

    StreamHandler onStart_;
    StreamHandler onEnd_;
    std::shared_ptr<sapi5::StreamEvents> events_;
    std::unique_ptr<sapi5::Service> service_;
};

}  // namespace orvela
