// Every label carries its own document's value from the current data file,
// or the run stops and says why: several documents with tables of one name,
// data files that shrink, grow, vanish, come back or change while open, and
// tables given on the command line.
#include "cupstestserver.h"
#include "databinding.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "dialogs/datasourceswidget.h"
#include "dialogs/tableeditor.h"
#include "docbuilder.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/dataitem.h"
#include "mainwindow.h"
#include "printcheck.h"
#include "printdialoghandler.h"
#include "printhandler.h"
#include "scancheck.h"
#include "startup.h"
#include "testutil.h"
#include "txapp.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

DataSourceManager *manager()
{
    return TxApp::dataSourceManager();
}

void clearSources()
{
    testutil::clearDataSources();
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// A header "code" and rows R01, R02, ...
QByteArray rows(int n, const char *prefix = "R")
{
    QByteArray csv = "code\n";
    for (int i = 1; i <= n; ++i)
        csv += prefix + QByteArray::number(i).rightJustified(2, '0') + '\n';
    return csv;
}

using docbuilder::shownPerLabel;

DataItem *firstDataItem(Document &doc)
{
    for (BaseItem *item : doc.labelItems()) {
        if (auto *data = qgraphicsitem_cast<DataItem *>(item))
            return data;
    }
    return nullptr;
}

DataItem *addDataItem(Document &doc, DataSource *src, int top, int bottom, QPointF pos = {10, 10})
{
    auto *item = new DataItem(QSizeF(300, 60));
    item->setPos(pos);
    doc.addItem(item);
    doc.connectItem(item);
    const QAbstractItemModel *m = src->model();
    item->setData(src, QItemSelection(m->index(top, 0), m->index(bottom, 0)));
    return item;
}

// A data text and a Code 128 of the same cells, as the common label has.
void addTextAndBarcode(Document &doc, DataSource *src, int labels)
{
    addDataItem(doc, src, 0, labels - 1);
    auto *code = new BarcodeItem(QSizeF(400, 120));
    Barcode c;
    c.setSymbology(Barcode::Code128);
    code->setBarcode(c);
    code->setPos(10, 90);
    doc.addItem(code);
    doc.connectItem(code);
    const QAbstractItemModel *m = src->model();
    code->setVariableData(src, QItemSelection(m->index(0, 0), m->index(labels - 1, 0)));
}

// Whether stored bytes hold a text as the stream writes strings.
bool holds(const QByteArray &bytes, const QString &text)
{
    QByteArray encoded;
    QDataStream s(&encoded, QIODevice::WriteOnly);
    s.setVersion(15);
    s << text;
    return bytes.contains(encoded.mid(4));
}

std::unique_ptr<Document> readBack(const QString &path)
{
    auto doc = std::make_unique<Document>();
    QFile f(path);
    if (!readDocumentFile(&f, doc.get()))
        return nullptr;
    return doc;
}

struct Run
{
    int exitCode = -1;
    QString err;
};

Run tagorix(const QStringList &args, const QByteArray &input = QByteArray())
{
    Run run;
    run.exitCode = testutil::tagorix(args, input, &run.err);
    return run;
}

// Each page's words as one string.
QStringList pageTexts(const QString &pdf)
{
    QStringList texts;
    for (const QStringList &page : printcheck::inspect(pdf).rows())
        texts << page.join(QLatin1Char(' '));
    return texts;
}

QStringList expectedPages(int n, const char *prefix = "R", bool withBarcode = true)
{
    QStringList pages;
    for (int i = 1; i <= n; ++i) {
        const QString code = prefix + QString::number(i).rightJustified(2, QLatin1Char('0'));
        // The barcode's caption repeats the code under the symbol.
        pages << (withBarcode ? code + QLatin1Char(' ') + code : code);
    }
    return pages;
}

} // namespace

