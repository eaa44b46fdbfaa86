#pragma once

#include "xlsxabstractsheet.h"
#include "xlsxcell.h"
#include "xlsxcellrange.h"

#include <unordered_map>

namespace QXlsx {

namespace detail {
class SheetReader;
}

// The cells of one worksheet, held in memory. Storage is sparse, so the size
// of a sheet costs nothing, only the cells it really has.
class Worksheet : public AbstractSheet
{
public:
    explicit Worksheet(const QString &name, bool date1904 = false);
    ~Worksheet() override;

    // The smallest range holding every cell there is (empty without cells).
    CellRange dimension() const;
    int cellCount() const { return int(m_cells.size()); }

    // 1-based; null where there is no cell. The pointer stays valid as long
    // as the worksheet does.
    Cell *cellAt(int row, int column) const;
    // What the cell shows: dates as QDate, QTime or QDateTime, formulas as
    // their cached result, everything else as the raw value.
    QVariant read(int row, int column) const;
    // Changes the cell in memory. A default format keeps the cell's own.
    bool write(int row, int column, const QVariant &value, const Format &format = Format());

private:
    friend class detail::SheetReader;
    // False when the position was taken already (the new cell replaces it).
    bool insertCell(int row, int column, Cell cell);

    static quint64 key(int row, int column)
    {
        return (quint64(quint32(row)) << 32) | quint32(column);
    }

    bool m_date1904;
    mutable std::unordered_map<quint64, Cell> m_cells;
    int m_firstRow = 0;
    int m_firstColumn = 0;
    int m_lastRow = -1;
    int m_lastColumn = -1;
};

} // namespace QXlsx
