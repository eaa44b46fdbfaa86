// A run of barcode labels from a table: each label has a Code 128 and a QR
// code bound to a CSV of N rows, plus a data item, printed through the print
// path into a PDF. Runs N/5 rows first and then N, and prints labels per
// second, the peak memory after each run (flat in N when nothing grows with
// the run) and the PDF's size per label; then the time to read back every
// code of the run as the check before printing does.
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

void run(int rows, const QTemporaryDir &dir)
{
    DataSourceManager *manager = TxApp::dataSourceManager();
    const QString csv = writeCsv(dir, rows);
    manager->addCsvFile(csv);
    DataSource *source = manager->findByName(csv);
    const QString pdf = dir.filePath(QStringLiteral("codes-%1.pdf").arg(rows));
    {
        Document doc;
        doc.setSizeTemplate(benchstock::twoAcross());
        const double mm = doc.labelGeometry().pixelsPerMm;
        // Sizes a 203-dpi printer reproduces: two dots per module.
        addCode(doc, source, Barcode::Code128, 0, QRectF(2 * mm, 2 * mm, 46 * mm, 16 * mm));
        addCode(doc, source, Barcode::QrCode, 1, QRectF(2 * mm, 19 * mm, 10 * mm, 10 * mm));
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
        std::printf("%d labels: %s in %.2f s = %.0f labels/s, peak memory %lld kB, "
                    "PDF %.1f kB = %.0f bytes/label\n",
                    doc.labelCount(), ok ? "ok" : "FAILED", seconds, doc.labelCount() / seconds,
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
    run(rows / 5, dir);
    run(rows, dir);
    return 0;
}
