#include "xlsxsheetreader_p.h"

#include "xlsxpackage_p.h"
#include "xlsxworksheet.h"

#include <QDateTime>
#include <QXmlStreamReader>
#include <cmath>

namespace QXlsx {
namespace detail {

namespace {

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9') {
        return u - '0';
    }
    if (u >= 'A' && u <= 'F') {
        return u - 'A' + 10;
    }
    if (u >= 'a' && u <= 'f') {
        return u - 'a' + 10;
    }
    return -1;
}

// Characters XML cannot carry are written as "_xHHHH_" (a line break as
// "_x000D_", an underscore before such a pattern as "_x005F_").
QString decodeEscapes(const QString &text)
{
    if (!text.contains(QLatin1String("_x"))) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        if (text.at(i) == QLatin1Char('_') && i + 6 < n && text.at(i + 1) == QLatin1Char('x') &&
            text.at(i + 6) == QLatin1Char('_')) {
            int code = 0;
            bool ok = true;
            for (int k = 2; k < 6 && ok; ++k) {
                const int digit = hexDigit(text.at(i + k));
                ok = digit >= 0;
                code = code * 16 + digit;
            }
            if (ok) {
                out.append(QChar(ushort(code)));
                i += 6;
                continue;
            }
        }
        out.append(text.at(i));
    }
    return out;
}

int intAttribute(const QXmlStreamAttributes &attrs, const char *name, bool *ok)
{
    return attrs.value(QLatin1String(name)).toInt(ok);
}

} // namespace

QString readStringItem(QXmlStreamReader &xml)
{
    const QString item = xml.name().toString();
    QString text;
    while (nextToken(xml)) {
        if (xml.isEndElement() && xml.name() == item) {
            break;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("t")) {
            text += xml.readElementText();
        } else if (xml.name() == QLatin1String("rPh")) {
            xml.skipCurrentElement();
        }
    }
    return decodeEscapes(text);
}

QVector<QString> readSharedStrings(QXmlStreamReader &xml)
{
    QVector<QString> strings;
    while (nextToken(xml) && strings.size() < MaxSharedStrings) {
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
            const QString text = readStringItem(xml);
            if (!xml.hasError()) {
                strings.append(text);
            }
        }
    }
    return strings;
}

SheetReader::SheetReader(const QVector<QString> &sharedStrings, const QVector<Format> &formats,
                         int *cellsLeft)
    : m_strings(sharedStrings), m_formats(formats), m_cellsLeft(cellsLeft)
{
}

void SheetReader::read(QXmlStreamReader &xml, Worksheet *sheet)
{
    bool inSheetData = false;
    int row = 0;
    int nextColumn = 1;
    while (*m_cellsLeft > 0 && nextToken(xml)) {
        if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("sheetData")) {
                break; // nothing after the cells is needed
            }
            continue;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        const QStringRef name = xml.name();
        if (name == QLatin1String("sheetData")) {
            inSheetData = true;
        } else if (!inSheetData) {
            continue;
        } else if (name == QLatin1String("row")) {
            // The dimension element is only a claim; rows and cells say
            // where they are, or follow the one before.
            const QXmlStreamAttributes attrs = xml.attributes();
            if (attrs.hasAttribute(QLatin1String("r"))) {
                bool ok = false;
                const int r = intAttribute(attrs, "r", &ok);
                row = ok ? r : 0; // a row of unknown place loses its unplaced cells
            } else {
                ++row;
            }
            nextColumn = 1;
        } else if (name == QLatin1String("c")) {
            readCell(xml, sheet, row, &nextColumn);
        }
    }
}

void SheetReader::readCell(QXmlStreamReader &xml, Worksheet *sheet, int row, int *nextColumn)
{
    const QXmlStreamAttributes attrs = xml.attributes();
    int column = *nextColumn;
    bool placed = true;
    if (attrs.hasAttribute(QLatin1String("r"))) {
        placed = parseCellReference(attrs.value(QLatin1String("r")), &row, &column);
    }
    *nextColumn = column + 1;

    Format format;
    bool ok = false;
    const int style = intAttribute(attrs, "s", &ok);
    if (ok && style >= 0 && style < m_formats.size()) {
        format = m_formats.at(style);
    }
    const QStringRef type = attrs.value(QLatin1String("t")); // valid while attrs lives

    QString valueText;
    QString formula;
    bool hasValue = false;
    QString inlineText;
    bool hasInline = false;
    while (nextToken(xml)) {
        if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
            break;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("v")) {
            valueText = xml.readElementText();
            hasValue = true;
        } else if (xml.name() == QLatin1String("f")) {
            formula = xml.readElementText();
            if (formula.isNull()) {
                formula = QLatin1String(""); // a shared formula's follower has no text
            }
        } else if (xml.name() == QLatin1String("is")) {
            inlineText = readStringItem(xml);
            hasInline = true;
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError() || !placed || row < 1 || row > MaxRowCount || column > MaxColumnCount) {
        return;
    }

    QVariant value;
    Cell::CellType cellType = Cell::NumberType;
    if (type == QLatin1String("s")) {
        const int index = valueText.toInt(&ok);
        if (!ok || index < 0 || index >= m_strings.size()) {
            return; // no such string: nothing to show
        }
        value = m_strings.at(index);
        cellType = Cell::SharedStringType;
    } else if (type == QLatin1String("inlineStr")) {
        if (hasInline) {
            value = inlineText;
        } else if (hasValue) {
            value = decodeEscapes(valueText);
        }
        cellType = Cell::InlineStringType;
    } else if (type == QLatin1String("str")) {
        if (hasValue) {
            value = decodeEscapes(valueText);
        }
        cellType = Cell::StringType;
    } else if (type == QLatin1String("b")) {
        const QString v = valueText.trimmed();
        if (v == QLatin1String("1") || v == QLatin1String("true")) {
            value = true;
        } else if (v == QLatin1String("0") || v == QLatin1String("false")) {
            value = false;
        }
        cellType = Cell::BooleanType;
    } else if (type == QLatin1String("e")) {
        if (hasValue) {
            value = valueText;
        }
        cellType = Cell::ErrorType;
    } else if (type == QLatin1String("d")) {
        // ISO 8601 text, written by a few programs instead of a serial number.
        const QDateTime dateTime = QDateTime::fromString(valueText.trimmed(), Qt::ISODate);
        if (dateTime.isValid()) {
            value = dateTime;
        }
        cellType = Cell::CustomType;
    } else if (hasValue && !valueText.trimmed().isEmpty()) {
        const double number = valueText.trimmed().toDouble(&ok);
        if (ok && std::isfinite(number)) {
            value = number;
        }
    }

    Cell cell(value, cellType, format, sheet->m_date1904);
    if (!formula.isNull()) {
        cell.setFormula(formula);
    }
    if (sheet->insertCell(row, column, std::move(cell))) {
        --*m_cellsLeft;
    }
}

} // namespace detail
} // namespace QXlsx
