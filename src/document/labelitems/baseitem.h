#pragma once

#include "baseitemcorner.h"
#include "iprintable.h"

#include <QGraphicsObject>
#include <QList>
#include <QPointer>

class QAction;
class QMenu;
class Document;

// The common base of every item placed on a label: a content rectangle of
// `size` at the item's origin (its top-left corner), rotated about that
// origin, with a 6-unit band around it for the selection frame and the eight
// resize handles. It also carries the per-label value model (records): label
// i shows record i of every item.
class BaseItem : public QGraphicsObject, public IPrintable
{
    Q_OBJECT
public:
    // Where an item lies: what undo puts back exactly.
    struct Geometry
    {
        QPointF pos;
        QSizeF size;
        qreal rotation = 0;
        bool operator==(const Geometry &o) const
        {
            return pos == o.pos && size == o.size && rotation == o.rotation;
        }
        bool operator!=(const Geometry &o) const { return !(*this == o); }
    };

    explicit BaseItem(QSizeF size, QGraphicsItem *parent = nullptr);
    ~BaseItem() override;

    Geometry geometry() const;
    void setGeometry(const Geometry &g);

    virtual void setSize(qreal w, qreal h);
    virtual void setSize(const QSizeF &size);
    virtual QSizeF size() const;

    // Records: the base holds one value for all labels.
    virtual void setRecordIndex(int index);
    virtual void insertRecord(int index);
    virtual int recordIndex() const;
    virtual int recordCount() const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    void setPrintMode(bool on) override;

    void setItemRotation(qreal angle);

    // Moves the given edge or corner of the content rectangle to a scene
    // point; the opposite edge keeps its scene position, also when rotated.
    void resizeTo(QPointF scenePoint, BaseItemCorner::Placement p);
    // Moves the item so that the given anchor lies on the scene point.
    void moveAnchorTo(QPointF scenePoint, BaseItemCorner::Placement p);
    QPointF anchorScenePos(BaseItemCorner::Placement p) const;
    // Snaps the given anchor to the document grid (when snapping is on).
    void snapHandle(BaseItemCorner::Placement p, bool resize);
    // The handle with placement p, or with byRotation the handle that is
    // visually on that side of the rotated item.
    BaseItemCorner *visualHandle(BaseItemCorner::Placement p, bool byRotation) const;

    const QList<BaseItemCorner *> &handles() const { return handleList; }
    // The geometry the item had when one of its handles was last pressed.
    Geometry geometryAtHandlePress() const { return pressGeometry; }

    // The context menu; subclasses add their entries in populateMenu().
    QMenu *menu();

    // The document the item lies in, if any.
    Document *document() const;

    // While the item is out of the scene, the undo command that took it out
    // last owns it; only that one deletes it. (Several commands can refer to
    // an item: deleted, undone and deleted again.)
    const void *offSceneOwner() const { return owner; }
    void setOffSceneOwner(const void *command) { owner = command; }

signals:
    void selectedChanged(BaseItem *item, bool selected);
    void repositioned(BaseItem *item, QPointF origPos);
    void resized(BaseItem *item, QPointF to, QPointF from, BaseItemCorner::Placement handle);
    // The user changed what the item shows (typed text, for instance) in a
    // way that is not an undo command; the document marks itself modified.
    void contentEdited(BaseItem *item);

protected:
    bool sceneEventFilter(QGraphicsItem *watched, QEvent *event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

    virtual void populateMenu(QMenu *menu);
    void updateHandlePositions();
    // Paints the selection frame or the dashed outline (nothing in print mode).
    void paintDecoration(QPainter *painter);

    const double handleSize = 6.0;
    const double marginLeft = 6.0;
    const double marginTop = 6.0;
    const double marginRight = 6.0;
    const double marginBottom = 6.0;

private slots:
    void positionSizeDialog();

private:
    void createHandles();
    void watchHandles();
    void showHandles(bool show);
    // The drag of a group: every selected item remembers where it started and
    // reports its own move at the release.
    void beginMove();
    void endMove();

    QMenu *contextMenu = nullptr;
    QAction *positionSizeAction = nullptr;
    QSizeF itemSize;
    QSizeF pressSize = QSizeF(-1, -1);
    QPointF pressPos;
    QPointF handlePressScenePos;
    Geometry pressGeometry;
    QList<BaseItemCorner *> handleList;
    const void *owner = nullptr;
};
