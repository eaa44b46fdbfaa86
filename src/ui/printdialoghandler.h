#pragma once

#include "printhandler.h"

class QWidget;

// The print engine with the window's side of printing: the print dialog
// with its "Quantities" tab, the barcode check before the run, a progress
// dialog with Cancel on long jobs, and the faults as message boxes.
class PrintDialogHandler : public PrintHandler
{
    Q_OBJECT
public:
    explicit PrintDialogHandler(QObject *parent = nullptr);

    // The print action: prepares the printer from the document, asks the
    // user in the print dialog and prints. The number of labels handed to
    // the printer (0 when nothing was printed) and the printer's name.
    qint64 printWithDialog(Document *doc, QString *printerName = nullptr);

    // printDocument() with a progress dialog (with Cancel) for long jobs.
    bool printWithProgress(QPrinter *printer, Document *doc, QWidget *parent = nullptr);

    // Before a print or export from the window: dataProblems(), shown in a
    // message box. True when the run may go on.
    static bool dataReady(Document *doc, QWidget *parent);
};
