#include "mainwindow.h"

#include "buildinfo.h"
#include "databinding.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "dialogeditor.h"
#include "dialogs/datasourceswidget.h"
#include "dialogs/preferencesdialog.h"
#include "dialogs/previewwidget.h"
#include "dialogs/texttoolbar.h"
#include "dialogs/transaligntoolbar.h"
#include "dialogs/undowidget.h"
#include "document.h"
#include "documentview.h"
#include "icons.h"
#include "labelitems/textbearing.h"
#include "labelitems/itemtypes.h"
#include "platform/winsparkle.h"
#include "printdialoghandler.h"
#include "services.h"
#include "version.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsItem>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoStack>

#include <iterator>

Q_DECLARE_METATYPE(Qt::Alignment)

namespace {

// The zoom box's steps, in percent.
const int zoomSteps[] = {50, 75, 100, 125, 150};

QAction *makeAction(QObject *parent, const QString &name, const QString &text,
                    const QString &iconPath = QString())
{
    auto *a = iconPath.isEmpty() ? new QAction(text, parent)
                                 : new QAction(icons::fromAppDir(iconPath), text, parent);
    a->setObjectName(QStringLiteral("action/") + name);
    return a;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    qRegisterMetaType<QGraphicsItem *>("QGraphicsItem*");
    qRegisterMetaType<Document *>("Document*");
    qRegisterMetaType<QMdiSubWindow *>("QMdiSubWindow*");
    qRegisterMetaType<Qt::Alignment>("Qt::Alignment");
    // Items of every document open their editors through the window's dialogs.
    DialogEditor::install();

    mdiArea = new QMdiArea;
    undoGroup = new QUndoGroup(this);
    printHandler = new PrintDialogHandler(this);
    defaultFont = QFont(QStringLiteral("Arial"), 24);
    setObjectName(QStringLiteral("mainwindow"));

    createActions();
    createMenus();
    createToolBars();
    updateActions();

    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setViewMode(QMdiArea::TabbedView);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);
    if (auto *tabs = mdiArea->findChild<QTabBar *>()) {
        tabs->setExpanding(false);
        tabs->setMovable(true);
        tabs->setTabsClosable(true);
    }
    setCentralWidget(mdiArea);

    // The docks, in the order of the View menu.
    sourcesDock = new DataSourcesWidget(this);
    undoDock = new UndoWidget(undoGroup, this);
    previewDock = new PreviewWidget(this);
    viewMenu->addAction(sourcesDock->toggleViewAction());
    viewMenu->addAction(undoDock->toggleViewAction());
    viewMenu->addAction(previewDock->toggleViewAction());
    if (DataSourceManager *manager = services::dataSourceManager()) {
        connect(manager, &DataSourceManager::sourcesChanged, sourcesDock,
                &DataSourcesWidget::updateListView);
        // Every document stores the internal tables; the one being worked
        // on must not close without asking after its table was edited.
        connect(manager, &DataSourceManager::tableEdited, this, [this] {
            if (Document *doc = currentDocument())
                doc->setModified(true);
        });
        // A source added in the dock belongs to the document being worked
        // on: its file stores it even before an item uses it.
        connect(manager, &DataSourceManager::sourceAdded, this, [this, manager](DataSource *s) {
            if (manager->isReading())
                return;
            if (Document *doc = currentDocument())
                doc->adoptSource(s);
        });
        connect(manager, &DataSourceManager::sourceReread, this,
                [this](DataSource *, const QString &message) {
                    // Longer than other notes: the labels on screen just changed.
                    statusBar()->showMessage(message, 10000);
                });
        sourcesDock->setUsage([this](const DataSource *source) {
            QList<QPair<QString, int>> users;
            for (Document *doc : documents()) {
                int n = 0;
                for (DataBinding *b : doc->bindings())
                    n += b->source() == source ? 1 : 0;
                if (n > 0)
                    users.append({doc->fileInfo().fileName().isEmpty()
                                      ? tr("an unsaved label")
                                      : doc->fileInfo().fileName(),
                                  n});
            }
            return users;
        });
        sourcesDock->updateListView();
    }
    connect(previewDock, &PreviewWidget::newLabel, this, &MainWindow::insertNewLabel);

