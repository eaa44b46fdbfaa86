#include "mousedrive.h"

#include <QApplication>
#include <QGraphicsView>
#include <QMouseEvent>

namespace {

void send(QGraphicsView *view, QEvent::Type type, QPointF scenePos, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *vp = view->viewport();
    const QPoint local = view->mapFromScene(scenePos);
    QMouseEvent ev(type, QPointF(local), QPointF(vp->mapToGlobal(local)), button, buttons, modifiers);
    QApplication::sendEvent(vp, &ev);
}

} // namespace

void mousedrive::press(QGraphicsView *view, QPointF scenePos, Qt::MouseButton button,
                       Qt::KeyboardModifiers modifiers)
{
    send(view, QEvent::MouseButtonPress, scenePos, button, button, modifiers);
}

void mousedrive::move(QGraphicsView *view, QPointF scenePos, Qt::MouseButtons buttons)
{
    send(view, QEvent::MouseMove, scenePos, Qt::NoButton, buttons);
}

void mousedrive::release(QGraphicsView *view, QPointF scenePos, Qt::MouseButton button)
{
    send(view, QEvent::MouseButtonRelease, scenePos, button, Qt::NoButton);
}

void mousedrive::drag(QGraphicsView *view, QPointF from, QPointF to, int steps)
{
    press(view, from);
    for (int i = 1; i <= steps; ++i)
        move(view, from + (to - from) * (double(i) / steps));
    release(view, to);
}

void mousedrive::click(QGraphicsView *view, QPointF scenePos, Qt::MouseButton button)
{
    press(view, scenePos, button);
    release(view, scenePos, button);
}
