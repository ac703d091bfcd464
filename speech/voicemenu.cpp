#include "speech/voicemenu.h"

// Placeholders until the voice dialog lands.
namespace orvela {
void VoicesubmenuClick() {}
void usesapi5submenuClick() {}
}  // namespace orvela
