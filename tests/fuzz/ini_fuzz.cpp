// Arbitrary bytes as a settings file: every read and an update must neither crash
// nor lose the other lines.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    for (auto [section, key] : {std::pair{"voice", "voiceallowed"}, {"Voice", "person"}, {"sounds", "sndvolume"},
                                {"environment", "language"}, {"", ""}}) {
        if (auto value = orvela::findIniValue(content, section, key)) orvela::IniFile::parseInteger(*value);
    }
    const std::string updated = orvela::withIniValue(content, "sounds", "sndvolume", "-600");
    auto back = orvela::findIniValue(updated, "sounds", "sndvolume");
    if (!back || *back != "-600") __builtin_trap();
    return 0;
}
