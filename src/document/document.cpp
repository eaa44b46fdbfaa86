#include "document.h"

#include "commands.h"
#include "databinding.h"
#include "datasource.h"
#include "itemeditor.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/baseitem.h"
#include "labelitems/cellbound.h"
#include "labelitems/dataitem.h"
#include "labelitems/datetimeitem.h"
#include "labelitems/pixmapitem.h"
#include "labelitems/itemfactory.h"
#include "labelitems/itemtypes.h"
#include "labelitems/textbearing.h"
#include "labelitems/textitem.h"
#include "printersettings_win.h"
#include "services.h"

#include <QDataStream>

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QUndoStack>
#include <QVarLengthArray>

#include <cmath>
#include <memory>

Document::Document(QObject *parent) : QGraphicsScene(parent)
{
    setObjectName(QStringLiteral("document"));
    stack = new QUndoStack(this);
    IPrintable::setPrintMode(false);
}

Document::~Document()
{
    // Undo commands own the items that are out of the scene; they go first,
    // while the document is still whole. Then the items stop talking to the
    // document before the scene deletes them.
    delete stack;
    stack = nullptr;
    const QList<QGraphicsItem *> all = items();
    for (QGraphicsItem *gi : all) {
        if (auto *obj = gi->toGraphicsObject())
            obj->disconnect(this);
    }
    clear();
    delete printer;
}

QUuid Document::uuid()
{
    static const QUuid u(QStringLiteral("{a4f1e9c0-3c4c-11e4-baad-164230d1df67}"));
    return u;
}

QList<BaseItem *> Document::labelItems() const
{
    QList<BaseItem *> list;
    const QList<QGraphicsItem *> all = items();
    for (QGraphicsItem *gi : all) {
        if (auto *item = dynamic_cast<BaseItem *>(gi))
            list.append(item);
    }
    return list;
}

int Document::labelCount() const
{
    int n = 1;
    const QList<BaseItem *> all = labelItems();
    for (BaseItem *item : all)
        n = qMax(n, item->recordCount());
    return n;
}

void Document::setSizeTemplate(SizeTemplate st)
{
    stock = st;
    geometry.setMmRect(QRectF(0, 0, st.labelWidth(), st.labelHeight()));
    grid = geometry.pixelsPerMm;
    setSceneRect(geometry.sceneRect);
    setModified(true);
    emit sizeTemplateChanged();
}

void Document::setPrinterSettings(PrinterSettingsWin *settings)
{
    printer = settings;
}

void Document::setModified(bool on)
{
    if (modified == on)
        return;
    modified = on;
    emit modifiedChanged(on);
}

void Document::setLocked(bool on)
{
    locked = on;
    applyLockToItems();
    setModified(true);
}

void Document::applyLockToItems()
{
    const QList<QGraphicsItem *> all = items();
    for (QGraphicsItem *gi : all) {
        if (dynamic_cast<BaseItem *>(gi))
            gi->setFlag(QGraphicsItem::ItemIsMovable, !locked);
    }
}

void Document::setGridVisible(bool on)
{
    if (gridVisible == on)
        return;
    gridVisible = on;
    invalidate(sceneRect(), QGraphicsScene::BackgroundLayer);
}

QPointF Document::nearestGridPoint(QPointF p) const
{
    // std::round goes half away from zero also for negative values (qRound does not).
    return QPointF(std::round(p.x() / grid) * grid, std::round(p.y() / grid) * grid);
}

void Document::connectItem(BaseItem *item)
{
    connect(item, &BaseItem::selectedChanged, this, &Document::itemSelectedChange,
            Qt::UniqueConnection);
    connect(item, &BaseItem::repositioned, this, &Document::itemRepositioned, Qt::UniqueConnection);
    connect(item, &BaseItem::resized, this, &Document::itemResized, Qt::UniqueConnection);
    connect(item, &BaseItem::contentEdited, this, &Document::itemContentEdited, Qt::UniqueConnection);
    if (auto *text = qgraphicsitem_cast<TextItem *>(item)) {
        connect(text, &TextItem::typingBegan, this, &Document::itemTypingBegan, Qt::UniqueConnection);
        connect(text, &TextItem::typingEnded, this, &Document::itemTypingEnded, Qt::UniqueConnection);
    }
    // A data item bound to other cells asks for another number of labels.
    if (auto *data = qgraphicsitem_cast<DataItem *>(item))
        connect(data, &DataItem::dataChanged, this, &Document::itemRecordsChanged,
                Qt::UniqueConnection);
    if (auto *code = qgraphicsitem_cast<BarcodeItem *>(item))
        connect(code, &BarcodeItem::dataChanged, this, &Document::itemRecordsChanged,
                Qt::UniqueConnection);
}

