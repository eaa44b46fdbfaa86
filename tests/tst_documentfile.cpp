#include "docbuilder.h"
#include "document.h"
#include "labelitems/textitem.h"
#include "testutil.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <limits>
#include <sys/resource.h>

using namespace docbuilder;

namespace {

QByteArray writeToBytes(Document &doc)
{
    QBuffer buf;
    if (!writeDocumentFile(&buf, &doc))
        return QByteArray();
    return buf.data();
}

bool readFromBytes(const QByteArray &bytes, Document &doc)
{
    QBuffer buf;
    buf.setData(bytes);
    return readDocumentFile(&buf, &doc);
}

QStringList stackedTexts(Document &doc)
{
    QStringList texts;
    const QList<BaseItem *> items = doc.labelItems();
    for (BaseItem *i : items)
        texts << static_cast<TextItem *>(i)->plainText();
    return texts;
}

Text helloText()
{
    Text t;
    t.pos = QPointF(10, 20);
    t.size = QSizeF(120, 40);
    t.font = QFont(QStringLiteral("Liberation Sans"), 14);
    t.text = QStringLiteral("Hello");
    t.texts = QStringList{QStringLiteral("Hello"), QStringLiteral("World")};
    return t;
}

// A valid file with one text item, built field by field.
QByteArray handBuiltFile(bool withLockFlag, qint32 docVersion, bool locked,
                         QList<qint32> extraCodesBefore = {}, const Text &t = helloText())
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(15);
    writeFileStart(out, docVersion);
    writeEmptySources(out);
    writeTemplate(out, makeTemplate(100, 50));
    out << qint32(2 + extraCodesBefore.size());
    for (qint32 code : extraCodesBefore)
        out << code;
    out << qint32(8); // the text item's editor, tag only
    out << qint32(65537);
    writeText(out, t);
    out << QString();
    if (withLockFlag)
        out << locked;
    return bytes;
}

} // namespace

class TestDocumentFile : public QObject
{
    Q_OBJECT
private slots:
    void writesTheLayoutByteForByte();
    void readWriteRoundTrip();
    void magicDifferingInOneByteIsRefused();
    void versionThreeBlockOpensUnlocked();
    void lockFlagFollowsNullPrinterName();
    void unknownItemCodeIsSkippedAfterItsTag();
    void stackingSurvivesSaveAndReopen();
    void truncatedFilesAreRefused();
    void absurdItemCountIsRefused();
    void randomBytesAfterHeaderAreRefused();
    void foreignNestedBlockIsRefused();
    void itemValuesNoLabelCanHave_data();
    void itemValuesNoLabelCanHave();
    void crashedLayoutReproIsRefused();
    void failedSaveKeepsThePreviousFile();
    void shippedExamplesOpen();
};

void TestDocumentFile::writesTheLayoutByteForByte()
{
    Document doc;
    doc.setSizeTemplate(makeTemplate(100, 50));
    TextItem *t = addText(doc, QPointF(10, 20), QSizeF(120, 40), QStringLiteral("Hello"));
    t->setFont(QFont(QStringLiteral("Liberation Sans"), 14));
    t->insertRecord(1);
    t->setRecordIndex(1);
    t->setPlainText(QStringLiteral("World"));
    t->setRecordIndex(0);

    const QByteArray expected = handBuiltFile(true, 4, false);
    const QByteArray written = writeToBytes(doc);
    QVERIFY2(written == expected, qPrintable(QStringLiteral("\nwritten:  %1\nexpected: %2")
                                                 .arg(testutil::hex(written), testutil::hex(expected))));
}

void TestDocumentFile::readWriteRoundTrip()
{
    const QByteArray file = handBuiltFile(true, 4, true);
    Document doc;
    QVERIFY(readFromBytes(file, doc));
    QVERIFY(!doc.isModified());
    QVERIFY(doc.isLocked());
    QCOMPARE(doc.sizeTemplate(), makeTemplate(100, 50));
    QCOMPARE(doc.labelCount(), 2);
    const QList<BaseItem *> items = doc.labelItems();
    QCOMPARE(items.size(), 1);
    auto *t = static_cast<TextItem *>(items.first());
    QCOMPARE(t->pos(), QPointF(10, 20));
    QCOMPARE(t->size(), QSizeF(120, 40));
    QCOMPARE(t->texts(), QStringList({"Hello", "World"}));
    // A locked layout read from a file cannot be dragged.
    QVERIFY(!(t->flags() & QGraphicsItem::ItemIsMovable));
    QCOMPARE(writeToBytes(doc), file);
}

