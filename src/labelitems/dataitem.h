#pragma once

#include "baseitem.h"
#include "iserializable.h"
#include "itemtypes.h"
#include "maskedtextitem.h"
#include "textbearing.h"

#include <QItemSelection>
#include <QModelIndexList>
#include <QPointer>

class DataSource;

// Variable text: label i shows the i-th chosen cell of a data source.
class DataItem : public BaseItem, public ISerializable, public TextBearing
{
    Q_OBJECT
public:
    enum { Type = itemtype::Data };

    explicit DataItem(QSizeF size, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }

    void setSize(qreal w, qreal h) override;
    void setSize(const QSizeF &size) override;

    void setFont(const QFont &font) override;
    QFont font() const override;
    void setTextColor(const QColor &color);
    void setAlignment(Qt::Alignment a) override;
    Qt::Alignment alignment() const override { return Qt::Alignment(align); }

    void setData(DataSource *src, const QItemSelection &sel);
    DataSource *dataSource() const;
    QItemSelection selection() const { return cells; }
    QString plainText() const { return textItem.toPlainText(); }

    void setRecordIndex(int index) override;
    int recordIndex() const override { return record; }
    int recordCount() const override { return indexes.size(); }

    qint32 headerVersion() const override { return 4; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

signals:
    void dataChanged();

public slots:
    void editDialog();

protected:
    void populateMenu(QMenu *menu) override;

private slots:
    // A removed source leaves the item unbound; it never reads a freed model.
    void sourcesChanged();

private:
    void refresh();
    void watchManager();

    MaskedTextItem textItem;
    QPointer<DataSource> source;
    QItemSelection cells;
    QModelIndexList indexes;
    int align = Qt::AlignLeft;
    int record = 0;
};
