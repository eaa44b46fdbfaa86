// The printer language: graphics, labels and the settings that precede them.

#include "batchprint.h"
#include "cupstestserver.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "docbuilder.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "printcheck.h"
#include "printersettings_win.h"
#include "printhandler.h"
#include "scancheck.h"
#include "services.h"
#include "zpl.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <cstring>

class TestZpl : public QObject
{
    Q_OBJECT
private slots:
    void graphicsReadBackDotForDot();
    void copiesAndSizes();
    void settingsOfTheDriver();
    void printsThroughTheScheduler();
    void checkedDotsAreTheSentDots();
};

namespace {

QImage grey(const QImage &image)
{
    return image.convertToFormat(QImage::Format_Grayscale8);
}

} // namespace

// Both compressions give back every dot: noise, runs longer than one count
// letter, repeated and empty rows, full rows, widths that are not bytes.
void TestZpl::graphicsReadBackDotForDot()
{
    QRandomGenerator random(31);
    for (const QSize &size : {QSize(1, 1), QSize(13, 7), QSize(812, 406), QSize(1203, 50)}) {
        QImage image(size, QImage::Format_Grayscale8);
        image.fill(255);
        for (int y = 0; y < size.height(); ++y) {
            uchar *line = image.scanLine(y);
            const int kind = y % 5;
            for (int x = 0; x < size.width(); ++x) {
                if (kind == 0)
                    line[x] = random.bounded(2) ? 0 : 255;
                else if (kind == 1)
                    line[x] = x < size.width() / 3 ? 0 : 255;
                else if (kind == 3)
                    line[x] = x > size.width() / 2 ? 0 : 255;
                else if (kind == 4)
                    line[x] = 0;
            }
            if (kind == 2 && y > 0)
                std::memcpy(line, image.constScanLine(y - 1), size_t(size.width()));
        }
        for (zpl::Compression c : {zpl::Compression::Ascii, zpl::Compression::Z64}) {
            const QByteArray field = zpl::graphicField(image, c);
            const QList<QImage> back = scancheck::zplGraphics("^XA^FO0,0" + field + "^FS^XZ");
            QCOMPARE(back.size(), 1);
            // The graphic is whole bytes wide; the dots past the image are white.
            const QImage read = grey(back.first()).copy(QRect(QPoint(0, 0), size));
            QVERIFY2(read == image, qPrintable(QStringLiteral("%1 x %2, %3")
                                                   .arg(size.width())
                                                   .arg(size.height())
                                                   .arg(int(c))));
            const int pad = back.first().width() - size.width();
            if (pad > 0)
                QVERIFY(scancheck::inkBox(back.first().copy(size.width(), 0, pad, size.height()))
                            .isEmpty());
        }
    }
    // A damaged Z64 stream is refused, not read as something else.
    QImage box(64, 16, QImage::Format_Grayscale8);
    box.fill(0);
    QByteArray field = zpl::graphicField(box, zpl::Compression::Z64);
    const int at = field.indexOf(":Z64:") + 8;
    field[at] = field[at] == 'A' ? 'B' : 'A';
    QVERIFY(scancheck::zplGraphics("^XA" + field + "^XZ").value(0).isNull());
}

void TestZpl::copiesAndSizes()
{
    QImage image(406, 203, QImage::Format_Grayscale8);
    image.fill(255);
    QPainter(&image).fillRect(20, 20, 100, 100, Qt::black);
    const QByteArray one = zpl::label(image, 1);
    QVERIFY(one.startsWith("^XA^PW406^LL203^FO0,0^GFA,"));
    QVERIFY(one.endsWith("^FS^XZ\n"));
    QVERIFY(!one.contains("^PQ"));
    const QByteArray many = zpl::label(image, 25);
    QVERIFY(many.endsWith("^FS^PQ25^XZ\n"));
    // The smaller of the two forms: a mostly white label is a few hundred bytes.
    QVERIFY2(one.size() < 600, qPrintable(QString::number(one.size())));
}

