#pragma once

#include <QDataStream>
#include <QUuid>

#include <memory>

class QStandardItem;

// The data source block inside a document block, for as long as the program
// has no data source manager of its own: it writes the block of an empty
// manager and reads a stored block past, checking its structure.
namespace datasourceblock {

QUuid uuid();
void writeEmpty(QDataStream &out);
// One value of an internal table as Qt's item model library streams a
// QStandardItem (role/value pairs, then its flags), read without trusting its
// counts; values are texts and numbers. Null, with the stream marked, on damage.
std::unique_ptr<QStandardItem> readStandardItem(QDataStream &in);

// Reads past one block; a damaged block marks the stream corrupt.
void skip(QDataStream &in);

} // namespace datasourceblock
