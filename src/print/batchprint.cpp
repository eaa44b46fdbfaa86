#include "batchprint.h"

#include "databinding.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "document.h"
#include "printersettings_win.h"
#include "printcalibration.h"
#include "printhandler.h"
#include "printjobs.h"
#include "printlanguage.h"
#include "rasterjob.h"
#include "qxtcsvmodel.h"
#include "scanverifier.h"
#include "services.h"

#include <QBuffer>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <memory>

namespace {

const QString PrintName = QStringLiteral("print");
const QString ExportName = QStringLiteral("export-pdf");
const QString ExportZplName = QStringLiteral("export-zpl");
const QString VerifyName = QStringLiteral("verify");
const QString VerifyOnlyName = QStringLiteral("verify-only");
const QString OffsetName = QStringLiteral("offset");
const QString QuantityName = QStringLiteral("quantity-column");
const QString PrinterName = QStringLiteral("printer");
const QString CopiesName = QStringLiteral("copies");
const QString CollateName = QStringLiteral("collate");
const QString RangeName = QStringLiteral("range");
const QString DataName = QStringLiteral("data");
const QString WaitName = QStringLiteral("wait");
const QString WaitTimeoutName = QStringLiteral("wait-timeout");

constexpr int MaxCopies = 9999;

QString tr(const char *text)
{
    return QCoreApplication::translate("batchprint", text);
}

// Warnings of the program's own code (printing failures, damaged files)
// also reach the user of a batch job, not only the run log.
class WarningEcho
{
public:
    explicit WarningEcho(QTextStream &err)
    {
        target = &err;
        previous = qInstallMessageHandler(&WarningEcho::handle);
    }
    ~WarningEcho()
    {
        qInstallMessageHandler(previous);
        target = nullptr;
    }
    WarningEcho(const WarningEcho &) = delete;
    WarningEcho &operator=(const WarningEcho &) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        const bool own = context.file && qstrncmp(context.file, "src/", 4) == 0;
        if (target && own && (type == QtWarningMsg || type == QtCriticalMsg)) {
            *target << "tagorix: " << QCoreApplication::translate("batchprint", "warning: ")
                    << message << '\n';
            target->flush();
        }
        if (previous)
            previous(type, context, message);
    }

    static QTextStream *target;
    static QtMessageHandler previous;
};

QTextStream *WarningEcho::target = nullptr;
QtMessageHandler WarningEcho::previous = nullptr;

void report(QTextStream &err, const QString &file, const QString &message)
{
    err << "tagorix: ";
    if (!file.isEmpty())
        err << file << ": ";
    err << message << '\n';
    err.flush();
}

// Items bound to a table given on the command line keep their columns and
// run over all of its rows: the new table's rows have nothing to do with the
// stored ones.
void rebindToWholeColumns(Document *doc, const QStringList &names)
{
    const QList<DataBinding *> bindings = doc->bindings();
    for (DataBinding *b : bindings) {
        if (b->source() && names.contains(b->source()->name()))
            b->widenToWholeColumns();
    }
    doc->selectLabel(0);
}

// The printer for one document: the one named on the command line, else the
// document's own, else the system default. Null after telling the user why.
std::unique_ptr<QPrinter> queuePrinter(const batchprint::Job &job, const QString &path,
                                       Document *doc, PrintHandler &handler, QTextStream &err)
{
    PrinterSettingsWin *settings = doc->printerSettings();
    std::unique_ptr<PrinterSettingsWin> chosen;
    if (!job.printer.isEmpty() && (!settings || settings->printerName() != job.printer)) {
        chosen = std::make_unique<PrinterSettingsWin>(job.printer);
        settings = chosen.get();
    }
    std::unique_ptr<QPrinter> printer(handler.initWinPrinter(settings));
    if (!printer || printer->outputFormat() != QPrinter::NativeFormat) {
        report(err, path, tr("no printer is installed"));
        return nullptr;
    }
    if (!doc->missingPrinter().isEmpty()) {
        const QString note = job.printer.isEmpty()
                                 ? tr("the printer \"%1\" is not installed; printing on the "
                                      "default printer \"%2\"")
                                 : tr("the printer \"%1\" is not installed; printing on \"%2\"");
        report(err, path, note.arg(doc->missingPrinter(), printer->printerName()));
    }
    return printer;
}

