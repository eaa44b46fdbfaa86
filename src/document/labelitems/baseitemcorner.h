#pragma once

#include <QGraphicsRectItem>
#include <QPixmap>

// One of the eight resize handles of a label item; always a child of it.
class BaseItemCorner : public QGraphicsRectItem
{
public:
    // Numbered clockwise from the top; the numbers travel in signals and
    // undo commands. Center is no handle; only the anchor operations take it.
    enum Placement : int {
        Top = 0,
        TopRight = 1,
        Right = 2,
        BottomRight = 3,
        Bottom = 4,
        BottomLeft = 5,
        Left = 6,
        TopLeft = 7,
        Center = 8,
    };

    BaseItemCorner(const QRectF &rect, Placement placement, qreal itemRotation,
                   QGraphicsItem *parent);

    Placement placement() const { return place; }

    // Turns the resize cursor with the item's rotation.
    void updateCursor(qreal itemRotation);

    // The angle the cursor picture is turned by.
    qreal cursorRotation() const { return angle; }

    // The cursor angle for a handle of an item rotated by `itemRotation` degrees.
    static qreal cursorAngle(Placement placement, qreal itemRotation);

private:
    Placement place;
    QPixmap cursorSource;
    qreal angle = 0;
};

Q_DECLARE_METATYPE(BaseItemCorner::Placement)
