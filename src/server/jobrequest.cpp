#include "jobrequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>

namespace server {

namespace {

// More columns than this in one row is not a label table.
constexpr int MaxColumns = 1000;
constexpr int MaxCellChars = 1 << 20;

const QStringList DataKeys{QStringLiteral("rows"), QStringLiteral("sources"),
                           QStringLiteral("csv")};
const QStringList KnownKeys{QStringLiteral("design"),         QStringLiteral("printer"),
                            QStringLiteral("rows"),           QStringLiteral("sources"),
                            QStringLiteral("csv"),            QStringLiteral("copies"),
                            QStringLiteral("collate"),        QStringLiteral("range"),
                            QStringLiteral("quantityColumn"), QStringLiteral("verify"),
                            QStringLiteral("idempotencyKey")};

ApiError badType(const QString &field, const QString &wanted)
{
    return ApiError::make(400, QStringLiteral("bad_type"),
                          QStringLiteral("\"%1\" must be %2").arg(field, wanted), field);
}

ApiError badValue(const QString &field, const QString &message)
{
    return ApiError::make(422, QStringLiteral("bad_value"), message, field);
}

// A cell as text: strings as they are, numbers and booleans as JSON writes
// them, null as an empty cell.
bool cellText(const QJsonValue &value, QString *out)
{
    switch (value.type()) {
    case QJsonValue::String:
        *out = value.toString();
        return true;
    case QJsonValue::Double: {
        const double d = value.toDouble();
        // Whole numbers without a decimal point, as a spreadsheet shows them.
        if (d == double(qint64(d)) && qAbs(d) < 1e15)
            *out = QString::number(qint64(d));
        else
            *out = QString::number(d, 'g', 17);
        return true;
    }
    case QJsonValue::Bool:
        *out = value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        return true;
    case QJsonValue::Null:
        out->clear();
        return true;
    default:
        return false;
    }
}

bool readTable(const QJsonValue &value, const QString &field, int *rowBudget, Table *table,
               ApiError *error)
{
    if (!value.isArray()) {
        *error = badType(field, QStringLiteral("an array of objects"));
        return false;
    }
    const QJsonArray rows = value.toArray();
    if (rows.size() > *rowBudget) {
        *error = ApiError::make(413, QStringLiteral("too_many_rows"),
                                QStringLiteral("a job takes at most %1 rows in all")
                                    .arg(*rowBudget + 0),
                                field);
        return false;
    }
    *rowBudget -= rows.size();
    table->field = field;
    QHash<QString, int> index;
    table->rows.reserve(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const QString rowField = QStringLiteral("%1[%2]").arg(field).arg(r);
        if (!rows.at(r).isObject()) {
            *error = badType(rowField, QStringLiteral("an object of column names and cell texts"));
            return false;
        }
        const QJsonObject row = rows.at(r).toObject();
        QStringList cells;
        cells.reserve(table->columns.size());
        for (int c = 0; c < table->columns.size(); ++c)
            cells.append(QString());
        for (auto it = row.constBegin(); it != row.constEnd(); ++it) {
            const QString cellField = rowField + QLatin1Char('.') + it.key();
            if (it.key().trimmed().isEmpty() || it.key().size() > MaxNameLength) {
                *error = badValue(cellField, QStringLiteral("a column name must be 1 to %1 "
                                                            "characters and not blank")
                                                 .arg(MaxNameLength));
                return false;
            }
            QString text;
            if (!cellText(it.value(), &text)) {
                *error = badType(cellField, QStringLiteral("a text, a number, a boolean or null"));
                return false;
            }
            // A NUL makes the table binary to the CSV reader; nothing prints it.
            if (text.contains(QChar(0)) || text.size() > MaxCellChars) {
                *error = badValue(cellField, QStringLiteral("a cell must be text of at most %1 "
                                                            "characters without NUL")
                                                 .arg(MaxCellChars));
                return false;
            }
            int column = index.value(it.key(), -1);
            if (column < 0) {
                if (table->columns.size() >= MaxColumns) {
                    *error = badValue(cellField,
                                      QStringLiteral("a table has at most %1 columns").arg(MaxColumns));
                    return false;
                }
                column = table->columns.size();
                index.insert(it.key(), column);
                table->columns.append(it.key());
                cells.append(QString());
            }
            cells[column] = text;
        }
        table->rows.append(cells);
    }
    // Rows read before a column first appeared lack its cell.
    for (QStringList &cells : table->rows)
        while (cells.size() < table->columns.size())
            cells.append(QString());
    return true;
}

bool readString(const QJsonObject &object, const QString &key, int maxLength, QString *out,
                ApiError *error)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isString()) {
        *error = badType(key, QStringLiteral("a text"));
        return false;
    }
    *out = value.toString();
    if (out->size() > maxLength || out->contains(QChar(0))) {
        *error = badValue(key, QStringLiteral("\"%1\" is longer than %2 characters")
                                   .arg(key)
                                   .arg(maxLength));
        return false;
    }
    return true;
}

