#include "barcodeitem.h"

#include "datasource.h"
#include "datasourcemanager.h"
#include "document.h"
#include "itemeditor.h"
#include "safestream.h"
#include "streamheader.h"

#include <QAbstractItemModel>
#include <QMenu>
#include <QSignalBlocker>
#include <QPainter>
#include <QPrinter>

BarcodeItem::BarcodeItem(QSizeF size, QGraphicsItem *parent) : BaseItem(size, parent)
{
    setObjectName(QStringLiteral("labelitem/barcode"));
    connect(&binding, &DataBinding::changed, this, &BarcodeItem::bindingChanged);
    // The table is gone but the binding the document stores stays; what
    // the next save writes changes, since the table is no longer there.
    connect(&binding, &DataBinding::sourceRemoved, this, [this] { emit contentEdited(this); });
    updateExtent();
}

QUuid BarcodeItem::uuid()
{
    static const QUuid u(QStringLiteral("{704e5ecf-4d17-45e0-8e0b-74c1b295d60e}"));
    return u;
}

void BarcodeItem::bindingChanged()
{
    if (mode != VariableData)
        return;
    updateExtent();
    update();
    emit dataChanged();
}

void BarcodeItem::populateMenu(QMenu *m)
{
    BaseItem::populateMenu(m);
    m->addSeparator();
    connect(m->addAction(tr("Edit barcode...")), &QAction::triggered, this,
            &BarcodeItem::editDialog);
}

void BarcodeItem::setSize(qreal w, qreal h)
{
    setSize(QSizeF(w, h));
}

void BarcodeItem::setSize(const QSizeF &size)
{
    BaseItem::setSize(size);
    updateExtent();
}

void BarcodeItem::setBarcode(const Barcode &barcode)
{
    code = barcode;
    updateExtent();
    update();
}

void BarcodeItem::setAspectMode(int m)
{
    aspect = m;
    updateExtent();
    update();
}

void BarcodeItem::setConstantData(const QString &data)
{
    mode = ConstantData;
    code.setData(data);
    {
        const QSignalBlocker quiet(&binding);
        binding.clear();
    }
    record = 0;
    updateExtent();
    update();
    emit dataChanged();
}

void BarcodeItem::setVariableData(DataSource *src, const QItemSelection &sel)
{
    mode = VariableData;
    {
        const QSignalBlocker quiet(&binding);
        binding.bind(src, sel);
    }
    record = 0;
    updateExtent();
    update();
    emit dataChanged();
}

DataSource *BarcodeItem::dataSource() const
{
    return mode == VariableData ? binding.source() : nullptr;
}

QString BarcodeItem::dataForRecord(int r) const
{
    if (mode != VariableData)
        return code.data();
    // Past its cells, or with its source gone, a label shows no symbol: it
    // must never carry a code that belongs to another label. An empty cell
    // gives no symbol either, rather than an error text on the label.
    const QString value = binding.text(r);
    return value.isEmpty() ? QString() : value;
}

void BarcodeItem::setRecordIndex(int index)
{
    record = index;
    // Captions differ from label to label (an EAN's digits, a missing code).
    if (mode == VariableData)
        updateExtent();
    update();
}

int BarcodeItem::recordCount() const
{
    return mode == VariableData ? binding.count() : 1;
}

QRectF BarcodeItem::boundingRect() const
{
    return BaseItem::boundingRect().united(extent);
}

