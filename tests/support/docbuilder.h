#pragma once

#include "sizetemplate.h"

#include <QByteArray>
#include <QDateTime>
#include <QDataStream>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QStringList>

class DataItem;
class Document;
class TextItem;

// Builds label document bytes by hand, field by field, so tests compare what
// the program writes with the layout itself rather than with the program.
namespace docbuilder {

QByteArray magic();

// A template of the given label size with every other value set.
SizeTemplate makeTemplate(double width, double height, int columns = 1);

// Stream header and fields of a size template block.
void writeTemplate(QDataStream &out, const SizeTemplate &t);

// The block of an empty data source manager.
void writeEmptySources(QDataStream &out);

struct Text
{
    QPointF pos;
    QSizeF size;
    QFont font;
    qint32 alignment = Qt::AlignLeft;
    QString text;
    double rotation = 0;
    QStringList texts;
    qint32 version = 3;
    // Font bytes written in place of `font`, for values QFont's setters refuse.
    QByteArray rawFont;
};

// The bytes QDataStream (file version) writes for a font, with any sizes.
QByteArray rawFont(const QString &family, double pointSize, qint32 pixelSize);
void writeText(QDataStream &out, const Text &t);

// A picture block as QDataStream writes one: marker 1 and the PNG bytes
// (marker 0 alone for an empty `png`).
void writePixmap(QDataStream &out, QPointF pos, QSizeF size, const QByteArray &png,
                 double rotation = 0, qint32 version = 2);

void writeDateTime(QDataStream &out, QPointF pos, QSizeF size, const QFont &font,
                   qint32 alignment, const QDateTime &value, const QString &format,
                   bool systemTime, double rotation = 0, qint32 version = 2);

// A whole file on a 100 x 50 mm stock holding one item block of `type`.
QByteArray fileWithItem(qint32 type, const QByteArray &block);

// A text item on the document, connected to it as an inserted one would be.
// The text a data item shows on each label of the document, first to last.
QStringList shownPerLabel(Document &doc, DataItem *item);

TextItem *addText(Document &doc, QPointF pos, QSizeF size, const QString &text = QString());

// The file up to (and including) the document header of the given version.
void writeFileStart(QDataStream &out, qint32 documentVersion = 4);

} // namespace docbuilder
