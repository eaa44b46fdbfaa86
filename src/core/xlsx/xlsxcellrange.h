#pragma once

#include <QString>

namespace QXlsx {

// Excel's sheet size; rows and columns are 1-based.
constexpr int MaxRowCount = 1048576;
constexpr int MaxColumnCount = 16384;

// A rectangle of cells, 1-based and inclusive. The default range is empty.
class CellRange
{
public:
    CellRange() = default;
    CellRange(int firstRow, int firstColumn, int lastRow, int lastColumn);

    bool isValid() const;
    int firstRow() const { return m_firstRow; }
    int firstColumn() const { return m_firstColumn; }
    int lastRow() const { return m_lastRow; }
    int lastColumn() const { return m_lastColumn; }
    int rowCount() const { return isValid() ? m_lastRow - m_firstRow + 1 : 0; }
    int columnCount() const { return isValid() ? m_lastColumn - m_firstColumn + 1 : 0; }
    // "C3:D5", or "" for an empty range.
    QString toString() const;

    bool operator==(const CellRange &other) const;
    bool operator!=(const CellRange &other) const { return !(*this == other); }

private:
    int m_firstRow = 0;
    int m_firstColumn = 0;
    int m_lastRow = -1;
    int m_lastColumn = -1;
};

// Spreadsheet letters of a 1-based column number: 1 A, 26 Z, 27 AA, 703 AAA.
QString columnLetters(int column);

// Parses a cell reference such as "C3" (optionally with '$' marks) within
// the sheet size; false for anything else.
bool parseCellReference(const QStringRef &text, int *row, int *column);
bool parseCellReference(QLatin1String text, int *row, int *column);

} // namespace QXlsx
