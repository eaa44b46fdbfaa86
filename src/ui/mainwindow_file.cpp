// The file commands of the main window: new, open, save, save as, close
// with the save prompt, closing the window, PDF export and label properties.

#include "mainwindow.h"

#include "dialogs/datasourceswidget.h"
#include "dialogs/docpropertiesdialog.h"
#include "dialogs/newdocumentdialog.h"
#include "dialogs/scanreportdialog.h"
#include "dialogs/previewwidget.h"
#include "dialogs/printercalibrationdialog.h"
#include "datasourcemanager.h"
#include "document.h"
#include "documentview.h"
#include "lastfolder.h"
#include "pdfpage.h"
#include "printersettings_win.h"
#include "printdialoghandler.h"
#include "sizetemplate.h"
#include "services.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QSettings>
#include <QUndoGroup>
#include <QUndoStack>

namespace {

QString withSuffix(const QString &name, const QString &suffix)
{
    return name.endsWith(suffix, Qt::CaseInsensitive) ? name : name + suffix;
}

} // namespace

void MainWindow::openDocumentWindow(Document *doc, bool titleFromFile)
{
    auto *sub = new QMdiSubWindow;
    auto *view = new DocumentView(doc);
    connect(view, &DocumentView::closing, this, QOverload<Document *>::of(&MainWindow::closeDoc));
    connect(view, &DocumentView::zoomStepped, this, &MainWindow::zoomBy);
    connect(view, &DocumentView::labelStepped, previewDock, [this](int index) {
        previewDock->updatePreview();
        previewDock->showLabel(index);
    });
    sub->setWidget(view);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    mdiArea->addSubWindow(sub);
    sub->showMaximized();
    undoGroup->addStack(doc->undoStack());
    // "[*]" shows as "*" in the tab while the document has unsaved changes.
    sub->setWindowTitle((titleFromFile ? doc->fileInfo().fileName() : tr("(Untitled)")) +
                        QStringLiteral("[*]"));
    connect(doc, &Document::modifiedChanged, sub, &QWidget::setWindowModified);
    doc->setImageSource([this] { return chooseImage(); });
    connectDocument(doc);
    doc->setModified(false);
    sub->setWindowModified(false);
    updateActions();
}

namespace {

const char recentKey[] = "recentFiles";
const int recentMax = 10;

} // namespace

void MainWindow::addRecentFile(const QString &path)
{
    QSettings settings;
    QStringList files = settings.value(QLatin1String(recentKey)).toStringList();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > recentMax)
        files.removeLast();
    settings.setValue(QLatin1String(recentKey), files);
    refreshRecentMenu();
}

void MainWindow::removeRecentFile(const QString &path)
{
    QSettings settings;
    QStringList files = settings.value(QLatin1String(recentKey)).toStringList();
    files.removeAll(path);
    settings.setValue(QLatin1String(recentKey), files);
    refreshRecentMenu();
}

void MainWindow::refreshRecentMenu()
{
    if (!recentMenu)
        return;
    recentMenu->clear();
    const QStringList files = QSettings().value(QLatin1String(recentKey)).toStringList();
    int n = 0;
    for (const QString &file : files) {
        if (n == recentMax)
            break;
        // "&1" to "&9" and "1&0" give every entry a key of its own.
        const QString number = n < 9 ? QStringLiteral("&%1").arg(n + 1) : QStringLiteral("1&0");
        QAction *a = recentMenu->addAction(
            QStringLiteral("%1 %2").arg(number, QFileInfo(file).fileName().replace(
                                                      QLatin1Char('&'), QStringLiteral("&&"))));
        a->setData(file);
        a->setToolTip(QDir::toNativeSeparators(file));
        a->setStatusTip(QDir::toNativeSeparators(file));
        connect(a, &QAction::triggered, this, &MainWindow::openRecent);
        ++n;
    }
    recentMenu->setEnabled(n > 0);
}

