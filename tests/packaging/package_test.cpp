// The Debian package as a user installs it: what it holds, its menu entry, and the
// launcher that gives each user a folder of their own. The package is built once per
// test run (ctest's packaging.build) and unpacked into a temporary tree here, so
// nothing is installed on the machine.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

#include "platform/codec.h"
#include "settings/resourcelocalizer.h"
#include "support/speechdaemon.h"
#include "support/xsession.h"

namespace orvela {
namespace {

struct Output {
    int exitCode = -1;
    QString text;  // standard output and error together
};

Output run(const QString& program, const QStringList& args,
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(120000)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

QString packageFile() {
    const QDir dir(qEnvironmentVariable("ORVELA_BINARY_DIR") + "/package-test");
    const QStringList debs = dir.entryList({"*.deb"}, QDir::Files);
    return debs.size() == 1 ? dir.filePath(debs.first()) : QString();
}

// The data files the build puts beside the executable, which the package must ship.
QStringList runDataFiles() {
    const QDir run(qEnvironmentVariable("ORVELA_RUN_DIR"));
    QStringList names;
    for (const QString& name : run.entryList(QDir::Files)) {
        if (name == "orvela" || name.endsWith(".ini") || name == "ram.dat" || name == "data.dta" ||
            name == "alsoft.conf")
            continue;
        names << name;
    }
    return names;
}

// key=value lines of the desktop entry, localized keys as written ("Name[cs]").
std::map<QString, QString> desktopEntry(const QString& path) {
    std::map<QString, QString> entry;
    for (const QString& line : QString::fromUtf8(readFile(path)).split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0) entry[line.left(eq)] = line.mid(eq + 1);
    }
    return entry;
}

class Package : public ::testing::Test {
protected:
    void SetUp() override {
        deb = packageFile();
        ASSERT_FALSE(deb.isEmpty()) << "no single package in the build's package-test folder";
        ASSERT_EQ(run("dpkg-deb", {"-x", deb, tree.path()}).exitCode, 0);
    }
    QString installed(const QString& path) const { return tree.filePath("usr/" + path); }