class TestDataTrust : public QObject
{
    Q_OBJECT
private slots:
    void init() { clearSources(); }
    void sameNamedTablesStayWithTheirDocuments();
    void newTablesHaveNamesOfTheirOwn();
    void dataFileWithFewerOrMoreRows();
    void otherDataOnTheCommandLine();
    void missingFileKeepsTheBinding();
    void deletedSourceAsksAndStopsPrinting();
    void fileChangedWhileOpen();
    void quantityColumnsOfEverySource();
    void dataTextLaidOutOnlyWhenItChanges();
    void barcodeExtentFollowsTheLabelShown();
    void cellsThatDoNotEncodeStopTheRun();

private:
    QString path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

void TestDataTrust::sameNamedTablesStayWithTheirDocuments()
{
    // Two documents, each with its own internal table "Serials".
    for (const char *which : {"A", "B"}) {
        clearSources();
        QList<QStandardItem *> values{new QStandardItem(QStringLiteral("%1ONE").arg(which)),
                                      new QStandardItem(QStringLiteral("%1TWO").arg(which))};
        DataSource *serials = manager()->addInternal(QStringLiteral("Serials"), values);
        Document doc;
        doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
        addTextAndBarcode(doc, serials, 2);
        QVERIFY(printcheck::saveDocument(doc, path(QStringLiteral("shared%1.tx4l").arg(which))));
    }
    clearSources();

    // Read one after the other into the same program, as a print run of
    // both or the window does.
    auto a = readBack(path(QStringLiteral("sharedA.tx4l")));
    auto b = readBack(path(QStringLiteral("sharedB.tx4l")));
    QVERIFY(a && b);
    QCOMPARE(shownPerLabel(*a, firstDataItem(*a)), QStringList({"AONE", "ATWO"}));
    QCOMPARE(b->labelCount(), 2);
    QCOMPARE(shownPerLabel(*b, firstDataItem(*b)), QStringList({"BONE", "BTWO"}));

    // A file written now holds its own table only, not the other one.
    QBuffer written;
    QVERIFY(writeDocumentFile(&written, b.get()));
    QVERIFY(holds(written.data(), QStringLiteral("BONE")));
    QVERIFY(!holds(written.data(), QStringLiteral("AONE")));
    // A pasted copy binds to its own document's table as well.
    firstDataItem(*b)->setSelected(true);
    b->copy();
    b->paste();
    int bound = 0;
    for (BaseItem *item : b->labelItems()) {
        auto *data = qgraphicsitem_cast<DataItem *>(item);
        if (data) {
            QCOMPARE(shownPerLabel(*b, data), QStringList({"BONE", "BTWO"}));
            ++bound;
        }
    }
    QCOMPARE(bound, 2);

    // The real program printing both in one run, through the print system.
    CupsTestServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY2(server.addPdfQueue(), qPrintable(server.errorString()));
    const Run run = tagorix({QStringLiteral("--print"), QStringLiteral("--printer"),
                             QStringLiteral("PDF"), path(QStringLiteral("sharedA.tx4l")),
                             path(QStringLiteral("sharedB.tx4l"))});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    // The print system's PDF printer turns text into outlines: the
    // barcodes, read back, tell what each label carries.
    for (const char *which : {"A", "B"}) {
        const QString pdf = server.waitForPdf(QStringLiteral("shared%1").arg(which));
        QStringList codes;
        for (const QImage &page : scancheck::renderPdf(pdf, 300))
            codes << scancheck::zbarDecode(page);
        QCOMPARE(codes, QStringList({QStringLiteral("%1ONE").arg(which),
                                     QStringLiteral("%1TWO").arg(which)}));
    }
}

void TestDataTrust::newTablesHaveNamesOfTheirOwn()
{
    MainWindow w;
    w.show();
    testutil::acceptNextDialog();
    w.newDocument();
    Document *doc = w.currentDocument();
    auto *dock = w.findChild<DataSourcesWidget *>(QStringLiteral("dockwidget/datasources"));
    auto *addTable = dock->findChild<QPushButton *>(QStringLiteral("addinternal"));
    // Each new table opens in its editor: the first gets a value, the
    // second is renamed, once to a taken name (refused, the editor stays).
    testutil::answerNextModal([](QWidget *editor) {
        auto *model = qobject_cast<QStandardItemModel *>(
            editor->findChild<QTableView *>(QStringLiteral("table"))->model());
        model->setItem(0, 0, new QStandardItem(QStringLiteral("first")));
        static_cast<QDialog *>(editor)->accept();
    });
    addTable->click();
    QString refusal;
    testutil::answerNextModal([&refusal](QWidget *editor) {
        auto *model = qobject_cast<QStandardItemModel *>(
            editor->findChild<QTableView *>(QStringLiteral("table"))->model());
        model->setItem(0, 0, new QStandardItem(QStringLiteral("second")));
        editor->findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("Table 1"));
        testutil::answerNextMessageBox(QMessageBox::Ok, nullptr, &refusal);
        static_cast<QDialog *>(editor)->accept();
        QVERIFY(editor->isVisible());
        editor->findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("Lots"));
        static_cast<QDialog *>(editor)->accept();
    });
    addTable->click();
    QVERIFY2(refusal.contains(QStringLiteral("Table 1")), qPrintable(refusal));
    QCOMPARE(dock->list()->item(0)->text(), QStringLiteral("Table 1 [internal]"));
    QCOMPARE(dock->list()->item(1)->text(), QStringLiteral("Lots [internal]"));

    // An item on the second table is on it after saving and reopening.
    addDataItem(*doc, manager()->findByName(QStringLiteral("Lots")), 0, 0);
    const QString file = path(QStringLiteral("tables.tx4l"));
    QVERIFY(printcheck::saveDocument(*doc, file));
    doc->setModified(false);
    w.closeDoc(doc);
    clearSources();
    w.loadFiles({file});
    Document *back = w.currentDocument();
    QVERIFY(back);
    QCOMPARE(shownPerLabel(*back, firstDataItem(*back)), QStringList({"second"}));
    // Both tables were added while the label was open: its file keeps both.
    QCOMPARE(back->dataSources().size(), 2);
}

