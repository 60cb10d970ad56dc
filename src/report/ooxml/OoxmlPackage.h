#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

struct zip;

namespace zolvaric {

// An OOXML package (a zip file) held in memory. Parts are read and replaced
// by name; writing copies every part that was not replaced as it is, so that
// a document keeps whatever this program does not understand.
class OoxmlPackage
{
public:
    // Throws AutomationError when the bytes are not a readable zip file,
    // `fileName` named in that message, or hold more than TemplateLimits.h
    // allows.
    OoxmlPackage(QByteArray bytes, const QString &fileName);
    ~OoxmlPackage();
    OoxmlPackage(const OoxmlPackage &) = delete;
    OoxmlPackage &operator=(const OoxmlPackage &) = delete;

    // Part names are zip entry names ("word/document.xml"), matched without
    // regard to case as the package format wants.
    bool contains(const QString &part) const;
    // Every part's name, in the order of the zip file.
    const QList<QString> &partNames() const { return m_names; }
    // The part's current bytes; throws AutomationError when it is missing or broken.
    QByteArray read(const QString &part) const;
    // Replaces an existing part's bytes.
    void replace(const QString &part, QByteArray bytes);

    // The package as a new zip file; throws AutomationError on failure.
    QByteArray toBytes() const;
    // The same with other bytes for one existing part; the package itself
    // keeps its own.
    QByteArray toBytesWith(const QString &part, const QByteArray &bytes) const;

private:
    QByteArray write(const QHash<int, QByteArray> &replaced) const;
    void readDirectory();
    void checkSizes() const;
    int indexOf(const QString &part) const;

    const QByteArray m_bytes; // backs m_archive, which reads it in place
    QString m_fileName;
    zip *m_archive = nullptr;
    QList<QString> m_names;        // in the order of the zip file
    QHash<QString, int> m_indexes; // by lower-case name
    QList<quint64> m_sizes;        // unpacked, by index
    QHash<int, QByteArray> m_replaced;
};

} // namespace zolvaric
