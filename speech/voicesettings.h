#pragma once
// The voice keys of the settings file: the chosen voice and its bar positions.
namespace orvela {

// Selects and opens the saved voice and applies the saved bar positions; a saved voice
// that is not installed ends the process after a message.
void readvoicesettings();
// Saves the voice list's selection and the three bar positions.
void writevoicesettings();

}  // namespace orvela
