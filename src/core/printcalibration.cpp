#include "printcalibration.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

QString key(const QString &queue)
{
    // Queue names may hold characters QSettings treats as separators.
    return QStringLiteral("printerCalibration/") +
           QString::fromLatin1(queue.toUtf8().toPercentEncoding());
}

double tenths(double mm)
{
    return std::round(qBound(-printcalibration::MaxOffsetMm, mm, printcalibration::MaxOffsetMm) *
                      10) /
           10;
}

} // namespace

QPointF printcalibration::offset(const QString &queue)
{
    if (queue.isEmpty())
        return QPointF();
    const QPointF stored = QSettings().value(key(queue)).toPointF();
    return QPointF(tenths(stored.x()), tenths(stored.y()));
}

void printcalibration::setOffset(const QString &queue, QPointF mm)
{
    if (queue.isEmpty())
        return;
    QSettings settings;
    const QPointF value(tenths(mm.x()), tenths(mm.y()));
    if (value.isNull())
        settings.remove(key(queue));
    else
        settings.setValue(key(queue), value);
}

bool printcalibration::parseOffset(const QString &text, QPointF *mm)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*([-+]?\\d+(?:\\.\\d+)?)\\s*,\\s*([-+]?\\d+(?:\\.\\d+)?)\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    const double x = m.captured(1).toDouble();
    const double y = m.captured(2).toDouble();
    if (std::abs(x) > MaxOffsetMm || std::abs(y) > MaxOffsetMm)
        return false;
    *mm = QPointF(x, y);
    return true;
}

void printcalibration::paintCalibrationLabel(QPainter *painter, const QRectF &labelRect,
                                             double pxPerMm)
{
    if (!painter || !(pxPerMm > 0) || !std::isfinite(pxPerMm) || !labelRect.isValid())
        return;
    const double widthMm = labelRect.width() / pxPerMm;
    const double heightMm = labelRect.height() / pxPerMm;
    if (!std::isfinite(widthMm) || !std::isfinite(heightMm))
        return;

    painter->save();
    const double penWidth = 0.2 * pxPerMm;
    QPen pen(Qt::black, penWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(false);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);

    // The outline's outer edge is the label's edge.
    const double half = penWidth / 2;
    painter->drawRect(labelRect.adjusted(half, half, -half, -half));

    const QPointF centre = labelRect.center();
    const double arm = std::min(10.0, std::min(widthMm, heightMm) / 2) * pxPerMm / 2;
    painter->drawLine(QPointF(centre.x() - arm, centre.y()), QPointF(centre.x() + arm, centre.y()));
    painter->drawLine(QPointF(centre.x(), centre.y() - arm), QPointF(centre.x(), centre.y() + arm));

    // Pixel size, not points: the printer's logical DPI must not scale the
    // numbers away from the millimetres they stand next to.
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(2 * pxPerMm)));
    painter->setFont(font);
    const QFontMetricsF metrics(font, painter->device());

    const auto tickLength = [pxPerMm](int mm) {
        return (mm % 10 == 0 ? 4.0 : mm % 5 == 0 ? 3.0 : 1.5) * pxPerMm;
    };
    // The numbers sit below the short ticks, clear of them and of the
    // 5-mm tick that follows.
    const double gap = 0.4 * pxPerMm;
    const double beyondShortTicks = 1.8 * pxPerMm;
    const double textHeight = metrics.height();

    // A tick on the far edge would only thicken the outline.
    for (int mm = 1; mm < widthMm - 0.05; ++mm) {
        const double x = labelRect.left() + mm * pxPerMm;
        painter->drawLine(QPointF(x, labelRect.top()), QPointF(x, labelRect.top() + tickLength(mm)));
        if (mm % 10 != 0)
            continue;
        const QString number = QString::number(mm);
        const QRectF box(x + gap, labelRect.top() + beyondShortTicks,
                         metrics.horizontalAdvance(number), textHeight);
        if (box.right() < labelRect.right() - penWidth && box.bottom() < labelRect.bottom())
            painter->drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, number);
    }
    for (int mm = 1; mm < heightMm - 0.05; ++mm) {
        const double y = labelRect.top() + mm * pxPerMm;
        painter->drawLine(QPointF(labelRect.left(), y),
                          QPointF(labelRect.left() + tickLength(mm), y));
        if (mm % 10 != 0)
            continue;
        const QString number = QString::number(mm);
        const QRectF box(labelRect.left() + beyondShortTicks, y + gap,
                         metrics.horizontalAdvance(number), textHeight);
        if (box.right() < labelRect.right() && box.bottom() < labelRect.bottom() - penWidth)
            painter->drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, number);
    }
    painter->restore();
}
