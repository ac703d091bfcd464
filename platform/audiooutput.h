#pragma once
// The one OpenAL Soft device and context that the device sounds and the voice both play
// through: opened by whichever needs it first, closed when the last of them lets go.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace orvela {

class AudioOutput {
public:
    // The open output, or a newly opened one; raises OrvelaError when no device can be
    // opened or initialised.
    static std::shared_ptr<AudioOutput> acquire();
    // Starts opening the default output on a thread of its own, so that start-up goes on
    // meanwhile; the next acquire takes it (or, when it failed, tries again and raises).
    static void openAhead();
    // For benchmarks and tests: an output that mixes only when asked (render), at this
    // rate, in 16-bit stereo; it serves every acquire while it lives.
    static std::shared_ptr<AudioOutput> acquireInMemory(int sampleRate);

    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // The context (ALCcontext*), the same for every user.
    void* context() const { return context_; }
    // Makes the context current for the whole process, unless it already is.
    void makeCurrent() const;
    // Mixes the next frames of an in-memory output as interleaved stereo.
    void render(std::int16_t* frames, std::size_t count);
    // Frames the device mixes at a time.
    int periodFrames() const;
    int sampleRate() const;

    // How often a second the device mixes: a short period lets a stopped sound fall
    // silent at the speaker, not only in the mixer's queue.
    static constexpr int kRefreshPerSecond = 100;

private:
    AudioOutput(void* device, void* context) : device_(device), context_(context) {}
    static std::shared_ptr<AudioOutput> openDefault();
    static std::shared_ptr<AudioOutput> create(void* device, const int* attributes);
    void* device_;
    void* context_;
};

}  // namespace orvela
