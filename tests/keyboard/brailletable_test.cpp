#include "keyboard/brailletable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyboardfixture.h"
#include "platform/errors.h"

namespace orvela {
namespace {

using testing::KeyboardTables;

// Prefix signs: capital 6, number 3456, and 45 with no section of its own.
const std::string kTable =
    "Lines before the first header are ignored, even a=1\r\n"
    "a=2\r\n"
    "[prefixes]\r\n"
    "comment lines without a hash are ignored\r\n"
    "#cap=6\r\n"
    "#num=3456\r\n"
    "#greek=45\r\n"
    "[characters]\r\n"
    "a=1\r\n"
    "\r\n"
    "b=12\r\n"
    "x=1\r\n"
    "dot6=6\r\n"
    "q =14\r\n"
    "w= 25\r\n"
    "eq=x=y\r\n"
    "nodots\r\n"
    "ab=145\r\n"
    "[#cap]\r\n"
    "A=1\r\n"
    "B=12\r\n"
    "[#num]\r\n"
    "1=1\r\n"
    "2=12\r\n"
    "[other]\r\n"
    "z=1356\r\n"
    "[Characters]\r\n"
    "y=13456\r\n";

struct TranslateCase {
    const char* what;
    std::vector<std::string> chords;
    std::vector<std::string> texts;
    std::string prefixafter;
};

class Translate : public KeyboardTables, public ::testing::WithParamInterface<TranslateCase> {};

TEST_P(Translate, ChordsGiveTextsAndLeaveThePrefix) {
    loadbrailletable(writefile("czech.obt", kTable));
    const TranslateCase& c = GetParam();
    std::vector<std::string> texts;
    for (const std::string& chord : c.chords) texts.push_back(brltranslate(chord));
    EXPECT_EQ(texts, c.texts) << c.what;
    EXPECT_EQ(brlprefix, c.prefixafter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Translate,
    ::testing::Values(
        TranslateCase{"plain characters", {"1", "12", "145"}, {"a", "b", "ab"}, ""},
        TranslateCase{"the earlier of two equal chords wins", {"1"}, {"a"}, ""},
        TranslateCase{"capital sign is one-shot", {"6", "1", "1"}, {"", "A", "a"}, ""},
        TranslateCase{"capital sign survives a chord without a capital", {"6", "145", "12"}, {"", "", "B"}, ""},
        TranslateCase{"capital sign survives an unknown chord", {"6", "123456", "1"}, {"", "", "A"}, ""},
        TranslateCase{"number sign stays in force", {"3456", "1", "12", "1"}, {"", "1", "2", "1"}, "#num"},
        TranslateCase{"under a prefix the plain characters give nothing", {"3456", "145"}, {"", ""}, "#num"},
        TranslateCase{"a prefix sign replaces the one in force", {"6", "3456", "1"}, {"", "", "1"}, "#num"},
        TranslateCase{"the capital sign replaces the number sign", {"3456", "6", "1", "1"}, {"", "", "A", "a"}, ""},
        TranslateCase{"space gives a space and cancels the prefix", {"3456", " ", "1"}, {"", " ", "a"}, ""},
        TranslateCase{"space cancels a prefix without entries", {"45", "1", " ", "1"}, {"", "", " ", "a"}, ""},
        TranslateCase{"space without a prefix", {" "}, {" "}, ""},
        TranslateCase{"a chord both prefix and character acts as the prefix", {"6"}, {""}, "#cap"},
        TranslateCase{"unknown chords give nothing", {"123456", "", "1 "}, {"", "", ""}, ""},
        TranslateCase{"fields keep their spaces", {"14", "25", " 25"}, {"q ", "", "w"}, ""},
        TranslateCase{"dots may hold a further =", {"x=y", "x"}, {"eq", ""}, ""},
        TranslateCase{"a line without = is both character and dots", {"nodots"}, {"nodots"}, ""},
        TranslateCase{"other sections are skipped, names keep their case", {"1356", "13456"}, {"", ""}, ""}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(KeyboardTables, LoadingFillsTheTablesInFileOrder) {
    loadbrailletable(writefile("t.obt", kTable));
    ASSERT_EQ(brlprefixcount, 3);
    EXPECT_EQ(brlprefixes[0].name, "#cap");
    EXPECT_EQ(brlprefixes[0].dots, "6");
    EXPECT_EQ(brlprefixes[2].name, "#greek");
    ASSERT_EQ(brlcharcount, 13);
    EXPECT_EQ(brlchars[0].prefix, "");
    EXPECT_EQ(brlchars[0].character, "a");
    EXPECT_EQ(brlchars[4].character, "q ");
    EXPECT_EQ(brlchars[4].dots, "14");
    EXPECT_EQ(brlchars[9].prefix, "#cap");
    EXPECT_EQ(brlchars[9].character, "A");
    EXPECT_EQ(brlchars[12].prefix, "#num");
    EXPECT_EQ(brlchars[12].dots, "12");
}

TEST_F(KeyboardTables, TableWithoutPrefixesTranslatesWithoutAnyPrefix) {
    loadbrailletable(writefile("t.obt", "[characters]\na=1\nb=6\n"));
    EXPECT_EQ(brlprefixcount, 0);
    EXPECT_EQ(brltranslate("6"), "b");
    EXPECT_EQ(brltranslate("1"), "a");
    EXPECT_EQ(brlprefix, "");
}

TEST_F(KeyboardTables, EveryLineEndEndsALine) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        resetbrailletable();
        loadbrailletable(writefile("t.obt", "[prefixes]" + end + "#cap=6" + end + "[characters]" + end + "a=1" + end +
                                                "[#cap]" + end + "A=1"));
        EXPECT_EQ(brlprefixcount, 1);
        EXPECT_EQ(brlcharcount, 2);
        EXPECT_EQ(brltranslate("6"), "");
        EXPECT_EQ(brltranslate("1"), "A");
    }
}

TEST_F(KeyboardTables, AFurtherPrefixSectionStartsAgainAtTheFirstPosition) {
    loadbrailletable(writefile("t.obt", "[prefixes]\n#a=1\n#b=2\n[characters]\nx=3\n[prefixes]\n#c=4\n"));
    ASSERT_EQ(brlprefixcount, 1);
    EXPECT_EQ(brlprefixes[0].name, "#c");
    EXPECT_EQ(brltranslate("1"), "");
    EXPECT_EQ(brlprefix, "");
    EXPECT_EQ(brltranslate("4"), "");
    EXPECT_EQ(brlprefix, "#c");
}

TEST_F(KeyboardTables, HeadersTakeTheLineWithoutItsFirstAndLastCharacter) {
    // "[characters]x" names "characters]"; "[" and "[]" name nothing; all are skipped.
    loadbrailletable(writefile("t.obt", "[characters]x\na=1\n[\nb=1\n[]\nc=1\n[characters]\nd=1\n"));
    EXPECT_EQ(brlcharcount, 1);
    EXPECT_EQ(brltranslate("1"), "d");
}

std::string prefixlines(int count) {
    std::string text = "[prefixes]\r\n";
    for (int i = 0; i < count; ++i) text += "#p" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    return text;
}

std::string characterlines(int count) {
    std::string text = "[characters]\r\n";
    for (int i = 0; i < count; ++i) text += "c" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(KeyboardTables, TablesUpToTheLimitsLoad) {
    loadbrailletable(writefile("full.obt", prefixlines(10) + characterlines(200) + "[#p0]\r\n" + "x=1\r\n" +
                                                   characterlines(53).substr(14) + prefixlines(10)));
    EXPECT_EQ(brlprefixcount, 10);
    EXPECT_EQ(brlcharcount, 254);
    EXPECT_EQ(brltranslate("9"), "");
    EXPECT_EQ(brlprefix, "#p9");
}

TEST_F(KeyboardTables, TooManyPrefixLinesAreRefusedNamingFileAndLimit) {
    const std::string file = writefile("big.obt", prefixlines(11) + characterlines(1));
    try {
        loadbrailletable(file);
        FAIL() << "an eleventh prefix line was accepted";
    } catch (const InOutError&) {
        FAIL() << "wrong kind of error";
    } catch (const OrvelaError& e) {
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(" 10 "), std::string::npos) << e.what();
    }
    EXPECT_EQ(brlprefixcount, 10);
    EXPECT_EQ(brlprefixes[9].name, "#p9");
}

TEST_F(KeyboardTables, TooManyCharacterEntriesAreRefusedNamingFileAndLimit) {
    const std::string file = writefile("big.obt", characterlines(200) + "[#cap]\r\n" + characterlines(55).substr(14));
    try {
        loadbrailletable(file);
        FAIL() << "a 255th character entry was accepted";
    } catch (const OrvelaError& e) {
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(" 254 "), std::string::npos) << e.what();
    }
    EXPECT_EQ(brlcharcount, 254);
    EXPECT_EQ(brlchars[253].character, "c53");
    EXPECT_EQ(brlchars[253].prefix, "#cap");
}

TEST_F(KeyboardTables, MissingFileIsNotFoundAndEmptiesTheCharacters) {
    loadbrailletable(writefile("t.obt", kTable));
    try {
        loadbrailletable(path("absent.obt"));
        FAIL() << "a missing file loaded";
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
    EXPECT_EQ(brlcharcount, 0);
    EXPECT_EQ(brltranslate("1"), "");
}

TEST_F(KeyboardTables, UnreadableFileIsAnIoError) {
    // A directory opens but cannot be read.
    try {
        loadbrailletable(path(""));
        FAIL() << "a directory loaded";
    } catch (const InOutError& e) {
        EXPECT_NE(e.code(), InOutError::kFileNotFound);
        EXPECT_EQ(std::string(e.what()), "I/O error " + std::to_string(e.code()));
    }
}

TEST_F(KeyboardTables, ResetEmptiesTablesAndPrefix) {
    loadbrailletable(writefile("t.obt", kTable));
    brltranslate("3456");
    resetbrailletable();
    EXPECT_EQ(brlprefixcount, 0);
    EXPECT_EQ(brlcharcount, 0);
    EXPECT_EQ(brlprefix, "");
}

}  // namespace
}  // namespace orvela
