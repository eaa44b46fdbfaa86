#include "xlsx/xlsxcell.h"
#include "xlsx/xlsxdocument.h"
#include "xlsx/xlsxsheetmodel.h"
#include "xlsx/xlsxworksheet.h"

#include "testutil.h"

#include <KZip>

#include <QBrush>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>
#include <map>
#include <random>

using namespace QXlsx;

namespace {

// The system interpreter, the one that has openpyxl.
const char PythonPath[] = "/usr/bin/python3";

// A workbook of one sheet "S" whose sheet and shared strings parts are
// given as they are to be stored.
QString writeParts(const QString &path, const QByteArray &sheet, const QByteArray &strings)
{
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    KZip zip(path);
    if (!zip.open(QIODevice::WriteOnly)) {
        return QString();
    }
    zip.writeFile(QStringLiteral("_rels/.rels"),
                  "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                  "relationships\"><Relationship Id=\"rId1\" Type=\"" +
                      rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    zip.writeFile(QStringLiteral("xl/workbook.xml"),
                  "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel +
                      "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                      "</workbook>");
    zip.writeFile(QStringLiteral("xl/_rels/workbook.xml.rels"),
                  "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                  "relationships\"><Relationship Id=\"rId1\" Type=\"" +
                      rel +
                      "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                      "Type=\"" +
                      rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>");
    zip.writeFile(QStringLiteral("xl/sharedStrings.xml"), strings);
    zip.writeFile(QStringLiteral("xl/worksheets/sheet1.xml"), sheet);
    zip.close();
    return path;
}

} // namespace

class TestXlsx : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void columnLetters_data();
    void columnLetters();
    void serialDates_data();
    void serialDates();
    void dateFormats_data();
    void dateFormats();

    void usedRange();
    void headersAndFlags();
    void cellValues();
    void date1904();
    void chartSheetIsNoWorksheet();
    void formatsThroughRoles();
    void setDataWritesWorksheet();
    void writeAndReadDates();
    void openedDeviceAndLifetime();
    void handWrittenParts_data();
    void handWrittenParts();
    void cellsInAnyOrder();

    void damaged_data();
    void damaged();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    Worksheet *worksheet(const Document &doc, const QString &name) const;

    QTemporaryDir m_dir;
};

void TestXlsx::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The install script installs python3-openpyxl: without it this is a
    // broken set-up, not a reason to skip.
    QVERIFY2(QFile::exists(QLatin1String(PythonPath)), "python3 is missing");
    const QString script = testutil::dataFile(QStringLiteral("make_workbooks.py"));
    QVERIFY(QFile::exists(script));
    QProcess python;
    python.start(QLatin1String(PythonPath), {script, m_dir.path()});
    QVERIFY(python.waitForFinished(180000));
    QVERIFY2(python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0,
             python.readAllStandardError().constData());
}

Worksheet *TestXlsx::worksheet(const Document &doc, const QString &name) const
{
    AbstractSheet *sheet = doc.sheet(name);
    return sheet && sheet->sheetType() == AbstractSheet::ST_WorkSheet
               ? static_cast<Worksheet *>(sheet)
               : nullptr;
}

void TestXlsx::columnLetters_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("letters");
    QTest::newRow("1") << 1 << "A";
    QTest::newRow("26") << 26 << "Z";
    QTest::newRow("27") << 27 << "AA";
    QTest::newRow("28") << 28 << "AB";
    QTest::newRow("52") << 52 << "AZ";
    QTest::newRow("53") << 53 << "BA";
    QTest::newRow("702") << 702 << "ZZ";
    QTest::newRow("703") << 703 << "AAA";
    QTest::newRow("16384") << 16384 << "XFD";
    QTest::newRow("0") << 0 << "";
}

void TestXlsx::columnLetters()
{
    QFETCH(int, column);
    QFETCH(QString, letters);
    QCOMPARE(QXlsx::columnLetters(column), letters);
    if (column > 0) {
        int row = 0;
        int parsed = 0;
        const QString reference = letters + QStringLiteral("7");
        QVERIFY(parseCellReference(QStringRef(&reference), &row, &parsed));
        QCOMPARE(parsed, column);
        QCOMPARE(row, 7);
    }
}

