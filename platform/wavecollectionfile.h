#pragma once
// "sounds.dat": a RIFF file of named mono 16-bit waves (see docs/sounds-format.md).
// Qt-free so the fuzz target can feed it arbitrary bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvela {

struct WaveData {
    std::string name;               // printable ASCII, found without regard to case
    bool looped = false;            // stored looped flag; SOUND sets it anyway
    std::uint32_t sampleRate = 0;   // the rate the samples were made for, in hertz
    std::vector<std::int16_t> samples;

    // Length in milliseconds when played at its own rate, rounded up.
    int lengthMs() const;
};

// Limits the loader enforces; the writer refuses what the loader would refuse.
constexpr std::size_t kMaxWaveNameLength = 32;
constexpr std::uint32_t kMinWaveSampleRate = 1000;
constexpr std::uint32_t kMaxWaveSampleRate = 192000;
constexpr std::uint32_t kMaxWaveSamples = 1u << 22;   // about 95 s at 44.1 kHz

// Parses a whole collection; raises OrvelaError naming the fault and its byte offset
// when the bytes are truncated, damaged or inconsistent.
std::vector<WaveData> parseWaveCollection(std::string_view bytes);

// The file bytes for waves; raises OrvelaError for a wave the loader would refuse.
std::string serializeWaveCollection(const std::vector<WaveData>& waves);

// ASCII case folding, as wave names are compared.
bool sameWaveName(std::string_view a, std::string_view b);

}  // namespace orvela