void TestDataTrust::dataFileWithFewerOrMoreRows()
{
    const QString csv = writeFile(path(QStringLiteral("fifty.csv")), rows(50));
    manager()->addCsvFile(csv);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addTextAndBarcode(doc, manager()->findByName(csv), 50);
    const QString file = path(QStringLiteral("fifty.tx4l"));
    QVERIFY(printcheck::saveDocument(doc, file));
    const QString pdf = path(QStringLiteral("fifty.pdf"));

    // Cut to 40 rows: 40 whole labels, and the run says the file changed.
    writeFile(csv, rows(40));
    Run run = tagorix({QStringLiteral("--export-pdf"), pdf, file});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("has 40 rows; it had 50")), qPrintable(run.err));
    QCOMPARE(pageTexts(pdf), expectedPages(40));

    // Grown to 60: a binding that reached the last row still does.
    writeFile(csv, rows(60));
    run = tagorix({QStringLiteral("--export-pdf"), pdf, file});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("has 60 rows; it had 50")), qPrintable(run.err));
    QCOMPARE(pageTexts(pdf), expectedPages(60));

    // A binding that stopped short of the end keeps its rows.
    clearSources();
    writeFile(csv, rows(50));
    manager()->addCsvFile(csv);
    Document part;
    part.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addDataItem(part, manager()->findByName(csv), 0, 9);
    const QString partFile = path(QStringLiteral("part.tx4l"));
    QVERIFY(printcheck::saveDocument(part, partFile));
    writeFile(csv, rows(60));
    clearSources();
    auto back = readBack(partFile);
    QVERIFY(back);
    QCOMPARE(back->labelCount(), 10);
    QCOMPARE(back->dataNotes().size(), 1);
}

