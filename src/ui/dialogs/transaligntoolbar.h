#pragma once

#include <QMap>
#include <QToolBar>
#include <memory>

class QAction;
class QMenu;

// Rotates the selected items by fixed angles and aligns them to each other or
// to the label.
class TransAlignToolbar : public QToolBar
{
    Q_OBJECT
public:
    explicit TransAlignToolbar(QWidget *parent = nullptr);
    ~TransAlignToolbar() override;

signals:
    void alignmentSet(Qt::Alignment alignment);
    void rotationSet(int angle);

private slots:
    void alignActionToggled(bool checked);
    void rotateActionToggled(bool checked);

private:
    QMap<Qt::Alignment, QAction *> alignments;
    QMap<int, QAction *> rotations;
    // A tool button does not own its menu.
    std::unique_ptr<QMenu> rotationMenu;
};
