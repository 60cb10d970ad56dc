#include "ShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace zolvaric {

int shellOpen(const QString &target, const QString &, const QString &, int, QWidget *)
{
    // The desktop's "open" (xdg-open), never a shell command line.
    const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl(target);
    return QDesktopServices::openUrl(url) ? 0 : 2;
}

} // namespace zolvaric
