#include "ProjectDialogs.h"

#include <QFileDialog>

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

} // namespace zolvaric
