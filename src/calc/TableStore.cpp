#include "TableStore.h"

#include "TableReader.h"

#include "base/Error.h"

#include <QDir>
#include <QFile>

namespace zolvaric {

TableStore::TableStore(const RegionalSettings &settings, QString programDir)
    : m_settings(settings), m_programDir(std::move(programDir))
{
}

void TableStore::setProgramDir(const QString &programDir)
{
    if (programDir == m_programDir)
        return;
    m_programDir = programDir;
    m_entries.clear();
}

QByteArray TableStore::embeddedText(const TableInfo &info)
{
    QFile resource(QStringLiteral(":/tables/%1.csv").arg(QLatin1String(info.component)));
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return resource.readAll();
}

TableStore::Entry &TableStore::entryFor(const TableInfo &info)
{
    const auto found = m_entries.find(&info);
    if (found != m_entries.end())
        return found->second;
    Entry &entry = m_entries[&info];
    const QString path = m_programDir + QDir::toNativeSeparators(QLatin1String(info.overrideFile));
    entry.overridePath = nativePath(path);
    return entry;
}

SharedTable TableStore::load(const TableInfo &info)
{
    Entry &entry = entryFor(info);
    const std::optional<FileStamp> stamp = stampOf(entry.overridePath);
    if (!stamp) {
        entry.overrideStamp.reset();
        entry.overrideTable.reset();
        if (!entry.embeddedTable)
            entry.embeddedTable =
                std::make_shared<const TextTable>(readTable(embeddedText(info), m_settings));
        return entry.embeddedTable;
    }
    if (entry.overrideTable && entry.overrideStamp == stamp)
        return entry.overrideTable;

    QFile file(QFile::decodeName(entry.overridePath));
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("Die Tabellendatei \"%1\" kann nicht gelesen werden: %2")
                        .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    }
    entry.overrideTable = std::make_shared<const TextTable>(readTable(file.readAll(), m_settings));
    entry.overrideStamp = stamp;
    return entry.overrideTable;
}

} // namespace zolvaric
