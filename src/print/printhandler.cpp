#include "printhandler.h"

#include "databinding.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "document.h"
#include "labelgrid.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/dataitem.h"
#include "pdfpage.h"
#include "platform/winspool.h"
#include "printcalibration.h"
#include "printersettings_win.h"
#include "printlanguage.h"
#include "rasterjob.h"
#include "scanverifier.h"
#include "services.h"
#include "sizetemplate.h"

#include <QAbstractItemModel>
#include <QDebug>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <cups/cups.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

// The key under which Qt's CUPS print engine takes job options as
// alternating names and values.
const auto CupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The stored driver choices as job options for the printer's queue: they
// are copied into the queue's own default block and checked against its
// driver, so choices the driver no longer offers fall back to its defaults.
// Empty and false when the stored data does not fit the queue's driver.
bool driverOptionsFor(const QString &queue, const PrinterSettingsWin *settings,
                      QStringList *options)
{
    winspool::DevModePtr live = winspool::defaultDevMode(queue);
    if (!live || !settings->copyDriverDataTo(live.get()))
        return false;
    const auto *name = reinterpret_cast<const WCHAR *>(queue.utf16());
    HANDLE handle = nullptr;
    if (!OpenPrinterW(name, &handle, nullptr))
        return false;
    const LONG checked = DocumentPropertiesW(nullptr, handle, name, live.get(), live.get(),
                                             DM_IN_BUFFER | DM_OUT_BUFFER);
    ClosePrinter(handle);
    if (checked != IDOK)
        return false;
    *options = winspool::driverJobOptions(live.get());
    return true;
}

// Sets each name/value pair on the printer's job options, keeping the others.
void mergeJobOptions(QPrinter *printer, const QStringList &options)
{
    QStringList all = printer->printEngine()->property(CupsOptions).toStringList();
    for (int i = 0; i + 1 < options.size(); i += 2) {
        int at = -1;
        for (int j = 0; j + 1 < all.size(); j += 2) {
            if (all.at(j) == options.at(i)) {
                at = j;
                break;
            }
        }
        if (at >= 0)
            all[at + 1] = options.at(i + 1);
        else
            all << options.at(i) << options.at(i + 1);
    }
    printer->printEngine()->setProperty(CupsOptions, all);
}

// One label ("4") or one range ("2-5") that starts within the labels; a range
// reaching past them is cut by the caller.
bool parseLabelRange(const QString &pages, int labels, int *from, int *to)
{
    static const QRegularExpression single(
        QStringLiteral("^\\s*(\\d{1,9})\\s*(?:-\\s*(\\d{1,9})\\s*)?$"));
    const QRegularExpressionMatch m = single.match(pages);
    if (!m.hasMatch())
        return false;
    *from = m.captured(1).toInt();
    *to = m.captured(2).isEmpty() ? *from : m.captured(2).toInt();
    return *from >= 1 && *to >= *from && *from <= labels;
}

// Qt's print dialog hands a typed list of pages to CUPS, which would pick
// printed rows rather than labels. A single range becomes the label range;
// false for anything one range of labels cannot express.
bool takeLabelRange(QPrinter *printer, int labels)
{
    QStringList all = printer->printEngine()->property(CupsOptions).toStringList();
    int at = -1;
    for (int i = 0; i + 1 < all.size(); i += 2) {
        if (all.at(i) == QLatin1String("page-ranges"))
            at = i;
    }
    if (at < 0)
        return true;
    const QString pages = all.at(at + 1);
    all.erase(all.begin() + at, all.begin() + at + 2);
    printer->printEngine()->setProperty(CupsOptions, all);
    int from = 0;
    int to = 0;
    if (!parseLabelRange(pages, labels, &from, &to))
        return false;
    printer->setFromTo(from, qMin(to, labels));
    return true;
}

