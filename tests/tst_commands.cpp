#include "commands.h"
#include "docbuilder.h"
#include "document.h"
#include "documentview.h"
#include "itemeditor.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/datetimeitem.h"
#include "labelitems/itemfactory.h"
#include "labelitems/textitem.h"
#include "mousedrive.h"

#include <QAction>
#include <QGraphicsSceneMouseEvent>
#include <QMenu>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

namespace {

struct Editor
{
    Document *doc = new Document;
    DocumentView *view = nullptr;
    Editor()
    {
        doc->setSizeTemplate(docbuilder::makeTemplate(100, 50));
        doc->setSnapToGrid(false);
        view = new DocumentView(doc);
        view->resize(900, 500);
        view->show();
    }
    ~Editor()
    {
        delete view;
        delete doc;
    }
    QUndoStack *stack() const { return doc->undoStack(); }
    TextItem *text(QPointF pos, QSizeF size = QSizeF(80, 30))
    {
        return docbuilder::addText(*doc, pos, size);
    }
    // Inserts by the text tool, dragging from `from` to `to`.
    TextItem *insert(QPointF from, QPointF to)
    {
        doc->setInsertMode(Document::InsertText);
        QSignalSpy inserted(doc, &Document::itemInserted);
        mousedrive::drag(view, from, to);
        for (const QList<QVariant> &args : qAsConst(inserted)) {
            if (auto *item = args.at(0).value<QGraphicsItem *>())
                return static_cast<TextItem *>(item);
        }
        return nullptr;
    }
};

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<QGraphicsItem *>(); }
    void clickInsertsMinimumSize();
    void dragSpansTheRectangle();
    void rightButtonAndLockInsertNothing();
    void undoRedoInsertion();
    void pasteIsOneUndoableEntry();
    void insertedItemsSnapToTheGrid();
    void positionAndSizeIsOneEntryUnlessLocked();
    void deleteIsOneEntry();
    void dragsAreMoveEntries();
    void moveEntriesMerge();
    void resizeUndoRestoresExactly();
    void alignOneToTheLabel();
    void alignSeveralToTheirUnion_data();
    void alignSeveralToTheirUnion();
    void alignWithoutSelection();
    void alignRotatedItemByItsVisualEdge();
    void closingDeletesOffSceneItemsOnce();
    void rotationBetweenResizeAndUndo();
    void toolbarWhileTypingKeepsTheKeyboard();
    void randomEditsUndoToEveryEarlierState_data();
    void randomEditsUndoToEveryEarlierState();
};

void TestCommands::clickInsertsMinimumSize()
{
    Editor e;
    TextItem *t = e.insert(QPointF(120, 80), QPointF(120, 80));
    QVERIFY(t);
    QCOMPARE(t->size(), QSizeF(50, 50));
    QVERIFY(QLineF(t->pos(), QPointF(120, 80)).length() < 1.5);
    QCOMPARE(e.stack()->count(), 1);
    QCOMPARE(e.stack()->text(0), QStringLiteral("Insert text frame"));
    QVERIFY(e.doc->isModified());
    // The document keeps its insert mode; the window resets it on itemInserted.
    QCOMPARE(t->font(), e.doc->font());
}

void TestCommands::dragSpansTheRectangle()
{
    Editor e;
    // Dragged up and to the left: the rectangle is normalised.
    TextItem *t = e.insert(QPointF(300, 200), QPointF(100, 120));
    QVERIFY(t);
    QVERIFY(QLineF(t->pos(), QPointF(100, 120)).length() < 1.5);
    QVERIFY(qAbs(t->size().width() - 200) < 1.5);
    QVERIFY(qAbs(t->size().height() - 80) < 1.5);
}

void TestCommands::rightButtonAndLockInsertNothing()
{
    Editor e;
    e.doc->setInsertMode(Document::InsertText);
    QSignalSpy inserted(e.doc, &Document::itemInserted);
    mousedrive::press(e.view, QPointF(100, 100), Qt::RightButton);
    mousedrive::release(e.view, QPointF(100, 100), Qt::RightButton);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(0).value<QGraphicsItem *>(), nullptr);
    QVERIFY(e.doc->labelItems().isEmpty());

    e.doc->setLocked(true);
    for (int mode : {int(Document::InsertText), int(Document::InsertBarcode)}) {
        e.doc->setInsertMode(mode);
        mousedrive::drag(e.view, QPointF(100, 100), QPointF(200, 200));
    }
    QVERIFY(e.doc->labelItems().isEmpty());
    QCOMPARE(e.stack()->count(), 0);
}

