#include "printercalibrationdialog.h"

#include "document.h"
#include "printcalibration.h"
#include "printlanguage.h"
#include "printersettings_win.h"
#include "printhandler.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

std::function<void(QPrinter *)> PrinterCalibrationDialog::preparePrinter;

namespace {

QDoubleSpinBox *offsetBox(const char *name)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(-printcalibration::MaxOffsetMm, printcalibration::MaxOffsetMm);
    box->setSingleStep(0.1);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

} // namespace

PrinterCalibrationDialog::PrinterCalibrationDialog(Document *d, const QString &queue,
                                                   QWidget *parent)
    : QDialog(parent), doc(d)
{
    setObjectName(QStringLiteral("dialog/printercalibration"));
    setWindowTitle(tr("Printer calibration"));

    printers = new QComboBox;
    printers->setObjectName(QStringLiteral("printer"));
    const QStringList names = QPrinterInfo::availablePrinterNames();
    printers->addItems(names);
    if (names.contains(queue))
        printers->setCurrentText(queue);
    else if (names.contains(QPrinterInfo::defaultPrinterName()))
        printers->setCurrentText(QPrinterInfo::defaultPrinterName());

    offsetX = offsetBox("offsetX");
    offsetY = offsetBox("offsetY");
    // In the order of printlanguage::Language.
    language = new QComboBox;
    language->setObjectName(QStringLiteral("printerLanguage"));
    language->addItems({tr("Automatic"), tr("ZPL II"), tr("The print system's driver")});

    auto *explanation =
        new QLabel(tr("Print the calibration label and measure how far the printed cross lies "
                      "from the label's centre. Enter that distance the other way round: "
                      "positive values move the print to the right and down."));
    explanation->setWordWrap(true);

    printButton = new QPushButton(tr("Print calibration label"));
    printButton->setObjectName(QStringLiteral("printCalibration"));
    printButton->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(tr("Printer:"), printers);
    form->addRow(tr("Horizontal offset:"), offsetX);
    form->addRow(tr("Vertical offset:"), offsetY);
    form->addRow(tr("Printer language:"), language);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &PrinterCalibrationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(explanation);
    layout->addWidget(printButton, 0, Qt::AlignLeft);
    layout->addWidget(buttons);

    showPrinter(printers->currentText());
    // Queues are identified by name; activation alone would miss changes
    // made from code.
    connect(printers, &QComboBox::currentTextChanged, this,
            &PrinterCalibrationDialog::showPrinter);
    connect(printButton, &QPushButton::clicked, this,
            &PrinterCalibrationDialog::printCalibrationLabel);
}

QString PrinterCalibrationDialog::printerName() const
{
    return printers->currentText();
}

QPointF PrinterCalibrationDialog::offsetMm() const
{
    return QPointF(offsetX->value(), offsetY->value());
}

void PrinterCalibrationDialog::showPrinter(const QString &queue)
{
    // The previous queue's entries wait for OK rather than being lost.
    if (!shown.isEmpty()) {
        edited.insert(shown, offsetMm());
        languages.insert(shown, language->currentIndex());
    }
    shown = queue;
    const QPointF mm = edited.value(queue, printcalibration::offset(queue));
    offsetX->setValue(mm.x());
    offsetY->setValue(mm.y());
    language->setCurrentIndex(languages.value(queue, printlanguage::stored(queue)));
    // Automatic says what it comes to for this queue.
    language->setItemText(printlanguage::Automatic,
                          printlanguage::driverSpeaksZpl(queue) ? tr("Automatic (ZPL II)")
                                                                : tr("Automatic (the driver)"));

    const bool hasPrinter = !queue.isEmpty();
    offsetX->setEnabled(hasPrinter);
    offsetY->setEnabled(hasPrinter);
    language->setEnabled(hasPrinter);
    // The label is printed as a job of the document, on its stock.
    printButton->setEnabled(hasPrinter && doc);
}

void PrinterCalibrationDialog::accept()
{
    if (!shown.isEmpty()) {
        edited.insert(shown, offsetMm());
        languages.insert(shown, language->currentIndex());
    }
    for (auto it = edited.cbegin(); it != edited.cend(); ++it) {
        // Queues only looked at keep their entry untouched.
        if (printcalibration::offset(it.key()) != it.value())
            printcalibration::setOffset(it.key(), it.value());
    }
    for (auto it = languages.cbegin(); it != languages.cend(); ++it) {
        if (printlanguage::stored(it.key()) != it.value())
            printlanguage::store(it.key(), printlanguage::Language(it.value()));
    }
    QDialog::accept();
}

void PrinterCalibrationDialog::printCalibrationLabel()
{
    const QString queue = printerName();
    if (queue.isEmpty() || !doc)
        return;

    // The printer a job of the document on this queue gets: the document's
    // driver choices when they are for this queue, else the queue's own.
    PrintHandler handler;
    PrinterSettingsWin *settings = doc->printerSettings();
    std::unique_ptr<PrinterSettingsWin> other;
    if (!settings || settings->printerName() != queue) {
        other = std::make_unique<PrinterSettingsWin>(queue);
        settings = other.get();
    }
    std::unique_ptr<QPrinter> printer(handler.initWinPrinter(settings));
    if (printer && printer->outputFormat() == QPrinter::NativeFormat &&
        printer->printerName() != queue)
        printer.reset();
    if (printer) {
        handler.setupPrinter(printer.get(), doc);
        if (preparePrinter)
            preparePrinter(printer.get());
    }
    // The offset entered now, saved or not, so a candidate can be tried.
    if (!printer || !handler.printCalibrationLabel(printer.get(), doc, offsetMm())) {
        const QString why = handler.errorString();
        QMessageBox::warning(
            this, windowTitle(),
            why.isEmpty() ? tr("The calibration label could not be sent to \"%1\".").arg(queue)
                          : why);
    }
}
