// The main window's key handling in a real window on a virtual X display, with the Czech,
// Slovak and US layouts and real key events: what the handlers receive and what they hand.
#include <QProcess>
#include <QStringList>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "support/xsession.h"

namespace orvela {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr unsigned kScanCodeOfD = 40;

struct Call {
    QString handler;  // down, press or up; release: a release as Qt delivered it
    unsigned code;    // the virtual-key code, the typed character, or the release's scan code
    QString inputline;
};

class KeysOnX11 : public ::testing::Test {
protected:
    // Starts the echo window on a fresh layout of the display.
    ::testing::AssertionResult start(const QString& layout, const QStringList& args = {}) {
        if (!x.ready()) return ::testing::AssertionFailure() << "no X display";
        stop();
        if (!x.setlayout(layout)) return ::testing::AssertionFailure() << "setxkbmap -layout " << layout.toStdString();
        echo_ = std::make_unique<QProcess>();
        echo_->setProcessEnvironment(x.environment());
        echo_->start(qEnvironmentVariable("ORVELA_BINARY_DIR") + "/tests/orvela_keyecho", args);
        const QString window = x.waitForWindow("Orvela key echo");
        if (window.isEmpty()) return ::testing::AssertionFailure() << "the echo window did not show";
        x.xdotool({"windowactivate", "--sync", window});
        calls({});
        return ::testing::AssertionSuccess();
    }
    void stop() {
        if (!echo_) return;
        echo_->terminate();
        if (!echo_->waitForFinished(3000)) echo_->kill();
        echo_->waitForFinished(3000);
        echo_.reset();
    }
    ~KeysOnX11() override { stop(); }

    // Runs xdotool and returns the handler calls it caused, once the window is quiet.
    std::vector<Call> calls(const QStringList& xdotoolArgs) {
        if (!xdotoolArgs.isEmpty()) x.xdotool(xdotoolArgs);
        QByteArray out;
        while (echo_->waitForReadyRead(300)) out += echo_->readAllStandardOutput();
        out += echo_->readAllStandardOutput();
        std::vector<Call> result;
        for (const QByteArray& line : out.split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() != 3) continue;
            result.push_back({QString::fromLatin1(parts[0]), parts[1].toUInt(nullptr, 16),
                              QString::fromLatin1(parts[2].mid(parts[2].indexOf('=') + 1))});
        }
        return result;
    }
    // The texts handed to the program: inputline after each key-up of a key from 20 hex on.
    static std::vector<std::string> handed(const std::vector<Call>& calls) {
        std::vector<std::string> texts;
        for (const auto& call : calls)
            if (call.handler == "up" && call.code >= 0x20) texts.push_back(call.inputline.toStdString());
        return texts;
    }
    static std::vector<std::string> pressed(const std::vector<Call>& calls) {
        std::vector<std::string> characters;
        for (const auto& call : calls)
            if (call.handler == "press") characters.push_back(QString::asprintf("%02X", call.code).toStdString());
        return characters;
    }
    static int count(const std::vector<Call>& calls, const char* handler, unsigned code) {
        int n = 0;
        for (const auto& call : calls) n += call.handler == handler && call.code == code;
        return n;
    }

    testing::XSession x;
    std::unique_ptr<QProcess> echo_;
};

TEST_F(KeysOnX11, CzechLayout) {
    ASSERT_TRUE(start("cz"));
    // The dead key goes down and up typing nothing; d then types ď.
    const auto deadCaron = calls({"key", "dead_caron", "d"});
    EXPECT_THAT(pressed(deadCaron), ElementsAre("EF"));
    EXPECT_THAT(handed(deadCaron), ElementsAre("", "EF"));
    EXPECT_THAT(handed(calls({"key", "dead_acute", "shift+o"})), ElementsAre("", "D3"));  // Ó
    // The number row: ě š č ř ž ý á í é.
    EXPECT_THAT(handed(calls({"key", "ecaron", "scaron", "ccaron", "rcaron", "zcaron", "yacute", "aacute", "iacute",
                              "eacute"})),
                ElementsAre("EC", "9A", "E8", "F8", "9E", "FD", "E1", "ED", "E9"));
    // Its digits with Shift, which xdotool lets go before the digit.
    EXPECT_THAT(handed(calls({"key", "2", "0"})), ElementsAre("32", "30"));
    // AltGr: backslash, at sign, euro sign.
    EXPECT_THAT(handed(calls({"key", "ISO_Level3_Shift+q", "ISO_Level3_Shift+v", "ISO_Level3_Shift+e"})),
                ElementsAre("5C", "40", "80"));
    const auto del = calls({"key", "Delete"});
    EXPECT_THAT(pressed(del), ElementsAre());
    EXPECT_THAT(handed(del), ElementsAre(""));
    // The control characters typed; only Ctrl+A's key comes up from 20 hex on and hands its.
    const auto control = calls({"key", "Return", "BackSpace", "Escape", "Tab", "ctrl+a"});
    EXPECT_THAT(pressed(control), ElementsAre("0D", "08", "1B", "09", "01"));
    EXPECT_THAT(handed(control), ElementsAre("01"));
}

