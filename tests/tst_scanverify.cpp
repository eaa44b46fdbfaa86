#include "barcode.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "dialogs/barcodedialog.h"
#include "dialogs/scanreportdialog.h"
#include "docbuilder.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/dataitem.h"
#include "printcheck.h"
#include "printhandler.h"
#include "scancheck.h"
#include "scanverifier.h"
#include "sequence.h"
#include "startup.h"
#include "testutil.h"
#include "txapp.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QPrinter>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QtTest>

namespace {

DataSourceManager *manager()
{
    return TxApp::dataSourceManager();
}

BarcodeItem *addCode(Document &doc, int symbology, const QString &data, QPointF posMm,
                     QSizeF sizeMm)
{
    const double ppm = doc.labelGeometry().pixelsPerMm;
    auto *item = new BarcodeItem(sizeMm * ppm);
    Barcode code;
    code.setSymbology(symbology);
    item->setBarcode(code);
    item->setConstantData(data);
    item->setPos(posMm * ppm);
    doc.addItem(item);
    doc.connectItem(item);
    return item;
}

QItemSelection column(DataSource *src, int c)
{
    const QAbstractItemModel *m = src->model();
    return QItemSelection(m->index(0, c), m->index(m->rowCount() - 1, c));
}

} // namespace

class TestScanVerify : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void runOfCodesVerifies();
    void tooSmallForTheResolution();
    void windowAsksBeforePrinting();
    void sequenceValues_data();
    void sequenceValues();
    void serialNumbersStoredAndPrinted();
    void everySymbologyIsChecked_data();
    void everySymbologyIsChecked();
    void gs1DataIsStrict();
    void codesThatDoNotEncodeStopTheRun();
};

void TestScanVerify::cleanup()
{
    const QList<int> ids = manager()->sources().keys();
    for (int id : ids)
        manager()->removeSource(id);
}

// Every label's Code 128 and QR code, from a table, read back; a Code 2 of 5
// is counted as not verifiable, never as a failure.
void TestScanVerify::runOfCodesVerifies()
{
    QList<QStandardItem *> skus, links;
    for (int i = 0; i < 40; ++i) {
        skus << new QStandardItem(QStringLiteral("SKU-%1").arg(500 + i));
        links << new QStandardItem(QStringLiteral("https://norvane.example/p/%1").arg(i));
    }
    DataSource *src = manager()->addInternal(QStringLiteral("items"), skus);
    static_cast<QStandardItemModel *>(src->model())->appendColumn(links);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addCode(doc, Barcode::Code128, QString(), QPointF(4, 4), QSizeF(36, 14))
        ->setVariableData(src, column(src, 0));
    addCode(doc, Barcode::QrCode, QString(), QPointF(42, 4), QSizeF(16, 16))
        ->setVariableData(src, column(src, 1));
    addCode(doc, Barcode::Code2of5, QStringLiteral("123456"), QPointF(4, 20), QSizeF(30, 8));
    addCode(doc, Barcode::Ean, QStringLiteral("590123412345"), QPointF(36, 20), QSizeF(20, 9));
    QCOMPARE(doc.labelCount(), 40);

    int calls = 0;
    const scanverify::Report report =
        scanverify::verifyDocument(&doc, 203, 203, 0, 39, [&calls](int, int) { return ++calls > 0; });
    QVERIFY2(report.ok(), qPrintable(report.problems.isEmpty()
                                         ? QString()
                                         : scanverify::describe(report.problems.first())));
    QCOMPARE(report.scanned, 40 * 3);
    QCOMPARE(report.notVerifiable, 40);
    QVERIFY(calls > 0);

}

// An X-dimension under one printer dot: reported at 203 dpi, fine at 600.
void TestScanVerify::tooSmallForTheResolution()
{
    Barcode code;
    code.setSymbology(Barcode::Code128);
    code.setData(QStringLiteral("TOO-SMALL-FOR-203-DPI"));
    code.setShowText(false);
    const QSizeF modules = code.moduleSize();
    // 0.8 of a 203-dpi dot per module.
    const double mm = 0.8 * 25.4 / 203;
    const QSizeF size(modules.width() * mm, 8);
    const scanverify::Check coarse = scanverify::verifySymbol(code, size, Barcode::Fit, 0, 203);
    QVERIFY(coarse.outcome != scanverify::Outcome::Scans);
    QCOMPARE(coarse.expected, QStringLiteral("TOO-SMALL-FOR-203-DPI"));
    const scanverify::Check fine = scanverify::verifySymbol(code, size, Barcode::Fit, 0, 600);
    QCOMPARE(int(fine.outcome), int(scanverify::Outcome::Scans));

    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addCode(doc, Barcode::Code128, code.data(), QPointF(4, 4), size);
    const scanverify::Report report = scanverify::verifyDocument(&doc, 203, 203, 0, 0);
    QCOMPARE(report.problems.size(), 1);
    QVERIFY(scanverify::describe(report.problems.first())
                .startsWith(QStringLiteral("label 1, Code 128 at 4.0, 4.0 mm: expected")));
    QVERIFY(scanverify::verifyDocument(&doc, 600, 600, 0, 0).ok());

    // Turned a quarter, it still reads.
    const scanverify::Check turned =
        scanverify::verifySymbol(code, QSizeF(40, 10), Barcode::Fit, 90, 203);
    QCOMPARE(int(turned.outcome), int(scanverify::Outcome::Scans));
}

