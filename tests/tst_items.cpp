#include "docbuilder.h"
#include "document.h"
#include "documentview.h"
#include "labelitems/textitem.h"
#include "mousedrive.h"
#include "ruler.h"
#include "testutil.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

struct Scene
{
    Document doc;
    DocumentView *view = nullptr;
    Scene()
    {
        doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
        view = new DocumentView(&doc);
        view->resize(900, 500);
        view->show();
    }
    ~Scene() { delete view; }
    TextItem *text(QPointF pos, QSizeF size, const QString &s = QString())
    {
        return docbuilder::addText(doc, pos, size, s);
    }
};

BaseItemCorner *handle(BaseItem *item, BaseItemCorner::Placement p)
{
    return item->visualHandle(p, false);
}

QByteArray blockOf(TextItem *t)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(15);
    t->streamWrite(out);
    return bytes;
}

} // namespace

class TestItems : public QObject
{
    Q_OBJECT
private slots:
    void handlesAppearOnFirstSelection();
    void handlesHideInPrintMode();
    void resizeByLeftHandle();
    void rotatedResizeKeepsOppositeEdge();
    void cursorsFollowRotation_data();
    void cursorsFollowRotation();
    void anchorsOfRotatedItem();
    void moveWithoutSnapping();
    void moveWithSnapping();
    void handleDragThroughTheView();
    void lockedItemKeepsItsSize();
    void recordsOfTexts();
    void writingTakesTheEditorText();
    void streamBlockLayout();
    void readsOlderVersions_data();
    void readsOlderVersions();
    void pressInTextEditsPressOnBandDrags();
    void textIsClippedAndWrapped();
    void rulersFollowANewStock();
};

void TestItems::handlesAppearOnFirstSelection()
{
    Scene s;
    TextItem *t = s.text(QPointF(10, 10), QSizeF(50, 20));
    QVERIFY(t->handles().isEmpty());
    t->setSelected(true);
    QCOMPARE(t->handles().size(), 8);
    const QList<BaseItemCorner::Placement> order = {
        BaseItemCorner::Top,        BaseItemCorner::Right,       BaseItemCorner::Bottom,
        BaseItemCorner::Left,       BaseItemCorner::TopRight,    BaseItemCorner::BottomRight,
        BaseItemCorner::BottomLeft, BaseItemCorner::TopLeft};
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(t->handles().at(i)->placement(), order.at(i));
        QVERIFY(t->handles().at(i)->isVisible());
        // Inside the 6-unit band, touching the content rectangle.
        QVERIFY(t->boundingRect().contains(t->handles().at(i)->mapRectToParent(t->handles().at(i)->rect())));
    }
    QCOMPARE(handle(t, BaseItemCorner::TopLeft)->pos(), QPointF(-6, -6));
    QCOMPARE(handle(t, BaseItemCorner::BottomRight)->pos(), QPointF(50, 20));
    t->setSelected(false);
    QVERIFY(!t->handles().first()->isVisible());
    t->setSelected(true);
    QCOMPARE(t->handles().size(), 8);
}

void TestItems::handlesHideInPrintMode()
{
    Scene s;
    TextItem *t = s.text(QPointF(10, 10), QSizeF(50, 20));
    s.doc.setPrintMode(true);
    t->setSelected(true);
    QCOMPARE(t->handles().size(), 8);
    for (BaseItemCorner *h : t->handles())
        QVERIFY(!h->isVisible());
    s.doc.setPrintMode(false);
    for (BaseItemCorner *h : t->handles())
        QVERIFY(h->isVisible());
}