void MainWindow::openRecent()
{
    auto *a = qobject_cast<QAction *>(sender());
    if (!a)
        return;
    const QString file = a->data().toString();
    if (!QFileInfo::exists(file)) {
        QMessageBox::warning(this, tr("Open Recent"),
                             tr("'%1' is no longer there; it is taken off the list.")
                                 .arg(QDir::toNativeSeparators(file)));
        removeRecentFile(file);
        return;
    }
    load(file);
}



QPixmap MainWindow::chooseImage()
{
    const QString fn = QFileDialog::getOpenFileName(
        nullptr, tr("Open file..."), lastfolder::get(),
        tr("Images (*.png *.jpg *.jpeg *.bmp *.gif *.svg)") + QStringLiteral(";;") +
            tr("All Files (*)"));
    if (fn.isEmpty() || !QFile::exists(fn))
        return QPixmap();
    lastfolder::remember(fn);
    QPixmap picture(fn);
    if (picture.isNull())
        QMessageBox::warning(this, tr("Insert image"),
                             tr("'%1' is not an image that can be read; nothing was inserted.")
                                 .arg(QFileInfo(fn).fileName()));
    return picture;
}

void MainWindow::loadFiles(QStringList files)
{
    for (const QString &fn : qAsConst(files))
        load(fn);
}

bool MainWindow::load()
{
    const QString fn =
        QFileDialog::getOpenFileName(this, tr("Open..."), lastfolder::get(),
                                     tr("Tagorix 4 label files (*.tx4l);;All files (*.*)"));
    lastfolder::remember(fn);
    return load(fn);
}

bool MainWindow::load(QString fn)
{
    if (fn.isEmpty())
        return false;
    // A file already open only brings its tab forward; it is not read again,
    // so nothing about it is reported twice.
    const QFileInfo info(fn);
    const QList<QMdiSubWindow *> subs = mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (QMdiSubWindow *sub : subs) {
        auto *view = qobject_cast<DocumentView *>(sub->widget());
        if (view && view->document() && view->document()->fileInfo() == info) {
            mdiArea->setActiveSubWindow(sub);
            return true;
        }
    }

    auto *doc = new Document(this);
    QFile file(fn);
    if (!readDocumentFile(&file, doc)) {
        QMessageBox::critical(this, tr("Bad file type"), tr("Unable to open the selected file."),
                              QMessageBox::Ok);
        delete doc;
        return false;
    }
    if (DataSourceManager *manager = services::dataSourceManager()) {
        if (!manager->missingFiles().isEmpty())
            QMessageBox::warning(
                this, tr("Data files not found"),
                tr("The label uses data files that were not found:\n%1\n\nIts items keep "
                   "their bindings and are bound again as soon as the files are added in the "
                   "data sources dock. Until then the labels cannot be printed.")
                    .arg(manager->missingFiles().join(QLatin1Char('\n'))));
        const QStringList notes = doc->dataNotes() + manager->takeNotices();
        if (!notes.isEmpty())
            QMessageBox::information(this, tr("Data files changed"),
                                     notes.join(QStringLiteral("\n\n")));
    }
    if (!doc->missingPrinter().isEmpty()) {
        QMessageBox::warning(
            nullptr, tr("Printer not found"),
            tr("The printer %1 was not found. Set up printer in 'Label properties'")
                .arg(doc->missingPrinter()),
            QMessageBox::Ok);
    }
    doc->setFileInfo(info);
    openDocumentWindow(doc, true);
    addRecentFile(info.absoluteFilePath());
    // Entries of tables that share a name say which label they belong to.
    sourcesDock->updateListView();
    return true;
}

bool MainWindow::writeTo(Document *doc, const QString &path)
{
    // Written beside the old file and renamed over it only when complete, so
    // a full disk or a crash never destroys the previous version.
    QSaveFile file(path);
    return writeDocumentFile(&file, doc);
}

void MainWindow::showWriteError(const QString &name)
{
    QMessageBox::critical(this, tr("Write error"), tr("Unable open '%1' for writing").arg(name),
                          QMessageBox::Ok);
}

bool MainWindow::save()
{
    return save(currentDocument());
}