    if (!readSettings()) {
        addDockWidget(Qt::RightDockWidgetArea, undoDock);
        addDockWidget(Qt::RightDockWidgetArea, previewDock);
        tabifyDockWidget(undoDock, previewDock);
        addDockWidget(Qt::RightDockWidgetArea, sourcesDock);
        showMaximized();
    } else {
        // A dock the saved state does not know yet goes where a first start puts it.
        for (QDockWidget *dock : {static_cast<QDockWidget *>(sourcesDock),
                                  static_cast<QDockWidget *>(undoDock),
                                  static_cast<QDockWidget *>(previewDock)}) {
            if (dockWidgetArea(dock) == Qt::NoDockWidgetArea && !dock->isFloating())
                addDockWidget(Qt::RightDockWidgetArea, dock);
        }
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::createActions()
{
    const QString base = QStringLiteral("/icons/oxygen/32x32/");
    newAct = makeAction(this, QStringLiteral("new"), tr("&New"), base + QStringLiteral("actions/document-new.png"));
    newAct->setShortcuts(QKeySequence::New);
    connect(newAct, &QAction::triggered, this, &MainWindow::newDocument);

    openAct = makeAction(this, QStringLiteral("open"), tr("&Open"), base + QStringLiteral("actions/document-open.png"));
    openAct->setShortcuts(QKeySequence::Open);
    connect(openAct, &QAction::triggered, this, QOverload<>::of(&MainWindow::load));

    closeAct = makeAction(this, QStringLiteral("close"), tr("&Close"), base + QStringLiteral("actions/document-close.png"));
    connect(closeAct, &QAction::triggered, this, QOverload<>::of(&MainWindow::closeDoc));

    saveAct = makeAction(this, QStringLiteral("save"), tr("Save"), base + QStringLiteral("actions/document-save.png"));
    saveAct->setShortcuts(QKeySequence::Save);
    connect(saveAct, &QAction::triggered, this, QOverload<>::of(&MainWindow::save));

    saveAsAct = makeAction(this, QStringLiteral("saveas"), tr("Save &As..."),
                           base + QStringLiteral("actions/document-save-as.png"));
    saveAsAct->setShortcuts(QKeySequence::SaveAs);
    connect(saveAsAct, &QAction::triggered, this, &MainWindow::saveAs);

    docPropertiesAct = makeAction(this, QStringLiteral("properties"), tr("Label properties"));
    connect(docPropertiesAct, &QAction::triggered, this, &MainWindow::docProperties);

    lockAct = makeAction(this, QStringLiteral("lock"), tr("Lock layout"), base + QStringLiteral("status/object-locked.png"));
    lockAct->setCheckable(true);
    connect(lockAct, &QAction::triggered, this, &MainWindow::lockLayout);

    exportPdfAct = makeAction(this, QStringLiteral("exportpdf"), tr("Export as P&DF..."));
    connect(exportPdfAct, &QAction::triggered, this, &MainWindow::exportAsPdf);
    exportLabelsAct =
        makeAction(this, QStringLiteral("exportlabels"), tr("Export labels as PDF..."));
    connect(exportLabelsAct, &QAction::triggered, this, &MainWindow::exportLabelsAsPdf);
    calibrationAct =
        makeAction(this, QStringLiteral("calibration"), tr("Printer calibration..."));
    connect(calibrationAct, &QAction::triggered, this, &MainWindow::printerCalibration);

    printAct = makeAction(this, QStringLiteral("print"), tr("&Print..."), base + QStringLiteral("actions/document-print.png"));
    printAct->setShortcuts(QKeySequence::Print);
    connect(printAct, &QAction::triggered, this, &MainWindow::print);

    exitAct = makeAction(this, QStringLiteral("exit"), tr("E&xit"));
    exitAct->setShortcuts(QKeySequence::Quit);
    connect(exitAct, &QAction::triggered, this, &QWidget::close);

    undoAct = undoGroup->createUndoAction(this, tr("Undo"));
    undoAct->setObjectName(QStringLiteral("action/undo"));
    undoAct->setIcon(icons::fromAppDir(base + QStringLiteral("actions/edit-undo.png")));
    undoAct->setShortcuts(QKeySequence::Undo);
    redoAct = undoGroup->createRedoAction(this, tr("&Redo"));
    redoAct->setObjectName(QStringLiteral("action/redo"));
    redoAct->setIcon(icons::fromAppDir(base + QStringLiteral("actions/edit-redo.png")));
    redoAct->setShortcuts(QKeySequence::Redo);
    // Typing in a frame becomes its own entry before anything is undone, so
    // Undo never runs while a frame holds unrecorded text.
    undoAct->disconnect(undoGroup);
    redoAct->disconnect(undoGroup);
    connect(undoAct, &QAction::triggered, this, [this] {
        if (Document *doc = currentDocument())
            doc->endTyping();
        undoGroup->undo();
    });
    connect(redoAct, &QAction::triggered, this, [this] {
        if (Document *doc = currentDocument())
            doc->endTyping();
        undoGroup->redo();
    });

    cutAct = makeAction(this, QStringLiteral("cut"), tr("Cu&t"), base + QStringLiteral("actions/edit-cut.png"));
    cutAct->setShortcuts(QKeySequence::Cut);
    connect(cutAct, &QAction::triggered, this, &MainWindow::cut);

    copyAct = makeAction(this, QStringLiteral("copy"), tr("&Copy..."), base + QStringLiteral("actions/edit-copy.png"));
    copyAct->setShortcuts(QKeySequence::Copy);
    connect(copyAct, &QAction::triggered, this, &MainWindow::copy);

    pasteAct = makeAction(this, QStringLiteral("paste"), tr("&Paste..."), base + QStringLiteral("actions/edit-paste.png"));
    pasteAct->setShortcuts(QKeySequence::Paste);
    connect(pasteAct, &QAction::triggered, this, &MainWindow::paste);

    // Brings back items moved or turned off the label, where no click reaches them.
    selectAllAct = makeAction(this, QStringLiteral("selectall"), tr("Select all"));
    selectAllAct->setShortcuts(QKeySequence::SelectAll);
    connect(selectAllAct, &QAction::triggered, this, &MainWindow::selectAll);

    // Wired to the active document only (connectDocument).
    deleteAct = makeAction(this, QStringLiteral("delete"), tr("&Delete"), base + QStringLiteral("actions/edit-delete.png"));
    deleteAct->setShortcuts(QKeySequence::Delete);

    labelAct = makeAction(this, QStringLiteral("label"), tr("&Label"), base + QStringLiteral("actions/document-import.png"));
    connect(labelAct, &QAction::triggered, this, &MainWindow::insertNewLabel);

    preferencesAct = makeAction(this, QStringLiteral("preferences"), tr("&Preferences"),
                                base + QStringLiteral("categories/preferences-system.png"));
    connect(preferencesAct, &QAction::triggered, this, &MainWindow::preferences);

    updatesAct = makeAction(this, QStringLiteral("updates"), tr("Check for updates"));
    connect(updatesAct, &QAction::triggered, this, [] { win_sparkle_check_update_with_ui(); });

    aboutAct = makeAction(this, QStringLiteral("about"), tr("&About"));
    connect(aboutAct, &QAction::triggered, this, &MainWindow::about);

    zoomInAct = makeAction(this, QStringLiteral("zoomin"), tr("Zoom in"));
    // Ctrl+= too: on most layouts "+" needs Shift.
    zoomInAct->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomInAct, &QAction::triggered, this, [this] { zoomBy(1); });
    zoomOutAct = makeAction(this, QStringLiteral("zoomout"), tr("Zoom out"));
    zoomOutAct->setShortcuts(QKeySequence::ZoomOut);
    connect(zoomOutAct, &QAction::triggered, this, [this] { zoomBy(-1); });
    fitAct = makeAction(this, QStringLiteral("fitlabel"), tr("Fit label"));
    fitAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(fitAct, &QAction::triggered, this, &MainWindow::fitLabel);
}

void MainWindow::createMenus()
{
    fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(newAct);
    fileMenu->addAction(openAct);
    recentMenu = fileMenu->addMenu(tr("Open Recent"));
    recentMenu->setObjectName(QStringLiteral("menu/recent"));
    refreshRecentMenu();
    fileMenu->addSeparator();
    fileMenu->addAction(closeAct);
    fileMenu->addAction(saveAct);
    fileMenu->addAction(saveAsAct);
    fileMenu->addSeparator();
    fileMenu->addAction(lockAct);
    fileMenu->addAction(docPropertiesAct);
    fileMenu->addSeparator();
    fileMenu->addAction(exportPdfAct);
    fileMenu->addAction(exportLabelsAct);
    fileMenu->addSeparator();
    fileMenu->addAction(printAct);
    fileMenu->addAction(calibrationAct);
    fileMenu->addSeparator();
    fileMenu->addAction(exitAct);

    editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addAction(undoAct);
    editMenu->addAction(redoAct);
    editMenu->addSeparator();
    editMenu->addAction(cutAct);
    editMenu->addAction(copyAct);
    editMenu->addAction(pasteAct);
    editMenu->addSeparator();
    editMenu->addAction(selectAllAct);

    viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addAction(zoomInAct);
    viewMenu->addAction(zoomOutAct);
    viewMenu->addAction(fitAct);
    viewMenu->addSeparator();

    insertMenu = menuBar()->addMenu(tr("&Insert"));
    insertMenu->addAction(labelAct);

    toolsMenu = menuBar()->addMenu(tr("&Tools"));
    toolsMenu->addAction(preferencesAct);

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(updatesAct);
    helpMenu->addAction(aboutAct);
}

void MainWindow::createToolBars()
{
    fileToolBar = addToolBar(tr("File"));
    fileToolBar->setObjectName(QStringLiteral("toolbar/file"));
    fileToolBar->addAction(newAct);
    fileToolBar->addAction(openAct);
    fileToolBar->addAction(saveAct);

    editToolBar = addToolBar(tr("Edit"));
    editToolBar->setObjectName(QStringLiteral("toolbar/edit"));
    editToolBar->addAction(printAct);
    editToolBar->addSeparator();
    editToolBar->addAction(deleteAct);
    editToolBar->addAction(cutAct);
    editToolBar->addAction(copyAct);
    editToolBar->addAction(pasteAct);
    editToolBar->addSeparator();
    editToolBar->addAction(undoAct);
    editToolBar->addAction(redoAct);

    textToolBar = new TextToolbar(this);
    addToolBar(Qt::TopToolBarArea, textToolBar);
    textToolBar->setTextFont(defaultFont);

    toolsToolBar = new ToolsToolbar(this);
    addToolBar(Qt::LeftToolBarArea, toolsToolBar);

    transAlignToolBar = new TransAlignToolbar(this);
    addToolBar(Qt::TopToolBarArea, transAlignToolBar);

    labelStatus = new QLabel(tr("Label %1 of %2").arg(1).arg(1));
    labelStatus->setObjectName(QStringLiteral("status/label"));
    gridCheck = new QCheckBox(tr("Show grid"));
    gridCheck->setObjectName(QStringLiteral("status/grid"));
    gridCheck->setCheckState(Qt::Checked);
    snapCheck = new QCheckBox(tr("Snap to grid"));
    snapCheck->setObjectName(QStringLiteral("status/snap"));
    snapCheck->setCheckState(Qt::Checked);
    zoomCombo = new QComboBox;
    zoomCombo->setObjectName(QStringLiteral("status/zoom"));
    // The steps carry their percent; a fitted value added later carries none.
    const QStringList steps{tr("50%"), tr("75%"), tr("100%"), tr("125%"), tr("150%")};
    for (int i = 0; i < steps.size(); ++i)
        zoomCombo->addItem(steps.at(i), zoomSteps[i]);
    zoomCombo->setCurrentIndex(2);
    statusBar()->addPermanentWidget(labelStatus);
    statusBar()->addPermanentWidget(gridCheck);
    statusBar()->addPermanentWidget(snapCheck);
    statusBar()->addPermanentWidget(zoomCombo);

    connect(toolsToolBar, &ToolsToolbar::toolToggled, this, &MainWindow::toolToggled);
    connect(zoomCombo, &QComboBox::currentTextChanged, this, &MainWindow::scaleChanged);
    connect(gridCheck, &QCheckBox::stateChanged, this, &MainWindow::gridVisibleCheckClicked);
    connect(snapCheck, &QCheckBox::stateChanged, this, &MainWindow::snapToGridCheckClicked);
    connect(transAlignToolBar, &TransAlignToolbar::alignmentSet, this, &MainWindow::setItemAlignment);
    connect(transAlignToolBar, &TransAlignToolbar::rotationSet, this, &MainWindow::setItemRotation);
}

bool MainWindow::readSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("mainwindow"));
    const bool geometry = restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray());
    const bool state = restoreState(settings.value(QStringLiteral("state")).toByteArray(), 0);
    settings.endGroup();
    return geometry || state;
}

