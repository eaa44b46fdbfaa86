#include "cupstestserver.h"
#include "printertestutil.h"
#include "dialogs/driverpropertiesdialog.h"
#include "platform/winspool.h"
#include "printersettings_win.h"
#include "testutil.h"

#include <QBuffer>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QtTest>

#include <cstring>
#include <limits>

namespace {

const QString Zebra = QStringLiteral("Zebra_ZPL");
// The same driver with other defaults.
const QString ZebraDark = QStringLiteral("Zebra_Dark");
const QString Pdf = QStringLiteral("PDF");
// A queue without a driver: no driver-private bytes.
const QString Raw = QStringLiteral("Raw_Socket");

QByteArray written(PrinterSettingsWin &settings)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    settings.streamWrite(out);
    return bytes;
}

struct BlockFields
{
    QString name;
    qint32 mode;
    qint32 size;
    qint32 specVersion;
    qint32 driverVersion;
    qint32 extra;
    QByteArray bytes;
};

// The block as the reader expects it, built field by field.
QByteArray handBuilt(const BlockFields &f,
                     const QUuid &uuid = QUuid("82d95c3c-3c61-11e4-baad-164230d1df67"))
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << uuid << qint32(1) << f.name << f.mode << f.size << f.specVersion << f.driverVersion
      << f.extra;
    for (char c : f.bytes)
        s << qint8(c);
    return out;
}

QByteArray privateBytes(const DEVMODEW *block)
{
    return QByteArray(reinterpret_cast<const char *>(block) + block->dmSize, block->dmDriverExtra);
}

BlockFields fieldsOf(const DEVMODEW *block, const QString &name, qint32 mode)
{
    return {name,
            mode,
            block->dmSize,
            block->dmSpecVersion,
            block->dmDriverVersion,
            block->dmDriverExtra,
            privateBytes(block)};
}

// Replaces the value of one option inside the driver-private bytes.
bool patchChoice(DEVMODEW *block, const QByteArray &keyword, const QByteArray &value)
{
    auto *bytes = reinterpret_cast<unsigned char *>(block) + block->dmSize;
    int pos = 0;
    while (pos < block->dmDriverExtra) {
        const int keyLength = bytes[pos];
        const QByteArray key(reinterpret_cast<const char *>(bytes + pos + 1), keyLength);
        const int width = bytes[pos + 1 + keyLength];
        if (key == keyword) {
            if (value.size() > width)
                return false;
            bytes[pos + 2 + keyLength] = uchar(value.size());
            std::memset(bytes + pos + 3 + keyLength, 0, size_t(width));
            std::memcpy(bytes + pos + 3 + keyLength, value.constData(), size_t(value.size()));
            return true;
        }
        pos += 3 + keyLength + width;
    }
    return false;
}

} // namespace

using namespace printertestutil;

class TestPrinterSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void qtSeesOnlyTheTestQueues();
    void socketPrinterReceivesJobs();
    void pdfPrinterWritesFiles();

    void unknownQueue_data();
    void unknownQueue();
    void constructorTakesDriverDefaults();
    void driverVersionFollowsTheDriver();
    void instanceDefaults();

    void roundTrip_data();
    void roundTrip();
    void zeroDriverBytes();
    void mismatchedBlockIsIgnored_data();
    void mismatchedBlockIsIgnored();
    void foreignHeader();
    void damagedBlockIsRefused_data();
    void damagedBlockIsRefused();

    void copyDriverData_data();
    void copyDriverData();

    void jobOptions();
    void inputBlockIsCheckedAgainstDriver();

    void driverDialogShowsDriverOptions();
    void driverDialogOkAndCancel();

private:
    CupsTestServer server;
};