void TestItems::resizeByLeftHandle()
{
    Scene s;
    TextItem *t = s.text(QPointF(10, 10), QSizeF(50, 20));
    t->resizeTo(QPointF(20, 15), BaseItemCorner::Left);
    QCOMPARE(t->pos(), QPointF(20, 10));
    QCOMPARE(t->size(), QSizeF(40, 20));
    t->resizeTo(QPointF(70, 15), BaseItemCorner::Left);
    QCOMPARE(t->pos(), QPointF(70, 10));
    QCOMPARE(t->size(), QSizeF(-10, 20));
    // The text follows the content width.
    t->resizeTo(QPointF(90, 40), BaseItemCorner::BottomRight);
    QCOMPARE(t->editor()->clipSize(), t->size());
}

void TestItems::rotatedResizeKeepsOppositeEdge()
{
    // For every handle of a rotated item, the anchor opposite to it keeps its scene position.
    for (int p = BaseItemCorner::Top; p <= BaseItemCorner::TopLeft; ++p) {
        Scene s;
        TextItem *t = s.text(QPointF(100, 100), QSizeF(80, 40));
        t->setItemRotation(30);
        const auto placement = BaseItemCorner::Placement(p);
        const auto opposite = BaseItemCorner::Placement((p + 4) % 8);
        const QPointF before = t->anchorScenePos(opposite);
        // Edge handles move their edge straight out; corners move diagonally.
        const QPointF pull = t->anchorScenePos(placement) - t->anchorScenePos(BaseItemCorner::Center);
        t->resizeTo(t->anchorScenePos(placement) + pull * 0.25, placement);
        const QPointF after = t->anchorScenePos(opposite);
        QVERIFY2(QLineF(before, after).length() < 1e-9, qPrintable(QString::number(p)));
        QVERIFY(t->size().width() >= 80 && t->size().height() >= 40);
    }
}

void TestItems::cursorsFollowRotation_data()
{
    QTest::addColumn<int>("placement");
    QTest::addColumn<double>("angle");
    QTest::newRow("Top") << int(BaseItemCorner::Top) << 135.0;
    QTest::newRow("Bottom") << int(BaseItemCorner::Bottom) << 135.0;
    QTest::newRow("Left") << int(BaseItemCorner::Left) << 45.0;
    QTest::newRow("Right") << int(BaseItemCorner::Right) << 45.0;
    QTest::newRow("TopRight") << int(BaseItemCorner::TopRight) << 0.0;
    QTest::newRow("BottomLeft") << int(BaseItemCorner::BottomLeft) << 0.0;
    QTest::newRow("TopLeft") << int(BaseItemCorner::TopLeft) << 90.0;
    QTest::newRow("BottomRight") << int(BaseItemCorner::BottomRight) << 90.0;
}

void TestItems::cursorsFollowRotation()
{
    QFETCH(int, placement);
    QFETCH(double, angle);
    Scene s;
    TextItem *t = s.text(QPointF(10, 10), QSizeF(50, 20));
    t->setSelected(true);
    t->setItemRotation(45);
    BaseItemCorner *h = handle(t, BaseItemCorner::Placement(placement));
    QCOMPARE(h->cursorRotation(), angle);
    QVERIFY(!h->cursor().pixmap().isNull());
}

void TestItems::anchorsOfRotatedItem()
{
    Scene s;
    TextItem *t = s.text(QPointF(200, 100), QSizeF(80, 40));
    t->setItemRotation(90);
    QCOMPARE(t->anchorScenePos(BaseItemCorner::TopLeft), t->scenePos());
    // Rotated by 90 degrees the item's top edge points down the scene.
    const QPointF tr = t->anchorScenePos(BaseItemCorner::TopRight);
    QVERIFY(qAbs(tr.x() - 200) < 1e-9 && qAbs(tr.y() - 180) < 1e-9);
    t->moveAnchorTo(QPointF(50, 60), BaseItemCorner::Center);
    const QPointF c = t->anchorScenePos(BaseItemCorner::Center);
    QVERIFY(qAbs(c.x() - 50) < 1e-9 && qAbs(c.y() - 60) < 1e-9);
    // Edge anchors move across their edge only.
    const QPointF before = t->scenePos();
    t->moveAnchorTo(t->anchorScenePos(BaseItemCorner::Left) + QPointF(10, 0), BaseItemCorner::Left);
    QVERIFY(qAbs(t->scenePos().x() - before.x()) < 1e-9);
}

