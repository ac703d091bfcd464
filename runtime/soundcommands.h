#pragma once
// SOUND, BEEP and CLICK: the device sounds of the BASIC runtime.
#include <cstdint>
#include <vector>

#include "platform/eventpump.h"

namespace orvela {

// Octave and duration of the last SOUND; 1 at start and after resetrun.
extern std::uint8_t lastoctave;
extern std::int32_t lastduration;
// True while a SOUND waits for its notes to end; the timer and a key clear it.
extern bool soundplaying;

// Plays the notes together for duration ms in octave (above 9: the last octave; a
// negative duration: the last duration) and returns when they have stopped.
void sound(const std::vector<double>& notes, double duration, double octave);
void beep();
void click(double n);

// The main window's timer that ends a SOUND, and its handler. A key that ends a
// SOUND early does: soundplaying = false; soundtimer().setEnabled(false);
Timer& soundtimer();
void TimerTimer();

}  // namespace orvela
