#pragma once
// The program's key input: one slot that the key handlers replace and getinput empties.
#include <string>

namespace orvela {

// Text of the most recent key handed to the program; empty when none is pending.
extern std::string inputline;

// Handles the waiting window events, then takes and empties inputline. When no key is
// pending it blocks in the event loop for a few milliseconds at most, so a program
// polling in a loop does not spin a core; a key arriving meanwhile is returned at once.
std::string getinput();

}  // namespace orvela
