#pragma once

#include <QAbstractTableModel>

namespace zolvaric {

class TableField;
struct RegionalSettings;

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

    // Row headers that are numbers shown in the regional notation, as a fee
    // table's keys (0,5 ha, 25.000 €) whichever notation its file has.
    void showKeysAsNumbers(const RegionalSettings &settings) { m_keySettings = &settings; }

private:
    TableField &m_field;
    const RegionalSettings *m_keySettings = nullptr;
};

} // namespace zolvaric