void TestItems::moveWithoutSnapping()
{
    Scene s;
    s.doc.setSnapToGrid(false);
    TextItem *t = s.text(QPointF(50, 50), QSizeF(100, 40));
    QSignalSpy moved(t, &BaseItem::repositioned);
    // Drag by the frame band above the text.
    mousedrive::drag(s.view, QPointF(100, 47), QPointF(133.3, 77.7));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(1).toPointF(), QPointF(50, 50));
    QVERIFY(qAbs(t->pos().x() - 83.3) < 1.01 && qAbs(t->pos().y() - 80.7) < 1.01);
    const QPointF dropped = t->pos();
    // A click without a move reports nothing.
    mousedrive::click(s.view, QPointF(dropped.x() + 50, dropped.y() - 3));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(t->pos(), dropped);
}

void TestItems::moveWithSnapping()
{
    Scene s;
    TextItem *t = s.text(QPointF(50, 50), QSizeF(100, 40));
    QPointF atSignal;
    connect(t, &BaseItem::repositioned, this, [&] { atSignal = t->pos(); });
    mousedrive::drag(s.view, QPointF(100, 47), QPointF(133.3, 77.7));
    const QPointF snapped = s.doc.nearestGridPoint(atSignal);
    QVERIFY(QLineF(atSignal, snapped).length() < 1e-9);
    QCOMPARE(t->pos(), atSignal);
    QVERIFY(atSignal != QPointF(50, 50));
}

void TestItems::handleDragThroughTheView()
{
    Scene s;
    s.doc.setSnapToGrid(false);
    TextItem *t = s.text(QPointF(50, 50), QSizeF(100, 40));
    t->setSelected(true);
    QSignalSpy resized(t, &BaseItem::resized);
    BaseItemCorner *right = handle(t, BaseItemCorner::Right);
    const QPointF grip = right->mapToScene(right->rect().center());
    mousedrive::drag(s.view, grip, grip + QPointF(40, 0));
    QCOMPARE(resized.count(), 1);
    QVERIFY(qAbs(t->size().width() - 143) < 1.5);
    QCOMPARE(resized.at(0).at(3).value<BaseItemCorner::Placement>(), BaseItemCorner::Right);
    // The signal carries the edge before and after, so the resize can be replayed exactly.
    const QPointF from = resized.at(0).at(2).toPointF();
    t->resizeTo(from, BaseItemCorner::Right);
    QCOMPARE(t->size(), QSizeF(100, 40));
    QVERIFY(t->isSelected());
}

void TestItems::lockedItemKeepsItsSize()
{
    Scene s;
    TextItem *t = s.text(QPointF(50, 50), QSizeF(100, 40));
    t->setSelected(true);
    s.doc.setLocked(true);
    QSignalSpy moved(t, &BaseItem::repositioned);
    QSignalSpy resized(t, &BaseItem::resized);
    BaseItemCorner *right = handle(t, BaseItemCorner::Right);
    const QPointF grip = right->mapToScene(right->rect().center());
    mousedrive::drag(s.view, grip, grip + QPointF(40, 0));
    mousedrive::drag(s.view, QPointF(100, 47), QPointF(150, 90));
    QCOMPARE(t->size(), QSizeF(100, 40));
    QCOMPARE(t->pos(), QPointF(50, 50));
    QCOMPARE(resized.count(), 0);
    QCOMPARE(moved.count(), 0);
}

