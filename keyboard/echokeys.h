#pragma once
// The key names: the word spoken when a character is echoed, by character code.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvela {

struct echokeytype {
    std::uint8_t code = 0;
    std::string name;
};

// Filled in file order from position 0; positions the file does not reach keep code 0
// and an empty name.
extern std::array<echokeytype, 256> echokeys;

// Reads a key-name file: lines "code=name", empty lines skipped, the low 8 bits of the code
// kept, the 257th entry line going to position 0 again. Raises InOutError when the file
// cannot be read and ConvertError for a code that is not an integer (entries before stay).
void loadechokeys(const std::string& path);
void loadechokeystext(std::string_view content);

// The name at the lowest position holding the code; nothing when no position holds it.
std::optional<std::string> keyname(unsigned char code);

// Empties every position, as at process start.
void resetechokeys();

}  // namespace orvela
