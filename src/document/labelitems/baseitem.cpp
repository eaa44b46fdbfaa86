#include "baseitem.h"

#include "document.h"
#include "icons.h"
#include "itemeditor.h"

#include <QAction>
#include <QGraphicsScene>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneMouseEvent>
#include <QMenu>
#include <QPainter>

BaseItem::BaseItem(QSizeF size, QGraphicsItem *parent) : QGraphicsObject(parent), itemSize(size)
{
    setObjectName(QStringLiteral("labelitem/base"));
    setFlags(ItemIsSelectable | ItemIsMovable);
    setCursor(Qt::OpenHandCursor);
    IPrintable::setPrintMode(false);
}

BaseItem::~BaseItem()
{
    delete contextMenu;
}

void BaseItem::setSize(qreal w, qreal h)
{
    setSize(QSizeF(w, h));
}

void BaseItem::setSize(const QSizeF &size)
{
    prepareGeometryChange();
    itemSize = size;
    updateHandlePositions();
}

QSizeF BaseItem::size() const
{
    return itemSize;
}

BaseItem::Geometry BaseItem::geometry() const
{
    return Geometry{pos(), size(), rotation()};
}

void BaseItem::setGeometry(const Geometry &g)
{
    setItemRotation(g.rotation);
    setPos(g.pos);
    setSize(g.size);
}

void BaseItem::setRecordIndex(int)
{
}

void BaseItem::insertRecord(int)
{
}

int BaseItem::recordIndex() const
{
    return 0;
}

int BaseItem::recordCount() const
{
    return 1;
}

QRectF BaseItem::boundingRect() const
{
    return QRectF(-marginLeft, -marginTop, marginLeft + itemSize.width() + marginRight,
                  marginTop + itemSize.height() + marginBottom);
}

void BaseItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    paintDecoration(painter);
}

