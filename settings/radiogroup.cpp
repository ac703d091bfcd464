#include "settings/radiogroup.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/codec.h"

namespace orvela {

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), buttons_(new QButtonGroup(this)) {
    setLayout(new QVBoxLayout);
    // The group passes its focus on to the selected button, as one control would.
    setFocusPolicy(Qt::StrongFocus);
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked && onClick) onClick();
    });
}

void TRadioGroup::setItems(const Items& items) {
    for (QAbstractButton* old : buttons_->buttons()) {
        buttons_->removeButton(old);
        delete old;
    }
    items_ = items;
    for (int i = 0; i < count(); ++i) {
        auto* radio = new QRadioButton(codec::toQString(items_[static_cast<std::size_t>(i)].first), this);
        layout()->addWidget(radio);
        buttons_->addButton(radio, i);
    }
}

QRadioButton* TRadioGroup::button(int index) const { return static_cast<QRadioButton*>(buttons_->button(index)); }

int TRadioGroup::itemIndex() const { return buttons_->checkedId(); }

void TRadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < count()) {
        button(index)->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last button.
    if (QAbstractButton* checked = buttons_->checkedButton()) {
        buttons_->setExclusive(false);
        checked->setChecked(false);
        buttons_->setExclusive(true);
    }
}

void TRadioGroup::focusInEvent(QFocusEvent* event) {
    QGroupBox::focusInEvent(event);
    QAbstractButton* target = buttons_->checkedButton();
    if (!target && count() > 0) target = button(0);
    if (target) target->setFocus(event->reason());
}

}  // namespace orvela
