#include "platform/spvoice.h"

namespace orvela {

TSpVoice::TSpVoice(StreamHandler onStart, StreamHandler onEnd)
    : onStart_(std::move(onStart)), onEnd_(std::move(onEnd)) {}

sapi5::Service& TSpVoice::service() {
    if (!service_) {
        auto events = std::make_shared<sapi5::StreamEvents>();
        events->onStartStream = onStart_;
        events->onEndStream = onEnd_;
        service_ = sapi5::connect(events);
        events_ = std::move(events);
    }
    return *service_;
}

void TSpVoice::setEventInterests(std::int32_t interests) { service().setEventInterests(interests); }

std::int32_t TSpVoice::Speak(const std::string& text, int flags) { return service().Speak(text, flags); }

void TSpVoice::disconnect() {
    service_.reset();
    events_.reset();
}

}  // namespace orvela
