#include "rasterjob.h"

#include "document.h"
#include "labelgrid.h"
#include "labelitems/barcodeitem.h"
#include "sizetemplate.h"
#include "zpl.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include <cups/cups.h>

#include <cmath>

bool rasterjob::drawRows(Document *doc, const Run &run, const RowSeen &row)
{
    if (!doc || run.dpi <= 0)
        return false;
    const SizeTemplate t = doc->sizeTemplate();
    const double pxPerMm = run.dpi / 25.4;
    const QSize size(int(std::lround(t.linerWidth() * pxPerMm)),
                     int(std::lround(t.labelHeight() * pxPerMm)));
    if (size.isEmpty() || qint64(size.width()) * size.height() > 256LL * 1024 * 1024)
        return false;
    QImage image(size, QImage::Format_RGB32);
    // Fonts and barcodes take the printer's resolution from the image.
    image.setDotsPerMeterX(int(std::lround(run.dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(run.dpi / 0.0254)));

    const QRectF liner(0, 0, size.width(), size.height());
    LabelGrid grid(liner, t.columns(), t.colSpacing() * pxPerMm, 0, t.marginLeft() * pxPerMm,
                   t.marginRight() * pxPerMm);
    const QRectF cell = grid.cell();

    if (run.plan.placements <= 0)
        return true;
    const int remembered = doc->currentLabel();
    doc->setPrintMode(true);
    BarcodeItem::setJobDotsPerInch(run.dpi);
    QPainter painter;
    bool going = true;
    qint64 done = 0;
    QVector<Placed> placed;
    const QPointF shift = run.offsetMm * pxPerMm;
    auto startRow = [&]() {
        placed.clear();
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.translate(run.offsetMm * pxPerMm);
    };
    auto endRow = [&]() {
        painter.end();
        going = row(image, placed);
    };
    startRow();
    PrintHandler::forEachPlacement(run.plan, run.quantities, run.copies, run.collate,
                                   [&](int label, int) {
                                       const int current = grid.currentRow();
                                       doc->selectLabel(label);
                                       const QPointF p = grid.nextPosition();
                                       const QRectF target(cell.x() + p.x(), cell.y() + p.y(),
                                                           cell.width(), cell.height());
                                       doc->render(&painter, target, QRectF(),
                                                   Qt::IgnoreAspectRatio);
                                       placed.append({label, target.translated(shift)});
                                       ++done;
                                       if (grid.currentRow() == current || done >= run.plan.placements)
                                           return true;
                                       endRow();
                                       if (going)
                                           startRow();
                                       return going;
                                   });
    // The last row, full or not.
    if (painter.isActive())
        endRow();
    BarcodeItem::setJobDotsPerInch(0);
    doc->setPrintMode(false);
    doc->selectLabel(remembered);
    return going;
}

QByteArray rasterjob::zpl(Document *doc, const Run &run, const QStringList &driverChoices,
                          const RowSeen &seen)
{
    QByteArray out = zpl::setup(driverChoices);
    QByteArray last;
    int copies = 0;
    const bool drawn = drawRows(doc, run, [&](const QImage &image, const QVector<Placed> &labels) {
        if (seen && !seen(image, labels))
            return false;
        const QByteArray label = zpl::label(image, 1);
        if (label == last) {
            ++copies;
            return true;
        }
        if (copies > 0)
            out += zpl::repeated(last, copies);
        last = label;
        copies = 1;
        return true;
    });
    if (!drawn)
        return QByteArray();
    if (copies > 0)
        out += zpl::repeated(last, copies);
    return out;
}

bool rasterjob::sendRaw(const QString &queue, const QString &title, const QByteArray &bytes,
                        QString *error)
{
    return send(queue, title, bytes, CUPS_FORMAT_RAW, {}, nullptr, error);
}

bool rasterjob::send(const QString &queue, const QString &title, const QByteArray &bytes,
                     const char *format, const QStringList &options, int *jobId, QString *error)
{
    if (jobId)
        *jobId = 0;
    auto fail = [&](const QString &why) {
        *error = QCoreApplication::translate("PrintHandler",
                                             "The job for \"%1\" was not taken: %2")
                     .arg(queue, why);
        return false;
    };
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                30000, nullptr);
    if (!http)
        return fail(QString::fromUtf8(cupsLastErrorString()));
    cups_option_t *cupsOptions = nullptr;
    int optionCount = 0;
    for (int i = 0; i + 1 < options.size(); i += 2)
        optionCount = cupsAddOption(options.at(i).toUtf8().constData(),
                                    options.at(i + 1).toUtf8().constData(), optionCount,
                                    &cupsOptions);
    const QByteArray name = queue.toUtf8();
    const int id = cupsCreateJob(http, name.constData(), title.toUtf8().constData(), optionCount,
                                 cupsOptions);
    cupsFreeOptions(optionCount, cupsOptions);
    if (jobId)
        *jobId = id;
    bool sent = id > 0 &&
                cupsStartDocument(http, name.constData(), id, title.toUtf8().constData(), format,
                                  1) == HTTP_STATUS_CONTINUE;
    // In pieces, so a large job does not go as one request body at once.
    constexpr int Piece = 64 * 1024;
    for (int at = 0; sent && at < bytes.size(); at += Piece)
        sent = cupsWriteRequestData(http, bytes.constData() + at,
                                    size_t(qMin(Piece, bytes.size() - at))) == HTTP_STATUS_CONTINUE;
    const bool finished = id > 0 && cupsFinishDocument(http, name.constData()) == IPP_STATUS_OK;
    const QString why = QString::fromUtf8(cupsLastErrorString());
    if (!(sent && finished) && id > 0)
        cupsCancelJob2(http, name.constData(), id, 0);
    httpClose(http);
    return sent && finished ? true : fail(why);
}