void TestItems::recordsOfTexts()
{
    TextItem t(QSizeF(50, 20));
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.texts(), QStringList({QString()}));

    t.setPlainText(QStringLiteral("A"));
    t.insertRecord(1);
    t.setRecordIndex(1);
    t.setPlainText(QStringLiteral("B"));
    t.setRecordIndex(0);
    QCOMPARE(t.texts(), QStringList({"A", "B"}));
    // Typing "X" into the editor, then switching, keeps what was typed.
    QTextCursor c(t.editor()->document());
    c.select(QTextCursor::Document);
    c.insertText(QStringLiteral("X"));
    t.setRecordIndex(1);
    QCOMPARE(t.texts(), QStringList({"X", "B"}));
    QCOMPARE(t.plainText(), QStringLiteral("B"));
    // Out of range: nothing changes.
    t.setRecordIndex(-1);
    t.setRecordIndex(2);
    QCOMPARE(t.recordIndex(), 1);
    QCOMPARE(t.plainText(), QStringLiteral("B"));

    TextItem u(QSizeF(50, 20));
    u.setPlainText(QStringLiteral("A"));
    u.setRecordIndex(0);
    u.insertRecord(0); // refreshes the shown record, then inserts before it
    QCOMPARE(u.texts(), QStringList({"", "A"}));
    TextItem v(QSizeF(50, 20));
    v.setPlainText(QStringLiteral("A"));
    v.insertRecord(1); // first stores the shown text, then appends a copy
    QCOMPARE(v.texts(), QStringList({"A", "A"}));
    TextItem w(QSizeF(50, 20));
    w.setPlainText(QStringLiteral("A"));
    w.setRecordIndex(0);
    QCOMPARE(w.texts(), QStringList({"A"}));
    w.insertRecord(3);
    QCOMPARE(w.texts(), QStringList({"A", "A", "A", "A"}));
    w.insertRecord(-1);
    QCOMPARE(w.recordCount(), 4);
}

void TestItems::writingTakesTheEditorText()
{
    TextItem t(QSizeF(50, 20));
    t.setPlainText(QStringLiteral("A"));
    t.setRecordIndex(0); // texts[0] = "A"
    t.editor()->setPlainText(QStringLiteral("X"));
    QByteArray bytes = blockOf(&t);
    TextItem back(QSizeF(1, 1));
    QDataStream in(bytes);
    in.setVersion(15);
    back.streamRead(in);
    QCOMPARE(in.status(), QDataStream::Ok);
    QCOMPARE(back.plainText(), QStringLiteral("X"));
    QCOMPARE(back.texts(), QStringList({"X"}));
    // Writing does not change the item's own list.
    QCOMPARE(t.texts(), QStringList({"A"}));
}

void TestItems::streamBlockLayout()
{
    TextItem t(QSizeF(70, 25));
    t.setPos(3.5, 4.25);
    const QFont font(QStringLiteral("Liberation Sans"), 11, QFont::Bold);
    t.setFont(font);
    t.setAlignment(Qt::AlignRight);
    t.setItemRotation(45);
    t.setPlainText(QStringLiteral("one"));
    t.insertRecord(1);
    t.setRecordIndex(1);
    t.setPlainText(QStringLiteral("two"));

    QByteArray expected;
    QDataStream out(&expected, QIODevice::WriteOnly);
    out.setVersion(15);
    docbuilder::Text b;
    b.pos = QPointF(3.5, 4.25);
    b.size = QSizeF(70, 25);
    b.font = font;
    b.alignment = Qt::AlignRight;
    b.text = QStringLiteral("two");
    b.rotation = 45;
    b.texts = QStringList{QStringLiteral("one"), QStringLiteral("two")};
    docbuilder::writeText(out, b);
    QCOMPARE(testutil::hex(blockOf(&t)), testutil::hex(expected));
}

void TestItems::readsOlderVersions_data()
{
    QTest::addColumn<int>("version");
    QTest::newRow("version 1") << 1;
    QTest::newRow("version 2") << 2;
}

