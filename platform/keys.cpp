#include "platform/keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <bitset>

#include "platform/codec.h"

namespace orvela {
namespace {

std::bitset<256>& downKeys() {
    static std::bitset<256> keys;
    return keys;
}

struct KeyCode {
    int qtKey;
    std::uint16_t virtualKey;
};

// Keys whose virtual-key code does not follow from their Qt code by a range.
constexpr KeyCode kNamedKeys[] = {
    {Qt::Key_Backspace, vk::Back},   {Qt::Key_Tab, vk::Tab},          {Qt::Key_Backtab, vk::Tab},
    {Qt::Key_Return, vk::Return},    {Qt::Key_Enter, vk::Return},     {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Control},  {Qt::Key_Alt, vk::Menu},         {Qt::Key_AltGr, vk::Menu},
    {Qt::Key_Escape, vk::Escape},    {Qt::Key_Space, vk::Space},      {Qt::Key_PageUp, 0x21},
    {Qt::Key_PageDown, 0x22},        {Qt::Key_End, 0x23},             {Qt::Key_Home, 0x24},
    {Qt::Key_Left, vk::Left},        {Qt::Key_Up, vk::Up},            {Qt::Key_Right, vk::Right},
    {Qt::Key_Down, vk::Down},        {Qt::Key_Insert, 0x2D},          {Qt::Key_Delete, 0x2E},
    {Qt::Key_Pause, 0x13},           {Qt::Key_CapsLock, 0x14},        {Qt::Key_Print, 0x2C},
    {Qt::Key_Meta, 0x5B},            {Qt::Key_Menu, 0x5D},            {Qt::Key_NumLock, 0x90},
    {Qt::Key_ScrollLock, 0x91},
};

}  // namespace

std::uint16_t virtualkey(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint16_t>(key);  // same codes
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::uint16_t>(vk::F1 + (key - Qt::Key_F1));
    for (const auto& named : kNamedKeys)
        if (named.qtKey == key) return named.virtualKey;
    if (key == 0 || key == Qt::Key_unknown) return event.text().isEmpty() ? 0 : vk::OtherCharacter;
    return vk::OtherCharacter;  // punctuation and letters of other layouts
}

unsigned shiftstate(const QKeyEvent& event) {
    const auto mods = event.modifiers();
    return (mods & Qt::ShiftModifier ? ssShift : 0u) | (mods & Qt::AltModifier ? ssAlt : 0u) |
           (mods & Qt::ControlModifier ? ssCtrl : 0u);
}

bool keydown(std::uint16_t virtualKey) { return virtualKey < 256 && downKeys().test(virtualKey); }

void releaseallkeys() { downKeys().reset(); }

KeyEventFilter::KeyEventFilter(KeyHandlers handlers, QObject* parent)
    : QObject(parent), handlers_(std::move(handlers)) {}

bool KeyEventFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const std::uint16_t code = virtualkey(key);
        if (code != 0 && code < 256) downKeys().set(code);
        if (code != 0 && handlers_.keyDown) handlers_.keyDown(code, shiftstate(key));
        // A held key repeats as key-down and key-press without a key-up between.
        for (const QChar ch : key.text()) {
            const unsigned char byte = codec::cp1250FromUnicode(ch.unicode());
            if ((byte != 0 || ch.unicode() == 0) && handlers_.keyPress) handlers_.keyPress(byte);
        }
    } else if (event->type() == QEvent::KeyRelease) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!key.isAutoRepeat()) {
            const std::uint16_t code = virtualkey(key);
            if (code != 0 && code < 256) downKeys().reset(code);
            if (code != 0 && handlers_.keyUp) handlers_.keyUp(code, shiftstate(key));
        }
    } else if (event->type() == QEvent::FocusOut || event->type() == QEvent::WindowDeactivate) {
        releaseallkeys();  // a key let go elsewhere must not stay down here
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvela
