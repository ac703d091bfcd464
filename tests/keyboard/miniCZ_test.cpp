#include "keyboard/miniCZ.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <optional>
#include <string>

namespace orvela {
namespace {

// The letter order of every table, small letter first in each pair.
const char* const kLetters = "áÁäÄčČďĎéÉěĚíÍĺĹľĽňŇóÓôÔöÖŕŔřŘšŠťŤúÚůŮüÜýÝžŽ";
// The same letters without their marks, for the code pages that lack them.
const std::string kPlainLetters = "aAaAcCdDeEeEiIlLlLnNoOoOoOrRrRsStTuUuUuUyYzZ";
const std::string kCapitals = "ÁÄČĎÉĚÍĹĽŇÓÔÖŔŘŠŤÚŮÜÝŽ";

// One UTF-8 character at a time from a UTF-8 text.
std::vector<std::string> characters(const std::string& utf8) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = 1;
        while (i + n < utf8.size() && (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80) ++n;
        out.push_back(utf8.substr(i, n));
        i += n;
    }
    return out;
}

std::optional<std::string> convert(const char* to, const char* from, std::string text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(16 * text.size() + 16, '\0');
    char* in = text.data();
    std::size_t inleft = text.size();
    char* o = out.data();
    std::size_t outleft = out.size();
    const std::size_t done = iconv(cd, &in, &inleft, &o, &outleft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outleft);
    return out;
}

// The published charts of the two code pages glibc does not know, for these letters only.
const std::map<std::string, unsigned char> kKamenicky = {
    {"á", 0xA0}, {"Á", 0x8F}, {"ä", 0x84}, {"Ä", 0x8E}, {"č", 0x87}, {"Č", 0x80}, {"ď", 0x83}, {"Ď", 0x85},
    {"é", 0x82}, {"É", 0x90}, {"ě", 0x88}, {"Ě", 0x89}, {"í", 0xA1}, {"Í", 0x8B}, {"ĺ", 0x8D}, {"Ĺ", 0x8A},
    {"ľ", 0x8C}, {"Ľ", 0x9C}, {"ň", 0xA4}, {"Ň", 0xA5}, {"ó", 0xA2}, {"Ó", 0x95}, {"ô", 0x93}, {"Ô", 0xA7},
    {"ö", 0x94}, {"Ö", 0x99}, {"ŕ", 0xAA}, {"Ŕ", 0xAB}, {"ř", 0xA9}, {"Ř", 0x9E}, {"š", 0xA8}, {"Š", 0x9B},
    {"ť", 0x9F}, {"Ť", 0x86}, {"ú", 0xA3}, {"Ú", 0x97}, {"ů", 0x96}, {"Ů", 0xA6}, {"ü", 0x81}, {"Ü", 0x9A},
    {"ý", 0x98}, {"Ý", 0x9D}, {"ž", 0x91}, {"Ž", 0x92}, {"§", 0xAD}};
const std::map<std::string, unsigned char> kKoi8Cs2 = {
    {"á", 0xC1}, {"Á", 0xE1}, {"ä", 0xD1}, {"Ä", 0xF1}, {"č", 0xC3}, {"Č", 0xE3}, {"ď", 0xC4}, {"Ď", 0xE4},
    {"é", 0xD7}, {"É", 0xF7}, {"ě", 0xC5}, {"Ě", 0xE5}, {"í", 0xC9}, {"Í", 0xE9}, {"ĺ", 0xCB}, {"Ĺ", 0xEB},
    {"ľ", 0xCC}, {"Ľ", 0xEC}, {"ň", 0xCE}, {"Ň", 0xEE}, {"ó", 0xCF}, {"Ó", 0xEF}, {"ô", 0xD0}, {"Ô", 0xF0},
    {"ö", 0xCD}, {"Ö", 0xED}, {"ŕ", 0xC6}, {"Ŕ", 0xE6}, {"ř", 0xD2}, {"Ř", 0xF2}, {"š", 0xD3}, {"Š", 0xF3},
    {"ť", 0xD4}, {"Ť", 0xF4}, {"ú", 0xD5}, {"Ú", 0xF5}, {"ů", 0xCA}, {"Ů", 0xEA}, {"ü", 0xC8}, {"Ü", 0xE8},
    {"ý", 0xD9}, {"Ý", 0xF9}, {"ž", 0xDA}, {"Ž", 0xFA}, {"§", 0xB9}};

struct CodePage {
    int table;
    const char* iconvname;  // nullptr: a hand chart or plain letters
    const std::map<std::string, unsigned char>* chart;
    unsigned char final;
};

const CodePage kCodePages[] = {
    {0, nullptr, &kKamenicky, 0xAD}, {1, "CP852", nullptr, 0xF5},        {2, "CP1250", nullptr, 0xA7},
    {3, "ISO-8859-2", nullptr, 0xA7}, {4, nullptr, &kKoi8Cs2, 0xB9},      {5, "MAC-CENTRALEUROPE", nullptr, 0xA4},
    {6, "CP437", nullptr, 0x15},      {7, nullptr, nullptr, '@'},
};

// A letter in the code page, or its plain letter where the code page has none.
unsigned char encoded(const CodePage& page, const std::string& letter, std::size_t index) {
    if (page.chart) return page.chart->at(letter);
    if (page.iconvname) {
        if (auto bytes = convert(page.iconvname, "UTF-8", letter); bytes && bytes->size() == 1)
            return static_cast<unsigned char>((*bytes)[0]);
    }
    return static_cast<unsigned char>(kPlainLetters[index]);
}

// Which letter a code stands for in the code page, "" when none of ours.
std::string decoded(const CodePage& page, unsigned char code) {
    if (page.chart) {
        for (const auto& [letter, byte] : *page.chart)
            if (byte == code) return letter;
        return {};
    }
    if (!page.iconvname) return {};
    return convert("UTF-8", page.iconvname, std::string(1, static_cast<char>(code))).value_or("");
}

TEST(MiniCZ, EveryTableSpellsTheLettersInItsCodePage) {
    const auto letters = characters(kLetters);
    ASSERT_EQ(letters.size(), 44u);
    for (const CodePage& page : kCodePages) {
        std::string expected;
        for (std::size_t i = 0; i < letters.size(); ++i) expected += static_cast<char>(encoded(page, letters[i], i));
        expected += static_cast<char>(page.final);
        ASSERT_EQ(capitalpairs[page.table].size(), kCapitalPairsLength);
        EXPECT_EQ(capitalpairs[page.table], expected) << "table " << page.table;
    }
}

TEST(MiniCZ, ExactlyTheCapitalsOfEachCodePageAreCapitals) {
    for (const CodePage& page : kCodePages) {
        for (int code = 0; code < 256; ++code) {
            const auto c = static_cast<unsigned char>(code);
            const std::string letter = code < 0x80 ? std::string() : decoded(page, c);
            const bool capital = code < 0x80 ? (code >= 'A' && code <= 'Z')
                                             : !letter.empty() && kCapitals.find(letter) != std::string::npos;
            EXPECT_EQ(iscapital(c, static_cast<std::uint8_t>(page.table)), capital)
                << "table " << page.table << " code " << code << " " << letter;
        }
    }
}

TEST(MiniCZ, Windows1250Cases) {
    const struct {
        unsigned char code;
        bool capital;
    } cases[] = {{0x41, true},  {0x5A, true},  {0xC1, true},  {0x61, false}, {0x40, false}, {0x5B, false},
                 {0xE1, false}, {0x8A, true},  {0x8E, true},  {0x9A, false}, {0x9E, false}, {0xA7, false},
                 {0xDF, false}, {0xD7, false}, {0xBC, true},  {0xBE, false}, {0x00, false}, {0xFF, false}};
    for (const auto& c : cases) EXPECT_EQ(iscapital(c.code, kWindows1250Pairs), c.capital) << int(c.code);
}

TEST(MiniCZ, UnknownTableKnowsOnlyAToZ) {
    EXPECT_TRUE(iscapital('A', 8));
    EXPECT_TRUE(iscapital('Z', 255));
    EXPECT_FALSE(iscapital(0xC1, 8));
    EXPECT_FALSE(iscapital(0x8A, 255));
}

}  // namespace
}  // namespace orvela
