// Every test executable runs inside the application object, off screen unless told
// otherwise, with the folders of this build in its environment.
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/application.h"

extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

namespace {
void setDefault(const char* name, const char* value) { setenv(name, value, 0); }
}  // namespace

int main(int argc, char** argv) {
    setDefault("QT_QPA_PLATFORM", "offscreen");
    setDefault("ALSOFT_DRIVERS", "null");
    setDefault("ORVELA_SOURCE_DIR", ORVELA_SOURCE_DIR);
    setDefault("ORVELA_RUN_DIR", ORVELA_RUN_DIR);
    setDefault("ORVELA_BINARY_DIR", ORVELA_BINARY_DIR);
    orvela::OrvelaApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
