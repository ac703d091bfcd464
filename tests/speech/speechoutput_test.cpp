// The speech operations against recording doubles of both engines, on virtual time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settingsfile.h"
#include "platform/comerror.h"
#include "platform/testing/recordingmessageboxes.h"
#include "platform/testing/recordingspeechservice.h"
#include "platform/testing/recordingtts.h"
#include "platform/testing/virtualtime.h"
#include "keyboard/echokeys.h"
#include "platform/codec.h"
#include "platform/testing/recordingsound.h"
#include "speech/speechoutput.h"
#include "support/speechrecorder.h"

namespace orvela {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingSpeechService;
using testing::RecordingTtsEngine;
using testing::SpeechRecorder;
using Strings = std::vector<std::string>;

class SpeechTest : public ::testing::Test {
protected:
    void TearDown() override {
        time.onPass = nullptr;
        time.onStall = nullptr;
    }
    testing::VirtualTime time;
};

TEST(ComErrorText, KnownCodesHaveTheSystemsTextOthersTheirHexCode) {
    const std::pair<HResult, std::string> cases[] = {
        {E_FAIL, "Unspecified error"},
        {E_NOTIMPL, "Not implemented"},
        {static_cast<HResult>(0x80040201u), "OLE error 80040201"},
        {static_cast<HResult>(0x8004000Au), "OLE error 8004000a"},
    };
    for (const auto& [code, text] : cases) {
        const ComError error(code);
        EXPECT_EQ(error.what(), text);
        EXPECT_EQ(error.code(), code);
    }
}

TEST_F(SpeechTest, PrepareHoldsTheEngineOnlyWhenBothObjectsAreCreated) {
    struct Case {
        const char* failing;
        bool available;
        Strings calls;
    };
    const Case cases[] = {
        {"", true, {"CreateAudioDest", "CreateEnumerator"}},
        {"CreateAudioDest", false, {"CreateAudioDest"}},
        {"CreateEnumerator", false, {"CreateAudioDest", "CreateEnumerator"}},
    };
    for (const auto& c : cases) {
        RecordingTtsEngine engine;
        if (*c.failing) engine.failWith(c.failing, E_FAIL);
        speech::resetspeech();
        EXPECT_NO_THROW(speech::preparesapi4());
        EXPECT_EQ(speech::sapi4available(), c.available) << c.failing;
        EXPECT_EQ(engine.calls(), c.calls) << c.failing;
    }
    speech::resetspeech();
}

TEST_F(SpeechTest, PrepareAgainDropsTheOpenVoice) {
    SpeechRecorder recorder;
    ASSERT_TRUE(speech::ttscentral);
    speech::preparesapi4();
    EXPECT_FALSE(speech::ttscentral);
    EXPECT_FALSE(speech::ttsattributes);
    EXPECT_FALSE(speech::voicemode);
    EXPECT_TRUE(speech::sapi4available());
}

// Which engine hears a text depends on the engine in use, voiceallowed and the text.
TEST_F(SpeechTest, SpeakAndSpeakAndWaitGates) {
    struct Case {
        SpeechRecorder::Engine engine;
        bool allowed;
        std::string text;
        Strings speakCalls;      // calls of speak(text)
        Strings speakWaitCalls;  // calls of speakandwait(text)
    };
    using E = SpeechRecorder::Engine;
    const Case cases[] = {
        {E::direct, true, "ahoj", {"TextData ahoj"}, {"TextData ahoj"}},
        {E::direct, true, "", {}, {}},
        {E::direct, false, "ahoj", {}, {}},
        {E::service, true, "ahoj", {"Speak 1 ahoj"}, {"Speak 1 ahoj"}},
        {E::service, true, "", {"Speak 1 "}, {}},
        {E::service, false, "ahoj", {"Speak 1 ahoj"}, {"Speak 1 ahoj"}},
    };
    for (const auto& c : cases) {
        SpeechRecorder recorder(c.engine);
        voiceallowed = c.allowed;
        auto calls = [&] {
            Strings all = recorder.direct.calls();
            for (const auto& call : recorder.service.calls()) all.push_back(call);
            recorder.direct.clearCalls();
            recorder.service.clearCalls();
            return all;
        };
        speech::speak(c.text);
        EXPECT_EQ(calls(), c.speakCalls) << "speak '" << c.text << "' allowed " << c.allowed;
        time.waitUntil([&] { return !recorder.direct.playing() && !recorder.service.speaking(); });
        speech::speakandwait(c.text);
        EXPECT_EQ(calls(), c.speakWaitCalls) << "speakandwait '" << c.text << "' allowed " << c.allowed;
        EXPECT_FALSE(speech::sapi4speaking);
        EXPECT_FALSE(speech::sapi5speaking);
    }
}

TEST_F(SpeechTest, SpeakAndWaitReturnsOnlyAfterTheAudioStopped) {
    for (const auto engine : {SpeechRecorder::Engine::direct, SpeechRecorder::Engine::service}) {
        SpeechRecorder recorder(engine);
        bool heardStart = false;
        time.onPass = [&] { heardStart = heardStart || speech::sapi4speaking || speech::sapi5speaking; };
        speech::speakandwait("dobrý deň");
        time.onPass = nullptr;
        EXPECT_TRUE(heardStart);
        EXPECT_FALSE(recorder.direct.playing());
        EXPECT_FALSE(recorder.service.speaking());
        EXPECT_THAT(recorder.spoken(), ElementsAre("dobrý deň"));
    }
}

TEST_F(SpeechTest, SpeakAndWaitEndsAfterOnePassWhenTheEngineNeverStarts) {
    SpeechRecorder recorder;
    recorder.direct.setReports(RecordingTtsEngine::Reports::none);
    int passes = 0;
    time.onPass = [&] { ++passes; };
    speech::speakandwait("ticho");
    EXPECT_EQ(passes, 1);
    EXPECT_THAT(recorder.direct.calls(), ElementsAre("TextData ticho"));
}

TEST_F(SpeechTest, SpeakDoesNotWait) {
    SpeechRecorder recorder;
    speech::speak("raz");
    speech::speak("dva");
    EXPECT_THAT(recorder.spoken(), ElementsAre("raz", "dva"));
    EXPECT_FALSE(speech::sapi4speaking);  // nothing handled yet: no pass ran
}

TEST_F(SpeechTest, StopSpeechOfTheDirectEngineResetsOnlyAudioThatStarted) {
    SpeechRecorder recorder;
    recorder.direct.setReports(RecordingTtsEngine::Reports::startOnly);
    speech::stopspeech();
    speech::speak("dlhý text");
    speech::stopspeech();  // AudioStart not reported yet
    EXPECT_THAT(recorder.direct.calls(), ElementsAre("TextData dlhý text"));
    time.processPending();
    ASSERT_TRUE(speech::sapi4speaking);
    speech::stopspeech();
    EXPECT_THAT(recorder.direct.calls(), ElementsAre("TextData dlhý text", "AudioReset"));
    EXPECT_TRUE(speech::sapi4speaking);  // the flag waits for the engine's AudioStop
    time.processPending();
    EXPECT_FALSE(speech::sapi4speaking);
}

TEST_F(SpeechTest, StopSpeechOfTheServiceAlwaysPurges) {
    SpeechRecorder recorder(SpeechRecorder::Engine::service);
    speech::stopspeech();
    EXPECT_THAT(recorder.service.calls(), ElementsAre("Speak 2 "));
}

TEST_F(SpeechTest, StopSpeechNeedsAnOpenVoice) {
    SpeechRecorder recorder;
    recorder.direct.setReports(RecordingTtsEngine::Reports::startOnly);
    speech::speak("text");
    time.processPending();
    speech::voiceready = false;
    speech::stopspeech();
    EXPECT_THAT(recorder.direct.calls(), ElementsAre("TextData text"));
}

// A key's stopspeech ends the wait in progress; a handler that speaks nests a second wait.
TEST_F(SpeechTest, NestedWaitsEndWhenKeysCutTheSpeechOff) {
    SpeechRecorder recorder;
    recorder.direct.setReports(RecordingTtsEngine::Reports::startOnly);
    bool firstKey = false;
    bool secondKey = false;
    // The keys come while the waits have nothing else to handle.
    time.onStall = [&] {
        if (!speech::sapi4speaking) return;
        if (!firstKey) {
            firstKey = true;
            speech::stopspeech();
            speech::speakandwait("vnorený");
        } else if (!secondKey && recorder.spoken().size() == 2) {
            secondKey = true;
            speech::stopspeech();
        }
    };
    speech::speakandwait("prvý");
    EXPECT_TRUE(secondKey);
    EXPECT_THAT(recorder.direct.calls(), ElementsAre("TextData prvý", "AudioReset", "TextData vnorený", "AudioReset"));
    EXPECT_FALSE(speech::sapi4speaking);
}

TEST_F(SpeechTest, ServiceWaitEndsWhenAPurgeCutsTheTextOff) {
    SpeechRecorder recorder(SpeechRecorder::Engine::service);
    recorder.service.setReports(RecordingSpeechService::Reports::startOnly);
    bool keyPressed = false;
    time.onStall = [&] {
        if (!keyPressed && recorder.service.speaking()) {
            keyPressed = true;
            speech::stopspeech();
        }
    };
    speech::speakandwait("dlhá veta");
    EXPECT_TRUE(keyPressed);
    EXPECT_FALSE(speech::sapi5speaking);
    EXPECT_THAT(recorder.service.calls(), ElementsAre("Speak 1 dlhá veta", "Speak 2 "));
}

TEST_F(SpeechTest, AFailingCallRaisesItsResultCode) {
    SpeechRecorder recorder;
    recorder.direct.failWith("TextData", static_cast<HResult>(0x80040205u));
    try {
        speech::speakandwait("text");
        FAIL() << "no error raised";
    } catch (const ComError& error) {
        EXPECT_EQ(error.code(), static_cast<HResult>(0x80040205u));
        EXPECT_STREQ(error.what(), "OLE error 80040205");
    }
}

TEST_F(SpeechTest, TheServiceFailsAtItsFirstUseWhenItCannotBeReached) {
    RecordingSpeechService service;
    service.setReachable(false);
    speech::resetspeech();
    EXPECT_THROW(speech::voice5.setEventInterests(sapi5::SVEAllEvents), ComError);
    service.setReachable(true);
    EXPECT_NO_THROW(speech::voice5.setEventInterests(sapi5::SVEAllEvents));
    EXPECT_THAT(service.calls(), ElementsAre("Connect", "Connect", "EventInterests 33790"));
    speech::resetspeech();
}

// The service reports only what a connection asked for, so a connection made late (the
// daemon came up after the dialog's creation asked for the events) must ask again itself.
TEST_F(SpeechTest, AServiceReachedLateReportsTheStreamsOfItsFirstText) {
    RecordingSpeechService service;
    service.setReachable(false);
    speech::resetspeech();
    EXPECT_THROW(speech::voice5.setEventInterests(sapi5::SVEAllEvents), ComError);
    service.setReachable(true);
    speech::usesapi5 = speech::voiceready = true;
    speech::speakandwait("ahoj");
    EXPECT_FALSE(speech::sapi5speaking);
    EXPECT_THAT(service.calls(), ElementsAre("Connect", "Connect", "EventInterests 33790", "Speak 1 ahoj"));
    speech::resetspeech();
}

// The daemon dies while a text is spoken: the wait ends, and the next text connects again.
TEST_F(SpeechTest, AServiceThatGoesAwayEndsTheWaitAndTheNextTextConnectsAgain) {
    SpeechRecorder recorder(SpeechRecorder::Engine::service);
    recorder.service.setReports(RecordingSpeechService::Reports::startOnly);
    time.onStall = [&] {
        if (recorder.service.speaking()) recorder.service.goAway();
    };
    speech::speakandwait("prvá");
    EXPECT_FALSE(speech::sapi5speaking);
    // A key on the lost connection has nothing to cut off.
    speech::stopspeech();
    recorder.service.setReports(RecordingSpeechService::Reports::automatic);
    speech::speakandwait("druhá");
    EXPECT_THAT(recorder.service.calls(),
                ElementsAre("Speak 1 prvá", "Connect", "EventInterests 33790", "Speak 1 druhá"));
}

// When the service cannot be reached again, the text that tried says so once; the keys
// after it raise nothing, and no wait is left waiting for a stream that never began.
TEST_F(SpeechTest, AServiceThatStaysAwayFailsTheTextAndLeavesTheKeysQuiet) {
    SpeechRecorder recorder(SpeechRecorder::Engine::service);
    recorder.service.goAway();
    recorder.service.setReachable(false);
    EXPECT_NO_THROW(speech::stopspeech());
    try {
        speech::speakandwait("text");
        ADD_FAILURE() << "no error raised";
    } catch (const ComError& error) {
        EXPECT_EQ(error.code(), REGDB_E_CLASSNOTREG);
    }
    EXPECT_FALSE(speech::sapi5speaking);
    EXPECT_NO_THROW(speech::stopspeech());
    EXPECT_NO_THROW(speech::stopspeech());
    EXPECT_THAT(recorder.service.calls(), ElementsAre("Connect"));
}

TEST_F(SpeechTest, OpenVoiceProbesEachAttributeThenRegistersTheSink) {
    SpeechRecorder recorder;
    recorder.direct.speed() = {true, 80, 390, 175};
    recorder.direct.clearCalls();
    const auto key = speech::sinkkey;
    speech::openvoice();
    EXPECT_THAT(recorder.direct.calls(),
                ElementsAre("UnRegister " + std::to_string(key), "Select cs", "QueryInterface", "SpeedGet",
                            "SpeedSet 175", "SpeedSet 0", "SpeedGet", "SpeedSet 4294967295", "SpeedGet",
                            "SpeedSet 175", "PitchGet", "PitchSet 100", "PitchSet 0", "PitchGet", "PitchSet 65535",
                            "PitchGet", "PitchSet 100", "VolumeGet", "VolumeSet 4294967295", "VolumeSet 0",
                            "VolumeGet", "VolumeSet 4294967295", "VolumeGet", "VolumeSet 4294967295", "Register"));
    EXPECT_EQ(recorder.direct.speed().value, 175u);
    EXPECT_EQ(recorder.direct.registeredSinks(), 1u);
}

TEST_F(SpeechTest, AnUnsupportedAttributeIsNotProbedFurther) {
    SpeechRecorder recorder;
    recorder.direct.speed().supported = false;
    recorder.direct.clearCalls();
    speech::voiceready = false;
    speech::openvoice();
    const Strings& calls = recorder.direct.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SpeedGet"), 1);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("SpeedSet", 0) == 0; }),
              0);
}

