#pragma once
// The voice dialog: choose the direct engine's voice and set its pitch, speed and
// volume, hearing every step.
#include <QDialog>
#include <bitset>
#include <string>

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

namespace orvela {

class TForm4 : public QDialog {
    Q_OBJECT

public:
    // Builds the controls and runs FormCreate; an error there is shown in the error box.
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    QListWidget* voicelist;
    QLabel* voicestatic;
    QSlider* pitchtb;
    QLabel* pitchstatic;
    QSlider* speedtb;
    QLabel* speedstatic;
    QSlider* volumetb;
    QLabel* volumestatic;
    QPushButton* vyberhlasbitbtn;
    QPushButton* closebitbtn;

    void FormCreate();
    void FormActivate();
    void FormClose();
    void voicelistClick();
    void voicelistEnter();
    void pitchtbEnter();
    void speedtbEnter();
    void volumetbEnter();
    void vyberhlasbitbtnEnter();
    void closebitbtnEnter();
    void pitchtbChange();
    void speedtbChange();
    void volumetbChange();

    // A voice was opened: the bars and their labels become usable.
    void enablebars();
    // The program moves a bar: a changed position runs the bar's change handler, and an
    // error raised there goes up to the caller.
    void setbarrange(QSlider* bar, int lo, int hi);
    void setbarposition(QSlider* bar, int position);
    // The text of the selected voice, or "" when none is selected (Windows-1250).
    std::string selectedvoice() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool announced_ = false;  // since it was last shown
    void barEnter(QSlider* bar, QLabel* label);
    void barChange(QSlider* bar, const char* tag, int factor);
    void runChange(QSlider* bar);
};

extern TForm4* Form4;
// True from the dialog's activation until it closes.
extern bool voicedialogshown;
// The characters that end a word for the screen review.
extern std::bitset<256> worddelimiters;

}  // namespace orvela
