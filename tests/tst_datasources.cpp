#include "datasource.h"
#include "datasourcemanager.h"
#include "docbuilder.h"
#include "document.h"
#include "documentview.h"
#include "dialogs/datasourceswidget.h"
#include "labelitems/dataitem.h"
#include "mainwindow.h"
#include "mousedrive.h"
#include "printcheck.h"
#include "printdialoghandler.h"
#include "printhandler.h"
#include "startup.h"
#include "testutil.h"
#include "txapp.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
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

QString writeCsv(const QTemporaryDir &dir, const QString &name, const QStringList &lines)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    return path;
}

using docbuilder::shownPerLabel;

QItemSelection block(const QAbstractItemModel *m, int top, int left, int bottom, int right)
{
    return QItemSelection(m->index(top, left), m->index(bottom, right));
}

using testutil::tagorix;

} // namespace

class TestDataSources : public QObject
{
    Q_OBJECT
private slots:
    void init() { clearSources(); }
    void quantitiesPerRecord();
    void managerEdgeCases();
    void itemRecordsFollowTheCells();
    void documentBytes();
    void removedSourceLeavesTheItemUnbound();
    void windowFlow();
    void batchWithOtherData();

private:
    QTemporaryDir dir;
};

void TestDataSources::managerEdgeCases()
{
    const QString csv = writeCsv(dir, QStringLiteral("codes.csv"), {"code,name", "1,a", "2,b"});
    QSignalSpy changed(manager(), &DataSourceManager::sourcesChanged);
    manager()->addCsvFile(csv);
    manager()->addCsvFile(csv);
    QCOMPARE(manager()->sources().size(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(manager()->findByName(csv)->model()->rowCount(), 2);

    // A worksheet and a chart sheet: one source, named after sheet and file.
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {testutil::dataFile(QStringLiteral("make_workbooks.py")), dir.path()});
    QVERIFY(python.waitForFinished(180000) && python.exitCode() == 0);
    QVERIFY(QFile::copy(dir.filePath(QStringLiteral("chart.xlsx")), dir.filePath(QStringLiteral("orders.xlsx"))));
    manager()->addXlsxFile(dir.filePath(QStringLiteral("orders.xlsx")));
    QCOMPARE(manager()->sources().size(), 2);
    QVERIFY(manager()->findByName(QStringLiteral("Data - orders.xlsx")));

    // Loading a document twice gives two internal tables of one name; the
    // older is found by name.
    clearSources();
    DataSource *first = manager()->addInternal(QStringLiteral("Lots"),
                                              {new QStandardItem(QStringLiteral("A1"))});
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(15);
        manager()->streamWrite(out);
    }
    QDataStream in(bytes);
    in.setVersion(15);
    manager()->streamRead(in);
    QCOMPARE(in.status(), QDataStream::Ok);
    QCOMPARE(manager()->sources().size(), 2);
    QCOMPARE(manager()->findByName(QStringLiteral("Lots")), first);
    QCOMPARE(manager()->sources().last()->model()->index(0, 0).data().toString(), QStringLiteral("A1"));
    // Typing into an internal table is a change the documents must save.
    QSignalSpy edited(manager(), &DataSourceManager::tableEdited);
    first->model()->setData(first->model()->index(0, 0), QStringLiteral("A2"));
    QCOMPARE(edited.count(), 1);
}

void TestDataSources::itemRecordsFollowTheCells()
{
    const QString csv = writeCsv(dir, QStringLiteral("grid.csv"),
                                 {"a,b,c", "a1,b1,c1", "a2,b2,c2", "a3,b3,c3", "a4,b4,c4"});
    manager()->addCsvFile(csv);
    DataSource *src = manager()->findByName(csv);
    const QAbstractItemModel *m = src->model();
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    auto *item = new DataItem(QSizeF(200, 50));
    doc.addItem(item);
    doc.connectItem(item);

    // B2:B4 of the sheet are rows 1-3 of column 1 below the header.
    item->setData(src, block(m, 1, 1, 3, 1));
    QCOMPARE(item->recordCount(), 3);
    QCOMPARE(shownPerLabel(doc, item), (QStringList{"b2", "b3", "b4"}));

    const QItemSelection square = block(m, 0, 0, 1, 1);
    item->setData(src, square);
    QStringList expected;
    for (const QModelIndex &i : square.indexes())
        expected << i.data().toString();
    QCOMPARE(shownPerLabel(doc, item), expected);

    // Labels past the item's cells show nothing, never a neighbour's value.
    item->setData(src, block(m, 1, 1, 3, 1));
    auto *longer = new DataItem(QSizeF(200, 50));
    doc.addItem(longer);
    longer->setData(src, block(m, 0, 2, 3, 2));
    QCOMPARE(doc.labelCount(), 4);
    doc.selectLabel(3);
    QCOMPARE(item->plainText(), QString());
    QCOMPARE(longer->plainText(), QStringLiteral("c4"));

    // A version-3 block with column 2 binds the whole third column, found by name.
    QByteArray block3;
    QDataStream out(&block3, QIODevice::WriteOnly);
    out.setVersion(15);
    out << DataItem::uuid() << qint32(3) << QPointF(1, 2) << QSizeF(100, 40)
        << QFont(QStringLiteral("Liberation Sans"), 12) << qint32(Qt::AlignLeft) << csv << csv
        << qint32(2) << 0.0;
    Document old;
    QBuffer file;
    file.setData(docbuilder::fileWithItem(65538, block3));
    QVERIFY(readDocumentFile(&file, &old));
    auto *read = qgraphicsitem_cast<DataItem *>(old.labelItems().first());
    QVERIFY(read);
    QCOMPARE(shownPerLabel(old, read), (QStringList{"c1", "c2", "c3", "c4"}));
}

