#include "platform/espeakengine.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/codec.h"
#include "platform/eventpump.h"
#include "platform/speechaudio.h"

namespace orvela::tts {
namespace {

// The engine's limits: speed in words per minute, pitch in hertz.
constexpr std::uint32_t kMinSpeed = espeakRATE_MINIMUM;
constexpr std::uint32_t kMaxSpeed = espeakRATE_MAXIMUM;
constexpr std::uint32_t kDefaultSpeed = espeakRATE_NORMAL;
constexpr std::uint16_t kMinPitch = 50;
constexpr std::uint16_t kMaxPitch = 250;
constexpr std::uint16_t kDefaultPitch = 150;
constexpr int kBufferMs = 40;

std::mutex traceMutex;
std::shared_ptr<AudioTrace> currentTrace;

std::shared_ptr<AudioTrace> trace() {
    const std::lock_guard lock(traceMutex);
    return currentTrace;
}

// espeak-ng keeps global state: one text is synthesised at a time, whoever asks.
std::mutex espeakMutex;
int sampleRate = 0;  // 0: not initialised yet, -1: failed
bool pathKnown = false;

// Listing the voices needs only the data path; the phoneme tables wait for the first
// voice opened, which keeps them out of the program's start-up.
void findData() {
    if (!pathKnown) espeak_ng_InitializePath(nullptr);
    pathKnown = true;
}

bool initialiseEspeak() {
    const std::lock_guard lock(espeakMutex);
    if (sampleRate == 0) {
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kBufferMs, nullptr, 0);
        sampleRate = rate > 0 ? rate : -1;
        pathKnown = true;
    }
    return sampleRate > 0;
}

int orderOf(const std::string& language) {
    static const char* const first[] = {"sk", "cs", "en"};
    for (int i = 0; i < 3; ++i)
        if (language == first[i] || language.rfind(std::string(first[i]) + "-", 0) == 0) return i;
    return 3;
}

std::vector<ModeInfo> listModes() {
    struct Entry {
        int order;
        ModeInfo mode;
    };
    std::vector<Entry> entries;
    {
        const std::lock_guard lock(espeakMutex);
        findData();
        for (const espeak_VOICE** voice = espeak_ListVoices(nullptr); voice && *voice; ++voice) {
            const char* languages = (*voice)->languages;
            const std::string language = languages && *languages ? languages + 1 : "";
            std::string name = codec::utf8ToCp1250((*voice)->name ? (*voice)->name : "");
            if (name.size() >= kModeNameSize) name.resize(kModeNameSize - 1);
            entries.push_back({orderOf(language), {(*voice)->identifier ? (*voice)->identifier : "", name}});
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.order != b.order ? a.order < b.order : a.mode.szModeName < b.mode.szModeName;
    });
    std::vector<ModeInfo> modes;
    for (auto& entry : entries) modes.push_back(std::move(entry.mode));
    return modes;
}

std::mutex aheadMutex;
std::future<std::vector<ModeInfo>> listingAhead;

std::vector<ModeInfo> takeModes() {
    const std::lock_guard lock(aheadMutex);
    return listingAhead.valid() ? listingAhead.get() : listModes();
}

class Destination final : public AudioDestination {
public:
    explicit Destination(std::unique_ptr<SpeechAudio> audio) : audio(std::move(audio)) {}
    std::unique_ptr<SpeechAudio> audio;
};

struct Params {
    std::uint32_t speed = kDefaultSpeed;
    std::uint16_t pitch = kDefaultPitch;
    std::uint32_t volume = 0xFFFFFFFFu;
};

struct Job {
    std::string utf8;
    Params params;
};

// What the main thread and the worker share; posted notifications hold it weakly.
struct Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> jobs;
    std::uint64_t jobsQueued = 0;
    std::uint64_t jobsDone = 0;  // synthesised, abandoned or dropped
    std::condition_variable progress;  // audio began or a job was done
    std::uint64_t generation = 0;
    bool playing = false;
    bool stopping = false;
    std::unique_ptr<SpeechAudio::Stream> stream;
    // Main thread only.
    std::map<std::uint32_t, std::shared_ptr<NotifySink>> sinks;
    std::uint32_t nextKey = 1;
};

void post(const std::shared_ptr<Shared>& shared, bool start) {
    std::weak_ptr<Shared> weak = shared;
    eventPump().post([weak, start] {
        auto state = weak.lock();
        if (!state) return;
        auto sinks = state->sinks;  // a sink may unregister itself
        for (auto& [key, sink] : sinks) {
            if (!state->sinks.count(key)) continue;
            if (start)
                sink->AudioStart(0);
            else
                sink->AudioStop(0);
        }
    });
}

// Passed to espeak-ng as user data for one text.
struct SynthContext {
    Shared* shared;
    std::uint64_t generation;
    Params params;
    std::vector<std::int16_t> stereo;
    std::shared_ptr<AudioTrace> trace;
    std::shared_ptr<Shared> owner;
};

