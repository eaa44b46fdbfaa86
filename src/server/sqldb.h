#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

namespace server {

// One connection to the journal's database, SQLite or PostgreSQL, with the
// little the journal needs: statements with "?" parameters, rows as texts
// and blobs, and the few places where the two speak differently.
class SqlDb
{
public:
    using Row = QList<QVariant>;

    virtual ~SqlDb() = default;

    // "postgresql://..." or "postgres://..." is PostgreSQL, anything else a
    // SQLite file. Null with *error set when it cannot be opened.
    static std::unique_ptr<SqlDb> open(const QString &spec, bool readOnly, QString *error);
    static bool isPostgres(const QString &spec);

    // Runs one statement; the rows it returns go to *rows, the rows it
    // changed to *changed. QByteArray parameters are blobs, QString texts,
    // integers numbers, a null QVariant NULL. In the SQL, {now} stands for
    // the database's clock in milliseconds, {lock} for a row lock of a
    // SELECT where the database has one.
    virtual bool exec(const QString &sql, const Row &binds = {}, QList<Row> *rows = nullptr,
                      int *changed = nullptr) = 0;
    virtual QString errorString() const = 0;
    // A transaction that waits for no other writer once it has begun.
    virtual QString beginWrite() const = 0;
    // The statements that make the schema, in order.
    virtual QStringList schema() const = 0;
    // After a connection fault: connect again; false when it still fails.
    virtual bool reconnect() { return false; }
};

} // namespace server