void TestDataTrust::otherDataOnTheCommandLine()
{
    const QString csv = writeFile(path(QStringLiteral("stored.csv")), rows(50));
    manager()->addCsvFile(csv);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addTextAndBarcode(doc, manager()->findByName(csv), 50);
    const QString file = path(QStringLiteral("override.tx4l"));
    QVERIFY(printcheck::saveDocument(doc, file));
    const QString pdf = path(QStringLiteral("override.pdf"));

    // Fewer and more rows than stored: text and barcode run over all of them.
    for (int n : {10, 60}) {
        const QString other = writeFile(path(QStringLiteral("other%1.csv").arg(n)), rows(n, "X"));
        const Run run = tagorix({QStringLiteral("--export-pdf"), pdf, QStringLiteral("--data"),
                                 other, file});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(pageTexts(pdf), expectedPages(n, "X"));
    }

    // Quoted fields as spreadsheets write them lose their quotes.
    Run run = tagorix({QStringLiteral("--export-pdf"), pdf, QStringLiteral("--data"),
                       QStringLiteral("-"), file},
                      "code\r\n\"Q\"\"1\"\r\n\"Q,2\"\r\n");
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(pageTexts(pdf), QStringList({"Q\"1 Q\"1", "Q,2 Q,2"}));

    // Nothing to print from: refused, nothing written.
    QFile::remove(pdf);
    const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
    const QList<QPair<QString, QByteArray>> refused{
        {writeFile(path(QStringLiteral("empty.csv")), QByteArray()), QByteArray()},
        {QStringLiteral("-"), QByteArray()},
        {writeFile(path(QStringLiteral("header.csv")), "code\n"), QByteArray()},
        {writeFile(path(QStringLiteral("picture.png")), png), QByteArray()}};
    // Nor does the window take a picture as a data file.
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Not a text file: ") +
                                                  path(QStringLiteral("picture.png"))));
    manager()->addCsvFile(path(QStringLiteral("picture.png")));
    QVERIFY(!manager()->findByFilePath(path(QStringLiteral("picture.png"))));
    QCOMPARE(manager()->takeNotices().size(), 1);
    for (const auto &data : refused) {
        run = tagorix({QStringLiteral("--export-pdf"), pdf, QStringLiteral("--data"), data.first,
                       file},
                      data.second);
        QVERIFY2(run.exitCode == 2, qPrintable(data.first + QLatin1Char(' ') + run.err));
        QVERIFY2(run.err.contains(QStringLiteral("nothing was printed")), qPrintable(run.err));
        QVERIFY(!QFile::exists(pdf));
    }

    // A document with two data files names them when --data FILE is ambiguous.
    const QString second = writeFile(path(QStringLiteral("second.csv")), rows(2, "S"));
    manager()->addCsvFile(second);
    addDataItem(doc, manager()->findByName(second), 0, 1, QPointF(10, 300));
    QVERIFY(printcheck::saveDocument(doc, file));
    run = tagorix({QStringLiteral("--export-pdf"), pdf, QStringLiteral("--data"),
                   path(QStringLiteral("other10.csv")), file});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(csv) && run.err.contains(second), qPrintable(run.err));
}

void TestDataTrust::missingFileKeepsTheBinding()
{
    const QString csv = writeFile(path(QStringLiteral("away.csv")), rows(3));
    manager()->addCsvFile(csv);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addTextAndBarcode(doc, manager()->findByName(csv), 3);
    const QString file = path(QStringLiteral("away.tx4l"));
    QVERIFY(printcheck::saveDocument(doc, file));
    QFile original(file);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray stored = original.readAll();
    original.close();

    clearSources();
    QVERIFY(QFile::rename(csv, csv + QStringLiteral(".moved")));
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable(QStringLiteral("Error loading %1 file does not exist").arg(csv)));
    auto back = readBack(file);
    QVERIFY(back);
    QCOMPARE(manager()->missingFiles(), QStringList({csv}));
    QCOMPARE(back->labelCount(), 1);
    QCOMPARE(back->dataProblems().size(), 1);
    // Printing stops before anything is written.
    PrintHandler handler;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path(QStringLiteral("away.pdf")));
    handler.setupPrinter(&printer, back.get());
    QVERIFY(!handler.printDocument(&printer, back.get()));
    QVERIFY2(handler.errorString().contains(csv), qPrintable(handler.errorString()));
    QVERIFY(!QFile::exists(path(QStringLiteral("away.pdf"))));
    // Saved meanwhile, the file keeps the data file and every binding.
    QBuffer again;
    QVERIFY(writeDocumentFile(&again, back.get()));
    QCOMPARE(testutil::hex(again.data()), testutil::hex(stored));

    // Added again, the items bind and show their rows.
    QVERIFY(QFile::rename(csv + QStringLiteral(".moved"), csv));
    manager()->addCsvFile(csv);
    QCOMPARE(back->labelCount(), 3);
    QCOMPARE(shownPerLabel(*back, firstDataItem(*back)), QStringList({"R01", "R02", "R03"}));
    QVERIFY(back->dataProblems().isEmpty());
    handler.setupPrinter(&printer, back.get());
    QVERIFY(handler.printDocument(&printer, back.get()));
    QCOMPARE(pageTexts(path(QStringLiteral("away.pdf"))), expectedPages(3));
}

