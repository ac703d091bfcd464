// Arbitrary bytes as a Braille table: loading stays within the tables, a refused table
// leaves consistent counts, and translating any chord afterwards is safe.
#include <cstdint>
#include <string>
#include <string_view>

#include "keyboard/brailletable.h"
#include "platform/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvela;
    resetbrailletable();
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    try {
        loadbrailletabletext(content, "fuzz.obt");
    } catch (const OrvelaError&) {
    }
    if (brlprefixcount > kBrlPrefixLimit || brlcharcount > kBrlCharLimit) __builtin_trap();
    for (const char* chord : {"6", "1", "3456", " ", "1", "123456", "", "12"}) {
        const std::string text = brltranslate(chord);
        if (std::string_view(chord) == " " && (text != " " || !brlprefix.empty())) __builtin_trap();
    }
    // Every stored chord must give its own text or act as a prefix sign.
    for (std::size_t i = 0; i < brlcharcount; ++i) {
        brlprefix = brlchars[i].prefix;
        brltranslate(brlchars[i].dots);
    }
    return 0;
}
