// A window with the main window's key handling that prints every handler call and what
// the program would find in inputline after it, and every release that Qt delivers, for
// tests that type real keys on X11.
//   orvela_keyecho [--braille] [--server-repeat]
// --braille: Braille keyboard mode with a table that gives each dot key its dot number
// with b for dots 1 2 and x for the full cell; --server-repeat: held keys come as the server's release/press pairs.
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <cstdio>
#include <string>

#include "app/settingsfile.h"
#include "keyboard/brailletable.h"
#include "keyboard/keyhandlers.h"
#include "platform/keys.h"
#include "runtime/input.h"

namespace {

std::string hex(const std::string& bytes) {
    std::string out;
    char byte[3];
    for (const unsigned char c : bytes) {
        std::snprintf(byte, sizeof byte, "%02X", c);
        out += byte;
    }
    return out;
}

void print(const char* what, unsigned code) {
    std::printf("%s %02X inputline=%s\n", what, code, hex(orvela::inputline).c_str());
    std::fflush(stdout);
}

// Prints every release Qt delivers, auto-repeat or not, before the key layer sees it.
class ReleasePrinter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease) print("release", static_cast<QKeyEvent*>(event)->nativeScanCode());
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains("--braille")) {
        orvela::loadbrailletabletext("[characters]\r\n1=1\r\n2=2\r\n3=3\r\n4=4\r\n5=5\r\n6=6\r\nb=12\r\nx=123456\r\n", "echo.obt");
        orvela::braillekeys = true;
    }
    QPlainTextEdit screen;
    screen.setReadOnly(true);
    screen.setWindowTitle("Orvela key echo");
    screen.installEventFilter(new orvela::KeyEventFilter(
        {[](std::uint16_t key, unsigned shift) {
             orvela::FormKeyDown(key, shift);
             print("down", key);
         },
         [](unsigned char ch) {
             orvela::FormKeyPress(ch);
             print("press", ch);
         },
         [](std::uint16_t key, unsigned shift) {
             orvela::FormKeyUp(key, shift);
             print("up", key);
         }},
        &screen));
    screen.installEventFilter(new ReleasePrinter(&screen));  // the last installed sees events first
    if (args.contains("--server-repeat")) orvela::usedetectableautorepeat(false);
    screen.show();
    return app.exec();
}
