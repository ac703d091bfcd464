#include "settings/resourcelocalizer.h"

#include <map>

#include "platform/codec.h"
#include "settings/stringtable.h"

namespace orvela {

std::int32_t languagebase = 1000;

namespace {

// The table by id, as Windows-1250 texts, built once.
const std::map<std::int64_t, std::string>& strings() {
    static const std::map<std::int64_t, std::string> byId = [] {
        std::map<std::int64_t, std::string> out;
        for (const auto& block : kStringTable)
            for (int offset = 0; offset < kStringsPerLanguage; ++offset)
                out.emplace(block.base + offset, codec::utf8ToCp1250(block.texts[offset]));
        return out;
    }();
    return byId;
}

constexpr std::size_t kBufferLength = 255;  // the loader's buffer holds 255 characters

}  // namespace

std::string TResourceLocalizer::GetString(std::int32_t base, std::int32_t offset) {
    const auto& table = strings();
    // Summed wide: a stored language near the 32-bit limit must not wrap onto another id.
    const auto it = table.find(std::int64_t{base} + offset);
    if (it == table.end()) return {};
    return it->second.substr(0, kBufferLength);
}

void TResourceLocalizer::GetLanguages(std::vector<std::pair<std::string, std::int32_t>>& list) {
    list.clear();
    for (std::int32_t id = 1000;; id += 1000) {
        const std::string name = GetString(id, 0);
        if (name.empty()) break;
        list.emplace_back(name, id);
    }
}

}  // namespace orvela