// Before a print from the window: nothing asked when every code scans; the
// list of labels that do not, with "Print anyway" and "Cancel", otherwise.
// The barcode dialog says the same of the symbol while designing.
void TestScanVerify::windowAsksBeforePrinting()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    BarcodeItem *item = addCode(doc, Barcode::Code128, QStringLiteral("WINDOW-1"), QPointF(4, 4),
                                QSizeF(40, 15));
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QVERIFY(ScanReportDialog::confirmRun(&doc, &printer, 0, 0));

    auto statusOf = [item]() {
        BarcodeDialog dialog(item, item->aspectMode());
        return dialog.findChild<QLabel *>(QStringLiteral("scanStatus"))->text();
    };
    // Then the width of one printed module on the document's printer (203 dpi
    // without one): 40 mm hold 2 whole dots a module for these 123 modules.
    QCOMPARE(statusOf(), QStringLiteral("Scans when printed at 203 dpi.\n"
                                        "Printed module: 0.25 mm (2 dots at 203 dpi)."));

    item->setSize(QSizeF(4, 2) * doc.labelGeometry().pixelsPerMm);
    QCOMPARE(statusOf(), QStringLiteral("Does not scan when printed at 203 dpi: make the item larger."));
    for (bool anyway : {false, true}) {
        QStringList rows;
        testutil::answerNextModal([anyway, &rows](QWidget *w) {
            auto *list = w->findChild<QTreeWidget *>(QStringLiteral("problems"));
            for (int i = 0; list && i < list->topLevelItemCount(); ++i) {
                const QTreeWidgetItem *row = list->topLevelItem(i);
                rows << QStringList{row->text(0), row->text(2), row->text(3)}.join('|');
            }
            if (anyway)
                w->findChild<QPushButton *>(QStringLiteral("printanyway"))->click();
            else
                static_cast<QDialog *>(w)->reject();
        });
        QCOMPARE(ScanReportDialog::confirmRun(&doc, &printer, 0, 0), anyway);
        QCOMPARE(rows, QStringList{"1|WINDOW-1|(nothing)"});
    }
}

void TestScanVerify::sequenceValues_data()
{
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    QTest::addColumn<qint64>("step");
    QTest::addColumn<int>("padding");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("lastValue");

    QTest::newRow("padded") << qint64(1) << qint64(10000) << qint64(1) << 5 << qint64(10000)
                            << "SN-10000/A";
    QTest::newRow("step misses last") << qint64(0) << qint64(10) << qint64(3) << 0 << qint64(4)
                                      << "SN-9/A";
    QTest::newRow("down, negative") << qint64(2) << qint64(-2) << qint64(-2) << 3 << qint64(3)
                                    << "SN--002/A";
    QTest::newRow("step away") << qint64(1) << qint64(5) << qint64(-1) << 0 << qint64(0) << "";
    QTest::newRow("one value") << qint64(7) << qint64(7) << qint64(5) << 2 << qint64(1)
                               << "SN-07/A";
    QTest::newRow("too many") << qint64(1) << qint64(1000001) << qint64(1) << 0
                              << qint64(1000001) << "";
}

void TestScanVerify::sequenceValues()
{
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    QFETCH(qint64, step);
    QFETCH(int, padding);
    QFETCH(qint64, count);
    QFETCH(QString, lastValue);
    sequence::Spec spec;
    spec.first = first;
    spec.last = last;
    spec.step = step;
    spec.padding = padding;
    spec.prefix = QStringLiteral("SN-");
    spec.suffix = QStringLiteral("/A");
    QCOMPARE(sequence::count(spec), count);
    const bool usable = count > 0 && count <= sequence::MaxValues;
    QCOMPARE(sequence::check(spec).isEmpty(), usable);
    const QList<QStandardItem *> items = sequence::items(spec);
    QCOMPARE(items.size(), usable ? int(count) : 0);
    if (usable)
        QCOMPARE(items.last()->text(), lastValue);
    qDeleteAll(items);
}

