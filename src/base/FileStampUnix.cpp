#include "FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace zolvaric {

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

std::optional<FileStamp> stampOf(const QByteArray &nativePath)
{
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
}

bool isSameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat first;
    struct stat second;
    return ::stat(nativePath(a).constData(), &first) == 0 &&
           ::stat(nativePath(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

} // namespace zolvaric
