#include "keyboard/keyhandlers.h"

#include "app/datafiles.h"
#include "app/settingsfile.h"
#include "app/soundobjects.h"
#include "app/unit1.h"
#include "keyboard/braillekeyboard.h"
#include "platform/keys.h"
#include "platform/process.h"
#include "runtime/input.h"
#include "runtime/soundcommands.h"
#include "speech/speechoutput.h"
#include "speech/unit6.h"

namespace orvela {

std::string typedkey;

namespace {

// Arrow keys that are down, as the device's cursor-key code (0 when none is).
unsigned char cursorkeycode() {
    struct Arrow {
        std::uint16_t key;
        unsigned char weight;
    };
    static constexpr Arrow kArrows[] = {{vk::Up, 1}, {vk::Down, 2}, {vk::Left, 4}, {vk::Right, 8}};
    unsigned char code = 0x80;
    for (const auto& arrow : kArrows)
        if (keydown(arrow.key)) code = static_cast<unsigned char>(code + arrow.weight);
    return code;
}

void arrowkey(unsigned shift) {
    const unsigned char code = cursorkeycode();
    inputline = std::string(1, static_cast<char>(code));
    const bool upOrDownAlone = code == 0x81 || code == 0x82;
    if (upOrDownAlone && !(shift & ssShift) && !keydown(vk::Space) && programstarted) showvirtualscreen();
    // The review empties the slot so the key never reaches the program.
    if (inputline != std::string(1, static_cast<char>(code))) return;
    unsigned char handed = code;
    if (shift & ssShift) handed = static_cast<unsigned char>(handed + 0x10);
    if (keydown(vk::Space)) handed = static_cast<unsigned char>(handed + 0x20);
    inputline = std::string(1, static_cast<char>(handed));
}

}  // namespace

void FormKeyDown(std::uint16_t key, unsigned shift) {
    // A held key's repeats leave the chord as its keys made it, so a chord held down is
    // emitted once, and a key still held after the emission starts no chord of its own.
    if (braillekeys && !keyrepeats()) brlchord.clear();
    speech::stopspeech();
    if (soundplaying) {
        soundplaying = false;
        soundtimer().setEnabled(false);
    }
    switch (key) {
    case vk::Back:
    case vk::F6:
        inputline = std::string(1, (shift & ssShift) ? '\x19' : '\x08');
        break;
    case vk::Return:
    case vk::F8:
        inputline = "\r";
        break;
    case vk::Escape:
        inputline = "\x1b";
        break;
    case vk::F7:
        inputline = "\x07";
        break;
    case vk::Shift:
    case vk::Control:
    case vk::Menu:
        inputline.clear();
        break;
    case vk::Left:
    case vk::Up:
    case vk::Right:
    case vk::Down:
        arrowkey(shift);
        break;
    case vk::F4:
        if (shift & ssAlt) {
            saveram();
            releasesoundobjects();
            endProcessNow();
        }
        break;
    default:
        break;
    }
}

void FormKeyPress(unsigned char character) {
    typedkey = std::string(1, static_cast<char>(character));
    if (braillekeys && !keyrepeats()) readchord();
}

void FormKeyUp(std::uint16_t key, unsigned /*shift*/) {
    // A modifier often comes up before the key it shifted (a digit on the Czech and Slovak
    // layouts); that key still hands its character, and a chord stays for its own keys.
    if (key == vk::Shift || key == vk::Control || key == vk::Menu) return;
    if (braillekeys) typedkey = emitchord();
    if (key >= vk::Space) inputline = typedkey;
    typedkey.clear();
}

}  // namespace orvela