// SN-00001 ... SN-10000 as an internal table: saved, read back, and printed by
// a data item and a Code 128 bound to it.
void TestScanVerify::serialNumbersStoredAndPrinted()
{
    sequence::Spec spec;
    spec.first = 1;
    spec.last = 10000;
    spec.padding = 5;
    spec.prefix = QStringLiteral("SN-");
    QElapsedTimer clock;
    clock.start();
    DataSource *src = manager()->addInternal(QStringLiteral("Serial numbers"), sequence::items(spec));
    qInfo("10,000 values made in %lld ms", static_cast<long long>(clock.elapsed()));

    QByteArray bytes;
    {
        Document doc;
        doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
        auto *data = new DataItem(QSizeF(300, 60));
        data->setPos(20, 250);
        doc.addItem(data);
        doc.connectItem(data);
        data->setData(src, column(src, 0));
        addCode(doc, Barcode::Code128, QString(), QPointF(4, 3), QSizeF(45, 15))
            ->setVariableData(src, column(src, 0));
        QBuffer out(&bytes);
        QVERIFY(writeDocumentFile(&out, &doc));
    }
    cleanup();

    Document doc;
    QBuffer in(&bytes);
    QVERIFY(readDocumentFile(&in, &doc));
    DataSource *back = manager()->findByName(QStringLiteral("Serial numbers"));
    QVERIFY(back);
    QCOMPARE(back->kind(), DataSource::Internal);
    QCOMPARE(back->model()->rowCount(), 10000);
    QCOMPARE(doc.labelCount(), 10000);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("serials.pdf"));
    PrintHandler handler;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    handler.setupPrinter(&printer, &doc);
    printer.setFromTo(9999, 10000);
    QVERIFY(handler.printDocument(&printer, &doc));
    const printcheck::Pdf out = printcheck::inspect(pdf);
    QVERIFY2(out.ok(), qPrintable(out.error));
    QCOMPARE(out.rows().size(), 2);
    QVERIFY(out.rows().at(1).contains(QStringLiteral("SN-10000")));
    const QList<QImage> pages = scancheck::renderPdf(pdf, 203);
    QCOMPARE(pages.size(), 2);
    QCOMPARE(scancheck::zbarDecode(pages.at(0)), QStringList{"SN-09999"});
    QCOMPARE(scancheck::zbarDecode(pages.at(1)), QStringList{"SN-10000"});
}

namespace {

// Data every offered symbology takes.
QString sampleData(int symbology)
{
    switch (symbology) {
    case Barcode::Codabar:
        return QStringLiteral("A40156B");
    case Barcode::Ean:
        return QStringLiteral("590123412345");
    case Barcode::UpcA:
        return QStringLiteral("72527273070");
    case Barcode::UpcE:
        return QStringLiteral("0123456");
    case Barcode::Itf14:
        return QStringLiteral("1540014128876");
    case Barcode::Code2of5:
        return QStringLiteral("12345670");
    case Barcode::Sscc18:
        return QStringLiteral("37612345000001234");
    case Barcode::Gs1_128:
    case Barcode::Gs1DataMatrix:
    case Barcode::Gs1QrCode:
        return QStringLiteral("(01)09501101530003(17)261231(10)AB-123");
    case Barcode::Gs1DataBarExpanded:
        return QStringLiteral("(01)09501101530003(3103)000123");
    default:
        return QStringLiteral("TAGORIX 42");
    }
}

} // namespace

void TestScanVerify::everySymbologyIsChecked_data()
{
    QTest::addColumn<int>("symbology");
    for (const QString &name : Barcode::symbologyNames())
        QTest::newRow(qPrintable(name)) << Barcode::symbologyId(name);
}

