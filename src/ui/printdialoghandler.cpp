#include "printdialoghandler.h"

#include "dialogs/labelprintdialog.h"
#include "dialogs/printercalibrationdialog.h"
#include "dialogs/scanreportdialog.h"
#include "document.h"
#include "printlanguage.h"
#include "scanverifier.h"
#include "sizetemplate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>
#include <memory>

// The texts are the print engine's: they were always translated as its own.

PrintDialogHandler::PrintDialogHandler(QObject *parent) : PrintHandler(parent)
{
}

bool PrintDialogHandler::dataReady(Document *doc, QWidget *parent)
{
    // The window shows what was read again in its status bar.
    const QStringList problems = dataProblems(doc);
    if (problems.isEmpty())
        return true;
    QMessageBox::warning(parent, PrintHandler::tr("Print"),
                         problems.join(QStringLiteral("\n\n")) + QStringLiteral("\n\n") +
                             PrintHandler::tr("Nothing was printed."));
    return false;
}

bool PrintDialogHandler::printWithProgress(QPrinter *printer, Document *doc, QWidget *parent)
{
    const qint64 placements = plan(printer, doc).placements;
    std::unique_ptr<QProgressDialog> progress;
    if (placements > ProgressThreshold) {
        const int total = int(qMin<qint64>(placements, std::numeric_limits<int>::max()));
        progress = std::make_unique<QProgressDialog>(
            PrintHandler::tr("Printing label %1 of %2").arg(0).arg(total),
            PrintHandler::tr("Cancel"), 0, total, parent);
        progress->setObjectName(QStringLiteral("dialog/printprogress"));
        progress->setWindowTitle(PrintHandler::tr("Print"));
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(500);
        QProgressDialog *p = progress.get();
        connect(this, &PrintHandler::labelPrinted, p, [p](int done, int all) {
            p->setLabelText(PrintHandler::tr("Printing label %1 of %2").arg(done).arg(all));
            p->setValue(done);
        });
        connect(p, &QProgressDialog::canceled, this, &PrintHandler::cancel);
    }
    return printDocument(printer, doc);
}

qint64 PrintDialogHandler::printWithDialog(Document *doc, QString *printerName)
{
    if (!doc || !doc->sizeTemplate().isValid()) {
        qWarning() << "Invalid document.";
        return 0;
    }
    const QString refused = layoutError(doc->sizeTemplate());
    if (!refused.isEmpty()) {
        qWarning() << refused;
        QMessageBox::warning(nullptr, PrintHandler::tr("Print"), refused);
        return 0;
    }
    if (!dataReady(doc, nullptr))
        return 0;
    std::unique_ptr<QPrinter> printer(initWinPrinter(doc->printerSettings()));
    if (!printer) {
        qWarning() << "Invalid printer.";
        return 0;
    }
    setupPrinter(printer.get(), doc);

    QPointer<Document> guard(doc);
    QPointer<QPrintDialog> dialog = new LabelPrintDialog(printer.get(), doc->labelCount());
    dialog->setMinMax(1, doc->labelCount());

    // The "Quantities" tab: copies per label from a column of the data, and
    // the way to the printer's calibration.
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("quantities"));
    tab->setWindowTitle(PrintHandler::tr("Quantities"));
    auto *fromColumn =
        new QCheckBox(PrintHandler::tr("Take each label's number of copies from the column"), tab);
    fromColumn->setObjectName(QStringLiteral("fromColumn"));
    auto *column = new QComboBox(tab);
    column->setObjectName(QStringLiteral("quantityColumn"));
    column->addItems(quantityColumns(doc));
    auto *total = new QLabel(tab);
    total->setObjectName(QStringLiteral("quantityTotal"));
    total->setWordWrap(true);
    auto *calibrate = new QPushButton(PrintHandler::tr("Printer calibration..."), tab);
    calibrate->setObjectName(QStringLiteral("calibration"));
    fromColumn->setEnabled(column->count() > 0);
    column->setEnabled(false);
    auto *tabLayout = new QVBoxLayout(tab);
    tabLayout->addWidget(fromColumn);
    tabLayout->addWidget(column);
    tabLayout->addWidget(total);
    tabLayout->addStretch();
    tabLayout->addWidget(calibrate, 0, Qt::AlignLeft);
    auto showTotal = [doc, fromColumn, column, total]() {
        column->setEnabled(fromColumn->isChecked());
        if (!fromColumn->isChecked()) {
            total->clear();
            return;
        }
        QVector<int> q;
        QString error;
        if (!quantitiesFromColumn(doc, column->currentText(), &q, &error)) {
            total->setText(error);
            return;
        }
        qint64 sum = 0;
        for (int n : qAsConst(q))
            sum += n;
        total->setText(PrintHandler::tr("%1 labels will be printed in all.").arg(sum));
    };
    connect(fromColumn, &QCheckBox::toggled, tab, showTotal);
    connect(column, &QComboBox::currentTextChanged, tab, showTotal);
    connect(calibrate, &QPushButton::clicked, tab, [doc, &printer, tab]() {
        PrinterCalibrationDialog calibration(doc, printer->printerName(), tab->window());
        calibration.exec();
    });
    dialog->setOptionTabs({tab});

    const bool accepted = dialog->exec() == QDialog::Accepted;
    const bool perLabel = fromColumn->isChecked();
    const QString quantityColumn = column->currentText();
    delete dialog;
    if (!accepted || !guard)
        return 0;
    QString rangeError;
    if (!takeDialogChoices(printer.get(), doc, &rangeError)) {
        QMessageBox::warning(nullptr, PrintHandler::tr("Print"), rangeError);
        return 0;
    }

    QVector<int> perLabelCopies;
    if (perLabel) {
        QString error;
        if (!quantitiesFromColumn(doc, quantityColumn, &perLabelCopies, &error)) {
            QMessageBox::warning(nullptr, PrintHandler::tr("Print"), error);
            return 0;
        }
    }
    // Codes that would not scan are found before the printer starts: for a
    // printer the program draws the labels for, on the very dots it sends.
    const Plan run = plan(printer.get(), doc);
    const bool drawsItself = printer->outputFormat() == QPrinter::NativeFormat &&
                             printlanguage::usesZpl(printer->printerName());
    // A code that cannot be encoded is refused before anything is drawn; the
    // others are read back from the drawn dots while the job is made.
    const bool mayPrint = drawsItself
                              ? ScanReportDialog::encodes(doc, run.first, run.last)
                              : ScanReportDialog::confirmRun(doc, printer.get(), run.first, run.last);
    if (!mayPrint || !guard)
        return 0;
    setQuantities(perLabelCopies);
    const qint64 labels = plan(printer.get(), doc).placements;
    setVerifyDrawn(drawsItself);
    bool sent = printWithProgress(printer.get(), doc);
    if (!sent && !drawnProblems().isEmpty() && guard) {
        scanverify::Report report;
        report.problems = drawnProblems();
        QPointer<ScanReportDialog> check = new ScanReportDialog(
            report, deviceDpi(printer.get()));
        const bool anyway = check->exec() == QDialog::Accepted;
        delete check;
        if (!anyway || !guard) {
            setVerifyDrawn(false);
            setQuantities({});
            return 0;
        }
        setVerifyDrawn(false);
        sent = printWithProgress(printer.get(), doc);
    }
    setVerifyDrawn(false);
    setQuantities({});
    if (!sent && !errorString().isEmpty())
        QMessageBox::warning(nullptr, PrintHandler::tr("Print"), errorString());
    if (!sent)
        return 0;
    if (printerName)
        *printerName = printer->printerName();
    return labels;
}
