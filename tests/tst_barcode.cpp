#include "barcode.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "dialogs/barcodedialog.h"
#include "docbuilder.h"
#include "document.h"
#include "documentview.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/textitem.h"
#include "mousedrive.h"
#include "scancheck.h"
#include "startup.h"
#include "testutil.h"
#include "txapp.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

namespace {

DataSourceManager *manager()
{
    return TxApp::dataSourceManager();
}

// A device that keeps every text drawn on it and where its baseline starts,
// in device units.
class TextRecorder : public QPaintDevice
{
public:
    struct Run
    {
        QString text;
        QPointF at;
    };
    QList<Run> runs;

    QPaintEngine *paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
        case PdmHeight:
            return 2000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder *d) : device(d) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &s) override
        {
            if (s.state() & DirtyTransform)
                transform = s.transform();
        }
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF &p, const QTextItem &ti) override
        {
            device->runs << Run{ti.text(), transform.map(p)};
        }
        Type type() const override { return User; }

    private:
        TextRecorder *device;
        QTransform transform;
    };
    mutable Engine engine{this};
};

Barcode makeCode(int symbology, const QString &data, bool text = true)
{
    Barcode b;
    b.setSymbology(symbology);
    b.setData(data);
    b.setShowText(text);
    return b;
}

QImage render(const std::function<void(QPainter &)> &draw, QSize size = QSize(700, 400))
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    draw(p);
    p.end();
    return img;
}

// The page content streams of a PDF, uncompressed, end to end.
QByteArray pdfContent(const QByteArray &pdf)
{
    QByteArray all;
    for (int at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at + 7)) {
        const int end = pdf.indexOf("endstream", at);
        if (end < 0)
            break;
        QByteArray packed = pdf.mid(at + 7, end - at - 7);
        packed.prepend(QByteArray::fromHex("00100000"));
        all += qUncompress(packed);
        at = end;
    }
    return all;
}

void writeBarcodeBlock(QDataStream &out, qint32 symbology, const QString &data)
{
    out << QUuid(QStringLiteral("{fbb9938c-f39e-455b-9d9c-e32fa852a0b9}")) << qint32(1);
    out << symbology << qint32(50) << qint32(0) << qint32(1) << data << QString()
        << QColor(Qt::black) << true << qint32(0) << quint32(0);
}

void writeItemStart(QDataStream &out, qint32 version, QPointF pos, QSizeF size)
{
    out << QUuid(QStringLiteral("{704e5ecf-4d17-45e0-8e0b-74c1b295d60e}")) << version << pos << size;
}

} // namespace

class TestBarcode : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void symbologyNames();
    void aspectModes_data();
    void aspectModes();
    void captionHeightAndPlacement();
    void barsReachThePdfAsOwnFills();
    void captionKeepsDescenders();
    void zintResults();
    void streamBytes();
    void variableItemWithoutItsSource();
    void variableLabelsPastTheCells();
    void dialogModesAndTextBox();
    void dialogSaysWhyDataDoesNotEncode();
    void toolInsertsAndUndoes();

private:
    QString writeCsv(const QString &name, const QStringList &lines);
    QTemporaryDir dir;
};

void TestBarcode::initTestCase()
{
    QVERIFY(dir.isValid());
}

void TestBarcode::cleanup()
{
    const QList<int> ids = manager()->sources().keys();
    for (int id : ids)
        manager()->removeSource(id);
}

QString TestBarcode::writeCsv(const QString &name, const QStringList &lines)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    return path;
}

