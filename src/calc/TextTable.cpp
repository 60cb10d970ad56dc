#include "TextTable.h"

#include "base/NumberText.h"

#include <algorithm>

namespace zolvaric {

TextTable::TextTable(QList<QList<QString>> rows, const RegionalSettings &settings, QList<int> lines)
    : m_lines(std::move(lines))
{
    m_rowCount = static_cast<int>(rows.size());
    m_columnCount = 2; // a grid never has fewer columns
    for (const auto &row : rows)
        m_columnCount = std::max(m_columnCount, static_cast<int>(row.size()));
    m_cells.reserve(qsizetype(m_rowCount) * m_columnCount);
    for (auto &row : rows) {
        row.resize(m_columnCount);
        m_cells.append(std::move(row));
    }
    m_numbers.reserve(m_cells.size());
    for (const QString &text : std::as_const(m_cells))
        m_numbers.push_back(CellToFloat(text, settings));
}

int TextTable::index(int row, int column) const
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columnCount)
        return -1;
    return row * m_columnCount + column;
}

const QString &TextTable::cell(int row, int column) const
{
    static const QString empty;
    const int i = index(row, column);
    return i < 0 ? empty : m_cells[i];
}

double TextTable::number(int row, int column) const
{
    const int i = index(row, column);
    return i < 0 ? -1.0 : m_numbers[static_cast<std::size_t>(i)];
}

} // namespace zolvaric
