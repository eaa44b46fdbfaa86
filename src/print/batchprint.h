#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class Document;
class QCommandLineParser;
class QTextStream;

// Printing and PDF export from the command line, for scripts and servers.
// Documents are read and printed through the same print path as the print
// action, and no window is shown.
namespace batchprint {

// Exit codes besides 0 for success.
constexpr int UsageError = 1;
constexpr int JobFailed = 2;
// A barcode of the run does not scan, or its data cannot be encoded at all;
// nothing was printed.
constexpr int VerifyFailed = 3;

// Adds --print, --export-pdf, --printer, --copies, --collate, --range,
// --verify, --verify-only, --offset, --quantity-column, --wait and
// --wait-timeout.
void addOptions(QCommandLineParser &parser);

// True when the parsed command line asks for printing or export.
bool requested(const QCommandLineParser &parser);

constexpr int DefaultWaitSeconds = 60;
constexpr int MaxWaitSeconds = 24 * 60 * 60;

struct Job
{
    // Set for --export-zpl too, which exports the ZPL job instead of the PDF.
    bool exportPdf = false;
    bool exportZpl = false;
    // The PDF file of an export.
    QString output;
    // Empty: the printer each document names.
    QString printer;
    int copies = 1;
    bool collate = false;
    // 1-based label range; 0 and 0 for all labels.
    int from = 0;
    int to = 0;
    QStringList files;
    // Tables printed instead of stored data files: file by source name, the
    // empty name for a document's only file source, "-" for standard input.
    QMap<QString, QString> data;
    // Read every barcode back before sending; verifyOnly sends nothing.
    bool verify = false;
    bool verifyOnly = false;
    // Millimetres that replace the printer's stored calibration.
    bool hasOffset = false;
    double offsetX = 0;
    double offsetY = 0;
    // Copies of each label from this column of the bound data source.
    QString quantityColumn;
    // After each print, wait until the print system reports the job
    // completed, and fail when it does not within waitSeconds.
    bool wait = false;
    int waitSeconds = DefaultWaitSeconds;
};

// The job the command line describes; false with *error set when its
// options do not make one.
bool parseJob(const QCommandLineParser &parser, Job *job, QString *error);

// Runs the job file by file; what the user must know goes to `err`. Returns
// 0, or JobFailed when any file could not be read, printed or written.
int run(const Job &job, QTextStream &err);

// Why CSV bytes given in place of a data file cannot stand for one (binary,
// no header row, no rows); empty when they can.
QString refusedTable(const QByteArray &bytes);

// Reads one document to print it: the data it needs must be there (the
// tables set as overrides of the data source manager count), its stock must
// leave cells to print into. False after telling `err` why not.
bool readDocument(const QString &path, Document *doc, QTextStream &err);

// parseJob and run; UsageError when the command line makes no job.
int run(const QCommandLineParser &parser, QTextStream &err);

} // namespace batchprint