int Document::printDpi() const
{
    const int dpi = printer ? printer->resolutionDpi() : 0;
    return dpi > 0 ? dpi : 203;
}

QSizeF Document::defaultBarcodeSize() const
{
    // Room for a linear code of a dozen characters at a module width most
    // scanners read; never larger than the label.
    const double ppm = geometry.pixelsPerMm;
    const QSizeF label = geometry.mmRect.size();
    const double w = label.width() > 0 ? qMin(40.0, label.width()) : 40.0;
    const double h = label.height() > 0 ? qMin(20.0, label.height()) : 20.0;
    return QSizeF(qMax(50.0, w * ppm), qMax(50.0, h * ppm));
}

void Document::selectLabel(int idx)
{
    current = idx;
    const QList<BaseItem *> all = labelItems();
    for (BaseItem *item : all)
        item->setRecordIndex(idx);
    emit labelChanged(idx, labelCount());
}

void Document::insertLabel()
{
    if (locked)
        return;
    const int n = labelCount();
    const QList<BaseItem *> all = labelItems();
    if (!editItems(all, tr("Insert label"), [&] {
            for (BaseItem *item : all)
                item->insertRecord(n);
        }))
        return;
    // The new label is the one the user goes on with.
    selectLabel(labelCount() - 1);
    emit labelsInserted();
}

void Document::itemRecordsChanged()
{
    recountLabels();
}

void Document::recountLabels(bool announce)
{
    // Fewer labels than before (cells unbound, a source deleted): the
    // current label stays one that exists.
    const int count = labelCount();
    selectLabel(qMin(current, count - 1));
    if (announce)
        emit labelsInserted();
}

void Document::removeLabel()
{
    // Labels are records of every item; removing one is not offered.
}

bool Document::editItems(const QList<BaseItem *> &items, const QString &text,
                         const std::function<void()> &edit)
{
    // Typing in a frame becomes its own entry first, so this one starts
    // from what the user saw; the frame gets the keyboard back afterwards
    // (bold from the toolbar while typing, for instance).
    QPointer<QGraphicsObject> typing =
        focusItem() ? focusItem()->toGraphicsObject() : nullptr;
    setFocusItem(nullptr);
    struct Refocus
    {
        Document *doc;
        QPointer<QGraphicsObject> &item;
        ~Refocus()
        {
            if (item && item->scene() == doc && doc->focusItem() == nullptr)
                doc->setFocusItem(item, Qt::OtherFocusReason);
        }
    } refocus{this, typing};
    struct Watched
    {
        QPointer<BaseItem> item;
        QByteArray before;
        BaseItem::Geometry geometry;
    };
    QList<Watched> watched;
    for (BaseItem *item : items) {
        if (item && item->scene() == this)
            watched.append({item, itemfactory::snapshot(item), item->geometry()});
    }
    QPointer<Document> self(this);
    edit();
    // A dialog's event loop may have closed the document.
    if (!self) {
        typing = nullptr;
        return false;
    }
    QList<command::EditItems::Change> changes;
    for (const Watched &w : qAsConst(watched)) {
        if (!w.item || w.item->scene() != this)
            continue;
        // A locked layout keeps every item where it is.
        if (locked && w.item->geometry() != w.geometry)
            w.item->setGeometry(w.geometry);
        QByteArray after = itemfactory::snapshot(w.item);
        if (after != w.before)
            changes.append({w.item, w.before, std::move(after)});
    }
    if (changes.isEmpty())
        return false;
    pushEdit(new command::EditItems(this, changes, text));
    setModified(true);
    return true;
}

void Document::forgetTyping(BaseItem *item)
{
    if (typingItem == item) {
        typingItem = nullptr;
        typingBefore.clear();
    }
}

void Document::itemTypingBegan(TextItem *item)
{
    typingItem = item;
    typingBefore = itemfactory::snapshot(item);
}

void Document::itemTypingEnded(TextItem *item)
{
    if (!item || typingItem != item)
        return;
    const QByteArray before = typingBefore;
    forgetTyping(item);
    if (item->scene() != this)
        return;
    QByteArray after = itemfactory::snapshot(item);
    if (after == before)
        return;
    stack->push(new command::EditItems(this, {{item, before, std::move(after)}}, tr("Typing")));
    setModified(true);
}