void TestXlsx::serialDates_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVariant>("expected");
    const int date = Format::DateOnly;
    const int time = Format::TimeOnly;
    const int both = Format::DateAndTime;
    QTest::newRow("first day") << 1.0 << false << date << QVariant(QDate(1900, 1, 1));
    QTest::newRow("28 Feb 1900") << 59.0 << false << date << QVariant(QDate(1900, 2, 28));
    QTest::newRow("1 Mar 1900") << 61.0 << false << date << QVariant(QDate(1900, 3, 1));
    QTest::newRow("2024") << 45366.0 << false << date << QVariant(QDate(2024, 3, 15));
    QTest::newRow("1904 epoch") << 0.0 << true << date << QVariant(QDate(1904, 1, 1));
    QTest::newRow("1904 2024") << 43904.0 << true << date << QVariant(QDate(2024, 3, 15));
    QTest::newRow("noon") << 0.5 << false << time << QVariant(QTime(12, 0));
    QTest::newRow("date and time")
        << 45366.4375 << false << both << QVariant(QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
    QTest::newRow("rounds into next day") << 45366.9999999999 << false << both
                                          << QVariant(QDateTime(QDate(2024, 3, 16), QTime(0, 0)));
    QTest::newRow("negative") << -1.0 << false << date << QVariant();
    QTest::newRow("past 9999") << 2958466.0 << false << date << QVariant();
    QTest::newRow("not a date format")
        << 45366.0 << false << int(Format::NotDateTime) << QVariant();
}

void TestXlsx::serialDates()
{
    QFETCH(double, serial);
    QFETCH(bool, date1904);
    QFETCH(int, kind);
    QFETCH(QVariant, expected);
    const QVariant result =
        dateTimeFromSerial(serial, date1904, static_cast<Format::DateTimeKind>(kind));
    QCOMPARE(result, expected);
    if (result.type() == QVariant::Date) {
        QCOMPARE(serialFromDateTime(QDateTime(result.toDate(), QTime(0, 0)), date1904), serial);
    }
}

void TestXlsx::dateFormats_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("kind");
    const int none = Format::NotDateTime;
    QTest::newRow("iso date") << "yyyy-mm-dd" << int(Format::DateOnly);
    QTest::newRow("month name") << "mmmm" << int(Format::DateOnly);
    QTest::newRow("hours") << "h:mm" << int(Format::TimeOnly);
    QTest::newRow("minutes seconds") << "mm:ss" << int(Format::TimeOnly);
    QTest::newRow("am/pm") << "h AM/PM" << int(Format::TimeOnly);
    QTest::newRow("date time") << "m/d/yyyy h:mm" << int(Format::DateAndTime);
    QTest::newRow("colour and locale") << "[Red][$-409]dd/mm" << int(Format::DateOnly);
    QTest::newRow("decimals") << "0.00" << none;
    QTest::newRow("general") << "General" << none;
    QTest::newRow("scientific") << "0.00E+00" << none;
    QTest::newRow("quoted letters") << "0 \"days\"" << none;
    QTest::newRow("escaped letter") << "0\\d" << none;
    QTest::newRow("elapsed hours") << "[h]:mm:ss" << none;
    QTest::newRow("text") << "@" << none;
    QTest::newRow("second section ignored") << "0;yyyy" << none;
}

void TestXlsx::dateFormats()
{
    QFETCH(QString, code);
    QFETCH(int, kind);
    QCOMPARE(int(Format::dateTimeKindOf(code)), kind);
}

