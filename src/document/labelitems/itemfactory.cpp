#include "itemfactory.h"

#include "barcodeitem.h"
#include "dataitem.h"
#include "datetimeitem.h"
#include "itemtypes.h"
#include "pixmapitem.h"
#include "textitem.h"

#include <QDataStream>

BaseItem *itemfactory::create(int type)
{
    switch (type) {
    case itemtype::Text:
        return new TextItem(QSizeF(0, 0));
    case itemtype::Data:
        return new DataItem(QSizeF(0, 0));
    case itemtype::Pixmap:
        return new PixmapItem(QSizeF(0, 0));
    case itemtype::DateTime:
        return new DateTimeItem(QSizeF(0, 0));
    case itemtype::Barcode:
        return new BarcodeItem(QSizeF(0, 0));
    default:
        return nullptr;
    }
}

QByteArray itemfactory::snapshot(BaseItem *item)
{
    QByteArray bytes;
    auto *serializable = dynamic_cast<ISerializable *>(item);
    if (!serializable)
        return bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    serializable->streamWrite(out);
    return bytes;
}

BaseItem *itemfactory::restore(int type, const QByteArray &bytes)
{
    BaseItem *item = create(type);
    auto *serializable = dynamic_cast<ISerializable *>(item);
    if (!serializable) {
        delete item;
        return nullptr;
    }
    QDataStream in(bytes);
    serializable->streamRead(in);
    if (in.status() != QDataStream::Ok) {
        delete item;
        return nullptr;
    }
    return item;
}

bool itemfactory::restoreInto(BaseItem *item, const QByteArray &bytes)
{
    auto *serializable = dynamic_cast<ISerializable *>(item);
    if (!serializable || bytes.isEmpty())
        return false;
    QDataStream in(bytes);
    serializable->streamRead(in);
    return in.status() == QDataStream::Ok;
}
