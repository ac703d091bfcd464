#include "settings/unit7.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "platform/codec.h"
#include "settings/resourcelocalizer.h"

namespace orvela {

TAboutbox* Aboutbox = nullptr;

namespace {

constexpr const char* kVersion = "1.7";

// A small speaker in the sixteen colours of the classic palette.
QPixmap programIcon() {
    QPixmap icon(32, 32);
    icon.fill(Qt::darkBlue);
    QPainter paint(&icon);
    paint.setPen(Qt::NoPen);
    paint.setBrush(Qt::yellow);
    paint.drawRect(6, 11, 7, 10);
    paint.drawPolygon(QPolygon({QPoint(13, 11), QPoint(22, 4), QPoint(22, 28), QPoint(13, 21)}));
    paint.setPen(QPen(Qt::white, 2));
    paint.drawArc(20, 10, 8, 12, -60 * 16, 120 * 16);
    return icon;
}

QLabel* label(QWidget* parent, int x, int y) {
    auto* l = new QLabel(parent);
    l->move(x, y);
    return l;
}

}  // namespace

TAboutbox::TAboutbox(QWidget* parent) : QDialog(parent) {
    Aboutbox = this;
    setModal(true);
    setFixedSize(298, 213);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 281, 161);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(8, 8, 65, 57);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(programIcon());

    ProductName = label(Panel1, 88, 16);
    Version = label(Panel1, 88, 40);
    Copyright = label(Panel1, 8, 80);
    Copyright->setText(QStringLiteral("Copyright \u00A9 the Orvela authors"));
    Comments = label(Panel1, 8, 104);
    Comments->setWordWrap(true);

    OKButton = new QPushButton(this);
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

TAboutbox::~TAboutbox() {
    if (Aboutbox == this) Aboutbox = nullptr;
}

void TAboutbox::FormCreate() {
    setWindowTitle(codec::toQString(localized(36)));
    ProductName->setText(codec::toQString(localized(1)));
    ProductName->adjustSize();
    Version->setText(codec::toQString(localized(37) + " " + kVersion));
    Version->adjustSize();
    OKButton->setText(codec::toQString(localized(7)));
}

}  // namespace orvela
