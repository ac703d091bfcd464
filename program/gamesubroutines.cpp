#include "program/gamesubroutines.h"

#include "platform/clock.h"
#include "program/gametexts.h"
#include "program/tunes.h"
#include "runtime/input.h"
#include "runtime/print.h"
#include "runtime/soundcommands.h"

namespace orvela {

namespace {

constexpr int kPauseMs = 500;
constexpr int kBeepsInARow = 10;
constexpr double kWaitingClick = 9;

// Keys typed before the question was asked are thrown away.
void wait(gamestate& g) {
    while (!getinput().empty()) {
    }
    do {
        click(kWaitingClick);
        g.answer = getinput();
    } while (g.answer.empty());
}

void beeps() {
    for (int i = 0; i < kBeepsInARow; ++i) beep();
    printandspeak(texts().silence, 0);
}

}  // namespace

void runsubroutine(subroutine which, gamestate& g) {
    switch (which) {
    case subroutine::jingle: play(tunes().jingle); break;
    case subroutine::wait: wait(g); break;
    case subroutine::pause: clock().sleepMs(kPauseMs); break;
    case subroutine::beeps: beeps(); break;
    }
}

}  // namespace orvela
