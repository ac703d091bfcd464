#pragma once
// Is an 8-bit character a capital letter? A to Z directly; the Czech and Slovak letters
// with diacritics through a table of small/capital pairs for the code page they are in.
#include <array>
#include <cstdint>
#include <string_view>

namespace orvela {

// Each table: 22 pairs, small letter first, in the order
// á ä č ď é ě í ĺ ľ ň ó ô ö ŕ ř š ť ú ů ü ý ž, then one character of no pair.
inline constexpr std::size_t kCapitalPairsLength = 45;

// By code page: 0 Kamenický, 1 PC Latin 2 (852), 2 Windows 1250, 3 ISO 8859-2,
// 4 KOI-8 ČS2, 5 Macintosh Central European, 6 PC 437 (plain letters where it has none),
// 7 plain ASCII.
extern const std::array<std::string_view, 8> capitalpairs;

inline constexpr std::uint8_t kWindows1250Pairs = 2;

// A table number past the last table knows no letters above 7F.
bool iscapital(unsigned char c, std::uint8_t table);

}  // namespace orvela
