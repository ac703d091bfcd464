// The Braille table and key-name files shipped with the program.
#include <QChar>
#include <QDir>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "keyboard/brailletable.h"
#include "keyboard/echokeys.h"
#include "keyboard/keyboardfiles.h"
#include "keyboardfixture.h"
#include "platform/codec.h"
#include "platform/errors.h"
#include "settings/resourcelocalizer.h"

namespace orvela {
namespace {

using testing::KeyboardTables;

const char* const kShippedFiles[] = {"czech.obt", "czech.oky", "english.oky", "slovak.oky"};
const char* const kKeyNameFiles[] = {"czech.oky", "english.oky", "slovak.oky"};

std::string readbytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string sourcefile(const std::string& name) {
    return readbytes(qEnvironmentVariable("ORVELA_SOURCE_DIR").toStdString() + "/resources/" + name);
}

std::string runfile(const std::string& name) { return qEnvironmentVariable("ORVELA_RUN_DIR").toStdString() + "/" + name; }

TEST(ShippedFiles, AreWindows1250TextWithCrLfLineEnds) {
    for (const char* name : kShippedFiles) {
        const std::string bytes = sourcefile(name);
        ASSERT_GE(bytes.size(), 2u) << name;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b == '\r') {
                EXPECT_EQ(bytes[i + 1], '\n') << name << " offset " << i;
            } else if (b == '\n') {
                EXPECT_EQ(bytes[i - 1], '\r') << name << " offset " << i;
            } else {
                const char32_t ch = codec::unicodeFromCp1250(b);
                EXPECT_TRUE(ch >= 0x20 && !(ch >= 0x7F && ch < 0xA0)) << name << " offset " << i << " byte " << int(b);
            }
        }
        EXPECT_EQ(readbytes(runfile(name)), bytes) << name << " is not installed into the run directory";
    }
}

// liblouis's Czech table, single cells only: character -> dots.
struct Reference {
    std::map<char32_t, std::string> cells;
    std::map<char32_t, char32_t> lowerofupper;
    std::map<char32_t, std::string> digits;
    std::string capitalsign;
    std::string numbersign;
    std::set<char32_t> lowercase;
};

Reference liblouis() {
    const std::string dir = "/usr/share/liblouis/tables/";
    Reference ref;
    std::istringstream chardefs(readbytes(dir + "cs-chardefs.cti"));
    const std::regex cell(R"(^(lowercase|punctuation|sign|math)\s+\\x([0-9A-Fa-f]{4})\s+([1-6]+)\s)");
    const std::regex upper(R"(^base uppercase\s+\\x([0-9A-Fa-f]{4})\s+\\x([0-9A-Fa-f]{4}))");
    std::string line;
    std::smatch m;
    while (std::getline(chardefs, line)) {
        if (std::regex_search(line, m, cell)) {
            const auto ch = static_cast<char32_t>(std::stoul(m[2], nullptr, 16));
            ref.cells.emplace(ch, m[3]);
            if (m[1] == "lowercase") ref.lowercase.insert(ch);
        } else if (std::regex_search(line, m, upper)) {
            ref.lowerofupper[static_cast<char32_t>(std::stoul(m[1], nullptr, 16))] =
                static_cast<char32_t>(std::stoul(m[2], nullptr, 16));
        }
    }
    std::istringstream translation(readbytes(dir + "cs-translation.cti") + readbytes(dir + "litdigits6Dots.uti"));
    const std::regex indicator(R"(^(numsign|capsletter)\s+([1-6]+)\s*$)");
    const std::regex litdigit(R"(^litdigit\s+([0-9])\s+([1-6]+))");
    while (std::getline(translation, line)) {
        if (std::regex_search(line, m, indicator)) (m[1] == "numsign" ? ref.numbersign : ref.capitalsign) = m[2];
        if (std::regex_search(line, m, litdigit)) ref.digits[static_cast<char32_t>(m[1].str()[0])] = m[2];
    }
    return ref;
}

