#pragma once
// The program's windows on virtual time, with the fixture's recorded sounds and speech.
#include <gtest/gtest.h>
#include <string>

#include "app/windows.h"
#include "platform/testing/virtualtime.h"
#include "speech/speechoutput.h"
#include "support/appfixture.h"

namespace orvela::testing {

class DialogFixture : public AppFixture {
protected:
    ~DialogFixture() override {
        stop();
        speech::resetspeech();
    }
    // Creates the windows over this settings file.
    void start(const std::string& ini) {
        writeFile("orvela.ini", ini);
        createwindows();
        ASSERT_TRUE(boxes.errors.empty()) << boxes.errors.front();
    }
    void stop() { destroywindows(); }
    void restart(const std::string& ini) {
        stop();
        start(ini);
    }

    VirtualTime time;
    RecordingSound& sounds = soundDevice;
};

}  // namespace orvela::testing
