// Saving "ram.dat" and the settings file where the desktop makes it hard: files that
// cannot be written, links, read-only folders and paths with letters outside ASCII.
#include <QAction>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "app/datafiles.h"
#include "app/settingsfile.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "platform/codec.h"
#include "support/appfixture.h"
#include "support/unprivileged.h"

namespace fs = std::filesystem;

namespace orvela {
namespace {

class SavedFilesTest : public testing::AppFixture {
protected:
    ~SavedFilesTest() override { destroywindows(); }
    TForm1& start() {
        createwindows();
        return *Form1;
    }
};

TEST_F(SavedFilesTest, AnImageThatCannotBeWrittenKeepsTheWindowOpenAndSaysWhy) {
    struct Cause {
        const char* what;
        std::function<void()> setUp;
        const char* message;
    } causes[] = {
        {"no write permission bit",
         [this] {
             writeFile("ram.dat", "x");
             fs::permissions(path("ram.dat"), fs::perms::owner_read);
         },
         "I/O error 13"},
        {"a folder in the way", [this] { fs::create_directory(path("ram.dat")); }, "I/O error 21"},
        {"a link into a missing folder", [this] { fs::create_symlink("gone/ram.dat", path("ram.dat")); },
         "File not found"},
        {"a full disk", [this] { fs::create_symlink("/dev/full", path("ram.dat")); }, "I/O error 28"},
    };
    const std::pair<const char*, std::function<void(TForm1&)>> waysOut[] = {
        {"closing the window", [](TForm1& form) { form.close(); }},
        {"Exit while idle", [](TForm1& form) { form.exitsubmenu->trigger(); }},
    };
    for (const auto& cause : causes) {
        for (const auto& [way, leave] : waysOut) {
            TForm1& form = start();  // before the cause, which could stop the image loading
            form.show();
            cause.setUp();
            boxes.errors.clear();
            leave(form);
            EXPECT_TRUE(form.isVisible()) << cause.what << ", " << way;
            EXPECT_EQ(boxes.errors, std::vector<std::string>{cause.message}) << cause.what << ", " << way;
            destroywindows();
            fs::remove(path("ram.dat"));
        }
    }
}

TEST_F(SavedFilesTest, LinkedImageAndSettingsStayLinkedAfterASettingsChangeAndExit) {
    fs::create_directory(path("shared"));
    writeFile("shared/ram.dat", std::string(100, '\x07'));
    writeFile("shared/orvela.ini", "[voice]\nvoiceallowed=0\n");
    fs::create_symlink("shared/ram.dat", path("ram.dat"));           // relative to the working folder
    fs::create_symlink(path("shared/orvela.ini"), settingsPath());  // absolute

    TForm1& form = start();
    form.braillekeyboarditem->trigger();
    form.exitsubmenu->trigger();

    EXPECT_TRUE(boxes.errors.empty());
    EXPECT_TRUE(fs::is_symlink(path("ram.dat")));
    EXPECT_TRUE(fs::is_symlink(settingsPath()));
    const std::string image = readFile("shared/ram.dat");
    ASSERT_EQ(image.size(), kRamSize);
    EXPECT_EQ(image.substr(0, 101), std::string(100, '\x07') + '\0');
    EXPECT_EQ(readFile("shared/orvela.ini"),
              "[voice]\nvoiceallowed=0\n[sounds]\norvelasounds=1\nsndvolume=0\n[keyboard]\nbraillekeys=1\n");
}

TEST_F(SavedFilesTest, ASettingsPathOutsideAsciiReadsRightInTheErrorBox) {
    const std::string settings = path("Nastavenia jožo ľudí €.ini");  // UTF-8, as the file system holds it
    setsettingspath(settings);
    writeFile(fs::path(settings).filename().string(), "[voice]\nvoiceallowed=0\n");
    fs::permissions(settings, fs::perms::owner_read);

    start().braillekeyboarditem->trigger();

    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_EQ(codec::toQString(boxes.errors[0]), "Unable to write to " + QString::fromStdString(settings));
}

TEST_F(SavedFilesTest, AnOrdinaryUserSavesWritableFilesInAReadOnlyFolder) {
    writeFile("ram.dat", std::string(100, '\x07'));
    writeFile("orvela.ini", "[voice]\nvoiceallowed=0\n");
    start();
    const auto writable = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                          fs::perms::group_write | fs::perms::others_read | fs::perms::others_write;
    fs::permissions(path("ram.dat"), writable);
    fs::permissions(settingsPath(), writable);
    fs::permissions(dir.path().toStdString(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                                  fs::perms::group_exec | fs::perms::others_read |
                                                  fs::perms::others_exec);  // 0555

    const auto run = testing::runUnprivileged([] {
        try {
            braillekeys = true;
            writesettings();
            saveram();
            return 0;
        } catch (const std::exception&) {
            return 1;
        }
    });
    fs::permissions(dir.path().toStdString(), fs::perms::owner_all);
    if (!run.result) GTEST_SKIP() << run.whyNot;

    EXPECT_EQ(*run.result, 0);
    const std::string image = readFile("ram.dat");
    ASSERT_EQ(image.size(), kRamSize);
    EXPECT_EQ(image.substr(0, 101), std::string(100, '\x07') + '\0');
    EXPECT_EQ(readFile("orvela.ini"),
              "[voice]\nvoiceallowed=0\n[sounds]\norvelasounds=1\nsndvolume=0\n[keyboard]\nbraillekeys=1\n");
}

}  // namespace
}  // namespace orvela
