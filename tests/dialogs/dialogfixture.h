#pragma once
// The program's windows on virtual time, with recorded sounds and a recorded speech
// service, so that the voice dialog's creation connects and nothing real is reached.
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "app/windows.h"
#include "platform/testing/recordingsound.h"
#include "platform/testing/recordingspeechservice.h"
#include "platform/testing/virtualtime.h"
#include "speech/speechoutput.h"
#include "speech/unit4.h"
#include "support/appfixture.h"

namespace orvela::testing {

class DialogFixture : public AppFixture {
protected:
    ~DialogFixture() override {
        stop();
        speech::resetspeech();
    }
    // Creates the windows over this settings file, the voice dialog included: the
    // sounds dialog lists voices into it and the review takes its word delimiters.
    void start(const std::string& ini) {
        writeFile("orvela.ini", ini);
        createwindows();
        if (!Form4) voiceDialog_.reset(new TForm4());
        ASSERT_TRUE(boxes.errors.empty()) << boxes.errors.front();
    }
    void stop() {
        voiceDialog_.reset();
        destroywindows();
    }
    void restart(const std::string& ini) {
        stop();
        start(ini);
    }

    VirtualTime time;
    RecordingSound sounds;
    RecordingSpeechService service;

private:
    std::unique_ptr<TForm4> voiceDialog_;
};

}  // namespace orvela::testing