bool finiteAll(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

// One row of labels: the liner's width, one label plus half the row gap high.
QSizeF pageSizeMm(const SizeTemplate &t)
{
    return QSizeF(t.linerWidth(), t.labelHeight() + t.rowSpacing() * 0.5);
}

// Grey scale for label printers (a PDF file keeps its colours) and one row
// of labels as the page: the liner's width, one label plus half the row gap
// high, with the side margins and that half gap as margins, so the
// paintable height is one label.
void applyPage(QPrinter *printer, const SizeTemplate &t)
{
    printer->setColorMode(printer->outputFormat() == QPrinter::PdfFormat ? QPrinter::Color
                                                                         : QPrinter::GrayScale);
    const QMarginsF margins(t.marginLeft(), 0, t.marginRight(), t.rowSpacing() * 0.5);
    printer->setPageMargins(margins, QPageLayout::Millimeter);
    // An exact match only: a near standard size would replace the stock's.
    printer->setPageSize(
        QPageSize(pageSizeMm(t), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    // Margins wider than the page the printer had before are refused by the
    // first call; on the new page they fit.
    if (printer->pageLayout().margins(QPageLayout::Millimeter) != margins)
        printer->setPageMargins(margins, QPageLayout::Millimeter);
}

} // namespace

PrintHandler::PrintHandler(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("printhandler"));
}

QString PrintHandler::layoutError(const SizeTemplate &t)
{
    if (t.columns() < 1)
        return tr("The label stock has no columns. Give it at least one column in the label "
                  "properties.");
    if (!finiteAll(
            {t.linerWidth(), t.marginLeft(), t.marginRight(), t.rowSpacing(), t.colSpacing()}) ||
        t.marginLeft() < 0 || t.marginRight() < 0 || t.rowSpacing() < 0 || t.colSpacing() < 0)
        return tr("The label stock has a margin or spacing that is not a length of zero or more.");
    const double printable = t.linerWidth() - t.marginLeft() - t.marginRight();
    if (!(printable > 0))
        return tr("The margins of the label stock (left %1 mm, right %2 mm) leave no printable "
                  "width on its %3 mm liner.")
            .arg(t.marginLeft())
            .arg(t.marginRight())
            .arg(t.linerWidth());
    const double across = printable - (t.columns() - 1) * t.colSpacing();
    if (!(across > 0))
        return tr("The column spacing of the label stock (%1 mm) leaves no room for %2 columns "
                  "on its %3 mm liner.")
            .arg(t.colSpacing())
            .arg(t.columns())
            .arg(t.linerWidth());
    // A damaged file may give a column count in the millions: the grid of
    // cells would not fit in memory, and such labels could not be printed.
    if (across / t.columns() < MinCellWidthMm)
        return tr("The %1 columns of the label stock leave less than %2 mm for each label on "
                  "its %3 mm liner.")
            .arg(t.columns())
            .arg(MinCellWidthMm)
            .arg(t.linerWidth());
    return QString();
}

QString PrintHandler::labelRangeProblem(const QString &pages, int labels)
{
    int from = 0;
    int to = 0;
    if (parseLabelRange(pages, labels, &from, &to))
        return QString();
    return tr("\"%1\" is not one label or one range of labels. Give one range of labels from 1 "
              "to %2, for example 2-5.")
        .arg(pages.trimmed())
        .arg(labels);
}

bool PrintHandler::takeDialogChoices(QPrinter *printer, Document *doc, QString *error)
{
    applyPage(printer, doc->sizeTemplate());
    if (!takeLabelRange(printer, doc->labelCount())) {
        *error = tr("Give one range of labels from 1 to %1, for example 2-5.")
                     .arg(doc->labelCount());
        return false;
    }
    PrinterSettingsWin *settings = doc->printerSettings();
    QStringList options;
    if (settings && settings->isValid() && printer->outputFormat() == QPrinter::NativeFormat &&
        printer->printerName() == settings->printerName() &&
        driverOptionsFor(printer->printerName(), settings, &options))
        mergeJobOptions(printer, options);
    return true;
}

void PrintHandler::forEachPlacement(const Plan &run, const QVector<int> &quantities, int copies,
                                    bool collateCopies,
                                    const std::function<bool(int, int)> &place)
{
    bool going = true;
    if (!quantities.isEmpty()) {
        // Copies per label from a column: collated, each label's copies together.
        if (collateCopies) {
            for (int label = run.first; going && label <= run.last; ++label) {
                for (int copy = 0; going && copy < quantities.value(label); ++copy)
                    going = place(label, copy);
            }
        } else {
            for (int copy = 0; going && copy < run.rounds; ++copy) {
                for (int label = run.first; going && label <= run.last; ++label) {
                    if (copy < quantities.value(label))
                        going = place(label, copy);
                }
            }
        }
    } else if (collateCopies && copies > 1) {
        for (int label = run.first; going && label <= run.last; ++label) {
            for (int copy = 0; going && copy < copies; ++copy)
                going = place(label, copy);
        }
    } else {
        for (int copy = 0; going && copy < copies; ++copy) {
            for (int label = run.first; going && label <= run.last; ++label)
                going = place(label, copy);
        }
    }
}

PrintHandler::Plan PrintHandler::plan(QPrinter *printer, Document *doc) const
{
    Plan p;
    const int count = doc->labelCount();
    p.last = count - 1;
    if (printer->fromPage() != 0 || printer->toPage() != 0) {
        p.first = printer->fromPage() - 1;
        p.last = printer->toPage() - 1;
    }
    // A range set by hand may reach past the labels there are.
    p.first = qMax(p.first, 0);
    p.last = qMin(p.last, count - 1);
    if (quantities.isEmpty()) {
        p.placements = p.first <= p.last
                           ? qint64(p.last - p.first + 1) * qMax(0, printer->copyCount())
                           : 0;
        return p;
    }
    // Copies per label from a column replace the copy count.
    for (int label = p.first; label <= p.last; ++label) {
        p.placements += quantities.value(label);
        p.rounds = qMax(p.rounds, quantities.value(label));
    }
    return p;
}

bool PrintHandler::schedulerAnswers()
{
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                5000, nullptr);
    httpClose(http);
    return http != nullptr;
}

