#pragma once
// The memory image "ram.dat" and the program's data file "data.dta", both looked up
// in the current directory.
#include <array>
#include <cstdint>
#include <cstdio>

namespace orvela {

constexpr std::size_t kRamSize = 65536;
extern std::array<std::uint8_t, kRamSize> ramimage;

// Reads up to 65536 bytes of "ram.dat" over the image; a missing file leaves it alone.
void loadram();
// Writes the whole image to "ram.dat" (see writeFileSafely); raises the cause on failure.
void saveram();

// Opens "data.dta" for reading when it exists as a regular file (a run's step); raises
// when it cannot.
void opendatafile();
// Closes it; closing one that was never opened is fine.
void closedatafile();
bool datafileopen();

}  // namespace orvela
