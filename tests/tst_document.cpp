#include "docbuilder.h"
#include "document.h"
#include "itemeditor.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/dataitem.h"
#include "labelitems/datetimeitem.h"
#include "labelitems/textitem.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

using docbuilder::addText;

namespace {

QImage renderBackground(Document &doc)
{
    const QRectF r = doc.sceneRect();
    QImage img(r.size().toSize() + QSize(2, 2), QImage::Format_ARGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    p.translate(1, 1);
    doc.render(&p, QRectF(0, 0, r.width(), r.height()), r);
    return img;
}

// Records what the items asked for and answers with `accept`.
class RecordingEditor : public ItemEditor
{
public:
    bool edit(BaseItem *item, Kind kind) override
    {
        asked.append({item, kind});
        return accept;
    }
    bool accept = false;
    QList<QPair<BaseItem *, Kind>> asked;
};

QAction *menuAction(BaseItem *item, const QString &text)
{
    const QList<QAction *> actions = item->menu()->actions();
    for (QAction *a : actions) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT
private slots:
    void geometryFollowsLabelWidth_data();
    void geometryFollowsLabelWidth();
    void newDocumentHasNoLabelFace();
    void nearestGridPointRoundsHalfAwayFromZero();
    void labelsFollowRecords();
    void lockRefusesEditing();
    void copyAndPasteClones();
    void copyBufferSurvivesDeletion();
    void cutRemovesThroughUndo();
    void printModeHidesGridAndOutline();
    void textAlignmentSlot();
    void itemEditsGoThroughTheInstalledEditor();
};

void TestDocument::geometryFollowsLabelWidth_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("pixelsPerMm");
    QTest::newRow("10 mm") << 10.0 << 18.097;
    QTest::newRow("50 mm") << 50.0 << 12.131;
    QTest::newRow("100 mm") << 100.0 << 7.358;
    QTest::newRow("300 mm") << 300.0 << 0.996;
}

void TestDocument::geometryFollowsLabelWidth()
{
    QFETCH(double, width);
    QFETCH(double, pixelsPerMm);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(width, 50));
    const LabelGeometry g = doc.labelGeometry();
    QVERIFY(qAbs(g.pixelsPerMm - pixelsPerMm) < 0.001);
    QCOMPARE(doc.gridSize(), g.pixelsPerMm);
    QCOMPARE(doc.sceneRect(), g.sceneRect);
    QCOMPARE(g.mmRect, QRectF(0, 0, width, 50));
    if (width == 100.0) {
        QVERIFY(qAbs(g.sceneRect.width() - 735.8) < 0.05);
        QVERIFY(qAbs(g.sceneRect.height() - 367.9) < 0.05);
    }
    QVERIFY(doc.isModified());
}

void TestDocument::newDocumentHasNoLabelFace()
{
    Document doc;
    QVERIFY(doc.sceneRect().isEmpty());
    QCOMPARE(doc.labelCount(), 1);
    QCOMPARE(doc.insertMode(), 0);
    QVERIFY(!doc.isModified());
    QVERIFY(doc.isGridVisible());
    QVERIFY(doc.snapToGrid());
}

void TestDocument::nearestGridPointRoundsHalfAwayFromZero()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    const double g = doc.gridSize();
    QCOMPARE(doc.nearestGridPoint(QPointF(2.5 * g, -2.5 * g)), QPointF(3 * g, -3 * g));
    QCOMPARE(doc.nearestGridPoint(QPointF(2.4 * g, 0.6 * g)), QPointF(2 * g, 1 * g));
    QCOMPARE(doc.nearestGridPoint(QPointF(-0.4 * g, -1.6 * g)), QPointF(0, -2 * g));
}