void MainWindow::writeSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("mainwindow"));
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("state"), saveState(0));
    settings.endGroup();
}

DocumentView *MainWindow::currentView() const
{
    QMdiSubWindow *sub = mdiArea->currentSubWindow();
    return sub ? qobject_cast<DocumentView *>(sub->widget()) : nullptr;
}

Document *MainWindow::currentDocument() const
{
    DocumentView *view = currentView();
    return view ? view->document() : nullptr;
}

QList<Document *> MainWindow::documents() const
{
    QList<Document *> docs;
    const QList<QMdiSubWindow *> subs = mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (QMdiSubWindow *sub : subs) {
        if (auto *view = qobject_cast<DocumentView *>(sub->widget()); view && view->document())
            docs.append(view->document());
    }
    return docs;
}

QMdiSubWindow *MainWindow::findSubWindow(Document *doc) const
{
    if (!doc)
        return nullptr;
    const QList<QMdiSubWindow *> subs = mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (QMdiSubWindow *sub : subs) {
        auto *view = qobject_cast<DocumentView *>(sub->widget());
        if (view && view->document() == doc)
            return sub;
    }
    return nullptr;
}

void MainWindow::subWindowActivated(QMdiSubWindow *window)
{
    if (window == lastSubWindow)
        return;
    const QList<Document *> docs = documents();
    for (Document *doc : docs)
        disconnectDocument(doc);
    if (Document *doc = currentDocument()) {
        lockAct->setChecked(doc->isLocked());
        connectDocument(doc);
        showZoom(currentView()->transform().m11());
    }
    lastSubWindow = window;
    updateActions();
}