TEST_F(SpeechTest, AFailedSelectLeavesNoVoiceAndVoiceReadyUnchanged) {
    SpeechRecorder recorder;
    speech::voiceready = false;
    recorder.direct.failWith("Select", E_FAIL);
    EXPECT_THROW(speech::openvoice(), ComError);
    EXPECT_FALSE(speech::ttscentral);
    EXPECT_FALSE(speech::voiceready);
}

TEST_F(SpeechTest, OpeningWithoutAnEngineOrAModeCallsNothing) {
    RecordingTtsEngine engine;
    speech::resetspeech();
    speech::createnotifysink();
    EXPECT_NO_THROW(speech::openvoice());
    speech::preparesapi4();
    engine.clearCalls();
    EXPECT_NO_THROW(speech::openvoice());  // no mode captured yet
    EXPECT_THAT(engine.calls(), IsEmpty());
    EXPECT_FALSE(speech::voiceready);
    voiceallowed = true;
    EXPECT_NO_THROW(speech::speakandwait("nič"));
    EXPECT_NO_THROW(speech::stopspeech());
    EXPECT_THAT(engine.calls(), IsEmpty());
    speech::resetspeech();
    voiceallowed = false;
}

TEST_F(SpeechTest, CaptureTakesTheModeAtTheIndex) {
    SpeechRecorder recorder;
    speech::capturevoicemodeat(1);
    ASSERT_TRUE(speech::voicemode);
    EXPECT_EQ(speech::voicemode->szModeName, "Slovak");
    EXPECT_THAT(recorder.direct.calls(), ElementsAre("Reset", "Next", "Next"));
}

