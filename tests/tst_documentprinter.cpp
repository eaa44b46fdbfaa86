#include "cupstestserver.h"
#include "docbuilder.h"
#include "document.h"
#include "labelitems/textitem.h"
#include "mainwindow.h"
#include "printersettings_win.h"
#include "printertestutil.h"
#include "testutil.h"
#include "startup.h"
#include "txapp.h"

#include <QBuffer>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace printertestutil;

namespace {
const QString Zebra = QStringLiteral("Zebra_ZPL");

QByteArray fileOf(Document &doc)
{
    QBuffer buf;
    writeDocumentFile(&buf, &doc);
    return buf.data();
}
} // namespace

class TestDocumentPrinter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void driverChoicesSurviveTheFile();
    void settingsOfTheSamePrinterAreReadIntoPlace();
    void missingPrinterWarnsOnceAndOpensEverything();

private:
    CupsTestServer server;
};

void TestDocumentPrinter::initTestCase()
{
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY2(server.addZebraQueue(Zebra), qPrintable(server.errorString()));
}

void TestDocumentPrinter::driverChoicesSurviveTheFile()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    auto *settings = new PrinterSettingsWin(Zebra);
    QStringList problems;
    answerDriverDialog({{QStringLiteral("Darkness"), QStringLiteral("20")}}, QDialogButtonBox::Ok,
                       &problems);
    settings->showDriverDialog();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    doc.setPrinterSettings(settings);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zebra.tx4l"));
    {
        QFile f(path);
        QVERIFY(writeDocumentFile(&f, &doc));
    }
    Document reopened;
    QFile f(path);
    QVERIFY(readDocumentFile(&f, &reopened));
    QVERIFY(reopened.printerSettings());
    QCOMPARE(reopened.printerSettings()->printerName(), Zebra);
    QCOMPARE(reopened.printerSettings()->mode(), 3);
    QCOMPARE(storedChoices(*reopened.printerSettings()).value(QStringLiteral("Darkness")),
             QStringLiteral("20"));
    QVERIFY(reopened.missingPrinter().isEmpty());
    QCOMPARE(fileOf(reopened), fileOf(doc));
}

void TestDocumentPrinter::settingsOfTheSamePrinterAreReadIntoPlace()
{
    Document source;
    source.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    auto *stored = new PrinterSettingsWin(Zebra);
    stored->setMode(2);
    source.setPrinterSettings(stored);
    const QByteArray file = fileOf(source);

    Document target;
    auto *own = new PrinterSettingsWin(Zebra);
    target.setPrinterSettings(own);
    QBuffer buf;
    buf.setData(file);
    QVERIFY(readDocumentFile(&buf, &target));
    QCOMPARE(target.printerSettings(), own);
    QCOMPARE(own->mode(), 2);
}

void TestDocumentPrinter::missingPrinterWarnsOnceAndOpensEverything()
{
    // A file made for a queue this machine does not have.
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(15);
    docbuilder::writeFileStart(out);
    docbuilder::writeEmptySources(out);
    docbuilder::writeTemplate(out, docbuilder::makeTemplate(100, 50));
    out << qint32(1) << qint32(65537);
    docbuilder::Text t;
    t.size = QSizeF(100, 30);
    t.text = QStringLiteral("still here");
    t.texts = QStringList{t.text};
    docbuilder::writeText(out, t);
    out << QStringLiteral("Office_Laser");
    PrinterSettingsWin absent(QStringLiteral("Office_Laser"));
    absent.setMode(3);
    absent.streamWrite(out);
    out << true;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("elsewhere.tx4l"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    MainWindow w;
    testutil::MessageBoxCatcher boxes;
    bool opened = false;
    QVERIFY(QMetaObject::invokeMethod(&w, "load", Q_RETURN_ARG(bool, opened), Q_ARG(QString, path)));
    QVERIFY(opened);
    QTest::qWait(50);
    QCOMPARE(boxes.titles, QStringList({"Printer not found"}));
    QCOMPARE(boxes.texts.value(0),
             QStringLiteral("The printer Office_Laser was not found. Set up printer in 'Label properties'"));
    Document *doc = w.currentDocument();
    QVERIFY(doc);
    QVERIFY(doc->isLocked());
    QVERIFY(!doc->printerSettings());
    QVERIFY(!doc->isModified());
    QCOMPARE(doc->labelItems().size(), 1);
    QCOMPARE(static_cast<TextItem *>(doc->labelItems().first())->plainText(), QStringLiteral("still here"));
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    TestDocumentPrinter t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_documentprinter.moc"
