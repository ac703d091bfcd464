#pragma once
// The variables of one run of the logic game. They live in the routine itself, so
// nothing survives from one run to the next.
#include <string>

#include "program/evaluation.h"

namespace orvela {

struct gamestate {
    std::string answer;       // the key text the wait received last
    double n = 0;             // columns of the current game; 0 after a win
    columns secret{};
    columns secretwork{};
    columns guess{};
    columns guesswork{};
    hits last;                // exact, elsewhere and misses of the last guess
    double attempts = 0;      // guesses of this game, rejected ones included
    double games = 0;         // times the column question began to wait
    double records[3] = {0, 0, 0};  // fewest attempts of a won game, 3 to 5 columns
    std::string countword;
    std::string nounform;
    std::string ordinal;
    double i = 0;
};

}  // namespace orvela