void TestXlsx::usedRange()
{
    Document doc(path(QStringLiteral("used.xlsx")));
    Worksheet *sheet = worksheet(doc, QStringLiteral("Data"));
    QVERIFY(sheet);
    QCOMPARE(sheet->dimension().toString(), QStringLiteral("C3:D5"));
    SheetModel model(sheet);
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.columnCount(), 4);
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
    QCOMPARE(model.data(model.index(2, 2)), QVariant(QStringLiteral("top")));
    QCOMPARE(model.data(model.index(4, 3)).toDouble(), 42.0);
    for (const QPoint &empty : {QPoint(0, 0), QPoint(3, 2), QPoint(2, 3), QPoint(4, 2)}) {
        const QModelIndex index = model.index(empty.x(), empty.y());
        for (int role : {int(Qt::DisplayRole), int(Qt::EditRole), int(Qt::FontRole),
                         int(Qt::TextAlignmentRole), int(Qt::BackgroundRole)}) {
            QVERIFY(!model.data(index, role).isValid());
        }
    }
}

void TestXlsx::headersAndFlags()
{
    Worksheet sheet(QStringLiteral("Empty"));
    SheetModel model(&sheet);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
    QCOMPARE(model.headerData(27, Qt::Horizontal), QVariant(QStringLiteral("AB")));
    QCOMPARE(model.headerData(0, Qt::Horizontal), QVariant(QStringLiteral("A")));
    QCOMPARE(model.headerData(702, Qt::Horizontal), QVariant(QStringLiteral("AAA")));
    QCOMPARE(model.headerData(0, Qt::Vertical), QVariant(QStringLiteral("1")));
    QCOMPARE(model.headerData(41, Qt::Vertical), QVariant(QStringLiteral("42")));
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::EditRole).isValid());
    QVERIFY(!model.headerData(0, Qt::Vertical, Qt::FontRole).isValid());

    sheet.write(2, 3, QStringLiteral("x"));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(int(model.flags(model.index(0, 0))), 35);
    QCOMPARE(int(model.flags(QModelIndex())), 0);
}

void TestXlsx::cellValues()
{
    Document doc(path(QStringLiteral("values.xlsx")));
    Worksheet *sheet = worksheet(doc, QStringLiteral("Values"));
    QVERIFY(sheet);
    SheetModel model(sheet);
    auto display = [&](int row) { return model.data(model.index(row - 1, 0), Qt::DisplayRole); };
    auto edit = [&](int row) { return model.data(model.index(row - 1, 0), Qt::EditRole); };

    QCOMPARE(sheet->cellAt(1, 1)->cellType(), Cell::SharedStringType);
    QCOMPARE(display(1), QVariant(QStringLiteral("hello")));
    QCOMPARE(model.data(model.index(0, 1)), QVariant(QStringLiteral("hello")));
    QCOMPARE(display(2), QVariant(3.5));
    QCOMPARE(display(3), QVariant(true));
    QCOMPARE(model.data(model.index(2, 1)), QVariant(false));

    const QDateTime expectedDateTime(QDate(2024, 3, 15), QTime(10, 30));
    QVERIFY(sheet->cellAt(4, 1)->isDateTime());
    QCOMPARE(display(4), QVariant(expectedDateTime));
    QCOMPARE(edit(4), QVariant(expectedDateTime));
    QCOMPARE(sheet->cellAt(4, 1)->value(), QVariant(45366.4375));
    QCOMPARE(display(5), QVariant(QDate(2024, 3, 15)));
    QCOMPARE(display(6), QVariant(QTime(13, 45)));

    // Formulas give their cached results; with none stored there is nothing to show.
    QVERIFY(sheet->cellAt(7, 1)->hasFormula());
    QCOMPARE(sheet->cellAt(7, 1)->formula(), QStringLiteral("A2*2"));
    QCOMPARE(display(7), QVariant(7.0));
    QCOMPARE(edit(7), QVariant(7.0));
    QVERIFY(sheet->cellAt(11, 1)->hasFormula());
    QVERIFY(!edit(11).isValid());
    QCOMPARE(display(13), QVariant(QStringLiteral("HELLO")));
    QCOMPARE(sheet->cellAt(13, 1)->cellType(), Cell::StringType);

    QCOMPARE(sheet->cellAt(8, 1)->cellType(), Cell::ErrorType);
    QCOMPARE(display(8), QVariant(QStringLiteral("#DIV/0!")));
    QCOMPARE(display(9), QVariant(QDate(2024, 3, 15)));
    QCOMPARE(display(10), QVariant(QStringLiteral("rich text")));
    QCOMPARE(sheet->cellAt(12, 1)->cellType(), Cell::InlineStringType);
    QCOMPARE(display(12), QVariant(QStringLiteral("inline text")));
    QCOMPARE(display(14), QVariant(1234.5));
    QCOMPARE(display(15), QVariant(QStringLiteral("one\rtwo_x0041_")));
    QCOMPARE(display(16), QVariant(QDateTime(QDate(2024, 3, 15), QTime(18, 0))));
    QCOMPARE(display(17), QVariant(0.25));
}

