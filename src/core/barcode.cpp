#include "barcode.h"

#include "safestream.h"
#include "streamheader.h"
#include "textlayout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <QTextOption>

#include <zint.h>

#include <cmath>
#include <map>

namespace {

// zint's symbology for each stored id.
constexpr int ZintSymbology[Barcode::SymbologyCount] = {
    BARCODE_CODABAR,    BARCODE_CODE128,  BARCODE_C25STANDARD, BARCODE_CODE39,
    BARCODE_EANX,       BARCODE_ITF14,    BARCODE_MAXICODE,    BARCODE_PDF417,
    BARCODE_QRCODE,     BARCODE_UPCA,     BARCODE_GS1_128,     BARCODE_NVE18,
    BARCODE_DATAMATRIX, BARCODE_DATAMATRIX, BARCODE_QRCODE,    BARCODE_AZTEC,
    BARCODE_DBAR_EXP,   BARCODE_CODE93,   BARCODE_UPCE,
};

// The names offered to the user; sorted as QString sorts them, which is the
// order the user interface lists them in.
const std::map<QString, int> &nameTable()
{
    static const std::map<QString, int> table = {
        {QStringLiteral("Codabar"), Barcode::Codabar},  {QStringLiteral("Code 128"), Barcode::Code128},
        {QStringLiteral("Code 2 of 5"), Barcode::Code2of5}, {QStringLiteral("Code 39"), Barcode::Code39},
        {QStringLiteral("EAN 8/13"), Barcode::Ean},     {QStringLiteral("QR code"), Barcode::QrCode},
        {QStringLiteral("UPC-A"), Barcode::UpcA},       {QStringLiteral("ITF-14"), Barcode::Itf14},
        {QStringLiteral("MaxiCode"), Barcode::MaxiCode}, {QStringLiteral("PDF417"), Barcode::Pdf417},
        {QStringLiteral("GS1-128"), Barcode::Gs1_128},  {QStringLiteral("SSCC-18"), Barcode::Sscc18},
        {QStringLiteral("Data Matrix"), Barcode::DataMatrix},
        {QStringLiteral("GS1 DataMatrix"), Barcode::Gs1DataMatrix},
        {QStringLiteral("GS1 QR code"), Barcode::Gs1QrCode}, {QStringLiteral("Aztec"), Barcode::Aztec},
        {QStringLiteral("GS1 DataBar Expanded"), Barcode::Gs1DataBarExpanded},
        {QStringLiteral("Code 93"), Barcode::Code93},   {QStringLiteral("UPC-E"), Barcode::UpcE},
    };
    return table;
}

// MaxiCode's hexagon grid, in module units.
constexpr double MaxiStep = 10.526319416288235;
constexpr double MaxiHalfStep = 5.2631597081441175;
constexpr double MaxiHexWidth = 9.526319416288235;
constexpr double MaxiHexHalfWidth = 4.7631597081441175;

// A font of `points` at the reference resolution, whatever device the painter
// draws on: captions keep their share of the symbol on screen and on a 600-dpi
// printer alike. (QPainter resolves point sizes against its own device.)
QFont captionFont(QPainter *painter, double points)
{
    QFont font(QStringLiteral("Arial"));
    const int dpi = painter->device() ? painter->device()->logicalDpiY() : textlayout::ReferenceDpi;
    font.setPointSizeF(points * textlayout::ReferenceDpi / qMax(1, dpi));
    return font;
}

// Straight or turned by quarters: rectangles stay rectangles on the device,
// and their edges can follow its dot grid.
bool upright(const QTransform &t)
{
    return (qFuzzyIsNull(t.m12()) && qFuzzyIsNull(t.m21())) ||
           (qFuzzyIsNull(t.m11()) && qFuzzyIsNull(t.m22()));
}

// Fills bars in one colour. Each bar stays a fill of its own: PDF readers and
// printer rasterisers snap a lone rectangle's edges to their pixels, which a
// path of many rectangles loses (thin bars then merge or vanish at 203 dpi).
// Where the painter's matrix keeps rectangles upright (straight or turned by
// quarters), bars go out already mapped, so a PDF page gets one "re f" per bar
// instead of a colour, a saved state and a matrix for each.
class BarFill
{
public:
    BarFill(QPainter *painter, const QColor &color) : painter(painter)
    {
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(color);
        const QTransform t = painter->transform();
        mapped = t.type() != QTransform::TxProject && upright(t);
        if (mapped) {
            matrix = t;
            painter->resetTransform();
        }
    }
    ~BarFill() { painter->restore(); }
    BarFill(const BarFill &) = delete;
    BarFill &operator=(const BarFill &) = delete;

