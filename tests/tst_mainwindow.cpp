#include "docbuilder.h"
#include "document.h"
#include "documentview.h"
#include "icons.h"
#include "labelitems/textitem.h"
#include "mainwindow.h"
#include "mousedrive.h"
#include "ruler.h"
#include "testutil.h"
#include "startup.h"
#include "txapp.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolBar>
#include <QUndoStack>
#include <QPushButton>
#include <QWheelEvent>
#include <QAbstractButton>
#include <iterator>
#include <QtTest>

#include "dialogs/texttoolbar.h"

namespace {

QAction *action(MainWindow &w, const char *name)
{
    return w.findChild<QAction *>(QStringLiteral("action/") + QLatin1String(name));
}

QString statusText(MainWindow &w)
{
    return w.findChild<QLabel *>(QStringLiteral("status/label"))->text();
}

// A new document through the new-label dialog, accepted as it opens.
void newDocument(MainWindow &w)
{
    testutil::acceptNextDialog();
    w.newDocument();
}

// Shown, active and holding a new document, as a user sees it; false when
// the window never became active.
bool showWithDocument(MainWindow &w)
{
    w.show();
    newDocument(w);
    QApplication::setActiveWindow(&w);
    return QTest::qWaitForWindowActive(&w);
}

TextItem *addText(Document *doc, QPointF pos, const QString &s)
{
    return docbuilder::addText(*doc, pos, QSizeF(80, 30), s);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void firstStartIsMaximised();
    void everyIconIsInstalled();
    void actionsWithoutDocumentDoNothing();
    void labelStatus();
    void zoomScalesViewAndRulers();
    void rulersFollowTheLabel();
    void onlyTheActiveDocumentIsConnected();
    void closingAModifiedTabAsksFirst();
    void windowStateSurvivesARestart();
    void aboutNamesVersionAndQt();
    void textToolInsertsOnce();
    void selectAllReachesItemsOffTheLabel();
    void keyboardUndoAfterTypingTakesBackTheEdit();
    void pageKeysStepThroughTheLabels();
    void zoomByKeysWheelAndFit();
    void newLanguageOffersARestart();
    void rebootEndsTheLoopWithTheRestartCode();
};

void TestMainWindow::init()
{
    QSettings().clear();
}

void TestMainWindow::firstStartIsMaximised()
{
    MainWindow w;
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    QCOMPARE(w.objectName(), QStringLiteral("mainwindow"));
    QStringList menus;
    for (QAction *a : w.menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, QStringList({"&File", "&Edit", "&View", "&Insert", "&Tools", "&Help"}));
    QStringList bars;
    for (QToolBar *t : w.findChildren<QToolBar *>())
        bars << t->objectName();
    bars.sort();
    QCOMPARE(bars, QStringList({"toolbar/edit", "toolbar/file", "toolbar/text", "toolbar/tools",
                                "toolbar/transdist"}));
    QCOMPARE(w.toolBarArea(w.findChild<QToolBar *>(QStringLiteral("toolbar/tools"))),
             Qt::LeftToolBarArea);
}

void TestMainWindow::everyIconIsInstalled()
{
    MainWindow w;
    newDocument(w);
    addText(w.currentDocument(), QPointF(10, 10), QString())->menu();
    const QStringList paths = icons::requestedPaths();
    QVERIFY(paths.size() >= 30);
    for (const QString &p : paths)
        QVERIFY2(QFile::exists(icons::filePath(p)), qPrintable(p));
    int withIcon = 0;
    for (QToolBar *bar : w.findChildren<QToolBar *>()) {
        for (QAction *a : bar->actions()) {
            if (!a->isSeparator() && !a->icon().isNull())
                ++withIcon;
        }
    }
    QVERIFY(withIcon >= 20);
}

void TestMainWindow::actionsWithoutDocumentDoNothing()
{
    MainWindow w;
    const char *const needDocument[] = {"cut",    "copy",     "paste",      "label",
                                        "print",  "close",    "save",       "saveas",
                                        "delete", "lock",     "properties", "exportpdf",
                                        "exportlabels", "selectall", "zoomin", "zoomout",
                                        "fitlabel"};
    auto enabled = [&] {
        QStringList on;
        for (const char *name : needDocument) {
            if (action(w, name)->isEnabled())
                on << QLatin1String(name);
        }
        return on;
    };
    QCOMPARE(enabled(), QStringList());
    QVERIFY(action(w, "new")->isEnabled() && action(w, "open")->isEnabled());
    newDocument(w);
    QCOMPARE(enabled().size(), int(std::size(needDocument)));
    w.closeDoc(w.currentDocument());
    QCOMPARE(enabled(), QStringList());
    for (const char *name : {"cut", "copy", "paste", "label", "print", "close", "save", "delete"})
        action(w, name)->trigger();
    w.findChild<QComboBox *>(QStringLiteral("status/zoom"))->setCurrentIndex(4);
    QAction *lock = action(w, "lock");
    lock->trigger();
    QVERIFY(!lock->isChecked());
    QCOMPARE(statusText(w), QStringLiteral("Label 1 of 1"));
}

void TestMainWindow::labelStatus()
{
    MainWindow w;
    QCOMPARE(statusText(w), QStringLiteral("Label 1 of 1"));
    newDocument(w);
    Document *doc = w.currentDocument();
    TextItem *t = addText(doc, QPointF(10, 10), QStringLiteral("x"));
    t->insertRecord(4);
    doc->selectLabel(2);
    QCOMPARE(statusText(w), QStringLiteral("Label 3 of 5"));
    // A new label is the one the user goes on with.
    action(w, "label")->trigger();
    QCOMPARE(statusText(w), QStringLiteral("Label 6 of 6"));
}

void TestMainWindow::zoomScalesViewAndRulers()
{
    MainWindow w;
    newDocument(w);
    DocumentView *view = w.currentView();
    auto *zoom = w.findChild<QComboBox *>(QStringLiteral("status/zoom"));
    QCOMPARE(zoom->currentText(), QStringLiteral("100%"));
    zoom->setCurrentText(QStringLiteral("125%"));
    QCOMPARE(view->transform().m11(), 1.25);
    QCOMPARE(view->transform().m22(), 1.25);
    zoom->setCurrentText(QStringLiteral("150%"));
    QCOMPARE(view->transform().m11(), 1.5);
    Ruler *h = view->horizontalRuler();
    QCOMPARE(h->sizeHint(), QSize(int(h->baseWidth() * 1.5), 20));
    QCOMPARE(view->verticalRuler()->sizeHint(), QSize(20, int(view->verticalRuler()->baseHeight() * 1.5)));
    QCOMPARE(h->tickStep(), 1.5 * w.currentDocument()->labelGeometry().pixelsPerMm);
}

void TestMainWindow::rulersFollowTheLabel()
{
    MainWindow w;
    newDocument(w);
    Document *doc = w.currentDocument();
    doc->setSizeTemplate(docbuilder::makeTemplate(100, 50));
    DocumentView *view = w.currentView();
    const LabelGeometry g = doc->labelGeometry();
    QVERIFY(qAbs(view->horizontalRuler()->tickStep() - 7.36) < 0.01);
    QCOMPARE(view->horizontalRuler()->sizeHint(), QSize(int(g.sceneRect.width() + 1), 20));
    QCOMPARE(view->verticalRuler()->sizeHint(), QSize(20, int(g.sceneRect.height() + 1)));
    doc->setSizeTemplate(docbuilder::makeTemplate(40, 30));
    const LabelGeometry g2 = doc->labelGeometry();
    QCOMPARE(view->horizontalRuler()->sizeHint(), QSize(int(g2.sceneRect.width() + 1), 20));
    QCOMPARE(view->verticalRuler()->sizeHint(), QSize(20, int(g2.sceneRect.height() + 1)));
    QCOMPARE(view->horizontalRuler()->unit(), g2.pixelsPerMm);
}

void TestMainWindow::onlyTheActiveDocumentIsConnected()
{
    MainWindow w;
    newDocument(w);
    Document *first = w.currentDocument();
    TextItem *a = addText(first, QPointF(10, 10), QStringLiteral("a"));
    a->setSelected(true);
    newDocument(w);
    Document *second = w.currentDocument();
    QVERIFY(first != second);
    TextItem *b = addText(second, QPointF(10, 10), QStringLiteral("b"));
    b->setSelected(true);

    action(w, "delete")->trigger();
    QCOMPARE(second->labelItems().size(), 0);
    QCOMPARE(first->labelItems().size(), 1);

    // Back to the first tab: now Delete reaches it and only it.
    auto *area = w.findChild<QMdiArea *>();
    area->setActiveSubWindow(area->subWindowList().first());
    QCOMPARE(w.currentDocument(), first);
    addText(second, QPointF(5, 5), QStringLiteral("c"))->setSelected(true);
    action(w, "delete")->trigger();
    QCOMPARE(first->labelItems().size(), 0);
    QCOMPARE(second->labelItems().size(), 1);
    QCOMPARE(first->undoStack()->isActive(), true);

    // The text toolbar's font goes to the active document only.
    a = addText(first, QPointF(10, 10), QStringLiteral("a2"));
    a->setSelected(true);
    auto *text = w.findChild<TextToolbar *>();
    emit text->fontRepresentationChanged(QFont(QStringLiteral("Liberation Mono"), 33));
    QCOMPARE(a->font().pointSize(), 33);
    QVERIFY(static_cast<TextItem *>(second->labelItems().first())->font().pointSize() != 33);
}

void TestMainWindow::closingAModifiedTabAsksFirst()
{
    MainWindow w;
    w.show();
    newDocument(w);
    Document *doc = w.currentDocument();
    doc->setModified(true);
    DocumentView *view = w.currentView();
    QSignalSpy closing(view, &DocumentView::closing);
    auto *area = w.findChild<QMdiArea *>();
    QString title;
    testutil::answerNextMessageBox(QMessageBox::Cancel, &title);
    QMdiSubWindow *sub = area->subWindowList().first();
    QVERIFY(!sub->close());
    QCOMPARE(closing.count(), 1);
    QCOMPARE(title, QStringLiteral("Label modified"));
    QCOMPARE(area->subWindowList().size(), 1);
    QCOMPARE(w.currentDocument(), doc);

    testutil::answerNextMessageBox(QMessageBox::Discard);
    QVERIFY(sub->close());
    QTRY_VERIFY(area->subWindowList().isEmpty());
    QCOMPARE(statusText(w), QStringLiteral("Label 1 of 1"));
}

void TestMainWindow::windowStateSurvivesARestart()
{
    QByteArray state;
    {
        MainWindow w;
        w.showNormal();
        w.resize(900, 640);
        auto *tools = w.findChild<QToolBar *>(QStringLiteral("toolbar/tools"));
        w.addToolBar(Qt::RightToolBarArea, tools);
        QCloseEvent e;
        QApplication::sendEvent(&w, &e);
        QVERIFY(e.isAccepted());
        state = w.saveState(0);
    }
    QVERIFY(QSettings().contains(QStringLiteral("mainwindow/geometry")));
    MainWindow again;
    QVERIFY(!(again.windowState() & Qt::WindowMaximized));
    QCOMPARE(again.toolBarArea(again.findChild<QToolBar *>(QStringLiteral("toolbar/tools"))),
             Qt::RightToolBarArea);
    QCOMPARE(again.saveState(0), state);
}

void TestMainWindow::aboutNamesVersionAndQt()
{
    MainWindow w;
    QString text;
    testutil::answerNextModal([&text](QWidget *box) {
        text = static_cast<QMessageBox *>(box)->text();
        box->close();
    });
    action(w, "about")->trigger();
    const QStringList lines = text.split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("Veltrux Tagorix"));
    QVERIFY(QRegularExpression(QStringLiteral("^Version 4\\.1\\.0 \\([0-9a-f]{40}\\)$")).match(lines.value(1)).hasMatch());
    QVERIFY(text.contains(QLatin1String(qVersion())));
}

