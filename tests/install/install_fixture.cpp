#include "install_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>

namespace gonilux::installtest {

ProcessResult RunProcess(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForStarted() || !process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        result.Err = process.errorString();
        return result;
    }
    result.Out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.Err = QString::fromLocal8Bit(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit) result.Status = process.exitCode();
    return result;
}

std::map<QString, QString> ReadDesktopGroup(const QString& path, const QString& group) {
    std::map<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return keys;
    QTextStream in(&file);
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1Char('[') + group + QLatin1Char(']');
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inGroup && equals > 0)
            keys[line.left(equals).trimmed()] = line.mid(equals + 1).trimmed();
    }
    return keys;
}

QStringList SplitList(const QString& value) {
    QStringList items = value.split(QLatin1Char(';'));
    if (!items.isEmpty() && items.last().isEmpty()) items.removeLast();
    return items;
}

void InstalledTree::SetUp() {
    ASSERT_TRUE(prefix_.isValid());
    ASSERT_TRUE(scratch_.isValid());
    const ProcessResult install =
        RunProcess(QStringLiteral(GONILUX_CMAKE_COMMAND),
                   {QStringLiteral("--install"), QStringLiteral(GONILUX_BUILD_DIR),
                    QStringLiteral("--prefix"), prefix_.path()});
    ASSERT_EQ(install.Status, 0) << install.Out.toStdString() << install.Err.toStdString();
}

QString InstalledTree::Bin(const QString& name) const {
    return prefix_.path() + QStringLiteral("/bin/") + name;
}

QString InstalledTree::Data(const QString& relative) const {
    return prefix_.path() + QStringLiteral("/" GONILUX_INSTALL_DATADIR "/") + relative;
}

QProcessEnvironment InstalledTree::DesktopHelperEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("PATH"), prefix_.path() + QStringLiteral("/bin:") +
                                                   environment.value(QStringLiteral("PATH")));
    return environment;
}

} // namespace gonilux::installtest
