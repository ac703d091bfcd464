#pragma once
// SOUND, BEEP and CLICK: the device sounds of the BASIC runtime.
#include <cstdint>

namespace orvela {

// Octave and duration of the last SOUND; 1 at start and after resetrun.
extern std::uint8_t lastoctave;
extern std::int32_t lastduration;

}  // namespace orvela