void TestZpl::settingsOfTheDriver()
{
    QCOMPARE(zpl::setup({"Darkness", "-1", "zePrintRate", "Default", "zePrintMode", "Saved",
                         "zeMediaTracking", "Web", "zeLabelTop", "200", "zeTearOffPosition",
                         "1000"}),
             QByteArray("^XA^MNY^XZ"));
    QCOMPARE(zpl::setup({"Darkness", "20", "zePrintRate", "4", "zePrintMode", "Cutter",
                         "zeMediaTracking", "Mark", "MediaType", "Direct", "zeErrorReprint",
                         "Never", "zeLabelTop", "-5", "zeTearOffPosition", "-10"}),
             QByteArray("~SD20~TA-010^XA^PR4^MMC^MNM^MTD^JZN^LT-5^XZ"));
    QCOMPARE(zpl::setup({"Darkness", "31", "Resolution", "203dpi"}), QByteArray());
}

namespace {

BarcodeItem *addCode(Document &doc, int symbology, DataSource *source, int column, QRectF mm)
{
    const double ppm = doc.labelGeometry().pixelsPerMm;
    auto *item = new BarcodeItem(mm.size() * ppm);
    Barcode code;
    code.setSymbology(symbology);
    item->setBarcode(code);
    item->setPos(mm.topLeft() * ppm);
    doc.addItem(item);
    const QAbstractItemModel *m = source->model();
    item->setVariableData(source, QItemSelection(m->index(0, column),
                                                 m->index(m->rowCount() - 1, column)));
    return item;
}

QByteArray printed(CupsTestServer &server, Document &doc, const QString &queue)
{
    server.listener().clear();
    PrintHandler handler;
    QPrinter printer(QPrinterInfo::printerInfo(queue), QPrinter::ScreenResolution);
    handler.setupPrinter(&printer, &doc);
    if (!handler.printDocument(&printer, &doc) || !server.listener().waitForJobs(1))
        return QByteArray();
    return server.listener().jobs().value(0);
}

} // namespace

// A Zebra queue gets labels the program drew, as one raw job through the
// scheduler: one ZPL label a label (a row of the liner), every code readable
// from the graphic that arrived, the queue's darkness, and the same bytes
// --export-zpl writes.
void TestZpl::printsThroughTheScheduler()
{
    CupsTestServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    const QString queue = QStringLiteral("Zebra_ZPL");
    QVERIFY2(server.addZebraQueue(queue), qPrintable(server.errorString()));
    QVERIFY(server.runTool(QStringLiteral("lpadmin"),
                           {QStringLiteral("-p"), queue, QStringLiteral("-o"),
                            QStringLiteral("Darkness=20")}));

    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("codes.csv"));
    {
        QFile table(csv);
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write("code,link\n");
        for (int i = 1; i <= 20; ++i)
            table.write(QStringLiteral("C-%1,https://norvane.example/q/%1\n").arg(i).toUtf8());
    }
    DataSourceManager *manager = services::dataSourceManager();
    manager->addCsvFile(csv);
    DataSource *source = manager->findByName(csv);
    QVERIFY(source);
    auto doc = printcheck::makeDocument(20, docbuilder::makeTemplate(60, 40));
    addCode(*doc, Barcode::Code128, source, 0, QRectF(4, 12, 40, 12));
    addCode(*doc, Barcode::QrCode, source, 1, QRectF(46, 12, 12, 12));
    doc->setPrinterSettings(new PrinterSettingsWin(queue));

    const QByteArray job = printed(server, *doc, queue);
    QVERIFY(!job.isEmpty());
    QVERIFY(job.contains("~SD20"));
    QCOMPARE(job.count("^XA^PW"), 20);
    const QList<QImage> labels = scancheck::zplGraphics(job);
    QCOMPARE(labels.size(), 20);
    for (int i = 0; i < labels.size(); ++i) {
        QString error;
        QStringList read = scancheck::zbarDecode(labels.at(i), &error);
        read.sort();
        QCOMPARE(read, (QStringList{QStringLiteral("C-%1").arg(i + 1),
                                    QStringLiteral("https://norvane.example/q/%1").arg(i + 1)}));
    }

    // What --export-zpl writes of the saved document is what the queue got.
    const QString file = dir.filePath(QStringLiteral("run.tx4l"));
    QVERIFY(printcheck::saveDocument(*doc, file));
    batchprint::Job zplJob;
    zplJob.exportPdf = zplJob.exportZpl = true;
    zplJob.output = dir.filePath(QStringLiteral("run.zpl"));
    zplJob.files = QStringList{file};
    QString messages;
    QTextStream err(&messages);
    QCOMPARE(batchprint::run(zplJob, err), 0);
    QFile written(zplJob.output);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray exported = written.readAll();
    QVERIFY2(exported == job, qPrintable(QString::fromLatin1(exported.left(160) + " | " + job.left(160))));

    // Faults as on the driver path: a stopped queue gets nothing.
    QVERIFY(server.runTool(QStringLiteral("cupsdisable"), {queue}));
    server.listener().clear();
    {
        PrintHandler handler;
        QPrinter printer(QPrinterInfo::printerInfo(queue), QPrinter::ScreenResolution);
        handler.setupPrinter(&printer, doc.get());
        QVERIFY(!handler.printDocument(&printer, doc.get()));
        QVERIFY2(handler.errorString().contains(QLatin1String("is stopped")),
                 qPrintable(handler.errorString()));
    }
    QVERIFY(server.runTool(QStringLiteral("cupsenable"), {queue}));
    QVERIFY(!server.listener().waitForJobs(1, 1000));

    // Two across: one printer label a row.
    auto twoAcross = printcheck::makeDocument(4, docbuilder::makeTemplate(40, 30, 2));
    QCOMPARE(printed(server, *twoAcross, queue).count("^XA^PW"), 2);
    manager->removeSource(manager->idOf(source));
}

