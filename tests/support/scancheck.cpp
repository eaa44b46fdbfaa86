#include "scancheck.h"

#include <QDir>
#include <QHash>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QVector>

#include <algorithm>
#include <utility>

namespace {

struct ToolRun
{
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QString &tool, const QStringList &arguments)
{
    ToolRun run;
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForStarted(30000)) {
        run.err = (tool + QStringLiteral(" did not start: ") + p.errorString()).toLocal8Bit();
        return run;
    }
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished(5000);
        run.err = (tool + QStringLiteral(" did not finish: ")).toLocal8Bit() + p.readAllStandardError();
        return run;
    }
    run.finished = true;
    run.exitCode = p.exitCode();
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

// Grey, with anything transparent laid on white paper, since a transparent
// background would otherwise read as black.
QImage toGrey(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage grey(argb.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *out = grey.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(in[x]);
            out[x] = uchar((qGray(in[x]) * a + 255 * (255 - a)) / 255);
        }
    }
    return grey;
}

// Left to itself zbarimg 0.23.92 reads UPC-A as EAN-13 with a leading 0
// ("EAN-13:0012345678905") and UPC-E expanded to EAN-13 as well; with upca and
// upce enabled by name it gives "UPC-A:012345678905" and "UPC-E:01234565".
// The ISBN views are off by default already; turning them off here keeps a
// 978/979 number "EAN-13" whatever the local zbar defaults are. --nodbus
// spares a desktop-bus connection attempt and its complaint on stderr.
const QStringList &zbarOptions()
{
    static const QStringList options{
        QStringLiteral("--nodbus"),
        QStringLiteral("-Supca.enable"), QStringLiteral("-Supce.enable"),
        QStringLiteral("-Sisbn10.disable"), QStringLiteral("-Sisbn13.disable")};
    return options;
}

