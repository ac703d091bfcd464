#include "speech/ttsnotifysink.h"

#include "speech/speechoutput.h"

namespace orvela::speech {

HResult TTTSNotifySink::AttribChanged(std::uint32_t) { return S_OK; }

HResult TTTSNotifySink::AudioStart(std::uint64_t) {
    sapi4speaking = true;
    return S_OK;
}

HResult TTTSNotifySink::AudioStop(std::uint64_t) {
    sapi4speaking = false;
    return S_OK;
}

HResult TTTSNotifySink::Visual(std::uint64_t, char, char, std::uint32_t, const void*) { return S_OK; }

}  // namespace orvela::speech
