#include "ruler.h"

#include <QFontMetricsF>
#include <QPainter>

Ruler::Ruler(int v, int baseWidth, int baseHeight, QWidget *parent)
    : QWidget(parent), vertical(v), baseW(baseWidth), baseH(baseHeight), hintWidth(baseWidth),
      hintHeight(baseHeight)
{
    setObjectName(QStringLiteral("ruler"));
}

void Ruler::setLength(int width, int height)
{
    if (width == baseW && height == baseH)
        return;
    baseW = width;
    baseH = height;
    updateHint();
}

void Ruler::setScale(double s)
{
    if (s == zoom)
        return;
    zoom = s;
    updateHint();
}

void Ruler::setUnit(double u)
{
    if (u == pixelsPerMm)
        return;
    pixelsPerMm = u;
    update();
}

void Ruler::mousePosUpdate(QPoint)
{
}

void Ruler::updateHint()
{
    if (vertical) {
        hintWidth = baseW;
        hintHeight = int(baseH * zoom);
    } else {
        hintWidth = int(baseW * zoom);
        hintHeight = baseH;
    }
    updateGeometry();
}

double Ruler::numberStart(double at, double len, double start, double end)
{
    // Centred on its tick, but pushed inside the ruler, so the numbers at
    // both ends ("0", "100") are not cut off by its edges.
    return qMax(start, qMin(at - len / 2, end - len));
}

void Ruler::paintEvent(QPaintEvent *)
{
    const double step = tickStep();
    if (!(step > 0.01))
        return;
    QPainter p(this);
    p.setPen(QPen(QBrush(Qt::black), 0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(5);
    p.setFont(f);
    const QFontMetricsF fm(f);
    const QRect r = rect();
    if (!vertical) {
        const int h = r.height();
        const int n = int(r.width() / step);
        for (int i = 0; i <= n; ++i) {
            const int x = int(i * step);
            int len = h / 7;
            if (i % 10 == 0) {
                len = h / 2;
                const QString number = QString::number(i);
                const double len = qMax(4 * pixelsPerMm, fm.horizontalAdvance(number) + 2);
                p.drawText(QRectF(numberStart(x, len, r.left(), r.right() + 1), r.top(), len, h / 2.0),
                           Qt::AlignHCenter | Qt::AlignVCenter, number);
            } else if (i % 5 == 0) {
                len = h / 4;
            }
            p.drawLine(x, r.bottom(), x, r.bottom() - len);
        }
    } else {
        const int w = r.width();
        const int n = int(r.height() / step);
        for (int i = 0; i <= n; ++i) {
            const int y = int(i * step);
            int len = w / 7;
            if (i % 10 == 0) {
                len = w / 2;
                const QString number = QString::number(i);
                const double len = qMax(4 * pixelsPerMm, fm.height());
                p.drawText(QRectF(r.left(), numberStart(y, len, r.top(), r.bottom() + 1),
                                  qMax(w / 2.0, fm.horizontalAdvance(number) + 2), len),
                           Qt::AlignHCenter | Qt::AlignVCenter, number);
            } else if (i % 5 == 0) {
                len = w / 4;
            }
            p.drawLine(r.right(), y, r.right() - len, y);
        }
    }
}
