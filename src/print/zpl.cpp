#include "zpl.h"

#include <QImage>

namespace {

// Rows of 1-bit data, most significant bit first, a set bit printing.
QByteArray packed(const QImage &image, int *bytesPerRow)
{
    // The program draws its labels in 32 bits; those are read as they are,
    // without a converted copy (a label a row of a long run).
    const bool rgb = image.format() == QImage::Format_RGB32 ||
                     image.format() == QImage::Format_ARGB32 ||
                     image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage grey = rgb ? image : image.convertToFormat(QImage::Format_Grayscale8);
    const int width = grey.width();
    const int height = grey.height();
    const int perRow = (width + 7) / 8;
    QByteArray bytes(perRow * height, '\0');
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    for (int y = 0; y < height; ++y, out += perRow) {
        if (rgb) {
            const auto *line = reinterpret_cast<const QRgb *>(grey.constScanLine(y));
            int x = 0;
            // Labels are mostly white: eight white pixels leave their byte 0.
            for (; x + 8 <= width; x += 8) {
                quint64 all = ~quint64(0);
                for (int i = 0; i < 8; ++i)
                    all &= line[x + i] | 0xff000000u;
                if (quint32(all) == 0xffffffffu)
                    continue;
                uchar byte = 0;
                for (int i = 0; i < 8; ++i) {
                    if (qGray(line[x + i]) < 128)
                        byte |= uchar(0x80 >> i);
                }
                out[x >> 3] = byte;
            }
            for (; x < width; ++x) {
                if (qGray(line[x]) < 128)
                    out[x >> 3] |= uchar(0x80 >> (x & 7));
            }
        } else {
            const uchar *line = grey.constScanLine(y);
            for (int x = 0; x < width; ++x) {
                if (line[x] < 128)
                    out[x >> 3] |= uchar(0x80 >> (x & 7));
            }
        }
    }
    *bytesPerRow = perRow;
    return bytes;
}

// The ^GFA command of packed rows.
QByteArray field(const QByteArray &bytes, int perRow, zpl::Compression compression);

// A run of `count` equal hex digits: G..Y count 1 to 19, g..z 20 to 400 in
// steps of 20, and several counts add up.
void appendRun(QByteArray &out, char digit, int count)
{
    if (count > 1) {
        for (; count >= 400; count -= 400)
            out += 'z';
        if (count >= 20)
            out += char('f' + count / 20);
        if (count % 20)
            out += char('F' + count % 20);
    }
    out += digit;
}

QByteArray asciiData(const QByteArray &bytes, int perRow)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    QByteArray previous;
    for (int at = 0; at < bytes.size(); at += perRow) {
        const QByteArray row = bytes.mid(at, perRow);
        // ':' repeats the row before.
        if (row == previous) {
            out += ':';
            continue;
        }
        previous = row;
        QByteArray digits;
        digits.reserve(2 * perRow);
        for (char b : row) {
            digits += hex[(uchar(b) >> 4) & 15];
            digits += hex[uchar(b) & 15];
        }
        // ',' fills the rest of the row with 0, '!' with F.
        int end = digits.size();
        char fill = 0;
        for (char tail : {'0', 'F'}) {
            int e = digits.size();
            while (e > 0 && digits[e - 1] == tail)
                --e;
            if (digits.size() - e > 1 && e < end) {
                end = e;
                fill = tail == '0' ? ',' : '!';
            }
        }
        for (int i = 0; i < end;) {
            int j = i + 1;
            while (j < end && digits[j] == digits[i])
                ++j;
            appendRun(out, digits[i], j - i);
            i = j;
        }
        if (fill)
            out += fill;
    }
    return out;
}