void TestMainWindow::textToolInsertsOnce()
{
    MainWindow w;
    w.show();
    newDocument(w);
    QApplication::setActiveWindow(&w);
    Document *doc = w.currentDocument();
    auto *text = w.findChild<TextToolbar *>();
    text->setTextFont(QFont(QStringLiteral("Liberation Serif"), 18));
    QAction *tool = w.findChild<QToolBar *>(QStringLiteral("toolbar/tools"))->actions().first();
    tool->trigger();
    QVERIFY(tool->isChecked());
    QCOMPARE(doc->insertMode(), int(Document::InsertText));
    mousedrive::drag(w.currentView(), QPointF(30, 30), QPointF(200, 90));
    QVERIFY(!tool->isChecked());
    QCOMPARE(doc->insertMode(), 0);
    QCOMPARE(doc->labelItems().size(), 1);
    auto *item = static_cast<TextItem *>(doc->labelItems().first());
    QCOMPARE(item->font().family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(item->font().pointSize(), 18);
    // The new frame takes what is typed at once.
    QVERIFY(item->isSelected());
    QTest::keyClicks(w.currentView()->viewport(), QStringLiteral("Lot 7"));
    QCOMPARE(item->plainText(), QStringLiteral("Lot 7"));
    // A second drag without picking the tool again inserts nothing.
    mousedrive::drag(w.currentView(), QPointF(30, 150), QPointF(200, 200));
    QCOMPARE(doc->labelItems().size(), 1);
}

void TestMainWindow::selectAllReachesItemsOffTheLabel()
{
    MainWindow w;
    w.show();
    newDocument(w);
    Document *doc = w.currentDocument();
    TextItem *on = addText(doc, QPointF(20, 20), QStringLiteral("on"));
    TextItem *off = addText(doc, QPointF(-4000, 9000), QStringLiteral("off"));
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.currentView()->viewport(), Qt::Key_A, Qt::ControlModifier);
    QVERIFY(on->isSelected() && off->isSelected());
    // Aligned to their union and then, alone, to the label, the lost item is back.
    on->setSelected(false);
    doc->alignSelected(Qt::AlignLeft);
    doc->alignSelected(Qt::AlignTop);
    QVERIFY(doc->sceneRect().contains(off->pos()));
}

