#include "commands.h"

#include "document.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/baseitem.h"
#include "labelitems/dataitem.h"
#include "labelitems/datetimeitem.h"
#include "labelitems/itemfactory.h"
#include "labelitems/pixmapitem.h"
#include "labelitems/textitem.h"
#include "services.h"

using namespace command;

AlignSelectedItems::AlignSelectedItems(Document *doc, Qt::Alignment alignment, int mergeId,
                                       QUndoCommand *parent)
    : QUndoCommand(parent)
{
    setText(QObject::tr("Align items"));
    if (!doc)
        return;
    QList<BaseItem *> selected;
    const QList<QGraphicsItem *> all = doc->selectedItems();
    for (QGraphicsItem *gi : all) {
        if (auto *item = dynamic_cast<BaseItem *>(gi))
            selected.append(item);
    }
    if (selected.isEmpty())
        return;

    QRectF r;
    if (selected.size() == 1) {
        r = doc->sceneRect();
    } else {
        for (BaseItem *item : qAsConst(selected))
            r = r.united(item->sceneBoundingRect());
    }

    BaseItemCorner::Placement side;
    bool byHandle = true;
    switch (int(alignment)) {
    case Qt::AlignLeft:
        side = BaseItemCorner::Left;
        break;
    case Qt::AlignRight:
        side = BaseItemCorner::Right;
        break;
    case Qt::AlignHCenter:
    case Qt::AlignVCenter:
        side = BaseItemCorner::Center;
        byHandle = false;
        break;
    case Qt::AlignTop:
        side = BaseItemCorner::Top;
        break;
    case Qt::AlignBottom:
        side = BaseItemCorner::Bottom;
        break;
    default:
        return;
    }

    for (BaseItem *item : qAsConst(selected)) {
        const QPointF oldPos = item->scenePos();
        BaseItemCorner::Placement anchor = side;
        if (byHandle) {
            // The handle that is visually on that side of the rotated item.
            if (BaseItemCorner *h = item->visualHandle(side, true))
                anchor = h->placement();
        }
        const QPointF a = item->anchorScenePos(anchor);
        QPointF target;
        switch (int(alignment)) {
        case Qt::AlignLeft:
            target = QPointF(r.left(), a.y());
            break;
        case Qt::AlignRight:
            target = QPointF(r.left() + r.width(), a.y());
            break;
        case Qt::AlignHCenter:
            target = QPointF(r.left() + r.width() * 0.5, a.y());
            break;
        case Qt::AlignTop:
            target = QPointF(a.x(), r.top());
            break;
        case Qt::AlignBottom:
            target = QPointF(a.x(), r.top() + r.height());
            break;
        default:
            target = QPointF(a.x(), r.top() + r.height() * 0.5);
            break;
        }
        item->moveAnchorTo(target, anchor);
        new MoveItem(item, oldPos, mergeId, this);
    }
}

DeleteItem::DeleteItem(Document *d, BaseItem *i, QUndoCommand *parent)
    : QUndoCommand(parent), doc(d), item(i)
{
    setText(QObject::tr("Delete item"));
}

namespace {

// Takes the item out of the scene on behalf of `command`, which owns it then.
void takeOut(Document *doc, BaseItem *item, const QUndoCommand *command)
{
    if (doc && item && item->scene() == doc) {
        // Typing in it ends without an entry of its own: the item leaves
        // with its text, and this command is the one on the stack now.
        doc->forgetTyping(item);
        doc->removeItem(item);
        item->setOffSceneOwner(command);
    }
}

// What a command leaves behind: the item it owns out of the scene.
void release(BaseItem *item, const QUndoCommand *command)
{
    if (item && !item->scene() && item->offSceneOwner() == command)
        delete item;
}

// The redo of the insertions of text-based items, in the order size, font,
// colour, position, scene.
template <class Item>
void textInsertRedo(Document *doc, Item *item, bool first, const QSizeF &size, const QFont &font,
                    const QColor &color, const QPointF &pos)
{
    if (!doc || !item)
        return;
    if (first) {
        item->setSize(size);
        item->setFont(font);
        item->setTextColor(color);
        item->setPos(pos);
    }
    if (!item->scene())
        doc->addItem(item);
}

} // namespace

DeleteItem::~DeleteItem()
{
    release(item, this);
}

void DeleteItem::redo()
{
    takeOut(doc, item, this);
}

void DeleteItem::undo()
{
    if (doc && item && !item->scene())
        doc->addItem(item);
}

