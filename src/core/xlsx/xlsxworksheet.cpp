#include "xlsxworksheet.h"

#include <QDateTime>

namespace QXlsx {

namespace {

bool inSheet(int row, int column)
{
    return row >= 1 && row <= MaxRowCount && column >= 1 && column <= MaxColumnCount;
}

bool isNumber(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

// A date or time is stored as a serial number, so its format must show it as
// the kind of value it is.
void ensureDateFormat(Format *format, Format::DateTimeKind kind)
{
    if (format->dateTimeKind() == kind) {
        return;
    }
    switch (kind) {
    case Format::DateOnly:
        format->setNumberFormat(14);
        break;
    case Format::TimeOnly:
        format->setNumberFormat(21);
        break;
    default:
        format->setNumberFormat(22);
        break;
    }
}

} // namespace

Worksheet::Worksheet(const QString &name, bool date1904)
    : AbstractSheet(name, ST_WorkSheet), m_date1904(date1904)
{
}

Worksheet::~Worksheet() = default;

CellRange Worksheet::dimension() const
{
    if (m_cells.empty()) {
        return CellRange();
    }
    return CellRange(m_firstRow, m_firstColumn, m_lastRow, m_lastColumn);
}

Cell *Worksheet::cellAt(int row, int column) const
{
    if (!inSheet(row, column)) {
        return nullptr;
    }
    const auto it = m_cells.find(key(row, column));
    return it == m_cells.end() ? nullptr : &it->second;
}

QVariant Worksheet::read(int row, int column) const
{
    const Cell *cell = cellAt(row, column);
    if (!cell) {
        return QVariant();
    }
    if (cell->isDateTime()) {
        return cell->dateTime();
    }
    return cell->value();
}

bool Worksheet::write(int row, int column, const QVariant &value, const Format &format)
{
    if (!inSheet(row, column)) {
        return false;
    }
    Format useFormat = format;
    if (!format.isValid()) {
        if (const Cell *old = cellAt(row, column)) {
            useFormat = old->format();
        }
    }

    Cell cell;
    switch (value.userType()) {
    case QMetaType::UnknownType:
        cell = Cell(QVariant(), Cell::NumberType, useFormat, m_date1904);
        break;
    case QMetaType::Bool:
        cell = Cell(value, Cell::BooleanType, useFormat, m_date1904);
        break;
    case QMetaType::QDateTime:
        ensureDateFormat(&useFormat, Format::DateAndTime);
        cell = Cell(serialFromDateTime(value.toDateTime(), m_date1904), Cell::NumberType, useFormat,
                    m_date1904);
        break;
    case QMetaType::QDate:
        ensureDateFormat(&useFormat, Format::DateOnly);
        cell = Cell(serialFromDateTime(QDateTime(value.toDate(), QTime(0, 0)), m_date1904),
                    Cell::NumberType, useFormat, m_date1904);
        break;
    case QMetaType::QTime:
        ensureDateFormat(&useFormat, Format::TimeOnly);
        cell = Cell(double(value.toTime().msecsSinceStartOfDay()) / 86400000.0, Cell::NumberType,
                    useFormat, m_date1904);
        break;
    default:
        if (isNumber(value)) {
            cell = Cell(value.toDouble(), Cell::NumberType, useFormat, m_date1904);
        } else {
            // Nothing here calculates, so a text that looks like a formula
            // stays the text it is.
            cell = Cell(value.toString(), Cell::StringType, useFormat, m_date1904);
        }
        break;
    }
    insertCell(row, column, cell);
    return true;
}

bool Worksheet::insertCell(int row, int column, Cell cell)
{
    const auto result = m_cells.insert_or_assign(key(row, column), std::move(cell));
    if (m_cells.size() == 1) {
        m_firstRow = m_lastRow = row;
        m_firstColumn = m_lastColumn = column;
    } else {
        m_firstRow = qMin(m_firstRow, row);
        m_lastRow = qMax(m_lastRow, row);
        m_firstColumn = qMin(m_firstColumn, column);
        m_lastColumn = qMax(m_lastColumn, column);
    }
    return result.second;
}

} // namespace QXlsx
