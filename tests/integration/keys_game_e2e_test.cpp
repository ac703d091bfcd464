// The real program plays the logic game on the Slovak layout, where every digit is typed
// with Shift: the answers come from real key events, with Shift let go before and after
// the digit, from the keypad, from a dead key, and from a key held down at a question.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include "support/speechdaemon.h"
#include "support/xsession.h"

namespace orvela {
namespace {

QString u(const char* text) { return QString::fromUtf8(text).simplified(); }

class SlovakKeyboardGame : public ::testing::Test {
protected:
    // Waits for the question, then types: keys typed while the game still speaks are thrown away.
    ::testing::AssertionResult asked(const QString& question) {
        const qsizetype at = speechd.waitForSpoken(question, next_, 15000);
        if (at < 0) return ::testing::AssertionFailure() << "not asked: " << question.toStdString() << "; spoken: " << said();
        next_ = at + 1;
        QThread::msleep(500);
        return ::testing::AssertionSuccess();
    }
    std::string said() const { return speechd.spoken().join(" | ").toStdString(); }

    testing::RecordingSpeechDaemon speechd;
    testing::XSession x;
    QTemporaryDir dir;
    qsizetype next_ = 0;
};

TEST_F(SlovakKeyboardGame, AWholeGameWithShiftedDigitsAComposedLetterAndAHeldKey) {
    ASSERT_TRUE(speechd.ready()) << "speech-dispatcher did not start";
    ASSERT_TRUE(x.ready());
    ASSERT_TRUE(x.setlayout("sk"));
    QFile settings(dir.filePath("orvela.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Voice]\nsapi5=1\n");
    settings.close();
    QProcessEnvironment env;
    env.insert("SPEECHD_ADDRESS", speechd.address());
    testing::OrvelaRun orvela(x, dir.path(), env);
    const QString window = x.waitForWindow("Orvela Basicu");
    ASSERT_FALSE(window.isEmpty());
    x.xdotool({"windowactivate", "--sync", window});
    x.xdotool({"key", "Num_Lock"});
    x.xdotool({"key", "ctrl+s"});

    // ó, typed with the dead acute, is "any other letter": no codes.
    ASSERT_TRUE(asked(u("keď chceš kódy napíš ,a, inak napíš hociktoré iné písmeno.")));
    x.xdotool({"key", "dead_acute", "o"});
    ASSERT_TRUE(asked(u("keď chceš pravidlá napíš ,a,")));
    x.xdotool({"key", "x"});

    // 3 held for two seconds answers the column question once, when it comes up.
    ASSERT_TRUE(asked(u("napíš s kolkými číslami chceš hrať:")));
    x.xdotool({"keydown", "3"});
    QThread::msleep(2000);
    EXPECT_FALSE(speechd.spoken().contains(u("zadaj  tri  čísla."))) << "answered before the key came up: " << said();
    x.xdotool({"keyup", "3"});
    ASSERT_TRUE(asked(u("zadaj  tri  čísla.")));

    ASSERT_TRUE(asked(u("vlož prvé číslo")));
    x.xdotool({"keydown", "shift", "1", "keyup", "1", "shift"});  // Shift let go after the digit
    ASSERT_TRUE(asked(u("vlož druhé číslo")));
    x.xdotool({"key", "2"});  // xdotool lets Shift go before the digit
    ASSERT_TRUE(asked(u("vlož treťie číslo")));
    x.xdotool({"key", "KP_Next"});  // the keypad's 3 with Num Lock on

    // The secret is random: the guess is scored, or (one time in 729) it wins.
    const qsizetype scored = speechd.waitForSpoken(u("počet ňepresných zásahov"), next_, 15000);
    if (scored >= 0) next_ = scored + 1;
    else ASSERT_TRUE(asked(u("čas,")));
    QThread::msleep(500);
    x.xdotool({"key", "e"});
    ASSERT_GE(speechd.waitForSpoken("hotovo", next_, 15000), 0) << said();

    // One game, whose column question was answered once.
    const QStringList spoken = speechd.spoken();
    const qsizetype games = spoken.indexOf(u("počet hier"));
    ASSERT_GE(games, 0) << said();
    ASSERT_LT(games + 1, spoken.size());
    EXPECT_EQ(spoken[games + 1], "1") << said();
    EXPECT_EQ(spoken.count(u("vlož prvé číslo")), 1) << said();
}

}  // namespace
}  // namespace orvela
