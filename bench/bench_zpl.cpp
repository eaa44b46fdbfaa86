// Labels from the start of `tagorix --print` to the last byte at a printer:
// a private print scheduler with a Zebra ZPL queue whose device is a loopback
// listener, 1,000 and 10,000 labels of 100 x 50 mm (a data text and a Code 128
// from a CSV), printed once in ZPL II drawn by the program and once through
// the print system's driver. Prints seconds, labels per second, bytes per
// label and the program's peak memory for each.
//
//   bench_zpl [N ...]

#include "benchstock.h"
#include "cupstestserver.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/dataitem.h"
#include "testutil.h"
#include "txapp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

const QString Queue = QStringLiteral("Zebra_Bench");

// A document of `rows` labels bound to a CSV of as many rows.
QString makeDocument(const QTemporaryDir &dir, int rows)
{
    const QString csv = dir.filePath(QStringLiteral("items-%1.csv").arg(rows));
    QFile table(csv);
    table.open(QIODevice::WriteOnly);
    table.write("item\n");
    for (int i = 0; i < rows; ++i)
        table.write(QStringLiteral("ITEM-%1\n").arg(100000 + i).toUtf8());
    table.close();
    DataSourceManager *manager = TxApp::dataSourceManager();
    manager->addCsvFile(csv);
    DataSource *source = manager->findByName(csv);
    const QString file = dir.filePath(QStringLiteral("items-%1.tx4l").arg(rows));
    Document doc;
    doc.setSizeTemplate(benchstock::singleWide());
    const double mm = doc.labelGeometry().pixelsPerMm;
    const QAbstractItemModel *m = source->model();
    const QItemSelection cells(m->index(0, 0), m->index(m->rowCount() - 1, 0));
    auto *text = new DataItem(QSizeF(90 * mm, 12 * mm));
    text->setPos(5 * mm, 4 * mm);
    doc.addItem(text);
    text->setData(source, cells);
    auto *code = new BarcodeItem(QSizeF(80 * mm, 25 * mm));
    Barcode c;
    c.setSymbology(Barcode::Code128);
    code->setBarcode(c);
    code->setPos(5 * mm, 20 * mm);
    doc.addItem(code);
    code->setVariableData(source, cells);
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    writeDocumentFile(&out, &doc);
    manager->removeSource(manager->idOf(source));
    return file;
}

void run(CupsTestServer &server, const QString &file, int labels, bool zpl)
{
    testutil::setPrinterLanguage(Queue, zpl ? 1 : 2);
    server.listener().clear();
    QElapsedTimer clock;
    clock.start();
    QProcess p;
    p.setProgram(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tagorix")));
    p.setArguments({QStringLiteral("--print"), QStringLiteral("--printer"), Queue, file});
    p.start();
    p.waitForFinished(600000);
    const double printed = clock.nsecsElapsed() / 1e9;
    const bool arrived = server.listener().waitForJobs(1, 600000);
    const double seconds = clock.nsecsElapsed() / 1e9;
    const qint64 bytes = arrived ? server.listener().jobs().value(0).size() : 0;
    struct rusage usage = {};
    getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("%-6s %6d labels: program done after %.1f s, at the printer after %.1f s = %.0f "
                "labels/s, %.0f bytes/label, program's peak memory %ld kB%s\n",
                zpl ? "ZPL" : "driver", labels, printed, seconds, labels / seconds,
                double(bytes) / labels, usage.ru_maxrss, arrived && p.exitCode() == 0 ? "" : " FAILED");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test mode for the settings: the started program must read the
    // printer language stored here. It is set back to automatic at the end.
    TxApp app(argc, argv);
    app.initialize();
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << qMax(1, atoi(argv[i]));
    if (sizes.isEmpty())
        sizes = {1000, 10000};
    CupsTestServer server;
    if (!server.start() || !server.addZebraQueue(Queue)) {
        std::fprintf(stderr, "no print scheduler: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    QTemporaryDir dir;
    for (int n : sizes) {
        const QString file = makeDocument(dir, n);
        run(server, file, n, true);
        run(server, file, n, false);
    }
    testutil::setPrinterLanguage(Queue, 0);
    return 0;
}
