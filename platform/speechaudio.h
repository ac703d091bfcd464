#pragma once
// The sound output the directly driven voice speaks into: the OpenAL output shared with
// the device sounds, one streaming source per open voice. Every OpenAL call is made with
// the shared context set for the calling thread, whatever another part made current.
// Thread-safe: the synthesis thread queues audio while the main thread may stop it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audiooutput.h"

namespace orvela {

class SpeechAudio {
public:
    // nullptr when no device can be opened (no sound card and no OpenAL driver).
    static std::unique_ptr<SpeechAudio> open();
    ~SpeechAudio();
    SpeechAudio(const SpeechAudio&) = delete;
    SpeechAudio& operator=(const SpeechAudio&) = delete;

    // A new source for one voice; the source dies with the returned object.
    class Stream {
    public:
        ~Stream();
        Stream(const Stream&) = delete;
        Stream& operator=(const Stream&) = delete;
        // Queues interleaved stereo 16-bit frames and keeps the source playing.
        void queue(const std::int16_t* frames, std::size_t count, int sampleRate);
        // Stops at once and drops everything queued.
        void stop();
        // Every queued frame has been played (or nothing was queued).
        bool finished();

    private:
        friend class SpeechAudio;
        explicit Stream(SpeechAudio& audio);
        void recycle();
        SpeechAudio& audio_;
        unsigned source_ = 0;
        std::vector<unsigned> freeBuffers_;
        std::vector<unsigned> allBuffers_;
    };

    std::unique_ptr<Stream> createStream();

private:
    SpeechAudio() = default;
    // Holds the lock and this context for the calling thread while it lives.
    class Current {
    public:
        explicit Current(SpeechAudio& audio);
        ~Current();

    private:
        std::lock_guard<std::mutex> lock_;
    };

    std::shared_ptr<AudioOutput> output_;
    std::mutex mutex_;
};

}  // namespace orvela
