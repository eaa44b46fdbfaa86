#include "scanverifier.h"

#include "document.h"
#include "labelitems/barcodeitem.h"
#include "printhandler.h"
#include "rasterjob.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QThread>

#include <ZXing/ReadBarcode.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("scanverify", text);
}

QString symbologyLabel(int id)
{
    const QString name = Barcode::symbologyName(id);
    if (!name.isEmpty())
        return name;
    return QString::number(id);
}

// "Code 128 at 6.0, 4.0 mm": how reports name a barcode item.
QString itemName(const BarcodeItem *item, double pixelsPerMm)
{
    const QPointF at = item->pos() / pixelsPerMm;
    return QCoreApplication::translate("scanverify", "%1 at %2, %3 mm")
        .arg(symbologyLabel(item->barcode().symbology()))
        .arg(at.x(), 0, 'f', 1)
        .arg(at.y(), 0, 'f', 1);
}

// Every code is read with ZXing-C++, told the symbol is drawn alone (pure):
// that costs a fraction of a scan of the whole picture.
ZXing::BarcodeFormats zxingFormat(int symbology)
{
    switch (symbology) {
    case Barcode::MaxiCode:
        return ZXing::BarcodeFormat::MaxiCode;
    case Barcode::Pdf417:
        return ZXing::BarcodeFormat::PDF417;
    case Barcode::Code128:
    case Barcode::Gs1_128:
    case Barcode::Sscc18:
        return ZXing::BarcodeFormat::Code128;
    case Barcode::DataMatrix:
    case Barcode::Gs1DataMatrix:
        return ZXing::BarcodeFormat::DataMatrix;
    case Barcode::QrCode:
    case Barcode::Gs1QrCode:
        return ZXing::BarcodeFormat::QRCode;
    case Barcode::Aztec:
        return ZXing::BarcodeFormat::Aztec;
    case Barcode::Gs1DataBarExpanded:
        return ZXing::BarcodeFormat::DataBarExpanded;
    case Barcode::Code93:
        return ZXing::BarcodeFormat::Code93;
    case Barcode::UpcE:
        return ZXing::BarcodeFormat::UPCE;
    case Barcode::Codabar:
        return ZXing::BarcodeFormat::Codabar;
    case Barcode::Code39:
        return ZXing::BarcodeFormat::Code39;
    case Barcode::Ean:
        return ZXing::BarcodeFormat::EAN13 | ZXing::BarcodeFormat::EAN8;
    case Barcode::Itf14:
        return ZXing::BarcodeFormat::ITF;
    case Barcode::UpcA:
        return ZXing::BarcodeFormat::UPCA;
    default:
        return ZXing::BarcodeFormat::None;
    }
}

// A GS1 element string as a decoder gives it: application identifiers and
// values run together, without the separators between fields.
QString elementString(const QString &data)
{
    QString s = data;
    s.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    s.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    s.remove(QChar(0x1d));
    return s;
}

