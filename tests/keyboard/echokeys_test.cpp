#include "keyboard/echokeys.h"

#include <gtest/gtest.h>

#include <string>

#include "keyboardfixture.h"
#include "platform/errors.h"

namespace orvela {
namespace {

using testing::KeyboardTables;

TEST_F(KeyboardTables, KeyNameLinesFillPositionsInFileOrder) {
    loadechokeys(writefile("k.oky", "\r\n65=á a\r\n\r\n\r\n66=b=c\r\n67=\r\n32= mezera \r\n"));
    EXPECT_EQ(echokeys[0].code, 65);
    EXPECT_EQ(echokeys[0].name, "á a");
    EXPECT_EQ(echokeys[1].name, "b=c");
    EXPECT_EQ(echokeys[2].code, 67);
    EXPECT_EQ(echokeys[3].name, " mezera ");
    EXPECT_EQ(echokeys[4].code, 0);
    EXPECT_EQ(echokeys[4].name, "");
}

TEST_F(KeyboardTables, LookupFindsTheNameOrNothing) {
    loadechokeys(writefile("k.oky", "65=a\r\n67=\r\n"));
    EXPECT_EQ(keyname(65), "a");
    EXPECT_EQ(keyname(67), "");  // an entry with an empty name
    EXPECT_EQ(keyname(66), std::nullopt);
    resetechokeys();
    EXPECT_EQ(keyname(65), std::nullopt);
}

TEST_F(KeyboardTables, TheEarliestOfEqualCodesWins) {
    loadechokeys(writefile("k.oky", "65=first\r\n321=second\r\n65=third\r\n"));
    EXPECT_EQ(keyname(65), "first");
}

TEST_F(KeyboardTables, CodesKeepTheirLowEightBits) {
    const struct {
        const char* text;
        int code;
    } cases[] = {{"65", 65}, {"321", 65}, {"256", 0}, {"-1", 255}, {"-191", 65}, {" 66", 66}, {"+67", 67}, {"$44", 68}};
    for (const auto& c : cases) {
        resetechokeys();
        loadechokeys(writefile("k.oky", std::string(c.text) + "=name\r\n"));
        EXPECT_EQ(echokeys[0].code, c.code) << c.text;
        EXPECT_EQ(echokeys[0].name, "name") << c.text;
    }
}

TEST_F(KeyboardTables, PositionsCountModulo256) {
    std::string text;
    for (int i = 0; i < 257; ++i) text += std::to_string(i + 1) + "=n" + std::to_string(i) + "\n";
    loadechokeys(writefile("k.oky", text));
    EXPECT_EQ(echokeys[0].code, 1);  // the 257th line, code 257
    EXPECT_EQ(echokeys[0].name, "n256");
    EXPECT_EQ(echokeys[1].name, "n1");
    EXPECT_EQ(echokeys[255].code, 0);  // code 256
    EXPECT_EQ(keyname(1), "n256");
    EXPECT_EQ(keyname(0), "n255");
}

TEST_F(KeyboardTables, BadCodesStopLoadingAndKeepEarlierEntries) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"x=1", "'x' is not a valid integer value"},
        {"=empty", "'' is not a valid integer value"},
        {"65", "'' is not a valid integer value"},
        {"12 =trailing blank", "'12 ' is not a valid integer value"},
        {"99999999999=too big", "'99999999999' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        resetechokeys();
        try {
            loadechokeys(writefile("k.oky", std::string("70=f\r\n") + c.line + "\r\n71=g\r\n"));
            ADD_FAILURE() << c.line << " loaded";
        } catch (const ConvertError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(keyname(70), "f") << c.line;
        EXPECT_EQ(keyname(71), std::nullopt) << c.line;
    }
}

TEST_F(KeyboardTables, MissingKeyNameFileIsNotFound) {
    try {
        loadechokeys(path("absent.oky"));
        FAIL() << "a missing file loaded";
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
}

}  // namespace
}  // namespace orvela
