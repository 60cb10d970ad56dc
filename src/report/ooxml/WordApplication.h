#pragma once

#include "report/Automation.h"

#include <QString>

#include <functional>

namespace zolvaric {

// What the built-in word processor needs from its surroundings.
struct WordEnvironment
{
    // Where a document that becomes visible is written as a template ("Dokument1.dotx", ...).
    QString tempFolder;
    // The clipboard's text, inserted for "^c" in a replacement text.
    std::function<QString()> clipboardText;
    // Hands a written document to the user's word processor (the desktop's "open").
    std::function<void(const QString &file)> open;
    // LibreOffice's program, for converting legacy binary templates once.
    QString soffice = QStringLiteral("soffice");
};

// The application object of the built-in word processor for OOXML documents,
// answering the members a Word client uses (Visible, Documents.Add,
// Selection.HomeKey/Find, ActiveWindow.ActivePane.View.SeekView,
// ActiveDocument.SaveAs/Save, Quit ...).
AutomationObjectPtr createWordApplication(const WordEnvironment &environment);

} // namespace zolvaric
