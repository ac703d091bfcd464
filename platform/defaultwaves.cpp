#include "platform/defaultwaves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace orvela {
namespace {

// Octaves rise in small musical steps (a fifth, then whole ratios) so the game's
// sweeps and the high octaves stay below a piercing pitch: octave 1 sounds at the
// note value, octave 0 an octave below it, octave 9 at 4.5 times the value.
constexpr std::array<OctaveRatio, kOctaves> kRatios{{
    {1, 2}, {1, 1}, {5, 4}, {3, 2}, {2, 1}, {5, 2}, {3, 1}, {7, 2}, {4, 1}, {9, 2},
}};

// Harmonic weights per octave: low octaves get overtones so they carry on small
// speakers; high octaves stay pure so they are never harsh.
struct Timbre {
    double second;
    double third;
};
constexpr std::array<Timbre, kOctaves> kTimbres{{
    {0.35, 0.2}, {0.25, 0.1}, {0.2, 0.05}, {0.15, 0.0}, {0.1, 0.0}, {0.05, 0.0}, {0.0, 0.0}, {0.0, 0.0},
    {0.0, 0.0}, {0.0, 0.0},
}};

constexpr std::uint32_t kNoteRate = 44100;   // only the base of the pitch; SOUND sets the rate
constexpr std::uint32_t kEffectRate = 44100;
constexpr double kNoteAmplitude = 0.45 * 32767;
constexpr double kEffectAmplitude = 0.6 * 32767;
constexpr double kTwoPi = 2 * std::numbers::pi;

std::int16_t sample(double value) {
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -32767.0, 32767.0)));
}

// A whole number of cycles, starting and ending on a zero crossing, so the loop is
// seamless: 64 * denominator * 8 samples hold numerator * 8 cycles.
WaveData noteWave(int note, int octave) {
    const auto ratio = kRatios[octave];
    const auto timbre = kTimbres[octave];
    const int length = 64 * ratio.denominator * 8;
    const int cycles = ratio.numerator * 8;
    const double norm = 1.0 + timbre.second + timbre.third;
    WaveData wave{"snd" + std::to_string(note) + std::to_string(octave), true, kNoteRate, {}};
    wave.samples.reserve(length);
    for (int i = 0; i < length; ++i) {
        const double phase = kTwoPi * cycles * i / length;
        const double v = std::sin(phase) + timbre.second * std::sin(2 * phase) + timbre.third * std::sin(3 * phase);
        wave.samples.push_back(sample(kNoteAmplitude * v / norm));
    }
    return wave;
}

// A tone with a short attack and release so it starts and ends without a crack.
WaveData toneWave(std::string name, double hz, double ms, double edgeMs) {
    const int length = static_cast<int>(kEffectRate * ms / 1000);
    const int edge = static_cast<int>(kEffectRate * edgeMs / 1000);
    WaveData wave{std::move(name), false, kEffectRate, {}};
    for (int i = 0; i < length; ++i) {
        const double envelope = std::min({1.0, double(i) / edge, double(length - 1 - i) / edge});
        wave.samples.push_back(sample(kEffectAmplitude * envelope * std::sin(kTwoPi * hz * i / kEffectRate)));
    }
    return wave;
}

// A tick: a tone that dies away quickly; longer and lower for higher click numbers.
WaveData clickWave(std::string name, double hz, double ms) {
    const int length = static_cast<int>(kEffectRate * ms / 1000);
    WaveData wave{std::move(name), false, kEffectRate, {}};
    for (int i = 0; i < length; ++i) {
        const double t = double(i) / length;
        const double envelope = std::exp(-5 * t) * (1 - t);
        wave.samples.push_back(sample(kEffectAmplitude * envelope * std::sin(kTwoPi * hz * i / kEffectRate)));
    }
    return wave;
}

struct Effect {
    const char* name;
    double hz;
    double ms;
};
constexpr std::array<Effect, 3> kClicks{{{"click9", 2400, 6}, {"click16", 1600, 10}, {"click19", 1000, 14}}};

}  // namespace

OctaveRatio octaveRatio(int octave) { return kRatios.at(octave); }

std::vector<WaveData> defaultWaves() {
    std::vector<WaveData> waves;
    waves.push_back(toneWave("beep", 880, 200, 5));
    for (const auto& click : kClicks) waves.push_back(clickWave(click.name, click.hz, click.ms));
    for (int octave = 0; octave < kOctaves; ++octave)
        for (int note = 1; note <= kNoteWavesPerOctave; ++note) waves.push_back(noteWave(note, octave));
    return waves;
}

}  // namespace orvela
