#include "runtime/screen.h"

#include <algorithm>

#include "runtime/soundcommands.h"

namespace orvela {

tscrcursor scrcursor;
std::uint8_t printend = 0;

Screen& screen() {
    static Screen instance;
    return instance;
}

std::string Screen::text() const {
    std::string out;
    for (const auto& line : lines_) out += line + "\r\n";
    return out;
}

void Screen::clear() {
    for (auto& line : lines_) line.clear();
    if (onChanged) onChanged();
}

namespace {

void padLine(std::string& line) {
    if (line.size() < kScreenColumns) line.append(kScreenColumns - line.size(), ' ');
}

void overwrite(std::string& line, std::size_t col, const std::string& piece) {
    padLine(line);
    line.replace(col, piece.size(), piece);
}

void newLine(std::array<std::string, kScreenRows>& lines, int& col, int& row) {
    col = 0;
    if (++row > kScreenRows - 1) {
        std::rotate(lines.begin(), lines.begin() + 1, lines.end());
        lines.back().clear();
        row = kScreenRows - 1;
    }
}

}  // namespace

void printtext(const std::string& input) {
    auto& lines = screen().lines_;
    std::string text = input;
    int col = scrcursor.getcol();
    int row = scrcursor.getrow();
    // A cursor past the screen (only a caller's mistake) is held to its edges.
    col = std::min(col, kScreenColumns);
    row = std::min(row, kScreenRows - 1);

    while (text.size() + static_cast<std::size_t>(col) > kScreenColumns) {
        const auto take = static_cast<std::size_t>(kScreenColumns - col);
        overwrite(lines[static_cast<std::size_t>(row)], static_cast<std::size_t>(col), text.substr(0, take));
        text.erase(0, take);
        newLine(lines, col, row);
    }
    overwrite(lines[static_cast<std::size_t>(row)], static_cast<std::size_t>(col), text);
    col += static_cast<int>(text.size());
    scrcursor.setcol(static_cast<std::uint8_t>(col));
    scrcursor.setrow(static_cast<std::uint8_t>(row));

    if (printend == 0) {
        newLine(lines, col, row);
    } else if (printend == 2) {
        if (col >= 73) {
            newLine(lines, col, row);
        } else {
            // Every column past a zone start, one past included, moves to the next zone.
            const int r = col % 8;
            if (r != 0) col += 8 - r;
        }
    }
    scrcursor.setcol(static_cast<std::uint8_t>(col));
    scrcursor.setrow(static_cast<std::uint8_t>(row));
    if (screen().onChanged) screen().onChanged();
}

void resetrun() {
    lastoctave = 1;
    lastduration = 1;
    scrcursor.setcol(0);
}

void resetscreen() {
    scrcursor = tscrcursor();
    printend = 0;
    screen().clear();
}

}  // namespace orvela