bool MainWindow::save(Document *doc)
{
    if (!doc)
        return false;
    if (doc->fileInfo().fileName().isEmpty())
        return saveDocumentAs(doc);
    if (writeTo(doc, doc->fileInfo().absoluteFilePath())) {
        doc->setModified(false);
        return true;
    }
    showWriteError(doc->fileInfo().fileName());
    return false;
}

bool MainWindow::saveAs()
{
    return saveDocumentAs(currentDocument());
}

bool MainWindow::saveDocumentAs(Document *doc)
{
    if (!doc)
        return false;
    QString name = QFileDialog::getSaveFileName(this, tr("Save As..."), lastfolder::get(),
                                                tr("Tagorix 4 label files (*.tx4l)"));
    if (name.isEmpty())
        return false;
    lastfolder::remember(name);
    name = withSuffix(name, QStringLiteral(".tx4l"));
    // The document takes the new name only once it is written there, so a
    // later Save never aims at a path that failed.
    const QFileInfo target(name);
    if (!writeTo(doc, target.absoluteFilePath())) {
        showWriteError(name);
        return false;
    }
    doc->setFileInfo(target);
    doc->setModified(false);
    if (QMdiSubWindow *sub = findSubWindow(doc))
        sub->setWindowTitle(target.fileName() + QStringLiteral("[*]"));
    addRecentFile(target.absoluteFilePath());
    return true;
}

bool MainWindow::maybeSave(Document *doc)
{
    if (!doc || !doc->isModified())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        this, tr("Label modified"),
        tr("The label '%1' has been modified.\nDo you want to save your changes?")
            .arg(doc->fileInfo().fileName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::NoButton);
    if (answer == QMessageBox::Save)
        return save(doc);
    return answer == QMessageBox::Discard;
}

void MainWindow::closeDoc()
{
    closeDoc(currentDocument());
}

void MainWindow::closeDoc(Document *doc)
{
    if (!doc || !maybeSave(doc))
        return;
    QMdiSubWindow *sub = findSubWindow(doc);
    auto *view = sub ? qobject_cast<DocumentView *>(sub->widget()) : nullptr;
    if (view)
        view->allowClose();
    disconnectDocument(doc);
    if (lastSubWindow == sub)
        lastSubWindow = nullptr;
    delete doc;
    if (sub) {
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // When the close came from the tab itself this close is already under
        // way and the view now accepts it; otherwise it starts here.
        sub->close();
    }
    if (!currentDocument())
        updateLabelStatus(0, 1);
    updateActions();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Every modified label is asked about before any window closes, so one
    // Cancel keeps all of them open and the application running.
    const QList<Document *> docs = documents();
    for (Document *doc : docs) {
        if (!maybeSave(doc)) {
            event->ignore();
            return;
        }
    }
    for (Document *doc : docs) {
        // Saved or given up just now: no second prompt.
        doc->setModified(false);
        closeDoc(doc);
    }
    if (documents().isEmpty()) {
        writeSettings();
        event->accept();
    } else {
        event->ignore();
    }
}

