#pragma once

#include "AtomicWrite.h"
#include "IniDocument.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zolvaric {

// Reads and writes single values of INI files, each call opening the file for
// one read or one write. Writes replace the whole file atomically and keep
// every line they do not change.

// No project, settings or update file of this program comes near this size;
// reading a larger one would take gigabytes of memory and minutes.
inline constexpr qint64 kMaxIniFileSize = 16 * 1024 * 1024;

// One read of a whole INI file, for callers that take many keys from it.
class IniReader
{
public:
    explicit IniReader(const QString &file);

    // Whether a file was there and could be read.
    bool exists() const { return m_document.has_value(); }
    // Why a file that is there was not read (unreadable, larger than
    // kMaxIniFileSize); empty when it was read or is absent.
    const QString &error() const { return m_error; }

    // As ReadIniString.
    QString string(const QString &section, const QString &key, const QString &defaultValue) const;
    // The file's sections in its order; none for a file not read.
    QStringList sectionNames() const;

private:
    QString m_error; // before m_document: filled while it is read
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
// is not; a file that cannot be read (or is too large) is not replaced. Line
// breaks inside a value become blanks: a value is one line. The removed keys
// are deleted from the section.
WriteResult WriteIniStrings(const QString &file, const QString &section, const IniEntries &entries,
                            const QStringList &removedKeys = {});
// One update of a whole file: the document read (empty for a missing file)
// goes through edit and is written atomically; a file that cannot be read
// is not replaced.
WriteResult updateIniFile(const QString &file, const std::function<void(IniDocument &)> &edit);
// A value as one line: line breaks become blanks.
QString oneLineValue(QString value);

WriteResult WriteIniString(const QString &file, const QString &section, const QString &key,
                           const QString &value);

} // namespace zolvaric
