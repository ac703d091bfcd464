#include "settings/unit5.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <cstdint>

#include "app/settingsfile.h"
#include "app/unit1.h"
#include "platform/codec.h"
#include "platform/messagebox.h"
#include "runtime/soundcommands.h"
#include "settings/resourcelocalizer.h"
#include "speech/speechoutput.h"
#include "speech/voicesettings.h"

namespace orvela {

TForm5* Form5 = nullptr;

namespace {

QString text(int offset) { return codec::toQString(localized(offset)); }

// Track bar positions 0 to 100 stand for -10000 to 0 hundredths of a decibel.
constexpr int kVolumeStep = 100;
constexpr int kSilent = -10000;

// Wider than the classic 97 pixels: the captions are drawn in the desktop's larger font.
constexpr int kCaptionWidth = 230;

QCheckBox* checkbox(QWidget* parent, int x, int y) {
    auto* box = new QCheckBox(parent);
    box->setGeometry(x, y, kCaptionWidth, 17);
    return box;
}

}  // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    Form5 = this;
    setModal(true);
    setFixedSize(398, 256);

    // Created in tab order.
    voicecheckbox = checkbox(this, 152, 40);
    orvelasoundschk = checkbox(this, 152, 72);
    connect(orvelasoundschk, &QCheckBox::toggled, this, [this] { orvelasoundschkClick(); });

    sndvoltrackbar = new QSlider(Qt::Horizontal, this);
    sndvoltrackbar->setGeometry(120, 104, 150, 45);
    sndvoltrackbar->setRange(0, 100);
    sndvoltrackbar->setTickPosition(QSlider::TicksBelow);
    sndvoltrackbar->setTickInterval(10);
    connect(sndvoltrackbar, &QSlider::valueChanged, this, [this] { guarded([this] { sndvoltrackbarChange(); }); });

    okbitbtn = new QPushButton(this);
    okbitbtn->setGeometry(104, 176, 75, 25);
    okbitbtn->setDefault(true);
    connect(okbitbtn, &QPushButton::clicked, this, &QDialog::accept);

    cancelbitbtn = new QPushButton(this);
    cancelbitbtn->setGeometry(224, 176, 75, 25);
    cancelbitbtn->setAutoDefault(false);
    connect(cancelbitbtn, &QPushButton::clicked, this, &QDialog::reject);

    sndvolstatic = new QLabel(this);
    sndvolstatic->setGeometry(152, 136, kCaptionWidth, 17);
    sndvolstatic->setBuddy(sndvoltrackbar);

    FormCreate();
}

TForm5::~TForm5() {
    if (Form5 == this) Form5 = nullptr;
}

void TForm5::FormCreate() {
    setWindowTitle(text(21));
    voicecheckbox->setText(text(22));
    orvelasoundschk->setText(text(39));
    sndvolstatic->setText(text(28));
    okbitbtn->setText(text(7));
    cancelbitbtn->setText(text(8));
}

void TForm5::orvelasoundschkClick() { sndvoltrackbar->setEnabled(orvelasoundschk->isChecked()); }

void TForm5::sndvoltrackbarChange() {
    sndvolume = sndvoltrackbar->value() * kVolumeStep + kSilent;
    // Silent by itself while the device sounds are off (the setting, not the box).
    if (isActiveWindow()) sound({1000}, 100, 1);
}

namespace {

// OK: a voice newly allowed is listed and opened, unless there is no engine to speak.
void allowvoice(TForm5& form) {
    if (form.voicecheckbox->isChecked() && !voiceallowed) {
        if (!speech::sapi4available()) {
            form.voicecheckbox->setChecked(false);
            messageBoxes().message(localized(40));
        } else {
            speech::listvoices();
            speech::openvoice();
            writevoicesettings();
        }
    }
    voiceallowed = form.voicecheckbox->isChecked();
    if (Form1) Form1->Voicesubmenu->setEnabled(voiceallowed);
    orvelasounds = form.orvelasoundschk->isChecked();
    writesettings();
}

}  // namespace

void soundssubmenuClick() {
    if (!Form5) return;
    TForm5& form = *Form5;
    form.voicecheckbox->setChecked(voiceallowed);
    form.orvelasoundschk->setChecked(orvelasounds);
    // Moving the bar stores its own rounding of the volume back; no sample, not yet active.
    // Wide arithmetic: a volume from the file may lie anywhere in 32 bits.
    const std::int64_t position = (std::int64_t{sndvolume} - kSilent) / kVolumeStep;
    form.sndvoltrackbar->setValue(static_cast<int>(std::clamp<std::int64_t>(position, 0, 100)));
    form.sndvoltrackbar->setEnabled(orvelasounds);
    const std::int32_t remembered = sndvolume;
    form.voicecheckbox->setFocus();
    if (form.exec() == QDialog::Accepted) {
        allowvoice(form);
    } else {
        sndvolume = remembered;
    }
}

}  // namespace orvela
