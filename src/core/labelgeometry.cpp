#include "labelgeometry.h"

#include <cmath>

void LabelGeometry::setMmRect(const QRectF &r)
{
    mmRect = r;
    pixelsPerMm = 20.0 * std::exp(-r.width() / 100.0);
    sceneRect = QRectF(r.x() * pixelsPerMm, r.y() * pixelsPerMm, r.width() * pixelsPerMm,
                       r.height() * pixelsPerMm);
}
