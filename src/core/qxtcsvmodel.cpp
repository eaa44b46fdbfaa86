#include "qxtcsvmodel.h"

#include <QBuffer>
#include <QIODevice>
#include <QTextCodec>
#include <algorithm>
#include <cstring>
#include <limits>

namespace {

const QChar FieldMark(0x0001);

// Most bytes taken from a device that cannot seek, such as a pipe; the rest
// of an endless one is dropped.
constexpr int MaxUnseekableBytes = 256 * 1024 * 1024;
constexpr int BlockBytes = 64 * 1024;

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

// Cuts decoded text into records, fed in pieces of any size. Each finished
// record goes to `take` with its fields joined by the field mark.
class RecordSplitter
{
public:
    RecordSplitter(QChar separator, std::function<void(const QString &, int)> take)
        : m_separator(separator.unicode()), m_take(std::move(take))
    {
    }

    // Plain code units rather than QChar keep the loops cheap in a debug
    // build too. The separators of unquoted text are marked in place.
    void feed(ushort *p, ushort *const end)
    {
        while (p < end) {
            if (m_afterCr) {
                // The LF of a CRLF whose CR already ended a line.
                m_afterCr = false;
                if (*p == '\n') {
                    ++p;
                    continue;
                }
            }
            if (m_state == FieldStart) {
                m_started = true;
                if (*p == '"') {
                    m_state = Quoted;
                    ++p;
                    continue;
                }
                m_state = Unquoted;
            }
            if (m_state == QuoteInQuoted) {
                if (*p == '"') {
                    append(p, 1, 0);
                    m_state = Quoted;
                    ++p;
                    continue;
                }
                // The quote closed the field; what follows up to the
                // separator is taken as it is.
                m_state = Unquoted;
            }
            ushort *const run = p;
            if (m_state == Quoted) {
                while (p < end && *p != '"' && *p != '\n' && *p != '\r') {
                    ++p;
                }
                append(run, int(p - run), 0);
                if (p == end) {
                    return;
                }
                if (*p == '"') {
                    m_state = QuoteInQuoted;
                } else {
                    const ushort lineFeed = '\n';
                    append(&lineFeed, 1, 0);
                    m_afterCr = *p == '\r';
                }
                ++p;
                continue;
            }
            // Unquoted fields, as many as there are before a line break or
            // a field that starts with a quote, are taken in one go.
            int marks = 0;
            bool fieldStart = false;
            while (p < end) {
                const ushort c = *p;
                if (c == m_separator) {
                    *p++ = FieldMark.unicode();
                    ++marks;
                    fieldStart = true;
                    if (p < end && *p == '"') {
                        break;
                    }
                } else if (c == '\n' || c == '\r') {
                    break;
                } else {
                    fieldStart = false;
                    ++p;
                }
            }
            append(run, int(p - run), marks);
            m_state = fieldStart ? FieldStart : Unquoted;
            // Stopped at a line break, or before a quoted field.
            if (p < end && *p != '"') {
                m_afterCr = *p == '\r';
                endRecord();
                ++p;
            }
        }
    }

    // The end of the input ends the last record, unless nothing of it came.
    void finish()
    {
        if (m_started) {
            endRecord();
        }
    }

private:
    enum State
    {
        FieldStart,
        Unquoted,
        Quoted,
        QuoteInQuoted
    };

    // `marks` is the number of field marks in the text; those in the dropped
    // rest of a cut record do not count.
    void append(const ushort *text, int length, int marks)
    {
        const int room = QxtCsvModel::MaxRecordLength - m_record.size();
        if (length > room) {
            length = qMax(room, 0);
            marks = int(std::count(text, text + length, FieldMark.unicode()));
        }
        m_record.append(reinterpret_cast<const QChar *>(text), length);
        m_fields += marks;
    }

    void endRecord()
    {
        // A copy of the exact size is stored; the buffer keeps its room for
        // the next record.
        m_take(QString(m_record.constData(), m_record.size()), m_fields + 1);
        m_record.resize(0);
        m_fields = 0;
        m_started = false;
        m_state = FieldStart;
    }

