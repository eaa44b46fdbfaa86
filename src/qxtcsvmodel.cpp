#include "qxtcsvmodel.h"

#include <QIODevice>
#include <cstring>
#include <limits>

namespace {

const QChar FieldMark(0x0001);

bool isFieldRole(int role)
{
    return role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::UserRole;
}

// Field `column` of a stored line; the same as QString::section on the field
// mark, without building every section of a long line for one field.
QString fieldOf(const QString &line, int column)
{
    int start = 0;
    for (int i = 0; i < column; ++i) {
        start = line.indexOf(FieldMark, start);
        if (start < 0) {
            return QString();
        }
        ++start;
    }
    const int end = line.indexOf(FieldMark, start);
    return line.mid(start, end < 0 ? -1 : end - start);
}

} // namespace

QxtCsvModel::QxtCsvModel(QIODevice *device, QObject *parent, bool withHeader, QChar separator)
    : QAbstractTableModel(parent), m_separator(separator), m_withHeader(withHeader)
{
    if (device) {
        readDevice(device, withHeader);
    }
}

void QxtCsvModel::readDevice(QIODevice *device, bool withHeader)
{
    if (!device->isOpen() && !device->open(QIODevice::ReadOnly)) {
        return;
    }
    m_columnCount = withHeader ? 0 : m_header.size();
    m_lines.clear();

    // Lines are cut from blocks by hand rather than with readLine(), which
    // would grow a buffer without limit on a file without line feeds.
    bool headerTaken = false;
    bool firstLine = true;
    QByteArray line;
    auto takeLine = [&]() {
        // A UTF-8 byte order mark is not part of the first field.
        if (firstLine && line.startsWith("\xEF\xBB\xBF")) {
            line.remove(0, 3);
        }
        firstLine = false;
        addLine(line, withHeader, &headerTaken);
        line.clear();
    };
    QByteArray block(64 * 1024, Qt::Uninitialized);
    while (!device->atEnd()) {
        const qint64 n = device->read(block.data(), block.size());
        if (n <= 0) {
            break;
        }
        const char *p = block.constData();
        const char *const end = p + n;
        while (p < end) {
            const void *found = std::memchr(p, '\n', size_t(end - p));
            const char *stop = found ? static_cast<const char *>(found) : end;
            const qint64 room = MaxLineBytes - line.size();
            if (room > 0) {
                line.append(p, int(qMin<qint64>(room, stop - p)));
            }
            p = found ? stop + 1 : end;
            if (found) {
                takeLine();
            }
        }
    }
    if (!line.isEmpty()) {
        takeLine();
    }
    device->close();
}

void QxtCsvModel::addLine(const QByteArray &raw, bool withHeader, bool *headerTaken)
{
    QString text = QString::fromUtf8(raw);
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));

    bool inQuotes = false;
    int marks = 0;
    QChar *chars = text.data();
    const int length = text.size();
    for (int i = 0; i < length; ++i) {
        const QChar c = chars[i];
        if (c == QLatin1Char('"')) {
            if (i == 0 || chars[i - 1] != QLatin1Char('\\')) {
                inQuotes = !inQuotes;
            }
        } else if (!inQuotes && c == m_separator) {
            chars[i] = FieldMark;
            ++marks;
        } else if (c == FieldMark) {
            ++marks;
        }
    }
    m_columnCount = qMax(m_columnCount, marks + 1);

    if (withHeader && !*headerTaken) {
        m_header = text.split(FieldMark, Qt::KeepEmptyParts);
        *headerTaken = true;
    } else {
        m_lines.append(text);
    }
}

int QxtCsvModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_lines.size();
}

int QxtCsvModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columnCount;
}

QVariant QxtCsvModel::data(const QModelIndex &index, int role) const
{
    if (!isFieldRole(role) || !index.isValid() || index.model() != this ||
        index.parent().isValid() || index.row() >= m_lines.size() || index.column() < 0) {
        return QVariant();
    }
    return fieldOf(m_lines.at(index.row()), index.column());
}

QVariant QxtCsvModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && isFieldRole(role) && section >= 0 &&
        section < m_header.size()) {
        return m_header.at(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags QxtCsvModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool QxtCsvModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!isFieldRole(role) || !index.isValid() || index.model() != this ||
        index.parent().isValid() || index.row() < 0 || index.row() >= m_lines.size() ||
        index.column() < 0 || index.column() >= m_columnCount) {
        return false;
    }
    // Short lines are padded first, so the value lands in its own column and
    // no field but this one changes.
    QStringList fields = m_lines.at(index.row()).split(FieldMark, Qt::KeepEmptyParts);
    while (fields.size() <= index.column()) {
        fields.append(QString());
    }
    QString text = value.toString();
    text.remove(FieldMark);
    fields[index.column()] = text;
    m_lines[index.row()] = fields.join(FieldMark);
    emit dataChanged(index, index);
    return true;
}

bool QxtCsvModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row > m_lines.size()) {
        return false;
    }
    beginInsertRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        m_lines.insert(row, QString());
    }
    endInsertRows();
    return true;
}

bool QxtCsvModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || row < 0 || count > m_lines.size() - row) {
        return false;
    }
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_lines.erase(m_lines.begin() + row, m_lines.begin() + row + count);
    endRemoveRows();
    return true;
}

void QxtCsvModel::changeFields(const std::function<void(QStringList &)> &change)
{
    for (QString &line : m_lines) {
        QStringList fields = line.split(FieldMark, Qt::KeepEmptyParts);
        change(fields);
        line = fields.join(FieldMark);
    }
    change(m_header);
}

bool QxtCsvModel::insertColumns(int column, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || column < 0 || column > m_columnCount ||
        count > std::numeric_limits<int>::max() - m_columnCount) {
        return false;
    }
    auto insertInto = [column, count](QStringList &fields) {
        // A line that ends before the new column has nothing to move.
        if (fields.size() >= column) {
            for (int i = 0; i < count; ++i) {
                fields.insert(column, QString());
            }
        }
    };
    beginInsertColumns(QModelIndex(), column, column + count - 1);
    changeFields(insertInto);
    m_columnCount += count;
    endInsertColumns();
    return true;
}

bool QxtCsvModel::removeColumns(int column, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || column < 0 || count > m_columnCount - column) {
        return false;
    }
    auto removeFrom = [column, count](QStringList &fields) {
        if (fields.size() > column) {
            const int last = qMin(fields.size(), column + count);
            fields.erase(fields.begin() + column, fields.begin() + last);
        }
    };
    beginRemoveColumns(QModelIndex(), column, column + count - 1);
    changeFields(removeFrom);
    m_columnCount -= count;
    endRemoveColumns();
    return true;
}
