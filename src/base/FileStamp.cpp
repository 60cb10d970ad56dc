#include "FileStamp.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace zolvaric {

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

std::optional<FileStamp> stampOf(const QByteArray &nativePath)
{
#if defined(Q_OS_UNIX)
    struct stat info;
    if (::stat(nativePath.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                       static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    return stamp;
#else
    const QFileInfo info(QFile::decodeName(nativePath));
    if (!info.isFile())
        return std::nullopt;
    FileStamp stamp;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    return stamp;
#endif
}

bool isSameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
#if defined(Q_OS_UNIX)
    struct stat first;
    struct stat second;
    return ::stat(nativePath(a).constData(), &first) == 0 &&
           ::stat(nativePath(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
#else
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() &&
           first.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#endif
}

} // namespace zolvaric
