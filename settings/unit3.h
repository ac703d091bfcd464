#pragma once
// The environment dialog: the language of the user interface.
#include <QDialog>

class QPushButton;

namespace orvela {

class TRadioGroup;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    TRadioGroup* languagergroup = nullptr;
    QPushButton* okbitbtn = nullptr;
    QPushButton* cancelbitbtn = nullptr;

    // The selected language becomes languagebase; the dialog re-captions itself in it.
    void languagergroupClick();

private:
    void FormCreate();
    void caption();
};

extern TForm3* Form3;

// Settings > Environment: shows the dialog; OK stores the language.
void environmentsubmenuClick();

}  // namespace orvela
