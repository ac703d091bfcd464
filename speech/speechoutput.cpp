#include "speech/speechoutput.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <climits>
#include <cmath>

#include "app/settingsfile.h"
#include "keyboard/echokeys.h"
#include "keyboard/miniCZ.h"
#include "platform/codec.h"
#include "platform/eventpump.h"
#include "runtime/soundcommands.h"
#include "speech/ttsnotifysink.h"
#include "speech/unit4.h"

namespace orvela::speech {

bool usesapi5 = false;
bool voiceready = false;
bool sapi4speaking = false;
bool sapi5speaking = false;

std::shared_ptr<tts::AudioDestination> audiodest;
std::shared_ptr<tts::Enumerator> ttsenum;
std::shared_ptr<tts::Central> ttscentral;
std::shared_ptr<tts::Attributes> ttsattributes;
std::optional<tts::ModeInfo> voicemode;
std::shared_ptr<tts::NotifySink> notifysink;
std::uint32_t sinkkey = 0;

TSpVoice voice5(voice5StartStream, voice5EndStream);

namespace {

// The limits and current value an attribute answered, or nothing when unsupported.
struct Limits {
    std::int64_t lo = 0;
    std::int64_t hi = 0;
    std::int64_t current = 0;
};

// Reads an attribute's limits by setting its extremes and reading them back. Only
// E_NOTIMPL of the first read or of the probing write counts; other failures are ignored.
template <typename T, typename Get, typename Set>
std::optional<Limits> probe(Get get, Set set, T minimum, T maximum) {
    T current{};
    if (get(current) == E_NOTIMPL) return std::nullopt;
    if (set(current) == E_NOTIMPL) return std::nullopt;
    T lo{}, hi{};
    set(minimum);
    get(lo);
    set(maximum);
    get(hi);
    set(current);
    return Limits{lo, hi, current};
}

int toBar(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

// Range first, then position: each change of position runs the bar's change handler.
void showLimits(TForm4& form, QSlider* bar, const Limits& limits, bool withTicks) {
    form.setbarrange(bar, toBar(limits.lo), toBar(limits.hi));
    form.setbarposition(bar, toBar(limits.current));
    if (withTicks) bar->setTickInterval(tickspacing(limits.lo, limits.hi));
}

// The volume bar shows the left channel's level divided by 256.
std::int64_t leftLevel(std::int64_t volume) { return (volume >> 8) & 0xFF; }

void readLimits(TForm4* form) {
    tts::Attributes& attributes = *ttsattributes;
    const auto speed = probe<std::uint32_t>([&](std::uint32_t& v) { return attributes.SpeedGet(v); },
                                            [&](std::uint32_t v) { return attributes.SpeedSet(v); },
                                            tts::TTSATTR_MINSPEED, tts::TTSATTR_MAXSPEED);
    if (speed && form) showLimits(*form, form->speedtb, *speed, true);
    const auto pitch = probe<std::uint16_t>([&](std::uint16_t& v) { return attributes.PitchGet(v); },
                                            [&](std::uint16_t v) { return attributes.PitchSet(v); },
                                            tts::TTSATTR_MINPITCH, tts::TTSATTR_MAXPITCH);
    if (pitch && form) showLimits(*form, form->pitchtb, *pitch, true);
    const auto volume = probe<std::uint32_t>([&](std::uint32_t& v) { return attributes.VolumeGet(v); },
                                             [&](std::uint32_t v) { return attributes.VolumeSet(v); },
                                             tts::TTSATTR_MINVOLUME, tts::TTSATTR_MAXVOLUME);
    if (volume && form)
        showLimits(*form, form->volumetb,
                   Limits{leftLevel(volume->lo), leftLevel(volume->hi), leftLevel(volume->current)}, false);
}

void waitForAudioStop() {
    eventPump().waitUntil([] { return !sapi4speaking; });
}

}  // namespace

int tickspacing(std::int64_t lo, std::int64_t hi) {
    return static_cast<int>(std::nearbyint(static_cast<double>(hi - lo) / 10.0));
}

void preparesapi4() {
    ttscentral.reset();
    ttsattributes.reset();
    ttsenum.reset();
    audiodest.reset();
    voicemode.reset();
    std::shared_ptr<tts::AudioDestination> destination;
    if (failed(tts::engine().CreateAudioDest(destination)) || !destination) return;
    audiodest = std::move(destination);
    std::shared_ptr<tts::Enumerator> enumerator;
    if (failed(tts::engine().CreateEnumerator(enumerator))) return;
    ttsenum = std::move(enumerator);
}

bool sapi4available() { return ttsenum != nullptr; }

void listvoices() {
    if (!Form4) return;
    QListWidget* list = Form4->voicelist;
    list->clear();
    if (!ttsenum) return;
    checkResult(ttsenum->Reset());
    for (;;) {
        tts::ModeInfo mode;
        std::uint32_t fetched = 0;
        checkResult(ttsenum->Next(mode, fetched));
        if (fetched == 0) break;
        list->addItem(codec::toQString(mode.szModeName));
    }
    if (list->count() == 0) return;
    int chosen = 0;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == QStringLiteral("Jakub")) {
            chosen = i;
            break;
        }
    }
    {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(chosen);
    }
    Form4->voicelistClick();
}