void TestDocumentFile::magicDifferingInOneByteIsRefused()
{
    const QByteArray good = handBuiltFile(true, 4, false);
    for (int i = 0; i < 30; ++i) {
        QByteArray bad = good;
        bad[i] = char(bad.at(i) ^ 0x20);
        Document doc;
        QVERIFY2(!readFromBytes(bad, doc), qPrintable(QStringLiteral("byte %1").arg(i)));
    }
}

void TestDocumentFile::versionThreeBlockOpensUnlocked()
{
    Document doc;
    QVERIFY(readFromBytes(handBuiltFile(false, 3, false), doc));
    QVERIFY(!doc.isLocked());
    QCOMPARE(doc.labelItems().size(), 1);
}

void TestDocumentFile::lockFlagFollowsNullPrinterName()
{
    Document locked;
    QVERIFY(readFromBytes(handBuiltFile(true, 4, true), locked));
    QVERIFY(locked.isLocked());
    QVERIFY(!locked.printerSettings());
    Document open;
    QVERIFY(readFromBytes(handBuiltFile(true, 4, false), open));
    QVERIFY(!open.isLocked());
}

void TestDocumentFile::unknownItemCodeIsSkippedAfterItsTag()
{
    Document doc;
    QVERIFY(readFromBytes(handBuiltFile(true, 4, false, {12345, 3, -7}), doc));
    QCOMPARE(doc.labelItems().size(), 1);
    QCOMPARE(static_cast<TextItem *>(doc.labelItems().first())->plainText(), QStringLiteral("Hello"));
}

void TestDocumentFile::stackingSurvivesSaveAndReopen()
{
    Document doc;
    doc.setSizeTemplate(makeTemplate(100, 50));
    addText(doc, QPointF(0, 0), QSizeF(100, 100), QStringLiteral("bottom"));
    addText(doc, QPointF(20, 20), QSizeF(100, 100), QStringLiteral("middle"));
    TextItem *top = addText(doc, QPointF(40, 40), QSizeF(100, 100), QStringLiteral("top"));
    top->setSelected(true); // handles are scene items too; they must not disturb the order
    const QStringList before = stackedTexts(doc);
    QCOMPARE(before, QStringList({"top", "middle", "bottom"}));

    Document reopened;
    QVERIFY(readFromBytes(writeToBytes(doc), reopened));
    QCOMPARE(stackedTexts(reopened), before);
    Document again;
    QVERIFY(readFromBytes(writeToBytes(reopened), again));
    QCOMPARE(stackedTexts(again), before);
}

void TestDocumentFile::truncatedFilesAreRefused()
{
    const QByteArray good = handBuiltFile(true, 4, false);
    for (int len = 0; len < good.size(); ++len) {
        Document doc;
        QVERIFY2(!readFromBytes(good.left(len), doc), qPrintable(QStringLiteral("length %1").arg(len)));
    }
}

void TestDocumentFile::absurdItemCountIsRefused()
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(15);
    writeFileStart(out);
    writeEmptySources(out);
    writeTemplate(out, makeTemplate(100, 50));
    out << qint32(2147483647);
    out << qint32(65537);
    Document doc;
    QVERIFY(!readFromBytes(bytes, doc));
    QVERIFY(doc.labelItems().isEmpty());
}

void TestDocumentFile::randomBytesAfterHeaderAreRefused()
{
    QRandomGenerator rng(20261208);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(15);
        writeFileStart(out);
        if (round % 2)
            writeEmptySources(out); // let half of them reach deeper blocks
        QByteArray noise(int(rng.bounded(1, 2000)), Qt::Uninitialized);
        for (char &c : noise)
            c = char(rng.bounded(256));
        out.writeRawData(noise.constData(), noise.size());
        Document doc;
        QVERIFY(!readFromBytes(bytes, doc));
    }
}

void TestDocumentFile::foreignNestedBlockIsRefused()
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(15);
    writeFileStart(out);
    writeEmptySources(out);
    // A text item block where the size template block belongs.
    writeText(out, Text());
    out << qint32(0) << QString() << false;
    Document doc;
    QTest::ignoreMessage(QtWarningMsg, "SizeTemplate header mismatch error");
    QVERIFY(!readFromBytes(bytes, doc));
}

