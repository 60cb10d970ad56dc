#pragma once

#include "base/Desktop.h"

#include <QStringList>

// A desktop that records what the program would have shown.
class RecordingDesktop : public zolvaric::Desktop
{
public:
    void errorBox(const QString &text) override { errors << text; }

    QStringList errors;
};
