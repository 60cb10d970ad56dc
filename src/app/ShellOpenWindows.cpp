#include "ShellOpen.h"

#include <QDir>
#include <QWidget>

#include <windows.h>

#include <shellapi.h>

namespace zolvaric {

int shellOpen(const QString &target, const QString &parameters, const QString &workingFolder,
              int showMode, QWidget *owner)
{
    const std::wstring file = QDir::toNativeSeparators(target).toStdWString();
    const std::wstring arguments = parameters.toStdWString();
    const std::wstring folder = QDir::toNativeSeparators(workingFolder).toStdWString();
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    // The default verb, not "open": a Word template (.dotx) opens as a new
    // document, as a double click does.
    info.fMask =
        SEE_MASK_DOENVSUBST | SEE_MASK_CONNECTNETDRV | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
    info.lpFile = file.c_str();
    info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = showMode;
    const bool started = ShellExecuteExW(&info);
    const auto code = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (started && code > 32)
        return 0;
    // Without a code of its own the shell's "file not found".
    return code > 0 && code <= 32 ? static_cast<int>(code) : 2;
}

} // namespace zolvaric
