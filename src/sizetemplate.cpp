#include "sizetemplate.h"

#include "streamheader.h"

#include <QJsonValue>

#include <QtDebug>
#include <algorithm>
#include <cmath>

namespace {

// A stored template only ever holds numbers and strings. Other variant types
// (lists, images, ...) could make Qt reserve room for a count taken from a
// damaged file before reading a byte, so they are refused.
bool readScalarVariant(QDataStream &in, QVariant &v)
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

} // namespace

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
        if (!readScalarVariant(in, value))
            break;
        read.insert(key, value);
    }
    if (in.status() == QDataStream::Ok)
        table = read;
}