// Reads back every barcode the job would print; 0 when all scan (or none
// can be checked), VerifyFailed after listing the labels that do not.
int verifyRun(const batchprint::Job &job, const QString &path, Document *doc, QPrinter *printer,
              QTextStream &err)
{
    const int dpi = scanverify::dpiFor(printer);
    const int first = job.from > 0 ? job.from - 1 : 0;
    const int last = job.from > 0 ? job.to - 1 : doc->labelCount() - 1;
    const scanverify::Report checked =
        scanverify::verifyDocument(doc, dpi, scanverify::snapDpiFor(printer), first, last);
    for (const scanverify::Check &problem : checked.problems)
        report(err, path, scanverify::describe(problem));
    if (!checked.ok()) {
        report(err, path,
               tr("%1 of the barcodes do not scan at %2 dpi; nothing was printed")
                   .arg(checked.problems.size())
                   .arg(dpi));
        return batchprint::VerifyFailed;
    }
    // Counts after a colon read right for one barcode as for many.
    if (checked.notVerifiable > 0)
        report(err, path,
               tr("barcodes that scan at %1 dpi: %2; barcodes not checked, of symbologies the "
                  "decoder does not read: %3")
                   .arg(dpi)
                   .arg(checked.scanned)
                   .arg(checked.notVerifiable));
    else if (job.verifyOnly)
        report(err, path, tr("barcodes that scan at %1 dpi: %2").arg(dpi).arg(checked.scanned));
    return 0;
}

// After a job was handed to the print system: 0 once it reports the job
// completed; JobFailed, saying why, when the job was cancelled or aborted,
// the printer stopped, or the time ran out. `before` is the newest job of
// the queue before this one was sent.
int waitForJob(const QString &queue, int before, int seconds, const QString &path, QTextStream &err)
{
    // Qt hands the job over before its print call returns, so it is listed now.
    const int job = printjobs::newestJob(queue);
    if (job <= before || before < 0) {
        report(err, path,
               tr("the print system lists no job of this run on \"%1\", so whether it was "
                  "printed is not known")
                   .arg(queue));
        return batchprint::JobFailed;
    }
    const auto said = [](const printjobs::Status &s) {
        return s.message.isEmpty() ? QString() : tr(" (the printer said: %1)").arg(s.message);
    };
    QElapsedTimer clock;
    clock.start();
    printjobs::Status status;
    for (;;) {
        if (!printjobs::status(queue, job, &status)) {
            report(err, path,
                   tr("the print system stopped answering while job %1 on \"%2\" waited to be "
                      "printed")
                       .arg(job)
                       .arg(queue));
            return batchprint::JobFailed;
        }
        if (status.completed())
            return 0;
        if (status.done()) {
            report(err, path,
                   (status.cancelled()
                        ? tr("job %1 on \"%2\" was cancelled; it was not printed%3")
                        : tr("job %1 on \"%2\" was aborted by the print system; it was not "
                             "printed%3"))
                       .arg(job)
                       .arg(queue, said(status)));
            return batchprint::JobFailed;
        }
        // A stopped queue prints nothing until someone starts it again.
        if (status.printerStopped) {
            report(err, path,
                   tr("the printer \"%1\" stopped before job %2 was printed%3; the job stays "
                      "in the queue")
                       .arg(queue)
                       .arg(job)
                       .arg(said(status)));
            return batchprint::JobFailed;
        }
        if (clock.elapsed() >= qint64(seconds) * 1000)
            break;
        QThread::msleep(250);
    }
    report(err, path,
           tr("job %1 on \"%2\" was not printed within %3 s%4; the job stays in the queue")
               .arg(job)
               .arg(queue)
               .arg(seconds)
               .arg(said(status)));
    return batchprint::JobFailed;
}

} // namespace