TEST_F(KeyboardTables, BrailleTableAgreesWithTheCzechBrailleReference) {
    const Reference ref = liblouis();
    ASSERT_FALSE(ref.cells.empty()) << "liblouis-data is not installed";
    ASSERT_FALSE(ref.capitalsign.empty());
    ASSERT_EQ(ref.digits.size(), 10u);

    loadbrailletable(runfile("czech.obt"));
    std::map<std::string, std::string> prefixdots;
    for (std::size_t i = 0; i < brlprefixcount; ++i) prefixdots[brlprefixes[i].name] = brlprefixes[i].dots;
    EXPECT_EQ(prefixdots["#cap"], ref.capitalsign);
    EXPECT_EQ(prefixdots["#num"], ref.numbersign);

    std::set<char32_t> plain, capitals;
    for (std::size_t i = 0; i < brlcharcount; ++i) {
        const brlchartype& entry = brlchars[i];
        ASSERT_EQ(entry.character.size(), 1u) << entry.character;
        const char32_t ch = codec::unicodeFromCp1250(static_cast<unsigned char>(entry.character[0]));
        const std::string what = codec::cp1250ToUtf8(entry.character) + " in [" + entry.prefix + "]";
        if (entry.prefix == "#num") {
            const auto digit = ref.digits.find(ch);
            const auto decimal = ref.cells.find(ch);
            EXPECT_TRUE((digit != ref.digits.end() && digit->second == entry.dots) ||
                        (decimal != ref.cells.end() && decimal->second == entry.dots))
                << what;
            continue;
        }
        const bool capital = entry.prefix == "#cap";
        EXPECT_TRUE(capital || entry.prefix.empty()) << what;
        const char32_t looked = capital ? ref.lowerofupper.count(ch) ? ref.lowerofupper.at(ch) : 0 : ch;
        ASSERT_TRUE(ref.cells.count(looked)) << what << " has no single cell in the reference";
        EXPECT_EQ(entry.dots, ref.cells.at(looked)) << what;
        EXPECT_EQ(QChar(static_cast<char16_t>(ch)).isLetter(), ref.lowercase.count(looked) > 0) << what;
        (capital ? capitals : plain).insert(looked);
    }
    // Every single-cell letter of the reference that Windows-1250 can hold, in both cases.
    for (const char32_t letter : ref.lowercase) {
        if (codec::cp1250FromUnicode(letter) == 0) continue;
        EXPECT_TRUE(plain.count(letter)) << "small letter U+" << std::hex << int(letter) << " missing";
        EXPECT_TRUE(capitals.count(letter)) << "capital of U+" << std::hex << int(letter) << " missing";
    }
}

// Everything the built-in game prints, and the word printed when a run ends.
const char* const kScreenTexts[] = {
    "hra logik.", "hladaňie správnej kombinácie čísiel 1 až ďeveť.",
    "keď chceš kódy napíš ,a, inak napíš hociktoré iné písmeno.", "kódy.", ",e,; ukončeňie hry.",
    ",n,; začni novú hru.", ",p,; pokračuj v hre.", ",z,; zopakuj vyhodnoťenie.", "keď chceš pravidlá napíš ,a,",
    "táto hra precvičí tvoju pameť. buďeš hladať čísla od jedna do ďeveť tak, že ich na vyzvaňie postupňe napíšeš.",
    "hra je skomplikovaná tým, že musíš hladať čísla súčasňe v troch, štyroch alebo piatich samostatných stlpcoch. "
    "ich počet si zvolíš sám na začiatku každej hry.",
    "v hre sa muožu v jednotlivých stlpcoch vyskytnúť aj rovnaké čísla.",
    "po každom pokuse buďe vyhodnoťená úspešnosť tvojho zásahu. hra končí nájďením hladaných čísiel vo zvolenom počťe "
    "stlpcov.",
    "pri hodnoťení zásahov sa používajú tri termíny.", "počet presných zásahov;",
    ";oznámeňie o počťe uhádnutých čísiel.", "počet zásahov vedla;",
    ";oznámeňie o počťe uhádnutých čísiel, ale tieto sa vyskytujú v inom stlpcy.", "počet ňepresných zásahov;",
    ";oznámeňie o počťe ňeuhádnutých čísiel.",
    "za správňe uhádnuté číslo sa považuje číslo, ktorému uhádňeš hodnotu i jeho umiestňeňie v správnom stlpci.",
    "tak vela šťasťia!", "napíš s kolkými číslami chceš hrať:", "zadaj ", "vlož ", " číslo", "prvé", "druhé",
    "treťie", "štvrté", "piate", "počet presných zásahov ", "počet zásahov vedla ", "počet ňepresných zásahov ",
    "typuješ čísla", "z toho je:", "chybný zápis! ešťe raz ", "výborňe! kombinácia je správna. sú to čísla",
    "počet pokusov ", ";nový rekord!", ";doterajší bol:", ";vyrovnaňie doterajšieho rekordu!", "čas,", "12:34",
    "počet hier ", "prehlad o použitých pokusoch:", "hra s troma číslami", "hra so štyrmi číslami",
    "hra s piatimi číslami", "sa ňehrala.", "nula,", "jedna,", "dva,", "tri,", "štyri,", "peť,", "šesť,", "seďem,",
    "osem,", "ďeveť,", " tri", " štyri", " peť", " čísla.", " čísiel.", "0123456789",
    // What a Czech, Slovak or English keyboard types, besides the letters of both alphabets.
    " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~§°¨´ˇ",
    "áäčďéěíĺľňóôöŕřšťúůüýž", "ÁÄČĎÉĚÍĹĽŇÓÔÖŔŘŠŤÚŮÜÝŽ", "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"};

