#pragma once

#include <QString>

namespace zolvaric {

// What the core needs from the desktop it runs on. The window implements it
// with message boxes, the command line tool with standard error, tests with a
// recording fake.
class Desktop
{
public:
    virtual ~Desktop() = default;

    // The application's generic error box: an error no operation handled.
    virtual void errorBox(const QString &text) = 0;
};

} // namespace zolvaric
