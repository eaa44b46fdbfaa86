#include "streamheader.h"

#include "iserializable.h"

#include <QIODevice>

void streamheader::write(QDataStream &out, const ISerializable &object)
{
    out << object.headerUuid() << object.headerVersion();
}

bool streamheader::read(QDataStream &in, const QUuid &expected, qint32 *version)
{
    QUuid uuid;
    qint32 v = 0;
    in >> uuid >> v;
    if (version)
        *version = v;
    if (in.status() != QDataStream::Ok)
        return false;
    if (uuid != expected) {
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    return true;
}

qint64 streamheader::bytesLeft(const QDataStream &in)
{
    const QIODevice *dev = in.device();
    if (!dev)
        return 0;
    if (dev->isSequential())
        return dev->bytesAvailable();
    return qMax<qint64>(0, dev->size() - dev->pos());
}

bool streamheader::countFits(const QDataStream &in, qint64 count, qint64 minBytes)
{
    if (count < 0)
        return false;
    return count <= bytesLeft(in) / qMax<qint64>(1, minBytes);
}
