#include "support/appfixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/settingsfile.h"
#include "platform/defaultwaves.h"
#include "platform/process.h"

namespace orvela::testing {

AppFixture::AppFixture() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir.path().toStdString());
    for (const auto& entry : std::filesystem::directory_iterator(std::getenv("ORVELA_RUN_DIR"))) {
        const auto name = entry.path().filename().string();
        const auto ext = entry.path().extension().string();
        if (name == "sounds.dat" || ext == ".obt" || ext == ".oky") std::filesystem::copy_file(entry.path(), name);
    }
    setsettingspath(settingsPath());
    setEndProcessHook([] { throw ProcessEnded{}; });
    writeFile("sounds.dat", serializeWaveCollection(defaultWaves()));
}

AppFixture::~AppFixture() {
    setEndProcessHook(nullptr);
    setsettingspath("");
    std::filesystem::current_path(previous_);
}

std::string AppFixture::path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

std::string AppFixture::readFile(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void AppFixture::writeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
}

}  // namespace orvela::testing
