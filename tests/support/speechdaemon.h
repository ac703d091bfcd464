#pragma once
// A private speech-dispatcher daemon for tests that run the real program: its only output
// module writes each text it is given to a file, so the test reads what was spoken. It is
// stopped again by its process id (the one in its own pid file).
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace orvela::testing {

class RecordingSpeechDaemon {
public:
    // Each text takes msPerText to "speak" (long enough for a purge to cut one off, if wanted).
    // startNow false only prepares it, so a client can be pointed at it before it runs.
    explicit RecordingSpeechDaemon(int msPerText = 100, bool startNow = true);
    ~RecordingSpeechDaemon();
    // Starts it and waits until it speaks; false when it did not come up.
    bool start();
    // Ends it as a crash would (SIGKILL by its pid file) and waits until it is gone.
    void kill();
    bool ready() const { return ready_; }
    QString socketPath() const { return dir_.filePath("speechd.sock"); }
    QString spokenPath() const { return dir_.filePath("spoken.txt"); }
    // The value that points a client at this daemon.
    QString address() const { return "unix_socket:" + socketPath(); }
    // The texts in the order spoken, blanks simplified.
    QStringList spoken() const;
    // Waits until text is spoken after the first `after` texts; its position, or -1.
    qsizetype waitForSpoken(const QString& text, qsizetype after = 0, int timeoutMs = 30000) const;

private:
    bool warmUp();
    qint64 pid() const;
    QTemporaryDir dir_;
    QProcess daemon_;
    bool ready_ = false;
};

}  // namespace orvela::testing
