#include "runtime/screen.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/soundcommands.h"

namespace orvela {
namespace {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override { resetscreen(); }
    void at(int col, int row) {
        scrcursor.setcol(static_cast<std::uint8_t>(col));
        scrcursor.setrow(static_cast<std::uint8_t>(row));
    }
    void print(const std::string& text, std::uint8_t ending) {
        printend = ending;
        printtext(text);
    }
    const std::string& line(int r) { return screen().lines()[static_cast<std::size_t>(r)]; }
    static std::string padded(const std::string& s) { return s + std::string(80 - s.size(), ' '); }
};

TEST_F(ScreenTest, EmptyTextPadsTheLineAndMovesOn) {
    print("", 0);
    EXPECT_EQ(line(0), std::string(80, ' '));
    EXPECT_EQ(line(1), "");
    EXPECT_EQ(scrcursor.getcol(), 0);
    EXPECT_EQ(scrcursor.getrow(), 1);
}

TEST_F(ScreenTest, OverwritesLikeATerminal) {
    print("0123456789", 1);
    at(5, 0);
    print("AB", 1);
    EXPECT_EQ(line(0), padded("01234AB789"));
    EXPECT_EQ(scrcursor.getcol(), 7);
}

TEST_F(ScreenTest, WrapsLongTexts) {
    struct Case {
        int col;
        std::size_t length;
        int endCol, endRow;
    } cases[] = {{0, 200, 40, 2}, {30, 100, 50, 1}, {30, 50, 80, 0}, {0, 80, 80, 0}, {0, 160, 80, 1}};
    for (const auto& c : cases) {
        resetscreen();
        at(c.col, 0);
        std::string text;
        for (std::size_t i = 0; i < c.length; ++i) text += static_cast<char>('a' + i % 26);
        print(text, 1);
        EXPECT_EQ(scrcursor.getcol(), c.endCol) << c.col << "+" << c.length;
        EXPECT_EQ(scrcursor.getrow(), c.endRow) << c.col << "+" << c.length;
        std::string shown;
        for (int r = 0; r <= c.endRow; ++r) shown += line(r);
        EXPECT_EQ(shown.substr(static_cast<std::size_t>(c.col), c.length), text);
        for (int r = 0; r <= c.endRow; ++r) EXPECT_EQ(line(r).size(), 80u);
    }
}

TEST_F(ScreenTest, TextFillingTheLineLeavesTheNextTextForTheNextLine) {
    at(70, 0);
    print("0123456789", 1);
    EXPECT_EQ(scrcursor.getcol(), 80);
    print("next", 1);
    EXPECT_EQ(line(0), padded(std::string(70, ' ') + "0123456789"));
    EXPECT_EQ(line(1), padded("next"));
    EXPECT_EQ(scrcursor.getrow(), 1);
    EXPECT_EQ(scrcursor.getcol(), 4);
}

TEST_F(ScreenTest, ZonesOfEightColumns) {
    struct Case {
        int endsAt, col, row;
    } cases[] = {{72, 72, 0}, {70, 72, 0}, {73, 0, 1}, {79, 0, 1}, {8, 8, 0}, {10, 16, 0}, {15, 16, 0}, {9, 16, 0}};
    for (const auto& c : cases) {
        resetscreen();
        print(std::string(static_cast<std::size_t>(c.endsAt), 'x'), 2);
        EXPECT_EQ(scrcursor.getcol(), c.col) << c.endsAt;
        EXPECT_EQ(scrcursor.getrow(), c.row) << c.endsAt;
    }
}

TEST_F(ScreenTest, NewLineOnTheLastRowScrolls) {
    for (int r = 0; r < 24; ++r) print("line " + std::to_string(r), 0);
    EXPECT_EQ(scrcursor.getrow(), 23);
    EXPECT_EQ(line(0), padded("line 1"));
    EXPECT_EQ(line(22), padded("line 23"));
    EXPECT_EQ(line(23), "");
    EXPECT_EQ(scrcursor.getcol(), 0);
}

// A long text on the last row scrolls at every wrap: 200 characters from column 30 finish
// row 23, fill a new one and end on a third, scrolling the screen twice.
TEST_F(ScreenTest, WrapOnTheLastRowScrolls) {
    for (int r = 0; r < 24; ++r) {
        at(0, r);
        print("row " + std::to_string(r), 1);
    }
    std::string text;
    for (std::size_t i = 0; i < 200; ++i) text += static_cast<char>('a' + i % 26);
    at(30, 23);
    print(text, 1);
    EXPECT_EQ(line(0), padded("row 2"));
    EXPECT_EQ(line(20), padded("row 22"));
    EXPECT_EQ(line(21), padded("row 23" + std::string(24, ' ') + text.substr(0, 50)));
    EXPECT_EQ(line(22), text.substr(50, 80));
    EXPECT_EQ(line(23), padded(text.substr(130)));
    EXPECT_EQ(scrcursor.getrow(), 23);
    EXPECT_EQ(scrcursor.getcol(), 70);
}

TEST_F(ScreenTest, ResetRunKeepsTheRowAndResetsSoundMemory) {
    at(33, 7);
    lastoctave = 5;
    lastduration = 900;
    resetrun();
    EXPECT_EQ(scrcursor.getcol(), 0);
    EXPECT_EQ(scrcursor.getrow(), 7);
    EXPECT_EQ(lastoctave, 1);
    EXPECT_EQ(lastduration, 1);
}

TEST_F(ScreenTest, WholeTextEndsEveryLineWithCrLf) {
    print("A", 0);
    const std::string text = screen().text();
    EXPECT_EQ(text.substr(0, 82), padded("A") + "\r\n");
    EXPECT_EQ(text.size(), 80u + 2u + 23u * 2u);
}

}  // namespace
}  // namespace orvela
