#include "platform/sessionend.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace orvela {
namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT};

int signalSocket[2] = {-1, -1};

// Only writes a byte: the loop does the ending, outside the handler.
void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::send(signalSocket[1], &byte, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    errno = saved;
}

void handleSignals(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // Restarted calls: a signal must not make another thread's socket read look like a hang-up.
    action.sa_flags = SA_RESTART;
    for (const int signal : kEndingSignals) sigaction(signal, &action, nullptr);
}

std::function<void()> displayLost;
std::thread::id loopThread;
bool loopRunning = false;

// exit() called from inside the loop: registered just before the loop starts, this runs
// before anything that existed then is destroyed, and ends the process without them.
void atExit() {
    if (!loopRunning || std::this_thread::get_id() != loopThread) return;
    loopRunning = false;
    if (displayLost) displayLost();
    std::_Exit(0);
}

}  // namespace

int runEventLoop(QApplication& app, SessionEndings endings) {
    // A peer that went away must fail a write, not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    std::unique_ptr<QSocketNotifier> notifier;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) == 0) {
        notifier = std::make_unique<QSocketNotifier>(signalSocket[0], QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated,
                         [ending = false, orderly = endings.orderly]() mutable {
            char bytes[16];
            while (::recv(signalSocket[0], bytes, sizeof bytes, MSG_DONTWAIT) > 0) {
            }
            // A signal arriving while the ending shows a box is the same request again.
            if (ending || !orderly) return;
            ending = true;
            struct Done {
                bool& ending;
                ~Done() { ending = false; }
            } done{ending};
            orderly();
        });
        handleSignals(onSignal);
    }
    QObject::connect(&app, &QGuiApplication::commitDataRequest, [commit = endings.commit](QSessionManager&) {
        if (commit) commit();
    });
    displayLost = std::move(endings.displayLost);
    loopThread = std::this_thread::get_id();
    static const bool registered = std::atexit(atExit) == 0;
    (void)registered;
    loopRunning = true;
    const int result = app.exec();
    loopRunning = false;
    if (notifier) {
        handleSignals(SIG_DFL);
        notifier.reset();
        ::close(signalSocket[0]);
        ::close(signalSocket[1]);
        signalSocket[0] = signalSocket[1] = -1;
    }
    return result;
}

}  // namespace orvela
