#include "runtime/print.h"

#include <QLocale>
#include <gtest/gtest.h>

#include "platform/codec.h"
#include "platform/testing/virtualtime.h"
#include "runtime/screen.h"

using namespace orvela;

namespace {

std::string padded(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

class PrintTest : public ::testing::Test {
protected:
    orvela::testing::VirtualTime time;
    void SetUp() override { resetscreen(); }
    void TearDown() override { resetscreen(); }
    const std::string& line(int row) { return screen().lines()[static_cast<std::size_t>(row)]; }
};

TEST_F(PrintTest, LeadingPunctuationIsShownAndBecomesPauses) {
    struct Case {
        std::string text;
        int pauseMs;
    } cases[] = {
        {";", 300},
        {";nový rekord!"_cp, 300},
        {",e,; ukončeňie hry."_cp, 300},
        {" ,blank first", 300},
        {"...three", 900},
        {"?. ;after a blank", 600},
        {"\x01\t;control characters", 300},
        {"a.b", 0},
        {"  leading blanks", 0},
        {"   ", 0},
    };
    for (const auto& c : cases) {
        resetscreen();
        const auto slept = time.slept();
        printandspeak(c.text, 0);
        EXPECT_EQ(time.slept() - slept, c.pauseMs) << c.text;
        EXPECT_EQ(line(0), padded(c.text)) << c.text;
        EXPECT_EQ(scrcursor.getrow(), 1);
        EXPECT_EQ(scrcursor.getcol(), 0);
    }
}

TEST_F(PrintTest, EndingPlacesTheCursor) {
    printandspeak("kódy."_cp, 1);
    EXPECT_EQ(scrcursor.getcol(), 5);
    EXPECT_EQ(scrcursor.getrow(), 0);
    printandspeak(";doterajší bol:"_cp, 2);
    EXPECT_EQ(line(0), padded("kódy.;doterajší bol:"_cp));
    EXPECT_EQ(scrcursor.getcol(), 24);
    EXPECT_EQ(printend, 2);
}

TEST_F(PrintTest, EmptyTextMovesToANewLineWithoutPause) {
    printandspeak("", 0);
    EXPECT_EQ(line(0), padded(""));
    EXPECT_EQ(scrcursor.getrow(), 1);
    EXPECT_EQ(time.slept(), 0);
}

TEST_F(PrintTest, NumberIsShownInItsGeneralForm) {
    printnumber(0, 12);
    EXPECT_EQ(line(0), padded("12"));
    EXPECT_EQ(scrcursor.getrow(), 1);
    EXPECT_EQ(scrcursor.getcol(), 0);

    QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Slovak));
    printnumber(1, -2.5);
    QLocale::setDefault(saved);
    EXPECT_EQ(line(1), padded("-2,5"));
    EXPECT_EQ(scrcursor.getcol(), 4);
    EXPECT_EQ(time.slept(), 0);
}

}  // namespace