void TestXlsx::date1904()
{
    Document doc(path(QStringLiteral("date1904.xlsx")));
    QVERIFY(doc.isDate1904());
    Worksheet *sheet = worksheet(doc, QStringLiteral("Mac"));
    QVERIFY(sheet);
    QCOMPARE(sheet->cellAt(1, 1)->value().toDouble(), 43904.0);
    QCOMPARE(sheet->read(1, 1).toDate(), QDate(2024, 3, 15));
    QCOMPARE(sheet->read(2, 1).toDateTime(), QDateTime(QDate(1904, 1, 1), QTime(6, 0)));
}

void TestXlsx::chartSheetIsNoWorksheet()
{
    Document doc(path(QStringLiteral("chart.xlsx")));
    QVERIFY(doc.isLoaded());
    QCOMPARE(doc.sheetNames(), (QStringList{"Data", "Chart"}));
    int worksheets = 0;
    for (const QString &name : doc.sheetNames()) {
        if (doc.sheet(name)->sheetType() == AbstractSheet::ST_WorkSheet) {
            ++worksheets;
        }
    }
    QCOMPARE(worksheets, 1);
    QCOMPARE(doc.sheet(QStringLiteral("Chart"))->sheetType(), AbstractSheet::ST_ChartSheet);
    QCOMPARE(worksheet(doc, QStringLiteral("Data"))->read(3, 1), QVariant(30.0));
    QCOMPARE(doc.firstWorksheet(), worksheet(doc, QStringLiteral("Data")));
    QVERIFY(!doc.sheet(QStringLiteral("Nothing")));
}

void TestXlsx::formatsThroughRoles()
{
    Document doc(path(QStringLiteral("styles.xlsx")));
    Worksheet *sheet = worksheet(doc, QStringLiteral("Styled"));
    QVERIFY(sheet);
    SheetModel model(sheet);
    auto role = [&](int row, int column, int r) { return model.data(model.index(row, column), r); };

    QVERIFY(role(0, 0, Qt::FontRole).value<QFont>().bold());
    QCOMPARE(role(0, 0, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
    const QBrush fill = role(0, 0, Qt::BackgroundRole).value<QBrush>();
    QCOMPARE(fill.color(), QColor(Qt::yellow));
    QCOMPARE(fill.style(), Qt::SolidPattern);
    QCOMPARE(role(0, 0, Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignVCenter));

    // No style at all: no font, no colours; a spreadsheet's bottom alignment.
    QVERIFY(!role(0, 1, Qt::FontRole).isValid());
    QVERIFY(!role(0, 1, Qt::ForegroundRole).isValid());
    QVERIFY(!role(0, 1, Qt::BackgroundRole).isValid());
    QCOMPARE(role(0, 1, Qt::TextAlignmentRole).toInt(), int(Qt::AlignBottom));

    const QFont font = role(1, 0, Qt::FontRole).value<QFont>();
    QCOMPARE(font.family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(font.pointSizeF(), 14.0);
    QVERIFY(font.italic());
    QVERIFY(font.underline());
    QVERIFY(!font.bold());
    QCOMPARE(role(1, 0, Qt::ForegroundRole).value<QBrush>().color(), QColor(0x4F, 0x81, 0xBD));
    QCOMPARE(role(1, 0, Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::red));
    QCOMPARE(role(1, 0, Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignTop));
    QCOMPARE(role(2, 0, Qt::TextAlignmentRole).toInt(), int(Qt::AlignJustify | Qt::AlignBottom));
    QCOMPARE(role(3, 0, Qt::TextAlignmentRole).toInt(), 0);
    QCOMPARE(role(4, 0, Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::green));
    QVERIFY(!role(0, 0, Qt::DecorationRole).isValid());
}

void TestXlsx::setDataWritesWorksheet()
{
    Document doc(path(QStringLiteral("styles.xlsx")));
    Worksheet *sheet = worksheet(doc, QStringLiteral("Styled"));
    QVERIFY(sheet);
    SheetModel model(sheet);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("Sum")));
    QCOMPARE(sheet->read(1, 1), QVariant(QStringLiteral("Sum")));
    QCOMPARE(model.data(model.index(0, 0)), QVariant(QStringLiteral("Sum")));
    // The cell keeps its look.
    QVERIFY(model.data(model.index(0, 0), Qt::FontRole).value<QFont>().bold());

    QVERIFY(model.setData(model.index(2, 1), 12.5));
    QCOMPARE(sheet->cellAt(3, 2)->cellType(), Cell::NumberType);
    QCOMPARE(model.data(model.index(2, 1)), QVariant(12.5));
    QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("x"), Qt::DisplayRole));
    QCOMPARE(model.data(model.index(0, 1)), QVariant(QStringLiteral("plain")));
    QVERIFY(!model.setData(QModelIndex(), QStringLiteral("x")));
    QCOMPARE(changed.count(), 0);
}

