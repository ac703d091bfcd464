// Held keys on X11: by default the server sends them as release/press pairs; with XKB's
// detectable auto-repeat it sends repeated presses and one release at the end.
#include <QGuiApplication>

#include "platform/keys.h"

// Xlib defines names (KeyPress, Bool, ...) that clash with Qt's; it comes last.
#include <X11/XKBlib.h>

namespace orvela {
namespace {

bool& inEffect() {
    static bool on = false;
    return on;
}

}  // namespace

bool usedetectableautorepeat(bool on) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    int supported = 0;
    inEffect() = display && XkbSetDetectableAutoRepeat(display, on ? True : False, &supported) && supported;
    return inEffect();
}

bool detectableautorepeat() { return inEffect(); }

}  // namespace orvela
