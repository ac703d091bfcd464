#include "settings/resourcelocalizer.h"

#include <gtest/gtest.h>
#include <limits>

#include "platform/codec.h"

namespace orvela {
namespace {

TEST(ResourceLocalizer, GetStringByBaseAndOffset) {
    struct Case {
        int base, offset;
        const char* utf8;
    } cases[] = {{2000, 25, "ready"},         {3000, 24, "slovak"},  {1000, 47, ""},
                 {4000, 1, ""},               {1500, 0, ""},         {1000, 0, "Čeština"},
                 {3000, 32, "stĺpec"},        {2000, 17, "&Close"},  {1000, 29, "prázdný řádek"},
                 {3000, 6, "Vykonané zmeny sa prejavia až po najbližšom spustení programu."},
                 {2000, 43, "Can't find the voice specified in the ini file:"}};
    for (const auto& c : cases)
        EXPECT_EQ(TResourceLocalizer::GetString(c.base, c.offset), codec::utf8ToCp1250(c.utf8)) << c.base + c.offset;
}

// A stored language is any 32-bit number; base + offset must neither overflow nor wrap
// onto a real id (the sanitizer build stops on an overflow).
TEST(ResourceLocalizer, GetStringAtTheEdgesOfTheStoredLanguage) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    struct Case {
        std::int32_t base, offset;
        const char* utf8;
    } cases[] = {{kMax, 0, ""},         {kMax, 46, ""},        {kMax, kMax, ""},          {kMin, 0, ""},
                 {kMin, -1, ""},        {kMin, kMin, ""},      {kMax, kMin, ""},          {kMin, kMax, ""},
                 {kMax - 45, 46, ""},   {-1000, 3025, "ready"}, {kMin, kMin + 2025, ""},  // would wrap to 2025, "ready"
                 {1999, 26, "ready"}};
    for (const auto& c : cases)
        EXPECT_EQ(TResourceLocalizer::GetString(c.base, c.offset), codec::utf8ToCp1250(c.utf8))
            << c.base << " + " << c.offset;
}

TEST(ResourceLocalizer, EveryLanguageHasAllTextsButTheUnusedOnes) {
    for (int base : {1000, 2000, 3000})
        for (int offset = 0; offset <= 46; ++offset)
            EXPECT_FALSE(TResourceLocalizer::GetString(base, offset).empty()) << base + offset;
}

TEST(ResourceLocalizer, GetLanguagesReplacesTheListInIdOrder) {
    std::vector<std::pair<std::string, std::int32_t>> list = {{"old", 7}};
    TResourceLocalizer::GetLanguages(list);
    const std::vector<std::pair<std::string, std::int32_t>> expected = {
        {"\xC8" "e\x9Atina", 1000}, {"English", 2000}, {"Sloven\xE8ina", 3000}};
    EXPECT_EQ(list, expected);
}

}  // namespace
}  // namespace orvela
