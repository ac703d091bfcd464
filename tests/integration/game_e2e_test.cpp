// The real program on a virtual display plays the logic game with real key events; its
// speech goes to a private speech-dispatcher daemon whose only output module writes each
// text it is given to a file.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include "support/speechdaemon.h"
#include "support/xsession.h"

namespace orvela {
namespace {

void writeFile(const QString& path, const QString& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
}

class GameEndToEnd : public ::testing::Test {
protected:
    // Waits until text has been spoken after the first `after` texts; its position or -1.
    qsizetype waitForSpoken(const QString& text, qsizetype after = 0, int timeoutMs = 30000) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            const qsizetype at = speechd.spoken().indexOf(text, after);
            if (at >= 0) return at;
            QThread::msleep(50);
        }
        return -1;
    }

    // Types key once the question has been spoken and the game has begun to wait:
    // keys typed while it still speaks are thrown away.
    ::testing::AssertionResult answer(const QString& question, const QString& key) {
        const qsizetype at = waitForSpoken(question, asked_);
        if (at < 0)
            return ::testing::AssertionFailure() << "not asked; spoken: " << speechd.spoken().join(" | ").toStdString();
        asked_ = at + 1;
        QThread::msleep(700);
        x.xdotool({"key", key});
        return ::testing::AssertionSuccess();
    }

    testing::RecordingSpeechDaemon speechd;
    testing::XSession x;
    QTemporaryDir dir;
    qsizetype asked_ = 0;
};

TEST_F(GameEndToEnd, CtrlSPlaysAGuessAndEEndsWithTheSummary) {
    ASSERT_TRUE(speechd.ready()) << "speech-dispatcher did not start";
    ASSERT_TRUE(x.ready());
    writeFile(dir.filePath("orvela.ini"), "[Voice]\nsapi5=1\n");
    QProcessEnvironment env;
    env.insert("SPEECHD_ADDRESS", "unix_socket:" + speechd.socketPath());
    testing::OrvelaRun orvela(x, dir.path(), env);
    const QString window = x.waitForWindow("Orvela Basicu");
    ASSERT_FALSE(window.isEmpty());
    x.xdotool({"windowactivate", "--sync", window});
    x.xdotool({"key", "ctrl+s"});

    const auto u = [](const char* text) { return QString::fromUtf8(text).simplified(); };
    ASSERT_TRUE(answer(u("keď chceš kódy napíš ,a, inak napíš hociktoré iné písmeno."), "x"));
    ASSERT_TRUE(answer(u("keď chceš pravidlá napíš ,a,"), "x"));
    ASSERT_TRUE(answer(u("napíš s kolkými číslami chceš hrať:"), "3"));
    ASSERT_TRUE(answer(u("vlož prvé číslo"), "1"));
    ASSERT_TRUE(answer(u("vlož druhé číslo"), "2"));
    ASSERT_TRUE(answer(u("vlož treťie číslo"), "3"));
    // The secret is random: the guess is scored, or (one time in 729) it wins and the time is said.
    const qsizetype scored = waitForSpoken(u("počet ňepresných zásahov"), asked_);
    const bool won = scored < 0 && waitForSpoken(u("čas,"), asked_, 1000) >= 0;
    ASSERT_TRUE(scored >= 0 || won) << speechd.spoken().join(" | ").toStdString();
    if (!won) {
        // The screen review in the middle of a run: Up opens it, Down reads the second line,
        // Escape closes it, and the game goes on with the key typed next.
        asked_ = scored + 1;
        QThread::msleep(700);
        x.xdotool({"key", "Up"});
        const qsizetype opened = waitForSpoken("Obrazovka", asked_);
        ASSERT_GE(opened, 0) << speechd.spoken().join(" | ").toStdString();
        QThread::msleep(500);
        x.xdotool({"key", "Down"});
        const qsizetype read = waitForSpoken(u("hladaňie správnej kombinácie čísiel 1 až ďeveť."), opened + 1);
        ASSERT_GE(read, 0) << speechd.spoken().join(" | ").toStdString();
        x.xdotool({"key", "Escape"});
        const qsizetype closed = waitForSpoken("konec obrazovky", read + 1);
        ASSERT_GE(closed, 0) << speechd.spoken().join(" | ").toStdString();
        asked_ = closed + 1;
        QThread::msleep(700);
        x.xdotool({"key", "e"});
    } else {
        ASSERT_TRUE(answer(u("čas,"), "e"));
    }
    ASSERT_GE(waitForSpoken("hotovo", asked_), 0) << speechd.spoken().join(" | ").toStdString();

    // What was said, in the game's order, ends with Start's "hotovo".
    const QStringList spoken = speechd.spoken();
    QStringList expected = {u("hra logik."),
                            u("hladaňie správnej kombinácie čísiel 1 až ďeveť."),
                            u("keď chceš kódy napíš ,a, inak napíš hociktoré iné písmeno."),
                            u("keď chceš pravidlá napíš ,a,"),
                            u("napíš s kolkými číslami chceš hrať:"),
                            u("zadaj  tri  čísla."),
                            u("vlož prvé číslo"),
                            u("vlož druhé číslo"),
                            u("vlož treťie číslo")};
    if (won) {
        expected << u("výborňe! kombinácia je správna. sú to čísla") << "jedna," << "dva," << "tri,"
                 << u("počet pokusov") << "1" << u("čas,");
    } else {
        expected << u("počet presných zásahov") << u("počet zásahov vedla") << u("počet ňepresných zásahov");
    }
    expected << u("počet hier") << "1" << u("prehlad o použitých pokusoch:") << u("hra s troma číslami")
             << (won ? "1" : u("sa ňehrala.")) << u("hra so štyrmi číslami") << u("sa ňehrala.")
             << u("hra s piatimi číslami") << u("sa ňehrala.") << "hotovo";
    qsizetype from = 0;
    for (const QString& text : expected) {
        const qsizetype at = spoken.indexOf(text, from);
        ASSERT_GE(at, 0) << "\"" << text.toStdString() << "\" not spoken in order: "
                         << spoken.join(" | ").toStdString();
        from = at + 1;
    }
    EXPECT_EQ(spoken.last(), "hotovo");
    // Nothing of the codes or the rules, which the player declined.
    EXPECT_FALSE(spoken.contains(u("kódy.")));
    EXPECT_FALSE(spoken.contains(u("tak vela šťasťia!")));
}

}  // namespace
}  // namespace orvela
