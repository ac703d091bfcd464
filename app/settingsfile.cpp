#include "app/settingsfile.h"

#include <QFileInfo>

#include "app/executablepath.h"

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
    const QFileInfo exe(executablepath());
    const QString base = exe.completeSuffix().isEmpty() ? exe.filePath()
                                                        : exe.path() + "/" + exe.completeBaseName();
    return IniFile((base + ".ini").toStdString());
}

}  // namespace orvela

#include <QAction>

#include "app/unit1.h"
#include "speech/speechoutput.h"

namespace orvela {

void readsettings() {
    const IniFile ini = settingsfile();
    if (!ini.exists()) {
        voiceallowed = speech::sapi4available();
        ini.writeBool("voice", "voiceallowed", voiceallowed);
        return;
    }
    voiceallowed = ini.readBool("voice", "voiceallowed", true);
    orvelasounds = ini.readBool("sounds", "orvelasounds", true);
    sndvolume = ini.readInteger("sounds", "sndvolume", 0);
    braillekeys = ini.readBool("keyboard", "braillekeys", false);
    if (Form1) {
        Form1->usesapi5submenu->setChecked(ini.readBool("Voice", "sapi5", false));
        Form1->braillekeyboarditem->setChecked(braillekeys);
    }
}

void writesettings() {
    const IniFile ini = settingsfile();
    ini.writeBool("voice", "voiceallowed", voiceallowed);
    ini.writeBool("sounds", "orvelasounds", orvelasounds);
    ini.writeInteger("sounds", "sndvolume", sndvolume);
    ini.writeBool("keyboard", "braillekeys", braillekeys);
}

}  // namespace orvela
