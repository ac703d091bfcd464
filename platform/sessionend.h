#pragma once
// The ways a desktop session ends the program other than its own window: a signal
// (SIGTERM at shutdown, SIGHUP when the terminal or the login goes, SIGINT from Ctrl+C),
// the session manager, and the display going away.
#include <functional>

class QApplication;

namespace orvela {

struct SessionEndings {
    // Run on the main thread from the event loop when a signal arrives. A signal that
    // comes while it runs (it may show an error box) asks for nothing more.
    std::function<void()> orderly;
    // The session manager asks for the data to be committed (it may be about to end the
    // session, or only taking a checkpoint).
    std::function<void()> commit;
    // Qt ends the process with exit() when the X connection breaks, from inside the
    // event loop, with every window still in place. This runs first then, must not touch
    // the display, and the process then ends with exit code 0.
    std::function<void()> displayLost;
};

// app.exec() with the endings in place.
int runEventLoop(QApplication& app, SessionEndings endings);

}  // namespace orvela
