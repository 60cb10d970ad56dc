#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace zolvaric {

struct RegionalSettings;

// A table of text cells as a string grid holds it: row 0 and column 0 are the
// headers. Immutable once read; the number of every cell is parsed once (the
// regional settings do not change during a run), so the calculation does not
// re-parse cell text on every keystroke.
class TextTable
{
public:
    TextTable() = default;
    // `lines`: the line of the text each row came from (1 for the first), for
    // messages; rows without one count from 1.
    TextTable(QList<QList<QString>> rows, const RegionalSettings &settings, QList<int> lines = {});

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }

    // The cell text; empty outside the table or beyond the fields of a short line.
    const QString &cell(int row, int column) const;
    // CellToFloat of the cell: -1 where the text is no number (or no cell).
    double number(int row, int column) const;
    // The line of the text that holds the row.
    int lineOf(int row) const { return m_lines.value(row, row + 1); }

    friend bool operator==(const TextTable &a, const TextTable &b)
    {
        return a.m_cells == b.m_cells;
    }

private:
    int index(int row, int column) const;

    int m_rowCount = 0;
    int m_columnCount = 0;
    QList<QString> m_cells;
    std::vector<double> m_numbers;
    QList<int> m_lines;
};

using SharedTable = std::shared_ptr<const TextTable>;

} // namespace zolvaric
