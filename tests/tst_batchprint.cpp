#include "batchprint.h"
#include "cupstestserver.h"
#include "dialogs/driverpropertiesdialog.h"
#include "docbuilder.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/datetimeitem.h"
#include "labelitems/textitem.h"
#include "printcheck.h"
#include "printersettings_win.h"
#include "printdialoghandler.h"
#include "printhandler.h"
#include "scancheck.h"
#include "startup.h"
#include "testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A barcode item of the given symbology and data on a document, placed
// with a quiet zone around it.
BarcodeItem *addBarcode(Document &doc, int symbology, const QString &data, QPointF posMm,
                        QSizeF size)
{
    auto *item = new BarcodeItem(size);
    Barcode code;
    code.setSymbology(symbology);
    item->setBarcode(code);
    item->setConstantData(data);
    item->setPos(posMm * doc.labelGeometry().pixelsPerMm);
    doc.addItem(item);
    return item;
}

const QString Zebra = QStringLiteral("Zebra_ZPL");

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The program itself, started as a script would start it: no display, no
// platform chosen.
Run tagorix(const QStringList &arguments, const QStringList &environment = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const QString &setting : environment)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(env);
    p.setProgram(QDir(QStringLiteral(TAGORIX_BIN_DIR)).filePath(QStringLiteral("tagorix")));
    p.setArguments(arguments);
    p.start();
    Run run;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = p.exitCode();
    run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(p.readAllStandardError());
    return run;
}

QString describe(const Run &run)
{
    return QStringLiteral("exit %1, stderr: %2").arg(run.exitCode).arg(run.err);
}

} // namespace

class TestBatchPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void helpListsTheOptions();
    void usageErrors_data();
    void usageErrors();
    void jobFromTheCommandLine();
    void exportMatchesTheDialogPath();
    void refusedFiles_data();
    void refusedFiles();
    void printsOnTheNamedQueue();
    void waitTellsWhetherTheJobPrinted();
    void storedDriverChoicesAreUsed();
    void missingPrinterFallsBackToDefault();
    void textDoesNotFollowTheFontResolution_data();
    void textDoesNotFollowTheFontResolution();
    void pagesHaveTheStocksExactSize_data();
    void pagesHaveTheStocksExactSize();
    void noFontsIsAnError();
    void exportedBarcodesScan_data();
    void exportedBarcodesScan();
    void barcodeOnScreenAsWideAsPrinted();
    void barcodesScanFromTheZebraQueue();
    void verifyBeforePrinting();
    void offsetFromTheCommandLine();
    void printFaults();

private:
    QString path(const QString &name) const { return dir.filePath(name); }
    QString saved(Document &doc, const QString &name);

    CupsTestServer server;
    QTemporaryDir dir;
};

void TestBatchPrint::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY2(server.addZebraQueue(Zebra), qPrintable(server.errorString()));
    DriverPropertiesDialog::install();
    // These cases are of the print system's driver; the printer's own
    // language has tests of its own.
    testutil::setPrinterLanguage(Zebra, 2);
}

void TestBatchPrint::cleanupTestCase()
{
    testutil::setPrinterLanguage(Zebra, 0);
}

void TestBatchPrint::init()
{
    QVERIFY(server.waitForIdle());
    server.listener().clear();
}

QString TestBatchPrint::saved(Document &doc, const QString &name)
{
    const QString file = path(name);
    return printcheck::saveDocument(doc, file) ? file : QString();
}

void TestBatchPrint::helpListsTheOptions()
{
    const Run run = tagorix({QStringLiteral("--help")});
    QCOMPARE(run.exitCode, 0);
    for (const char *option :
         {"--print", "--export-pdf <OUT.pdf>", "--printer <NAME>", "--copies <N>", "--collate",
          "--range <FROM-TO>", "--wait", "--wait-timeout <SECONDS>", "--version",
          "Files to open, optionally."})
        QVERIFY2(run.out.contains(QLatin1String(option)), option);
}

void TestBatchPrint::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("no file") << QStringList{"--print"} << "no document file given";
    QTest::newRow("both modes") << QStringList{"--print", "--export-pdf", "a.pdf", "a.tx4l"}
                                << "--print and --export-pdf cannot be used together";
    QTest::newRow("export of two files") << QStringList{"--export-pdf", "a.pdf", "a.tx4l", "b.tx4l"}
                                         << "--export-pdf writes one document; 2 files were given";
    QTest::newRow("printer with export")
        << QStringList{"--export-pdf", "a.pdf", "--printer", "PDF", "a.tx4l"}
        << "--printer cannot be used with --export-pdf";
    QTest::newRow("copies 0") << QStringList{"--print", "--copies", "0", "a.tx4l"}
                              << "--copies needs a number from 1 to 9999, not \"0\"";
    QTest::newRow("copies not a number") << QStringList{"--print", "--copies", "two", "a.tx4l"}
                                         << "--copies needs a number from 1 to 9999, not \"two\"";
    QTest::newRow("range backwards") << QStringList{"--print", "--range", "5-2", "a.tx4l"}
                                     << "--range needs FROM-TO with 1 <= FROM <= TO, not \"5-2\"";
    QTest::newRow("range from 0") << QStringList{"--print", "--range", "0-2", "a.tx4l"}
                                  << "--range needs FROM-TO with 1 <= FROM <= TO, not \"0-2\"";
    QTest::newRow("range not numbers") << QStringList{"--print", "--range", "a-b", "a.tx4l"}
                                       << "--range needs FROM-TO with 1 <= FROM <= TO, not \"a-b\"";
    QTest::newRow("wait with export") << QStringList{"--export-pdf", "a.pdf", "--wait", "a.tx4l"}
                                      << "--wait is for --print; --export-pdf has written the "
                                         "file when it ends";
    QTest::newRow("wait time without wait")
        << QStringList{"--print", "--wait-timeout", "5", "a.tx4l"} << "--wait-timeout needs --wait";
    QTest::newRow("wait time 0")
        << QStringList{"--print", "--wait", "--wait-timeout", "0", "a.tx4l"}
        << "--wait-timeout needs a number of seconds from 1 to 86400, not \"0\"";
}

