#include "xlsxcellrange.h"

namespace QXlsx {

CellRange::CellRange(int firstRow, int firstColumn, int lastRow, int lastColumn)
    : m_firstRow(firstRow), m_firstColumn(firstColumn), m_lastRow(lastRow), m_lastColumn(lastColumn)
{
}

bool CellRange::isValid() const
{
    return m_firstRow >= 1 && m_firstColumn >= 1 && m_lastRow >= m_firstRow &&
           m_lastColumn >= m_firstColumn;
}

QString CellRange::toString() const
{
    if (!isValid()) {
        return QString();
    }
    return columnLetters(m_firstColumn) + QString::number(m_firstRow) + QLatin1Char(':') +
           columnLetters(m_lastColumn) + QString::number(m_lastRow);
}

bool CellRange::operator==(const CellRange &other) const
{
    return m_firstRow == other.m_firstRow && m_firstColumn == other.m_firstColumn &&
           m_lastRow == other.m_lastRow && m_lastColumn == other.m_lastColumn;
}

QString columnLetters(int column)
{
    QString letters;
    while (column > 0) {
        const int rest = column % 26;
        letters.prepend(rest == 0 ? QLatin1Char('Z')
                                  : QChar(QLatin1Char('A').unicode() + rest - 1));
        column = (column - 1) / 26;
    }
    return letters;
}

namespace {

template <typename Text> bool parseReference(const Text &text, int *row, int *column)
{
    int i = 0;
    const int n = text.size();
    if (i < n && text.at(i) == QLatin1Char('$')) {
        ++i;
    }
    int col = 0;
    const int lettersStart = i;
    for (; i < n; ++i) {
        const QChar c = QChar(text.at(i)).toUpper();
        if (c < QLatin1Char('A') || c > QLatin1Char('Z')) {
            break;
        }
        col = col * 26 + (c.unicode() - 'A' + 1);
        if (col > MaxColumnCount) {
            return false;
        }
    }
    if (i == lettersStart) {
        return false;
    }
    if (i < n && text.at(i) == QLatin1Char('$')) {
        ++i;
    }
    int r = 0;
    const int digitsStart = i;
    for (; i < n; ++i) {
        const QChar c = QChar(text.at(i));
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
        r = r * 10 + (c.unicode() - '0');
        if (r > MaxRowCount) {
            return false;
        }
    }
    if (i == digitsStart || r < 1) {
        return false;
    }
    *row = r;
    *column = col;
    return true;
}

} // namespace

bool parseCellReference(const QStringRef &text, int *row, int *column)
{
    return parseReference(text, row, column);
}

bool parseCellReference(QLatin1String text, int *row, int *column)
{
    return parseReference(text, row, column);
}

} // namespace QXlsx
