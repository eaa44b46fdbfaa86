#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// The job request of the print service's API, read from the request body
// without trusting it: every count is bounded, every type checked, and a
// fault is named with the field it was found in.
namespace server {

// An answer other than success: the HTTP status and the error object's fields.
struct ApiError
{
    int status = 0;
    QString code;
    QString message;
    QString field;

    static ApiError make(int status, const QString &code, const QString &message,
                         const QString &field = QString())
    {
        return ApiError{status, code, message, field};
    }
};

struct RequestLimits
{
    qint64 maxBodyBytes = 16 * 1024 * 1024;
    int maxRows = 100000;
};

// Rows given for one data source: the column names in the order first
// seen, and each row's cells in that order (a column a row leaves out is
// an empty cell). `field` is where the rows stood in the request.
struct Table
{
    QStringList columns;
    QVector<QStringList> rows;
    QString field;
};

struct JobRequest
{
    QString design;
    // Empty: the design's own printer.
    QString printer;
    // "rows" or "csv" go under the empty name (the design's only data
    // source); "sources" under each source's name.
    QMap<QString, Table> tables;
    // CSV text given as it is, instead of rows, for the only source.
    QByteArray csv;
    bool hasCsv = false;
    bool hasSources = false;
    int copies = 1;
    bool collate = false;
    // 1-based label range; 0 and 0 for all labels.
    int from = 0;
    int to = 0;
    QString quantityColumn;
    bool verify = true;
    QString idempotencyKey;

    int rowCount() const;
};

constexpr int MaxCopies = 9999;
constexpr int MaxKeyLength = 200;
constexpr int MaxNameLength = 200;

// False with *error set when the body is not a job request.
bool parseJobRequest(const QByteArray &body, const RequestLimits &limits, JobRequest *out,
                     ApiError *error);

// The request as compact JSON in one fixed form (keys sorted, defaults
// written out): what the journal keeps, and what an idempotency key is
// compared by. parseJobRequest() reads it back to the same request.
QByteArray requestJson(const JobRequest &request);

// A design name is a plain file name without its extension: no folders, no
// "..", nothing hidden.
bool isPlainName(const QString &name);

// CSV text (RFC 4180, every field quoted) of a table's header and rows.
QByteArray csvOf(const Table &table, const QStringList &columns);

} // namespace server
