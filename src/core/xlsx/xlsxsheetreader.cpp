#include "xlsxsheetreader_p.h"

#include "xlsxpackage_p.h"
#include "xlsxworksheet.h"

#include "xlsxscanner_p.h"
#include "xlsxstringpool_p.h"

#include <QDateTime>
#include <charconv>
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

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The text without the blanks around it, as [*at, *end).
void trim(const QByteArray &text, const char **at, const char **end)
{
    *at = text.constData();
    *end = *at + text.size();
    while (*at < *end && isBlank(**at)) {
        ++*at;
    }
    while (*end > *at && isBlank((*end)[-1])) {
        --*end;
    }
}

// Whole numbers and decimal numbers as the cells hold them, around which
// blanks are allowed; false for anything else.
bool parseInt(const QByteArray &text, int *value)
{
    const char *at, *end;
    trim(text, &at, &end);
    const std::from_chars_result r = std::from_chars(at, end, *value);
    return at < end && r.ec == std::errc() && r.ptr == end;
}

bool parseNumber(const QByteArray &text, double *value)
{
    const char *at, *end;
    trim(text, &at, &end);
    if (at < end && *at == '+') {
        ++at;
    }
    const std::from_chars_result r = std::from_chars(at, end, *value);
    return at < end && r.ec == std::errc() && r.ptr == end && std::isfinite(*value);
}

QString fromUtf8(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes.constData(), bytes.size());
}

} // namespace

namespace {

// The UTF-8 bytes of a string item's text, escapes not yet decoded.
void readItemBytes(XmlScanner &xml, QByteArray *text)
{
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.next()) {
        case XmlScanner::StartElement:
            if (xml.isNamed("t")) {
                xml.readElementText(text);
            } else if (xml.isNamed("rPh")) {
                xml.skipElement();
            } else {
                ++depth;
            }
            break;
        case XmlScanner::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
}

} // namespace

QString readStringItem(XmlScanner &xml)
{
    QByteArray text;
    readItemBytes(xml, &text);
    return decodeEscapes(fromUtf8(text));
}

std::shared_ptr<StringPool> readSharedStrings(QIODevice *part)
{
    auto strings = std::make_shared<StringPool>();
    XmlScanner xml(part);
    // One buffer for all items: a list of a million strings is read
    // without a million allocations.
    QByteArray text;
    text.reserve(256);
    while (strings->size() < MaxSharedStrings && !xml.atEnd()) {
        if (xml.next() == XmlScanner::StartElement && xml.isNamed("si")) {
            text.resize(0);
            readItemBytes(xml, &text);
            if (xml.hasError()) {
                continue;
            }
            if (text.contains("_x")) {
                strings->add(decodeEscapes(fromUtf8(text)));
            } else {
                strings->addUtf8(text.constData(), text.size());
            }
        }
    }
    return strings;
}

SheetReader::SheetReader(std::shared_ptr<const StringPool> sharedStrings,
                         const QVector<Format> &formats, int *cellsLeft)
    : m_strings(std::move(sharedStrings)), m_formats(formats), m_cellsLeft(cellsLeft)
{
}

void SheetReader::read(QIODevice *part, Worksheet *sheet)
{
    XmlScanner xml(part);
    // The cells refer to the workbook's formats and strings by number.
    sheet->m_formats = m_formats;
    sheet->m_shared = m_strings;
    for (QByteArray *buffer : {&m_attribute, &m_type, &m_value}) {
        buffer->reserve(64);
    }
    bool inSheetData = false;
    int row = 0;
    int nextColumn = 1;
    while (*m_cellsLeft > 0 && !xml.atEnd()) {
        const XmlScanner::Token token = xml.next();
        if (token == XmlScanner::EndElement) {
            if (xml.isNamed("sheetData")) {
                break; // nothing after the cells is needed
            }
            continue;
        }
        if (token != XmlScanner::StartElement) {
            continue;
        }
        if (xml.isNamed("sheetData")) {
            inSheetData = true;
        } else if (!inSheetData) {
            continue;
        } else if (xml.isNamed("row")) {
            // The dimension element is only a claim; rows and cells say
            // where they are, or follow the one before.
            if (xml.attribute("r", &m_attribute)) {
                // A row of unknown place loses its unplaced cells.
                int n = 0;
                row = parseInt(m_attribute, &n) ? n : 0;
            } else {
                ++row;
            }
            nextColumn = 1;
        } else if (xml.isNamed("c")) {
            readCell(xml, sheet, row, &nextColumn);
        }
    }
}

