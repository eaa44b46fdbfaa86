// Loads a 100,000-row, 10-column CSV file and a workbook of the same size into
// their table models and prints the load time and the peak memory of each.

#include "qxtcsvmodel.h"
#include "xlsx/xlsxdocument.h"
#include "xlsx/xlsxsheetmodel.h"
#include "xlsx/xlsxworksheet.h"

#include <KZip>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

constexpr int Rows = 100000;
constexpr int Columns = 10;

// Resident set size and its peak, in kB, from the kernel's view of us.
qint64 statusValue(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

// Starts the peak over from the current size, so each load gets its own.
void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly)) {
        refs.write("5");
    }
}

QString field(int row, int column)
{
    return QStringLiteral("item %1-%2").arg(row).arg(column);
}

void writeCsv(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QTextStream out(&file);
    for (int c = 0; c < Columns; ++c) {
        out << (c ? "," : "") << "column" << c;
    }
    out << '\n';
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            out << (c ? "," : "");
            if (c < Columns / 2) {
                out << field(r, c);
            } else {
                out << r * Columns + c;
            }
        }
        out << '\n';
    }
}

// Half the columns are shared strings, half numbers, with one bold style,
// as a spreadsheet program would store such a list.
void writeXlsx(const QString &path)
{
    QByteArray sheet;
    QByteArray strings;
    int stringCount = 0;
    sheet += "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
             "<dimension ref=\"A1:J100000\"/><sheetData>";
    for (int r = 1; r <= Rows; ++r) {
        sheet += "<row r=\"" + QByteArray::number(r) + "\">";
        for (int c = 1; c <= Columns; ++c) {
            const QByteArray ref = QXlsx::columnLetters(c).toLatin1() + QByteArray::number(r);
            if (c <= Columns / 2) {
                strings += "<si><t>" + field(r, c).toUtf8() + "</t></si>";
                sheet += "<c r=\"" + ref + "\" t=\"s\"" + (r == 1 ? " s=\"1\"" : "") + "><v>" +
                         QByteArray::number(stringCount++) + "</v></c>";
            } else {
                sheet +=
                    "<c r=\"" + ref + "\"><v>" + QByteArray::number(r * Columns + c) + "</v></c>";
            }
        }
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";

    const QByteArray relNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    KZip zip(path);
    zip.open(QIODevice::WriteOnly);
    zip.writeFile(QStringLiteral("_rels/.rels"),
                  "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                  "relationships\"><Relationship Id=\"rId1\" Type=\"" +
                      relNs + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    zip.writeFile(QStringLiteral("xl/workbook.xml"),
                  "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                  "xmlns:r=\"" +
                      relNs +
                      "\"><sheets><sheet name=\"List\" sheetId=\"1\" r:id=\"rId1\"/>"
                      "</sheets></workbook>");
    zip.writeFile(QStringLiteral("xl/_rels/workbook.xml.rels"),
                  "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                  "relationships\"><Relationship Id=\"rId1\" Type=\"" +
                      relNs +
                      "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                      "<Relationship Id=\"rId2\" Type=\"" +
                      relNs +
                      "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
                      "<Relationship Id=\"rId3\" Type=\"" +
                      relNs + "/styles\" Target=\"styles.xml\"/></Relationships>");
    zip.writeFile(QStringLiteral("xl/styles.xml"),
                  "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                  "<fonts><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
                  "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
                  "<fills><fill><patternFill patternType=\"none\"/></fill></fills>"
                  "<cellXfs><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\"/>"
                  "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\"/></cellXfs></styleSheet>");
    zip.writeFile(QStringLiteral("xl/sharedStrings.xml"),
                  "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" +
                      strings + "</sst>");
    zip.writeFile(QStringLiteral("xl/worksheets/sheet1.xml"), sheet);
    zip.close();
}

template <typename Load> void measure(const char *what, const QString &path, Load load)
{
    const qint64 before = statusValue("VmRSS:");
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    const QString check = load();
    const qint64 ms = timer.elapsed();
    const qint64 peak = statusValue("VmHWM:");
    std::printf("%-5s %8.1f MB on disk  load %6lld ms  peak %7.1f MB (+%.1f MB over %.1f MB)  %s\n",
                what, QFile(path).size() / 1048576.0, static_cast<long long>(ms), peak / 1024.0,
                (peak - before) / 1024.0, before / 1024.0, qPrintable(check));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString csvPath = dir.filePath(QStringLiteral("list.csv"));
    const QString xlsxPath = dir.filePath(QStringLiteral("list.xlsx"));
    writeCsv(csvPath);
    writeXlsx(xlsxPath);
    std::printf("%d rows x %d columns\n", Rows, Columns);
    // "csv" or "xlsx" measures one alone: memory one reader freed stays
    // with the process and would blur the other's peak.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    if (only.isEmpty() || only == QLatin1String("csv"))
        measure("CSV", csvPath, [&]() {
            QFile file(csvPath);
            QxtCsvModel model(&file, nullptr, true, QLatin1Char(','));
            const QModelIndex last = model.index(model.rowCount() - 1, model.columnCount() - 1);
            return QStringLiteral("%1 x %2, last %3")
                .arg(model.rowCount())
                .arg(model.columnCount())
                .arg(model.data(last).toString());
        });
    if (only.isEmpty() || only == QLatin1String("xlsx"))
        measure("XLSX", xlsxPath, [&]() {
            QXlsx::Document doc(xlsxPath);
            QXlsx::SheetModel model(doc.firstWorksheet());
            const QModelIndex last = model.index(model.rowCount() - 1, model.columnCount() - 1);
            return QStringLiteral("%1 x %2, last %3")
                .arg(model.rowCount())
                .arg(model.columnCount())
                .arg(model.data(last).toString());
        });
    return 0;
}
