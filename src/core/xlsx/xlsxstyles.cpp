#include "xlsxstyles_p.h"

#include "xlsxpackage_p.h"

#include <QHash>
#include <QXmlStreamReader>

namespace QXlsx {
namespace detail {

namespace {

// The default palette of indexed colours 0 to 63; 64 and 65 stand for the
// system's text and window colours and give no colour of their own.
const QRgb IndexedColors[64] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

struct FontRecord
{
    QFont font;
    QColor color;
};

struct FillRecord
{
    QColor color;
};

QColor hexColor(const QStringRef &text)
{
    // "AARRGGBB" or "RRGGBB"; the alpha byte is ignored as spreadsheets do
    // (some writers leave it 00 for opaque colours).
    bool ok = false;
    const uint value = text.right(6).toUInt(&ok, 16);
    if (!ok || (text.size() != 6 && text.size() != 8)) {
        return QColor();
    }
    return QColor(QRgb(0xFF000000u | value));
}

QColor tinted(QColor color, double tint)
{
    if (!color.isValid() || tint == 0.0 || !(tint >= -1.0 && tint <= 1.0)) {
        return color;
    }
    qreal h, s, l;
    color.getHslF(&h, &s, &l);
    l = tint < 0 ? l * (1.0 + tint) : l * (1.0 - tint) + tint;
    return QColor::fromHslF(h, s, qBound(0.0, l, 1.0));
}

// A colour element (color, fgColor, bgColor) by rgb, theme or palette index.
QColor readColor(const QXmlStreamAttributes &attrs, const QVector<QColor> &themeColors)
{
    QColor color;
    bool ok = false;
    if (attrs.hasAttribute(QLatin1String("rgb"))) {
        color = hexColor(attrs.value(QLatin1String("rgb")));
    } else if (attrs.hasAttribute(QLatin1String("theme"))) {
        const int index = attrs.value(QLatin1String("theme")).toInt(&ok);
        if (ok && index >= 0 && index < themeColors.size()) {
            color = themeColors.at(index);
        }
    } else if (attrs.hasAttribute(QLatin1String("indexed"))) {
        const int index = attrs.value(QLatin1String("indexed")).toInt(&ok);
        if (ok && index >= 0 && index < 64) {
            color = QColor(QRgb(0xFF000000u | IndexedColors[index]));
        }
    }
    if (attrs.hasAttribute(QLatin1String("tint"))) {
        color = tinted(color, attrs.value(QLatin1String("tint")).toDouble());
    }
    return color;
}

// <b/>, <i/> and the like are on unless val says "0" or "false".
bool flagValue(const QXmlStreamAttributes &attrs)
{
    const QStringRef val = attrs.value(QLatin1String("val"));
    return val != QLatin1String("0") && val != QLatin1String("false");
}

FontRecord readFont(QXmlStreamReader &xml, const QVector<QColor> &themeColors)
{
    FontRecord record;
    while (nextToken(xml)) {
        if (xml.isEndElement() && xml.name() == QLatin1String("font")) {
            break;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        const QStringRef name = xml.name();
        const QXmlStreamAttributes attrs = xml.attributes();
        const QStringRef val = attrs.value(QLatin1String("val"));
        if (name == QLatin1String("b")) {
            record.font.setBold(flagValue(attrs));
        } else if (name == QLatin1String("i")) {
            record.font.setItalic(flagValue(attrs));
        } else if (name == QLatin1String("strike")) {
            record.font.setStrikeOut(flagValue(attrs));
        } else if (name == QLatin1String("u")) {
            record.font.setUnderline(val != QLatin1String("none"));
        } else if (name == QLatin1String("sz")) {
            bool ok = false;
            const double size = val.toDouble(&ok);
            if (ok && size >= 1 && size <= 409) {
                record.font.setPointSizeF(size);
            }
        } else if (name == QLatin1String("name")) {
            record.font.setFamily(val.toString());
        } else if (name == QLatin1String("color")) {
            record.color = readColor(attrs, themeColors);
        }
    }
    return record;
}

FillRecord readFill(QXmlStreamReader &xml, const QVector<QColor> &themeColors)
{
    FillRecord record;
    QString pattern = QStringLiteral("none");
    QColor foreground;
    QColor background;
    while (nextToken(xml)) {
        if (xml.isEndElement() && xml.name() == QLatin1String("fill")) {
            break;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("patternFill")) {
            const QStringRef type = xml.attributes().value(QLatin1String("patternType"));
            if (!type.isEmpty()) {
                pattern = type.toString();
            }
        } else if (xml.name() == QLatin1String("fgColor")) {
            foreground = readColor(xml.attributes(), themeColors);
        } else if (xml.name() == QLatin1String("bgColor")) {
            background = readColor(xml.attributes(), themeColors);
        }
    }
    // A solid fill is painted in its pattern (foreground) colour; other
    // patterns show their background between the dots.
    if (pattern == QLatin1String("solid")) {
        record.color = foreground;
    } else if (pattern != QLatin1String("none")) {
        record.color = background;
    }
    return record;
}

Format::HorizontalAlignment horizontalOf(const QStringRef &text)
{
    static const QHash<QString, Format::HorizontalAlignment> map = {
        {QStringLiteral("left"), Format::AlignLeft},
        {QStringLiteral("center"), Format::AlignHCenter},
        {QStringLiteral("right"), Format::AlignRight},
        {QStringLiteral("fill"), Format::AlignHFill},
        {QStringLiteral("justify"), Format::AlignHJustify},
        {QStringLiteral("centerContinuous"), Format::AlignHMerge},
        {QStringLiteral("distributed"), Format::AlignHDistributed},
    };
    return map.value(text.toString(), Format::AlignHGeneral);
}

Format::VerticalAlignment verticalOf(const QStringRef &text)
{
    static const QHash<QString, Format::VerticalAlignment> map = {
        {QStringLiteral("top"), Format::AlignTop},
        {QStringLiteral("center"), Format::AlignVCenter},
        {QStringLiteral("justify"), Format::AlignVJustify},
        {QStringLiteral("distributed"), Format::AlignVDistributed},
    };
    return map.value(text.toString(), Format::AlignBottom);
}

int intAttribute(const QXmlStreamAttributes &attrs, const char *name, int fallback)
{
    bool ok = false;
    const int value = attrs.value(QLatin1String(name)).toInt(&ok);
    return ok ? value : fallback;
}

struct StyleTables
{
    QVector<FontRecord> fonts;
    QVector<FillRecord> fills;
    QHash<int, QString> numberFormats;
};

Format readCellFormat(QXmlStreamReader &xml, const StyleTables &tables)
{
    const QXmlStreamAttributes attrs = xml.attributes();
    Format format;
    const int fontId = intAttribute(attrs, "fontId", -1);
    if (fontId >= 0 && fontId < tables.fonts.size()) {
        format.setFont(tables.fonts.at(fontId).font);
        if (tables.fonts.at(fontId).color.isValid()) {
            format.setFontColor(tables.fonts.at(fontId).color);
        }
    }
    const int fillId = intAttribute(attrs, "fillId", -1);
    if (fillId >= 0 && fillId < tables.fills.size() && tables.fills.at(fillId).color.isValid()) {
        format.setPatternBackgroundColor(tables.fills.at(fillId).color);
    }
    const int numFmtId = intAttribute(attrs, "numFmtId", 0);
    if (numFmtId > 0) {
        format.setNumberFormat(numFmtId, tables.numberFormats.value(numFmtId));
    }
    while (nextToken(xml)) {
        if (xml.isEndElement() && xml.name() == QLatin1String("xf")) {
            break;
        }
        if (xml.isStartElement() && xml.name() == QLatin1String("alignment")) {
            const QXmlStreamAttributes align = xml.attributes();
            if (align.hasAttribute(QLatin1String("horizontal"))) {
                format.setHorizontalAlignment(
                    horizontalOf(align.value(QLatin1String("horizontal"))));
            }
            if (align.hasAttribute(QLatin1String("vertical"))) {
                format.setVerticalAlignment(verticalOf(align.value(QLatin1String("vertical"))));
            }
        }
    }
    return format;
}

} // namespace

QVector<QColor> readThemeColors(QXmlStreamReader &xml)
{
    static const char *const order[] = {"lt1",     "dk1",     "lt2",     "dk2",
                                        "accent1", "accent2", "accent3", "accent4",
                                        "accent5", "accent6", "hlink",   "folHlink"};
    QHash<QString, QColor> byName;
    bool inScheme = false;
    QString current;
    while (nextToken(xml)) {
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            if (name == QLatin1String("clrScheme")) {
                inScheme = true;
            } else if (inScheme && current.isEmpty()) {
                current = name;
            } else if (inScheme && name == QLatin1String("srgbClr")) {
                byName.insert(current, hexColor(xml.attributes().value(QLatin1String("val"))));
            } else if (inScheme && name == QLatin1String("sysClr")) {
                byName.insert(current, hexColor(xml.attributes().value(QLatin1String("lastClr"))));
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("clrScheme")) {
                break;
            }
            if (xml.name() == current) {
                current.clear();
            }
        }
    }
    QVector<QColor> colors;
    for (const char *name : order) {
        colors.append(byName.value(QLatin1String(name)));
    }
    return colors;
}

QVector<Format> readCellFormats(QXmlStreamReader &xml, const QVector<QColor> &themeColors)
{
    StyleTables tables;
    QVector<Format> formats;
    QString section; // fonts, fills, numFmts, cellXfs; others are skipped
    while (nextToken(xml)) {
        if (xml.isEndElement()) {
            if (xml.name() == section) {
                section.clear();
            }
            continue;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        const QStringRef name = xml.name();
        if (section.isEmpty()) {
            if (name == QLatin1String("fonts") || name == QLatin1String("fills") ||
                name == QLatin1String("numFmts") || name == QLatin1String("cellXfs")) {
                section = name.toString();
            } else if (name != QLatin1String("styleSheet")) {
                xml.skipCurrentElement();
            }
            continue;
        }
        if (section == QLatin1String("fonts") && name == QLatin1String("font") &&
            tables.fonts.size() < MaxStyleRecords) {
            tables.fonts.append(readFont(xml, themeColors));
        } else if (section == QLatin1String("fills") && name == QLatin1String("fill") &&
                   tables.fills.size() < MaxStyleRecords) {
            tables.fills.append(readFill(xml, themeColors));
        } else if (section == QLatin1String("numFmts") && name == QLatin1String("numFmt") &&
                   tables.numberFormats.size() < MaxStyleRecords) {
            const QXmlStreamAttributes attrs = xml.attributes();
            const int id = intAttribute(attrs, "numFmtId", -1);
            if (id >= 0) {
                tables.numberFormats.insert(id,
                                            attrs.value(QLatin1String("formatCode")).toString());
            }
        } else if (section == QLatin1String("cellXfs") && name == QLatin1String("xf") &&
                   formats.size() < MaxStyleRecords) {
            formats.append(readCellFormat(xml, tables));
        } else {
            xml.skipCurrentElement();
        }
    }
    return formats;
}

} // namespace detail
} // namespace QXlsx
