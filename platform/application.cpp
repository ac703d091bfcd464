#include "platform/application.h"

#include "platform/messagebox.h"

namespace orvela {

OrvelaApplication::OrvelaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool OrvelaApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace orvela