void TestDataSources::documentBytes()
{
    const QString csv = writeCsv(dir, QStringLiteral("bytes.csv"), {"n", "1", "2"});
    manager()->addCsvFile(csv);
    DataSource *file = manager()->findByName(csv);
    auto *table = manager()->addInternal(QStringLiteral("Typed"));
    auto *model = static_cast<QStandardItemModel *>(table->model());
    model->appendRow(new QStandardItem(QStringLiteral("x")));
    // Row 0 of a new table holds no item; it is written as an empty one.
    QVERIFY(!model->item(0, 0));

    Document doc;
    const SizeTemplate stock = docbuilder::makeTemplate(100, 50);
    doc.setSizeTemplate(stock);
    auto *item = new DataItem(QSizeF(150, 40));
    item->setPos(10, 20);
    item->setFont(QFont(QStringLiteral("Liberation Sans"), 12));
    doc.addItem(item);
    item->setData(file, block(file->model(), 0, 0, 1, 0));
    QBuffer written;
    QVERIFY(writeDocumentFile(&written, &doc));

    QByteArray expected;
    QDataStream out(&expected, QIODevice::WriteOnly);
    out.setVersion(15);
    docbuilder::writeFileStart(out);
    const QFileInfo info(csv);
    // The document's own sources only: the internal table no item of it
    // uses belongs to no document.
    out << DataSourceManager::uuid() << qint32(2) << qint32(1);
    out << qint32(1) << info.absoluteFilePath() << qint64(info.size()) << info.lastModified();
    docbuilder::writeTemplate(out, stock);
    out << qint32(2) << qint32(8) << qint32(65538); // the item's editor, then the item
    out << DataItem::uuid() << qint32(4) << QPointF(10, 20) << QSizeF(150, 40)
        << QFont(QStringLiteral("Liberation Sans"), 12) << qint32(Qt::AlignLeft);
    out << info.absoluteFilePath() << csv << qint32(1) << qint32(0) << qint32(0) << qint32(1)
        << qint32(0) << 0.0;
    out << QString() << false;
    // Then the rows of each data file, after the blocks older builds read.
    out << QUuid(QStringLiteral("{6d0f4c2e-8b7a-4f51-a3c9-2e5b7d1f9a40}")) << qint32(1) << qint32(1)
        << csv << qint32(2);
    QCOMPARE(testutil::hex(written.data()), testutil::hex(expected));
}

void TestDataSources::removedSourceLeavesTheItemUnbound()
{
    const QString csv = writeCsv(dir, QStringLiteral("gone.csv"), {"n", "1", "2", "3"});
    manager()->addCsvFile(csv);
    DataSource *src = manager()->findByName(csv);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    DocumentView view(&doc);
    view.show();
    auto *item = new DataItem(QSizeF(150, 40));
    doc.addItem(item);
    doc.connectItem(item);
    item->setData(src, block(src->model(), 0, 0, 2, 0));
    QCOMPARE(doc.labelCount(), 3);
    doc.selectLabel(2);
    QSignalSpy relabelled(&doc, &Document::labelsInserted);

    manager()->removeSource(manager()->idOf(src));
    QVERIFY(!item->dataSource());
    QCOMPARE(item->recordCount(), 0);
    QCOMPARE(doc.labelCount(), 1);
    QCOMPARE(doc.currentLabel(), 0);
    QCOMPARE(relabelled.count(), 1);
    QVERIFY(doc.isModified());
    // Painting, selecting labels and saving touch nothing that is gone.
    view.grab();
    doc.selectLabel(2);
    QCOMPARE(item->plainText(), QString());
    QBuffer out;
    QVERIFY(writeDocumentFile(&out, &doc));
}

