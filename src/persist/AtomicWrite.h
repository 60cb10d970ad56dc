#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace zolvaric {

// The outcome of a file write, with the system's reason when it failed.
struct WriteResult
{
    bool ok = true;
    QString error; // German, for the user

    explicit operator bool() const { return ok; }
};

// Whether a link at the target's own path is followed. The program's files in
// its temp folder refuse links: one planted there would redirect the write.
enum class LinkPolicy { Follow, Refuse };

// Replaces the file's contents completely or not at all: the bytes go to a
// new file beside it, which then takes the old one's place. A file the user
// may not write (read-only) is refused, as Windows refuses it, and so is a
// target that is no regular file (a device, a pipe, a socket). Where no new
// file can go beside it (a folder the user may not write to), the file is
// written in place without losing its old content on any failure: the growth
// is written first, so that a full disk shows before an old byte changes, and
// the old bytes are put back when a later write or the final flush fails.
WriteResult writeFileAtomically(const QString &path, const QByteArray &bytes,
                                LinkPolicy links = LinkPolicy::Follow);

// Why the path cannot take a file write, nullopt when it can: a folder, or
// something that is not a regular file.
std::optional<QString> unwritableTargetReason(const QString &path);

// Test seams: the faults a full disk or a failing medium causes.
struct WriteFaults
{
    // Called before each piece with the bytes written so far and the piece's
    // length; returns how many of them fit. Fewer than the length: those are
    // written, then the write fails, as on a full disk.
    std::function<qint64(qint64 written, qint64 length)> room;
    bool failFlush = false;    // the final flush to the medium fails
    bool noFileBeside = false; // the folder takes no new file: written in place
};
void setWriteFaultsForTests(WriteFaults faults);

// Shorthand: returning false makes the write fail at that piece as a full disk
// would. Pass nullptr to remove every fault.
void setWriteFaultForTests(std::function<bool(qint64 written)> fault);

} // namespace zolvaric
