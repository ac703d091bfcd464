#include "platform/spvoice.h"

namespace orvela {

TSpVoice::TSpVoice(StreamHandler onStart, StreamHandler onEnd)
    : onStart_(std::move(onStart)), onEnd_(std::move(onEnd)) {}

sapi5::Service& TSpVoice::service() {
    if (!live()) {
        // The events stay: the ends a lost connection reported may still be on their way.
        service_.reset();
        if (!events_) {
            events_ = std::make_shared<sapi5::StreamEvents>();
            events_->onStartStream = onStart_;
            events_->onEndStream = onEnd_;
        }
        auto service = sapi5::connect(events_);
        if (interests_) service->setEventInterests(*interests_);
        service_ = std::move(service);
    }
    return *service_;
}

void TSpVoice::setEventInterests(std::int32_t interests) {
    const bool wasLive = live();
    interests_ = interests;
    // A new connection takes the interests as it is made.
    sapi5::Service& connection = service();
    if (wasLive) connection.setEventInterests(interests);
}

std::int32_t TSpVoice::Speak(const std::string& text, int flags) {
    if (text.empty() && (flags & sapi5::SVSFPurgeBeforeSpeak) && !live()) {
        service_.reset();
        return 0;
    }
    return service().Speak(text, flags);
}

void TSpVoice::disconnect() {
    service_.reset();
    events_.reset();
    interests_.reset();
}

}  // namespace orvela
