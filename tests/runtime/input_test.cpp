#include "runtime/input.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/eventpump.h"
#include "platform/testing/virtualtime.h"

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

// The same with real window events through the Qt event loop.
class KeyTarget : public QWidget {
protected:
    void keyPressEvent(QKeyEvent* event) override {
        inputline = event->key() == Qt::Key_Shift ? std::string() : event->text().toStdString();
    }
};

void postKey(QWidget& target, Qt::Key key, const QString& text) {
    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
}

class GetInputQt : public ::testing::Test {
protected:
    KeyTarget target;
    void SetUp() override { inputline.clear(); }
    void TearDown() override { inputline.clear(); }
};

TEST_F(GetInputQt, HandlesTheWaitingKeyEventsBeforeTakingTheSlot) {
    EXPECT_EQ(getinput(), "");
    postKey(target, Qt::Key_A, "a");
    postKey(target, Qt::Key_B, "b");
    EXPECT_EQ(getinput(), "b");
    EXPECT_EQ(getinput(), "");
    postKey(target, Qt::Key_C, "c");
    postKey(target, Qt::Key_Shift, "");
    EXPECT_EQ(getinput(), "");
}

}  // namespace
