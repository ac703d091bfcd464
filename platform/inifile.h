#pragma once
// The settings file with Windows profile semantics: section and key names without
// regard to case, nothing cached (every call opens the file and lets it go), a write
// replaces the key in place or appends it and keeps every other line, and lands through
// writeFileSafely.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvela {

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }
    bool exists() const;

    std::string readString(std::string_view section, std::string_view key, const std::string& fallback) const;
    std::int32_t readInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;

    // Raise "Unable to write to %s" (the path in Windows-1250) when the file cannot be
    // written; the old file stays whole.
    void writeString(std::string_view section, std::string_view key, std::string_view value) const;
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value) const;
    void writeBool(std::string_view section, std::string_view key, bool value) const;

    // Integer text as the file holds it: blanks, a sign, decimal digits, or "$"/"0x" hex.
    static std::optional<std::int32_t> parseInteger(std::string_view text);

private:
    std::string path_;
};

// Settings text parsed from bytes, for the fuzzer and for IniFile itself.
std::optional<std::string> findIniValue(std::string_view content, std::string_view section, std::string_view key);
std::string withIniValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace orvela
