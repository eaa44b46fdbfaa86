#include "sizetemplate.h"
#include "sizetemplatemanager.h"
#include "testutil.h"
#include "datasourcemanager.h"
#include "txapp.h"
#include "updater.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QStringList collectedMessages;

void collectMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    collectedMessages << text;
}

// Records every Qt message while it lives: catalogue loading is silent.
class MessageCollector
{
public:
    MessageCollector() : previous(qInstallMessageHandler(collectMessage))
    {
        collectedMessages.clear();
    }
    ~MessageCollector() { qInstallMessageHandler(previous); }
    QStringList messages() const { return collectedMessages; }

private:
    QtMessageHandler previous;
};

QJsonObject stockJson(const QString &itemNo, double width = 50, double height = 25)
{
    return QJsonObject{{"id", 7},
                       {"category", 1},
                       {"itemno", itemNo},
                       {"description", QStringLiteral("Label %1").arg(itemNo)},
                       {"label-width", width},
                       {"label-height", height},
                       {"liner-width", 106.0},
                       {"margin-left", 1.5},
                       {"margin-right", 1.5},
                       {"rowspacing", 2.0},
                       {"colspacing", 3.0},
                       {"columns", 2}};
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool writeJson(const QString &path, const QJsonObject &object)
{
    return writeFile(path, QJsonDocument(object).toJson());
}

QSet<QString> itemNumbers(const SizeTemplateManager &manager)
{
    QSet<QString> numbers;
    const QList<SizeTemplate *> list = manager.templates();
    for (const SizeTemplate *st : list)
        numbers.insert(st->itemNo());
    return numbers;
}

QStringList templateFilesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.tx4t")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

SizeTemplate fullTemplate()
{
    SizeTemplate st;
    st.fromJson(stockJson(QStringLiteral("TX-T-1")));
    return st;
}

} // namespace

class TestSizeTemplate : public QObject
{
    Q_OBJECT
private slots:
    void emptyTemplates();
    void validity_data();
    void validity();
    void jsonValuesAndDefaults_data();
    void jsonValuesAndDefaults();
    void jsonRoundTrip();
    void streamRoundTrip();
    void streamBytesMatchHandBuiltStream();
    void damagedStream_data();
    void damagedStream();
    void foreignHeaderKeepsTable();

    void catalogueFilesFilteredAndSkipped();
    void categories_data();
    void categories();
    void missingCatalogue();
    void symbolicLinks();

    void shippedCatalogueLoadsCompletely();
    void shippedTemplatesAddUp();
    void shippedFilesHoldTheTwelveNames();
    void initializeCreatesManager();
};

void TestSizeTemplate::emptyTemplates()
{
    SizeTemplate none;
    QVERIFY(!none.isValid());
    QCOMPARE(none.count(), 0);
    QCOMPARE(none.labelWidth(), 0.0);
    QCOMPARE(none.itemNo(), QString());

    SizeTemplate empty;
    empty.fromJson(QJsonObject());
    QCOMPARE(empty.count(), 12);
    QVERIFY(!empty.isValid());
    const QList<int> intKeys = {SizeTemplate::Id, SizeTemplate::Category, SizeTemplate::Columns};
    const QList<int> stringKeys = {SizeTemplate::ItemNo, SizeTemplate::Description};
    for (qint32 key = 0; key < 12; ++key) {
        const int type = empty.value(key).userType();
        if (intKeys.contains(key))
            QCOMPARE(type, int(QMetaType::Int));
        else if (stringKeys.contains(key))
            QCOMPARE(type, int(QMetaType::QString));
        else
            QCOMPARE(type, int(QMetaType::Double));
    }
    QCOMPARE(empty.columns(), 0);
    QCOMPARE(empty.description(), QString());
}

void TestSizeTemplate::validity_data()
{
    QTest::addColumn<QVariant>("width");
    QTest::addColumn<QVariant>("height");
    QTest::addColumn<bool>("valid");
    QTest::newRow("width exactly 1") << QVariant(1.0) << QVariant(25.0) << false;
    QTest::newRow("width 1.5") << QVariant(1.5) << QVariant(25.0) << true;
    QTest::newRow("height exactly 1") << QVariant(50.0) << QVariant(1.0) << false;
    QTest::newRow("height 1.01") << QVariant(50.0) << QVariant(1.01) << true;
    QTest::newRow("negative width") << QVariant(-50.0) << QVariant(25.0) << false;
    QTest::newRow("width as text") << QVariant(QStringLiteral("50")) << QVariant(25.0) << true;
    QTest::newRow("width not a number")
        << QVariant(QStringLiteral("wide")) << QVariant(25.0) << false;
    QTest::newRow("infinite width")
        << QVariant(std::numeric_limits<double>::infinity()) << QVariant(25.0) << false;
    QTest::newRow("NaN height") << QVariant(50.0)
                                << QVariant(std::numeric_limits<double>::quiet_NaN()) << false;
}

