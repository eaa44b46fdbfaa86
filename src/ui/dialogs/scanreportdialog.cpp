#include "scanreportdialog.h"

#include "document.h"
#include "labelitems/barcodeitem.h"
#include "printhandler.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

ScanReportDialog::ScanReportDialog(const scanverify::Report &report, int dpi, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog/scanreport"));
    setWindowTitle(tr("Barcodes that do not scan"));

    auto *text = new QLabel(
        tr("%n barcode(s) about to be printed at %1 dpi cannot be read, or read as other data.",
           nullptr, report.problems.size())
            .arg(dpi),
        this);
    text->setWordWrap(true);

    auto *list = new QTreeWidget(this);
    list->setObjectName(QStringLiteral("problems"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({tr("Label"), tr("Item"), tr("Expected"), tr("Read")});
    const int shown = qMin(report.problems.size(), MaxRows);
    for (int i = 0; i < shown; ++i) {
        const scanverify::Check &c = report.problems.at(i);
        list->addTopLevelItem(new QTreeWidgetItem(
            {QString::number(c.label + 1), c.item, c.expected,
             c.outcome == scanverify::Outcome::Unreadable ? tr("(nothing)") : c.read}));
    }
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(list);
    if (report.problems.size() > shown)
        layout->addWidget(new QLabel(
            tr("... and %n more.", nullptr, report.problems.size() - shown), this));
    if (report.notVerifiable > 0)
        layout->addWidget(new QLabel(tr("%n barcode(s) of symbologies the decoder does not know "
                                        "could not be checked.",
                                        nullptr, report.notVerifiable),
                                     this));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *print = buttons->addButton(tr("Print anyway"), QDialogButtonBox::AcceptRole);
    print->setObjectName(QStringLiteral("printanyway"));
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 360);
}

bool ScanReportDialog::encodes(Document *doc, int first, int last, QWidget *parent)
{
    const QList<scanverify::EncodingFault> faults = scanverify::encodingFaults(doc, first, last);
    if (faults.isEmpty())
        return true;
    QMessageBox box(QMessageBox::Warning, PrintHandler::tr("Print"),
                    PrintHandler::encodingReport(faults), QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("dialog/encodingfaults"));
    box.exec();
    return false;
}

bool ScanReportDialog::confirmRun(Document *doc, QPrinter *printer, int first, int last,
                                  QWidget *parent)
{
    if (!doc || !printer)
        return true;
    // A code that cannot be encoded is refused, whatever the user would choose.
    if (!encodes(doc, first, last, parent))
        return false;
    bool anyBarcode = false;
    const QList<BaseItem *> items = doc->labelItems();
    for (BaseItem *item : items)
        anyBarcode = anyBarcode || qgraphicsitem_cast<BarcodeItem *>(item);
    if (!anyBarcode)
        return true;

    std::unique_ptr<QProgressDialog> progress;
    if (last - first + 1 > PrintHandler::ProgressThreshold) {
        progress = std::make_unique<QProgressDialog>(tr("Checking the barcodes..."), tr("Cancel"),
                                                     0, 0, parent);
        progress->setObjectName(QStringLiteral("dialog/scanprogress"));
        progress->setWindowTitle(tr("Print"));
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(500);
    }
    const int dpi = scanverify::dpiFor(printer);
    const scanverify::Report report = scanverify::verifyDocument(
        doc, dpi, scanverify::snapDpiFor(printer), first, last, [&progress](int done, int total) {
            if (!progress)
                return true;
            progress->setMaximum(total);
            progress->setValue(done);
            QApplication::processEvents();
            return !progress->wasCanceled();
        });
    progress.reset();
    if (report.cancelled)
        return false;
    if (report.ok())
        return true;
    QPointer<ScanReportDialog> dialog = new ScanReportDialog(report, dpi, parent);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    delete dialog;
    return accepted;
}