bool readBool(const QJsonObject &object, const QString &key, bool *out, ApiError *error)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isBool()) {
        *error = badType(key, QStringLiteral("true or false"));
        return false;
    }
    *out = value.toBool();
    return true;
}

// Whether an object of the JSON text names a key twice. Qt's reader keeps
// only the last of such keys and loses the memory of the others, so a body
// of repeated keys would cost memory on every request; it is refused
// instead. Text that is not JSON passes, for the reader to report.
bool repeatsKey(const QByteArray &body)
{
    struct Frame
    {
        bool object = false;
        bool expectKey = false;
        QSet<QString> keys;
    };
    QVector<Frame> stack;
    const char *p = body.constData();
    const char *const end = p + body.size();
    while (p < end) {
        const char c = *p++;
        switch (c) {
        case '{':
            if (stack.size() >= 1024)
                return false;
            stack.append(Frame{true, true, {}});
            break;
        case '[':
            if (stack.size() >= 1024)
                return false;
            stack.append(Frame{false, false, {}});
            break;
        case '}':
        case ']':
            if (stack.isEmpty())
                return false;
            stack.removeLast();
            break;
        case ',':
            if (!stack.isEmpty() && stack.last().object)
                stack.last().expectKey = true;
            break;
        case ':':
            if (!stack.isEmpty())
                stack.last().expectKey = false;
            break;
        case '"': {
            const char *start = p;
            bool escaped = false;
            while (p < end && (*p != '"' || escaped)) {
                escaped = !escaped && *p == '\\';
                ++p;
            }
            if (p >= end)
                return false;
            if (!stack.isEmpty() && stack.last().object && stack.last().expectKey) {
                const QByteArray raw(start, int(p - start));
                // Escapes are read as JSON reads them, so that they name the same key.
                const QString key =
                    raw.contains('\\')
                        ? QJsonDocument::fromJson("[\"" + raw + "\"]").array().at(0).toString()
                        : QString::fromUtf8(raw);
                if (stack.last().keys.contains(key))
                    return true;
                stack.last().keys.insert(key);
            }
            ++p;
            break;
        }
        default:
            break;
        }
    }
    return false;
}

} // namespace

int JobRequest::rowCount() const
{
    int n = 0;
    for (const Table &t : tables)
        n += t.rows.size();
    return n;
}

bool isPlainName(const QString &name)
{
    static const QRegularExpression bad(QStringLiteral("[/\\\\\\x00-\\x1f]"));
    return !name.isEmpty() && name.size() <= MaxNameLength && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(bad) && name.trimmed() == name;
}

