#include "renderer.h"

#include "batchprint.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "document.h"
#include "printcalibration.h"
#include "printersettings_win.h"
#include "printhandler.h"
#include "printlanguage.h"
#include "platform/winspool.h"
#include "qxtcsvmodel.h"
#include "rasterjob.h"
#include "scanverifier.h"
#include "services.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTextStream>
#include <QThread>

#include <cups/cups.h>

#include <memory>

namespace server {

namespace {

// The batch reader's messages start "tagorix: <file>: "; a job's error is the rest.
QString plainMessages(const QString &text, const QString &path)
{
    QStringList lines;
    const QString prefix = QStringLiteral("tagorix: ");
    for (QString line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(prefix))
            line = line.mid(prefix.size());
        if (line.startsWith(path + QStringLiteral(": ")))
            line = line.mid(path.size() + 2);
        lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList headerOf(const QAbstractItemModel *model)
{
    QStringList columns;
    for (int c = 0; model && c < model->columnCount(); ++c)
        columns.append(model->headerData(c, Qt::Horizontal).toString());
    return columns;
}

// Puts the overrides back as they were, whatever way the job ends.
struct Overrides
{
    explicit Overrides(const QMap<QString, QByteArray> &tables)
    {
        if (DataSourceManager *m = services::dataSourceManager())
            m->setCsvOverrides(tables);
    }
    ~Overrides()
    {
        if (DataSourceManager *m = services::dataSourceManager())
            m->setCsvOverrides({});
    }
};

// A document read adds its tables to the application's sources: the tables
// given with the job and the design's internal tables. A service reads
// documents without end, so what one read added goes when it is done. Data
// files stay, one source per file, read again when they change.
class SourceScope
{
public:
    SourceScope()
    {
        if (DataSourceManager *m = services::dataSourceManager())
            before = m->sources().keys();
    }
    ~SourceScope()
    {
        DataSourceManager *m = services::dataSourceManager();
        if (!m)
            return;
        const QMap<int, DataSource *> now = m->sources();
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            if (!before.contains(it.key()) &&
                (m->isStandIn(it.value()) || it.value()->kind() != DataSource::File))
                m->removeSource(it.key());
        }
    }
    SourceScope(const SourceScope &) = delete;
    SourceScope &operator=(const SourceScope &) = delete;

private:
    QList<int> before;
};

Rendered failed(const QString &error)
{
    Rendered r;
    r.error = error;
    return r;
}

} // namespace

QJsonObject DesignInfo::json() const
{
    QJsonArray list;
    for (const SourceInfo &s : sources)
        list.append(QJsonObject{{QStringLiteral("name"), s.name},
                                {QStringLiteral("columns"), QJsonArray::fromStringList(s.columns)},
                                {QStringLiteral("replaceable"), s.replaceable}});
    QJsonObject o{{QStringLiteral("name"), name},
                  {QStringLiteral("stock"),
                   QJsonObject{{QStringLiteral("name"), stock},
                               {QStringLiteral("widthMm"), widthMm},
                               {QStringLiteral("heightMm"), heightMm},
                               {QStringLiteral("columns"), columns}}},
                  {QStringLiteral("labels"), labels},
                  {QStringLiteral("printer"), printer},
                  {QStringLiteral("sources"), list}};
    if (!error.isEmpty())
        o.insert(QStringLiteral("error"), error);
    return o;
}

QVector<SourceInfo> DesignInfo::replaceable() const
{
    QVector<SourceInfo> out;
    for (const SourceInfo &s : sources)
        if (s.replaceable)
            out.append(s);
    return out;
}

QString DesignCatalog::pathOf(const QString &name) const
{
    return QDir(folder).filePath(name + QStringLiteral(".tx4l"));
}

void DesignCatalog::refresh(
    const std::function<DesignInfo(const QString &name, const QString &path)> &read)
{
    QMap<QString, DesignInfo> known;
    {
        std::lock_guard<std::mutex> guard(lock);
        known = designs;
    }
    QMap<QString, DesignInfo> now;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.tx4l")}, QDir::Files | QDir::Readable,
                                   QDir::Name);
    // A folder of thousands of designs is read in part rather than never.
    for (const QFileInfo &file : files.mid(0, 10000)) {
        const QString name = file.completeBaseName();
        if (!isPlainName(name))
            continue;
        const auto it = known.constFind(name);
        if (it != known.constEnd() && it->size == file.size() && it->modified == file.lastModified())
            now.insert(name, *it);
        else
            now.insert(name, read(name, file.filePath()));
    }
    std::lock_guard<std::mutex> guard(lock);
    designs = now;
}

