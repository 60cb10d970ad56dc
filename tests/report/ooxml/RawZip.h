#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// Zip files written byte by byte, for templates no zip tool would write:
// headers that lie about sizes, ZIP64 size fields, deflate bombs.
namespace wordtest {

struct RawZipEntry
{
    QByteArray name{};
    QByteArray data{}; // uncompressed
    bool deflated = true;
    // What the headers claim the uncompressed size is; the true size when empty.
    std::optional<quint64> declaredSize{};
    // Sizes in a ZIP64 extra field instead of the header's own fields.
    bool zip64 = false;
};

QByteArray rawZip(const QList<RawZipEntry> &entries);

// The entries of a zip file in its order, to be written again deflated and with true sizes.
QList<RawZipEntry> rawEntries(const QByteArray &zip);

} // namespace wordtest