void TestBatchPrint::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QCommandLineParser parser;
    startup::setupCommandLine(parser);
    QVERIFY(parser.parse(QStringList{QStringLiteral("tagorix")} + arguments));
    QVERIFY(batchprint::requested(parser));
    QString out;
    QTextStream err(&out);
    QCOMPARE(batchprint::run(parser, err), batchprint::UsageError);
    QCOMPARE(out, QStringLiteral("tagorix: %1\n").arg(message));
}

void TestBatchPrint::jobFromTheCommandLine()
{
    QCommandLineParser parser;
    startup::setupCommandLine(parser);
    QVERIFY(parser.parse({"tagorix", "--print", "--printer", "Zebra_ZPL", "--copies", "3",
                          "--collate", "--range", "2-7", "a.tx4l", "b.tx4l"}));
    batchprint::Job job;
    QString error;
    QVERIFY2(batchprint::parseJob(parser, &job, &error), qPrintable(error));
    QVERIFY(!job.exportPdf);
    QCOMPARE(job.printer, Zebra);
    QCOMPARE(job.copies, 3);
    QVERIFY(job.collate);
    QCOMPARE(job.from, 2);
    QCOMPARE(job.to, 7);
    QCOMPARE(job.files, (QStringList{"a.tx4l", "b.tx4l"}));

    QCommandLineParser single;
    startup::setupCommandLine(single);
    QVERIFY(single.parse({"tagorix", "--export-pdf=out.pdf", "--range", "4", "a.tx4l"}));
    QVERIFY2(batchprint::parseJob(single, &job, &error), qPrintable(error));
    QVERIFY(job.exportPdf);
    QCOMPARE(job.output, QStringLiteral("out.pdf"));
    QCOMPARE(job.copies, 1);
    QVERIFY(!job.collate);
    QCOMPARE(job.from, 4);
    QCOMPARE(job.to, 4);

    QCommandLineParser none;
    startup::setupCommandLine(none);
    QVERIFY(none.parse({"tagorix", "a.tx4l"}));
    QVERIFY(!batchprint::requested(none));
    char name[] = "tagorix";
    char exportOption[] = "--export-pdf=x.pdf";
    char file[] = "a.tx4l";
    char *argv[] = {name, exportOption, file, nullptr};
    QVERIFY(startup::runsBatch(3, argv));
    QVERIFY(startup::runsWithoutWindow(3, argv));
    QVERIFY(!startup::runsBatch(1, argv));
}

void TestBatchPrint::exportMatchesTheDialogPath()
{
    auto doc = printcheck::makeDocument(5, docbuilder::makeTemplate(50, 30, 2));
    const QString file = saved(*doc, QStringLiteral("five.tx4l"));
    QVERIFY(!file.isEmpty());

    // The print action, answered with copies, a range and output to a file.
    const QString viaDialog = path(QStringLiteral("dialog.pdf"));
    QStringList problems;
    testutil::answerNextModal([&](QWidget *w) {
        auto *dialog = qobject_cast<QPrintDialog *>(w);
        if (!dialog) {
            problems << QStringLiteral("no print dialog");
            w->close();
            return;
        }
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->count() - 1);
        dialog->findChild<QLineEdit *>(QStringLiteral("filename"))->setText(viaDialog);
        dialog->findChild<QSpinBox *>(QStringLiteral("copies"))->setValue(3);
        dialog->findChild<QCheckBox *>(QStringLiteral("collate"))->setChecked(false);
        dialog->findChild<QRadioButton *>(QStringLiteral("printRange"))->setChecked(true);
        dialog->findChild<QSpinBox *>(QStringLiteral("from"))->setValue(2);
        dialog->findChild<QSpinBox *>(QStringLiteral("to"))->setValue(4);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    PrintDialogHandler handler;
    handler.printWithDialog(doc.get());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(';')));

    const QString viaBatch = path(QStringLiteral("batch.pdf"));
    const Run run =
        tagorix({QStringLiteral("--export-pdf"), viaBatch, QStringLiteral("--copies"),
                 QStringLiteral("3"), QStringLiteral("--range"), QStringLiteral("2-4"), file});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QVERIFY2(run.err.isEmpty() || !run.err.contains(QLatin1String("tagorix:")),
             qPrintable(run.err));

    const printcheck::Pdf a = printcheck::inspect(viaDialog);
    const printcheck::Pdf b = printcheck::inspect(viaBatch);
    QVERIFY2(a.ok(), qPrintable(a.error));
    QVERIFY2(b.ok(), qPrintable(b.error));
    // Three copies of labels 2..4, not collated, two to a row: 9 labels on 5 pages.
    QCOMPARE(
        b.rows(),
        (QList<QStringList>{
            {"LBL2", "LBL3"}, {"LBL4", "LBL2"}, {"LBL3", "LBL4"}, {"LBL2", "LBL3"}, {"LBL4"}}));
    QCOMPARE(b.rows(), a.rows());
    QCOMPARE(b.pages.size(), a.pages.size());
    for (int i = 0; i < a.pages.size(); ++i)
        QCOMPARE(b.pages.at(i).size, a.pages.at(i).size);
    const QSizeF page = b.pages.first().size;
    QVERIFY(qAbs(page.width() - 106 * printcheck::PointsPerMm) < 0.5);
    QVERIFY(qAbs(page.height() - 31.5 * printcheck::PointsPerMm) < 0.5);
}

