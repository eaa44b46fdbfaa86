#pragma once

#include <QRectF>

// The label rectangle in millimetres and in scene units. Scene units per
// millimetre fall with the label width, so wide labels stay a manageable
// number of units; every conversion goes through pixelsPerMm.
struct LabelGeometry
{
    double pixelsPerMm = 1.0;
    QRectF sceneRect;
    QRectF mmRect;

    void setMmRect(const QRectF &r);
};
