#include "Paths.h"

#include "Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
    return WithBackslash(
        QDir::toNativeSeparators(platform::universalName(QCoreApplication::applicationDirPath())));
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
    return platform::fallbackTempFolder();
}

QString NewTempFileName()
{
    return platform::newTempFile();
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