class EchoTest : public SpeechTest {
protected:
    EchoTest() {
        loadechokeystext("65=veľké á\r\n97=á\r\n66=bé\r\n0=nula\r\n200=\r\n"_cp);
        orvelasounds = true;
    }
    ~EchoTest() override { resetechokeys(); }
    testing::RecordingSound sounds;
};

// What echochar says, and whether the tone came before it: note 2000 (played at 64
// times the note) for 20 ms in octave 1.
TEST_F(EchoTest, SaysTheFirstCharactersNameWithAToneBeforeASingleCapital) {
    const Strings capitalTone = {"0 play snd11 looped 128000 Hz 0 cB", "20 stop snd11"};
    struct Case {
        std::string text;
        Strings spoken;
        bool tone;
    };
    const Case cases[] = {
        {"A", {"veľké á"_cp}, true},
        {"a", {"á"_cp}, false},
        {"AB", {"veľké á"_cp}, false},
        {std::string(1, '\0'), {}, false},
        {"", {}, false},
        {"Č"_cp, {}, true},       // a capital without a name: the tone alone
        {"\xC8x", {}, false},    // no name for the code
        {"ě"_cp, {}, false},
    };
    for (const auto& c : cases) {
        SpeechRecorder recorder;
        sounds.events.clear();
        std::size_t soundsBeforeSpeech = 0;
        recorder.direct.state().onText = [&](const std::string&) { soundsBeforeSpeech = sounds.events.size(); };
        speech::echochar(c.text);
        EXPECT_EQ(recorder.direct.texts(), c.spoken) << codec::cp1250ToUtf8(c.text);
        EXPECT_EQ(sounds.timeline(), c.tone ? capitalTone : Strings{}) << codec::cp1250ToUtf8(c.text);
        if (c.tone && !c.spoken.empty()) {
            EXPECT_GT(soundsBeforeSpeech, 0u);
        }
        EXPECT_FALSE(speech::sapi4speaking);  // the direct engine is waited for
    }
}

