#pragma once
// The main window's two sound objects: the device and the wave list loaded from
// "sounds.dat" in the current directory.
#include <memory>

#include "platform/dxsound.h"

namespace orvela {

extern std::unique_ptr<TDXSound> dxsound;
extern std::unique_ptr<TDXWaveList> wavelist;

// Opens the device, then creates the wave list attached to it; raises OrvelaError
// when the device cannot be opened (the wave list is then not created).
void createsoundobjects();
// Missing "sounds.dat": message box, then the process ends at once. A damaged one
// raises OrvelaError.
void loadsounds();
// Releases the device, then the wave list; errors are ignored.
void releasesoundobjects();

}  // namespace orvela
