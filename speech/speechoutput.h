#pragma once
// Everything the system says goes through these operations. Two engines stand behind
// them, one in use at a time: the directly driven engine with its notify sink, or the
// desktop speech service (voice5).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/spvoice.h"
#include "platform/ttsengine.h"

namespace orvela::speech {

extern bool usesapi5;        // speech goes through the desktop speech service
extern bool voiceready;      // a voice of the direct engine is open, or the service is in use
extern bool sapi4speaking;   // the direct engine is playing audio
extern bool sapi5speaking;   // the speech service is speaking a text

// The direct engine's objects; empty until prepared or opened.
extern std::shared_ptr<tts::AudioDestination> audiodest;
extern std::shared_ptr<tts::Enumerator> ttsenum;
extern std::shared_ptr<tts::Central> ttscentral;
extern std::shared_ptr<tts::Attributes> ttsattributes;
extern std::optional<tts::ModeInfo> voicemode;
extern std::shared_ptr<tts::NotifySink> notifysink;
extern std::uint32_t sinkkey;

// The desktop speech service's voice; it connects at its first use.
extern TSpVoice voice5;

void speak(const std::string& text);
void speakandwait(const std::string& text);
void stopspeech();
void echochar(const std::string& text);

void preparesapi4();
bool sapi4available();
// Fills the voice dialog's list with the engine's modes and selects "Jakub" or the first.
void listvoices();
// The voice list's selected mode becomes voicemode.
void capturevoicemode();
// Mode index of the enumeration becomes voicemode (the voice list's item index).
void capturevoicemodeat(int index);
// Opens voicemode, reads its limits into the voice dialog's bars, registers the sink.
void openvoice();

void createnotifysink();
void voice5StartStream(std::int32_t stream, std::int64_t position);
void voice5EndStream(std::int32_t stream, std::int64_t position);

// A tick mark every (hi - lo) / 10 units, halves to the even neighbour.
int tickspacing(std::int64_t lo, std::int64_t hi);

// Tests: every flag false, every engine object dropped, the service disconnected.
void resetspeech();

}  // namespace orvela::speech