TEST_F(EchoTest, AsksOnlyWhetherAVoiceIsReady) {
    {
        SpeechRecorder recorder;
        voiceallowed = false;  // the direct engine still echoes
        speech::echochar("a");
        EXPECT_THAT(recorder.direct.texts(), ElementsAre("á"_cp));
        speech::voiceready = false;
        speech::echochar("a");
        EXPECT_EQ(recorder.direct.texts().size(), 1u);
    }
    {
        SpeechRecorder recorder(SpeechRecorder::Engine::service);
        recorder.service.setReports(RecordingSpeechService::Reports::none);
        speech::echochar("a");  // returns without waiting for the service
        EXPECT_THAT(recorder.service.calls(), ElementsAre("Speak 9 " + "á"_cp));
    }
}

TEST(TickSpacing, TenthOfTheRangeWithHalvesToEven) {
    const std::tuple<int, int, int> cases[] = {
        {50, 400, 35}, {0, 25, 2}, {0, 35, 4}, {0, 15, 2}, {0, 10, 1}, {0, 4, 0}, {-100, 100, 20}, {0, 255, 26},
    };
    for (const auto& [lo, hi, spacing] : cases) EXPECT_EQ(speech::tickspacing(lo, hi), spacing) << lo << ".." << hi;
}

}  // namespace
}  // namespace orvela