void TestPrinterSettings::initTestCase()
{
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY2(server.addZebraQueue(Zebra), qPrintable(server.errorString()));
    QVERIFY2(server.addQueue(ZebraDark,
                             QStringLiteral("socket://127.0.0.1:%1").arg(server.listener().port()),
                             QStringLiteral("drv:///sample.drv/zebra.ppd"),
                             {QStringLiteral("-o"), QStringLiteral("Darkness=17"),
                              QStringLiteral("-o"), QStringLiteral("zePrintRate=4")}),
             qPrintable(server.errorString()));
    QVERIFY2(server.addPdfQueue(Pdf), qPrintable(server.errorString()));
    QVERIFY2(server.addQueue(Raw,
                             QStringLiteral("socket://127.0.0.1:%1").arg(server.listener().port()),
                             QStringLiteral("raw")),
             qPrintable(server.errorString()));
    DriverPropertiesDialog::install();
}

void TestPrinterSettings::qtSeesOnlyTheTestQueues()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.sort();
    QStringList expected{Pdf, Raw, ZebraDark, Zebra};
    expected.sort();
    QCOMPARE(names, expected);
}

void TestPrinterSettings::socketPrinterReceivesJobs()
{
    server.listener().clear();
    QTemporaryFile file;
    QVERIFY(file.open());
    const QByteArray label("^XA^FO50,50^FDraw^FS^XZ\n");
    file.write(label);
    file.close();
    QVERIFY2(
        server.runTool(QStringLiteral("lp"), {QStringLiteral("-d"), Zebra, QStringLiteral("-o"),
                                              QStringLiteral("raw"), file.fileName()}),
        qPrintable(server.errorString()));
    QVERIFY2(server.listener().waitForJobs(1), qPrintable(server.errorLog().right(3000)));
    QCOMPARE(server.listener().jobs().value(0), label);
    QVERIFY(server.waitForIdle());
}

void TestPrinterSettings::pdfPrinterWritesFiles()
{
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("tagorix-XXXXXX.pdf")));
    QVERIFY(file.open());
    file.close();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file.fileName());
        QPainter painter(&printer);
        painter.drawText(QPointF(100, 100), QStringLiteral("PDF queue"));
    }
    const QString token = QUuid::createUuid().toString(QUuid::Id128);
    QVERIFY2(server.runTool(QStringLiteral("lp"), {QStringLiteral("-d"), Pdf, QStringLiteral("-t"),
                                                   token, file.fileName()}),
             qPrintable(server.errorString()));
    const QString output = server.waitForPdf(token);
    QVERIFY2(!output.isEmpty(), qPrintable(server.errorLog().right(3000)));
    QFile pdf(output);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
}

void TestPrinterSettings::unknownQueue_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown") << "No_Such_Queue";
    // An empty name must not open the default destination.
    QTest::newRow("empty") << "";
    QTest::newRow("empty instance") << "Zebra_ZPL/";
    QTest::newRow("empty queue") << "/instance";
    QTest::newRow("unknown instance") << "Zebra_ZPL/nosuchinstance";
}

void TestPrinterSettings::unknownQueue()
{
    QFETCH(QString, name);
    PrinterSettingsWin settings(name);
    QCOMPARE(settings.printerName(), name);
    QVERIFY(!settings.isValid());
    QCOMPARE(settings.mode(), 0);
    QVERIFY(!winspool::defaultDevMode(name));

    QVERIFY(!settings.copyDriverDataTo(nullptr));
    winspool::DevModePtr live = winspool::defaultDevMode(Zebra);
    QVERIFY(live);
    QVERIFY(!settings.copyDriverDataTo(live.get()));
    // Not even a block that carries the same name and empty numbers.
    winspool::DevModePtr blank = winspool::allocateDevMode(sizeof(DEVMODEW));
    std::memset(blank.get(), 0, sizeof(DEVMODEW));
    std::memcpy(blank->dmDeviceName, name.utf16(), size_t(name.size()) * sizeof(WCHAR));
    QVERIFY(!settings.copyDriverDataTo(blank.get()));

    // The dialog does nothing for an invalid object.
    settings.showDriverDialog();
    QCOMPARE(settings.mode(), 0);

    // Without a block: name, mode and four zeros.
    QCOMPARE(written(settings), handBuilt({name, 0, 0, 0, 0, 0, {}}));
}

