// The desktop speech service through a private speech-dispatcher daemon whose only
// output module writes every text it is given to a file.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codec.h"
#include "platform/eventpump.h"
#include "platform/spvoice.h"
#include "speech/speechoutput.h"

namespace orvela {
namespace {

// Each text takes two seconds to "speak", so that a purge can cut it off.
const char* const kModuleConf = R"(GenericExecuteSynth "echo \'$DATA\' >> $SPOKEN && sleep 2"
AddVoice "sk" "male1" "rec"
AddVoice "cs" "male1" "rec"
AddVoice "en" "male1" "rec"
AddVoice "c" "male1" "rec"
GenericLanguage "sk" "slovak" "utf-8"
GenericLanguage "cs" "czech" "utf-8"
GenericLanguage "en" "english" "utf-8"
GenericLanguage "c" "c" "utf-8"
DefaultVoice "rec"
)";

class PrivateSpeechDispatcher {
public:
    PrivateSpeechDispatcher() {
        const QString conf = dir_.filePath("conf");
        QDir().mkpath(conf + "/modules");
        QDir().mkpath(dir_.filePath("log"));
        QString module = QString::fromUtf8(kModuleConf).replace("$SPOKEN", spokenPath());
        write(conf + "/rec.conf", module);
        write(conf + "/modules/rec.conf", module);
        // The module makes no sound, but the daemon insists on an audio output: ALSA's null device.
        write(conf + "/speechd.conf", QString("LogDir \"%1\"\nAudioOutputMethod \"alsa\"\nAudioALSADevice \"null\"\n"
                                              "AddModule \"rec\" \"sd_generic\" \"rec.conf\"\nDefaultModule rec\n")
                                          .arg(dir_.filePath("log")));
        daemon_.setProgram("speech-dispatcher");
        daemon_.setArguments({"-s", "-C", conf, "-c", "unix_socket", "-S", socketPath(), "-t", "0", "-P",
                               dir_.filePath("speechd.pid")});
        daemon_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Its cache directory (pid file, logs before the configuration is read) stays in ours.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CACHE_HOME", dir_.filePath("cache"));
        daemon_.setProcessEnvironment(environment);
        if (qEnvironmentVariableIsSet("ORVELA_KEEP_SPEECHD")) dir_.setAutoRemove(false);
        daemon_.start();
        if (!daemon_.waitForStarted(5000)) return;
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(socketPath()) && clock.elapsed() < 10000) QThread::msleep(20);
        ready_ = QFile::exists(socketPath());
        qputenv("SPEECHD_ADDRESS", ("unix_socket:" + socketPath()).toUtf8());
    }

    ~PrivateSpeechDispatcher() {
        qunsetenv("SPEECHD_ADDRESS");
        if (daemon_.state() == QProcess::NotRunning) return;
        daemon_.terminate();  // SIGTERM to the daemon's own pid
        if (!daemon_.waitForFinished(5000)) {
            daemon_.kill();
            daemon_.waitForFinished(2000);
        }
    }

    bool ready() const { return ready_; }
    QString spokenPath() const { return dir_.filePath("spoken.txt"); }
    QString socketPath() const { return dir_.filePath("speechd.sock"); }
    QStringList spoken() const {
        QFile file(spokenPath());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private:
    static void write(const QString& path, const QString& text) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
    }
    QTemporaryDir dir_;
    QProcess daemon_;
    bool ready_ = false;
};

// Waits on the real event pump, at most limitMs.
bool waitFor(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        eventPump().waitBriefly(20);
    }
    return true;
}

class SpeechDispatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(daemon.ready()) << "speech-dispatcher did not start";
        speech::resetspeech();
        // The generic module may drop the very first text of a fresh daemon: warm it up.
        bool ended = false;
        TSpVoice warmup(nullptr, [&](std::int32_t, std::int64_t) { ended = true; });
        warmup.setEventInterests(sapi5::SVEAllEvents);
        warmup.Speak("warm", sapi5::SVSFlagsAsync);
        ASSERT_TRUE(waitFor([&] { return ended; }, 10000));
        QFile::remove(daemon.spokenPath());
    }
    void TearDown() override { speech::resetspeech(); }
    PrivateSpeechDispatcher daemon;
};

TEST_F(SpeechDispatcherTest, SpeaksQueuedTextsAndReportsEachStreamsStartAndEnd) {
    std::vector<std::string> events;
    TSpVoice voice([&](std::int32_t stream, std::int64_t) { events.push_back("start " + std::to_string(stream));},
                   [&](std::int32_t stream, std::int64_t) { events.push_back("end " + std::to_string(stream));});
    voice.setEventInterests(sapi5::SVEAllEvents);
    const auto first = voice.Speak("Dobrý deň."_cp, sapi5::SVSFlagsAsync);
    const auto second = voice.Speak("Ako sa máš?"_cp, sapi5::SVSFlagsAsync);
    ASSERT_TRUE(waitFor([&] { return events.size() >= 4; }, 15000)) << events.size();
    const std::vector<std::string> expected = {"start " + std::to_string(first), "end " + std::to_string(first),
                                               "start " + std::to_string(second), "end " + std::to_string(second)};
    EXPECT_EQ(events, expected);
    // The texts reach the daemon as UTF-8. (The generic module now and then skips running
    // its command for a text under load, so only the last one is required in the file.)
    EXPECT_TRUE(daemon.spoken().contains(QString::fromUtf8("Ako sa máš?"))) << daemon.spoken().join('|').toStdString();
}

TEST_F(SpeechDispatcherTest, SpeakAndWaitReturnsAfterTheEndAndAPurgeEndsTheStreamItCutsOff) {
    speech::voice5.setEventInterests(sapi5::SVEAllEvents);
    speech::usesapi5 = speech::voiceready = true;
    QElapsedTimer clock;
    clock.start();
    speech::speakandwait("Prvá veta."_cp);
    EXPECT_GE(clock.elapsed(), 1900);  // the module takes two seconds per text
    EXPECT_FALSE(speech::sapi5speaking);

    // A key's purge while a text speaks: the end of the stream it cuts off clears the flag
    // long before the text would have ended, and nothing queued keeps speaking afterwards.
    speech::speak("Dlhá veta, ktorú kláves preruší."_cp);
    speech::speak("Táto sa už nepovie."_cp);
    ASSERT_TRUE(waitFor([] { return speech::sapi5speaking; }, 5000));
    QThread::msleep(200);
    clock.restart();
    speech::stopspeech();
    ASSERT_TRUE(waitFor([] { return !speech::sapi5speaking; }, 5000));
    EXPECT_LT(clock.elapsed(), 1000);
    QThread::msleep(2500);
    eventPump().processPending();
    EXPECT_FALSE(speech::sapi5speaking);
}

TEST(SpeechDispatcherMissing, ConnectingRaisesTheServiceError) {
    QTemporaryDir dir;
    qputenv("SPEECHD_ADDRESS", ("unix_socket:" + dir.filePath("none.sock")).toUtf8());
    TSpVoice voice(nullptr, nullptr);
    try {
        voice.setEventInterests(sapi5::SVEAllEvents);
        ADD_FAILURE() << "connected to nothing";
    } catch (const ComError& error) {
        EXPECT_EQ(error.code(), CO_E_SERVER_EXEC_FAILURE);
    }
    qunsetenv("SPEECHD_ADDRESS");
}

}  // namespace
}  // namespace orvela
