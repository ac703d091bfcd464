#include "support/xsession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace orvela::testing {

namespace {

void stop(std::unique_ptr<QProcess>& process) {
    if (!process || process->state() == QProcess::NotRunning) return;
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

}  // namespace

XSession::XSession() {
    // Xvfb picks a free display itself and writes its number, so parallel tests never collide.
    xvfb_ = std::make_unique<QProcess>();
    xvfb_->setProcessChannelMode(QProcess::SeparateChannels);
    xvfb_->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!xvfb_->waitForStarted(5000)) return;
    QElapsedTimer waited;
    waited.start();
    QByteArray number;
    while (!number.contains('\n') && waited.elapsed() < 10000 && xvfb_->state() == QProcess::Running) {
        xvfb_->waitForReadyRead(200);
        number += xvfb_->readAllStandardOutput();
    }
    if (!number.contains('\n')) return;
    display_ = ":" + QString::fromLatin1(number.trimmed());
    windowManager_ = std::make_unique<QProcess>();
    windowManager_->setProcessEnvironment(environment());
    windowManager_->start("openbox", {});
    windowManager_->waitForStarted(5000);
    QThread::msleep(500);
    ready_ = xvfb_->state() == QProcess::Running;
}

XSession::~XSession() {
    stop(windowManager_);
    stop(xvfb_);
}

void XSession::endDisplay() {
    xvfb_->kill();
    xvfb_->waitForFinished(3000);
    ready_ = false;
}

QProcessEnvironment XSession::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    env.remove("QT_QPA_PLATFORM");
    return env;
}

QString XSession::xdotool(const QStringList& args, int timeoutMs) const {
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start("xdotool", args);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished();
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

bool XSession::setlayout(const QString& layout) const {
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start("setxkbmap", {"-layout", layout});
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

QString XSession::waitForWindow(const QString& text, int timeoutMs) const {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs) {
        const QString ids = xdotool({"search", "--name", text});
        if (!ids.isEmpty()) return ids.split('\n').first();
        QThread::msleep(100);
    }
    return {};
}

OrvelaRun::OrvelaRun(const XSession& x, const QString& dir, const QProcessEnvironment& extra) {
    const QDir run(qEnvironmentVariable("ORVELA_RUN_DIR"));
    for (const QString& name : run.entryList(QDir::Files)) {
        if (name.endsWith(".ini") || name == "ram.dat") continue;
        QFile::copy(run.filePath(name), QDir(dir).filePath(name));
    }
    QFile::setPermissions(QDir(dir).filePath("orvela"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = x.environment();
    env.insert("ALSOFT_DRIVERS", "null");
    // A sanitizer build of the program must not fail on leaks inside the system's libraries.
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    for (const QString& key : extra.keys()) env.insert(key, extra.value(key));
    process_ = std::make_unique<QProcess>();
    process_->setProcessEnvironment(env);
    process_->setWorkingDirectory(dir);
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    process_->start(QDir(dir).filePath("orvela"), {});
    process_->waitForStarted(5000);
}

OrvelaRun::~OrvelaRun() { stop(process_); }

bool OrvelaRun::waitForExit(int timeoutMs) { return process_->waitForFinished(timeoutMs); }

}  // namespace orvela::testing
