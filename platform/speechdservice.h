#pragma once
// The desktop speech service over speech-dispatcher (libspeechd). The client follows
// SPEECHD_ADDRESS when it is set, otherwise the user's own daemon, started if needed.
#include <memory>

#include "platform/speechservice.h"

namespace orvela::sapi5 {

// Raises ComError (CO_E_SERVER_EXEC_FAILURE) when the daemon cannot be reached.
std::unique_ptr<Service> connectSpeechDispatcher(std::weak_ptr<StreamEvents> events);

}  // namespace orvela::sapi5
