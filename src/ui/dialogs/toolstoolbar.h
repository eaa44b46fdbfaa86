#pragma once

#include <QMap>
#include <QToolBar>

class QAction;

// Chooses which kind of item the next mouse gesture on the label inserts.
class ToolsToolbar : public QToolBar
{
    Q_OBJECT
public:
    enum ToolType
    {
        TextTool = 0,
        ImageTool = 1,
        DataTool = 2,
        DateTimeTool = 3,
        BarcodeTool = 4
    };
    Q_ENUM(ToolType)

    explicit ToolsToolbar(QWidget *parent = nullptr);

    // Each tool that was checked reports toolToggled(type, false).
    void uncheckAll();

signals:
    void toolToggled(ToolsToolbar::ToolType type, bool checked);

private slots:
    void actionToggled(bool checked);

private:
    QMap<ToolType, QAction *> tools;
};
