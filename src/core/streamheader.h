#pragma once

#include <QDataStream>
#include <QUuid>

class ISerializable;

namespace streamheader {

// Writes the class UUID and the format version of the object.
void write(QDataStream &out, const ISerializable &object);

// Reads a stream header and compares its UUID with the expected one. On a
// mismatch (or a stream already in error) the stream is marked corrupt, so
// that the reader of an enclosing block stops instead of reading misaligned
// data; the caller logs its own mismatch message. *version receives the
// version read.
bool read(QDataStream &in, const QUuid &expected, qint32 *version);

// Bytes a stream can still deliver; used to bound counts read from a file.
qint64 bytesLeft(const QDataStream &in);

// True when `count` records of at least `minBytes` each can still follow.
bool countFits(const QDataStream &in, qint64 count, qint64 minBytes);

} // namespace streamheader
