#include "ZolvaricApplication.h"

#include "base/Desktop.h"
#include "base/Error.h"

#include <QIcon>

namespace zolvaric {

ZolvaricApplication::ZolvaricApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Zolvaric"));
    setWindowIcon(QIcon(QStringLiteral(":/app/zolvaric.png")));
}

bool ZolvaricApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error &error) {
        if (m_desktop)
            m_desktop->errorBox(error.message());
    } catch (const std::exception &error) {
        if (m_desktop)
            m_desktop->errorBox(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

} // namespace zolvaric
