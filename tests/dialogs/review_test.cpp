#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <memory>

#include "app/datafiles.h"
#include "keyboard/echokeys.h"
#include "app/unit1.h"
#include "platform/codec.h"
#include "platform/testing/recordingsound.h"
#include "platform/testing/virtualtime.h"
#include "runtime/input.h"
#include "runtime/screen.h"
#include "settings/resourcelocalizer.h"
#include "speech/speechoutput.h"
#include "speech/unit6.h"
#include "support/speechrecorder.h"
#include "dialogfixture.h"
#include "modal.h"

namespace orvela {
namespace {

using testing::press;
using testing::WhenShown;

class ReviewTest : public testing::DialogFixture {
protected:
    ReviewTest() { startSpeaking("[voice]\nvoiceallowed=0\n"); }
    ~ReviewTest() override { speech.reset(); }

    // The windows over this settings file, then a voice that records what it says.
    void startSpeaking(const std::string& ini) {
        speech.reset();  // takes its speech service with it
        {
            testing::RecordingSpeechService boot;
            restart(ini);
        }
        speech = std::make_unique<testing::SpeechRecorder>();
        reviewedge = false;
    }

    // Prints each text on its own screen line, from the top.
    static void show(std::initializer_list<std::string> lines) {
        resetscreen();
        for (const auto& line : lines) printtext(line);
    }
    // Opens the review, runs the keys inside it, closes it with Escape. What was said
    // and played while open is kept in said and played.
    void review(const std::function<void()>& keys) {
        WhenShown inside(Form6, [&] {
            speech->clear();
            sounds.events.clear();
            keys();
            said = speech->spoken();
            played = sounds.texts();
            press(Qt::Key_Escape);
        });
        showvirtualscreen();
        ASSERT_TRUE(inside.ran());
    }
    // Just the clicks among what was played.
    int clicks() const {
        int n = 0;
        for (const auto& p : played) n += p.rfind("play click16", 0) == 0;
        return n;
    }
    static int caretline() { return Form6->virtualscrmemo->textCursor().blockNumber(); }

