#pragma once
#include <QString>

namespace orvela {

// The executable's path as the program was started, a symbolic link kept as it is:
// a user's folder may hold a link to an installed executable, and the settings file
// belongs beside that link. A start name that does not lead to this executable gives
// the executable's own path.
QString executablepath();

}  // namespace orvela