// Both channels from the mono PCM, each scaled by its half of the volume.
void toStereo(const short* mono, int count, std::uint32_t volume, std::vector<std::int16_t>& out) {
    const double left = (volume & 0xFFFF) / 65535.0;
    const double right = (volume >> 16) / 65535.0;
    out.resize(static_cast<std::size_t>(count) * 2);
    for (int i = 0; i < count; ++i) {
        out[2 * i] = static_cast<std::int16_t>(mono[i] * left);
        out[2 * i + 1] = static_cast<std::int16_t>(mono[i] * right);
    }
}

int synthCallback(short* wav, int count, espeak_EVENT* events) {
    auto* context = static_cast<SynthContext*>(events ? events->user_data : nullptr);
    if (!context) return 0;
    Shared& shared = *context->shared;
    std::unique_lock lock(shared.mutex);
    if (shared.stopping || shared.generation != context->generation) return 1;  // reset: abandon the text
    if (!wav || count <= 0) return 0;
    toStereo(wav, count, context->params.volume, context->stereo);
    shared.stream->queue(context->stereo.data(), static_cast<std::size_t>(count), sampleRate);
    if (!shared.playing) {
        shared.playing = true;
        post(context->owner, true);
        shared.progress.notify_all();
    }
    lock.unlock();
    if (context->trace && context->trace->onQueued) context->trace->onQueued(static_cast<std::size_t>(count), sampleRate);
    return 0;
}

void synthesise(const std::shared_ptr<Shared>& shared, const std::string& voice, Job job, std::uint64_t generation) {
    SynthContext context{shared.get(), generation, job.params, {}, trace(), shared};
    const std::lock_guard lock(espeakMutex);
    espeak_SetSynthCallback(synthCallback);
    espeak_SetVoiceByName(voice.c_str());
    espeak_SetParameter(espeakRATE, static_cast<int>(job.params.speed), 0);
    espeak_SetParameter(espeakPITCH, (job.params.pitch - kMinPitch) / 2, 0);
    espeak_Synth(job.utf8.c_str(), job.utf8.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &context);
}

void work(std::shared_ptr<Shared> shared, std::string voice) {
    std::unique_lock lock(shared->mutex);
    for (;;) {
        if (shared->stopping) return;
        if (!shared->jobs.empty()) {
            Job job = std::move(shared->jobs.front());
            shared->jobs.pop_front();
            const auto generation = shared->generation;
            lock.unlock();
            synthesise(shared, voice, std::move(job), generation);
            lock.lock();
            ++shared->jobsDone;
            shared->progress.notify_all();
            continue;
        }
        if (shared->playing) {
            if (shared->stream->finished()) {
                shared->playing = false;
                post(shared, false);
                lock.unlock();
                if (auto watcher = trace(); watcher && watcher->onSilent) watcher->onSilent();
                lock.lock();
                continue;
            }
            // Audio is playing out: look again shortly, or at once when work arrives.
            shared->wake.wait_for(lock, std::chrono::milliseconds(5));
            continue;
        }
        shared->wake.wait(lock);
    }
}

class Attributes final : public tts::Attributes {
public:
    explicit Attributes(std::shared_ptr<Params> params) : params_(std::move(params)) {}
    HResult SpeedGet(std::uint32_t& speed) override {
        speed = params_->speed;
        return S_OK;
    }
    HResult SpeedSet(std::uint32_t speed) override {
        params_->speed = std::clamp(speed, kMinSpeed, kMaxSpeed);
        return S_OK;
    }
    HResult PitchGet(std::uint16_t& pitch) override {
        pitch = params_->pitch;
        return S_OK;
    }
    HResult PitchSet(std::uint16_t pitch) override {
        params_->pitch = std::clamp(pitch, kMinPitch, kMaxPitch);
        return S_OK;
    }
    HResult VolumeGet(std::uint32_t& volume) override {
        volume = params_->volume;
        return S_OK;
    }
    HResult VolumeSet(std::uint32_t volume) override {
        params_->volume = volume;
        return S_OK;
    }

private:
    std::shared_ptr<Params> params_;
};

// "\Spd=n\", "\Pit=n\", "\Vol=n\": the value for the speech that follows.
void applyTag(const std::string& tag, Attributes& attributes) {
    static const char* const names[] = {"\\Spd=", "\\Pit=", "\\Vol="};
    for (int which = 0; which < 3; ++which) {
        const std::size_t length = std::strlen(names[which]);
        if (tag.compare(0, length, names[which]) != 0) continue;
        const std::string digits = tag.substr(length, tag.find('\\', length) - length);
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9)
            return;
        const auto value = static_cast<std::uint32_t>(std::stoul(digits));
        if (which == 0) attributes.SpeedSet(value);
        if (which == 1) attributes.PitchSet(static_cast<std::uint16_t>(std::min<std::uint32_t>(value, 0xFFFF)));
        if (which == 2) {
            const std::uint32_t level = std::min<std::uint32_t>(value, 0xFFFF);
            attributes.VolumeSet(level | (level << 16));
        }
        return;
    }
}

