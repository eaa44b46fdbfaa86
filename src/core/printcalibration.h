#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// Where a printer puts the label relative to where it was designed: a
// horizontal and a vertical offset in millimetres per print queue, kept in
// the user's settings and applied to every job on that queue.
namespace printcalibration {

constexpr double MaxOffsetMm = 10.0;

// The stored offset of a queue; (0, 0) when none is stored.
QPointF offset(const QString &queue);
// Stores the offset (clamped to ±MaxOffsetMm, rounded to 0.1 mm); (0, 0)
// removes the entry.
void setOffset(const QString &queue, QPointF mm);

// Parses "X,Y" in millimetres (as --offset takes it); false for anything
// else or values beyond ±MaxOffsetMm.
bool parseOffset(const QString &text, QPointF *mm);

// Draws the calibration label of a stock into `labelRect` (device units,
// `pxPerMm` of them per millimetre): the label's outline, a cross at its
// centre and millimetre scales along the top and the left edge, so the user
// reads off how far the printer shifts the print.
void paintCalibrationLabel(QPainter *painter, const QRectF &labelRect, double pxPerMm);

} // namespace printcalibration
