#include "sizecombo.h"

#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>

SizeCombo::SizeCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMinimumContentsLength(3);
    setValidator(new QIntValidator(2, 999, this));

    QStringList sizes;
    for (int size = 6; size <= 16; ++size)
        sizes << QString::number(size);
    for (int size = 18; size <= 28; size += 2)
        sizes << QString::number(size);
    for (int size = 32; size <= 48; size += 4)
        sizes << QString::number(size);
    for (int size = 56; size <= 96; size += 8)
        sizes << QString::number(size);
    addItems(sizes);
}

void SizeCombo::keyPressEvent(QKeyEvent *event)
{
    QComboBox::keyPressEvent(event);
    // The validator lets half-typed text such as "1" stand in the box; only a
    // size it accepts is reported.
    if (event->key() == Qt::Key_Enter && lineEdit()->hasAcceptableInput())
        emit enterKeyPressed(currentText());
}
