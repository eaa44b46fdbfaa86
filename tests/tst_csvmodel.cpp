#include "qxtcsvmodel.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>
#include <cstring>

namespace {

QByteArray bytes(const char *text)
{
    return QByteArray(text);
}

// Keeps the buffer alive beside the model, which reads it at construction.
struct Csv
{
    explicit Csv(const QByteArray &content, bool withHeader = false)
    {
        buffer.setData(content);
        model.reset(new QxtCsvModel(&buffer, nullptr, withHeader, QLatin1Char(',')));
    }
    QStringList row(int r) const
    {
        QStringList fields;
        for (int c = 0; c < model->columnCount(); ++c) {
            fields << model->data(model->index(r, c)).toString();
        }
        return fields;
    }
    QBuffer buffer;
    std::unique_ptr<QxtCsvModel> model;
};

// A device that cannot seek, as a pipe.
struct Pipe : QIODevice
{
    QByteArray bytes;
    bool isSequential() const override { return true; }
    qint64 readData(char *data, qint64 maxSize) override
    {
        const QByteArray part = bytes.left(int(maxSize));
        bytes.remove(0, part.size());
        std::memcpy(data, part.constData(), size_t(part.size()));
        return part.size();
    }
    qint64 writeData(const char *, qint64) override { return -1; }
};

} // namespace

class TestCsvModel : public QObject
{
    Q_OBJECT
private slots:
    void splitsLines_data();
    void splitsLines();
    void records_data();
    void records();
    void headerAndColumnCount();
    void lineEndingsDoNotMatter();
    void encoding_data();
    void encoding();
    void nulMeansBinary();
    void rereadReplacesTheTable();
    void rolesAndFlags();
    void setDataRewritesOnlyItsField();
    void setDataRefusals();
    void insertAndRemoveRows();
    void insertAndRemoveColumns();
    void unreadableDeviceGivesEmptyTable();
    void overlongRecordIsCut_data();
    void overlongRecordIsCut();
    void binaryGarbage();
};

void TestCsvModel::splitsLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("columns");

    QTest::newRow("empty line is one field") << bytes("\n") << QStringList{""} << 1;
    QTest::newRow("empty fields kept") << bytes(",,") << QStringList{"", "", ""} << 3;
    QTest::newRow("no final line feed") << bytes("p,q") << QStringList{"p", "q"} << 2;
    QTest::newRow("byte order mark") << bytes("\xEF\xBB\xBFk,l\n") << QStringList{"k", "l"} << 2;
    QTest::newRow("utf-8") << bytes("\xC3\xA9t\xC3\xA9,\xE2\x82\xAC")
                           << QStringList{QString::fromUtf8("\xC3\xA9t\xC3\xA9"),
                                          QString::fromUtf8("\xE2\x82\xAC")}
                           << 2;
}

void TestCsvModel::splitsLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, fields);
    QFETCH(int, columns);
    Csv csv(content);
    QCOMPARE(csv.model->rowCount(), 1);
    QCOMPARE(csv.model->columnCount(), columns);
    QCOMPARE(csv.row(0), fields);
}

// Each record as its fields joined by '|'; every case has records of one width,
// so a field too many or too few shows.
void TestCsvModel::records_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("records");

    QTest::newRow("quoted separator")
        << bytes("\"Smith, John\",800000000001") << QStringList{"Smith, John|800000000001"};
    QTest::newRow("doubled quote") << bytes("\"say \"\"hi\"\"\",x") << QStringList{"say \"hi\"|x"};
    QTest::newRow("quoted LF") << bytes("\"a\nb\",c\nd,e\n") << QStringList{"a\nb|c", "d|e"};
    QTest::newRow("quoted CRLF and CR")
        << bytes("\"a\r\nb\rc\",d\r\ne,f\r\n") << QStringList{"a\nb\nc|d", "e|f"};
    QTest::newRow("CR only") << bytes("a,b\rc,d\r") << QStringList{"a|b", "c|d"};
    QTest::newRow("byte order mark") << bytes("\xEF\xBB\xBF\"k\",l\n") << QStringList{"k|l"};
    QTest::newRow("backslash is plain text") << bytes("\"a\\\"b\",c") << QStringList{"a\\b\"|c"};
    QTest::newRow("empty quoted field") << bytes("\"\",\"\"") << QStringList{"|"};
    QTest::newRow("quote inside unquoted")
        << bytes("5\" disk,a\"b\"") << QStringList{"5\" disk|a\"b\""};
    QTest::newRow("text after closing quote")
        << bytes("\"ab\"cd\"e,f\n") << QStringList{"abcd\"e|f"};
    QTest::newRow("unclosed quote takes the rest")
        << bytes("a,\"b,c\nd,e\n") << QStringList{"a|b,c\nd,e\n"};
    QTest::newRow("no final line ending") << bytes("a\nb") << QStringList{"a", "b"};
    QTest::newRow("empty lines inside")
        << bytes("a\n\r\n\nb\n\n") << QStringList{"a", "", "", "b", ""};
    QTest::newRow("separator before line break") << bytes("a,\nb,c") << QStringList{"a|", "b|c"};
    // The input is read in blocks of 64 KiB.
    const QByteArray block(65535, 'a');
    const QString text(65535, QLatin1Char('a'));
    QTest::newRow("CRLF across blocks") << block + "\r\nb" << QStringList{text, "b"};
    QTest::newRow("quoted field after a block") << block + ",\"x,y\"" << QStringList{text + "|x,y"};
    QTest::newRow("doubled quote across blocks")
        << "\"" + block.left(65534) + "\"\"x\"" << QStringList{text.left(65534) + "\"x"};
    QTest::newRow("literal field mark")
        << bytes("a\x01z,c") << QStringList{QString("a") + QChar(0xFFFD) + "z|c"};
}