void TestBarcode::symbologyNames()
{
    QCOMPARE(Barcode::symbologyNames(),
             QStringList({"Aztec", "Codabar", "Code 128", "Code 2 of 5", "Code 39", "Code 93",
                          "Data Matrix", "EAN 8/13", "GS1 DataBar Expanded", "GS1 DataMatrix",
                          "GS1 QR code", "GS1-128", "ITF-14", "MaxiCode", "PDF417", "QR code",
                          "SSCC-18", "UPC-A", "UPC-E"}));
    // The ids stored in files.
    const QList<QPair<QString, int>> ids = {
        {"Codabar", 0},         {"Code 128", 1},       {"Code 2 of 5", 2},    {"Code 39", 3},
        {"EAN 8/13", 4},        {"ITF-14", 5},         {"MaxiCode", 6},       {"PDF417", 7},
        {"QR code", 8},         {"UPC-A", 9},          {"GS1-128", 10},       {"SSCC-18", 11},
        {"Data Matrix", 12},    {"GS1 DataMatrix", 13}, {"GS1 QR code", 14},  {"Aztec", 15},
        {"GS1 DataBar Expanded", 16}, {"Code 93", 17}, {"UPC-E", 18}};
    for (const auto &id : ids) {
        QCOMPARE(Barcode::symbologyId(id.first), id.second);
        QCOMPARE(Barcode::symbologyName(id.second), id.first);
    }
    QCOMPARE(Barcode::symbologyId(QStringLiteral("Code 11")), 0);
    QCOMPARE(Barcode::symbologyName(Barcode::SymbologyCount), QString());
}

void TestBarcode::aspectModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("stretch") << 0;
    QTest::newRow("fit") << 1;
    QTest::newRow("fill") << 2;
}

void TestBarcode::aspectModes()
{
    QFETCH(int, mode);
    Barcode code = makeCode(Barcode::Code128, QStringLiteral("ABC123"), false);
    const QSizeF modules = code.moduleSize();
    QCOMPARE(modules.height(), 50.0);
    const QRectF target(0, 0, 400, 100);
    const QImage img = render([&](QPainter &p) {
        p.translate(50, 50);
        code.paint(&p, target, mode);
    });
    const QRect ink = scancheck::inkBox(img);
    const double fit = qMin(400 / modules.width(), 100 / modules.height());
    const double fill = qMax(400 / modules.width(), 100 / modules.height());
    // Bars start at the first module and end at the last one (quiet zones are the label's).
    const QSizeF expected = mode == 0   ? QSizeF(400, 100)
                            : mode == 1 ? modules * fit
                                        : modules * fill;
    QCOMPARE(ink.topLeft(), QPoint(50, 50));
    QVERIFY2(qAbs(ink.width() - expected.width()) <= 1 && qAbs(ink.height() - expected.height()) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(ink.width()).arg(ink.height())));
}

void TestBarcode::captionHeightAndPlacement()
{
    // Text adds nine modules only where zint made one.
    QCOMPARE(makeCode(Barcode::Code128, QStringLiteral("A1")).moduleSize().height(), 59.0);
    QCOMPARE(makeCode(Barcode::Code128, QStringLiteral("A1"), false).moduleSize().height(), 50.0);
    QCOMPARE(makeCode(Barcode::QrCode, QStringLiteral("A1")).moduleSize(), QSizeF(21, 21));

    // EAN-13: the check digit is zint's; the first digit stands left of the
    // symbol, six under each half, ">" right of it (module units here).
    Barcode ean = makeCode(Barcode::Ean, QStringLiteral("590123412345"));
    const QSizeF modules = ean.moduleSize();
    QCOMPARE(ean.caption(), QStringLiteral("5901234123457"));
    TextRecorder rec;
    {
        QPainter p(&rec);
        p.translate(100, 100);
        ean.paint(&p, QRectF(QPointF(0, 0), modules), Barcode::Stretch);
    }
    const struct
    {
        QString text;
        double from, to;
    } expected[] = {{"5", -7, 0}, {"901234", 3, 46}, {"123457", 49, 92}, {">", 95, 102}};
    QCOMPARE(rec.runs.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(rec.runs.at(i).text, expected[i].text);
        const double x = rec.runs.at(i).at.x() - 100;
        QVERIFY2(x >= expected[i].from && x < expected[i].to, qPrintable(expected[i].text));
        // Under the bars: the symbol is 50 modules high.
        QVERIFY(rec.runs.at(i).at.y() - 100 > 50);
    }
}

