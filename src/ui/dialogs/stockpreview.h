#pragma once

#include "sizetemplate.h"

#include <QRectF>
#include <QVector>
#include <QWidget>

// A drawing of label stock to scale: the liner, the labels of one row, the
// margins and gaps between them, and the top of the next row, so that the
// stock can be recognised by looking at it.
class StockPreview : public QWidget
{
    Q_OBJECT
public:
    // Where each part of the stock lands inside a drawing area, in the
    // area's coordinates.
    struct Layout
    {
        double scale = 0; // drawing units per millimetre; 0 when nothing can be drawn
        QRectF liner;
        QVector<QRectF> row;     // the labels of the first row
        QVector<QRectF> nextRow; // the visible part of the next row
        // Labels reach beyond the liner's right edge (margins, gaps and
        // columns do not fit the liner width).
        bool overflows = false;
    };

    explicit StockPreview(QWidget *parent = nullptr);

    static Layout layout(const SizeTemplate &stock, const QRectF &area);
    Layout currentLayout() const;
    SizeTemplate sizeTemplate() const { return stock; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void setSizeTemplate(const SizeTemplate &st);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF drawingArea() const;

    SizeTemplate stock;
};
