#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace zolvaric {

// The wait window of a report: a message and a step bar, without frame,
// always on top, centred.
class TfrmWait : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmWait(QWidget *parent = nullptr);

    void setMessage(const QString &text);
    void setMaximum(int steps);
    void resetBar();
    // One step on; beyond the maximum the bar stays full.
    void step();
    int position() const;

protected:
    void showEvent(QShowEvent *event) override;   // FormShow
    void closeEvent(QCloseEvent *event) override; // FormCloseQuery

private:
    QLabel *lbWaittext;
    QProgressBar *progressBar1;
    bool m_holdsCursor = false;
};

} // namespace zolvaric