QByteArray Document::printerState() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    const QString name = printer ? printer->printerName() : QString();
    out << name;
    if (!name.isNull())
        printer->streamWrite(out);
    return bytes;
}

void Document::restorePrinterState(const QByteArray &bytes)
{
    QDataStream in(bytes);
    QString name;
    in >> name;
    if (in.status() != QDataStream::Ok)
        return;
    if (name.isNull()) {
        delete printer;
        printer = nullptr;
        return;
    }
    if (printer && printer->printerName() == name) {
        printer->streamRead(in);
        return;
    }
    auto *settings = new PrinterSettingsWin(name);
    settings->streamRead(in);
    delete printer;
    printer = settings;
}

void Document::labelPropertiesEdited(const SizeTemplate &stockBefore, const QByteArray &printerBefore)
{
    if (stock == stockBefore && printerState() == printerBefore)
        return;
    pushEdit(new command::SetLabelProperties(this, stockBefore, printerBefore));
    setModified(true);
}

void Document::pushEdit(QUndoCommand *command)
{
    // An edit of the layout ends the typing in a text frame, so that Undo
    // from the keyboard takes back this edit rather than the typed text.
    setFocusItem(nullptr);
    stack->push(command);
}

void Document::itemRepositioned(BaseItem *item, QPointF origPos)
{
    pushEdit(new command::MoveItem(item, origPos, merge));
    setModified(true);
}

void Document::itemResized(BaseItem *item)
{
    pushEdit(new command::SetGeometry(item, item->geometryAtHandlePress(),
                                      QObject::tr("Resize item")));
    setModified(true);
}

void Document::geometryEdited(BaseItem *item, const BaseItem::Geometry &before)
{
    if (!item || item->geometry() == before)
        return;
    pushEdit(new command::SetGeometry(item, before, QObject::tr("Position and size")));
    setModified(true);
}

void Document::copy()
{
    if (locked)
        return;
    copyBuffer.clear();
    const QList<QGraphicsItem *> selected = selectedItems();
    for (QGraphicsItem *gi : selected) {
        if (auto *item = dynamic_cast<BaseItem *>(gi)) {
            const QByteArray bytes = itemfactory::snapshot(item);
            if (!bytes.isEmpty())
                copyBuffer.append(qMakePair(item->type(), bytes));
        }
    }
    pasteCount = 0;
}

void Document::cut()
{
    if (locked)
        return;
    copy();
    // The cut items leave the document through an undoable deletion, so they
    // are neither saved nor printed, and Undo brings them back.
    deleteSelected();
}

void Document::paste()
{
    if (locked || copyBuffer.isEmpty())
        return;
    // Pasted items bind to this document's tables, as the copied ones were.
    DataSourceManager::LookupScope scope(services::dataSourceManager(), dataSources());
    ++pasteCount;
    const QRectF r = sceneRect();
    const QPointF offset(r.width() * 0.03 * pasteCount, r.height() * 0.03 * pasteCount);
    QList<BaseItem *> clones;
    for (const auto &entry : qAsConst(copyBuffer)) {
        BaseItem *clone = itemfactory::restore(entry.first, entry.second);
        if (!clone)
            continue;
        clone->moveBy(offset.x(), offset.y());
        clone->setRecordIndex(current);
        clones.append(clone);
    }
    if (clones.isEmpty())
        return;
    clearSelection();
    // One entry for all of them, which Undo takes back like an insertion.
    pushEdit(new command::PasteItems(this, clones));
    for (BaseItem *clone : qAsConst(clones)) {
        connectItem(clone);
        clone->setSelected(true);
    }
    setModified(true);
}

void Document::deleteSelected()
{
    if (locked || selectedItems().isEmpty())
        return;
    pushEdit(new command::DeleteSelectedItems(this));
    setModified(true);
}

void Document::alignSelected(Qt::Alignment alignment)
{
    if (locked)
        return;
    pushEdit(new command::AlignSelectedItems(this, alignment, merge));
    setModified(true);
    switchMergeId();
}

void Document::rotateSelected(double angle)
{
    if (locked)
        return;
    auto cmd = std::make_unique<command::RotateItems>(this, angle);
    // Turning items to the angle they already have is no edit.
    if (cmd->isEmpty())
        return;
    pushEdit(cmd.release());
    setModified(true);
}