void TestXlsx::writeAndReadDates()
{
    for (bool date1904 : {false, true}) {
        Worksheet sheet(QStringLiteral("Dates"), date1904);
        const QDateTime dateTime(QDate(2023, 12, 31), QTime(23, 59, 30));
        QVERIFY(sheet.write(1, 1, dateTime));
        // The last day before the 1900 system's phantom leap day; the first of 1904.
        const QDate date = date1904 ? QDate(1904, 1, 1) : QDate(1900, 2, 28);
        QVERIFY(sheet.write(2, 1, date));
        QVERIFY(sheet.write(3, 1, QTime(6, 15)));
        QCOMPARE(sheet.read(1, 1), QVariant(dateTime));
        QCOMPARE(sheet.read(2, 1), QVariant(date));
        QCOMPARE(sheet.read(3, 1), QVariant(QTime(6, 15)));
        // A text written over a date is a text, whatever the cell's format.
        QVERIFY(sheet.write(1, 1, QStringLiteral("soon")));
        QCOMPARE(sheet.read(1, 1), QVariant(QStringLiteral("soon")));
    }
    Worksheet sheet(QStringLiteral("Bounds"));
    QVERIFY(!sheet.write(0, 1, 1));
    QVERIFY(!sheet.write(1, MaxColumnCount + 1, 1));
    QVERIFY(sheet.write(MaxRowCount, MaxColumnCount, 1));
    QCOMPARE(sheet.dimension().toString(), QStringLiteral("XFD1048576:XFD1048576"));
}

