#include "ZolvaricApplication.h"

#include "QtTranslations.h"

#include "base/Desktop.h"
#include "base/Error.h"

#include <QFont>
#include <QIcon>

namespace zolvaric {

ZolvaricApplication::ZolvaricApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Zolvaric"));
    installGermanQtTexts(*this);
    setWindowIcon(QIcon(QStringLiteral(":/app/zolvaric.png")));
    // Every window of the program in the design's 8 point, in the system's UI
    // font. Set before the first widget exists, so no widget lays out its
    // texts a second time for a changed font.
    QFont font = QApplication::font();
    font.setPointSize(8);
    setFont(font);
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
