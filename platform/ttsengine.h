#pragma once
// The directly driven speech engine, shaped like the interfaces the speech operations
// call: an enumerator of modes (voices), the central object of an open mode, its
// attributes and the notify sink the engine reports audio start and stop to.
// Every call answers a result code; texts are Windows-1250 bytes.
// Notifications are always delivered on the main thread (through eventPump().post).
#include <cstdint>
#include <memory>
#include <string>

#include "platform/comerror.h"

namespace orvela::tts {

inline constexpr std::uint32_t TTSATTR_MINSPEED = 0;
inline constexpr std::uint32_t TTSATTR_MAXSPEED = 0xFFFFFFFFu;
inline constexpr std::uint16_t TTSATTR_MINPITCH = 0;
inline constexpr std::uint16_t TTSATTR_MAXPITCH = 0xFFFF;
inline constexpr std::uint32_t TTSATTR_MINVOLUME = 0;
inline constexpr std::uint32_t TTSATTR_MAXVOLUME = 0xFFFFFFFFu;

// The longest mode name, terminating zero included.
inline constexpr std::size_t kModeNameSize = 262;

struct ModeInfo {
    std::string gModeID;     // identifies the mode for Select
    std::string szModeName;  // the name shown in the voice list (Windows-1250)
};

class NotifySink {
public:
    virtual ~NotifySink() = default;
    virtual HResult AttribChanged(std::uint32_t attribute) = 0;
    virtual HResult AudioStart(std::uint64_t timeStamp) = 0;
    virtual HResult AudioStop(std::uint64_t timeStamp) = 0;
    virtual HResult Visual(std::uint64_t timeStamp, char ipaPhoneme, char enginePhoneme, std::uint32_t hints,
                           const void* mouth) = 0;
};

// The sound output a mode speaks into.
class AudioDestination {
public:
    virtual ~AudioDestination() = default;
};

// Speed in words per minute, pitch in hertz; a volume holds the left channel's level in
// its low 16 bits and the right channel's in the high 16. E_NOTIMPL: not supported.
// A value set outside the limits is brought within them.
class Attributes {
public:
    virtual ~Attributes() = default;
    virtual HResult SpeedGet(std::uint32_t& speed) = 0;
    virtual HResult SpeedSet(std::uint32_t speed) = 0;
    virtual HResult PitchGet(std::uint16_t& pitch) = 0;
    virtual HResult PitchSet(std::uint16_t pitch) = 0;
    virtual HResult VolumeGet(std::uint32_t& volume) = 0;
    virtual HResult VolumeSet(std::uint32_t volume) = 0;
};

class Central {
public:
    virtual ~Central() = default;
    // Queues the text and returns at once.
    virtual HResult TextData(const std::string& text) = 0;
    // Stops the audio at once and drops the queued text.
    virtual HResult AudioReset() = 0;
    // A control tag such as "\Spd=120\"; it takes effect on the speech that follows.
    virtual HResult Inject(const std::string& tag) = 0;
    virtual HResult Register(std::shared_ptr<NotifySink> sink, std::uint32_t& key) = 0;
    virtual HResult UnRegister(std::uint32_t key) = 0;
    virtual HResult QueryAttributes(std::shared_ptr<Attributes>& attributes) = 0;
};

class Enumerator {
public:
    virtual ~Enumerator() = default;
    virtual HResult Reset() = 0;
    // Fills mode with the next mode and fetched with 1, or fetched with 0 when none is left.
    virtual HResult Next(ModeInfo& mode, std::uint32_t& fetched) = 0;
    virtual HResult Select(const std::string& modeId, std::shared_ptr<Central>& central,
                           const std::shared_ptr<AudioDestination>& destination) = 0;
};

// The installed engine: creates the audio destination and the enumerator.
class Engine {
public:
    virtual ~Engine() = default;
    virtual HResult CreateAudioDest(std::shared_ptr<AudioDestination>& destination) = 0;
    virtual HResult CreateEnumerator(std::shared_ptr<Enumerator>& enumerator) = 0;
};

Engine& engine();
// Tests install a double; nullptr puts the real engine back.
void setEngine(Engine* replacement);

}  // namespace orvela::tts
