#pragma once

#include <QStringList>

namespace zolvaric {

// zolvaric-cli report html|doc|pdf [--project F.prj] [--set KEY=VALUE]... [--template FILE]
//                                  [--program-dir DIR] --output FILE
int runReportCommand(const QStringList &arguments);

} // namespace zolvaric