    void operator()(const QRectF &bar) { painter->drawRect(mapped ? matrix.mapRect(bar) : bar); }

private:
    QPainter *painter;
    QTransform matrix;
    bool mapped = false;
};

} // namespace

Barcode::Barcode() = default;

Barcode::Barcode(const Barcode &other)
    : ISerializable(other), symbologyId_(other.symbologyId_), moduleHeight(other.moduleHeight),
      quietZone(other.quietZone), border(other.border), text(other.text), error(other.error),
      color(other.color), hrt(other.hrt), borderKind(other.borderKind),
      symbolOptions(other.symbolOptions), lastResult(other.lastResult), dirty(true)
{
    // The zint structure is not shared: the copy encodes into its own.
}

Barcode &Barcode::operator=(const Barcode &other)
{
    if (this == &other)
        return *this;
    symbologyId_ = other.symbologyId_;
    moduleHeight = other.moduleHeight;
    quietZone = other.quietZone;
    border = other.border;
    text = other.text;
    error = other.error;
    color = other.color;
    hrt = other.hrt;
    borderKind = other.borderKind;
    symbolOptions = other.symbolOptions;
    lastResult = other.lastResult;
    dirty = true;
    return *this;
}

Barcode::~Barcode()
{
    if (symbol)
        ZBarcode_Delete(symbol);
}

QUuid Barcode::uuid()
{
    static const QUuid u(QStringLiteral("{fbb9938c-f39e-455b-9d9c-e32fa852a0b9}"));
    return u;
}

QStringList Barcode::symbologyNames()
{
    QStringList names;
    for (const auto &entry : nameTable())
        names << entry.first;
    return names;
}

int Barcode::symbologyId(const QString &name)
{
    const auto it = nameTable().find(name);
    return it == nameTable().end() ? 0 : it->second;
}

QString Barcode::symbologyName(int id)
{
    for (const auto &entry : nameTable()) {
        if (entry.second == id)
            return entry.first;
    }
    return QString();
}

bool Barcode::isGs1(int id)
{
    return id == Gs1_128 || id == Gs1DataMatrix || id == Gs1QrCode || id == Gs1DataBarExpanded;
}

void Barcode::setData(const QString &data)
{
    if (data == text && !text.isNull())
        return;
    text = data;
    dirty = true;
}

void Barcode::setSymbology(int id)
{
    symbologyId_ = id;
    dirty = true;
}

void Barcode::setShowText(bool on)
{
    hrt = on;
    dirty = true;
}

void Barcode::setHeight(int modules)
{
    moduleHeight = modules;
    dirty = true;
}

void Barcode::setWhitespace(int modules)
{
    quietZone = modules;
    dirty = true;
}

void Barcode::setBorderWidth(int modules)
{
    border = modules;
    dirty = true;
}

void Barcode::setBorderType(int type)
{
    borderKind = type;
    dirty = true;
}

void Barcode::setColour(const QColor &c)
{
    color = c;
}

void Barcode::setOptions(const QMap<int, QVariant> &options)
{
    symbolOptions = options;
    dirty = true;
}

QString Barcode::caption() const
{
    if (!symbol || dirty)
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char *>(symbol->text));
}

