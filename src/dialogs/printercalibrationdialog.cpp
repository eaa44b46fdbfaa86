#include "printercalibrationdialog.h"

#include "document.h"
#include "printcalibration.h"
#include "sizetemplate.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QMarginsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

std::function<void(QPrinter *)> PrinterCalibrationDialog::preparePrinter;

namespace {

constexpr double FallbackWidthMm = 50.0;
constexpr double FallbackHeightMm = 30.0;

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
    if (!shown.isEmpty())
        edited.insert(shown, offsetMm());
    shown = queue;
    const QPointF mm = edited.value(queue, printcalibration::offset(queue));
    offsetX->setValue(mm.x());
    offsetY->setValue(mm.y());

    const bool hasPrinter = !queue.isEmpty();
    offsetX->setEnabled(hasPrinter);
    offsetY->setEnabled(hasPrinter);
    printButton->setEnabled(hasPrinter);
}

void PrinterCalibrationDialog::accept()
{
    if (!shown.isEmpty())
        edited.insert(shown, offsetMm());
    for (auto it = edited.cbegin(); it != edited.cend(); ++it) {
        // Queues only looked at keep their entry untouched.
        if (printcalibration::offset(it.key()) != it.value())
            printcalibration::setOffset(it.key(), it.value());
    }
    QDialog::accept();
}

void PrinterCalibrationDialog::printCalibrationLabel()
{
    const QString queue = printerName();
    if (queue.isEmpty())
        return;

    QSizeF labelMm(FallbackWidthMm, FallbackHeightMm);
    if (doc) {
        const SizeTemplate stock = doc->sizeTemplate();
        if (stock.isValid())
            labelMm = QSizeF(stock.labelWidth(), stock.labelHeight());
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    printer.setColorMode(QPrinter::GrayScale);
    printer.setFullPage(true);
    // An exact match only: a near standard size would replace the label's.
    printer.setPageSize(
        QPageSize(labelMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (preparePrinter)
        preparePrinter(&printer);

    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(
            this, windowTitle(),
            tr("The calibration label could not be sent to \"%1\".").arg(queue));
        return;
    }
    // The offset entered now, saved or not, so a candidate can be tried.
    const double pxPerMm = printer.resolution() / 25.4;
    const QPointF at = offsetMm() * pxPerMm;
    const QRectF labelRect(at, QSizeF(labelMm.width() * pxPerMm, labelMm.height() * pxPerMm));
    printcalibration::paintCalibrationLabel(&painter, labelRect, pxPerMm);
    if (!painter.end()) {
        QMessageBox::warning(
            this, windowTitle(),
            tr("The calibration label could not be sent to \"%1\".").arg(queue));
    }
}
