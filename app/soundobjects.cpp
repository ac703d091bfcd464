#include "app/soundobjects.h"

#include <filesystem>

#include "platform/errors.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "settings/resourcelocalizer.h"

namespace orvela {

std::unique_ptr<TDXSound> dxsound;
std::unique_ptr<TDXWaveList> wavelist;

namespace {
constexpr const char* kSoundsFile = "sounds.dat";
}

void createsoundobjects() {
    releasesoundobjects();
    auto sound = std::make_unique<TDXSound>();
    sound->Initialize();
    dxsound = std::move(sound);
    wavelist = std::make_unique<TDXWaveList>(*dxsound);
}

void loadsounds() {
    std::error_code ignored;
    if (!std::filesystem::exists(kSoundsFile, ignored)) {
        messageBoxes().message(localized(42) + " " + kSoundsFile);
        endProcessNow();
    }
    if (!wavelist) throw OrvelaError("The sound device is not open");
    wavelist->items().loadFromFile(kSoundsFile);
}

void releasesoundobjects() {
    // The waves keep the device open until they go, so releasing the device first
    // never leaves a wave without it; releasing raises nothing.
    dxsound.reset();
    wavelist.reset();
}

}  // namespace orvela