bool Barcode::encode()
{
    // Each encoding starts from the library's defaults: zint refuses a
    // structure of zeros, and keeps some inputs it changed in the last run.
    if (symbol)
        ZBarcode_Delete(symbol);
    symbol = ZBarcode_Create();
    if (!symbol) {
        lastResult = ZINT_ERROR_MEMORY;
        error = QStringLiteral("Out of memory");
        return false;
    }
    const bool known = symbologyId_ >= 0 && symbologyId_ < SymbologyCount;
    symbol->symbology = ZintSymbology[known ? symbologyId_ : Codabar];
    if (symbologyId_ == Pdf417 || symbologyId_ == QrCode) {
        symbol->option_1 = symbolOptions.value(0).toInt();
        symbol->option_2 = symbolOptions.value(1).toInt();
    }
    symbol->height = float(moduleHeight);
    symbol->whitespace_width = quietZone;
    symbol->border_width = border;
    symbol->output_options = borderKind == 1 ? BARCODE_BIND : borderKind == 2 ? BARCODE_BOX : 0;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = hrt ? 1 : 0;
    const QByteArray bytes = text.left(MaxEncodedChars).toUtf8();
    if (isGs1(symbologyId_) || symbologyId_ == Sscc18) {
        // A wrong check digit, an impossible date or a wrong length is an
        // error, never a symbol the standard does not allow.
        symbol->warn_level = WARN_FAIL_ALL;
    }
    if (isGs1(symbologyId_)) {
        symbol->input_mode = GS1_MODE;
        // Parentheses are what people type; square brackets are zint's own form.
        if (!bytes.trimmed().startsWith('['))
            symbol->input_mode |= GS1PARENS_MODE;
    }

    lastResult = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(bytes.constData()),
                                 bytes.size());
    // zint 2.11 numbers its warnings 1 to 4 (an ECI it inserted, a symbol
    // outside the standard's sizes): the symbol is there and scans.
    if (lastResult < ZINT_ERROR) {
        // The text of an error the data no longer has is not kept or saved.
        error = QString();
        dirty = false;
        return true;
    }
    error = QString::fromUtf8(symbol->errtxt);
    return false;
}

bool Barcode::moduleSet(int row, int column) const
{
    // zint 2.11 keeps eight modules per byte.
    return (symbol->encoded_data[row][column >> 3] >> (column & 7)) & 1;
}

Barcode::Extent Barcode::measure()
{
    Extent e;
    const int rows = qBound(0, symbol->rows, 200);
    float sum = 0;
    int zeroRows = 0;
    for (int r = 0; r < rows; ++r) {
        sum += symbol->row_height[r];
        if (symbol->row_height[r] == 0)
            ++zeroRows;
    }
    const float rest = symbol->height - sum;
    if (zeroRows > 0) {
        for (int r = 0; r < rows; ++r) {
            if (symbol->row_height[r] == 0)
                symbol->row_height[r] = qMax(0.0f, rest / zeroRows);
        }
    } else {
        symbol->height -= rest;
    }
    const bool maxi = symbologyId_ == MaxiCode;
    if (maxi)
        symbol->height = 33;

    const bool bound = borderKind == 1 || borderKind == 2;
    const bool boxed = borderKind == 2;
    e.symbolWidth = symbol->width;
    e.symbolHeight = symbol->height;
    e.width = (maxi ? symbol->width * MaxiStep : symbol->width) + (boxed ? 2 * border : 0) +
              2 * quietZone;
    e.height = (maxi ? symbol->height * MaxiHexWidth : symbol->height) + (bound ? 2 * border : 0) +
               2 * quietZone;
    if (symbol->show_hrt && symbol->text[0] != 0)
        e.height += 9;
    return e;
}

QSizeF Barcode::moduleSize()
{
    if (dirty && !encode())
        return QSizeF();
    const Extent e = measure();
    return QSizeF(e.width, e.height);
}

void Barcode::snapDots(const Extent &e, QSizeF target, int aspectMode, double sx, double sy,
                       double dx, double dy, double *nx, double *ny)
{
    // Whole dots per module: the nearest count where it still fits the
    // target (a filling symbol may pass it anyway), else one fewer.
    auto dots = [aspectMode](double px, double room) {
        const double n = std::round(px);
        return n <= room + 1e-6 || aspectMode == Fill ? n : std::floor(px + 1e-9);
    };
    *nx = sx * dx >= 1 ? dots(sx * dx, target.width() * dx / e.width) : 0;
    *ny = sy * dy >= 1 ? dots(sy * dy, target.height() * dy / e.height) : 0;
}

