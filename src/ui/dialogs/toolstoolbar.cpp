#include "toolstoolbar.h"

#include "icons.h"

#include <QAction>

ToolsToolbar::ToolsToolbar(QWidget *parent) : QToolBar(parent)
{
    qRegisterMetaType<ToolsToolbar::ToolType>();
    setObjectName(QStringLiteral("toolbar/tools"));
    setWindowTitle(tr("Tools"));

    tools.insert(TextTool, new QAction(icons::fromAppDir(QStringLiteral(
                                           "/icons/oxygen/32x32/actions/insert-text.png")),
                                       tr("Text"), this));
    tools.insert(ImageTool, new QAction(icons::fromAppDir(QStringLiteral(
                                            "/icons/oxygen/32x32/actions/insert-image.png")),
                                        tr("Image"), this));
    tools.insert(DataTool, new QAction(icons::fromAppDir(QStringLiteral(
                                           "/icons/oxygen/32x32/actions/insert-table.png")),
                                       tr("Variable data"), this));
    tools.insert(
        DateTimeTool,
        new QAction(icons::fromAppDir(QStringLiteral("/icons/oxygen/32x32/apps/clock.png")),
                    tr("Date and Time"), this));
    tools.insert(BarcodeTool, new QAction(icons::fromAppDir(QStringLiteral(
                                              "/icons/oxygen/32x32/actions/view-barcode.png")),
                                          tr("Barcode"), this));

    // Deliberately no exclusive group: the window resets the tools itself once
    // an item has been inserted.
    for (QAction *action : qAsConst(tools)) {
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, &ToolsToolbar::actionToggled);
        addAction(action);
    }
}

void ToolsToolbar::uncheckAll()
{
    for (QAction *action : qAsConst(tools))
        action->setChecked(false);
}

void ToolsToolbar::actionToggled(bool checked)
{
    Q_UNUSED(checked)
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    emit toolToggled(tools.key(action, TextTool), action->isChecked());
}
