#pragma once
namespace orvela {
// Creates the windows once each, in order: the main window first, then the dialogs.
void createwindows();
// Destroys them again, the main window last (tests).
void destroywindows();
}  // namespace orvela
