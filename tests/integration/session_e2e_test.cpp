// The real program on a virtual display when the session ends under it or its speech
// daemon comes late or dies: nothing hangs, nothing crashes, the memory image is saved.
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <vector>

#include "support/speechdaemon.h"
#include "support/xsession.h"

namespace orvela {
namespace {

constexpr const char* kTitle = "Orvela Basicu";
// The error box: a shown window that carries the application's name alone.
constexpr const char* kErrorBox = "^orvela$";

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// A short image of the user's; every orderly end writes it back padded to 64 KB.
QByteArray userImage() {
    QByteArray bytes;
    for (int i = 0; i < 100; ++i) bytes.append(static_cast<char>(i * 7 + 3));
    return bytes;
}

QByteArray savedImage() { return userImage() + QByteArray(65536 - userImage().size(), '\0'); }

class SessionEndToEnd : public ::testing::Test {
protected:
    // The program speaking through `daemon`, with the user's image in its directory.
    std::unique_ptr<testing::OrvelaRun> launch(const testing::RecordingSpeechDaemon& daemon) {
        writeFile(dir.filePath("orvela.ini"), "[Voice]\nsapi5=1\n");
        writeFile(dir.filePath("ram.dat"), userImage());
        QProcessEnvironment env;
        env.insert("SPEECHD_ADDRESS", daemon.address());
        return std::make_unique<testing::OrvelaRun>(x, dir.path(), env);
    }

    QString errorBox() const { return x.xdotool({"search", "--onlyvisible", "--name", kErrorBox}); }

    ::testing::AssertionResult activate() {
        window_ = x.waitForWindow(kTitle);
        if (window_.isEmpty()) return ::testing::AssertionFailure() << "no main window";
        x.xdotool({"windowactivate", "--sync", window_});
        return ::testing::AssertionSuccess();
    }

    // Ctrl+S, then waits until the game has begun to speak.
    ::testing::AssertionResult startGame(const testing::RecordingSpeechDaemon& daemon) {
        x.xdotool({"key", "ctrl+s"});
        if (!waitUntil([&] { return daemon.spoken().contains("hra logik."); }, 15000))
            return ::testing::AssertionFailure() << "the game did not speak: " << daemon.spoken().join('|').toStdString();
        return ::testing::AssertionSuccess();
    }

    static bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
        QElapsedTimer waited;
        waited.start();
        while (!done()) {
            if (waited.elapsed() > timeoutMs) return false;
            QThread::msleep(50);
        }
        return true;
    }