void MainWindow::updateActions()
{
    const bool open = currentDocument() != nullptr;
    for (QAction *a : {closeAct, saveAct, saveAsAct, docPropertiesAct, lockAct, exportPdfAct,
                       exportLabelsAct, printAct, cutAct, copyAct, pasteAct, selectAllAct,
                       deleteAct, labelAct, zoomInAct, zoomOutAct, fitAct})
        a->setEnabled(open);
    for (QWidget *w : {static_cast<QWidget *>(zoomCombo), static_cast<QWidget *>(toolsToolBar),
                       static_cast<QWidget *>(textToolBar),
                       static_cast<QWidget *>(transAlignToolBar)})
        w->setEnabled(open);
}

void MainWindow::connectDocument(Document *doc)
{
    if (!doc)
        return;
    connect(doc, &Document::itemInserted, this, &MainWindow::resetToolsToolbar, Qt::UniqueConnection);
    connect(doc, &Document::itemSelectedChange, this, &MainWindow::itemSelectedChange,
            Qt::UniqueConnection);
    connect(doc, &Document::labelChanged, this, &MainWindow::refreshLabelStatus, Qt::UniqueConnection);
    connect(textToolBar, &TextToolbar::fontRepresentationChanged, doc, &Document::setSelectedFont,
            Qt::UniqueConnection);
    connect(textToolBar, &TextToolbar::alignmentChanged, doc, &Document::setSelectedTextAlignmentSlot,
            Qt::UniqueConnection);
    connect(deleteAct, &QAction::triggered, doc, &Document::deleteSelected, Qt::UniqueConnection);
    doc->undoStack()->setActive(true);
    previewDock->setDocument(doc);
    connect(doc, &Document::labelsInserted, previewDock, &PreviewWidget::redrawPreview,
            Qt::UniqueConnection);
    connect(doc, &Document::labelsRemoved, previewDock, &PreviewWidget::redrawPreview,
            Qt::UniqueConnection);
    connect(doc, &QGraphicsScene::selectionChanged, previewDock, &PreviewWidget::updatePreview,
            Qt::UniqueConnection);
    connect(doc, &Document::itemMoved, previewDock, &PreviewWidget::updatePreview,
            Qt::UniqueConnection);
    // The thumbnails follow every change: typing, insertions, undo and redo.
    connect(doc, &Document::contentEdited, previewDock, &PreviewWidget::updatePreview,
            Qt::UniqueConnection);
    connect(doc, &Document::itemInserted, previewDock, &PreviewWidget::updatePreview,
            Qt::UniqueConnection);
    connect(doc, &Document::sizeTemplateChanged, previewDock, &PreviewWidget::redrawPreview,
            Qt::UniqueConnection);
    connect(doc->undoStack(), &QUndoStack::indexChanged, previewDock,
            &PreviewWidget::updatePreview, Qt::UniqueConnection);
    connect(previewDock, &PreviewWidget::labelSelected, doc, &Document::selectLabel,
            Qt::UniqueConnection);
    doc->selectLabel(0);
    previewDock->redrawPreview();
    refreshLabelStatus();
}

