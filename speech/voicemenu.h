#pragma once
// The main window's two menu commands of the voice.
namespace orvela {
void VoicesubmenuClick();
void usesapi5submenuClick();
}  // namespace orvela
