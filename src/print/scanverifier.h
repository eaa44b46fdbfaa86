#pragma once

#include "barcode.h"

#include <QCoreApplication>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QVector>

#include <functional>

class Document;
class QPrinter;
namespace rasterjob {
struct Placed;
}

// Reads back, with a real decoder, the barcodes a print run is about to
// print: each symbol is drawn as the print path draws it, at the target's
// resolution, and must scan to the data it carries.
namespace scanverify {

enum class Outcome { Scans, Unreadable, WrongData, NotVerifiable };

struct Check
{
    Outcome outcome = Outcome::NotVerifiable;
    // 0-based label and a description of the item ("Code 128 at 6.0, 4.0 mm").
    int label = 0;
    QString item;
    QString expected;
    // What the decoder read; empty when it read nothing.
    QString read;
};

struct Report
{
    int scanned = 0;
    int notVerifiable = 0;
    // Labels whose code does not scan or scans to other data.
    QList<Check> problems;
    bool cancelled = false;
    bool ok() const { return problems.isEmpty() && !cancelled; }
};

// The resolution PDF output is checked at: whoever prints the file chooses
// the printer, and 300 dpi is the finer of the common label printers.
constexpr int PdfDpi = 300;

// The resolution a printer's output is checked at, and the dot grid its
// modules are laid on.
int dpiFor(QPrinter *printer);
int snapDpiFor(QPrinter *printer);

// False for the symbologies the decoder cannot read (Code 2 of 5, MaxiCode,
// PDF417): those are reported as not verifiable, never as failures.
bool verifiable(int symbology);

// The data a scanner reads from the symbol: EAN and UPC with their check
// digit, at most the characters that are encoded.
QString expectedData(Barcode code);
// The same for a barcode that may be encoded already (then not encoded again).
QString expectedOf(Barcode &code);

// Draws one symbol of `size` millimetres as the print path does on a device
// of `dpi` whose modules are laid on the dots of `snapDpi` (0: the device's),
// and decodes it.
Check verifySymbol(const Barcode &code, QSizeF sizeMm, int aspectMode, double rotation, int dpi,
                   int snapDpi = 0);

// Every barcode of the labels first to last (0-based, inclusive) of the
// document, drawn as verifySymbol() draws them. `progress` (done, total) is called now and then from the calling
// thread; returning false cancels. The decoding runs on all cores.
Report verifyDocument(Document *doc, int dpi, int snapDpi, int first, int last,
                      const std::function<bool(int, int)> &progress = {});

// "label 3, Code 128 at 6.0, 4.0 mm: expected "A-1", read nothing" and the like.
QString describe(const Check &check);

// A barcode whose data cannot be encoded (letters in an EAN, a wrong GS1
// check digit): printed, the label would carry an error text instead.
struct EncodingFault
{
    // 0-based label and a description of the item, as in a Check.
    int label = 0;
    QString item;
    QString data;
    // zint's message.
    QString message;
};

// The barcodes of the labels first to last (0-based, inclusive) that do not
// encode, label by label; each distinct data of an item is encoded once.
QList<EncodingFault> encodingFaults(Document *doc, int first, int last);

// "label 2, EAN 8/13 at 6.0, 4.0 mm: "12A4": Error 284: ..."
QString describe(const EncodingFault &fault);

// The check of labels the program drew itself for the printer: every code is
// read from the very dots that are sent, not from a drawing of its own.
class DrawnCheck
{
public:
    DrawnCheck(Document *doc, int dpi);
    ~DrawnCheck();
    DrawnCheck(const DrawnCheck &) = delete;
    DrawnCheck &operator=(const DrawnCheck &) = delete;

    // Reads the codes of each label on one drawn printer label.
    void check(const QImage &row, const QVector<rasterjob::Placed> &labels);
    const Report &report() const { return result; }

private:
    struct Items;
    Document *doc;
    int dpi;
    Report result;
    Items *items;
};

} // namespace scanverify