bool parseJobRequest(const QByteArray &body, const RequestLimits &limits, JobRequest *out,
                     ApiError *error)
{
    *out = JobRequest();
    if (body.size() > limits.maxBodyBytes) {
        *error = ApiError::make(413, QStringLiteral("too_large"),
                                QStringLiteral("the request body is larger than %1 bytes")
                                    .arg(limits.maxBodyBytes));
        return false;
    }
    if (repeatsKey(body)) {
        *error = ApiError::make(400, QStringLiteral("bad_json"),
                                QStringLiteral("an object of the body names a key twice"));
        return false;
    }
    QJsonParseError parsed;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parsed);
    if (parsed.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = ApiError::make(400, QStringLiteral("bad_json"),
                                parsed.error != QJsonParseError::NoError
                                    ? QStringLiteral("the body is not JSON: %1 at offset %2")
                                          .arg(parsed.errorString())
                                          .arg(parsed.offset)
                                    : QStringLiteral("the body must be a JSON object"));
        return false;
    }
    const QJsonObject object = doc.object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (!KnownKeys.contains(it.key())) {
            *error = ApiError::make(400, QStringLiteral("unknown_field"),
                                    QStringLiteral("a job request has no field \"%1\"")
                                        .arg(it.key().left(MaxNameLength)),
                                    it.key().left(MaxNameLength));
            return false;
        }
    }
    if (!object.contains(QStringLiteral("design"))) {
        *error = ApiError::make(400, QStringLiteral("missing_field"),
                                QStringLiteral("a job request needs \"design\""),
                                QStringLiteral("design"));
        return false;
    }
    if (!readString(object, QStringLiteral("design"), MaxNameLength * 4, &out->design, error) ||
        !readString(object, QStringLiteral("printer"), MaxNameLength, &out->printer, error) ||
        !readString(object, QStringLiteral("quantityColumn"), MaxNameLength,
                    &out->quantityColumn, error) ||
        !readString(object, QStringLiteral("idempotencyKey"), MaxKeyLength, &out->idempotencyKey,
                    error) ||
        !readBool(object, QStringLiteral("collate"), &out->collate, error) ||
        !readBool(object, QStringLiteral("verify"), &out->verify, error))
        return false;
    if (!isPlainName(out->design)) {
        *error = ApiError::make(400, QStringLiteral("bad_design_name"),
                                QStringLiteral("\"design\" must be the plain name of a design in "
                                               "the designs folder, without folders or \".tx4l\""),
                                QStringLiteral("design"));
        return false;
    }
    int given = 0;
    for (const QString &key : DataKeys)
        given += object.contains(key) ? 1 : 0;
    if (given > 1) {
        *error = ApiError::make(400, QStringLiteral("bad_request"),
                                QStringLiteral("give the data as one of \"rows\", \"sources\" or "
                                               "\"csv\""));
        return false;
    }
    int rowBudget = limits.maxRows;
    if (object.contains(QStringLiteral("rows"))) {
        Table table;
        if (!readTable(object.value(QStringLiteral("rows")), QStringLiteral("rows"), &rowBudget,
                       &table, error))
            return false;
        out->tables.insert(QString(), table);
    } else if (object.contains(QStringLiteral("sources"))) {
        const QJsonValue value = object.value(QStringLiteral("sources"));
        if (!value.isObject()) {
            *error = badType(QStringLiteral("sources"),
                             QStringLiteral("an object of source names and rows"));
            return false;
        }
        const QJsonObject sources = value.toObject();
        if (sources.isEmpty()) {
            *error = badValue(QStringLiteral("sources"), QStringLiteral("\"sources\" names no source"));
            return false;
        }
        for (auto it = sources.constBegin(); it != sources.constEnd(); ++it) {
            const QString field = QStringLiteral("sources.") + it.key().left(MaxNameLength);
            if (it.key().isEmpty() || it.key().size() > MaxNameLength) {
                *error = badValue(field, QStringLiteral("a source name must be 1 to %1 characters")
                                             .arg(MaxNameLength));
                return false;
            }
            Table table;
            if (!readTable(it.value(), field, &rowBudget, &table, error))
                return false;
            out->tables.insert(it.key(), table);
        }
        out->hasSources = true;
    } else if (object.contains(QStringLiteral("csv"))) {
        const QJsonValue value = object.value(QStringLiteral("csv"));
        if (!value.isString()) {
            *error = badType(QStringLiteral("csv"), QStringLiteral("a text"));
            return false;
        }
        out->csv = value.toString().toUtf8();
        out->hasCsv = true;
    }
    const QJsonValue copies = object.value(QStringLiteral("copies"));
    if (!copies.isUndefined() && !copies.isNull()) {
        if (!copies.isDouble()) {
            *error = badType(QStringLiteral("copies"), QStringLiteral("a whole number"));
            return false;
        }
        // The range first: a number beyond int has no whole part to compare.
        const double n = copies.toDouble();
        if (!(n >= 1 && n <= MaxCopies)) {
            *error = badValue(QStringLiteral("copies"),
                              QStringLiteral("\"copies\" must be from 1 to %1").arg(MaxCopies));
            return false;
        }
        if (n != double(int(n))) {
            *error = badType(QStringLiteral("copies"), QStringLiteral("a whole number"));
            return false;
        }
        out->copies = int(n);
    }
    const QJsonValue range = object.value(QStringLiteral("range"));
    if (!range.isUndefined() && !range.isNull()) {
        if (!range.isString()) {
            *error = badType(QStringLiteral("range"), QStringLiteral("a text \"FROM-TO\""));
            return false;
        }
        static const QRegularExpression form(QStringLiteral("^(\\d{1,9})(?:-(\\d{1,9}))?$"));
        const QRegularExpressionMatch m = form.match(range.toString().trimmed());
        out->from = m.hasMatch() ? m.captured(1).toInt() : 0;
        out->to = m.hasMatch() ? (m.captured(2).isEmpty() ? out->from : m.captured(2).toInt()) : 0;
        if (out->from < 1 || out->to < out->from) {
            *error = badValue(QStringLiteral("range"),
                              QStringLiteral("\"range\" must be FROM-TO with 1 <= FROM <= TO"));
            return false;
        }
    }
    return true;
}

