#pragma once
// Qt key events turned into the three key handlers the system expects: key-down with a
// Windows virtual-key code and shift state, key-press with the typed Windows-1250
// character, and key-up; plus the table of keys that are down as of the current event.
#include <QObject>
#include <cstdint>
#include <functional>

class QKeyEvent;

namespace orvela {

// Shift state bits.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };

namespace vk {
constexpr std::uint16_t Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
                        Escape = 0x1B, Space = 0x20, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28,
                        F1 = 0x70, F2 = 0x71, F4 = 0x73, F6 = 0x75, F7 = 0x76, F8 = 0x77;
// A character key the table does not name.
constexpr std::uint16_t OtherCharacter = 0xDF;
}  // namespace vk

// The virtual-key code of a Qt key event (0 when it names no key).
std::uint16_t virtualkey(const QKeyEvent& event);
unsigned shiftstate(const QKeyEvent& event);

// Whether a key is down as of the key event being handled.
bool keydown(std::uint16_t virtualKey);
// Forgets every key (tests, focus loss).
void releaseallkeys();

struct KeyHandlers {
    std::function<void(std::uint16_t key, unsigned shift)> keyDown;
    std::function<void(unsigned char character)> keyPress;
    std::function<void(std::uint16_t key, unsigned shift)> keyUp;
};

// An event filter that feeds the handlers from the key events of the watched widget
// and lets every event through.
class KeyEventFilter : public QObject {
public:
    KeyEventFilter(KeyHandlers handlers, QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyHandlers handlers_;
};

}  // namespace orvela