int Barcode::moduleDots(QSizeF targetMm, int aspectMode, int dpi)
{
    if (text.isEmpty() || (dirty && !encode()) || dpi <= 0)
        return 0;
    const Extent e = measure();
    if (e.width <= 0 || e.height <= 0)
        return 0;
    double sx = targetMm.width() / e.width;
    double sy = targetMm.height() / e.height;
    if (aspectMode == Fit)
        sx = sy = qMin(sx, sy);
    else if (aspectMode == Fill)
        sx = sy = qMax(sx, sy);
    const double d = dpi / 25.4;
    double nx = 0;
    double ny = 0;
    snapDots(e, targetMm, aspectMode, sx, sy, d, d, &nx, &ny);
    // Linear codes and stretched ones: the bar width is what scanners measure.
    if (symbol->rows <= 1 || aspectMode == Stretch)
        return int(nx);
    return int(qMin(nx, ny));
}

void Barcode::paint(QPainter *painter, QRectF target, int aspectMode, int snapDpi,
                    double unitsPerMm)
{
    if (target.width() == 0 && target.height() == 0 && painter->device())
        target = QRectF(0, 0, painter->device()->width(), painter->device()->height());
    // No data yet (a new item, a cleared field) is nothing to draw, not an error.
    if (text.isEmpty())
        return;
    if (dirty && !encode()) {
        // Seen on screen only (printing refuses such a code): small, dark red
        // on the label's white, wrapped inside the item.
        painter->save();
        painter->setPen(QColor(160, 0, 0));
        painter->setFont(captionFont(painter, 7));
        painter->drawText(target, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                          error + QStringLiteral(" (") + QString::number(lastResult) +
                              QStringLiteral(")"));
        painter->restore();
        return;
    }
    const Extent e = measure();
    if (e.width <= 0 || e.height <= 0)
        return;

    double sx = target.width() / e.width;
    double sy = target.height() / e.height;
    if (aspectMode == Fit)
        sx = sy = qMin(sx, sy);
    else if (aspectMode == Fill)
        sx = sy = qMax(sx, sy);

    painter->save();
    const QTransform device = painter->deviceTransform();
    const QPaintDevice *pd = painter->device();
    const bool square = upright(device);
    const bool ownUnits = snapDpi > 0 && unitsPerMm > 0;
    if (ownUnits || (snapDpi > 0 && pd && pd->logicalDpiX() > 0 && square)) {
        const double k = ownUnits ? 0 : double(snapDpi) / pd->logicalDpiX();
        // Dots of the grid per item unit along the item's x and y.
        const double dx =
            ownUnits ? snapDpi / 25.4 / unitsPerMm : std::hypot(device.m11(), device.m12()) * k;
        const double dy =
            ownUnits ? snapDpi / 25.4 / unitsPerMm : std::hypot(device.m21(), device.m22()) * k;
        double nx = 0;
        double ny = 0;
        snapDots(e, target.size(), aspectMode, sx, sy, dx, dy, &nx, &ny);
        const bool linear = symbol->rows <= 1;
        if (linear) {
            // Only the bar widths matter; the height stays as scaled.
            if (nx > 0)
                sx = nx / dx;
        } else if (aspectMode == Stretch) {
            if (nx > 0)
                sx = nx / dx;
            if (ny > 0)
                sy = ny / dy;
        } else if (nx > 0 && ny > 0) {
            // Square modules stay square.
            const double n = qMin(nx, ny);
            sx = n / dx;
            sy = n / dy;
        }
        // The symbol's corner on a dot's corner (on a device with those dots).
        if (!ownUnits) {
            const QPointF origin = device.map(QPointF(0, 0)) * k;
            const QPointF shift(std::ceil(origin.x() - 1e-6) - origin.x(),
                                std::ceil(origin.y() - 1e-6) - origin.y());
            const QTransform toDevice(device.m11(), device.m12(), device.m21(), device.m22(), 0,
                                      0);
            painter->translate(toDevice.inverted().map(shift / k));
        }
    }
    painter->scale(sx, sy);
    QPen pen(QBrush(color), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    painter->setPen(pen);

    const bool maxi = symbologyId_ == MaxiCode;
    const double w = e.symbolWidth;
    const double h = e.symbolHeight;
    const double b = border;
    const double s = quietZone;
    if (!maxi && borderKind == 1) {
        {
            BarFill fill(painter, color);
            fill(QRectF(0, 0, w, b));
            fill(QRectF(0, h + b, w + 2 * s, b));
        }
        painter->translate(s, b);
    } else if (!maxi && borderKind == 2) {
        {
            BarFill fill(painter, color);
            fill(QRectF(0, b, b, h));
            fill(QRectF(w + 2 * s + b, b, b, h));
            fill(QRectF(0, 0, w + 2 * b, b));
            fill(QRectF(0, h + b, w + 2 * s + 2 * b, b));
        }
        painter->translate(s + b, b);
    } else {
        painter->translate(s, 0);
    }

    if (maxi)
        paintMaxiCode(painter);
    else
        paintModules(painter, h);
    if (symbol->show_hrt)
        paintCaption(painter, w, h);
    painter->restore();
}

void Barcode::paintModules(QPainter *painter, double)
{
    const int rows = qBound(0, symbol->rows, 200);
    const int width = qBound(0, symbol->width, 144 * 8);
    BarFill fill(painter, color);
    double y = 0;
    for (int r = 0; r < rows; ++r) {
        const double rowHeight = symbol->row_height[r];
        for (int i = 0; i < width;) {
            if (!moduleSet(r, i)) {
                ++i;
                continue;
            }
            int run = 1;
            while (i + run < width && moduleSet(r, i + run))
                ++run;
            fill(QRectF(i, y, run, rowHeight));
            i += run;
        }
        y += rowHeight;
    }
}

void Barcode::paintMaxiCode(QPainter *painter)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setBrush(color);
    painter->setPen(Qt::NoPen);
    const int rows = qBound(0, symbol->rows, 200);
    const int width = qBound(0, symbol->width, 144 * 8);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < width; ++c) {
            if (!moduleSet(r, c))
                continue;
            const double x = (r % 2) * MaxiHalfStep + c * MaxiStep;
            const double y = r * MaxiStep * 0.868;
            const QPointF hexagon[6] = {
                {x + MaxiHexHalfWidth, y},   {x + MaxiHexWidth, y + 2.75},
                {x + MaxiHexWidth, y + 8.25}, {x + MaxiHexHalfWidth, y + 11},
                {x, y + 8.25},               {x, y + 2.75},
            };
            painter->drawPolygon(hexagon, 6);
        }
    }
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(QBrush(color), MaxiHexWidth));
    painter->drawEllipse(QRectF(142.10531211989118, 140.23162726379186, 21.05263883257647,
                                21.05263883257647));
    painter->drawEllipse(QRectF(126.31583299545883, 124.44214813935952, 52.63159708144117,
                                52.63159708144117));
    painter->drawEllipse(QRectF(110.52635387102647, 108.65266901492716, 84.21055533030588,
                                84.21055533030588));
    painter->restore();
}

