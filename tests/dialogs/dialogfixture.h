#pragma once
// The program's windows on virtual time, with recorded sounds and a recorded speech
// service, so that the voice dialog's creation connects and nothing real is reached.
#include <gtest/gtest.h>
#include <string>

#include "app/windows.h"
#include "platform/testing/recordingsound.h"
#include "platform/testing/recordingspeechservice.h"
#include "platform/testing/virtualtime.h"
#include "speech/speechoutput.h"
#include "support/appfixture.h"

namespace orvela::testing {

class DialogFixture : public AppFixture {
protected:
    ~DialogFixture() override {
        destroywindows();
        speech::resetspeech();
    }
    // Creates the windows over this settings file.
    void start(const std::string& ini) {
        writeFile("orvela.ini", ini);
        createwindows();
        ASSERT_TRUE(boxes.errors.empty()) << boxes.errors.front();
    }
    void restart(const std::string& ini) {
        destroywindows();
        start(ini);
    }

    VirtualTime time;
    RecordingSound sounds;
    RecordingSpeechService service;
};

}  // namespace orvela::testing
