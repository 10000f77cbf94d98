#pragma once

#include <QPoint>

#include <vector>

class QTextTable;

// Which cell covers each place of a table, worked out once from the spans of
// the cells in order. Qt's QTextTableCell::row() and column() search the
// table's cells each time, which makes a pass over a long table slow.
class TableCells
{
public:
    explicit TableCells(const QTextTable &table);

    // The row (y) and column (x) of the cell that covers the place.
    QPoint origin(int row, int column) const { return m_origins[size_t(row) * size_t(m_columns) + size_t(column)]; }
    bool startsAt(int row, int column) const { return origin(row, column) == QPoint(column, row); }

private:
    int m_columns;
    std::vector<QPoint> m_origins;
};
