#pragma once

#include <QDataStream>
#include <QUuid>

// The data source block inside a document block, for as long as the program
// has no data source manager of its own: it writes the block of an empty
// manager and reads a stored block past, checking its structure.
namespace datasourceblock {

QUuid uuid();
void writeEmpty(QDataStream &out);
// Reads past one block; a damaged block marks the stream corrupt.
void skip(QDataStream &in);

} // namespace datasourceblock
