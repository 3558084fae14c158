#include "settings_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace gonilux::mainwindow {

QString DefaultSettingsPath() {
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("gonilux.ini"));
    if (QFileInfo::exists(beside) || QFileInfo(QCoreApplication::applicationDirPath()).isWritable())
        return beside;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("gonilux.ini"));
}

} // namespace gonilux::mainwindow
