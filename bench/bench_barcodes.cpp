// A run of barcode labels from a table: each label has a Code 128 and a QR
// code bound to a CSV of N rows, plus a data item, printed through the print
// path into a PDF. Runs N/5 rows first and then N, and prints labels per
// second, the peak memory after each run (flat in N when nothing grows with
// the run) and the PDF's size per label; then the time to read back every
// code of the run as the check before printing does. The same again for a
// GS1 pallet label: an SSCC in GS1-128 and a GTIN, expiry date and lot in a
// GS1 DataMatrix.
//
//   bench_barcodes [ROWS]

#include "barcode.h"
#include "benchstock.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/dataitem.h"
#include "printhandler.h"
#include "scanverifier.h"
#include "txapp.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// The GS1 check digit of a string of digits.
int checkDigit(const QString &digits)
{
    int sum = 0;
    for (int i = 0; i < digits.size(); ++i)
        sum += digits.at(digits.size() - 1 - i).digitValue() * (i % 2 == 0 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

QString writeGs1Csv(const QTemporaryDir &dir, int rows)
{
    const QString path = dir.filePath(QStringLiteral("gs1-%1.csv").arg(rows));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("sscc,product\n");
    for (int i = 0; i < rows; ++i) {
        const QString serial = QStringLiteral("37612345%1").arg(i, 9, 10, QLatin1Char('0'));
        f.write(QStringLiteral("(00)%1%2,(01)09501101530003(17)27%3%4(10)LOT-%5\n")
                    .arg(serial)
                    .arg(checkDigit(serial))
                    .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                    .arg(i)
                    .toUtf8());
    }
    return path;
}

QString writeCsv(const QTemporaryDir &dir, int rows)
{
    const QString path = dir.filePath(QStringLiteral("codes-%1.csv").arg(rows));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("sku,link\n");
    for (int i = 0; i < rows; ++i)
        f.write(QStringLiteral("SKU-%1,https://norvane.example/p/%1?lot=%2\n")
                    .arg(100000 + i)
                    .arg(i % 977)
                    .toUtf8());
    return path;
}

void addCode(Document &doc, DataSource *source, int symbology, int column, const QRectF &r)
{
    auto *item = new BarcodeItem(r.size());
    Barcode code;
    code.setSymbology(symbology);
    item->setBarcode(code);
    item->setPos(r.topLeft());
    doc.addItem(item);
    const QAbstractItemModel *m = source->model();
    item->setVariableData(source, QItemSelection(m->index(0, column),
                                                 m->index(m->rowCount() - 1, column)));
}

void run(int rows, const QTemporaryDir &dir, bool gs1)
{
    DataSourceManager *manager = TxApp::dataSourceManager();
    const QString csv = gs1 ? writeGs1Csv(dir, rows) : writeCsv(dir, rows);
    manager->addCsvFile(csv);
    DataSource *source = manager->findByName(csv);
    const QString pdf = dir.filePath(QStringLiteral("codes-%1.pdf").arg(rows));
    {
        Document doc;
        doc.setSizeTemplate(benchstock::twoAcross());
        const double mm = doc.labelGeometry().pixelsPerMm;
        // Sizes a 203-dpi printer reproduces: two dots per module.
        addCode(doc, source, gs1 ? Barcode::Gs1_128 : Barcode::Code128, 0,
                QRectF(2 * mm, 2 * mm, 46 * mm, 16 * mm));
        addCode(doc, source, gs1 ? Barcode::Gs1DataMatrix : Barcode::QrCode, 1,
                QRectF(2 * mm, 19 * mm, 10 * mm, 10 * mm));
        auto *data = new DataItem(QSizeF(34 * mm, 8 * mm));
        data->setPos(14 * mm, 20 * mm);
        doc.addItem(data);
        const QAbstractItemModel *m = source->model();
        data->setData(source, QItemSelection(m->index(0, 0), m->index(m->rowCount() - 1, 0)));

        PrintHandler handler;
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        handler.setupPrinter(&printer, &doc);
        QElapsedTimer clock;
        clock.start();
        const bool ok = handler.printDocument(&printer, &doc);
        const double seconds = clock.nsecsElapsed() / 1e9;
        const qint64 bytes = QFileInfo(pdf).size();
        std::printf("%s, %d labels: %s in %.2f s = %.0f labels/s, peak memory %lld kB, "
                    "PDF %.1f kB = %.0f bytes/label\n",
                    gs1 ? "GS1-128 + GS1 DataMatrix" : "Code 128 + QR code", doc.labelCount(),
                    ok ? "ok" : "FAILED", seconds, doc.labelCount() / seconds,
                    static_cast<long long>(benchstock::peakKb()), bytes / 1024.0,
                    double(bytes) / qMax(1, doc.labelCount()));

        clock.restart();
        const scanverify::Report report =
            scanverify::verifyDocument(&doc, 203, 203, 0, doc.labelCount() - 1);
        const double checked = clock.nsecsElapsed() / 1e9;
        std::printf("%d labels verified at 203 dpi: %d codes scan, %d problems, in %.2f s = "
                    "%.0f codes/s, peak memory %lld kB\n",
                    doc.labelCount(), report.scanned, int(report.problems.size()), checked,
                    report.scanned / checked, static_cast<long long>(benchstock::peakKb()));
        for (int i = 0; i < qMin(3, int(report.problems.size())); ++i)
            std::printf("  %s\n", qPrintable(scanverify::describe(report.problems.at(i))));
    }
    QFile::remove(pdf);
    manager->removeSource(manager->idOf(source));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    app.initialize();
    const int rows = argc > 1 ? qMax(5, atoi(argv[1])) : 10000;
    QTemporaryDir dir;
    for (bool gs1 : {false, true}) {
        run(rows / 5, dir, gs1);
        run(rows, dir, gs1);
    }
    return 0;
}
