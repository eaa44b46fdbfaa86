#pragma once

#include <QFont>
#include <QToolBar>

class QAction;
class QActionGroup;
class QFontComboBox;
class SizeCombo;

// Shows and edits the font and horizontal alignment of text-bearing items. It
// holds no document state: the window pushes the selected item's format in
// and forwards what the toolbar emits.
class TextToolbar : public QToolBar
{
    Q_OBJECT
public:
    explicit TextToolbar(QWidget *parent = nullptr);

    QFont textFont() const { return shownFont; }
    // Fills the controls from the font without emitting anything.
    void setTextFont(const QFont &font);
    // 1 left, 2 right, 8 justify, 132 centre; any other value changes nothing.
    void setTextAlignment(Qt::Alignment alignment);
    void clearStyles();

signals:
    void fontRepresentationChanged(QFont font);
    // 1 left, 2 centre, 3 right, 4 justify.
    void alignmentChanged(int idx);

private slots:
    void fontChanged(QFont font);
    void sizeChanged(QString size);
    void handleFontChange();
    void alignmentGroupTriggered(QAction *action);

private:
    QFontComboBox *fontCombo = nullptr;
    SizeCombo *sizeCombo = nullptr;
    QAction *boldAction = nullptr;
    QAction *italicAction = nullptr;
    QAction *strikeOutAction = nullptr;
    QAction *underlineAction = nullptr;
    QAction *alignLeftAction = nullptr;
    QAction *alignCenterAction = nullptr;
    QAction *alignRightAction = nullptr;
    QAction *alignJustifyAction = nullptr;
    QActionGroup *alignmentGroup = nullptr;
    QFont shownFont;
    // Set while the controls are filled from outside, so their change
    // handlers stay silent.
    bool updating = false;
};