    QString deb;
    QTemporaryDir tree;
};

TEST_F(Package, HoldsTheProgramItsDataFilesTheLauncherAndTheMenuEntry) {
    const Output listing = run("dpkg-deb", {"-c", deb});
    ASSERT_EQ(listing.exitCode, 0);
    std::map<QString, QString> modes;  // path -> permissions as listed
    for (const QString& line : listing.text.split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        modes[fields.last().mid(1)] = fields.first();
    }
    for (const char* program : {"/usr/bin/orvela", "/usr/libexec/orvela/orvela"}) {
        EXPECT_EQ(modes[program], "-rwxr-xr-x") << program;
    }
    // The sound device's short mixing period: OpenAL Soft looks beside the real executable.
    EXPECT_EQ(modes["/usr/libexec/orvela/alsoft.conf"], "-rw-r--r--");
    EXPECT_TRUE(readFile(installed("libexec/orvela/alsoft.conf")) ==
                readFile(qEnvironmentVariable("ORVELA_RUN_DIR") + "/alsoft.conf"));
    for (const char* file : {"/usr/share/applications/orvela.desktop", "/usr/share/icons/hicolor/scalable/apps/orvela.svg"}) {
        EXPECT_EQ(modes[file], "-rw-r--r--") << file;
    }
    const QStringList data = runDataFiles();
    ASSERT_TRUE(data.contains("sounds.dat") && data.contains("czech.obt")) << data.join(' ').toStdString();
    for (const QString& name : data) {
        EXPECT_EQ(modes["/usr/share/orvela/" + name], "-rw-r--r--") << name.toStdString();
        EXPECT_TRUE(readFile(installed("share/orvela/" + name)) ==
                    readFile(qEnvironmentVariable("ORVELA_RUN_DIR") + "/" + name))
            << name.toStdString() << " differs from the build's";
    }

    // Installing the package brings the libraries and what the program loads at run time.
    const QStringList depends = run("dpkg-deb", {"-f", deb, "Depends"}).text.trimmed().split(", ");
    for (const char* needed : {"libqt6widgets6", "libqt6gui6", "qt6-qpa-plugins", "libopenal1", "libespeak-ng1",
                               "espeak-ng-data", "libspeechd2", "speech-dispatcher", "speech-dispatcher-espeak-ng",
                               "fonts-dejavu-core"}) {
        const bool found = std::any_of(depends.begin(), depends.end(), [&](const QString& d) {
            return d.section(' ', 0, 0) == QLatin1String(needed);
        });
        EXPECT_TRUE(found) << needed << " missing from " << depends.join(", ").toStdString();
    }
}

TEST_F(Package, MenuEntryIsValidNamesTheProgramAsItsWindowDoesAndLeadsToTheLauncher) {
    const QString path = installed("share/applications/orvela.desktop");
    const Output validation = run("desktop-file-validate", {path});
    EXPECT_EQ(validation.exitCode, 0) << validation.text.toStdString();
    // The one remark allowed: the entry is listed both under Education and under Utility's Accessibility.
    for (const QString& line : validation.text.split('\n', Qt::SkipEmptyParts)) {
        EXPECT_TRUE(line.contains("contains more than one main category")) << line.toStdString();
    }

    auto entry = desktopEntry(path);
    // The name a user hears in the menu is the title the window has in that language.
    const std::pair<const char*, std::int32_t> names[] = {{"Name", 2000}, {"Name[cs]", 1000}, {"Name[sk]", 3000}};
    for (const auto& [key, base] : names) {
        EXPECT_EQ(entry[key], codec::toQString(TResourceLocalizer::GetString(base, 1))) << key;
    }
    for (const char* key : {"GenericName", "GenericName[cs]", "GenericName[sk]", "Comment", "Comment[cs]",
                            "Comment[sk]"}) {
        EXPECT_FALSE(entry[key].isEmpty()) << key;
    }
    // The words a user types into a launcher's search.
    const std::map<QString, QStringList> keywords = {
        {"Keywords", {"BASIC", "Braille", "blind", "speech"}},
        {"Keywords[cs]", {"BASIC", "Braille", "nevidomí", "řeč"}},
        {"Keywords[sk]", {"BASIC", "Braille", "nevidiaci", "reč"}},
    };
    for (const auto& [key, words] : keywords) {
        const QStringList listed = entry[key].split(';');
        for (const QString& word : words) EXPECT_TRUE(listed.contains(word)) << key.toStdString() << ": " << word.toStdString();
    }
    EXPECT_EQ(entry["Terminal"], "false");

    const QFileInfo launcher(installed("bin/" + entry["Exec"].section(' ', 0, 0)));
    EXPECT_TRUE(launcher.isFile() && launcher.isExecutable()) << entry["Exec"].toStdString();
    EXPECT_TRUE(QFileInfo::exists(installed("share/icons/hicolor/scalable/apps/" + entry["Icon"] + ".svg")))
        << entry["Icon"].toStdString();
}

// The launcher of the unpacked package, started with a home of its own.
class InstalledLauncher : public Package {
protected:
    void SetUp() override {
        Package::SetUp();
        ASSERT_TRUE(speechd.ready());
        env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.remove("XDG_DATA_HOME");
        env.insert("ALSOFT_DRIVERS", "null");
        env.insert("SPEECHD_ADDRESS", speechd.address());
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
    }
    void start(QProcess& orvela, const QProcessEnvironment& with, const QString& from) const {
        orvela.setProcessEnvironment(with);
        orvela.setWorkingDirectory(from);
        orvela.setProcessChannelMode(QProcess::ForwardedChannels);
        orvela.start(installed("bin/orvela"), {});
        ASSERT_TRUE(orvela.waitForStarted(5000));
    }
    QString folder() const { return home.filePath(".local/share/orvela"); }

