#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <filesystem>
#include <map>
#include <gtest/gtest.h>

#include "app/datafiles.h"
#include "app/settingsfile.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "platform/codec.h"
#include "platform/comerror.h"
#include "platform/errors.h"
#include "platform/process.h"
#include "runtime/screen.h"
#include "settings/resourcelocalizer.h"
#include "settings/unit7.h"
#include "support/appfixture.h"

namespace orvela {
namespace {

class MainWindowTest : public testing::AppFixture {
protected:
    ~MainWindowTest() override {
        setprogram(nullptr);
        destroywindows();
    }
    TForm1& start() {
        createwindows();
        return *Form1;
    }
};

TEST_F(MainWindowTest, FirstStartWritesOnlyWhetherTheVoiceIsAllowed) {
    speechEngine.failWith("CreateEnumerator", REGDB_E_CLASSNOTREG);  // no direct engine installed
    TForm1& form = start();
    EXPECT_EQ(readFile("orvela.ini"), "[voice]\nvoiceallowed=0\n");
    EXPECT_FALSE(form.Voicesubmenu->isEnabled());
    EXPECT_FALSE(form.usesapi5submenu->isChecked());
    EXPECT_FALSE(form.braillekeyboarditem->isChecked());
    EXPECT_TRUE(orvelasounds);
    EXPECT_EQ(form.printmemo->document()->blockCount(), 24);
    EXPECT_TRUE(form.printmemo->toPlainText().trimmed().isEmpty());
    EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(MainWindowTest, FirstStartWithTheDirectEngineAllowsTheVoice) {
    TForm1& form = start();
    EXPECT_EQ(readFile("orvela.ini"), "[voice]\nvoiceallowed=1\n");
    EXPECT_TRUE(form.Voicesubmenu->isEnabled());
}

TEST_F(MainWindowTest, TitleAndMenuInEachLanguage) {
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName().section('.', 0, 0);
    struct Case {
        int language;
        const char* title;
        std::vector<const char*> captions;  // program, start, exit, settings, braille, sounds, voice,
                                            // sapi5, environment, help, about
    } cases[] = {
        {1000, "Překladač Orvela Basicu",
         {"&Program", "&Spustit", "Kon&ec", "Na&stavení", "&Braillská klávesnice", "&Zvuky...", "&Hlas...",
          "Používat hlas SA&PI5", "Prostř&edí...", "Ná&pověda", "O progr&amu"}},
        {2000, "Orvela Basic Interpreter",
         {"&Program", "&Start", "&Exit", "&Settings", "&Braille keyboard", "&Sounds...", "&Voice...",
          "Use SA&PI5 voice", "&Environment...", "Hel&p", "&About"}},
        {3000, "Prekladač Orvela Basicu",
         {"&Program", "&Spustiť", "Koni&ec", "Na&stavenia", "&Braillská klávesnica", "&Zvuky...", "&Hlas...",
          "Používať hlas SA&PI5", "Prostr&edie...", "&Pomoc", "O progr&ame"}},
    };
    for (const auto& c : cases) {
        writeFile("orvela.ini", "[environment]\nlanguage=" + std::to_string(c.language) + "\n");
        TForm1& form = start();
        EXPECT_EQ(form.windowTitle(), exe + " - " + QString::fromUtf8(c.title));
        const QStringList shown = {form.Programmenu->title(),     form.Startsubmenu->text(),
                                   form.exitsubmenu->text(),      form.settingsmenu->title(),
                                   form.braillekeyboarditem->text(), form.soundssubmenu->text(),
                                   form.Voicesubmenu->text(),     form.usesapi5submenu->text(),
                                   form.environmentsubmenu->text(), form.helpmenu->title(),
                                   form.aboutsubmenu->text()};
        for (std::size_t i = 0; i < c.captions.size(); ++i)
            EXPECT_EQ(shown[static_cast<qsizetype>(i)], QString::fromUtf8(c.captions[i])) << c.language << " item " << i;
        destroywindows();
    }
}

// Each item in its menu, in order, with its shortcut; only the two check items take a mark.
TEST_F(MainWindowTest, MenuItemsShortcutsAndCheckItems) {
    TForm1& form = start();
    struct Item {
        QAction* TForm1::*item;
        QMenu* TForm1::*menu;
        const char* shortcut;
        bool checkItem;
    } items[] = {
        {&TForm1::Startsubmenu, &TForm1::Programmenu, "Ctrl+S", false},
        {&TForm1::exitsubmenu, &TForm1::Programmenu, "", false},
        {&TForm1::braillekeyboarditem, &TForm1::settingsmenu, "Ctrl+B", true},
        {&TForm1::soundssubmenu, &TForm1::settingsmenu, "Ctrl+D", false},
        {&TForm1::Voicesubmenu, &TForm1::settingsmenu, "Ctrl+H", false},
        {&TForm1::usesapi5submenu, &TForm1::settingsmenu, "Ctrl+P", true},
        {&TForm1::environmentsubmenu, &TForm1::settingsmenu, "Ctrl+E", false},
        {&TForm1::aboutsubmenu, &TForm1::helpmenu, "", false},
    };
    std::map<QMenu*, QList<QAction*>> menus;
    for (const Item& i : items) {
        QAction* action = form.*i.item;
        menus[form.*i.menu].push_back(action);
        EXPECT_EQ(action->shortcut().toString().toStdString(), i.shortcut) << action->text().toStdString();
        EXPECT_EQ(action->isCheckable(), i.checkItem) << action->text().toStdString();
    }
    for (const auto& [menu, actions] : menus) EXPECT_EQ(menu->actions(), actions) << menu->title().toStdString();
}

TEST_F(MainWindowTest, StoredSettingsSetFlagsAndMarks) {
    writeFile("orvela.ini",
              "[VOICE]\nSAPI5=1\nvoiceallowed=1\n[sounds]\nsndvolume=0x10\norvelasounds=0\n"
              "[keyboard]\nbraillekeys=1\n");
    TForm1& form = start();
    EXPECT_TRUE(form.usesapi5submenu->isChecked());
    EXPECT_TRUE(form.braillekeyboarditem->isChecked());
    EXPECT_FALSE(form.Voicesubmenu->isEnabled());  // the desktop voice is in use
    EXPECT_TRUE(voiceallowed);
    EXPECT_FALSE(orvelasounds);
    EXPECT_EQ(sndvolume, 16);
    EXPECT_TRUE(braillekeys);

    destroywindows();
    writeFile("orvela.ini", "[voice]\nvoiceallowed=1\n[sounds]\nsndvolume=loud\n");
    TForm1& again = start();
    EXPECT_EQ(sndvolume, 0);
    EXPECT_TRUE(again.Voicesubmenu->isEnabled());
}

TEST_F(MainWindowTest, StartDisablesTheMenuForTheRunAndPrintsReady) {
    writeFile("orvela.ini", "[voice]\nvoiceallowed=0\n");
    TForm1& form = start();
    static std::vector<bool> duringRun;
    duringRun.clear();
    setprogram([] {
        for (QAction* a : {Form1->Startsubmenu, Form1->soundssubmenu, Form1->environmentsubmenu, Form1->Voicesubmenu,
                           Form1->usesapi5submenu, Form1->helpmenu->menuAction(), Form1->exitsubmenu,
                           Form1->braillekeyboarditem})
            duringRun.push_back(a->isEnabled());
        printend = 1;
        printtext("hra");
    });
    form.StartsubmenuClick();
    EXPECT_EQ(duringRun, (std::vector<bool>{false, false, false, false, false, false, true, true}));
    EXPECT_TRUE(programstarted);
    EXPECT_TRUE(form.Voicesubmenu->isEnabled());  // enabled after a run even with the voice not allowed
    EXPECT_TRUE(form.helpmenu->menuAction()->isEnabled());

    form.StartsubmenuClick();
    const auto& lines = screen().lines();
    EXPECT_EQ(lines[0].substr(0, 10), "hrahotovo ");
    EXPECT_EQ(lines[1].substr(0, 9), "hrahotovo");  // the second run starts below the first "ready"
    EXPECT_EQ(scrcursor.getrow(), 2);
}

TEST_F(MainWindowTest, AnErrorInARunStillGivesTheMenuBack) {
    TForm1& form = start();
    setprogram([] { throw OrvelaError("boom"); });
    EXPECT_THROW(form.StartsubmenuClick(), OrvelaError);
    EXPECT_TRUE(form.Startsubmenu->isEnabled());
    EXPECT_FALSE(datafileopen());
}

TEST_F(MainWindowTest, StartOpensTheDataFileOnlyWhenPresent) {
    TForm1& form = start();
    static bool openDuringRun;
    setprogram([] { openDuringRun = datafileopen(); });
    form.StartsubmenuClick();
    EXPECT_FALSE(openDuringRun);
    writeFile("data.dta", "1\n");
    form.StartsubmenuClick();
    EXPECT_TRUE(openDuringRun);
    EXPECT_FALSE(datafileopen());

    std::filesystem::remove(path("data.dta"));
    std::filesystem::create_directory(path("data.dta"));  // only a regular file is a data file
    form.StartsubmenuClick();
    EXPECT_FALSE(openDuringRun);
    EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(MainWindowTest, ExitWhileIdleSavesTheImagePaddedAndCloses) {
    writeFile("ram.dat", std::string(100, '\x07'));
    TForm1& form = start();
    form.show();
    form.exitsubmenuClick();
    const std::string saved = readFile("ram.dat");
    ASSERT_EQ(saved.size(), kRamSize);
    EXPECT_EQ(saved.substr(0, 100), std::string(100, '\x07'));
    EXPECT_EQ(saved.substr(100), std::string(kRamSize - 100, '\0'));
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainWindowTest, LongImageIsCutAndMissingImageIsZeros) {
    std::string big(kRamSize + 10, '\x01');
    big[50730] = 1;
    writeFile("ram.dat", big);
    start().exitsubmenuClick();
    EXPECT_EQ(readFile("ram.dat"), std::string(kRamSize, '\x01'));
    destroywindows();

    std::filesystem::remove(path("ram.dat"));
    start().exitsubmenuClick();
    EXPECT_EQ(readFile("ram.dat"), std::string(kRamSize, '\0'));
}

TEST_F(MainWindowTest, ExitDuringARunEndsTheProcessAtOnce) {
    TForm1& form = start();
    setprogram([] { Form1->exitsubmenuClick(); });
    EXPECT_THROW(form.StartsubmenuClick(), ProcessEnded);
    EXPECT_EQ(readFile("ram.dat").size(), kRamSize);
}

TEST_F(MainWindowTest, ClosingTheWindowDuringARunEndsTheProcessAfterSaving) {
    TForm1& form = start();
    form.show();
    setprogram([] { Form1->close(); });
    EXPECT_THROW(form.StartsubmenuClick(), ProcessEnded);
    EXPECT_EQ(readFile("ram.dat").size(), kRamSize);
}

TEST_F(MainWindowTest, UnreadableImageSkipsTheRestOfCreation) {
    std::filesystem::create_directory(path("ram.dat"));
    TForm1& form = start();
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_EQ(boxes.errors[0], "I/O error 21");
    EXPECT_EQ(form.printmemo->document()->blockCount(), 24);  // the window is there all the same
}

TEST_F(MainWindowTest, AboutBoxShowsProductAndVersion) {
    writeFile("orvela.ini", "[environment]\nlanguage=2000\n");
    start();
    ASSERT_NE(Aboutbox, nullptr);
    EXPECT_EQ(Aboutbox->windowTitle(), "About");
    EXPECT_EQ(Aboutbox->ProductName->text(), "Orvela Basic Interpreter");
    EXPECT_EQ(Aboutbox->Version->text(), "version 1.7");
    EXPECT_EQ(Aboutbox->OKButton->text(), "&OK");
    EXPECT_EQ(Aboutbox->size(), QSize(298, 213));
}

}  // namespace
}  // namespace orvela

namespace orvela {
namespace {

class SoundStartTest : public testing::AppFixture {
protected:
    ~SoundStartTest() override { destroywindows(); }
};

TEST_F(SoundStartTest, MissingSoundCollectionEndsTheProcessWritingNothing) {
    writeFile("orvela.ini", "[environment]\nlanguage=2000\n");
    std::filesystem::remove(path("sounds.dat"));
    EXPECT_THROW(createwindows(), ProcessEnded);
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], "Can't find the file sounds.dat");
    EXPECT_EQ(readFile("orvela.ini"), "[environment]\nlanguage=2000\n");
    EXPECT_FALSE(std::filesystem::exists(path("ram.dat")));
}

TEST_F(SoundStartTest, SoundDeviceThatCannotOpenShowsTheErrorAndTheWindowOpens) {
    soundDevice.failOpen = true;
    createwindows();
    ASSERT_NE(Form1, nullptr);
    EXPECT_EQ(boxes.errors.size(), 1u);
    EXPECT_TRUE(boxes.messages.empty());
}

}  // namespace
}  // namespace orvela

