// The main window opens the sound objects when it is created and lets them go when
// it closes; its Start and its keys act on a SOUND.
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "app/soundobjects.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "platform/defaultwaves.h"
#include "platform/errors.h"
#include "platform/wavecollectionfile.h"
#include "runtime/input.h"
#include "runtime/soundcommands.h"
#include "support/appfixture.h"

namespace orvela {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MainWindowSounds : public testing::AppFixture {
protected:
    ~MainWindowSounds() override {
        setprogram(nullptr);
        destroywindows();
    }
};

TEST_F(MainWindowSounds, CreationLoadsSoundsDat) {
    createwindows();
    EXPECT_THAT(boxes.errors, IsEmpty());
    ASSERT_NE(wavelist, nullptr);
    EXPECT_EQ(soundDevice.devicesOpened, 1);
    beep();
    EXPECT_THAT(soundDevice.texts(), ElementsAre("play beep once 44100 Hz 0 cB wait"));
}

TEST_F(MainWindowSounds, DeviceThatCannotOpenShowsTheErrorAndTheWindowOpens) {
    soundDevice.failOpen = true;
    createwindows();
    EXPECT_THAT(boxes.errors, ElementsAre("The sound device cannot be opened"));
    EXPECT_THAT(boxes.messages, IsEmpty());
    EXPECT_NE(Form1, nullptr);
    EXPECT_EQ(wavelist, nullptr);
}

TEST_F(MainWindowSounds, DamagedSoundsDatShowsTheError) {
    // The default collection with the sample rate of its first wave made 0.
    std::string bytes = serializeWaveCollection(defaultWaves());
    const std::size_t nameLength = static_cast<unsigned char>(bytes.at(20));
    const std::size_t rate = 20 + 1 + nameLength + 1;  // file and chunk headers, name, flags
    bytes.replace(rate, 4, std::string(4, '\0'));
    writeFile("sounds.dat", bytes);
    createwindows();
    EXPECT_THAT(boxes.errors, ElementsAre("Damaged sound collection at byte " + std::to_string(rate) +
                                          ": sample rate 0 out of range"));
    EXPECT_THROW(beep(), OrvelaError);
}

// Start puts the octave and duration of SOUND back to 1: octave 10 and a negative
// duration after a run that ended on octave 0 play in octave 1 for 1 ms.
TEST_F(MainWindowSounds, EachRunStartsFromOctaveOne) {
    createwindows();
    setprogram([] { sound({200}, 30, 0); });
    Form1->StartsubmenuClick();
    soundDevice.events.clear();
    setprogram([] { sound({500}, -1, 10); });
    Form1->StartsubmenuClick();
    EXPECT_THAT(soundDevice.texts(), ElementsAre("play snd11 looped 32000 Hz 0 cB", "stop snd11"));
    EXPECT_EQ(lastduration, 1);
}

// A key pressed in the window ends a SOUND that would otherwise sound until a key,
// through the window system's key event and the application's own event loop.
TEST_F(MainWindowSounds, AKeyInTheWindowEndsARunningSound) {
    createwindows();
    Form1->show();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    QTimer::singleShot(20, Form1, [] { QTest::keyClick(Form1->windowHandle(), Qt::Key_X); });
    bool stuck = false;
    QTimer::singleShot(10000, Form1, [&stuck] {
        stuck = true;
        soundplaying = false;
    });
    sound({400}, 0.5, 1);  // below 1 ms: no timer ends it
    EXPECT_FALSE(stuck);
    EXPECT_THAT(soundDevice.texts(), ElementsAre("play snd11 looped 25600 Hz 0 cB", "stop snd11"));
    EXPECT_FALSE(soundtimer().enabled());
    EXPECT_EQ(inputline, "x");
    inputline.clear();
}

TEST_F(MainWindowSounds, ClosingReleasesTheSoundObjects) {
    createwindows();
    Form1->close();
    EXPECT_EQ(dxsound, nullptr);
    EXPECT_EQ(wavelist, nullptr);
    EXPECT_EQ(readFile("ram.dat").size(), 65536u);
}

}  // namespace
}  // namespace orvela
