#pragma once

#include "printhandler.h"

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <QVector>

#include <functional>

class Document;
class QImage;

// A run drawn by the program itself at the printer's resolution, one image a
// printer label (one row of the liner), for printers spoken to in their own
// language. The painting is the print path's: barcodes on whole dots, text
// at the fixed layout, the calibration offset applied.
namespace rasterjob {

struct Run
{
    // The labels and placements, as PrintHandler::plan() makes them.
    PrintHandler::Plan plan;
    QVector<int> quantities;
    int copies = 1;
    bool collate = false;
    // Millimetres every label is moved by (the printer's calibration).
    QPointF offsetMm;
    int dpi = 203;
};

// A label placed on a printer label: where the document's label was drawn,
// in the image's dots.
struct Placed
{
    int label = 0;
    QRectF cell;
};
using RowSeen = std::function<bool(const QImage &, const QVector<Placed> &)>;

// Calls `row` with each printer label in print order: white, the liner's
// width and the label's height in dots, black where a dot prints, and the
// labels on it. Stops when `row` returns false; false then.
bool drawRows(Document *doc, const Run &run, const RowSeen &row);

// The run in ZPL II: the settings the driver choices name, then one label a
// row; a row the same as the one before adds a copy (^PQ) instead of bytes.
// `seen`, when given, is shown each row first (the scan check reads them);
// false from it stops, and the result is empty.
QByteArray zpl(Document *doc, const Run &run, const QStringList &driverChoices,
               const RowSeen &seen = {});

// Hands `bytes` to the print system as one raw job of `queue` (the
// scheduler spools, holds and reports it as any other job); false, saying why,
// when it was not taken.
bool sendRaw(const QString &queue, const QString &title, const QByteArray &bytes,
             QString *error);

// As sendRaw, for a document of any format the print system takes
// ("application/pdf", CUPS_FORMAT_RAW, ...) with job options (alternating
// names and values). *jobId is the print system's job number once it made
// the job (also when sending then failed and the job was cancelled), else 0.
bool send(const QString &queue, const QString &title, const QByteArray &bytes,
          const char *format, const QStringList &options, int *jobId, QString *error);

} // namespace rasterjob