void TestItems::readsOlderVersions()
{
    QFETCH(int, version);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(15);
    docbuilder::Text b;
    b.version = version;
    b.pos = QPointF(12, 13);
    b.size = QSizeF(80, 30);
    b.font = QFont(QStringLiteral("Liberation Serif"), 17);
    b.alignment = Qt::AlignHCenter;
    b.text = QStringLiteral("old text");
    b.rotation = 90;
    docbuilder::writeText(out, b);
    out << qint32(0x5A5A5A5A); // whatever follows the block stays in place

    TextItem t(QSizeF(1, 1));
    QDataStream in(bytes);
    in.setVersion(15);
    t.streamRead(in);
    qint32 marker = 0;
    in >> marker;
    QCOMPARE(marker, qint32(0x5A5A5A5A));
    QCOMPARE(t.pos(), QPointF(12, 13));
    QCOMPARE(t.size(), QSizeF(80, 30));
    QCOMPARE(t.font().family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(t.alignment(), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(t.plainText(), QStringLiteral("old text"));
    QCOMPARE(t.rotation(), version >= 2 ? 90.0 : 0.0);
    QCOMPARE(t.texts(), QStringList({QString()}));
}

void TestItems::pressInTextEditsPressOnBandDrags()
{
    Scene s;
    TextItem *a = s.text(QPointF(50, 50), QSizeF(150, 40), QStringLiteral("first"));
    TextItem *b = s.text(QPointF(50, 150), QSizeF(150, 40), QStringLiteral("second"));
    b->setSelected(true);
    QApplication::setActiveWindow(s.view);
    s.view->setFocus();
    mousedrive::click(s.view, QPointF(80, 65));
    QVERIFY(a->editor()->hasFocus());
    QVERIFY(a->isSelected());
    QVERIFY(!b->isSelected());
    QCOMPARE(s.doc.selectedItems().size(), 1);
    QCOMPARE(a->pos(), QPointF(50, 50));
    QTest::keyClicks(s.view, QStringLiteral("!!"));
    QVERIFY(a->plainText().contains(QLatin1String("!!")));

    s.doc.setSnapToGrid(false);
    mousedrive::drag(s.view, QPointF(100, 47), QPointF(140, 67));
    QVERIFY(QLineF(a->pos(), QPointF(90, 70)).length() < 1.5);
}

void TestItems::textIsClippedAndWrapped()
{
    Scene s;
    TextItem *t = s.text(QPointF(20, 20), QSizeF(120, 40),
                         QStringLiteral("a long line of text that wraps at the box width and "
                                        "goes on far below the bottom of its box"));
    QCOMPARE(t->editor()->boundingRect(), QRectF(0, 0, 120, 40));
    QVERIFY(t->editor()->document()->size().height() > 40);
    QImage img(300, 200, QImage::Format_ARGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        s.doc.setPrintMode(true);
        s.doc.render(&p, QRectF(0, 0, 300, 200), QRectF(0, 0, 300, 200));
        s.doc.setPrintMode(false);
    }
    // Nothing is painted below the box (y > 60 + band).
    for (int y = 70; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            QCOMPARE(QColor(img.pixel(x, y)), QColor(Qt::white));
}

// The document tells its views of a new stock; the rulers then measure it.
void TestItems::rulersFollowANewStock()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(40, 20));
    DocumentView view(&doc);
    const int narrow = view.horizontalRuler()->baseWidth();
    doc.setSizeTemplate(docbuilder::makeTemplate(120, 80));
    const LabelGeometry g = doc.labelGeometry();
    QVERIFY(view.horizontalRuler()->baseWidth() != narrow);
    QCOMPARE(view.horizontalRuler()->baseWidth(), int(g.sceneRect.width() + 1));
    QCOMPARE(view.verticalRuler()->baseHeight(), int(g.sceneRect.height() + 1));
    QCOMPARE(view.horizontalRuler()->unit(), g.pixelsPerMm);
}

QTEST_MAIN(TestItems)
#include "tst_items.moc"
