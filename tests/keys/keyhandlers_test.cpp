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

// A key as X11 reports it: with its physical scan code, its key symbol and its text.
struct X11Key {
    int key;
    quint32 scanCode;
    quint32 keysym;
    QString text;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
};

// Keys of the Czech and Slovak layouts, as X11 reports them.
const X11Key kShift{Qt::Key_Shift, 50, 0xffe1, ""};
const X11Key kCtrl{Qt::Key_Control, 37, 0xffe3, ""};
const X11Key kAltGr{Qt::Key_AltGr, 108, 0xfe03, ""};
const X11Key kShiftedThree{Qt::Key_3, 12, '3', "3", Qt::ShiftModifier};
const X11Key kScaron{0x160, 12, 0x1b9, QString::fromUtf8("š")};  // the same key without Shift
const X11Key kCtrlA{Qt::Key_A, 38, 'a', "\x01", Qt::ControlModifier};
const X11Key kLetterA{Qt::Key_A, 38, 'a', "a"};
const X11Key kAltGrQ{Qt::Key_Backslash, 24, '\\', "\\", Qt::GroupSwitchModifier};
const X11Key kLetterQ{Qt::Key_Q, 24, 'q', "q"};
const X11Key kLetterD{Qt::Key_D, 40, 'd', "d"};
const X11Key kShiftedO{Qt::Key_O, 32, 'O', "O", Qt::ShiftModifier};
const X11Key kLetterG{Qt::Key_G, 42, 'g', "g"};
const X11Key kLetterX{Qt::Key_X, 53, 'x', "x"};
const X11Key kDeadCaron{Qt::Key_Dead_Caron, 21, 0xfe5a, ""};
const X11Key kDeadAcute{Qt::Key_Dead_Acute, 21, 0xfe51, ""};
const X11Key kEnter{Qt::Key_Return, 36, 0xff0d, "\r"};
const X11Key kBackspace{Qt::Key_Backspace, 22, 0xff08, "\b"};
const X11Key kEscape{Qt::Key_Escape, 9, 0xff1b, "\x1b"};
const X11Key kTab{Qt::Key_Tab, 23, 0xff09, "\t"};
const X11Key kDelete{Qt::Key_Delete, 119, 0xffff, "\x7f"};
const X11Key kOslash{0xf8, 47, 0xf8, QString::fromUtf8("ø")};  // no Windows-1250 code

class X11KeyTest : public KeyTest {
protected:
    void send(QEvent::Type type, const X11Key& key, quint64 time) {
        QKeyEvent event(type, key.key, key.mods, key.scanCode, key.keysym, 0, key.text);
        event.setTimestamp(time);
        QCoreApplication::sendEvent(memo(), &event);
    }
    void down(const X11Key& key, quint64 time = 0) { send(QEvent::KeyPress, key, time ? time : ++clock_); }
    // A release may wait briefly for the press of an auto-repeat pair; settle() lets it go.
    void up(const X11Key& key, quint64 time = 0) { send(QEvent::KeyRelease, key, time ? time : ++clock_); }
    static void settle() { QTest::qWait(80); }
    // The keys go down in order, then come up in the order given; returns what was handed.
    std::string type(const std::vector<X11Key>& keysDown, const std::vector<X11Key>& keysUp) {
        for (const auto& key : keysDown) down(key);
        for (const auto& key : keysUp) up(key);
        settle();
        return inputline;
    }
    quint64 clock_ = 1000;
};

TEST_F(X11KeyTest, AModifierComingUpFirstKeepsTheCharacterItTyped) {
    struct Case {
        const char* what;
        X11Key modifier, pressed, releasedAlone;  // the key as X11 reports it once the modifier is up
        std::string expected;
    } cases[] = {{"Shift and 3 on the Slovak layout", kShift, kShiftedThree, kScaron, "3"},
                 {"Ctrl+A", kCtrl, kCtrlA, kLetterA, "\x01"},
                 {"AltGr+Q", kAltGr, kAltGrQ, kLetterQ, "\\"}};
    for (const auto& c : cases) {
        EXPECT_EQ(type({c.modifier, c.pressed}, {c.modifier, c.releasedAlone}), c.expected) << c.what << ", modifier first";
        // The key-up came with the key-down's code, so no key stays down.
        EXPECT_FALSE(keydown(virtualkey(QKeyEvent(QEvent::KeyPress, c.pressed.key, c.pressed.mods)))) << c.what;
        inputline.clear();
        EXPECT_EQ(type({c.modifier, c.pressed}, {c.pressed, c.modifier}), c.expected) << c.what << ", modifier last";
        inputline.clear();
    }
    // Keys below 20 hex other than the modifiers still empty the typed character.
    EXPECT_EQ(type({kLetterA, kEnter}, {kEnter, kLetterA}), "");
}

TEST_F(X11KeyTest, ControlCharactersKeepTheirCodesAndKeysThatTypeNothingHandNothing) {
    struct Case {
        X11Key key;
        std::string typed;
    } cases[] = {{kEnter, "\r"},   {kBackspace, "\b"}, {kEscape, "\x1b"}, {kTab, "\t"},
                 {kCtrlA, "\x01"}, {kDelete, ""},      {kOslash, ""}};
    for (const auto& c : cases) {
        typedkey.clear();
        down(c.key);
        EXPECT_EQ(typedkey, c.typed) << c.key.key;
        up(c.key);
        settle();
    }
    inputline = "x";
    EXPECT_EQ(type({kDelete}, {kDelete}), "");
}

TEST_F(X11KeyTest, DeadKeysComposeTheLetterOfTheKeyThatCompletesThem) {
    struct Case {
        const char* what;
        X11Key dead, letter;
        std::string expected;
    } cases[] = {{"caron d", kDeadCaron, kLetterD, "\xEF"},       // ď
                 {"acute Shift+O", kDeadAcute, kShiftedO, "\xD3"},  // Ó
                 {"caron g", kDeadCaron, kLetterG, ""},             // ǧ has no Windows-1250 code
                 {"caron x", kDeadCaron, kLetterX, "x"}};           // no such letter: x alone
    for (const auto& c : cases) {
        inputline = "?";
        down(c.dead);
        EXPECT_EQ(inputline, "?") << c.what;  // the dead key goes down like any key...
        EXPECT_EQ(typedkey, "") << c.what;    // ...and types nothing
        up(c.dead);
        settle();
        EXPECT_EQ(inputline, "") << c.what;
        EXPECT_EQ(type({c.letter}, {c.letter}), c.expected) << c.what;
    }
}

TEST_F(X11KeyTest, AHeldKeyGivesOneKeyUpWhenTheServerSendsReleasePressPairs) {
    down(kLetterD, 100);
    for (quint64 repeat = 700; repeat < 1000; repeat += 40) {
        up(kLetterD, repeat);
        QCoreApplication::processEvents();
        down(kLetterD, repeat);  // the pair's press carries the release's time
    }
    EXPECT_EQ(inputline, "");
    EXPECT_TRUE(keydown('D'));
    up(kLetterD, 1200);
    settle();
    EXPECT_EQ(inputline, "d");

    // Two quick strokes are two key-ups, each before the next key goes down.
    inputline.clear();
    down(kLetterD, 2000);
    up(kLetterD, 2010);
    down(kLetterD, 2020);
    EXPECT_EQ(inputline, "d");
    up(kLetterD, 2030);
    down(kEnter, 2040);
    EXPECT_EQ(inputline, "\r");
    up(kEnter, 2050);
    settle();
}

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