namespace {

// Why a table given with --data cannot stand for a data file; empty when it can.
QString refusedTable(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    const QxtCsvModel table(&buffer, nullptr, true, QLatin1Char(','));
    if (table.containsBinary())
        return tr("is not a CSV text file");
    if (table.columnCount() == 0 || bytes.trimmed().isEmpty())
        return tr("is empty; a CSV file needs a header row and at least one row of data");
    if (table.rowCount() == 0)
        return tr("has a header row but no rows of data");
    return QString();
}

// Reads one document; false after telling the user why not.
bool readDocument(const QString &path, Document *doc, QTextStream &err)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report(err, path, tr("cannot open the file: %1").arg(file.errorString()));
        return false;
    }
    if (!readDocumentFile(&file, doc)) {
        report(err, path, tr("not a label document, or the file is damaged"));
        return false;
    }
    // Printing empty labels for a data file that is gone would look like success.
    if (DataSourceManager *manager = services::dataSourceManager()) {
        if (!manager->missingFiles().isEmpty()) {
            report(err, path,
                   tr("the data file %1 was not found").arg(manager->missingFiles().join(", ")));
            return false;
        }
        if (!manager->unusedOverrides().isEmpty()) {
            const QString name = manager->unusedOverrides().first();
            const QStringList names = manager->lastFileSourceNames();
            const QString known =
                names.isEmpty() ? tr("it has no data file")
                                : tr("its data files are named: %1")
                                      .arg(QStringLiteral("\"") +
                                           names.join(QStringLiteral("\", \"")) +
                                           QStringLiteral("\""));
            report(err, path,
                   (name.isEmpty()
                        ? tr("--data FILE needs a document with exactly one data file; name the "
                             "source with --data NAME=FILE")
                        : tr("the document has no data file source \"%1\"").arg(name)) +
                       QStringLiteral("; ") + known);
            return false;
        }
        rebindToWholeColumns(doc, manager->overriddenSources());
        for (const QString &note : manager->takeNotices())
            report(err, path, tr("warning: %1").arg(note));
    }
    for (const QString &note : doc->dataNotes())
        report(err, path, tr("warning: %1").arg(note));
    const QStringList problems = doc->dataProblems();
    if (!problems.isEmpty()) {
        for (const QString &problem : problems)
            report(err, path, problem);
        report(err, path, tr("nothing was printed"));
        return false;
    }
    doc->setFileInfo(QFileInfo(path));
    if (!doc->sizeTemplate().isValid()) {
        report(err, path, tr("the document has no valid label stock"));
        return false;
    }
    const QString refused = PrintHandler::layoutError(doc->sizeTemplate());
    if (!refused.isEmpty()) {
        report(err, path, refused);
        return false;
    }
    return true;
}

} // namespace

QString batchprint::refusedTable(const QByteArray &bytes)
{
    return ::refusedTable(bytes);
}

bool batchprint::readDocument(const QString &path, Document *doc, QTextStream &err)
{
    return ::readDocument(path, doc, err);
}

