#include "keyboard/brailletable.h"

#include <vector>

#include "keyboard/datafilelines.h"
#include "platform/errors.h"

namespace orvela {

std::array<brlpreftype, kBrlPrefixLimit> brlprefixes;
std::uint8_t brlprefixcount = 0;
std::array<brlchartype, kBrlCharLimit> brlchars;
std::uint8_t brlcharcount = 0;
std::string brlprefix;

namespace {

bool isheader(std::string_view line) { return !line.empty() && line.front() == '['; }

// Splits at the first "="; a line without one gives the whole line on both sides.
std::pair<std::string, std::string> splitentry(std::string_view line) {
    const std::size_t at = line.find('=');
    if (at == std::string_view::npos) return {std::string(line), std::string(line)};
    return {std::string(line.substr(0, at)), std::string(line.substr(at + 1))};
}

[[noreturn]] void raisefull(const std::string& name, std::size_t limit, const char* what) {
    throw OrvelaError("The Braille table " + name + " has more than " + std::to_string(limit) + " " + what + ".");
}

}  // namespace

void loadbrailletabletext(std::string_view content, const std::string& name) {
    brlcharcount = 0;
    const std::vector<std::string_view> lines = splitlines(content);
    std::size_t at = 0;
    while (at < lines.size() && !isheader(lines[at])) ++at;
    while (at < lines.size()) {
        const std::string_view header = lines[at++];
        const std::string_view section = header.size() < 2 ? std::string_view() : header.substr(1, header.size() - 2);
        const bool prefixes = section == "prefixes";
        const bool characters = section == "characters" || (!section.empty() && section.front() == '#');
        if (prefixes) brlprefixcount = 0;
        for (; at < lines.size() && !isheader(lines[at]); ++at) {
            const std::string_view line = lines[at];
            if (prefixes && !line.empty() && line.front() == '#') {
                if (brlprefixcount == kBrlPrefixLimit) raisefull(name, kBrlPrefixLimit, "prefix signs");
                auto [left, right] = splitentry(line);
                brlprefixes[brlprefixcount++] = {std::move(left), std::move(right)};
            } else if (characters && !line.empty()) {
                if (brlcharcount == kBrlCharLimit) raisefull(name, kBrlCharLimit, "character entries");
                auto [left, right] = splitentry(line);
                const std::string prefix = section == "characters" ? std::string() : std::string(section);
                brlchars[brlcharcount++] = {prefix, std::move(left), std::move(right)};
            }
        }
    }
}

void loadbrailletable(const std::string& path) {
    brlcharcount = 0;
    const std::string content = readdatafile(path);
    loadbrailletabletext(content, path);
}

std::string brltranslate(const std::string& chord) {
    if (chord == " ") {
        brlprefix.clear();
        return " ";
    }
    for (std::size_t i = 0; i < brlprefixcount; ++i) {
        if (brlprefixes[i].dots == chord) {
            brlprefix = brlprefixes[i].name;
            return {};
        }
    }
    for (std::size_t i = 0; i < brlcharcount; ++i) {
        const brlchartype& entry = brlchars[i];
        if (entry.dots == chord && entry.prefix == brlprefix) {
            if (brlprefix == kCapitalPrefix) brlprefix.clear();
            return entry.character;
        }
    }
    return {};
}

void resetbrailletable() {
    brlprefixes.fill({});
    brlprefixcount = 0;
    brlchars.fill({});
    brlcharcount = 0;
    brlprefix.clear();
}

}  // namespace orvela