void TestCommands::undoRedoInsertion()
{
    Editor e;
    TextItem *t = e.insert(QPointF(100, 100), QPointF(220, 160));
    QVERIFY(t);
    QPointer<TextItem> guard(t);
    const QPointF pos = t->pos();
    const QSizeF size = t->size();
    e.stack()->undo();
    QVERIFY(guard);
    QVERIFY(!t->scene());
    QVERIFY(e.doc->labelItems().isEmpty());
    e.stack()->redo();
    QCOMPARE(e.doc->labelItems(), QList<BaseItem *>({t}));
    QCOMPARE(t->pos(), pos);
    QCOMPARE(t->size(), size);

    // Undone after it was formatted, it comes back formatted, not as it was
    // first drawn.
    QFont serif(QStringLiteral("DejaVu Serif"), 36);
    serif.setBold(true);
    t->setFont(serif);
    t->setTextColor(Qt::darkRed);
    e.stack()->undo();
    e.stack()->redo();
    QCOMPARE(t->font().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(t->font().pointSize(), 36);
    QVERIFY(t->font().bold());
    QCOMPARE(t->textColor(), QColor(Qt::darkRed));
    QCOMPARE(t->pos(), pos);
}

// With snap to grid on, an item of any kind inserted from a point between
// grid lines starts on the grid.
void TestCommands::insertedItemsSnapToTheGrid()
{
    Editor e;
    e.doc->setSnapToGrid(true);
    const double grid = e.doc->gridSize();
    QVERIFY(grid > 1);
    QPixmap picture(30, 20);
    picture.fill(Qt::blue);
    e.doc->setImageSource([&] { return picture; });
    for (const int mode : {int(Document::InsertText), int(Document::InsertImage),
                           int(Document::InsertDateTime)}) {
        e.doc->setInsertMode(Document::InsertMode(mode));
        QSignalSpy inserted(e.doc, &Document::itemInserted);
        mousedrive::drag(e.view, QPointF(103.7 + 40 * mode, 61.3), QPointF(203.1 + 40 * mode, 141.9));
        BaseItem *item = nullptr;
        for (const QList<QVariant> &args : qAsConst(inserted))
            if (auto *gi = args.at(0).value<QGraphicsItem *>())
                item = dynamic_cast<BaseItem *>(gi);
        QVERIFY2(item, qPrintable(QStringLiteral("mode %1 inserted nothing").arg(mode)));
        const QPointF at = item->scenePos() / grid;
        QVERIFY2(qFuzzyCompare(at.x(), std::round(at.x())) &&
                     qFuzzyCompare(at.y(), std::round(at.y())),
                 qPrintable(QStringLiteral("mode %1 at %2, %3").arg(mode).arg(item->scenePos().x())
                                .arg(item->scenePos().y())));
    }
}

// "Position and size..." is one entry on top of the older ones, so undoing
// and redoing it never brings back an older position; a locked layout does
// not open it.
void TestCommands::positionAndSizeIsOneEntryUnlessLocked()
{
    // Stands in for the dialog: what its OK applies.
    struct Dialog : ItemEditor
    {
        int runs = 0;
        bool edit(BaseItem *item, Kind) override
        {
            ++runs;
            item->setPos(20, 20);
            item->setSize(QSizeF(120, 60));
            item->setRotation(90);
            return true;
        }
    } dialog;
    ItemEditor::install(&dialog);
    struct Uninstall
    {
        ~Uninstall() { ItemEditor::install(nullptr); }
    } uninstall;

    Editor e;
    TextItem *t = e.text(QPointF(50, 50));
    const BaseItem::Geometry first = t->geometry();
    mousedrive::click(e.view, QPointF(-15, -15));
    t->setPos(300, 200);
    emit t->repositioned(t, first.pos);
    const BaseItem::Geometry moved = t->geometry();
    const int before = e.stack()->count();
    QVERIFY(QMetaObject::invokeMethod(t, "positionSizeDialog"));
    QCOMPARE(dialog.runs, 1);
    QCOMPARE(e.stack()->count(), before + 1);
    QCOMPARE(e.stack()->undoText(), QStringLiteral("Position and size"));
    const BaseItem::Geometry set = t->geometry();
    e.stack()->undo();
    QVERIFY(t->geometry() == moved);
    e.stack()->redo();
    QVERIFY(t->geometry() == set);
    e.stack()->undo();
    e.stack()->undo();
    QVERIFY(t->geometry() == first);
    e.stack()->redo();
    e.stack()->redo();
    QVERIFY(t->geometry() == set);

    e.doc->setLocked(true);
    QVERIFY(QMetaObject::invokeMethod(t, "positionSizeDialog"));
    QCOMPARE(dialog.runs, 1);
    QCOMPARE(e.stack()->count(), before + 1);
    // The menu shows the lock: its entry is off while the layout is locked.
    QAction *entry = t->menu()->actions().first();
    QVERIFY(!entry->isEnabled());
    e.doc->setLocked(false);
    QVERIFY(t->menu()->actions().first()->isEnabled());
}

// Cut and paste are one entry each: Undo takes the pasted copies away, then
// brings the cut item back; Redo repeats both with the same objects.
void TestCommands::pasteIsOneUndoableEntry()
{
    Editor e;
    TextItem *original = e.text(QPointF(50, 50));
    TextItem *other = e.text(QPointF(200, 50));
    original->setSelected(true);
    other->setSelected(true);
    const int before = e.stack()->count();
    e.doc->cut();
    QVERIFY(e.doc->labelItems().isEmpty());
    e.doc->paste();
    QCOMPARE(e.stack()->count(), before + 2);
    QCOMPARE(e.stack()->undoText(), QStringLiteral("Paste"));
    const QList<BaseItem *> pasted = e.doc->labelItems();
    QCOMPARE(pasted.size(), 2);
    QVERIFY(!pasted.contains(original) && !pasted.contains(other));
    QCOMPARE(e.doc->selectedItems().size(), 2);

    e.stack()->undo();
    QVERIFY(e.doc->labelItems().isEmpty());
    e.stack()->undo();
    QCOMPARE(e.doc->labelItems().size(), 2);
    QVERIFY(e.doc->labelItems().contains(original));
    e.stack()->redo();
    e.stack()->redo();
    const QList<BaseItem *> back = e.doc->labelItems();
    QCOMPARE(QSet<BaseItem *>(back.begin(), back.end()),
             QSet<BaseItem *>(pasted.begin(), pasted.end()));
    // Pasting again after an undo leaves the undone copies to the stack,
    // which deletes them once when the document closes.
    e.stack()->undo();
    e.doc->paste();
    QCOMPARE(e.doc->labelItems().size(), 2);
}

void TestCommands::deleteIsOneEntry()
{
    Editor e;
    QList<TextItem *> items = {e.text(QPointF(10, 10)), e.text(QPointF(100, 10)), e.text(QPointF(200, 10))};
    for (TextItem *t : items)
        t->setSelected(true);
    e.doc->deleteSelected();
    QCOMPARE(e.stack()->count(), 1);
    QCOMPARE(e.stack()->text(0), QStringLiteral("Delete items"));
    QVERIFY(e.doc->labelItems().isEmpty());
    e.stack()->undo();
    QCOMPARE(e.doc->labelItems().size(), 3);
    for (TextItem *t : items)
        QCOMPARE(t->scene(), e.doc);
    e.stack()->redo();
    QVERIFY(e.doc->labelItems().isEmpty());
    // Nothing selected: nothing pushed.
    e.doc->deleteSelected();
    QCOMPARE(e.stack()->count(), 1);
}

void TestCommands::dragsAreMoveEntries()
{
    Editor e;
    TextItem *t = e.text(QPointF(50, 50), QSizeF(100, 40));
    mousedrive::drag(e.view, QPointF(100, 47), QPointF(150, 97));
    QCOMPARE(e.stack()->count(), 1);
    QCOMPARE(e.stack()->text(0), QStringLiteral("Move item"));
    mousedrive::drag(e.view, t->pos() + QPointF(50, -3), t->pos() + QPointF(80, -3));
    QCOMPARE(e.stack()->count(), 2);
    e.stack()->undo();
    e.stack()->undo();
    QCOMPARE(t->pos(), QPointF(50, 50));

    // Three selected items dragged together: one entry each.
    Editor f;
    QList<TextItem *> items = {f.text(QPointF(50, 50)), f.text(QPointF(50, 150)), f.text(QPointF(200, 150))};
    for (TextItem *i : items)
        i->setSelected(true);
    // Grabbed by the frame band, away from the top handle.
    mousedrive::drag(f.view, QPointF(70, 47), QPointF(100, 67));
    QCOMPARE(f.stack()->count(), 3);
    QCOMPARE(items.at(2)->pos(), QPointF(230, 170));
    f.stack()->undo();
    f.stack()->undo();
    f.stack()->undo();
    QCOMPARE(items.at(1)->pos(), QPointF(50, 150));
    QCOMPARE(items.at(2)->pos(), QPointF(200, 150));
}

void TestCommands::moveEntriesMerge()
{
    Editor e;
    TextItem *a = e.text(QPointF(0, 0));
    TextItem *b = e.text(QPointF(0, 100));
    a->setPos(10, 0);
    e.stack()->push(new command::MoveItem(a, QPointF(0, 0), 1));
    a->setPos(20, 0);
    e.stack()->push(new command::MoveItem(a, QPointF(10, 0), 1));
    QCOMPARE(e.stack()->count(), 1);
    a->setPos(30, 0);
    e.stack()->push(new command::MoveItem(a, QPointF(20, 0), 2));
    b->setPos(5, 100);
    e.stack()->push(new command::MoveItem(b, QPointF(0, 100), 2));
    QCOMPARE(e.stack()->count(), 3);
    e.stack()->undo();
    e.stack()->undo();
    QCOMPARE(a->pos(), QPointF(20, 0));
    e.stack()->undo();
    QCOMPARE(a->pos(), QPointF(0, 0));
    e.stack()->redo();
    QCOMPARE(a->pos(), QPointF(20, 0));
}

void TestCommands::resizeUndoRestoresExactly()
{
    Editor e;
    TextItem *t = e.text(QPointF(50, 50), QSizeF(100, 40));
    t->setSelected(true);
    BaseItemCorner *corner = t->visualHandle(BaseItemCorner::BottomRight, false);
    const QPointF grip = corner->mapToScene(corner->rect().center());
    mousedrive::drag(e.view, grip, grip + QPointF(37, 21));
    QCOMPARE(e.stack()->count(), 1);
    QCOMPARE(e.stack()->text(0), QStringLiteral("Resize item"));
    const QSizeF resized = t->size();
    QVERIFY(resized.width() > 130);
    e.stack()->undo();
    QCOMPARE(t->size(), QSizeF(100, 40));
    QCOMPARE(t->pos(), QPointF(50, 50));
    e.stack()->redo();
    QCOMPARE(t->size(), resized);
}

void TestCommands::alignOneToTheLabel()
{
    Editor e;
    TextItem *t = e.text(QPointF(120, 70));
    t->setSelected(true);
    e.doc->alignSelected(Qt::AlignLeft);
    QCOMPARE(e.stack()->text(0), QStringLiteral("Align items"));
    QCOMPARE(t->pos(), QPointF(0, 70));
    e.doc->alignSelected(Qt::AlignBottom);
    QCOMPARE(t->pos().y() + t->size().height(), e.doc->sceneRect().bottom());
    e.doc->alignSelected(Qt::AlignHCenter);
    QCOMPARE(t->pos().x() + t->size().width() / 2, e.doc->sceneRect().center().x());
    e.stack()->undo();
    e.stack()->undo();
    e.stack()->undo();
    QCOMPARE(t->pos(), QPointF(120, 70));
}

void TestCommands::alignSeveralToTheirUnion_data()
{
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << int(Qt::AlignLeft);
    QTest::newRow("right") << int(Qt::AlignRight);
    QTest::newRow("top") << int(Qt::AlignTop);
    QTest::newRow("bottom") << int(Qt::AlignBottom);
}

void TestCommands::alignSeveralToTheirUnion()
{
    QFETCH(int, alignment);
    Editor e;
    QList<TextItem *> items = {e.text(QPointF(80, 40), QSizeF(60, 20)),
                               e.text(QPointF(30, 120), QSizeF(90, 30)),
                               e.text(QPointF(150, 200), QSizeF(40, 25))};
    for (TextItem *t : items)
        t->setSelected(true);
    e.doc->alignSelected(Qt::Alignment(alignment));
    for (TextItem *t : items) {
        const QRectF r(t->pos(), t->size());
        switch (alignment) {
        case Qt::AlignLeft:
            QCOMPARE(r.left(), 30.0 - 6); // the union of the bounding rectangles, band included
            break;
        case Qt::AlignRight:
            QCOMPARE(r.right(), 190.0 + 6);
            break;
        case Qt::AlignTop:
            QCOMPARE(r.top(), 40.0 - 6);
            break;
        case Qt::AlignBottom:
            QCOMPARE(r.bottom(), 225.0 + 6);
            break;
        }
    }
    QCOMPARE(e.stack()->count(), 1);
    QCOMPARE(e.stack()->command(0)->childCount(), 3);
}

void TestCommands::alignWithoutSelection()
{
    Editor e;
    TextItem *t = e.text(QPointF(120, 70));
    e.doc->alignSelected(Qt::AlignLeft);
    QCOMPARE(e.stack()->count(), 1);
    QCOMPARE(e.stack()->text(0), QStringLiteral("Align items"));
    e.stack()->undo();
    e.stack()->redo();
    QCOMPARE(t->pos(), QPointF(120, 70));
}

void TestCommands::alignRotatedItemByItsVisualEdge()
{
    Editor e;
    TextItem *t = e.text(QPointF(200, 100), QSizeF(80, 30));
    t->setSelected(true);
    t->setItemRotation(90); // the item's bottom edge now faces left
    e.doc->alignSelected(Qt::AlignLeft);
    const QRectF content = t->mapRectToScene(QRectF(QPointF(0, 0), t->size()));
    QVERIFY2(qAbs(content.left()) < 1e-6, qPrintable(QString::number(content.left())));
}

void TestCommands::closingDeletesOffSceneItemsOnce()
{
    int destroyed = 0;
    QPointer<TextItem> inserted;
    QPointer<TextItem> deleted;
    {
        Editor e;
        inserted = e.insert(QPointF(100, 100), QPointF(200, 150));
        QVERIFY(inserted);
        connect(inserted, &QObject::destroyed, this, [&destroyed] { ++destroyed; });
        e.stack()->undo(); // out of the scene, owned by its command
        deleted = e.text(QPointF(10, 10));
        connect(deleted, &QObject::destroyed, this, [&destroyed] { ++destroyed; });
        deleted->setSelected(true);
        e.doc->deleteSelected(); // out of the scene, owned by the delete command
        QVERIFY(!deleted->scene());
    }
    QCOMPARE(destroyed, 2);
    QVERIFY(!inserted);
    QVERIFY(!deleted);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"

namespace {

// What the user sees of the items in the scene, keyed by the order in which
// the test met them (pointers may be reused once an item is freed).
struct ItemState
{
    BaseItem::Geometry geometry;
    QString text;
};
using SceneState = QMap<int, ItemState>;

QString differs(const SceneState &now, const SceneState &then)
{
    if (now.keys() != then.keys()) {
        QString out;
        QDebug(&out) << "items in the scene" << now.keys() << "expected" << then.keys();
        return out;
    }
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const ItemState &a = it.value();
        const ItemState &b = then.value(it.key());
        const bool near = QLineF(a.geometry.pos, b.geometry.pos).length() < 1e-6 &&
                          qAbs(a.geometry.size.width() - b.geometry.size.width()) < 1e-6 &&
                          qAbs(a.geometry.size.height() - b.geometry.size.height()) < 1e-6;
        if (!near || a.geometry.rotation != b.geometry.rotation || a.text != b.text) {
            QString out;
            QDebug(&out) << "item" << it.key() << a.geometry.pos << a.geometry.size
                         << a.geometry.rotation << a.text << "expected" << b.geometry.pos
                         << b.geometry.size << b.geometry.rotation << b.text;
            return out;
        }
    }
    return QString();
}

} // namespace

void TestCommands::rotationBetweenResizeAndUndo()
{
    // Insert, type, drag the bottom-right handle, turn by 90 degrees, undo
    // twice: the item is back where and as large as it was, text and all.
    Editor e;
    TextItem *t = e.insert(QPointF(60, 60), QPointF(200, 110));
    QVERIFY(t);
    e.doc->resetInsertMode(); // the window does this when the item is in
    QTest::keyClicks(e.view->viewport(), QStringLiteral("Lot 7"));
    QCOMPARE(t->plainText(), QStringLiteral("Lot 7"));
    const BaseItem::Geometry inserted = t->geometry();
    BaseItemCorner *corner = t->visualHandle(BaseItemCorner::BottomRight, false);
    const QPointF grip = corner->mapToScene(corner->rect().center());
    mousedrive::drag(e.view, grip, grip + QPointF(40, 30));
    const BaseItem::Geometry resized = t->geometry();
    QVERIFY(resized.size.width() > inserted.size.width());
    t->setSelected(true);
    e.doc->rotateSelected(90);
    QStringList entries;
    for (int i = 0; i < e.stack()->count(); ++i)
        entries << e.stack()->text(i);
    QCOMPARE(entries, (QStringList{QStringLiteral("Insert text frame"), QStringLiteral("Resize item"),
                                   QStringLiteral("Rotate items")}));
    QCOMPARE(t->rotation(), 90.0);

    e.stack()->undo();
    QCOMPARE(t->geometry(), resized);
    e.stack()->undo();
    const QString wrong = differs(SceneState{{0, {t->geometry(), t->plainText()}}},
                                  SceneState{{0, {inserted, QStringLiteral("Lot 7")}}});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    e.stack()->redo();
    e.stack()->redo();
    QCOMPARE(t->rotation(), 90.0);
    QCOMPARE(t->size(), resized.size);
    QCOMPARE(t->plainText(), QStringLiteral("Lot 7"));
    // Turning back is an entry of its own and leaves the size alone.
    e.doc->rotateSelected(0);
    QCOMPARE(t->size(), resized.size);
    QCOMPARE(t->pos(), resized.pos);
}

void TestCommands::toolbarWhileTypingKeepsTheKeyboard()
{
    // Typing, bold from the toolbar, typing on: three entries, and the keys
    // after the bold still reach the frame.
    Editor e;
    QApplication::setActiveWindow(e.view);
    TextItem *t = e.text(QPointF(40, 40), QSizeF(200, 60));
    e.doc->setFocusItem(t->editor(), Qt::MouseFocusReason);
    QTest::keyClicks(e.view->viewport(), QStringLiteral("Fresh"));
    QFont bold = t->font();
    bold.setBold(true);
    e.doc->setSelectedFont(bold);
    QVERIFY(t->editor()->hasFocus());
    QTest::keyClicks(e.view->viewport(), QStringLiteral(" Apples"));
    e.doc->endTyping();
    QCOMPARE(t->plainText(), QStringLiteral("Fresh Apples"));
    QStringList entries;
    for (int i = 0; i < e.stack()->count(); ++i)
        entries << e.stack()->text(i);
    QCOMPARE(entries, (QStringList{"Typing", "Font", "Typing"}));
    e.stack()->undo();
    QCOMPARE(t->plainText(), QStringLiteral("Fresh"));
    QVERIFY(t->font().bold());
    e.stack()->undo();
    QVERIFY(!t->font().bold());
    e.stack()->undo();
    QCOMPARE(t->plainText(), QString());
}

void TestCommands::randomEditsUndoToEveryEarlierState_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 20261208u, 77u})
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

