// How fast speech and sounds start and fall silent, measured in one run:
//  - espeak-ng: TextData to the first audio handed to OpenAL, AudioReset (what stopspeech
//    calls) to the first silent sample the shared output mixes, and to the AudioStop
//    notification on the main thread;
//  - SOUND: a key ending a long note to the first silent sample the output mixes;
//  - speech-dispatcher (a private daemon with its espeak-ng module, audio to ALSA's null
//    device): Speak to the start of the stream, and a purge to the end of the stream.
// The output is mixed in memory one device period at a time, paced like a sound card; the
// period is the one the program's alsoft.conf gives, or --period FRAMES.
// Target: at most 20 ms from the call to silence at the output.
// Prints the median and the worst of each over the rounds.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/settingsfile.h"
#include "app/soundobjects.h"
#include "bench/renderedoutput.h"
#include "platform/codec.h"
#include "platform/defaultwaves.h"
#include "platform/espeakengine.h"
#include "platform/eventpump.h"
#include "platform/spvoice.h"
#include "runtime/soundcommands.h"

namespace {

using namespace orvela;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 10;
const char* const kSentence = "Dobrý deň, toto je skúška rýchlosti hlasu, ktorá trvá niekoľko sekúnd.";

bool waitFor(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        eventPump().waitBriefly(1);
    }
    return true;
}

void report(const char* what, std::vector<double> values) {
    if (values.empty()) {
        std::printf("  %-48s no measurement\n", what);
        return;
    }
    std::sort(values.begin(), values.end());
    std::printf("  %-48s median %7.1f ms   worst %7.1f ms   (%zu rounds)\n", what, values[values.size() / 2],
                values.back(), values.size());
}

class Sink final : public tts::NotifySink {
public:
    HResult AttribChanged(std::uint32_t) override { return S_OK; }
    HResult AudioStart(std::uint64_t) override {
        playing = true;
        return S_OK;
    }
    HResult AudioStop(std::uint64_t) override {
        playing = false;
        stoppedAt = Clock::now();
        return S_OK;
    }
    HResult Visual(std::uint64_t, char, char, std::uint32_t, const void*) override { return S_OK; }
    bool playing = false;
    Clock::time_point stoppedAt;
};

void benchEspeak(bench::RenderedOutput& output) {
    std::printf("espeak-ng through OpenAL:\n");
    struct Marks {
        std::atomic<bool> firstQueued{false};
        std::atomic<bool> silent{false};
        Clock::time_point queuedAt, silentAt;
    } marks;
    auto trace = std::make_shared<tts::AudioTrace>();
    trace->onQueued = [&](std::size_t, int) {
        if (!marks.firstQueued.exchange(true)) marks.queuedAt = Clock::now();
    };
    trace->onSilent = [&] {
        marks.silentAt = Clock::now();
        marks.silent = true;
    };
    tts::setAudioTrace(trace);

    tts::Engine& engine = tts::espeakEngine();
    std::shared_ptr<tts::AudioDestination> destination;
    std::shared_ptr<tts::Enumerator> enumerator;
    if (failed(engine.CreateAudioDest(destination)) || failed(engine.CreateEnumerator(enumerator))) {
        std::printf("  no OpenAL device or no espeak-ng voices\n");
        return;
    }
    tts::ModeInfo mode;
    std::uint32_t fetched = 0;
    enumerator->Next(mode, fetched);  // the first mode: Slovak
    std::shared_ptr<tts::Central> central;
    if (failed(enumerator->Select(mode.gModeID, central, destination))) return;
    auto sink = std::make_shared<Sink>();
    std::uint32_t key = 0;
    central->Register(sink, key);

    const std::string text = codec::utf8ToCp1250(kSentence);
    std::vector<double> toFirstAudio, toSilence, toHeardSilence, toAudioStop;
    for (int round = 0; round < kRounds; ++round) {
        marks.firstQueued = false;
        marks.silent = false;
        const auto start = Clock::now();
        central->TextData(text);
        if (!waitFor([&] { return sink->playing && marks.firstQueued; }, 5000)) continue;
        toFirstAudio.push_back(std::chrono::duration<double, std::milli>(marks.queuedAt - start).count());
        QThread::msleep(300);
        eventPump().processPending();
        const std::size_t framesAtReset = output.frames();
        const auto reset = Clock::now();
        central->AudioReset();
        if (!waitFor([&] { return !sink->playing && marks.silent; }, 5000)) continue;
        QThread::msleep(60);
        if (const auto heard = output.msToSilence(reset, framesAtReset)) toHeardSilence.push_back(*heard);
        toSilence.push_back(std::chrono::duration<double, std::milli>(marks.silentAt - reset).count());
        toAudioStop.push_back(std::chrono::duration<double, std::milli>(sink->stoppedAt - reset).count());
    }
    report("TextData -> first audio handed to OpenAL", toFirstAudio);
    report("AudioReset -> source silent", toSilence);
    report("AudioReset -> first silent sample mixed", toHeardSilence);
    report("AudioReset -> AudioStop on the main thread", toAudioStop);
    central.reset();
    tts::setAudioTrace(nullptr);
}

