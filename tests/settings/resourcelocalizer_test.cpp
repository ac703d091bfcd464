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

// Every text of the three languages, offset by offset as translators keep them: a
// changed letter, a lost accelerator sign or a swapped row shows here.
TEST(ResourceLocalizer, EveryTextOfEveryLanguage) {
    struct Row {
        int offset;
        const char* czech;
        const char* english;
        const char* slovak;
    };
    const Row rows[] = {
        {0, "Čeština", "English", "Slovenčina"},
        {1, "Překladač Orvela Basicu", "Orvela Basic Interpreter", "Prekladač Orvela Basicu"},
        {2, "&Program", "&Program", "&Program"},
        {3, "&Spustit", "&Start", "&Spustiť"},
        {4, "Na&stavení", "&Settings", "Na&stavenia"},
        {5, "Prostř&edí", "&Environment", "Prostr&edie"},
        {6,
         "Provedené změny se projeví až poté, co znovu spustíte program.",
         "Your changes will be applied after you restart the program.",
         "Vykonané zmeny sa prejavia až po najbližšom spustení programu."},
        {7, "&Ok", "&OK", "&Ok"},
        {8, "Zrušit", "Cancel", "Zrušiť"},
        {9, "&jazyk", "&Language", "&jazyk"},
        {10, "Nastavení prostředí", "environment settings", "Nastavenie prostredia"},
        {11, "Nastavení hlasu", "Voice settings", "Nastavenie hlasu"},
        {12, "&Hlasy", "&Voices", "&Hlasy"},
        {13, "&Výška", "&Pitch", "&Výška"},
        {14, "&Rychlost", "&Speed", "&Rýchlosť"},
        {15, "Hla&sitost", "Vo&lume", "Hla&sitosť"},
        {16, "Zvolit hl&as", "&Choose voice", "Zvoliť hl&as"},
        {17, "Za&vřít", "&Close", "Za&vrieť"},
        {18,
         "Používání hlasu není povoleno. Povolit jej můžete v menu Nastavení/Zvuky.",
         "The voice is turned off. You can turn it on in the Sounds dialog, menu Settings",
         "Používanie hlasu nie je povolené. Povoliť ho môžete v menu Nastavenia/Zvuky."},
        {19, "Hlas vybrán.", "Voice selected.", "Hlas vybratý."},
        {20, "&Zvuky", "&Sounds", "&Zvuky"},
        {21, "Nastavení zvuků", "Sounds settings", "Nastavenie zvukov"},
        {22, "Povolit &hlas", "Use the &voice", "Povoliť &hlas"},
        {23, "Vlož data", "Enter data", "Vlož data"},
        {24, "czech", "english", "slovak"},
        {25, "hotovo", "ready", "hotovo"},
        {26, "Obrazovka", "Screen", "Obrazovka"},
        {27, "Používat hlas SA&PI5", "Use SA&PI5 voice", "Používať hlas SA&PI5"},
        {28, "H&lasitost zvuků", "Sound vo&lume", "H&lasitosť zvukov"},
        {29, "prázdný řádek", "empty line", "prázdny riadok"},
        {30, "konec obrazovky", "end of screen", "koniec obrazovky"},
        {31, "řádek", "line", "riadok"},
        {32, "sloupec", "column", "stĺpec"},
        {33, "Kon&ec", "&Exit", "Koni&ec"},
        {34, "Ná&pověda", "Hel&p", "&Pomoc"},
        {35, "O progr&amu", "&About", "O progr&ame"},
        {36, "O programu", "About", "O programe"},
        {37, "verze", "version", "verzia"},
        {38, "&Hlas", "&Voice", "&Hlas"},
        {39, "Zvuky &Orvely", "&Orvela sounds", "Zvuky &Orvely"},
        {40,
         "Nelze povolit hlas. Žádné hlasy nejsou k dispozici.",
         "Can't allow voice, no voices are available",
         "Nie je možné povoliť hlas. Žiadne hlasy nie sú k dispozícii."},
        {41, "Obrazovka je plná.", "The screen is full.", "Obrazovka je plná."},
        {42, "Nelze nalézt soubor", "Can't find the file", "Nie je možné nájsť súbor"},
        {43,
         "Nelze nalézt hlas uvedený v ini souboru:",
         "Can't find the voice specified in the ini file:",
         "Nie je možné nájsť hlas, uvedený v ini súbore:"},
        {44, "Prosím přepiš", "Please retype", "Prosím prepíš"},
        {45, "U&končit program", "E&xit program", "U&končiť program"},
        {46, "&Braillská klávesnice", "&Braille keyboard", "&Braillská klávesnica"},
    };
    for (const Row& row : rows) {
        for (const auto& [base, utf8] : {std::pair{1000, row.czech}, {2000, row.english}, {3000, row.slovak}})
            EXPECT_EQ(codec::cp1250ToUtf8(TResourceLocalizer::GetString(base, row.offset)), utf8) << base + row.offset;
    }
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