// The scan check reads the codes from the very image that is sent: what
// arrives is, dot for dot, what was checked; a code that does not scan in
// those dots stops the job before anything is sent.
void TestZpl::checkedDotsAreTheSentDots()
{
    CupsTestServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    const QString queue = QStringLiteral("Zebra_ZPL");
    QVERIFY2(server.addZebraQueue(queue), qPrintable(server.errorString()));
    auto doc = printcheck::makeDocument(1, docbuilder::makeTemplate(60, 30));
    const double ppm = doc->labelGeometry().pixelsPerMm;
    auto *code = new BarcodeItem(QSizeF(40, 12) * ppm);
    Barcode symbol;
    symbol.setSymbology(Barcode::Code128);
    code->setBarcode(symbol);
    code->setConstantData(QStringLiteral("DOTS-0042"));
    code->setPos(QPointF(4, 12) * ppm);
    doc->addItem(code);

    QList<QImage> checked;
    server.listener().clear();
    PrintHandler handler;
    handler.setVerifyDrawn(true);
    handler.setRowObserver([&checked](const QImage &row) { checked << row.copy(); });
    QPrinter printer(QPrinterInfo::printerInfo(queue), QPrinter::ScreenResolution);
    handler.setupPrinter(&printer, doc.get());
    QVERIFY2(handler.printDocument(&printer, doc.get()), qPrintable(handler.errorString()));
    QVERIFY(handler.drawnProblems().isEmpty());
    QVERIFY(server.listener().waitForJobs(1));
    const QList<QImage> arrived = scancheck::zplGraphics(server.listener().jobs().value(0));
    QCOMPARE(checked.size(), 1);
    QCOMPARE(arrived.size(), 1);
    const QImage sent = grey(arrived.first()).copy(checked.first().rect());
    QImage dots = grey(checked.first());
    for (int y = 0; y < dots.height(); ++y) {
        uchar *line = dots.scanLine(y);
        for (int x = 0; x < dots.width(); ++x)
            line[x] = line[x] < 128 ? 0 : 255;
    }
    QVERIFY(sent == dots);

    // Too small for the printer's dots: refused, with the label named.
    code->setSize(QSizeF(6, 2) * ppm);
    server.listener().clear();
    QVERIFY(!handler.printDocument(&printer, doc.get()));
    QCOMPARE(handler.drawnProblems().size(), 1);
    QCOMPARE(handler.drawnProblems().first().label, 0);
    QVERIFY2(handler.errorString().contains(QLatin1String("nothing was printed")),
             qPrintable(handler.errorString()));
    QVERIFY(server.waitForIdle());
    QVERIFY(!server.listener().waitForJobs(1, 1000));
}

// The data sources a program without windows sets up itself.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DataSourceManager dataSources;
    services::setDataSourceManager(&dataSources);
    TestZpl test;
    const int failed = QTest::qExec(&test, argc, argv);
    services::setDataSourceManager(nullptr);
    return failed;
}
#include "tst_zpl.moc"
