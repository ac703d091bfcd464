#include "speech/unit4.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "app/settingsfile.h"
#include "platform/codec.h"
#include "platform/messagebox.h"
#include "settings/resourcelocalizer.h"
#include "speech/speechoutput.h"

namespace orvela {

TForm4* Form4 = nullptr;
bool voicedialogshown = false;
std::bitset<256> worddelimiters;

namespace {

QSlider* newBar(QWidget* parent) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setRange(0, 10);
    bar->setValue(0);
    bar->setSingleStep(1);
    bar->setPageStep(2);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setEnabled(false);
    return bar;
}

std::string caption(const QLabel* label) { return codec::fromQString(label->text()); }
std::string caption(const QPushButton* button) { return codec::fromQString(button->text()); }

// Cut off the voice: only when a voice is open to cut off.
void cutOff() {
    if (speech::ttscentral) checkResult(speech::ttscentral->AudioReset());
}

}  // namespace

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    Form4 = this;
    voicedialogshown = false;
    worddelimiters.reset();
    // Design texts, kept when the creation fails before the captions are set.
    setWindowTitle(QStringLiteral("Voice settings"));
    voicelist = new QListWidget(this);
    voicelist->setSelectionMode(QAbstractItemView::SingleSelection);
    voicestatic = new QLabel(QStringLiteral("&Voices"), this);
    pitchtb = newBar(this);
    pitchstatic = new QLabel(QStringLiteral("&Pitch"), this);
    speedtb = newBar(this);
    speedstatic = new QLabel(QStringLiteral("&Speed"), this);
    volumetb = newBar(this);
    volumestatic = new QLabel(QStringLiteral("Vo&lume"), this);
    vyberhlasbitbtn = new QPushButton(QStringLiteral("&Choose voice"), this);
    closebitbtn = new QPushButton(QStringLiteral("&Close"), this);
    vyberhlasbitbtn->setDefault(true);

    const std::pair<QLabel*, QWidget*> buddies[] = {
        {voicestatic, voicelist}, {pitchstatic, pitchtb}, {speedstatic, speedtb}, {volumestatic, volumetb}};
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const auto& [label, control] : buddies) {
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        ++row;
    }
    pitchstatic->setEnabled(false);
    speedstatic->setEnabled(false);
    volumestatic->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(vyberhlasbitbtn);
    buttons->addWidget(closebitbtn);
    grid->addLayout(buttons, row, 0, 1, 2);

    QWidget* order[] = {voicelist, pitchtb, speedtb, volumetb, vyberhlasbitbtn, closebitbtn};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    for (QWidget* control : order) control->installEventFilter(this);

    connect(vyberhlasbitbtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(closebitbtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(voicelist, &QListWidget::currentRowChanged, this, [this] { guarded([this] { voicelistClick(); }); });
    connect(pitchtb, &QSlider::valueChanged, this, [this] { guarded([this] { pitchtbChange(); }); });
    connect(speedtb, &QSlider::valueChanged, this, [this] { guarded([this] { speedtbChange(); }); });
    connect(volumetb, &QSlider::valueChanged, this, [this] { guarded([this] { volumetbChange(); }); });

    guarded([this] { FormCreate(); });
}

// The dialog holds the speech service's voice: with it go every engine object.
TForm4::~TForm4() {
    if (Form4 != this) return;
    Form4 = nullptr;
    speech::resetspeech();
}

void TForm4::FormCreate() {
    speech::voice5.setEventInterests(sapi5::SVEAllEvents);
    speech::createnotifysink();
    setWindowTitle(codec::toQString(localized(11)));
    voicestatic->setText(codec::toQString(localized(12)));
    pitchstatic->setText(codec::toQString(localized(13)));
    speedstatic->setText(codec::toQString(localized(14)));
    volumestatic->setText(codec::toQString(localized(15)));
    vyberhlasbitbtn->setText(codec::toQString(localized(16)));
    closebitbtn->setText(codec::toQString(localized(17)));
    voiceallowed = settingsfile().readBool("voice", "voiceallowed", true);
    if (voiceallowed) speech::listvoices();
    worddelimiters.reset();
    for (const unsigned char delimiter : {13, 32, 44}) worddelimiters.set(delimiter);
}

void TForm4::FormActivate() {
    speech::speakandwait(localized(11));
    const std::string voice = selectedvoice();
    speech::speakandwait(voice.empty() ? caption(voicestatic) : caption(voicestatic) + " " + voice);
    voicedialogshown = true;
}

void TForm4::FormClose() { voicedialogshown = false; }

void TForm4::voicelistClick() {
    if (!speech::ttsenum) return;
    if (isActiveWindow()) cutOff();
    speech::capturevoicemode();
    if (isActiveWindow()) speech::speakandwait(selectedvoice());
}

void TForm4::voicelistEnter() {
    if (!voicedialogshown) return;
    if (isActiveWindow()) cutOff();
    const std::string voice = selectedvoice();
    speech::speakandwait(voice.empty() ? caption(voicestatic) : caption(voicestatic) + " " + voice);
}

void TForm4::barEnter(QSlider* bar, QLabel* label) {
    if (isActiveWindow()) cutOff();
    speech::speakandwait(caption(label) + " " + std::to_string(bar->value()));
}

void TForm4::pitchtbEnter() { barEnter(pitchtb, pitchstatic); }
void TForm4::speedtbEnter() { barEnter(speedtb, speedstatic); }
void TForm4::volumetbEnter() { barEnter(volumetb, volumestatic); }

void TForm4::vyberhlasbitbtnEnter() {
    if (isActiveWindow()) cutOff();
    speech::speakandwait(caption(vyberhlasbitbtn));
}

void TForm4::closebitbtnEnter() {
    if (isActiveWindow()) cutOff();
    speech::speakandwait(caption(closebitbtn));
}

void TForm4::barChange(QSlider* bar, const char* tag, int factor) {
    cutOff();
    if (speech::ttscentral)
        checkResult(speech::ttscentral->Inject(tag + std::to_string(bar->value() * factor) + "\\"));
    if (isActiveWindow()) speech::speakandwait(std::to_string(bar->value()));
}

void TForm4::pitchtbChange() { barChange(pitchtb, "\\Pit=", 1); }
void TForm4::speedtbChange() { barChange(speedtb, "\\Spd=", 1); }
void TForm4::volumetbChange() { barChange(volumetb, "\\Vol=", 256); }

void TForm4::enablebars() {
    for (QWidget* control : {static_cast<QWidget*>(speedtb), static_cast<QWidget*>(speedstatic),
                             static_cast<QWidget*>(pitchtb), static_cast<QWidget*>(pitchstatic),
                             static_cast<QWidget*>(volumetb), static_cast<QWidget*>(volumestatic)})
        control->setEnabled(true);
}

void TForm4::runChange(QSlider* bar) {
    if (bar == pitchtb)
        pitchtbChange();
    else if (bar == speedtb)
        speedtbChange();
    else
        volumetbChange();
}

void TForm4::setbarrange(QSlider* bar, int lo, int hi) {
    const int before = bar->value();
    {
        const QSignalBlocker quiet(bar);
        bar->setRange(lo, hi);
    }
    if (bar->value() != before) runChange(bar);
}

void TForm4::setbarposition(QSlider* bar, int position) {
    const int before = bar->value();
    {
        const QSignalBlocker quiet(bar);
        bar->setValue(position);
    }
    if (bar->value() != before) runChange(bar);
}

std::string TForm4::selectedvoice() const {
    const auto* item = voicelist->currentItem();
    return item && voicelist->currentRow() >= 0 ? codec::fromQString(item->text()) : std::string();
}

void TForm4::done(int result) {
    FormClose();
    QDialog::done(result);
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    // A control is entered when the focus moves to it, not when the window comes back.
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason) {
        guarded([this, watched] {
            if (watched == voicelist)
                voicelistEnter();
            else if (watched == pitchtb)
                pitchtbEnter();
            else if (watched == speedtb)
                speedtbEnter();
            else if (watched == volumetb)
                volumetbEnter();
            else if (watched == vyberhlasbitbtn)
                vyberhlasbitbtnEnter();
            else if (watched == closebitbtn)
                closebitbtnEnter();
        });
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::showEvent(QShowEvent* event) {
    announced_ = false;
    QDialog::showEvent(event);
}

void TForm4::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // The dialog announces itself when it is shown, not each time it becomes active again
    // (an error box closing over it, the user switching back to it).
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !announced_) {
        announced_ = true;
        guarded([this] { FormActivate(); });
    }
}

}  // namespace orvela
