#pragma once
// The sounds dialog: whether the system may speak, whether the device sounds play,
// and their volume, which changes live with a sample note.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace orvela {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    QCheckBox* voicecheckbox = nullptr;
    QCheckBox* orvelasoundschk = nullptr;
    QSlider* sndvoltrackbar = nullptr;
    QLabel* sndvolstatic = nullptr;
    QPushButton* okbitbtn = nullptr;
    QPushButton* cancelbitbtn = nullptr;

    // The bar is usable exactly while the device sounds are checked.
    void orvelasoundschkClick();
    // The position becomes the volume; a sample plays while the dialog is active.
    void sndvoltrackbarChange();

private:
    void FormCreate();
};

extern TForm5* Form5;

// Settings > Sounds: shows the dialog; OK applies and writes the three settings,
// anything else puts the volume back.
void soundssubmenuClick();

}  // namespace orvela
