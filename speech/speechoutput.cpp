#include "speech/speechoutput.h"

// Silent until the speech engines are wired in.
namespace orvela::speech {

bool usesapi5 = false;
bool voiceready = false;
bool sapi4speaking = false;
bool sapi5speaking = false;

void speak(const std::string&) {}
void speakandwait(const std::string&) {}
void stopspeech() {}
void echochar(const std::string&) {}
void preparesapi4() {}
bool sapi4available() { return false; }

}  // namespace orvela::speech
