#pragma once

#include <QStringList>

namespace zolvaric {

// zolvaric-cli calc [--set KEY=VALUE]... [--json] [--program-dir DIR]
// Exit codes: 0 calculated, 1 the calculation failed, 2 bad arguments.
int runCalcCommand(const QStringList &arguments);

QString calcUsage();

} // namespace zolvaric
