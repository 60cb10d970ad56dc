#pragma once

#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace zolvaric {

// The file choice of a project load or save, of a PDF file, and the print
// dialog; nullopt or false when the user cancels.
class ProjectDialogs
{
public:
    virtual ~ProjectDialogs() = default;
    virtual std::optional<QString> chooseProjectToLoad() = 0;
    virtual std::optional<QString> chooseProjectToSave() = 0;
    // The name proposed is a file name without a folder.
    virtual std::optional<QString> choosePdfToSave(const QString &proposedName) = 0;
    // The preview of the pages `paint` draws, from which the user prints;
    // true when printed.
    virtual bool printWithPreview(const std::function<void(QPrinter &)> &paint) = 0;
};

// For a window without a user (benchmarks, pictures): every choice cancelled.
class NoProjectDialogs : public ProjectDialogs
{
public:
    std::optional<QString> chooseProjectToLoad() override { return std::nullopt; }
    std::optional<QString> chooseProjectToSave() override { return std::nullopt; }
    std::optional<QString> choosePdfToSave(const QString &) override { return std::nullopt; }
    bool printWithPreview(const std::function<void(QPrinter &)> &) override { return false; }
};

// The Qt file dialogs, titled and filtered as the program's dialogs are;
// each shows the name last chosen in it during this run.
class QtProjectDialogs : public ProjectDialogs
{
public:
    explicit QtProjectDialogs(QWidget *parent) : m_parent(parent) {}

    std::optional<QString> chooseProjectToLoad() override;
    std::optional<QString> chooseProjectToSave() override;
    std::optional<QString> choosePdfToSave(const QString &proposedName) override;
    bool printWithPreview(const std::function<void(QPrinter &)> &paint) override;

private:
    QWidget *m_parent;
    QString m_lastLoaded;
    QString m_lastSaved;
    QString m_lastPdfFolder;
};

} // namespace zolvaric
