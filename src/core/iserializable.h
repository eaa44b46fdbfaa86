#pragma once

#include <QDataStream>
#include <QUuid>

// Every persistent class writes a stream header (its class UUID and a qint32
// format version) followed by its fields.
class ISerializable
{
public:
    virtual ~ISerializable() = default;
    virtual qint32 headerVersion() const = 0;
    virtual QUuid headerUuid() const = 0;
    virtual void streamRead(QDataStream &in) = 0;
    virtual void streamWrite(QDataStream &out) = 0;
};
