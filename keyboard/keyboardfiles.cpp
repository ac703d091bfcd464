#include "keyboard/keyboardfiles.h"

#include "keyboard/brailletable.h"
#include "keyboard/echokeys.h"
#include "settings/resourcelocalizer.h"

namespace orvela {

std::string echokeysfile() { return localized(24) + ".oky"; }

void loadkeyboardfiles() {
    loadbrailletable(kBrailleTableFile);
    brlprefix.clear();
    loadechokeys(echokeysfile());
}

}  // namespace orvela
