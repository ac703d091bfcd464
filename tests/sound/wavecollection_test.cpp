// The sounds.dat container, the wave collection and the sound objects.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/soundobjects.h"
#include "platform/defaultwaves.h"
#include "platform/errors.h"
#include "platform/process.h"
#include "platform/testing/recordingmessageboxes.h"
#include "platform/testing/recordingsound.h"
#include "platform/wavecollectionfile.h"
#include "settings/resourcelocalizer.h"

namespace orvela {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::vector<WaveData> twoWaves() {
    return {{"Beep", false, 22050, {0, 1000, -1000, 32767, -32768}}, {"snd11", true, 44100, {0, 5, -5, 0}}};
}

std::string damagedMessage(const std::string& bytes) {
    try {
        parseWaveCollection(bytes);
    } catch (const OrvelaError& error) {
        return error.what();
    }
    return "accepted";
}

void putU32At(std::string& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

TEST(WaveCollectionFile, RoundTripKeepsEveryField) {
    const auto waves = twoWaves();
    const auto back = parseWaveCollection(serializeWaveCollection(waves));
    ASSERT_EQ(back.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back[i].name, waves[i].name);
        EXPECT_EQ(back[i].looped, waves[i].looped);
        EXPECT_EQ(back[i].sampleRate, waves[i].sampleRate);
        EXPECT_EQ(back[i].samples, waves[i].samples);
    }
    EXPECT_THAT(parseWaveCollection(serializeWaveCollection({})), IsEmpty());
}

// Every cut of a good file is refused, whatever byte it stops at.
TEST(WaveCollectionFile, EveryTruncationIsRefused) {
    const auto bytes = serializeWaveCollection(twoWaves());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_THAT(damagedMessage(bytes.substr(0, n)), HasSubstr("Damaged sound collection"));
    }
}

TEST(WaveCollectionFile, DamagedFieldsAreNamed) {
    const auto good = serializeWaveCollection(twoWaves());
    // Layout of the first wave: "RIFF" size "OSND" | "wave" size | len "Beep" flags rate count samples
    constexpr std::size_t chunk = 12, body = 20, flags = body + 5, rate = flags + 1, count = rate + 4;
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        const char* message;
    };
    const std::vector<Case> cases{
        {"magic", [](std::string& b) { b[0] = 'X'; }, "not a RIFF file"},
        {"form", [](std::string& b) { b[8] = 'X'; }, "not a sound collection"},
        {"file size", [](std::string& b) { putU32At(b, 4, 3); }, "file size field"},
        {"trailing byte", [](std::string& b) { b.push_back('\0'); }, "file size field"},
        {"chunk id", [](std::string& b) { b[chunk] = 'X'; }, "unknown chunk"},
        {"chunk size past end", [](std::string& b) { putU32At(b, chunk + 4, 0xFFFFFFF0u); }, "truncated"},
        {"empty name", [](std::string& b) { b[body] = 0; }, "wave name"},
        {"name past the chunk", [](std::string& b) { b[body] = 40; }, "name is truncated"},
        {"control character in name", [](std::string& b) { b[body + 1] = '\n'; }, "wave name"},
        {"unknown flag", [](std::string& b) { b[flags] = 2; }, "unknown flags"},
        {"rate zero", [](std::string& b) { putU32At(b, rate, 0); }, "sample rate 0"},
        {"rate huge", [](std::string& b) { putU32At(b, rate, 5000000); }, "sample rate"},
        {"count zero", [](std::string& b) { putU32At(b, count, 0); }, "sample count 0"},
        {"count too big", [](std::string& b) { putU32At(b, count, 0x7FFFFFFF); }, "sample count"},
        {"count off by one", [](std::string& b) { putU32At(b, count, 4); }, "does not match"},
        {"pad byte", [](std::string& b) { b.back() = 'X'; }, "pad byte is not 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto bytes = good;
        c.damage(bytes);
        const auto message = damagedMessage(bytes);
        EXPECT_THAT(message, HasSubstr("Damaged sound collection at byte "));
        EXPECT_THAT(message, HasSubstr(c.message));
    }
}

TEST(WaveCollectionFile, DuplicateNamesDifferingInCaseAreRefused) {
    auto waves = twoWaves();
    waves[1].name = "BEEP";
    EXPECT_THROW(serializeWaveCollection(waves), OrvelaError);
    EXPECT_THROW(serializeWaveCollection({{std::string(33, 'a'), false, 8000, {1}}}), OrvelaError);
    EXPECT_NO_THROW(serializeWaveCollection({{std::string(32, 'a'), false, 8000, {1}}}));
    waves[1].name = "snd1";
    auto bytes = serializeWaveCollection(waves);
    bytes.replace(bytes.find("snd1"), 4, "bEEP");
    EXPECT_THAT(damagedMessage(bytes), HasSubstr("wave 'bEEP' appears twice"));
    bytes = serializeWaveCollection(twoWaves());
    bytes.replace(bytes.find("snd11"), 5, "bEEp1");
    EXPECT_EQ(damagedMessage(bytes), "accepted");   // differs in more than case
    bytes.replace(bytes.find("bEEp1"), 5, "bEEp ");
    EXPECT_THAT(damagedMessage(bytes), HasSubstr("wave name"));   // a space is not allowed
}

class WaveCollection : public ::testing::Test {
protected:
    testing::RecordingSound sounds{false};
};

