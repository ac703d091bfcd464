#include "settings/resourcelocalizer.h"

#include <gtest/gtest.h>

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
