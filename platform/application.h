#pragma once
#include <QApplication>

namespace orvela {

// The application object. It is the last line of defence: an error escaping any
// event handler is shown in the error box instead of ending the process.
class OrvelaApplication : public QApplication {
public:
    OrvelaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace orvela