void TestBatchPrint::refusedFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("written");

    QTest::newRow("missing file") << QStringList{"--print", "@dir/missing.tx4l"}
                                  << "@dir/missing.tx4l: cannot open the file" << false;
    QTest::newRow("missing file in export")
        << QStringList{"--export-pdf", "@dir/out.pdf", "@dir/missing.tx4l"}
        << "@dir/missing.tx4l: cannot open the file" << false;
    QTest::newRow("not a document") << QStringList{"--export-pdf", "@dir/out.pdf", "@dir/junk.tx4l"}
                                    << "@dir/junk.tx4l: not a label document" << false;
    QTest::newRow("no columns") << QStringList{"--export-pdf", "@dir/out.pdf",
                                               "@dir/nocolumns.tx4l"}
                                << "@dir/nocolumns.tx4l: The label stock has no columns." << false;
    QTest::newRow("unknown printer")
        << QStringList{"--print", "--printer", "Nope_Printer", "@dir/good.tx4l"}
        << "unknown printer \"Nope_Printer\"" << false;
    QTest::newRow("range past the labels")
        << QStringList{"--export-pdf", "@dir/out.pdf", "--range", "2-9", "@dir/good.tx4l"}
        << "@dir/good.tx4l: the range 2-9 reaches past the document's 3 labels" << false;
    QTest::newRow("unwritable output")
        << QStringList{"--export-pdf", "@dir/no/such/out.pdf", "@dir/good.tx4l"}
        << "@dir/good.tx4l: \"@dir/no/such/out.pdf\" cannot be written: the folder does not "
           "exist or is not writable."
        << false;
    // The good file is exported even when another one fails.
    QTest::newRow("one bad of two")
        << QStringList{"--print", "--printer", "Zebra_ZPL", "@dir/missing.tx4l", "@dir/good.tx4l"}
        << "@dir/missing.tx4l: cannot open the file" << true;
}