PrintHandler::QueueState PrintHandler::queueState(const QString &queue, QString *detail)
{
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                5000, nullptr);
    if (!http) {
        *detail = QString::fromUtf8(cupsServer());
        return QueueState::NoScheduler;
    }
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.toUtf8().constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = {"printer-state", "printer-is-accepting-jobs",
                                         "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3,
                  nullptr, wanted);
    ipp_t *response = cupsDoRequest(http, request, "/");
    const ipp_status_t status = cupsLastError();
    QueueState state = QueueState::Ready;
    if (!response || status > IPP_STATUS_OK_CONFLICTING) {
        state = status == IPP_STATUS_ERROR_NOT_FOUND ? QueueState::Gone : QueueState::NoAnswer;
        *detail = QString::fromUtf8(cupsLastErrorString());
    } else {
        ipp_attribute_t *printerState = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
        ipp_attribute_t *accepting =
            ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        if (accepting && !ippGetBoolean(accepting, 0))
            state = QueueState::Rejecting;
        else if (printerState && ippGetInteger(printerState, 0) == IPP_PSTATE_STOPPED)
            state = QueueState::Stopped;
    }
    ippDelete(response);
    httpClose(http);
    return state;
}

QString PrintHandler::queueProblem(const QString &queue)
{
    if (queue.isEmpty())
        return tr("No printer is chosen.");
    QString detail;
    switch (queueState(queue, &detail)) {
    case QueueState::Ready:
        break;
    case QueueState::NoScheduler:
        return tr("The print system is not running: no print scheduler answers at %1.")
            .arg(detail);
    case QueueState::Gone:
        return tr("The printer \"%1\" does not exist (any more).").arg(queue);
    case QueueState::NoAnswer:
        return tr("The print system did not answer for \"%1\": %2").arg(queue, detail);
    case QueueState::Rejecting:
        return tr("The printer \"%1\" does not accept jobs; nothing was sent.").arg(queue);
    case QueueState::Stopped:
        return tr("The printer \"%1\" is stopped; nothing was sent. Start it, then print "
                  "again.")
            .arg(queue);
    }
    return QString();
}