void TestSizeTemplate::validity()
{
    QFETCH(QVariant, width);
    QFETCH(QVariant, height);
    QFETCH(bool, valid);
    SizeTemplate st = fullTemplate();
    st.setValue(SizeTemplate::LabelWidth, width);
    st.setValue(SizeTemplate::LabelHeight, height);
    QCOMPARE(st.isValid(), valid);
    // The entry count is part of validity: one more or one less key fails.
    SizeTemplate extra = st;
    extra.setValue(12, 1);
    QVERIFY(!extra.isValid());
    SizeTemplate eleven;
    for (qint32 key = 0; key < 11; ++key)
        eleven.setValue(key, st.value(key));
    QVERIFY(!eleven.isValid());
}

void TestSizeTemplate::jsonValuesAndDefaults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QJsonValue>("json");
    QTest::addColumn<QVariant>("expected");
    // Rows that leave the label size intact stay valid: a missing column
    // count does not make the stock unusable.
    QTest::newRow("columns missing")
        << "columns" << QJsonValue(QJsonValue::Undefined) << QVariant(0);
    QTest::newRow("columns as text") << "columns" << QJsonValue("3") << QVariant(0);
    QTest::newRow("columns fractional") << "columns" << QJsonValue(2.5) << QVariant(0);
    QTest::newRow("columns 3") << "columns" << QJsonValue(3) << QVariant(3);
    QTest::newRow("id as double 12.0") << "id" << QJsonValue(12.0) << QVariant(12);
    QTest::newRow("category null") << "category" << QJsonValue(QJsonValue::Null) << QVariant(0);
    QTest::newRow("itemno as number") << "itemno" << QJsonValue(42) << QVariant(QString());
    QTest::newRow("description missing")
        << "description" << QJsonValue(QJsonValue::Undefined) << QVariant(QString());
    QTest::newRow("width as text") << "label-width" << QJsonValue("50") << QVariant(0.0);
    QTest::newRow("width fractional") << "label-width" << QJsonValue(57.15) << QVariant(57.15);
    QTest::newRow("margin as array")
        << "margin-left" << QJsonValue(QJsonArray{1, 2}) << QVariant(0.0);
    QTest::newRow("rowspacing as bool") << "rowspacing" << QJsonValue(true) << QVariant(0.0);
}

void TestSizeTemplate::jsonValuesAndDefaults()
{
    QFETCH(QString, name);
    QFETCH(QJsonValue, json);
    QFETCH(QVariant, expected);
    QJsonObject object = stockJson(QStringLiteral("TX-T-1"));
    if (json.isUndefined())
        object.remove(name);
    else
        object.insert(name, json);
    SizeTemplate st;
    st.fromJson(object);
    QCOMPARE(st.count(), 12);
    const QVariant v = st.value(SizeTemplate::jsonNames().indexOf(name));
    QCOMPARE(v.userType(), expected.userType());
    QCOMPARE(v, expected);
    QCOMPARE(st.isValid(), st.labelWidth() > 1);
}

void TestSizeTemplate::jsonRoundTrip()
{
    const QJsonObject in = stockJson(QStringLiteral("TX-T-9"), 57.15, 31.75);
    SizeTemplate st;
    st.fromJson(in);
    QJsonObject out;
    st.toJson(out);
    QCOMPARE(out, in);
    QVERIFY(out.value(QStringLiteral("columns")).isDouble());
    QVERIFY(out.value(QStringLiteral("itemno")).isString());
}

