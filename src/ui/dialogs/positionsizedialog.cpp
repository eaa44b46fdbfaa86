#include "positionsizedialog.h"

#include "document.h"
#include "labelitems/baseitem.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {
QDoubleSpinBox *millimetres(const char *name)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setMaximum(999.99);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}
} // namespace

PositionSizeDialog::PositionSizeDialog(BaseItem *i, QGraphicsScene *s, QWidget *parent)
    : QDialog(parent), scene(s), item(i)
{
    setObjectName(QStringLiteral("dialog/positionsize"));
    setWindowTitle(tr("Position and size"));

    posX = millimetres("x");
    posY = millimetres("y");
    width = millimetres("width");
    height = millimetres("height");

    auto *position = new QGroupBox(tr("Position"));
    auto *positionForm = new QFormLayout(position);
    positionForm->addRow(tr("Position X:"), posX);
    positionForm->addRow(tr("Position Y:"), posY);
    auto *sizeBox = new QGroupBox(tr("Size"));
    auto *sizeForm = new QFormLayout(sizeBox);
    sizeForm->addRow(tr("Width:"), width);
    sizeForm->addRow(tr("Height:"), height);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &PositionSizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(position);
    layout->addWidget(sizeBox);
    layout->addWidget(buttons);

    if (item && scene) {
        const double f = pixelsPerMm();
        posX->setValue(item->pos().x() / f);
        posY->setValue(item->pos().y() / f);
        width->setValue(item->size().width() / f);
        height->setValue(item->size().height() / f);
    }
}

double PositionSizeDialog::pixelsPerMm() const
{
    auto *doc = qobject_cast<Document *>(scene.data());
    const double f = doc ? doc->labelGeometry().pixelsPerMm : 0;
    // A scene without a label size has no millimetres; its units stand in.
    return f > 0 ? f : 1.0;
}

void PositionSizeDialog::accept()
{
    if (item && scene) {
        const double f = pixelsPerMm();
        item->setPos(posX->value() * f, posY->value() * f);
        item->setSize(QSizeF(width->value() * f, height->value() * f));
    }
    QDialog::accept();
}