    testing::XSession x;
    QTemporaryDir dir;
    QString window_;
};

TEST_F(SessionEndToEnd, LosingTheDisplayDuringAGameSavesTheImageAndEndsWithZero) {
    testing::RecordingSpeechDaemon speechd;
    ASSERT_TRUE(x.ready());
    ASSERT_TRUE(speechd.ready());
    auto orvela = launch(speechd);
    ASSERT_TRUE(activate());
    ASSERT_TRUE(startGame(speechd));
    x.endDisplay();
    ASSERT_TRUE(orvela->waitForExit(10000));
    EXPECT_EQ(orvela->process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(orvela->process().exitCode(), 0);
    EXPECT_EQ(readFile(dir.filePath("ram.dat")), savedImage());
}

// A shutdown (SIGTERM), a lost terminal or logout (SIGHUP) and Ctrl+C (SIGINT), idle or in
// the middle of a game's wait: the image is saved and the process ends with exit code 0.
TEST_F(SessionEndToEnd, EndingSignalsSaveTheImageAndEndWithZero) {
    struct Case {
        int signal;
        bool duringGame;
    };
    const std::vector<Case> cases = {{SIGTERM, false}, {SIGTERM, true}, {SIGHUP, true}, {SIGINT, false}};
    testing::RecordingSpeechDaemon speechd;
    ASSERT_TRUE(x.ready());
    ASSERT_TRUE(speechd.ready());
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "signal " << c.signal << (c.duringGame ? " during a game" : " idle"));
        QFile::remove(speechd.spokenPath());
        auto orvela = launch(speechd);
        ASSERT_TRUE(activate());
        if (c.duringGame) {
            ASSERT_TRUE(startGame(speechd));
        }
        ::kill(static_cast<pid_t>(orvela->process().processId()), c.signal);
        ASSERT_TRUE(orvela->waitForExit(10000));
        EXPECT_EQ(orvela->process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(orvela->process().exitCode(), 0);
        EXPECT_EQ(readFile(dir.filePath("ram.dat")), savedImage());
        QFile::remove(dir.filePath("ram.dat"));
    }
}

// The daemon comes up only after the program (its first connection failed at start-up):
// Start speaks through it, and each text's wait ends, so the game goes on to its question.
TEST_F(SessionEndToEnd, ASpeechDaemonStartedLaterSpeaksAndTheWaitsEnd) {
    testing::RecordingSpeechDaemon speechd(100, false);
    ASSERT_TRUE(x.ready());
    auto orvela = launch(speechd);
    // The voice dialog's creation could not reach the service: its error box, once.
    ASSERT_TRUE(waitUntil([&] { return !errorBox().isEmpty(); }, 15000));
    x.xdotool({"key", "Return"});
    ASSERT_TRUE(speechd.start());
    ASSERT_TRUE(activate());
    ASSERT_TRUE(startGame(speechd));
    const QString question = QString::fromUtf8("keď chceš kódy napíš ,a, inak napíš hociktoré iné písmeno.").simplified();
    EXPECT_TRUE(waitUntil([&] { return speechd.spoken().contains(question); }, 15000))
        << speechd.spoken().join('|').toStdString();
    EXPECT_TRUE(errorBox().isEmpty());
}

// The daemon dies while the game speaks a long text: the wait ends at once, the next
// text cannot reach a daemon and says so in one error box; keys bring no more boxes and
// Exit ends the process.
TEST_F(SessionEndToEnd, ASpeechDaemonThatDiesDuringAGameNeitherHangsNorTrapsTheUser) {
    // Long enough that a wait for the text would show; the daemon's warm-up speaks one too.
    constexpr int kMsPerText = 3000;
    testing::RecordingSpeechDaemon speechd(kMsPerText);
    ASSERT_TRUE(x.ready());
    ASSERT_TRUE(speechd.ready());
    auto orvela = launch(speechd);
    ASSERT_TRUE(activate());
    ASSERT_TRUE(startGame(speechd));
    QThread::msleep(300);
    QElapsedTimer sinceKill;
    sinceKill.start();
    speechd.kill();
    QString box;
    ASSERT_TRUE(waitUntil([&] { return !(box = errorBox()).isEmpty(); }, 5000))
        << "no error box";
    const qint64 ms = sinceKill.elapsed();
    std::printf("the error box of the next text came %lld ms after the daemon was killed\n",
                static_cast<long long>(ms));
    RecordProperty("ms_from_kill_to_error_box", static_cast<int>(ms));
    // Sooner than the text being spoken would have ended.
    EXPECT_LT(ms, kMsPerText - 500);
    x.xdotool({"windowactivate", "--sync", box.split('\n').first()});
    x.xdotool({"key", "Return"});
    ASSERT_TRUE(waitUntil([&] { return errorBox().isEmpty(); }, 5000));
    x.xdotool({"windowactivate", "--sync", window_});
    for (const char* key : {"x", "Return", "Escape", "1"}) x.xdotool({"key", key});
    QThread::msleep(700);
    EXPECT_TRUE(errorBox().isEmpty()) << "a key brought an error box";
    // Program > Exit (the Czech captions: "&Program", "Kon&ec").
    x.xdotool({"key", "alt+p"});
    QThread::msleep(300);
    x.xdotool({"key", "e"});
    ASSERT_TRUE(orvela->waitForExit(10000));
    EXPECT_EQ(orvela->process().exitCode(), 0);
    EXPECT_EQ(readFile(dir.filePath("ram.dat")), savedImage());
}

}  // namespace
}  // namespace orvela