void TestBatchPrint::refusedFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QFETCH(bool, written);

    auto good = printcheck::makeDocument(3, docbuilder::makeTemplate(50, 30, 1));
    QVERIFY(!saved(*good, QStringLiteral("good.tx4l")).isEmpty());
    SizeTemplate flat = docbuilder::makeTemplate(50, 30, 2);
    flat.setValue(SizeTemplate::Columns, 0);
    auto noColumns = printcheck::makeDocument(2, flat);
    QVERIFY(!saved(*noColumns, QStringLiteral("nocolumns.tx4l")).isEmpty());
    QFile junk(path(QStringLiteral("junk.tx4l")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a label document\n");
    junk.close();
    QFile::remove(path(QStringLiteral("out.pdf")));

    for (QString &a : arguments)
        a.replace(QLatin1String("@dir"), dir.path());
    message.replace(QLatin1String("@dir"), dir.path());
    const Run run = tagorix(arguments);
    QVERIFY2(run.exitCode == batchprint::JobFailed, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(QStringLiteral("tagorix: ") + message), qPrintable(run.err));
    QVERIFY(!QFile::exists(path(QStringLiteral("out.pdf"))));
    if (written) {
        QVERIFY2(server.listener().waitForJobs(1), qPrintable(server.errorLog().right(2000)));
        QCOMPARE(printcheck::labelBlocks(server.listener().jobs().value(0)), 3);
    } else {
        QVERIFY(server.waitForIdle());
        QVERIFY(server.listener().jobs().isEmpty());
    }
}

void TestBatchPrint::printsOnTheNamedQueue()
{
    auto doc = printcheck::makeDocument(2, docbuilder::makeTemplate(50, 30, 1));
    const QString file = saved(*doc, QStringLiteral("two.tx4l"));
    const Run run = tagorix({QStringLiteral("--print"), QStringLiteral("--printer"), Zebra,
                             QStringLiteral("--copies"), QStringLiteral("2"), file});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QVERIFY2(server.listener().waitForJobs(1), qPrintable(server.errorLog().right(2000)));
    QCOMPARE(printcheck::labelBlocks(server.listener().jobs().value(0)), 4);
    QVERIFY(server.waitForIdle());
    QCOMPARE(server.listener().jobs().size(), 1);
}

// --wait: exit 0 only once the print system reports the job completed.
void TestBatchPrint::waitTellsWhetherTheJobPrinted()
{
    auto doc = printcheck::makeDocument(1, docbuilder::makeTemplate(50, 30, 1));
    const QString file = saved(*doc, QStringLiteral("waited.tx4l"));
    QElapsedTimer clock;
    clock.start();
    Run run = tagorix({QStringLiteral("--print"), QStringLiteral("--printer"), Zebra,
                       QStringLiteral("--wait"), file});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    // Completed means the printer has it.
    QCOMPARE(server.listener().jobs().size(), 1);
    QCOMPARE(printcheck::labelBlocks(server.listener().jobs().value(0)), 1);

    // A device nobody answers at: the job is handed over, but never printed.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    const QString unreachable = QStringLiteral("Zebra_Unreachable");
    QVERIFY2(server.addQueue(unreachable, QStringLiteral("socket://127.0.0.1:%1").arg(closedPort),
                             QStringLiteral("drv:///sample.drv/zebra.ppd")),
             qPrintable(server.errorString()));
    clock.restart();
    run = tagorix({QStringLiteral("--print"), QStringLiteral("--printer"), unreachable,
                   QStringLiteral("--wait"), QStringLiteral("--wait-timeout"), QStringLiteral("5"),
                   file});
    const qint64 took = clock.elapsed();
    server.runTool(QStringLiteral("cancel"), {QStringLiteral("-a"), unreachable});
    QVERIFY(server.removeQueue(unreachable));
    QCOMPARE(run.exitCode, int(batchprint::JobFailed));
    QVERIFY2(QRegularExpression(QStringLiteral("(^|\n)tagorix: .*waited\\.tx4l: (job \\d+ on "
                                               "\"Zebra_Unreachable\" was not printed within 5 s|"
                                               "the printer \"Zebra_Unreachable\" stopped before "
                                               "job \\d+ was printed).*; the job stays in the "
                                               "queue\n$"))
                 .match(run.err)
                 .hasMatch(),
             qPrintable(run.err));
    QVERIFY2(took < 20000, qPrintable(QString::number(took)));
    QVERIFY(server.waitForIdle());
}

void TestBatchPrint::storedDriverChoicesAreUsed()
{
    auto *settings = new PrinterSettingsWin(Zebra);
    testutil::answerNextModal([](QWidget *w) {
        auto *combo = w->findChild<QComboBox *>(QStringLiteral("Darkness"));
        if (combo)
            combo->setCurrentIndex(combo->findData(QStringLiteral("20")));
        w->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    settings->showDriverDialog();
    QCOMPARE(settings->mode(), int(PrinterSettingsWin::USER));
    auto doc = printcheck::makeDocument(1, docbuilder::makeTemplate(50, 30, 1));
    doc->setPrinterSettings(settings);
    const QString file = saved(*doc, QStringLiteral("dark.tx4l"));

    const Run run = tagorix({QStringLiteral("--print"), file});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QVERIFY2(server.listener().waitForJobs(1), qPrintable(server.errorLog().right(2000)));
    QVERIFY(server.listener().jobs().value(0).contains("~SD20"));
}

void TestBatchPrint::missingPrinterFallsBackToDefault()
{
    const QString gone = QStringLiteral("Gone_Printer");
    QVERIFY2(server.addZebraQueue(gone), qPrintable(server.errorString()));
    auto doc = printcheck::makeDocument(2, docbuilder::makeTemplate(50, 30, 1));
    doc->setPrinterSettings(new PrinterSettingsWin(gone));
    const QString file = saved(*doc, QStringLiteral("gone.tx4l"));
    QVERIFY(server.removeQueue(gone));
    QVERIFY2(server.runTool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), Zebra}),
             qPrintable(server.errorString()));

    const Run run = tagorix({QStringLiteral("--print"), file});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(QStringLiteral("the printer \"Gone_Printer\" is not installed; "
                                             "printing on the default printer \"Zebra_ZPL\"")),
             qPrintable(run.err));
    QVERIFY2(server.listener().waitForJobs(1), qPrintable(server.errorLog().right(2000)));
    QCOMPARE(printcheck::labelBlocks(server.listener().jobs().value(0)), 2);
}

