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
    // Ctrl and the wheel: steps > 0 zoom in, < 0 out.
    void zoomStepped(int steps);
    // The keyboard made another label the current one.
    void labelStepped(int index);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Page Up / Page Down step through the labels, Ctrl+Home / Ctrl+End go
    // to the first and the last; a frame being typed in keeps its keys.
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    Ruler *hRuler = nullptr;
    Ruler *vRuler = nullptr;
    bool closeAllowed = false;
    // Eighths of a degree the wheel turned short of a whole step.
    int wheelRest = 0;
};
