#include "pixmapitem.h"

#include "safestream.h"
#include "streamheader.h"

#include <QImage>
#include <QPainter>
#include <QtEndian>

PixmapItem::PixmapItem(QSizeF size, QGraphicsItem *parent) : BaseItem(size, parent)
{
    setObjectName(QStringLiteral("labelitem/pixmap"));
}

QUuid PixmapItem::uuid()
{
    static const QUuid u(QStringLiteral("{a4f1e54c-3c4c-11e4-baad-164230d1df67}"));
    return u;
}

void PixmapItem::setPixmap(const QPixmap &pixmap)
{
    picture = pixmap;
    update();
}

void PixmapItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    if (!picture.isNull()) {
        const QRectF target = QRectF(QRectF(0, 0, size().width(), size().height()).toRect());
        painter->drawPixmap(target, picture, QRectF());
    }
    BaseItem::paint(painter, option, widget);
}

void PixmapItem::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    out << pos() << size();
    out << picture;
    out << double(rotation());
}

bool PixmapItem::readPicture(QDataStream &in, QPixmap &pixmap)
{
    pixmap = QPixmap();
    qint32 marker = 0;
    in >> marker;
    if (in.status() != QDataStream::Ok)
        return false;
    if (marker == 0)
        return true;
    auto refuse = [&in](const char *why) {
        qWarning("Picture refused: %s", why);
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    };
    // The PNG runs from its signature through its IEND chunk; it is read
    // chunk by chunk so that nothing is taken on trust from the file.
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    QByteArray png(8, Qt::Uninitialized);
    if (in.readRawData(png.data(), 8) != 8 || png != signature)
        return refuse("not a PNG");
    bool header = false;
    for (;;) {
        char head[8];
        if (in.readRawData(head, 8) != 8)
            return refuse("truncated");
        const quint32 length = qFromBigEndian<quint32>(head);
        const QByteArray type(head + 4, 4);
        // Data and the four-byte checksum must still be in the stream.
        if (!streamheader::countFits(in, qint64(length) + 4, 1))
            return refuse("a chunk longer than the file");
        png.append(head, 8);
        const int at = png.size();
        png.resize(at + int(length) + 4);
        if (in.readRawData(png.data() + at, int(length) + 4) != int(length) + 4)
            return refuse("truncated");
        if (!header) {
            if (type != "IHDR" || length < 8)
                return refuse("no image header");
            const quint32 w = qFromBigEndian<quint32>(png.constData() + at);
            const quint32 h = qFromBigEndian<quint32>(png.constData() + at + 4);
            if (w == 0 || h == 0 || qint64(w) * qint64(h) > MaxPixels)
                return refuse("image too large");
            header = true;
        }
        if (type == "IEND")
            break;
    }
    QImage image;
    if (!image.loadFromData(png, "PNG"))
        return refuse("damaged PNG");
    pixmap = QPixmap::fromImage(image);
    return true;
}

void PixmapItem::streamRead(QDataStream &in)
{
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("LabelPixmapItem header mismatch error");
        return;
    }
    QPointF p;
    QSizeF s;
    QPixmap pm;
    if (!safestream::readGeometry(in, p, s) || !readPicture(in, pm))
        return;
    setPos(p);
    setSize(s);
    setPixmap(pm);
    if (version >= 2) {
        double r = 0;
        if (!safestream::readRotation(in, r))
            return;
        setItemRotation(r);
    }
}
