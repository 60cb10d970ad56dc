#pragma once

#include <QString>

namespace zolvaric {

// A folder in the temp folder that only this user may enter, for the files the
// program hands to other programs (reports, setup downloads): nobody else can
// plant a link or a file there. "zolvaric-<user id>", made with mode 0700; a
// folder of that name that is a link, belongs to another user or lets others
// in is left alone and a fresh folder with an unpredictable name is made
// instead (once per run). With a trailing separator; empty when no folder can
// be made.
QString PrivateTempFolder();

} // namespace zolvaric