void TestPrinterSettings::constructorTakesDriverDefaults()
{
    for (const QString &queue : {Zebra, ZebraDark}) {
        PrinterSettingsWin settings(queue);
        QVERIFY(settings.isValid());
        QCOMPARE(settings.mode(), 1);
        QMap<QString, QString> stored = storedChoices(settings);
        // CUPS's own tools hide PageRegion, the mirror of PageSize; so do we.
        QVERIFY(!stored.contains(QStringLiteral("PageRegion")));
        QCOMPARE(stored, server.defaultChoices(queue));
    }
    PrinterSettingsWin dark(ZebraDark);
    QCOMPARE(storedChoices(dark).value(QStringLiteral("Darkness")), QStringLiteral("17"));
    QCOMPARE(storedChoices(dark).value(QStringLiteral("zePrintRate")), QStringLiteral("4"));

    winspool::DevModePtr block = winspool::defaultDevMode(Zebra);
    QVERIFY(block);
    QCOMPARE(winspool::deviceName(block.get()), Zebra);
    QCOMPARE(block->dmSpecVersion, DM_SPECVERSION);
    QCOMPARE(int(block->dmSize), int(sizeof(DEVMODEW)));
    QVERIFY(block->dmDriverExtra > 0);
}

void TestPrinterSettings::driverVersionFollowsTheDriver()
{
    winspool::DevModePtr zebra = winspool::defaultDevMode(Zebra);
    winspool::DevModePtr dark = winspool::defaultDevMode(ZebraDark);
    winspool::DevModePtr pdf = winspool::defaultDevMode(Pdf);
    QVERIFY(zebra && dark && pdf);
    // Other defaults, same driver: same version and layout.
    QCOMPARE(dark->dmDriverVersion, zebra->dmDriverVersion);
    QCOMPARE(dark->dmDriverExtra, zebra->dmDriverExtra);
    QVERIFY(privateBytes(dark.get()) != privateBytes(zebra.get()));
    QVERIFY(pdf->dmDriverVersion != zebra->dmDriverVersion);

    // A driver exchanged under the same queue name gives another version.
    const WORD zebraVersion = zebra->dmDriverVersion;
    const QString swapped = QStringLiteral("Swapped_Driver");
    QVERIFY2(server.addQueue(swapped,
                             QStringLiteral("socket://127.0.0.1:%1").arg(server.listener().port()),
                             QStringLiteral("drv:///sample.drv/zebra.ppd")),
             qPrintable(server.errorString()));
    PrinterSettingsWin before(swapped);
    QCOMPARE(winspool::defaultDevMode(swapped)->dmDriverVersion, zebraVersion);
    const QByteArray saved = written(before);
    QVERIFY2(server.runTool(QStringLiteral("lpadmin"),
                            {QStringLiteral("-p"), swapped, QStringLiteral("-m"),
                             QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd")}),
             qPrintable(server.errorString()));
    PrinterSettingsWin after(swapped);
    QVERIFY(after.isValid());
    QVERIFY(winspool::defaultDevMode(swapped)->dmDriverVersion != zebraVersion);
    const QByteArray defaults = written(after);
    QDataStream in(saved);
    after.streamRead(in);
    QCOMPARE(in.status(), QDataStream::Ok);
    QCOMPARE(written(after), defaults);
    QVERIFY(server.removeQueue(swapped));
}

void TestPrinterSettings::instanceDefaults()
{
    const QString copy = Zebra + QStringLiteral("/copy");
    QVERIFY(server.addInstance(Zebra, QStringLiteral("copy"),
                               {{QStringLiteral("Darkness"), QStringLiteral("3")},
                                {QStringLiteral("zePrintRate"), QStringLiteral("2")},
                                {QStringLiteral("copies"), QStringLiteral("2")}}));
    QVERIFY(QPrinterInfo::availablePrinterNames().contains(copy));
    PrinterSettingsWin settings(copy);
    QCOMPARE(settings.mode(), 1);
    const QMap<QString, QString> stored = storedChoices(settings);
    QCOMPARE(stored.value(QStringLiteral("Darkness")), QStringLiteral("3"));
    QCOMPARE(stored, server.defaultChoices(copy));
    winspool::DevModePtr block = winspool::defaultDevMode(copy);
    QCOMPARE(winspool::deviceName(block.get()), copy);
    // The queue's own block is another printer's for the settings of the instance.
    QVERIFY(!settings.copyDriverDataTo(winspool::defaultDevMode(Zebra).get()));
    server.removeInstances();
    QVERIFY(!QPrinterInfo::availablePrinterNames().contains(copy));
}

void TestPrinterSettings::roundTrip_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("bytesFrom");
    QTest::newRow("system default") << Zebra << 1 << Zebra;
    QTest::newRow("stored default") << Zebra << 2 << ZebraDark;
    QTest::newRow("user") << Zebra << 3 << ZebraDark;
    QTest::newRow("value outside the names") << Zebra << 7 << ZebraDark;
    QTest::newRow("pdf driver") << Pdf << 2 << Pdf;
}

void TestPrinterSettings::roundTrip()
{
    QFETCH(QString, queue);
    QFETCH(int, mode);
    QFETCH(QString, bytesFrom);

    // The private bytes of a queue with the same driver but other choices,
    // so that a read that takes nothing cannot pass.
    winspool::DevModePtr source = winspool::defaultDevMode(bytesFrom);
    QVERIFY(source);
    const QByteArray stream = handBuilt(fieldsOf(source.get(), queue, mode));

    PrinterSettingsWin settings(queue);
    QDataStream in(stream);
    settings.streamRead(in);
    QCOMPARE(in.status(), QDataStream::Ok);
    QVERIFY(in.atEnd());
    QCOMPARE(settings.mode(), mode);
    QVERIFY(settings.isValid());
    QCOMPARE(written(settings), stream);
    QCOMPARE(storedChoices(settings), choiceMap(winspool::driverChoices(source.get())));

    // Written and read again by a fresh object for the same queue.
    PrinterSettingsWin again(queue);
    QDataStream second(written(settings));
    again.streamRead(second);
    QCOMPARE(written(again), stream);
}

void TestPrinterSettings::zeroDriverBytes()
{
    PrinterSettingsWin settings(Raw);
    QVERIFY(settings.isValid());
    winspool::DevModePtr live = winspool::defaultDevMode(Raw);
    QVERIFY(live);
    QCOMPARE(int(live->dmDriverExtra), 0);
    settings.setMode(2);
    const QByteArray stream = written(settings);
    QCOMPARE(stream, handBuilt(fieldsOf(live.get(), Raw, 2)));
    // Header (16 + 4), the name, then the mode and the four numbers.
    QCOMPARE(stream.size(), 20 + 4 + Raw.size() * 2 + 5 * 4);

    PrinterSettingsWin read(Raw);
    QCOMPARE(read.mode(), 1);
    QDataStream in(stream);
    read.streamRead(in);
    QCOMPARE(in.status(), QDataStream::Ok);
    QCOMPARE(read.mode(), 2);
    QVERIFY(read.copyDriverDataTo(live.get()));
    QVERIFY(winspool::driverJobOptions(live.get()).isEmpty());
}

void TestPrinterSettings::mismatchedBlockIsIgnored_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("extra count one larger") << "extra+1";
    QTest::newRow("extra count one smaller") << "extra-1";
    QTest::newRow("no driver bytes") << "none";
    QTest::newRow("driver version") << "driverVersion";
    QTest::newRow("size") << "size";
    QTest::newRow("spec version") << "specVersion";
    QTest::newRow("other printer") << "name";
}

