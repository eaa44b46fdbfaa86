#pragma once

#include "scanverifier.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

class Document;
class QImage;
class PrinterSettingsWin;
class QPainter;
class QPrinter;
class QRectF;
class SizeTemplate;

// Prints the labels of a document, or a range of them, row by row: one
// printed page is one row of labels across the liner. Copies are placed by
// the program itself, so that they fill the cells of a row instead of the
// print system repeating whole pages. It shows nothing: faults come back as
// texts (errorString(), dataProblems()) for the caller to show or print.
class PrintHandler : public QObject
{
    Q_OBJECT
public:
    // Jobs of more labels than this show a progress dialog with Cancel.
    static constexpr int ProgressThreshold = 48;

    explicit PrintHandler(QObject *parent = nullptr);

    // A printer for the stored settings, carrying their driver choices; the
    // system default printer when there are none, they are invalid or the
    // printer is gone. Owned by the caller.
    QPrinter *initWinPrinter(PrinterSettingsWin *settings);

    // Grey scale, all labels as the page range, and one row of labels as the page.
    void setupPrinter(QPrinter *printer, Document *doc);

    // After Qt's print dialog was accepted: on CUPS it puts the queue's
    // default page, colour and job options on the printer. The label page and
    // the driver choices go back on; the range, copies and printer chosen
    // stay. False, saying why, when the typed range is not one range of labels.
    static bool takeDialogChoices(QPrinter *printer, Document *doc, QString *error);

    // Why the stock leaves no cell to print into (no columns, margins or gaps
    // as wide as the liner); empty when it can be printed.
    static QString layoutError(const SizeTemplate &stock);
    // Narrower cells are refused by layoutError().
    static constexpr double MinCellWidthMm = 1.0;

    // Why the print dialog's "Pages" entry is not one label or one range of
    // labels starting within the document's `labels`; empty when it is.
    static QString labelRangeProblem(const QString &pages, int labels);

    // Why the queue cannot take a job now (the print system is not running,
    // the printer is gone, stopped or refuses jobs); empty when it can.
    static QString queueProblem(const QString &queue);
    // The same as a state: whether the queue can take a job now. *detail is
    // the scheduler's address or the print system's own words, when it has any.
    enum class QueueState { Ready, NoScheduler, NoAnswer, Gone, Rejecting, Stopped };
    static QueueState queueState(const QString &queue, QString *detail);
    // True when the print scheduler answers at all.
    static bool schedulerAnswers();

    // The dots per inch a queue's printer prints with (its driver's
    // resolution choice), whatever resolution Qt lays the job out at.
    static int deviceDpi(QPrinter *printer);

    // Millimetres every label of the following jobs is moved by; unset, the
    // stored calibration of each job's printer applies.
    void setOffsetOverride(const std::optional<QPointF> &mm) { offsetOverride = mm; }

    // Copies of each label (by 0-based label) instead of the copy count;
    // empty for the copy count.
    void setQuantities(const QVector<int> &perLabel) { quantities = perLabel; }

    // Before a print or export: data files changed on disk are read again
    // (the manager says so); then why labels cannot be printed because their
    // data is not there, one text per fault. Empty when the run may go on.
    static QStringList dataProblems(Document *doc);

    // The labels whose barcodes cannot be encoded, as the text a message or
    // a batch run shows: the first MaxReportedFaults of them and a count of the rest.
    static QString encodingReport(const QList<scanverify::EncodingFault> &faults);
    static constexpr int MaxReportedFaults = 20;

    // The columns of every data source the document's items show, each as
    // "column (source)".
    static QStringList quantityColumns(Document *doc);
    // Each label's copies from `column` (as quantityColumns() names it, or a
    // bare column name: the first source that has it), in the row of the
    // label's cell in the first item bound to that source: an empty cell is
    // 0. False, naming the row, when a cell is not a whole number from 0 to
    // 9999 or the column is not there.
    static bool quantitiesFromColumn(Document *doc, const QString &column, QVector<int> *out,
                                     QString *error);

    // Why the last printDocument() sent nothing; empty after a success.
    QString errorString() const { return lastError; }

    // For printers the program draws the labels for (ZPL II): read every code
    // back from the drawn dots before anything is sent, and send nothing when
    // one does not scan. drawnProblems() then lists them.
    void setVerifyDrawn(bool on) { verifyDrawn = on; }
    QList<scanverify::Check> drawnProblems() const { return drawnFaults; }
    // Each drawn printer label, as it is checked and sent (for tests).
    void setRowObserver(std::function<void(const QImage &)> observer) { rowObserver = observer; }

    // The calibration label on a printer set up for the document: printed as
    // a one-label job of the document is (its page, one row of the liner; its
    // first cell; its printer's settings), with the calibration drawing in
    // place of the label, moved by `offsetMm` instead of the stored offset.
    bool printCalibrationLabel(QPrinter *printer, Document *doc, QPointF offsetMm);

signals:
    // After each placed label: placements done and placements in the job.
    void labelPrinted(int done, int total);

public slots:
    // Paints the chosen range, copies and collation of the printer onto it.
    // The job is sent with one copy; the copy count is restored afterwards.
    // True when the job reached the printer (also when it was cancelled).
    bool printDocument(QPrinter *printer, Document *doc);

    // Ends the running job once the row being filled is complete.
    void cancel();

public:
    // The labels a job places (0-based, the range clamped to the document)
    // and how many placements that makes; rounds is the largest quantity.
    struct Plan
    {
        int first = 0;
        int last = -1;
        qint64 placements = 0;
        int rounds = 0;
    };
    Plan plan(QPrinter *printer, Document *doc) const;

    // The placements of a run in the order they print: `place` (label, copy)
    // is called for each, 0-based, until it returns false. Copies of each
    // label come together when collated; quantities replace the copy count.
    static void forEachPlacement(const Plan &run, const QVector<int> &quantities, int copies,
                                 bool collateCopies, const std::function<bool(int, int)> &place);

private:
    // printDocument() for a queue spoken to in ZPL II.
    bool printZpl(QPrinter *printer, Document *doc, const Plan &run);
    // The driver choices a job on the printer's queue prints with.
    static QStringList jobChoices(QPrinter *printer);

    bool cancelRequested = false;
    bool verifyDrawn = false;
    QList<scanverify::Check> drawnFaults;
    std::function<void(const QImage &)> rowObserver;
    // Draws each placed cell instead of the document's label, when set.
    std::function<void(QPainter *, const QRectF &cell, double pxPerMm)> cellPainter;
    std::optional<QPointF> offsetOverride;
    QVector<int> quantities;
    QString lastError;
};
