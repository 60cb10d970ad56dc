#pragma once

#include <QObject>

class QAbstractButton;
class QTableView;

namespace zolvaric {

class TableModel;

// The grid's corner cell shows the table's cell 0/0 ("Kosten", "LP") as a
// header section: Qt's table view leaves its corner button blank.
class GridCorner : public QObject
{
public:
    GridCorner(QTableView *view, TableModel *model);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractButton *m_button = nullptr;
    TableModel *m_model;
};

} // namespace zolvaric
