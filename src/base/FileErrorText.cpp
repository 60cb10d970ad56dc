#include "FileErrorText.h"

#include <cerrno>
#include <cstring>

namespace zolvaric {

namespace {

struct SystemReason
{
    int code;
    const char16_t *text;
};

// The reasons a user meets when saving or reading a document.
const SystemReason kSystemReasons[] = {
    {ENOSPC, u"Auf dem Datenträger ist nicht genügend Speicherplatz."},
#ifdef EDQUOT
    {EDQUOT, u"Das Speicherkontingent auf dem Datenträger ist erschöpft."},
#endif
    {EACCES, u"Zugriff verweigert."},
    {EPERM, u"Der Vorgang ist nicht erlaubt."},
    {EROFS, u"Der Datenträger ist schreibgeschützt."},
    {EIO, u"Ein-/Ausgabefehler des Datenträgers."},
    {ENOENT, u"Die Datei oder der Ordner existiert nicht."},
    {ENOTDIR, u"Ein Teil des Pfades ist kein Ordner."},
    {EISDIR, u"Der Pfad ist ein Ordner."},
    {ENAMETOOLONG, u"Der Dateiname ist zu lang."},
    {EFBIG, u"Die Datei ist zu groß."},
    {EBUSY, u"Die Datei wird von einem anderen Programm verwendet."},
    {EMFILE, u"Es sind zu viele Dateien geöffnet."},
    {ENFILE, u"Es sind zu viele Dateien geöffnet."},
    {EEXIST, u"Die Datei existiert bereits."},
#ifdef ELOOP
    {ELOOP, u"Zu viele Verknüpfungen im Pfad."},
#endif
};

QString operationFailed(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ReadError:
        return QStringLiteral("Die Datei konnte nicht gelesen werden.");
    case QFileDevice::WriteError:
        return QStringLiteral("Die Datei konnte nicht geschrieben werden.");
    case QFileDevice::OpenError:
        return QStringLiteral("Die Datei konnte nicht geöffnet werden.");
    case QFileDevice::ResizeError:
        return QStringLiteral("Die Größe der Datei konnte nicht geändert werden.");
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        return QStringLiteral("Die Datei konnte nicht an ihren Platz gebracht werden.");
    case QFileDevice::PermissionsError:
        return QStringLiteral("Zugriff verweigert.");
    case QFileDevice::RemoveError:
        return QStringLiteral("Die Datei konnte nicht gelöscht werden.");
    default:
        return QStringLiteral("Unbekannter Fehler des Dateisystems.");
    }
}

} // namespace

QString fileErrorText(const QString &reason, QFileDevice::FileError error)
{
    for (const SystemReason &known : kSystemReasons) {
        if (reason == QString::fromLocal8Bit(std::strerror(known.code)))
            return QString::fromUtf16(known.text);
    }
    if (reason.isEmpty() || reason == QLatin1String("Unknown error"))
        return operationFailed(error);
    return reason;
}

QString fileErrorText(const QFileDevice &file)
{
    return fileErrorText(file.errorString(), file.error());
}

} // namespace zolvaric
