// The printer language: graphics, labels and the settings that precede them.

#include "scancheck.h"
#include "zpl.h"

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
                         "zeMediaTracking", "Mark", "MediaType", "Direct", "zeLabelTop", "-5",
                         "zeTearOffPosition", "-10"}),
             QByteArray("~SD20~TA-010^XA^PR4^MMC^MNM^MTD^LT-5^XZ"));
    QCOMPARE(zpl::setup({"Darkness", "31", "Resolution", "203dpi"}), QByteArray());
}

QTEST_MAIN(TestZpl)
#include "tst_zpl.moc"
