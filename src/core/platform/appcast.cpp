#include "appcast.h"

#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>
#include <QVector>
#include <QXmlStreamReader>

#include <sodium.h>

namespace {

const QString SparkleNs = QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");

enum class Kind
{
    Number,
    Period,
    Text,
    Space
};

Kind kindOf(QChar c)
{
    if (c.isDigit())
        return Kind::Number;
    if (c == QLatin1Char('.'))
        return Kind::Period;
    if (c.isSpace())
        return Kind::Space;
    return Kind::Text;
}

struct Part
{
    Kind kind;
    QString text;
};

QVector<Part> split(QString version)
{
    version = version.trimmed();
    if (version.size() > 1 &&
        (version.at(0) == QLatin1Char('v') || version.at(0) == QLatin1Char('V')) &&
        version.at(1).isDigit())
        version.remove(0, 1);
    QVector<Part> parts;
    for (const QChar c : qAsConst(version)) {
        const Kind kind = kindOf(c);
        // Every period is a part of its own; other runs grow while the kind stays.
        if (parts.isEmpty() || parts.last().kind != kind || kind == Kind::Period)
            parts.append({kind, QString(c)});
        else
            parts.last().text.append(c);
    }
    return parts;
}

// Digit runs of any length, without converting to a fixed-size integer.
int compareNumbers(QString a, QString b)
{
    while (a.size() > 1 && a.at(0) == QLatin1Char('0'))
        a.remove(0, 1);
    while (b.size() > 1 && b.at(0) == QLatin1Char('0'))
        b.remove(0, 1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return QString::compare(a, b);
}

int sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

bool isSparkle(const QXmlStreamReader &xml, const QString &name)
{
    return xml.name() == name && xml.namespaceUri() == SparkleNs;
}

QString sparkleAttribute(const QXmlStreamAttributes &attributes, const QString &name)
{
    return attributes.value(SparkleNs, name).toString().trimmed();
}

} // namespace

int appcast::compareVersions(const QString &a, const QString &b)
{
    const QVector<Part> pa = split(a);
    const QVector<Part> pb = split(b);
    const int n = std::min(pa.size(), pb.size());
    for (int i = 0; i < n; ++i) {
        const Part &x = pa.at(i);
        const Part &y = pb.at(i);
        if (x.kind == y.kind) {
            int c = 0;
            if (x.kind == Kind::Number)
                c = compareNumbers(x.text, y.text);
            else if (x.kind == Kind::Text)
                c = QString::compare(x.text, y.text);
            if (c != 0)
                return sign(c);
        } else if (x.kind != Kind::Text && y.kind == Kind::Text) {
            return 1;
        } else if (x.kind == Kind::Text && y.kind != Kind::Text) {
            return -1;
        } else {
            // A number against a period or a space: the number is newer.
            return x.kind == Kind::Number ? 1 : -1;
        }
    }
    if (pa.size() == pb.size())
        return 0;
    // Equal so far: text after the common part marks a pre-release (older),
    // more numbers a later version.
    const bool aLonger = pa.size() > pb.size();
    const Part &extra = aLonger ? pa.at(n) : pb.at(n);
    const int longerIsNewer = extra.kind == Kind::Text ? -1 : 1;
    return aLonger ? longerIsNewer : -longerIsNewer;
}

bool appcast::urlAllowed(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    if (url.scheme() == QLatin1String("https"))
        return true;
    if (url.scheme() != QLatin1String("http"))
        return false;
    const QHostAddress address(url.host());
    return !address.isNull() && address.isLoopback();
}

appcast::Release appcast::parseFeed(const QByteArray &data, const QUrl &feedUrl, QString *error)
{
    Release best;
    Release item;
    bool inItem = false;
    QString failure;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            // Entity declarations could expand without bound; a feed needs none.
            failure = QCoreApplication::translate(
                "UpdateCheck", "The update feed declares a document type, which is not accepted.");
            break;
        }
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("item") && xml.namespaceUri().isEmpty()) {
                item = Release();
                inItem = true;
                continue;
            }
            if (!inItem)
                continue;
            if (xml.name() == QLatin1String("description") && xml.namespaceUri().isEmpty()) {
                item.notes = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            } else if (isSparkle(xml, QStringLiteral("version"))) {
                item.version = xml.readElementText().trimmed();
            } else if (isSparkle(xml, QStringLiteral("shortVersionString"))) {
                item.shortVersion = xml.readElementText().trimmed();
            } else if (isSparkle(xml, QStringLiteral("releaseNotesLink"))) {
                const QUrl link = feedUrl.resolved(QUrl(xml.readElementText().trimmed()));
                if (urlAllowed(link))
                    item.notesLink = link;
            } else if (xml.name() == QLatin1String("enclosure") && xml.namespaceUri().isEmpty()) {
                const QXmlStreamAttributes attributes = xml.attributes();
                const QString os = sparkleAttribute(attributes, QStringLiteral("os"));
                if (!os.isEmpty() && os.compare(QLatin1String("linux"), Qt::CaseInsensitive) != 0)
                    continue;
                item.url = feedUrl.resolved(
                    QUrl(attributes.value(QLatin1String("url")).toString().trimmed()));
                bool ok = false;
                const qint64 length =
                    attributes.value(QLatin1String("length")).toString().trimmed().toLongLong(&ok);
                item.length = ok && length > 0 ? length : 0;
                item.signature =
                    sparkleAttribute(attributes, QStringLiteral("edSignature")).toLatin1();
                // Older feeds carry the versions on the enclosure.
                if (item.version.isEmpty())
                    item.version = sparkleAttribute(attributes, QStringLiteral("version"));
                if (item.shortVersion.isEmpty())
                    item.shortVersion =
                        sparkleAttribute(attributes, QStringLiteral("shortVersionString"));
            }
        } else if (token == QXmlStreamReader::EndElement && inItem &&
                   xml.name() == QLatin1String("item") && xml.namespaceUri().isEmpty()) {
            inItem = false;
            if (!item.version.isEmpty() && !item.url.isEmpty() &&
                (!best.isValid() || compareVersions(item.version, best.version) > 0))
                best = item;
        }
    }
    if (failure.isEmpty() && xml.hasError())
        failure = QCoreApplication::translate(
                      "UpdateCheck", "The update feed is not a valid appcast: %1 (line %2).")
                      .arg(xml.errorString())
                      .arg(xml.lineNumber());
    if (failure.isEmpty() && !best.isValid())
        failure = QCoreApplication::translate("UpdateCheck",
                                              "The update feed lists no release for this system.");
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        return Release();
    }
    if (error)
        error->clear();
    return best;
}

