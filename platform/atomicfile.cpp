#include "platform/atomicfile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvela {
namespace {

constexpr int kMaxLinks = 40;  // the kernel's own limit when it resolves a path

// Follows path through its symbolic links to the name that holds the content.
int followLinks(std::string& path) {
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode)) return 0;
        std::error_code error;
        const std::filesystem::path link(path);
        const std::filesystem::path target = std::filesystem::read_symlink(link, error);
        if (error) return error.value();
        path = (target.is_absolute() ? target : link.parent_path() / target).string();
    }
    return ELOOP;
}

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// old is the file being replaced (its mode is kept), or null for a new file.
int replaceThroughTemporary(const std::string& path, std::string_view bytes, const struct stat* old) {
    const std::string temp = path + ".tmp";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = writeAll(fd, bytes);
    if (!error && old && fchmod(fd, old->st_mode & 07777) != 0) error = errno;
    if (!error && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && !error) error = errno;
    if (!error && rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error) unlink(temp.c_str());
    return error;
}

// A device or a pipe is written as it is; a regular file first claims the space it will
// need, so a full disk refuses before a byte changes.
int overwriteInPlace(const std::string& path, std::string_view bytes, const struct stat& old) {
    const bool regular = S_ISREG(old.st_mode);
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | (regular ? 0 : O_NONBLOCK));
    if (fd < 0) return errno;
    const auto size = static_cast<off_t>(bytes.size());
    int error = regular && size > old.st_size ? posix_fallocate(fd, 0, size) : 0;
    if (!error) error = writeAll(fd, bytes);
    if (!error && regular && ftruncate(fd, size) != 0) error = errno;
    if (!error && regular && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && !error) error = errno;
    return error;
}

}  // namespace

int writeFileSafely(const std::string& path, std::string_view bytes) {
    std::string target = path;
    if (const int error = followLinks(target)) return error;
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) return errno == ENOENT ? replaceThroughTemporary(target, bytes, nullptr) : errno;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    // Root may write anything; a file without write bits still means "do not touch".
    if ((info.st_mode & 0222) == 0) return EACCES;
    if (access(target.c_str(), W_OK) != 0) return errno;
    if (!S_ISREG(info.st_mode)) return overwriteInPlace(target, bytes, info);
    const int error = replaceThroughTemporary(target, bytes, &info);
    // A folder that refuses the temporary file still lets its writable files be overwritten.
    if (error == EACCES || error == EPERM) return overwriteInPlace(target, bytes, info);
    return error;
}

}  // namespace orvela
