// The directly driven engine for real: espeak-ng synthesises, OpenAL Soft plays through
// its wave output driver into a file, whose audible part is then measured.
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "platform/codec.h"
#include "platform/espeakengine.h"
#include "platform/eventpump.h"

namespace orvela {
namespace {

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// Seconds between the first and the last sample louder than the noise floor.
double audibleSeconds(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0) return -1;
    int channels = 0, bits = 0, format = 0, rate = 0;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        std::size_t size = littleEndian(b, at + 4, 4);
        const std::size_t body = at + 8;
        if (b.compare(at, 4, "fmt ") == 0) {
            format = static_cast<int>(littleEndian(b, body, 2));
            channels = static_cast<int>(littleEndian(b, body + 2, 2));
            rate = static_cast<int>(littleEndian(b, body + 4, 4));
            bits = static_cast<int>(littleEndian(b, body + 14, 2));
            if (format == 0xFFFE) format = static_cast<int>(littleEndian(b, body + 24, 2));
        } else if (b.compare(at, 4, "data") == 0) {
            if (size == 0 || body + size > b.size()) size = b.size() - body;
            const std::size_t step = static_cast<std::size_t>(bits / 8 * channels);
            long first = -1, last = -1, index = 0;
            for (std::size_t frame = body; frame + step <= body + size; frame += step, ++index) {
                double level = 0;
                if (format == 3 && bits == 32) {
                    float value;
                    const std::uint32_t raw = littleEndian(b, frame, 4);
                    std::memcpy(&value, &raw, 4);
                    level = std::fabs(value);
                } else if (bits == 16) {
                    level = std::abs(static_cast<std::int16_t>(littleEndian(b, frame, 2))) / 32768.0;
                }
                if (level > 0.01) {
                    if (first < 0) first = index;
                    last = index;
                }
            }
            return first < 0 ? 0 : static_cast<double>(last - first) / rate;
        }
        at = body + size + (size & 1);
    }
    return -1;
}

bool waitFor(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        eventPump().waitBriefly(10);
    }
    return true;
}

class Sink final : public tts::NotifySink {
public:
    HResult AttribChanged(std::uint32_t) override { return S_OK; }
    HResult AudioStart(std::uint64_t) override {
        events.push_back("AudioStart");
        startedMs = clock.elapsed();
        return S_OK;
    }
    HResult AudioStop(std::uint64_t) override {
        events.push_back("AudioStop");
        stoppedMs = clock.elapsed();
        return S_OK;
    }
    HResult Visual(std::uint64_t, char, char, std::uint32_t, const void*) override { return S_OK; }
    std::vector<std::string> events;
    QElapsedTimer clock;
    qint64 startedMs = -1;
    qint64 stoppedMs = -1;
};

// Counts the PCM frames handed to OpenAL.
struct Frames {
    std::mutex mutex;
    std::size_t count = 0;
    int rate = 0;
    std::size_t get() {
        const std::lock_guard lock(mutex);
        return count;
    }
};

class EspeakTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir().isValid());
        const std::string conf = dir().filePath("alsoft.conf").toStdString();
        std::ofstream(conf) << "[general]\ndrivers=wave\n[wave]\nfile=" << wavePath() << "\n";
        setenv("ALSOFT_CONF", conf.c_str(), 1);
        unsetenv("ALSOFT_DRIVERS");
        auto watcher = std::make_shared<tts::AudioTrace>();
        watcher->onQueued = [this](std::size_t count, int rate) {
            const std::lock_guard lock(frames.mutex);
            frames.count += count;
            frames.rate = rate;
        };
        tts::setAudioTrace(watcher);
        sink->clock.start();
    }
    void TearDown() override { tts::setAudioTrace(nullptr); }

    // OpenAL reads its configuration once per process: every test writes the same file,
    // which each new device starts afresh.
    static QTemporaryDir& dir() {
        static QTemporaryDir shared;
        return shared;
    }
    static std::string wavePath() { return dir().filePath("speech.wav").toStdString(); }

    // Opens the mode of that name with the sink registered.
    std::shared_ptr<tts::Central> open(const std::string& name) {
        tts::Engine& engine = tts::espeakEngine();
        if (failed(engine.CreateAudioDest(destination)) || failed(engine.CreateEnumerator(enumerator))) return nullptr;
        tts::ModeInfo mode;
        std::uint32_t fetched = 0;
        while (!failed(enumerator->Next(mode, fetched)) && fetched == 1) {
            if (mode.szModeName != name) continue;
            std::shared_ptr<tts::Central> central;
            if (failed(enumerator->Select(mode.gModeID, central, destination))) return nullptr;
            std::uint32_t key = 0;
            central->Register(sink, key);
            return central;
        }
        return nullptr;
    }

    // Drops the voice and the device, which finishes the wave file.
    void close(std::shared_ptr<tts::Central>& central) {
        central.reset();
        enumerator.reset();
        destination.reset();
    }

    std::shared_ptr<Sink> sink = std::make_shared<Sink>();
    Frames frames;
    std::shared_ptr<tts::AudioDestination> destination;
    std::shared_ptr<tts::Enumerator> enumerator;
};

