#include "documentview.h"

#include "document.h"
#include "ruler.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QWheelEvent>

DocumentView::DocumentView(Document *doc, QWidget *parent) : QGraphicsView(doc, parent)
{
    setObjectName(QStringLiteral("documentview"));
    setViewportMargins(20, 20, 0, 0);
    auto *grid = new QGridLayout;
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);

    const LabelGeometry g = doc ? doc->labelGeometry() : LabelGeometry();
    hRuler = new Ruler(0, int(g.sceneRect.width() + 1), 20, this);
    vRuler = new Ruler(1, 20, int(g.sceneRect.height() + 1), this);
    hRuler->setUnit(g.pixelsPerMm);
    vRuler->setUnit(g.pixelsPerMm);

    auto *corner = new QWidget(this);
    corner->setFixedSize(20, 20);
    corner->setBackgroundRole(QPalette::Window);
    corner->setAutoFillBackground(true);

    grid->addWidget(corner, 0, 0);
    grid->addWidget(hRuler, 0, 1);
    grid->addWidget(vRuler, 1, 0);
    grid->addWidget(viewport(), 1, 1);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setLayout(grid);

    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    setDragMode(QGraphicsView::RubberBandDrag);
    setCacheMode(QGraphicsView::CacheBackground);
    if (doc)
        connect(doc, &Document::sizeTemplateChanged, this, &DocumentView::updateRulers);
}

Document *DocumentView::document() const
{
    return qobject_cast<Document *>(scene());
}

void DocumentView::scale(double sx, double sy)
{
    QGraphicsView::scale(sx, sy);
    hRuler->setScale(sx);
    vRuler->setScale(sy);
}

void DocumentView::updateRulers()
{
    const Document *doc = document();
    if (!doc)
        return;
    const LabelGeometry g = doc->labelGeometry();
    hRuler->setUnit(g.pixelsPerMm);
    hRuler->setLength(int(g.sceneRect.width() + 1), 20);
    vRuler->setUnit(g.pixelsPerMm);
    vRuler->setLength(20, int(g.sceneRect.height() + 1));
    // The cached background still shows the old label face.
    resetCachedContent();
}

void DocumentView::closeEvent(QCloseEvent *event)
{
    if (closeAllowed) {
        event->accept();
        return;
    }
    emit closing(document());
    // The window may have allowed the close while handling the signal (the
    // save prompt was answered); then this close goes ahead.
    if (closeAllowed)
        event->accept();
    else
        event->ignore();
}

void DocumentView::keyPressEvent(QKeyEvent *event)
{
    Document *doc = document();
    if (!doc || doc->focusItem()) {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    const int last = doc->labelCount() - 1;
    int target = -1;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageUp:
        target = qMax(0, doc->currentLabel() - 1);
        break;
    case Qt::Key_PageDown:
        target = qMin(last, doc->currentLabel() + 1);
        break;
    case Qt::Key_Home:
        target = ctrl ? 0 : -1;
        break;
    case Qt::Key_End:
        target = ctrl ? last : -1;
        break;
    default:
        break;
    }
    if (target < 0) {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    if (target != doc->currentLabel()) {
        doc->selectLabel(target);
        emit labelStepped(target);
    }
    event->accept();
}

void DocumentView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        wheelRest = 0;
        QGraphicsView::wheelEvent(event);
        return;
    }
    // A notch is 120; touchpads send less at a time.
    wheelRest += event->angleDelta().y();
    const int steps = wheelRest / 120;
    wheelRest -= steps * 120;
    if (steps != 0)
        emit zoomStepped(steps);
    event->accept();
}