void TestDataSources::windowFlow()
{
    const QString csv = writeCsv(dir, QStringLiteral("run.csv"),
                                 {"lot,weight", "L-100,5 kg", "L-101,7 kg", "L-102,9 kg"});
    MainWindow w;
    w.show();
    testutil::acceptNextDialog();
    w.newDocument();
    Document *doc = w.currentDocument();

    // Add the CSV in the dock.
    auto *dock = w.findChild<DataSourcesWidget *>(QStringLiteral("dockwidget/datasources"));
    QVERIFY(dock);
    testutil::answerNextModal([csv](QWidget *wgt) {
        auto *d = qobject_cast<QFileDialog *>(wgt);
        d->selectFile(csv);
        static_cast<QDialog *>(d)->accept();
    });
    dock->findChild<QPushButton *>(QStringLiteral("add"))->click();
    QCOMPARE(dock->list()->count(), 1);
    QCOMPARE(dock->list()->item(0)->text(), csv + QStringLiteral(" [file]"));

    // Insert a data frame; its dialog picks the source and the lot column.
    testutil::answerNextModal([](QWidget *wgt) {
        auto *combo = wgt->findChild<QComboBox *>(QStringLiteral("source"));
        combo->setCurrentIndex(1);
        auto *table = wgt->findChild<QTableView *>(QStringLiteral("table"));
        table->selectColumn(0);
        static_cast<QDialog *>(wgt)->accept();
    });
    doc->setInsertMode(Document::InsertData);
    mousedrive::drag(w.currentView(), QPointF(30, 30), QPointF(300, 90));
    QCOMPARE(doc->labelCount(), 3);
    auto *item = qgraphicsitem_cast<DataItem *>(doc->labelItems().first());
    QVERIFY(item);
    QCOMPARE(shownPerLabel(*doc, item), (QStringList{"L-100", "L-101", "L-102"}));
    QVERIFY(doc->isModified());

    // Save, reopen, print to PDF.
    const QString path = dir.filePath(QStringLiteral("run.tx4l"));
    QVERIFY(printcheck::saveDocument(*doc, path));
    doc->setModified(false);
    w.closeDoc(doc);
    w.loadFiles({path});
    Document *back = w.currentDocument();
    QVERIFY(back);
    QCOMPARE(back->labelCount(), 3);
    const QString pdf = dir.filePath(QStringLiteral("run.pdf"));
    QString err;
    const int rc = tagorix({QStringLiteral("--export-pdf"), pdf, path}, {}, &err);
    QVERIFY2(rc == 0, qPrintable(err));
    const printcheck::Pdf out = printcheck::inspect(pdf);
    QVERIFY2(out.ok(), qPrintable(out.error + err));
    QCOMPARE(out.rows(), (QList<QStringList>{{"L-100"}, {"L-101"}, {"L-102"}}));
}

void TestDataSources::batchWithOtherData()
{
    const QString stored = writeCsv(dir, QStringLiteral("stored.csv"), {"code", "A", "B"});
    manager()->addCsvFile(stored);
    DataSource *src = manager()->findByName(stored);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    auto *item = new DataItem(QSizeF(200, 60));
    doc.addItem(item);
    item->setData(src, block(src->model(), 0, 0, 1, 0));
    const QString path = dir.filePath(QStringLiteral("batch.tx4l"));
    QVERIFY(printcheck::saveDocument(doc, path));

    const QString other = writeCsv(dir, QStringLiteral("other.csv"), {"code", "X1", "X2", "X3"});
    const QString pdf = dir.filePath(QStringLiteral("batch.pdf"));
    QString err;
    QCOMPARE(tagorix({QStringLiteral("--export-pdf"), pdf, QStringLiteral("--data"), other, path},
                     {}, &err),
             0);
    QCOMPARE(printcheck::inspect(pdf).rows(), (QList<QStringList>{{"X1"}, {"X2"}, {"X3"}}));

    // From standard input, naming the source; the stored file may be gone.
    QFile::remove(stored);
    QCOMPARE(tagorix({QStringLiteral("--export-pdf"), pdf, QStringLiteral("--data"),
                      stored + QStringLiteral("=-"), QStringLiteral("--range"), QStringLiteral("2-2"),
                      path},
                     "code\nS1\nS2\n", &err),
             0);
    QCOMPARE(printcheck::inspect(pdf).rows(), (QList<QStringList>{{"S2"}}));

    // Without --data the missing data file stops the job, named.
    QCOMPARE(tagorix({QStringLiteral("--export-pdf"), pdf, path}, {}, &err), 2);
    QVERIFY2(err.contains(stored), qPrintable(err));
}

