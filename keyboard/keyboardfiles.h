#pragma once
// Loading the keyboard's two data files from the current directory at start-up.
#include <string>

namespace orvela {

// The key-name file of the selected language: its name (string 24) with ".oky".
std::string echokeysfile();

// Loads "czech.obt" and empties brlprefix, then the key names of the selected language.
// A file that cannot be read raises, and the key names are not loaded after a failed table.
void loadkeyboardfiles();

}  // namespace orvela