void BaseItem::paintDecoration(QPainter *painter)
{
    if (printMode)
        return;
    painter->save();
    // The frame marks the item's own rectangle, also where a subclass draws
    // past it.
    const QRectF b = BaseItem::boundingRect();
    if (isSelected()) {
        painter->setPen(QColor(Qt::transparent));
        painter->setBrush(QColor(255, 0, 0, 64));
        const QRectF bands[] = {
            QRectF(b.left(), b.top(), handleSize, b.height()),
            QRectF(b.left(), b.top(), b.width(), handleSize),
            QRectF(b.left(), b.bottom() - handleSize, b.width(), handleSize),
            QRectF(b.right() - handleSize, b.top(), handleSize, b.height()),
        };
        painter->drawRects(bands, 4);
    } else {
        painter->setPen(QPen(QBrush(Qt::lightGray), 1.0, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
        painter->setBrush(Qt::transparent);
        painter->drawRect(QRectF(0, 0, itemSize.width(), itemSize.height()));
    }
    painter->restore();
}

void BaseItem::setPrintMode(bool on)
{
    IPrintable::setPrintMode(on);
    showHandles(!on && isSelected());
    update();
}

void BaseItem::setItemRotation(qreal angle)
{
    setRotation(angle);
    for (BaseItemCorner *h : qAsConst(handleList))
        h->updateCursor(angle);
}

QMenu *BaseItem::menu()
{
    if (!contextMenu) {
        contextMenu = new QMenu;
        populateMenu(contextMenu);
    }
    // A locked layout shows that its geometry cannot be changed here.
    const Document *doc = document();
    if (positionSizeAction)
        positionSizeAction->setEnabled(!doc || !doc->isLocked());
    return contextMenu;
}

void BaseItem::populateMenu(QMenu *m)
{
    QAction *a = m->addAction(icons::fromAppDir(QStringLiteral("/icons/oxygen/32x32/actions/transform-scale.png")),
                              tr("Position and size..."));
    positionSizeAction = a;
    connect(a, &QAction::triggered, this, &BaseItem::positionSizeDialog);
}

void BaseItem::positionSizeDialog()
{
    Document *doc = document();
    // A locked layout keeps every item where it is.
    if (doc && doc->isLocked())
        return;
    const Geometry before = geometry();
    if (!ItemEditor::run(this, ItemEditor::PositionSize))
        return;
    if (Document *now = document())
        now->geometryEdited(this, before);
    emit contentEdited(this);
}

Document *BaseItem::document() const
{
    return qobject_cast<Document *>(scene());
}

void BaseItem::createHandles()
{
    static const BaseItemCorner::Placement order[] = {
        BaseItemCorner::Top,         BaseItemCorner::Right,      BaseItemCorner::Bottom,
        BaseItemCorner::Left,        BaseItemCorner::TopRight,   BaseItemCorner::BottomRight,
        BaseItemCorner::BottomLeft,  BaseItemCorner::TopLeft,
    };
    for (BaseItemCorner::Placement p : order)
        handleList.append(new BaseItemCorner(QRectF(0, 0, handleSize, handleSize), p, rotation(), this));
    watchHandles();
    updateHandlePositions();
    showHandles(false);
}

void BaseItem::watchHandles()
{
    // A scene forgets its event filters when the item leaves it (undo of an
    // insertion, a deletion), so they are installed again on every entry.
    if (!scene())
        return;
    for (BaseItemCorner *h : qAsConst(handleList))
        h->installSceneEventFilter(this);
}

void BaseItem::showHandles(bool show)
{
    for (BaseItemCorner *h : qAsConst(handleList))
        h->setVisible(show);
}

void BaseItem::updateHandlePositions()
{
    const QRectF b = BaseItem::boundingRect();
    const qreal l = b.left();
    const qreal t = b.top();
    const qreal r = l + b.width();
    const qreal bo = t + b.height();
    for (BaseItemCorner *h : qAsConst(handleList)) {
        const qreal hw = h->rect().width();
        const qreal hh = h->rect().height();
        QPointF p;
        switch (h->placement()) {
        case BaseItemCorner::Top:
            p = QPointF(l + b.width() / 2 - hw / 2, t);
            break;
        case BaseItemCorner::TopRight:
            p = QPointF(r - hw, t);
            break;
        case BaseItemCorner::Right:
            p = QPointF(r - hw, t + b.height() / 2 - hh / 2);
            break;
        case BaseItemCorner::BottomRight:
            p = QPointF(r - hw, bo - hh);
            break;
        case BaseItemCorner::Bottom:
            p = QPointF(l + b.width() / 2 - hw / 2, bo - hh);
            break;
        case BaseItemCorner::BottomLeft:
            p = QPointF(l, bo - hh);
            break;
        case BaseItemCorner::Left:
            p = QPointF(l, t + b.height() / 2 - hh / 2);
            break;
        case BaseItemCorner::TopLeft:
        default:
            p = QPointF(l, t);
            break;
        }
        h->setPos(p);
    }
}

QVariant BaseItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemSelectedHasChanged) {
        if (handleList.isEmpty())
            createHandles();
        showHandles(value.toBool() && !printMode);
        emit selectedChanged(this, value.toBool());
    } else if (change == ItemSceneHasChanged) {
        watchHandles();
    }
    return QGraphicsObject::itemChange(change, value);
}

void BaseItem::beginMove()
{
    pressSize = size();
    pressPos = scenePos();
}

void BaseItem::endMove()
{
    if (scenePos() == pressPos)
        return;
    Document *doc = document();
    if (doc && doc->snapToGrid()) {
        const QPointF snapped = doc->nearestGridPoint(mapToScene(QPointF(0, 0)));
        setPos(mapToParent(mapFromScene(snapped)));
    }
    emit repositioned(this, pressPos);
}

void BaseItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsObject::mousePressEvent(event);
    setCursor(Qt::ClosedHandCursor);
    beginMove();
    // The scene drags every selected movable item along with this one; each
    // of them reports its own move, so each gets its own undo entry.
    if (scene()) {
        const QList<QGraphicsItem *> selected = scene()->selectedItems();
        for (QGraphicsItem *gi : selected) {
            if (auto *other = dynamic_cast<BaseItem *>(gi); other && other != this)
                other->beginMove();
        }
    }
}

void BaseItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    QList<QPointer<BaseItem>> group;
    if (scene()) {
        const QList<QGraphicsItem *> selected = scene()->selectedItems();
        for (QGraphicsItem *gi : selected) {
            if (auto *other = dynamic_cast<BaseItem *>(gi); other && other != this)
                group.append(other);
        }
    }
    QGraphicsObject::mouseReleaseEvent(event);
    setCursor(Qt::OpenHandCursor);
    // A click without a move changes nothing and reports nothing.
    endMove();
    for (const QPointer<BaseItem> &other : qAsConst(group)) {
        if (other)
            other->endMove();
    }
}

bool BaseItem::sceneEventFilter(QGraphicsItem *watched, QEvent *event)
{
    auto *handle = dynamic_cast<BaseItemCorner *>(watched);
    if (!handle || !handleList.contains(handle))
        return QGraphicsObject::sceneEventFilter(watched, event);
    const BaseItemCorner::Placement p = handle->placement();
    switch (event->type()) {
    case QEvent::GraphicsSceneMousePress:
        pressSize = size();
        pressPos = scenePos();
        // The press is recorded as the handle's anchor rather than the mouse
        // position inside the handle, so that undo restores the exact edge.
        handlePressScenePos = anchorScenePos(p);
        pressGeometry = geometry();
        return true;
    case QEvent::GraphicsSceneMouseMove:
        // A locked layout keeps its geometry: handles stay, but do not drag.
        if (flags() & ItemIsMovable)
            resizeTo(static_cast<QGraphicsSceneMouseEvent *>(event)->scenePos(), p);
        return true;
    case QEvent::GraphicsSceneMouseRelease:
        if (!(flags() & ItemIsMovable))
            return true;
        snapHandle(p, true);
        if (size() != pressSize || scenePos() != pressPos)
            emit resized(this, anchorScenePos(p), handlePressScenePos, p);
        return true;
    default:
        return QGraphicsObject::sceneEventFilter(watched, event);
    }
}

void BaseItem::contextMenuEvent(QGraphicsSceneContextMenuEvent *event)
{
    menu()->exec(event->screenPos());
}

void BaseItem::resizeTo(QPointF scenePoint, BaseItemCorner::Placement p)
{
    const QPointF pt = mapFromScene(scenePoint);
    QRectF r(0, 0, itemSize.width(), itemSize.height());
    switch (p) {
    case BaseItemCorner::Top:
        r.setTop(pt.y());
        break;
    case BaseItemCorner::TopRight:
        r.setTopRight(pt);
        break;
    case BaseItemCorner::Right:
        r.setWidth(pt.x());
        break;
    case BaseItemCorner::BottomRight:
        r.setBottomRight(pt);
        break;
    case BaseItemCorner::Bottom:
        r.setHeight(pt.y());
        break;
    case BaseItemCorner::BottomLeft:
        r.setBottomLeft(pt);
        break;
    case BaseItemCorner::Left:
        r.setLeft(pt.x());
        break;
    case BaseItemCorner::TopLeft:
        r.setTopLeft(pt);
        break;
    default:
        break;
    }
    setPos(mapToParent(r.topLeft()));
    setSize(r.size());
    updateHandlePositions();
}

