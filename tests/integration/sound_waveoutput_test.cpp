// SOUND, BEEP and CLICK through real OpenAL Soft, its wave output driver writing what
// it mixes to a file, whose samples are then measured.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "app/settingsfile.h"
#include "app/soundobjects.h"
#include "platform/clock.h"
#include "platform/defaultwaves.h"
#include "runtime/soundcommands.h"

namespace orvela {
namespace {

struct Recording {
    int rate = 0;
    std::vector<double> samples;   // mono mix, -1 to 1
};

std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

// Reads 16-bit or 32-bit integer PCM or 32-bit float, plain or extensible.
Recording readWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Recording r;
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return r;
    int channels = 0, bits = 0, format = 0;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        std::size_t size = le(b, at + 4, 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            format = static_cast<int>(le(b, body, 2));
            channels = static_cast<int>(le(b, body + 2, 2));
            r.rate = static_cast<int>(le(b, body + 4, 4));
            bits = static_cast<int>(le(b, body + 14, 2));
            if (format == 0xFFFE) format = static_cast<int>(le(b, body + 24, 2));
        } else if (id == "data") {
            if (size == 0 || body + size > b.size()) size = b.size() - body;   // header never finished
            const int step = bits / 8 * channels;
            for (std::size_t f = body; f + step <= body + size; f += step) {
                double sum = 0;
                for (int c = 0; c < channels; ++c) {
                    const std::size_t s = f + c * bits / 8;
                    if (format == 3 && bits == 32) {
                        float v;
                        const std::uint32_t u = le(b, s, 4);
                        std::memcpy(&v, &u, 4);
                        sum += v;
                    } else if (bits == 16) {
                        sum += static_cast<std::int16_t>(le(b, s, 2)) / 32768.0;
                    } else if (bits == 32) {
                        sum += static_cast<std::int32_t>(le(b, s, 4)) / 2147483648.0;
                    }
                }
                r.samples.push_back(sum / channels);
            }
            break;
        }
        at = body + size + (size & 1);
    }
    return r;
}

struct Segment {
    std::size_t begin, end;   // sample indices
};

// Stretches of sound between silences, in 5 ms windows.
std::vector<Segment> segments(const Recording& r) {
    const std::size_t window = r.rate / 200;
    std::vector<Segment> found;
    bool inside = false;
    for (std::size_t w = 0; w + window <= r.samples.size(); w += window) {
        double energy = 0;
        for (std::size_t i = w; i < w + window; ++i) energy += r.samples[i] * r.samples[i];
        const bool loud = std::sqrt(energy / window) > 0.01;
        if (loud && !inside) found.push_back({w, w + window});
        if (loud) found.back().end = w + window;
        inside = loud;
    }
    return found;
}

double ms(const Recording& r, const Segment& s) { return 1000.0 * double(s.end - s.begin) / r.rate; }

// Strength of one frequency over a stretch (Goertzel).
double strength(const Recording& r, std::size_t begin, std::size_t end, double hz) {
    const double k = 2 * std::cos(2 * std::numbers::pi * hz / r.rate);
    double s1 = 0, s2 = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const double s0 = r.samples[i] + k * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(s1 * s1 + s2 * s2 - k * s1 * s2) / double(end - begin);
}

double strongest(const Recording& r, std::size_t begin, std::size_t end) {
    double best = 0, bestHz = 0;
    for (double hz = 50; hz <= 4000; hz += 2) {
        const double s = strength(r, begin, end, hz);
        if (s > best) best = s, bestHz = hz;
    }
    return bestHz;
}

double octaveHz(double note, int octave) {
    const auto ratio = octaveRatio(octave);
    return note * ratio.numerator / ratio.denominator;
}

TEST(SoundWaveOutput, NotesBeepAndClickReachTheOutputAtTheirPitchAndLength) {
    QTemporaryDir dir;
    const std::string wav = dir.filePath("out.wav").toStdString();
    const std::string conf = dir.filePath("alsoft.conf").toStdString();
    std::ofstream(conf) << "[general]\ndrivers=wave\n[wave]\nfile=" << wav << "\n";
    // OpenAL Soft reads its configuration once, when the process first uses it.
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");

    orvelasounds = true;
    sndvolume = 0;
    lastoctave = 1;
    lastduration = 1;
    createsoundobjects();
    wavelist->items().load(defaultWaves());
    clock().sleepMs(200);
    sound({400}, 500, 1);
    clock().sleepMs(300);
    sound({300, 450}, 100, 5);
    clock().sleepMs(300);
    beep();
    clock().sleepMs(300);
    click(9);
    clock().sleepMs(300);
    releasesoundobjects();   // the driver finishes the file when the device closes

    const auto r = readWav(wav);
    ASSERT_GT(r.rate, 0) << "no WAV written to " << wav;
    const auto found = segments(r);
    ASSERT_EQ(found.size(), 4u);

    // sound([400], 500, 1): about half a second at the octave-1 pitch of note 400.
    // The device mixes in periods of some 20 ms, so starts and stops land on those.
    EXPECT_GE(ms(r, found[0]), 470);
    EXPECT_LE(ms(r, found[0]), 580);
    const auto quarter = (found[0].end - found[0].begin) / 4;
    EXPECT_NEAR(strongest(r, found[0].begin + quarter, found[0].end - quarter), octaveHz(400, 1), 4);

    // sound([300, 450], 100, 5): both notes at once, from start to end.
    EXPECT_NEAR(ms(r, found[1]), 100, 30);
    const auto mid = (found[1].begin + found[1].end) / 2;
    for (auto [begin, end] : {std::pair{found[1].begin, mid}, std::pair{mid, found[1].end}}) {
        const double low = strength(r, begin, end, octaveHz(300, 5));
        const double high = strength(r, begin, end, octaveHz(450, 5));
        const double between = strength(r, begin, end, (octaveHz(300, 5) + octaveHz(450, 5)) / 2);
        EXPECT_GT(low, 5 * between);
        EXPECT_GT(high, 5 * between);
        EXPECT_GT(low, 0.5 * high);
        EXPECT_GT(high, 0.5 * low);
    }

    // The beep as stored: 200 ms at 880 Hz; then the click, short.
    EXPECT_NEAR(ms(r, found[2]), 200, 30);
    EXPECT_NEAR(strongest(r, found[2].begin, found[2].end), 880, 6);
    EXPECT_LE(ms(r, found[3]), 30);
}

}  // namespace
}  // namespace orvela
