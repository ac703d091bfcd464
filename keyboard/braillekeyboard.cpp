#include "keyboard/braillekeyboard.h"

#include <QAction>

#include "app/settingsfile.h"
#include "app/unit1.h"
#include "keyboard/brailletable.h"
#include "platform/keys.h"
#include "runtime/soundcommands.h"

namespace orvela {

std::string brlchord;

namespace {

struct DotKey {
    char dot;
    std::uint16_t key;
};
constexpr DotKey kDotKeys[] = {{'1', 0x46}, {'2', 0x44}, {'3', 0x53}, {'4', 0x4A}, {'5', 0x4B}, {'6', 0x4C}};

}  // namespace

void readchord() {
    brlchord.clear();
    for (const auto& dot : kDotKeys)
        if (keydown(dot.key)) brlchord += dot.dot;
    if (!brlchord.empty()) return;
    // The space bar alone is the Braille space; a key that is no chord cancels a prefix.
    if (keydown(vk::Space))
        brlchord.assign(1, ' ');
    else
        brlprefix.clear();
}

std::string emitchord() {
    // The keys of a chord after its first release give no text and leave the prefix alone.
    std::string text = brlchord.empty() ? std::string() : brltranslate(brlchord);
    brlchord.clear();
    return text;
}

void braillekeyboarditemClick() {
    QAction* item = Form1->braillekeyboarditem;
    if (item->isChecked()) {
        item->setChecked(false);
        sound({600}, 50, 3);
        sound({400}, 50, 3);
    } else {
        sound({400}, 50, 3);
        sound({600}, 50, 3);
        item->setChecked(true);
    }
    braillekeys = item->isChecked();
    writesettings();
}

}  // namespace orvela
