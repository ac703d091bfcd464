#include "app/executablepath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace orvela {

namespace {
QString startedas() {
    const QString name = QCoreApplication::arguments().value(0);
    if (name.isEmpty()) return {};
    // A name without a slash was found on the PATH.
    return name.contains('/') ? QDir::cleanPath(QFileInfo(name).absoluteFilePath())
                              : QStandardPaths::findExecutable(name);
}
}  // namespace

QString executablepath() {
    // The start directory and the name do not change, so the answer is worked out once.
    static const QString path = [] {
        const QString resolved = QCoreApplication::applicationFilePath();
        const QString started = startedas();
        return !started.isEmpty() && QFileInfo(started).canonicalFilePath() == resolved ? started : resolved;
    }();
    return path;
}

}  // namespace orvela
