#pragma once
// A radio group in the manner of the classic toolkit: a framed caption over one radio
// button per item, each item carrying an integer, and an item index (-1: none).
#include <QGroupBox>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace orvela {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    using Items = std::vector<std::pair<std::string, std::int32_t>>;

    explicit TRadioGroup(QWidget* parent = nullptr);

    // Replaces the buttons; nothing is selected afterwards.
    void setItems(const Items& items);
    int count() const { return static_cast<int>(items_.size()); }
    std::int32_t value(int index) const { return items_.at(static_cast<std::size_t>(index)).second; }
    QRadioButton* button(int index) const;

    int itemIndex() const;
    // An index out of range selects nothing.
    void setItemIndex(int index);

    // Runs whenever an item that was not selected becomes selected, by a click, a key
    // or setItemIndex.
    std::function<void()> onClick;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    Items items_;
    QButtonGroup* buttons_;
};

}  // namespace orvela
