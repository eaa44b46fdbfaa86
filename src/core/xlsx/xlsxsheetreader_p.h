#pragma once

#include "xlsxformat.h"

#include <QString>
#include <QVector>

class QXmlStreamReader;

namespace QXlsx {

class Worksheet;

namespace detail {

// Text of a string item (<si> or <is>): its own text or the runs of a rich
// text, without phonetic hints. The reader ends on the item's end tag.
QString readStringItem(QXmlStreamReader &xml);

QVector<QString> readSharedStrings(QXmlStreamReader &xml);

// Fills a worksheet with the cells of its part, reading at most *cellsLeft
// new cells and counting them down. Cells that cannot be read are left out;
// a fault in the part ends the reading with the cells read so far.
class SheetReader
{
public:
    SheetReader(const QVector<QString> &sharedStrings, const QVector<Format> &formats,
                int *cellsLeft);
    void read(QXmlStreamReader &xml, Worksheet *sheet);

private:
    void readCell(QXmlStreamReader &xml, Worksheet *sheet, int row, int *nextColumn);

    const QVector<QString> &m_strings;
    const QVector<Format> &m_formats;
    int *m_cellsLeft;
};

} // namespace detail
} // namespace QXlsx