TEST_F(WaveCollection, FindIgnoresCaseAndNamesTheMissingWave) {
    TDXSound device;
    device.Initialize();
    TDXWaveList list(device);
    list.items().load(twoWaves());
    EXPECT_EQ(list.items().find("BEEP").name(), "Beep");
    EXPECT_EQ(list.items().find("Snd11").name(), "snd11");
    try {
        list.items().find("beep2");
        FAIL();
    } catch (const OrvelaError& error) {
        EXPECT_STREQ(error.what(), "Wave 'beep2' not found");
    }
}

TEST_F(WaveCollection, StoredSettingsApplyUntilChanged) {
    TDXSound device;
    device.Initialize();
    TDXWaveList list(device);
    list.items().load(twoWaves());
    auto& beep = list.items().find("beep");
    EXPECT_FALSE(beep.looped());
    EXPECT_EQ(beep.frequency(), 22050);
    EXPECT_EQ(beep.volume(), 0);
    struct Case {
        long long frequency, volume;
        int keptFrequency, keptVolume;
    };
    for (auto c : {Case{100, -10000, 100, -10000}, Case{200000, 0, 200000, 0}, Case{99, 1, 200000, 0},
                   Case{200001, -10001, 200000, 0}, Case{-1, -5, 200000, -5}}) {
        beep.setFrequency(c.frequency);
        beep.setVolume(c.volume);
        EXPECT_EQ(beep.frequency(), c.keptFrequency);
        EXPECT_EQ(beep.volume(), c.keptVolume);
    }
    beep.play(false);
    beep.play(true);
    beep.stop();
    EXPECT_THAT(sounds.texts(), ElementsAre("play Beep once 200000 Hz -5 cB", "play Beep once 200000 Hz -5 cB wait",
                                            "stop Beep"));
}

TEST_F(WaveCollection, DamagedLoadKeepsTheOldWaves) {
    TDXSound device;
    device.Initialize();
    TDXWaveList list(device);
    list.items().load(twoWaves());
    EXPECT_THROW(list.items().loadFromBytes("RIFF"), OrvelaError);
    EXPECT_EQ(list.items().count(), 2u);
    list.items().loadFromBytes(serializeWaveCollection({{"click9", false, 8000, {1}}}));
    EXPECT_EQ(list.items().count(), 1u);
    EXPECT_THROW(list.items().find("beep"), OrvelaError);
}

TEST_F(WaveCollection, LoadingNeedsAnOpenDevice) {
    TDXSound device;
    TDXWaveList list(device);
    EXPECT_THROW(list.items().load(twoWaves()), OrvelaError);
}

// Creation, loading and release of the main window's sound objects, in a scratch
// current directory.
class SoundObjects : public ::testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() /
              ("orvela-sound-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        setEndProcessHook([] { throw ProcessEnded{}; });
        languagebase = 2000;
    }
    void TearDown() override {
        setEndProcessHook(nullptr);
        releasesoundobjects();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }
    static void write(const std::string& bytes) { std::ofstream("sounds.dat", std::ios::binary) << bytes; }

    std::filesystem::path previous, dir;
    testing::RecordingSound sounds{false};
    testing::RecordingMessageBoxes boxes;
};

TEST_F(SoundObjects, MissingFileShowsTheMessageAndEndsWritingNothing) {
    for (std::int32_t base : {1000, 2000, 3000}) {
        languagebase = base;
        boxes.messages.clear();
        createsoundobjects();
        EXPECT_THROW(loadsounds(), ProcessEnded);
        ASSERT_THAT(boxes.messages, ElementsAre(localized(42) + " sounds.dat"));
        EXPECT_FALSE(localized(42).empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    EXPECT_THAT(boxes.errors, IsEmpty());
}

TEST_F(SoundObjects, EnglishMessageReadsAsExpected) {
    createsoundobjects();
    EXPECT_THROW(loadsounds(), ProcessEnded);
    EXPECT_THAT(boxes.messages, ElementsAre("Can't find the file sounds.dat"));
}

TEST_F(SoundObjects, LoadsTheFileIntoTheWaveList) {
    write(serializeWaveCollection(defaultWaves()));
    createsoundobjects();
    loadsounds();
    for (const char* name : {"beep", "click9", "click16", "click19", "snd10", "snd11", "snd13", "snd15", "snd25"})
        EXPECT_NO_THROW(wavelist->items().find(name)) << name;
    EXPECT_EQ(sounds.devicesOpened, 1);
}

TEST_F(SoundObjects, DamagedFileRaises) {
    auto bytes = serializeWaveCollection(defaultWaves());
    write(bytes.substr(0, bytes.size() / 2));
    createsoundobjects();
    EXPECT_THROW(loadsounds(), OrvelaError);
    EXPECT_THAT(boxes.messages, IsEmpty());
}

TEST_F(SoundObjects, DeviceThatCannotOpenRaisesAndCreatesNoWaveList) {
    sounds.failOpen = true;
    EXPECT_THROW(createsoundobjects(), OrvelaError);
    EXPECT_EQ(dxsound, nullptr);
    EXPECT_EQ(wavelist, nullptr);
}

TEST_F(SoundObjects, ReleaseDropsBothAndCanRepeat) {
    write(serializeWaveCollection(defaultWaves()));
    createsoundobjects();
    loadsounds();
    releasesoundobjects();
    EXPECT_EQ(dxsound, nullptr);
    EXPECT_EQ(wavelist, nullptr);
    releasesoundobjects();
}

}  // namespace
}  // namespace orvela
