#include "platform/inifile.h"

#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

#include <unistd.h>

#include "platform/atomicfile.h"
#include "platform/codecbytes.h"
#include "platform/errors.h"

namespace orvela {
namespace {

constexpr std::size_t kMaxValue = 2047;

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Lines without their ends; remembers whether the file used CRLF.
struct Lines {
    std::vector<std::string_view> lines;
    bool crlf = false;
};

Lines splitLines(std::string_view content) {
    Lines out;
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        auto line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            out.crlf = true;
        }
        out.lines.push_back(line);
        start = end + 1;
    }
    return out;
}

// The section name of a header line, or nothing.
std::optional<std::string_view> headerName(std::string_view line) {
    auto t = trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    auto close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(t.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    auto eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

std::optional<std::string> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

}  // namespace

std::optional<std::string> findIniValue(std::string_view content, std::string_view section, std::string_view key) {
    bool inSection = false;
    for (auto line : splitLines(content).lines) {
        if (auto name = headerName(line)) {
            inSection = equalNoCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        if (auto kv = keyLine(line); kv && equalNoCase(kv->key, key)) {
            auto value = kv->value;
            // Windows drops one pair of surrounding quotes.
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            return std::string(value.substr(0, kMaxValue));
        }
    }
    return std::nullopt;
}

std::string withIniValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value) {
    const Lines parsed = splitLines(content);
    const char* eol = parsed.crlf ? "\r\n" : "\n";
    const std::string entry = std::string(key) + "=" + std::string(value);
    std::vector<std::string> out(parsed.lines.begin(), parsed.lines.end());

    std::optional<std::size_t> sectionStart, lastInSection;
    bool inSection = false;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (auto name = headerName(out[i])) {
            if (inSection) break;  // the first matching section is the one Windows uses
            inSection = equalNoCase(*name, section);
            if (inSection) {
                sectionStart = i;
                lastInSection = i;
            }
            continue;
        }
        if (!inSection) continue;
        if (!trim(out[i]).empty()) lastInSection = i;
        if (auto kv = keyLine(out[i]); kv && equalNoCase(kv->key, key)) {
            out[i] = entry;
            sectionStart.reset();
            lastInSection.reset();
            inSection = false;
            std::string joined;
            for (auto& l : out) joined += l + eol;
            return joined;
        }
    }
    if (lastInSection) {
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(*lastInSection + 1), entry);
    } else {
        out.push_back("[" + std::string(section) + "]");
        out.push_back(entry);
    }
    std::string joined;
    for (auto& l : out) joined += l + eol;
    return joined;
}

bool IniFile::exists() const { return access(path_.c_str(), F_OK) == 0; }

std::string IniFile::readString(std::string_view section, std::string_view key, const std::string& fallback) const {
    auto content = readAll(path_);
    if (!content) return fallback;
    auto value = findIniValue(*content, section, key);
    return value ? *value : fallback;
}

std::optional<std::int32_t> IniFile::parseInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        // Hexadecimal may spell the full 32 bits (as $FFFFFFFF for -1).
        if (value > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL)) return std::nullopt;
    }
    if (base == 16) {
        auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(bits)) : bits;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
    auto content = readAll(path_);
    if (!content) return fallback;
    auto value = findIniValue(*content, section, key);
    if (!value) return fallback;
    return parseInteger(*value).value_or(fallback);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) const {
    const auto old = readAll(path_);
    const std::string content = withIniValue(old.value_or(""), section, key, value);
    if (writeFileSafely(path_, content) != 0)
        throw OrvelaError(formatMessage("Unable to write to %s", codec::utf8ToCp1250(path_)));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) const {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) const {
    writeString(section, key, value ? "1" : "0");
}

}  // namespace orvela