std::set<unsigned char> codesToName() {
    std::set<unsigned char> codes = {13, ' '};
    for (const char* text : kScreenTexts)
        for (char c : codec::utf8ToCp1250(text)) codes.insert(static_cast<unsigned char>(c));
    for (const std::int32_t base : {1000, 2000, 3000})
        for (char c : TResourceLocalizer::GetString(base, 25)) codes.insert(static_cast<unsigned char>(c));
    resetbrailletable();
    loadbrailletable(runfile("czech.obt"));
    for (std::size_t i = 0; i < brlcharcount; ++i)
        for (char c : brlchars[i].character) codes.insert(static_cast<unsigned char>(c));
    resetbrailletable();
    return codes;
}

TEST_F(KeyboardTables, EveryKeyNameFileNamesEveryCharacterTheUserCanMeet) {
    const std::set<unsigned char> codes = codesToName();
    EXPECT_EQ(codes.count('?'), 1u);
    for (const char* name : kKeyNameFiles) {
        resetechokeys();
        loadechokeys(runfile(name));
        for (const unsigned char code : codes) {
            const auto spoken = keyname(code);
            EXPECT_TRUE(spoken && !spoken->empty()) << name << " has no name for code " << int(code);
        }
    }
}

TEST_F(KeyboardTables, KeyNameFilesHoldEachCodeOnce) {
    for (const char* name : kKeyNameFiles) {
        const std::string bytes = sourcefile(name);
        std::set<int> seen;
        std::istringstream lines(bytes);
        std::string line;
        int count = 0;
        while (std::getline(lines, line)) {
            ++count;
            const int code = std::stoi(line.substr(0, line.find('=')));
            EXPECT_TRUE(code > 0 && code < 256) << name << ": " << line;
            EXPECT_TRUE(seen.insert(code).second) << name << " names code " << code << " twice";
        }
        EXPECT_LE(count, 256) << name << " wraps around and overwrites its first names";
    }
}

class WorkingDirectory : public KeyboardTables {
protected:
    void SetUp() override {
        KeyboardTables::SetUp();
        oldbase_ = languagebase;
        olddir_ = QDir::currentPath();
    }
    void TearDown() override {
        languagebase = oldbase_;
        QDir::setCurrent(olddir_);
        KeyboardTables::TearDown();
    }

private:
    std::int32_t oldbase_ = 0;
    QString olddir_;
};

TEST_F(WorkingDirectory, StartUpLoadsTheTableAndTheKeyNamesOfTheLanguage) {
    const struct {
        std::int32_t base;
        const char* file;
        const char* nameofa;
    } languages[] = {{1000, "czech.oky", "a"}, {2000, "english.oky", "ay"}, {3000, "slovak.oky", "a"}};
    ASSERT_TRUE(QDir::setCurrent(qEnvironmentVariable("ORVELA_RUN_DIR")));
    for (const auto& language : languages) {
        resetbrailletable();
        resetechokeys();
        brlprefix = "#num";
        languagebase = language.base;
        EXPECT_EQ(echokeysfile(), language.file);
        loadkeyboardfiles();
        EXPECT_EQ(brlprefix, "");
        EXPECT_EQ(keyname('a'), language.nameofa) << language.file;
        EXPECT_EQ(brltranslate("6"), "");
        EXPECT_EQ(brltranslate("146"), "Č"_cp);
        EXPECT_EQ(brltranslate("3456"), "");
        EXPECT_EQ(brltranslate("14"), "3");
        EXPECT_EQ(brltranslate(" "), " ");
        EXPECT_EQ(brltranslate("1234"), "p");
    }
}

TEST_F(WorkingDirectory, MissingBrailleTableIsNotFoundAndLeavesTheKeyNamesEmpty) {
    languagebase = 1000;
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(writefile("czech.oky", "97=a\r\n")).section('/', 0, -2)));
    try {
        loadkeyboardfiles();
        FAIL() << "started without a Braille table";
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
    EXPECT_EQ(keyname('a'), std::nullopt);
}

}  // namespace
}  // namespace orvela