void TestSizeTemplate::streamRoundTrip()
{
    for (int version : {int(QDataStream::Qt_5_2), int(QDataStream::Qt_DefaultCompiledVersion)}) {
        SizeTemplate st = fullTemplate();
        st.setValue(SizeTemplate::Description, QStringLiteral("Étiquette 57 × 32 mm"));
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out.setVersion(version);
            st.streamWrite(out);
        }
        SizeTemplate back;
        back.setValue(99, QStringLiteral("stale"));
        QDataStream in(bytes);
        in.setVersion(version);
        back.streamRead(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(in.atEnd());
        QCOMPARE(back.count(), 12);
        for (qint32 key = 0; key < 12; ++key) {
            QCOMPARE(back.value(key).userType(), st.value(key).userType());
            QCOMPARE(back.value(key), st.value(key));
        }
        QVERIFY(back == st);

        // The block after the header is what Qt's own QHash reader expects.
        QDataStream qtIn(bytes);
        qtIn.setVersion(version);
        QUuid uuid;
        qint32 headerVersion = 0;
        QHash<qint32, QVariant> table;
        qtIn >> uuid >> headerVersion >> table;
        QCOMPARE(qtIn.status(), QDataStream::Ok);
        QCOMPARE(uuid, QUuid(QStringLiteral("{a4f1e2e0-3c4c-11e4-baad-164230d1df67}")));
        QCOMPARE(headerVersion, 1);
        QCOMPARE(table, st.values());
    }
}

void TestSizeTemplate::streamBytesMatchHandBuiltStream()
{
    SizeTemplate st = fullTemplate();
    // A null entry keeps its null flag through the stream.
    st.setValue(SizeTemplate::Description, QVariant(QVariant::String));
    QByteArray written;
    {
        QDataStream out(&written, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_5_2);
        st.streamWrite(out);
    }

    QByteArray expected;
    {
        QDataStream e(&expected, QIODevice::WriteOnly);
        e.setVersion(QDataStream::Qt_5_2);
        e << QUuid(QStringLiteral("{a4f1e2e0-3c4c-11e4-baad-164230d1df67}")) << qint32(1)
          << quint32(12);
        auto intEntry = [&e](qint32 key, qint32 v) {
            e << key << quint32(QMetaType::Int) << qint8(0) << v;
        };
        auto doubleEntry = [&e](qint32 key, double v) {
            e << key << quint32(QMetaType::Double) << qint8(0) << v;
        };
        intEntry(0, 7);
        intEntry(1, 1);
        e << qint32(2) << quint32(QMetaType::QString) << qint8(0) << QStringLiteral("TX-T-1");
        e << qint32(3) << quint32(QMetaType::QString) << qint8(1) << QString();
        doubleEntry(4, 50);
        doubleEntry(5, 25);
        doubleEntry(6, 106);
        doubleEntry(7, 1.5);
        doubleEntry(8, 1.5);
        doubleEntry(9, 2);
        doubleEntry(10, 3);
        intEntry(11, 2);
    }
    QVERIFY2(written == expected, qPrintable(testutil::hex(written)));

    SizeTemplate back;
    QDataStream in(written);
    in.setVersion(QDataStream::Qt_5_2);
    back.streamRead(in);
    QVERIFY(back.value(SizeTemplate::Description).isNull());
    QCOMPARE(back.value(SizeTemplate::Description).userType(), int(QMetaType::QString));
}

void TestSizeTemplate::damagedStream_data()
{
    QTest::addColumn<QByteArray>("bytes");
    auto header = [](QDataStream &s) { s << SizeTemplate::uuid() << qint32(1); };
    QByteArray full;
    {
        QDataStream s(&full, QIODevice::WriteOnly);
        SizeTemplate st = fullTemplate();
        st.streamWrite(s);
    }
    QTest::newRow("cut in the last entry") << full.left(full.size() - 3);
    QTest::newRow("cut after the count") << full.left(16 + 4 + 4);

    QByteArray hugeCount;
    {
        QDataStream s(&hugeCount, QIODevice::WriteOnly);
        header(s);
        s << quint32(0xFFFFFFFF) << qint32(0) << quint32(QMetaType::Int) << qint8(0) << qint32(1);
    }
    QTest::newRow("count beyond the bytes") << hugeCount;

    QByteArray list;
    {
        QDataStream s(&list, QIODevice::WriteOnly);
        header(s);
        // A string list claiming a billion elements must not be read at all.
        s << quint32(1) << qint32(0) << quint32(QMetaType::QStringList) << qint8(0)
          << quint32(1000000000);
    }
    QTest::newRow("non-scalar value") << list;

    QByteArray oddString;
    {
        QDataStream s(&oddString, QIODevice::WriteOnly);
        header(s);
        s << quint32(1) << qint32(2) << quint32(QMetaType::QString) << qint8(0) << quint32(3)
          << qint32(0);
    }
    QTest::newRow("string of odd byte length") << oddString;
}

