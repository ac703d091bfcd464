#pragma once
// A private speech-dispatcher daemon for tests that run the real program: its only output
// module writes each text it is given to a file, so the test reads what was spoken. It is
// stopped again by its process id.
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace orvela::testing {

class RecordingSpeechDaemon {
public:
    // Each text takes msPerText to "speak" (long enough for a purge to cut one off, if wanted).
    explicit RecordingSpeechDaemon(int msPerText = 100);
    ~RecordingSpeechDaemon();
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
    QTemporaryDir dir_;
    QProcess daemon_;
    bool ready_ = false;
};

}  // namespace orvela::testing
