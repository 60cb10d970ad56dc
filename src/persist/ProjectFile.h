#pragma once

#include "AtomicWrite.h"

#include <QString>

#include <optional>

namespace zolvaric {

class Calculation;
class Desktop;
struct ProgramRun;

// The status bar text after a project load or save.
QString projectStatusText(const QString &projectFile);

// The question at close while the project has unsaved changes.
QString savePromptText();
// Its caption: the application title + " - Abfrage".
QString savePromptCaption(const QString &applicationTitle);

// Writes the stored inputs into section "Projektdaten" in one update; other
// sections and keys of an existing file survive, the keys of a fee agreement
// no longer made go.
WriteResult writeProjectFile(const Calculation &calculation, const QString &file);

// Saves into the file chosen in the save dialog (nullopt: cancelled, nothing
// happens). On success the file becomes ProjectFile and ProjectChanged is
// cleared; a failure is shown with its reason and changes nothing.
bool SaveProject(const Calculation &calculation, ProgramRun &run, Desktop &desktop,
                 const std::optional<QString> &chosenFile);

// Loads the file chosen in the load dialog (nullopt: cancelled, nothing
// happens). Every value is checked before any is applied: a bad file is
// shown with the conversion message and changes nothing. A file that does
// not exist loads as all defaults. On success the file becomes ProjectFile
// and ProjectChanged is cleared.
bool LoadProject(Calculation &calculation, ProgramRun &run, Desktop &desktop,
                 const std::optional<QString> &chosenFile);

} // namespace zolvaric