    std::unique_ptr<testing::SpeechRecorder> speech;
    std::vector<std::string> said;
    std::vector<std::string> played;
};

std::string padded(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

TEST_F(ReviewTest, OpeningSignalsAndClosingSaysEndOfScreen) {
    show({"ahoj"});
    inputline = "\x52";
    WhenShown inside(Form6, [&] {
        EXPECT_TRUE(inputline.empty());  // the key that asked never reaches the program
        EXPECT_EQ(sounds.texts(), (std::vector<std::string>{"play snd15 looped 19200 Hz 0 cB",
                                                            "play snd25 looped 28800 Hz 0 cB",
                                                            "stop snd15", "stop snd25"}));
        EXPECT_EQ(speech->spoken(), std::vector<std::string>{"Obrazovka"});
        EXPECT_EQ(QApplication::focusWidget(), Form6->virtualscrmemo);
        sounds.events.clear();
        speech->clear();
        press(Qt::Key_Escape);
    });
    showvirtualscreen();
    ASSERT_TRUE(inside.ran());
    EXPECT_FALSE(Form6->isVisible());
    EXPECT_EQ(sounds.texts().size(), 4u);  // the same two notes again
    EXPECT_EQ(speech->spoken(), std::vector<std::string>{"konec obrazovky"});
    EXPECT_EQ(Form6->virtualscrmemo->toPlainText().count('\n'), 24);
    EXPECT_EQ(Form6->windowTitle(), "Obrazovka");
    EXPECT_EQ(Form6->closebitbtn->text(), "Za&vřít");
}

TEST_F(ReviewTest, EveryWayOfClosingEndsTheScreen) {
    const std::function<void()> ways[] = {[] { Form6->closebitbtn->click(); }, [] { Form6->close(); }};
    for (const auto& close : ways) {
        WhenShown inside(Form6, [&] {
            press(Qt::Key_Return);  // taken by the text, the window stays
            EXPECT_TRUE(Form6->isVisible());
            speech->clear();
            close();
        });
        showvirtualscreen();
        EXPECT_EQ(speech->spoken(), std::vector<std::string>{"konec obrazovky"});
    }
}

TEST_F(ReviewTest, ByteOneAt50730DisablesTheReview) {
    const struct {
        unsigned char value;
        bool opens;
    } cases[] = {{1, false}, {0, true}, {2, true}, {255, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.value));
        ramimage[50730] = c.value;
        inputline = "\x51";
        speech->clear();
        sounds.events.clear();
        WhenShown inside(Form6, [] { press(Qt::Key_Escape); });
        showvirtualscreen();
        EXPECT_EQ(inside.ran(), c.opens);
        EXPECT_EQ(inputline.empty(), c.opens);
        EXPECT_EQ(sounds.events.empty(), !c.opens);
        EXPECT_EQ(speech->spoken().empty(), !c.opens);
    }
}

TEST_F(ReviewTest, LinesWithTheEdgeMarkAtTheTop) {
    show({"prvni", "druhy"});
    review([] {
        press(Qt::Key_Down);
        press(Qt::Key_Up);
        press(Qt::Key_Up);
        press(Qt::Key_Down);
    });
    EXPECT_EQ(said, (std::vector<std::string>{padded("druhy"), padded("prvni"), padded("prvni"), padded("druhy")}));
    ASSERT_EQ(played, std::vector<std::string>{"play click16 once 44100 Hz 0 cB wait"});
}

// The edge click is the one after the silent mark; moving away in between clears it.
TEST_F(ReviewTest, TheClickComesOnlyOnASecondArrivalInARow) {
    show({"prvni", "druhy"});
    review([&] {
        press(Qt::Key_Up);  // at the top: marked
        EXPECT_EQ(clicks(), 0);
        press(Qt::Key_Down);  // away: cleared
        press(Qt::Key_Up);    // marked again, silently
        played = sounds.texts();
        EXPECT_EQ(clicks(), 0);
        press(Qt::Key_Up);
        played = sounds.texts();
        EXPECT_EQ(clicks(), 1);
    });
}

TEST_F(ReviewTest, BelowTheLastLineIsAnEmptyLine) {
    show({"prvni"});
    review([&] {
        for (int i = 0; i < 23; ++i) press(Qt::Key_Down);
        speech->clear();
        sounds.events.clear();
        press(Qt::Key_Down);
        EXPECT_EQ(caretline(), 24);
        EXPECT_EQ(speech->spoken(), std::vector<std::string>{"prázdný řádek"_cp});
        EXPECT_TRUE(sounds.events.empty());
        press(Qt::Key_Down);
    });
    EXPECT_EQ(said.back(), "prázdný řádek"_cp);
    EXPECT_EQ(said.size(), 2u);
    EXPECT_EQ(clicks(), 1);
}

TEST_F(ReviewTest, F2SaysLineAndColumn) {
    startSpeaking("[environment]\nlanguage=2000\n");
    show({std::string(80, 'x'), "", "kratky"});
    const struct {
        int downs;
        int rights;
        const char* said;
    } cases[] = {{0, 0, "line 1, column 1"}, {3, 0, "line 4, column 1"}, {2, 4, "line 3, column 5"},
                 {1, 80, "line 2, column 81"}, {24, 0, "line 25, column 1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        review([&] {
            Form6->virtualscrmemo->moveCursor(QTextCursor::Start);
            for (int i = 0; i < c.downs; ++i) press(Qt::Key_Down);
            for (int i = 0; i < c.rights; ++i) press(Qt::Key_Right);
            speech->clear();
            QTest::keyPress(Form6->virtualscrmemo, Qt::Key_F2);
            EXPECT_EQ(speech->spoken(), std::vector<std::string>{c.said});
            QTest::keyRelease(Form6->virtualscrmemo, Qt::Key_F2);
        });
    }
}

// Ctrl with Left or Right reads the word the control moved to, up to a blank, a comma
// or the line end (a hyphen belongs to the word); landing on a comma or a line end it
// says nothing. Ctrl with Home or End never speaks.
TEST_F(ReviewTest, CtrlArrowsReadEveryWordAlongALine) {
    show({"jedna dva, tri-styri  pat,sest", "koniec"});
    const struct {
        int key;
        const char* said;  // "" for silence
    } steps[] = {
        {Qt::Key_Right, "dva"},  {Qt::Key_Right, ""},     {Qt::Key_Right, "tri-styri"}, {Qt::Key_Right, "-styri"},
        {Qt::Key_Right, "styri"}, {Qt::Key_Right, "pat"},  {Qt::Key_Right, ""},          {Qt::Key_Right, "sest"},
        {Qt::Key_Right, ""},     {Qt::Key_Right, "koniec"},  // the line end, then the next line
        {Qt::Key_Left, ""},      {Qt::Key_Left, "sest"},  {Qt::Key_Left, ""},           {Qt::Key_Left, "pat"},
        {Qt::Key_Left, "styri"}, {Qt::Key_Left, "-styri"}, {Qt::Key_Left, "tri-styri"}, {Qt::Key_Left, ""},
        {Qt::Key_Left, "dva"},   {Qt::Key_End, ""},       {Qt::Key_Home, ""},          {Qt::Key_Left, "jedna"},
    };
    std::vector<std::string> expected, heard;
    review([&] {
        for (const auto& step : steps) {
            speech->clear();
            press(step.key, Qt::ControlModifier);
            expected.push_back(step.said);
            heard.push_back(speech->spoken().empty() ? "" : speech->spoken().front());
            EXPECT_LE(speech->spoken().size(), 1u);
        }
    });
    EXPECT_EQ(heard, expected);
}

// The caret at the very start or end of the text is marked silently the first time and
// clicks from then on, for Left, Right, Home and End alike; the ends of a line inside
// the text are no edge and clear the mark. Up at the top shares the mark.
TEST_F(ReviewTest, CharacterKeysMarkTheEdgesOfTheText) {
    show({"prvni", "druhy"});
    const struct {
        const char* what;
        QTextCursor::MoveOperation from;
        std::vector<int> keys;
        std::vector<int> clicks;  // per key
    } cases[] = {
        {"Left at the start", QTextCursor::Start, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left}, {0, 1, 1}},
        {"Home at the start", QTextCursor::Start, {Qt::Key_Home, Qt::Key_Home}, {0, 1}},
        {"back to the start", QTextCursor::Start, {Qt::Key_Right, Qt::Key_Left, Qt::Key_Home}, {0, 0, 1}},
        {"Right at the end", QTextCursor::End, {Qt::Key_Right, Qt::Key_Right}, {0, 1}},
        {"End at the end", QTextCursor::End, {Qt::Key_End, Qt::Key_End}, {0, 1}},
        {"back to the end", QTextCursor::End, {Qt::Key_Left, Qt::Key_Right, Qt::Key_End}, {0, 0, 1}},
        {"ends of a line inside", QTextCursor::Start,
         {Qt::Key_Left, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_Home}, {0, 0, 0, 0, 0}},
        {"Up marks, Home clicks", QTextCursor::Start, {Qt::Key_Up, Qt::Key_Home}, {0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> clicked;
        review([&] {
            Form6->virtualscrmemo->moveCursor(c.from);
            reviewedge = false;
            for (const int key : c.keys) {
                sounds.events.clear();
                press(key);
                played = sounds.texts();
                clicked.push_back(clicks());
            }
        });
        EXPECT_EQ(clicked, c.clicks);
    }
}

// The word runs from the caret to the next blank, comma or line end; on one of them
// it is empty and nothing is said.
TEST_F(ReviewTest, WordsEndAtTheDelimiters) {
    show({"jedna dva, tri", std::string(77, 'a') + " zz"});
    constexpr int second = 81;  // where the second line starts in the view
    const struct {
        int caret;
        std::vector<std::string> said;
    } cases[] = {{6, {"dva"}}, {8, {"a"}},  {11, {"tri"}},           {5, {}},
                 {9, {}},      {14, {}},    {second + 78, {"zz"}},   {second + 80, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caret);
        review([&] {
            QTextCursor cursor = Form6->virtualscrmemo->textCursor();
            cursor.setPosition(c.caret);
            Form6->virtualscrmemo->setTextCursor(cursor);
            // The release of Ctrl+Left reads from wherever the control left the caret.
            QTest::keyRelease(Form6->virtualscrmemo, Qt::Key_Left, Qt::ControlModifier);
        });
        EXPECT_EQ(said, c.said);
    }
}

// Without Ctrl the character reached is echoed by its key name, a capital after its tone.
TEST_F(ReviewTest, CharactersAreEchoedByName) {
    loadechokeystext("13=konec radku\r\n65=velke a\r\n97=a\r\n104=h\r\n32=mezera\r\n");
    show({std::string(79, 'h') + "a", "Ahoj"});
    const struct {
        const char* what;
        QTextCursor::MoveOperation from;
        std::vector<int> keys;  // the last one is the key whose release is checked
        std::vector<std::string> said;
        bool tone;
    } cases[] = {
        {"End of a full line reads the line end", QTextCursor::Start, {Qt::Key_End}, {"konec radku"}, false},
        {"Home on a capital", QTextCursor::Start, {Qt::Key_Down, Qt::Key_End, Qt::Key_Home}, {"velke a"}, true},
        {"Left onto a small letter", QTextCursor::Start, {Qt::Key_End, Qt::Key_Left}, {"a"}, false},
        {"End of the last, empty line reads nothing", QTextCursor::End, {Qt::Key_End}, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        review([&] {
            Form6->virtualscrmemo->moveCursor(c.from);
            for (std::size_t i = 0; i + 1 < c.keys.size(); ++i) press(c.keys[i]);
            speech->clear();
            sounds.events.clear();
            press(c.keys.back());
            EXPECT_EQ(speech->spoken(), c.said);
            const auto played = sounds.texts();
            EXPECT_EQ(!played.empty() && played.front().rfind("play snd11", 0) == 0, c.tone);
        });
    }
    resetechokeys();
}

TEST_F(ReviewTest, AnUnchangedScreenKeepsTheCaret) {
    show({"prvni", "druhy", "treti"});
    review([] {
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        press(Qt::Key_Right);
    });
    int line = -1, column = -1;
    review([&] {
        line = caretline();
        column = Form6->virtualscrmemo->textCursor().positionInBlock();
    });
    EXPECT_EQ(line, 2);
    EXPECT_EQ(column, 1);

    printtext("ctvrty");
    review([&] { line = caretline(); column = Form6->virtualscrmemo->textCursor().position(); });
    EXPECT_EQ(line, 0);
    EXPECT_EQ(column, 0);
}

TEST_F(ReviewTest, WithoutAVoiceTheKeysOnlyMove) {
    speech.reset();
    ASSERT_FALSE(speech::voiceready);
    show({"prvni", "druhy"});
    reviewedge = false;
    WhenShown inside(Form6, [&] {
        sounds.events.clear();
        for (const int key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_End, Qt::Key_F2}) press(key);
        EXPECT_EQ(caretline(), 1);
        EXPECT_TRUE(sounds.events.empty());
        EXPECT_FALSE(reviewedge);
        press(Qt::Key_Escape);
    });
    showvirtualscreen();
    EXPECT_TRUE(inside.ran());
    EXPECT_FALSE(Form6->isVisible());
}

// A held key repeats its key-down, which only cuts speech off; the line reached is
// read once, at the release.
TEST_F(ReviewTest, HoldingDownReadsOnlyTheLineReached) {
    show({"prvni", "druhy", "treti", "ctvrty"});
    review([] {
        QWidget* memo = Form6->virtualscrmemo;
        for (bool repeat : {false, true, true}) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(memo, &down);
            if (repeat) {
                QKeyEvent up(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(memo, &up);
            }
        }
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(memo, &up);
    });
    EXPECT_EQ(said, std::vector<std::string>{padded("ctvrty")});
}

}  // namespace
}  // namespace orvela
