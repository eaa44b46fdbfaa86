#pragma once

#include <QIODevice>
#include <QString>
#include <QVector>
#include <memory>

class KZip;
class QXmlStreamReader;

namespace QXlsx {
namespace detail {

// Nothing in a workbook file is trusted: these bound what one workbook may
// cost, however its parts claim to be sized.
constexpr qint64 MaxPartBytes = 128LL * 1024 * 1024;
constexpr qint64 MaxWorkbookBytes = 256LL * 1024 * 1024;
// Longest run of bytes between two tags; far above Excel's 32,767 characters
// of a cell, far below what would let one text node eat the memory.
constexpr qint64 MaxTextRunBytes = 4LL * 1024 * 1024;
constexpr int MaxCells = 4000000;
constexpr int MaxSharedStrings = 4000000;
constexpr int MaxStyleRecords = 65536;
constexpr int MaxSheets = 4096;
constexpr int MaxRelationships = 65536;

struct Relationship
{
    QString id;
    QString type;
    QString target; // resolved part path inside the package
};

// The ZIP container of a workbook, read-only. Every part is streamed through
// a device that stops at the part and workbook byte limits.
class Package
{
public:
    explicit Package(QIODevice *device);
    ~Package();
    Package(const Package &) = delete;
    Package &operator=(const Package &) = delete;

    bool isOpen() const { return m_open; }
    bool hasPart(const QString &path) const;
    // Null when the part is missing or the byte budget is spent.
    std::unique_ptr<QIODevice> openPart(const QString &path);
    // The relationships of a part ("" for the package itself), with targets
    // resolved against the part's folder.
    QVector<Relationship> relationships(const QString &partPath);

private:
    std::unique_ptr<KZip> m_zip;
    bool m_open = false;
    qint64 m_budget = MaxWorkbookBytes;
};

// The last segment of a relationship type ("worksheet", "styles", ...); the
// transitional and strict namespaces differ only before it.
QString relationshipKind(const QString &type);

// Reads the next token, treating a document type declaration as an error:
// no workbook part has one, and refusing it keeps entity tricks out.
bool nextToken(QXmlStreamReader &xml);

} // namespace detail
} // namespace QXlsx
