#pragma once

#include "base/Desktop.h"

#include <QTextStream>

namespace zolvaric {

// Without a window, the error box is a line on standard error.
class StderrDesktop : public Desktop
{
public:
    void errorBox(const QString &text) override
    {
        QTextStream(stderr) << "Fehler: " << text << Qt::endl;
        ++m_errors;
    }

    int errors() const { return m_errors; }

private:
    int m_errors = 0;
};

} // namespace zolvaric