void TestCsvModel::records()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, records);
    Csv csv(content);
    QStringList read;
    for (int r = 0; r < csv.model->rowCount(); ++r) {
        read << csv.row(r).join(QLatin1Char('|'));
    }
    QCOMPARE(read, records);
}

void TestCsvModel::headerAndColumnCount()
{
    Csv csv(bytes("name,code\nx,1,extra\ny\n"), true);
    QCOMPARE(csv.model->rowCount(), 2);
    QCOMPARE(csv.model->columnCount(), 3);
    QCOMPARE(csv.row(0), (QStringList{"x", "1", "extra"}));
    const QVariant empty = csv.model->data(csv.model->index(1, 1));
    QVERIFY(empty.isValid());
    QCOMPARE(empty.toString(), QString());
    QCOMPARE(csv.model->headerData(0, Qt::Horizontal), QVariant(QStringLiteral("name")));
    QCOMPARE(csv.model->headerData(1, Qt::Horizontal), QVariant(QStringLiteral("code")));
    QCOMPARE(csv.model->headerData(2, Qt::Horizontal), QVariant(3));
    QCOMPARE(csv.model->headerData(0, Qt::Vertical), QVariant(1));

    // The header line alone can set the width.
    Csv wide(bytes("a,b,c,d\n1,2\n"), true);
    QCOMPARE(wide.model->columnCount(), 4);
    // Without a header the first line is a record.
    Csv plain(bytes("name,code\nx\n"), false);
    QCOMPARE(plain.model->rowCount(), 2);
    QCOMPARE(plain.model->headerData(0, Qt::Horizontal), QVariant(1));
}

void TestCsvModel::lineEndingsDoNotMatter()
{
    Csv lf(bytes("h1,h2\na,\"b,c\"\n\nd,e\n"), true);
    Csv crlf(bytes("h1,h2\r\na,\"b,c\"\r\n\r\nd,e\r\n"), true);
    QCOMPARE(crlf.model->rowCount(), lf.model->rowCount());
    QCOMPARE(crlf.model->columnCount(), lf.model->columnCount());
    for (int r = 0; r < lf.model->rowCount(); ++r) {
        QCOMPARE(crlf.row(r), lf.row(r));
    }
    QCOMPARE(lf.model->rowCount(), 3);
}

void TestCsvModel::encoding_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("last");
    QTest::addColumn<bool>("windows1252");

    const QString cafe = QString::fromUtf8("Caf\xC3\xA9");
    QTest::newRow("Windows-1252") << bytes("Caf\xE9") << false << 1 << cafe << true;
    QTest::newRow("UTF-8") << bytes("Caf\xC3\xA9") << false << 1 << cafe << false;
    QTest::newRow("UTF-8 cut off at the end")
        << bytes("Caf\xC3") << false << 1 << QString::fromUtf8("Caf\xC3\x83") << true;
    QTest::newRow("one bad byte decides for all")
        << bytes("\xC3\xA9,Caf\xE9") << false << 1
        << QString::fromUtf8("\xC3\x83\xC2\xA9|Caf\xC3\xA9") << true;
    QTest::newRow("from a pipe") << bytes("Caf\xE9") << true << 1 << cafe << true;
    QTest::newRow("UTF-8 across blocks") << QByteArray(65535, 'a') + "\xC3\xA9" << false << 1
                                         << QString(65535, QLatin1Char('a')) + QChar(0xE9) << false;
    QTest::newRow("bad byte far in: no row twice")
        << QByteArray("x\n").repeated(40000) + "\xE9" << false << 40001 << QString(QChar(0xE9))
        << true;
}

