#include "datasourceblock.h"

#include "safestream.h"
#include "streamheader.h"

#include <QDateTime>
#include <QStandardItem>
#include <QtDebug>

std::unique_ptr<QStandardItem> datasourceblock::readStandardItem(QDataStream &in)
{
    qint32 n = 0;
    // A role (4 bytes) and a variant of at least a type and a null flag.
    if (!safestream::readCount(in, n, 9))
        return nullptr;
    auto item = std::make_unique<QStandardItem>();
    for (qint32 i = 0; i < n; ++i) {
        qint32 role = 0;
        QVariant value;
        in >> role;
        if (!safestream::readScalarVariant(in, value))
            return nullptr;
        item->setData(value, role);
    }
    qint32 flags = 0;
    in >> flags;
    if (in.status() != QDataStream::Ok)
        return nullptr;
    item->setFlags(Qt::ItemFlags(flags));
    return item;
}

QUuid datasourceblock::uuid()
{
    static const QUuid u(QStringLiteral("{1657b32a-3f4e-11e4-9d9f-164230d1df67}"));
    return u;
}

void datasourceblock::writeEmpty(QDataStream &out)
{
    out << uuid() << qint32(2) << qint32(0);
}

void datasourceblock::skip(QDataStream &in)
{
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("DataSourceManager header mismatch error");
        return;
    }
    qint32 sources = 0;
    if (!safestream::readCount(in, sources, 4))
        return;
    for (qint32 i = 0; i < sources && in.status() == QDataStream::Ok; ++i) {
        qint32 kind = 1;
        if (version > 1)
            in >> kind;
        if (kind != 0) {
            QString path;
            qint64 size = 0;
            QDateTime modified;
            in >> path >> size >> modified;
        } else {
            QString name;
            qint32 values = 0;
            in >> name;
            if (!safestream::readCount(in, values, 8))
                return;
            for (qint32 v = 0; v < values; ++v) {
                if (!readStandardItem(in))
                    return;
            }
        }
    }
}
