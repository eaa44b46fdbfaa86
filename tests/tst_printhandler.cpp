#include "cupstestserver.h"
#include "dialogs/driverpropertiesdialog.h"
#include "dialogs/printercalibrationdialog.h"
#include "docbuilder.h"
#include "document.h"
#include "labelgrid.h"
#include "labelitems/baseitem.h"
#include "labelitems/pixmapitem.h"
#include "mainwindow.h"
#include "printcheck.h"
#include "printersettings_win.h"
#include "printertestutil.h"
#include "printcalibration.h"
#include "printlanguage.h"
#include "printdialoghandler.h"
#include "printhandler.h"
#include "scancheck.h"
#include "testutil.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using printcheck::PointsPerMm;

namespace {

const QString Zebra = QStringLiteral("Zebra_ZPL");
const QString Pdf = QStringLiteral("PDF");

using Rows = QList<QStringList>;

// Every message of the handler's own code (the engine and the window's print
// flow) while the object lives.
class MessageLog
{
public:
    MessageLog()
    {
        current = this;
        previous = qInstallMessageHandler(&MessageLog::handle);
    }
    ~MessageLog()
    {
        qInstallMessageHandler(previous);
        current = nullptr;
    }
    QStringList warnings;
    QStringList debug;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        const QByteArray file(context.file);
        if (current && (file == "src/print/printhandler.cpp" ||
                        file == "src/ui/printdialoghandler.cpp")) {
            if (type == QtWarningMsg)
                current->warnings << text;
            else if (type == QtDebugMsg)
                current->debug << text;
        }
        previous(type, context, text);
    }
    static MessageLog *current;
    static QtMessageHandler previous;
};
MessageLog *MessageLog::current = nullptr;
QtMessageHandler MessageLog::previous = nullptr;

struct JobSetup
{
    int copies = 1;
    bool collate = false;
    int from = 0;
    int to = 0;
};

// A PDF printer set up for the document as the print action sets one up.
std::unique_ptr<QPrinter> pdfPrinter(PrintHandler &handler, Document *doc, const QString &file,
                                     const JobSetup &job)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    handler.setupPrinter(printer.get(), doc);
    if (job.from)
        printer->setFromTo(job.from, job.to);
    printer->setCopyCount(job.copies);
    printer->setCollateCopies(job.collate);
    return printer;
}

// Answers the print dialog that opens next: copies, collation and range as
// given, output to `pdfFile` when not empty, then OK. `more` runs before OK.
void answerPrintDialog(const JobSetup &job, const QString &pdfFile, QStringList *problems,
                       std::function<void()> more = {})
{
    testutil::answerNextModal([=](QWidget *w) {
        auto *dialog = qobject_cast<QPrintDialog *>(w);
        if (!dialog) {
            *problems << QStringLiteral("the modal widget is not the print dialog");
            w->close();
            return;
        }
        if (!pdfFile.isEmpty()) {
            auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
            printers->setCurrentIndex(printers->count() - 1);
            dialog->findChild<QLineEdit *>(QStringLiteral("filename"))->setText(pdfFile);
        }
        dialog->findChild<QSpinBox *>(QStringLiteral("copies"))->setValue(job.copies);
        dialog->findChild<QCheckBox *>(QStringLiteral("collate"))->setChecked(job.collate);
        if (job.from) {
            dialog->findChild<QRadioButton *>(QStringLiteral("printRange"))->setChecked(true);
            dialog->findChild<QSpinBox *>(QStringLiteral("from"))->setValue(job.from);
            dialog->findChild<QSpinBox *>(QStringLiteral("to"))->setValue(job.to);
        }
        if (more)
            more();
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
}

// Two labels of 50 × 30 mm side by side, 2 mm apart, on a 106 mm liner.
SizeTemplate twoColumns()
{
    return docbuilder::makeTemplate(50, 30, 2);
}

} // namespace

class TestPrintHandler : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void grid_data();
    void grid();
    void layout_data();
    void layout();
    void pageIsOneRowOfLabels_data();
    void pageIsOneRowOfLabels();
    void debugLineNamesTheRange();
    void currentLabelAndPrintModeRestored();
    void refusedLayouts_data();
    void refusedLayouts();
    void refusedLayoutIsShownToTheUser();
    void failureWarnings();

    void zebraGetsOneBlockPerRow();
    void dialogCopiesArePlacedByTheProgram();
    void driverChoicesReachThePrinter();
    void changedDriverFallsBackToDefaults();
    void missingPrinterPrintsOnDefault();
    void calibrationMovesThePrint();
    void removedPrinterIsAFault();
    void calibrationDialog();
    void calibrationLabelIsAOneLabelJob();
    void dialogToFileMatchesDirectPrint();
    void progressDialogCancels();
    void printActionOfTheWindow();
    void typedPagesAreLabels_data();
    void typedPagesAreLabels();

private:
    QString outFile(const QString &name) const { return dir.filePath(name); }
    QByteArray printOnZebra(Document *doc, const JobSetup &job = {});

    CupsTestServer server;
    QTemporaryDir dir;
};

void TestPrintHandler::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY2(server.addZebraQueue(Zebra), qPrintable(server.errorString()));
    QVERIFY2(server.addPdfQueue(Pdf), qPrintable(server.errorString()));
    DriverPropertiesDialog::install();
    // These cases are of the print system's driver; the printer's own
    // language has tests of its own.
    testutil::setPrinterLanguage(Zebra, 2);
}

