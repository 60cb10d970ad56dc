#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace zolvaric {

// Identity and state of a file, to tell cheaply whether a file read earlier
// is still the same: one system call, no Qt file engine. One implementation
// per system (FileStampUnix.cpp, FileStampWindows.cpp).
struct FileStamp
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// The native (encoded) form of a path, prepared once for stampOf.
QByteArray nativePath(const QString &path);

// The stamp of a regular file, nullopt when there is none at that path.
std::optional<FileStamp> stampOf(const QByteArray &nativePath);

// Whether both paths name the same existing file, also through links, hard
// links and other spellings of the path.
bool isSameFile(const QString &a, const QString &b);

} // namespace zolvaric