void TestBatchPrint::exportedBarcodesScan_data()
{
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("scanned");
    // zbarimg unless named: a ZXingReader format, or "dmtx".
    QTest::addColumn<QString>("decoder");

    QTest::newRow("Codabar") << int(Barcode::Codabar) << "A40156B" << "A40156B" << QString();
    QTest::newRow("Code 128") << int(Barcode::Code128) << "TX-0042/b" << "TX-0042/b" << QString();
    QTest::newRow("Code 2 of 5") << int(Barcode::Code2of5) << "12345670" << "12345670" << QString();
    QTest::newRow("Code 39") << int(Barcode::Code39) << "TAGORIX 39" << "TAGORIX 39" << QString();
    QTest::newRow("EAN-13") << int(Barcode::Ean) << "590123412345" << "5901234123457" << QString();
    QTest::newRow("EAN-8") << int(Barcode::Ean) << "9638507" << "96385074" << QString();
    QTest::newRow("QR code") << int(Barcode::QrCode) << "https://tagorix.example/l?n=0042"
                             << "https://tagorix.example/l?n=0042" << QString();
    QTest::newRow("UPC-A") << int(Barcode::UpcA) << "72527273070" << "725272730706" << QString();
    QTest::newRow("ITF-14") << int(Barcode::Itf14) << "1540014128876" << "15400141288763"
                            << QString();
    QTest::newRow("MaxiCode") << int(Barcode::MaxiCode) << "TAGORIX MAXICODE 42"
                              << "TAGORIX MAXICODE 42" << "MaxiCode";
    QTest::newRow("PDF417") << int(Barcode::Pdf417) << "Tagorix PDF417 0042"
                            << "Tagorix PDF417 0042" << "PDF417";
    QTest::newRow("GS1-128") << int(Barcode::Gs1_128) << "(01)09501101530003(17)261231(10)AB-123"
                             << "01095011015300031726123110AB-123" << "Code128";
    QTest::newRow("SSCC-18") << int(Barcode::Sscc18) << "37612345000001234"
                             << "00376123450000012347" << "Code128";
    QTest::newRow("Data Matrix") << int(Barcode::DataMatrix) << "Tagorix DM 0042"
                                 << "Tagorix DM 0042" << "dmtx";
    QTest::newRow("GS1 DataMatrix") << int(Barcode::Gs1DataMatrix)
                                    << "(01)09501101530003(17)261231(10)AB-123"
                                    << "01095011015300031726123110AB-123" << "DataMatrix";
    QTest::newRow("GS1 QR code") << int(Barcode::Gs1QrCode) << "[01]09501101530003[10]LOT7"
                                 << "010950110153000310LOT7" << "QRCode";
    QTest::newRow("Aztec") << int(Barcode::Aztec) << "Tagorix Aztec 0042" << "Tagorix Aztec 0042"
                           << "Aztec";
    QTest::newRow("GS1 DataBar Expanded")
        << int(Barcode::Gs1DataBarExpanded) << "(01)09501101530003(3103)000123"
        << "01095011015300033103000123" << "DataBarExpanded";
    QTest::newRow("Code 93") << int(Barcode::Code93) << "TAGORIX-93" << "TAGORIX-93" << "Code93";
    QTest::newRow("UPC-E") << int(Barcode::UpcE) << "0123456" << "01234565" << QString();
}

// What --export-pdf writes scans, at a label printer's resolution and at a
// finer one, with the size a click of the barcode tool gives.
void TestBatchPrint::exportedBarcodesScan()
{
    QFETCH(int, symbology);
    QFETCH(QString, data);
    QFETCH(QString, scanned);
    QFETCH(QString, decoder);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addBarcode(doc, symbology, data, QPointF(6, 4), doc.defaultBarcodeSize());
    const QString name = QStringLiteral("code-%1").arg(QTest::currentDataTag()).replace(' ', '-');
    const QString file = saved(doc, name + QStringLiteral(".tx4l"));
    const QString pdf = path(name + QStringLiteral(".pdf"));
    const Run run = tagorix({QStringLiteral("--export-pdf"), pdf, file});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    // The codes zbar reads also from a finer, anti-aliased rendering.
    const QList<int> resolutions = decoder.isEmpty() ? QList<int>{203, 300} : QList<int>{203};
    for (int dpi : resolutions) {
        QString error;
        // At a label printer's resolution as it prints: without anti-aliasing.
        const QList<QImage> pages = scancheck::renderPdf(pdf, dpi, &error, dpi != 203);
        QVERIFY2(pages.size() == 1, qPrintable(error));
        QStringList found;
        if (symbology == Barcode::Code2of5)
            found = QStringList{scancheck::decodeMatrix2of5(pages.first())};
        else if (decoder == QLatin1String("dmtx"))
            found = scancheck::dmtxDecode(pages.first(), &error);
        else if (!decoder.isEmpty())
            found = scancheck::zxingDecode(pages.first(), decoder, &error);
        else
            found = scancheck::zbarDecode(pages.first(), &error);
        QVERIFY2(found == QStringList{scanned},
                 qPrintable(QStringLiteral("%1 dpi: %2 %3").arg(dpi).arg(found.join('|'), error)));
    }
}

// What you see is what prints: the item drawn for the screen, at any zoom,
// has the symbol width the exported label has (modules on the same dots).
void TestBatchPrint::barcodeOnScreenAsWideAsPrinted()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    BarcodeItem *item = addBarcode(doc, Barcode::Code128, QStringLiteral("WYSIWYG-0042"),
                                   QPointF(6, 4), QSizeF(41, 12) * doc.labelGeometry().pixelsPerMm);
    const QString file = saved(doc, QStringLiteral("wysiwyg.tx4l"));
    const QString pdf = path(QStringLiteral("wysiwyg.pdf"));
    const Run run = tagorix({QStringLiteral("--export-pdf"), pdf, file});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QString error;
    const QList<QImage> pages = scancheck::renderPdf(pdf, 203, &error, false);
    QVERIFY2(pages.size() == 1, qPrintable(error));
    const double printedMm = scancheck::inkBox(pages.first()).width() * 25.4 / 203;

    const double ppm = doc.labelGeometry().pixelsPerMm;
    for (double zoom : {1.0, 2.5, 4.0}) {
        QImage screen((item->size() * zoom).toSize() + QSize(4, 4), QImage::Format_RGB32);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        painter.scale(zoom, zoom);
        QStyleOptionGraphicsItem option;
        item->paint(&painter, &option, nullptr);
        painter.end();
        const double shownMm = scancheck::inkBox(screen).width() / zoom / ppm;
        // Within a dot of the printer and a pixel of the screen.
        QVERIFY2(qAbs(shownMm - printedMm) < 25.4 / 203 + 1 / (zoom * ppm),
                 qPrintable(QStringLiteral("zoom %1: %2 mm on screen, %3 mm printed")
                                .arg(zoom)
                                .arg(shownMm)
                                .arg(printedMm)));
        QVERIFY(shownMm < 41 - 1);
    }
}