void TestSizeTemplate::damagedStream()
{
    QFETCH(QByteArray, bytes);
    SizeTemplate st = fullTemplate();
    QDataStream in(bytes);
    st.streamRead(in);
    QVERIFY(in.status() != QDataStream::Ok);
    QCOMPARE(st.count(), 0);
    QVERIFY(!st.isValid());
}

void TestSizeTemplate::foreignHeaderKeepsTable()
{
    QByteArray bytes;
    {
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s << QUuid::createUuid() << qint32(1) << quint32(0);
    }
    SizeTemplate st = fullTemplate();
    QTest::ignoreMessage(QtWarningMsg, "SizeTemplate header mismatch error");
    QDataStream in(bytes);
    st.streamRead(in);
    QVERIFY(st == fullTemplate());
    // The enclosing reader must see that this block was not read.
    QVERIFY(in.status() != QDataStream::Ok);
}

void TestSizeTemplate::catalogueFilesFilteredAndSkipped()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    QVERIFY(writeJson(root + "/width1.tx4t", stockJson("W1", 1.0)));
    QVERIFY(writeJson(root + "/width15.tx4t", stockJson("W15", 1.5)));
    QVERIFY(writeJson(root + "/height1.tx4t", stockJson("H1", 50, 1.0)));
    QJsonObject noColumns = stockJson("NOCOL");
    noColumns.remove("columns");
    QVERIFY(writeJson(root + "/nocolumns.tx4t", noColumns));
    QVERIFY(writeJson(root + "/a/b/c/d/deep.tx4t", stockJson("DEEP")));
    QVERIFY(writeJson(root + "/shipping/ship.tx4t", stockJson("SHIP")));
    // Right content, wrong names.
    QVERIFY(writeJson(root + "/other.json", stockJson("JSON")));
    QVERIFY(writeJson(root + "/a/copy.tx4t.bak", stockJson("BAK")));
    QVERIFY(writeJson(root + "/a/upper.TX4TX", stockJson("TX4TX")));
    QVERIFY(writeJson(root + "/folder.tx4t/inside.tx4t", stockJson("INFOLDER")));
    // Damaged files.
    QVERIFY(writeFile(root + "/notjson.tx4t", "label-width = 50\n"));
    QVERIFY(writeFile(root + "/empty.tx4t", QByteArray()));
    QVERIFY(writeFile(root + "/array.tx4t", "[1, 2, 3]"));
    QVERIFY(writeFile(root + "/cut.tx4t", QJsonDocument(stockJson("CUT")).toJson().left(60)));
    QVERIFY(writeFile(root + "/binary.tx4t", QByteArray(4096, '\xff')));
    // Valid JSON, but far larger than any template file: not read at all.
    QByteArray huge = QJsonDocument(stockJson("HUGE")).toJson();
    huge.append(QByteArray(SizeTemplateManager::MaxFileSize, ' '));
    QVERIFY(writeFile(root + "/huge.tx4t", huge));
    const int depth = 100000;
    QVERIFY(writeFile(root + "/deeparray.tx4t", QByteArray(depth, '[') + QByteArray(depth, ']')));
    QByteArray deepObject = "{\"label-width\": ";
    for (int i = 0; i < depth; ++i)
        deepObject += "{\"a\": ";
    deepObject += "1" + QByteArray(depth + 1, '}');
    QVERIFY(writeFile(root + "/deepobject.tx4t", deepObject));

    MessageCollector messages;
    SizeTemplateManager manager(root, nullptr);
    QCOMPARE(manager.objectName(), QStringLiteral("SizeTemplateManager"));
    QCOMPARE(itemNumbers(manager), QSet<QString>({"W15", "NOCOL", "DEEP", "SHIP", "INFOLDER"}));
    QCOMPARE(manager.templates().size(), 5);
    for (const SizeTemplate *st : manager.templates()) {
        if (st->itemNo() == QLatin1String("NOCOL"))
            QCOMPARE(st->columns(), 0);
    }
    QVERIFY(manager.categories().isEmpty());
    QCOMPARE(messages.messages(), QStringList());
}