void MainWindow::disconnectDocument(Document *doc)
{
    if (!doc)
        return;
    // Only what the window made: the scene's own links to its views stay.
    disconnect(doc, nullptr, this, nullptr);
    disconnect(textToolBar, nullptr, doc, nullptr);
    disconnect(deleteAct, nullptr, doc, nullptr);
    disconnect(doc, nullptr, previewDock, nullptr);
    disconnect(doc->undoStack(), nullptr, previewDock, nullptr);
    disconnect(previewDock, nullptr, doc, nullptr);
    // The thumbnails paint the document; they go before it can.
    if (previewDock->currentDocument() == doc)
        previewDock->clear();
}

void MainWindow::updateLabelStatus(int current, int total)
{
    labelStatus->setText(tr("Label %1 of %2").arg(current + 1).arg(total));
}

void MainWindow::refreshLabelStatus()
{
    if (Document *doc = currentDocument())
        updateLabelStatus(doc->currentLabel(), doc->labelCount());
}

void MainWindow::resetToolsToolbar(QGraphicsItem *)
{
    toolsToolBar->uncheckAll();
    if (Document *doc = currentDocument())
        doc->resetInsertMode();
}

void MainWindow::statusBarShowMessage(QString msg)
{
    statusBar()->showMessage(msg, 2500);
}

