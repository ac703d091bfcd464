#pragma once
// The settings file beside the executable and the flags it holds.
#include <cstdint>
#include <string>

#include "platform/inifile.h"

namespace orvela {

extern bool voiceallowed;       // speech through the direct engine is allowed
extern bool orvelasounds;       // the device sounds play
extern std::int32_t sndvolume;  // device sound volume, hundredths of a decibel, -10000..0
extern bool braillekeys;        // the keys act as a six-key Braille keyboard

// The executable's path with the extension replaced by ".ini".
IniFile settingsfile();
// Tests point the settings at a file of their own.
void setsettingspath(const std::string& path);

}  // namespace orvela

namespace orvela {

// Reads the flags and the two check marks at start; on a first start writes only
// whether the voice is allowed, which creates the file.
void readsettings();
// Writes voiceallowed, orvelasounds, sndvolume and braillekeys, in that order.
void writesettings();

}  // namespace orvela
