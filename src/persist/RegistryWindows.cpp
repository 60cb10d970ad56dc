#include "Registry.h"

#include <windows.h>

namespace zolvaric {

namespace {

// "\Software\…" names the key below the root; the API wants no leading backslash.
std::wstring subKey(const QString &keyPath)
{
    QString path = keyPath;
    while (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    return path.toStdWString();
}

QString systemMessage(LONG code)
{
    wchar_t *text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString message =
        text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("Fehler %1").arg(code);
    LocalFree(text);
    return message;
}

} // namespace

WriteResult WriteRegString(RegistryRoot root, const QString &keyPath, const QString &name,
                           const QString &value)
{
    Q_UNUSED(root); // HKEY_CURRENT_USER, the only root the program writes
    HKEY key = nullptr;
    const std::wstring path = subKey(keyPath);
    LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return WriteResult{false, QStringLiteral("Der Registrierungsschlüssel \"%1\" kann nicht "
                                                 "geöffnet werden: %2")
                                      .arg(keyPath, systemMessage(result))};
    const std::wstring valueName = name.toStdWString();
    const std::wstring text = value.toStdWString();
    result = RegSetValueExW(key, valueName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE *>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return WriteResult{false, QStringLiteral("Der Wert \"%1\" kann nicht in die Registrierung "
                                                 "geschrieben werden: %2")
                                      .arg(name, systemMessage(result))};
    return WriteResult{true, QString()};
}

QString ReadRegString(RegistryRoot root, const QString &keyPath, const QString &name)
{
    Q_UNUSED(root);
    const std::wstring path = subKey(keyPath);
    const std::wstring valueName = name.toStdWString();
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &size) != ERROR_SUCCESS ||
        size == 0)
        return QString();
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr,
                     text.data(), &size) != ERROR_SUCCESS)
        return QString();
    return QString::fromWCharArray(text.c_str());
}

} // namespace zolvaric