namespace {

// What the item dialogs of the window would do, chosen by the test.
class ScriptedEditor : public ItemEditor
{
public:
    QRandomGenerator *rng = nullptr;
    bool edit(BaseItem *item, Kind kind) override
    {
        if (kind == PositionSize) {
            BaseItem::Geometry g = item->geometry();
            g.pos = QPointF(rng->bounded(-50, 700), rng->bounded(-50, 400));
            g.size = QSizeF(rng->bounded(20, 200), rng->bounded(20, 120));
            item->setGeometry(g);
            return true;
        }
        if (auto *code = qgraphicsitem_cast<BarcodeItem *>(item)) {
            code->setConstantData(QString::number(rng->bounded(100000, 999999)));
            return true;
        }
        if (auto *clock = qgraphicsitem_cast<DateTimeItem *>(item)) {
            clock->setValue(QDateTime(QDate(2026, 1 + int(rng->bounded(12)), 1), QTime(8, 0)),
                            rng->bounded(2) ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("dd.MM."),
                            false);
            return true;
        }
        return false;
    }
};

// Everything undo must put back: each item's block, keyed by the order in
// which the test met it, the stock and the number of labels. The blocks are
// taken with the first label shown, since a block also holds the text of
// the label on screen, which is no edit.
struct DocState
{
    QMap<int, QByteArray> items;
    SizeTemplate stock;
    int labels = 0;
};

DocState docState(Document *doc, const QList<QPointer<BaseItem>> &tracked)
{
    DocState state;
    const int shown = doc->currentLabel();
    doc->selectLabel(0);
    for (int i = 0; i < tracked.size(); ++i) {
        BaseItem *item = tracked.at(i);
        if (item && item->scene() == doc)
            state.items.insert(i, itemfactory::snapshot(item));
    }
    doc->selectLabel(shown);
    state.stock = doc->sizeTemplate();
    state.labels = doc->labelCount();
    return state;
}

QString differs(const DocState &now, const DocState &then)
{
    QString out;
    if (now.items.keys() != then.items.keys())
        QDebug(&out) << "items in the scene" << now.items.keys() << "expected" << then.items.keys();
    for (auto it = now.items.cbegin(); out.isEmpty() && it != now.items.cend(); ++it) {
        if (it.value() != then.items.value(it.key()))
            QDebug(&out) << "item" << it.key() << "differs";
    }
    if (out.isEmpty() && !(now.stock == then.stock))
        QDebug(&out) << "stock" << now.stock.labelWidth() << "expected" << then.stock.labelWidth();
    if (out.isEmpty() && now.labels != then.labels)
        QDebug(&out) << now.labels << "labels, expected" << then.labels;
    return out;
}

} // namespace

