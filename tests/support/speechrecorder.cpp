#include "speechrecorder.h"

#include "app/settingsfile.h"
#include "speech/speechoutput.h"

namespace orvela::testing {

SpeechRecorder::SpeechRecorder(Engine engine) : voiceallowedBefore_(voiceallowed) {
    speech::resetspeech();
    voiceallowed = true;
    direct.state().onText = [this](const std::string& text) { spoken_.push_back(text); };
    service.state().onText = [this](const std::string& text) { spoken_.push_back(text); };
    speech::preparesapi4();
    speech::createnotifysink();
    if (engine == Engine::direct) {
        speech::capturevoicemodeat(0);
        speech::openvoice();
    } else {
        speech::voice5.setEventInterests(sapi5::SVEAllEvents);
        speech::usesapi5 = true;
        speech::voiceready = true;
    }
    direct.clearCalls();
    service.clearCalls();
}

SpeechRecorder::~SpeechRecorder() {
    speech::resetspeech();
    voiceallowed = voiceallowedBefore_;
}

}  // namespace orvela::testing