void TestXlsx::openedDeviceAndLifetime()
{
    // The workbook is read from a device its owner opened and closes again.
    QFile file(path(QStringLiteral("values.xlsx")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    auto doc = std::make_unique<Document>(&file);
    file.close();
    Worksheet *sheet = worksheet(*doc, QStringLiteral("Values"));
    QVERIFY(sheet);
    QCOMPARE(sheet->read(1, 1), QVariant(QStringLiteral("hello")));

    QFile again(path(QStringLiteral("used.xlsx")));
    QVERIFY(again.open(QIODevice::ReadOnly));
    QBuffer buffer;
    buffer.setData(again.readAll());
    Document fromBuffer(&buffer);
    QCOMPARE(fromBuffer.sheetNames(), QStringList{"Data"});
}

void TestXlsx::damaged_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("cells"); // of the first sheet; -1 for "some, not all"
    QTest::newRow("not a zip") << "not-a-zip.xlsx" << 0 << 0;
    QTest::newRow("empty file") << "empty.xlsx" << 0 << 0;
    QTest::newRow("missing file") << "no-such-file.xlsx" << 0 << 0;
    QTest::newRow("zip without workbook") << "no-workbook.xlsx" << 0 << 0;
    QTest::newRow("broken workbook part") << "broken-workbook.xlsx" << 0 << 0;
    QTest::newRow("document type declaration") << "doctype.xlsx" << 0 << 0;
    QTest::newRow("broken sheet part") << "broken-sheet.xlsx" << 1 << -1;
    QTest::newRow("broken styles part") << "broken-styles.xlsx" << 1 << 400;
    QTest::newRow("dimension of a million columns") << "big-dimension.xlsx" << 1 << 2;
    QTest::newRow("string index out of range") << "bad-string-index.xlsx" << 1 << 2;
    QTest::newRow("sheet inflating to gigabytes") << "zero-bomb.xlsx" << 1 << 0;
    QTest::newRow("endless rows") << "row-bomb.xlsx" << 1 << 1;
    QTest::newRow("endless shared string") << "text-bomb.xlsx" << 1 << 200;
}

void TestXlsx::damaged()
{
    QFETCH(QString, file);
    QFETCH(int, sheets);
    QFETCH(int, cells);
    QElapsedTimer timer;
    timer.start();
    Document doc(path(file));
    QVERIFY2(timer.elapsed() < 60000, "reading took too long");
    QCOMPARE(doc.sheetNames().size(), sheets);
    if (sheets == 0) {
        return;
    }
    Worksheet *sheet = doc.firstWorksheet();
    QVERIFY(sheet);
    if (cells < 0) {
        QVERIFY(sheet->cellCount() > 0);
        QVERIFY(sheet->cellCount() < 400);
    } else {
        QCOMPARE(sheet->cellCount(), cells);
    }
    SheetModel model(sheet);
    QVERIFY(model.rowCount() <= MaxRowCount);
    QVERIFY(model.columnCount() <= MaxColumnCount);
    for (int r = 0; r < qMin(model.rowCount(), 300); ++r) {
        for (int c = 0; c < qMin(model.columnCount(), 5); ++c) {
            for (int role :
                 {int(Qt::DisplayRole), int(Qt::EditRole), int(Qt::FontRole),
                  int(Qt::TextAlignmentRole), int(Qt::BackgroundRole), int(Qt::ForegroundRole)}) {
                model.data(model.index(r, c), role);
            }
        }
    }
    if (file == QLatin1String("big-dimension.xlsx")) {
        QCOMPARE(sheet->dimension().toString(), QStringLiteral("A1:B2"));
    } else if (file == QLatin1String("bad-string-index.xlsx")) {
        QCOMPARE(sheet->read(1, 1), QVariant(QStringLiteral("name 1")));
        QCOMPARE(sheet->read(1, 6), QVariant(8.0)); // unknown style: default format
    } else if (file == QLatin1String("text-bomb.xlsx")) {
        QVERIFY(!sheet->cellAt(1, 1)); // its string never arrived
        QCOMPARE(sheet->read(1, 2), QVariant(1.0));
    }
}

// Parts as other programs write them, and faults in them: the cells a
// fault leaves out, and every cell before it kept. Each cell is given as
// "A1=value" in the order of the cells read.
void TestXlsx::handWrittenParts_data()
{
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QByteArray>("strings");
    QTest::addColumn<QStringList>("cells");
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const QByteArray prefixed =
        "xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const QByteArray sst = "<sst " + ns +
                           "><si><t>plain</t></si><si><r><t>rich </t></r><r><rPr><b/></rPr>"
                           "<t xml:space=\"preserve\">runs</t></r><rPh><t>HINT</t></rPh></si>"
                           "<si><t>line_x000D_break &amp; &#233;</t></si></sst>";

    QTest::newRow("prefixes, quotes, entities, CDATA, comments")
        << QByteArray(
               "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<x:worksheet " +
               prefixed +
               "><!-- a <comment> --><x:sheetData><x:row r='1'>"
               "<x:c r='A1' t='inlineStr'><x:is><x:t>a &amp; b &#x263A; &lt;</x:t></x:is>"
               "</x:c><x:c r=\"B1\"><x:v> 2.5 </x:v></x:c><?pi x?><x:c r=\"C1\" t=\"str\">"
               "<x:v><![CDATA[<raw>&]]></x:v></x:c></x:row></x:sheetData></x:worksheet>")
        << sst << QStringList{"A1=a & b \u263A <", "B1=2.5", "C1=<raw>&"};
    QTest::newRow("shared strings: runs without hints, escapes")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c>"
                      "<c t=\"s\"><v> 2 </v></c><c t=\"s\"><v>3</v></c></row></sheetData>"
                      "</worksheet>")
        << sst << QStringList{"A1=plain", "B1=rich runs", "C1=line\rbreak & \u00e9"};
    QTest::newRow("shared strings in UTF-8, and bytes that are none")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c>"
                      "<c t=\"s\"><v>2</v></c></row></sheetData></worksheet>")
        << QByteArray("<sst " + ns +
                      "><si><t>\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80</t></si>"
                      "<si><t>a\xFF" "b\xC3</t></si><si><t>\xED\xA0\x80 \xC0\xAF</t></si></sst>")
        << QStringList{QStringLiteral("A1=\u00e9t\u00e9 \u20ac \U0001F600"),
                       QStringLiteral("B1=a\uFFFDb\uFFFD"),
                       QStringLiteral("C1=\uFFFD\uFFFD\uFFFD \uFFFD\uFFFD")};
    QTest::newRow("empty cells and places that follow")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row r=\"2\"><c r=\"B2\"/><c><v>1</v></c></row>"
                      "<row><c><v>7</v><f>A1*2</f></c><c t=\"b\"><v>1</v></c><c t=\"inlineStr\">"
                      "<is/></c></row>"
                      "</sheetData></worksheet>")
        << sst << QStringList{"B2=", "C2=1", "A3=7", "B3=true", "C3="};
    QTest::newRow("an end tag that closes another")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"
                      "<row r=\"2\"><c r=\"A2\"><v>2</v></row></c>"
                      "<row r=\"3\"><c r=\"A3\"><v>3</v></c></row></sheetData></worksheet>")
        << sst << QStringList{"A1=1"};
    QTest::newRow("an entity nobody declared")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" "
                      "t=\"str\"><v>a&nbsp;b</v></c><c r=\"C1\"><v>3</v></c></row></sheetData>"
                      "</worksheet>")
        << sst << QStringList{"A1=1"};
    QTest::newRow("a character XML cannot carry")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" "
                      "t=\"str\"><v>&#0;</v></c></row></sheetData></worksheet>")
        << sst << QStringList{"A1=1"};
    QTest::newRow("cut short")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><v>2")
        << sst << QStringList{"A1=1"};
    QTest::newRow("a tag left open")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" t=\"s")
        << sst << QStringList{"A1=1"};
    QTest::newRow("an attribute without quotes")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=B1><v>2</v></c>"
                      "</row></sheetData></worksheet>")
        << sst << QStringList{"A1=1"};
    QTest::newRow("a document type declaration")
        << QByteArray("<!DOCTYPE worksheet [<!ENTITY a \"aaaa\">]><worksheet " + ns +
                      "><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row></sheetData>"
                      "</worksheet>")
        << sst << QStringList{};
    QTest::newRow("broken shared strings: the strings before the fault")
        << QByteArray("<worksheet " + ns +
                      "><sheetData><row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c>"
                      "</row></sheetData></worksheet>")
        << QByteArray("<sst " + ns + "><si><t>first</t></si><si><t>sec</si></sst>")
        << QStringList{"A1=first"};

    QByteArray utf16 =
        QTextCodec::codecForName("UTF-16LE")
            ->fromUnicode(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                                         "<worksheet %1><sheetData><row r=\"1\"><c r=\"A1\" "
                                         "t=\"inlineStr\"><is><t>\u00e9t\u00e9 \U0001F600</t>"
                                         "</is></c></row></sheetData></worksheet>")
                              .arg(QString::fromLatin1(ns)));
    QTest::newRow("UTF-16 with a byte order mark")
        << QByteArray("\xFF\xFE") + utf16 << sst
        << QStringList{QStringLiteral("A1=\u00e9t\u00e9 \U0001F600")};
    QTest::newRow("Latin-1 as declared")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><worksheet " + ns +
                      "><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>caf\xE9"
                      "</t></is></c></row></sheetData></worksheet>")
        << sst << QStringList{QStringLiteral("A1=caf\u00e9")};
}