void TestPrintHandler::cleanupTestCase()
{
    testutil::setPrinterLanguage(Zebra, 0);
}

void TestPrintHandler::init()
{
    QVERIFY(server.waitForIdle());
    server.listener().clear();
}

// The stream the Zebra queue's listener receives for a job of the document
// through the print dialog.
QByteArray TestPrintHandler::printOnZebra(Document *doc, const JobSetup &job)
{
    PrintDialogHandler handler;
    QStringList problems;
    answerPrintDialog(job, QString(), &problems);
    handler.printWithDialog(doc);
    if (!problems.isEmpty()) {
        qWarning() << problems;
        return QByteArray();
    }
    if (!server.listener().waitForJobs(1)) {
        qWarning() << server.errorLog().right(3000);
        return QByteArray();
    }
    return server.listener().jobs().value(0);
}

void TestPrintHandler::grid_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("cellWidth");
    QTest::addColumn<QList<QPointF>>("positions");
    QTest::addColumn<QList<QPointF>>("withRowOffset");

    // Area 300 × 100; row spacing 10.
    QTest::newRow("one column") << 1 << 5.0 << 0.0 << 0.0 << 300.0
                                << QList<QPointF>{{0, 0}, {0, 0}, {0, 0}}
                                << QList<QPointF>{{0, 0}, {0, 110}, {0, 220}};
    QTest::newRow("three columns, gaps and margins")
        << 3 << 15.0 << 20.0 << 10.0 << 80.0
        << QList<QPointF>{{20, 0}, {115, 0}, {210, 0}, {20, 0}, {115, 0}}
        << QList<QPointF>{{20, 0}, {115, 0}, {210, 0}, {20, 110}, {115, 110}};
}

void TestPrintHandler::grid()
{
    QFETCH(int, columns);
    QFETCH(double, spacing);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, cellWidth);
    QFETCH(QList<QPointF>, positions);
    QFETCH(QList<QPointF>, withRowOffset);

    LabelGrid a(QRectF(0, 0, 300, 100), columns, spacing, 10, left, right);
    QVERIFY(a.isValid());
    QCOMPARE(a.cell(), QRectF(0, 0, cellWidth, 100));
    for (int i = 0; i < positions.size(); ++i) {
        QCOMPARE(a.currentRow(), i / columns);
        QCOMPARE(a.nextPosition(), positions.at(i));
    }
    LabelGrid b(QRectF(0, 0, 300, 100), columns, spacing, 10, left, right);
    for (const QPointF &p : withRowOffset)
        QCOMPARE(b.nextPositionWithRowOffset(), p);

    // Nothing to divide into: no cell, and no division by zero.
    QVERIFY(!LabelGrid(QRectF(0, 0, 300, 100), 0, spacing, 10, left, right).isValid());
    QVERIFY(!LabelGrid(QRectF(0, 0, 300, 100), columns, 400, 10, left, right).isValid() ||
            columns == 1);
    LabelGrid none(QRectF(0, 0, 300, 100), 0, 0, 0, 0, 0);
    QCOMPARE(none.nextPosition(), QPointF());
}

void TestPrintHandler::layout_data()
{
    QTest::addColumn<int>("labels");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<Rows>("rows");

    QTest::newRow("3 labels, 2 columns: no third page")
        << 3 << 2 << 1 << false << 0 << 0 << Rows{{"LBL1", "LBL2"}, {"LBL3"}};
    QTest::newRow("2 copies collated")
        << 2 << 2 << 2 << true << 0 << 0 << Rows{{"LBL1", "LBL1"}, {"LBL2", "LBL2"}};
    QTest::newRow("2 copies not collated")
        << 2 << 2 << 2 << false << 0 << 0 << Rows{{"LBL1", "LBL2"}, {"LBL1", "LBL2"}};
    // Copies fill rows; they never repeat whole pages.
    QTest::newRow("3 copies collated run across rows")
        << 2 << 2 << 3 << true << 0 << 0
        << Rows{{"LBL1", "LBL1"}, {"LBL1", "LBL2"}, {"LBL2", "LBL2"}};
    QTest::newRow("3 copies not collated")
        << 2 << 2 << 3 << false << 0 << 0
        << Rows{{"LBL1", "LBL2"}, {"LBL1", "LBL2"}, {"LBL1", "LBL2"}};
    QTest::newRow("range 2..3 of 4, one column")
        << 4 << 1 << 1 << false << 2 << 3 << Rows{{"LBL2"}, {"LBL3"}};
    QTest::newRow("range past the labels is cut")
        << 3 << 1 << 1 << false << 2 << 9 << Rows{{"LBL2"}, {"LBL3"}};
    QTest::newRow("collate with one copy is plain order")
        << 3 << 3 << 1 << true << 0 << 0 << Rows{{"LBL1", "LBL2", "LBL3"}};
    // The painter opens and closes: one empty page, nothing drawn.
    QTest::newRow("0 copies") << 3 << 2 << 0 << false << 0 << 0 << Rows{{}};
}

