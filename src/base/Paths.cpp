#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace zolvaric {

QString WithBackslash(const QString &path)
{
    if (path.isEmpty())
        return path;
    const QChar separator = QDir::separator();
    if (path.endsWith(separator) || path.endsWith(QLatin1Char('/')))
        return path;
    return path + separator;
}

QString UncProgramFolder()
{
    return WithBackslash(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

QString ProgramBaseName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString TempFolder()
{
    for (const char *variable : {"TEMP", "TMP"}) {
        const QString folder = qEnvironmentVariable(variable);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    const QString system = QDir::tempPath();
    if (QDir().mkpath(system))
        return QDir::toNativeSeparators(system);
    return QString();
}

QString NewTempFileName()
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/zolXXXXXX.tmp"));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    return QDir::toNativeSeparators(file.fileName());
}

bool DeleteFileRetry(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    for (int attempt = 0; attempt < 2 && QFileInfo::exists(path); ++attempt)
        QFile::remove(path);
    return !QFileInfo::exists(path);
}

} // namespace zolvaric
