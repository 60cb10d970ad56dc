#pragma once

#include <QStringList>

namespace zolvaric {

// zolvaric-cli calc [--project F.prj] [--set KEY=VALUE]... [--save F.prj] [--json] [--program-dir
// DIR]
int runCalcCommand(const QStringList &arguments);

QString calcUsage();

} // namespace zolvaric
