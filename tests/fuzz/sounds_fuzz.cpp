// Arbitrary bytes as a sound collection: the loader either refuses them with an
// error or gives waves that store and load back unchanged.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "platform/wavecollectionfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<orvela::WaveData> waves;
    try {
        waves = orvela::parseWaveCollection(bytes);
    } catch (const orvela::OrvelaError&) {
        return 0;
    }
    if (orvela::serializeWaveCollection(waves) != bytes) __builtin_trap();
    return 0;
}