void TestDocument::labelsFollowRecords()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    TextItem *a = addText(doc, QPointF(0, 0), QSizeF(100, 40), QStringLiteral("A"));
    TextItem *b = addText(doc, QPointF(0, 60), QSizeF(100, 40), QStringLiteral("B"));
    b->insertRecord(2); // three records
    QCOMPARE(doc.labelCount(), 3);

    QSignalSpy changed(&doc, &Document::labelChanged);
    doc.selectLabel(5);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 5);
    QCOMPARE(changed.at(0).at(1).toInt(), 3);
    QCOMPARE(doc.currentLabel(), 5);
    // Out of range for the items: they keep showing what they showed.
    QCOMPARE(b->recordIndex(), 0);

    doc.setModified(false);
    QSignalSpy inserted(&doc, &Document::labelsInserted);
    doc.insertLabel();
    QCOMPARE(inserted.count(), 1);
    QVERIFY(doc.isModified());
    // Every item was asked for record 3: both now hold four.
    QCOMPARE(a->recordCount(), 4);
    QCOMPARE(b->recordCount(), 4);
    QCOMPARE(doc.labelCount(), 4);
}

void TestDocument::lockRefusesEditing()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    TextItem *t = addText(doc, QPointF(10, 10), QSizeF(60, 30), QStringLiteral("x"));
    t->setSelected(true);
    doc.copy();
    doc.setLocked(true);
    QVERIFY(!(t->flags() & QGraphicsItem::ItemIsMovable));

    doc.paste();
    QCOMPARE(doc.labelItems().size(), 1);
    doc.copy();
    doc.cut();
    doc.deleteSelected();
    doc.insertLabel();
    doc.rotateSelected(90);
    QCOMPARE(doc.labelItems().size(), 1);
    QCOMPARE(doc.labelCount(), 1);
    QCOMPARE(t->rotation(), 0.0);
    QCOMPARE(doc.undoStack()->count(), 0);

    doc.setLocked(false);
    QVERIFY(t->flags() & QGraphicsItem::ItemIsMovable);
    doc.paste(); // the buffer from before the lock is still there
    QCOMPARE(doc.labelItems().size(), 2);
}

void TestDocument::copyAndPasteClones()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    TextItem *t = addText(doc, QPointF(10, 20), QSizeF(60, 30), QStringLiteral("orig"));
    t->setSelected(true);
    doc.copy();
    doc.setModified(false);
    doc.paste();
    doc.paste();
    QVERIFY(doc.isModified());
    QList<TextItem *> clones;
    for (BaseItem *i : doc.labelItems()) {
        if (i != t)
            clones << static_cast<TextItem *>(i);
    }
    QCOMPARE(clones.size(), 2);
    const QRectF r = doc.sceneRect();
    QList<QPointF> positions;
    for (TextItem *c : clones) {
        QCOMPARE(c->plainText(), QStringLiteral("orig"));
        QCOMPARE(c->size(), t->size());
        positions << c->pos() - t->pos();
    }
    // 3 % of the label per paste: the second paste lands 6 % away.
    QVERIFY(positions.contains(QPointF(r.width() * 0.03, r.height() * 0.03)));
    QVERIFY(positions.contains(QPointF(r.width() * 0.06, r.height() * 0.06)));
    // Clones are wired like any other item.
    QSignalSpy selected(&doc, &Document::itemSelectedChange);
    doc.clearSelection();
    clones.first()->setSelected(true);
    QVERIFY(!selected.isEmpty());
}

void TestDocument::copyBufferSurvivesDeletion()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    TextItem *t = addText(doc, QPointF(10, 20), QSizeF(60, 30), QStringLiteral("gone"));
    t->setSelected(true);
    doc.copy();
    delete t;
    doc.paste();
    QCOMPARE(doc.labelItems().size(), 1);
    QCOMPARE(static_cast<TextItem *>(doc.labelItems().first())->plainText(), QStringLiteral("gone"));
}

void TestDocument::cutRemovesThroughUndo()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    TextItem *t = addText(doc, QPointF(10, 20), QSizeF(60, 30), QStringLiteral("cut me"));
    t->setSelected(true);
    doc.cut();
    QVERIFY(doc.labelItems().isEmpty());
    QVERIFY(doc.isModified());
    doc.paste();
    QCOMPARE(doc.labelItems().size(), 1);
    doc.undoStack()->undo(); // the paste is taken back first
    QVERIFY(doc.labelItems().isEmpty());
    doc.undoStack()->undo(); // then the cut item comes back
    QCOMPARE(doc.labelItems(), QList<BaseItem *>({t}));
}