QStringList runZbar(const QImage &image, bool raw, QString *error)
{
    if (error)
        error->clear();
    if (image.isNull()) {
        setError(error, QStringLiteral("zbarimg: no image"));
        return {};
    }
    QTemporaryDir dir;
    if (!dir.isValid()) {
        setError(error, QStringLiteral("no temporary folder: ") + dir.errorString());
        return {};
    }
    const QString file = dir.filePath(QStringLiteral("scan.png"));
    if (!toGrey(image).save(file, "PNG")) {
        setError(error, QStringLiteral("could not write ") + file);
        return {};
    }
    QStringList arguments{QStringLiteral("-q")};
    if (raw)
        arguments << QStringLiteral("--raw");
    arguments << zbarOptions() << file;
    const ToolRun run = runTool(QStringLiteral("zbarimg"), arguments);
    // 4 is zbarimg's "no symbol found", an answer rather than a failure.
    if (run.finished && run.exitCode == 4)
        return {};
    if (!run.finished || run.exitCode != 0) {
        setError(error, QStringLiteral("zbarimg: ") + QString::fromLocal8Bit(run.err));
        return {};
    }
    QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
    // Every symbol ends with a line break, which leaves one empty piece.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

// Code 2 of 5 Matrix as zint draws it: widths in modules, bar first, a wide
// element being 3 modules. A digit is 3 bars and 3 spaces, two of its first
// five elements wide.
const char *const MatrixDigits[10] = {"113311", "311131", "131131", "331111", "113131",
                                      "313111", "133111", "111331", "311311", "131311"};
constexpr int StartModules = 9; // 4 1 1 1 1 1
constexpr int DigitModules = 10;
constexpr int StopModules = 8; // 4 1 1 1 1

double sumOf(const QVector<int> &widths, int from, int count)
{
    double sum = 0;
    for (int i = from; i < from + count; ++i)
        sum += widths[i];
    return sum;
}

// The start or stop pattern: one 4-module bar, then narrow elements only.
bool isGuard(const QVector<int> &widths, int from, int count, int modules)
{
    if (from + count > widths.size())
        return false;
    const double module = sumOf(widths, from, count) / modules;
    if (widths[from] < 2.5 * module || widths[from] > 5.5 * module)
        return false;
    for (int i = from + 1; i < from + count; ++i) {
        if (widths[i] > 2 * module)
            return false;
    }
    return true;
}

// -1 when the six elements from `from` are not a digit about `module` wide.
int matrixDigit(const QVector<int> &widths, int from, double module)
{
    if (from + 6 > widths.size())
        return -1;
    const double sum = sumOf(widths, from, 6);
    if (sum < 0.6 * DigitModules * module || sum > 1.5 * DigitModules * module)
        return -1;
    // Measured against the digit's own width, so slow drift in scale along a
    // long symbol does not matter.
    const double local = sum / DigitModules;
    char pattern[7] = {};
    for (int i = 0; i < 6; ++i)
        pattern[i] = widths[from + i] > 2 * local ? '3' : '1';
    for (int d = 0; d < 10; ++d) {
        if (qstrcmp(pattern, MatrixDigits[d]) == 0)
            return d;
    }
    return -1;
}

// Widths of alternating runs starting with a bar; the light run before the
// first bar is dropped.
QString decodeMatrixRuns(const QVector<int> &widths)
{
    for (int start = 0; start + 6 + 5 <= widths.size(); start += 2) {
        if (!isGuard(widths, start, 6, StartModules))
            continue;
        double module = sumOf(widths, start, 6) / StartModules;
        QString digits;
        int at = start + 6;
        while (at < widths.size()) {
            // No digit begins wide-narrow-narrow-narrow-narrow, so this is
            // the stop pattern and not a digit that looks like one.
            if (isGuard(widths, at, 5, StopModules)) {
                const double stopModule = sumOf(widths, at, 5) / StopModules;
                if (!digits.isEmpty() && stopModule > 0.6 * module && stopModule < 1.5 * module)
                    return digits;
                break;
            }
            const int d = matrixDigit(widths, at, module);
            if (d < 0)
                break;
            digits += QChar(QLatin1Char(char('0' + d)));
            module = sumOf(widths, at, 6) / DigitModules;
            at += 6;
        }
    }
    return {};
}

QString decodeMatrixRow(const uchar *line, int width)
{
    QVector<int> widths;
    int x = 0;
    while (x < width && line[x] >= 128)
        ++x;
    while (x < width) {
        const bool dark = line[x] < 128;
        int end = x;
        while (end < width && (line[end] < 128) == dark)
            ++end;
        widths << end - x;
        x = end;
    }
    // A symbol ends with a bar; trailing paper is not an element.
    if (widths.size() % 2 == 0 && !widths.isEmpty())
        widths.removeLast();
    if (widths.isEmpty())
        return {};
    const QString forward = decodeMatrixRuns(widths);
    if (!forward.isEmpty())
        return forward;
    // The same symbol turned half round, as a label printed upside down is.
    std::reverse(widths.begin(), widths.end());
    return decodeMatrixRuns(widths);
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The rows of one ~DG graphic from its compressed hex. rastertolabel writes
// plain hex digits with repeat counts before them (G..Y = 1..19, g..z = 20..400,
// added up), ',' for a row whose rest is 0, and ':' for a row equal to the one
// before; it never breaks lines inside the data. '!' (rest of the row 1) is
// ZPL too and costs nothing to accept.
QImage unpackGraphic(const QByteArray &data, int totalBytes, int bytesPerRow)
{
    const int rows = totalBytes / bytesPerRow;
    const int nibbles = 2 * bytesPerRow;
    QImage image(bytesPerRow * 8, rows, QImage::Format_Grayscale8);
    if (image.isNull())
        return {};
    image.fill(255);

    QVector<uchar> current(nibbles, 0);
    QVector<uchar> previous(nibbles, 0);
    int row = 0;
    int pos = 0;
    int repeat = 0;
    const auto finishRow = [&]() {
        uchar *out = image.scanLine(row);
        for (int n = 0; n < nibbles; ++n) {
            for (int bit = 0; bit < 4; ++bit) {
                if (current[n] & (8 >> bit))
                    out[n * 4 + bit] = 0;
            }
        }
        previous = current;
        ++row;
        pos = 0;
    };

    for (int i = 0; i < data.size() && row < rows; ++i) {
        const char c = data[i];
        if (c >= 'G' && c <= 'Y') {
            repeat += c - 'F';
        } else if (c >= 'g' && c <= 'z') {
            repeat += 20 * (c - 'f');
        } else if (hexValue(c) >= 0) {
            const uchar value = uchar(hexValue(c));
            for (int n = std::max(repeat, 1); n > 0 && row < rows; --n) {
                current[pos++] = value;
                if (pos == nibbles)
                    finishRow();
            }
            repeat = 0;
        } else if (c == ',' || c == '!') {
            std::fill(current.begin() + pos, current.end(), uchar(c == ',' ? 0 : 15));
            finishRow();
            repeat = 0;
        } else if (c == ':') {
            std::copy(previous.begin() + pos, previous.end(), current.begin() + pos);
            finishRow();
            repeat = 0;
        }
        // Line breaks and anything else between the hex are not data.
    }
    return image;
}

} // namespace

QList<QImage> scancheck::renderPdf(const QString &pdfPath, int dpi, QString *error,
                                   bool antialias)
{
    if (error)
        error->clear();
    QTemporaryDir dir;
    if (!dir.isValid()) {
        setError(error, QStringLiteral("no temporary folder: ") + dir.errorString());
        return {};
    }
    QStringList arguments = {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                             QStringLiteral("-png")};
    // A label printer sets dots: no grey at the edges of modules.
    if (!antialias)
        arguments << QStringLiteral("-aa") << QStringLiteral("no") << QStringLiteral("-aaVector")
                  << QStringLiteral("no");
    const ToolRun run = runTool(QStringLiteral("pdftoppm"),
                                arguments << pdfPath << dir.filePath(QStringLiteral("page")));
    if (!run.finished || run.exitCode != 0) {
        setError(error, QStringLiteral("pdftoppm: ") + QString::fromLocal8Bit(run.err));
        return {};
    }

    // pdftoppm pads the page number to the width of the page count
    // (page-1.png, or page-01.png and on), so order by the number itself.
    static const QRegularExpression pageName(QStringLiteral("^page-(\\d+)\\.png$"));
    QList<std::pair<int, QString>> files;
    const QStringList names = QDir(dir.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch m = pageName.match(name);
        if (m.hasMatch())
            files << std::make_pair(m.captured(1).toInt(), dir.filePath(name));
    }
    std::sort(files.begin(), files.end());
    if (files.isEmpty()) {
        setError(error, QStringLiteral("pdftoppm wrote no pages: ") + QString::fromLocal8Bit(run.err));
        return {};
    }

    QList<QImage> pages;
    for (const auto &file : qAsConst(files)) {
        QImage page(file.second);
        if (page.isNull()) {
            setError(error, QStringLiteral("could not read ") + file.second);
            return {};
        }
        pages << page.convertToFormat(QImage::Format_Grayscale8);
    }
    return pages;
}

QStringList scancheck::zbarDecode(const QImage &image, QString *error)
{
    return runZbar(image, true, error);
}

QStringList scancheck::zbarDecodeTyped(const QImage &image, QString *error)
{
    return runZbar(image, false, error);
}

QString scancheck::decodeMatrix2of5(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage grey = toGrey(image);
    // Every fifth line, and the result most lines agree on, so a line that
    // grazes printed text or the symbol's edge cannot outvote the rest.
    QHash<QString, int> votes;
    QStringList order;
    for (int y = 0; y < grey.height(); y += 5) {
        const QString digits = decodeMatrixRow(grey.constScanLine(y), grey.width());
        if (digits.isEmpty())
            continue;
        if (!votes.contains(digits))
            order << digits;
        ++votes[digits];
    }
    QString best;
    for (const QString &digits : qAsConst(order)) {
        if (best.isEmpty() || votes.value(digits) > votes.value(best))
            best = digits;
    }
    return best;
}

namespace {

// CRC-16/XMODEM, which Z64 data carries after its base64 text.
quint16 xmodemCrc(const QByteArray &data)
{
    quint16 crc = 0;
    for (char c : data) {
        crc ^= quint16(uchar(c)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

// The uncompressed rows of ":Z64:<base64>:<crc>"; a null image when the CRC or
// the stream is wrong.
QImage unpackZ64(const QByteArray &data, int totalBytes, int bytesPerRow)
{
    const QList<QByteArray> parts = data.split(':');
    // "", "Z64", data, crc
    if (parts.size() < 4 || parts.at(1) != "Z64" || totalBytes <= 0)
        return {};
    bool ok = false;
    if (parts.at(3).trimmed().toUShort(&ok, 16) != xmodemCrc(parts.at(2)) || !ok)
        return {};
    QByteArray stream = QByteArray::fromBase64(parts.at(2));
    const quint32 size = quint32(totalBytes);
    stream.prepend(char(size & 0xff)).prepend(char((size >> 8) & 0xff));
    stream.prepend(char((size >> 16) & 0xff)).prepend(char((size >> 24) & 0xff));
    const QByteArray bytes = qUncompress(stream);
    if (bytes.size() != totalBytes)
        return {};
    const int rows = totalBytes / bytesPerRow;
    QImage image(bytesPerRow * 8, rows, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < rows; ++y) {
        uchar *out = image.scanLine(y);
        for (int x = 0; x < bytesPerRow * 8; ++x) {
            if (uchar(bytes[y * bytesPerRow + (x >> 3)]) & (0x80 >> (x & 7)))
                out[x] = 0;
        }
    }
    return image;
}

} // namespace

QList<QImage> scancheck::zplGraphics(const QByteArray &zpl)
{
    QList<QImage> graphics;
    // Graphic fields: ^GFA,<bytes>,<field bytes>,<bytes per row>,<data>.
    for (int at = zpl.indexOf("^GFA,"); at >= 0; at = zpl.indexOf("^GFA,", at + 5)) {
        const QList<QByteArray> head = zpl.mid(at + 5, 64).split(',');
        if (head.size() < 4)
            break;
        const int totalBytes = head.at(0).toInt();
        const int bytesPerRow = head.at(2).toInt();
        const int dataStart = at + 5 + head.at(0).size() + head.at(1).size() + head.at(2).size() + 3;
        int dataEnd = dataStart;
        while (dataEnd < zpl.size() && zpl[dataEnd] != '^' && zpl[dataEnd] != '~')
            ++dataEnd;
        if (bytesPerRow <= 0 || totalBytes < bytesPerRow)
            continue;
        const QByteArray data = zpl.mid(dataStart, dataEnd - dataStart);
        graphics << (data.startsWith(":Z64:") ? unpackZ64(data, totalBytes, bytesPerRow)
                                              : unpackGraphic(data, totalBytes, bytesPerRow));
    }
    if (!graphics.isEmpty())
        return graphics;
    // Commands are found without regard to case; the data itself is not
    // folded, since g..z and G..Y mean different counts.
    const QByteArray commands = zpl.toUpper();
    for (int at = commands.indexOf("~DG"); at >= 0; at = commands.indexOf("~DG", at + 3)) {
        // ~DG<name>,<total bytes>,<bytes per row>,<data>
        const int nameEnd = zpl.indexOf(',', at);
        const int totalEnd = nameEnd < 0 ? -1 : zpl.indexOf(',', nameEnd + 1);
        const int rowEnd = totalEnd < 0 ? -1 : zpl.indexOf(',', totalEnd + 1);
        if (rowEnd < 0)
            break;
        bool totalOk = false;
        bool rowOk = false;
        const int totalBytes = zpl.mid(nameEnd + 1, totalEnd - nameEnd - 1).trimmed().toInt(&totalOk);
        const int bytesPerRow = zpl.mid(totalEnd + 1, rowEnd - totalEnd - 1).trimmed().toInt(&rowOk);
        if (!totalOk || !rowOk || bytesPerRow <= 0 || totalBytes < bytesPerRow)
            continue;
        // The data runs up to the next command.
        int dataEnd = rowEnd + 1;
        while (dataEnd < zpl.size() && zpl[dataEnd] != '^' && zpl[dataEnd] != '~')
            ++dataEnd;
        graphics << unpackGraphic(zpl.mid(rowEnd + 1, dataEnd - rowEnd - 1), totalBytes,
                                  bytesPerRow);
        at = dataEnd - 3;
    }
    return graphics;
}

QRect scancheck::inkBox(const QImage &image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    QRect box;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (line[x] < 128)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

namespace {

// The image as a PNG file of its own, for a command-line decoder.
QString savedImage(const QImage &image, QTemporaryDir &dir, QString *error)
{
    const QString path = dir.filePath(QStringLiteral("code.png"));
    if (!dir.isValid() || !image.save(path)) {
        setError(error, QStringLiteral("could not write ") + path);
        return QString();
    }
    return path;
}

} // namespace

QStringList scancheck::zxingDecode(const QImage &image, const QString &format, QString *error)
{
    // Pure means the symbol and its quiet zone alone: the page is cut to its ink.
    const QRect ink = inkBox(image);
    if (ink.isEmpty()) {
        setError(error, QStringLiteral("nothing drawn"));
        return {};
    }
    QImage symbol(ink.size() + QSize(20, 20), QImage::Format_Grayscale8);
    symbol.fill(255);
    {
        QPainter painter(&symbol);
        painter.drawImage(QPoint(10, 10), image.convertToFormat(QImage::Format_Grayscale8), ink);
    }
    QTemporaryDir dir;
    const QString path = savedImage(symbol, dir, error);
    if (path.isEmpty())
        return {};
    const ToolRun run =
        runTool(QStringLiteral("ZXingReader"),
                {QStringLiteral("-ispure"), QStringLiteral("-format"), format, QStringLiteral("-1"),
                 path});
    if (!run.finished) {
        setError(error, QString::fromLocal8Bit(run.err));
        return {};
    }
    // '<file> <format> "<content>"' a line, "<file> None" when nothing was read.
    QStringList found;
    const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const int open = line.indexOf(QLatin1Char('"'));
        const int close = line.lastIndexOf(QLatin1Char('"'));
        if (!line.startsWith(path + QLatin1Char(' ')) || open < 0 || close <= open)
            continue;
        QString text = line.mid(open + 1, close - open - 1);
        // Human-readable GS1 from DataBar, and separators from the rest.
        text.remove(QStringLiteral("<GS>"));
        if (text.startsWith(QLatin1Char('(')))
            text.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
        found << text;
    }
    if (found.isEmpty())
        setError(error, QString::fromUtf8(run.out + run.err));
    return found;
}

QStringList scancheck::dmtxDecode(const QImage &image, QString *error)
{
    QTemporaryDir dir;
    const QString path = savedImage(image, dir, error);
    if (path.isEmpty())
        return {};
    const ToolRun run = runTool(QStringLiteral("dmtxread"), {path});
    if (!run.finished) {
        setError(error, QString::fromLocal8Bit(run.err));
        return {};
    }
    return QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
