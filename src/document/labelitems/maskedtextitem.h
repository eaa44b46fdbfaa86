#pragma once

#include <QGraphicsTextItem>

// The text part of text-based items: laid out at the content width and
// clipped to the content box, without Qt's own focus and selection frame.
class MaskedTextItem : public QGraphicsTextItem
{
    Q_OBJECT
public:
    explicit MaskedTextItem(QGraphicsItem *parent = nullptr);

    void setTextWidth(const QSizeF &size);
    void setTextWidth(qreal width, qreal height);
    // Applies the paragraph alignment to the whole text; text-based items do
    // this again after every replacement of the text.
    void setBlockAlignment(Qt::Alignment a);
    QSizeF clipSize() const { return clip; }

    QRectF boundingRect() const override;
    // The whole box takes presses, not only the lines of text in it (Qt's
    // text item answers for its laid-out text alone), so a click anywhere
    // in the content rectangle places the text cursor.
    QPainterPath shape() const override;
    bool contains(const QPointF &point) const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

signals:
    void focusGained(MaskedTextItem *item);
    void focusLost(MaskedTextItem *item);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;

private:
    QSizeF clip = QSizeF(-1, -1);
};
