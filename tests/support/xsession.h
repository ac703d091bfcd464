#pragma once
// A virtual X display with a window manager, for tests that drive the real program
// with real key events. Everything started here is stopped again by its process id.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>

namespace orvela::testing {

class XSession {
public:
    XSession();   // starts Xvfb on a free display and openbox on it
    ~XSession();
    bool ready() const { return ready_; }
    QString display() const { return display_; }
    // Runs xdotool on this display; returns its standard output, trimmed.
    QString xdotool(const QStringList& args, int timeoutMs = 10000) const;
    // Sets the keyboard layout of this display ("cz", "sk", "us"); false when it fails.
    bool setlayout(const QString& layout) const;
    // Waits until a window whose name contains text exists; returns its id or "".
    QString waitForWindow(const QString& text, int timeoutMs = 15000) const;
    QProcessEnvironment environment() const;
    // The X server dies, as it does when the session ends under the program.
    void endDisplay();

private:
    QString display_;
    std::unique_ptr<QProcess> xvfb_;
    std::unique_ptr<QProcess> windowManager_;
    bool ready_ = false;
};

// The real orvela executable, copied with the run directory's data files into dir so
// that its settings file and memory image land there.
class OrvelaRun {
public:
    OrvelaRun(const XSession& x, const QString& dir, const QProcessEnvironment& extra = {});
    ~OrvelaRun();
    QProcess& process() { return *process_; }
    // Waits for the process to end; false on timeout.
    bool waitForExit(int timeoutMs = 15000);

private:
    std::unique_ptr<QProcess> process_;
};

}  // namespace orvela::testing
