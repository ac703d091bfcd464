#pragma once
// What the program does when the desktop session ends it rather than the user.
#include "platform/sessionend.h"

namespace orvela {

// A signal closes the main window as the user would (FormClose saves the image and
// releases the sound objects) and ends the process; an image that cannot be written
// keeps it running, as closing does. A session manager's commit saves the image. A lost
// display leaves no window to close: the same saving happens without it.
SessionEndings sessionendings();

}  // namespace orvela
