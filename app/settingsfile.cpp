#include "app/settingsfile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace orvela {

bool voiceallowed = false;
bool orvelasounds = true;
std::int32_t sndvolume = 0;
bool braillekeys = false;

namespace {
std::string& overridePath() {
    static std::string path;
    return path;
}
}  // namespace

void setsettingspath(const std::string& path) { overridePath() = path; }

IniFile settingsfile() {
    if (!overridePath().empty()) return IniFile(overridePath());
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString base = exe.completeSuffix().isEmpty() ? exe.filePath()
                                                        : exe.path() + "/" + exe.completeBaseName();
    return IniFile((base + ".ini").toStdString());
}

}  // namespace orvela
