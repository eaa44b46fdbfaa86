#pragma once

#include "xlsxabstractsheet.h"
#include "xlsxcell.h"
#include "xlsxcellrange.h"

#include <QVector>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace QXlsx {

namespace detail {
class SheetReader;
class StringPool;
} // namespace detail

// The cells of one worksheet, held in memory. Storage is sparse, so the size
// of a sheet costs nothing, only the cells it really has.
class Worksheet : public AbstractSheet
{
public:
    explicit Worksheet(const QString &name, bool date1904 = false);
    ~Worksheet() override;

    // The smallest range holding every cell there is (empty without cells).
    CellRange dimension() const;
    int cellCount() const { return int(m_inOrder + m_apart.size()); }

    // 1-based; none where there is no cell.
    std::optional<Cell> cellAt(int row, int column) const;
    // What the cell shows: dates as QDate, QTime or QDateTime, formulas as
    // their cached result, everything else as the raw value.
    QVariant read(int row, int column) const;
    // Changes the cell in memory. A default format keeps the cell's own.
    bool write(int row, int column, const QVariant &value, const Format &format = Format());

private:
    friend class detail::SheetReader;

    // A cell as kept: a worksheet of a million cells holds a million of
    // these, so what most cells have (a number or a text of the workbook's
    // list, one of few formats) is kept in place and the rest beside it.
    enum class Kind : quint8
    {
        None,
        Number,
        Boolean,
        Shared,
        Own,
        Other
    };
    struct Slot
    {
        quint64 key;
        union {
            double number;
            qint64 index; // of a text, or of a value of another kind
        };
        quint32 format; // 0: none; else m_formats[format - 1]
        quint8 type;
        Kind kind;
        bool formula;
    };

    // False when the position was taken already (the new cell replaces it).
    bool insertCell(int row, int column, const Cell &cell);
    // A slot holding the value, its kind and place set.
    Slot valueSlot(const QVariant &value);
    // The reader's way in, with the formats' and shared strings' numbers.
    bool insertSlot(int row, int column, Slot slot, const QString &formula);
    Slot *find(quint64 key) const;
    Cell cellOf(const Slot &slot) const;
    static quint64 key(int row, int column)
    {
        return (quint64(quint32(row)) << 32) | quint32(column);
    }

    bool m_date1904;
    // Cells in the order of their keys, in blocks that never move; those
    // that come out of order (rare in a file) are kept apart.
    static constexpr int BlockBits = 13;
    std::vector<std::unique_ptr<Slot[]>> m_blocks;
    size_t m_inOrder = 0;
    mutable std::map<quint64, Slot> m_apart;
    std::unordered_map<quint64, QString> m_formulas;
    QVector<Format> m_formats;
    std::shared_ptr<const detail::StringPool> m_shared;
    std::unique_ptr<detail::StringPool> m_own;
    std::vector<QVariant> m_others;
    int m_firstRow = 0;
    int m_firstColumn = 0;
    int m_lastRow = -1;
    int m_lastColumn = -1;
};

} // namespace QXlsx
