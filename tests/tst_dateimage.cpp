#include "commands.h"
#include "docbuilder.h"
#include "document.h"
#include "documentview.h"
#include "labelitems/datetimeitem.h"
#include "labelitems/itemfactory.h"
#include "labelitems/pixmapitem.h"
#include "labelitems/textitem.h"
#include "dialogs/positionsizedialog.h"
#include "mousedrive.h"

#include <QBuffer>
#include <QDoubleSpinBox>
#include <QPainter>
#include <QSignalSpy>
#include <QTextDocument>
#include <QUndoStack>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray pngOf(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// Left half red, right half blue.
QImage halves(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, w / 2, h, Qt::red);
    return image;
}

QByteArray blockOf(ISerializable *item)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(15);
    item->streamWrite(out);
    return bytes;
}

bool readFile(const QByteArray &bytes, Document &doc)
{
    QBuffer buffer;
    buffer.setData(bytes);
    return readDocumentFile(&buffer, &doc);
}

// What an item paints by itself, without its frame.
QImage rendered(BaseItem *item, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    item->setPrintMode(true);
    item->paint(&p, nullptr, nullptr);
    item->setPrintMode(false);
    return image;
}

struct Stepping
{
    // Each reading of the clock is one minute later.
    QDateTime next = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    Stepping()
    {
        DateTimeItem::setClock([this] {
            next = next.addSecs(60);
            return next;
        });
    }
    ~Stepping() { DateTimeItem::setClock({}); }
};

} // namespace

class TestDateImage : public QObject
{
    Q_OBJECT
private slots:
    void dateTimeRefreshes();
    void dateTimeFormats();
    void dateTimeBlockReadsAsStored();
    void pictureIsStretchedOverTheContent();
    void pictureBlockBytes();
    void hostilePicturesAreRefused_data();
    void hostilePicturesAreRefused();
    void positionDialogInMillimetres();
    void toolsInsertAndUndo();
};

void TestDateImage::dateTimeRefreshes()
{
    Stepping clock;
    DateTimeItem system(QSizeF(200, 40));
    system.setValue(QDateTime(), QStringLiteral("hh:mm"), true);
    QCOMPARE(system.plainText(), QStringLiteral("09:02"));
    system.setPrintMode(true);
    QCOMPARE(system.plainText(), QStringLiteral("09:03"));
    system.setPrintMode(false);
    QCOMPARE(system.plainText(), QStringLiteral("09:04"));

    DateTimeItem fixed(QSizeF(200, 40));
    fixed.setValue(QDateTime(QDate(2025, 1, 31), QTime(7, 5)), QStringLiteral("yyyy-MM-dd hh:mm"),
                   false);
    fixed.setPrintMode(true);
    fixed.setPrintMode(false);
    QCOMPARE(fixed.plainText(), QStringLiteral("2025-01-31 07:05"));
}

void TestDateImage::dateTimeFormats()
{
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
    DateTimeItem item(QSizeF(300, 40));
    QCOMPARE(item.format(), QLocale().dateFormat(QLocale::LongFormat));
    item.setValue(when, QString(), false);
    QCOMPARE(item.plainText(), when.toString(Qt::TextDate));
    item.setValue(when, QLatin1String(""), false);
    QCOMPARE(item.plainText(), QString());
}

