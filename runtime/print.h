#pragma once
// The PRINT operations a program calls: each shows its text on the screen and speaks it,
// returning when the speech has finished.
#include <cstdint>
#include <string>

namespace orvela {

// Leading ".", ",", ";" and "?" (after any blanks or control characters) are shown but
// not spoken: each gives a blocking 300 ms pause before the rest is spoken.
void printandspeak(const std::string& text, std::uint8_t ending);
// The number in its general form (numbertext), shown and spoken.
void printnumber(std::uint8_t ending, double x);

}  // namespace orvela
