#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <mutex>

namespace server {

enum class Scope { None, Print, Admin };

QString scopeName(Scope scope);
Scope scopeFromName(const QString &name);

struct Caller
{
    QString name;
    Scope scope = Scope::None;
    bool isAdmin() const { return scope == Scope::Admin; }
};

// The bearer tokens the service takes, from a file of lines
// "NAME SCOPE SHA256-HEX": only a hash of each token is stored, and a
// presented token is compared with every hash in constant time.
class TokenStore
{
public:
    // False with *error set when the file exists but cannot be read or has a
    // malformed line. A missing file is an empty store.
    bool load(const QString &path, QString *error);
    // The caller a token belongs to; a caller with Scope::None when none.
    Caller identify(const QByteArray &token) const;
    bool isEmpty() const;

    // Makes a new random token for `name`, appends its hash to the file
    // (created with mode 0600) and returns the token; empty with *error set.
    static QByteArray add(const QString &path, const QString &name, Scope scope, QString *error);

private:
    struct Entry
    {
        QString name;
        Scope scope;
        QByteArray hash;
    };
    QVector<Entry> entries;
    mutable std::mutex lock;
};

} // namespace server
