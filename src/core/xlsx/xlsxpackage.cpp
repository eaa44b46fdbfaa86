#include "xlsxpackage_p.h"

// KZip first: the other archive headers rely on what it declares.
#include <KZip>

#include <KArchiveDirectory>
#include <KArchiveFile>
#include <QDir>
#include <QXmlStreamReader>
#include <cstring>
#include <string.h>

namespace QXlsx {
namespace detail {

namespace {

// Streams one part and stops at the limits: the part's own share, what is
// left of the workbook's budget, and the longest run between two tags.
class PartDevice : public QIODevice
{
public:
    PartDevice(QIODevice *inner, qint64 *budget)
        : m_inner(inner), m_budget(budget), m_partLeft(MaxPartBytes)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_done; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_done) {
            return -1;
        }
        const qint64 allowed = qMin(maxSize, qMin(m_partLeft, *m_budget));
        if (allowed <= 0) {
            return stop();
        }
        const qint64 n = m_inner->read(data, allowed);
        if (n <= 0) {
            return stop();
        }
        const char *first = static_cast<const char *>(std::memchr(data, '<', size_t(n)));
        const qint64 before = first ? first - data : n;
        if (m_run + before > MaxTextRunBytes) {
            return stop();
        }
        m_run = first ? data + n - 1 - static_cast<const char *>(memrchr(data, '<', size_t(n)))
                      : m_run + n;
        m_partLeft -= n;
        *m_budget -= n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 stop()
    {
        m_done = true;
        return -1;
    }

    std::unique_ptr<QIODevice> m_inner;
    qint64 *m_budget;
    qint64 m_partLeft;
    qint64 m_run = 0;
    bool m_done = false;
};

const KArchiveFile *findFile(const KZip &zip, const QString &path)
{
    if (path.isEmpty() || !zip.directory()) {
        return nullptr;
    }
    const KArchiveEntry *entry = zip.directory()->entry(path);
    return entry && entry->isFile() ? static_cast<const KArchiveFile *>(entry) : nullptr;
}

// Part names are package-absolute ("/xl/styles.xml") or relative to the
// folder of the part that refers to them.
QString resolveTarget(const QString &baseFolder, const QString &target)
{
    QString path = target.startsWith(QLatin1Char('/'))
                       ? target.mid(1)
                       : (baseFolder.isEmpty() ? target : baseFolder + QLatin1Char('/') + target);
    path = QDir::cleanPath(path);
    if (path.startsWith(QLatin1String("../")) || path == QLatin1String("..") ||
        path.startsWith(QLatin1Char('/'))) {
        return QString();
    }
    return path;
}

} // namespace

Package::Package(QIODevice *device) : m_zip(new KZip(device))
{
    m_open = device && m_zip->open(QIODevice::ReadOnly);
}

Package::~Package() = default;

bool Package::hasPart(const QString &path) const
{
    return m_open && findFile(*m_zip, path);
}

std::unique_ptr<QIODevice> Package::openPart(const QString &path)
{
    const KArchiveFile *file = m_open ? findFile(*m_zip, path) : nullptr;
    if (!file || m_budget <= 0) {
        return nullptr;
    }
    QIODevice *inner = file->createDevice();
    if (!inner) {
        return nullptr;
    }
    return std::make_unique<PartDevice>(inner, &m_budget);
}

QVector<Relationship> Package::relationships(const QString &partPath)
{
    const int slash = partPath.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : partPath.left(slash);
    const QString name = partPath.mid(slash + 1);
    const QString relsPath = (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) +
                             QLatin1String("_rels/") + name + QLatin1String(".rels");

    QVector<Relationship> result;
    std::unique_ptr<QIODevice> part = openPart(relsPath);
    if (!part) {
        return result;
    }
    QXmlStreamReader xml(part.get());
    while (nextToken(xml) && result.size() < MaxRelationships) {
        if (!xml.isStartElement() || xml.name() != QLatin1String("Relationship")) {
            continue;
        }
        const QXmlStreamAttributes attrs = xml.attributes();
        if (attrs.value(QLatin1String("TargetMode")) == QLatin1String("External")) {
            continue;
        }
        Relationship rel;
        rel.id = attrs.value(QLatin1String("Id")).toString();
        rel.type = attrs.value(QLatin1String("Type")).toString();
        rel.target = resolveTarget(folder, attrs.value(QLatin1String("Target")).toString());
        if (!rel.id.isEmpty() && !rel.target.isEmpty()) {
            result.append(rel);
        }
    }
    return result;
}

QString relationshipKind(const QString &type)
{
    return type.mid(type.lastIndexOf(QLatin1Char('/')) + 1);
}

bool nextToken(QXmlStreamReader &xml)
{
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::DTD) {
        xml.raiseError(QStringLiteral("document type declarations are not accepted"));
        return false;
    }
    return token != QXmlStreamReader::Invalid && token != QXmlStreamReader::EndDocument;
}

} // namespace detail
} // namespace QXlsx
