#pragma once

#include "TableCatalog.h"
#include "TextTable.h"

#include "base/FileStamp.h"
#include "base/RegionalSettings.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <unordered_map>

namespace zolvaric {

// Hands out the tables: the override file below the program folder when there
// is one, else the embedded text. The override file is read on every load, so
// a file added, changed or removed counts at the next calculation, even one
// rewritten with the same size and time (cp -p, unpackers); it is parsed and
// checked again only when its bytes changed.
class TableStore
{
public:
    TableStore(const RegionalSettings &settings, QString programDir);

    const QString &programDir() const { return m_programDir; }
    void setProgramDir(const QString &programDir);

    // Throws Error when an override file exists but cannot be read, is larger
    // than any table, or lacks a cell the calculation reads (checkOverrideTable).
    SharedTable load(const TableInfo &info);

    // The embedded text of a table, as the program carries it.
    static QByteArray embeddedText(const TableInfo &info);

    // One user action over many calculations (a project load): while one
    // stands, each table's file is looked at once, not at every calculation.
    class Batch
    {
    public:
        explicit Batch(TableStore &store);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        TableStore &m_store;
    };

private:
    struct Entry
    {
        QByteArray overridePath;  // native, prepared once per program folder
        QByteArray overrideBytes; // what overrideTable was read from
        SharedTable overrideTable;
        SharedTable embeddedTable;
        bool lookedAtInBatch = false;
    };

    Entry &entryFor(const TableInfo &info);
    SharedTable load(const TableInfo &info, Entry &entry);

    const RegionalSettings &m_settings;
    QString m_programDir;
    std::unordered_map<const TableInfo *, Entry> m_entries;
    int m_batches = 0;
};

} // namespace zolvaric