// Descenders and underscores of a caption show below its line, still
// inside the symbol ("A_gj" must not read "A gj" on the label).
void TestBarcode::captionKeepsDescenders()
{
    Barcode code = makeCode(Barcode::Code128, QStringLiteral("A_gj"));
    const QSizeF modules = code.moduleSize();
    QCOMPARE(modules.height(), 59.0);
    const double k = 8;
    const QImage img = render(
        [&](QPainter &p) { code.paint(&p, QRectF(QPointF(0, 0), modules * k), Barcode::Stretch); },
        QSize(int(modules.width() * k), int(modules.height() * k) + 40));
    int lowest = -1;
    for (int y = int(50 * k); y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                lowest = y;
    // The caption's box ends 7 modules below the bars; the symbol 9.
    QVERIFY2(lowest > 57 * k && lowest < 59 * k, qPrintable(QString::number(lowest / k)));
}

// Each bar reaches a PDF as a fill of its own (readers and printers snap a
// lone rectangle to their pixels, not a path of many), and where the symbol
// sits straight or turned by quarters, without a colour and a matrix per bar.
void TestBarcode::barsReachThePdfAsOwnFills()
{
    Barcode code = makeCode(Barcode::Code128, QStringLiteral("ABC123"), false);
    const QSizeF modules = code.moduleSize();
    const QImage img = render(
        [&](QPainter &p) { code.paint(&p, QRectF(QPointF(0, 0), modules * 4), Barcode::Stretch); },
        (modules * 4).toSize());
    int bars = 0;
    for (int x = 0, y = img.height() / 2; x < img.width(); ++x)
        bars += qGray(img.pixel(x, y)) < 128 && (x == 0 || qGray(img.pixel(x - 1, y)) >= 128);
    QVERIFY(bars > 20);

    for (const double angle : {0.0, 90.0, 180.0, 30.0}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setPageSize(QPageSize(QSizeF(100, 60), QPageSize::Millimeter));
            QPainter p(&writer);
            p.translate(2000, 1500);
            p.rotate(angle);
            code.paint(&p, QRectF(QPointF(-700, -300), QSizeF(1400, 600)), Barcode::Fit, 203);
        }
        const QByteArray page = pdfContent(buffer.data());
        QVERIFY(!page.isEmpty());
        const QString at = QString::number(angle);
        QVERIFY2(page.count(" re\n") == bars, qPrintable(at));
        QVERIFY2(page.count(" re\nf\n") == bars, qPrintable(at));
        if (angle != 30.0) {
            QVERIFY2(page.count(" cm\n") < 8, qPrintable(at));
            QVERIFY2(page.count(" scn\n") < 8, qPrintable(at));
        }
    }
}

void TestBarcode::zintResults()
{
    // Over 128 characters: the first 128 are encoded, all are kept and saved.
    QString longData;
    for (int i = 0; i < 200; ++i)
        longData += QChar('A' + i % 26);
    Barcode code = makeCode(Barcode::QrCode, longData);
    auto drawn = [](Barcode b) {
        return render([&](QPainter &p) { b.paint(&p, QRectF(0, 0, 370, 370), Barcode::Fit); });
    };
    const QImage image = drawn(code);
    QCOMPARE(image, drawn(makeCode(Barcode::QrCode, longData.left(128))));
    QVERIFY(image != drawn(makeCode(Barcode::QrCode, longData.left(127))));
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        code.streamWrite(out);
    }
    Barcode back;
    QDataStream in(bytes);
    back.streamRead(in);
    QCOMPARE(back.data(), longData);
    QVERIFY(back.isDirty());

    // zint 2.11 reports an inserted ECI as a warning: the symbol is there.
    Barcode euro = makeCode(Barcode::QrCode, QStringLiteral("Preis 5 €"));
    QVERIFY2(euro.encode(), qPrintable(euro.errorText()));
    QCOMPARE(euro.moduleSize().width(), 21.0);

    // Data the symbology cannot take: the error and zint's code, drawn in place.
    Barcode bad = makeCode(Barcode::Ean, QStringLiteral("12AB"));
    QVERIFY(!bad.encode());
    QVERIFY(bad.result() >= 5);
    QVERIFY(!bad.errorText().isEmpty());
    TextRecorder rec;
    {
        QPainter p(&rec);
        bad.paint(&p, QRectF(0, 0, 300, 100), Barcode::Fit);
    }
    QStringList lines;
    for (const TextRecorder::Run &run : qAsConst(rec.runs))
        lines << run.text;
    // Wrapped into the target where it is wider.
    QCOMPARE(lines.join(QLatin1Char(' ')).simplified(),
             (bad.errorText() + QStringLiteral(" (%1)").arg(bad.result())).simplified());

    // A copy encodes into a structure of its own.
    Barcode first = makeCode(Barcode::Code128, QStringLiteral("FIRST"));
    QVERIFY(first.encode());
    Barcode copy = first;
    QVERIFY(copy.isDirty());
    copy.setData(QStringLiteral("OTHER"));
    QVERIFY(copy.encode());
    QCOMPARE(first.caption(), QStringLiteral("FIRST"));
    QCOMPARE(copy.caption(), QStringLiteral("OTHER"));
}

