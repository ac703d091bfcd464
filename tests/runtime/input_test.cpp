#include "runtime/input.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "platform/eventpump.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "platform/testing/virtualtime.h"
#include "support/appfixture.h"

using namespace orvela;

namespace {

// Stands in for the main window's key handling: a key replaces the slot, Shift empties it.
void typed(const std::string& key) {
    eventPump().post([key] { inputline = key; });
}

class GetInput : public ::testing::Test {
protected:
    orvela::testing::VirtualTime time;
    void SetUp() override { inputline.clear(); }
    void TearDown() override { inputline.clear(); }
};

TEST_F(GetInput, NothingTypedGivesEmptyTextAfterAShortWaitAtMost) {
    const auto before = time.nowMs();
    EXPECT_EQ(getinput(), "");
    EXPECT_LE(time.nowMs() - before, 10);
}

TEST_F(GetInput, PendingKeyIsReturnedWithoutWaitingAndTakenOnce) {
    typed("a");
    const auto before = time.nowMs();
    EXPECT_EQ(getinput(), "a");
    EXPECT_EQ(time.nowMs(), before);
    EXPECT_EQ(getinput(), "");
}

TEST_F(GetInput, SecondOfTwoKeysBeforeAPollWins) {
    typed("a");
    typed("b");
    EXPECT_EQ(getinput(), "b");
    EXPECT_EQ(getinput(), "");
}

TEST_F(GetInput, ShiftAfterAKeyLeavesNothing) {
    typed("a");
    typed("");
    EXPECT_EQ(getinput(), "");
}

TEST_F(GetInput, KeyTypedWhileIdleIsTheFirstResultOfTheNextRun) {
    typed("x");
    eventPump().processPending();  // the window handles the key while no program runs
    EXPECT_EQ(getinput(), "x");
}

TEST_F(GetInput, ChordTextComesWhole) {
    typed("55");
    EXPECT_EQ(getinput(), "55");
}

TEST_F(GetInput, KeyArrivingDuringTheIdleWaitIsReturnedAtOnce) {
    time.onStall = [] { typed("q"); };
    EXPECT_EQ(getinput(), "q");
    EXPECT_EQ(time.nowMs(), 0);
}

// The same with real key events queued for the main window and handled by getinput.
class GetInputFromTheWindow : public orvela::testing::AppFixture {
protected:
    GetInputFromTheWindow() {
        createwindows();
        inputline.clear();
    }
    ~GetInputFromTheWindow() override {
        destroywindows();
        inputline.clear();
    }
    void type(Qt::Key key, const QString& text) {
        for (const auto kind : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(Form1->printmemo, new QKeyEvent(kind, key, Qt::NoModifier, text));
    }
};

TEST_F(GetInputFromTheWindow, NothingTypedGivesEmptyText) { EXPECT_EQ(getinput(), ""); }

TEST_F(GetInputFromTheWindow, TwoKeysBeforeAPollLeaveTheSecond) {
    type(Qt::Key_A, "a");
    type(Qt::Key_B, "b");
    EXPECT_EQ(getinput(), "b");
    EXPECT_EQ(getinput(), "");
}

TEST_F(GetInputFromTheWindow, ShiftAfterAKeyLeavesNothing) {
    type(Qt::Key_A, "a");
    type(Qt::Key_Shift, "");
    EXPECT_EQ(getinput(), "");
}

TEST_F(GetInputFromTheWindow, KeyTypedWhileIdleWaitsForTheNextRun) {
    type(Qt::Key_X, "x");
    QCoreApplication::processEvents();  // handled by the window while no program runs
    EXPECT_EQ(inputline, "x");
    EXPECT_EQ(getinput(), "x");
}

}  // namespace
