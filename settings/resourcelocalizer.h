#pragma once
// Localized strings by id: the selected language's base plus an offset from 0 to 46.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orvela {

// The selected language's base id: 1000 Czech, 2000 English, 3000 Slovak.
extern std::int32_t languagebase;

class TResourceLocalizer {
public:
    // Clears the list, then appends each language's name with its base id, in id order.
    static void GetLanguages(std::vector<std::pair<std::string, std::int32_t>>& list);
    // The Windows-1250 text with id base + offset, or "" when there is none.
    static std::string GetString(std::int32_t base, std::int32_t offset);
};

// "String n": the text at offset n of the selected language.
inline std::string localized(std::int32_t offset) { return TResourceLocalizer::GetString(languagebase, offset); }

}  // namespace orvela
