#include "PrivateTempFolder.h"

#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <memory>
#include <string>

namespace zolvaric {

namespace {

std::wstring wide(const QString &text)
{
    return QDir::toNativeSeparators(text).toStdWString();
}

// The SIDs a folder this user made may be owned by: the user, or the default
// owner of the process (the Administrators group in an elevated process).
struct OwnSids
{
    std::unique_ptr<BYTE[]> user;
    std::unique_ptr<BYTE[]> owner;
};

std::unique_ptr<BYTE[]> tokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind)
{
    DWORD size = 0;
    GetTokenInformation(token, kind, nullptr, 0, &size);
    if (size == 0)
        return nullptr;
    auto data = std::make_unique<BYTE[]>(size);
    return GetTokenInformation(token, kind, data.get(), size, &size) ? std::move(data) : nullptr;
}

OwnSids ownSids()
{
    OwnSids sids;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return sids;
    sids.user = tokenInformation(token, TokenUser);
    sids.owner = tokenInformation(token, TokenOwner);
    CloseHandle(token);
    return sids;
}

PSID userSid(const OwnSids &sids)
{
    return sids.user ? reinterpret_cast<TOKEN_USER *>(sids.user.get())->User.Sid : nullptr;
}

// Ours alone: a real folder (no junction or link that would lead elsewhere),
// owned by this user.
bool isPrivateFolder(const QString &path)
{
    const std::wstring native = wide(path);
    const DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(native.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const OwnSids sids = ownSids();
    const PSID defaultOwner =
        sids.owner ? reinterpret_cast<TOKEN_OWNER *>(sids.owner.get())->Owner : nullptr;
    const bool own = owner && ((userSid(sids) && EqualSid(owner, userSid(sids))) ||
                               (defaultOwner && EqualSid(owner, defaultOwner)));
    LocalFree(descriptor);
    return own;
}

// Creates the folder closed to everyone but this user (a protected access
// list that inherits nothing from the temp folder); false when it exists.
bool createPrivateFolder(const QString &path)
{
    const std::wstring native = wide(path);
    const OwnSids sids = ownSids();
    LPWSTR sidText = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (userSid(sids) && ConvertSidToStringSidW(userSid(sids), &sidText)) {
        const std::wstring sddl = L"D:P(A;OICI;FA;;;" + std::wstring(sidText) + L")";
        LocalFree(sidText);
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                             &descriptor, nullptr);
    }
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
    const bool made = CreateDirectoryW(native.c_str(), descriptor ? &attributes : nullptr);
    LocalFree(descriptor);
    return made;
}

// The user's own temp folder: TEMP or TMP, else the one in the user's
// profile. Never the shared fallback C:\TEMP, which every user may enter.
QString userTempFolder()
{
    for (const char *variable : {"TEMP", "TMP"}) {
        const QString folder = qEnvironmentVariable(variable);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    const QString local = qEnvironmentVariable("LOCALAPPDATA");
    if (local.isEmpty())
        return QString();
    const QString folder = WithBackslash(local) + QStringLiteral("Temp");
    return QDir().mkpath(folder) ? folder : QString();
}

QString withSeparator(const QString &folder)
{
    return WithBackslash(QDir::toNativeSeparators(folder));
}

} // namespace

QString PrivateTempFolder()
{
    const QString base = userTempFolder();
    if (base.isEmpty())
        return QString();
    const QString own = WithBackslash(base) + QStringLiteral("Zolvaric");
    if ((createPrivateFolder(own) || QFileInfo(own).isDir()) && isPrivateFolder(own))
        return withSeparator(own);
    // Someone else holds the name, or it leads elsewhere: a folder of our own
    // under a name nobody can guess, kept for the rest of the run. Made here,
    // it is ours even where the system tells no owner.
    static QString fresh;
    if (fresh.isEmpty() || !QFileInfo(fresh).isDir()) {
        fresh.clear();
        for (int attempt = 0; attempt < 8 && fresh.isEmpty(); ++attempt) {
            const QString name = WithBackslash(base) + QStringLiteral("Zolvaric-") +
                                 QString::number(QRandomGenerator::system()->generate64(), 16);
            if (createPrivateFolder(name))
                fresh = name;
        }
    }
    return fresh.isEmpty() ? QString() : withSeparator(fresh);
}

} // namespace zolvaric
