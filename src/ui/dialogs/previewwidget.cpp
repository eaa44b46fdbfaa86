#include "previewwidget.h"

#include "document.h"
#include "icons.h"
#include "labelgrid.h"

#include <QContextMenuEvent>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QMenu>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Shows another label of the document for one paint and puts everything
// back exactly: current label, print mode, and the text cursor of a frame
// being typed in (showing a label again resets its editor's text).
class LabelSwitch
{
public:
    LabelSwitch(Document *d, int index) : doc(d), label(d->currentLabel()), printing(d->isPrintMode())
    {
        if (auto *editor = dynamic_cast<QGraphicsTextItem *>(doc->focusItem())) {
            typing = editor;
            const QTextCursor c = editor->textCursor();
            anchor = c.anchor();
            position = c.position();
        }
        doc->setPrintMode(true);
        if (index != label)
            doc->selectLabel(index);
    }
    ~LabelSwitch()
    {
        if (doc->currentLabel() != label)
            doc->selectLabel(label);
        doc->setPrintMode(printing);
        if (typing) {
            QTextCursor c(typing->document());
            c.setPosition(qMin(anchor, typing->document()->characterCount() - 1));
            c.setPosition(qMin(position, typing->document()->characterCount() - 1),
                          QTextCursor::KeepAnchor);
            typing->setTextCursor(c);
        }
    }

private:
    Document *doc;
    int label;
    bool printing;
    QPointer<QGraphicsTextItem> typing;
    int anchor = 0;
    int position = 0;
};

} // namespace

PreviewItem::PreviewItem(Document *doc, int i, QGraphicsItem *parent)
    : QGraphicsObject(parent), document(doc), index(i), size(doc ? doc->sceneRect().size() : QSizeF())
{
    setFlag(ItemIsSelectable);
}

QRectF PreviewItem::boundingRect() const
{
    return QRectF(-frameWidth / 2, -frameWidth / 2, size.width() + frameWidth,
                  size.height() + frameWidth);
}

void PreviewItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (document) {
        LabelSwitch show(document, index);
        document->render(painter, boundingRect(), QRectF(), Qt::KeepAspectRatio);
    }
    if (isSelected()) {
        painter->save();
        painter->setPen(QPen(QBrush(Qt::red), frameWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->setBrush(Qt::transparent);
        painter->drawRect(boundingRect());
        painter->restore();
    }
}

void PreviewItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit selected(index);
    QGraphicsObject::mouseReleaseEvent(event);
}

PreviewWidget::PreviewWidget(QWidget *parent) : QDockWidget(parent)
{
    previewScene = new QGraphicsScene(this);
    previewView = new QGraphicsView(previewScene, this);
    setObjectName(QStringLiteral("dockwidget/preview"));
    setWindowTitle(tr("Labels"));
    previewView->setOptimizationFlags(QGraphicsView::DontSavePainterState |
                                      QGraphicsView::DontAdjustForAntialiasing);
    previewView->setInteractive(true);
    previewView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    contextMenu = new QMenu(this);
    QAction *add = contextMenu->addAction(
        icons::fromAppDir(QStringLiteral("/icons/oxygen/32x32/actions/document-import.png")),
        tr("New Label"));
    connect(add, &QAction::triggered, this, &PreviewWidget::newLabel);
    setWidget(previewView);
}

void PreviewWidget::setDocument(Document *doc)
{
    document = doc;
}

void PreviewWidget::clear()
{
    previewScene->clear();
    document = nullptr;
}

void PreviewWidget::redrawPreview()
{
    if (!document || document->sceneRect().width() < 1 || document->sceneRect().height() < 1) {
        previewScene->clear();
        return;
    }
    const SizeTemplate t = document->sizeTemplate();
    if (!t.isValid()) {
        previewScene->clear();
        return;
    }
    const double f = document->labelGeometry().pixelsPerMm;
    const int cols = t.columns();
    const double liner = t.linerWidth() * f;
    const double mL = t.marginLeft() * f;
    const double mR = t.marginRight() * f;
    const double colGap = t.colSpacing() * f;
    const double rowGap = t.rowSpacing() * f;
    const double labelH = t.labelHeight() * f;
    const int n = document->labelCount();

    // One row per `cols` labels; the liner is long enough for all of them.
    const int rows = cols > 0 ? (n + cols - 1) / cols : n;
    const double length = qMax(1000.0, qMax(n * labelH + n * rowGap, rows * (labelH + rowGap)));

    previewScene->clear();
    previewScene->addRect(QRectF(0, 0, liner, length),
                          QPen(QBrush(Qt::gray), 1, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin),
                          QBrush(Qt::yellow));
    LabelGrid grid(QRectF(0, 0, liner, labelH), cols, colGap, rowGap, mL, mR);
    const int current = document->currentLabel();
    for (int i = 0; i < n; ++i) {
        const QPointF p = grid.nextPositionWithRowOffset();
        auto *item = new PreviewItem(document, i);
        connect(item, &PreviewItem::selected, this, &PreviewWidget::labelSelected);
        if (i == current)
            item->setSelected(true);
        previewScene->addItem(item);
        item->setPos(p.x(), p.y() + rowGap / 2);
    }

    viewRect = previewScene->itemsBoundingRect();
    viewRect.setHeight(500);
    viewRect.moveTop(viewRect.top() - 25);
    if (viewRect.width() < liner + 25) {
        viewRect.setLeft(viewRect.left() - 25);
        viewRect.setWidth(viewRect.width() + 50);
        viewRect.setHeight(500);
    }
    previewView->fitInView(viewRect, Qt::KeepAspectRatio);
}

void PreviewWidget::updatePreview()
{
    // The current label's frame follows the document; nothing is rebuilt.
    if (document) {
        const int current = document->currentLabel();
        const QList<QGraphicsItem *> all = previewScene->items();
        for (QGraphicsItem *gi : all) {
            if (auto *item = qgraphicsitem_cast<PreviewItem *>(gi))
                item->setSelected(item->labelIndex() == current);
        }
    }
    previewScene->update();
}

void PreviewWidget::showLabel(int index)
{
    const QList<QGraphicsItem *> all = previewScene->items();
    for (QGraphicsItem *gi : all) {
        if (auto *item = qgraphicsitem_cast<PreviewItem *>(gi); item && item->labelIndex() == index) {
            previewView->ensureVisible(item);
            return;
        }
    }
}

void PreviewWidget::resizeEvent(QResizeEvent *event)
{
    previewView->fitInView(viewRect, Qt::KeepAspectRatio);
    QDockWidget::resizeEvent(event);
}

void PreviewWidget::contextMenuEvent(QContextMenuEvent *event)
{
    contextMenu->exec(event->globalPos());
}