std::optional<DesignInfo> DesignCatalog::find(const QString &name) const
{
    std::lock_guard<std::mutex> guard(lock);
    const auto it = designs.constFind(name);
    if (it == designs.constEnd())
        return std::nullopt;
    return *it;
}

QList<DesignInfo> DesignCatalog::all() const
{
    std::lock_guard<std::mutex> guard(lock);
    return designs.values();
}

JobRenderer::JobRenderer(DesignCatalog *catalog, QObject *parent)
    : QObject(parent), catalog(catalog)
{
}

void JobRenderer::refreshCatalog()
{
    catalog->refresh([this](const QString &name, const QString &path) {
        return readDesign(name, path);
    });
}

DesignInfo JobRenderer::readDesign(const QString &name, const QString &path)
{
    DesignInfo info;
    info.name = name;
    info.path = path;
    const QFileInfo file(path);
    info.size = file.size();
    info.modified = file.lastModified();
    // Read as it is, without the checks of printing: a design whose data file
    // is not on this machine still prints with rows given with each job.
    Overrides none({});
    SourceScope scope;
    Document doc;
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly) || !readDocumentFile(&in, &doc)) {
        info.error = QStringLiteral("not a label document, or the file is damaged");
        return info;
    }
    if (!doc.sizeTemplate().isValid())
        info.error = QStringLiteral("the design has no valid label stock");
    else
        info.error = PrintHandler::layoutError(doc.sizeTemplate());
    const SizeTemplate stock = doc.sizeTemplate();
    info.stock = stock.description().isEmpty() ? stock.itemNo() : stock.description();
    info.widthMm = stock.labelWidth();
    info.heightMm = stock.labelHeight();
    info.columns = stock.columns();
    info.labels = doc.labelCount();
    info.printer = doc.printerSettings() ? doc.printerSettings()->printerName() : QString();
    if (DataSourceManager *manager = services::dataSourceManager()) {
        for (const DataSourceManager::BlockEntry &entry : manager->lastBlock()) {
            bool any = false;
            for (const QPointer<DataSource> &source : entry.sources) {
                if (source) {
                    info.sources.append(
                        SourceInfo{source->name(), headerOf(source->model()), entry.file});
                    any = true;
                }
            }
            // A data file that is not here: its columns are not known.
            if (!any && entry.file)
                info.sources.append(SourceInfo{entry.pathOrName, {}, true});
        }
    }
    return info;
}

