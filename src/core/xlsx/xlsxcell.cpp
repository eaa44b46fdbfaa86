#include "xlsxcell.h"

#include <QDateTime>
#include <cmath>

namespace QXlsx {

namespace {

constexpr qint64 MsPerDay = 86400000;
// 31 December 9999, the last day either date system can show.
constexpr double LastSerial1900 = 2958465;
constexpr double LastSerial1904 = 2957003;

QDate epoch(bool date1904)
{
    return date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
}

} // namespace

Cell::Cell(const QVariant &value, CellType type, const Format &format, bool date1904)
    : m_value(value), m_format(format), m_type(type), m_date1904(date1904)
{
}

bool Cell::isDateTime() const
{
    return m_type == NumberType && m_format.isDateTimeFormat() && dateTime().isValid();
}

QVariant Cell::dateTime() const
{
    if (m_type != NumberType || !m_value.isValid()) {
        return QVariant();
    }
    return dateTimeFromSerial(m_value.toDouble(), m_date1904, m_format.dateTimeKind());
}

QVariant dateTimeFromSerial(double serial, bool date1904, Format::DateTimeKind kind)
{
    const double last = date1904 ? LastSerial1904 : LastSerial1900;
    if (kind == Format::NotDateTime || !std::isfinite(serial) || serial < 0 || serial >= last + 1) {
        return QVariant();
    }
    qint64 days = qint64(std::floor(serial));
    qint64 ms = qRound64((serial - double(days)) * MsPerDay);
    if (ms >= MsPerDay) {
        ms -= MsPerDay;
        ++days;
    }
    // Serial 60 is 29 February 1900; before it the 1900 system is one day ahead.
    if (!date1904 && days < 61) {
        ++days;
    }
    const QDate date = epoch(date1904).addDays(days);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms));
    switch (kind) {
    case Format::DateOnly:
        return date;
    case Format::TimeOnly:
        return time;
    default:
        return QDateTime(date, time);
    }
}

double serialFromDateTime(const QDateTime &dateTime, bool date1904)
{
    qint64 days = epoch(date1904).daysTo(dateTime.date());
    if (!date1904 && days < 61) {
        --days;
    }
    return double(days) + double(dateTime.time().msecsSinceStartOfDay()) / MsPerDay;
}

} // namespace QXlsx