void benchSound(bench::RenderedOutput& output) {
    std::printf("SOUND through OpenAL:\n");
    createsoundobjects();
    wavelist->items().load(defaultWaves());
    orvelasounds = true;
    std::vector<double> toHeardSilence;
    for (int round = 0; round < kRounds; ++round) {
        std::size_t framesAtKey = 0;
        Clock::time_point key;
        // What the main window's key handler does to a SOUND that is playing.
        QTimer::singleShot(300, [&] {
            framesAtKey = output.frames();
            key = Clock::now();
            soundplaying = false;
            soundtimer().setEnabled(false);
        });
        sound({400}, 5000, 1);
        QThread::msleep(60);
        if (const auto heard = output.msToSilence(key, framesAtKey)) toHeardSilence.push_back(*heard);
    }
    report("key ending a SOUND -> first silent sample mixed", toHeardSilence);
    releasesoundobjects();
}

// A private daemon speaking through its espeak-ng module into ALSA's null device.
class Daemon {
public:
    Daemon() {
        const QString conf = dir_.filePath("conf");
        QDir().mkpath(conf + "/modules");
        QFile::copy("/etc/speech-dispatcher/modules/espeak-ng.conf", conf + "/modules/espeak-ng.conf");
        QFile settings(conf + "/speechd.conf");
        if (settings.open(QIODevice::WriteOnly))
            settings.write(QString("LogDir \"%1\"\nAudioOutputMethod \"alsa\"\nAudioALSADevice \"null\"\n"
                                   "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\n"
                                   "DefaultModule espeak-ng\nDefaultLanguage \"sk\"\n")
                               .arg(dir_.filePath("log"))
                               .toUtf8());
        settings.close();
        QDir().mkpath(dir_.filePath("log"));
        const QString socket = dir_.filePath("speechd.sock");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CACHE_HOME", dir_.filePath("cache"));
        process_.setProcessEnvironment(environment);
        process_.start("speech-dispatcher", {"-s", "-C", conf, "-c", "unix_socket", "-S", socket, "-t", "0", "-P",
                                             dir_.filePath("speechd.pid")});
        if (!process_.waitForStarted(5000)) return;
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(socket) && clock.elapsed() < 10000) QThread::msleep(20);
        ready_ = QFile::exists(socket);
        qputenv("SPEECHD_ADDRESS", ("unix_socket:" + socket).toUtf8());
    }
    ~Daemon() {
        qunsetenv("SPEECHD_ADDRESS");
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
    bool ready() const { return ready_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    bool ready_ = false;
};

void benchSpeechDispatcher() {
    std::printf("speech-dispatcher (private daemon, espeak-ng module):\n");
    Daemon daemon;
    if (!daemon.ready()) {
        std::printf("  the daemon did not start\n");
        return;
    }
    bool speaking = false;
    Clock::time_point startedAt, endedAt;
    TSpVoice voice(
        [&](std::int32_t, std::int64_t) {
            speaking = true;
            startedAt = Clock::now();
        },
        [&](std::int32_t, std::int64_t) {
            speaking = false;
            endedAt = Clock::now();
        });
    try {
        voice.setEventInterests(sapi5::SVEAllEvents);
    } catch (const std::exception& error) {
        std::printf("  cannot connect: %s\n", error.what());
        return;
    }
    // Long enough that a stream is still going at the purge even where the daemon's
    // null output does not pace the audio.
    std::string text;
    for (int i = 0; i < 30; ++i) text += codec::utf8ToCp1250(kSentence) + " ";
    std::vector<double> toStart, toEnd;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        voice.Speak(text, sapi5::SVSFlagsAsync);
        if (!waitFor([&] { return speaking; }, 5000)) continue;
        toStart.push_back(std::chrono::duration<double, std::milli>(startedAt - start).count());
        QThread::msleep(300);
        eventPump().processPending();
        if (!speaking) continue;  // already over: nothing to cut off
        const auto purge = Clock::now();
        voice.Speak("", sapi5::SVSFPurgeBeforeSpeak);
        if (!waitFor([&] { return !speaking; }, 5000)) continue;
        toEnd.push_back(std::chrono::duration<double, std::milli>(endedAt - purge).count());
        QThread::msleep(100);
    }
    report("Speak -> start of the stream", toStart);
    report("purge -> end of the stream", toEnd);
    voice.disconnect();
}

}  // namespace

// The frames a period of the program's own device holds, as its alsoft.conf sets them.
int devicePeriod(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--period") return std::atoi(argv[i + 1]);
    setenv("ALSOFT_CONF", ORVELA_RUN_DIR "/alsoft.conf", 0);
    return AudioOutput::acquire()->periodFrames();
}

int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    QCoreApplication app(argc, argv);
    const int period = devicePeriod(argc, argv);
    std::printf("device period: %d frames = %.1f ms at %d Hz\n", period, 1000.0 * period / bench::RenderedOutput::kRate,
                bench::RenderedOutput::kRate);
    {
        bench::RenderedOutput output(period);
        benchEspeak(output);
        benchSound(output);
    }
    benchSpeechDispatcher();
    return 0;
}
