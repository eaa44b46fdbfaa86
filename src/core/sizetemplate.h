#pragma once

#include "ijson.h"
#include "iserializable.h"

#include <QHash>
#include <QMetaType>
#include <QStringList>
#include <QVariant>

// One kind of label stock: label size, liner, margins, gaps and columns
// (lengths in millimetres), with article number, description and category.
// A value type: copies share the table until one of them changes.
class SizeTemplate : public ISerializable, public IJson
{
public:
    enum Key : qint32 {
        Id = 0,
        Category = 1,
        ItemNo = 2,
        Description = 3,
        LabelWidth = 4,
        LabelHeight = 5,
        LinerWidth = 6,
        MarginLeft = 7,
        MarginRight = 8,
        RowSpacing = 9,
        ColSpacing = 10,
        Columns = 11,
    };

    // The JSON names in key order; their number is also the validity count.
    static const QStringList &jsonNames();

    SizeTemplate() = default;

    int id() const { return table.value(Id).toInt(); }
    int category() const { return table.value(Category).toInt(); }
    QString itemNo() const { return table.value(ItemNo).toString(); }
    QString description() const { return table.value(Description).toString(); }
    double labelWidth() const { return table.value(LabelWidth).toDouble(); }
    double labelHeight() const { return table.value(LabelHeight).toDouble(); }
    double linerWidth() const { return table.value(LinerWidth).toDouble(); }
    double marginLeft() const { return table.value(MarginLeft).toDouble(); }
    double marginRight() const { return table.value(MarginRight).toDouble(); }
    double rowSpacing() const { return table.value(RowSpacing).toDouble(); }
    double colSpacing() const { return table.value(ColSpacing).toDouble(); }
    int columns() const { return table.value(Columns).toInt(); }

    QVariant value(qint32 key) const { return table.value(key); }
    void setValue(qint32 key, const QVariant &value) { table.insert(key, value); }
    int count() const { return table.size(); }
    const QHash<qint32, QVariant> &values() const { return table; }

    bool isValid() const;

    void fromJson(const QJsonObject &object) override;
    void toJson(QJsonObject &object) override;

    qint32 headerVersion() const override { return 1; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

    bool operator==(const SizeTemplate &other) const { return table == other.table; }
    bool operator!=(const SizeTemplate &other) const { return !(*this == other); }

private:
    QHash<qint32, QVariant> table;
};

Q_DECLARE_METATYPE(SizeTemplate)
