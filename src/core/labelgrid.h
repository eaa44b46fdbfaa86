#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

// The column grid that places labels side by side on one printed row (and,
// with row offsets, on the preview liner). Positions are relative to the
// paintable area; the cell is the same for every column.
class LabelGrid
{
public:
    LabelGrid(const QRectF &area, int columns, double colSpacing, double rowSpacing,
              double leftMargin, double rightMargin);

    // A grid without columns or whose cells have no width cannot place
    // anything; its positions are all (0, 0).
    bool isValid() const;

    // The current column's position; then moves on to the next column,
    // starting a new row after the last one.
    QPointF nextPosition();
    // As nextPosition, moved down by one row height per row already filled.
    QPointF nextPositionWithRowOffset();

    int currentRow() const { return row; }
    int currentColumn() const { return column; }
    int columnCount() const { return columns; }
    QRectF cell() const { return cellRect; }
    QRectF area() const { return paintArea; }

private:
    void advance();

    QRectF paintArea;
    QRectF cellRect;
    QList<QPointF> positions;
    double leftMargin = 0;
    double rowSpacing = 0;
    int columns = 0;
    int column = 0;
    int row = 0;
};
