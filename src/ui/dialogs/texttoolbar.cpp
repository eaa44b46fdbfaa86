#include "texttoolbar.h"

#include "icons.h"
#include "sizecombo.h"

#include <QAction>
#include <QActionGroup>
#include <QFontComboBox>

namespace {
QAction *makeAction(const QString &iconPath, const QString &text, QObject *parent)
{
    auto *action = new QAction(icons::fromAppDir(iconPath), text, parent);
    action->setCheckable(true);
    return action;
}
} // namespace

TextToolbar::TextToolbar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("toolbar/text"));
    setWindowTitle(tr("Text Formatting"));

    fontCombo = new QFontComboBox(this);
    sizeCombo = new SizeCombo(this);

    boldAction = makeAction(QStringLiteral("/icons/oxygen/32x32/actions/format-text-bold.png"),
                            tr("Bold"), this);
    boldAction->setShortcut(QKeySequence::Bold);
    italicAction = makeAction(QStringLiteral("/icons/oxygen/32x32/actions/format-text-italic.png"),
                              tr("Italic"), this);
    italicAction->setShortcut(QKeySequence::Italic);
    underlineAction =
        makeAction(QStringLiteral("/icons/oxygen/32x32/actions/format-text-underline.png"),
                   tr("Underline"), this);
    underlineAction->setShortcut(QKeySequence::Underline);
    strikeOutAction =
        makeAction(QStringLiteral("/icons/oxygen/32x32/actions/format-text-strikethrough.png"),
                   tr("Strikethrough"), this);

    alignLeftAction =
        makeAction(QStringLiteral("/icons/oxygen/32x32/actions/format-justify-left.png"),
                   tr("Align Left"), this);
    alignCenterAction =
        makeAction(QStringLiteral("/icons/oxygen/32x32/actions/format-justify-center.png"),
                   tr("Center"), this);
    alignRightAction =
        makeAction(QStringLiteral("/icons/oxygen/32x32/actions/format-justify-right.png"),
                   tr("Align Right"), this);
    alignJustifyAction = makeAction(
        QStringLiteral("/icons/oxygen/32x32/actions/format-justify-fill.png"), tr("Justify"), this);
    alignmentGroup = new QActionGroup(this);
    alignmentGroup->setExclusive(true);
    for (QAction *action :
         {alignLeftAction, alignCenterAction, alignRightAction, alignJustifyAction})
        alignmentGroup->addAction(action);
    alignLeftAction->setChecked(true);

    addWidget(fontCombo);
    addSeparator();
    addWidget(sizeCombo);
    addSeparator();
    addAction(boldAction);
    addAction(italicAction);
    addAction(underlineAction);
    addAction(strikeOutAction);
    addSeparator();
    addAction(alignLeftAction);
    addAction(alignCenterAction);
    addAction(alignRightAction);
    addAction(alignJustifyAction);

    connect(fontCombo, &QFontComboBox::currentFontChanged, this, &TextToolbar::fontChanged);
    // textActivated rather than an index change: after setTextFont the box shows
    // a size that need not be the current entry, and choosing that entry must
    // still apply it. Typing emits neither.
    connect(sizeCombo, &QComboBox::textActivated, this, &TextToolbar::sizeChanged);
    connect(sizeCombo, &SizeCombo::enterKeyPressed, this, &TextToolbar::sizeChanged);
    for (QAction *action : {boldAction, italicAction, strikeOutAction, underlineAction})
        connect(action, &QAction::triggered, this, &TextToolbar::handleFontChange);
    connect(alignmentGroup, &QActionGroup::triggered, this, &TextToolbar::alignmentGroupTriggered);
}

void TextToolbar::setTextFont(const QFont &font)
{
    updating = true;
    shownFont = font;
    fontCombo->setCurrentFont(font);
    sizeCombo->setEditText(QString::number(font.pointSize()));
    boldAction->setChecked(font.weight() == QFont::Bold);
    italicAction->setChecked(font.style() != QFont::StyleNormal);
    underlineAction->setChecked(font.underline());
    strikeOutAction->setChecked(font.strikeOut());
    updating = false;
}

void TextToolbar::setTextAlignment(Qt::Alignment alignment)
{
    if (alignment == Qt::AlignLeft)
        alignLeftAction->setChecked(true);
    else if (alignment == Qt::AlignRight)
        alignRightAction->setChecked(true);
    else if (alignment == Qt::AlignJustify)
        alignJustifyAction->setChecked(true);
    else if (alignment == Qt::AlignCenter)
        alignCenterAction->setChecked(true);
}

void TextToolbar::clearStyles()
{
    updating = true;
    for (QAction *action : {boldAction, italicAction, underlineAction, strikeOutAction})
        action->setChecked(false);
    updating = false;
}

void TextToolbar::fontChanged(QFont font)
{
    Q_UNUSED(font)
    handleFontChange();
}

void TextToolbar::sizeChanged(QString size)
{
    Q_UNUSED(size)
    handleFontChange();
}

void TextToolbar::handleFontChange()
{
    if (updating)
        return;
    const int previousSize = shownFont.pointSize();
    shownFont = fontCombo->currentFont();
    // A half-typed or emptied size box keeps the size the toolbar showed.
    bool ok = false;
    const int size = sizeCombo->currentText().toInt(&ok);
    if (ok && size >= 2 && size <= 999)
        shownFont.setPointSize(size);
    else if (previousSize > 0)
        shownFont.setPointSize(previousSize);
    shownFont.setWeight(boldAction->isChecked() ? QFont::Bold : QFont::Normal);
    shownFont.setStyle(italicAction->isChecked() ? QFont::StyleItalic : QFont::StyleNormal);
    shownFont.setUnderline(underlineAction->isChecked());
    shownFont.setStrikeOut(strikeOutAction->isChecked());
    emit fontRepresentationChanged(shownFont);
}

void TextToolbar::alignmentGroupTriggered(QAction *action)
{
    if (action == alignLeftAction)
        emit alignmentChanged(1);
    else if (action == alignCenterAction)
        emit alignmentChanged(2);
    else if (action == alignRightAction)
        emit alignmentChanged(3);
    else if (action == alignJustifyAction)
        emit alignmentChanged(4);
}
