#pragma once

#include <QDialog>
#include <QPointer>

class BaseItem;
class QDoubleSpinBox;
class QGraphicsScene;

// "Position and size": an item's exact geometry in millimetres.
class PositionSizeDialog : public QDialog
{
    Q_OBJECT
public:
    PositionSizeDialog(BaseItem *item, QGraphicsScene *scene, QWidget *parent = nullptr);

    void accept() override;

private:
    double pixelsPerMm() const;

    QDoubleSpinBox *posX = nullptr;
    QDoubleSpinBox *posY = nullptr;
    QDoubleSpinBox *width = nullptr;
    QDoubleSpinBox *height = nullptr;
    QPointer<QGraphicsScene> scene;
    QPointer<BaseItem> item;
};
