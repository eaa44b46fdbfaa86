#pragma once

#include <QDataStream>
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

} // namespace safestream
