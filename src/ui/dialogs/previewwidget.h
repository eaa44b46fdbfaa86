#pragma once

#include "document.h"

#include <QDockWidget>
#include <QGraphicsObject>
#include <QPointer>

class QGraphicsScene;
class QGraphicsView;
class QMenu;

// One label of the document as a thumbnail on the preview's liner.
class PreviewItem : public QGraphicsObject
{
    Q_OBJECT
public:
    enum { Type = QGraphicsItem::UserType + 201 };

    PreviewItem(Document *doc, int index, QGraphicsItem *parent = nullptr);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;
    int type() const override { return Type; }
    int labelIndex() const { return index; }

signals:
    void selected(int idx);

protected:
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    QPointer<Document> document;
    int index;
    QSizeF size;
    const double frameWidth = 2.0;
};

// "Labels": every label of the current document laid out on its liner as it
// will be printed; a click makes a label the current one.
class PreviewWidget : public QDockWidget
{
    Q_OBJECT
public:
    explicit PreviewWidget(QWidget *parent = nullptr);

    void setDocument(Document *doc);
    Document *currentDocument() const { return document; }
    void clear();
    QGraphicsScene *scene() const { return previewScene; }
    QGraphicsView *view() const { return previewView; }
    // Scrolls the liner so that label `index` is in sight.
    void showLabel(int index);

signals:
    void labelSelected(int idx);
    void newLabel();

public slots:
    void redrawPreview();
    void updatePreview();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QPointer<Document> document;
    QGraphicsScene *previewScene = nullptr;
    QGraphicsView *previewView = nullptr;
    QRectF viewRect;
    QMenu *contextMenu = nullptr;
};
