#pragma once
#include <array>

namespace orvela {

constexpr int kStringsPerLanguage = 47;

struct LanguageBlock {
    int base;
    std::array<const char*, kStringsPerLanguage> texts;  // UTF-8
};

extern const std::array<LanguageBlock, 3> kStringTable;

}  // namespace orvela