bool checkAgainstDesign(const JobRequest &request, const DesignInfo &design,
                        QMap<QString, QByteArray> *tables, ApiError *error, int *rows)
{
    tables->clear();
    int most = -1;
    struct Report
    {
        int *rows;
        int &most;
        ~Report()
        {
            if (rows)
                *rows = most;
        }
    } report{rows, most};
    const QVector<SourceInfo> replaceable = design.replaceable();
    auto only = [&](const QString &field) -> const SourceInfo * {
        if (replaceable.size() == 1)
            return &replaceable.first();
        QStringList names;
        for (const SourceInfo &s : replaceable)
            names.append(s.name);
        *error = ApiError::make(
            422, QStringLiteral("unknown_source"),
            replaceable.isEmpty()
                ? QStringLiteral("the design \"%1\" has no data file to give rows for")
                      .arg(design.name)
                : QStringLiteral("the design \"%1\" has %2 data files; give the rows in "
                                 "\"sources\" by name: %3")
                      .arg(design.name)
                      .arg(replaceable.size())
                      .arg(names.join(QStringLiteral(", "))),
            field);
        return nullptr;
    };
    auto checkColumns = [&](const Table &table, const SourceInfo &source) {
        if (source.columns.isEmpty())
            return true;
        for (const QString &column : table.columns) {
            if (!source.columns.contains(column)) {
                int row = 0;
                const int at = table.columns.indexOf(column);
                // Name the first row that fills the column.
                while (row < table.rows.size() && table.rows.at(row).value(at).isEmpty())
                    ++row;
                *error = ApiError::make(
                    422, QStringLiteral("unknown_column"),
                    QStringLiteral("the data source \"%1\" has no column \"%2\"; its columns are: %3")
                        .arg(source.name, column, source.columns.join(QStringLiteral(", "))),
                    QStringLiteral("%1[%2].%3")
                        .arg(table.field)
                        .arg(qMin(row, qMax(0, table.rows.size() - 1)))
                        .arg(column));
                return false;
            }
        }
        return true;
    };
    if (request.hasCsv) {
        const SourceInfo *source = only(QStringLiteral("csv"));
        if (!source)
            return false;
        const QString refused = batchprint::refusedTable(request.csv);
        if (!refused.isEmpty()) {
            *error = ApiError::make(422, QStringLiteral("bad_value"),
                                    QStringLiteral("the CSV text %1").arg(refused),
                                    QStringLiteral("csv"));
            return false;
        }
        QBuffer buffer;
        buffer.setData(request.csv);
        const QxtCsvModel csv(&buffer, nullptr, true, QLatin1Char(','));
        Table header;
        header.field = QStringLiteral("csv");
        header.columns = headerOf(&csv);
        if (!checkColumns(header, *source))
            return false;
        most = csv.rowCount();
        tables->insert(QString(), request.csv);
        return true;
    }
    for (auto it = request.tables.cbegin(); it != request.tables.cend(); ++it) {
        const SourceInfo *source = nullptr;
        if (it.key().isEmpty()) {
            source = only(QStringLiteral("rows"));
        } else {
            for (const SourceInfo &s : replaceable)
                if (s.name == it.key())
                    source = &s;
            if (!source) {
                *error = ApiError::make(422, QStringLiteral("unknown_source"),
                                        QStringLiteral("the design \"%1\" has no data file \"%2\"")
                                            .arg(design.name, it.key()),
                                        it.value().field);
            }
        }
        if (!source || !checkColumns(it.value(), *source))
            return false;
        if (it.value().rows.isEmpty()) {
            *error = ApiError::make(422, QStringLiteral("bad_value"),
                                    QStringLiteral("\"%1\" holds no rows").arg(it.value().field),
                                    it.value().field);
            return false;
        }
        most = qMax(most, int(it.value().rows.size()));
        // The design's own column order: items are bound by column name.
        tables->insert(replaceable.size() == 1 && it.key().isEmpty() ? QString() : it.key(),
                       csvOf(it.value(), source->columns.isEmpty() ? it.value().columns
                                                                   : source->columns));
    }
    return true;
}

JobRenderer::~JobRenderer() = default;

const JobRenderer::QueueFacts &JobRenderer::queueFacts(const QString &queue)
{
    // Long enough that a run of jobs asks once, short enough that a changed
    // driver setting or language applies to the next run.
    constexpr qint64 KeepMs = 10000;
    QueueFacts &facts = queues[queue];
    if (!facts.read.isValid() || facts.read.elapsed() > KeepMs) {
        facts.choices = PrinterSettingsWin(queue).driverChoices();
        facts.zpl = printlanguage::usesZpl(queue);
        facts.read.start();
    }
    return facts;
}

