// The real program on a virtual display, driven with real key events.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <vector>

#include "support/speechdaemon.h"
#include "support/xsession.h"

namespace orvela {
namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class AppEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.ready());
        ASSERT_TRUE(speechd.ready());
        env.insert("SPEECHD_ADDRESS", speechd.address());
    }
    testing::XSession x;
    // The voice dialog connects to the desktop speech service at start: a private one.
    testing::RecordingSpeechDaemon speechd;
    QProcessEnvironment env;
};

TEST_F(AppEndToEnd, FirstStartShowsTheWindowAndExitSavesTheImage) {
    QTemporaryDir dir;
    testing::OrvelaRun orvela(x, dir.path(), env);

    const QString window = x.waitForWindow("Orvela Basicu");
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(x.xdotool({"getwindowname", window}), QString::fromUtf8("orvela - Překladač Orvela Basicu"));

    // A first start creates the settings file with the voice-allowed key alone.
    const QByteArray ini = readFile(dir.filePath("orvela.ini"));
    EXPECT_TRUE(ini == "[voice]\nvoiceallowed=0\n" || ini == "[voice]\nvoiceallowed=1\n") << ini.toStdString();

    // Program > Exit (the Czech captions: "&Program", "Kon&ec").
    x.xdotool({"windowactivate", "--sync", window});
    x.xdotool({"key", "--window", window, "alt+p"});
    QThread::msleep(300);
    x.xdotool({"key", "e"});
    ASSERT_TRUE(orvela.waitForExit());
    EXPECT_EQ(orvela.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(orvela.process().exitCode(), 0);
    EXPECT_EQ(readFile(dir.filePath("ram.dat")), QByteArray(65536, '\0'));
}

TEST_F(AppEndToEnd, EndingDuringARunEndsTheProcessAtOnce) {
    // Program > Exit during the run, and Alt+F4 (the window manager's close, or the key).
    const std::vector<QStringList> endings = {{"alt+p", "e"}, {"alt+F4"}};
    for (const auto& keys : endings) {
        QTemporaryDir dir;
        testing::OrvelaRun orvela(x, dir.path(), env);
        const QString window = x.waitForWindow("Orvela Basicu");
        ASSERT_FALSE(window.isEmpty());
        x.xdotool({"windowactivate", "--sync", window});
        x.xdotool({"key", "ctrl+s"});
        QThread::msleep(1500);  // the game is under way
        for (const QString& key : keys) {
            x.xdotool({"key", key});
            QThread::msleep(300);
        }
        ASSERT_TRUE(orvela.waitForExit(10000)) << keys.join(' ').toStdString();
        EXPECT_EQ(orvela.process().exitCode(), 0);
        EXPECT_EQ(readFile(dir.filePath("ram.dat")).size(), 65536);
    }
}

}  // namespace
}  // namespace orvela
