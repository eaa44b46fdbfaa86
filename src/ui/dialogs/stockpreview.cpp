#include "stockpreview.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// How much of the next row shows, as a share of the label height.
constexpr double NextRowShare = 0.35;
// Liner shown above the first row, in millimetres at least.
constexpr double LeadMm = 2.0;

} // namespace

StockPreview::StockPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("stockpreview"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize StockPreview::sizeHint() const
{
    return QSize(280, 170);
}

QSize StockPreview::minimumSizeHint() const
{
    return QSize(220, 130);
}

void StockPreview::setSizeTemplate(const SizeTemplate &st)
{
    if (st == stock)
        return;
    stock = st;
    update();
}

QRectF StockPreview::drawingArea() const
{
    return QRectF(rect()).adjusted(8, 8, -8, -8);
}

StockPreview::Layout StockPreview::currentLayout() const
{
    return layout(stock, drawingArea());
}

StockPreview::Layout StockPreview::layout(const SizeTemplate &stock, const QRectF &area)
{
    Layout out;
    const double labelW = std::max(0.0, stock.labelWidth());
    const double labelH = std::max(0.0, stock.labelHeight());
    const double liner = std::max(0.0, stock.linerWidth());
    const double left = std::max(0.0, stock.marginLeft());
    const double gapX = std::max(0.0, stock.colSpacing());
    const double gapY = std::max(0.0, stock.rowSpacing());
    const int columns = std::max(0, stock.columns());
    const bool labels = labelW > 0 && labelH > 0 && columns > 0;

    const double rowWidth =
        labels ? left + columns * labelW + (columns - 1) * gapX + std::max(0.0, stock.marginRight())
               : 0.0;
    const double widthMm = std::max(liner, rowWidth);
    const double lead = std::max(LeadMm, gapY / 2);
    // Without labels the liner is still drawn, as a strip as high as it is wide.
    const double heightMm = labels ? lead + labelH + gapY + NextRowShare * labelH : liner / 3;
    if (widthMm <= 0 || heightMm <= 0 || area.width() <= 0 || area.height() <= 0)
        return out;

    const double scale = std::min(area.width() / widthMm, area.height() / heightMm);
    out.scale = scale;
    const double x0 = area.left() + (area.width() - widthMm * scale) / 2;
    const double y0 = area.top() + (area.height() - heightMm * scale) / 2;
    // The liner runs on beyond the drawing at the top and the bottom.
    out.liner = QRectF(x0, area.top(), liner * scale, area.height());
    if (!labels)
        return out;

    const double top = y0 + lead * scale;
    const double nextTop = top + (labelH + gapY) * scale;
    const double nextHeight = NextRowShare * labelH * scale;
    for (int c = 0; c < columns; ++c) {
        const double x = x0 + (left + c * (labelW + gapX)) * scale;
        out.row.append(QRectF(x, top, labelW * scale, labelH * scale));
        out.nextRow.append(QRectF(x, nextTop, labelW * scale, nextHeight));
    }
    out.overflows = rowWidth - std::max(0.0, stock.marginRight()) > liner + 1e-9;
    return out;
}

void StockPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = drawingArea();
    const Layout l = layout(stock, area);
    if (l.scale <= 0)
        return;

    p.setClipRect(area);
    const QColor linerColour(236, 222, 186);
    p.setPen(QPen(linerColour.darker(130), 1));
    p.setBrush(linerColour);
    p.drawRect(l.liner);

    const double corner = std::min(1.5 * l.scale, 6.0);
    const QColor edge(90, 90, 90);
    const QColor overflowEdge(200, 40, 40);
    auto drawLabel = [&](const QRectF &r) {
        const bool outside = r.right() > l.liner.right() + 0.5 || r.left() < l.liner.left() - 0.5;
        p.setPen(QPen(outside ? overflowEdge : edge, 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(r, corner, corner);
    };
    for (const QRectF &r : l.row)
        drawLabel(r);

    // The next row is cut off: only its top shows, fading into the liner.
    if (!l.nextRow.isEmpty()) {
        p.save();
        const QRectF band(area.left(), l.nextRow.first().top(), area.width(),
                          l.nextRow.first().height());
        p.setClipRect(band.intersected(area));
        for (const QRectF &r : l.nextRow)
            drawLabel(QRectF(r.topLeft(), QSizeF(r.width(), l.row.first().height())));
        QLinearGradient fade(band.topLeft(), band.bottomLeft());
        QColor bg = palette().color(QPalette::Window);
        bg.setAlpha(0);
        fade.setColorAt(0, bg);
        bg.setAlpha(255);
        fade.setColorAt(1, bg);
        p.fillRect(band, fade);
        p.restore();
    }

    // The size of one label, written into the first one when it fits.
    const QRectF first = l.row.first();
    const QString size =
        QStringLiteral("%1 × %2").arg(QLocale().toString(stock.labelWidth(), 'g', 4),
                                      QLocale().toString(stock.labelHeight(), 'g', 4));
    QFont f = font();
    f.setPointSizeF(std::max(6.0, f.pointSizeF() * 0.85));
    p.setFont(f);
    const QRectF needed = QFontMetricsF(f).boundingRect(size);
    if (needed.width() + 4 < first.width() && needed.height() + 2 < first.height()) {
        p.setPen(QColor(120, 120, 120));
        p.drawText(first, Qt::AlignCenter, size);
    }
}