// Each label printed as often as its row's quantity says: 2, 0 and 3 give
// five labels, in collated or copy-round order; "x" stops the job.
void TestDataSources::quantitiesPerRecord()
{
    const QString csv =
        writeCsv(dir, QStringLiteral("qty.csv"), {"name,qty", "ALPHA,2", "BETA,x", "GAMMA,3"});
    manager()->addCsvFile(csv);
    DataSource *src = manager()->findByName(csv);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(50, 30, 1));
    auto *item = new DataItem(QSizeF(200, 60));
    item->setPos(20, 20);
    doc.addItem(item);
    doc.connectItem(item);
    item->setData(src, block(src->model(), 0, 0, 2, 0));
    QCOMPARE(PrintHandler::quantityColumns(&doc),
             QStringList({"name (qty.csv)", "qty (qty.csv)"}));
    QVector<int> quantities;
    QString error;
    QVERIFY(!PrintHandler::quantitiesFromColumn(&doc, QStringLiteral("qty"), &quantities, &error));
    QVERIFY2(error.startsWith(QStringLiteral("Row 2 of")), qPrintable(error));
    const QString bad = dir.filePath(QStringLiteral("qty-bad.tx4l"));
    QVERIFY(printcheck::saveDocument(doc, bad));
    QString err;
    QCOMPARE(tagorix({QStringLiteral("--export-pdf"), dir.filePath(QStringLiteral("bad.pdf")),
                      QStringLiteral("--quantity-column"), QStringLiteral("qty"), bad},
                     QByteArray(), &err),
             2);
    QVERIFY2(err.contains(QStringLiteral("Row 2 of")) && err.contains(QStringLiteral("\"x\"")),
             qPrintable(err));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("bad.pdf"))));

    src->model()->setData(src->model()->index(1, 1), QStringLiteral("0"));
    QVERIFY(PrintHandler::quantitiesFromColumn(&doc, QStringLiteral("qty"), &quantities, &error));
    QCOMPARE(quantities, QVector<int>({2, 0, 3}));
    const QString good = dir.filePath(QStringLiteral("qty.tx4l"));
    QVERIFY(printcheck::saveDocument(doc, good));
    QFile table(csv);
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("name,qty\nALPHA,2\nBETA,0\nGAMMA,3\n");
    table.close();
    // The print dialog's tab: the total before printing, then the run.
    QString shownTotal;
    const QString viaDialog = dir.filePath(QStringLiteral("qty-dialog.pdf"));
    testutil::answerNextModal([&shownTotal, viaDialog](QWidget *w) {
        auto *printers = w->findChild<QComboBox *>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->count() - 1);
        w->findChild<QLineEdit *>(QStringLiteral("filename"))->setText(viaDialog);
        w->findChild<QComboBox *>(QStringLiteral("quantityColumn"))->setCurrentText(QStringLiteral("qty (qty.csv)"));
        w->findChild<QCheckBox *>(QStringLiteral("fromColumn"))->setChecked(true);
        shownTotal = w->findChild<QLabel *>(QStringLiteral("quantityTotal"))->text();
        w->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    PrintDialogHandler handler;
    handler.printWithDialog(&doc);
    QCOMPARE(shownTotal, QStringLiteral("5 labels will be printed in all."));
    QCOMPARE(printcheck::inspect(viaDialog).pages.size(), 5);

    for (bool collate : {true, false}) {
        const QString pdf = dir.filePath(QStringLiteral("qty-%1.pdf").arg(collate));
        QStringList args{QStringLiteral("--export-pdf"), pdf, QStringLiteral("--quantity-column"),
                         QStringLiteral("qty"), good};
        if (collate)
            args.prepend(QStringLiteral("--collate"));
        QCOMPARE(tagorix(args, QByteArray(), &err), 0);
        QStringList printed;
        for (const QStringList &page : printcheck::inspect(pdf).rows())
            printed << page.join(' ');
        QCOMPARE(printed, collate ? QStringList({"ALPHA", "ALPHA", "GAMMA", "GAMMA", "GAMMA"})
                                  : QStringList({"ALPHA", "GAMMA", "ALPHA", "GAMMA", "GAMMA"}));
    }
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    TestDataSources t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_datasources.moc"
