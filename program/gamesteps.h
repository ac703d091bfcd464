#pragma once
// The logic game as a machine of numbered steps. A step does its work and then calls a
// shared subroutine with the label of its continuation (GOSUB), returns to the label
// on the return stack (RETURN), or ends the routine.
#include <cstdint>
#include <functional>

#include "program/gamestate.h"

namespace orvela {

enum class subroutine { jingle, wait, pause, beeps };

struct next {
    enum kind { gosub, ret, end };
    kind how = end;
    subroutine sub = subroutine::jingle;
    std::int32_t label = 0;
};

struct step {
    std::int32_t label;
    next (*does)(gamestate&);
};

// The first step of a run: everything set to its start value, the opening tune.
next startstep(gamestate& g);
// The step of a label; nullptr when the label names no step.
const step* findstep(std::int32_t label);

// Where each draw for a secret digit comes from: rnd(1) unless a test sets another
// source of numbers in [0, 1). An empty function puts rnd(1) back.
void setsecretdraw(std::function<double()> draw);

}  // namespace orvela
