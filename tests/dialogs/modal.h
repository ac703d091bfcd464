#pragma once
// Acting on a modal dialog from inside its own event loop, with real key events.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace orvela::testing {

// Once `dialog` is the visible modal window, runs `act` inside its loop. Lives as
// long as the test's scope, so a dialog that never opens leaves nothing behind.
class WhenShown {
public:
    WhenShown(QWidget* dialog, std::function<void()> act) : timer_(std::make_unique<QTimer>()) {
        timer_->setInterval(0);
        QObject::connect(timer_.get(), &QTimer::timeout, [this, dialog, act] {
            if (QApplication::activeModalWidget() != dialog || !dialog->isActiveWindow()) return;
            timer_->stop();
            ran_ = true;
            act();
        });
        timer_->start();
    }
    bool ran() const { return ran_; }

private:
    std::unique_ptr<QTimer> timer_;
    bool ran_ = false;
};

// A key pressed and released on the widget that has the focus.
inline void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeModalWidget();
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

}  // namespace orvela::testing
