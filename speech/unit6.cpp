#include "speech/unit6.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "platform/keys.h"
#include "platform/messagebox.h"
#include "runtime/functions.h"
#include "runtime/input.h"
#include "runtime/screen.h"
#include "runtime/soundcommands.h"
#include "settings/resourcelocalizer.h"
#include "speech/speechoutput.h"
#include "speech/unit4.h"

namespace orvela {

TForm6* Form6 = nullptr;
bool reviewedge = false;

namespace {

constexpr double kReviewAddress = 50730;
constexpr std::uint16_t kHome = 0x24, kEnd = 0x23;

// The two notes that open and close the review.
void reviewsignal() { sound({300, 450}, 100, 5); }

// One block per screen line: a line end inside a line would split the view's lines
// from the text's, so the view shows it as a blank.
QString viewtext(const std::string& text) {
    QString view;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        QString line = codec::toQString(text.substr(start, end - start));
        line.replace('\r', ' ').replace('\n', ' ');
        view += line + '\n';
    }
    return view + codec::toQString(text.substr(start));
}

}  // namespace

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    Form6 = this;
    setModal(true);

    virtualscrmemo = new QPlainTextEdit(this);
    virtualscrmemo->setReadOnly(true);
    // Read-only, yet the keys move a visible caret.
    virtualscrmemo->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    virtualscrmemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    virtualscrmemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    virtualscrmemo->installEventFilter(new KeyEventFilter(
        {[this](std::uint16_t key, unsigned shift) { guarded([&] { virtualscrmemoKeyDown(key, shift); }); },
         nullptr,
         [this](std::uint16_t key, unsigned shift) { guarded([&] { virtualscrmemoKeyUp(key, shift); }); }},
        this));

    closebitbtn = new QPushButton(this);
    closebitbtn->setFocusPolicy(Qt::NoFocus);
    closebitbtn->setAutoDefault(false);
    connect(closebitbtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(virtualscrmemo);
    layout->addWidget(closebitbtn, 0, Qt::AlignHCenter);

    const QFontMetrics metrics(virtualscrmemo->font());
    resize(metrics.horizontalAdvance(QString(kScreenColumns + 4, 'M')),
           metrics.lineSpacing() * (kScreenRows + 2) + closebitbtn->sizeHint().height() + 24);

    FormCreate();
}

TForm6::~TForm6() {
    if (Form6 == this) Form6 = nullptr;
}

void TForm6::FormCreate() {
    setWindowTitle(codec::toQString(localized(26)));
    closebitbtn->setText(codec::toQString(localized(17)));
}

// The control takes Enter and Escape itself; the dialog never sees them.
void TForm6::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm6::takescreen() {
    const std::string copy = orvela::screen().text();
    if (copy == text_) return;
    text_ = copy;
    virtualscrmemo->setPlainText(viewtext(text_));
    virtualscrmemo->moveCursor(QTextCursor::Start);
}

int TForm6::caret() const {
    const QTextCursor cursor = virtualscrmemo->textCursor();
    return cursor.position() + cursor.blockNumber();  // each line end above is one more character
}

int TForm6::caretline() const { return virtualscrmemo->textCursor().blockNumber(); }

int TForm6::linecount() const {
    int lines = 0;
    std::size_t start = 0;
    for (std::size_t end; (end = text_.find("\r\n", start)) != std::string::npos; start = end + 2) ++lines;
    return start < text_.size() ? lines + 1 : lines;
}

std::string TForm6::line(int index) const {
    std::size_t start = 0;
    for (int k = 0; k < index; ++k) {
        const std::size_t end = text_.find("\r\n", start);
        if (end == std::string::npos) return {};
        start = end + 2;
    }
    if (start > text_.size()) return {};
    return text_.substr(start, text_.find("\r\n", start) - start);
}

void TForm6::virtualscrmemoKeyDown(std::uint16_t key, unsigned /*shift*/) {
    if (speech::voiceready) {
        speech::stopspeech();
        if (key == vk::F2) {
            const int l = caretline();
            int c = caret() + 1;
            for (int k = 0; k < l; ++k) c -= static_cast<int>(line(k).size()) + 2;
            speech::speakandwait(localized(31) + " " + std::to_string(l + 1) + ", " + localized(32) + " " +
                                 std::to_string(c));
        }
    }
    if (key == vk::Escape) reject();
}

void TForm6::edge(bool atEdge) {
    if (!atEdge) {
        reviewedge = false;
    } else if (!reviewedge) {
        reviewedge = true;
    } else {
        click(16);
    }
}

void TForm6::virtualscrmemoKeyUp(std::uint16_t key, unsigned shift) {
    if (!speech::voiceready) return;
    const int l = caretline();
    if (key == vk::Up || key == vk::Down) {
        edge(l == 0 || l >= linecount());
        const std::string current = line(l);
        speech::speakandwait(current.empty() ? localized(29) : current);
        return;
    }
    if (key != vk::Left && key != vk::Right && key != kHome && key != kEnd) return;

    const auto at = static_cast<std::size_t>(caret());
    edge(at == 0 || at == text_.size());
    if (text_.empty()) return;
    const char here = at < text_.size() ? text_[at] : '\0';
    if (shift & ssCtrl) {
        if (key != vk::Left && key != vk::Right) return;
        std::size_t end = at;
        while (end < text_.size() && !worddelimiters.test(static_cast<unsigned char>(text_[end]))) ++end;
        // An empty word (the caret on a delimiter) says nothing.
        if (end > at) speech::speakandwait(text_.substr(at, end - at));
        return;
    }
    speech::echochar(std::string(1, here));
}

void showvirtualscreen() {
    if (!Form6 || peek(kReviewAddress) == 1) return;
    inputline.clear();
    Form6->virtualscrmemo->setFocus();
    Form6->takescreen();
    reviewsignal();
    speech::speak(localized(26));
    if (Form6->exec() == QDialog::Rejected) {
        reviewsignal();
        speech::speakandwait(localized(30));
    }
}

}  // namespace orvela
