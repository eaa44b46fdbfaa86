#pragma once

#include <QGraphicsView>

class Document;
class Ruler;

// The view inside each document tab: the label at the top left, framed by
// millimetre rulers. Closing it goes through the main window's save prompt.
class DocumentView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit DocumentView(Document *doc, QWidget *parent = nullptr);

    Document *document() const;

    void allowClose() { closeAllowed = true; }
    void scale(double sx, double sy);
    void updateRulers();

    Ruler *horizontalRuler() const { return hRuler; }
    Ruler *verticalRuler() const { return vRuler; }

signals:
    void closing(Document *doc);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Ruler *hRuler = nullptr;
    Ruler *vRuler = nullptr;
    bool closeAllowed = false;
};
