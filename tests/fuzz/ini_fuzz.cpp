// Arbitrary bytes as a settings file: every read and an update must neither crash
// nor lose the other lines.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/inifile.h"

namespace {

// Lines without their ends, as a reader sees them whichever end the file used.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool isKey(std::string_view line, std::string_view key) {
    line = line.substr(0, line.find('='));
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
    if (line.size() != key.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if ((line[i] | 0x20) != key[i]) return false;
    return true;
}

// The update either replaced the one line holding the key, put the entry into the
// section, or appended the section; every other line is there, unchanged and in order.
bool keepsTheOtherLines(std::string_view before, std::string_view after, std::string_view entry) {
    const auto in = linesOf(before);
    const auto out = linesOf(after);
    if (out.size() == in.size()) {
        std::size_t changed = 0;
        for (std::size_t i = 0; i < in.size(); ++i) {
            if (in[i] == out[i]) continue;
            if (out[i] != entry || !isKey(in[i], "sndvolume")) return false;
            ++changed;
        }
        return changed <= 1;
    }
    if (out.size() == in.size() + 1) {
        for (std::size_t i = 0, j = 0; i < out.size(); ++i) {
            if (j < in.size() && out[i] == in[j]) {
                ++j;
            } else if (out[i] != entry || i != j) {
                return false;
            }
        }
        return true;
    }
    if (out.size() == in.size() + 2) {
        for (std::size_t i = 0; i < in.size(); ++i)
            if (in[i] != out[i]) return false;
        return out[in.size()] == "[sounds]" && out[in.size() + 1] == entry;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    for (auto [section, key] : {std::pair{"voice", "voiceallowed"}, {"Voice", "person"}, {"sounds", "sndvolume"},
                                {"environment", "language"}, {"", ""}}) {
        if (auto value = orvela::findIniValue(content, section, key)) orvela::IniFile::parseInteger(*value);
    }
    const std::string updated = orvela::withIniValue(content, "sounds", "sndvolume", "-600");
    auto back = orvela::findIniValue(updated, "sounds", "sndvolume");
    if (!back || *back != "-600") __builtin_trap();
    if (!keepsTheOtherLines(content, updated, "sndvolume=-600")) __builtin_trap();
    return 0;
}
