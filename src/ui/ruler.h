#pragma once

#include <QWidget>

// A millimetre ruler along the top or the left of a document view: one tick
// per millimetre of the label, counted from the label's origin.
class Ruler : public QWidget
{
    Q_OBJECT
public:
    Ruler(int vertical, int baseWidth, int baseHeight, QWidget *parent = nullptr);

    QSize sizeHint() const override { return QSize(hintWidth, hintHeight); }

    void setLength(int width, int height);
    void setScale(double s);
    void setUnit(double u);

    bool isVertical() const { return vertical != 0; }
    double scale() const { return zoom; }
    double unit() const { return pixelsPerMm; }
    int baseWidth() const { return baseW; }
    int baseHeight() const { return baseH; }
    // Distance between two millimetre ticks in pixels.
    double tickStep() const { return zoom * pixelsPerMm; }

public slots:
    void mousePosUpdate(QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;

    // Where a number of the given length along the ruler starts, for a tick at `at`.
    static double numberStart(double at, double len, double start, double end);

private:
    void updateHint();

    int vertical;
    int baseW;
    int baseH;
    int hintWidth;
    int hintHeight;
    double zoom = 1.0;
    double pixelsPerMm = 1.0;
};
