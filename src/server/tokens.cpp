#include "tokens.h"

#include <QFile>
#include <QRegularExpression>

#include <sodium.h>
#include <sys/stat.h>

namespace server {

namespace {

QByteArray hashOf(const QByteArray &token)
{
    QByteArray hash(crypto_hash_sha256_BYTES, '\0');
    crypto_hash_sha256(reinterpret_cast<unsigned char *>(hash.data()),
                       reinterpret_cast<const unsigned char *>(token.constData()),
                       quint64(token.size()));
    return hash;
}

const QRegularExpression &namePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9._@-]{1,64}$"));
    return pattern;
}

} // namespace

QString scopeName(Scope scope)
{
    switch (scope) {
    case Scope::Print:
        return QStringLiteral("print");
    case Scope::Admin:
        return QStringLiteral("admin");
    case Scope::None:
        break;
    }
    return QString();
}

Scope scopeFromName(const QString &name)
{
    if (name == QLatin1String("print"))
        return Scope::Print;
    if (name == QLatin1String("admin"))
        return Scope::Admin;
    return Scope::None;
}

bool TokenStore::load(const QString &path, QString *error)
{
    QVector<Entry> read;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read the token file \"%1\": %2")
                         .arg(path, file.errorString());
            return false;
        }
        int number = 0;
        // A token file of more than a few thousand lines is not one.
        while (!file.atEnd() && number < 100000) {
            ++number;
            const QString line = QString::fromUtf8(file.readLine(4096)).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const QByteArray hash = parts.size() == 3 ? QByteArray::fromHex(parts.at(2).toLatin1())
                                                      : QByteArray();
            const Scope scope = parts.size() == 3 ? scopeFromName(parts.at(1)) : Scope::None;
            if (scope == Scope::None || hash.size() != crypto_hash_sha256_BYTES ||
                !namePattern().match(parts.at(0)).hasMatch()) {
                *error = QStringLiteral("the token file \"%1\" has a malformed line %2; each line "
                                        "is NAME SCOPE SHA256")
                             .arg(path)
                             .arg(number);
                return false;
            }
            read.append(Entry{parts.at(0), scope, hash});
        }
    }
    std::lock_guard<std::mutex> guard(lock);
    entries = read;
    return true;
}

Caller TokenStore::identify(const QByteArray &token) const
{
    Caller caller;
    if (token.isEmpty() || token.size() > 512)
        return caller;
    const QByteArray hash = hashOf(token);
    std::lock_guard<std::mutex> guard(lock);
    // Every entry is compared, so the time says nothing about which matched.
    for (const Entry &entry : entries) {
        if (sodium_memcmp(entry.hash.constData(), hash.constData(), size_t(hash.size())) == 0)
            caller = Caller{entry.name, entry.scope};
    }
    return caller;
}

bool TokenStore::isEmpty() const
{
    std::lock_guard<std::mutex> guard(lock);
    return entries.isEmpty();
}

QByteArray TokenStore::add(const QString &path, const QString &name, Scope scope, QString *error)
{
    if (!namePattern().match(name).hasMatch()) {
        *error = QStringLiteral("a token name is 1 to 64 letters, digits, \".\", \"_\", \"@\" or "
                                "\"-\", not \"%1\"")
                     .arg(name);
        return QByteArray();
    }
    if (scope == Scope::None) {
        *error = QStringLiteral("--scope must be print or admin");
        return QByteArray();
    }
    if (sodium_init() < 0) {
        *error = QStringLiteral("the random number generator cannot be set up");
        return QByteArray();
    }
    unsigned char random[32];
    randombytes_buf(random, sizeof random);
    const QByteArray token =
        "tgx_" + QByteArray(reinterpret_cast<const char *>(random), sizeof random)
                     .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    sodium_memzero(random, sizeof random);
    QFile file(path);
    const bool existed = file.exists();
    // Nobody but the service's user reads even the hashes.
    const mode_t old = umask(0077);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Append);
    umask(old);
    if (!opened) {
        *error = QStringLiteral("cannot write the token file \"%1\": %2").arg(path, file.errorString());
        return QByteArray();
    }
    if (!existed)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray line = name.toUtf8() + ' ' + scopeName(scope).toUtf8() + ' ' +
                            hashOf(token).toHex() + '\n';
    if (file.write(line) != line.size() || !file.flush()) {
        *error = QStringLiteral("cannot write the token file \"%1\": %2").arg(path, file.errorString());
        return QByteArray();
    }
    return token;
}

} // namespace server