    const ushort m_separator;
    const std::function<void(const QString &, int)> m_take;
    State m_state = FieldStart;
    bool m_started = false;
    bool m_afterCr = false;
    int m_fields = 0;
    QString m_record;
};

} // namespace

QxtCsvModel::QxtCsvModel(QIODevice *device, QObject *parent, bool withHeader, QChar separator)
    : QAbstractTableModel(parent), m_separator(separator), m_withHeader(withHeader)
{
    if (device) {
        readDevice(device);
    }
}

void QxtCsvModel::reread(QIODevice *device)
{
    beginResetModel();
    clearTable();
    if (device) {
        readDevice(device);
    }
    endResetModel();
}

bool QxtCsvModel::decodedAsWindows1252() const
{
    return m_windows1252;
}

bool QxtCsvModel::containsBinary() const
{
    return m_binary;
}

void QxtCsvModel::clearTable()
{
    m_lines.clear();
    m_header.clear();
    m_columnCount = 0;
    m_windows1252 = false;
    m_binary = false;
}

void QxtCsvModel::readDevice(QIODevice *device)
{
    if (!device->isOpen() && !device->open(QIODevice::ReadOnly)) {
        return;
    }
    // Whether the bytes are UTF-8 is only known at their end; a device that
    // cannot go back to read them again as Windows-1252 is copied first.
    QBuffer copy;
    QIODevice *source = device;
    if (device->isSequential()) {
        // Read until nothing comes: atEnd() of some such devices only tells
        // whether bytes are waiting.
        QByteArray bytes;
        while (bytes.size() < MaxUnseekableBytes) {
            const QByteArray part =
                device->read(qMin<qint64>(BlockBytes, MaxUnseekableBytes - bytes.size()));
            if (part.isEmpty()) {
                break;
            }
            bytes += part;
        }
        copy.setData(bytes);
        copy.open(QIODevice::ReadOnly);
        source = &copy;
    }
    const qint64 start = source->pos();
    if (!readAs(source, QTextCodec::codecForName("UTF-8"), true)) {
        QTextCodec *windows1252 = QTextCodec::codecForName("Windows-1252");
        clearTable();
        if (windows1252 && source->seek(start)) {
            m_windows1252 = true;
            readAs(source, windows1252, false);
        }
    }
    device->close();
}

bool QxtCsvModel::readAs(QIODevice *device, QTextCodec *codec, bool stopAtInvalid)
{
    bool headerTaken = !m_withHeader;
    RecordSplitter splitter(m_separator, [this, &headerTaken](const QString &record, int fields) {
        m_columnCount = qMax(m_columnCount, fields);
        if (!headerTaken) {
            m_header = record.split(FieldMark, Qt::KeepEmptyParts);
            headerTaken = true;
        } else {
            m_lines.append(record);
        }
    });
    // Blocks rather than readAll(), so that a large file is never held whole
    // beside its table.
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    QByteArray block(BlockBytes, Qt::Uninitialized);
    bool first = true;
    while (!device->atEnd()) {
        const qint64 n = device->read(block.data(), block.size());
        if (n <= 0) {
            break;
        }
        const char *bytes = block.constData();
        int length = int(n);
        // A UTF-8 byte order mark is not part of the first field, whatever
        // the rest turns out to be.
        if (first && length >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) {
            bytes += 3;
            length -= 3;
        }
        first = false;
        if (std::memchr(bytes, 0, size_t(length))) {
            m_binary = true;
        }
        QString text = codec->toUnicode(bytes, length, &state);
        if (stopAtInvalid && state.invalidChars > 0) {
            return false;
        }
        text.replace(FieldMark, QChar(QChar::ReplacementCharacter));
        ushort *const units = reinterpret_cast<ushort *>(text.data());
        splitter.feed(units, units + text.size());
    }
    // A multi-byte sequence cut off by the end of the input.
    if (stopAtInvalid && state.remainingChars > 0) {
        return false;
    }
    splitter.finish();
    return true;
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