class Central final : public tts::Central {
public:
    Central(std::shared_ptr<Destination> destination, std::string voice)
        : destination_(std::move(destination)),
          shared_(std::make_shared<Shared>()),
          params_(std::make_shared<Params>()),
          attributes_(std::make_shared<Attributes>(params_)) {
        shared_->stream = destination_->audio->createStream();
        worker_ = std::thread(work, shared_, std::move(voice));
    }

    ~Central() override {
        {
            const std::lock_guard lock(shared_->mutex);
            shared_->stopping = true;
            ++shared_->generation;
        }
        shared_->wake.notify_all();
        worker_.join();
        shared_->stream.reset();
    }

    // Returns as soon as the text's first audio is on its way (well under a millisecond
    // when idle), so that its AudioStart is already posted when the caller next handles
    // events; a text that makes no sound returns once it has been synthesised.
    HResult TextData(const std::string& text) override {
        std::unique_lock lock(shared_->mutex);
        shared_->jobs.push_back({codec::cp1250ToUtf8(text), *params_});
        const std::uint64_t job = ++shared_->jobsQueued;
        shared_->wake.notify_all();
        shared_->progress.wait_for(lock, std::chrono::seconds(1),
                                   [&] { return shared_->playing || shared_->jobsDone >= job; });
        return S_OK;
    }

    HResult AudioReset() override {
        bool wasPlaying = false;
        {
            const std::lock_guard lock(shared_->mutex);
            ++shared_->generation;
            shared_->jobsDone += shared_->jobs.size();
            shared_->jobs.clear();
            shared_->stream->stop();
            wasPlaying = shared_->playing;
            shared_->playing = false;
        }
        shared_->wake.notify_all();
        if (wasPlaying) {
            post(shared_, false);
            if (auto watcher = trace(); watcher && watcher->onSilent) watcher->onSilent();
        }
        return S_OK;
    }

    HResult Inject(const std::string& tag) override {
        applyTag(tag, *attributes_);
        return S_OK;
    }

    HResult Register(std::shared_ptr<NotifySink> sink, std::uint32_t& key) override {
        if (!sink) return E_INVALIDARG;
        key = shared_->nextKey++;
        shared_->sinks[key] = std::move(sink);
        return S_OK;
    }

    HResult UnRegister(std::uint32_t key) override { return shared_->sinks.erase(key) ? S_OK : E_INVALIDARG; }

    HResult QueryAttributes(std::shared_ptr<tts::Attributes>& attributes) override {
        attributes = attributes_;
        return S_OK;
    }

private:
    std::shared_ptr<Destination> destination_;
    std::shared_ptr<Shared> shared_;
    std::shared_ptr<Params> params_;
    std::shared_ptr<Attributes> attributes_;
    std::thread worker_;
};

class Enumerator final : public tts::Enumerator {
public:
    explicit Enumerator(std::vector<ModeInfo> modes) : modes_(std::move(modes)) {}
    HResult Reset() override {
        position_ = 0;
        return S_OK;
    }
    HResult Next(ModeInfo& mode, std::uint32_t& fetched) override {
        fetched = 0;
        if (position_ >= modes_.size()) return S_OK;
        mode = modes_[position_++];
        fetched = 1;
        return S_OK;
    }
    HResult Select(const std::string& modeId, std::shared_ptr<tts::Central>& central,
                   const std::shared_ptr<AudioDestination>& destination) override {
        auto ours = std::dynamic_pointer_cast<Destination>(destination);
        if (!ours) return E_INVALIDARG;
        const bool known = std::any_of(modes_.begin(), modes_.end(), [&](const ModeInfo& m) { return m.gModeID == modeId; });
        if (!known) return E_INVALIDARG;
        if (!initialiseEspeak()) return E_FAIL;
        central = std::make_shared<Central>(std::move(ours), modeId);
        return S_OK;
    }

private:
    std::vector<ModeInfo> modes_;
    std::size_t position_ = 0;
};

class EspeakEngine final : public Engine {
public:
    HResult CreateAudioDest(std::shared_ptr<AudioDestination>& destination) override {
        auto audio = SpeechAudio::open();
        if (!audio) return E_FAIL;
        destination = std::make_shared<Destination>(std::move(audio));
        return S_OK;
    }
    HResult CreateEnumerator(std::shared_ptr<tts::Enumerator>& enumerator) override {
        auto modes = takeModes();
        if (modes.empty()) return REGDB_E_CLASSNOTREG;
        enumerator = std::make_shared<Enumerator>(std::move(modes));
        return S_OK;
    }
};

}  // namespace

Engine& espeakEngine() {
    static EspeakEngine engine;
    return engine;
}

void listVoicesAhead() {
    const std::lock_guard lock(aheadMutex);
    if (!listingAhead.valid()) listingAhead = std::async(std::launch::async, listModes);
}

void setAudioTrace(std::shared_ptr<AudioTrace> watcher) {
    const std::lock_guard lock(traceMutex);
    currentTrace = std::move(watcher);
}

}  // namespace orvela::tts