void Document::setSelectedFont(const QFont &font)
{
    if (locked)
        return;
    QList<BaseItem *> changing;
    const QList<QGraphicsItem *> selected = selectedItems();
    for (QGraphicsItem *gi : selected) {
        if (auto *t = dynamic_cast<TextBearing *>(gi); t && itemtype::isTextBearing(gi->type())) {
            if (t->font() != font)
                changing.append(static_cast<BaseItem *>(gi));
        }
    }
    editItems(changing, tr("Font"), [&] {
        for (BaseItem *item : qAsConst(changing))
            dynamic_cast<TextBearing *>(item)->setFont(font);
    });
}

void Document::selectAllItems()
{
    // A text being edited lets go of the keyboard, so the selection is the items'.
    setFocusItem(nullptr);
    const QList<BaseItem *> all = labelItems();
    for (BaseItem *item : all)
        item->setSelected(true);
}

void Document::setSelectedTextAlignmentSlot(int idx)
{
    Qt::Alignment a;
    switch (idx) {
    case 1:
        a = Qt::AlignLeft;
        break;
    case 2:
        a = Qt::AlignHCenter | Qt::AlignVCenter;
        break;
    case 3:
        a = Qt::AlignRight;
        break;
    case 4:
        a = Qt::AlignJustify;
        break;
    default:
        return;
    }
    if (locked)
        return;
    QList<BaseItem *> changing;
    const QList<QGraphicsItem *> selected = selectedItems();
    for (QGraphicsItem *gi : selected) {
        if (auto *t = dynamic_cast<TextBearing *>(gi); t && itemtype::isTextBearing(gi->type())) {
            if (t->alignment() != a)
                changing.append(static_cast<BaseItem *>(gi));
        }
    }
    editItems(changing, tr("Text alignment"), [&] {
        for (BaseItem *item : qAsConst(changing))
            dynamic_cast<TextBearing *>(item)->setAlignment(a);
    });
}

void Document::setPrintMode(bool on)
{
    IPrintable::setPrintMode(on);
    const QList<QGraphicsItem *> all = items();
    for (QGraphicsItem *gi : all) {
        if (auto *p = dynamic_cast<IPrintable *>(gi))
            p->setPrintMode(on);
    }
    invalidate(sceneRect(), QGraphicsScene::BackgroundLayer);
}

void Document::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (mode != NoInsert) {
        pressPos = event->scenePos();
        // A click without a drag spans its rectangle from the press alone.
        movePos = pressPos;
    } else {
        switchMergeId();
    }
    QGraphicsScene::mousePressEvent(event);
}

void Document::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    // The second press of a double click starts a gesture of its own too: a
    // drag begun with it is a new undo entry, not part of the last one.
    if (mode == NoInsert)
        switchMergeId();
    QGraphicsScene::mouseDoubleClickEvent(event);
}

void Document::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (mode != NoInsert)
        movePos = event->scenePos();
    QGraphicsScene::mouseMoveEvent(event);
}

void Document::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (!locked && event->button() == Qt::LeftButton) {
        if (mode == NoInsert)
            emit itemMoved();
        else
            insertItemAt(mode);
    }
    emit itemInserted(nullptr);
    QGraphicsScene::mouseReleaseEvent(event);
}

void Document::insertItemAt(int insertMode)
{
    QRectF r = QRectF(pressPos, movePos).normalized();
    // A click (no drag) with the barcode tool gives a symbol of a size that
    // scans; a dragged one takes the dragged size.
    if (insertMode == InsertBarcode && r.width() < 50 && r.height() < 50)
        r.setSize(defaultBarcodeSize());
    if (r.width() < 50)
        r.setWidth(50);
    if (r.height() < 50)
        r.setHeight(50);
    // Every new item starts on the grid, as a moved one ends on it.
    if (snap)
        r.moveTopLeft(nearestGridPoint(r.topLeft()));

    BaseItem *item = nullptr;
    switch (insertMode) {
    case InsertText: {
        auto *cmd = new command::InsertTextItem(this, r.topLeft(), r.size(), insertFont, insertColor);
        pushEdit(cmd);
        item = cmd->item();
        break;
    }
    case InsertImage: {
        // The picture is chosen before anything is inserted; no choice, no item.
        const QPixmap picture = imageSource ? imageSource() : QPixmap();
        if (picture.isNull())
            return;
        auto *cmd = new command::InsertPixmapItem(this, r.topLeft(), r.size(), picture);
        pushEdit(cmd);
        item = cmd->item();
        break;
    }
    case InsertData: {
        auto *cmd = new command::InsertDataItem(this, r.topLeft(), r.size(), insertFont, insertColor);
        pushEdit(cmd);
        item = cmd->item();
        break;
    }
    case InsertDateTime: {
        auto *cmd =
            new command::InsertDateTimeItem(this, r.topLeft(), r.size(), insertFont, insertColor);
        pushEdit(cmd);
        item = cmd->item();
        break;
    }
    case InsertBarcode: {
        auto *cmd = new command::InsertBarcodeItem(this, r.topLeft(), r.size());
        pushEdit(cmd);
        item = cmd->item();
        break;
    }
    default:
        return;
    }
    if (!item)
        return;
    connectItem(item);
    setModified(true);
    // A new barcode asks at once for its symbology and data.
    if (auto *code = qgraphicsitem_cast<BarcodeItem *>(item)) {
        clearSelection();
        code->setSelected(true);
        emit itemInserted(item);
        // Part of the insertion: undone with it, and redone as it was then.
        ItemEditor::run(code, ItemEditor::Content, false);
        return;
    }
    // A new data frame asks at once which cells it shows.
    if (auto *data = qgraphicsitem_cast<DataItem *>(item)) {
        emit itemInserted(item);
        ItemEditor::run(data, ItemEditor::Content, false);
        return;
    }
    // A new text frame is the one selected item and ready for typing.
    if (auto *text = qgraphicsitem_cast<TextItem *>(item)) {
        clearSelection();
        text->setSelected(true);
        text->editor()->setFocus(Qt::MouseFocusReason);
    }
    emit itemInserted(item);
}

