#include "app/datafiles.h"

#include <cerrno>
#include <string_view>

#include <sys/stat.h>

#include "platform/atomicfile.h"
#include "platform/errors.h"

namespace orvela {

std::array<std::uint8_t, kRamSize> ramimage{};

namespace {
constexpr const char* kRamFile = "ram.dat";
constexpr const char* kDataFile = "data.dta";
std::FILE* datafile = nullptr;

[[noreturn]] void raiseIo(int error) { throw InOutError(error == ENOENT ? InOutError::kFileNotFound : error); }
}  // namespace

void loadram() {
    std::FILE* f = std::fopen(kRamFile, "rb");
    if (!f) {
        if (errno == ENOENT) return;
        raiseIo(errno);
    }
    const std::size_t read = std::fread(ramimage.data(), 1, ramimage.size(), f);
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (failed) raiseIo(error);
    (void)read;
}

void saveram() {
    const std::string_view bytes(reinterpret_cast<const char*>(ramimage.data()), ramimage.size());
    if (const int error = writeFileSafely(kRamFile, bytes)) raiseIo(error);
}

void opendatafile() {
    closedatafile();
    struct stat info {};
    // Only a regular file counts: a folder or a pipe of that name is no data file.
    if (stat(kDataFile, &info) == 0 && !S_ISREG(info.st_mode)) return;
    std::FILE* f = std::fopen(kDataFile, "r");
    if (!f) {
        if (errno == ENOENT) return;  // no data file: the run goes on without one
        raiseIo(errno);
    }
    datafile = f;
}

void closedatafile() {
    if (datafile) std::fclose(datafile);
    datafile = nullptr;
}

bool datafileopen() { return datafile != nullptr; }

}  // namespace orvela
