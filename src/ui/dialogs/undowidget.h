#pragma once

#include <QDockWidget>

class QUndoGroup;

// "Undo history": the commands of the active document's undo stack; a click
// on a line undoes or redoes up to it.
class UndoWidget : public QDockWidget
{
    Q_OBJECT
public:
    explicit UndoWidget(QUndoGroup *group, QWidget *parent = nullptr);
};
