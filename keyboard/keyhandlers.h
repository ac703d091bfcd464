#pragma once
// The main window's three key handlers: they turn every key into the text the running
// program receives, cut off speech and a playing SOUND, open the screen review on Up
// and Down, and end the system on Alt+F4. They never swallow a key.
#include <cstdint>
#include <string>

namespace orvela {

// The character typed by the key going down (or a chord's text), handed over at its release.
extern std::string typedkey;

void FormKeyDown(std::uint16_t key, unsigned shift);
void FormKeyPress(unsigned char character);
void FormKeyUp(std::uint16_t key, unsigned shift);

}  // namespace orvela
