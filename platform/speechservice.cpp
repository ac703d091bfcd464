#include "platform/speechservice.h"

#include "platform/speechdservice.h"

namespace orvela::sapi5 {
namespace {

Connector& installed() {
    static Connector connector;
    return connector;
}

}  // namespace

std::unique_ptr<Service> connect(std::weak_ptr<StreamEvents> events) {
    if (installed()) return installed()(std::move(events));
    return connectSpeechDispatcher(std::move(events));
}

void setConnector(Connector connector) { installed() = std::move(connector); }

}  // namespace orvela::sapi5