void TestPrintHandler::layout()
{
    QFETCH(int, labels);
    QFETCH(int, columns);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(Rows, rows);

    const SizeTemplate stock = docbuilder::makeTemplate(50, 30, columns);
    auto doc = printcheck::makeDocument(labels, stock);
    PrintHandler handler;
    const QString file = outFile(QStringLiteral("layout.pdf"));
    auto printer = pdfPrinter(handler, doc.get(), file, {copies, collate, from, to});
    QVERIFY(handler.printDocument(printer.get(), doc.get()));
    // The copy count the job had is given back.
    QCOMPARE(printer->copyCount(), copies);

    const printcheck::Pdf pdf = printcheck::inspect(file);
    QVERIFY2(pdf.ok(), qPrintable(pdf.error));
    QCOMPARE(pdf.rows(), rows);
    // Cells sit where the stock puts its labels: left margin, then label
    // width plus column gap per column (the page margins hold the left one).
    for (const printcheck::Page &page : pdf.pages) {
        for (int i = 0; i < page.words.size(); ++i) {
            const double cellLeft = (2 + i * (50 + 2)) * PointsPerMm;
            QVERIFY2(page.words.at(i).xMin >= cellLeft &&
                         page.words.at(i).xMin < cellLeft + 10 * PointsPerMm,
                     qPrintable(QStringLiteral("word %1 at %2 pt, cell at %3 pt")
                                    .arg(i)
                                    .arg(page.words.at(i).xMin)
                                    .arg(cellLeft)));
        }
    }
}

void TestPrintHandler::pageIsOneRowOfLabels_data()
{
    QTest::addColumn<SizeTemplate>("stock");
    QTest::newRow("two columns, 3 mm row gap") << twoColumns();
    SizeTemplate wide = docbuilder::makeTemplate(100, 150, 1);
    wide.setValue(SizeTemplate::RowSpacing, 7.0);
    QTest::newRow("one 100 x 150 mm label, 7 mm row gap") << wide;
    SizeTemplate gapless = docbuilder::makeTemplate(25, 12, 4);
    gapless.setValue(SizeTemplate::RowSpacing, 0.0);
    QTest::newRow("four columns, no row gap") << gapless;
}

void TestPrintHandler::pageIsOneRowOfLabels()
{
    QFETCH(SizeTemplate, stock);
    auto doc = printcheck::makeDocument(stock.columns() + 1, stock);
    PrintHandler handler;
    const QString file = outFile(QStringLiteral("page.pdf"));
    auto printer = pdfPrinter(handler, doc.get(), file, {});
    // The paintable height is exactly one label.
    QCOMPARE(printer->pageRect(QPrinter::Millimeter).height(), stock.labelHeight());
    // A PDF file keeps the colours of its pictures (label printers get grey).
    QCOMPARE(printer->colorMode(), QPrinter::Color);
    QCOMPARE(printer->fromPage(), 1);
    QCOMPARE(printer->toPage(), stock.columns() + 1);
    QVERIFY(handler.printDocument(printer.get(), doc.get()));

    const printcheck::Pdf pdf = printcheck::inspect(file);
    QVERIFY2(pdf.ok(), qPrintable(pdf.error));
    QCOMPARE(pdf.pages.size(), 2);
    if (QTest::currentDataTag() == QByteArray("four columns, no row gap")) {
        // A red picture stays red in the file.
        QPixmap red(40, 20);
        red.fill(Qt::red);
        auto *picture = new PixmapItem(QSizeF(40, 20));
        picture->setPixmap(red);
        doc->addItem(picture);
        auto colour = pdfPrinter(handler, doc.get(), file, {});
        QVERIFY(handler.printDocument(colour.get(), doc.get()));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.contains("/DeviceRGB"));
    }
    const QSizeF expected(stock.linerWidth() * PointsPerMm,
                          (stock.labelHeight() + stock.rowSpacing() / 2) * PointsPerMm);
    for (const printcheck::Page &page : pdf.pages) {
        QVERIFY2(qAbs(page.size.width() - expected.width()) < 0.5 &&
                     qAbs(page.size.height() - expected.height()) < 0.5,
                 qPrintable(QStringLiteral("%1 x %2 pt, expected %3 x %4 pt")
                                .arg(page.size.width())
                                .arg(page.size.height())
                                .arg(expected.width())
                                .arg(expected.height())));
    }
}

void TestPrintHandler::debugLineNamesTheRange()
{
    auto doc = printcheck::makeDocument(4, docbuilder::makeTemplate(50, 30, 1));
    PrintHandler handler;
    auto printer =
        pdfPrinter(handler, doc.get(), outFile(QStringLiteral("range.pdf")), {2, true, 2, 3});
    MessageLog log;
    QVERIFY(handler.printDocument(printer.get(), doc.get()));
    QCOMPARE(log.debug.size(), 1);
    const QString line = log.debug.first();
    QVERIFY2(line.startsWith(QLatin1String(
                 "PRINT \"\" , first= \"1\" , last= \"2\" , copies= \"2\" , collate= \"1\" , "
                 "printerPageLayout= QPageLayout(")),
             qPrintable(line));
    QVERIFY(log.warnings.isEmpty());
}

void TestPrintHandler::currentLabelAndPrintModeRestored()
{
    auto doc = printcheck::makeDocument(5, twoColumns());
    doc->selectLabel(3);
    QSignalSpy changes(doc.get(), &Document::labelChanged);
    PrintHandler handler;
    auto printer =
        pdfPrinter(handler, doc.get(), outFile(QStringLiteral("state.pdf")), {2, false, 0, 0});
    QVERIFY(handler.printDocument(printer.get(), doc.get()));
    QCOMPARE(doc->currentLabel(), 3);
    QVERIFY(!doc->isPrintMode());
    for (BaseItem *item : doc->labelItems()) {
        QCOMPARE(item->recordIndex(), 3);
        QVERIFY(!dynamic_cast<IPrintable *>(item) ||
                !dynamic_cast<IPrintable *>(item)->isPrintMode());
    }
    // Every placement made its label current, and the last change is back to 3.
    QCOMPARE(changes.size(), 5 * 2 + 1);
    QCOMPARE(changes.last().at(0).toInt(), 3);
    // The texts survive the walk through the labels.
    QCOMPARE(printcheck::inspect(outFile(QStringLiteral("state.pdf"))).rows().value(2),
             (QStringList{"LBL5", "LBL1"}));
}