    QTemporaryDir home;
    testing::RecordingSpeechDaemon speechd;
    QProcessEnvironment env;
};

void stop(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

TEST_F(InstalledLauncher, GivesTheUserAFolderAndKeepsTheirSettingsAndImageAcrossUpdates) {
    testing::XSession x;
    ASSERT_TRUE(x.ready());
    const QProcessEnvironment display = [&] {
        QProcessEnvironment e = env;
        e.insert("DISPLAY", x.display());
        e.remove("QT_QPA_PLATFORM");
        return e;
    }();
    // Starts Orvela through the launcher, waits for its window and leaves by Program > Exit.
    const auto startAndExit = [&](const char* which) {
        QProcess orvela;
        start(orvela, display, "/");  // as a menu may start it
        const QString window = x.waitForWindow("Orvela Basicu");
        ASSERT_FALSE(window.isEmpty()) << which << " start shows no window";
        // The menu entry's window class lets a desktop tie the window to the entry.
        const QString wmClass = run("xprop", {"-id", window, "WM_CLASS"}, x.environment()).text;
        EXPECT_TRUE(wmClass.trimmed().endsWith(
            "\"" + desktopEntry(installed("share/applications/orvela.desktop"))["StartupWMClass"] + "\""))
            << wmClass.toStdString();
        x.xdotool({"windowactivate", "--sync", window});
        x.xdotool({"key", "--window", window, "alt+p"});
        QThread::msleep(300);
        x.xdotool({"key", "e"});
        if (!orvela.waitForFinished(15000)) stop(orvela);
        EXPECT_EQ(orvela.exitCode(), 0) << which;
    };

    ASSERT_NO_FATAL_FAILURE(startAndExit("first"));
    const QDir user(folder());
    for (const QString& name : runDataFiles()) {
        EXPECT_TRUE(readFile(user.filePath(name)) == readFile(installed("share/orvela/" + name)))
            << name.toStdString() << " differs from the shipped one";
    }
    // The settings file lands beside the link the program was started through, not beside
    // the installed executable.
    EXPECT_EQ(QFileInfo(user.filePath("orvela")).symLinkTarget(), installed("libexec/orvela/orvela"));
    EXPECT_TRUE(QFileInfo::exists(user.filePath("orvela.ini")));
    EXPECT_FALSE(QFileInfo::exists(installed("libexec/orvela/orvela.ini")));
    EXPECT_TRUE(readFile(user.filePath("ram.dat")) == QByteArray(65536, '\0'));

    // The user's settings and image, a data file the user changed, and a package update
    // that brings a new key-name file (and, were it ever to ship them, a settings file and an image).
    QByteArray ini = readFile(user.filePath("orvela.ini")) + "[sounds]\nsndvolume=-700\n";
    writeFile(user.filePath("orvela.ini"), ini);
    QByteArray image(65536, '\0');
    image.replace(0, 4, "keep");
    writeFile(user.filePath("ram.dat"), image);
    const QByteArray ownNames = readFile(user.filePath("slovak.oky")) + "126=vlnovka\r\n";
    writeFile(user.filePath("slovak.oky"), ownNames);
    const QByteArray updatedNames = readFile(installed("share/orvela/english.oky")) + "126=tilde\r\n";
    writeFile(installed("share/orvela/english.oky"), updatedNames);
    writeFile(installed("share/orvela/orvela.ini"), "[sounds]\norvelasounds=0\n");
    writeFile(installed("share/orvela/ram.dat"), QByteArray(65536, 'x'));

    ASSERT_NO_FATAL_FAILURE(startAndExit("second"));
    EXPECT_TRUE(readFile(user.filePath("orvela.ini")).startsWith(ini)) << readFile(user.filePath("orvela.ini")).toStdString();
    EXPECT_TRUE(readFile(user.filePath("ram.dat")) == image) << "the image was not kept";
    EXPECT_TRUE(readFile(user.filePath("english.oky")) == updatedNames) << "the updated file was not copied";
    EXPECT_TRUE(readFile(user.filePath("slovak.oky")) == ownNames) << "the user's own copy was replaced";
}

TEST_F(InstalledLauncher, FolderIsUnderTheXdgDataDirectory) {
    QTemporaryDir data;
    QTemporaryDir current;
    // XDG_DATA_HOME when it is an absolute path, ~/.local/share otherwise.
    const std::pair<QString, QString> cases[] = {
        {data.path(), data.filePath("orvela")},
        {"", folder()},
        {"relative/data", folder()},
    };
    for (const auto& [xdg, expected] : cases) {
        QProcessEnvironment e = env;
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.insert("XDG_DATA_HOME", xdg);
        QProcess orvela;
        start(orvela, e, current.path());
        QElapsedTimer waited;
        waited.start();
        const QString settings = expected + "/orvela.ini";
        while (!QFileInfo::exists(settings) && waited.elapsed() < 15000) QThread::msleep(100);
        stop(orvela);
        EXPECT_TRUE(QFileInfo::exists(settings)) << "XDG_DATA_HOME=" << xdg.toStdString();
        QDir(expected).removeRecursively();
    }
    EXPECT_TRUE(QDir(current.path()).isEmpty());
}

}  // namespace
}  // namespace orvela
