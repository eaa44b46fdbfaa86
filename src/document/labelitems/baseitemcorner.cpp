#include "baseitemcorner.h"

#include "appresources.h"

#include <QBrush>
#include <QCursor>
#include <QPen>
#include <QTransform>

BaseItemCorner::BaseItemCorner(const QRectF &rect, Placement placement, qreal itemRotation,
                               QGraphicsItem *parent)
    : QGraphicsRectItem(rect, parent), place(placement)
{
    appresources::ensureRegistered();
    cursorSource.load(QStringLiteral(":/cursors/cursor-sizeh.png"));
    setPen(QPen(Qt::red));
    setBrush(QBrush(Qt::red));
    updateCursor(itemRotation);
}

qreal BaseItemCorner::cursorAngle(Placement placement, qreal itemRotation)
{
    switch (placement) {
    case TopRight:
    case BottomLeft:
        return itemRotation - 45;
    case Right:
    case Left:
        return itemRotation;
    case BottomRight:
    case TopLeft:
        return itemRotation + 45;
    case Top:
    case Bottom:
        return itemRotation + 90;
    default:
        return itemRotation;
    }
}

void BaseItemCorner::updateCursor(qreal itemRotation)
{
    if (place > TopLeft)
        return;
    angle = cursorAngle(place, itemRotation);
    QTransform t;
    t.rotate(angle, Qt::ZAxis);
    const QPixmap turned = cursorSource.transformed(t, Qt::SmoothTransformation);
    setCursor(QCursor(turned, -1, -1));
}