void TestBarcode::streamBytes()
{
    // Constant data, then the same item bound to two ranges of a source.
    const QString csv = writeCsv(QStringLiteral("codes.csv"), {"sku,ean", "A1,4006381333931",
                                                               "B2,5901234123457", "C3,96385074"});
    manager()->addCsvFile(csv);
    DataSource *src = manager()->findByName(csv);
    QVERIFY(src);
    BarcodeItem item(QSizeF(300, 150));
    item.setPos(12, 34);
    Barcode b;
    b.setSymbology(Barcode::Code39);
    b.setData(QStringLiteral("TAG 39"));
    item.setBarcode(b);
    item.setConstantData(QStringLiteral("TAG 39"));

    auto bytesOf = [](BarcodeItem &i) {
        QByteArray written;
        QDataStream out(&written, QIODevice::WriteOnly);
        i.streamWrite(out);
        return written;
    };
    QByteArray expected;
    {
        QDataStream out(&expected, QIODevice::WriteOnly);
        writeItemStart(out, 1, QPointF(12, 34), QSizeF(300, 150));
        writeBarcodeBlock(out, Barcode::Code39, QStringLiteral("TAG 39"));
        out << qint32(1) << qint32(0) << QString();
    }
    QCOMPARE(testutil::hex(bytesOf(item)), testutil::hex(expected));

    QItemSelection sel;
    const QAbstractItemModel *model = src->model();
    sel.select(model->index(0, 1), model->index(0, 1));
    sel.select(model->index(2, 1), model->index(2, 1));
    item.setVariableData(src, sel);
    QCOMPARE(item.recordCount(), 2);
    QCOMPARE(item.dataForRecord(1), QStringLiteral("96385074"));
    expected.clear();
    {
        QDataStream out(&expected, QIODevice::WriteOnly);
        writeItemStart(out, 1, QPointF(12, 34), QSizeF(300, 150));
        writeBarcodeBlock(out, Barcode::Code39, QStringLiteral("TAG 39"));
        out << qint32(1) << qint32(1) << csv << qint32(2) << qint32(0) << qint32(1) << qint32(0)
            << qint32(1) << qint32(2) << qint32(1) << qint32(2) << qint32(1);
    }
    const QByteArray variable = bytesOf(item);
    QCOMPARE(testutil::hex(variable), testutil::hex(expected));

    BarcodeItem back(QSizeF(0, 0));
    QDataStream in(variable);
    back.streamRead(in);
    QCOMPARE(in.status(), QDataStream::Ok);
    QCOMPARE(back.dataSource(), src);
    QCOMPARE(back.dataForRecord(0), QStringLiteral("4006381333931"));

    // A turned item keeps its angle (a later block version).
    item.setItemRotation(90);
    const QByteArray turned = bytesOf(item);
    QCOMPARE(turned.mid(16, 4), QByteArray::fromHex("00000002"));
    BarcodeItem again(QSizeF(0, 0));
    QDataStream in2(turned);
    again.streamRead(in2);
    QCOMPARE(in2.status(), QDataStream::Ok);
    QVERIFY(in2.atEnd());
    QCOMPARE(again.rotation(), 90.0);
}

