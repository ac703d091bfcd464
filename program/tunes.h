#pragma once
// The game's tunes: single SOUND notes played one after the other.
#include <vector>

namespace orvela {

// One SOUND of a single note; octave 10 keeps the octave of the note before.
struct note {
    double pitch;
    double duration;  // milliseconds
    double octave;
};
using tune = std::vector<note>;

struct gametunes {
    tune opening;
    tune jingle;
    tune aftertitle;
    tune win;
    tune fanfare;        // a new record
    tune equalrecord;    // the record equalled
    tune closingsweep;
};

const gametunes& tunes();

// The tone of one digit: entered (100 ms) or replayed (200 ms).
note digittone(double digit, double duration);
constexpr double kEnteredDigitMs = 100;
constexpr double kReplayedDigitMs = 200;

void play(const tune& notes);

}  // namespace orvela
