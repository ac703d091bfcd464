// The main window opens the sound objects when it is created and lets them go when
// it closes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/soundobjects.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "runtime/soundcommands.h"
#include "support/appfixture.h"

namespace orvela {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MainWindowSounds : public testing::AppFixture {
protected:
    ~MainWindowSounds() override { destroywindows(); }
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
    writeFile("sounds.dat", "RIFF\4\0\0\0OSND");
    createwindows();
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_THAT(boxes.errors[0], ::testing::HasSubstr("Damaged sound collection"));
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