QString appcast::verifyDownload(const QString &path, qint64 length,
                                const QByteArray &signatureBase64, const QByteArray &publicKey)
{
    if (sodium_init() < 0)
        return QCoreApplication::translate("UpdateCheck",
                                           "The signature check could not be started.");
    if (signatureBase64.trimmed().isEmpty())
        return QCoreApplication::translate("UpdateCheck", "The update is not signed.");
    const QByteArray signature =
        QByteArray::fromBase64(signatureBase64.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (signature.size() != crypto_sign_BYTES)
        return QCoreApplication::translate("UpdateCheck", "The update's signature is damaged.");
    if (publicKey.size() != crypto_sign_PUBLICKEYBYTES)
        return QCoreApplication::translate("UpdateCheck",
                                           "This program has no valid key to check updates with.");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("UpdateCheck", "The downloaded file cannot be read: %1")
            .arg(file.errorString());
    if (length <= 0 || file.size() != length)
        return QCoreApplication::translate(
                   "UpdateCheck", "The download has %1 bytes, but the update feed announced %2.")
            .arg(file.size())
            .arg(length);
    const uchar *data = length > 0 ? file.map(0, length) : nullptr;
    if (!data)
        return QCoreApplication::translate("UpdateCheck", "The downloaded file cannot be read: %1")
            .arg(file.errorString());
    const int result =
        crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signature.constData()),
                                    data, static_cast<unsigned long long>(length),
                                    reinterpret_cast<const unsigned char *>(publicKey.constData()));
    file.unmap(const_cast<uchar *>(data));
    if (result != 0)
        return QCoreApplication::translate(
            "UpdateCheck",
            "The update's signature does not match the download; it may have been changed.");
    return QString();
}