// The graphic the Zebra driver sends to the printer holds codes that scan.
void TestBatchPrint::barcodesScanFromTheZebraQueue()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 40));
    const QSizeF size = doc.defaultBarcodeSize();
    addBarcode(doc, Barcode::Code128, QStringLiteral("ZPL-128-77"), QPointF(6, 3), size);
    addBarcode(doc, Barcode::QrCode, QStringLiteral("ZEBRA QR 0042"), QPointF(6, 24),
               QSizeF(size.width(), size.height() * 0.7));
    const QString file = saved(doc, QStringLiteral("zebra-codes.tx4l"));
    const Run run = tagorix({QStringLiteral("--print"), QStringLiteral("--printer"), Zebra, file});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QVERIFY2(server.listener().waitForJobs(1), qPrintable(server.errorLog().right(2000)));
    const QList<QImage> graphics = scancheck::zplGraphics(server.listener().jobs().value(0));
    QCOMPARE(graphics.size(), 1);
    QString error;
    QStringList found = scancheck::zbarDecode(graphics.first(), &error);
    found.sort();
    QCOMPARE(found, QStringList({"ZEBRA QR 0042", "ZPL-128-77"}));
}

// --verify prints only what scans; --verify-only sends nothing.
void TestBatchPrint::verifyBeforePrinting()
{
    Document good;
    good.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addBarcode(good, Barcode::Code128, QStringLiteral("VERIFY-OK-1"), QPointF(6, 4),
               good.defaultBarcodeSize());
    const QString goodFile = saved(good, QStringLiteral("verify-good.tx4l"));

    // Half a 203-dpi dot per module: no printer here draws that.
    Barcode tiny;
    tiny.setSymbology(Barcode::Code128);
    tiny.setData(QStringLiteral("TOO-SMALL-FOR-203-DPI"));
    const double widthMm = tiny.moduleSize().width() * 0.5 * 25.4 / 203;
    Document bad;
    bad.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addBarcode(bad, Barcode::Code128, tiny.data(), QPointF(6, 4),
               QSizeF(widthMm, 10) * bad.labelGeometry().pixelsPerMm);
    const QString badFile = saved(bad, QStringLiteral("verify-bad.tx4l"));

    const QString goodPdf = path(QStringLiteral("verify-good.pdf"));
    Run run = tagorix({QStringLiteral("--verify"), QStringLiteral("--export-pdf"), goodPdf, goodFile});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QVERIFY(QFile::exists(goodPdf));

    const QString badPdf = path(QStringLiteral("verify-bad.pdf"));
    run = tagorix({QStringLiteral("--verify"), QStringLiteral("--export-pdf"), badPdf, badFile});
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains(QStringLiteral("label 1, Code 128 at 6.0, 4.0 mm: expected "
                                             "\"TOO-SMALL-FOR-203-DPI\"")),
             qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("nothing was printed")));
    QVERIFY(!QFile::exists(badPdf));

    for (const QString &file : {goodFile, badFile}) {
        run = tagorix({QStringLiteral("--verify-only"), QStringLiteral("--printer"), Zebra, file});
        QVERIFY2(run.exitCode == (file == goodFile ? 0 : 3), qPrintable(describe(run)));
    }
    // What was checked, and a clause on unchecked codes only when there are some.
    run = tagorix({QStringLiteral("--verify-only"), QStringLiteral("--printer"), Zebra, goodFile});
    // Qt may say something of its own on the lines before.
    const auto lastLine = [](const Run &r) {
        const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return lines.isEmpty() ? QString() : lines.last();
    };
    QCOMPARE(lastLine(run),
             QStringLiteral("tagorix: %1: barcodes that scan at 203 dpi: 1").arg(goodFile));
    QVERIFY2(!run.err.contains(QLatin1String("not checked")), qPrintable(run.err));
    addBarcode(good, Barcode::Code2of5, QStringLiteral("12345670"), QPointF(30, 4),
               QSizeF(40, 12) * good.labelGeometry().pixelsPerMm);
    const QString mixedFile = saved(good, QStringLiteral("verify-mixed.tx4l"));
    run = tagorix({QStringLiteral("--verify-only"), QStringLiteral("--printer"), Zebra, mixedFile});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QCOMPARE(lastLine(run), QStringLiteral("tagorix: %1: barcodes that scan at 203 dpi: 1; "
                                           "barcodes not checked, of symbologies the decoder "
                                           "does not read: 1")
                                .arg(mixedFile));
    run = tagorix({QStringLiteral("--verify"), QStringLiteral("--print"), QStringLiteral("--printer"),
                   Zebra, badFile});
    QCOMPARE(run.exitCode, 3);
    QVERIFY(server.waitForIdle());
    QVERIFY(server.listener().jobs().isEmpty());
}

