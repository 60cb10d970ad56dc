#pragma once

#include "AtomicWrite.h"
#include "IniDocument.h"

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace zolvaric {

// Reads and writes single values of INI files, each call opening the file for
// one read or one write. Writes replace the whole file atomically and keep
// every line they do not change.

// One read of a whole INI file, for callers that take many keys from it.
class IniReader
{
public:
    explicit IniReader(const QString &file);

    // Whether a file was there and could be read.
    bool exists() const { return m_document.has_value(); }

    // As ReadIniString.
    QString string(const QString &section, const QString &key, const QString &defaultValue) const;

private:
    std::optional<IniDocument> m_document;
};

// The value's text; the default when the file, section or key is absent or
// the value is empty.
QString ReadIniString(const QString &file, const QString &section, const QString &key,
                      const QString &defaultValue);

// An integer value (decimal, or hexadecimal after "0x", "0X" or "$"): yes
// when it is not 0; the default when absent, empty or no integer.
bool ReadIniBool(const QString &file, const QString &section, const QString &key,
                 bool defaultValue);

using IniEntries = QList<QPair<QString, QString>>;

// Writes several keys of one section in one update; the bytes are those of
// the same writes one after another. A missing file is created, its folder
// is not. Line breaks inside a value become blanks: a value is one line.
WriteResult WriteIniStrings(const QString &file, const QString &section, const IniEntries &entries);
WriteResult WriteIniString(const QString &file, const QString &section, const QString &key,
                           const QString &value);

} // namespace zolvaric
