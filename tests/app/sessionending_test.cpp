// The desktop session ending the program: a signal, the session manager, the display.
#include <QCoreApplication>
#include <QEvent>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/datafiles.h"
#include "app/sessionending.h"
#include "app/soundobjects.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "platform/process.h"
#include "support/appfixture.h"

namespace orvela {
namespace {

class SessionEndingTest : public testing::AppFixture {
protected:
    SessionEndingTest() {
        writeFile("ram.dat", std::string(100, '\x05'));
        createwindows();
        Form1->show();
    }
    ~SessionEndingTest() override {
        setprogram(nullptr);
        destroywindows();
    }
    std::string saved() const { return std::string(100, '\x05') + std::string(kRamSize - 100, '\0'); }
    // The session manager's last word to a client, as Qt hands it to the application.
    static void sessionManagerSaysDie() {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    }
};

TEST_F(SessionEndingTest, ASignalSavesTheImageReleasesTheSoundsAndEndsTheProcess) {
    EXPECT_THROW(sessionendings().orderly(), ProcessEnded);
    EXPECT_EQ(readFile("ram.dat"), saved());
    EXPECT_FALSE(dxsound);
    EXPECT_FALSE(wavelist);
}

TEST_F(SessionEndingTest, ASignalDuringARunEndsItTheSameWay) {
    setprogram([] { sessionendings().orderly(); });
    EXPECT_THROW(Form1->StartsubmenuClick(), ProcessEnded);
    EXPECT_EQ(readFile("ram.dat"), saved());
}

TEST_F(SessionEndingTest, AnImageThatCannotBeWrittenKeepsTheProgramRunningAsClosingDoes) {
    std::filesystem::remove(path("ram.dat"));
    std::filesystem::create_directory(path("ram.dat"));
    EXPECT_NO_THROW(sessionendings().orderly());
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_EQ(boxes.errors.size(), 1u);
    EXPECT_TRUE(dxsound);
}

TEST_F(SessionEndingTest, TheSessionManagersQuitClosesTheMainWindowThroughItsSaving) {
    sessionManagerSaysDie();
    EXPECT_FALSE(Form1->isVisible());
    EXPECT_EQ(readFile("ram.dat"), saved());
    EXPECT_FALSE(dxsound);

    destroywindows();
    writeFile("ram.dat", std::string(100, '\x05'));
    createwindows();
    Form1->show();
    setprogram(sessionManagerSaysDie);
    EXPECT_THROW(Form1->StartsubmenuClick(), ProcessEnded);
    EXPECT_EQ(readFile("ram.dat"), saved());
}

TEST_F(SessionEndingTest, TheSessionManagersCommitSavesTheImageAndGoesOn) {
    sessionendings().commit();
    EXPECT_EQ(readFile("ram.dat"), saved());
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_TRUE(dxsound);
}

TEST_F(SessionEndingTest, ALostDisplaySavesWithoutAnyBox) {
    std::filesystem::remove(path("ram.dat"));
    sessionendings().displayLost();
    EXPECT_EQ(readFile("ram.dat"), saved());
    EXPECT_FALSE(dxsound);
    EXPECT_FALSE(wavelist);

    // Unwritable: the cause goes to the terminal, not to a box on a display that is gone.
    std::filesystem::remove(path("ram.dat"));
    std::filesystem::create_directory(path("ram.dat"));
    EXPECT_NO_THROW(sessionendings().displayLost());
    EXPECT_TRUE(boxes.errors.empty());
}

}  // namespace
}  // namespace orvela
