// The desktop speech service through a private speech-dispatcher daemon whose only
// output module writes every text it is given to a file.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/codec.h"
#include "platform/eventpump.h"
#include "platform/spvoice.h"
#include "speech/speechoutput.h"
#include "support/speechdaemon.h"

namespace orvela {
namespace {

// The shared recording daemon with two seconds per text, so that a purge can cut one off;
// this process's speech client is pointed at it.
class PrivateSpeechDispatcher : public testing::RecordingSpeechDaemon {
public:
    PrivateSpeechDispatcher() : RecordingSpeechDaemon(2000) { qputenv("SPEECHD_ADDRESS", address().toUtf8()); }
    ~PrivateSpeechDispatcher() { qunsetenv("SPEECHD_ADDRESS"); }
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

// The daemon dies in the middle of a text (two seconds long): the wait ends at once
// instead of never; a key on the dead connection raises nothing, and the next text tries
// to connect again and says why it cannot.
TEST_F(SpeechDispatcherTest, ADaemonThatDiesEndsTheWaitWithinASecond) {
    speech::voice5.setEventInterests(sapi5::SVEAllEvents);
    speech::usesapi5 = speech::voiceready = true;
    QElapsedTimer sinceKill;
    bool stuck = false;
    QTimer killer;
    QObject::connect(&killer, &QTimer::timeout, [&] {
        if (sinceKill.isValid() && sinceKill.elapsed() > 5000) {
            stuck = true;  // a wait that would never end: end it here so the test can fail
            speech::sapi5speaking = false;
        }
        if (!speech::sapi5speaking || sinceKill.isValid()) return;
        sinceKill.start();
        daemon.kill();
    });
    killer.start(300);
    speech::speakandwait("Dlhá veta, počas ktorej služba skončí."_cp);
    ASSERT_TRUE(sinceKill.isValid());
    ASSERT_FALSE(stuck) << "the wait outlived the daemon";
    const qint64 waited = sinceKill.elapsed();
    EXPECT_LT(waited, 1000);
    RecordProperty("ms_from_kill_to_end_of_wait", static_cast<int>(waited));
    std::printf("the wait ended %lld ms after the daemon was killed\n", static_cast<long long>(waited));
    EXPECT_FALSE(speech::sapi5speaking);
    EXPECT_NO_THROW(speech::stopspeech());
    try {
        speech::speakandwait("Ďalšia veta."_cp);
        ADD_FAILURE() << "spoke to a dead daemon";
    } catch (const ComError& error) {
        EXPECT_EQ(error.code(), CO_E_SERVER_EXEC_FAILURE);
    }
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