void TestPrinterSettings::mismatchedBlockIsIgnored()
{
    QFETCH(QString, field);
    winspool::DevModePtr dark = winspool::defaultDevMode(ZebraDark);
    QVERIFY(dark);
    BlockFields f = fieldsOf(dark.get(), Zebra, 3);
    if (field == QLatin1String("extra+1")) {
        f.extra += 1;
        f.bytes.append('\x01');
    } else if (field == QLatin1String("extra-1")) {
        f.extra -= 1;
        f.bytes.chop(1);
    } else if (field == QLatin1String("none")) {
        f = {Zebra, 3, 0, 0, 0, 0, {}};
    } else if (field == QLatin1String("driverVersion")) {
        f.driverVersion ^= 1;
    } else if (field == QLatin1String("size")) {
        f.size += 2;
    } else if (field == QLatin1String("specVersion")) {
        f.specVersion += 1;
    } else if (field == QLatin1String("name")) {
        f.name = ZebraDark;
    }

    QByteArray stream = handBuilt(f);
    {
        QDataStream tail(&stream, QIODevice::WriteOnly | QIODevice::Append);
        tail << QStringLiteral("after the block") << qint32(4711);
    }

    PrinterSettingsWin settings(Zebra);
    const QByteArray before = written(settings);
    QDataStream in(stream);
    settings.streamRead(in);
    QCOMPARE(in.status(), QDataStream::Ok);
    QCOMPARE(settings.mode(), 1);
    QCOMPARE(written(settings), before);

    QString text;
    qint32 number = 0;
    in >> text >> number;
    QCOMPARE(in.status(), QDataStream::Ok);
    QCOMPARE(text, QStringLiteral("after the block"));
    QCOMPARE(number, 4711);
    QVERIFY(in.atEnd());
}

