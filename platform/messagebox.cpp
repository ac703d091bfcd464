#include "platform/messagebox.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/codec.h"

namespace orvela {
namespace {

class QtMessageBoxes final : public MessageBoxes {
public:
    void message(const std::string& textCp1250) override {
        QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(),
                                 codec::toQString(textCp1250));
    }
    void error(const std::string& textCp1250) override {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                              codec::toQString(textCp1250));
    }
};

MessageBoxes* installed = nullptr;

}  // namespace

MessageBoxes& messageBoxes() {
    static QtMessageBoxes qtBoxes;
    return installed ? *installed : qtBoxes;
}

void setMessageBoxes(MessageBoxes* boxes) { installed = boxes; }

void showEscapedError(const std::exception& error) { messageBoxes().error(error.what()); }

}  // namespace orvela
