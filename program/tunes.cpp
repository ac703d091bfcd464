#include "program/tunes.h"

#include "runtime/soundcommands.h"

namespace orvela {

namespace {

constexpr double kSameOctave = 10;

// Notes from `from` to `to` in steps of `step`, all of one length and octave.
tune sweep(double from, double to, double step, double duration, double octave) {
    tune notes;
    for (double pitch = from; step > 0 ? pitch <= to : pitch >= to; pitch += step)
        notes.push_back({pitch, duration, octave});
    return notes;
}

tune repeated(const tune& notes, int times) {
    tune all;
    for (int i = 0; i < times; ++i) all.insert(all.end(), notes.begin(), notes.end());
    return all;
}

gametunes maketunes() {
    const double same = kSameOctave;
    gametunes t;
    t.opening = {{400, 500, 1}, {500, 500, same}, {600, 500, same}, {800, 1000, same}};
    t.jingle = {{400, 100, 1}, {500, 100, same}, {600, 100, same}, {700, 100, same}};
    t.aftertitle = {{700, 100, same}, {600, 100, same}, {500, 100, same}, {400, 100, same}};
    t.win = {{400, 500, 1},    {400, 500, same}, {500, 500, same}, {500, 500, same},
             {600, 500, same}, {600, 500, same}, {800, 1000, same}};
    t.fanfare = {{200, 380, 0},    {270, 380, same}, {200, 190, same}, {335, 190, same}, {270, 190, same},
                 {200, 190, same}, {270, 380, same}, {270, 380, same}, {300, 190, same}, {335, 190, same},
                 {300, 190, same}, {255, 190, same}, {270, 380, same}, {270, 380, same}};
    t.equalrecord = repeated(sweep(200, 1400, 100, 15, 3), 8);
    t.closingsweep = sweep(1300, 50, -50, 60, 0);
    return t;
}

}  // namespace

const gametunes& tunes() {
    static const gametunes all = maketunes();
    return all;
}

note digittone(double digit, double duration) { return {digit * 70 + 500, duration, 1}; }

void play(const tune& notes) {
    for (const note& n : notes) sound({n.pitch}, n.duration, n.octave);
}

}  // namespace orvela