// Reads one symbol drawn by the program itself, alone on white: ZXing is told
// the image is pure, which it needs for tall linear symbols (it asserts on
// them otherwise, and an assertion would end the program).
QStringList zxingDecode(const QImage &drawn, int symbology)
{
    // Pure means the symbol and its quiet zone alone; the drawing leaves room
    // for captions and filling symbols around it, which is cut away.
    int left = drawn.width(), top = drawn.height(), right = -1, bottom = -1;
    for (int y = 0; y < drawn.height(); ++y) {
        const uchar *line = drawn.constScanLine(y);
        for (int x = 0; x < drawn.width(); ++x) {
            if (line[x] < 128) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    constexpr int Quiet = 10;
    const QRect ink = QRect(QPoint(left, top), QPoint(right, bottom))
                          .adjusted(-Quiet, -Quiet, Quiet, Quiet)
                          .intersected(drawn.rect());
    const QImage grey = drawn.copy(ink);
    ZXing::DecodeHints hints;
    hints.setFormats(zxingFormat(symbology));
    hints.setIsPure(true);
    hints.setTryHarder(false);
    hints.setTryRotate(true);
    // The start and stop characters are part of the data zint encodes.
    hints.setReturnCodabarStartEnd(true);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return {};
    // A GS1 symbol counts only when it carries GS1 content. (DataBar Expanded
    // holds nothing else; the decoder gives it in the human-readable form.)
    const QString text = QString::fromStdString(result.text());
    if (!Barcode::isGs1(symbology) && symbology != Barcode::Sscc18)
        return {text};
    if (result.contentType() == ZXing::ContentType::GS1 ||
        result.format() == ZXing::BarcodeFormat::DataBarExpanded)
        return {elementString(text)};
    return {QCoreApplication::translate("scanverify", "%1 (not GS1)").arg(text)};
}

// Codabar and Code 39 know upper-case letters only; zint takes lower case
// and encodes it as upper.
QString normalised(int symbology, const QString &data)
{
    return symbology == Barcode::Codabar || symbology == Barcode::Code39 ? data.toUpper() : data;
}

// The symbol drawn alone on white, with a quiet zone, as the print path
// draws it: modules laid on the dots of `snapDpi` on a device of `dpi`.
QImage drawSymbol(Barcode &code, QSizeF sizeMm, int aspectMode, double rotation, int dpi,
                  int snapDpi)
{
    const double pxPerMm = dpi / 25.4;
    const QRectF target(0, 0, sizeMm.width() * pxPerMm, sizeMm.height() * pxPerMm);
    QRectF area = target;
    const QSizeF modules = code.moduleSize();
    if (!modules.isEmpty()) {
        // The caption of EAN and UPC codes, and a filling symbol, reach past the item.
        const double s = qMax(target.width() / modules.width(), target.height() / modules.height());
        area |= QRectF(-8 * s, 0, (modules.width() + 16) * s, modules.height() * s);
    }
    QTransform turn;
    turn.rotate(rotation);
    const QRectF turned = turn.mapRect(area);
    const double margin = 4 * pxPerMm;
    // Whole lines of four bytes, as an image keeps them anyway.
    const int width = (int(std::ceil(turned.width() + 2 * margin)) + 3) & ~3;
    const int height = int(std::ceil(turned.height() + 2 * margin));
    if (width <= 0 || height <= 0 || qint64(width) * height > 64LL * 1024 * 1024)
        return QImage();
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(255);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    painter.translate(margin - turned.left(), margin - turned.top());
    painter.rotate(rotation);
    code.paint(&painter, target, aspectMode, snapDpi);
    painter.end();
    return image;
}

} // namespace

namespace scanverify {
namespace {

Check checkDrawn(Barcode &code, QSizeF sizeMm, int aspectMode, double rotation, int dpi,
                 int snapDpi)
{
    Check c;
    if (!verifiable(code.symbology())) {
        c.expected = expectedData(code);
        return c;
    }
    // ZXing reads pure symbols only upright or turned by quarters.
    const int quarter = qRound(rotation / 90);
    const bool quarterTurn = qFuzzyCompare(quarter * 90.0 + 1, rotation + 1);
    const QImage image =
        drawSymbol(code, sizeMm, aspectMode, quarterTurn ? rotation : quarter * 90.0, dpi, snapDpi);
    // Drawing encoded the symbol: its caption is at hand without encoding again.
    c.expected = expectedOf(code);
    QStringList read;
    if (!image.isNull())
        read = zxingDecode(image, code.symbology());
    c.outcome = read.isEmpty() ? Outcome::Unreadable : Outcome::WrongData;
    c.read = read.value(0);
    for (const QString &r : read) {
        if (normalised(code.symbology(), r) == c.expected) {
            c.outcome = Outcome::Scans;
            c.read = r;
            break;
        }
    }
    return c;
}

} // namespace
} // namespace scanverify

int scanverify::dpiFor(QPrinter *printer)
{
    return printer->outputFormat() == QPrinter::PdfFormat ? PdfDpi
                                                          : PrintHandler::deviceDpi(printer);
}

int scanverify::snapDpiFor(QPrinter *printer)
{
    return printer->outputFormat() == QPrinter::PdfFormat ? BarcodeItem::PdfSnapDpi
                                                          : PrintHandler::deviceDpi(printer);
}

bool scanverify::verifiable(int symbology)
{
    return symbology != Barcode::Code2of5 && symbology >= 0 && symbology < Barcode::SymbologyCount;
}

QString scanverify::expectedData(Barcode code)
{
    return expectedOf(code);
}

QString scanverify::expectedOf(Barcode &code)
{
    const int sym = code.symbology();
    if (Barcode::isGs1(sym))
        return elementString(code.data().left(Barcode::MaxEncodedChars));
    if (sym == Barcode::Sscc18) {
        // The caption is "(00)" and the 18 digits with the check digit zint added.
        if (code.isDirty() && !code.encode())
            return QString();
        return elementString(code.caption()).remove(QLatin1Char(' '));
    }
    if (sym == Barcode::Ean || sym == Barcode::UpcA || sym == Barcode::Itf14 ||
        sym == Barcode::UpcE) {
        // The scanner reads the check digit zint added; an add-on is a
        // symbol of its own.
        if (code.isDirty() && !code.encode())
            return QString();
        return code.caption().section(QLatin1Char('+'), 0, 0).remove(QLatin1Char(' '));
    }
    return normalised(sym, code.data().left(Barcode::MaxEncodedChars));
}

scanverify::Check scanverify::verifySymbol(const Barcode &code, QSizeF sizeMm, int aspectMode,
                                           double rotation, int dpi, int snapDpi)
{
    Barcode drawn = code;
    return checkDrawn(drawn, sizeMm, aspectMode, rotation, dpi, snapDpi > 0 ? snapDpi : dpi);
}

scanverify::Report scanverify::verifyDocument(Document *doc, int dpi, int snapDpi, int first,
                                              int last,
                                              const std::function<bool(int, int)> &progress)
{
    Report report;
    if (!doc)
        return report;
    const double ppm = doc->labelGeometry().pixelsPerMm;
    struct Item
    {
        Barcode code;
        QSizeF sizeMm;
        int aspect;
        double rotation;
        QString name;
        BarcodeItem *item;
    };
    std::vector<Item> items;
    const QList<BaseItem *> all = doc->labelItems();
    for (BaseItem *b : all) {
        auto *item = qgraphicsitem_cast<BarcodeItem *>(b);
        // Cut items stay in the scene hidden and are not printed.
        if (!item || !item->isVisible())
            continue;
        items.push_back({item->barcode(), item->size() / ppm, item->aspectMode(), item->rotation(),
                         itemName(item, ppm), item});
    }

    // Each distinct symbol is decoded once: a constant code on every label
    // costs one check.
    struct Job
    {
        int item;
        QString data;
    };
    std::vector<Job> jobs;
    QHash<QPair<int, QString>, int> jobOf;
    struct Use
    {
        int label;
        int job;
    };
    std::vector<Use> uses;
    for (int label = first; label <= last; ++label) {
        for (int i = 0; i < int(items.size()); ++i) {
            const QString data = items[i].item->dataForRecord(label);
            if (data.isNull())
                continue;
            if (!verifiable(items[i].code.symbology())) {
                ++report.notVerifiable;
                continue;
            }
            const auto key = qMakePair(i, data);
            auto it = jobOf.constFind(key);
            if (it == jobOf.constEnd()) {
                it = jobOf.insert(key, int(jobs.size()));
                jobs.push_back({i, data});
            }
            uses.push_back({label, it.value()});
        }
    }

    std::vector<Check> results(jobs.size());
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    auto work = [&]() {
        // zint structures are not shared between threads: each has its copies.
        std::vector<Barcode> codes;
        for (const Item &item : items)
            codes.push_back(item.code);
        for (int j = next++; j < int(jobs.size()) && !stop; j = next++) {
            const Item &item = items[size_t(jobs[j].item)];
            Barcode &code = codes[size_t(jobs[j].item)];
            code.setData(jobs[j].data);
            results[size_t(j)] = checkDrawn(code, item.sizeMm, item.aspect, item.rotation, dpi,
                                            snapDpi > 0 ? snapDpi : dpi);
            ++done;
        }
    };
    // The calling thread only reports progress while the workers decode.
    const int threads = qBound(1, QThread::idealThreadCount(), 8);
    std::vector<std::thread> workers;
    for (int t = 0; t<threads &&int(jobs.size())> 16; ++t)
        workers.emplace_back(work);
    if (workers.empty()) {
        work();
    } else {
        while (done < int(jobs.size()) && !stop) {
            if (progress && !progress(done, int(jobs.size())))
                stop = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        for (std::thread &t : workers)
            t.join();
    }
    if (stop) {
        report.cancelled = true;
        return report;
    }
    if (progress)
        progress(int(jobs.size()), int(jobs.size()));

    for (const Use &use : uses) {
        const Check &r = results[size_t(use.job)];
        if (r.outcome == Outcome::Scans) {
            ++report.scanned;
            continue;
        }
        Check c = r;
        c.label = use.label;
        c.item = items[size_t(jobs[size_t(use.job)].item)].name;
        report.problems << c;
    }
    return report;
}

struct scanverify::DrawnCheck::Items
{
    struct Item
    {
        BarcodeItem *item;
        Barcode code;
        // The item with its captions, in the label's scene units.
        QRectF rect;
        QString name;
    };
    std::vector<Item> list;
};

scanverify::DrawnCheck::DrawnCheck(Document *d, int resolution)
    : doc(d), dpi(resolution), items(new Items)
{
    if (!doc)
        return;
    const double ppm = doc->labelGeometry().pixelsPerMm;
    const QList<BaseItem *> all = doc->labelItems();
    for (BaseItem *b : all) {
        auto *item = qgraphicsitem_cast<BarcodeItem *>(b);
        if (!item || !item->isVisible())
            continue;
        items->list.push_back({item, item->barcode(),
                               item->mapToScene(item->boundingRect()).boundingRect(),
                               itemName(item, ppm)});
    }
}

scanverify::DrawnCheck::~DrawnCheck()
{
    delete items;
}

void scanverify::DrawnCheck::check(const QImage &row, const QVector<rasterjob::Placed> &labels)
{
    if (!doc || items->list.empty())
        return;
    const QRectF scene = doc->sceneRect();
    for (const rasterjob::Placed &placed : labels) {
        const double sx = placed.cell.width() / scene.width();
        const double sy = placed.cell.height() / scene.height();
        for (Items::Item &it : items->list) {
            const QString data = it.item->dataForRecord(placed.label);
            if (data.isNull())
                continue;
            if (!verifiable(it.code.symbology())) {
                ++result.notVerifiable;
                continue;
            }
            it.code.setData(data);
            Check c;
            c.label = placed.label;
            c.item = it.name;
            c.expected = expectedOf(it.code);
            // The item's dots, alone on white with a quiet zone, as the decoders want them.
            const QRect dots = QRectF(placed.cell.x() + (it.rect.x() - scene.x()) * sx,
                                      placed.cell.y() + (it.rect.y() - scene.y()) * sy,
                                      it.rect.width() * sx, it.rect.height() * sy)
                                   .toAlignedRect()
                                   .intersected(row.rect());
            constexpr int Quiet = 16;
            QImage alone(((dots.width() + 2 * Quiet) + 3) & ~3, dots.height() + 2 * Quiet,
                         QImage::Format_Grayscale8);
            QStringList read;
            if (!dots.isEmpty() && !alone.isNull()) {
                alone.fill(255);
                QPainter painter(&alone);
                painter.drawImage(QPoint(Quiet, Quiet), row, dots);
                painter.end();
                read = zxingDecode(alone, it.code.symbology());
            }
            c.outcome = read.isEmpty() ? Outcome::Unreadable : Outcome::WrongData;
            c.read = read.value(0);
            for (const QString &r : qAsConst(read)) {
                if (normalised(it.code.symbology(), r) == c.expected) {
                    c.outcome = Outcome::Scans;
                    c.read = r;
                    break;
                }
            }
            if (c.outcome == Outcome::Scans)
                ++result.scanned;
            else
                result.problems << c;
        }
    }
}

QList<scanverify::EncodingFault> scanverify::encodingFaults(Document *doc, int first, int last)
{
    QList<EncodingFault> faults;
    if (!doc)
        return faults;
    const double ppm = doc->labelGeometry().pixelsPerMm;
    const QList<BaseItem *> all = doc->labelItems();
    for (BaseItem *b : all) {
        auto *item = qgraphicsitem_cast<BarcodeItem *>(b);
        if (!item || !item->isVisible())
            continue;
        Barcode code = item->barcode();
        const QString name = itemName(item, ppm);
        // A constant code, or a column of few values, is encoded once.
        QHash<QString, QString> messageOf;
        for (int label = first; label <= last; ++label) {
            const QString data = item->dataForRecord(label);
            // No symbol at all on this label (past the item's cells, an empty cell).
            if (data.isNull())
                continue;
            auto it = messageOf.constFind(data);
            if (it == messageOf.constEnd()) {
                code.setData(data);
                QString message;
                if (!code.encode())
                    message = code.errorText().isEmpty() ? tr("the data cannot be encoded")
                                                         : code.errorText();
                it = messageOf.insert(data, message);
            }
            if (!it.value().isNull())
                faults.append({label, name, data, it.value()});
        }
    }
    std::stable_sort(
        faults.begin(), faults.end(),
        [](const EncodingFault &a, const EncodingFault &b) { return a.label < b.label; });
    return faults;
}

QString scanverify::describe(const EncodingFault &fault)
{
    return tr("label %1, %2: \"%3\": %4")
        .arg(fault.label + 1)
        .arg(fault.item, fault.data, fault.message);
}

QString scanverify::describe(const Check &check)
{
    const QString where = tr("label %1, %2").arg(check.label + 1).arg(check.item);
    if (check.outcome == Outcome::Unreadable)
        return tr("%1: expected \"%2\", read nothing").arg(where, check.expected);
    if (check.outcome == Outcome::WrongData)
        return tr("%1: expected \"%2\", read \"%3\"").arg(where, check.expected, check.read);
    if (check.outcome == Outcome::NotVerifiable)
        return tr("%1: cannot be verified").arg(where);
    return tr("%1: scans").arg(where);
}
