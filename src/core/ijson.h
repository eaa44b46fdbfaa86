#pragma once

#include <QJsonObject>

class IJson
{
public:
    virtual ~IJson() = default;
    virtual void fromJson(const QJsonObject &object) = 0;
    // Fills the given object.
    virtual void toJson(QJsonObject &object) = 0;
};
