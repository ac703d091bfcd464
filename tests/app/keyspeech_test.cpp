// A key pressed in the main window cuts off the speech in progress: the key event goes
// to the window as the window system delivers it, in the middle of a wait for speech.
#include <QTest>
#include <QWindow>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/unit1.h"
#include "app/windows.h"
#include "platform/testing/virtualtime.h"
#include "speech/speechoutput.h"
#include "support/appfixture.h"
#include "support/speechrecorder.h"

namespace orvela {
namespace {

using ::testing::ElementsAre;
using testing::RecordingSpeechService;
using testing::RecordingTtsEngine;
using testing::SpeechRecorder;

class KeySpeechTest : public testing::AppFixture {
protected:
    KeySpeechTest() {
        createwindows();
        Form1->show();
        Form1->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form1));
    }
    ~KeySpeechTest() override {
        time.onStall = nullptr;
        destroywindows();
    }

    // Speaks a text that only a cut can end, pressing the key once the voice is speaking.
    void speakAndPress(const std::function<bool()>& speaking) {
        int presses = 0;
        time.onStall = [&] {
            if (presses > 0 || !speaking()) return;
            ++presses;
            QTest::keyClick(Form1->windowHandle(), Qt::Key_X);
        };
        EXPECT_NO_THROW(speech::speakandwait("dlhá veta")) << "the key did not end the wait";
        EXPECT_EQ(presses, 1);
    }

    testing::VirtualTime time;
};

TEST_F(KeySpeechTest, AKeyDownResetsTheDirectEnginesAudio) {
    SpeechRecorder recorder;
    recorder.direct.setReports(RecordingTtsEngine::Reports::startOnly);
    speakAndPress([] { return speech::sapi4speaking; });
    EXPECT_THAT(recorder.direct.calls(), ElementsAre("TextData dlhá veta", "AudioReset"));
    EXPECT_FALSE(speech::sapi4speaking);
}

TEST_F(KeySpeechTest, AKeyDownPurgesTheDesktopService) {
    SpeechRecorder recorder(SpeechRecorder::Engine::service);
    recorder.service.setReports(RecordingSpeechService::Reports::startOnly);
    speakAndPress([&] { return recorder.service.speaking(); });
    EXPECT_THAT(recorder.service.calls(), ElementsAre("Speak 1 dlhá veta", "Speak 2 "));
    EXPECT_FALSE(speech::sapi5speaking);
}

}  // namespace
}  // namespace orvela