void TestPrintHandler::refusedLayouts_data()
{
    QTest::addColumn<SizeTemplate>("stock");
    QTest::addColumn<QString>("message");

    SizeTemplate t = twoColumns();
    t.setValue(SizeTemplate::Columns, 0);
    QTest::newRow("no columns") << t
                                << "The label stock has no columns. Give it at least one "
                                   "column in the label properties.";
    t = twoColumns();
    t.setValue(SizeTemplate::MarginLeft, 60.0);
    t.setValue(SizeTemplate::MarginRight, 46.0);
    QTest::newRow("margins take the liner")
        << t
        << "The margins of the label stock (left 60 mm, right 46 mm) leave no printable "
           "width on its 106 mm liner.";
    t = twoColumns();
    t.setValue(SizeTemplate::ColSpacing, 102.0);
    QTest::newRow("column gap takes the liner")
        << t
        << "The column spacing of the label stock (102 mm) leaves no room for 2 columns on "
           "its 106 mm liner.";
    t = twoColumns();
    t.setValue(SizeTemplate::Columns, 1140850689);
    t.setValue(SizeTemplate::ColSpacing, 0.0);
    QTest::newRow("a column count no liner holds")
        << t
        << "The 1140850689 columns of the label stock leave less than 1 mm for each label on "
           "its 106 mm liner.";
    t = twoColumns();
    t.setValue(SizeTemplate::RowSpacing, -4.0);
    QTest::newRow("negative row gap")
        << t << "The label stock has a margin or spacing that is not a length of zero or more.";
}

void TestPrintHandler::refusedLayouts()
{
    QFETCH(SizeTemplate, stock);
    QFETCH(QString, message);
    QVERIFY(stock.isValid());
    QCOMPARE(PrintHandler::layoutError(stock), message);

    auto doc = printcheck::makeDocument(2, stock);
    PrintHandler handler;
    const QString file = outFile(QStringLiteral("refused.pdf"));
    QFile::remove(file);
    auto printer = pdfPrinter(handler, doc.get(), file, {});
    MessageLog log;
    QVERIFY(!handler.printDocument(printer.get(), doc.get()));
    QCOMPARE(log.warnings, QStringList{QStringLiteral("\"%1\"").arg(message)});
    // No job was started.
    QVERIFY(!QFile::exists(file));
    QCOMPARE(doc->currentLabel(), 0);
    QVERIFY(PrintHandler::layoutError(twoColumns()).isEmpty());
}

void TestPrintHandler::refusedLayoutIsShownToTheUser()
{
    SizeTemplate t = twoColumns();
    t.setValue(SizeTemplate::Columns, 0);
    auto doc = printcheck::makeDocument(2, t);
    PrintDialogHandler handler;
    QString title;
    QString text;
    testutil::answerNextMessageBox(QMessageBox::Ok, &title, &text);
    handler.printWithDialog(doc.get());
    QCOMPARE(text, PrintHandler::layoutError(t));
    QVERIFY(!title.isEmpty());
    QVERIFY(server.waitForIdle());
    QVERIFY(server.listener().jobs().isEmpty());
}

void TestPrintHandler::failureWarnings()
{
    PrintDialogHandler handler;
    QCOMPARE(handler.objectName(), QStringLiteral("printhandler"));
    auto doc = printcheck::makeDocument(2, twoColumns());
    Document invalid;
    {
        MessageLog log;
        handler.printWithDialog(nullptr);
        handler.printWithDialog(&invalid);
        QCOMPARE(log.warnings, (QStringList{"Invalid document.", "Invalid document."}));
    }
    {
        MessageLog log;
        QVERIFY(!handler.printDocument(nullptr, doc.get()));
        QCOMPARE(log.warnings, QStringList{"Invalid printer device."});
    }
    {
        // A file in a folder that does not exist is refused before painting.
        auto printer =
            pdfPrinter(handler, doc.get(), outFile(QStringLiteral("no/such/dir.pdf")), {});
        QVERIFY(!handler.printDocument(printer.get(), doc.get()));
        QVERIFY2(handler.errorString().contains(QStringLiteral("cannot be written")),
                 qPrintable(handler.errorString()));
        QVERIFY(!doc->isPrintMode());
    }
}

void TestPrintHandler::zebraGetsOneBlockPerRow()
{
    auto doc = printcheck::makeDocument(3, docbuilder::makeTemplate(50, 30, 1));
    doc->setPrinterSettings(new PrinterSettingsWin(Zebra));
    const QByteArray stream = printOnZebra(doc.get());
    QCOMPARE(printcheck::labelBlocks(stream), 3);
    // Only one job: copies are never left to the print system.
    QVERIFY(server.waitForIdle());
    QCOMPARE(server.listener().jobs().size(), 1);
}