int PrintHandler::deviceDpi(QPrinter *printer)
{
    // The job's driver choices, then the queue's defaults.
    QStringList choices = printer->printEngine()->property(CupsOptions).toStringList();
    if (winspool::DevModePtr defaults = winspool::defaultDevMode(printer->printerName()))
        choices += winspool::driverChoices(defaults.get());
    const int dpi = winspool::resolutionOf(choices);
    return dpi > 0 ? dpi : printer->resolution();
}

namespace {

// How a source is named beside its columns: a data file by its file name.
QString sourceLabel(const DataSource *source)
{
    return source->kind() == DataSource::File && source->name().contains(QLatin1Char('/'))
               ? source->fileInfo().fileName()
               : source->name();
}

QString columnName(const QAbstractItemModel *model, int c)
{
    return model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
}

// A column of one of the sources the document's items show, with the
// binding whose rows give each label's row.
struct QuantityColumn
{
    DataBinding *binding = nullptr;
    int column = -1;
};

QuantityColumn findQuantityColumn(Document *doc, const QString &wanted)
{
    const QList<DataBinding *> bindings = doc->bindings();
    QuantityColumn plain;
    for (DataBinding *b : bindings) {
        const DataSource *source = b->source();
        if (!source || !source->model())
            continue;
        const QAbstractItemModel *model = source->model();
        for (int c = 0; c < model->columnCount(); ++c) {
            const QString name = columnName(model, c);
            if (wanted == name + QStringLiteral(" (") + sourceLabel(source) + QLatin1Char(')'))
                return {b, c};
            // A bare column name (the command line's) is the first that has it.
            if (!plain.binding && wanted == name)
                plain = {b, c};
        }
    }
    return plain;
}

} // namespace

