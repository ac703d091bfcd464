#pragma once
// The About box: product name and version.
#include <QDialog>

class QLabel;
class QPushButton;
class QFrame;

namespace orvela {

class TAboutbox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutbox(QWidget* parent = nullptr);
    ~TAboutbox() override;

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;

private:
    void FormCreate();
};

extern TAboutbox* Aboutbox;

}  // namespace orvela
