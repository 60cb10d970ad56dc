#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QSpinBox;

namespace zolvaric {

struct PointSystem;
struct WorkScope;

// The points dialog: each Bewertungsmerkmal of the kind of work with its
// most points and a spin box, the live sum and its zone, the legal reference
// and the law's rule that the points decide only in case of doubt.
class TfrmPunkte : public QDialog
{
    Q_OBJECT

public:
    // Preset with the points kept (none: 0 each).
    TfrmPunkte(const PointSystem &system, const WorkScope &scope, const QList<int> &points,
               QWidget *parent = nullptr);

    QList<int> points() const;

private:
    void showSum();

    const PointSystem &m_system;
    QList<QSpinBox *> m_spins;
    QLabel *lbSumme;
    QLabel *lbZone;
};

} // namespace zolvaric
