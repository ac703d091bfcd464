// The Braille keyboard mode with real Qt key events sent to the main window's screen.
#include <QAction>
#include <QPlainTextEdit>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settingsfile.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "keyboard/braillekeyboard.h"
#include "keyboard/brailletable.h"
#include "keyboard/keyhandlers.h"
#include "platform/keys.h"
#include "platform/testing/virtualtime.h"
#include "runtime/input.h"
#include "support/appfixture.h"

namespace orvela {
namespace {

using ::testing::ElementsAre;

constexpr const char* kTable =
    "[prefixes]\r\n#cap=46\r\n#num=3456\r\n"
    "[characters]\r\na=1\r\n,=2\r\nb=12\r\nd=145\r\nf=124\r\n"
    "[#cap]\r\nA=1\r\n"
    "[#num]\r\n1=1\r\n";

class BrailleKeyboardTest : public testing::AppFixture {
protected:
    BrailleKeyboardTest() {
        createwindows();
        loadbrailletabletext(kTable, "test.obt");
        brlprefix.clear();
        brlchord.clear();
        inputline.clear();
        typedkey.clear();
        releaseallkeys();
        braillekeys = true;
    }
    ~BrailleKeyboardTest() override {
        braillekeys = false;
        destroywindows();
        resetbrailletable();
    }
    QWidget* memo() { return Form1->printmemo; }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyPress(memo(), key, mods); }
    void release(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyRelease(memo(), key, mods); }
    // Presses the keys in order, then releases them in the given order; returns each
    // text the program could have taken at a release.
    std::vector<std::string> chord(std::vector<Qt::Key> down, std::vector<Qt::Key> up) {
        for (auto key : down) press(key);
        std::vector<std::string> handed;
        for (auto key : up) {
            release(key);
            handed.push_back(inputline);
        }
        return handed;
    }
};

TEST_F(BrailleKeyboardTest, ChordIsEmittedOnceAtTheFirstReleaseInAnyOrder) {
    const std::vector<std::vector<Qt::Key>> orders = {
        {Qt::Key_F, Qt::Key_D, Qt::Key_J}, {Qt::Key_J, Qt::Key_F, Qt::Key_D}, {Qt::Key_D, Qt::Key_J, Qt::Key_F}};
    for (const auto& order : orders)
        EXPECT_THAT(chord({Qt::Key_F, Qt::Key_D, Qt::Key_J}, order), ElementsAre("f", "", ""));
}

TEST_F(BrailleKeyboardTest, ChordGrowsAsKeysGoDown) {
    press(Qt::Key_F);
    EXPECT_EQ(brlchord, "1");
    press(Qt::Key_D);
    EXPECT_EQ(brlchord, "12");
    EXPECT_EQ(typedkey, "d");  // the typed character waits to be replaced at the release
    release(Qt::Key_F);
    EXPECT_EQ(inputline, "b");
}

TEST_F(BrailleKeyboardTest, AHeldChordIsEmittedOnce) {
    press(Qt::Key_F);
    press(Qt::Key_D);
    press(Qt::Key_D);  // the last key pressed repeats while the chord is held
    press(Qt::Key_D);
    EXPECT_EQ(brlchord, "12");
    release(Qt::Key_F);
    EXPECT_EQ(inputline, "b");
    press(Qt::Key_D);  // still held after the chord's first release: no chord of its own
    release(Qt::Key_D);
    EXPECT_EQ(inputline, "");
}

TEST_F(BrailleKeyboardTest, ShiftDuringAChordLosesIt) {
    press(Qt::Key_F);
    press(Qt::Key_D);
    press(Qt::Key_Shift, Qt::ShiftModifier);
    release(Qt::Key_F, Qt::ShiftModifier);  // the chord's first release, Shift still held
    EXPECT_EQ(inputline, "");
    release(Qt::Key_D, Qt::ShiftModifier);
    release(Qt::Key_Shift);
    EXPECT_EQ(inputline, "");
}

TEST_F(BrailleKeyboardTest, AModifierReleasedDuringAChordLeavesItToItsKeys) {
    press(Qt::Key_Shift, Qt::ShiftModifier);
    press(Qt::Key_F, Qt::ShiftModifier);
    press(Qt::Key_D, Qt::ShiftModifier);
    release(Qt::Key_Shift);
    EXPECT_EQ(brlchord, "12");
    release(Qt::Key_F);
    EXPECT_EQ(inputline, "b");
    release(Qt::Key_D);
}

TEST_F(BrailleKeyboardTest, PrefixesAndTheirCancelling) {
    EXPECT_THAT(chord({Qt::Key_J, Qt::Key_L}, {Qt::Key_L, Qt::Key_J}), ElementsAre("", ""));
    EXPECT_EQ(brlprefix, "#cap");
    EXPECT_THAT(chord({Qt::Key_F}, {Qt::Key_F}), ElementsAre("A"));  // one-shot capital
    EXPECT_EQ(brlprefix, "");

    chord({Qt::Key_S, Qt::Key_J, Qt::Key_K, Qt::Key_L}, {Qt::Key_S, Qt::Key_J, Qt::Key_K, Qt::Key_L});
    EXPECT_EQ(brlprefix, "#num");
    EXPECT_THAT(chord({Qt::Key_1}, {Qt::Key_1}), ElementsAre(""));  // a digit key types nothing...
    EXPECT_EQ(brlprefix, "");                                          // ...and cancels the prefix

    chord({Qt::Key_S, Qt::Key_J, Qt::Key_K, Qt::Key_L}, {Qt::Key_S, Qt::Key_J, Qt::Key_K, Qt::Key_L});
    press(Qt::Key_Return);
    EXPECT_EQ(inputline, "\r");  // Enter keeps its meaning and cancels the prefix too
    EXPECT_EQ(brlprefix, "");
    release(Qt::Key_Return);

    chord({Qt::Key_S, Qt::Key_J, Qt::Key_K, Qt::Key_L}, {Qt::Key_S, Qt::Key_J, Qt::Key_K, Qt::Key_L});
    EXPECT_THAT(chord({Qt::Key_Space}, {Qt::Key_Space}), ElementsAre(" "));
    EXPECT_EQ(brlprefix, "");
}

TEST_F(BrailleKeyboardTest, SpaceHeldWithDotsIsIgnoredAndUnknownChordsGiveNothing) {
    EXPECT_THAT(chord({Qt::Key_Space, Qt::Key_F}, {Qt::Key_F, Qt::Key_Space}), ElementsAre("a", ""));
    EXPECT_THAT(chord({Qt::Key_L}, {Qt::Key_L}), ElementsAre(""));
    // Only a space that is typed cancels a prefix: the space bar going down first under a
    // chord leaves the capital sign for the chord.
    chord({Qt::Key_J, Qt::Key_L}, {Qt::Key_J, Qt::Key_L});
    EXPECT_THAT(chord({Qt::Key_Space, Qt::Key_F}, {Qt::Key_F, Qt::Key_Space}), ElementsAre("A", ""));
}

TEST_F(BrailleKeyboardTest, MenuItemSwitchesTheModeWithRisingAndFallingPairsAndSaves) {
    testing::VirtualTime time;
    braillekeys = false;
    brlprefix = "#num";
    soundDevice.events.clear();
    Form1->braillekeyboarditem->trigger();
    EXPECT_TRUE(Form1->braillekeyboarditem->isChecked());
    EXPECT_TRUE(braillekeys);
    EXPECT_EQ(settingsfile().readInteger("keyboard", "braillekeys", -1), 1);
    EXPECT_THAT(soundDevice.texts(), ElementsAre("play snd13 looped 25600 Hz 0 cB", "stop snd13",
                                                 "play snd13 looped 38400 Hz 0 cB", "stop snd13"));
    soundDevice.events.clear();
    Form1->braillekeyboarditem->trigger();
    EXPECT_FALSE(braillekeys);
    EXPECT_EQ(settingsfile().readInteger("keyboard", "braillekeys", -1), 0);
    EXPECT_THAT(soundDevice.texts(), ElementsAre("play snd13 looped 38400 Hz 0 cB", "stop snd13",
                                                 "play snd13 looped 25600 Hz 0 cB", "stop snd13"));
    EXPECT_EQ(brlprefix, "#num");  // switching the mode keeps the prefix

    orvelasounds = false;
    soundDevice.events.clear();
    Form1->braillekeyboarditem->trigger();
    EXPECT_TRUE(soundDevice.events.empty());
    EXPECT_EQ(settingsfile().readInteger("keyboard", "braillekeys", -1), 1);
    orvelasounds = true;
}

}  // namespace
}  // namespace orvela
