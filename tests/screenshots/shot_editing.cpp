// Drives the main window with simulated mouse and key events: picks the text
// tool, drags a frame, types, undoes and redoes, and grabs the window after
// each step (editing-1.png ... editing-5.png).

#include "document.h"
#include "documentview.h"
#include "mainwindow.h"
#include "mousedrive.h"
#include "startup.h"
#include "testutil.h"
#include "txapp.h"

#include <QAction>
#include <QDir>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    MainWindow window;
    window.show();
    // The new-label dialog is accepted as it opens.
    testutil::acceptNextDialog();
    window.newDocument();
    QApplication::setActiveWindow(&window);
    int step = 0;
    auto shot = [&] {
        QCoreApplication::processEvents();
        const QString file = out.filePath(QStringLiteral("editing-%1.png").arg(++step));
        window.grab().save(file);
        qInfo("wrote %s", qPrintable(file));
    };

    auto *tools = window.findChild<QToolBar *>(QStringLiteral("toolbar/tools"));
    tools->actions().first()->trigger(); // the text tool
    shot();

    DocumentView *view = window.currentView();
    mousedrive::drag(view, QPointF(40, 40), QPointF(330, 120));
    shot();

    // The new frame has the keyboard focus: typing goes straight into it.
    Document *doc = window.currentDocument();
    QTest::keyClicks(view->viewport(), QStringLiteral("Batch 2026-12"));
    shot();

    doc->undoStack()->undo();
    shot();
    doc->undoStack()->redo();
    shot();
    return 0;
}