void TestPrintHandler::dialogCopiesArePlacedByTheProgram()
{
    auto doc = printcheck::makeDocument(2, docbuilder::makeTemplate(50, 30, 1));
    doc->setPrinterSettings(new PrinterSettingsWin(Zebra));
    const QByteArray stream = printOnZebra(doc.get(), {3, true, 0, 0});
    // Six rows of one label each in one job; the driver was asked for one copy.
    QCOMPARE(printcheck::labelBlocks(stream), 6);
    QVERIFY2(!stream.contains("^PQ3"), qPrintable(QString::fromLatin1(stream.left(400))));
    QVERIFY(server.waitForIdle());
    QCOMPARE(server.listener().jobs().size(), 1);
}

void TestPrintHandler::driverChoicesReachThePrinter()
{
    // Darkness 20 chosen in the driver dialog and kept in the document file.
    auto *settings = new PrinterSettingsWin(Zebra);
    QStringList problems;
    testutil::answerNextModal([&problems](QWidget *w) {
        auto *combo = w->findChild<QComboBox *>(QStringLiteral("Darkness"));
        const int index = combo ? combo->findData(QStringLiteral("20")) : -1;
        if (index < 0)
            problems << QStringLiteral("no Darkness 20 in the driver dialog");
        else
            combo->setCurrentIndex(index);
        w->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    settings->showDriverDialog();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(';')));
    auto original = printcheck::makeDocument(2, docbuilder::makeTemplate(50, 30, 1));
    original->setPrinterSettings(settings);
    QBuffer file;
    QVERIFY(writeDocumentFile(&file, original.get()));
    file.close();

    Document doc;
    QVERIFY(readDocumentFile(&file, &doc));
    QVERIFY(doc.printerSettings());
    QCOMPARE(doc.printerSettings()->mode(), int(PrinterSettingsWin::USER));

    const QByteArray stream = printOnZebra(&doc);
    QVERIFY2(stream.contains("~SD20"), qPrintable(QString::fromLatin1(stream.left(400))));
    QCOMPARE(printcheck::labelBlocks(stream), 2);

    // The queue's own default darkness without the stored choice.
    server.listener().clear();
    QVERIFY(server.waitForIdle());
    auto plain = printcheck::makeDocument(1, docbuilder::makeTemplate(50, 30, 1));
    plain->setPrinterSettings(new PrinterSettingsWin(Zebra));
    QVERIFY(!printOnZebra(plain.get()).contains("~SD20"));
}

void TestPrintHandler::changedDriverFallsBackToDefaults()
{
    const QString queue = QStringLiteral("Zebra_Swap");
    QVERIFY2(server.addZebraQueue(queue), qPrintable(server.errorString()));
    PrinterSettingsWin settings(queue);
    QVERIFY(settings.isValid());
    // The driver is replaced after the settings were made.
    QVERIFY2(server.runTool(QStringLiteral("lpadmin"),
                            {QStringLiteral("-p"), queue, QStringLiteral("-m"),
                             QStringLiteral("drv:///sample.drv/zebraep2.ppd")}),
             qPrintable(server.errorString()));
    PrintHandler handler;
    MessageLog log;
    std::unique_ptr<QPrinter> printer(handler.initWinPrinter(&settings));
    QCOMPARE(log.warnings,
             QStringList{QStringLiteral(
                 "\"DEVMODE copy failed, initializing Zebra_Swap with default settings.\"")});
    QCOMPARE(printer->printerName(), queue);
    QVERIFY(server.removeQueue(queue));
}

void TestPrintHandler::missingPrinterPrintsOnDefault()
{
    // A document saved for a printer that has been removed since.
    const QString gone = QStringLiteral("Gone_Printer");
    QVERIFY2(server.addZebraQueue(gone), qPrintable(server.errorString()));
    auto original = printcheck::makeDocument(2, docbuilder::makeTemplate(50, 30, 1));
    original->setPrinterSettings(new PrinterSettingsWin(gone));
    QBuffer file;
    QVERIFY(writeDocumentFile(&file, original.get()));
    file.close();
    QVERIFY(server.removeQueue(gone));
    QVERIFY2(server.runTool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), Zebra}),
             qPrintable(server.errorString()));
    QTRY_COMPARE(QPrinterInfo::defaultPrinterName(), Zebra);

    Document doc;
    QVERIFY(readDocumentFile(&file, &doc));
    QCOMPARE(doc.missingPrinter(), gone);
    QVERIFY(!doc.printerSettings());
    PrintHandler handler;
    std::unique_ptr<QPrinter> printer(handler.initWinPrinter(doc.printerSettings()));
    QCOMPARE(printer->printerName(), Zebra);
    // Settings for a queue that is not installed, or without a valid block,
    // fall back the same way.
    PrinterSettingsWin stale(gone);
    QVERIFY(!stale.isValid());
    printer.reset(handler.initWinPrinter(&stale));
    QCOMPARE(printer->printerName(), Zebra);

    const QByteArray stream = printOnZebra(&doc);
    QCOMPARE(printcheck::labelBlocks(stream), 2);
}

