#pragma once
// The six-key Braille keyboard: F D S J K L are dots 1 to 6 and the space bar is the
// Braille space. A chord is read at each key press and emitted at the first release.
#include <string>

namespace orvela {

// The chord collected so far as its dot numbers ("1" to "123456", " "); empty when none.
extern std::string brlchord;

// Reads the chord from the keys that are down as of the current key event.
void readchord();
// The text of the chord collected so far (empty when it gives none); the chord is emptied.
std::string emitchord();

// The menu item that switches the mode, with a rising or falling pair of notes.
void braillekeyboarditemClick();

}  // namespace orvela
