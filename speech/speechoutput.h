#pragma once
// Everything the system says goes through these operations.
#include <string>

namespace orvela::speech {

extern bool usesapi5;        // speech goes through the desktop speech service
extern bool voiceready;      // a voice of the direct engine is open, or the service is in use
extern bool sapi4speaking;   // the direct engine is playing audio
extern bool sapi5speaking;   // the speech service is speaking a text

void speak(const std::string& text);
void speakandwait(const std::string& text);
void stopspeech();
void echochar(const std::string& text);

void preparesapi4();
bool sapi4available();

}  // namespace orvela::speech
