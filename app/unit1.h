#pragma once
// The main window: the text screen, the main menu, Start, Exit and About.
#include <QMainWindow>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace orvela {

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    void StartsubmenuClick();
    void exitsubmenuClick();
    void aboutsubmenuClick();
    // Whether a run of the program is in progress (Start is disabled).
    bool running() const;

    QPlainTextEdit* printmemo = nullptr;
    QMenu* Programmenu = nullptr;
    QAction* Startsubmenu = nullptr;
    QAction* exitsubmenu = nullptr;
    QMenu* settingsmenu = nullptr;
    QAction* braillekeyboarditem = nullptr;
    QAction* soundssubmenu = nullptr;
    QAction* Voicesubmenu = nullptr;
    QAction* usesapi5submenu = nullptr;
    QAction* environmentsubmenu = nullptr;
    QMenu* helpmenu = nullptr;
    QAction* aboutsubmenu = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void fitScreen();
    void FormCreate();
    void captionMenu();
    void showScreen();
    // The items Start disables for a run and enables again after it.
    void setRunItemsEnabled(bool enabled);
    // Closes from Exit while idle: the close runs FormClose as a real close does.
    bool closingFromExit_ = false;
};

// The one main window, created first.
extern TForm1* Form1;
// Set by the first Start, never reset.
extern bool programstarted;

// The built-in program that Start runs; replaced by tests.
void setprogram(void (*program)());

}  // namespace orvela
