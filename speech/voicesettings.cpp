#include "speech/voicesettings.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>

#include "app/settingsfile.h"
#include "platform/codec.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "settings/resourcelocalizer.h"
#include "speech/speechoutput.h"
#include "speech/unit4.h"

namespace orvela {

void readvoicesettings() {
    if (!voiceallowed || !Form4) return;
    const IniFile ini = settingsfile();
    const std::string name = ini.readString("Voice", "person", "");
    if (name.empty()) return;
    const QString wanted = codec::toQString(name);
    QListWidget* list = Form4->voicelist;
    int match = -1;
    for (int i = 0; i < list->count() && match < 0; ++i)
        if (list->item(i)->text().compare(wanted, Qt::CaseInsensitive) == 0) match = i;
    if (match < 0) {
        messageBoxes().message(localized(43) + " " + name);
        endProcessNow();
    }
    {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(match);
    }
    Form4->voicelistClick();
    speech::openvoice();
    Form4->setbarposition(Form4->pitchtb, ini.readInteger("Voice", "pitch", 0));
    Form4->setbarposition(Form4->speedtb, ini.readInteger("Voice", "speed", 0));
    Form4->setbarposition(Form4->volumetb, ini.readInteger("Voice", "volume", 255));
}

void writevoicesettings() {
    if (!Form4) return;
    const IniFile ini = settingsfile();
    ini.writeString("Voice", "person", Form4->selectedvoice());
    ini.writeInteger("Voice", "pitch", Form4->pitchtb->value());
    ini.writeInteger("Voice", "speed", Form4->speedtb->value());
    ini.writeInteger("Voice", "volume", Form4->volumetb->value());
}

}  // namespace orvela
