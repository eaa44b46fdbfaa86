#include "xlsxworksheet.h"

#include "xlsxstringpool_p.h"

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
    if (cellCount() == 0) {
        return CellRange();
    }
    return CellRange(m_firstRow, m_firstColumn, m_lastRow, m_lastColumn);
}

Worksheet::Slot *Worksheet::find(quint64 key) const
{
    constexpr size_t Mask = (size_t(1) << BlockBits) - 1;
    auto at = [&](size_t i) -> Slot & { return m_blocks[i >> BlockBits][i & Mask]; };
    size_t low = 0;
    size_t high = m_inOrder;
    while (low < high) {
        const size_t mid = low + (high - low) / 2;
        if (at(mid).key < key) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    if (low < m_inOrder && at(low).key == key) {
        return &at(low);
    }
    const auto it = m_apart.find(key);
    return it == m_apart.end() ? nullptr : &it->second;
}

Cell Worksheet::cellOf(const Slot &slot) const
{
    QVariant value;
    switch (slot.kind) {
    case Kind::None:
        break;
    case Kind::Number:
        value = slot.number;
        break;
    case Kind::Boolean:
        value = slot.index != 0;
        break;
    case Kind::Shared:
        value = m_shared ? m_shared->at(int(slot.index)) : QString();
        break;
    case Kind::Own:
        value = m_own ? m_own->at(int(slot.index)) : QString();
        break;
    case Kind::Other:
        value = m_others[size_t(slot.index)];
        break;
    }
    Cell cell(value, Cell::CellType(slot.type),
              slot.format ? m_formats.value(int(slot.format) - 1) : Format(), m_date1904);
    if (slot.formula) {
        cell.setFormula(m_formulas.at(slot.key));
    }
    return cell;
}

std::optional<Cell> Worksheet::cellAt(int row, int column) const
{
    if (!inSheet(row, column)) {
        return std::nullopt;
    }
    const Slot *slot = find(key(row, column));
    if (!slot) {
        return std::nullopt;
    }
    return cellOf(*slot);
}

QVariant Worksheet::read(int row, int column) const
{
    const std::optional<Cell> cell = cellAt(row, column);
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
        if (const std::optional<Cell> old = cellAt(row, column)) {
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

Worksheet::Slot Worksheet::valueSlot(const QVariant &value)
{
    Slot slot{};
    switch (value.userType()) {
    case QMetaType::UnknownType:
        slot.kind = Kind::None;
        break;
    case QMetaType::Double:
        slot.kind = Kind::Number;
        slot.number = value.toDouble();
        break;
    case QMetaType::Bool:
        slot.kind = Kind::Boolean;
        slot.index = value.toBool() ? 1 : 0;
        break;
    case QMetaType::QString:
        if (!m_own) {
            m_own = std::make_unique<detail::StringPool>();
        }
        slot.kind = Kind::Own;
        slot.index = m_own->add(value.toString());
        break;
    default:
        slot.kind = Kind::Other;
        slot.index = qint64(m_others.size());
        m_others.push_back(value);
        break;
    }
    return slot;
}

bool Worksheet::insertCell(int row, int column, const Cell &cell)
{
    Slot slot = valueSlot(cell.value());
    slot.type = quint8(cell.cellType());
    const Format format = cell.format();
    if (format.isValid()) {
        m_formats.append(format);
        slot.format = quint32(m_formats.size());
    }
    slot.formula = cell.hasFormula();
    return insertSlot(row, column, slot, cell.formula());
}

bool Worksheet::insertSlot(int row, int column, Slot slot, const QString &formula)
{
    slot.key = key(row, column);
    if (slot.formula) {
        m_formulas[slot.key] = formula;
    }
    constexpr size_t Mask = (size_t(1) << BlockBits) - 1;
    const bool inOrder =
        m_inOrder == 0 ||
        m_blocks[(m_inOrder - 1) >> BlockBits][(m_inOrder - 1) & Mask].key < slot.key;
    bool added = true;
    if (inOrder && (m_apart.empty() || !m_apart.count(slot.key))) {
        if ((m_inOrder & Mask) == 0) {
            m_blocks.emplace_back(new Slot[Mask + 1]);
        }
        m_blocks[m_inOrder >> BlockBits][m_inOrder & Mask] = slot;
        ++m_inOrder;
    } else if (Slot *old = find(slot.key)) {
        if (old->formula && !slot.formula) {
            m_formulas.erase(slot.key);
        }
        *old = slot;
        added = false;
    } else {
        m_apart.emplace(slot.key, slot);
    }
    if (cellCount() == 1) {
        m_firstRow = m_lastRow = row;
        m_firstColumn = m_lastColumn = column;
    } else {
        m_firstRow = qMin(m_firstRow, row);
        m_lastRow = qMax(m_lastRow, row);
        m_firstColumn = qMin(m_firstColumn, column);
        m_lastColumn = qMax(m_lastColumn, column);
    }
    return added;
}

} // namespace QXlsx