TEST_F(KeysOnX11, SlovakLayout) {
    ASSERT_TRUE(start("sk"));
    // ľ š č ť ž ý á í é on the number row; the digits with Shift let go before or after
    // the digit, and on the keypad.
    EXPECT_THAT(handed(calls({"key", "lcaron", "scaron", "ccaron", "tcaron", "zcaron", "yacute", "aacute", "iacute",
                              "eacute"})),
                ElementsAre("BE", "9A", "E8", "9D", "9E", "FD", "E1", "ED", "E9"));
    EXPECT_THAT(handed(calls({"key", "3"})), ElementsAre("33"));
    EXPECT_THAT(handed(calls({"keydown", "shift", "1", "keyup", "1", "shift"})), ElementsAre("31"));
    // The keypad's 2 with Num Lock on (xdotool would press Num Lock around KP_2 itself).
    calls({"key", "Num_Lock"});
    EXPECT_THAT(handed(calls({"key", "KP_Down"})), ElementsAre("32"));
    EXPECT_THAT(handed(calls({"key", "dead_acute", "o"})), ElementsAre("", "F3"));  // ó
}

TEST_F(KeysOnX11, UsLayoutAndTheBrailleKeysOfEveryLayout) {
    ASSERT_TRUE(start("us"));
    EXPECT_THAT(handed(calls({"key", "1", "a", "shift+a", "ISO_Level3_Shift+a"})), ElementsAre("31", "61", "41", "61"));
    for (const char* layout : {"us", "cz", "sk"}) {
        ASSERT_TRUE(start(layout, {"--braille"}));
        EXPECT_THAT(handed(calls({"key", "f", "d", "s", "j", "k", "l"})),
                    ElementsAre("31", "32", "33", "34", "35", "36"))
            << layout;
        EXPECT_THAT(handed(calls({"keydown", "f", "d", "s", "j", "k", "l", "keyup", "l", "k", "j", "s", "d", "f"})),
                    ElementsAre("78", "", "", "", "", ""))
            << layout;
    }
}

TEST_F(KeysOnX11, AHeldKeyAndAHeldChordGiveOneKeyUpAndOneText) {
    // With detectable auto-repeat, and with the server's release/press pairs.
    for (const QStringList& mode : {QStringList{}, QStringList{"--server-repeat"}}) {
        const std::string name = mode.isEmpty() ? "detectable auto-repeat" : "release/press pairs";
        ASSERT_TRUE(start("cz", mode));
        const auto held = calls({"keydown", "d", "sleep", "1", "keyup", "d"});
        EXPECT_GT(count(held, "down", 'D'), 3) << name;  // the key repeats...
        EXPECT_GT(pressed(held).size(), 3u) << name;
        EXPECT_EQ(count(held, "up", 'D'), 1) << name;  // ...and comes up once
        // The server sent the repeats as it was asked to: pairs, or presses alone.
        const int releases = count(held, "release", kScanCodeOfD);
        if (mode.isEmpty())
            EXPECT_EQ(releases, 1) << name;
        else
            EXPECT_GT(releases, 3) << name;
        EXPECT_THAT(handed(held), ElementsAre("64")) << name;

        ASSERT_TRUE(start("cz", mode + QStringList{"--braille"}));
        const auto chord = calls({"keydown", "f", "d", "sleep", "1", "keyup", "f", "d"});
        EXPECT_THAT(handed(chord), ElementsAre("62", "")) << name;
    }
}

}  // namespace
}  // namespace orvela