DeleteSelectedItems::DeleteSelectedItems(Document *doc, QUndoCommand *parent) : QUndoCommand(parent)
{
    setText(QObject::tr("Delete items"));
    if (!doc)
        return;
    const QList<QGraphicsItem *> selected = doc->selectedItems();
    for (QGraphicsItem *gi : selected) {
        if (auto *item = dynamic_cast<BaseItem *>(gi))
            new DeleteItem(doc, item, this);
    }
}

InsertItemBase::InsertItemBase(Document *d, const QPointF &p, const QSizeF &s, QUndoCommand *parent)
    : QUndoCommand(parent), doc(d), pos(p), size(s)
{
}

InsertItemBase::~InsertItemBase()
{
    release(owned, this);
}

void InsertItemBase::adopt(BaseItem *newItem)
{
    owned = newItem;
    if (owned)
        owned->setOffSceneOwner(this);
}

void InsertItemBase::undo()
{
    takeOut(doc, owned, this);
}

bool InsertItemBase::firstInsertion()
{
    const bool first = !inserted;
    inserted = true;
    return first;
}

PasteItems::PasteItems(Document *d, const QList<BaseItem *> &pasted, QUndoCommand *parent)
    : QUndoCommand(parent), doc(d)
{
    setText(QObject::tr("Paste"));
    for (BaseItem *item : pasted) {
        items.append(item);
        item->setOffSceneOwner(this);
    }
}

PasteItems::~PasteItems()
{
    for (const QPointer<BaseItem> &item : qAsConst(items))
        release(item, this);
}

void PasteItems::redo()
{
    for (const QPointer<BaseItem> &item : qAsConst(items))
        if (doc && item && !item->scene())
            doc->addItem(item);
}

void PasteItems::undo()
{
    for (int i = items.size() - 1; i >= 0; --i)
        takeOut(doc, items.at(i), this);
}

InsertTextItem::InsertTextItem(Document *d, const QPointF &p, const QSizeF &s, const QFont &f,
                               const QColor &c, QUndoCommand *parent)
    : InsertItemBase(d, p, s, parent), font(f), color(c)
{
    setText(QObject::tr("Insert text frame"));
    adopt(new TextItem(s));
}

TextItem *InsertTextItem::item() const
{
    return static_cast<TextItem *>(baseItem());
}

void InsertTextItem::redo()
{
    if (doc)
        textInsertRedo(doc, item(), firstInsertion(), size, font, color, pos);
}

InsertDataItem::InsertDataItem(Document *d, const QPointF &p, const QSizeF &s, const QFont &f,
                               const QColor &c, QUndoCommand *parent)
    : InsertItemBase(d, p, s, parent), font(f), color(c)
{
    setText(QObject::tr("Insert data frame"));
    adopt(new DataItem(s));
}

DataItem *InsertDataItem::item() const
{
    return static_cast<DataItem *>(baseItem());
}

void InsertDataItem::redo()
{
    if (doc)
        textInsertRedo(doc, item(), firstInsertion(), size, font, color, pos);
}

InsertDateTimeItem::InsertDateTimeItem(Document *d, const QPointF &p, const QSizeF &s,
                                       const QFont &f, const QColor &c, QUndoCommand *parent)
    : InsertItemBase(d, p, s, parent), font(f), color(c)
{
    setText(QObject::tr("Insert Date and Time frame"));
    adopt(new DateTimeItem(s));
}

DateTimeItem *InsertDateTimeItem::item() const
{
    return static_cast<DateTimeItem *>(baseItem());
}

void InsertDateTimeItem::redo()
{
    if (doc)
        textInsertRedo(doc, item(), firstInsertion(), size, font, color, pos);
}

InsertBarcodeItem::InsertBarcodeItem(Document *d, const QPointF &p, const QSizeF &s,
                                     QUndoCommand *parent)
    : InsertItemBase(d, p, s, parent)
{
    setText(QObject::tr("Insert barcode"));
    adopt(new BarcodeItem(s));
}

BarcodeItem *InsertBarcodeItem::item() const
{
    return static_cast<BarcodeItem *>(baseItem());
}

void InsertBarcodeItem::redo()
{
    BarcodeItem *it = item();
    if (!doc || !it)
        return;
    if (firstInsertion()) {
        it->setSize(size);
        it->setPos(pos);
    }
    if (!it->scene())
        doc->addItem(it);
}