void Barcode::paintCaption(QPainter *painter, double symbolWidth, double h)
{
    const QString cap = caption();
    if (cap.isEmpty())
        return;
    const int zint = symbol->symbology;
    const int length = cap.size();
    const QTextOption centred(Qt::AlignCenter);
    auto guard = [&](int column) { painter->fillRect(QRectF(column, h, 1, 5), color); };
    // Qt clips a text whose line is taller than its box, as captions' lines
    // are: that cut descenders and underscores off ("A_1" read "A 1"), and on
    // a PDF page each clip is a saved state, a clip path and every setting
    // again. The boxes leave room below for descenders; only a caption wider
    // than its box is still cut.
    auto draw = [&](const QRectF &r, const QString &part) {
        const QFontMetricsF metrics(painter->font(), painter->device());
        if (metrics.horizontalAdvance(part) <= r.width())
            painter->drawText(r, Qt::AlignCenter | Qt::TextDontClip, part);
        else
            painter->drawText(r, part, centred);
    };

    painter->setFont(captionFont(painter, 8));
    if (zint == BARCODE_EANX && (length == 8 || length == 11 || length == 14)) {
        for (int column : {0, 2, 32, 34, 64, 66})
            guard(column);
        draw(QRectF(3, h, 29, 9), cap.mid(0, 4));
        draw(QRectF(35, h, 29, 9), cap.mid(4, 4));
        if (length == 11)
            draw(QRectF(76, 0, 20, 9), cap.mid(9, 2));
        else if (length == 14)
            draw(QRectF(76, 0, 47, 9), cap.mid(9, 5));
    } else if (zint == BARCODE_EANX && (length == 13 || length == 16 || length == 19)) {
        for (int column : {0, 2, 46, 48, 92, 94})
            guard(column);
        draw(QRectF(-7, h, 7, 9), cap.mid(0, 1));
        draw(QRectF(3, h, 43, 9), cap.mid(1, 6));
        draw(QRectF(49, h, 43, 9), cap.mid(7, 6));
        draw(QRectF(95, h, 7, 9), QStringLiteral(">"));
        if (length == 16)
            draw(QRectF(104, 0, 20, 9), cap.mid(14, 2));
        else if (length == 19)
            draw(QRectF(104, 0, 47, 9), cap.mid(14, 5));
    } else if (zint == BARCODE_UPCA) {
        // The guard bars and the first and last digit's bars reach down
        // into the text line.
        const int last = qBound(0, symbol->rows, 200) - 1;
        const int width = qBound(0, symbol->width, 144 * 8);
        auto extendRuns = [&](int from, int to) {
            bool bar = true;
            for (int c = from; c <= to && c < width && last >= 0;) {
                const bool value = moduleSet(last, c);
                int run = 1;
                while (c + run <= to && c + run < width && moduleSet(last, c + run) == value)
                    ++run;
                if (bar)
                    painter->fillRect(QRectF(c, h, run, 5), color);
                bar = !bar;
                c += run;
            }
        };
        extendRuns(0, 10);
        extendRuns(85, 95);
        guard(46);
        guard(48);
        draw(QRectF(-7, h + 2, 7, 7), cap.mid(0, 1));
        draw(QRectF(96, h + 2, 7, 7), cap.mid(11, 1));
        draw(QRectF(11, h, 35, 9), cap.mid(1, 5));
        draw(QRectF(49, h, 35, 9), cap.mid(6, 5));
        if (length == 15)
            draw(QRectF(104, 0, 20, 9), cap.mid(13, 2));
        else if (length == 18)
            draw(QRectF(104, 0, 47, 9), cap.mid(13, 5));
    } else {
        painter->setFont(captionFont(painter, 6));
        draw(QRectF(0, h, symbolWidth, 7), cap);
    }
}