void TestPrinterSettings::foreignHeader()
{
    winspool::DevModePtr dark = winspool::defaultDevMode(ZebraDark);
    const QByteArray stream =
        handBuilt(fieldsOf(dark.get(), Zebra, 3), QUuid("00000000-3c61-11e4-baad-164230d1df67"));
    PrinterSettingsWin settings(Zebra);
    const QByteArray before = written(settings);
    QTest::ignoreMessage(QtWarningMsg, "PrinterSettingsWin header mismatch error");
    QDataStream in(stream);
    settings.streamRead(in);
    QCOMPARE(in.status(), QDataStream::ReadCorruptData);
    QCOMPARE(settings.mode(), 1);
    QCOMPARE(written(settings), before);
}

void TestPrinterSettings::damagedBlockIsRefused_data()
{
    QTest::addColumn<int>("cut");
    QTest::addColumn<qint32>("extra");
    QTest::addColumn<int>("status");
    winspool::DevModePtr live = winspool::defaultDevMode(Zebra);
    const int whole = handBuilt(fieldsOf(live.get(), Zebra, 3)).size();
    const qint32 keep = std::numeric_limits<qint32>::min();
    QTest::newRow("cut in the header") << 10 << keep << int(QDataStream::ReadPastEnd);
    QTest::newRow("cut in the numbers")
        << 20 + 4 + Zebra.size() * 2 + 8 << keep << int(QDataStream::ReadPastEnd);
    // The reader must not allocate what the stream cannot hold.
    QTest::newRow("cut in the driver bytes")
        << whole - 5 << keep << int(QDataStream::ReadCorruptData);
    QTest::newRow("absurd extra count")
        << whole << qint32(0x7fffffff) << int(QDataStream::ReadCorruptData);
    QTest::newRow("negative extra count")
        << whole << qint32(-1) << int(QDataStream::ReadCorruptData);
}

void TestPrinterSettings::damagedBlockIsRefused()
{
    QFETCH(int, cut);
    QFETCH(qint32, extra);
    QFETCH(int, status);
    winspool::DevModePtr live = winspool::defaultDevMode(Zebra);
    BlockFields f = fieldsOf(live.get(), Zebra, 3);
    if (extra != std::numeric_limits<qint32>::min())
        f.extra = extra;
    const QByteArray stream = handBuilt(f).left(cut);

    PrinterSettingsWin settings(Zebra);
    const QByteArray before = written(settings);
    QDataStream in(stream);
    settings.streamRead(in);
    QCOMPARE(int(in.status()), status);
    QCOMPARE(settings.mode(), 1);
    QCOMPARE(written(settings), before);
}

void TestPrinterSettings::copyDriverData_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("copied");
    QTest::newRow("same printer and driver") << "" << true;
    QTest::newRow("other driver version") << "driverVersion" << false;
    QTest::newRow("other extra count") << "extra" << false;
    QTest::newRow("other size") << "size" << false;
    QTest::newRow("other spec version") << "specVersion" << false;
    // CUPS opens "zebra_ZPL" too, but it is another name for the document.
    QTest::newRow("name in other case") << "name" << false;
}

