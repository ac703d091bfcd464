#pragma once
// The screen review window: a copy of the screen read aloud by line, word and character.
#include <QDialog>
#include <cstdint>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace orvela {

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    QPlainTextEdit* virtualscrmemo = nullptr;
    QPushButton* closebitbtn = nullptr;

    // Before the control acts on the key: cuts speech off, F2 says where the caret is,
    // Escape closes.
    void virtualscrmemoKeyDown(std::uint16_t key, unsigned shift);
    // After the control has moved the caret: reads the line, character or word reached.
    void virtualscrmemoKeyUp(std::uint16_t key, unsigned shift);

    // Takes the screen's text unless the control already holds exactly that text.
    void takescreen();
    // The control's whole text as Windows-1250, each line ended by CR LF.
    const std::string& text() const { return text_; }
    // The caret in characters from the start of the text, a line end counting two.
    int caret() const;
    int caretline() const;
    // Lines of the text, not counting an empty last line.
    int linecount() const;
    std::string line(int index) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    // The edge rule: the first arrival at an edge is silent, a further one clicks.
    void edge(bool atEdge);
    std::string text_;
};

extern TForm6* Form6;
// The caret has already been reported once at an edge of the text.
extern bool reviewedge;

// Opens the review of the screen, unless the memory image forbids it.
void showvirtualscreen();

}  // namespace orvela
