// The real program started in a folder without sounds.dat.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/xsession.h"

namespace orvela {
namespace {

TEST(SoundMissingFile, MessageThenExitCodeZeroWithoutWritingTheImage) {
    testing::XSession x;
    ASSERT_TRUE(x.ready());
    QTemporaryDir dir;
    const QString exe = dir.filePath("orvela");
    ASSERT_TRUE(QFile::copy(QDir(qEnvironmentVariable("ORVELA_RUN_DIR")).filePath("orvela"), exe));
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess orvela;
    QProcessEnvironment env = x.environment();
    env.insert("ALSOFT_DRIVERS", "null");
    env.insert("LANGUAGE", "C");
    orvela.setProcessEnvironment(env);
    orvela.setWorkingDirectory(dir.path());
    orvela.setProcessChannelMode(QProcess::ForwardedChannels);
    orvela.start(exe, {});
    ASSERT_TRUE(orvela.waitForStarted(5000));

    // The message box is the only window: the main window is not shown yet.
    const QString box = x.waitForWindow("orvela");
    ASSERT_FALSE(box.isEmpty());
    EXPECT_FALSE(orvela.waitForFinished(300)) << "ended before the message was dismissed";
    x.xdotool({"windowactivate", "--sync", box});
    x.xdotool({"key", "Return"});   // sent to the focus: the toolkit ignores synthetic events
    const bool ended = orvela.waitForFinished(10000);
    if (!ended) orvela.kill(), orvela.waitForFinished(3000);
    ASSERT_TRUE(ended);
    EXPECT_EQ(orvela.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(orvela.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("ram.dat")));
    EXPECT_FALSE(QFile::exists(dir.filePath("sounds.dat")));
}

}  // namespace
}  // namespace orvela
