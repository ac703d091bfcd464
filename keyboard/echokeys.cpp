#include "keyboard/echokeys.h"

#include "keyboard/datafilelines.h"
#include "platform/errors.h"
#include "platform/inifile.h"

namespace orvela {

std::array<echokeytype, 256> echokeys;

void loadechokeystext(std::string_view content) {
    std::size_t position = 0;
    for (const std::string_view line : splitlines(content)) {
        if (line.empty()) continue;
        const std::size_t at = line.find('=');
        // Without "=" there is no code text at all, and the whole line is the name.
        const std::string_view codetext = at == std::string_view::npos ? std::string_view() : line.substr(0, at);
        const std::string_view name = at == std::string_view::npos ? line : line.substr(at + 1);
        const auto code = IniFile::parseInteger(codetext);
        if (!code) throw ConvertError(std::string(codetext));
        echokeys[position] = {static_cast<std::uint8_t>(*code & 0xFF), std::string(name)};
        position = (position + 1) % echokeys.size();
    }
}

void loadechokeys(const std::string& path) { loadechokeystext(readdatafile(path)); }

std::optional<std::string> keyname(unsigned char code) {
    for (const echokeytype& entry : echokeys) {
        if (entry.code == code) return entry.name;
    }
    return std::nullopt;
}

void resetechokeys() { echokeys.fill({}); }

}  // namespace orvela
