#include "TableModel.h"

#include "base/NumberFormat.h"
#include "base/NumberText.h"
#include "calc/Fields.h"

namespace zolvaric {

TableModel::TableModel(TableField &field, QObject *parent)
    : QAbstractTableModel(parent), m_field(field)
{
    field.setViewObserver([this] {
        beginResetModel();
        endResetModel();
    });
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(0, m_field.table().rowCount() - 1);
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(0, m_field.table().columnCount() - 1);
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole)
        return m_field.table().cell(index.row() + 1, index.column() + 1);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole) {
        const TextTable &table = m_field.table();
        if (orientation == Qt::Horizontal)
            return table.cell(0, section + 1);
        const QString key = table.cell(section + 1, 0);
        if (!m_keySettings)
            return key;
        static const NumberFormat keyFormat(u",0.##");
        const auto number = tryParseFloatEitherNotation(key);
        return number ? keyFormat.format(*number, *m_keySettings) : key;
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QString TableModel::cornerText() const
{
    return m_field.table().cell(0, 0);
}

} // namespace zolvaric
