#pragma once

#include <QApplication>

namespace zolvaric {

class Desktop;

// The application object: an exception that escapes an event handler ends
// only that action; its text goes to the generic error box and the program
// goes on.
class ZolvaricApplication : public QApplication
{
public:
    ZolvaricApplication(int &argc, char **argv);

    void setDesktop(Desktop *desktop) { m_desktop = desktop; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    Desktop *m_desktop = nullptr;
};

} // namespace zolvaric
