// Where the real program keeps its settings file when it is started through a link, by a
// name found on the PATH, or under a name that leads elsewhere.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include "support/speechdaemon.h"

namespace orvela {
namespace {

TEST(SettingsLocation, BesideTheExecutableAsStartedLinksKept) {
    testing::RecordingSpeechDaemon speechd;
    ASSERT_TRUE(speechd.ready());
    // installed/ holds the executable alone; user/ the data files and a link to it.
    QTemporaryDir root;
    const QDir installed(root.filePath("installed")), user(root.filePath("user"));
    QDir().mkpath(installed.path());
    QDir().mkpath(user.path());
    const QDir run(qEnvironmentVariable("ORVELA_RUN_DIR"));
    ASSERT_TRUE(QFile::copy(run.filePath("orvela"), installed.filePath("orvela")));
    for (const QString& name : run.entryList(QDir::Files)) {
        if (name != "orvela" && !name.endsWith(".ini") && name != "ram.dat") QFile::copy(run.filePath(name), user.filePath(name));
    }
    ASSERT_TRUE(QFile::link(installed.filePath("orvela"), user.filePath("orvela")));

    struct Case {
        const char* how;
        QString command;  // run by sh in user/, with user/ on the PATH
        QDir settingsDir;
    } cases[] = {
        {"through the link", "exec ./orvela", user},
        {"by name from the PATH", "exec orvela", user},
        {"as the executable itself", "exec " + installed.filePath("orvela"), installed},
        // A start name that is not this program cannot move the settings elsewhere.
        {"under a name that leads elsewhere", "exec -a " + root.filePath("elsewhere/orvela") + " ./orvela", installed},
    };
    for (const Case& c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ALSOFT_DRIVERS", "null");
        env.insert("SPEECHD_ADDRESS", speechd.address());
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        env.insert("PATH", user.path() + ":" + env.value("PATH"));
        QProcess orvela;
        orvela.setProcessEnvironment(env);
        orvela.setWorkingDirectory(user.path());
        orvela.setProcessChannelMode(QProcess::ForwardedChannels);
        orvela.start("bash", {"-c", c.command});
        const QString settings = c.settingsDir.filePath("orvela.ini");
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(settings) && waited.elapsed() < 15000) QThread::msleep(100);
        orvela.terminate();
        if (!orvela.waitForFinished(5000)) {
            orvela.kill();
            orvela.waitForFinished(5000);
        }
        EXPECT_TRUE(QFileInfo::exists(settings)) << c.how;
        EXPECT_EQ(installed.entryList({"*.ini"}).size() + user.entryList({"*.ini"}).size(), 1)
            << c.how << ": one settings file";
        QFile::remove(settings);
    }
}

}  // namespace
}  // namespace orvela
