#include "commands.h"
#include "docbuilder.h"
#include "document.h"
#include "documentview.h"
#include "dialogs/previewwidget.h"
#include "labelitems/textitem.h"
#include "mainwindow.h"
#include "mousedrive.h"
#include "testutil.h"

#include <QAction>
#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QTextCursor>
#include <QSettings>
#include <QSignalSpy>
#include <QUndoStack>
#include <QUndoView>
#include <QtTest>

namespace {

// A window with one document of `labels` labels on a one-column stock, each
// label's text "L<n>".
Document *openDocument(MainWindow &w, int labels)
{
    testutil::acceptNextDialog();
    w.newDocument();
    Document *doc = w.currentDocument();
    doc->setSizeTemplate(docbuilder::makeTemplate(60, 30));
    TextItem *t = docbuilder::addText(*doc, QPointF(20, 20), QSizeF(200, 80));
    for (int i = 1; i < labels; ++i)
        doc->insertLabel();
    for (int i = 0; i < labels; ++i) {
        t->setRecordIndex(i);
        t->setPlainText(QStringLiteral("L%1").arg(i + 1));
    }
    doc->selectLabel(0);
    doc->setModified(false);
    return doc;
}

QList<PreviewItem *> thumbnails(PreviewWidget *dock)
{
    QList<PreviewItem *> list;
    const QList<QGraphicsItem *> all = dock->scene()->items(Qt::AscendingOrder);
    for (QGraphicsItem *gi : all) {
        if (auto *p = qgraphicsitem_cast<PreviewItem *>(gi))
            list.append(p);
    }
    std::sort(list.begin(), list.end(),
              [](PreviewItem *a, PreviewItem *b) { return a->labelIndex() < b->labelIndex(); });
    return list;
}

// The thumbnail of label `index` as the dock paints it.
QImage thumbnail(PreviewWidget *dock, int index)
{
    PreviewItem *item = thumbnails(dock).value(index);
    if (!item)
        return QImage();
    const QRectF r = item->sceneBoundingRect();
    QImage image((r.size() * 2).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    dock->scene()->render(&painter, QRectF(), r);
    return image;
}

} // namespace

class TestDocks : public QObject
{
    Q_OBJECT
private slots:
    void init() { QSettings().clear(); }
    void thumbnailsLieOnTheLiner();
    void paintingLeavesTheDocumentAsItWas();
    void undoHistoryFollowsTheActiveDocument();
    void thumbnailsFollowTypingWithoutEditingMarks();
};

void TestDocks::thumbnailsLieOnTheLiner()
{
    MainWindow w;
    w.show();
    Document *doc = openDocument(w, 3);
    auto *dock = w.findChild<PreviewWidget *>(QStringLiteral("dockwidget/preview"));
    QVERIFY(dock);
    QCOMPARE(dock->windowTitle(), QStringLiteral("Labels"));
    dock->redrawPreview();
    QList<PreviewItem *> items = thumbnails(dock);
    QCOMPARE(items.size(), 3);
    QVERIFY(items.at(0)->isSelected());
    QVERIFY(!items.at(1)->isSelected());
    // Down the liner, one below the other, all on it.
    QGraphicsRectItem *liner = nullptr;
    for (QGraphicsItem *gi : dock->scene()->items()) {
        if (auto *r = qgraphicsitem_cast<QGraphicsRectItem *>(gi))
            liner = r;
    }
    QVERIFY(liner);
    QVERIFY(liner->rect().height() >= 1000);
    QCOMPARE(liner->brush().color(), QColor(Qt::yellow));
    for (int i = 1; i < 3; ++i) {
        QCOMPARE(items.at(i)->pos().x(), items.at(0)->pos().x());
        QVERIFY(items.at(i)->pos().y() > items.at(i - 1)->pos().y() + doc->sceneRect().height());
        QVERIFY(liner->rect().contains(items.at(i)->sceneBoundingRect()));
    }

    // A click on the second makes it the document's current label.
    dock->show();
    QVERIFY(QTest::qWaitForWindowExposed(dock));
    QSignalSpy selected(dock, &PreviewWidget::labelSelected);
    QGraphicsView *view = dock->view();
    const QPoint at = view->mapFromScene(items.at(1)->sceneBoundingRect().center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.first().first().toInt(), 1);
    QCOMPARE(doc->currentLabel(), 1);

    // "New Label" from the dock's menu: one thumbnail more.
    QMenu *menu = dock->findChild<QMenu *>();
    QVERIFY(menu);
    QAction *add = menu->actions().first();
    QCOMPARE(add->text(), QStringLiteral("New Label"));
    add->trigger();
    QCOMPARE(doc->labelCount(), 4);
    QCOMPARE(thumbnails(dock).size(), 4);
}

void TestDocks::paintingLeavesTheDocumentAsItWas()
{
    MainWindow w;
    w.show();
    Document *doc = openDocument(w, 5);
    auto *dock = w.findChild<PreviewWidget *>(QStringLiteral("dockwidget/preview"));
    doc->selectLabel(2);
    TextItem *t = static_cast<TextItem *>(doc->labelItems().first());
    t->setSelected(true);
    const QList<PreviewItem *> before = thumbnails(dock);
    QCOMPARE(before.size(), 5);

    // A move repaints the thumbnails; it does not make new ones.
    t->setPos(t->pos() + QPointF(30, 0));
    emit doc->itemMoved();
    QCOMPARE(thumbnails(dock), before);

    const int undoCount = doc->undoStack()->count();
    QImage image(400, 1200, QImage::Format_ARGB32);
    QPainter painter(&image);
    dock->scene()->render(&painter);
    painter.end();
    QCOMPARE(doc->currentLabel(), 2);
    QCOMPARE(t->plainText(), QStringLiteral("L3"));
    QVERIFY(!doc->isPrintMode());
    QVERIFY(!doc->isModified());
    QCOMPARE(doc->undoStack()->count(), undoCount);
    QVERIFY(t->isSelected());
    QVERIFY(t->handles().first()->isVisible());
    QCOMPARE(t->texts(), (QStringList{"L1", "L2", "L3", "L4", "L5"}));
}

void TestDocks::undoHistoryFollowsTheActiveDocument()
{
    MainWindow w;
    w.show();
    Document *first = openDocument(w, 1);
    TextItem *a = static_cast<TextItem *>(first->labelItems().first());
    const QPointF old = a->pos();
    a->setPos(old + QPointF(10, 10));
    emit a->repositioned(a, old);
    Document *second = openDocument(w, 1);
    QVERIFY(second != first);
    auto *view = w.findChild<QUndoView *>();
    QVERIFY(view);
    // The active document has no entries yet; its history is the empty line only.
    QCOMPARE(view->stack(), second->undoStack());
    QCOMPARE(view->model()->rowCount(), 1);

    auto *area = w.findChild<QMdiArea *>();
    area->activatePreviousSubWindow();
    QCOMPARE(w.currentDocument(), first);
    QCOMPARE(view->stack(), first->undoStack());
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(view->model()->index(1, 0).data().toString(), QStringLiteral("Move item"));
    // Clicking the empty line replays the history back to the start.
    view->setCurrentIndex(view->model()->index(0, 0));
    QCOMPARE(a->pos(), old);
}

QTEST_MAIN(TestDocks)
#include "tst_docks.moc"

void TestDocks::thumbnailsFollowTypingWithoutEditingMarks()
{
    MainWindow w;
    w.show();
    Document *doc = openDocument(w, 2);
    auto *dock = w.findChild<PreviewWidget *>(QStringLiteral("dockwidget/preview"));
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    dock->updatePreview();
    const QImage before = thumbnail(dock, 0);
    auto *t = static_cast<TextItem *>(doc->labelItems().first());
    doc->setFocusItem(t->editor(), Qt::MouseFocusReason);
    QTextCursor c = t->editor()->textCursor();
    c.movePosition(QTextCursor::End);
    c.movePosition(QTextCursor::Start, QTextCursor::KeepAnchor);
    t->editor()->setTextCursor(c);

    // Each key repaints the thumbnails; what they show is the text alone,
    // neither the cursor nor the selection of the frame.
    QSignalSpy repainted(dock->scene(), &QGraphicsScene::changed);
    const QImage selected = thumbnail(dock, 0);
    QCOMPARE(selected, before);
    QTest::keyClicks(w.currentView()->viewport(), QStringLiteral("WWWW"));
    QTRY_VERIFY(!repainted.isEmpty());
    QCOMPARE(t->plainText(), QStringLiteral("WWWW"));
    const QImage typing = thumbnail(dock, 0);
    QVERIFY(typing != before);
    if (qEnvironmentVariableIsSet("SHOTS"))
        typing.save("/tmp/th_typing.png");
    doc->endTyping();
    QCOMPARE(thumbnail(dock, 0), typing);

    // A new item shows at once, without waiting for another selection.
    repainted.clear();
    auto *cmd = new command::InsertDateTimeItem(doc, QPointF(10, 100), QSizeF(150, 40), QFont(),
                                                Qt::black);
    doc->undoStack()->push(cmd);
    QTRY_VERIFY(!repainted.isEmpty());
    QVERIFY(thumbnail(dock, 0) != typing);
}
