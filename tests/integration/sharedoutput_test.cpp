// Device sounds and the directly driven voice play through one OpenAL output: with an
// in-memory output installed, both reach what that output mixes, alone and together.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>
#include <vector>

#include "app/soundobjects.h"
#include "platform/audiooutput.h"
#include "platform/codec.h"
#include "platform/defaultwaves.h"
#include "platform/espeakengine.h"

namespace orvela {
namespace {

constexpr int kRate = 44100;

struct Mix {
    std::vector<std::int16_t> left;
    double rms() const {
        double sum = 0;
        for (auto s : left) sum += static_cast<double>(s) * s;
        return left.empty() ? 0 : std::sqrt(sum / static_cast<double>(left.size()));
    }
    // The level of one frequency (Goertzel), on the scale of rms().
    double level(double hertz) const {
        const double w = 2 * std::numbers::pi * hertz / kRate;
        double s1 = 0, s2 = 0;
        for (auto x : left) {
            const double s = x + 2 * std::cos(w) * s1 - s2;
            s2 = s1;
            s1 = s;
        }
        const double power = s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
        return std::sqrt(2 * power) / static_cast<double>(left.size());
    }
};

class SharedOutput : public ::testing::Test {
protected:
    void SetUp() override {
        output = AudioOutput::acquireInMemory(kRate);
        createsoundobjects();
        wavelist->items().load(defaultWaves());
        tts::Engine& engine = tts::espeakEngine();
        ASSERT_FALSE(failed(engine.CreateAudioDest(destination)));
        ASSERT_FALSE(failed(engine.CreateEnumerator(enumerator)));
        tts::ModeInfo mode;
        std::uint32_t fetched = 0;
        ASSERT_FALSE(failed(enumerator->Next(mode, fetched)));
        ASSERT_FALSE(failed(enumerator->Select(mode.gModeID, central, destination)));
    }
    void TearDown() override {
        central.reset();
        destination.reset();
        releasesoundobjects();
        output.reset();
    }

    Mix render(int ms) {
        std::vector<std::int16_t> stereo(static_cast<std::size_t>(kRate * ms / 1000) * 2);
        output->render(stereo.data(), stereo.size() / 2);
        Mix mix;
        for (std::size_t i = 0; i < stereo.size(); i += 2) mix.left.push_back(stereo[i]);
        return mix;
    }
    void playNote() {
        auto& note = wavelist->items().find("snd11");
        note.setLooped(true);
        note.setFrequency(400 * 64);
        note.play(false);
    }
    // Returns once a second of speech is queued: the output mixes faster than the voice speaks.
    void speak() {
        auto queued = std::make_shared<std::atomic<std::size_t>>(0);
        auto trace = std::make_shared<tts::AudioTrace>();
        trace->onQueued = [queued](std::size_t frames, int) { *queued += frames; };
        tts::setAudioTrace(trace);
        ASSERT_FALSE(failed(central->TextData(codec::utf8ToCp1250("Dobrý deň, toto je skúška spoločného výstupu."))));
        for (int i = 0; i < 500 && *queued < 22050; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        tts::setAudioTrace(nullptr);
        ASSERT_GE(*queued, 22050u);
    }

    std::shared_ptr<AudioOutput> output;
    std::shared_ptr<tts::AudioDestination> destination;
    std::shared_ptr<tts::Enumerator> enumerator;
    std::shared_ptr<tts::Central> central;
};

TEST_F(SharedOutput, SpeechAndANoteMixIntoTheOneOutput) {
    ASSERT_LT(render(50).rms(), 1.0) << "silent before anything plays";

    playNote();
    const Mix note = render(300);
    EXPECT_GT(note.level(400), 1000) << "the note reaches the output";

    speak();
    const Mix both = render(300);
    EXPECT_GT(both.level(400), note.level(400) * 0.8) << "the note keeps sounding under the speech";
    // Speech adds what a pure 400 Hz tone does not have.
    const double rest = std::sqrt(std::max(0.0, both.rms() * both.rms() - both.level(400) * both.level(400) / 2));
    const double noteRest = std::sqrt(std::max(0.0, note.rms() * note.rms() - note.level(400) * note.level(400) / 2));
    EXPECT_GT(rest, noteRest + 300) << "the speech reaches the same output";

    wavelist->items().find("snd11").stop();
    const Mix speech = render(300);
    EXPECT_LT(speech.level(400), note.level(400) * 0.2);
    EXPECT_GT(speech.rms(), 300) << "the speech goes on alone";
    central->AudioReset();
    render(20);
    EXPECT_LT(render(50).rms(), 1.0) << "silent once both have stopped";
}

}  // namespace
}  // namespace orvela