void TestCommands::randomEditsUndoToEveryEarlierState()
{
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    ScriptedEditor dialogs;
    dialogs.rng = &rng;
    ItemEditor::install(&dialogs);
    struct Uninstall
    {
        ~Uninstall() { ItemEditor::install(nullptr); }
    } uninstall;

    Editor e;
    QApplication::setActiveWindow(e.view);
    QList<QPointer<BaseItem>> tracked;
    for (int i = 0; i < 3; ++i) {
        TextItem *t = e.text(QPointF(40 + 150 * i, 60 + 20 * i), QSizeF(90, 40));
        t->setPlainText(QStringLiteral("item %1").arg(i));
        tracked.append(t);
    }
    {
        // A barcode and a date, put in without entries of their own.
        command::InsertBarcodeItem code(e.doc, QPointF(30, 250), QSizeF(200, 80));
        code.redo();
        e.doc->connectItem(code.item());
        tracked.append(code.item());
        command::InsertDateTimeItem clock(e.doc, QPointF(400, 250), QSizeF(150, 40), QFont(),
                                          Qt::black);
        clock.redo();
        // A fixed date: the system time would differ from one snapshot to the next.
        clock.item()->setValue(QDateTime(QDate(2026, 12, 9), QTime(9, 0)), QString(), false);
        e.doc->connectItem(clock.item());
        tracked.append(clock.item());
    }
    auto inScene = [&] {
        QList<BaseItem *> list;
        for (BaseItem *item : qAsConst(tracked)) {
            if (item && item->scene() == e.doc)
                list.append(item);
        }
        return list;
    };
    auto selectSome = [&](const QList<BaseItem *> &items) {
        e.doc->clearSelection();
        for (BaseItem *item : items) {
            if (rng.bounded(2))
                item->setSelected(true);
        }
        if (e.doc->selectedItems().isEmpty() && !items.isEmpty())
            items.at(int(rng.bounded(items.size())))->setSelected(true);
    };
    auto randomPoint = [&] { return QPointF(rng.bounded(-100, 800), rng.bounded(-100, 450)); };

    // states[i] is what the document held with i commands done.
    QList<DocState> states{docState(e.doc, tracked)};
    int edits = 0;
    while (edits < 300) {
        const QList<BaseItem *> items = inScene();
        QList<TextItem *> texts;
        for (BaseItem *item : items) {
            if (auto *t = qgraphicsitem_cast<TextItem *>(item))
                texts.append(t);
        }
        const int kind = int(rng.bounded(17));
        const int indexBefore = e.stack()->index();
        if (kind == 7 && e.stack()->canUndo()) {
            e.stack()->undo();
        } else if (kind == 8 && e.stack()->canRedo()) {
            e.stack()->redo();
        } else if (kind == 0 && items.size() < 8) {
            auto *cmd = new command::InsertTextItem(e.doc, randomPoint(), QSizeF(60, 50), QFont(),
                                                    Qt::black);
            e.stack()->push(cmd);
            e.doc->connectItem(cmd->item());
            cmd->item()->setPlainText(QStringLiteral("item %1").arg(tracked.size()));
            tracked.append(cmd->item());
            ++edits;
        } else if (kind == 9 && !texts.isEmpty()) {
            // Typing: the frame gets the keyboard, keys go in, it lets go.
            TextItem *t = texts.at(int(rng.bounded(texts.size())));
            e.doc->setFocusItem(t->editor(), Qt::MouseFocusReason);
            QVERIFY(t->editor()->hasFocus());
            QTest::keyClicks(e.view->viewport(), QString(QChar('a' + int(rng.bounded(26)))));
            if (rng.bounded(3) == 0)
                QTest::keyClick(e.view->viewport(), Qt::Key_Backspace);
            e.doc->endTyping();
            ++edits;
        } else if (kind == 10 && !items.isEmpty()) {
            // The text toolbar's font, size and style.
            selectSome(items);
            QFont f(rng.bounded(2) ? QStringLiteral("DejaVu Serif") : QStringLiteral("Liberation Sans"));
            f.setPointSize(8 + int(rng.bounded(30)));
            f.setBold(rng.bounded(2));
            e.doc->setSelectedFont(f);
            ++edits;
        } else if (kind == 11 && !items.isEmpty()) {
            selectSome(items);
            e.doc->setSelectedTextAlignmentSlot(1 + int(rng.bounded(4)));
            ++edits;
        } else if (kind == 12 && !items.isEmpty()) {
            // An item's dialog accepted, or its "Position and size...".
            BaseItem *item = items.at(int(rng.bounded(items.size())));
            if (rng.bounded(2))
                ItemEditor::run(item, ItemEditor::Content);
            else
                QMetaObject::invokeMethod(item, "positionSizeDialog");
            ++edits;
        } else if (kind == 13 && e.doc->labelCount() < 6) {
            e.doc->insertLabel();
            ++edits;
        } else if (kind == 14) {
            // "Label properties": another stock.
            const SizeTemplate before = e.doc->sizeTemplate();
            const QByteArray printer = e.doc->printerState();
            e.doc->setSizeTemplate(docbuilder::makeTemplate(50 + rng.bounded(3) * 25, 50));
            e.doc->labelPropertiesEdited(before, printer);
            ++edits;
        } else if (kind == 15 && !items.isEmpty()) {
            selectSome(items);
            e.doc->copy();
            e.doc->paste();
            const QList<QGraphicsItem *> pasted = e.doc->selectedItems();
            for (QGraphicsItem *gi : pasted)
                tracked.append(static_cast<BaseItem *>(gi));
            ++edits;
        } else if (kind <= 6 && !items.isEmpty()) {
            BaseItem *t = items.at(int(rng.bounded(items.size())));
            switch (kind) {
            case 1: {
                // What a drag of the item reports at the release; the press
                // starts a new gesture, so moves never merge here.
                mousedrive::click(e.view, QPointF(-15, -15));
                const QPointF old = t->pos();
                t->setPos(randomPoint());
                emit t->repositioned(t, old);
                break;
            }
            case 2: {
                // A drag of one of its handles, as the scene delivers it.
                e.doc->clearSelection();
                t->setSelected(true);
                BaseItemCorner *handle = t->handles().at(int(rng.bounded(8)));
                const QPointF from = t->anchorScenePos(handle->placement());
                const QPointF to = from + QPointF(rng.bounded(-40, 60), rng.bounded(-40, 60));
                for (auto [type, at] : {qMakePair(QEvent::GraphicsSceneMousePress, from),
                                        qMakePair(QEvent::GraphicsSceneMouseMove, to),
                                        qMakePair(QEvent::GraphicsSceneMouseRelease, to)}) {
                    QGraphicsSceneMouseEvent event(type);
                    event.setScenePos(at);
                    event.setButton(Qt::LeftButton);
                    e.doc->sendEvent(handle, &event);
                }
                break;
            }
            case 3:
                selectSome(items);
                e.doc->rotateSelected(45 * int(rng.bounded(8)));
                break;
            case 4: {
                static const Qt::Alignment sides[] = {Qt::AlignLeft,   Qt::AlignRight,
                                                      Qt::AlignHCenter, Qt::AlignTop,
                                                      Qt::AlignBottom,  Qt::AlignVCenter};
                selectSome(items);
                e.doc->alignSelected(sides[rng.bounded(6)]);
                break;
            }
            case 5:
                selectSome(items);
                e.doc->deleteSelected();
                break;
            default: {
                // Turning items to an angle some of them have already.
                e.doc->clearSelection();
                t->setSelected(true);
                e.doc->rotateSelected(t->rotation());
                break;
            }
            }
            ++edits;
        } else {
            continue;
        }

        const DocState now = docState(e.doc, tracked);
        const int index = e.stack()->index();
        if (kind == 7 || kind == 8) {
            const QString wrong = differs(now, states.at(index));
            QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("after %1 to %2: %3")
                                                     .arg(kind == 7 ? "undo" : "redo")
                                                     .arg(index)
                                                     .arg(wrong)));
        } else if (index != indexBefore) {
            QCOMPARE(index, indexBefore + 1);
            QCOMPARE(e.stack()->count(), index);
            QVERIFY(!e.stack()->text(index - 1).isEmpty());
            states = states.mid(0, index);
            states.append(now);
        } else {
            const QString wrong = differs(now, states.at(index));
            QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("edit %1 without an entry: %2")
                                                     .arg(kind)
                                                     .arg(wrong)));
        }
    }

    while (e.stack()->canUndo())
        e.stack()->undo();
    QString wrong = differs(docState(e.doc, tracked), states.first());
    QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("undoing everything: ") + wrong));
    while (e.stack()->canRedo())
        e.stack()->redo();
    wrong = differs(docState(e.doc, tracked), states.last());
    QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("redoing everything: ") + wrong));
}
