#include "ruler.h"

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
    const QRect r = rect();
    if (!vertical) {
        const int h = r.height();
        const int n = int(r.width() / step);
        for (int i = 0; i <= n; ++i) {
            const int x = int(i * step);
            int len = h / 7;
            if (i % 10 == 0) {
                len = h / 2;
                p.drawText(QRectF(x - 2 * pixelsPerMm, r.top(), 4 * pixelsPerMm, h / 2),
                           Qt::AlignHCenter | Qt::AlignVCenter, QString::number(i));
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
                p.drawText(QRectF(r.left(), y - 2 * pixelsPerMm, w / 2, 4 * pixelsPerMm),
                           Qt::AlignHCenter | Qt::AlignVCenter, QString::number(i));
            } else if (i % 5 == 0) {
                len = w / 4;
            }
            p.drawLine(r.right(), y, r.right() - len, y);
        }
    }
}
