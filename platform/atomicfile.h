#pragma once
#include <string>
#include <string_view>

namespace orvela {

// Writes bytes to a temporary file beside path and renames it into place, so a crash
// or a full disk never leaves a damaged file. A target marked read-only is refused.
// Returns false when nothing was replaced.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace orvela
