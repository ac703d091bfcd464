#pragma once
// The 24 x 80 text screen and PRINT placement. The line model is independent of
// the view: the main window's printmemo only mirrors it.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace orvela {

constexpr int kScreenRows = 24;
constexpr int kScreenColumns = 80;

class tscrcursor {
public:
    void setcol(std::uint8_t value) { col_ = value; }
    void setrow(std::uint8_t value) { row_ = value; }
    std::uint8_t getcol() const { return col_; }
    std::uint8_t getrow() const { return row_; }

private:
    std::uint8_t col_ = 0;
    std::uint8_t row_ = 0;
};

class Screen {
public:
    const std::array<std::string, kScreenRows>& lines() const { return lines_; }
    // The whole text as the review window copies it: each line ended by CR LF.
    std::string text() const;
    // Empties every line (the main window's creation).
    void clear();
    // Called after every change, so a view can follow.
    std::function<void()> onChanged;

private:
    friend void printtext(const std::string& text);
    std::array<std::string, kScreenRows> lines_;
};

Screen& screen();
extern tscrcursor scrcursor;
// 0 new line, 2 next 8-column zone, anything else stays on the line.
extern std::uint8_t printend;

// Places text at the cursor, wraps, applies printend; never fails, never speaks.
void printtext(const std::string& text);
// Before a run: sound octave and duration back to 1, cursor to column 0.
void resetrun();
// Puts cursor, print ending and screen back to their start values (tests).
void resetscreen();

}  // namespace orvela
