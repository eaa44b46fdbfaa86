#include "transaligntoolbar.h"

#include "icons.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

TransAlignToolbar::TransAlignToolbar(QWidget *parent) : QToolBar(parent)
{
    qRegisterMetaType<Qt::Alignment>();
    setObjectName(QStringLiteral("toolbar/transdist"));
    setWindowTitle(tr("Transform and align"));

    const QString degreeSign = QString::fromUtf8("\xC2\xB0");
    rotations.insert(0, new QAction(tr("0%1").arg(degreeSign), this));
    rotations.insert(45, new QAction(tr("45%1").arg(degreeSign), this));
    rotations.insert(90, new QAction(tr("90%1").arg(degreeSign), this));
    rotations.insert(135, new QAction(tr("135%1").arg(degreeSign), this));
    rotations.insert(180, new QAction(tr("180%1").arg(degreeSign), this));
    rotations.insert(225, new QAction(tr("225%1").arg(degreeSign), this));
    rotations.insert(270, new QAction(tr("270%1").arg(degreeSign), this));
    rotations.insert(315, new QAction(tr("315%1").arg(degreeSign), this));

    rotationMenu = std::make_unique<QMenu>();
    for (QAction *action : qAsConst(rotations)) {
        rotationMenu->addAction(action);
        connect(action, &QAction::triggered, this, &TransAlignToolbar::rotateActionToggled);
    }
    auto *rotateButton = new QToolButton(this);
    rotateButton->setIcon(
        icons::fromAppDir(QStringLiteral("/icons/oxygen/32x32/actions/transform-rotate.png")));
    rotateButton->setMenu(rotationMenu.get());
    rotateButton->setPopupMode(QToolButton::MenuButtonPopup);
    addWidget(rotateButton);

    auto add = [this](Qt::Alignment key, const char *iconPath, const QString &text) {
        auto *action = new QAction(icons::fromAppDir(QString::fromLatin1(iconPath)), text, this);
        connect(action, &QAction::triggered, this, &TransAlignToolbar::alignActionToggled);
        alignments.insert(key, action);
    };
    add(Qt::AlignLeft, "/icons/oxygen/32x32/actions/align-horizontal-left.png", tr("Left"));
    add(Qt::AlignHCenter, "/icons/oxygen/32x32/actions/align-horizontal-center.png", tr("Center"));
    add(Qt::AlignRight, "/icons/oxygen/32x32/actions/align-horizontal-right.png", tr("Right"));
    add(Qt::AlignTop, "/icons/oxygen/32x32/actions/align-vertical-top.png", tr("Top"));
    add(Qt::AlignVCenter, "/icons/oxygen/32x32/actions/align-vertical-center.png", tr("Center"));
    add(Qt::AlignBottom, "/icons/oxygen/32x32/actions/align-vertical-bottom.png", tr("Bottom"));
    // Key order, not creation order: left, right, centre, top, bottom, centre.
    for (QAction *action : qAsConst(alignments))
        addAction(action);
}

TransAlignToolbar::~TransAlignToolbar() = default;

void TransAlignToolbar::alignActionToggled(bool checked)
{
    Q_UNUSED(checked)
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    for (auto it = alignments.cbegin(); it != alignments.cend(); ++it) {
        if (it.value() == action) {
            emit alignmentSet(it.key());
            return;
        }
    }
}

void TransAlignToolbar::rotateActionToggled(bool checked)
{
    Q_UNUSED(checked)
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    for (auto it = rotations.cbegin(); it != rotations.cend(); ++it) {
        if (it.value() == action) {
            emit rotationSet(it.key());
            return;
        }
    }
}