void batchprint::addOptions(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption(
        PrintName,
        QCoreApplication::translate("main", "Print the files without showing a window.")));
    parser.addOption(QCommandLineOption(
        ExportName,
        QCoreApplication::translate("main",
                                    "Write the pages a print of the file would send to <OUT.pdf>."),
        QStringLiteral("OUT.pdf")));
    parser.addOption(QCommandLineOption(
        ExportZplName,
        QCoreApplication::translate("main",
                                    "Write the job a ZPL II printer would get to <OUT.zpl> (- for "
                                    "standard output)."),
        QStringLiteral("OUT.zpl")));
    parser.addOption(QCommandLineOption(
        PrinterName,
        QCoreApplication::translate(
            "main", "Print on <NAME> instead of the printer the document names (with --print)."),
        QStringLiteral("NAME")));
    parser.addOption(QCommandLineOption(
        CopiesName, QCoreApplication::translate("main", "Print <N> copies of each label."),
        QStringLiteral("N"), QStringLiteral("1")));
    parser.addOption(QCommandLineOption(
        CollateName,
        QCoreApplication::translate("main", "Keep the copies of each label together.")));
    parser.addOption(QCommandLineOption(
        DataName,
        QCoreApplication::translate(
            "main", "Print the rows of the CSV <FILE> instead of the document's data file "
                    "(NAME=FILE for the source of that name; - reads standard input)."),
        QStringLiteral("[NAME=]FILE")));
    parser.addOption(QCommandLineOption(
        RangeName,
        QCoreApplication::translate("main", "Print only labels <FROM> to <TO> (counted from 1)."),
        QStringLiteral("FROM-TO")));
    parser.addOption(QCommandLineOption(
        VerifyName,
        QCoreApplication::translate(
            "main", "Read every barcode back at the printer's resolution before printing; if "
                    "one does not scan, print nothing and exit with code 3.")));
    parser.addOption(QCommandLineOption(
        VerifyOnlyName,
        QCoreApplication::translate(
            "main", "Check the barcodes as --verify does, without printing or writing anything.")));
    parser.addOption(QCommandLineOption(
        OffsetName,
        QCoreApplication::translate(
            "main", "Move every label by <X,Y> millimetres (from -10 to 10) instead of the "
                    "printer's stored calibration."),
        QStringLiteral("X,Y")));
    parser.addOption(QCommandLineOption(
        WaitName,
        QCoreApplication::translate(
            "main", "After each print, wait until the print system reports the job completed; "
                    "if it is cancelled or aborted, the printer stops, or the time of "
                    "--wait-timeout passes, exit with code 2 (with --print).")));
    parser.addOption(QCommandLineOption(
        WaitTimeoutName,
        QCoreApplication::translate(
            "main", "Wait at most <SECONDS> for each job with --wait (default 60)."),
        QStringLiteral("SECONDS"), QString::number(DefaultWaitSeconds)));
    parser.addOption(QCommandLineOption(
        QuantityName,
        QCoreApplication::translate(
            "main", "Print each label as many times as the column <NAME> of its data row says."),
        QStringLiteral("NAME")));
}

bool batchprint::requested(const QCommandLineParser &parser)
{
    return parser.isSet(PrintName) || parser.isSet(ExportName) || parser.isSet(ExportZplName) ||
           parser.isSet(VerifyOnlyName);
}

