#pragma once

#include "AtomicWrite.h"

#include <QString>

#include <optional>

namespace zolvaric {

class Desktop;
class Offer;
struct ProgramRun;

// The status bar text after a project load or save.
QString projectStatusText(const QString &projectFile);

// The question at close while the project has unsaved changes.
QString savePromptText();
// Its caption: the application title + " - Abfrage".
QString savePromptCaption(const QString &applicationTitle);

// Writes the offer in one update: the project's texts and the first
// calculation into section "Projektdaten", calculation n from the second on
// into "Teilhonorar n". Other sections and keys of an existing file survive;
// the keys of a fee agreement no longer made go, as do the sections of
// calculations the offer no longer has. Into the file the offer was loaded
// from or last saved to (fileLoaded), each calculation's section goes with it
// where the list changed order (Offer::origin), with every line of it.
WriteResult writeProjectFile(const Offer &offer, const QString &file, bool fileLoaded);

// The section of calculation n (from 2) of an offer.
QString offerPartSection(int number);

// Saves into the file chosen in the save dialog (nullopt: cancelled, nothing
// happens). On success the file becomes ProjectFile and ProjectChanged is
// cleared; a failure is shown with its reason and changes nothing.
bool SaveProject(Offer &offer, ProgramRun &run, Desktop &desktop,
                 const std::optional<QString> &chosenFile);

// Loads the file chosen in the load dialog (nullopt: cancelled, nothing
// happens). Every value is checked before any is applied: a bad file is
// shown with the conversion message and changes nothing. A file that does
// not exist loads as all defaults. The message of a bad value in a later
// calculation names its section. On success the file becomes ProjectFile
// and ProjectChanged is cleared.
bool LoadProject(Offer &offer, ProgramRun &run, Desktop &desktop,
                 const std::optional<QString> &chosenFile);

} // namespace zolvaric
