#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace zolvaric {

// The file choice of a project load or save; nullopt when the user cancels.
class ProjectDialogs
{
public:
    virtual ~ProjectDialogs() = default;
    virtual std::optional<QString> chooseProjectToLoad() = 0;
    virtual std::optional<QString> chooseProjectToSave() = 0;
};

// For a window without a user (benchmarks, pictures): every choice cancelled.
class NoProjectDialogs : public ProjectDialogs
{
public:
    std::optional<QString> chooseProjectToLoad() override { return std::nullopt; }
    std::optional<QString> chooseProjectToSave() override { return std::nullopt; }
};

// The Qt file dialogs, titled and filtered as the program's dialogs are;
// each shows the name last chosen in it during this run.
class QtProjectDialogs : public ProjectDialogs
{
public:
    explicit QtProjectDialogs(QWidget *parent) : m_parent(parent) {}

    std::optional<QString> chooseProjectToLoad() override;
    std::optional<QString> chooseProjectToSave() override;

private:
    QWidget *m_parent;
    QString m_lastLoaded;
    QString m_lastSaved;
};

} // namespace zolvaric