bool batchprint::parseJob(const QCommandLineParser &parser, Job *job, QString *error)
{
    *job = Job();
    if (parser.isSet(PrintName) && parser.isSet(ExportName)) {
        *error = tr("--print and --export-pdf cannot be used together");
        return false;
    }
    if (parser.isSet(ExportZplName) && (parser.isSet(PrintName) || parser.isSet(ExportName))) {
        *error = tr("--export-zpl cannot be used with --print or --export-pdf");
        return false;
    }
    if (!requested(parser)) {
        *error = tr("neither --print nor --export-pdf was given");
        return false;
    }
    job->exportZpl = parser.isSet(ExportZplName);
    // A ZPL file is an export like a PDF: one document, no queue, nothing to wait for.
    job->exportPdf = parser.isSet(ExportName) || job->exportZpl;
    job->output = job->exportZpl ? parser.value(ExportZplName) : parser.value(ExportName);
    job->verifyOnly = parser.isSet(VerifyOnlyName);
    if (parser.isSet(OffsetName)) {
        QPointF mm;
        if (!printcalibration::parseOffset(parser.value(OffsetName), &mm)) {
            *error = tr("--offset needs X,Y in millimetres from -10 to 10, not \"%1\"")
                         .arg(parser.value(OffsetName));
            return false;
        }
        job->hasOffset = true;
        job->offsetX = mm.x();
        job->offsetY = mm.y();
    }
    if (parser.isSet(QuantityName)) {
        job->quantityColumn = parser.value(QuantityName);
        if (job->quantityColumn.isEmpty()) {
            *error = tr("--quantity-column needs the name of a column");
            return false;
        }
    }
    job->verify = job->verifyOnly || parser.isSet(VerifyName);
    job->files = parser.positionalArguments();
    if (job->exportZpl && job->output.isEmpty()) {
        *error = tr("--export-zpl needs the name of the ZPL file to write, or - for standard output");
        return false;
    }
    if (job->exportPdf && job->output.isEmpty()) {
        *error = tr("--export-pdf needs the name of the PDF file to write");
        return false;
    }
    if (job->files.isEmpty()) {
        *error = tr("no document file given");
        return false;
    }
    const QString exportOption = job->exportZpl ? QStringLiteral("--export-zpl")
                                                : QStringLiteral("--export-pdf");
    if (job->exportPdf && job->files.size() > 1) {
        *error = tr("%1 writes one document; %2 files were given")
                     .arg(exportOption)
                     .arg(job->files.size());
        return false;
    }
    if (parser.isSet(PrinterName)) {
        if (job->exportPdf) {
            *error = tr("--printer cannot be used with %1").arg(exportOption);
            return false;
        }
        job->printer = parser.value(PrinterName);
        if (job->printer.isEmpty()) {
            *error = tr("--printer needs a printer name");
            return false;
        }
    }
    job->wait = parser.isSet(WaitName);
    if (job->wait && job->exportPdf) {
        *error = tr("--wait is for --print; %1 has written the file when it ends").arg(exportOption);
        return false;
    }
    if (parser.isSet(WaitTimeoutName)) {
        bool number = false;
        job->waitSeconds = parser.value(WaitTimeoutName).toInt(&number);
        if (!job->wait) {
            *error = tr("--wait-timeout needs --wait");
            return false;
        }
        if (!number || job->waitSeconds < 1 || job->waitSeconds > MaxWaitSeconds) {
            *error = tr("--wait-timeout needs a number of seconds from 1 to %1, not \"%2\"")
                         .arg(MaxWaitSeconds)
                         .arg(parser.value(WaitTimeoutName));
            return false;
        }
    }
    bool ok = false;
    job->copies = parser.value(CopiesName).toInt(&ok);
    if (!ok || job->copies < 1 || job->copies > MaxCopies) {
        *error = tr("--copies needs a number from 1 to %1, not \"%2\"")
                     .arg(MaxCopies)
                     .arg(parser.value(CopiesName));
        return false;
    }
    job->collate = parser.isSet(CollateName);
    const QStringList data = parser.values(DataName);
    for (const QString &value : data) {
        // A file (or "-") as it is; otherwise NAME=FILE.
        const int eq = value.indexOf(QLatin1Char('='));
        const bool plain = value == QLatin1String("-") || QFile::exists(value) || eq <= 0;
        const QString name = plain ? QString() : value.left(eq);
        const QString file = plain ? value : value.mid(eq + 1);
        if (file.isEmpty() || job->data.contains(name)) {
            *error = tr("--data needs FILE or NAME=FILE, once per source, not \"%1\"").arg(value);
            return false;
        }
        job->data.insert(name, file);
    }
    if (parser.isSet(RangeName)) {
        static const QRegularExpression form(QStringLiteral("^(\\d{1,9})(?:-(\\d{1,9}))?$"));
        const QRegularExpressionMatch m = form.match(parser.value(RangeName).trimmed());
        job->from = m.hasMatch() ? m.captured(1).toInt() : 0;
        job->to = m.hasMatch() ? (m.captured(2).isEmpty() ? job->from : m.captured(2).toInt()) : 0;
        if (job->from < 1 || job->to < job->from) {
            *error = tr("--range needs FROM-TO with 1 <= FROM <= TO, not \"%1\"")
                         .arg(parser.value(RangeName));
            return false;
        }
    }
    return true;
}

