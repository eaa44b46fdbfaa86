#pragma once

#include <QDataStream>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QVariant>

// Readers for values whose QDataStream operators would trust a count taken
// from the input (and reserve room for it) before reading a byte.
namespace safestream {

// Reads a QVariant holding a number, a bool or a string (or an invalid
// variant); any other stored type marks the stream corrupt.
bool readScalarVariant(QDataStream &in, QVariant &v);

// Reads a qint32 element count and checks that `minBytes` per element can
// still follow; otherwise marks the stream corrupt and returns false.
bool readCount(QDataStream &in, qint32 &count, qint64 minBytes);

// Values a label item can have. Qt's own readers take any stored number, and
// some (a font of 1e-306 points with a negative pixel size) make the text
// layout run without end, so item readers refuse a block beyond these.
bool saneFont(const QFont &font);
bool saneGeometry(const QPointF &pos, const QSizeF &size);
bool saneRotation(double angle);

// The item readers' forms of the above: read the values and mark the stream
// corrupt (so the file is refused) when they are not ones a label can have.
bool readGeometry(QDataStream &in, QPointF &pos, QSizeF &size);
bool readFont(QDataStream &in, QFont &font);
bool readRotation(QDataStream &in, double &angle);

} // namespace safestream