Rendered JobRenderer::render(const JobRecord &job)
{
    JobRequest request;
    ApiError parseError;
    RequestLimits unlimited;
    unlimited.maxBodyBytes = std::numeric_limits<qint64>::max();
    unlimited.maxRows = std::numeric_limits<int>::max();
    if (!parseJobRequest(job.request, unlimited, &request, &parseError))
        return failed(QStringLiteral("the stored request cannot be read: ") + parseError.message);
    const QString path = catalog->pathOf(job.design);
    refreshCatalog();
    const std::optional<DesignInfo> design = catalog->find(job.design);
    if (!design)
        return failed(QStringLiteral("the design \"%1\" is no longer in the designs folder")
                          .arg(job.design));
    QMap<QString, QByteArray> tables;
    ApiError tableError;
    if (!checkAgainstDesign(request, *design, &tables, &tableError))
        return failed(tableError.message);

    Overrides overrides(tables);
    SourceScope scope;
    Document doc;
    QString messages;
    QTextStream err(&messages);
    if (!batchprint::readDocument(path, &doc, err)) {
        err.flush();
        return failed(plainMessages(messages, path));
    }
    if (request.to > doc.labelCount())
        return failed(QStringLiteral("the range %1-%2 reaches past the design's %3 labels")
                          .arg(request.from)
                          .arg(request.to)
                          .arg(doc.labelCount()));

    // The job's queue keeps the document's driver settings when it is the
    // document's printer, and its own defaults otherwise.
    const QStringList choices =
        doc.printerSettings() && doc.printerSettings()->printerName() == job.printer
            ? doc.printerSettings()->driverChoices()
            : queueFacts(job.printer).choices;
    const int driverDpi = winspool::resolutionOf(choices);

    PrintHandler handler;
    // One printer for every job: making one asks the print system for the
    // default queue's driver each time.
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
    }
    printer->setDocName(QStringLiteral("%1 (%2)").arg(job.design, job.id));
    handler.setupPrinter(printer.get(), &doc);
    if (request.from > 0)
        printer->setFromTo(request.from, request.to);
    printer->setCopyCount(request.copies);
    printer->setCollateCopies(request.collate);
    QVector<int> quantities;
    if (!request.quantityColumn.isEmpty()) {
        QString error;
        if (!PrintHandler::quantitiesFromColumn(&doc, request.quantityColumn, &quantities, &error))
            return failed(error);
    }
    handler.setQuantities(quantities);
    const PrintHandler::Plan plan = handler.plan(printer.get(), &doc);
    Rendered out;
    out.labels = int(qMin<qint64>(plan.placements, std::numeric_limits<int>::max()));

    const QList<scanverify::EncodingFault> faults =
        scanverify::encodingFaults(&doc, plan.first, plan.last);
    if (!faults.isEmpty()) {
        for (const scanverify::EncodingFault &f : faults.mid(0, 1000))
            out.problems.append(QJsonObject{{QStringLiteral("label"), f.label + 1},
                                            {QStringLiteral("item"), f.item},
                                            {QStringLiteral("data"), f.data},
                                            {QStringLiteral("message"), f.message}});
        out.error = QStringLiteral("barcodes of %1 labels cannot be encoded; nothing was printed")
                        .arg(faults.size());
        return out;
    }
    auto scanProblems = [&](const QList<scanverify::Check> &checks) {
        for (const scanverify::Check &c : checks.mid(0, 1000))
            out.problems.append(QJsonObject{{QStringLiteral("label"), c.label + 1},
                                            {QStringLiteral("item"), c.item},
                                            {QStringLiteral("data"), c.expected},
                                            {QStringLiteral("message"), scanverify::describe(c)}});
        out.error = QStringLiteral("barcodes of %1 labels do not scan; nothing was printed")
                        .arg(checks.size());
    };

    if (queueFacts(job.printer).zpl) {
        rasterjob::Run run;
        run.plan = plan;
        run.quantities = quantities;
        run.copies = request.copies;
        run.collate = request.collate;
        run.dpi = driverDpi > 0 ? driverDpi : doc.printDpi();
        run.offsetMm = printcalibration::offset(job.printer);
        scanverify::DrawnCheck checked(request.verify ? &doc : nullptr, run.dpi);
        out.bytes = rasterjob::zpl(&doc, run, choices,
                                   [&checked](const QImage &image,
                                              const QVector<rasterjob::Placed> &labels) {
                                       checked.check(image, labels);
                                       return true;
                                   });
        if (!checked.report().problems.isEmpty()) {
            scanProblems(checked.report().problems);
            out.bytes.clear();
            return out;
        }
        if (out.bytes.isEmpty() && plan.placements > 0)
            return failed(QStringLiteral("the labels could not be drawn"));
        out.format = CUPS_FORMAT_RAW;
        out.ok = true;
        return out;
    }

    if (request.verify) {
        const int dpi = driverDpi > 0 ? driverDpi : scanverify::PdfDpi;
        const scanverify::Report checked =
            scanverify::verifyDocument(&doc, dpi, dpi, plan.first, plan.last);
        if (!checked.ok()) {
            scanProblems(checked.problems);
            return out;
        }
    }
    QTemporaryFile pdfFile;
    pdfFile.setFileTemplate(QDir::tempPath() + QStringLiteral("/tagorix-server-XXXXXX.pdf"));
    if (!pdfFile.open())
        return failed(QStringLiteral("cannot make a temporary file: ") + pdfFile.errorString());
    printer->setOutputFileName(pdfFile.fileName());
    handler.setOffsetOverride(printcalibration::offset(job.printer));
    const bool printed = handler.printDocument(printer.get(), &doc);
    printer->setOutputFileName(QString());
    if (!printed)
        return failed(handler.errorString().isEmpty() ? QStringLiteral("the labels could not be drawn")
                                                      : handler.errorString());
    pdfFile.seek(0);
    out.bytes = pdfFile.readAll();
    out.format = "application/pdf";
    out.options = choices;
    out.ok = !out.bytes.isEmpty();
    if (!out.ok)
        out.error = QStringLiteral("the labels could not be drawn");
    return out;
}

} // namespace server
