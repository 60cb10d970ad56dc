#include "TemplateFile.h"

#include "LegacyConversion.h"
#include "TemplateLimits.h"
#include "report/Automation.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

namespace zolvaric {

namespace {

const QByteArray ZipSignature("PK\x03\x04", 4);
const QByteArray CompoundFileSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

// Converted legacy templates by path, size and modification time: a report
// run adds one document per report, and LibreOffice takes seconds.
QByteArray cachedConversion(const QFileInfo &file, const QString &soffice)
{
    static QMutex mutex;
    static QHash<QString, QByteArray> conversions;
    const QString key = QStringLiteral("%1|%2|%3")
                            .arg(file.absoluteFilePath())
                            .arg(file.size())
                            .arg(file.lastModified().toMSecsSinceEpoch());
    {
        const QMutexLocker locker(&mutex);
        const auto found = conversions.constFind(key);
        if (found != conversions.constEnd())
            return *found;
    }
    const QByteArray converted = convertLegacyWordFile(file.absoluteFilePath(), soffice);
    const QMutexLocker locker(&mutex);
    conversions.insert(key, converted);
    return converted;
}

} // namespace

QByteArray readTemplatePackage(const QString &path, const QString &soffice)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.isFile())
        throw AutomationError(
            QStringLiteral("Die Vorlage \"%1\" wurde nicht gefunden.").arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AutomationError(
            QStringLiteral("Die Vorlage \"%1\" kann nicht gelesen werden.").arg(shown));
    // A package's file is no larger than its parts unpacked.
    if (info.size() > MaxTemplatePackageBytes)
        throw templateTooLarge();
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith(ZipSignature))
        return bytes;
    if (bytes.startsWith(CompoundFileSignature))
        return cachedConversion(info, soffice);
    throw AutomationError(QStringLiteral("Die Vorlage \"%1\" ist keine Word-Datei.").arg(shown));
}

} // namespace zolvaric
