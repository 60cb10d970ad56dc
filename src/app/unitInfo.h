#pragma once

#include <QDialog>

class QLabel;

namespace zolvaric {

class Desktop;

// The info dialog: name, version, the maker's notice and the open-source
// components the program contains, with their licences.
class TfrmInfo : public QDialog
{
    Q_OBJECT

public:
    TfrmInfo(Desktop &desktop, QWidget *parent = nullptr);

    // The acknowledgement text, lines centred, web addresses as links.
    static QString acknowledgements();

protected:
    void showEvent(QShowEvent *event) override; // FormShow

private:
    Desktop &m_desktop;
    QLabel *lbVersion;
};

} // namespace zolvaric
