#include "undowidget.h"

#include <QUndoView>

UndoWidget::UndoWidget(QUndoGroup *group, QWidget *parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("dockwidget/undo"));
    setWindowTitle(tr("Undo history"));
    setWidget(new QUndoView(group, this));
}