void MainWindow::cut()
{
    if (Document *doc = currentDocument())
        doc->cut();
}

void MainWindow::copy()
{
    if (Document *doc = currentDocument())
        doc->copy();
}

void MainWindow::paste()
{
    if (Document *doc = currentDocument())
        doc->paste();
}

void MainWindow::selectAll()
{
    if (Document *doc = currentDocument())
        doc->selectAllItems();
}

void MainWindow::setItemAlignment(Qt::Alignment alignment)
{
    if (Document *doc = currentDocument())
        doc->alignSelected(alignment);
}

void MainWindow::setItemRotation(int angle)
{
    if (Document *doc = currentDocument())
        doc->rotateSelected(angle);
}

void MainWindow::lockLayout(bool locked)
{
    if (Document *doc = currentDocument()) {
        doc->setLocked(locked);
        statusBarShowMessage(locked ? tr("The layout is locked: items cannot be moved or resized")
                                    : tr("The layout is unlocked"));
    } else {
        lockAct->setChecked(false);
    }
}

void MainWindow::gridVisibleCheckClicked(int)
{
    if (Document *doc = currentDocument())
        doc->setGridVisible(gridCheck->isChecked());
}

void MainWindow::snapToGridCheckClicked(int state)
{
    if (Document *doc = currentDocument())
        doc->setSnapToGrid(state == Qt::Checked);
}

