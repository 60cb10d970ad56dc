#pragma once

#include <QString>

namespace zolvaric {

// The path with a trailing native separator; an empty path stays empty.
QString WithBackslash(const QString &path);

// The folder of the running program, with a trailing separator; on a mapped
// network drive in its UNC form.
QString UncProgramFolder();

// The program file's name without folder and last extension ("zolvaric").
QString ProgramBaseName();

// A temp folder as found: TEMP, then TMP, then the system's temp folder;
// empty when none exists. No separator is added.
QString TempFolder();

// A new, empty file in the system temp folder; the caller removes it.
// Empty when it cannot be created.
QString NewTempFileName();

// Deletes a file, trying twice; true when the file existed and is gone.
bool DeleteFileRetry(const QString &path);

} // namespace zolvaric
