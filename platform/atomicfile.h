#pragma once
#include <string>
#include <string_view>

namespace orvela {

// Replaces a file's content so that a crash or a full disk never leaves it damaged: the
// bytes go to a temporary file in the file's own folder, which is flushed and renamed
// into place. A symbolic link (a chain of them, relative or not) stays a link and its
// target gets the content; a dangling link creates its target. When the folder refuses
// the temporary file but the file itself is writable, the file is overwritten in place
// from the complete content, so only that one write can be cut short. A file without
// any write permission bit is refused, even for root.
// Returns 0 when the content was written, otherwise the errno of the cause.
[[nodiscard]] int writeFileSafely(const std::string& path, std::string_view bytes);

}  // namespace orvela