void BarcodeItem::updateExtent()
{
    // EAN and UPC captions reach past the symbol on both sides, and a filling
    // symbol past the item: the area the view repaints must hold them.
    // The symbol of the label shown.
    Barcode probe = code;
    if (mode == VariableData)
        probe.setData(dataForRecord(record));
    const QSizeF modules = probe.moduleSize();
    QRectF r;
    if (!modules.isEmpty()) {
        double sx = size().width() / modules.width();
        double sy = size().height() / modules.height();
        if (aspect == Barcode::Fit)
            sx = sy = qMin(sx, sy);
        else if (aspect == Barcode::Fill)
            sx = sy = qMax(sx, sy);
        r = QRectF(0, 0, modules.width() * sx, modules.height() * sy);
        const int sym = probe.symbology();
        if (probe.showText() && (sym == Barcode::Ean || sym == Barcode::UpcA))
            r.adjust(-8 * sx, 0, 8 * sx, 0);
    }
    if (r != extent) {
        prepareGeometryChange();
        extent = r;
    }
}

int BarcodeItem::snapResolution(QPainter *painter) const
{
    // A print queue rasterises at the resolution its printer device reports.
    // A PDF file has none of its own: its modules are laid on the dots of the
    // commonest label printer, which a 300-dpi printer also draws within half
    // a dot. The screen keeps its exact drawing.
    if (!printMode || !painter->device())
        return 0;
    // A label the program draws itself for a printer: the image is the printer's dots.
    if (painter->device()->devType() != QInternal::Printer)
        return jobDpi;
    const auto *printer = static_cast<const QPrinter *>(painter->device());
    if (printer->outputFormat() != QPrinter::NativeFormat)
        return PdfSnapDpi;
    return jobDpi > 0 ? jobDpi : printer->resolution();
}

void BarcodeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    bool draw = true;
    if (mode == VariableData) {
        const QString value = dataForRecord(record);
        draw = !value.isNull();
        if (draw)
            code.setData(value);
    }
    if (draw) {
        painter->save();
        const int snap = snapResolution(painter);
        const bool printer =
            painter->device() && painter->device()->devType() == QInternal::Printer;
        if (snap > 0 || printer) {
            code.paint(painter, QRectF(QPointF(0, 0), size()), aspect, snap);
        } else {
            // The screen and the previews show the symbol as it prints: its
            // modules on the dot grid of the document's printer, in mm.
            const Document *doc = document();
            code.paint(painter, QRectF(QPointF(0, 0), size()), aspect,
                       doc ? doc->printDpi() : PdfSnapDpi,
                       doc ? doc->labelGeometry().pixelsPerMm : 1.0);
        }
        painter->restore();
    }
    BaseItem::paint(painter, option, widget);
}

void BarcodeItem::editDialog()
{
    if (ItemEditor::run(this, ItemEditor::Content))
        emit contentEdited(this);
}

void BarcodeItem::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    out << pos() << size();
    code.streamWrite(out);
    out << qint32(aspect) << qint32(mode);
    if (mode == VariableData && binding.isSet()) {
        // Written as stored while the source is missing, so nothing is lost.
        out << binding.sourceName();
        binding.writeRanges(out);
    } else {
        out << QString();
    }
    if (headerVersion() >= 2)
        out << double(rotation());
}

void BarcodeItem::streamRead(QDataStream &in)
{
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("BarcodeItem header mismatch error");
        return;
    }
    QPointF p;
    QSizeF s;
    if (!safestream::readGeometry(in, p, s))
        return;
    Barcode read;
    read.streamRead(in);
    qint32 a = Barcode::Fit;
    qint32 m = ConstantData;
    QString name;
    in >> a >> m >> name;
    if (in.status() != QDataStream::Ok)
        return;

    QVector<DataBinding::Range> ranges;
    if (!name.isEmpty() && !DataBinding::readRanges(in, &ranges))
        return;
    double angle = 0;
    if (version >= 2 && !safestream::readRotation(in, angle))
        return;

    setPos(p);
    BaseItem::setSize(s);
    code = read;
    aspect = a;
    mode = m;
    {
        const QSignalBlocker quiet(&binding);
        if (name.isEmpty()) {
            binding.clear();
        } else {
            binding.setStored(name, QString(), ranges);
            binding.lookUp();
        }
    }
    record = 0;
    if (version >= 2)
        setItemRotation(angle);
    updateExtent();
    update();
}
