#include "TableStore.h"

#include "TableCheck.h"
#include "TableReader.h"

#include "base/Error.h"
#include "base/FileErrorText.h"

#include <QDir>
#include <QFile>

namespace zolvaric {

namespace {

// The largest table has some forty lines; a file far beyond that is no table.
constexpr qint64 kMaxTableFileSize = 1024 * 1024;

} // namespace

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

TableStore::Batch::Batch(TableStore &store) : m_store(store)
{
    ++m_store.m_batches;
}

TableStore::Batch::~Batch()
{
    if (--m_store.m_batches > 0)
        return;
    for (auto &[info, entry] : m_store.m_entries)
        entry.lookedAtInBatch = false;
}

SharedTable TableStore::load(const TableInfo &info)
{
    Entry &entry = entryFor(info);
    if (m_batches > 0) {
        if (entry.lookedAtInBatch)
            return entry.overrideTable ? entry.overrideTable : entry.embeddedTable;
        // Marked after a good look: a table that fails is looked at again.
        SharedTable table = load(info, entry);
        entry.lookedAtInBatch = true;
        return table;
    }
    return load(info, entry);
}

SharedTable TableStore::load(const TableInfo &info, Entry &entry)
{
    if (!stampOf(entry.overridePath)) {
        entry.overrideBytes.clear();
        entry.overrideTable.reset();
        if (!entry.embeddedTable)
            entry.embeddedTable =
                std::make_shared<const TextTable>(readTable(embeddedText(info), m_settings));
        return entry.embeddedTable;
    }
    QFile file(QFile::decodeName(entry.overridePath));
    const QString shownPath = QDir::toNativeSeparators(file.fileName());
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("Die Tabellendatei \"%1\" kann nicht gelesen werden: %2")
                        .arg(shownPath, fileErrorText(file)));
    }
    if (file.size() > kMaxTableFileSize)
        throw Error(QStringLiteral("Die Tabellendatei \"%1\" ist zu groß für eine Tabelle.")
                        .arg(shownPath));
    QByteArray bytes = file.read(file.size());
    if (entry.overrideTable && bytes == entry.overrideBytes)
        return entry.overrideTable;

    auto table = std::make_shared<const TextTable>(readTable(bytes, m_settings));
    const FeeTableInfo *feeTable = feeTableInfo(info);
    const TableKind kind = !feeTable                        ? TableKind::WorkPhases
                           : feeTable->keysInEitherNotation ? TableKind::FeeKeysInEitherNotation
                                                            : TableKind::Fee;
    checkOverrideTable(*table, kind, shownPath, m_settings);
    entry.overrideTable = std::move(table);
    entry.overrideBytes = std::move(bytes);
    return entry.overrideTable;
}

} // namespace zolvaric