void TestSizeTemplate::categories_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected"); // "id=description", ascending
    QTest::newRow("ascending by number")
        << QByteArray(R"({"categories": [{"id": 2, "description": "Two"},
                                         {"id": 0, "description": "Custom"},
                                         {"id": 1, "description": "One"}]})")
        << QStringList{"0=Custom", "1=One", "2=Two"};
    QTest::newRow("duplicate id keeps the later")
        << QByteArray(R"({"categories": [{"id": 3, "description": "First"},
                                         {"id": 4, "description": "Four"},
                                         {"id": 3, "description": "Second"}]})")
        << QStringList{"3=Second", "4=Four"};
    QTest::newRow("missing values read as 0 and empty")
        << QByteArray(R"({"categories": [{"id": 5}, {"id": "6", "description": 6}]})")
        << QStringList{"0=", "5="};
    QTest::newRow("non-objects in the list are ignored")
        << QByteArray(R"({"categories": [{"id": 0, "description": "Custom"}, null, 7, "x"]})")
        << QStringList{"0=Custom"};
    QTest::newRow("not JSON") << QByteArray("categories: Custom") << QStringList();
    QTest::newRow("no list") << QByteArray(R"({"categories": {"id": 1}})") << QStringList();
    QTest::newRow("root is a list")
        << QByteArray(R"([{"id": 1, "description": "One"}])") << QStringList();
}

void TestSizeTemplate::categories()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + "/categories.json", file));
    MessageCollector messages;
    SizeTemplateManager manager(dir.path(), nullptr);
    QStringList got;
    const QMap<qint32, QString> map = manager.categories();
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        got << QStringLiteral("%1=%2").arg(it.key()).arg(it.value());
    QCOMPARE(got, expected);
    QCOMPARE(messages.messages(), QStringList());
}

void TestSizeTemplate::missingCatalogue()
{
    QTemporaryDir dir;
    MessageCollector messages;
    SizeTemplateManager missing(dir.path() + "/nowhere", nullptr);
    QVERIFY(missing.categories().isEmpty());
    QVERIFY(missing.templates().isEmpty());
    // Templates without a category list still load, and the other way round.
    QVERIFY(writeJson(dir.path() + "/only/one.tx4t", stockJson("ONE")));
    SizeTemplateManager noCategories(dir.path() + "/only", nullptr);
    QCOMPARE(noCategories.templates().size(), 1);
    QVERIFY(noCategories.categories().isEmpty());
    QCOMPARE(messages.messages(), QStringList());
}

void TestSizeTemplate::symbolicLinks()
{
    QTemporaryDir dir;
    const QString root = dir.path() + "/catalogue";
    const QString outside = dir.path() + "/elsewhere";
    QVERIFY(writeJson(root + "/real/own.tx4t", stockJson("OWN")));
    QVERIFY(writeJson(outside + "/linked.tx4t", stockJson("LINKED")));
    QVERIFY(writeJson(outside + "/sub/linkedsub.tx4t", stockJson("LINKEDSUB")));
    QVERIFY(QFile::link(outside, root + "/extra"));
    // A cycle back to the top and a second path to a folder already walked.
    QVERIFY(QFile::link(root, outside + "/sub/back"));
    QVERIFY(QFile::link(root + "/real", root + "/again"));
    QVERIFY(QFile::link(root + "/real/own.tx4t", root + "/alias.tx4t"));

    SizeTemplateManager manager(root, nullptr);
    QCOMPARE(itemNumbers(manager), QSet<QString>({"OWN", "LINKED", "LINKEDSUB"}));
    QCOMPARE(manager.templates().size(), 3);
}

void TestSizeTemplate::shippedCatalogueLoadsCompletely()
{
    // The test runs next to the program, so this is the catalogue the program reads.
    QCOMPARE(QFileInfo(SizeTemplateManager::applicationFolder()).canonicalFilePath(),
             QFileInfo(TAGORIX_BIN_DIR "/sizetemplates").canonicalFilePath());
    MessageCollector messages;
    SizeTemplateManager manager;
    const QStringList shipped = templateFilesBelow(TAGORIX_SOURCE_DIR "/sizetemplates");
    QVERIFY(shipped.size() >= 40);
    QCOMPARE(templateFilesBelow(SizeTemplateManager::applicationFolder()).size(), shipped.size());
    QCOMPARE(manager.templates().size(), shipped.size());
    QCOMPARE(messages.messages(), QStringList());

    const QMap<qint32, QString> categories = manager.categories();
    QVERIFY(categories.size() >= 7);
    QCOMPARE(categories.firstKey(), 0);
    QCOMPARE(categories.value(0), QStringLiteral("Custom"));
    // The document dialogs select a category by its position in the list.
    QCOMPARE(categories.lastKey(), categories.size() - 1);
    for (const QString &name : categories)
        QVERIFY(!name.isEmpty());
}

