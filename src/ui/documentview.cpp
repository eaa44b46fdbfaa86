#include "documentview.h"

#include "document.h"
#include "ruler.h"

#include <QCloseEvent>
#include <QGridLayout>

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