void Barcode::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    out << qint32(symbologyId_) << qint32(moduleHeight) << qint32(quietZone) << qint32(border);
    out << text << error << color << hrt << qint32(borderKind);
    out << symbolOptions;
}

void Barcode::streamRead(QDataStream &in)
{
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("Barcode header mismatch error");
        return;
    }
    qint32 sym = 0, height = 0, white = 0, bw = 0, kind = 0;
    QString data, err;
    QColor c;
    bool show = true;
    in >> sym >> height >> white >> bw >> data >> err >> c >> show >> kind;
    if (in.status() != QDataStream::Ok)
        return;
    // No version of the program writes another symbology number.
    if (sym < 0 || sym >= SymbologyCount) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    quint32 count = 0;
    in >> count;
    // A key and the smallest variant (type and null flag) per entry.
    if (in.status() != QDataStream::Ok || !streamheader::countFits(in, count, 4 + 5)) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    QMap<int, QVariant> opts;
    for (quint32 i = 0; i < count; ++i) {
        qint32 key = 0;
        QVariant value;
        in >> key;
        if (!safestream::readScalarVariant(in, value))
            return;
        opts.insert(key, value);
    }
    symbologyId_ = sym;
    moduleHeight = height;
    quietZone = white;
    border = bw;
    text = data;
    error = err;
    color = c;
    hrt = show;
    borderKind = kind;
    symbolOptions = opts;
    dirty = true;
}