InsertPixmapItem::InsertPixmapItem(Document *d, const QPointF &p, const QSizeF &s,
                                   const QPixmap &pm, QUndoCommand *parent)
    : InsertItemBase(d, p, s, parent), pixmap(pm)
{
    setText(QObject::tr("Insert image frame"));
    adopt(new PixmapItem(s));
}

PixmapItem *InsertPixmapItem::item() const
{
    return static_cast<PixmapItem *>(baseItem());
}

void InsertPixmapItem::redo()
{
    PixmapItem *t = item();
    if (!doc || !t)
        return;
    if (firstInsertion()) {
        t->setPixmap(pixmap);
        t->setPos(pos);
        t->setSize(size);
    }
    if (!t->scene())
        doc->addItem(t);
}

MoveItem::MoveItem(BaseItem *i, const QPointF &old, int id, QUndoCommand *parent)
    : QUndoCommand(parent), item(i), oldPos(old), mergeId(id)
{
    setText(QObject::tr("Move item"));
    if (item)
        newPos = item->pos();
}

void MoveItem::redo()
{
    if (firstRedo) {
        firstRedo = false;
        return;
    }
    if (item)
        item->setPos(newPos);
}

void MoveItem::undo()
{
    if (item)
        item->setPos(oldPos);
}

bool MoveItem::mergeWith(const QUndoCommand *other)
{
    const auto *move = dynamic_cast<const MoveItem *>(other);
    if (!move || move->id() != id() || move->item != item || !item)
        return false;
    newPos = item->pos();
    return true;
}

SetGeometry::SetGeometry(BaseItem *i, const BaseItem::Geometry &b, const QString &text,
                         QUndoCommand *parent)
    : QUndoCommand(parent), item(i), before(b)
{
    setText(text);
    if (item)
        after = item->geometry();
}

void SetGeometry::redo()
{
    if (firstRedo) {
        firstRedo = false;
        return;
    }
    if (item)
        item->setGeometry(after);
}

void SetGeometry::undo()
{
    if (item)
        item->setGeometry(before);
}

RotateItems::RotateItems(Document *doc, qreal a, QUndoCommand *parent)
    : QUndoCommand(parent), angle(a)
{
    setText(QObject::tr("Rotate items"));
    if (!doc)
        return;
    const QList<QGraphicsItem *> selected = doc->selectedItems();
    for (QGraphicsItem *gi : selected) {
        auto *item = dynamic_cast<BaseItem *>(gi);
        if (item && item->rotation() != angle)
            turns.append(Turn{item, item->rotation()});
    }
}

void RotateItems::redo()
{
    for (const Turn &t : qAsConst(turns)) {
        if (t.item)
            t.item->setItemRotation(angle);
    }
}

void RotateItems::undo()
{
    for (const Turn &t : qAsConst(turns)) {
        if (t.item)
            t.item->setItemRotation(t.from);
    }
}

EditItems::EditItems(Document *d, const QList<Change> &c, const QString &text,
                     QUndoCommand *parent)
    : QUndoCommand(parent), doc(d), changes(c)
{
    setText(text);
}

void EditItems::apply(bool after)
{
    if (!doc)
        return;
    // Items bound to data look their tables up among this document's.
    DataSourceManager::LookupScope scope(services::dataSourceManager(), doc->dataSources());
    const int labels = doc->labelCount();
    for (const Change &c : qAsConst(changes)) {
        if (c.item)
            itemfactory::restoreInto(c.item, after ? c.after : c.before);
    }
    // The blocks carry the records, so the number of labels may differ.
    doc->recountLabels(doc->labelCount() != labels);
}

void EditItems::redo()
{
    if (firstRedo) {
        firstRedo = false;
        return;
    }
    apply(true);
}

void EditItems::undo()
{
    apply(false);
}

SetLabelProperties::SetLabelProperties(Document *d, const SizeTemplate &stock,
                                       const QByteArray &printer, QUndoCommand *parent)
    : QUndoCommand(parent), doc(d), stockBefore(stock), printerBefore(printer)
{
    setText(QObject::tr("Label properties"));
    if (doc) {
        stockAfter = doc->sizeTemplate();
        printerAfter = doc->printerState();
    }
}

void SetLabelProperties::redo()
{
    if (firstRedo) {
        firstRedo = false;
        return;
    }
    if (!doc)
        return;
    doc->setSizeTemplate(stockAfter);
    doc->restorePrinterState(printerAfter);
}

void SetLabelProperties::undo()
{
    if (!doc)
        return;
    doc->setSizeTemplate(stockBefore);
    doc->restorePrinterState(printerBefore);
}