void TestDateImage::dateTimeBlockReadsAsStored()
{
    const QDateTime when(QDate(2024, 2, 29), QTime(23, 59));
    const QFont font(QStringLiteral("Liberation Sans"), 16);
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out.setVersion(15);
    docbuilder::writeDateTime(out, QPointF(12, 34), QSizeF(200, 50), font, Qt::AlignRight, when,
                              QStringLiteral("dd.MM.yyyy"), false, 90);

    Document doc;
    QVERIFY(readFile(docbuilder::fileWithItem(65540, block), doc));
    QCOMPARE(doc.labelItems().size(), 1);
    auto *item = qgraphicsitem_cast<DateTimeItem *>(doc.labelItems().first());
    QVERIFY(item);
    QCOMPARE(item->plainText(), QStringLiteral("29.02.2024"));
    QCOMPARE(item->pos(), QPointF(12, 34));
    QCOMPARE(item->rotation(), 90.0);
    QCOMPARE(item->font(), font);
    QCOMPARE(item->alignment(), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(blockOf(item), block);

    // Version 1 has no rotation; the next item's tag follows at once.
    QByteArray old;
    QDataStream oldOut(&old, QIODevice::WriteOnly);
    oldOut.setVersion(15);
    docbuilder::writeDateTime(oldOut, QPointF(1, 2), QSizeF(100, 30), font, Qt::AlignLeft, when,
                              QStringLiteral("yyyy"), false, 0, 1);
    Document older;
    QVERIFY(readFile(docbuilder::fileWithItem(65540, old), older));
    QCOMPARE(static_cast<DateTimeItem *>(older.labelItems().first())->plainText(),
             QStringLiteral("2024"));
}

void TestDateImage::pictureIsStretchedOverTheContent()
{
    PixmapItem square(QSizeF(20, 20));
    square.setPixmap(QPixmap::fromImage(halves(100, 50)));
    const QImage a = rendered(&square, QSize(30, 30));
    QCOMPARE(a.pixelColor(4, 18), QColor(Qt::red));
    QCOMPARE(a.pixelColor(15, 18), QColor(Qt::blue));
    QCOMPARE(a.pixelColor(25, 10), QColor(Qt::white));

    PixmapItem odd(QSizeF(10.6, 10.4));
    QImage black(4, 4, QImage::Format_RGB32);
    black.fill(Qt::black);
    odd.setPixmap(QPixmap::fromImage(black));
    const QImage b = rendered(&odd, QSize(20, 20));
    QCOMPARE(b.pixelColor(10, 9), QColor(Qt::black));
    QCOMPARE(b.pixelColor(11, 5), QColor(Qt::white));
    QCOMPARE(b.pixelColor(5, 10), QColor(Qt::white));

    PixmapItem empty(QSizeF(20, 20));
    QCOMPARE(rendered(&empty, QSize(20, 20)).pixelColor(10, 10), QColor(Qt::white));
}

void TestDateImage::pictureBlockBytes()
{
    const QImage picture = halves(8, 6);
    PixmapItem item(QSizeF(40, 30));
    item.setPos(5, 6);
    item.setItemRotation(45);
    item.setPixmap(QPixmap::fromImage(picture));
    QByteArray expected;
    QDataStream out(&expected, QIODevice::WriteOnly);
    out.setVersion(15);
    docbuilder::writePixmap(out, QPointF(5, 6), QSizeF(40, 30), pngOf(picture), 45);
    QCOMPARE(blockOf(&item), expected);

    Document doc;
    QVERIFY(readFile(docbuilder::fileWithItem(65539, expected), doc));
    auto *back = qgraphicsitem_cast<PixmapItem *>(doc.labelItems().first());
    QVERIFY(back);
    QCOMPARE(back->pixmap().toImage().convertToFormat(QImage::Format_RGB32), picture);
    QCOMPARE(blockOf(back), expected);
}

void TestDateImage::hostilePicturesAreRefused_data()
{
    QTest::addColumn<QByteArray>("png");
    // A 1 x 1 PNG whose header then claims 100,000 x 100,000 pixels: ten
    // gigapixels from a few bytes.
    QByteArray bomb = pngOf(halves(2, 2));
    qToBigEndian<quint32>(100000, bomb.data() + 16);
    qToBigEndian<quint32>(100000, bomb.data() + 20);
    QTest::newRow("ten gigapixels") << bomb;
    QByteArray damaged = pngOf(halves(64, 64));
    for (int i = 60; i < damaged.size() - 20; ++i)
        damaged[i] = char(i * 7);
    QTest::newRow("damaged image data") << damaged;
    QByteArray endless = pngOf(halves(2, 2));
    endless.chop(12); // no IEND: the picture would run to the end of the file
    QTest::newRow("no end chunk") << endless;
    QTest::newRow("no PNG") << QByteArray("GIF89a......", 12);
}

void TestDateImage::hostilePicturesAreRefused()
{
    QFETCH(QByteArray, png);
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out.setVersion(15);
    docbuilder::writePixmap(out, QPointF(0, 0), QSizeF(50, 50), png);
    Document doc;
    QVERIFY(!readFile(docbuilder::fileWithItem(65539, block), doc));
    QVERIFY(doc.labelItems().isEmpty());
}

void TestDateImage::positionDialogInMillimetres()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    const double f = doc.labelGeometry().pixelsPerMm;
    TextItem *t = docbuilder::addText(doc, QPointF(-3 * f, 10 * f), QSizeF(1200 * f, 20 * f),
                                      QStringLiteral("a long line that wraps once it is narrow"));
    PositionSizeDialog dialog(t, &doc);
    auto box = [&](const char *name) { return dialog.findChild<QDoubleSpinBox *>(QLatin1String(name)); };
    QCOMPARE(box("x")->value(), 0.0);
    QCOMPARE(box("y")->value(), 10.0);
    QCOMPARE(box("width")->value(), 999.99);
    QCOMPARE(box("width")->suffix(), QStringLiteral(" mm"));
    dialog.accept();
    QCOMPARE(t->pos(), QPointF(0, 10 * f));
    QCOMPARE(t->size().width(), 999.99 * f);

    const double oneLine = t->editor()->document()->size().height();
    PositionSizeDialog narrow(t, &doc);
    narrow.findChild<QDoubleSpinBox *>(QStringLiteral("width"))->setValue(10);
    narrow.accept();
    QCOMPARE(t->size().width(), 10 * f);
    QCOMPARE(t->editor()->textWidth(), 10 * f);
    QVERIFY(t->editor()->document()->size().height() > 2 * oneLine);

    // With the item gone the dialog changes nothing and does not crash.
    PositionSizeDialog orphan(t, &doc);
    delete t;
    orphan.accept();
}