#include "keyboard/brailletable.h"
#include "keyboard/echokeys.h"

namespace orvela {
namespace {

class KeyboardFilesStartTest : public testing::AppFixture {
protected:
    ~KeyboardFilesStartTest() override {
        destroywindows();
        resetbrailletable();
        resetechokeys();
    }
};

TEST_F(KeyboardFilesStartTest, TableAndKeyNamesOfTheLanguageAreLoaded) {
    std::vector<std::string> names;
    for (const int language : {1000, 2000, 3000}) {
        writeFile("orvela.ini", "[environment]\nlanguage=" + std::to_string(language) + "\n");
        resetechokeys();
        createwindows();
        EXPECT_TRUE(boxes.errors.empty()) << language;
        EXPECT_GT(brlcharcount, 0);
        ASSERT_TRUE(keyname(',').has_value()) << language;
        names.push_back(*keyname(','));
        destroywindows();
    }
    EXPECT_EQ(names, (std::vector<std::string>{"\xE8\xE1rka", "comma", "\xE8iarka"}));
}

TEST_F(KeyboardFilesStartTest, MissingBrailleTableShowsFileNotFoundAndTheWindowOpens) {
    std::filesystem::remove(path("czech.obt"));
    resetechokeys();
    createwindows();
    ASSERT_NE(Form1, nullptr);
    EXPECT_EQ(boxes.errors, std::vector<std::string>{"File not found"});
    EXPECT_FALSE(keyname('a').has_value());
}

}  // namespace
}  // namespace orvela
