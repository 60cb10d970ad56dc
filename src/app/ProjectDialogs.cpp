#include "ProjectDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace zolvaric {

namespace {

const QStringList kFilters = {QStringLiteral("Projektdaten (*.prj *.PRJ)"),
                              QStringLiteral("Alle Dateien (*)")};

std::optional<QString> run(QFileDialog &dialog, QString &last)
{
    dialog.setNameFilters(kFilters);
    dialog.setDefaultSuffix(QStringLiteral("prj"));
    if (!last.isEmpty())
        dialog.selectFile(last);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    last = dialog.selectedFiles().first();
    return last;
}

} // namespace

std::optional<QString> QtProjectDialogs::chooseProjectToLoad()
{
    QFileDialog dialog(m_parent, QStringLiteral("Projektdaten öffnen..."));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A file that does not exist loads as the file format's defaults.
    dialog.setFileMode(QFileDialog::AnyFile);
    return run(dialog, m_lastLoaded);
}

std::optional<QString> QtProjectDialogs::chooseProjectToSave()
{
    QFileDialog dialog(m_parent, QStringLiteral("Projektdaten speichern..."));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return run(dialog, m_lastSaved);
}

std::optional<QString> QtProjectDialogs::choosePdfToSave(const QString &proposedName)
{
    QFileDialog dialog(m_parent, QStringLiteral("Honorarangebot als PDF speichern..."));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(
        {QStringLiteral("PDF-Dokumente (*.pdf *.PDF)"), QStringLiteral("Alle Dateien (*)")});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // The folder of the last PDF, else the user's documents.
    QString folder = m_lastPdfFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(folder);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().first();
    m_lastPdfFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

bool QtProjectDialogs::printWithPreview(const std::function<void(QPrinter &)> &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(QStringLiteral("Honorarangebot drucken"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *target) { paint(*target); });
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zolvaric