void TestDocumentFile::itemValuesNoLabelCanHave_data()
{
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<double>("rotation");
    QTest::addColumn<QByteArray>("font");

    const QPointF p(10, 20);
    const QSizeF s(120, 40);
    const QByteArray ok = rawFont(QStringLiteral("Liberation Sans"), 14, -1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // What an editor can make opens as it is.
    QTest::newRow("2 pt") << true << p << s << 0.0 << rawFont(QStringLiteral("Liberation Sans"), 2, -1);
    QTest::newRow("999 pt") << true << p << s << 0.0 << rawFont(QStringLiteral("Liberation Sans"), 999, -1);
    QTest::newRow("20 px") << true << p << s << 0.0 << rawFont(QStringLiteral("Liberation Sans"), -1, 20);
    QTest::newRow("off the label, turned") << true << QPointF(-900, 3000) << QSizeF(-30, 0) << 315.0 << ok;
    // The values of the file that froze the layout, and their kin.
    QTest::newRow("1e-306 pt, negative px") << false << p << s << 0.0
                                            << rawFont(QString(), 7.47625e-306, -1069790191);
    QTest::newRow("both sizes") << false << p << s << 0.0 << rawFont(QStringLiteral("A"), 12, 16);
    QTest::newRow("neither size") << false << p << s << 0.0 << rawFont(QStringLiteral("A"), -1, -1);
    QTest::newRow("NaN pt") << false << p << s << 0.0 << rawFont(QStringLiteral("A"), nan, -1);
    QTest::newRow("NaN x") << false << QPointF(nan, 0) << s << 0.0 << ok;
    QTest::newRow("infinite width") << false << p << QSizeF(inf, 40) << 0.0 << ok;
    QTest::newRow("1e9 height") << false << p << QSizeF(120, 1e9) << 0.0 << ok;
    QTest::newRow("NaN rotation") << false << p << s << nan << ok;
}

void TestDocumentFile::itemValuesNoLabelCanHave()
{
    QFETCH(bool, opens);
    QFETCH(QPointF, pos);
    QFETCH(QSizeF, size);
    QFETCH(double, rotation);
    QFETCH(QByteArray, font);
    Text t = helloText();
    t.pos = pos;
    t.size = size;
    t.rotation = rotation;
    t.rawFont = font;
    Document doc;
    if (!opens)
        QTest::ignoreMessage(QtWarningMsg,
                             "Item block refused: a position, size, font or rotation no label can have");
    QCOMPARE(readFromBytes(handBuiltFile(true, 4, false, {}, t), doc), opens);
    QCOMPARE(doc.labelItems().size(), opens ? 1 : 0);
    if (opens) {
        auto *item = static_cast<TextItem *>(doc.labelItems().first());
        QCOMPARE(item->pos(), pos);
        QCOMPARE(item->size(), size);
        QCOMPARE(item->rotation(), rotation);
        // Written again, the item's block is the one that was read.
        const QByteArray again = writeToBytes(doc);
        Document reread;
        QVERIFY(readFromBytes(again, reread));
        QCOMPARE(writeToBytes(reread), again);
    }
}

void TestDocumentFile::crashedLayoutReproIsRefused()
{
    // A fuzzed file whose text item froze the text layout for minutes; it
    // must be refused at once (CTest's time limit catches a hang).
    QFile file(QStringLiteral(TAGORIX_SOURCE_DIR "/tests/fuzz/corpus/document/hang-textitem-layout.tx4l"));
    QVERIFY(file.exists());
    Document doc;
    QTest::ignoreMessage(QtWarningMsg,
                         "Item block refused: a position, size, font or rotation no label can have");
    QVERIFY(!readDocumentFile(&file, &doc));
    QVERIFY(doc.labelItems().isEmpty());
}

void TestDocumentFile::failedSaveKeepsThePreviousFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("label.tx4l"));
    Document small;
    small.setSizeTemplate(makeTemplate(50, 30));
    {
        QSaveFile f(path);
        QVERIFY(writeDocumentFile(&f, &small));
    }
    QFile check(path);
    QVERIFY(check.open(QIODevice::ReadOnly));
    const QByteArray before = check.readAll();
    check.close();

    Document big;
    big.setSizeTemplate(makeTemplate(100, 50));
    for (int i = 0; i < 50; ++i)
        addText(big, QPointF(i, i), QSizeF(60, 20), QString(200, QLatin1Char('x')));

    // A file size limit makes the write fail half-way, whoever runs the test.
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = old;
    limit.rlim_cur = rlim_t(before.size() + 64);
    setrlimit(RLIMIT_FSIZE, &limit);
    bool written;
    {
        QSaveFile f(path);
        written = writeDocumentFile(&f, &big);
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"label.tx4l"}));
}

void TestDocumentFile::shippedExamplesOpen()
{
    const QDir dir(QStringLiteral(TAGORIX_SOURCE_DIR "/examples"));
    const QStringList files = dir.entryList({QStringLiteral("*.tx4l")}, QDir::Files);
    QVERIFY(files.size() >= 2);
    for (const QString &name : files) {
        QFile f(dir.filePath(name));
        Document doc;
        QVERIFY2(readDocumentFile(&f, &doc), qPrintable(name));
        QVERIFY(doc.sizeTemplate().isValid());
        QVERIFY(doc.labelCount() > 1);
    }
}

QTEST_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