// --offset moves every item of the exported run by exactly that much.
void TestBatchPrint::offsetFromTheCommandLine()
{
    // Words well inside the label, so that moving them up clips nothing.
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(50, 30, 1));
    const double ppm = doc.labelGeometry().pixelsPerMm;
    docbuilder::addText(doc, QPointF(8, 8) * ppm, QSizeF(30, 8) * ppm, QStringLiteral("NORTH"));
    docbuilder::addText(doc, QPointF(8, 18) * ppm, QSizeF(30, 8) * ppm, QStringLiteral("SOUTH"));
    const QString file = saved(doc, QStringLiteral("offset.tx4l"));
    QList<printcheck::Word> words[2];
    for (int moved = 0; moved < 2; ++moved) {
        const QString pdf = path(QStringLiteral("offset-%1.pdf").arg(moved));
        QStringList arguments{QStringLiteral("--export-pdf"), pdf, file};
        if (moved)
            arguments.prepend(QStringLiteral("--offset=2,-1.5"));
        const Run run = tagorix(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        const printcheck::Pdf out = printcheck::inspect(pdf);
        QVERIFY2(out.ok() && out.pages.size() == 1, qPrintable(out.error));
        words[moved] = out.pages.first().words;
    }
    QCOMPARE(words[1].size(), 2);
    QCOMPARE(words[0].size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(words[1][i].text, words[0][i].text);
        QVERIFY(qAbs(words[1][i].xMin - words[0][i].xMin - 2.0 * printcheck::PointsPerMm) < 0.05);
        QVERIFY(qAbs(words[1][i].yMin - words[0][i].yMin + 1.5 * printcheck::PointsPerMm) < 0.05);
    }
    const Run wrong = tagorix({QStringLiteral("--offset=12,0"), QStringLiteral("--export-pdf"),
                               path(QStringLiteral("x.pdf")), file});
    QCOMPARE(wrong.exitCode, 1);
    QVERIFY(wrong.err.contains(QStringLiteral("--offset needs X,Y in millimetres from -10 to 10")));
}

// Each print fault ends with its message and a non-zero exit code, and
// nothing reaches the printer.
void TestBatchPrint::printFaults()
{
    auto doc = printcheck::makeDocument(1, docbuilder::makeTemplate(50, 30, 1));
    const QString file = saved(*doc, QStringLiteral("faults.tx4l"));
    const QStringList print{QStringLiteral("--print"), QStringLiteral("--printer"), Zebra, file};
    const struct
    {
        const char *stop;
        const char *restart;
        const char *message;
    } queueFaults[] = {{"cupsdisable", "cupsenable", "is stopped; nothing was sent"},
                       {"cupsreject", "cupsaccept", "does not accept jobs; nothing was sent"}};
    for (const auto &fault : queueFaults) {
        QVERIFY(server.runTool(QString::fromLatin1(fault.stop), {Zebra}));
        const Run run = tagorix(print);
        QVERIFY(server.runTool(QString::fromLatin1(fault.restart), {Zebra}));
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QString::fromLatin1(fault.message)), qPrintable(run.err));
    }
    // No scheduler at the address the print system is told to use.
    const Run down = tagorix(print, {QStringLiteral("CUPS_SERVER=127.0.0.1:1")});
    QCOMPARE(down.exitCode, 2);
    QVERIFY2(down.err.contains(QStringLiteral("The print system is not running")),
             qPrintable(down.err));
    const Run folder = tagorix({QStringLiteral("--export-pdf"),
                                QStringLiteral("/proc/no-such-folder/out.pdf"), file});
    QCOMPARE(folder.exitCode, 2);
    QVERIFY2(folder.err.contains(QStringLiteral("cannot be written")), qPrintable(folder.err));
    QVERIFY(server.waitForIdle());
    QVERIFY(server.listener().jobs().isEmpty());
}

QTEST_MAIN(TestBatchPrint)
#include "tst_batchprint.moc"

void TestBatchPrint::textDoesNotFollowTheFontResolution_data()
{
    QTest::addColumn<QString>("dpi");
    QTest::newRow("72") << "72";
    QTest::newRow("96") << "96";
    QTest::newRow("144") << "144";
}