// Each offered code is read back at the tool's default size; at the smallest
// and largest sizes a user can give, checking ends with an answer (the
// decoder library must not take the program down on any of them).
void TestScanVerify::everySymbologyIsChecked()
{
    QFETCH(int, symbology);
    Barcode code;
    code.setSymbology(symbology);
    code.setData(sampleData(symbology));
    Document doc;
    const QSizeF defaultMm = doc.defaultBarcodeSize() / doc.labelGeometry().pixelsPerMm;
    const scanverify::Check usual = scanverify::verifySymbol(code, defaultMm, Barcode::Fit, 0, 203);
    if (symbology == Barcode::Code2of5) {
        QVERIFY(!scanverify::verifiable(symbology));
        return;
    }
    QVERIFY2(usual.outcome == scanverify::Outcome::Scans,
             qPrintable(QStringLiteral("expected \"%1\", read \"%2\"").arg(usual.expected, usual.read)));
    // An EAN or UPC add-on is a symbol of its own beside the main one,
    // which is what is checked.
    if (symbology == Barcode::Ean || symbology == Barcode::UpcA) {
        Barcode withAddOn = code;
        withAddOn.setData(code.data() + QStringLiteral("+12"));
        const scanverify::Check c =
            scanverify::verifySymbol(withAddOn, defaultMm, Barcode::Fit, 0, 203);
        QVERIFY2(c.outcome == scanverify::Outcome::Scans,
                 qPrintable(QStringLiteral("expected \"%1\", read \"%2\"").arg(c.expected, c.read)));
    }
    for (const QSizeF &mm : {QSizeF(1, 1), QSizeF(300, 300), QSizeF(300, 5)}) {
        for (double rotation : {0.0, 90.0, 30.0}) {
            const scanverify::Check c = scanverify::verifySymbol(code, mm, Barcode::Stretch,
                                                                 rotation, 203);
            QVERIFY(c.outcome != scanverify::Outcome::NotVerifiable);
        }
    }
}

// A wrong check digit, month 13 or a short GTIN is an error with zint's
// words, never a symbol; the same data in square brackets encodes too.
void TestScanVerify::gs1DataIsStrict()
{
    for (int symbology : {int(Barcode::Gs1_128), int(Barcode::Gs1DataMatrix)}) {
        Barcode code;
        code.setSymbology(symbology);
        code.setData(QStringLiteral("(01)09501101530003(17)261231(10)AB-123"));
        QVERIFY2(code.encode(), qPrintable(code.errorText()));
        code.setData(QStringLiteral("[01]09501101530003[17]261231[10]AB-123"));
        QVERIFY2(code.encode(), qPrintable(code.errorText()));
        for (const QString &bad : {QStringLiteral("(01)09501101530004(17)261231"),
                                   QStringLiteral("(01)09501101530003(17)261331"),
                                   QStringLiteral("(01)0950110153000")}) {
            code.setData(bad);
            QVERIFY2(!code.encode(), qPrintable(bad));
            QVERIFY2(code.errorText().startsWith(QLatin1String("Error")), qPrintable(code.errorText()));
        }
    }
    Barcode sscc;
    sscc.setSymbology(Barcode::Sscc18);
    sscc.setData(QStringLiteral("37612345000001234"));
    QVERIFY(sscc.encode());
    QCOMPARE(scanverify::expectedData(sscc), QStringLiteral("00376123450000012347"));
}

// A label whose code does not encode stops a run before anything is sent:
// the engine refuses it, naming the label, and a batch export writes no file.
void TestScanVerify::codesThatDoNotEncodeStopTheRun()
{
    QList<QStandardItem *> cells;
    for (const char *cell : {"590123412345", "59012341234A", "400638133393"})
        cells << new QStandardItem(QString::fromLatin1(cell));
    DataSource *src = manager()->addInternal(QStringLiteral("Codes"), cells);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    BarcodeItem *item = addCode(doc, Barcode::Ean, QString(), QPointF(6, 4), QSizeF(40, 20));
    item->setVariableData(src, column(src, 0));
    const QList<scanverify::EncodingFault> faults = scanverify::encodingFaults(&doc, 0, 2);
    QCOMPARE(faults.size(), 1);
    QCOMPARE(faults.first().label, 1);
    QCOMPARE(faults.first().data, QStringLiteral("59012341234A"));
    QVERIFY(scanverify::describe(faults.first()).startsWith(QLatin1String("label 2, EAN 8/13")));

    QTemporaryDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
    PrintHandler handler;
    handler.setupPrinter(&printer, &doc);
    QVERIFY(!handler.printDocument(&printer, &doc));
    QVERIFY2(handler.errorString().contains(QLatin1String("label 2")), qPrintable(handler.errorString()));
    QVERIFY(!QFile::exists(printer.outputFileName()));
    // The window says so with Cancel alone, before any scan check.
    bool answered = false;
    testutil::answerNextModal([&answered](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        answered = box && box->objectName() == QLatin1String("dialog/encodingfaults") &&
                   box->buttons().size() == 1;
        if (box)
            box->reject();
    });
    QVERIFY(!ScanReportDialog::confirmRun(&doc, &printer, 0, 2));
    QVERIFY(answered);
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    TestScanVerify t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_scanverify.moc"
