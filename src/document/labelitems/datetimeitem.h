#pragma once

#include "baseitem.h"
#include "iserializable.h"
#include "itemtypes.h"
#include "maskedtextitem.h"
#include "textbearing.h"

#include <QDateTime>

#include <functional>

// The date and time on the label: the computer's clock, read afresh at every
// refresh (printing starts and ends with one), or a fixed value.
class DateTimeItem : public BaseItem, public ISerializable, public TextBearing
{
    Q_OBJECT
public:
    enum { Type = itemtype::DateTime };

    explicit DateTimeItem(QSizeF size, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }

    void setSize(qreal w, qreal h) override;
    void setSize(const QSizeF &size) override;
    void setPrintMode(bool on) override;

    void setFont(const QFont &font) override;
    QFont font() const override;
    void setTextColor(const QColor &color);
    void setAlignment(Qt::Alignment a) override;
    Qt::Alignment alignment() const override { return Qt::Alignment(align); }

    QDateTime dateTime() const { return value; }
    QString format() const { return formatString; }
    bool usesSystemTime() const { return useSystemTime; }
    // What the dialog gives on acceptance; the item refreshes.
    void setValue(const QDateTime &dateTime, const QString &format, bool systemTime);
    QString plainText() const { return textItem.toPlainText(); }

    // The clock a system-time item reads; tests put a clock of their own.
    using Clock = std::function<QDateTime()>;
    static void setClock(Clock clock);

    qint32 headerVersion() const override { return 2; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

public slots:
    void editDialog();

protected:
    void populateMenu(QMenu *menu) override;

private:
    void refresh();

    MaskedTextItem textItem;
    int align = Qt::AlignLeft;
    QDateTime value;
    QString formatString;
    bool useSystemTime = true;
};
