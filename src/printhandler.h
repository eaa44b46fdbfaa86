#pragma once

#include <QObject>
#include <QString>

class Document;
class PrinterSettingsWin;
class QPrinter;
class SizeTemplate;

// Prints the labels of a document, or a range of them, row by row: one
// printed page is one row of labels across the liner. Copies are placed by
// the program itself, so that they fill the cells of a row instead of the
// print system repeating whole pages.
class PrintHandler : public QObject
{
    Q_OBJECT
public:
    // Jobs of more labels than this show a progress dialog with Cancel.
    static constexpr int ProgressThreshold = 48;

    explicit PrintHandler(QObject *parent = nullptr);

    // The print action: prepares the printer from the document, asks the
    // user in the print dialog and prints.
    void printWithDialog(Document *doc);

    // A printer for the stored settings, carrying their driver choices; the
    // system default printer when there are none, they are invalid or the
    // printer is gone. Owned by the caller.
    QPrinter *initWinPrinter(PrinterSettingsWin *settings);

    // Grey scale, all labels as the page range, and one row of labels as the page.
    void setupPrinter(QPrinter *printer, Document *doc);

    // Why the stock leaves no cell to print into (no columns, margins or gaps
    // as wide as the liner); empty when it can be printed.
    static QString layoutError(const SizeTemplate &stock);

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

private:
    bool cancelRequested = false;
};
