#pragma once
// A sound device that records instead of sounding.
//
//   testing::VirtualTime time;        // declare the clock first
//   testing::RecordingSound sounds;   // opens the sound objects with the default waves
//   sound({400}, 500, 1);
//   sounds.events  ->  "play snd11 looped 25600 Hz 0 cB", "stop snd11"
//
// While it lives it is the device every TDXSound opens. Its constructor creates the
// main window's sound objects (dxsound, wavelist) holding the default waves ("beep",
// "click9", "click16", "click19", "snd1k" and "snd2k" for octaves 0 to 9, with their
// real lengths); the destructor releases them and puts back the device it replaced.
// RecordingSound(false) only takes the device's place: the sound objects are then
// created by whoever opens them (the main window's creation loads sounds.dat).
// A play that waits makes the clock pass the wave's length at the rate played
// (clock().sleepMs), so a virtual-time transcript shows each beep and click taking
// its time. failOpen makes the next device opening fail as a missing card does.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sounddevice.h"

namespace orvela::testing {

struct SoundEvent {
    enum Kind { Play, Stop };
    Kind kind;
    std::string name;
    bool looped = false;   // play only
    int frequency = 0;     // play only, hertz
    int volume = 0;        // play only, hundredths of a decibel
    bool wait = false;     // play only
    std::int64_t at = 0;   // the clock's time when the device was asked, ms
    std::string text() const;   // "play beep once 44100 Hz -600 cB wait", "stop snd11"
};

class RecordingSound {
public:
    explicit RecordingSound(bool loadDefaultWaves = true);
    ~RecordingSound();
    RecordingSound(const RecordingSound&) = delete;
    RecordingSound& operator=(const RecordingSound&) = delete;

    std::vector<SoundEvent> events;
    std::vector<std::string> texts() const;   // events as text, in order
    // Events as text after their time in ms from the first: "0 play snd13 ...", "50 stop snd13".
    std::vector<std::string> timeline() const;
    bool failOpen = false;
    int devicesOpened = 0;
    int wavesCreated = 0;

private:
    SoundDeviceOpener previous_;
};

}  // namespace orvela::testing
