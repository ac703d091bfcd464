#pragma once
// Message boxes and the standard error box, behind one seam so tests can record them.
#include <string>

namespace orvela {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal information box; the text is Windows-1250.
    virtual void message(const std::string& textCp1250) = 0;
    // The standard error box for an error that escaped an event handler.
    virtual void error(const std::string& textCp1250) = 0;
};

MessageBoxes& messageBoxes();
// Installs a replacement (tests); nullptr puts the Qt boxes back.
void setMessageBoxes(MessageBoxes* boxes);

// Runs one event handler's work; an error escaping it is shown in the error box.
// Returns false when an error was shown.
template <typename Fn>
bool guarded(Fn&& fn);

void showEscapedError(const std::exception& error);

}  // namespace orvela

#include <exception>

template <typename Fn>
bool orvela::guarded(Fn&& fn) {
    try {
        fn();
        return true;
    } catch (const std::exception& error) {
        showEscapedError(error);
        return false;
    }
}
