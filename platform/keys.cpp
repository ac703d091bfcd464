#include "platform/keys.h"

#include <QEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <bitset>
#include <unordered_map>

#include "platform/codec.h"
#include "platform/keycompose.h"

namespace orvela {
namespace {

struct KeyState {
    std::bitset<256> down;
    bool repeating = false;
    // The code each physical key got at its key-down: its key-up reports the same, whatever
    // the modifiers and the layout make of it by then.
    std::unordered_map<quint32, std::uint16_t> byScanCode;
};

KeyState& keys() {
    static KeyState state;
    return state;
}

KeyComposer& composer() {
    static KeyComposer instance;
    return instance;
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

// Keys that X11 gives a text but that type no character on Windows.
constexpr int kKeysTypingNothing[] = {Qt::Key_Delete};

// A press within this time that pairs a release is the server's auto-repeat.
constexpr int kRepeatPairMs = 25;

QString typedtext(const QKeyEvent& event) {
    switch (composer().feed(event.nativeVirtualKey())) {
    case KeyComposer::Result::composing:
        return {};
    case KeyComposer::Result::composed:
        return composer().text();
    case KeyComposer::Result::none:
        break;
    }
    for (const int key : kKeysTypingNothing)
        if (event.key() == key) return {};
    return event.text();
}

}  // namespace

std::uint16_t virtualkey(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint16_t>(key);  // same codes
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::uint16_t>(vk::F1 + (key - Qt::Key_F1));
    for (const auto& named : kNamedKeys)
        if (named.qtKey == key) return named.virtualKey;
    if (key == 0 || key == Qt::Key_unknown) return event.text().isEmpty() ? 0 : vk::OtherCharacter;
    return vk::OtherCharacter;  // punctuation, dead keys and letters of other layouts
}

unsigned shiftstate(const QKeyEvent& event) {
    const auto mods = event.modifiers();
    return (mods & Qt::ShiftModifier ? ssShift : 0u) | (mods & Qt::AltModifier ? ssAlt : 0u) |
           (mods & Qt::ControlModifier ? ssCtrl : 0u);
}

bool keydown(std::uint16_t virtualKey) { return virtualKey < 256 && keys().down.test(virtualKey); }

bool keyrepeats() { return keys().repeating; }

void releaseallkeys() {
    keys().down.reset();
    keys().byScanCode.clear();
    composer().reset();
}

KeyEventFilter::KeyEventFilter(KeyHandlers handlers, QObject* parent)
    : QObject(parent), handlers_(std::move(handlers)) {
    static const bool asked = usedetectableautorepeat(true);
    (void)asked;
    releaseTimer_.setSingleShot(true);
    releaseTimer_.setInterval(kRepeatPairMs);
    connect(&releaseTimer_, &QTimer::timeout, this, [this] { deliverPendingRelease(); });
}

bool KeyEventFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        keyPressed(static_cast<const QKeyEvent&>(*event));
        break;
    case QEvent::KeyRelease:
        keyReleased(static_cast<const QKeyEvent&>(*event));
        break;
    case QEvent::InputMethodQuery: {
        // An input method would hand a composed letter apart from the key events, ahead of
        // the releases queued before it; the dead keys are composed here instead.
        auto& query = static_cast<QInputMethodQueryEvent&>(*event);
        if (!(query.queries() & Qt::ImEnabled)) break;
        watched->event(event);
        query.setValue(Qt::ImEnabled, false);
        return true;
    }
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
        deliverPendingRelease();
        releaseallkeys();  // a key let go elsewhere must not stay down here
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void KeyEventFilter::keyPressed(const QKeyEvent& event) {
    const quint32 scanCode = event.nativeScanCode();
    if (pendingRelease_ && pendingRelease_->scanCode == scanCode && pendingRelease_->timestamp == event.timestamp()) {
        pendingRelease_.reset();  // the server's repeat of a key that is still held
        releaseTimer_.stop();
    }
    deliverPendingRelease();
    auto& held = keys().byScanCode;
    const auto remembered = scanCode != 0 ? held.find(scanCode) : held.end();
    const bool isHeld = remembered != held.end();
    const std::uint16_t code = isHeld ? remembered->second : virtualkey(event);
    if (scanCode != 0 && code != 0) held[scanCode] = code;
    // A held key repeats as key-down and key-press without a key-up between.
    keys().repeating = scanCode != 0 ? isHeld : keydown(code);
    if (code != 0 && code < 256) keys().down.set(code);
    if (code != 0 && handlers_.keyDown) handlers_.keyDown(code, shiftstate(event));
    for (const QChar ch : typedtext(event)) {
        const unsigned char byte = codec::cp1250FromUnicode(ch.unicode());
        if ((byte != 0 || ch.unicode() == 0) && handlers_.keyPress) handlers_.keyPress(byte);
    }
    keys().repeating = false;
}

void KeyEventFilter::keyReleased(const QKeyEvent& event) {
    if (event.isAutoRepeat()) return;
    deliverPendingRelease();
    const quint32 scanCode = event.nativeScanCode();
    const auto& held = keys().byScanCode;
    const auto remembered = scanCode != 0 ? held.find(scanCode) : held.end();
    pendingRelease_ = Release{remembered != held.end() ? remembered->second : virtualkey(event), shiftstate(event),
                              scanCode, event.timestamp()};
    if (scanCode != 0 && !detectableautorepeat())
        releaseTimer_.start();
    else
        deliverPendingRelease();
}

void KeyEventFilter::deliverPendingRelease() {
    if (!pendingRelease_) return;
    releaseTimer_.stop();
    const Release release = *pendingRelease_;
    pendingRelease_.reset();
    if (release.scanCode != 0) keys().byScanCode.erase(release.scanCode);
    if (release.key != 0 && release.key < 256) keys().down.reset(release.key);
    if (release.key != 0 && handlers_.keyUp) handlers_.keyUp(release.key, release.shift);
}

}  // namespace orvela
