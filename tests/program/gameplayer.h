#pragma once
// One run of the logic game with a scripted player, on virtual time, with recording
// sound and speech. The transcript lists, in order, what the player hears:
//   "say <text>"           a spoken text (UTF-8)
//   "note 400 100ms o1"    one SOUND note: pitch, duration, octave
//   "beep", "click19"      BEEP and CLICK 19
//   "click9"               the clicks of one wait for a key, shown once
//   "key <text>"           the player's answer to that wait
//   "pause 500ms"          a blocking pause of the game or of its print (only with showPauses)
// With the device sounds off there is no click 9: the player answers when the game has
// found no key twice in a row, once to throw away old keys and once polling for a new one.
// The screen's rows are collected as printed, as if on an endless roll.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/settingsfile.h"
#include "platform/codec.h"
#include "platform/testing/recordingsound.h"
#include "platform/testing/recordingspeechservice.h"
#include "platform/testing/virtualtime.h"
#include "program/gamesteps.h"
#include "program/orvprog.h"
#include "runtime/functions.h"
#include "runtime/input.h"
#include "runtime/screen.h"
#include "runtime/soundcommands.h"
#include "speech/speechoutput.h"

namespace orvela::testing {

// The game waits for a key when the script has none left.
struct OutOfAnswers : std::runtime_error {
    OutOfAnswers() : std::runtime_error("the game waits for a key the script does not have") {}
};

class GameRun {
public:
    explicit GameRun(std::vector<std::string> answers = {}, std::vector<int> secret = {}) {
        inputline.clear();
        resetscreen();
        resetrun();
        orvelasounds = true;
        speech::usesapi5 = true;
        // The voice dialog's creation asks the service for its events; the game has no dialog.
        speech::voice5.setEventInterests(sapi5::SVEAllEvents);
        for (const auto& a : answers) answers_.push_back(codec::utf8ToCp1250(a));
        secret_.assign(secret.begin(), secret.end());
        setsecretdraw([this] {
            if (secret_.empty()) throw std::logic_error("the game draws more secret digits than the script has");
            const int digit = secret_.front();
            secret_.pop_front();
            return (digit - 0.5) / 9;  // rnd(1) * 9 + 1 then has the digit as its whole part
        });
        time.setTimeOfDay(14, 5, 9);
        time.onPass = [this] { pass(); };
        time.onStall = [this] { answerIfAsked(); };
        time.onSleep = [this](int ms) { paused(ms); };
        screen().onChanged = [this] { takeRows(false); };
        speech.state().onText = [this](const std::string& text) {
            flushSounds();
            quietStalls_ = 0;
            transcript.push_back("say " + codec::cp1250ToUtf8(text));
            if (onSay) onSay(codec::cp1250ToUtf8(text));
        };
    }

    ~GameRun() {
        orvelasounds = true;
        screen().onChanged = nullptr;
        setsecretdraw(nullptr);
        speech::resetspeech();
        clear(returnstack);
        inputline.clear();
    }

    // Plays the whole run; false (with the transcript so far) when the script ran out.
    bool play() {
        try {
            orvprog();
        } catch (const OutOfAnswers&) {
            flushSounds();
            takeRows(true);
            return false;
        }
        flushSounds();
        takeRows(true);
        return true;
    }

    // Keys the player gives, one per wait, in order (UTF-8).
    void answer(const std::string& key) { answers_.push_back(codec::utf8ToCp1250(key)); }

    VirtualTime time;   // first: the sound double's waits pass on it
    RecordingSound sounds;
    RecordingSpeechService speech;
    std::vector<std::string> transcript;
    // The screen's rows in the order printed (UTF-8, 80 columns each).
    std::vector<std::string> rows;
    // Whether the transcript shows the pauses.
    bool showPauses = false;
    // Called after each spoken text is recorded (UTF-8).
    std::function<void(const std::string&)> onSay;

private:
    void pass() {
        flushSounds();
        if (++passes_ > kMaxPasses) throw std::logic_error("the game does not come to an end");
    }