void TestBarcode::variableItemWithoutItsSource()
{
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        writeItemStart(out, 1, QPointF(1, 2), QSizeF(200, 100));
        writeBarcodeBlock(out, Barcode::QrCode, QString());
        out << qint32(1) << qint32(1) << QStringLiteral("/nowhere/gone.csv") << qint32(1)
            << qint32(0) << qint32(0) << qint32(9) << qint32(0);
        out << qint32(0x7a7a7a7a);
    }
    BarcodeItem item(QSizeF(0, 0));
    QDataStream in(bytes);
    item.streamRead(in);
    QCOMPARE(in.status(), QDataStream::Ok);
    qint32 marker = 0;
    in >> marker;
    QCOMPARE(marker, 0x7a7a7a7a);
    QVERIFY(!item.dataSource());
    QCOMPARE(item.dataMode(), int(BarcodeItem::VariableData));
    QCOMPARE(item.recordCount(), 0);
    QVERIFY(item.dataForRecord(0).isNull());
}

void TestBarcode::variableLabelsPastTheCells()
{
    const QString csv = writeCsv(QStringLiteral("three.csv"), {"code", "111", "222", "333"});
    manager()->addCsvFile(csv);
    DataSource *src = manager()->findByName(csv);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    auto *item = new BarcodeItem(QSizeF(200, 100));
    item->setPos(20, 20);
    doc.addItem(item);
    doc.connectItem(item);
    doc.setPrintMode(true);
    QItemSelection sel;
    sel.select(src->model()->index(0, 0), src->model()->index(1, 0));
    item->setVariableData(src, sel);
    QCOMPARE(doc.labelCount(), 2);
    // A plain text item with five labels makes the document longer than the cells.
    docbuilder::addText(doc, QPointF(250, 20), QSizeF(100, 40))->insertRecord(4);
    auto inkOf = [&](int label) {
        doc.selectLabel(label);
        return scancheck::inkBox(render([&](QPainter &p) {
            p.translate(-item->pos());
            doc.render(&p, QRectF(0, 0, 700, 400), QRectF(0, 0, 700, 400));
        }));
    };
    QVERIFY(!inkOf(1).isEmpty());
    QVERIFY(inkOf(3).isEmpty());

    manager()->removeSource(manager()->idOf(src));
    QVERIFY(!item->dataSource());
    QCOMPARE(item->recordCount(), 0);
    QVERIFY(doc.isModified());
    QVERIFY(inkOf(0).isEmpty());
}

// As the user types, the dialog's status line gives zint's own words for
// data the symbology refuses, and the check result once it encodes.
void TestBarcode::dialogSaysWhyDataDoesNotEncode()
{
    Document doc;
    auto *item = new BarcodeItem(doc.defaultBarcodeSize());
    doc.addItem(item);
    Barcode code;
    code.setSymbology(Barcode::Gs1DataMatrix);
    item->setBarcode(code);
    item->setConstantData(QStringLiteral("(01)09501101530003"));
    BarcodeDialog dialog(item, item->aspectMode());
    auto *data = dialog.findChild<QLineEdit *>(QStringLiteral("data"));
    auto *status = dialog.findChild<QLabel *>(QStringLiteral("scanStatus"));
    QVERIFY(data && status);
    QVERIFY(status->wordWrap());
    const struct
    {
        const char *typed;
        const char *says;
    } cases[] = {{"(01)09501101530004", "Bad checksum"},
                 {"(01)09501101530003(17)261331", "(17)"},
                 {"(01)09501101530003(17)261231(10)AB-123", "Scans when printed"}};
    for (const auto &c : cases) {
        data->setText(QString::fromLatin1(c.typed));
        QVERIFY2(status->text().contains(QLatin1String(c.says)), qPrintable(status->text()));
    }
}

