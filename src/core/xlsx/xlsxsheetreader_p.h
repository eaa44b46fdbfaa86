#pragma once

#include "xlsxformat.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <memory>

class QIODevice;

namespace QXlsx {

class Worksheet;

namespace detail {

class StringPool;
class XmlScanner;

// Text of a string item (<si> or <is>) just started: its own text or the
// runs of a rich text, without phonetic hints. The reader ends on the
// item's end tag.
QString readStringItem(XmlScanner &xml);

std::shared_ptr<StringPool> readSharedStrings(QIODevice *part);

// Fills a worksheet with the cells of its part, reading at most *cellsLeft
// new cells and counting them down. Cells that cannot be read are left out;
// a fault in the part ends the reading with the cells read so far.
class SheetReader
{
public:
    SheetReader(std::shared_ptr<const StringPool> sharedStrings, const QVector<Format> &formats,
                int *cellsLeft);
    void read(QIODevice *part, Worksheet *sheet);

private:
    void readCell(XmlScanner &xml, Worksheet *sheet, int row, int *nextColumn);

    std::shared_ptr<const StringPool> m_strings;
    const QVector<Format> &m_formats;
    int *m_cellsLeft;
    // Kept from cell to cell, with their room.
    QByteArray m_attribute;
    QByteArray m_type;
    QByteArray m_value;
};

} // namespace detail
} // namespace QXlsx
