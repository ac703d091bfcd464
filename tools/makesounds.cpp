// Writes the default sound collection: makesounds OUTPUT
#include <cstdio>
#include <cstring>
#include <exception>

#include "platform/atomicfile.h"
#include "platform/defaultwaves.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    try {
        if (const int error =
                orvela::writeFileSafely(argv[1], orvela::serializeWaveCollection(orvela::defaultWaves()))) {
            std::fprintf(stderr, "makesounds: cannot write %s: %s\n", argv[1], std::strerror(error));
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "makesounds: %s\n", error.what());
        return 1;
    }
    return 0;
}
