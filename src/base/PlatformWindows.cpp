#include "Platform.h"

#include "VersionInfo.h"

#include <QDir>

#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <io.h>

#include <windows.h>

#include <shlobj.h>
#include <winnetwk.h>

namespace zolvaric::platform {

namespace {

QString specialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return QString();
    return QString::fromWCharArray(path);
}

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

} // namespace

QString commonAppDataFolder()
{
    return specialFolder(CSIDL_COMMON_APPDATA);
}

QString localAppDataFolder()
{
    return specialFolder(CSIDL_LOCAL_APPDATA);
}

QString programFilesFolder()
{
    return specialFolder(CSIDL_PROGRAM_FILES);
}

QString universalName(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    // Only "X:…" on a network drive has a UNC form.
    if (native.size() < 2 || native[1] != QLatin1Char(':'))
        return path;
    const std::wstring drive = wide(native.left(2) + QLatin1Char('\\'));
    if (GetDriveTypeW(drive.c_str()) != DRIVE_REMOTE)
        return path;
    const std::wstring local = wide(native);
    DWORD size = 1024;
    std::vector<char> buffer(size);
    DWORD result =
        WNetGetUniversalNameW(local.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
    if (result == ERROR_MORE_DATA) {
        buffer.resize(size);
        result =
            WNetGetUniversalNameW(local.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
    }
    if (result != NO_ERROR)
        return path;
    const auto *info = reinterpret_cast<const UNIVERSAL_NAME_INFOW *>(buffer.data());
    return QString::fromWCharArray(info->lpUniversalName);
}

QString fallbackTempFolder()
{
    const QString folder = QStringLiteral("C:\\TEMP");
    return QDir().mkpath(folder) ? folder : QString();
}

QString newTempFile()
{
    wchar_t folder[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, folder) == 0)
        return QString();
    wchar_t file[MAX_PATH] = {};
    // The system creates the file under a name of its own with our prefix.
    if (GetTempFileNameW(folder, L"zol", 0, file) == 0)
        return QString();
    return QString::fromWCharArray(file);
}

QStringList versionInfoValues(const QString &filePath)
{
    const std::wstring path = wide(QDir::toNativeSeparators(filePath));
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return {};
    struct Translation
    {
        WORD language;
        WORD codePage;
    };
    Translation *translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void **>(&translation), &length) ||
        length < sizeof(Translation))
        return {};
    const QString block = QStringLiteral("\\StringFileInfo\\%1%2\\")
                              .arg(translation->language, 4, 16, QLatin1Char('0'))
                              .arg(translation->codePage, 4, 16, QLatin1Char('0'));
    QStringList values;
    for (const char *key : kVersionInfoKeys) {
        const std::wstring query = wide(block + QLatin1String(key));
        wchar_t *value = nullptr;
        UINT chars = 0;
        if (VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void **>(&value), &chars) &&
            value && chars > 0)
            values << QString::fromWCharArray(value, static_cast<qsizetype>(chars) - 1);
        else
            values << QString();
    }
    return values;
}

bool syncToDisk(int fileDescriptor)
{
    return ::_commit(fileDescriptor) == 0;
}

void makeStandardOutputBinary()
{
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

void markProgramRunning(const QString &name)
{
    // Never closed: the system releases both handles when the process ends.
    // The global name reaches a setup started in another session; where that
    // is denied, the session's own name still serves the update, which starts
    // the setup from this program.
    CreateMutexW(nullptr, FALSE, wide(name).c_str());
    CreateMutexW(nullptr, FALSE, wide(QStringLiteral("Global\\") + name).c_str());
}

} // namespace zolvaric::platform
