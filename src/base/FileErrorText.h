#pragma once

#include <QFileDevice>
#include <QString>

namespace zolvaric {

// Why a file operation failed, in German, for a message to the user. Qt words
// the system's reasons as the C library does (in English on Linux, where the
// program has no German C locale); the common ones are put into German here,
// any other is kept as the system gives it. Qt's own "Unknown error" becomes
// what the operation was.
QString fileErrorText(const QFileDevice &file);
// The same for a reason already taken from a file.
QString fileErrorText(const QString &reason, QFileDevice::FileError error);

} // namespace zolvaric
