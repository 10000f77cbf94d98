#include "tablecells.h"

#include <QTextTable>

TableCells::TableCells(const QTextTable &table)
    : m_columns(table.columns())
    , m_origins(size_t(table.rows()) * size_t(table.columns()), QPoint(-1, -1))
{
    const int rows = table.rows();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < m_columns; ++c) {
            if (origin(r, c).x() >= 0)
                continue; // covered by a cell above or to the left
            const QTextTableCell cell = table.cellAt(r, c);
            const int lastRow = std::min(rows, r + std::max(1, cell.rowSpan()));
            const int lastColumn = std::min(m_columns, c + std::max(1, cell.columnSpan()));
            for (int spanned = r; spanned < lastRow; ++spanned)
                for (int across = c; across < lastColumn; ++across)
                    m_origins[size_t(spanned) * size_t(m_columns) + size_t(across)] = QPoint(c, r);
        }
}