namespace {

// The first faults, a line each, and how many more there are.
template <typename Fault>
QString faultLines(const QList<Fault> &faults)
{
    QStringList lines;
    for (int i = 0; i < faults.size() && i < PrintHandler::MaxReportedFaults; ++i)
        lines << scanverify::describe(faults.at(i));
    if (faults.size() > PrintHandler::MaxReportedFaults)
        lines << PrintHandler::tr("and %1 more.").arg(faults.size() - PrintHandler::MaxReportedFaults);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString PrintHandler::encodingReport(const QList<scanverify::EncodingFault> &faults)
{
    return tr("Barcodes of these labels cannot be encoded; nothing was printed:") +
           QLatin1Char('\n') + faultLines(faults);
}

QStringList PrintHandler::dataProblems(Document *doc)
{
    // The window prints what a batch run of the saved file would: data files
    // changed on disk are read again first.
    if (DataSourceManager *manager = services::dataSourceManager())
        manager->rereadChanged();
    return doc ? doc->dataProblems() : QStringList();
}

QStringList PrintHandler::quantityColumns(Document *doc)
{
    QStringList names;
    if (!doc)
        return names;
    // In the order the sources were added, whichever item comes first.
    QMap<int, const DataSource *> used;
    DataSourceManager *manager = services::dataSourceManager();
    const QList<DataBinding *> bindings = doc->bindings();
    for (DataBinding *b : bindings) {
        if (b->source() && b->source()->model())
            used.insert(manager ? manager->idOf(b->source()) : used.size(), b->source());
    }
    for (const DataSource *source : qAsConst(used)) {
        const QAbstractItemModel *model = source->model();
        for (int c = 0; c < model->columnCount(); ++c)
            names << columnName(model, c) + QStringLiteral(" (") + sourceLabel(source) +
                         QLatin1Char(')');
    }
    return names;
}

bool PrintHandler::quantitiesFromColumn(Document *doc, const QString &column, QVector<int> *out,
                                        QString *error)
{
    out->clear();
    const QList<DataBinding *> bindings = doc ? doc->bindings() : QList<DataBinding *>();
    const bool bound =
        std::any_of(bindings.cbegin(), bindings.cend(), [](DataBinding *b) { return b->isBound(); });
    if (!bound) {
        *error = tr("Copies from a column need a data item bound to a data source.");
        return false;
    }
    const QuantityColumn found = findQuantityColumn(doc, column);
    if (!found.binding) {
        *error = tr("None of the document's data sources has a column \"%1\".").arg(column);
        return false;
    }
    const DataSource *source = found.binding->source();
    const QAbstractItemModel *model = source->model();
    const int labels = doc->labelCount();
    out->reserve(labels);
    for (int label = 0; label < labels; ++label) {
        // A label past the item's cells has no row and no copies.
        const int row = found.binding->row(label);
        if (row < 0) {
            out->append(0);
            continue;
        }
        const QString text =
            model->index(row, found.column).data(Qt::DisplayRole).toString().trimmed();
        bool ok = true;
        const int n = text.isEmpty() ? 0 : text.toInt(&ok);
        if (!ok || n < 0 || n > 9999) {
            *error = tr("Row %1 of \"%2\": \"%3\" in the column \"%4\" is not a number of "
                        "copies from 0 to 9999; nothing was printed.")
                         .arg(row + 1)
                         .arg(source->name(), text, columnName(model, found.column));
            out->clear();
            return false;
        }
        out->append(n);
    }
    return true;
}

QPrinter *PrintHandler::initWinPrinter(PrinterSettingsWin *settings)
{
    QPrinterInfo info;
    if (settings)
        info = QPrinterInfo::printerInfo(settings->printerName());
    if (settings && settings->isValid() && !info.isNull()) {
        auto *printer = new QPrinter(info, QPrinter::ScreenResolution);
        QStringList options;
        if (driverOptionsFor(printer->printerName(), settings, &options)) {
            mergeJobOptions(printer, options);
            return printer;
        }
        qWarning() << QStringLiteral("DEVMODE copy failed, initializing ") +
                          settings->printerName() + QStringLiteral(" with default settings.");
        delete printer;
        return new QPrinter(info, QPrinter::ScreenResolution);
    }
    return new QPrinter(QPrinter::ScreenResolution);
}

void PrintHandler::setupPrinter(QPrinter *printer, Document *doc)
{
    if (!printer || !doc)
        return;
    printer->setFromTo(1, doc->labelCount());
    applyPage(printer, doc->sizeTemplate());
    // The job's title in the print queue.
    const QString name = doc->fileInfo().completeBaseName();
    printer->setDocName(name.isEmpty() ? tr("Untitled") : name);
}

void PrintHandler::cancel()
{
    cancelRequested = true;
}

bool PrintHandler::printCalibrationLabel(QPrinter *printer, Document *doc, QPointF offsetMm)
{
    if (!printer)
        return printDocument(printer, doc);
    const std::optional<QPointF> keptOffset = offsetOverride;
    const QVector<int> keptQuantities = quantities;
    const int keptCopies = printer->copyCount();
    const int keptFrom = printer->fromPage();
    const int keptTo = printer->toPage();
    offsetOverride = offsetMm;
    quantities.clear();
    cellPainter = &printcalibration::paintCalibrationLabel;
    printer->setFromTo(1, 1);
    printer->setCopyCount(1);
    const bool sent = printDocument(printer, doc);
    cellPainter = nullptr;
    offsetOverride = keptOffset;
    quantities = keptQuantities;
    printer->setCopyCount(keptCopies);
    printer->setFromTo(keptFrom, keptTo);
    return sent;
}

QStringList PrintHandler::jobChoices(QPrinter *printer)
{
    // The queue's defaults, then the job's own choices over them.
    QStringList choices;
    if (winspool::DevModePtr defaults = winspool::defaultDevMode(printer->printerName()))
        choices = winspool::driverChoices(defaults.get());
    const QStringList job = printer->printEngine()->property(CupsOptions).toStringList();
    for (int i = 0; i + 1 < job.size(); i += 2) {
        int at = -1;
        for (int j = 0; j + 1 < choices.size(); j += 2) {
            if (choices.at(j) == job.at(i))
                at = j;
        }
        if (at >= 0)
            choices[at + 1] = job.at(i + 1);
        else
            choices << job.at(i) << job.at(i + 1);
    }
    return choices;
}

bool PrintHandler::printZpl(QPrinter *printer, Document *doc, const Plan &run)
{
    cancelRequested = false;
    rasterjob::Run raster;
    raster.plan = run;
    raster.quantities = quantities;
    raster.copies = qMax(0, printer->copyCount());
    raster.collate = printer->collateCopies();
    raster.offsetMm = offsetOverride ? *offsetOverride
                                     : printcalibration::offset(printer->printerName());
    const QStringList choices = jobChoices(printer);
    const int dpi = winspool::resolutionOf(choices);
    raster.dpi = dpi > 0 ? dpi : printer->resolution();
    const int total = int(qMin<qint64>(run.placements, std::numeric_limits<int>::max()));
    const int perRow = qMax(1, doc->sizeTemplate().columns());
    int rows = 0;
    qDebug() << "PRINT ZPL" << printer->printerName() << ", first=" << QString::number(run.first)
             << ", last=" << QString::number(run.last) << ", dpi=" << QString::number(raster.dpi);
    drawnFaults.clear();
    scanverify::DrawnCheck checked(verifyDrawn ? doc : nullptr, raster.dpi);
    const QByteArray job = rasterjob::zpl(
        doc, raster, choices, [&](const QImage &image, const QVector<rasterjob::Placed> &labels) {
            ++rows;
            if (rowObserver)
                rowObserver(image);
            checked.check(image, labels);
            emit labelPrinted(qMin(total, rows * perRow), total);
            return !cancelRequested;
        });
    // Cancelled while drawing: nothing was sent, which is what the user asked.
    if (cancelRequested)
        return true;
    if (!checked.report().problems.isEmpty()) {
        drawnFaults = checked.report().problems;
        lastError = tr("Barcodes of these labels do not scan as drawn for \"%1\"; nothing was "
                       "printed:")
                        .arg(printer->printerName()) +
                    QLatin1Char('\n') + faultLines(drawnFaults);
        return false;
    }
    if (job.isEmpty() && run.placements > 0) {
        lastError = tr("The labels could not be drawn for \"%1\"; nothing was sent.")
                        .arg(printer->printerName());
        return false;
    }
    return rasterjob::sendRaw(printer->printerName(), printer->docName(), job, &lastError);
}

bool PrintHandler::printDocument(QPrinter *printer, Document *doc)
{
    lastError.clear();
    if (!printer || !printer->isValid()) {
        qWarning() << "Invalid printer device.";
        return false;
    }
    if (!doc || !doc->sizeTemplate().isValid()) {
        qWarning() << "Invalid document.";
        return false;
    }
    const SizeTemplate t = doc->sizeTemplate();
    const QString refused = layoutError(t);
    if (!refused.isEmpty()) {
        qWarning() << refused;
        return false;
    }
    // The calibration label shows none of the document's data.
    const QStringList missing = cellPainter ? QStringList() : doc->dataProblems();
    if (!missing.isEmpty()) {
        lastError = missing.join(QLatin1Char('\n')) + QLatin1Char('\n') +
                    tr("Nothing was printed.");
        return false;
    }

    const Plan run = plan(printer, doc);
    // A barcode that does not encode would print its error text on the label.
    if (!cellPainter) {
        const QList<scanverify::EncodingFault> faults =
            scanverify::encodingFaults(doc, run.first, run.last);
        if (!faults.isEmpty()) {
            lastError = encodingReport(faults);
            return false;
        }
    }

    // Faults found before anything is sent: nothing is half printed, and the
    // user learns why.
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        const QFileInfo target(printer->outputFileName());
        const QFileInfo folder(target.absolutePath());
        if (!folder.isDir() || !folder.isWritable() || (target.exists() && !target.isWritable())) {
            lastError = tr("\"%1\" cannot be written: the folder does not exist or is not "
                           "writable.")
                            .arg(printer->outputFileName());
            return false;
        }
    } else {
        lastError = queueProblem(printer->printerName());
        if (!lastError.isEmpty())
            return false;
    }

    // A printer spoken to in its own language gets the labels the program draws.
    if (!cellPainter && printer->outputFormat() == QPrinter::NativeFormat &&
        printlanguage::usesZpl(printer->printerName()))
        return printZpl(printer, doc, run);

    const int first = run.first;
    const int last = run.last;

    const int copies = qMax(0, printer->copyCount());
    const bool collate = printer->collateCopies() && copies > 1;
    // The print system would repeat whole pages; the copies are placed here.
    printer->setCopyCount(1);
    cancelRequested = false;

    // The painter starts at the page's corner and labels are placed from the
    // stock's millimetres at the device's own resolution: Qt's page and
    // paintable rectangles are whole points, which would stretch the labels.
    const bool wasFullPage = printer->fullPage();
    printer->setFullPage(true);
    QPainter painter;
    if (!painter.begin(printer)) {
        qWarning() << "Painting to the printer device failed";
        printer->setFullPage(wasFullPage);
        printer->setCopyCount(copies);
        return false;
    }
    const int remembered = doc->currentLabel();
    doc->setPrintMode(true);

    const double pxPerMm = printer->resolution() / 25.4;
    // The printer's calibration moves every label by the same distance.
    const QPointF offset = offsetOverride ? *offsetOverride
                                          : printcalibration::offset(printer->printerName());
    painter.translate(offset * pxPerMm);
    BarcodeItem::setJobDotsPerInch(printer->outputFormat() == QPrinter::NativeFormat
                                       ? deviceDpi(printer)
                                       : 0);
    const double colSpacing = t.colSpacing() * pxPerMm;
    const QRectF liner(0, 0, t.linerWidth() * pxPerMm, t.labelHeight() * pxPerMm);

    qDebug() << "PRINT" << printer->printerName() << ", first=" << QString::number(first)
             << ", last=" << QString::number(last) << ", copies=" << QString::number(copies)
             << ", collate=" << QString::number(collate ? 1 : 0)
             << ", printerPageLayout=" << printer->pageLayout();

    LabelGrid grid(liner, t.columns(), colSpacing, 0, t.marginLeft() * pxPerMm,
                   t.marginRight() * pxPerMm);
    const QRectF cell = grid.cell();
    const qint64 placements = run.placements;
    const int total = int(qMin<qint64>(placements, std::numeric_limits<int>::max()));
    qint64 done = 0;

    // False once the job is to end early.
    auto place = [&](int label, int copy) {
        const int row = grid.currentRow();
        doc->selectLabel(label);
        const QPointF p = grid.nextPosition();
        const QRectF target(cell.x() + p.x(), cell.y() + p.y(), cell.width(), cell.height());
        if (cellPainter)
            cellPainter(&painter, target, pxPerMm);
        else
            doc->render(&painter, target, QRectF(), Qt::IgnoreAspectRatio);
        ++done;
        emit labelPrinted(int(qMin<qint64>(done, total)), total);
        Q_UNUSED(copy)
        const bool veryLast = done >= placements;
        if (grid.currentRow() == row || veryLast)
            return true;
        if (cancelRequested)
            return false;
        if (!printer->newPage())
            qWarning() << QStringLiteral("newPage() failed at copy ") + QString::number(copy) +
                              QStringLiteral(" of ") + QString::number(copies);
        return true;
    };

    forEachPlacement(run, quantities, copies, printer->collateCopies(), place);

    bool sent = painter.end();
    BarcodeItem::setJobDotsPerInch(0);
    doc->setPrintMode(false);
    doc->selectLabel(remembered);
    printer->setCopyCount(copies);
    printer->setFullPage(wasFullPage);
    if (sent && printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        sent = pdfpage::setExactSize(printer->outputFileName(), pageSizeMm(t));
    return sent;
}