void TestPrintHandler::dialogToFileMatchesDirectPrint()
{
    auto doc = printcheck::makeDocument(5, twoColumns());
    PrintDialogHandler handler;
    const QString viaDialog = outFile(QStringLiteral("dialog.pdf"));
    QStringList problems;
    answerPrintDialog({2, false, 2, 4}, viaDialog, &problems);
    handler.printWithDialog(doc.get());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(';')));

    const QString direct = outFile(QStringLiteral("direct.pdf"));
    auto printer = pdfPrinter(handler, doc.get(), direct, {2, false, 2, 4});
    QVERIFY(handler.printDocument(printer.get(), doc.get()));

    const printcheck::Pdf a = printcheck::inspect(viaDialog);
    const printcheck::Pdf b = printcheck::inspect(direct);
    QVERIFY2(a.ok(), qPrintable(a.error));
    QVERIFY2(b.ok(), qPrintable(b.error));
    QCOMPARE(a.rows(), (Rows{{"LBL2", "LBL3"}, {"LBL4", "LBL2"}, {"LBL3", "LBL4"}}));
    QCOMPARE(a.rows(), b.rows());
    for (int i = 0; i < a.pages.size(); ++i)
        QCOMPARE(a.pages.at(i).size, b.pages.at(i).size);
}

void TestPrintHandler::progressDialogCancels()
{
    const int labels = 6000;
    auto doc = printcheck::makeDocument(labels, docbuilder::makeTemplate(50, 30, 1));
    PrintDialogHandler handler;
    const QString file = outFile(QStringLiteral("cancelled.pdf"));
    QStringList problems;
    QString shown;
    answerPrintDialog({1, false, 0, 0}, file, &problems, [&] {
        testutil::answerNextModal(
            [&](QWidget *w) {
                auto *progress = qobject_cast<QProgressDialog *>(w);
                if (!progress) {
                    problems << QStringLiteral("no progress dialog");
                    w->close();
                    return;
                }
                shown = progress->labelText();
                progress->findChild<QPushButton *>()->click();
            },
            60000);
    });
    handler.printWithDialog(doc.get());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(';')));
    QVERIFY2(
        QRegularExpression(QStringLiteral("^Printing label \\d+ of 6000$")).match(shown).hasMatch(),
        qPrintable(shown));
    const printcheck::Pdf pdf = printcheck::inspect(file);
    QVERIFY2(pdf.ok(), qPrintable(pdf.error));
    // Ended cleanly: whole pages up to the cancel, in order.
    QVERIFY(pdf.pages.size() >= 1);
    QVERIFY2(pdf.pages.size() < labels, qPrintable(QString::number(pdf.pages.size())));
    QCOMPARE(pdf.rows().last(), QStringList{QStringLiteral("LBL%1").arg(pdf.pages.size())});
    QVERIFY(!doc->isPrintMode());
    QCOMPARE(doc->currentLabel(), 0);
}

void TestPrintHandler::printActionOfTheWindow()
{
    auto doc = printcheck::makeDocument(3, twoColumns());
    const QString file = outFile(QStringLiteral("window.tx4l"));
    QVERIFY(printcheck::saveDocument(*doc, file));
    MainWindow window;
    auto *handler = window.findChild<PrintHandler *>(QStringLiteral("printhandler"));
    QVERIFY(handler);
    QCOMPARE(handler->parent(), &window);
    window.loadFiles({file});
    QVERIFY(window.currentDocument());

    const QString pdf = outFile(QStringLiteral("window.pdf"));
    QStringList problems;
    answerPrintDialog({}, pdf, &problems);
    window.findChild<QAction *>(QStringLiteral("action/print"))->trigger();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(';')));
    QCOMPARE(printcheck::inspect(pdf).rows(), (Rows{{"LBL1", "LBL2"}, {"LBL3"}}));
}

void TestPrintHandler::typedPagesAreLabels_data()
{
    QTest::addColumn<QString>("pages");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("refused");
    // Labels 3..5 of 6, two across: two rows. Left to CUPS, "3-5" would pick
    // the third row only.
    QTest::newRow("one range") << "3-5" << 2 << false;
    QTest::newRow("one label") << "6" << 1 << false;
    QTest::newRow("range reaching past the labels") << "5-20" << 1 << false;
    // Refused in the dialog, which stays open with every setting; then 2-3
    // is given, two copies each, collated: two rows.
    QTest::newRow("list of ranges") << "1,3" << 2 << true;
    QTest::newRow("start past the labels") << "7-9" << 2 << true;
    QTest::newRow("not a number") << "two" << 2 << true;
}

void TestPrintHandler::typedPagesAreLabels()
{
    QFETCH(QString, pages);
    QFETCH(int, rows);
    QFETCH(bool, refused);
    auto doc = printcheck::makeDocument(6, docbuilder::makeTemplate(50, 30, 2));
    doc->setPrinterSettings(new PrinterSettingsWin(Zebra));
    PrintDialogHandler handler;
    QStringList problems;
    QString refusal;
    bool keptOpen = false;
    const JobSetup job = refused ? JobSetup{2, true, 0, 0} : JobSetup{};
    answerPrintDialog(job, QString(), &problems, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        auto *choice = dialog->findChild<QRadioButton *>(QStringLiteral("pagesRadioButton"));
        auto *entry = dialog->findChild<QLineEdit *>(QStringLiteral("pagesLineEdit"));
        choice->setChecked(true);
        entry->setText(pages);
        if (!refused)
            return;
        testutil::answerNextMessageBox(QMessageBox::Ok, nullptr, &refusal);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        keptOpen = dialog->isVisible() && dialog->result() != QDialog::Accepted &&
                   choice->isChecked() && entry->text() == pages &&
                   dialog->findChild<QSpinBox *>(QStringLiteral("copies"))->value() == 2 &&
                   dialog->findChild<QCheckBox *>(QStringLiteral("collate"))->isChecked();
        entry->setText(QStringLiteral("2-3"));
    });
    handler.printWithDialog(doc.get());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(';')));
    if (refused) {
        QCOMPARE(refusal, QStringLiteral("\"%1\" is not one label or one range of labels. Give "
                                         "one range of labels from 1 to 6, for example 2-5.")
                              .arg(pages));
        QVERIFY(keptOpen);
    }
    QVERIFY2(server.listener().waitForJobs(1), qPrintable(server.errorLog().right(2000)));
    QCOMPARE(printcheck::labelBlocks(server.listener().jobs().value(0)), rows);
    QVERIFY(server.waitForIdle());
    QCOMPARE(server.listener().jobs().size(), 1);
}