void MainWindow::insertNewLabel()
{
    if (Document *doc = currentDocument()) {
        doc->insertLabel();
        refreshLabelStatus();
        previewDock->showLabel(doc->currentLabel());
    }
}

void MainWindow::print()
{
    QString printer;
    const qint64 labels = printHandler->printWithDialog(currentDocument(), &printer);
    if (labels == 1)
        statusBarShowMessage(tr("One label sent to %1").arg(printer));
    else if (labels > 1)
        statusBarShowMessage(
            tr("%n labels sent to %1", nullptr, int(qMin<qint64>(labels, INT_MAX))).arg(printer));
}

void MainWindow::preferences()
{
    const QString localeKey = QStringLiteral("localization/locale");
    const QString before = QSettings().value(localeKey, QStringLiteral("en_US")).toString();
    QPointer<PreferencesDialog> dialog = new PreferencesDialog;
    const bool saved = dialog->exec() == QDialog::Accepted;
    delete dialog;
    if (!saved || QSettings().value(localeKey, QStringLiteral("en_US")).toString() == before)
        return;
    // The menus are built in the language read at start-up.
    QMessageBox box(QMessageBox::Information, tr("Preferences"),
                    tr("The new language applies when Tagorix starts again."), QMessageBox::NoButton,
                    this);
    box.setObjectName(QStringLiteral("dialog/restart"));
    QPushButton *now = box.addButton(tr("Restart now"), QMessageBox::AcceptRole);
    box.addButton(tr("Later"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() != now)
        return;
    // Closing asks about unsaved labels first; Cancel there cancels the restart.
    if (close())
        QMetaObject::invokeMethod(qApp, "reboot", Qt::QueuedConnection);
}

void MainWindow::scaleChanged(QString scale)
{
    DocumentView *view = currentView();
    if (!view)
        return;
    const double factor = scale.section(tr("%"), 0, 0).toDouble() / 100.0;
    if (!(factor > 0))
        return;
    const QTransform t = view->transform();
    view->resetTransform();
    view->translate(t.dx(), t.dy());
    view->scale(factor, factor);
}

void MainWindow::showZoom(double factor)
{
    // The box lists its steps and, when the view is at another value (a
    // fitted label), that value in its place among them.
    const int percent = qRound(factor * 100);
    const QString text = QString::number(percent) + tr("%");
    const QSignalBlocker quiet(zoomCombo);
    for (int i = zoomCombo->count() - 1; i >= 0; --i) {
        if (!zoomCombo->itemData(i).isValid())
            zoomCombo->removeItem(i);
    }
    int at = zoomCombo->findText(text);
    if (at < 0) {
        at = 0;
        while (at < zoomCombo->count() &&
               zoomCombo->itemText(at).section(tr("%"), 0, 0).toInt() < percent)
            ++at;
        zoomCombo->insertItem(at, text);
    }
    zoomCombo->setCurrentIndex(at);
}

void MainWindow::zoomBy(int steps)
{
    DocumentView *view = currentView();
    if (!view || steps == 0)
        return;
    const int now = qRound(view->transform().m11() * 100);
    int target = now;
    // From a fitted value the next step is the nearest one in that direction.
    for (int i = 0; i < qAbs(steps); ++i) {
        int next = target;
        if (steps > 0) {
            for (int step : zoomSteps) {
                if (step > target) {
                    next = step;
                    break;
                }
            }
        } else {
            for (auto it = std::rbegin(zoomSteps); it != std::rend(zoomSteps); ++it) {
                if (*it < target) {
                    next = *it;
                    break;
                }
            }
        }
        target = next;
    }
    if (target == now)
        return;
    showZoom(target / 100.0);
    scaleChanged(zoomCombo->currentText());
}

void MainWindow::fitLabel()
{
    DocumentView *view = currentView();
    Document *doc = currentDocument();
    if (!view || !doc)
        return;
    // The whole label with a little room around it, never larger than 400 %.
    const QRectF label = doc->sceneRect();
    const QSize room = view->viewport()->size() - QSize(24, 24);
    if (label.width() <= 0 || label.height() <= 0 || room.width() <= 0 || room.height() <= 0)
        return;
    const double factor = qMin(room.width() / label.width(), room.height() / label.height());
    const int percent = qBound(10, int(factor * 100), 400);
    showZoom(percent / 100.0);
    scaleChanged(zoomCombo->currentText());
    view->ensureVisible(label, 12, 12);
}

void MainWindow::toolToggled(ToolsToolbar::ToolType tool, bool checked)
{
    Document *doc = currentDocument();
    if (!doc)
        return;
    if (!checked) {
        doc->resetInsertMode();
        return;
    }
    switch (tool) {
    case ToolsToolbar::TextTool:
        doc->setFont(textToolBar->textFont());
        doc->setInsertMode(Document::InsertText);
        break;
    case ToolsToolbar::ImageTool:
        doc->setInsertMode(Document::InsertImage);
        break;
    case ToolsToolbar::DataTool:
        doc->setFont(textToolBar->textFont());
        doc->setInsertMode(Document::InsertData);
        break;
    case ToolsToolbar::DateTimeTool:
        doc->setFont(textToolBar->textFont());
        doc->setInsertMode(Document::InsertDateTime);
        break;
    case ToolsToolbar::BarcodeTool:
        doc->setInsertMode(Document::InsertBarcode);
        break;
    }
}

void MainWindow::itemSelectedChange(QGraphicsItem *item, bool selected)
{
    if (!item || !itemtype::isTextBearing(item->type()))
        return;
    auto *text = dynamic_cast<TextBearing *>(item);
    if (!text)
        return;
    if (selected) {
        defaultFont = textToolBar->textFont();
        textToolBar->setTextFont(text->font());
        textToolBar->setTextAlignment(text->alignment());
    } else {
        textToolBar->setTextFont(defaultFont);
        textToolBar->clearStyles();
        textToolBar->setTextAlignment(Qt::AlignLeft);
    }
}

void MainWindow::about()
{
    const QString sfx = QString::fromLatin1(version::suffix);
    const QString text =
        tr("Veltrux Tagorix\n"
           "Version %1.%2.%3%4 (%5)\n"
           "\n"
           "Design labels, lay them out on roll stock and print runs of different labels.\n"
           "\n"
           "This software uses Qt version %6 under the terms of the GNU Lesser General Public "
           "License (LGPL) version 2.1.\n")
            .arg(version::major)
            .arg(version::minor)
            .arg(version::patch)
            .arg(sfx.isEmpty() ? QString() : QStringLiteral("-") + sfx)
            .arg(QLatin1String(TAGORIX_SOURCE_REVISION))
            .arg(QLatin1String(qVersion()));
    QMessageBox::about(this, tr("About"), text);
}