void TestDateImage::toolsInsertAndUndo()
{
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    DocumentView view(&doc);
    view.resize(900, 500);
    view.show();
    QImage logo = halves(30, 20);
    int asked = 0;
    QPixmap answer;
    doc.setImageSource([&] {
        ++asked;
        return answer;
    });

    // A cancelled (or unreadable) picture inserts nothing.
    doc.setInsertMode(Document::InsertImage);
    mousedrive::drag(&view, QPointF(40, 40), QPointF(140, 100));
    QCOMPARE(asked, 1);
    QVERIFY(doc.labelItems().isEmpty());
    QCOMPARE(doc.undoStack()->count(), 0);

    answer = QPixmap::fromImage(logo);
    mousedrive::drag(&view, QPointF(40, 40), QPointF(140, 100));
    doc.setInsertMode(Document::InsertDateTime);
    mousedrive::drag(&view, QPointF(200, 40), QPointF(400, 90));
    doc.resetInsertMode();
    QCOMPARE(doc.undoStack()->count(), 2);
    QCOMPARE(doc.undoStack()->text(0), QStringLiteral("Insert image frame"));
    QCOMPARE(doc.undoStack()->text(1), QStringLiteral("Insert Date and Time frame"));

    QList<BaseItem *> items = doc.labelItems();
    QCOMPARE(items.size(), 2);
    QList<BaseItem::Geometry> where;
    for (BaseItem *i : items)
        where << i->geometry();
    doc.undoStack()->undo();
    doc.undoStack()->undo();
    QVERIFY(doc.labelItems().isEmpty());
    doc.undoStack()->redo();
    doc.undoStack()->redo();
    QCOMPARE(doc.labelItems(), items);
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(items.at(i)->geometry(), where.at(i));
    auto *picture = qgraphicsitem_cast<PixmapItem *>(items.last());
    QVERIFY(picture);
    QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), logo);
}

QTEST_MAIN(TestDateImage)
#include "tst_dateimage.moc"
