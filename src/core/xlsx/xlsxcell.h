#pragma once

#include "xlsxformat.h"

#include <QVariant>

namespace QXlsx {

// One cell of a worksheet: its raw value as stored in the file (the cached
// result for a formula cell), its type and its format.
class Cell
{
public:
    enum CellType
    {
        BooleanType,
        NumberType,
        ErrorType,
        SharedStringType,
        StringType,
        InlineStringType,
        CustomType
    };

    Cell() = default;
    Cell(const QVariant &value, CellType type, const Format &format = Format(),
         bool date1904 = false);

    CellType cellType() const { return m_type; }
    QVariant value() const { return m_value; }
    Format format() const { return m_format; }
    bool hasFormula() const { return !m_formula.isNull(); }
    QString formula() const { return m_formula; }
    void setFormula(const QString &formula) { m_formula = formula; }

    // A number in a date or time format that falls within the calendar.
    bool isDateTime() const;
    // The value as a QDate, QTime or QDateTime, as its format shows it;
    // invalid when the cell is no date.
    QVariant dateTime() const;

private:
    QVariant m_value;
    QString m_formula;
    Format m_format;
    CellType m_type = NumberType;
    bool m_date1904 = false;
};

// Spreadsheet serial numbers: days since the epoch of the workbook's date
// system, the time as a fraction of a day. The 1900 system counts the
// 29 February 1900 that never was.
QVariant dateTimeFromSerial(double serial, bool date1904, Format::DateTimeKind kind);
double serialFromDateTime(const QDateTime &dateTime, bool date1904);

} // namespace QXlsx
