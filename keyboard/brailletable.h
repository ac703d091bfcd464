#pragma once
// The Braille table: which text each six-dot chord gives, and which chords are prefix
// signs. A chord is its dot numbers in ascending order ("1" to "123456"); " " is the
// space key alone.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvela {

struct brlpreftype {
    std::string name;  // with its leading "#", as "#cap"
    std::string dots;
};

struct brlchartype {
    std::string prefix;  // empty, or the prefix section's name with its "#"
    std::string character;
    std::string dots;
};

inline constexpr std::size_t kBrlPrefixLimit = 10;
// The counts are 8 bits wide and the lookup must stay below 255.
inline constexpr std::size_t kBrlCharLimit = 254;
// The capital sign: it holds for one character only; every other prefix holds until cancelled.
inline constexpr std::string_view kCapitalPrefix = "#cap";
inline constexpr const char* kBrailleTableFile = "czech.obt";

// Position p of the file's order is index p - 1; only the first count entries are in use.
extern std::array<brlpreftype, kBrlPrefixLimit> brlprefixes;
extern std::uint8_t brlprefixcount;
extern std::array<brlchartype, kBrlCharLimit> brlchars;
extern std::uint8_t brlcharcount;
// The prefix sign in force for the next chord; empty when none.
extern std::string brlprefix;

// Reads a Braille table file. Raises InOutError when it cannot be read, OrvelaError when it
// has more prefix lines or character entries than the tables hold (entries before stay).
void loadbrailletable(const std::string& path);
// The same from the file's bytes; name is the file's name for the error message.
void loadbrailletabletext(std::string_view content, const std::string& name);

// The text a chord gives (empty for a prefix sign or no match); updates brlprefix.
std::string brltranslate(const std::string& chord);

// Empties the tables and the prefix, as at process start.
void resetbrailletable();

}  // namespace orvela
