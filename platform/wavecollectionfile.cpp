#include "platform/wavecollectionfile.h"

#include "platform/errors.h"

namespace orvela {
namespace {

constexpr std::string_view kRiff = "RIFF";
constexpr std::string_view kForm = "OSND";
constexpr std::string_view kWaveChunk = "wave";
constexpr std::size_t kChunkHeader = 8;
constexpr std::uint8_t kLoopedFlag = 1;

[[noreturn]] void damaged(std::size_t offset, const std::string& what) {
    throw OrvelaError("Damaged sound collection at byte " + std::to_string(offset) + ": " + what);
}

// Reads little-endian fields, refusing to step past the end of its range.
class Reader {
public:
    Reader(std::string_view bytes, std::size_t base) : bytes_(bytes), base_(base) {}
    std::size_t offset() const { return base_ + pos_; }
    std::size_t left() const { return bytes_.size() - pos_; }
    std::string_view take(std::size_t n, const char* what) {
        if (left() < n) damaged(offset(), std::string(what) + " is truncated");
        auto part = bytes_.substr(pos_, n);
        pos_ += n;
        return part;
    }
    std::uint32_t u8(const char* what) { return static_cast<std::uint8_t>(take(1, what)[0]); }
    std::uint32_t u32(const char* what) {
        auto b = take(4, what);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[i]);
        return v;
    }

private:
    std::string_view bytes_;
    std::size_t base_;
    std::size_t pos_ = 0;
};

bool validName(std::string_view name) {
    if (name.empty() || name.size() > kMaxWaveNameLength) return false;
    for (char c : name)
        if (c < 0x21 || c > 0x7E) return false;
    return true;
}

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

WaveData parseWave(std::string_view body, std::size_t base) {
    Reader in(body, base);
    WaveData wave;
    const auto nameOffset = in.offset();
    const auto nameLength = in.u8("name length");
    wave.name = std::string(in.take(nameLength, "name"));
    if (!validName(wave.name)) damaged(nameOffset, "wave name must be 1 to 32 printable ASCII characters");
    const auto flagsOffset = in.offset();
    const auto flags = in.u8("flags");
    if (flags & ~kLoopedFlag) damaged(flagsOffset, "unknown flags in wave '" + wave.name + "'");
    wave.looped = (flags & kLoopedFlag) != 0;
    const auto rateOffset = in.offset();
    wave.sampleRate = in.u32("sample rate");
    if (wave.sampleRate < kMinWaveSampleRate || wave.sampleRate > kMaxWaveSampleRate)
        damaged(rateOffset, "sample rate " + std::to_string(wave.sampleRate) + " out of range");
    const auto countOffset = in.offset();
    const auto count = in.u32("sample count");
    if (count == 0 || count > kMaxWaveSamples)
        damaged(countOffset, "sample count " + std::to_string(count) + " out of range");
    if (in.left() != std::size_t{count} * 2)
        damaged(countOffset, "sample count does not match the size of wave '" + wave.name + "'");
    auto data = in.take(std::size_t{count} * 2, "samples");
    wave.samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto lo = static_cast<std::uint8_t>(data[2 * i]);
        const auto hi = static_cast<std::uint8_t>(data[2 * i + 1]);
        wave.samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
    }
    return wave;
}

void putU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

int WaveData::lengthMs() const {
    if (sampleRate == 0) return 0;
    return static_cast<int>((std::uint64_t{samples.size()} * 1000 + sampleRate - 1) / sampleRate);
}

bool sameWaveName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

std::vector<WaveData> parseWaveCollection(std::string_view bytes) {
    Reader file(bytes, 0);
    if (file.take(4, "file header") != kRiff) damaged(0, "not a RIFF file");
    const auto size = file.u32("file size");
    if (std::size_t{size} != bytes.size() - kChunkHeader)
        damaged(4, "file size field says " + std::to_string(size) + " but " + std::to_string(bytes.size() - 8) +
                       " bytes follow");
    if (file.take(4, "form type") != kForm) damaged(8, "not a sound collection");

    std::vector<WaveData> waves;
    while (file.left() > 0) {
        const auto chunkOffset = file.offset();
        const auto id = file.take(4, "chunk header");
        const auto chunkSize = file.u32("chunk size");
        if (id != kWaveChunk) damaged(chunkOffset, "unknown chunk");
        const auto body = file.take(chunkSize, "wave");
        auto wave = parseWave(body, chunkOffset + kChunkHeader);
        if (chunkSize % 2 != 0 && file.take(1, "pad byte")[0] != 0) damaged(file.offset() - 1, "pad byte is not 0");
        for (const auto& other : waves)
            if (sameWaveName(other.name, wave.name)) damaged(chunkOffset, "wave '" + wave.name + "' appears twice");
        waves.push_back(std::move(wave));
    }
    return waves;
}

std::string serializeWaveCollection(const std::vector<WaveData>& waves) {
    std::string body(kForm);
    for (std::size_t i = 0; i < waves.size(); ++i) {
        const auto& wave = waves[i];
        if (!validName(wave.name)) throw OrvelaError("Wave name '" + wave.name + "' cannot be stored");
        if (wave.sampleRate < kMinWaveSampleRate || wave.sampleRate > kMaxWaveSampleRate || wave.samples.empty() ||
            wave.samples.size() > kMaxWaveSamples)
            throw OrvelaError("Wave '" + wave.name + "' cannot be stored");
        for (std::size_t j = 0; j < i; ++j)
            if (sameWaveName(waves[j].name, wave.name)) throw OrvelaError("Wave '" + wave.name + "' appears twice");
        std::string chunk;
        chunk.push_back(static_cast<char>(wave.name.size()));
        chunk += wave.name;
        chunk.push_back(static_cast<char>(wave.looped ? kLoopedFlag : 0));
        putU32(chunk, wave.sampleRate);
        putU32(chunk, static_cast<std::uint32_t>(wave.samples.size()));
        for (auto s : wave.samples) {
            const auto u = static_cast<std::uint16_t>(s);
            chunk.push_back(static_cast<char>(u & 0xFF));
            chunk.push_back(static_cast<char>(u >> 8));
        }
        body += kWaveChunk;
        putU32(body, static_cast<std::uint32_t>(chunk.size()));
        body += chunk;
        if (chunk.size() % 2 != 0) body.push_back('\0');
    }
    std::string out(kRiff);
    putU32(out, static_cast<std::uint32_t>(body.size()));
    return out + body;
}

}  // namespace orvela
