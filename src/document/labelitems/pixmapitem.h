#pragma once

#include "baseitem.h"
#include "iserializable.h"
#include "itemtypes.h"

#include <QPixmap>

// A picture (a logo, a symbol) stored in the document and stretched over the
// content rectangle.
class PixmapItem : public BaseItem, public ISerializable
{
    Q_OBJECT
public:
    enum { Type = itemtype::Pixmap };

    // Pictures larger than this are refused when read: a small file could
    // otherwise claim an image of gigabytes.
    static constexpr qint64 MaxPixels = 64 * 1024 * 1024;

    explicit PixmapItem(QSizeF size, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }

    void setPixmap(const QPixmap &pixmap);
    QPixmap pixmap() const { return picture; }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    qint32 headerVersion() const override { return 2; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

    // Reads a picture as QDataStream writes one (a marker, then a PNG),
    // checking the PNG's chunks and declared size before decoding it. On a
    // damaged or oversized picture the stream is marked corrupt.
    static bool readPicture(QDataStream &in, QPixmap &pixmap);

private:
    QPixmap picture;
};
