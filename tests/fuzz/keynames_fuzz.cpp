// Arbitrary bytes as a key-name file: loading either finishes or stops with the conversion
// error, and every lookup afterwards is safe.
#include <cstdint>
#include <string_view>

#include "keyboard/echokeys.h"
#include "platform/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvela;
    resetechokeys();
    try {
        loadechokeystext(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const ConvertError&) {
    }
    // Whatever the file held, the code stored at each position finds a name.
    for (const echokeytype& entry : echokeys) {
        if (!keyname(entry.code)) __builtin_trap();
    }
    return 0;
}
