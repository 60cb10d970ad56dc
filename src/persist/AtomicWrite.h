#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace zolvaric {

// The outcome of a file write, with the system's reason when it failed.
struct WriteResult
{
    bool ok = true;
    QString error; // German, for the user

    explicit operator bool() const { return ok; }
};

// Replaces the file's contents completely or not at all: the bytes go to a
// new file beside it, which then takes the old one's place. A file the user
// may not write (read-only) is refused, as Windows refuses it.
WriteResult writeFileAtomically(const QString &path, const QByteArray &bytes);

// Test seam: called with the number of bytes written so far at every piece
// of a write; returning false makes the write fail there, as a full disk
// would. Pass nullptr to remove it.
void setWriteFaultForTests(std::function<bool(qint64 written)> fault);

} // namespace zolvaric
