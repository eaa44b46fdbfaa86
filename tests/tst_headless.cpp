// A program without windows, as the batch front end and the print service
// are: it links the print engine and the layers below it, nothing of the
// window, and prints a document to PDF with them alone.

#include "batchprint.h"
#include "datasourcemanager.h"
#include "docbuilder.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "printcheck.h"
#include "scancheck.h"
#include "services.h"
#include "sizetemplatemanager.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

class TestHeadless : public QObject
{
    Q_OBJECT
private slots:
    void exportVerifiesAndWritesLabels();
    void zplExportHoldsTheLabels();
};

void TestHeadless::exportVerifiesAndWritesLabels()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto doc = printcheck::makeDocument(2, docbuilder::makeTemplate(60, 30));
    auto *code = new BarcodeItem(doc->defaultBarcodeSize());
    Barcode symbol;
    symbol.setSymbology(Barcode::Code128);
    code->setBarcode(symbol);
    code->setConstantData(QStringLiteral("HEADLESS-42"));
    code->setPos(QPointF(10, 14) * doc->labelGeometry().pixelsPerMm);
    doc->addItem(code);
    const QString path = dir.filePath(QStringLiteral("run.tx4l"));
    QVERIFY(printcheck::saveDocument(*doc, path));

    batchprint::Job job;
    job.exportPdf = true;
    job.output = dir.filePath(QStringLiteral("run.pdf"));
    job.files = QStringList{path};
    job.verify = true;
    QString messages;
    QTextStream err(&messages);
    const int exitCode = batchprint::run(job, err);
    err.flush();
    QVERIFY2(exitCode == 0, qPrintable(messages));

    const printcheck::Pdf pdf = printcheck::inspect(job.output);
    QVERIFY2(pdf.ok(), qPrintable(pdf.error));
    QCOMPARE(pdf.pages.size(), 2);
    const QList<QStringList> rows = pdf.rows();
    QVERIFY2(rows.at(0).contains(QStringLiteral("LBL1")), qPrintable(rows.at(0).join(' ')));
    QVERIFY2(rows.at(1).contains(QStringLiteral("LBL2")), qPrintable(rows.at(1).join(' ')));
    QString error;
    const QList<QImage> pages = scancheck::renderPdf(job.output, 300, &error);
    QVERIFY2(pages.size() == 2, qPrintable(error));
    QCOMPARE(scancheck::zbarDecode(pages.at(1), &error),
             QStringList{QStringLiteral("HEADLESS-42")});
}

// --export-zpl writes one ZPL label a row of the liner, drawn at the
// document's printer resolution: the graphics carry codes that scan, and
// collated copies are the printer's to repeat.
void TestHeadless::zplExportHoldsTheLabels()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto doc = printcheck::makeDocument(3, docbuilder::makeTemplate(60, 30));
    auto *code = new BarcodeItem(doc->defaultBarcodeSize());
    Barcode symbol;
    symbol.setSymbology(Barcode::Code128);
    code->setBarcode(symbol);
    code->setConstantData(QStringLiteral("ZPL-0042"));
    code->setPos(QPointF(10, 14) * doc->labelGeometry().pixelsPerMm);
    doc->addItem(code);
    const QString path = dir.filePath(QStringLiteral("run.tx4l"));
    QVERIFY(printcheck::saveDocument(*doc, path));

    batchprint::Job job;
    job.exportPdf = job.exportZpl = true;
    job.output = dir.filePath(QStringLiteral("run.zpl"));
    job.files = QStringList{path};
    for (int copies : {1, 3}) {
        job.copies = copies;
        job.collate = true;
        QString messages;
        QTextStream err(&messages);
        QCOMPARE(batchprint::run(job, err), 0);
        QFile file(job.output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray zpl = file.readAll();
        QCOMPARE(zpl.count("^XA"), 3);
        QCOMPARE(zpl.count("^PQ3"), copies == 3 ? 3 : 0);
        // The liner's width and the label's height at 203 dpi.
        const SizeTemplate t = doc->sizeTemplate();
        const QByteArray size = "^PW" + QByteArray::number(qRound(t.linerWidth() * 203 / 25.4)) +
                                "^LL" + QByteArray::number(qRound(t.labelHeight() * 203 / 25.4));
        QCOMPARE(zpl.count(size), 3);
        const QList<QImage> labels = scancheck::zplGraphics(zpl);
        QCOMPARE(labels.size(), 3);
        for (const QImage &label : labels) {
            QString error;
            QCOMPARE(scancheck::zbarDecode(label, &error), QStringList{QStringLiteral("ZPL-0042")});
        }
    }
    // With --verify, a code too small for the dots it is drawn on writes nothing.
    code->setSize(QSizeF(6, 2) * doc->labelGeometry().pixelsPerMm);
    QVERIFY(printcheck::saveDocument(*doc, path));
    QFile::remove(job.output);
    job.verify = true;
    QString messages;
    QTextStream err(&messages);
    QCOMPARE(batchprint::run(job, err), batchprint::VerifyFailed);
    err.flush();
    QVERIFY2(messages.contains(QLatin1String("label 1, Code 128")), qPrintable(messages));
    QVERIFY(!QFile::exists(job.output));
}

// The services a program without windows sets up itself: the application
// object that would otherwise own them lives in the window program.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DataSourceManager dataSources;
    SizeTemplateManager sizeTemplates;
    services::setDataSourceManager(&dataSources);
    services::setSizeTemplateManager(&sizeTemplates);
    TestHeadless test;
    const int failed = QTest::qExec(&test, argc, argv);
    services::setSizeTemplateManager(nullptr);
    services::setDataSourceManager(nullptr);
    return failed;
}

#include "tst_headless.moc"
