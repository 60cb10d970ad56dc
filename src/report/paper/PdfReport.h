#pragma once

#include "PaperReport.h"

#include "persist/AtomicWrite.h"

#include <QString>

#include <optional>

namespace zolvaric {

class Desktop;
class Offer;
class ReportProgress;
struct ProgramRun;

// Renders the template as PDF into the output file, replacing it
// atomically: a failed write leaves the old file, or none. Throws Error when
// the template cannot be read or its blocks do not pair up; nothing is
// written then.
WriteResult writePdfReport(const Offer &offer, const QString &templatePath,
                           const QString &outputPath, ReportProgress &progress);

// The file name the save dialog proposes: the project's name, else its
// number, with every character Windows allows in no file name replaced by
// "_"; "Honorarangebot.pdf" when both are empty.
QString defaultPdfFileName(const Offer &offer);

// The paper report from the template beside the program (Zolvaric_Vorlage.htm)
// for printing: nullopt after a message on the desktop when the template is
// missing or faulty. The busy state and wait window last while it is made.
std::optional<PaperReport> PrepareHonorarPaper(const Offer &offer, ProgramRun &run,
                                               Desktop &desktop, ReportProgress &progress);

// The toolbar's "PDF speichern": the template beside the program rendered
// into the chosen file (nullopt: the user cancelled, nothing happens). Busy
// state and wait window while it is made; failures are shown with German
// messages and leave no half-written file. True when the file was written.
bool SaveHonorarPDF(const Offer &offer, ProgramRun &run, Desktop &desktop, ReportProgress &progress,
                    const std::optional<QString> &chosenFile);

} // namespace zolvaric
