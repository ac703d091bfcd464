// SOUND, BEEP and CLICK against the recording device on virtual time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "app/settingsfile.h"
#include "app/soundobjects.h"
#include "platform/errors.h"
#include "platform/testing/recordingsound.h"
#include "platform/testing/virtualtime.h"
#include "runtime/soundcommands.h"

namespace orvela {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class SoundCommands : public ::testing::Test {
protected:
    void SetUp() override {
        lastoctave = 1;
        lastduration = 1;
        soundplaying = false;
        orvelasounds = true;
        sndvolume = 0;
    }
    void TearDown() override {
        orvelasounds = true;
        sndvolume = 0;
        soundplaying = false;
    }
    // Runs fn and returns the virtual milliseconds it took.
    template <typename Fn>
    std::int64_t timed(Fn fn) {
        const auto start = time.nowMs();
        fn();
        return time.nowMs() - start;
    }
    // A key pressed in the main window at the given moment, as its handler does it.
    std::unique_ptr<Timer> keyAt(int ms) {
        auto key = time.createTimer();
        key->setInterval(ms);
        key->onTimer = [k = key.get()] {
            k->setEnabled(false);
            soundplaying = false;
            soundtimer().setEnabled(false);
        };
        key->setEnabled(true);
        return key;
    }

    testing::VirtualTime time;
    testing::RecordingSound sounds;
};

struct Call {
    std::vector<double> notes;
    double duration;
    double octave;
};

struct CallCase {
    const char* caller;
    std::vector<Call> calls;
    std::vector<std::string> transcript;
    std::int64_t ms;
};

// The calls the system makes; the rate is 64 times the note value.
TEST_F(SoundCommands, CallTablePlaysNamedWavesAtSixtyFourTimesTheNote) {
    const std::vector<CallCase> cases{
        {"braille on",
         {{{400}, 50, 3}, {{600}, 50, 3}},
         {"play snd13 looped 25600 Hz 0 cB", "stop snd13", "play snd13 looped 38400 Hz 0 cB", "stop snd13"},
         100},
        {"braille off",
         {{{600}, 50, 3}, {{400}, 50, 3}},
         {"play snd13 looped 38400 Hz 0 cB", "stop snd13", "play snd13 looped 25600 Hz 0 cB", "stop snd13"},
         100},
        {"screen review",
         {{{300, 450}, 100, 5}},
         {"play snd15 looped 19200 Hz 0 cB", "play snd25 looped 28800 Hz 0 cB", "stop snd15", "stop snd25"},
         100},
        {"capital letter", {{{2000}, 20, 1}}, {"play snd11 looped 128000 Hz 0 cB", "stop snd11"}, 20},
        {"volume track bar", {{{1000}, 100, 1}}, {"play snd11 looped 64000 Hz 0 cB", "stop snd11"}, 100},
        {"digit nine", {{{500 + 70 * 9}, 200, 1}}, {"play snd11 looped 72320 Hz 0 cB", "stop snd11"}, 200},
        {"sweep top", {{{1400}, 15, 3}}, {"play snd13 looped 89600 Hz 0 cB", "stop snd13"}, 15},
        {"melody", {{{335}, 380, 0}}, {"play snd10 looped 21440 Hz 0 cB", "stop snd10"}, 380},
        {"closing sweep end", {{{50}, 60, 0}}, {"play snd10 looped 3200 Hz 0 cB", "stop snd10"}, 60},
        {"fractions truncate", {{{400.9}, 99.9, 3.7}}, {"play snd13 looped 25600 Hz 0 cB", "stop snd13"}, 99},
        {"note 0 plays as 2", {{{0}, 10, 1}}, {"play snd11 looped 128 Hz 0 cB", "stop snd11"}, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caller);
        sounds.events.clear();
        const auto ms = timed([&] {
            for (const auto& call : c.calls) sound(call.notes, call.duration, call.octave);
        });
        EXPECT_THAT(sounds.texts(), ElementsAreArray(c.transcript));
        EXPECT_EQ(ms, c.ms);
        EXPECT_FALSE(soundplaying);
        EXPECT_FALSE(soundtimer().enabled());
    }
}

TEST_F(SoundCommands, OctaveAboveNineRepeatsTheLastOctave) {
    sound({400}, 500, 1);
    sound({500}, 500, 10);
    sound({500}, 10, 9.5);
    sound({500}, 10, 9);
    EXPECT_THAT(sounds.texts(), ElementsAre("play snd11 looped 25600 Hz 0 cB", "stop snd11",
                                            "play snd11 looped 32000 Hz 0 cB", "stop snd11",
                                            "play snd11 looped 32000 Hz 0 cB", "stop snd11",
                                            "play snd19 looped 32000 Hz 0 cB", "stop snd19"));
    EXPECT_EQ(lastoctave, 9);
}

TEST_F(SoundCommands, NegativeDurationRepeatsTheLastDuration) {
    EXPECT_EQ(timed([] { sound({400}, -5, 1); }), 1);   // first after start: 1 ms
    EXPECT_EQ(timed([] { sound({400}, 300, 1); }), 300);
    EXPECT_EQ(timed([] { sound({400}, -0.5, 1); }), 300);
    EXPECT_EQ(lastduration, 300);
}

TEST_F(SoundCommands, SoundsOffPlayNothingAndKeepTheOctave) {
    sound({400}, 10, 3);
    sounds.events.clear();
    orvelasounds = false;
    const auto ms = timed([] {
        sound({400}, 500, 5);
        sound({400}, -1, 2);
        beep();
        click(9);
    });
    EXPECT_EQ(ms, 0);
    EXPECT_THAT(sounds.events, IsEmpty());
    EXPECT_EQ(lastoctave, 3);
    EXPECT_EQ(lastduration, 10);
    orvelasounds = true;
    sound({400}, 10, 10);
    EXPECT_THAT(sounds.texts(), ElementsAre("play snd13 looped 25600 Hz 0 cB", "stop snd13"));
}

TEST_F(SoundCommands, EveryWavePlaysAtTheSetVolume) {
    sndvolume = -600;
    sound({400}, 10, 1);
    beep();
    click(16);
    EXPECT_THAT(sounds.texts(), ElementsAre("play snd11 looped 25600 Hz -600 cB", "stop snd11",
                                            "play beep once 44100 Hz -600 cB wait",
                                            "play click16 once 44100 Hz -600 cB wait"));
}

// What the device refuses is ignored: the wave keeps what it had.
TEST_F(SoundCommands, RefusedFrequencyAndVolumeKeepThePreviousOnes) {
    sndvolume = -300;
    sound({400}, 10, 1);
    sndvolume = -20000;
    sound({1}, 10, 1);        // 64 Hz is below what a device takes
    sound({-400}, 10, 1);     // negative rate
    sound({1e300}, 10, 1);    // far above
    EXPECT_THAT(sounds.texts(), ElementsAre("play snd11 looped 25600 Hz -300 cB", "stop snd11",
                                            "play snd11 looped 25600 Hz -300 cB", "stop snd11",
                                            "play snd11 looped 25600 Hz -300 cB", "stop snd11",
                                            "play snd11 looped 25600 Hz -300 cB", "stop snd11"));
}

TEST_F(SoundCommands, BeepAndClicksPlayOnceAndTakeTheirLength) {
    struct Case {
        double n;
        const char* played;
    };
    for (auto [n, played] : {Case{9, "play click9 once 44100 Hz 0 cB wait"},
                             Case{9.99, "play click9 once 44100 Hz 0 cB wait"},
                             Case{16, "play click16 once 44100 Hz 0 cB wait"},
                             Case{19, "play click19 once 44100 Hz 0 cB wait"}}) {
        SCOPED_TRACE(n);
        sounds.events.clear();
        const auto ms = timed([n = n] { click(n); });
        EXPECT_THAT(sounds.texts(), ElementsAre(played));
        EXPECT_GT(ms, 0);
        EXPECT_LE(ms, 20);
    }
    sounds.events.clear();
    EXPECT_EQ(timed([] { beep(); }), 200);
    EXPECT_THAT(sounds.texts(), ElementsAre("play beep once 44100 Hz 0 cB wait"));
}

TEST_F(SoundCommands, MissingWaveRaisesAndStartsNothing) {
    struct Case {
        std::function<void()> command;
        const char* message;
    };
    const std::vector<Case> cases{
        {[] { sound({400, 500, 600}, 100, 1); }, "Wave 'snd31' not found"},
        {[] { sound({400}, 100, 10 - 11); }, "Wave 'snd1-1' not found"},
        {[] { click(7); }, "Wave 'click7' not found"},
        {[] { click(-9); }, "Wave 'click-9' not found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            c.command();
            ADD_FAILURE() << "no error";
        } catch (const OrvelaError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_THAT(sounds.events, IsEmpty());
        EXPECT_FALSE(soundplaying);
    }
}

TEST_F(SoundCommands, WithoutWaveListEveryWaveIsMissing) {
    releasesoundobjects();
    EXPECT_THROW(beep(), OrvelaError);
    EXPECT_THROW(sound({400}, 10, 1), OrvelaError);
}

TEST_F(SoundCommands, KeyEndsSoundAtOnce) {
    auto key = keyAt(300);
    EXPECT_EQ(timed([] { sound({400}, 1000, 1); }), 300);
    EXPECT_THAT(sounds.texts(), ElementsAre("play snd11 looped 25600 Hz 0 cB", "stop snd11"));
    EXPECT_FALSE(soundtimer().enabled());
    // The timer of the ended SOUND must not fire into the next one.
    EXPECT_EQ(timed([] { sound({400}, 500, 1); }), 500);
}

TEST_F(SoundCommands, BelowOneMillisecondSoundsUntilAKey) {
    time.onStall = [this] {
        time.post([] {
            soundplaying = false;
            soundtimer().setEnabled(false);
        });
    };
    EXPECT_EQ(timed([] { sound({400}, 0.5, 1); }), 0);
    EXPECT_THAT(sounds.texts(), ElementsAre("play snd11 looped 25600 Hz 0 cB", "stop snd11"));
    EXPECT_EQ(lastduration, 0);
}

// A wait that fails still stops its notes: nothing is left looping.
TEST_F(SoundCommands, FailedWaitStopsTheNotes) {
    EXPECT_THROW(sound({300, 450}, 0, 5), std::logic_error);   // virtual time: no key ever comes
    EXPECT_THAT(sounds.texts(), ElementsAre("play snd15 looped 19200 Hz 0 cB", "play snd25 looped 28800 Hz 0 cB",
                                            "stop snd15", "stop snd25"));
}

// A SOUND started inside another one's wait ends both when it ends.
TEST_F(SoundCommands, NestedSoundEndsTheOuterOne) {
    auto menu = time.createTimer();
    menu->setInterval(200);
    menu->onTimer = [m = menu.get()] {
        m->setEnabled(false);
        sound({300, 450}, 100, 5);
    };
    menu->setEnabled(true);
    EXPECT_EQ(timed([] { sound({400}, 1000, 1); }), 300);
    EXPECT_THAT(sounds.texts(),
                ElementsAre("play snd11 looped 25600 Hz 0 cB", "play snd15 looped 19200 Hz 0 cB",
                            "play snd25 looped 28800 Hz 0 cB", "stop snd15", "stop snd25", "stop snd11"));
    EXPECT_EQ(lastoctave, 5);
    EXPECT_EQ(lastduration, 100);
}

TEST_F(SoundCommands, HugeNumbersConvertSafely) {
    sound({400}, 1e12, 1);   // ends on its timer, however far away
    EXPECT_EQ(lastduration, std::numeric_limits<std::int32_t>::max());
    EXPECT_THROW(click(1e300), OrvelaError);
    EXPECT_THROW(sound({400}, std::numeric_limits<double>::quiet_NaN(), -1e300), OrvelaError);
}

}  // namespace
}  // namespace orvela