// A stored offset moves every printed dot of the queue's jobs, and only of
// that queue's: the window's print path, checked in what reached the Zebra.
void TestPrintHandler::calibrationMovesThePrint()
{
    auto doc = std::make_unique<Document>();
    doc->setSizeTemplate(docbuilder::makeTemplate(50, 30, 1));
    const double ppm = doc->labelGeometry().pixelsPerMm;
    docbuilder::addText(*doc, QPointF(8, 8) * ppm, QSizeF(30, 10) * ppm, QStringLiteral("CALIBRATE"));
    doc->setPrinterSettings(new PrinterSettingsWin(Zebra));
    auto inkOf = [&]() {
        const QList<QImage> graphics = scancheck::zplGraphics(printOnZebra(doc.get()));
        server.waitForIdle();
        server.listener().clear();
        return graphics.isEmpty() ? QRect() : scancheck::inkBox(graphics.first());
    };
    printcalibration::setOffset(Pdf, QPointF(3, 3));
    const QRect plain = inkOf();
    printcalibration::setOffset(Zebra, QPointF(2.0, -1.5));
    const QRect moved = inkOf();
    printcalibration::setOffset(Zebra, QPointF());
    printcalibration::setOffset(Pdf, QPointF());
    QVERIFY(!plain.isEmpty());
    const double dotsPerMm = 203 / 25.4;
    QVERIFY2(qAbs(moved.left() - plain.left() - 2.0 * dotsPerMm) <= 1.5 &&
                 qAbs(moved.top() - plain.top() + 1.5 * dotsPerMm) <= 1.5,
             qPrintable(QStringLiteral("from %1,%2 to %3,%4")
                            .arg(plain.left())
                            .arg(plain.top())
                            .arg(moved.left())
                            .arg(moved.top())));
    QCOMPARE(moved.size(), plain.size());
}

// A printer removed after the dialog was answered: nothing is painted and
// the user is told why.
void TestPrintHandler::removedPrinterIsAFault()
{
    const QString gone = QStringLiteral("Zebra_Removed");
    QVERIFY2(server.addZebraQueue(gone), qPrintable(server.errorString()));
    auto doc = printcheck::makeDocument(1, docbuilder::makeTemplate(50, 30, 1));
    PrintHandler handler;
    QPrinter printer(QPrinterInfo::printerInfo(gone), QPrinter::ScreenResolution);
    handler.setupPrinter(&printer, doc.get());
    QVERIFY(server.removeQueue(gone));
    QVERIFY(!handler.printDocument(&printer, doc.get()));
    QCOMPARE(handler.errorString(),
             QStringLiteral("The printer \"Zebra_Removed\" does not exist (any more)."));
    QVERIFY(!doc->isPrintMode());
}

// The calibration dialog prints its label at the offset being tried and
// stores the offsets per printer on OK.
void TestPrintHandler::calibrationDialog()
{
    auto doc = printcheck::makeDocument(1, docbuilder::makeTemplate(50, 30, 1));
    const QString pdf = outFile(QStringLiteral("calibration.pdf"));
    PrinterCalibrationDialog::preparePrinter = [pdf](QPrinter *printer) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
    };
    PrinterCalibrationDialog dialog(doc.get(), Zebra);
    QCOMPARE(dialog.printerName(), Zebra);
    dialog.findChild<QDoubleSpinBox *>(QStringLiteral("offsetX"))->setValue(1.3);
    dialog.findChild<QDoubleSpinBox *>(QStringLiteral("offsetY"))->setValue(-0.7);
    dialog.findChild<QPushButton *>(QStringLiteral("printCalibration"))->click();
    PrinterCalibrationDialog::preparePrinter = {};
    const printcheck::Pdf out = printcheck::inspect(pdf);
    QVERIFY2(out.ok(), qPrintable(out.error));
    QCOMPARE(out.pages.size(), 1);
    // One row of the liner, as a job of the document.
    QVERIFY(qAbs(out.pages.first().size.width() - 54 * printcheck::PointsPerMm) < 0.5);
    QVERIFY(qAbs(out.pages.first().size.height() - 31.5 * printcheck::PointsPerMm) < 0.5);
    QVERIFY(!out.pages.first().words.isEmpty());
    // The printer language is chosen per queue beside the offsets; Automatic
    // says what it comes to (the Zebra queue's driver speaks ZPL II).
    auto *language = dialog.findChild<QComboBox *>(QStringLiteral("printerLanguage"));
    QVERIFY(language);
    QCOMPARE(language->currentIndex(), int(printlanguage::Driver));
    QCOMPARE(language->itemText(printlanguage::Automatic), QStringLiteral("Automatic (ZPL II)"));
    language->setCurrentIndex(printlanguage::Zpl);
    dialog.accept();
    QCOMPARE(printcalibration::offset(Zebra), QPointF(1.3, -0.7));
    QCOMPARE(printcalibration::offset(Pdf), QPointF());
    QCOMPARE(printlanguage::stored(Zebra), printlanguage::Zpl);
    QCOMPARE(printlanguage::stored(Pdf), printlanguage::Automatic);
    printcalibration::setOffset(Zebra, QPointF());
    printlanguage::store(Zebra, printlanguage::Driver);
}

