#include "support/speechdaemon.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <csignal>

namespace orvela::testing {

namespace {

const char* const kModuleConf = R"(GenericExecuteSynth "echo \'$DATA\' >> $SPOKEN && sleep $SECONDS"
AddVoice "sk" "male1" "rec"
AddVoice "cs" "male1" "rec"
AddVoice "en" "male1" "rec"
AddVoice "c" "male1" "rec"
GenericLanguage "sk" "slovak" "utf-8"
GenericLanguage "cs" "czech" "utf-8"
GenericLanguage "en" "english" "utf-8"
GenericLanguage "c" "c" "utf-8"
DefaultVoice "rec"
)";

void writeFile(const QString& path, const QString& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
}

}  // namespace

RecordingSpeechDaemon::RecordingSpeechDaemon(int msPerText, bool startNow) {
    const QString conf = dir_.filePath("conf");
    QDir().mkpath(conf + "/modules");
    QDir().mkpath(dir_.filePath("log"));
    const QString module = QString::fromUtf8(kModuleConf)
                               .replace("$SPOKEN", spokenPath())
                               .replace("$SECONDS", QString::number(msPerText / 1000.0));
    writeFile(conf + "/rec.conf", module);
    writeFile(conf + "/modules/rec.conf", module);
    // The module makes no sound, but the daemon insists on an audio output: ALSA's null device.
    writeFile(conf + "/speechd.conf",
              QString("LogDir \"%1\"\nAudioOutputMethod \"alsa\"\nAudioALSADevice \"null\"\n"
                      "AddModule \"rec\" \"sd_generic\" \"rec.conf\"\nDefaultModule rec\n")
                  .arg(dir_.filePath("log")));
    if (startNow) start();
}

bool RecordingSpeechDaemon::start() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CACHE_HOME", dir_.filePath("cache"));
    daemon_.setProcessEnvironment(environment);
    daemon_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    daemon_.start("speech-dispatcher", {"-s", "-C", dir_.filePath("conf"), "-c", "unix_socket", "-S", socketPath(),
                                        "-t", "0", "-P", dir_.filePath("speechd.pid")});
    if (!daemon_.waitForStarted(5000)) return false;
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(socketPath()) && waited.elapsed() < 10000) QThread::msleep(20);
    ready_ = QFile::exists(socketPath()) && warmUp();
    return ready_;
}

qint64 RecordingSpeechDaemon::pid() const {
    QFile file(dir_.filePath("speechd.pid"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

void RecordingSpeechDaemon::kill() {
    if (const qint64 id = pid(); id > 0) ::kill(static_cast<pid_t>(id), SIGKILL);
    daemon_.waitForFinished(5000);
    ready_ = false;
}

RecordingSpeechDaemon::~RecordingSpeechDaemon() {
    if (daemon_.state() == QProcess::NotRunning) return;
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000)) {
        daemon_.kill();
        daemon_.waitForFinished(2000);
    }
}

QStringList RecordingSpeechDaemon::spoken() const {
    QFile file(spokenPath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList texts;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
        texts << line.simplified();
    return texts;
}

qsizetype RecordingSpeechDaemon::waitForSpoken(const QString& text, qsizetype after, int timeoutMs) const {
    QElapsedTimer waited;
    waited.start();
    do {
        const qsizetype at = spoken().indexOf(text, after);
        if (at >= 0) return at;
        QThread::msleep(50);
    } while (waited.elapsed() < timeoutMs);
    return -1;
}

// A fresh daemon may drop its very first text: one is spoken before the test begins.
bool RecordingSpeechDaemon::warmUp() {
    QProcess say;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SPEECHD_ADDRESS", "unix_socket:" + socketPath());
    say.setProcessEnvironment(environment);
    say.start("spd-say", {"-w", "warm"});
    const bool said = say.waitForFinished(15000) && say.exitCode() == 0;
    if (!said) say.kill();
    QFile::remove(spokenPath());
    return said;
}

}  // namespace orvela::testing