void TestDataTrust::deletedSourceAsksAndStopsPrinting()
{
    MainWindow w;
    w.show();
    testutil::acceptNextDialog();
    w.newDocument();
    Document *doc = w.currentDocument();
    QList<QStandardItem *> values{new QStandardItem(QStringLiteral("S1")),
                                  new QStandardItem(QStringLiteral("S2"))};
    DataSource *serials = manager()->addInternal(QStringLiteral("Serials"), values);
    addDataItem(*doc, serials, 0, 1);
    auto *dock = w.findChild<DataSourcesWidget *>(QStringLiteral("dockwidget/datasources"));
    dock->list()->setCurrentRow(0);
    auto *del = dock->findChild<QPushButton *>(QStringLiteral("delete"));

    // The question names the label and its items; No keeps the table.
    QString question;
    testutil::answerNextMessageBox(QMessageBox::No, nullptr, &question);
    del->click();
    QVERIFY2(question.contains(QStringLiteral("Serials")) &&
                 question.contains(QStringLiteral("items: 1")),
             qPrintable(question));
    QCOMPARE(manager()->sources().size(), 1);

    testutil::answerNextMessageBox(QMessageBox::Yes);
    del->click();
    QVERIFY(manager()->sources().isEmpty());
    DataItem *item = firstDataItem(*doc);
    QVERIFY(item->cellBinding()->isSet());
    QCOMPARE(item->cellBinding()->sourceName(), QStringLiteral("Serials"));

    // Printing says why not, and never opens the print dialog.
    QString refusal;
    testutil::answerNextMessageBox(QMessageBox::Ok, nullptr, &refusal);
    PrintDialogHandler().printWithDialog(doc);
    QVERIFY2(refusal.contains(QStringLiteral("Serials")), qPrintable(refusal));

    // A table of that name, added by the user, takes its place.
    QList<QStandardItem *> again{new QStandardItem(QStringLiteral("T1"))};
    manager()->addInternal(QStringLiteral("Serials"), again);
    QCOMPARE(shownPerLabel(*doc, item), QStringList({"T1"}));
    doc->setModified(false);
}

