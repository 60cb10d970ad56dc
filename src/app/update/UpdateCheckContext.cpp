#include "UpdateCheckContext.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zolvaric {

UpdateCheckContext runningProgramContext(Desktop &desktop, std::function<void()> endProgram)
{
    const QString programFile = QCoreApplication::applicationFilePath();
    return UpdateCheckContext{desktop,
                              QCoreApplication::applicationName(),
                              QFileInfo(programFile).fileName(),
                              programFile,
                              std::move(endProgram),
                              kProbeTimeout};
}

} // namespace zolvaric