void TestPrinterSettings::copyDriverData()
{
    QFETCH(QString, change);
    QFETCH(bool, copied);

    winspool::DevModePtr dark = winspool::defaultDevMode(ZebraDark);
    PrinterSettingsWin settings(Zebra);
    QDataStream in(handBuilt(fieldsOf(dark.get(), Zebra, 3)));
    settings.streamRead(in);
    QCOMPARE(settings.mode(), 3);

    winspool::DevModePtr target = winspool::defaultDevMode(Zebra);
    QVERIFY(target);
    if (change == QLatin1String("driverVersion"))
        target->dmDriverVersion ^= 0x100;
    else if (change == QLatin1String("extra"))
        target->dmDriverExtra -= 1;
    else if (change == QLatin1String("size"))
        target->dmSize -= 2;
    else if (change == QLatin1String("specVersion"))
        target->dmSpecVersion += 1;
    else if (change == QLatin1String("name"))
        target->dmDeviceName[0] = u'z';
    const size_t size = sizeof(DEVMODEW) + winspool::defaultDevMode(Zebra)->dmDriverExtra;
    const QByteArray before(reinterpret_cast<const char *>(target.get()), int(size));

    QCOMPARE(settings.copyDriverDataTo(target.get()), copied);
    const QByteArray after(reinterpret_cast<const char *>(target.get()), int(size));
    if (!copied) {
        QCOMPARE(after, before);
        return;
    }
    // Only the private bytes changed; the public part stayed.
    QCOMPARE(after.left(sizeof(DEVMODEW)), before.left(sizeof(DEVMODEW)));
    QCOMPARE(privateBytes(target.get()), privateBytes(dark.get()));
}

void TestPrinterSettings::jobOptions()
{
    winspool::DevModePtr dark = winspool::defaultDevMode(ZebraDark);
    QVERIFY(dark);
    const QStringList options = winspool::driverJobOptions(dark.get());
    QCOMPARE(options.size() % 2, 0);
    const QMap<QString, QString> map = choiceMap(options);
    QCOMPARE(map.size(), options.size() / 2);
    QCOMPARE(map.value(QStringLiteral("Darkness")), QStringLiteral("17"));
    QCOMPARE(map.value(QStringLiteral("zePrintRate")), QStringLiteral("4"));
    // The job's page comes from the label stock, never from the driver block.
    QVERIFY(!map.contains(QStringLiteral("PageSize")));
    QVERIFY(!map.contains(QStringLiteral("PageRegion")));
    QMap<QString, QString> expected = server.defaultChoices(ZebraDark);
    expected.remove(QStringLiteral("PageSize"));
    QCOMPARE(map, expected);
    QVERIFY(choiceMap(winspool::driverChoices(dark.get())).contains(QStringLiteral("PageSize")));

    // Damaged bytes give nothing rather than half a list.
    auto *bytes = reinterpret_cast<unsigned char *>(dark.get()) + dark->dmSize;
    bytes[0] = 0xff;
    QVERIFY(winspool::driverJobOptions(dark.get()).isEmpty());
    QVERIFY(winspool::driverJobOptions(nullptr).isEmpty());
}

void TestPrinterSettings::inputBlockIsCheckedAgainstDriver()
{
    winspool::DevModePtr block = winspool::defaultDevMode(Zebra);
    QVERIFY(patchChoice(block.get(), "Darkness", "25"));
    QVERIFY(patchChoice(block.get(), "zePrintRate", "99"));
    HANDLE printer = nullptr;
    QVERIFY(OpenPrinterW(reinterpret_cast<const WCHAR *>(Zebra.utf16()), &printer, nullptr));
    QCOMPARE(DocumentPropertiesW(nullptr, printer, nullptr, block.get(), block.get(),
                                 DM_IN_BUFFER | DM_OUT_BUFFER),
             IDOK);
    ClosePrinter(printer);
    const QMap<QString, QString> map = choiceMap(winspool::driverJobOptions(block.get()));
    QCOMPARE(map.value(QStringLiteral("Darkness")), QStringLiteral("25"));
    // Not a choice of the driver: its default comes back.
    QCOMPARE(map.value(QStringLiteral("zePrintRate")), QStringLiteral("Default"));
}