void TestDataTrust::fileChangedWhileOpen()
{
    const QString csv = writeFile(path(QStringLiteral("live.csv")), rows(2));
    manager()->addCsvFile(csv);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    DataItem *item = addDataItem(doc, manager()->findByName(csv), 0, 1);
    QSignalSpy reread(manager(), &DataSourceManager::sourceReread);

    // The watcher notices the change and the labels follow it.
    QTest::qWait(1100); // a later modification time than the first write
    writeFile(csv, rows(3, "N"));
    QVERIFY(reread.wait(5000));
    QVERIFY2(reread.first().at(1).toString().contains(QStringLiteral("3 rows")),
             qPrintable(reread.first().at(1).toString()));
    QCOMPARE(shownPerLabel(doc, item), QStringList({"N01", "N02", "N03"}));

    // Before a print the file is checked again, without waiting for the watcher.
    QTest::qWait(1100);
    writeFile(csv, rows(1, "P"));
    QVERIFY(PrintDialogHandler::dataReady(&doc, nullptr));
    QCOMPARE(shownPerLabel(doc, item), QStringList({"P01"}));

    // A workbook's worksheets are read again as well.
    const QString book = path(QStringLiteral("live.xlsx"));
    auto writeBook = [book](const char *first, const char *second) {
        return QProcess::execute(
                   QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-c"),
                    QStringLiteral("import openpyxl,sys\nw=openpyxl.Workbook()\ns=w.active\n"
                                   "s.title='Data'\ns.append([sys.argv[2]])\n"
                                   "s.append([sys.argv[3]])\nw.save(sys.argv[1])"),
                    book, QString::fromLatin1(first), QString::fromLatin1(second)}) == 0;
    };
    QVERIFY(writeBook("W1", "W2"));
    manager()->addXlsxFile(book);
    DataSource *sheet = manager()->findByName(QStringLiteral("Data - live.xlsx"));
    QVERIFY(sheet);
    DataItem *fromSheet = addDataItem(doc, sheet, 0, 1, QPointF(10, 200));
    QCOMPARE(shownPerLabel(doc, fromSheet).mid(0, 2), QStringList({"W1", "W2"}));
    QTest::qWait(1100);
    QVERIFY(writeBook("V1", "V2"));
    QVERIFY(PrintDialogHandler::dataReady(&doc, nullptr));
    QCOMPARE(shownPerLabel(doc, fromSheet).mid(0, 2), QStringList({"V1", "V2"}));

    // A file that is gone stops the print.
    QFile::remove(csv);
    QString refusal;
    testutil::answerNextMessageBox(QMessageBox::Ok, nullptr, &refusal);
    QVERIFY(!PrintDialogHandler::dataReady(&doc, nullptr));
    QVERIFY2(refusal.contains(csv), qPrintable(refusal));
}

void TestDataTrust::quantityColumnsOfEverySource()
{
    const QString csv =
        writeFile(path(QStringLiteral("orders.csv")), "item,qty\nAPPLE,2\nPEAR,1\n");
    manager()->addCsvFile(csv);
    QList<QStandardItem *> values{new QStandardItem(QStringLiteral("S1")),
                                  new QStandardItem(QStringLiteral("S2"))};
    DataSource *serials = manager()->addInternal(QStringLiteral("Serials"), values);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    addDataItem(doc, serials, 0, 1);
    addDataItem(doc, manager()->findByName(csv), 0, 1, QPointF(10, 100));
    QCOMPARE(PrintHandler::quantityColumns(&doc),
             QStringList({"item (orders.csv)", "qty (orders.csv)", "1 (Serials)"}));
    QVector<int> copies;
    QString error;
    QVERIFY2(PrintHandler::quantitiesFromColumn(&doc, QStringLiteral("qty (orders.csv)"), &copies,
                                                &error),
             qPrintable(error));
    QCOMPARE(copies, QVector<int>({2, 1}));
    // The command line's bare name finds the first source that has it.
    QVERIFY(PrintHandler::quantitiesFromColumn(&doc, QStringLiteral("qty"), &copies, &error));
    QCOMPARE(copies, QVector<int>({2, 1}));
}