void TestCsvModel::encoding()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, pipe);
    QFETCH(int, rows);
    QFETCH(QString, last);
    QFETCH(bool, windows1252);
    QBuffer plain(&content);
    Pipe piped;
    piped.bytes = content;
    QxtCsvModel model(pipe ? static_cast<QIODevice *>(&piped) : &plain);
    QCOMPARE(model.rowCount(), rows);
    QStringList fields;
    for (int c = 0; c < model.columnCount(); ++c) {
        fields << model.data(model.index(rows - 1, c)).toString();
    }
    QCOMPARE(fields.join(QLatin1Char('|')), last);
    QCOMPARE(model.decodedAsWindows1252(), windows1252);
    QVERIFY(!model.containsBinary());
}

void TestCsvModel::nulMeansBinary()
{
    Csv binary(QByteArray("\x89PNG,\0\0b\nc", 10));
    QVERIFY(binary.model->containsBinary());
    QCOMPARE(binary.model->rowCount(), 2);
    QCOMPARE(binary.model->data(binary.model->index(1, 0)).toString(), QStringLiteral("c"));
    Csv text(bytes("a,b\nc"));
    QVERIFY(!text.model->containsBinary());
}

void TestCsvModel::rereadReplacesTheTable()
{
    Csv csv(bytes("h\nCaf\xE9\n"), true);
    QVERIFY(csv.model->decodedAsWindows1252());
    QSignalSpy reset(csv.model.get(), &QAbstractItemModel::modelReset);
    csv.buffer.setData("h1,h2,h3\nx\ny,z\n");
    csv.model->reread(&csv.buffer);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(csv.model->rowCount(), 2);
    QCOMPARE(csv.model->columnCount(), 3);
    QCOMPARE(csv.row(1), (QStringList{"y", "z", ""}));
    QCOMPARE(csv.model->headerData(2, Qt::Horizontal), QVariant(QStringLiteral("h3")));
    QVERIFY(!csv.model->decodedAsWindows1252());
}

void TestCsvModel::rolesAndFlags()
{
    QBuffer buffer;
    buffer.setData("h\nv,w\n");
    QxtCsvModel model(&buffer, nullptr, true, QLatin1Char(','));
    QVERIFY(!buffer.isOpen()); // read and closed by the model
    const QModelIndex index = model.index(0, 1);
    for (int role : {int(Qt::DisplayRole), int(Qt::EditRole), int(Qt::UserRole)}) {
        QCOMPARE(model.data(index, role), QVariant(QStringLiteral("w")));
    }
    QVERIFY(!model.data(index, Qt::DecorationRole).isValid());
    QVERIFY(!model.data(QModelIndex()).isValid());
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::UserRole), QVariant(QStringLiteral("h")));
    QVERIFY(model.flags(index) & Qt::ItemIsEditable);
    QVERIFY(model.flags(index) & Qt::ItemIsEnabled);
    QCOMPARE(model.rowCount(index), 0);
    QCOMPARE(model.columnCount(index), 0);
    QVERIFY(model.inherits("QxtCsvModel"));
}

void TestCsvModel::setDataRewritesOnlyItsField()
{
    Csv csv(bytes("h1,h2,h3\na,\"b,c\",d\ny\n"), true);
    QSignalSpy changed(csv.model.get(), &QAbstractItemModel::dataChanged);

    QVERIFY(csv.model->setData(csv.model->index(0, 1), QStringLiteral("B")));
    QCOMPARE(csv.row(0), (QStringList{"a", "B", "d"}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), csv.model->index(0, 1));

    QVERIFY(csv.model->setData(csv.model->index(0, 0), QStringLiteral("x,y")));
    QVERIFY(csv.model->setData(csv.model->index(0, 2), QStringLiteral("D")));
    QCOMPARE(csv.row(0), (QStringList{"x,y", "B", "D"}));

    // A short line is padded: the value lands in its own column.
    QVERIFY(csv.model->setData(csv.model->index(1, 2), QStringLiteral("z"), Qt::DisplayRole));
    QCOMPARE(csv.row(1), (QStringList{"y", "", "z"}));
    QCOMPARE(csv.model->columnCount(), 3);

    // A value cannot smuggle in a field boundary.
    QVERIFY(csv.model->setData(csv.model->index(1, 0), QString(QChar(1)) + "q", Qt::UserRole));
    QCOMPARE(csv.row(1), (QStringList{"q", "", "z"}));
}

