#include "sqldb.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>

#include <libpq-fe.h>
#include <sqlite3.h>

namespace server {

namespace {

// Tables both databases share; only the types of a few columns differ.
QStringList schemaWith(const QString &serial, const QString &blob)
{
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS jobs("
                       " seq %1,"
                       " id TEXT NOT NULL UNIQUE,"
                       " owner TEXT NOT NULL,"
                       " idem_key TEXT,"
                       " request_hash %2 NOT NULL,"
                       " request %2 NOT NULL,"
                       " design TEXT NOT NULL,"
                       " printer TEXT NOT NULL,"
                       " state TEXT NOT NULL,"
                       " labels INTEGER NOT NULL DEFAULT -1,"
                       " printed INTEGER NOT NULL DEFAULT 0,"
                       " copies INTEGER NOT NULL DEFAULT 1,"
                       " error TEXT,"
                       " waiting_reason TEXT,"
                       " problems TEXT,"
                       " cups_job INTEGER NOT NULL DEFAULT 0,"
                       " send_started INTEGER NOT NULL DEFAULT 0,"
                       " reprint_of TEXT,"
                       " created_at BIGINT NOT NULL,"
                       " updated_at BIGINT NOT NULL,"
                       " sent_by TEXT)")
            .arg(serial, blob),
        QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS jobs_idem ON jobs(owner, idem_key) "
                       "WHERE idem_key IS NOT NULL"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS jobs_state ON jobs(state, seq)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS jobs_printer ON jobs(printer, state, seq)"),
        // Every state a job entered, with its time: the history of the job.
        QStringLiteral("CREATE TABLE IF NOT EXISTS events(job_seq BIGINT NOT NULL, state TEXT "
                       "NOT NULL, at BIGINT NOT NULL, detail TEXT)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS events_job ON events(job_seq)"),
        // Which instance drives a printer, until when.
        QStringLiteral("CREATE TABLE IF NOT EXISTS leases(printer TEXT PRIMARY KEY, holder TEXT "
                       "NOT NULL, expires BIGINT NOT NULL)"),
    };
}

class SqliteDb : public SqlDb
{
public:
    ~SqliteDb() override
    {
        for (sqlite3_stmt *stmt : qAsConst(prepared))
            sqlite3_finalize(stmt);
        sqlite3_close_v2(db);
    }

    bool open(const QString &path, bool readOnly, QString *error)
    {
        const int flags = (readOnly ? SQLITE_OPEN_READONLY
                                    : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
                          SQLITE_OPEN_FULLMUTEX;
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
            *error = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
            return false;
        }
        sqlite3_busy_timeout(db, 10000);
        // WAL with a sync at every commit: what is acknowledged survives a
        // crash of the process and of the machine.
        if (!readOnly && (!exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
                          !exec(QStringLiteral("PRAGMA synchronous=FULL")))) {
            *error = errorString();
            return false;
        }
        return true;
    }

    bool exec(const QString &text, const Row &binds = {}, QList<Row> *rows = nullptr,
              int *changed = nullptr) override
    {
        // The journal says the same few statements over and over: each is
        // compiled once and kept, up to a bound.
        sqlite3_stmt *stmt = prepared.value(text);
        const bool kept = stmt || prepared.size() < MaxPrepared;
        if (!stmt) {
            QString sql = text;
            sql.replace(QLatin1String("{now}"),
                        QLatin1String("CAST((julianday('now') - 2440587.5) * 86400000 AS INTEGER)"));
            sql.replace(QLatin1String("{lock}"), QString());
            if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
                qWarning("journal: %s: %s", qPrintable(sql), sqlite3_errmsg(db));
                return false;
            }
            if (kept)
                prepared.insert(text, stmt);
        }
        for (int i = 0; i < binds.size(); ++i) {
            const QVariant &v = binds.at(i);
            if (v.isNull()) {
                sqlite3_bind_null(stmt, i + 1);
            } else if (v.type() == QVariant::ByteArray) {
                const QByteArray b = v.toByteArray();
                sqlite3_bind_blob(stmt, i + 1, b.constData(), b.size(), SQLITE_TRANSIENT);
            } else if (v.type() == QVariant::String) {
                const QByteArray b = v.toString().toUtf8();
                sqlite3_bind_text(stmt, i + 1, b.constData(), b.size(), SQLITE_TRANSIENT);
            } else {
                sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
            }
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            if (!rows)
                continue;
            Row row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_NULL:
                    row.append(QVariant());
                    break;
                case SQLITE_INTEGER:
                    row.append(qint64(sqlite3_column_int64(stmt, c)));
                    break;
                case SQLITE_BLOB:
                    row.append(QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, c)),
                                          sqlite3_column_bytes(stmt, c)));
                    break;
                default:
                    row.append(QString::fromUtf8(
                        reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)),
                        sqlite3_column_bytes(stmt, c)));
                }
            }
            rows->append(row);
        }
        if (rc != SQLITE_DONE)
            qWarning("journal: %s: %s", qPrintable(text), sqlite3_errmsg(db));
        if (changed)
            *changed = sqlite3_changes(db);
        if (kept) {
            sqlite3_reset(stmt);
            sqlite3_clear_bindings(stmt);
        } else {
            sqlite3_finalize(stmt);
        }
        return rc == SQLITE_DONE;
    }

    QString errorString() const override { return QString::fromUtf8(sqlite3_errmsg(db)); }
    QString beginWrite() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QStringList schema() const override
    {
        return schemaWith(QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"), QStringLiteral("BLOB"));
    }

private:
    static constexpr int MaxPrepared = 64;
    sqlite3 *db = nullptr;
    QHash<QString, sqlite3_stmt *> prepared;
};