void TestPrinterSettings::driverDialogShowsDriverOptions()
{
    winspool::DevModePtr dark = winspool::defaultDevMode(ZebraDark);
    PrinterSettingsWin settings(Zebra);
    QDataStream in(handBuilt(fieldsOf(dark.get(), Zebra, 2)));
    settings.streamRead(in);
    QCOMPARE(settings.mode(), 2);

    QStringList tabs;
    QString darknessLabel;
    QStringList darknessItems;
    QString seeded;
    testutil::answerNextModal([&](QWidget *w) {
        auto *tabWidget = w->findChild<QTabWidget *>(QStringLiteral("groups"));
        for (int i = 0; tabWidget && i < tabWidget->count(); ++i)
            tabs << tabWidget->tabText(i);
        if (auto *combo = w->findChild<QComboBox *>(QStringLiteral("Darkness"))) {
            for (int i = 0; i < combo->count(); ++i)
                darknessItems << combo->itemText(i);
            seeded = combo->currentData().toString();
            for (auto *label : w->findChildren<QLabel *>())
                if (label->buddy() == combo)
                    darknessLabel = label->text();
        }
        w->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    });
    settings.showDriverDialog();

    QCOMPARE(tabs, (QStringList{QStringLiteral("General"), QStringLiteral("Printer Settings")}));
    QCOMPARE(darknessLabel, QStringLiteral("Darkness:"));
    QCOMPARE(darknessItems.size(), 31);
    QCOMPARE(darknessItems.first(), QStringLiteral("Printer Default"));
    QCOMPARE(darknessItems.last(), QStringLiteral("30"));
    // Seeded from the stored block, not from the queue's defaults.
    QCOMPARE(seeded, QStringLiteral("17"));
    QCOMPARE(settings.mode(), 2);
}

void TestPrinterSettings::driverDialogOkAndCancel()
{
    PrinterSettingsWin settings(Zebra);
    QCOMPARE(settings.mode(), 1);

    QStringList problems;
    answerDriverDialog({{QStringLiteral("Darkness"), QStringLiteral("20")},
                        {QStringLiteral("zePrintMode"), QStringLiteral("Peel")}},
                       QDialogButtonBox::Ok, &problems);
    settings.showDriverDialog();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    QCOMPARE(settings.mode(), 3);
    winspool::DevModePtr live = winspool::defaultDevMode(Zebra);
    QVERIFY(settings.copyDriverDataTo(live.get()));
    const QStringList options = winspool::driverJobOptions(live.get());
    const int at = options.indexOf(QStringLiteral("Darkness"));
    QVERIFY(at >= 0 && at % 2 == 0);
    QCOMPARE(options.value(at + 1), QStringLiteral("20"));
    QCOMPARE(choiceMap(options).value(QStringLiteral("zePrintMode")), QStringLiteral("Peel"));
    const QByteArray confirmed = written(settings);

    // Cancel leaves mode and block as they were, whatever was chosen.
    settings.setMode(2);
    answerDriverDialog({{QStringLiteral("Darkness"), QStringLiteral("5")}},
                       QDialogButtonBox::Cancel, &problems);
    settings.showDriverDialog();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    QCOMPARE(settings.mode(), 2);
    settings.setMode(3);
    QCOMPARE(written(settings), confirmed);

    // The confirmed choices survive the document file.
    PrinterSettingsWin reread(Zebra);
    QDataStream in(confirmed);
    reread.streamRead(in);
    QCOMPARE(reread.mode(), 3);
    QCOMPARE(storedChoices(reread).value(QStringLiteral("Darkness")), QStringLiteral("20"));
}

QTEST_MAIN(TestPrinterSettings)
#include "tst_printersettings.moc"