void Document::drawBackground(QPainter *painter, const QRectF &)
{
    const QRectF r = sceneRect();
    painter->save();
    // Printed labels get no outline: no pen at all, rather than a transparent
    // one, which a PDF page would carry as an invisible stroke for each label.
    if (printMode)
        painter->setPen(Qt::NoPen);
    else
        painter->setPen(QPen(QColor(Qt::black), 1, Qt::SolidLine));
    painter->setBrush(Qt::white);
    painter->drawRects(&r, 1);
    // A grid finer than a pixel per line (a label from a damaged file) is not drawn.
    const bool drawable = grid > 0 && r.width() / grid < 20000 && r.height() / grid < 20000;
    if (gridVisible && !printMode && drawable) {
        QVarLengthArray<QLineF, 256> lines;
        for (qreal x = r.left(); x < r.left() + r.width(); x += grid)
            lines.append(QLineF(x, r.top(), x, r.top() + r.height()));
        for (qreal y = r.top(); y < r.top() + r.height(); y += grid)
            lines.append(QLineF(r.left(), y, r.left() + r.width(), y));
        painter->setPen(QPen(QColor(200, 200, 255, 125), 1, Qt::SolidLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawLines(lines.constData(), lines.size());
    }
    painter->restore();
}

QList<DataBinding *> Document::bindings() const
{
    QList<DataBinding *> list;
    const QList<BaseItem *> all = labelItems();
    for (BaseItem *item : all) {
        if (auto *bound = dynamic_cast<CellBound *>(item)) {
            if (DataBinding *b = bound->cellBinding())
                list.append(b);
        }
    }
    return list;
}

QList<DataSource *> Document::dataSources() const
{
    QList<DataSource *> list;
    for (const DataSourceManager::BlockEntry &e : ownSources) {
        for (const QPointer<DataSource> &s : e.sources) {
            if (s && !list.contains(s))
                list.append(s);
        }
    }
    const QList<DataBinding *> all = bindings();
    for (DataBinding *b : all) {
        if (b->source() && !list.contains(b->source()))
            list.append(b->source());
    }
    return list;
}

void Document::adoptSource(DataSource *source)
{
    if (!source || dataSources().contains(source))
        return;
    ownSources.append(DataSourceManager::entryFor(source));
    setModified(true);
}

QStringList Document::dataProblems() const
{
    QStringList problems;
    DataSourceManager *manager = services::dataSourceManager();
    const QList<DataBinding *> all = bindings();
    for (DataBinding *b : all) {
        QString problem;
        if (b->isSet() && !b->isBound()) {
            problem = tr("An item is bound to the data source \"%1\", which is not open. Add "
                         "the data file (or the table) again, or bind the item to another source.")
                          .arg(b->sourceName().isEmpty() ? b->filePath() : b->sourceName());
        } else if (b->isBound() && manager && !manager->isStandIn(b->source()) &&
                   DataSourceManager::missingFile(b->source())) {
            problem = tr("The data file %1 is no longer there.")
                          .arg(b->source()->fileInfo().absoluteFilePath());
        }
        if (!problem.isEmpty() && !problems.contains(problem))
            problems << problem;
    }
    return problems;
}