// CRC-16/XMODEM (polynomial 0x1021, start 0) of the base64 text, as Z64 wants.
quint16 crc16(const QByteArray &data)
{
    quint16 crc = 0;
    for (char c : data) {
        crc ^= quint16(uchar(c)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 0x8000 ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

QByteArray z64Data(const QByteArray &bytes)
{
    // qCompress puts the length in four bytes before the zlib stream. The
    // fastest level: a long run is drawn faster than the printer prints it,
    // and its labels stay near a kilobyte.
    const QByteArray base64 = qCompress(bytes, 1).mid(4).toBase64();
    return ":Z64:" + base64 + ':' + QByteArray::number(crc16(base64), 16).rightJustified(4, '0').toUpper();
}

QByteArray number(int n)
{
    return QByteArray::number(n);
}

// The choice of `option` among alternating names and values; empty without one.
QString choice(const QStringList &choices, const char *option)
{
    for (int i = 0; i + 1 < choices.size(); i += 2) {
        if (choices.at(i) == QLatin1String(option))
            return choices.at(i + 1);
    }
    return QString();
}

} // namespace

namespace {

QByteArray field(const QByteArray &bytes, int perRow, zpl::Compression compression)
{
    if (perRow == 0)
        return QByteArray();
    const QByteArray count = number(bytes.size());
    return "^GFA," + count + ',' + count + ',' + number(perRow) + ',' +
           (compression == zpl::Compression::Z64 ? z64Data(bytes) : asciiData(bytes, perRow));
}

} // namespace

QByteArray zpl::graphicField(const QImage &image, Compression compression)
{
    int perRow = 0;
    const QByteArray bytes = packed(image, &perRow);
    return field(bytes, perRow, compression);
}

QByteArray zpl::setup(const QStringList &driverChoices)
{
    QByteArray out;
    bool ok = false;
    const int darkness = choice(driverChoices, "Darkness").toInt(&ok);
    if (ok && darkness >= 0 && darkness <= 30)
        out += "~SD" + number(darkness).rightJustified(2, '0');
    const int rate = choice(driverChoices, "zePrintRate").toInt(&ok);
    if (ok && rate >= 1 && rate <= 14)
        out += "^PR" + number(rate);
    static const struct
    {
        const char *option;
        const char *value;
        const char *command;
    } named[] = {
        {"zePrintMode", "Tear", "^MMT"},      {"zePrintMode", "Peel", "^MMP"},
        {"zePrintMode", "Rewind", "^MMR"},    {"zePrintMode", "Applicator", "^MMA"},
        {"zePrintMode", "Cutter", "^MMC"},    {"zeMediaTracking", "Continuous", "^MNN"},
        {"zeMediaTracking", "Web", "^MNY"},   {"zeMediaTracking", "Mark", "^MNM"},
        {"MediaType", "Thermal", "^MTT"},     {"MediaType", "Direct", "^MTD"},
        {"zeErrorReprint", "Always", "^JZY"}, {"zeErrorReprint", "Never", "^JZN"},
    };
    for (const auto &n : named) {
        if (choice(driverChoices, n.option) == QLatin1String(n.value))
            out += n.command;
    }
    // The driver's defaults are 200 and 1000, outside the printers' ranges.
    const int top = choice(driverChoices, "zeLabelTop").toInt(&ok);
    if (ok && top >= -120 && top <= 120)
        out += "^LT" + number(top);
    const int tearOff = choice(driverChoices, "zeTearOffPosition").toInt(&ok);
    if (ok && tearOff >= -120 && tearOff <= 120)
        out += "~TA" + (tearOff < 0 ? '-' + number(-tearOff).rightJustified(3, '0')
                                    : number(tearOff).rightJustified(3, '0'));
    // ^ commands take effect inside a format; ~ commands stand alone.
    QByteArray tilde;
    QByteArray caret;
    for (int i = 0; i < out.size();) {
        int j = i + 1;
        while (j < out.size() && out[j] != '^' && out[j] != '~')
            ++j;
        (out[i] == '~' ? tilde : caret) += out.mid(i, j - i);
        i = j;
    }
    if (!caret.isEmpty())
        caret = "^XA" + caret + "^XZ";
    return tilde + caret;
}

QByteArray zpl::label(const QImage &image, int copies)
{
    int perRow = 0;
    const QByteArray bytes = packed(image, &perRow);
    const QByteArray ascii = field(bytes, perRow, Compression::Ascii);
    const QByteArray z64 = field(bytes, perRow, Compression::Z64);
    return repeated("^XA^PW" + number(image.width()) + "^LL" + number(image.height()) + "^FO0,0" +
                        (z64.size() < ascii.size() ? z64 : ascii) + "^FS^XZ\n",
                    copies);
}

QByteArray zpl::repeated(const QByteArray &label, int copies)
{
    if (copies <= 1 || !label.endsWith("^XZ\n"))
        return label;
    return label.left(label.size() - 4) + "^PQ" + number(copies) + "^XZ\n";
}
