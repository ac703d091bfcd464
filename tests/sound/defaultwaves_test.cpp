// The default collection the build writes to the run directory.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/defaultwaves.h"

namespace orvela {
namespace {

const WaveData& named(const std::vector<WaveData>& waves, const std::string& name) {
    for (const auto& w : waves)
        if (w.name == name) return w;
    throw std::runtime_error("no wave " + name);
}

// Rising zero crossings over the whole buffer, counting the wrap-around.
int cycles(const std::vector<std::int16_t>& s) {
    int n = 0;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] < 0 && s[(i + 1) % s.size()] >= 0) ++n;
    return n;
}

TEST(DefaultWaves, BuildWroteThemToTheRunDirectory) {
    const char* runDir = std::getenv("ORVELA_RUN_DIR");
    ASSERT_NE(runDir, nullptr);
    std::ifstream in(std::string(runDir) + "/sounds.dat", std::ios::binary);
    ASSERT_TRUE(in);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, serializeWaveCollection(defaultWaves()));
}

TEST(DefaultWaves, EffectsAreShortAndNotLooped) {
    const auto waves = defaultWaves();
    struct Case {
        const char* name;
        int maxMs;
    };
    for (auto [name, maxMs] : {Case{"beep", 300}, Case{"click9", 20}, Case{"click16", 20}, Case{"click19", 20}}) {
        SCOPED_TRACE(name);
        const auto& w = named(waves, name);
        EXPECT_FALSE(w.looped);
        EXPECT_GT(w.lengthMs(), 0);
        EXPECT_LE(w.lengthMs(), maxMs);
        // No crack at either end.
        EXPECT_LT(std::abs(w.samples.front()), 400);
        EXPECT_LT(std::abs(w.samples.back()), 400);
    }
}

// Played at 64 times the note value, a note wave sounds at note * ratio hertz: its
// buffer holds ratio cycles per 64 samples, and its loop joins without a step.
TEST(DefaultWaves, NoteWavesLoopSeamlesslyAtTheirOctavesPitch) {
    const auto waves = defaultWaves();
    double previousRatio = 0;
    for (int octave = 0; octave < kOctaves; ++octave) {
        const auto ratio = octaveRatio(octave);
        const double r = double(ratio.numerator) / ratio.denominator;
        EXPECT_GT(r, previousRatio) << "octaves rise";
        EXPECT_LE(r, 4.5) << "no octave is shrill";
        previousRatio = r;
        for (int note = 1; note <= kNoteWavesPerOctave; ++note) {
            const auto& w = named(waves, "snd" + std::to_string(note) + std::to_string(octave));
            SCOPED_TRACE(w.name);
            EXPECT_TRUE(w.looped);
            ASSERT_EQ(w.samples.size() % 64, 0u);
            EXPECT_EQ(cycles(w.samples), std::lround(r * double(w.samples.size()) / 64));
            EXPECT_EQ(w.samples.front(), 0);
            // The step across the loop point is no larger than a step inside it.
            int largest = 0;
            for (std::size_t i = 1; i < w.samples.size(); ++i)
                largest = std::max(largest, std::abs(w.samples[i] - w.samples[i - 1]));
            EXPECT_LE(std::abs(w.samples.front() - w.samples.back()), largest);
        }
    }
    EXPECT_EQ(octaveRatio(1).numerator, octaveRatio(1).denominator) << "octave 1 sounds at the note value";
}

}  // namespace
}  // namespace orvela
