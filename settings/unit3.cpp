#include "settings/unit3.h"

#include <QPushButton>

#include "app/settingsfile.h"
#include "platform/codec.h"
#include "platform/messagebox.h"
#include "settings/radiogroup.h"
#include "settings/resourcelocalizer.h"

namespace orvela {

TForm3* Form3 = nullptr;

namespace {

QString text(int offset) { return codec::toQString(localized(offset)); }

std::int32_t storedlanguage() { return settingsfile().readInteger("environment", "language", 1000); }

}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    Form3 = this;
    setModal(true);
    setFixedSize(481, 315);

    languagergroup = new TRadioGroup(this);
    languagergroup->setGeometry(136, 40, 185, 105);
    languagergroup->onClick = [this] { languagergroupClick(); };

    okbitbtn = new QPushButton(this);
    okbitbtn->setGeometry(136, 184, 75, 25);
    okbitbtn->setDefault(true);
    connect(okbitbtn, &QPushButton::clicked, this, &QDialog::accept);

    cancelbitbtn = new QPushButton(this);
    cancelbitbtn->setGeometry(248, 184, 75, 25);
    cancelbitbtn->setAutoDefault(false);
    connect(cancelbitbtn, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
}

TForm3::~TForm3() {
    if (Form3 == this) Form3 = nullptr;
}

void TForm3::FormCreate() {
    std::vector<std::pair<std::string, std::int32_t>> languages;
    TResourceLocalizer::GetLanguages(languages);
    languagergroup->setItems(languages);
    // Selecting the first entry runs the click; the stored language is read again after it.
    languagergroup->setItemIndex(0);
    languagebase = storedlanguage();
    caption();
}

void TForm3::caption() {
    setWindowTitle(text(10));
    languagergroup->setTitle(text(9));
    okbitbtn->setText(text(7));
    cancelbitbtn->setText(text(8));
}

void TForm3::languagergroupClick() {
    const int index = languagergroup->itemIndex();
    if (index < 0) return;
    languagebase = languagergroup->value(index);
    caption();
}

void environmentsubmenuClick() {
    if (!Form3) return;
    TRadioGroup& group = *Form3->languagergroup;
    const std::int32_t remembered = languagebase;
    const int wanted = languagebase / 1000 - 1;
    group.setItemIndex(wanted >= group.count() ? group.count() - 1 : wanted);
    const int shownIndex = group.itemIndex();
    group.setFocus();
    if (Form3->exec() != QDialog::Accepted) {
        languagebase = remembered;
        return;
    }
    settingsfile().writeInteger("environment", "language", languagebase);
    if (group.itemIndex() != shownIndex) messageBoxes().message(localized(6));
}

}  // namespace orvela
