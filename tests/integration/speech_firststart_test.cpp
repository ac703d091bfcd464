// A first start with espeak-ng installed: the voice is allowed, and Start opens the
// first Slovak voice and says "hotovo" with it for real.
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "app/settingsfile.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "platform/espeakengine.h"
#include "speech/speechoutput.h"
#include "support/appfixture.h"

namespace orvela {
namespace {

class FirstStartTest : public testing::AppFixture {
protected:
    FirstStartTest() {
        setenv("ALSOFT_DRIVERS", "null", 1);
        tts::setEngine(nullptr);  // the real espeak-ng engine; the service stays a double
        auto trace = std::make_shared<tts::AudioTrace>();
        trace->onQueued = [this](std::size_t count, int) { frames += count; };
        tts::setAudioTrace(trace);
    }
    ~FirstStartTest() override {
        destroywindows();
        tts::setAudioTrace(nullptr);
    }
    std::atomic<std::size_t> frames{0};
};

TEST_F(FirstStartTest, AllowsTheVoiceAndStartSaysHotovoInTheFirstSlovakVoice) {
    createwindows();
    EXPECT_EQ(readFile("orvela.ini"), "[voice]\nvoiceallowed=1\n");
    EXPECT_TRUE(Form1->Voicesubmenu->isEnabled());
    setprogram(nullptr);
    Form1->StartsubmenuClick();
    ASSERT_TRUE(speech::voicemode);
    EXPECT_EQ(speech::voicemode->szModeName, "Slovak");
    EXPECT_EQ(settingsfile().readString("Voice", "person", ""), "Slovak");
    EXPECT_GT(frames.load(), 2000u);  // a tenth of a second and more of "hotovo"
    EXPECT_FALSE(speech::sapi4speaking);
    EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
}

}  // namespace
}  // namespace orvela
