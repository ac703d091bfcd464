#include "platform/atomicfile.h"

#include <QTemporaryDir>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

#include <sys/stat.h>

#include "support/unprivileged.h"

namespace fs = std::filesystem;

namespace orvela {
namespace {

class WriteFileSafelyTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();

    std::string at(const std::string& name) const { return (root / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(at(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(at(name), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    ino_t inode(const std::string& name) const {
        struct stat info {};
        return stat(at(name).c_str(), &info) == 0 ? info.st_ino : 0;
    }
    // No temporary file may be left behind anywhere below the test's folder.
    void expectNoTemporaries() const {
        for (const auto& entry : fs::recursive_directory_iterator(root))
            EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }
};

TEST_F(WriteFileSafelyTest, RefusalsReportTheirCauseAndLeaveTheOldFile) {
    struct Case {
        const char* what;
        std::function<void()> setUp;
        std::string path;
        int error;
    } cases[] = {
        {"no write permission bit",
         [this] {
             write("old.dat", "old");
             fs::permissions(at("old.dat"), fs::perms::owner_read | fs::perms::group_read);
         },
         "old.dat", EACCES},
        {"a folder in the way", [this] { fs::create_directory(at("folder.dat")); }, "folder.dat", EISDIR},
        {"a missing folder", [] {}, "missing/new.dat", ENOENT},
        {"a file where a folder should be", [this] { write("plain", "x"); }, "plain/new.dat", ENOTDIR},
        {"links in a loop",
         [this] {
             fs::create_symlink("loop-b", at("loop-a"));
             fs::create_symlink("loop-a", at("loop-b"));
         },
         "loop-a", ELOOP},
        {"a full disk", [this] { fs::create_symlink("/dev/full", at("full.dat")); }, "full.dat", ENOSPC},
    };
    for (auto& c : cases) {
        c.setUp();
        EXPECT_EQ(writeFileSafely(at(c.path), "new content"), c.error) << c.what;
    }
    EXPECT_EQ(read("old.dat"), "old");
    EXPECT_TRUE(fs::is_directory(at("folder.dat")));
    EXPECT_FALSE(fs::exists(at("missing")));
    expectNoTemporaries();
}

TEST_F(WriteFileSafelyTest, AWritableFolderGetsTheContentThroughARenamedTemporary) {
    write("ram.dat", "old");
    fs::permissions(at("ram.dat"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const ino_t before = inode("ram.dat");
    ASSERT_EQ(writeFileSafely(at("ram.dat"), "new"), 0);
    EXPECT_EQ(read("ram.dat"), "new");
    EXPECT_NE(inode("ram.dat"), before);  // replaced whole, never rewritten where it lay
    EXPECT_EQ(fs::status(at("ram.dat")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    expectNoTemporaries();
}

TEST_F(WriteFileSafelyTest, LinksStayAndTheirTargetsGetTheContent) {
    // home/ram.dat -> ../disk/hop (relative) -> <root>/store/ram.dat (absolute); a dangling
    // link in the same folder names a file still to be made.
    fs::create_directories(at("home"));
    fs::create_directories(at("disk"));
    fs::create_directories(at("store"));
    write("store/ram.dat", "old");
    fs::create_symlink("../disk/hop", at("home/ram.dat"));
    fs::create_symlink(at("store/ram.dat"), at("disk/hop"));
    fs::create_symlink("../store/new.ini", at("home/new.ini"));
    const ino_t before = inode("store/ram.dat");

    ASSERT_EQ(writeFileSafely(at("home/ram.dat"), "new"), 0);
    ASSERT_EQ(writeFileSafely(at("home/new.ini"), "[voice]\n"), 0);

    EXPECT_EQ(fs::read_symlink(at("home/ram.dat")), "../disk/hop");
    EXPECT_EQ(fs::read_symlink(at("disk/hop")), at("store/ram.dat"));
    EXPECT_EQ(fs::read_symlink(at("home/new.ini")), "../store/new.ini");
    EXPECT_EQ(read("store/ram.dat"), "new");
    EXPECT_NE(inode("store/ram.dat"), before);  // the target's own folder held the temporary
    EXPECT_EQ(read("store/new.ini"), "[voice]\n");
    expectNoTemporaries();
}

TEST_F(WriteFileSafelyTest, AReadOnlyFolderStillLetsItsWritableFilesBeOverwritten) {
    struct Case {
        const char* name;
        std::string old, now;
    } cases[] = {{"same.dat", "0123456789", "abcdefghij"},
                 {"shorter.ini", "[voice]\nperson=Zuzana\n", "[voice]\n"},
                 {"longer.ini", "[voice]\n", "[voice]\nperson=Zuzana\npitch=120\n"}};
    for (const auto& c : cases) {
        write(c.name, c.old);
        fs::permissions(at(c.name), fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                                        ~fs::perms::others_exec);  // 0666: "nobody" may write it
    }
    fs::permissions(root, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);  // 0555
    std::vector<ino_t> before;
    for (const auto& c : cases) before.push_back(inode(c.name));

    const std::string newFile = at("new.dat");
    const auto run = testing::runUnprivileged([&] {
        for (const auto& c : cases)
            if (writeFileSafely(at(c.name), c.now) != 0) return 1;
        // A new file needs the folder, which stays closed: the cause is reported.
        return writeFileSafely(newFile, "x") == EACCES ? 0 : 2;
    });
    fs::permissions(root, fs::perms::owner_all);
    if (!run.result) GTEST_SKIP() << run.whyNot;

    EXPECT_EQ(*run.result, 0);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(read(cases[i].name), cases[i].now) << cases[i].name;
        EXPECT_EQ(inode(cases[i].name), before[i]) << cases[i].name;
    }
    EXPECT_FALSE(fs::exists(newFile));
    expectNoTemporaries();
}

}  // namespace
}  // namespace orvela