namespace {

// --export-zpl: the job a ZPL II printer of the document's resolution and
// driver settings would get, in a file or on standard output.
int writeZpl(const batchprint::Job &job, const QString &path, Document *doc,
             const PrintHandler &handler, QPrinter *printer, const QVector<int> &quantities,
             QTextStream &err)
{
    const PrinterSettingsWin *settings = doc->printerSettings();
    rasterjob::Run run;
    run.plan = handler.plan(printer, doc);
    run.quantities = quantities;
    run.copies = printer->copyCount();
    run.collate = printer->collateCopies();
    run.dpi = doc->printDpi();
    run.offsetMm = job.hasOffset ? QPointF(job.offsetX, job.offsetY)
                                 : printcalibration::offset(settings ? settings->printerName()
                                                                     : QString());
    scanverify::DrawnCheck checked(job.verify ? doc : nullptr, run.dpi);
    const QByteArray bytes =
        rasterjob::zpl(doc, run, settings ? settings->driverChoices() : QStringList(),
                       [&checked](const QImage &image, const QVector<rasterjob::Placed> &labels) {
                           checked.check(image, labels);
                           return true;
                       });
    if (!checked.report().problems.isEmpty()) {
        for (const scanverify::Check &problem : checked.report().problems)
            report(err, path, scanverify::describe(problem));
        report(err, path, tr("barcodes that do not scan as drawn: %1; nothing was written")
                              .arg(checked.report().problems.size()));
        return batchprint::VerifyFailed;
    }
    if (bytes.isEmpty() && run.plan.placements > 0) {
        report(err, path, tr("the labels could not be drawn; nothing was written"));
        return batchprint::JobFailed;
    }
    if (job.output == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
            !out.flush()) {
            report(err, path, tr("cannot write to standard output"));
            return batchprint::JobFailed;
        }
        return 0;
    }
    QSaveFile out(job.output);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        report(err, path, tr("cannot write \"%1\": %2").arg(job.output, out.errorString()));
        return batchprint::JobFailed;
    }
    return 0;
}

} // namespace