void TestXlsx::handWrittenParts()
{
    QFETCH(QByteArray, sheet);
    QFETCH(QByteArray, strings);
    QFETCH(QStringList, cells);
    const QString file = writeParts(path(QStringLiteral("parts.xlsx")), sheet, strings);
    QVERIFY(!file.isEmpty());
    Document doc(file);
    Worksheet *ws = doc.firstWorksheet();
    QVERIFY(ws);
    QStringList read;
    const CellRange used = ws->dimension();
    for (int r = used.firstRow(); r <= used.lastRow() && ws->cellCount() > 0; ++r) {
        for (int c = used.firstColumn(); c <= used.lastColumn(); ++c) {
            if (const std::optional<Cell> cell = ws->cellAt(r, c)) {
                read << QXlsx::columnLetters(c) + QString::number(r) + QLatin1Char('=') +
                            cell->value().toString();
            }
        }
    }
    QCOMPARE(read, cells);
    if (QByteArray(QTest::currentDataTag()).startsWith("empty cells")) {
        QCOMPARE(ws->cellAt(3, 1)->formula(), QStringLiteral("A1*2"));
        QVERIFY(!ws->cellAt(2, 3)->hasFormula());
        QCOMPARE(ws->cellAt(3, 2)->cellType(), Cell::BooleanType);
    }
}

