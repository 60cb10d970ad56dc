#pragma once

#include <QDialog>

namespace zolvaric {

class CalculationSheet;

// The office's data for its letters beyond the master data: tax and bank
// data, chamber, contact, signer, logo, the validity of its offers and its
// payment terms. The edits write the sheet's fields at once; they are saved
// with the master data.
class OfficeDataDialog : public QDialog
{
    Q_OBJECT

public:
    OfficeDataDialog(CalculationSheet &sheet, const QString &settingsFile,
                     QWidget *parent = nullptr);
};

} // namespace zolvaric
