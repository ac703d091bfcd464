#pragma once
// Reading the keyboard's plain-text data files: whole file in, lines out.
#include <string>
#include <string_view>
#include <vector>

namespace orvela {

// The file's bytes; raises InOutError ("File not found" for a missing file).
std::string readdatafile(const std::string& path);

// Lines without their ends; a line ends at CR LF, LF or a lone CR. Nothing else is trimmed.
std::vector<std::string_view> splitlines(std::string_view text);

}  // namespace orvela
