#include "maskedtextitem.h"

#include "iprintable.h"
#include "textlayout.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

MaskedTextItem::MaskedTextItem(QGraphicsItem *parent) : QGraphicsTextItem(parent)
{
    setObjectName(QStringLiteral("labelitem/maskedtext"));
    textlayout::useReference(document());
}

void MaskedTextItem::setTextWidth(const QSizeF &size)
{
    prepareGeometryChange();
    QGraphicsTextItem::setTextWidth(size.width());
    clip = size;
}

void MaskedTextItem::setTextWidth(qreal width, qreal height)
{
    setTextWidth(QSizeF(width, height));
}

void MaskedTextItem::setBlockAlignment(Qt::Alignment a)
{
    QTextBlockFormat format;
    format.setAlignment(a);
    QTextCursor cursor = textCursor();
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
    cursor.clearSelection();
    setTextCursor(cursor);
}

QRectF MaskedTextItem::boundingRect() const
{
    return QRectF(0, 0, clip.width(), clip.height());
}

QPainterPath MaskedTextItem::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

bool MaskedTextItem::contains(const QPointF &point) const
{
    return boundingRect().contains(point);
}

void MaskedTextItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    QStyleOptionGraphicsItem o(*option);
    o.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    painter->save();
    // Intersect rather than replace: a label rendered into a print cell keeps
    // the cell's clip, so text hanging off the label cannot reach its neighbour.
    painter->setClipRect(boundingRect(), Qt::IntersectClip);
    const auto *owner = dynamic_cast<const IPrintable *>(parentItem());
    if (owner && owner->isPrintMode()) {
        // Printed, exported and thumbnail pictures show the text alone, never
        // the cursor or the selection of a frame being typed in.
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette.setColor(QPalette::Text, defaultTextColor());
        document()->documentLayout()->draw(painter, context);
    } else {
        QGraphicsTextItem::paint(painter, &o, widget);
    }
    painter->restore();
}

void MaskedTextItem::focusInEvent(QFocusEvent *event)
{
    emit focusGained(this);
    QGraphicsTextItem::focusInEvent(event);
}

void MaskedTextItem::focusOutEvent(QFocusEvent *event)
{
    QTextCursor c = textCursor();
    c.clearSelection();
    setTextCursor(c);
    emit focusLost(this);
    QGraphicsTextItem::focusOutEvent(event);
}

void MaskedTextItem::hoverEnterEvent(QGraphicsSceneHoverEvent *event)
{
    setCursor(Qt::IBeamCursor);
    QGraphicsTextItem::hoverEnterEvent(event);
}

void MaskedTextItem::hoverLeaveEvent(QGraphicsSceneHoverEvent *event)
{
    unsetCursor();
    QGraphicsTextItem::hoverLeaveEvent(event);
}
