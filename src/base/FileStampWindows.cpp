#include "FileStamp.h"

#include <QDir>

#include <windows.h>

namespace zolvaric {

namespace {

// The file's identity (volume and file index), size and time, read through
// a handle that asks for no access, so files open elsewhere are stamped too.
std::optional<BY_HANDLE_FILE_INFORMATION> fileInformation(const QByteArray &nativePath)
{
    const std::wstring path = QString::fromUtf8(nativePath).toStdWString();
    HANDLE file = CreateFileW(path.c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool read = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!read || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return info;
}

std::uint64_t joined(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

} // namespace

QByteArray nativePath(const QString &path)
{
    // UTF-8 here: every name survives, whatever the ANSI code page holds.
    return QDir::toNativeSeparators(path).toUtf8();
}

std::optional<FileStamp> stampOf(const QByteArray &nativePath)
{
    const auto info = fileInformation(nativePath);
    if (!info)
        return std::nullopt;
    FileStamp stamp;
    stamp.device = info->dwVolumeSerialNumber;
    stamp.inode = joined(info->nFileIndexHigh, info->nFileIndexLow);
    stamp.size = static_cast<std::int64_t>(joined(info->nFileSizeHigh, info->nFileSizeLow));
    // 100-ns steps since 1601: only compared, never shown.
    stamp.modifiedNs = static_cast<std::int64_t>(
        joined(info->ftLastWriteTime.dwHighDateTime, info->ftLastWriteTime.dwLowDateTime) * 100);
    return stamp;
}

bool isSameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const auto first = fileInformation(nativePath(a));
    const auto second = fileInformation(nativePath(b));
    return first && second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
           first->nFileIndexHigh == second->nFileIndexHigh &&
           first->nFileIndexLow == second->nFileIndexLow;
}

} // namespace zolvaric