bool MainWindow::exportAsPdf()
{
    // Nothing to export: no point in asking for a file name.
    Document *doc = currentDocument();
    if (!doc || !PrintDialogHandler::dataReady(doc, this))
        return false;
    QString name = QFileDialog::getSaveFileName(this, tr("Export as PDF..."), lastfolder::get(),
                                                tr("PDF files (*.pdf)"));
    if (name.isEmpty())
        return false;
    lastfolder::remember(name);
    name = withSuffix(name, QStringLiteral(".pdf"));

    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(name);
    // The page is the label at its true size in millimetres.
    const QSizeF mm = doc->labelGeometry().mmRect.size();
    const QPageLayout layout(QPageSize(mm, QPageSize::Millimeter), QPageLayout::Portrait,
                             QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setPageLayout(layout);
    const int label = doc->currentLabel();
    if (!ScanReportDialog::confirmRun(doc, &printer, label, label, this))
        return false;
    QPainter painter;
    if (!painter.begin(&printer)) {
        showWriteError(name);
        return false;
    }
    // Drawn at the label's true size rather than into the page, which Qt
    // rounds to whole points; the page box is then made exact to match.
    const double pixelsPerMm = printer.resolution() / 25.4;
    const QRectF target(0, 0, mm.width() * pixelsPerMm, mm.height() * pixelsPerMm);
    doc->setPrintMode(true);
    doc->render(&painter, target, QRectF(), Qt::KeepAspectRatio);
    doc->setPrintMode(false);
    if (!painter.end()) {
        showWriteError(name);
        return false;
    }
    pdfpage::setExactSize(name, mm);
    statusBarShowMessage(tr("Label exported to file"));
    return true;
}

bool MainWindow::exportLabelsAsPdf()
{
    Document *doc = currentDocument();
    if (!doc || !PrintDialogHandler::dataReady(doc, this))
        return false;
    QString name = QFileDialog::getSaveFileName(this, tr("Export labels as PDF..."),
                                                lastfolder::get(), tr("PDF files (*.pdf)"));
    if (name.isEmpty())
        return false;
    lastfolder::remember(name);
    name = withSuffix(name, QStringLiteral(".pdf"));
    PrintDialogHandler handler;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(name);
    handler.setupPrinter(&printer, doc);
    if (!ScanReportDialog::confirmRun(doc, &printer, 0, doc->labelCount() - 1, this))
        return false;
    if (!handler.printWithProgress(&printer, doc, this)) {
        QMessageBox::warning(this, tr("Export labels as PDF..."),
                             handler.errorString().isEmpty()
                                 ? tr("\"%1\" could not be written.").arg(name)
                                 : handler.errorString());
        return false;
    }
    const int n = doc->labelCount();
    const QString where = QDir::toNativeSeparators(name);
    statusBarShowMessage(n == 1 ? tr("One label exported to %1").arg(where)
                                : tr("%n labels exported to %1", nullptr, n).arg(where));
    return true;
}

void MainWindow::printerCalibration()
{
    Document *doc = currentDocument();
    PrinterSettingsWin *settings = doc ? doc->printerSettings() : nullptr;
    PrinterCalibrationDialog dialog(doc, settings ? settings->printerName() : QString(), this);
    dialog.exec();
}

void MainWindow::docProperties()
{
    Document *doc = currentDocument();
    if (!doc)
        return;
    const SizeTemplate stockBefore = doc->sizeTemplate();
    const QByteArray printerBefore = doc->printerState();
    QPointer<Document> guard(doc);
    auto *dialog = new DocPropertiesDialog(doc, this);
    if (dialog->exec() == QDialog::Accepted && guard) {
        const SizeTemplate st = dialog->sizeTemplate();
        if (st.isValid()) {
            doc->setSizeTemplate(st);
            // The previous settings stay with the dialog, which deletes them
            // with itself once the document no longer holds them.
            PrinterSettingsWin *settings = dialog->printerSettings();
            if (settings != doc->printerSettings())
                doc->setPrinterSettings(settings);
            doc->labelPropertiesEdited(stockBefore, printerBefore);
            // Another stock lays the labels out anew on another liner.
            previewDock->redrawPreview();
        }
    }
    delete dialog;
}

void MainWindow::newDocument()
{
    auto *doc = new Document(this);
    auto *dialog = new NewDocumentDialog(this);
    connect(dialog, &NewDocumentDialog::selectedSizeTemplateChange, doc,
            &Document::setSizeTemplate);
    // The document owns what it is given; settings it is given again replace
    // the ones it had.
    connect(dialog, &NewDocumentDialog::selectedPrinterChange, doc,
            [doc](PrinterSettingsWin *settings) {
                if (settings == doc->printerSettings())
                    return;
                delete doc->printerSettings();
                doc->setPrinterSettings(settings);
            });
    const int result = dialog->exec();
    delete dialog;
    if (result == QDialog::Accepted && doc->sizeTemplate().isValid())
        openDocumentWindow(doc, false);
    else
        delete doc;
}
