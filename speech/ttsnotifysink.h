#pragma once
// The notify sink the direct engine reports to; only the audio start and stop matter.
#include "platform/ttsengine.h"

namespace orvela::speech {

class TTTSNotifySink final : public tts::NotifySink {
public:
    HResult AttribChanged(std::uint32_t attribute) override;
    HResult AudioStart(std::uint64_t timeStamp) override;
    HResult AudioStop(std::uint64_t timeStamp) override;
    HResult Visual(std::uint64_t timeStamp, char ipaPhoneme, char enginePhoneme, std::uint32_t hints,
                   const void* mouth) override;
};

}  // namespace orvela::speech
