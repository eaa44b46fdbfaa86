#pragma once

#include "labelitems/baseitem.h"
#include "sizetemplate.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QPixmap>
#include <QPointer>
#include <QSizeF>
#include <QUndoCommand>

class BarcodeItem;
class BaseItem;
class DataItem;
class DateTimeItem;
class Document;
class PixmapItem;
class TextItem;

// Every change to the items of a label is one of these on the document's undo
// stack. They hold guarded pointers, so a command whose document or item is
// gone does nothing. A command owns its item while the item is out of the
// scene (an undone insertion, a done deletion) and deletes it then.
namespace command {

class AlignSelectedItems : public QUndoCommand
{
public:
    AlignSelectedItems(Document *doc, Qt::Alignment alignment, int mergeId,
                       QUndoCommand *parent = nullptr);
};

class DeleteItem : public QUndoCommand
{
public:
    DeleteItem(Document *doc, BaseItem *item, QUndoCommand *parent = nullptr);
    ~DeleteItem() override;
    void undo() override;
    void redo() override;

private:
    QPointer<Document> doc;
    QPointer<BaseItem> item;
};

class DeleteSelectedItems : public QUndoCommand
{
public:
    explicit DeleteSelectedItems(Document *doc, QUndoCommand *parent = nullptr);
};

// The part every insertion shares: undo takes the item out of the scene, the
// destructor deletes it when it is out.
class InsertItemBase : public QUndoCommand
{
public:
    ~InsertItemBase() override;
    void undo() override;

protected:
    InsertItemBase(Document *doc, const QPointF &pos, const QSizeF &size, QUndoCommand *parent);
    void adopt(BaseItem *newItem);
    BaseItem *baseItem() const { return owned; }
    // True once, at the push: the item gets its first size, position and
    // look then. A later redo puts it back as it was when it was undone,
    // with what was done to it since.
    bool firstInsertion();

    QPointer<Document> doc;
    QPointF pos;
    QSizeF size;

private:
    QPointer<BaseItem> owned;
    bool inserted = false;
};

class InsertTextItem : public InsertItemBase
{
public:
    InsertTextItem(Document *doc, const QPointF &pos, const QSizeF &size, const QFont &font,
                   const QColor &color, QUndoCommand *parent = nullptr);
    void redo() override;
    TextItem *item() const;

private:
    QFont font;
    QColor color;
};

class InsertDataItem : public InsertItemBase
{
public:
    InsertDataItem(Document *doc, const QPointF &pos, const QSizeF &size, const QFont &font,
                   const QColor &color, QUndoCommand *parent = nullptr);
    void redo() override;
    DataItem *item() const;

private:
    QFont font;
    QColor color;
};

class InsertDateTimeItem : public InsertItemBase
{
public:
    InsertDateTimeItem(Document *doc, const QPointF &pos, const QSizeF &size, const QFont &font,
                       const QColor &color, QUndoCommand *parent = nullptr);
    void redo() override;
    DateTimeItem *item() const;

private:
    QFont font;
    QColor color;
};

class InsertBarcodeItem : public InsertItemBase
{
public:
    InsertBarcodeItem(Document *doc, const QPointF &pos, const QSizeF &size,
                      QUndoCommand *parent = nullptr);
    void redo() override;
    BarcodeItem *item() const;
};

class InsertPixmapItem : public InsertItemBase
{
public:
    InsertPixmapItem(Document *doc, const QPointF &pos, const QSizeF &size, const QPixmap &pixmap,
                     QUndoCommand *parent = nullptr);
    void redo() override;
    PixmapItem *item() const;

private:
    QPixmap pixmap;
};

// Items pasted from the clipboard: undo takes them all out again, redo puts
// them back; the command owns them while they are out.
class PasteItems : public QUndoCommand
{
public:
    PasteItems(Document *doc, const QList<BaseItem *> &items, QUndoCommand *parent = nullptr);
    ~PasteItems() override;
    void undo() override;
    void redo() override;

private:
    QPointer<Document> doc;
    QList<QPointer<BaseItem>> items;
};

class MoveItem : public QUndoCommand
{
public:
    MoveItem(BaseItem *item, const QPointF &oldPos, int mergeId, QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;
    int id() const override { return mergeId; }
    bool mergeWith(const QUndoCommand *other) override;

    BaseItem *movedItem() const { return item; }

private:
    QPointer<BaseItem> item;
    QPointF newPos;
    QPointF oldPos;
    int mergeId;
    bool firstRedo = true;
};

// A geometry set in one go: a drag of one of the item's handles ("Resize
// item") or the "Position and size" dialog. Undo and redo put back the whole
// geometry the item had before and after, rather than replaying edge
// positions: a scene point means another edge once the item has been turned
// or moved in between, and replaying is not exact.
class SetGeometry : public QUndoCommand
{
public:
    SetGeometry(BaseItem *item, const BaseItem::Geometry &before, const QString &text,
                QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;

private:
    QPointer<BaseItem> item;
    BaseItem::Geometry before;
    BaseItem::Geometry after;
    bool firstRedo = true;
};

// What the user changed of items in one go (an item's dialog, the text
// toolbar, typing in a frame, a label added): undo and redo give each item
// back its whole stored block, so nothing the edit touched is left behind.
class EditItems : public QUndoCommand
{
public:
    struct Change
    {
        QPointer<BaseItem> item;
        QByteArray before;
        QByteArray after;
    };
    // The items have their `after` state already.
    EditItems(Document *doc, const QList<Change> &changes, const QString &text,
              QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;

private:
    void apply(bool after);

    QPointer<Document> doc;
    QList<Change> changes;
    bool firstRedo = true;
};

// "Label properties": the stock and the printer settings, both set already.
// The printer settings are kept as their stored block, because the document
// owns the settings object it holds and replaces it on undo.
class SetLabelProperties : public QUndoCommand
{
public:
    SetLabelProperties(Document *doc, const SizeTemplate &stockBefore,
                       const QByteArray &printerBefore, QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;

private:
    QPointer<Document> doc;
    SizeTemplate stockBefore;
    SizeTemplate stockAfter;
    QByteArray printerBefore;
    QByteArray printerAfter;
    bool firstRedo = true;
};

// Turns the selected items to one angle about their origins.
class RotateItems : public QUndoCommand
{
public:
    RotateItems(Document *doc, qreal angle, QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;
    // True when no selected item changes its angle.
    bool isEmpty() const { return turns.isEmpty(); }

private:
    struct Turn
    {
        QPointer<BaseItem> item;
        qreal from;
    };
    QList<Turn> turns;
    qreal angle;
};

} // namespace command
