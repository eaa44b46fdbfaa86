#pragma once

#include "scanverifier.h"

#include <QDialog>

class Document;
class QPrinter;

// "Barcodes that do not scan": the labels of a run whose code the decoder
// could not read, or read as other data, with "Print anyway" and "Cancel".
class ScanReportDialog : public QDialog
{
    Q_OBJECT
public:
    ScanReportDialog(const scanverify::Report &report, int dpi, QWidget *parent = nullptr);

    // Verifies the barcodes of labels first to last (0-based) for `printer`,
    // with a progress dialog on long runs. True when the run may be printed:
    // no barcodes, all of them scan, or the user chose "Print anyway".
    static bool confirmRun(Document *doc, QPrinter *printer, int first, int last,
                           QWidget *parent = nullptr);

    // Labels first to last whose codes cannot be encoded are listed with
    // Cancel alone; true when there are none and the run may go on.
    static bool encodes(Document *doc, int first, int last, QWidget *parent = nullptr);

    // Rows shown at most; the rest are counted.
    static constexpr int MaxRows = 1000;
};