class PostgresDb : public SqlDb
{
public:
    ~PostgresDb() override { PQfinish(conn); }

    bool open(const QString &uri, QString *error)
    {
        info = uri.toUtf8();
        conn = PQconnectdb(info.constData());
        if (PQstatus(conn) != CONNECTION_OK) {
            *error = errorString();
            return false;
        }
        // Every commit waits for the server's sync to disk.
        exec(QStringLiteral("SET synchronous_commit = on"));
        // "already exists, skipping" at every start says nothing to anyone.
        exec(QStringLiteral("SET client_min_messages = warning"));
        return true;
    }

    bool reconnect() override
    {
        PQreset(conn);
        if (PQstatus(conn) != CONNECTION_OK)
            return false;
        exec(QStringLiteral("SET client_min_messages = warning"));
        return true;
    }

    bool exec(const QString &text, const Row &binds = {}, QList<Row> *rows = nullptr,
              int *changed = nullptr) override
    {
        QString sql = text;
        sql.replace(QLatin1String("{now}"),
                    QLatin1String("CAST(extract(epoch from clock_timestamp()) * 1000 AS BIGINT)"));
        sql.replace(QLatin1String("{lock}"), QLatin1String(" FOR UPDATE"));
        // "?" becomes $1, $2, ...; no statement of the journal has a "?" in a literal.
        QString numbered;
        int n = 0;
        for (const QChar c : sql)
            numbered += c == QLatin1Char('?') ? QStringLiteral("$%1").arg(++n) : QString(c);
        QVector<QByteArray> values(binds.size());
        QVector<const char *> pointers(binds.size());
        QVector<int> lengths(binds.size());
        QVector<int> formats(binds.size());
        for (int i = 0; i < binds.size(); ++i) {
            const QVariant &v = binds.at(i);
            if (v.isNull()) {
                pointers[i] = nullptr;
                continue;
            }
            if (v.type() == QVariant::ByteArray) {
                values[i] = v.toByteArray();
                formats[i] = 1;
            } else if (v.type() == QVariant::String) {
                values[i] = v.toString().toUtf8();
            } else {
                values[i] = QByteArray::number(v.toLongLong());
            }
            pointers[i] = values[i].constData();
            lengths[i] = values[i].size();
        }
        PGresult *result =
            PQexecParams(conn, numbered.toUtf8().constData(), binds.size(), nullptr,
                         pointers.constData(), lengths.constData(), formats.constData(), 0);
        const ExecStatusType status = PQresultStatus(result);
        const bool ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
        if (!ok) {
            lastError = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
            if (lastError.isEmpty())
                lastError = errorString();
        }
        if (ok && rows) {
            for (int r = 0; r < PQntuples(result); ++r) {
                Row row;
                for (int c = 0; c < PQnfields(result); ++c) {
                    if (PQgetisnull(result, r, c)) {
                        row.append(QVariant());
                        continue;
                    }
                    const char *value = PQgetvalue(result, r, c);
                    const int length = PQgetlength(result, r, c);
                    switch (PQftype(result, c)) {
                    case 17: { // bytea, in its hexadecimal text form
                        size_t size = 0;
                        unsigned char *bytes = PQunescapeBytea(
                            reinterpret_cast<const unsigned char *>(value), &size);
                        row.append(QByteArray(reinterpret_cast<const char *>(bytes), int(size)));
                        PQfreemem(bytes);
                        break;
                    }
                    case 20: // int8, int4, int2
                    case 23:
                    case 21:
                        row.append(QByteArray(value, length).toLongLong());
                        break;
                    default:
                        row.append(QString::fromUtf8(value, length));
                    }
                }
                rows->append(row);
            }
        }
        if (changed)
            *changed = ok ? QByteArray(PQcmdTuples(result)).toInt() : 0;
        PQclear(result);
        return ok;
    }

    QString errorString() const override
    {
        return lastError.isEmpty() ? QString::fromUtf8(PQerrorMessage(conn)).trimmed() : lastError;
    }
    QString beginWrite() const override { return QStringLiteral("BEGIN"); }
    QStringList schema() const override
    {
        return schemaWith(QStringLiteral("BIGSERIAL PRIMARY KEY"), QStringLiteral("BYTEA"));
    }

private:
    QByteArray info;
    PGconn *conn = nullptr;
    QString lastError;
};

} // namespace

bool SqlDb::isPostgres(const QString &spec)
{
    return spec.startsWith(QLatin1String("postgresql://")) ||
           spec.startsWith(QLatin1String("postgres://"));
}

std::unique_ptr<SqlDb> SqlDb::open(const QString &spec, bool readOnly, QString *error)
{
    if (isPostgres(spec)) {
        auto db = std::make_unique<PostgresDb>();
        if (!db->open(spec, error))
            return nullptr;
        return db;
    }
    auto db = std::make_unique<SqliteDb>();
    if (!db->open(spec, readOnly, error))
        return nullptr;
    return db;
}

} // namespace server
