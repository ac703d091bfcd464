#pragma once
// The built-in BASIC program: the logic game "hra logik.", one routine that Start runs
// on the main thread until the player ends the game.
#include <cstdint>

#include "program/stack.h"

namespace orvela {

void orvprog();

// The game's return stack and the label the dispatcher popped last.
extern stacknode* returnstack;
extern std::int32_t returnlabel;

}  // namespace orvela
