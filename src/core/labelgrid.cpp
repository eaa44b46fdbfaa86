#include "labelgrid.h"

#include <cmath>

LabelGrid::LabelGrid(const QRectF &area, int columnCount, double colSpacing, double rowGap,
                     double left, double right)
    : paintArea(area), leftMargin(left), rowSpacing(rowGap), columns(columnCount)
{
    if (columns < 1)
        return;
    const double width = (area.width() - left - right - (columns - 1) * colSpacing) / columns;
    if (!(width > 0) || !std::isfinite(width))
        return;
    cellRect = QRectF(0, 0, width, area.height());
    positions.reserve(columns);
    for (int i = 0; i < columns; ++i)
        positions.append(QPointF(i * (width + colSpacing) + left, 0));
}

bool LabelGrid::isValid() const
{
    return !positions.isEmpty();
}

QPointF LabelGrid::nextPosition()
{
    const QPointF p = positions.value(column);
    advance();
    return p;
}

QPointF LabelGrid::nextPositionWithRowOffset()
{
    const QPointF p = positions.value(column) + QPointF(0, (rowSpacing + paintArea.height()) * row);
    advance();
    return p;
}

void LabelGrid::advance()
{
    if (columns < 1)
        return;
    column = (column + 1) % columns;
    if (column == 0)
        ++row;
}
