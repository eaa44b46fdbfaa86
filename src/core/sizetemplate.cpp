#include "sizetemplate.h"

#include "safestream.h"
#include "streamheader.h"

#include <QJsonValue>

#include <QtDebug>
#include <algorithm>
#include <cmath>


const QStringList &SizeTemplate::jsonNames()
{
    static const QStringList names = {
        QStringLiteral("id"),           QStringLiteral("category"),
        QStringLiteral("itemno"),       QStringLiteral("description"),
        QStringLiteral("label-width"),  QStringLiteral("label-height"),
        QStringLiteral("liner-width"),  QStringLiteral("margin-left"),
        QStringLiteral("margin-right"), QStringLiteral("rowspacing"),
        QStringLiteral("colspacing"),   QStringLiteral("columns"),
    };
    return names;
}

QUuid SizeTemplate::uuid()
{
    static const QUuid u(QStringLiteral("{a4f1e2e0-3c4c-11e4-baad-164230d1df67}"));
    return u;
}

bool SizeTemplate::isValid() const
{
    // An infinite size can only come from a damaged stream; it would make the
    // label face and every page computed from it meaningless.
    return table.size() == jsonNames().size() && labelWidth() > 1 && labelHeight() > 1 &&
           std::isfinite(labelWidth()) && std::isfinite(labelHeight());
}

void SizeTemplate::fromJson(const QJsonObject &object)
{
    const QStringList &names = jsonNames();
    for (qint32 key = 0; key < names.size(); ++key) {
        const QJsonValue v = object.value(names.at(key));
        switch (key) {
        case Id:
        case Category:
        case Columns:
            table.insert(key, v.toInt(0));
            break;
        case ItemNo:
        case Description:
            table.insert(key, v.toString());
            break;
        default:
            table.insert(key, v.toDouble(0));
            break;
        }
    }
}

void SizeTemplate::toJson(QJsonObject &object)
{
    const QStringList &names = jsonNames();
    object.insert(names.at(Id), id());
    object.insert(names.at(Category), category());
    object.insert(names.at(ItemNo), itemNo());
    object.insert(names.at(Description), description());
    object.insert(names.at(LabelWidth), labelWidth());
    object.insert(names.at(LabelHeight), labelHeight());
    object.insert(names.at(LinerWidth), linerWidth());
    object.insert(names.at(MarginLeft), marginLeft());
    object.insert(names.at(MarginRight), marginRight());
    object.insert(names.at(RowSpacing), rowSpacing());
    object.insert(names.at(ColSpacing), colSpacing());
    object.insert(names.at(Columns), columns());
}

void SizeTemplate::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    // The layout of QDataStream's QHash operator, but in ascending key order
    // rather than the process's hash order, so equal templates give equal files.
    QList<qint32> keys = table.keys();
    std::sort(keys.begin(), keys.end());
    out << quint32(keys.size());
    for (qint32 key : qAsConst(keys))
        out << key << table.value(key);
}

void SizeTemplate::streamRead(QDataStream &in)
{
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("SizeTemplate header mismatch error");
        return;
    }
    table.clear();
    quint32 n = 0;
    in >> n;
    // Each entry is at least a key, a type id and a null flag.
    if (!streamheader::countFits(in, n, 9)) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    QHash<qint32, QVariant> read;
    for (quint32 i = 0; i < n && in.status() == QDataStream::Ok; ++i) {
        qint32 key = 0;
        QVariant value;
        in >> key;
        if (!safestream::readScalarVariant(in, value))
            break;
        read.insert(key, value);
    }
    if (in.status() == QDataStream::Ok)
        table = read;
}
