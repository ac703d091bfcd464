#pragma once
// Runs a piece of a test as an ordinary user, for what root is never refused (a folder
// without write permission). Root drops to "nobody" in a forked child; any other user
// runs it as it is.
#include <functional>
#include <optional>
#include <string>

namespace orvela::testing {

struct UnprivilegedRun {
    std::optional<int> result;  // what work returned (128 + signal if it crashed); none when it could not run
    std::string whyNot;         // why it could not, for the skip message
};

// work returns a small number (0 to 254); it must not use GoogleTest's assertions,
// which a child process could not report.
UnprivilegedRun runUnprivileged(const std::function<int()>& work);

}  // namespace orvela::testing