// Switching labels lays a data text out again only when it changes, and a
// change keeps the alignment; past the column nothing shows.
void TestDataTrust::dataTextLaidOutOnlyWhenItChanges()
{
    QList<QStandardItem *> values;
    for (const char *v : {"same", "same", "other"})
        values << new QStandardItem(QString::fromLatin1(v));
    DataSource *words = manager()->addInternal(QStringLiteral("Words"), values);
    auto *item = new DataItem(QSizeF(300, 60));
    item->setData(words, QItemSelection(words->model()->index(0, 0), words->model()->index(2, 0)));
    item->setAlignment(Qt::AlignRight);
    QGraphicsTextItem *text = nullptr;
    for (QGraphicsItem *child : item->childItems())
        if (auto *t = dynamic_cast<QGraphicsTextItem *>(child))
            text = t;
    QVERIFY(text);
    QSignalSpy edits(text->document(), &QTextDocument::contentsChange);
    item->setRecordIndex(1);
    QCOMPARE(edits.count(), 0);
    QCOMPARE(item->plainText(), QStringLiteral("same"));
    item->setRecordIndex(2);
    QVERIFY(edits.count() > 0);
    QCOMPARE(item->plainText(), QStringLiteral("other"));
    QCOMPARE(text->document()->begin().blockFormat().alignment(), Qt::AlignRight);
    // Lines of a value keep the alignment too; values leave no undo history
    // behind (a run of 10,000 labels must not grow with it).
    words->model()->setData(words->model()->index(1, 0), QStringLiteral("two\nlines"));
    item->setRecordIndex(1);
    QCOMPARE(item->plainText(), QStringLiteral("two\nlines"));
    QCOMPARE(text->document()->blockCount(), 2);
    for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next())
        QCOMPARE(b.blockFormat().alignment(), Qt::AlignRight);
    QCOMPARE(text->document()->availableUndoSteps(), 0);
    item->setRecordIndex(3);
    QCOMPARE(item->plainText(), QString());
    delete item;
    manager()->removeSource(manager()->idOf(words));
}

void TestDataTrust::barcodeExtentFollowsTheLabelShown()
{
    // No code on label 1, an EAN-13 with its digits beside the bars on label 2.
    QList<QStandardItem *> values{new QStandardItem(QString()),
                                  new QStandardItem(QStringLiteral("590123412345"))};
    DataSource *codes = manager()->addInternal(QStringLiteral("Codes"), values);
    auto *item = new BarcodeItem(QSizeF(300, 150));
    Barcode ean;
    ean.setSymbology(Barcode::Ean);
    item->setBarcode(ean);
    item->setVariableData(codes, QItemSelection(codes->model()->index(0, 0),
                                                codes->model()->index(1, 0)));
    const QRectF plain = item->boundingRect();
    item->setRecordIndex(1);
    const QRectF withCaption = item->boundingRect();
    QVERIFY2(withCaption.left() < plain.left(), "the first digit stands left of the symbol");
    item->setRecordIndex(0);
    QCOMPARE(item->boundingRect(), plain);
    delete item;
}

// One bad cell among three stops an export before the file is written, and
// standard error names the label; GS1 data is held to its rules the same way.
void TestDataTrust::cellsThatDoNotEncodeStopTheRun()
{
    const struct
    {
        int symbology;
        const char *table;
    } runs[] = {
        {Barcode::Ean, "code\n590123412345\n59012341234A\n400638133393\n"},
        {Barcode::Gs1_128, "code\n(01)09501101530003(17)261231\n(01)09501101530003(17)261331\n"
                          "(01)09501101530003(17)270101\n"},
    };
    for (const auto &r : runs) {
        const QString csv = writeFile(path(QStringLiteral("codes%1.csv").arg(r.symbology)), r.table);
        manager()->addCsvFile(csv);
        DataSource *src = manager()->findByName(csv);
        QVERIFY(src);
        Document doc;
        doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
        auto *code = new BarcodeItem(doc.defaultBarcodeSize());
        Barcode c;
        c.setSymbology(r.symbology);
        code->setBarcode(c);
        doc.addItem(code);
        doc.connectItem(code);
        const QAbstractItemModel *m = src->model();
        code->setVariableData(src, QItemSelection(m->index(0, 0), m->index(2, 0)));
        const QString file = path(QStringLiteral("codes%1.tx4l").arg(r.symbology));
        QVERIFY(printcheck::saveDocument(doc, file));
        const QString pdf = path(QStringLiteral("codes%1.pdf").arg(r.symbology));
        QFile::remove(pdf);
        const Run run = tagorix({QStringLiteral("--export-pdf"), pdf, file});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains(QStringLiteral("label 2, ")), qPrintable(run.err));
        QVERIFY2(!run.err.contains(QStringLiteral("label 1, ")) &&
                     !run.err.contains(QStringLiteral("label 3, ")),
                 qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("nothing was printed")), qPrintable(run.err));
        QVERIFY(!QFile::exists(pdf));
        clearSources();
    }
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    TestDataTrust t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_datatrust.moc"
