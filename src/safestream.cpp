#include "safestream.h"

#include "streamheader.h"

bool safestream::readScalarVariant(QDataStream &in, QVariant &v)
{
    quint32 typeId = 0;
    qint8 isNull = 0;
    in >> typeId;
    if (in.version() >= QDataStream::Qt_4_2)
        in >> isNull;
    if (in.status() != QDataStream::Ok)
        return false;
    switch (typeId) {
    case QMetaType::UnknownType:
        // Older stream versions write an empty string after an invalid variant.
        if (in.version() < QDataStream::Qt_5_0) {
            QString ignored;
            in >> ignored;
        }
        v = QVariant();
        return in.status() == QDataStream::Ok;
    case QMetaType::Bool: {
        bool b = false;
        in >> b;
        v = b;
        break;
    }
    case QMetaType::Int: {
        qint32 i = 0;
        in >> i;
        v = int(i);
        break;
    }
    case QMetaType::UInt: {
        quint32 u = 0;
        in >> u;
        v = uint(u);
        break;
    }
    case QMetaType::LongLong: {
        qint64 l = 0;
        in >> l;
        v = qlonglong(l);
        break;
    }
    case QMetaType::ULongLong: {
        quint64 l = 0;
        in >> l;
        v = qulonglong(l);
        break;
    }
    case QMetaType::Double: {
        double d = 0;
        in >> d;
        v = d;
        break;
    }
    case QMetaType::QString: {
        QString s;
        in >> s;
        v = s;
        break;
    }
    default:
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    // The value is written even for a null variant; Qt's own reader keeps
    // the null flag, so a null entry reads back null.
    if (isNull)
        v = QVariant(QVariant::Type(typeId));
    return in.status() == QDataStream::Ok;
}

bool safestream::readCount(QDataStream &in, qint32 &count, qint64 minBytes)
{
    count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok)
        return false;
    if (!streamheader::countFits(in, count, minBytes)) {
        in.setStatus(QDataStream::ReadCorruptData);
        count = 0;
        return false;
    }
    return true;
}
