#include "xlsxdocument.h"

#include "xlsxpackage_p.h"
#include "xlsxsheetreader_p.h"
#include "xlsxstringpool_p.h"
#include "xlsxstyles_p.h"
#include "xlsxworksheet.h"

#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

namespace QXlsx {

namespace {

struct SheetEntry
{
    QString name;
    QString relationshipId;
};

const QString OfficeDocumentKind = QStringLiteral("officeDocument");

const detail::Relationship *findByKind(const QVector<detail::Relationship> &rels,
                                       const QString &kind)
{
    for (const detail::Relationship &rel : rels) {
        if (detail::relationshipKind(rel.type) == kind) {
            return &rel;
        }
    }
    return nullptr;
}

const detail::Relationship *findById(const QVector<detail::Relationship> &rels, const QString &id)
{
    for (const detail::Relationship &rel : rels) {
        if (rel.id == id) {
            return &rel;
        }
    }
    return nullptr;
}

bool readWorkbook(QXmlStreamReader &xml, QVector<SheetEntry> *sheets, bool *date1904)
{
    bool sawWorkbook = false;
    while (detail::nextToken(xml)) {
        if (!xml.isStartElement()) {
            continue;
        }
        const QStringRef name = xml.name();
        const QXmlStreamAttributes attrs = xml.attributes();
        if (name == QLatin1String("workbook")) {
            sawWorkbook = true;
        } else if (name == QLatin1String("workbookPr")) {
            const QStringRef value = attrs.value(QLatin1String("date1904"));
            *date1904 = value == QLatin1String("1") || value == QLatin1String("true");
        } else if (name == QLatin1String("sheet") && sheets->size() < detail::MaxSheets) {
            SheetEntry entry;
            entry.name = attrs.value(QLatin1String("name")).toString();
            // r:id, whatever the prefix of the relationships namespace is.
            for (const QXmlStreamAttribute &attr : attrs) {
                if (attr.name() == QLatin1String("id") && !attr.namespaceUri().isEmpty()) {
                    entry.relationshipId = attr.value().toString();
                }
            }
            sheets->append(entry);
        }
    }
    // Half a sheet list is no list: a broken workbook part gives no sheets.
    return sawWorkbook && !xml.hasError();
}

bool sheetTypeOf(const QString &kind, AbstractSheet::SheetType *type)
{
    if (kind == QLatin1String("worksheet")) {
        *type = AbstractSheet::ST_WorkSheet;
    } else if (kind == QLatin1String("chartsheet")) {
        *type = AbstractSheet::ST_ChartSheet;
    } else if (kind == QLatin1String("dialogsheet")) {
        *type = AbstractSheet::ST_DialogSheet;
    } else if (kind == QLatin1String("xlMacrosheet") || kind == QLatin1String("macrosheet") ||
               kind == QLatin1String("xlIntlMacrosheet")) {
        *type = AbstractSheet::ST_MacroSheet;
    } else {
        return false;
    }
    return true;
}

} // namespace

Document::Document(const QString &fileName, QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("workbook"));
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly)) {
        load(&file);
    }
}

Document::Document(QIODevice *device, QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("workbook"));
    if (device) {
        load(device);
    }
}

Document::~Document() = default;

void Document::load(QIODevice *device)
{
    detail::Package package(device);
    if (!package.isOpen()) {
        return;
    }
    const QVector<detail::Relationship> packageRels = package.relationships(QString());
    const detail::Relationship *main = findByKind(packageRels, OfficeDocumentKind);
    const QString workbookPath = main ? main->target : QStringLiteral("xl/workbook.xml");

    QVector<SheetEntry> entries;
    if (std::unique_ptr<QIODevice> part = package.openPart(workbookPath)) {
        QXmlStreamReader xml(part.get());
        m_loaded = readWorkbook(xml, &entries, &m_date1904);
    }
    if (!m_loaded) {
        return;
    }
    const QVector<detail::Relationship> rels = package.relationships(workbookPath);

    QVector<QColor> themeColors;
    if (const detail::Relationship *rel = findByKind(rels, QStringLiteral("theme"))) {
        if (std::unique_ptr<QIODevice> part = package.openPart(rel->target)) {
            QXmlStreamReader xml(part.get());
            themeColors = detail::readThemeColors(xml);
        }
    }
    QVector<Format> formats;
    if (const detail::Relationship *rel = findByKind(rels, QStringLiteral("styles"))) {
        if (std::unique_ptr<QIODevice> part = package.openPart(rel->target)) {
            QXmlStreamReader xml(part.get());
            formats = detail::readCellFormats(xml, themeColors);
        }
    }
    std::shared_ptr<detail::StringPool> strings;
    if (const detail::Relationship *rel = findByKind(rels, QStringLiteral("sharedStrings"))) {
        if (std::unique_ptr<QIODevice> part = package.openPart(rel->target)) {
            strings = detail::readSharedStrings(part.get());
        }
    }

    int cellsLeft = detail::MaxCells;
    detail::SheetReader reader(strings, formats, &cellsLeft);
    QSet<QString> names;
    for (const SheetEntry &entry : entries) {
        const detail::Relationship *rel = findById(rels, entry.relationshipId);
        AbstractSheet::SheetType type;
        // A sheet whose part is missing or of no known kind is no sheet.
        if (entry.name.isEmpty() || names.contains(entry.name) || !rel ||
            !sheetTypeOf(detail::relationshipKind(rel->type), &type) ||
            !package.hasPart(rel->target)) {
            continue;
        }
        names.insert(entry.name);
        if (type != AbstractSheet::ST_WorkSheet) {
            m_sheets.push_back(std::make_unique<AbstractSheet>(entry.name, type));
            continue;
        }
        auto sheet = std::make_unique<Worksheet>(entry.name, m_date1904);
        if (std::unique_ptr<QIODevice> part = package.openPart(rel->target)) {
            reader.read(part.get(), sheet.get());
        }
        m_sheets.push_back(std::move(sheet));
    }
}

QStringList Document::sheetNames() const
{
    QStringList names;
    for (const auto &sheet : m_sheets) {
        names.append(sheet->sheetName());
    }
    return names;
}

AbstractSheet *Document::sheet(const QString &name) const
{
    for (const auto &sheet : m_sheets) {
        if (sheet->sheetName() == name) {
            return sheet.get();
        }
    }
    return nullptr;
}

Worksheet *Document::firstWorksheet() const
{
    for (const auto &sheet : m_sheets) {
        if (sheet->sheetType() == AbstractSheet::ST_WorkSheet) {
            return static_cast<Worksheet *>(sheet.get());
        }
    }
    return nullptr;
}

} // namespace QXlsx