void capturevoicemodeat(int index) {
    checkResult(ttsenum->Reset());
    tts::ModeInfo record;
    for (int i = 0; i <= index; ++i) {
        std::uint32_t fetched = 0;
        checkResult(ttsenum->Next(record, fetched));
    }
    voicemode = record;
}

void capturevoicemode() {
    if (!ttsenum || !Form4 || Form4->voicelist->currentRow() < 0) return;
    capturevoicemodeat(Form4->voicelist->currentRow());
}

void openvoice() {
    if (voiceready && ttscentral && notifysink) checkResult(ttscentral->UnRegister(sinkkey));
    ttscentral.reset();
    ttsattributes.reset();
    // Without an engine or a chosen mode there is nothing to open.
    if (!ttsenum || !voicemode) return;
    std::shared_ptr<tts::Central> central;
    checkResult(ttsenum->Select(voicemode->gModeID, central, audiodest));
    ttscentral = std::move(central);
    voiceready = true;
    std::shared_ptr<tts::Attributes> attributes;
    checkResult(ttscentral->QueryAttributes(attributes));
    ttsattributes = std::move(attributes);
    readLimits(Form4);
    if (Form4) Form4->enablebars();
    if (notifysink) checkResult(ttscentral->Register(notifysink, sinkkey));
}

void speak(const std::string& text) {
    if (usesapi5) {
        voice5.Speak(text, sapi5::SVSFlagsAsync);
    } else if (voiceallowed && !text.empty() && ttscentral) {
        checkResult(ttscentral->TextData(text));
    }
}

void speakandwait(const std::string& text) {
    if (usesapi5) {
        if (text.empty()) return;
        sapi5speaking = true;
        try {
            voice5.Speak(text, sapi5::SVSFlagsAsync);
        } catch (...) {
            // No stream will ever end: a wait further out must not wait for one.
            sapi5speaking = false;
            throw;
        }
        eventPump().waitUntil([] { return !sapi5speaking; });
    } else if (voiceallowed && !text.empty() && ttscentral) {
        checkResult(ttscentral->TextData(text));
        waitForAudioStop();
    }
}

void stopspeech() {
    if (usesapi5) {
        voice5.Speak(std::string(), sapi5::SVSFPurgeBeforeSpeak);
    } else if (voiceready && sapi4speaking && ttscentral) {
        checkResult(ttscentral->AudioReset());
    }
}

void echochar(const std::string& text) {
    if (!voiceready) return;
    // The screen review passes code 0 for the place after the last character.
    if (text.empty() || text == std::string(1, '\0')) return;
    if (text.size() == 1 && iscapital(static_cast<unsigned char>(text[0]), kWindows1250Pairs)) sound({2000}, 20, 1);
    const auto name = keyname(static_cast<unsigned char>(text[0]));
    if (!name || name->empty()) return;
    if (usesapi5) {
        voice5.Speak(*name, sapi5::SVSFlagsAsync | sapi5::SVSFIsXML);
    } else if (ttscentral) {
        checkResult(ttscentral->TextData(*name));
        waitForAudioStop();
    }
}

void createnotifysink() { notifysink = std::make_shared<TTTSNotifySink>(); }

void voice5StartStream(std::int32_t, std::int64_t) { sapi5speaking = true; }

void voice5EndStream(std::int32_t, std::int64_t) { sapi5speaking = false; }

void resetspeech() {
    usesapi5 = voiceready = sapi4speaking = sapi5speaking = false;
    ttscentral.reset();
    ttsattributes.reset();
    ttsenum.reset();
    audiodest.reset();
    voicemode.reset();
    notifysink.reset();
    sinkkey = 0;
    voice5.disconnect();
}

}  // namespace orvela::speech
