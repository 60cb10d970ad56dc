#pragma once

#include "Automation.h"

#include <QString>
#include <QStringList>

namespace zolvaric {

class Offer;
class Desktop;
class ReportProgress;
struct ProgramRun;

// Starts the word processor (class "Word.Application") and adds a document
// from the template; saves it when a save name is given and quits when asked.
// Reports its failures in plain message windows. Fails when the document
// cannot be added, so that no placeholder step runs on a missing document.
bool WordNewDocument(const AutomationFactory &factory, Desktop &desktop, const QString &saveName,
                     const QString &templatePath, bool quitAfterwards, bool visible,
                     AutomationObjectPtr &handle);

// Replaces one text in the active document: in the main text, then in the
// header of the current page. A replacement "@" only selects the next
// occurrence; "@CLIPBOARD@" inserts the clipboard's text.
void WordSuchText(const AutomationObjectPtr &handle, Desktop &desktop, ReportProgress &progress,
                  const QString &searchText, const QString &replacement);

// Saves the active document under a file name. On failure `failure` gets the
// word processor's message, which for the built-in one names the file and
// the system's reason.
bool WordSaveDocAs(const AutomationObjectPtr &handle, const QString &fileName,
                   QString *failure = nullptr);

QString wordTemplatePath(const ProgramRun &run);

// The calculation's warnings as a replacement text: one a line, split by
// Word's manual line break "^l"; a caret in them stays a caret.
QString wordWarnings(const QStringList &warnings);

// The toolbar's word-processor report: a new document from the template
// beside the program, its offer blocks expanded first (ooxml/OfferBlocks.h),
// filled hidden under the busy state with the edited calculation's values
// and the offer's totals (a step each), then shown. A template whose blocks do not pair up
// is named and makes no document. The busy state always ends.
bool PrintHonorarDOC(const Offer &offer, ProgramRun &run, Desktop &desktop,
                     ReportProgress &progress, const AutomationFactory &factory);

// The same report saved as a file instead of shown (for the command line).
bool saveWordReport(const Offer &offer, Desktop &desktop, const AutomationFactory &factory,
                    const QString &templatePath, const QString &outputPath);

} // namespace zolvaric
