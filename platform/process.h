#pragma once
// "End the process at once": exit code 0, no close handlers, nothing saved.
#include <functional>

namespace orvela {

[[noreturn]] void endProcessNow();

// Tests replace the ending with a hook that must not return (it throws).
void setEndProcessHook(std::function<void()> hook);

// Thrown by the test hook so a test can observe the end of the process.
struct ProcessEnded {};

}  // namespace orvela