void TestDocument::printModeHidesGridAndOutline()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(20, 10));
    const QImage edit = renderBackground(doc);
    // Outline black at the label's right edge (no grid line lies on it), grid lines inside.
    const int right = int(doc.sceneRect().width()) + 1;
    QCOMPARE(QColor(edit.pixel(right, 20)), QColor(Qt::black));
    bool gridSeen = false;
    for (int x = 2; x < edit.width() - 2 && !gridSeen; ++x) {
        const QColor c = edit.pixel(x, edit.height() / 2);
        gridSeen = c != QColor(Qt::white) && c.blue() > c.red();
    }
    QVERIFY(gridSeen);

    doc.setPrintMode(true);
    const QImage print = renderBackground(doc);
    for (int x = 2; x < print.width() - 2; ++x)
        QCOMPARE(QColor(print.pixel(x, print.height() / 2)), QColor(Qt::white));
    QVERIFY(QColor(print.pixel(right, 20)) != QColor(Qt::black));
    doc.setPrintMode(false);
}

void TestDocument::textAlignmentSlot()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    TextItem *t = addText(doc, QPointF(10, 20), QSizeF(60, 30), QStringLiteral("a"));
    t->setSelected(true);
    doc.setModified(false);
    doc.setSelectedTextAlignmentSlot(0);
    QVERIFY(!doc.isModified());
    QCOMPARE(t->alignment(), Qt::Alignment(Qt::AlignLeft));
    doc.setSelectedTextAlignmentSlot(2);
    QCOMPARE(t->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    QVERIFY(doc.isModified());
    doc.setSelectedTextAlignmentSlot(4);
    QCOMPARE(t->alignment(), Qt::Alignment(Qt::AlignJustify));
    QFont f(QStringLiteral("Liberation Serif"), 30);
    doc.setSelectedFont(f);
    QCOMPARE(t->font(), f);
}

// The document layer has no dialogs: an item's menu asks the installed
// editor, and only an accepted edit marks the document changed.
void TestDocument::itemEditsGoThroughTheInstalledEditor()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 40));
    auto *code = new BarcodeItem(doc.defaultBarcodeSize());
    auto *data = new DataItem(QSizeF(100, 30));
    auto *clock = new DateTimeItem(QSizeF(100, 30));
    TextItem *text = addText(doc, QPointF(5, 5), QSizeF(100, 30), QStringLiteral("T"));
    const QList<QPair<BaseItem *, QString>> contentEditors = {
        {code, QStringLiteral("Edit barcode...")},
        {data, QStringLiteral("Edit data source...")},
        {clock, QStringLiteral("Edit date and time format...")}};
    for (const auto &entry : contentEditors)
        doc.addItem(entry.first);

    // Nothing installed: nothing opens and nothing changes.
    ItemEditor::install(nullptr);
    QSignalSpy quiet(code, &BaseItem::contentEdited);
    menuAction(code, QStringLiteral("Edit barcode..."))->trigger();
    menuAction(text, QStringLiteral("Position and size..."))->trigger();
    QCOMPARE(quiet.count(), 0);

    RecordingEditor editor;
    ItemEditor::install(&editor);
    for (bool accept : {false, true}) {
        editor.accept = accept;
        editor.asked.clear();
        for (const auto &entry : contentEditors) {
            QSignalSpy edited(entry.first, &BaseItem::contentEdited);
            QAction *action = menuAction(entry.first, entry.second);
            QVERIFY2(action, qPrintable(entry.second));
            action->trigger();
            QCOMPARE(edited.count(), accept ? 1 : 0);
        }
        QSignalSpy moved(text, &BaseItem::contentEdited);
        menuAction(text, QStringLiteral("Position and size..."))->trigger();
        QCOMPARE(moved.count(), accept ? 1 : 0);
        QCOMPARE(editor.asked.size(), 4);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(editor.asked.at(i).first, contentEditors.at(i).first);
            QCOMPARE(editor.asked.at(i).second, ItemEditor::Content);
        }
        QCOMPARE(editor.asked.at(3).first, static_cast<BaseItem *>(text));
        QCOMPARE(editor.asked.at(3).second, ItemEditor::PositionSize);
    }
    ItemEditor::install(nullptr);
}

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