// The calibration label goes to the printer as a one-label job of the
// document does: the same page (one row of the liner), the same cell and
// the same driver settings, so an offset measured on it is the offset of
// real jobs.
void TestPrintHandler::calibrationLabelIsAOneLabelJob()
{
    // 60 mm labels on a 65 mm liner; the label is black all over.
    SizeTemplate stock = docbuilder::makeTemplate(60, 30, 1);
    stock.setValue(SizeTemplate::LinerWidth, 65.0);
    stock.setValue(SizeTemplate::MarginLeft, 3.0);
    stock.setValue(SizeTemplate::MarginRight, 2.0);
    Document doc;
    doc.setSizeTemplate(stock);
    const double ppm = doc.labelGeometry().pixelsPerMm;
    auto *black = new PixmapItem(QSizeF(60, 30) * ppm);
    QImage ink(60, 30, QImage::Format_RGB32);
    ink.fill(Qt::black);
    black->setPixmap(QPixmap::fromImage(ink));
    doc.addItem(black);
    auto *settings = new PrinterSettingsWin(Zebra);
    QStringList problems;
    printertestutil::answerDriverDialog({{QStringLiteral("Darkness"), QStringLiteral("17")}},
                                        QDialogButtonBox::Ok, &problems);
    settings->showDriverDialog();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(';')));
    doc.setPrinterSettings(settings);

    struct Seen
    {
        QByteArray width, darkness;
        int blocks = 0;
        // The page as the driver sent it: the graphic of one label block.
        QSize page;
        QRect ink;
    };
    auto seen = [](const QByteArray &zpl) {
        auto value = [&zpl](const char *command) {
            const QRegularExpressionMatch m =
                QRegularExpression(QLatin1String(command) + QStringLiteral("(\\d+)"))
                    .match(QString::fromLatin1(zpl));
            return m.captured(1).toLatin1();
        };
        Seen s;
        s.width = value("\\^PW");
        s.darkness = value("~SD");
        s.blocks = printcheck::labelBlocks(zpl);
        const QList<QImage> graphics = scancheck::zplGraphics(zpl);
        if (!graphics.isEmpty()) {
            s.page = graphics.first().size();
            s.ink = scancheck::inkBox(graphics.first());
        }
        return s;
    };
    const Seen job = seen(printOnZebra(&doc, {1, false, 1, 1}));
    QVERIFY(server.waitForIdle());
    server.listener().clear();

    auto calibrate = [&](QPointF offset) {
        PrinterCalibrationDialog dialog(&doc, Zebra);
        dialog.findChild<QDoubleSpinBox *>(QStringLiteral("offsetX"))->setValue(offset.x());
        dialog.findChild<QDoubleSpinBox *>(QStringLiteral("offsetY"))->setValue(offset.y());
        dialog.findChild<QPushButton *>(QStringLiteral("printCalibration"))->click();
        const bool arrived = server.listener().waitForJobs(1);
        const QByteArray zpl = server.listener().jobs().value(0);
        server.waitForIdle();
        server.listener().clear();
        if (!arrived)
            qWarning() << server.errorLog().right(2000);
        return seen(zpl);
    };
    const Seen label = calibrate(QPointF());
    QCOMPARE(job.width, QByteArray("519"));
    QCOMPARE(label.width, job.width);
    // One label and half the row gap high.
    QVERIFY2(qAbs(job.page.height() - 31.5 * 203 / 25.4) < 1.5,
             qPrintable(QString::number(job.page.height())));
    QCOMPARE(label.page, job.page);
    QCOMPARE(job.darkness, QByteArray("17"));
    QCOMPARE(label.darkness, job.darkness);
    QCOMPARE(label.blocks, 1);
    // The outline's outer edge is the cell's edge.
    QVERIFY(!job.ink.isEmpty());
    auto near = [](const QRect &a, const QRect &b, QPoint shift) {
        const QPoint d = a.topLeft() - b.topLeft() - shift;
        const QPoint e = a.bottomRight() - b.bottomRight() - shift;
        return qAbs(d.x()) <= 1 && qAbs(d.y()) <= 1 && qAbs(e.x()) <= 1 && qAbs(e.y()) <= 1;
    };
    const auto where = [](const QRect &r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    QVERIFY2(near(label.ink, job.ink, QPoint()),
             qPrintable(where(label.ink) + QStringLiteral(" against ") + where(job.ink)));

    // The offset being tried moves it, and nothing else does.
    printcalibration::setOffset(Zebra, QPointF(4, 4));
    const Seen moved = calibrate(QPointF(1.0, 0.5));
    printcalibration::setOffset(Zebra, QPointF());
    QVERIFY2(near(moved.ink, job.ink, QPoint(8, 4)),
             qPrintable(where(moved.ink) + QStringLiteral(" against ") + where(job.ink)));
}

QTEST_MAIN(TestPrintHandler)
#include "tst_printhandler.moc"
