// Start-up of the program beside a bare Qt window (a menu bar and a plain text control):
// the time from exec to the main window being viewable, and the resident memory once it
// is shown, alternating runs under Xvfb with openbox and a private speech daemon.
// Prints the medians and the ratios. Targets: time at most 1.3x, memory at most 1.5x.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/speechdaemon.h"
#include "support/xsession.h"

// Xlib last: its macros (Status, Bool, None) clash with Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 12;
constexpr int kSettleMs = 500;  // memory is read this long after the window is viewable

struct Sample {
    double ms = 0;
    double shownMb = 0;
    double settledMb = 0;
};

double residentMb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Watches the display for a managed top-level window of one process becoming viewable.
class WindowWatch {
public:
    explicit WindowWatch(const QString& display) : display_(XOpenDisplay(display.toLatin1().constData())) {
        if (!display_) return;
        // A window may go between listing and asking about it: not an error here.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        root_ = DefaultRootWindow(display_);
        clientList_ = XInternAtom(display_, "_NET_CLIENT_LIST", False);
        wmPid_ = XInternAtom(display_, "_NET_WM_PID", False);
        XSelectInput(display_, root_, SubstructureNotifyMask | PropertyChangeMask);
        XSync(display_, False);
    }
    ~WindowWatch() {
        if (display_) XCloseDisplay(display_);
    }
    bool ready() const { return display_ != nullptr; }

    // Waits until a window of pid is viewable; false after limitMs.
    bool waitViewable(pid_t pid, int limitMs) {
        const auto giveUp = Clock::now() + std::chrono::milliseconds(limitMs);
        while (Clock::now() < giveUp) {
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
            }
            if (viewable(pid)) return true;
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            poll(&fd, 1, 2);
        }
        return false;
    }

private:
    std::vector<Window> clients() {
        std::vector<Window> windows;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, root_, clientList_, 0, 1024, False, XA_WINDOW, &type, &format, &count, &after,
                               &data) == Success &&
            data) {
            const auto* ids = reinterpret_cast<const unsigned long*>(data);
            windows.assign(ids, ids + count);
            XFree(data);
        }
        return windows;
    }
    std::optional<long> pidOf(Window window) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::optional<long> pid;
        if (XGetWindowProperty(display_, window, wmPid_, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success &&
            data) {
            if (count == 1) pid = *reinterpret_cast<const long*>(data);
            XFree(data);
        }
        return pid;
    }
    bool viewable(pid_t pid) {
        for (Window window : clients()) {
            if (pidOf(window) != pid) continue;
            XSelectInput(display_, window, StructureNotifyMask);  // its map arrives as an event
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable) return true;
        }
        return false;
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    Atom clientList_ = None;
    Atom wmPid_ = None;
};

class Runner {
public:
    Runner(const orvela::testing::XSession& x, const QString& speechAddress, const QString& runtimeDir)
        : watch_(x.display()) {
        QProcessEnvironment env = x.environment();
        env.insert("XDG_RUNTIME_DIR", runtimeDir);
        env.insert("ALSOFT_DRIVERS", "null");
        env.insert("SPEECHD_ADDRESS", speechAddress);
        for (const QString& key : env.keys()) environment_.push_back((key + "=" + env.value(key)).toStdString());
    }
    bool ready() const { return watch_.ready(); }

    std::optional<Sample> run(const std::string& program, const QString& dir) {
        std::vector<char*> envp;
        for (auto& entry : environment_) envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::string path = program;
        char* argv[] = {path.data(), nullptr};
        const std::string previous = QDir::currentPath().toStdString();
        QDir::setCurrent(dir);
        pid_t pid = 0;
        const auto start = Clock::now();
        const int spawned = posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data());
        QDir::setCurrent(QString::fromStdString(previous));
        if (spawned != 0) return std::nullopt;
        std::optional<Sample> sample;
        if (watch_.waitViewable(pid, 20000)) {
            Sample s;
            s.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            s.shownMb = residentMb(pid);
            QThread::msleep(kSettleMs);
            s.settledMb = residentMb(pid);
            sample = s;
        }
        kill(pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 300 && waitpid(pid, &status, WNOHANG) == 0; ++i) QThread::msleep(10);
        if (waitpid(pid, &status, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        return sample;
    }

private:
    WindowWatch watch_;
    std::vector<std::string> environment_;
};

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Series {
    std::vector<double> ms, shownMb, settledMb;
    void add(const Sample& s) {
        ms.push_back(s.ms);
        shownMb.push_back(s.shownMb);
        settledMb.push_back(s.settledMb);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    orvela::testing::XSession x;
    orvela::testing::RecordingSpeechDaemon daemon;
    if (!x.ready() || !daemon.ready()) {
        std::printf("Xvfb with openbox or the speech daemon did not start\n");
        return 1;
    }
    // The program runs from a directory of its own, where its settings file lands.
    QTemporaryDir dir;
    const QDir run(ORVELA_RUN_DIR);
    for (const QString& name : run.entryList(QDir::Files))
        if (!name.endsWith(".ini") && name != "ram.dat") QFile::copy(run.filePath(name), dir.filePath(name));
    const std::string orvela = dir.filePath("orvela").toStdString();
    const std::string bare = BARE_QT_WINDOW;

    QTemporaryDir runtimeDir;
    Runner runner(x, daemon.address(), runtimeDir.path());
    if (!runner.ready()) {
        std::printf("cannot open the display %s\n", qPrintable(x.display()));
        return 1;
    }
    // One run of each first: the program's first start writes its settings, and both
    // find their libraries in the page cache afterwards.
    runner.run(orvela, dir.path());
    runner.run(bare, dir.path());
    Series ours, theirs;
    for (int round = 0; round < kRounds; ++round) {
        const bool orvelaFirst = round % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isOrvela = (turn == 0) == orvelaFirst;
            const auto sample = runner.run(isOrvela ? orvela : bare, dir.path());
            if (!sample) {
                std::printf("round %d: the %s window did not appear\n", round, isOrvela ? "program's" : "bare");
                continue;
            }
            (isOrvela ? ours : theirs).add(*sample);
        }
    }
    const auto row = [](const char* what, const std::vector<double>& a, const std::vector<double>& b,
                        const char* unit, double target) {
        const double ma = median(a), mb = median(b);
        std::printf("%-34s %8.1f %s %8.1f %s   %5.2fx (target <= %.1fx)\n", what, ma, unit, mb, unit,
                    mb > 0 ? ma / mb : 0.0, target);
    };
    std::printf("%zu + %zu runs, medians:                orvela         bare window    ratio\n", ours.ms.size(),
                theirs.ms.size());
    row("exec to main window viewable", ours.ms, theirs.ms, "ms", 1.3);
    row("resident memory when viewable", ours.shownMb, theirs.shownMb, "MB", 1.5);
    row("resident memory 0.5 s later", ours.settledMb, theirs.settledMb, "MB", 1.5);
    return 0;
}