TEST_F(EspeakTest, ModesListSlovakCzechAndEnglishFirst) {
    tts::Engine& engine = tts::espeakEngine();
    ASSERT_FALSE(failed(engine.CreateEnumerator(enumerator)));
    std::vector<std::string> names;
    tts::ModeInfo mode;
    std::uint32_t fetched = 0;
    while (!failed(enumerator->Next(mode, fetched)) && fetched == 1) names.push_back(mode.szModeName);
    ASSERT_GT(names.size(), 3u);
    EXPECT_EQ(names[0], "Slovak");
    EXPECT_EQ(names[1], "Czech");
    EXPECT_EQ(names[2].rfind("English", 0), 0u) << names[2];
}

struct Sentence {
    const char* voice;
    const char* text;  // UTF-8 here, Windows-1250 for the engine
    int words;
};

class EspeakSentenceTest : public EspeakTest, public ::testing::WithParamInterface<Sentence> {};

TEST_P(EspeakSentenceTest, SpeaksTheSentenceForAboutItsLengthBetweenAudioStartAndStop) {
    const Sentence& sentence = GetParam();
    auto central = open(sentence.voice);
    ASSERT_TRUE(central) << "no voice " << sentence.voice;
    ASSERT_FALSE(failed(central->TextData(codec::utf8ToCp1250(sentence.text))));
    ASSERT_TRUE(waitFor([&] { return sink->events.size() >= 2; }, 20000));
    EXPECT_EQ(sink->events, (std::vector<std::string>{"AudioStart", "AudioStop"}));

    // At the normal 175 words a minute.
    const double expected = sentence.words * 60.0 / 175.0;
    ASSERT_GT(frames.rate, 0);
    const double synthesised = static_cast<double>(frames.get()) / frames.rate;
    EXPECT_GT(synthesised, expected * 0.5);
    EXPECT_LT(synthesised, expected * 2.0);
    // The audio really played out between the two notifications.
    EXPECT_GT((sink->stoppedMs - sink->startedMs) / 1000.0, synthesised * 0.8);
    close(central);
    const double audible = audibleSeconds(wavePath());
    EXPECT_GT(audible, synthesised * 0.7);
    EXPECT_LT(audible, synthesised + 0.1);
}

INSTANTIATE_TEST_SUITE_P(
    CzechAndSlovak, EspeakSentenceTest,
    ::testing::Values(Sentence{"Czech", "Dobrý den, dnes je krásný slunečný den a všichni jsou venku.", 11},
                      Sentence{"Slovak", "Dobrý deň, dnes je pekný slnečný deň a všetci sú vonku.", 11}),
    [](const auto& info) { return std::string(info.param.voice); });

TEST_F(EspeakTest, AudioResetStopsTheAudioWithinOneBuffer) {
    auto central = open("Slovak");
    ASSERT_TRUE(central);
    ASSERT_FALSE(failed(central->TextData(
        codec::utf8ToCp1250("Toto je dlhá veta, ktorá by trvala veľmi dlho, keby ju nikto neprerušil, "
                            "ale kláves ju preruší skôr, než dohovorí svoje posledné slová."))));
    ASSERT_TRUE(waitFor([&] { return !sink->events.empty(); }, 10000));
    ASSERT_TRUE(waitFor([] { return false; }, 600) == false);
    const qint64 resetMs = sink->clock.elapsed();
    ASSERT_FALSE(failed(central->AudioReset()));
    ASSERT_TRUE(waitFor([&] { return sink->events.size() >= 2; }, 2000));
    EXPECT_EQ(sink->events, (std::vector<std::string>{"AudioStart", "AudioStop"}));
    EXPECT_LT(sink->stoppedMs - resetMs, 100);
    const double played = (resetMs - sink->startedMs) / 1000.0;
    close(central);
    const double audible = audibleSeconds(wavePath());
    // 40 ms buffers; allow the device's own period and scheduling on a busy machine.
    EXPECT_GT(audible, played - 0.25);
    EXPECT_LT(audible, played + 0.15);
}

TEST_F(EspeakTest, AnInjectedSpeedTagShortensTheSpeechThatFollows) {
    auto central = open("Czech");
    ASSERT_TRUE(central);
    const std::string text = codec::utf8ToCp1250("Jedna dva tři čtyři pět šest sedm osm devět deset.");
    std::vector<double> seconds;
    for (const char* tag : {"\\Spd=100\\", "\\Spd=400\\"}) {
        ASSERT_FALSE(failed(central->Inject(tag)));
        const std::size_t before = frames.get();
        sink->events.clear();
        ASSERT_FALSE(failed(central->TextData(text)));
        ASSERT_TRUE(waitFor([&] { return sink->events.size() >= 2; }, 20000));
        seconds.push_back(static_cast<double>(frames.get() - before) / frames.rate);
    }
    EXPECT_GT(seconds[0], seconds[1] * 2.0) << seconds[0] << " s against " << seconds[1] << " s";
    close(central);
}

}  // namespace
}  // namespace orvela
