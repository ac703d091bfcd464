#include "keyboard/datafilelines.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/errors.h"

namespace orvela {

namespace {

[[noreturn]] void raiseIo(int error) { throw InOutError(error == ENOENT ? InOutError::kFileNotFound : error); }

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string readdatafile(const std::string& path) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) raiseIo(errno ? errno : ENOENT);
    std::string bytes;
    char buffer[8192];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
    // A directory opens but cannot be read (EISDIR): that is an I/O error, not an empty file.
    if (std::ferror(file.get())) raiseIo(errno ? errno : EIO);
    return bytes;
}

std::vector<std::string_view> splitlines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace orvela
