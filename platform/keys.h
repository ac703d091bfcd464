#pragma once
// Qt key events turned into the three key handlers the system expects: key-down with a
// Windows virtual-key code and shift state, key-press with the typed Windows-1250
// character, and key-up; plus the table of keys that are down as of the current event.
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

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
// Whether the key event being handled repeats a key that is held (auto-repeat).
bool keyrepeats();
// Forgets every key and any half-typed dead-key sequence (tests, focus loss).
void releaseallkeys();

// Asks the X server to send a held key as repeated presses with one release at its end
// (on) or as release/press pairs (off); returns whether held keys now come with one
// release. The key filter asks for it when it is created; off X11 it does nothing.
bool usedetectableautorepeat(bool on);
bool detectableautorepeat();

struct KeyHandlers {
    std::function<void(std::uint16_t key, unsigned shift)> keyDown;
    std::function<void(unsigned char character)> keyPress;
    std::function<void(std::uint16_t key, unsigned shift)> keyUp;
};

// An event filter that feeds the handlers from the key events of the watched widget
// and lets every event through. A key-up reports the code of its key-down, remembered by
// the physical key; dead keys compose here, so the widget takes no input method; a held
// key gives one key-up, also where the server sends its repeats as release/press pairs.
class KeyEventFilter : public QObject {
public:
    KeyEventFilter(KeyHandlers handlers, QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Release {
        std::uint16_t key;
        unsigned shift;
        quint32 scanCode;
        quint64 timestamp;
    };
    void keyPressed(const QKeyEvent& event);
    void keyReleased(const QKeyEvent& event);
    void deliverPendingRelease();

    KeyHandlers handlers_;
    // Without detectable auto-repeat a release waits briefly: a press of the same key at the
    // same time makes it the server's repeat of a key still held.
    std::optional<Release> pendingRelease_;
    QTimer releaseTimer_;
};

}  // namespace orvela
