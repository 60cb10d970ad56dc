#pragma once

#include <QAbstractTableModel>

namespace zolvaric {

class TableField;

// A read-only view of a table field: row 0 gives the column headers,
// column 0 the row headers, the other cells right-aligned.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TableModel(TableField &field, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The table's cell 0/0, the heading of the row headers.
    QString cornerText() const;

private:
    TableField &m_field;
};

} // namespace zolvaric