int batchprint::run(const Job &job, QTextStream &err)
{
    WarningEcho echo(err);
    if (!job.exportPdf && !job.printer.isEmpty() &&
        !QPrinterInfo::availablePrinterNames().contains(job.printer)) {
        // A print system that does not answer lists no printers at all.
        report(err, QString(),
               PrintHandler::schedulerAnswers() ? tr("unknown printer \"%1\"").arg(job.printer)
                                                : PrintHandler::queueProblem(job.printer));
        return JobFailed;
    }
    // Without a font database (the "minimal" platform, for one) Qt draws no
    // text at all, and the output would silently lack every label's text.
    if (QFontDatabase().families().isEmpty()) {
        report(err, QString(),
               tr("no fonts can be loaded on the \"%1\" platform, so the labels' text would be "
                  "missing; run on the offscreen or a desktop platform")
                   .arg(QGuiApplication::platformName()));
        return JobFailed;
    }
    QMap<QString, QByteArray> tables;
    for (auto it = job.data.cbegin(); it != job.data.cend(); ++it) {
        QFile file;
        const bool opened = it.value() == QLatin1String("-")
                                ? file.open(stdin, QIODevice::ReadOnly)
                                : (file.setFileName(it.value()), file.open(QIODevice::ReadOnly));
        if (!opened) {
            report(err, it.value(), tr("cannot read the data file: %1").arg(file.errorString()));
            return JobFailed;
        }
        const QByteArray bytes = file.readAll();
        const QString refused = refusedTable(bytes);
        if (!refused.isEmpty()) {
            report(err, it.value() == QLatin1String("-") ? tr("standard input") : it.value(),
                   tr("the data %1; nothing was printed").arg(refused));
            return JobFailed;
        }
        tables.insert(it.key(), bytes);
    }
    DataSourceManager *manager = services::dataSourceManager();
    if (manager)
        manager->setCsvOverrides(tables);
    else if (!tables.isEmpty()) {
        report(err, QString(), tr("--data needs the data sources of the application"));
        return JobFailed;
    }
    struct Restore
    {
        DataSourceManager *manager;
        ~Restore()
        {
            if (manager)
                manager->setCsvOverrides({});
        }
    } restore{manager};

    PrintHandler handler;
    // For measuring start-up from outside: one line on stderr once the first
    // label of the run is drawn.
    if (qEnvironmentVariableIsSet("TAGORIX_STARTUP_TRACE")) {
        QObject::connect(&handler, &PrintHandler::labelPrinted, [](int done, int) {
            if (done == 1) {
                std::fputs("tagorix: first label drawn\n", stderr);
                std::fflush(stderr);
            }
        });
    }
    if (job.hasOffset)
        handler.setOffsetOverride(QPointF(job.offsetX, job.offsetY));
    int result = 0;
    for (const QString &path : job.files) {
        Document doc;
        if (!readDocument(path, &doc, err)) {
            result = JobFailed;
            continue;
        }
        if (job.to > doc.labelCount()) {
            report(err, path,
                   tr("the range %1-%2 reaches past the document's %3 labels")
                       .arg(job.from)
                       .arg(job.to)
                       .arg(doc.labelCount()));
            result = JobFailed;
            continue;
        }
        std::unique_ptr<QPrinter> printer;
        if (job.exportPdf) {
            printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(job.output);
        } else {
            printer = queuePrinter(job, path, &doc, handler, err);
            if (!printer) {
                result = JobFailed;
                continue;
            }
        }
        handler.setupPrinter(printer.get(), &doc);
        if (job.from > 0)
            printer->setFromTo(job.from, job.to);
        printer->setCopyCount(job.copies);
        printer->setCollateCopies(job.collate);
        QVector<int> quantities;
        if (!job.quantityColumn.isEmpty()) {
            QString error;
            if (!PrintHandler::quantitiesFromColumn(&doc, job.quantityColumn, &quantities,
                                                    &error)) {
                report(err, path, error);
                result = JobFailed;
                continue;
            }
        }
        handler.setQuantities(quantities);
        // A barcode that cannot be encoded stops the run before any check or job.
        const PrintHandler::Plan planned = handler.plan(printer.get(), &doc);
        const QList<scanverify::EncodingFault> faults =
            scanverify::encodingFaults(&doc, planned.first, planned.last);
        if (!faults.isEmpty()) {
            for (const scanverify::EncodingFault &fault : faults)
                report(err, path, scanverify::describe(fault));
            report(err, path, tr("barcodes that cannot be encoded: %1; nothing was printed")
                                  .arg(faults.size()));
            if (result == 0)
                result = VerifyFailed;
            continue;
        }
        // Labels the program draws itself are checked on the very dots it sends.
        const bool drawsItself =
            job.exportZpl ||
            (!job.exportPdf && !job.verifyOnly && printlanguage::usesZpl(printer->printerName()));
        handler.setVerifyDrawn(job.verify && drawsItself);
        if (job.verify && !drawsItself) {
            const int verified = verifyRun(job, path, &doc, printer.get(), err);
            if (verified != 0) {
                if (result == 0)
                    result = verified;
                continue;
            }
            if (job.verifyOnly)
                continue;
        }
        if (job.exportZpl) {
            const int written = writeZpl(job, path, &doc, handler, printer.get(), quantities, err);
            if (written != 0 && result == 0)
                result = written;
            continue;
        }
        const bool waits = job.wait && !job.exportPdf;
        const int before = waits ? printjobs::newestJob(printer->printerName()) : 0;
        if (!handler.printDocument(printer.get(), &doc)) {
            if (!handler.drawnProblems().isEmpty()) {
                for (const scanverify::Check &problem : handler.drawnProblems())
                    report(err, path, scanverify::describe(problem));
                report(err, path, tr("barcodes that do not scan as drawn: %1; nothing was printed")
                                      .arg(handler.drawnProblems().size()));
                if (result == 0)
                    result = VerifyFailed;
                continue;
            }
            if (!handler.errorString().isEmpty())
                report(err, path, handler.errorString());
            else
                report(err, path,
                       job.exportPdf ? tr("cannot write \"%1\"").arg(job.output)
                                     : tr("printing on \"%1\" failed").arg(printer->printerName()));
            result = JobFailed;
        } else if (waits &&
                   waitForJob(printer->printerName(), before, job.waitSeconds, path, err) != 0) {
            result = JobFailed;
        }
    }
    return result;
}

int batchprint::run(const QCommandLineParser &parser, QTextStream &err)
{
    Job job;
    QString error;
    if (!parseJob(parser, &job, &error)) {
        report(err, QString(), error);
        return UsageError;
    }
    return run(job, err);
}