void TestBarcode::dialogModesAndTextBox()
{
    BarcodeItem item(QSizeF(200, 100));
    item.setConstantData(QStringLiteral("KEEP"));
    BarcodeDialog dialog(&item, item.aspectMode());
    auto *data = dialog.findChild<QLineEdit *>(QStringLiteral("data"));
    auto *variable = dialog.findChild<QGroupBox *>(QStringLiteral("variable"));
    auto *constant = dialog.findChild<QGroupBox *>(QStringLiteral("constant"));
    auto *showText = dialog.findChild<QCheckBox *>(QStringLiteral("showText"));
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("symbology"));
    QVERIFY(data && variable && constant && showText && combo);
    QCOMPARE(data->text(), QStringLiteral("KEEP"));

    // Choosing QR code disables the text box without changing its state.
    combo->setCurrentText(QStringLiteral("Code 39"));
    showText->setChecked(false);
    combo->setCurrentText(QStringLiteral("QR code"));
    QVERIFY(!showText->isEnabled());
    QVERIFY(!showText->isChecked());
    combo->setCurrentText(QStringLiteral("Code 128"));
    QVERIFY(showText->isEnabled());
    QVERIFY(!showText->isChecked());
    QCOMPARE(dialog.barcode().symbology(), int(Barcode::Code128));

    // The two groups are radio buttons; variable data clears the data string.
    dialog.show();
    QTest::mouseClick(variable, Qt::LeftButton, {}, QPoint(20, 8));
    QVERIFY(variable->isChecked());
    QVERIFY(!constant->isChecked());
    QCOMPARE(dialog.dataMode(), 1);
    QCOMPARE(data->text(), QString());
    QTest::mouseClick(variable, Qt::LeftButton, {}, QPoint(20, 8));
    QVERIFY(variable->isChecked());
    QTest::mouseClick(constant, Qt::LeftButton, {}, QPoint(20, 8));
    QVERIFY(constant->isChecked());
    QCOMPARE(dialog.dataMode(), 0);
    QCOMPARE(data->text(), QString());
    QCOMPARE(dialog.barcode().data(), QString());
}

void TestBarcode::toolInsertsAndUndoes()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    DocumentView view(&doc);
    view.resize(800, 500);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    doc.setInsertMode(Document::InsertBarcode);
    testutil::answerNextModal([](QWidget *w) {
        auto *d = qobject_cast<BarcodeDialog *>(w);
        QVERIFY(d);
        QCOMPARE(d->objectName(), QStringLiteral("dialog/barcode"));
        QCOMPARE(d->windowTitle(), QStringLiteral("Edit barcode"));
        d->findChild<QComboBox *>(QStringLiteral("symbology"))->setCurrentText(QStringLiteral("Code 128"));
        d->findChild<QLineEdit *>(QStringLiteral("data"))->setText(QStringLiteral("TX-0042"));
        d->accept();
    });
    mousedrive::click(&view, QPointF(30, 30));
    QCOMPARE(doc.labelItems().size(), 1);
    auto *item = qgraphicsitem_cast<BarcodeItem *>(doc.labelItems().first());
    QVERIFY(item);
    QCOMPARE(item->size(), doc.defaultBarcodeSize());
    QCOMPARE(item->barcode().symbology(), int(Barcode::Code128));
    QCOMPARE(item->dataForRecord(0), QStringLiteral("TX-0042"));
    QCOMPARE(doc.undoStack()->undoText(), QStringLiteral("Insert barcode"));
    QVERIFY(doc.isModified());

    // Saved and read again, then the insertion undone and redone.
    QByteArray bytes;
    QBuffer out(&bytes);
    QVERIFY(writeDocumentFile(&out, &doc));
    QBuffer in(&bytes);
    Document reopened;
    QVERIFY(readDocumentFile(&in, &reopened));
    QCOMPARE(reopened.labelItems().size(), 1);
    auto *back = qgraphicsitem_cast<BarcodeItem *>(reopened.labelItems().first());
    QVERIFY(back);
    QCOMPARE(back->dataForRecord(0), QStringLiteral("TX-0042"));
    QCOMPARE(back->geometry(), item->geometry());

    doc.undoStack()->undo();
    QVERIFY(doc.labelItems().isEmpty());
    doc.undoStack()->redo();
    QCOMPARE(doc.labelItems().size(), 1);
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    TestBarcode t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_barcode.moc"
