#include "app/unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "app/datafiles.h"
#include "app/executablepath.h"
#include "app/settingsfile.h"
#include "app/soundobjects.h"
#include "settings/unit7.h"
#include "platform/codec.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "keyboard/braillekeyboard.h"
#include "keyboard/keyboardfiles.h"
#include "keyboard/keyhandlers.h"
#include "platform/keys.h"
#include "runtime/print.h"
#include "runtime/screen.h"
#include "settings/resourcelocalizer.h"
#include "settings/unit3.h"
#include "settings/unit5.h"
#include "speech/speechoutput.h"
#include "speech/voicemenu.h"
#include "speech/voicesettings.h"

namespace orvela {

TForm1* Form1 = nullptr;
bool programstarted = false;

namespace {

void noProgram() {}
void (*builtinprogram)() = noProgram;

enum class Kind { command, checkItem };

// A menu command: its handler runs guarded, so an escaping error shows the error box.
// A check item's mark is set by its handler alone, never by the click itself.
template <typename Fn>
QAction* command(QMenu* menu, Fn handler, const QKeySequence& shortcut = {}, Kind kind = Kind::command) {
    QAction* action = menu->addAction(QString());
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    action->setCheckable(kind == Kind::checkItem);
    QObject::connect(action, &QAction::triggered, [action, handler, kind] {
        if (kind == Kind::checkItem) action->setChecked(!action->isChecked());
        guarded(handler);
    });
    return action;
}

QString caption(int offset, bool dots = false) {
    return codec::toQString(localized(offset) + (dots ? "..." : ""));
}

}  // namespace

void setprogram(void (*program)()) { builtinprogram = program ? program : noProgram; }

TForm1::TForm1() {
    Form1 = this;
    resize(500, 350);
    printmemo = new QPlainTextEdit(this);
    printmemo->setReadOnly(true);
    printmemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    printmemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    printmemo->setObjectName("printmemo");
    printmemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    printmemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCentralWidget(printmemo);
    setFocusProxy(printmemo);
    // The window sees every key before the screen control, which still gets it.
    printmemo->installEventFilter(new KeyEventFilter(
        {[](std::uint16_t key, unsigned shift) { guarded([&] { FormKeyDown(key, shift); }); },
         [](unsigned char ch) { guarded([&] { FormKeyPress(ch); }); },
         [](std::uint16_t key, unsigned shift) { guarded([&] { FormKeyUp(key, shift); }); }},
        this));
    buildMenu();
    fitScreen();
    orvela::screen().onChanged = [this] { showScreen(); };
    try {
        guarded([this] { FormCreate(); });
    } catch (...) {  // only the test hook of an ended process gets here
        orvela::screen().onChanged = nullptr;
        Form1 = nullptr;
        throw;
    }
}

TForm1::~TForm1() {
    orvela::screen().onChanged = nullptr;
    if (Form1 == this) Form1 = nullptr;
}

// The whole 24 x 80 screen fits the window, so nothing scrolls out of sight.
void TForm1::fitScreen() {
    const QFontMetrics metrics(printmemo->font());
    const int frame = 2 * (printmemo->frameWidth() + static_cast<int>(printmemo->document()->documentMargin())) + 4;
    const QSize text(metrics.horizontalAdvance(QString(kScreenColumns, 'M')) + frame,
                     metrics.lineSpacing() * kScreenRows + frame);
    resize(std::max(500, text.width()), std::max(350, text.height() + menuBar()->sizeHint().height()));
}

void TForm1::buildMenu() {
    Programmenu = menuBar()->addMenu(QString());
    Startsubmenu = command(Programmenu, [this] { StartsubmenuClick(); }, QKeySequence("Ctrl+S"));
    exitsubmenu = command(Programmenu, [this] { exitsubmenuClick(); });

    settingsmenu = menuBar()->addMenu(QString());
    braillekeyboarditem =
        command(settingsmenu, [] { braillekeyboarditemClick(); }, QKeySequence("Ctrl+B"), Kind::checkItem);
    soundssubmenu = command(settingsmenu, [] { soundssubmenuClick(); }, QKeySequence("Ctrl+D"));
    Voicesubmenu = command(settingsmenu, [] { VoicesubmenuClick(); }, QKeySequence("Ctrl+H"));
    usesapi5submenu =
        command(settingsmenu, [] { usesapi5submenuClick(); }, QKeySequence("Ctrl+P"), Kind::checkItem);
    environmentsubmenu = command(settingsmenu, [] { environmentsubmenuClick(); }, QKeySequence("Ctrl+E"));

    helpmenu = menuBar()->addMenu(QString());
    aboutsubmenu = command(helpmenu, [this] { aboutsubmenuClick(); });

    Voicesubmenu->setEnabled(false);
}

void TForm1::captionMenu() {
    Programmenu->setTitle(caption(2));
    Startsubmenu->setText(caption(3));
    exitsubmenu->setText(caption(33));
    settingsmenu->setTitle(caption(4));
    braillekeyboarditem->setText(caption(46));
    soundssubmenu->setText(caption(20, true));
    Voicesubmenu->setText(caption(38, true));
    usesapi5submenu->setText(caption(27));
    environmentsubmenu->setText(caption(5, true));
    helpmenu->setTitle(caption(34));
    aboutsubmenu->setText(caption(35));
}

void TForm1::FormCreate() {
    languagebase = settingsfile().readInteger("environment", "language", 1000);
    const QString exeName = QFileInfo(executablepath()).fileName().section('.', 0, 0);
    setWindowTitle(exeName + " - " + caption(1));
    captionMenu();
    resetscreen();

    speech::voiceready = false;
    speech::usesapi5 = false;
    programstarted = false;
    voiceallowed = false;
    orvelasounds = true;
    sndvolume = 0;
    braillekeys = false;

    speech::preparesapi4();
    readsettings();
    speech::usesapi5 = speech::voiceready = usesapi5submenu->isChecked();
    Voicesubmenu->setEnabled(voiceallowed);
    if (usesapi5submenu->isChecked()) Voicesubmenu->setEnabled(false);

    ramimage.fill(0);
    loadram();

    createsoundobjects();
    loadsounds();
    loadkeyboardfiles();
}

void TForm1::showScreen() {
    QStringList lines;
    for (const auto& line : orvela::screen().lines()) lines << codec::toQString(line);
    printmemo->setPlainText(lines.join('\n'));
}

void TForm1::setRunItemsEnabled(bool enabled) {
    for (QAction* item : {Startsubmenu, soundssubmenu, environmentsubmenu, Voicesubmenu, usesapi5submenu})
        item->setEnabled(enabled);
    helpmenu->menuAction()->setEnabled(enabled);
}

bool TForm1::running() const { return !Startsubmenu->isEnabled(); }

void TForm1::StartsubmenuClick() {
    setRunItemsEnabled(false);
    // The menu comes back however the run ends; an error still reaches the error box.
    struct AfterRun {
        TForm1* form;
        ~AfterRun() {
            closedatafile();
            form->setRunItemsEnabled(true);
        }
    } afterRun{this};

    if (!usesapi5submenu->isChecked()) {
        if (voiceallowed) readvoicesettings();
        if (!speech::voiceready && voiceallowed) {
            speech::openvoice();
            writevoicesettings();
            readvoicesettings();
        }
    }
    opendatafile();
    programstarted = true;
    resetrun();
    builtinprogram();
    printandspeak(localized(25), 0);
}

void TForm1::exitsubmenuClick() {
    saveram();
    if (Startsubmenu->isEnabled()) {
        close();
        return;
    }
    releasesoundobjects();
    endProcessNow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    const bool wasRunning = running();
    // FormClose: an image that cannot be written keeps the window open.
    if (!guarded([] { saveram(); })) {
        event->ignore();
        return;
    }
    releasesoundobjects();
    event->accept();
    // The program's waits must never keep a process alive without its window.
    if (wasRunning) endProcessNow();
}

void TForm1::aboutsubmenuClick() {
    if (Aboutbox) Aboutbox->exec();
}

}  // namespace orvela
