#pragma once

#include "dialogs/toolstoolbar.h"

#include <QFont>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>

class DataSourcesWidget;
class Document;
class DocumentView;
class PreviewWidget;
class PrintDialogHandler;
class QAction;
class QCheckBox;
class QComboBox;
class QGraphicsItem;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QUndoGroup;
class TextToolbar;
class TransAlignToolbar;
class UndoWidget;

// The single top-level window: one tab per open document, the actions,
// menus, toolbars and status bar, and the routing of every editing command
// to the document of the active tab.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The document of the active tab, found afresh each time (may be null).
    Document *currentDocument() const;
    DocumentView *currentView() const;
    QList<Document *> documents() const;

public slots:
    void newDocument();
    void loadFiles(QStringList files);
    void resetToolsToolbar(QGraphicsItem *item);
    void statusBarShowMessage(QString msg);
    void closeDoc();
    void closeDoc(Document *doc);

private slots:
    bool exportAsPdf();
    // The whole run (every label, as a print places them) into one PDF.
    bool exportLabelsAsPdf();
    void printerCalibration();
    void print();
    void about();
    void preferences();
    void subWindowActivated(QMdiSubWindow *window);
    void cut();
    void copy();
    void paste();
    void selectAll();
    bool save();
    bool save(Document *doc);
    bool saveAs();
    bool maybeSave(Document *doc);
    bool load();
    bool load(QString fn);
    void docProperties();
    void lockLayout(bool locked);
    void itemSelectedChange(QGraphicsItem *item, bool selected);
    void toolToggled(ToolsToolbar::ToolType tool, bool checked);
    void scaleChanged(QString scale);
    void gridVisibleCheckClicked(int state);
    void snapToGridCheckClicked(int state);
    void setItemAlignment(Qt::Alignment alignment);
    void setItemRotation(int angle);
    void insertNewLabel();
    void zoomBy(int steps);
    void fitLabel();
    void openRecent();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The image tool's picture: a file the user picks, read; null when the
    // dialog is cancelled or the file is no image (the user is told).
    QPixmap chooseImage();
    void createActions();
    void createMenus();
    void createToolBars();
    bool readSettings();
    void writeSettings();
    QMdiSubWindow *findSubWindow(Document *doc) const;
    void connectDocument(Document *doc);
    void disconnectDocument(Document *doc);
    void updateLabelStatus(int current, int total);
    void refreshLabelStatus();
    void openDocumentWindow(Document *doc, bool titleFromFile);
    bool saveDocumentAs(Document *doc);
    bool writeTo(Document *doc, const QString &path);
    void showWriteError(const QString &name);
    // The last ten files opened or saved, newest first ("recentFiles").
    void addRecentFile(const QString &path);
    void removeRecentFile(const QString &path);
    void refreshRecentMenu();
    // Actions that need a document are enabled only while one is open.
    void updateActions();
    void showZoom(double factor);

    QMdiArea *mdiArea = nullptr;
    QUndoGroup *undoGroup = nullptr;
    PrintDialogHandler *printHandler = nullptr;
    DataSourcesWidget *sourcesDock = nullptr;
    UndoWidget *undoDock = nullptr;
    PreviewWidget *previewDock = nullptr;
    QFont defaultFont;
    QCheckBox *gridCheck = nullptr;
    QCheckBox *snapCheck = nullptr;
    QMenu *fileMenu = nullptr;
    QMenu *recentMenu = nullptr;
    QMenu *editMenu = nullptr;
    QMenu *viewMenu = nullptr;
    QMenu *insertMenu = nullptr;
    QMenu *toolsMenu = nullptr;
    QMenu *helpMenu = nullptr;
    QToolBar *fileToolBar = nullptr;
    QToolBar *editToolBar = nullptr;
    ToolsToolbar *toolsToolBar = nullptr;
    TextToolbar *textToolBar = nullptr;
    TransAlignToolbar *transAlignToolBar = nullptr;

    QAction *newAct = nullptr;
    QAction *openAct = nullptr;
    QAction *closeAct = nullptr;
    QAction *saveAct = nullptr;
    QAction *saveAsAct = nullptr;
    QAction *docPropertiesAct = nullptr;
    QAction *lockAct = nullptr;
    QAction *exportPdfAct = nullptr;
    QAction *exportLabelsAct = nullptr;
    QAction *calibrationAct = nullptr;
    QAction *printAct = nullptr;
    QAction *exitAct = nullptr;
    QAction *undoAct = nullptr;
    QAction *redoAct = nullptr;
    QAction *cutAct = nullptr;
    QAction *copyAct = nullptr;
    QAction *pasteAct = nullptr;
    QAction *selectAllAct = nullptr;
    QAction *deleteAct = nullptr;
    QAction *labelAct = nullptr;
    QAction *preferencesAct = nullptr;
    QAction *updatesAct = nullptr;
    QAction *aboutAct = nullptr;
    QAction *zoomInAct = nullptr;
    QAction *zoomOutAct = nullptr;
    QAction *fitAct = nullptr;

    QComboBox *zoomCombo = nullptr;
    QLabel *labelStatus = nullptr;
    QMdiSubWindow *lastSubWindow = nullptr;
};