QByteArray requestJson(const JobRequest &request)
{
    QJsonObject o;
    o.insert(QStringLiteral("design"), request.design);
    if (!request.printer.isEmpty())
        o.insert(QStringLiteral("printer"), request.printer);
    auto rowsOf = [](const Table &table) {
        QJsonArray rows;
        for (const QStringList &cells : table.rows) {
            QJsonObject row;
            for (int c = 0; c < table.columns.size(); ++c)
                row.insert(table.columns.at(c), cells.value(c));
            rows.append(row);
        }
        return rows;
    };
    if (request.hasCsv) {
        o.insert(QStringLiteral("csv"), QString::fromUtf8(request.csv));
    } else if (request.hasSources) {
        QJsonObject sources;
        for (auto it = request.tables.cbegin(); it != request.tables.cend(); ++it)
            sources.insert(it.key(), rowsOf(it.value()));
        o.insert(QStringLiteral("sources"), sources);
    } else if (request.tables.contains(QString())) {
        o.insert(QStringLiteral("rows"), rowsOf(request.tables.value(QString())));
    }
    o.insert(QStringLiteral("copies"), request.copies);
    o.insert(QStringLiteral("collate"), request.collate);
    if (request.from > 0)
        o.insert(QStringLiteral("range"),
                 QStringLiteral("%1-%2").arg(request.from).arg(request.to));
    if (!request.quantityColumn.isEmpty())
        o.insert(QStringLiteral("quantityColumn"), request.quantityColumn);
    o.insert(QStringLiteral("verify"), request.verify);
    if (!request.idempotencyKey.isEmpty())
        o.insert(QStringLiteral("idempotencyKey"), request.idempotencyKey);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray csvOf(const Table &table, const QStringList &columns)
{
    auto field = [](const QString &text) {
        QString quoted = text;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + quoted + QLatin1Char('"');
    };
    QVector<int> from;
    QStringList header;
    for (const QString &column : columns) {
        from.append(table.columns.indexOf(column));
        header.append(field(column));
    }
    QString text = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (const QStringList &cells : table.rows) {
        QStringList line;
        for (int at : from)
            line.append(field(at >= 0 ? cells.value(at) : QString()));
        text += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

} // namespace server