void SheetReader::readCell(XmlScanner &xml, Worksheet *sheet, int row, int *nextColumn)
{
    int column = *nextColumn;
    bool placed = true;
    if (xml.attribute("r", &m_attribute)) {
        placed = parseCellReference(QLatin1String(m_attribute), &row, &column);
    }
    *nextColumn = column + 1;

    quint32 format = 0;
    int style = 0;
    if (xml.attribute("s", &m_attribute) && parseInt(m_attribute, &style) && style >= 0 &&
        style < m_formats.size()) {
        format = quint32(style) + 1;
    }
    if (!xml.attribute("t", &m_type)) {
        m_type.resize(0);
    }
    const QByteArray &type = m_type;

    QByteArray &valueText = m_value;
    valueText.resize(0);
    QString formula;
    bool hasValue = false;
    QString inlineText;
    bool hasInline = false;
    while (!xml.atEnd()) {
        const XmlScanner::Token token = xml.next();
        if (token == XmlScanner::EndElement) {
            break; // of the cell: what it holds is read whole
        }
        if (token != XmlScanner::StartElement) {
            continue;
        }
        if (xml.isNamed("v")) {
            valueText.resize(0);
            xml.readElementText(&valueText);
            hasValue = true;
        } else if (xml.isNamed("f")) {
            // A shared formula's follower has no text, but is a formula.
            QByteArray text;
            xml.readElementText(&text);
            formula = QLatin1String("");
            formula += fromUtf8(text);
        } else if (xml.isNamed("is")) {
            inlineText = readStringItem(xml);
            hasInline = true;
        } else {
            xml.skipElement();
        }
    }
    if (xml.hasError() || !placed || row < 1 || row > MaxRowCount || column > MaxColumnCount) {
        return;
    }

    Worksheet::Slot slot{};
    QVariant value;
    Cell::CellType cellType = Cell::NumberType;
    if (type == "s") {
        int index = 0;
        if (!parseInt(valueText, &index) || index < 0 || !m_strings || index >= m_strings->size()) {
            return; // no such string: nothing to show
        }
        slot.kind = Worksheet::Kind::Shared;
        slot.index = index;
        cellType = Cell::SharedStringType;
    } else if (type == "inlineStr") {
        if (hasInline) {
            value = inlineText;
        } else if (hasValue) {
            value = decodeEscapes(fromUtf8(valueText));
        }
        cellType = Cell::InlineStringType;
    } else if (type == "str") {
        if (hasValue) {
            value = decodeEscapes(fromUtf8(valueText));
        }
        cellType = Cell::StringType;
    } else if (type == "b") {
        const QByteArray v = valueText.trimmed();
        if (v == "1" || v == "true") {
            value = true;
        } else if (v == "0" || v == "false") {
            value = false;
        }
        cellType = Cell::BooleanType;
    } else if (type == "e") {
        if (hasValue) {
            value = fromUtf8(valueText);
        }
        cellType = Cell::ErrorType;
    } else if (type == "d") {
        // ISO 8601 text, written by a few programs instead of a serial number.
        const QDateTime dateTime =
            QDateTime::fromString(fromUtf8(valueText.trimmed()), Qt::ISODate);
        if (dateTime.isValid()) {
            value = dateTime;
        }
        cellType = Cell::CustomType;
    } else if (hasValue) {
        double n = 0;
        if (parseNumber(valueText, &n)) {
            slot.kind = Worksheet::Kind::Number;
            slot.number = n;
        }
    }
    if (cellType != Cell::SharedStringType && cellType != Cell::NumberType) {
        slot = sheet->valueSlot(value);
    }
    slot.type = quint8(cellType);
    slot.format = format;
    slot.formula = !formula.isNull();
    if (sheet->insertSlot(row, column, slot, formula)) {
        --*m_cellsLeft;
    }
}

} // namespace detail
} // namespace QXlsx
