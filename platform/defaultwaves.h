#pragma once
// The default device sounds, synthesised: "beep", the clicks and the note waves
// "snd<i><k>" (note i of a SOUND call, octave k). The build writes them to
// sounds.dat; the recording sound double uses them for names and lengths.
#include <vector>

#include "platform/wavecollectionfile.h"

namespace orvela {

constexpr int kNoteWavesPerOctave = 2;   // notes sounding together in one SOUND
constexpr int kOctaves = 10;             // octaves 0 to 9

// Cycles per 64 samples of octave k's note waves, as a fraction: played at 64 times
// the note value, the note sounds at value * numerator / denominator hertz.
struct OctaveRatio {
    int numerator;
    int denominator;
};
OctaveRatio octaveRatio(int octave);

std::vector<WaveData> defaultWaves();

}  // namespace orvela