void BaseItem::moveAnchorTo(QPointF scenePoint, BaseItemCorner::Placement p)
{
    const QPointF pt = mapFromScene(scenePoint);
    const qreal w = itemSize.width();
    const qreal h = itemSize.height();
    QPointF topLeft(0, 0);
    switch (p) {
    case BaseItemCorner::Top:
        topLeft = QPointF(0, pt.y());
        break;
    case BaseItemCorner::TopRight:
        topLeft = QPointF(pt.x() - w, pt.y());
        break;
    case BaseItemCorner::Right:
        topLeft = QPointF(pt.x() - w, 0);
        break;
    case BaseItemCorner::BottomRight:
        topLeft = QPointF(pt.x() - w, pt.y() - h);
        break;
    case BaseItemCorner::Bottom:
        topLeft = QPointF(0, pt.y() - h);
        break;
    case BaseItemCorner::BottomLeft:
        topLeft = QPointF(pt.x(), pt.y() - h);
        break;
    case BaseItemCorner::Left:
        topLeft = QPointF(pt.x(), 0);
        break;
    case BaseItemCorner::TopLeft:
        topLeft = pt;
        break;
    case BaseItemCorner::Center:
        topLeft = QPointF(pt.x() - w / 2, pt.y() - h / 2);
        break;
    }
    setPos(mapToParent(topLeft));
}

QPointF BaseItem::anchorScenePos(BaseItemCorner::Placement p) const
{
    const qreal w = itemSize.width();
    const qreal h = itemSize.height();
    QPointF local(0, 0);
    switch (p) {
    case BaseItemCorner::Top:
        local = QPointF(w / 2, 0);
        break;
    case BaseItemCorner::TopRight:
        local = QPointF(w, 0);
        break;
    case BaseItemCorner::Right:
        local = QPointF(w, h / 2);
        break;
    case BaseItemCorner::BottomRight:
        local = QPointF(w, h);
        break;
    case BaseItemCorner::Bottom:
        local = QPointF(w / 2, h);
        break;
    case BaseItemCorner::BottomLeft:
        local = QPointF(0, h);
        break;
    case BaseItemCorner::Left:
        local = QPointF(0, h / 2);
        break;
    case BaseItemCorner::Center:
        local = QPointF(w / 2, h / 2);
        break;
    default:
        break;
    }
    return mapToScene(local);
}

void BaseItem::snapHandle(BaseItemCorner::Placement p, bool resize)
{
    Document *doc = document();
    if (!doc || !doc->snapToGrid())
        return;
    const QPointF s = doc->nearestGridPoint(anchorScenePos(p));
    if (resize)
        resizeTo(s, p);
    else
        moveAnchorTo(s, p);
}

BaseItemCorner *BaseItem::visualHandle(BaseItemCorner::Placement p, bool byRotation) const
{
    if (!byRotation) {
        for (BaseItemCorner *h : handleList) {
            if (h->placement() == p)
                return h;
        }
        return nullptr;
    }
    if (p > BaseItemCorner::TopLeft)
        return nullptr;
    BaseItemCorner *best = nullptr;
    QPointF bp;
    for (BaseItemCorner *h : handleList) {
        const QPointF c = h->mapToScene(h->boundingRect().center());
        if (!best || bp == QPointF(0, 0)) {
            best = h;
            bp = c;
            continue;
        }
        bool better = false;
        switch (p) {
        case BaseItemCorner::Top:
            better = c.y() < bp.y();
            break;
        case BaseItemCorner::Bottom:
            better = c.y() > bp.y();
            break;
        case BaseItemCorner::Left:
            better = c.x() < bp.x();
            break;
        case BaseItemCorner::Right:
            better = c.x() > bp.x();
            break;
        case BaseItemCorner::TopRight:
            better = c.x() > bp.x() && c.y() < bp.y();
            break;
        case BaseItemCorner::BottomLeft:
            better = c.x() < bp.x() && c.y() > bp.y();
            break;
        case BaseItemCorner::BottomRight:
            better = c.manhattanLength() > bp.manhattanLength();
            break;
        case BaseItemCorner::TopLeft:
            better = c.manhattanLength() < bp.manhattanLength();
            break;
        default:
            break;
        }
        if (better) {
            best = h;
            bp = c;
        }
    }
    return best;
}
