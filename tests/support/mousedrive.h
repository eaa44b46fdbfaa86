#pragma once

#include <QPointF>
#include <Qt>

class QGraphicsView;

// Mouse gestures on a graphics view in scene coordinates, sent as real
// widget events to its viewport (QTest's mouseMove carries no buttons).
namespace mousedrive {

void press(QGraphicsView *view, QPointF scenePos, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void move(QGraphicsView *view, QPointF scenePos, Qt::MouseButtons buttons = Qt::LeftButton);
void release(QGraphicsView *view, QPointF scenePos, Qt::MouseButton button = Qt::LeftButton);

// Press at `from`, move in a few steps to `to`, release there.
void drag(QGraphicsView *view, QPointF from, QPointF to, int steps = 4);

// Press and release at one point.
void click(QGraphicsView *view, QPointF scenePos, Qt::MouseButton button = Qt::LeftButton);

} // namespace mousedrive