void TestSizeTemplate::shippedTemplatesAddUp()
{
    SizeTemplateManager manager;
    const QMap<qint32, QString> categories = manager.categories();
    QSet<int> ids;
    QSet<QString> itemNos;
    QSet<int> usedCategories;
    QStringList listTexts;
    const QList<SizeTemplate *> list = manager.templates();
    for (const SizeTemplate *st : list) {
        const QString what = st->itemNo();
        QVERIFY2(st->isValid(), qPrintable(what));
        QVERIFY2(st->columns() >= 1, qPrintable(what));
        const double used = st->marginLeft() + st->columns() * st->labelWidth() +
                            (st->columns() - 1) * st->colSpacing() + st->marginRight();
        QVERIFY2(std::abs(used - st->linerWidth()) <= 0.01,
                 qPrintable(QStringLiteral("%1: %2 mm used on a %3 mm liner")
                                .arg(what)
                                .arg(used)
                                .arg(st->linerWidth())));
        QVERIFY2(st->marginLeft() >= 0 && st->marginRight() >= 0 && st->colSpacing() >= 0 &&
                     st->rowSpacing() > 0,
                 qPrintable(what));
        // Category 0 is the user's own stock; the shipped ones go elsewhere.
        QVERIFY2(st->category() != 0 && categories.contains(st->category()), qPrintable(what));
        usedCategories.insert(st->category());
        QVERIFY2(what.startsWith(QLatin1String("TX-")), qPrintable(what));
        QVERIFY2(!itemNos.contains(what), qPrintable(what));
        itemNos.insert(what);
        QVERIFY2(!ids.contains(st->id()), qPrintable(what));
        ids.insert(st->id());
        const QString size =
            QStringLiteral("%1 × %2 ")
                .arg(QString::number(st->labelWidth()), QString::number(st->labelHeight()));
        QVERIFY2(st->description().contains(size), qPrintable(st->description()));
        listTexts << st->description() + " (" + what + ")";
    }
    QCOMPARE(usedCategories.size(), categories.size() - 1);
    // The properties dialog finds a document's template by the first list
    // entry containing its description, so no description may hide in another.
    for (const SizeTemplate *st : list) {
        int matches = 0;
        for (const QString &text : qAsConst(listTexts))
            matches += text.contains(st->description(), Qt::CaseInsensitive) ? 1 : 0;
        QVERIFY2(matches == 1, qPrintable(st->description()));
    }
}

void TestSizeTemplate::shippedFilesHoldTheTwelveNames()
{
    QStringList expected = SizeTemplate::jsonNames();
    expected.sort();
    const QStringList files = templateFilesBelow(TAGORIX_SOURCE_DIR "/sizetemplates");
    for (const QString &path : files) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(f.readAll(), &error).object();
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(path));
        QCOMPARE(object.keys(), expected);
        for (const QString &name : expected) {
            const bool text =
                name == QLatin1String("itemno") || name == QLatin1String("description");
            QVERIFY2(text ? object.value(name).isString() : object.value(name).isDouble(),
                     qPrintable(path + ": " + name));
        }
    }
}

void TestSizeTemplate::initializeCreatesManager()
{
    auto *app = qobject_cast<TxApp *>(QCoreApplication::instance());
    QVERIFY(app);
    QVERIFY(!TxApp::sizeTemplateManager());
    app->initialize();
    SizeTemplateManager *manager = TxApp::sizeTemplateManager();
    QVERIFY(manager);
    QCOMPARE(manager->parent(), app);
    QCOMPARE(manager->objectName(), QStringLiteral("SizeTemplateManager"));
    QCOMPARE(manager->templates().size(),
             templateFilesBelow(TAGORIX_SOURCE_DIR "/sizetemplates").size());
    // The updater first, then the data sources, then the catalogue.
    QVERIFY(TxApp::updater());
    QCOMPARE(TxApp::updater(), Updater::instance());
    QVERIFY(TxApp::dataSourceManager());
    const QObjectList services = app->children();
    QVERIFY(services.indexOf(static_cast<QObject *>(TxApp::updater())) <
            services.indexOf(static_cast<QObject *>(TxApp::dataSourceManager())));
    QVERIFY(services.indexOf(static_cast<QObject *>(TxApp::dataSourceManager())) <
            services.indexOf(static_cast<QObject *>(manager)));
}

// The application object is the program's own, so initialize() can be tested.
int main(int argc, char *argv[])
{
    TxApp app(argc, argv);
    TestSizeTemplate test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sizetemplate.moc"