    // The game found no key pending. After a click 9 not yet answered it is polling in
    // its wait, having thrown away what was typed before: the player types now. Without
    // sounds the first empty look since the last text or key is the throwing away.
    void answerIfAsked() {
        flushSounds();
        if (orvelasounds) {
            if (waitingClick_ < 0 || answeredClick_ == waitingClick_) return;
            if (sounds.events.size() != static_cast<std::size_t>(waitingClick_) + 1) return;
            answeredClick_ = waitingClick_;
        } else if (++quietStalls_ < 2) {
            return;
        }
        quietStalls_ = 0;
        if (answers_.empty()) throw OutOfAnswers();
        inputline = answers_.front();
        answers_.pop_front();
        transcript.push_back("key " + codec::cp1250ToUtf8(inputline));
    }

    // A BEEP or CLICK sleeps for its own length right after it starts: not a pause.
    void paused(int ms) {
        flushSounds();
        const bool started = sounds.events.size() != eventsAtSleep_;
        const bool ownLength = started && sounds.events.back().kind == SoundEvent::Play && sounds.events.back().wait;
        eventsAtSleep_ = sounds.events.size();
        if (showPauses && !ownLength) transcript.push_back("pause " + std::to_string(ms) + "ms");
    }

    // Rows the cursor has left go to `rows` and the screen is emptied, so that nothing
    // scrolls away (the game never reads the screen). At the end the rest goes too.
    void takeRows(bool all) {
        if (takingRows_) return;
        const int row = scrcursor.getrow();
        const bool lineDone = scrcursor.getcol() == 0;
        const int taken = all && !lineDone ? row + 1 : row;
        if (taken == 0 || (!all && !lineDone)) return;
        for (int r = 0; r < taken; ++r)
            rows.push_back(codec::cp1250ToUtf8(screen().lines()[static_cast<std::size_t>(r)]));
        takingRows_ = true;
        screen().clear();
        takingRows_ = false;
        scrcursor.setrow(0);
    }

    void flushSounds() {
        for (; seen_ < sounds.events.size(); ++seen_) {
            const SoundEvent& e = sounds.events[seen_];
            if (e.kind != SoundEvent::Play) continue;
            if (e.name == "click9") {
                waitingClick_ = static_cast<long>(seen_);
                if (transcript.empty() || transcript.back() != "click9") transcript.push_back("click9");
            } else if (e.name.rfind("snd", 0) == 0) {
                // Seen at the first pass of the SOUND's own wait, so lastduration is its length.
                transcript.push_back("note " + std::to_string(e.frequency / 64) + " " + std::to_string(lastduration) +
                                     "ms o" + e.name.substr(4));
            } else {
                transcript.push_back(e.name);
            }
        }
    }

    static constexpr long kMaxPasses = 2'000'000;
    std::deque<std::string> answers_;
    std::deque<int> secret_;
    std::size_t seen_ = 0;
    long waitingClick_ = -1;
    long answeredClick_ = -1;
    long passes_ = 0;
    int quietStalls_ = 0;
    std::size_t eventsAtSleep_ = 0;
    bool takingRows_ = false;
};

// Whether `expected` occurs in `transcript` as one unbroken run of entries. An expected
// entry ending in "*" matches any entry that begins with the text before it.
inline ::testing::AssertionResult hasRun(const std::vector<std::string>& transcript,
                                         const std::vector<std::string>& expected) {
    const auto matches = [](const std::string& wanted, const std::string& actual) {
        if (!wanted.empty() && wanted.back() == '*') return actual.rfind(wanted.substr(0, wanted.size() - 1), 0) == 0;
        return actual == wanted;
    };
    for (std::size_t start = 0; start + expected.size() <= transcript.size(); ++start) {
        if (std::equal(expected.begin(), expected.end(), transcript.begin() + static_cast<long>(start), matches))
            return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure() << "expected run not found:\n";
    for (const auto& e : expected) failure << "    " << e << "\n";
    failure << "transcript:\n";
    for (const auto& e : transcript) failure << "    " << e << "\n";
    return failure;
}

inline std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace orvela::testing
