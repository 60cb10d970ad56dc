#include "PrivateTempFolder.h"

#include "Paths.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace zolvaric {

namespace {

// Ours alone: a real folder (not a link), owned by this user, closed to others.
bool isPrivateFolder(const QByteArray &path)
{
    struct stat info;
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

QString madeFolder(const QByteArray &path)
{
    return WithBackslash(QDir::toNativeSeparators(QFile::decodeName(path)));
}

} // namespace

QString PrivateTempFolder()
{
    const QString base = TempFolder();
    if (base.isEmpty())
        return QString();
    const QByteArray own = QFile::encodeName(WithBackslash(base) + QStringLiteral("zolvaric-") +
                                             QString::number(::geteuid()));
    if ((::mkdir(own.constData(), 0700) == 0 || errno == EEXIST) && isPrivateFolder(own))
        return madeFolder(own);
    // Someone else holds the name: a folder of our own under a name nobody can
    // guess, kept for the rest of the run.
    static QByteArray fresh;
    if (fresh.isEmpty() || !isPrivateFolder(fresh)) {
        QByteArray pattern =
            QFile::encodeName(WithBackslash(base) + QStringLiteral("zolvaric-XXXXXX"));
        fresh = ::mkdtemp(pattern.data()) ? pattern : QByteArray();
    }
    return fresh.isEmpty() ? QString() : madeFolder(fresh);
}

} // namespace zolvaric
