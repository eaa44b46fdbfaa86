#pragma once

#include "baseitem.h"
#include "cellbound.h"
#include "databinding.h"
#include "iserializable.h"
#include "itemtypes.h"
#include "maskedtextitem.h"
#include "textbearing.h"

#include <QItemSelection>

class DataSource;

// Variable text: label i shows the i-th chosen cell of a data source.
class DataItem : public BaseItem, public ISerializable, public TextBearing, public CellBound
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
    QItemSelection selection() const { return binding.selection(); }
    DataBinding *cellBinding() override { return &binding; }
    QString plainText() const { return textItem.toPlainText(); }

    void setRecordIndex(int index) override;
    int recordIndex() const override { return record; }
    int recordCount() const override { return binding.count(); }

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

private:
    void refresh();
    void bindingChanged();

    MaskedTextItem textItem;
    DataBinding binding;
    int align = Qt::AlignLeft;
    int record = 0;
};