void TestMainWindow::keyboardUndoAfterTypingTakesBackTheEdit()
{
    // Type into a new frame, turn it from the toolbar, press Ctrl+Z: the
    // turn is undone and the typed text stays; the typing became an entry
    // of its own when the turn ended it.
    MainWindow w;
    QVERIFY(showWithDocument(w));
    Document *doc = w.currentDocument();
    w.findChild<QToolBar *>(QStringLiteral("toolbar/tools"))->actions().first()->trigger();
    mousedrive::drag(w.currentView(), QPointF(30, 30), QPointF(200, 90));
    auto *item = static_cast<TextItem *>(doc->labelItems().first());
    QTest::keyClicks(w.currentView()->viewport(), QStringLiteral("Lot 7"));
    doc->rotateSelected(90);
    QTest::keyClick(w.currentView()->viewport(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(item->rotation(), 0.0);
    QCOMPARE(item->plainText(), QStringLiteral("Lot 7"));
    QCOMPARE(doc->undoStack()->index(), 2);
    QCOMPARE(doc->undoStack()->text(1), QStringLiteral("Typing"));
}

void TestMainWindow::pageKeysStepThroughTheLabels()
{
    MainWindow w;
    QVERIFY(showWithDocument(w));
    Document *doc = w.currentDocument();
    TextItem *t = addText(doc, QPointF(10, 10), QStringLiteral("x"));
    t->insertRecord(3);
    QWidget *keys = w.currentView()->viewport();
    QTest::keyClick(keys, Qt::Key_PageDown);
    QTest::keyClick(keys, Qt::Key_PageDown);
    QCOMPARE(doc->currentLabel(), 2);
    QCOMPARE(statusText(w), QStringLiteral("Label 3 of 4"));
    QTest::keyClick(keys, Qt::Key_PageUp);
    QCOMPARE(doc->currentLabel(), 1);
    QTest::keyClick(keys, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(doc->currentLabel(), 3);
    QTest::keyClick(keys, Qt::Key_PageDown);
    QCOMPARE(doc->currentLabel(), 3);
    QTest::keyClick(keys, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(doc->currentLabel(), 0);
    QTest::keyClick(keys, Qt::Key_PageUp);
    QCOMPARE(doc->currentLabel(), 0);

    // In a frame being typed in, the keys are the text's.
    doc->setFocusItem(t->editor(), Qt::MouseFocusReason);
    QTest::keyClick(keys, Qt::Key_PageDown);
    QTest::keyClick(keys, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(keys, QStringLiteral("y"));
    QCOMPARE(doc->currentLabel(), 0);
    QCOMPARE(t->plainText(), QStringLiteral("xy"));
}

void TestMainWindow::zoomByKeysWheelAndFit()
{
    MainWindow w;
    w.resize(1200, 800);
    QVERIFY(showWithDocument(w));
    DocumentView *view = w.currentView();
    auto *zoom = w.findChild<QComboBox *>(QStringLiteral("status/zoom"));
    auto steps = [zoom] {
        QStringList list;
        for (int i = 0; i < zoom->count(); ++i)
            list << zoom->itemText(i);
        return list;
    };
    const QStringList fixed = steps();
    QCOMPARE(fixed, (QStringList{"50%", "75%", "100%", "125%", "150%"}));

    QTest::keyClick(view->viewport(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(view->transform().m11(), 1.25);
    QCOMPARE(zoom->currentText(), QStringLiteral("125%"));
    QTest::keyClick(view->viewport(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(view->viewport(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(view->transform().m11(), 0.75);

    // Ctrl and the wheel: a notch a step, half notches add up, at the end it stays.
    const QPoint at = view->viewport()->rect().center();
    auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
        QWheelEvent event(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &event);
    };
    wheel(120, Qt::ControlModifier);
    QCOMPARE(view->transform().m11(), 1.0);
    wheel(60, Qt::ControlModifier);
    QCOMPARE(view->transform().m11(), 1.0);
    wheel(60, Qt::ControlModifier);
    QCOMPARE(view->transform().m11(), 1.25);
    wheel(5 * 120, Qt::ControlModifier);
    QCOMPARE(view->transform().m11(), 1.5);
    // Without Ctrl the wheel scrolls and leaves the zoom alone.
    wheel(-120, Qt::NoModifier);
    QCOMPARE(view->transform().m11(), 1.5);

    // Fit: the whole label in sight, the fitted value listed among the steps.
    action(w, "fitlabel")->trigger();
    const double fitted = view->transform().m11();
    const QRectF label = view->mapFromScene(w.currentDocument()->sceneRect()).boundingRect();
    QVERIFY2(view->viewport()->rect().contains(label.toAlignedRect()), qPrintable(QString::number(fitted)));
    QVERIFY(label.width() > view->viewport()->width() * 0.8 ||
            label.height() > view->viewport()->height() * 0.8);
    const QString fittedText = QString::number(qRound(fitted * 100)) + QStringLiteral("%");
    QCOMPARE(zoom->currentText(), fittedText);
    QCOMPARE(steps().size(), fixed.size() + (fixed.contains(fittedText) ? 0 : 1));
    QVERIFY(steps().contains(fittedText));
    // Stepping from there goes to the next step; the fitted entry leaves.
    const bool in = fitted < 1;
    QTest::keyClick(view->viewport(), in ? Qt::Key_Plus : Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(in ? view->transform().m11() > fitted : view->transform().m11() < fitted);
    QCOMPARE(steps(), fixed);
}

void TestMainWindow::newLanguageOffersARestart()
{
    QSettings().setValue(QStringLiteral("localization/locale"), QStringLiteral("en_US"));
    MainWindow w;
    // Saved without a change of language: no question.
    testutil::answerNextModal([](QWidget *dialog) {
        dialog->findChild<QPushButton *>(QStringLiteral("save"))->click();
    });
    {
        testutil::MessageBoxCatcher boxes;
        action(w, "preferences")->trigger();
        QVERIFY(boxes.texts.isEmpty());
    }

    // Another language: the window says when it applies and offers to restart.
    QString question;
    testutil::answerNextModal([&question](QWidget *dialog) {
        auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("language"));
        combo->setCurrentIndex(combo->findData(QStringLiteral("sv_SE")));
        testutil::answerNextModal([&question](QWidget *box) {
            QCOMPARE(box->objectName(), QStringLiteral("dialog/restart"));
            question = static_cast<QMessageBox *>(box)->text();
            for (QAbstractButton *b : static_cast<QMessageBox *>(box)->buttons()) {
                if (b->text() == QStringLiteral("Later"))
                    b->click();
            }
        });
        dialog->findChild<QPushButton *>(QStringLiteral("save"))->click();
    });
    action(w, "preferences")->trigger();
    QCOMPARE(question, QStringLiteral("The new language applies when Tagorix starts again."));
    QCOMPARE(QSettings().value(QStringLiteral("localization/locale")).toString(), QStringLiteral("sv_SE"));
    QSettings().remove(QStringLiteral("localization/locale"));
}

void TestMainWindow::rebootEndsTheLoopWithTheRestartCode()
{
    auto *app = qobject_cast<TxApp *>(qApp);
    QVERIFY(app);
    QCOMPARE(app->objectName(), QStringLiteral("txapp"));
    QTimer::singleShot(0, app, &TxApp::reboot);
    QCOMPARE(app->exec(), 404);
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    TestMainWindow t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_mainwindow.moc"
