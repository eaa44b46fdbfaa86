#pragma once

#include <QByteArray>

class BaseItem;

namespace itemfactory {

// A new, empty item of the given type code, ready to read its block; null
// for a code without an item class.
BaseItem *create(int type);

// The item's own block, written as for a document file but into memory.
QByteArray snapshot(BaseItem *item);

// A new item of `type` read from a snapshot; null when that fails.
BaseItem *restore(int type, const QByteArray &bytes);

// Gives an existing item back the state of one of its snapshots; false when
// the bytes are not a block of its kind.
bool restoreInto(BaseItem *item, const QByteArray &bytes);

} // namespace itemfactory
