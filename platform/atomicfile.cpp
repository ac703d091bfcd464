#include "platform/atomicfile.h"

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

namespace orvela {

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    struct stat info {};
    const bool exists = stat(path.c_str(), &info) == 0;
    // Root may write anything; a file without write bits still means "do not touch".
    if (exists && (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0)) return false;

    const std::string temp = path + ".tmp";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok && exists) chmod(temp.c_str(), info.st_mode & 07777);
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

}  // namespace orvela
