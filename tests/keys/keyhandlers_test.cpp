// The main window's keys, with real Qt key events sent to the screen control.
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/datafiles.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "keyboard/keyhandlers.h"
#include "platform/keys.h"
#include "platform/process.h"
#include "runtime/input.h"
#include "runtime/soundcommands.h"
#include "speech/unit6.h"
#include "support/appfixture.h"

namespace orvela {
namespace {

class KeyTest : public testing::AppFixture {
protected:
    KeyTest() {
        createwindows();
        inputline.clear();
        typedkey.clear();
        releaseallkeys();
    }
    ~KeyTest() override { destroywindows(); }
    QWidget* memo() { return Form1->printmemo; }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyPress(memo(), key, mods); }
    void release(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyRelease(memo(), key, mods); }
    static std::string code(int c) { return std::string(1, static_cast<char>(c)); }
};

TEST_F(KeyTest, ALetterIsHandedAtItsRelease) {
    press(Qt::Key_A);
    EXPECT_EQ(inputline, "");
    EXPECT_EQ(typedkey, "a");
    release(Qt::Key_A);
    EXPECT_EQ(inputline, "a");
    EXPECT_EQ(typedkey, "");
}

TEST_F(KeyTest, ControlKeysAreHandedAtKeyDown) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int expected;
        bool keptAfterRelease;  // keys with codes below 20 hex hand nothing at their release
    } cases[] = {{Qt::Key_Return, Qt::NoModifier, 13, true},    {Qt::Key_Escape, Qt::NoModifier, 27, true},
                 {Qt::Key_Backspace, Qt::NoModifier, 8, true},  {Qt::Key_Backspace, Qt::ShiftModifier, 25, true},
                 {Qt::Key_F6, Qt::NoModifier, 8, false},        {Qt::Key_F6, Qt::ShiftModifier, 25, false},
                 {Qt::Key_F7, Qt::NoModifier, 7, false},        {Qt::Key_F8, Qt::NoModifier, 13, false}};
    for (const auto& c : cases) {
        inputline.clear();
        press(c.key, c.mods);
        EXPECT_EQ(inputline, code(c.expected)) << c.key;
        release(c.key, c.mods);
        EXPECT_EQ(inputline, c.keptAfterRelease ? code(c.expected) : "") << "after the release of " << c.key;
    }
}

TEST_F(KeyTest, ArrowCodeLastsFromKeyDownToKeyUp) {
    press(Qt::Key_Up);
    EXPECT_EQ(inputline, code(0x81));
    release(Qt::Key_Up);
    EXPECT_EQ(inputline, "");
    EXPECT_FALSE(programstarted);  // before the first Start nothing else happens
}

TEST_F(KeyTest, ArrowCombinationsWithShiftAndSpace) {
    press(Qt::Key_Left);
    press(Qt::Key_Right);
    EXPECT_EQ(inputline, code(0x8C));
    press(Qt::Key_Space);
    press(Qt::Key_Right);  // repeated with the space bar down
    EXPECT_EQ(inputline, code(0xAC));
    press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(inputline, code(0xBC));
}

TEST_F(KeyTest, OverlappingLettersHandTheSecondAtTheFirstRelease) {
    press(Qt::Key_A);
    press(Qt::Key_B);
    release(Qt::Key_A);
    EXPECT_EQ(inputline, "b");
    release(Qt::Key_B);
    EXPECT_EQ(inputline, "");
}

TEST_F(KeyTest, ShiftEmptiesAPendingCode) {
    press(Qt::Key_Return);
    press(Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(inputline, "");
}

TEST_F(KeyTest, UpOrDownAloneOpensTheReviewAfterTheFirstStart) {
    programstarted = true;
    int opened = 0;
    QTimer closer;  // closes the review as soon as it shows
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (Form6 && Form6->isVisible()) {
            ++opened;
            QTest::keyClick(Form6->virtualscrmemo, Qt::Key_Escape);
        }
    });
    closer.start(10);
    press(Qt::Key_Down);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(inputline, "");  // the key that asked for the review never reaches the program
    release(Qt::Key_Down);
    EXPECT_EQ(inputline, "");

    press(Qt::Key_Up, Qt::ShiftModifier);  // Shift with an arrow never opens it
    EXPECT_EQ(inputline, code(0x91));
    release(Qt::Key_Up, Qt::ShiftModifier);

    ramimage[50730] = 1;  // the memory image forbids the review
    press(Qt::Key_Up);
    EXPECT_EQ(inputline, code(0x81));
    release(Qt::Key_Up);
    EXPECT_EQ(opened, 1);
    ramimage[50730] = 0;
    programstarted = false;
}

TEST_F(KeyTest, AnyKeyEndsAPlayingSound) {
    soundplaying = true;
    soundtimer().setInterval(1000);
    soundtimer().setEnabled(true);
    press(Qt::Key_X);
    EXPECT_FALSE(soundplaying);
    EXPECT_FALSE(soundtimer().enabled());
    release(Qt::Key_X);
}

TEST_F(KeyTest, AltF4SavesTheImageAndEndsAtOnce) {
    ramimage[5] = 9;
    EXPECT_THROW(FormKeyDown(vk::F4, ssAlt), ProcessEnded);
    EXPECT_EQ(readFile("ram.dat").size(), kRamSize);
    EXPECT_EQ(readFile("ram.dat")[5], '\x09');
    FormKeyDown(vk::F4, 0);  // F4 alone is just a key
}

}  // namespace
}  // namespace orvela
