#include "speech/voicemenu.h"

#include <QAction>
#include <QListWidget>

#include "app/settingsfile.h"
#include "app/unit1.h"
#include "platform/codec.h"
#include "platform/messagebox.h"
#include "runtime/soundcommands.h"
#include "settings/resourcelocalizer.h"
#include "speech/speechoutput.h"
#include "speech/unit4.h"
#include "speech/voicesettings.h"

namespace orvela {

void VoicesubmenuClick() {
    if (!voiceallowed) {
        messageBoxes().message(localized(18));
        return;
    }
    if (!Form4) return;
    if (!speech::voiceready) {
        speech::openvoice();
        writevoicesettings();
    }
    readvoicesettings();
    Form4->voicelist->setFocus();
    if (Form4->exec() == QDialog::Accepted) {
        writevoicesettings();
        readvoicesettings();
        speech::speakandwait(localized(19));
    } else {
        speech::speakandwait(codec::fromQString(Form1->windowTitle()));
    }
}

void usesapi5submenuClick() {
    QAction* item = Form1->usesapi5submenu;
    item->setChecked(!item->isChecked());
    const bool checked = item->isChecked();
    speech::usesapi5 = checked;
    speech::voiceready = checked;
    Form1->Voicesubmenu->setEnabled(!checked);
    settingsfile().writeBool("Voice", "SAPI5", checked);
    // A rising pair when the service takes over, a falling pair when it hands back.
    const double first = checked ? 400 : 600;
    const double second = checked ? 600 : 400;
    sound({first}, 50, 3);
    sound({second}, 50, 3);
}

}  // namespace orvela