void TestCsvModel::setDataRefusals()
{
    Csv csv(bytes("a,b\n"));
    QSignalSpy changed(csv.model.get(), &QAbstractItemModel::dataChanged);
    QVERIFY(!csv.model->setData(csv.model->index(0, 0), "x", Qt::DecorationRole));
    QVERIFY(!csv.model->setData(QModelIndex(), "x"));
    QVERIFY(!csv.model->setData(csv.model->index(1, 0), "x"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(csv.row(0), (QStringList{"a", "b"}));
}

void TestCsvModel::insertAndRemoveRows()
{
    Csv csv(bytes("h\n1\n2\n"), true);
    QVERIFY(csv.model->insertRows(1, 2));
    QCOMPARE(csv.model->rowCount(), 4);
    QCOMPARE(csv.model->data(csv.model->index(1, 0)).toString(), QString());
    QCOMPARE(csv.model->data(csv.model->index(3, 0)).toString(), QStringLiteral("2"));
    QVERIFY(csv.model->removeRows(0, 3));
    QCOMPARE(csv.model->rowCount(), 1);
    QCOMPARE(csv.model->data(csv.model->index(0, 0)).toString(), QStringLiteral("2"));

    QVERIFY(!csv.model->insertRows(3, 1));
    QVERIFY(!csv.model->removeRows(0, 2));
    QVERIFY(!csv.model->removeRows(-1, 1));
    QVERIFY(!csv.model->insertRows(0, 1, csv.model->index(0, 0)));
}

void TestCsvModel::insertAndRemoveColumns()
{
    Csv csv(bytes("h1,h2\na,b\nc\n"), true);
    QVERIFY(csv.model->insertColumns(1, 1));
    QCOMPARE(csv.model->columnCount(), 3);
    QCOMPARE(csv.row(0), (QStringList{"a", "", "b"}));
    QCOMPARE(csv.row(1), (QStringList{"c", "", ""}));
    QCOMPARE(csv.model->headerData(1, Qt::Horizontal).toString(), QString());
    QCOMPARE(csv.model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("h2"));

    QVERIFY(csv.model->removeColumns(0, 2));
    QCOMPARE(csv.model->columnCount(), 1);
    QCOMPARE(csv.row(0), (QStringList{"b"}));
    QCOMPARE(csv.row(1), (QStringList{""}));
    QCOMPARE(csv.model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("h2"));

    QVERIFY(!csv.model->insertColumns(3, 1));
    QVERIFY(!csv.model->removeColumns(0, 2));
    QVERIFY(!csv.model->removeColumns(0, 0));
}

void TestCsvModel::unreadableDeviceGivesEmptyTable()
{
    QFile missing(QStringLiteral("/nonexistent/folder/file.csv"));
    QxtCsvModel model(&missing, nullptr, true, QLatin1Char(','));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
    QCOMPARE(model.headerData(0, Qt::Horizontal), QVariant(1));

    Csv empty(QByteArray(), true);
    QCOMPARE(empty.model->rowCount(), 0);
    QCOMPARE(empty.model->columnCount(), 0);
}

void TestCsvModel::overlongRecordIsCut_data()
{
    QTest::addColumn<QByteArray>("open");
    QTest::addColumn<QByteArray>("close");

    // What comes after the cut still ends the record where it should.
    QTest::newRow("unquoted") << QByteArray() << QByteArray(",tail\n");
    QTest::newRow("quoted, line breaks past the cut")
        << QByteArray("\"") << QByteArray("\n,\r\n\"\"\",tail\r\n");
}

void TestCsvModel::overlongRecordIsCut()
{
    QFETCH(QByteArray, open);
    QFETCH(QByteArray, close);
    const QByteArray content = "a,b\n" + open +
                               QByteArray(QxtCsvModel::MaxRecordLength + 1000, 'x') + close +
                               "next,line\n";
    Csv csv(content);
    QCOMPARE(csv.model->rowCount(), 3);
    QCOMPARE(csv.model->columnCount(), 2);
    QCOMPARE(csv.model->data(csv.model->index(1, 0)).toString().size(),
             QxtCsvModel::MaxRecordLength);
    QCOMPARE(csv.model->data(csv.model->index(1, 1)).toString(), QString());
    QCOMPARE(csv.row(2), (QStringList{"next", "line"}));
}

void TestCsvModel::binaryGarbage()
{
    QByteArray garbage(256 * 1024, Qt::Uninitialized);
    QRandomGenerator random(4242);
    for (char &c : garbage) {
        c = char(random.generate() & 0xFF);
    }
    Csv csv(garbage, true);
    QVERIFY(csv.model->rowCount() > 0);
    for (int r = 0; r < csv.model->rowCount(); ++r) {
        for (int c = 0; c < qMin(csv.model->columnCount(), 50); ++c) {
            csv.model->data(csv.model->index(r, c));
        }
    }
}

QTEST_GUILESS_MAIN(TestCsvModel)
#include "tst_csvmodel.moc"
