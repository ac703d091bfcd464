// The sound objects over real OpenAL Soft on its silent null device.
#include <gtest/gtest.h>

#include <chrono>

#include "app/soundobjects.h"
#include "platform/defaultwaves.h"
#include "runtime/soundcommands.h"

namespace orvela {
namespace {

class OpenAlSound : public ::testing::Test {
protected:
    void SetUp() override {
        createsoundobjects();
        wavelist->items().load(defaultWaves());
    }
    void TearDown() override { releasesoundobjects(); }
};

template <typename Fn>
double realMs(Fn fn) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

TEST_F(OpenAlSound, WaitingPlayLastsTheWaveAndNoLonger) {
    auto& beep = wavelist->items().find("beep");
    EXPECT_GE(realMs([&] { beep.play(true); }), 199);
    EXPECT_LT(realMs([&] { beep.play(false); }), 50);
    // At twice its rate it lasts half as long.
    beep.setFrequency(88200);
    const auto ms = realMs([&] { beep.play(true); });
    EXPECT_GE(ms, 99);
    EXPECT_LT(ms, 190);
    beep.stop();
}

TEST_F(OpenAlSound, CommandsRunOnTheRealDevice) {
    const auto ms = realMs([] {
        sound({400}, 100, 1);
        sound({300, 450}, 50, 5);
        sound({2000}, 20, 1);
    });
    EXPECT_GE(ms, 169);   // each note lasts its full duration
    EXPECT_FALSE(soundplaying);
    for (int i = 0; i < 30; ++i) click(9);   // copies are reused, never exhausted
    EXPECT_NO_THROW(beep());
}

TEST_F(OpenAlSound, ReleasingTheDeviceBeforeTheWavesIsSafe) {
    wavelist->items().find("snd11").play(false);
    dxsound.reset();
    wavelist->items().find("snd11").stop();
    wavelist.reset();
}

}  // namespace
}  // namespace orvela