// Cells kept in the order they came and those that came out of order give
// the same sheet as a plain map: what was written last at each place, the
// used range, the count.
void TestXlsx::cellsInAnyOrder()
{
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        Worksheet sheet(QStringLiteral("S"));
        std::map<std::pair<int, int>, QVariant> expected;
        int row = 1;
        for (int i = 0; i < 20000; ++i) {
            // Mostly forward, as files are; now and then back, or again.
            const int jump = int(random() % 100);
            const int r = jump < 80 ? row++ : 1 + int(random() % quint32(row));
            const int c = 1 + int(random() % 30);
            QVariant value;
            switch (random() % 4) {
            case 0:
                value = double(i);
                break;
            case 1:
                value = QStringLiteral("text %1").arg(i);
                break;
            case 2:
                value = bool(i % 2);
                break;
            default:
                break; // a cell without a value
            }
            QVERIFY(sheet.write(r, c, value));
            expected[{r, c}] = value;
        }
        QCOMPARE(sheet.cellCount(), int(expected.size()));
        int top = MaxRowCount, left = MaxColumnCount, bottom = 0, right = 0;
        for (const auto &e : expected) {
            top = qMin(top, e.first.first);
            bottom = qMax(bottom, e.first.first);
            left = qMin(left, e.first.second);
            right = qMax(right, e.first.second);
            const QVariant got = sheet.read(e.first.first, e.first.second);
            if (got != e.second) {
                QFAIL(qPrintable(QStringLiteral("seed %1, %2%3: %4 instead of %5")
                                     .arg(seed)
                                     .arg(QXlsx::columnLetters(e.first.second))
                                     .arg(e.first.first)
                                     .arg(got.toString(), e.second.toString())));
            }
        }
        QCOMPARE(sheet.dimension(), CellRange(top, left, bottom, right));
        QVERIFY(!sheet.cellAt(bottom + 1, 1));
    }
}

QTEST_GUILESS_MAIN(TestXlsx)
#include "tst_xlsx.moc"