void TestBatchPrint::textDoesNotFollowTheFontResolution()
{
    QFETCH(QString, dpi);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    TextItem *t = docbuilder::addText(doc, QPointF(30, 40), QSizeF(600, 200),
                                      QStringLiteral("WIDTHCHECK"));
    t->setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    auto *date = new DateTimeItem(QSizeF(600, 120));
    date->setPos(30, 220);
    date->setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    date->setValue(QDateTime(QDate(2026, 12, 8), QTime(9, 30)), QStringLiteral("yyyy-MM-dd"), false);
    doc.addItem(date);
    addBarcode(doc, Barcode::Code128, QStringLiteral("CAP-128"), QPointF(60, 5), QSizeF(200, 120));
    const QString file = saved(doc, QStringLiteral("widthcheck-%1.tx4l").arg(dpi));
    const QString pdf = path(QStringLiteral("widthcheck-%1.pdf").arg(dpi));
    const Run run = tagorix({QStringLiteral("--export-pdf"), pdf, file},
                            {QStringLiteral("QT_FONT_DPI=") + dpi});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    const printcheck::Pdf out = printcheck::inspect(pdf);
    QVERIFY2(out.ok(), qPrintable(out.error));
    QCOMPARE(out.pages.size(), 1);
    QCOMPARE(out.pages.first().words.size(), 3);
    // Where a 96-dpi screen puts the words; the same on every machine.
    const struct
    {
        QString text;
        double box[4];
    } expected[] = {{QStringLiteral("WIDTHCHECK"), {18.77, 17.31, 90.02, 29.42}},
                    {QStringLiteral("2026-12-08"), {18.77, 86.44, 61.27, 94.96}},
                    {QStringLiteral("CAP-128"), {190.04, 48.08, 201.53, 54.22}}};
    for (const auto &e : expected) {
        const auto it = std::find_if(out.pages.first().words.cbegin(), out.pages.first().words.cend(),
                                     [&](const printcheck::Word &w) { return w.text == e.text; });
        QVERIFY2(it != out.pages.first().words.cend(), qPrintable(e.text));
        const double got[] = {it->xMin, it->yMin, it->xMax, it->yMax};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(qAbs(got[i] - e.box[i]) < 0.1,
                     qPrintable(QStringLiteral("%1 box %2 %3 %4 %5")
                                    .arg(e.text)
                                    .arg(got[0])
                                    .arg(got[1])
                                    .arg(got[2])
                                    .arg(got[3])));
    }
}

void TestBatchPrint::pagesHaveTheStocksExactSize_data()
{
    QTest::addColumn<SizeTemplate>("stock");
    QTest::addColumn<bool>("batch");
    QTest::addColumn<int>("labels");
    const SizeTemplate twoAcross = docbuilder::makeTemplate(50, 30, 2);
    const SizeTemplate small = docbuilder::makeTemplate(57, 32, 1);
    QTest::newRow("two across, batch") << twoAcross << true << 3;
    QTest::newRow("two across, print path") << twoAcross << false << 3;
    QTest::newRow("57 x 32, batch") << small << true << 3;
    QTest::newRow("57 x 32, print path") << small << false << 3;
    // A file larger than the window the page boxes are patched through.
    QTest::newRow("1,500 labels") << small << false << 1500;
}

void TestBatchPrint::pagesHaveTheStocksExactSize()
{
    QFETCH(SizeTemplate, stock);
    QFETCH(bool, batch);
    QFETCH(int, labels);
    auto doc = printcheck::makeDocument(labels, stock);
    const QString pdf = path(QStringLiteral("exact.pdf"));
    QFile::remove(pdf);
    if (batch) {
        const QString file = saved(*doc, QStringLiteral("exact.tx4l"));
        // With the start-up hook the benches read: one line, for the first label only.
        const Run run = tagorix({QStringLiteral("--export-pdf"), pdf, file},
                                {QStringLiteral("TAGORIX_STARTUP_TRACE=1")});
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QCOMPARE(run.err.count(QStringLiteral("tagorix: first label drawn\n")), 1);
    } else {
        PrintHandler handler;
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        handler.setupPrinter(&printer, doc.get());
        QVERIFY(handler.printDocument(&printer, doc.get()));
    }
    const printcheck::Pdf out = printcheck::inspect(pdf);
    QVERIFY2(out.ok(), qPrintable(out.error));
    QCOMPARE(out.pages.size(), labels / stock.columns() + (labels % stock.columns() ? 1 : 0));
    if (labels > 3)
        QVERIFY(QFileInfo(pdf).size() > 1 << 20);
    const QSizeF mm(stock.linerWidth(), stock.labelHeight() + stock.rowSpacing() / 2);
    for (const printcheck::Page &page : out.pages) {
        QVERIFY2(qAbs(page.size.width() - mm.width() * printcheck::PointsPerMm) < 0.01 &&
                     qAbs(page.size.height() - mm.height() * printcheck::PointsPerMm) < 0.01,
                 qPrintable(QStringLiteral("%1 x %2 pt").arg(page.size.width()).arg(page.size.height())));
    }
    // The first label's text sits in the first cell, right of the left margin.
    const double left = stock.marginLeft() * printcheck::PointsPerMm;
    QVERIFY(out.pages.first().words.first().xMin > left);
}

void TestBatchPrint::noFontsIsAnError()
{
    auto doc = printcheck::makeDocument(1, docbuilder::makeTemplate(50, 30));
    const QString file = saved(*doc, QStringLiteral("nofonts.tx4l"));
    const QString pdf = path(QStringLiteral("nofonts.pdf"));
    QFile::remove(pdf);
    const Run run = tagorix({QStringLiteral("--export-pdf"), pdf, file},
                            {QStringLiteral("QT_QPA_PLATFORM=minimal")});
    QVERIFY2(run.exitCode != 0, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(QLatin1String("no fonts")), qPrintable(run.err));
    QVERIFY(!QFile::exists(pdf));
}

