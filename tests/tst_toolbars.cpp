#include "dialogs/sizecombo.h"
#include "dialogs/texttoolbar.h"
#include "dialogs/toolstoolbar.h"
#include "dialogs/transaligntoolbar.h"
#include "icons.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

namespace {

QAction *actionByText(QToolBar &bar, const QString &text)
{
    const QList<QAction *> actions = bar.actions();
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Types into the size box the way a user does: through its line edit.
SizeCombo *typeSize(TextToolbar &bar, const QString &text)
{
    auto *combo = bar.findChild<SizeCombo *>();
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), text);
    return combo;
}

} // namespace

class TestToolbars : public QObject
{
    Q_OBJECT
private slots:
    void requestedIconsInstalled();
    void twoToolsStayChecked();
    void typedSizeWithKeypadEnter_data();
    void typedSizeWithKeypadEnter();
    void returnDoesNotApplyTypedSize();
    void choosingShownEntryAppliesIt();
    void setTextFontFillsSilently_data();
    void setTextFontFillsSilently();
    void styleActionsEmitFont_data();
    void styleActionsEmitFont();
    void textAlignmentRoundTrip_data();
    void textAlignmentRoundTrip();
    void rotationEntries_data();
    void rotationEntries();
    void alignmentButtonsInKeyOrder();
};

void TestToolbars::requestedIconsInstalled()
{
    ToolsToolbar tools;
    TextToolbar text;
    TransAlignToolbar transAlign;
    const QStringList paths = icons::requestedPaths();
    // 5 tools, 8 text actions, the rotation button and 6 alignments.
    QCOMPARE(paths.size(), 20);
    for (const QString &path : paths) {
        const QString file = QCoreApplication::applicationDirPath() + path;
        QVERIFY2(!QIcon(file).pixmap(32).isNull(), qPrintable(file));
    }
}

void TestToolbars::twoToolsStayChecked()
{
    ToolsToolbar bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy spy(&bar, &ToolsToolbar::toolToggled);
    QAction *text = actionByText(bar, "Text");
    QAction *barcode = actionByText(bar, "Barcode");
    QTest::mouseClick(bar.widgetForAction(text), Qt::LeftButton);
    QTest::mouseClick(bar.widgetForAction(barcode), Qt::LeftButton);
    QVERIFY(text->isChecked());
    QVERIFY(barcode->isChecked());

    // Then only the two checked tools report being unchecked.
    bar.uncheckAll();
    QVERIFY(!text->isChecked());
    QVERIFY(!barcode->isChecked());

    const QList<QPair<ToolsToolbar::ToolType, bool>> expected = {
        {ToolsToolbar::TextTool, true},
        {ToolsToolbar::BarcodeTool, true},
        {ToolsToolbar::TextTool, false},
        {ToolsToolbar::BarcodeTool, false}};
    QCOMPARE(spy.count(), expected.size());
    for (int i = 0; i < spy.count(); ++i) {
        QCOMPARE(spy.at(i).at(0).value<ToolsToolbar::ToolType>(), expected.at(i).first);
        QCOMPARE(spy.at(i).at(1).toBool(), expected.at(i).second);
    }
}

void TestToolbars::typedSizeWithKeypadEnter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("applied"); // 0: nothing emitted
    QTest::addColumn<QString>("shown");

    QTest::newRow("200") << "200" << 200 << "200";
    QTest::newRow("highest") << "999" << 999 << "999";
    QTest::newRow("list entry") << "12" << 12 << "12";
    QTest::newRow("fourth digit refused") << "1000" << 100 << "100";
    QTest::newRow("below range") << "1" << 0 << "1";
    QTest::newRow("letters refused") << "ab" << 0 << "";
}

void TestToolbars::typedSizeWithKeypadEnter()
{
    QFETCH(QString, typed);
    QFETCH(int, applied);
    QFETCH(QString, shown);

    TextToolbar bar;
    bar.setTextFont(QFont("Liberation Sans", 24));
    QSignalSpy fontSpy(&bar, &TextToolbar::fontRepresentationChanged);
    SizeCombo *combo = typeSize(bar, typed);
    QSignalSpy enterSpy(combo, &SizeCombo::enterKeyPressed);
    QCOMPARE(combo->currentText(), shown);
    QCOMPARE(fontSpy.count(), 0);

    QTest::keyClick(combo, Qt::Key_Enter, Qt::KeypadModifier);
    if (applied == 0) {
        QCOMPARE(enterSpy.count(), 0);
        QCOMPARE(fontSpy.count(), 0);
        QCOMPARE(bar.textFont().pointSize(), 24);
        return;
    }
    QCOMPARE(enterSpy.count(), 1);
    QCOMPARE(enterSpy.at(0).at(0).toString(), shown);
    QVERIFY(fontSpy.count() >= 1);
    QCOMPARE(fontSpy.last().at(0).value<QFont>().pointSize(), applied);
    QCOMPARE(bar.textFont().pointSize(), applied);
}

void TestToolbars::returnDoesNotApplyTypedSize()
{
    TextToolbar bar;
    bar.setTextFont(QFont("Liberation Sans", 24));
    QSignalSpy fontSpy(&bar, &TextToolbar::fontRepresentationChanged);
    SizeCombo *combo = typeSize(bar, "200");
    QSignalSpy enterSpy(combo, &SizeCombo::enterKeyPressed);
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(enterSpy.count(), 0);
    QCOMPARE(fontSpy.count(), 0);
    QCOMPARE(bar.textFont().pointSize(), 24);
}

void TestToolbars::choosingShownEntryAppliesIt()
{
    // setTextFont puts 24 into the box while the current entry stays the first
    // one; picking that first entry from the list must still apply it.
    TextToolbar bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.setTextFont(QFont("Liberation Sans", 24));
    auto *combo = bar.findChild<SizeCombo *>();
    QCOMPARE(combo->currentIndex(), 0);
    QSignalSpy fontSpy(&bar, &TextToolbar::fontRepresentationChanged);

    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(combo->model()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Return);

    QCOMPARE(fontSpy.count(), 1);
    QCOMPARE(fontSpy.at(0).at(0).value<QFont>().pointSize(), 6);
    QCOMPARE(combo->currentText(), QStringLiteral("6"));
}

void TestToolbars::setTextFontFillsSilently_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QList<bool>>("styles"); // bold, italic, underline, strikethrough

    QFont bold("Liberation Sans", 12);
    bold.setBold(true);
    QTest::newRow("bold 12") << bold << QList<bool>{true, false, false, false};
    QFont styled("Liberation Serif", 30);
    styled.setItalic(true);
    styled.setUnderline(true);
    styled.setStrikeOut(true);
    QTest::newRow("italic underline strikeout 30")
        << styled << QList<bool>{false, true, true, true};
}

void TestToolbars::setTextFontFillsSilently()
{
    QFETCH(QFont, font);
    QFETCH(QList<bool>, styles);
    const QStringList styleActions = {"Bold", "Italic", "Underline", "Strikethrough"};

    TextToolbar bar;
    // Start from the opposite state so every control has to change.
    QFont opposite("Liberation Mono", 50);
    opposite.setBold(!styles[0]);
    opposite.setItalic(!styles[1]);
    opposite.setUnderline(!styles[2]);
    opposite.setStrikeOut(!styles[3]);
    bar.setTextFont(opposite);

    QSignalSpy fontSpy(&bar, &TextToolbar::fontRepresentationChanged);
    QSignalSpy alignSpy(&bar, &TextToolbar::alignmentChanged);
    bar.setTextFont(font);
    QCOMPARE(bar.textFont(), font);
    QCOMPARE(bar.findChild<SizeCombo *>()->currentText(), QString::number(font.pointSize()));
    for (int i = 0; i < styleActions.size(); ++i)
        QCOMPARE(actionByText(bar, styleActions[i])->isChecked(), styles[i]);

    bar.clearStyles();
    for (const QString &text : styleActions)
        QVERIFY2(!actionByText(bar, text)->isChecked(), qPrintable(text));
    QCOMPARE(fontSpy.count(), 0);
    QCOMPARE(alignSpy.count(), 0);
}

void TestToolbars::styleActionsEmitFont_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("bold") << "Bold";
    QTest::newRow("italic") << "Italic";
    QTest::newRow("underline") << "Underline";
    QTest::newRow("strikethrough") << "Strikethrough";
}

void TestToolbars::styleActionsEmitFont()
{
    QFETCH(QString, action);

    TextToolbar bar;
    bar.setTextFont(QFont("Liberation Sans", 18));
    QSignalSpy fontSpy(&bar, &TextToolbar::fontRepresentationChanged);
    QAction *toggle = actionByText(bar, action);
    toggle->trigger();
    QCOMPARE(fontSpy.count(), 1);
    const QFont font = fontSpy.at(0).at(0).value<QFont>();
    QCOMPARE(font.pointSize(), 18);
    QCOMPARE(font.weight() == QFont::Bold, action == "Bold");
    QCOMPARE(font.style() == QFont::StyleItalic, action == "Italic");
    QCOMPARE(font.underline(), action == "Underline");
    QCOMPARE(font.strikeOut(), action == "Strikethrough");
    QCOMPARE(bar.textFont(), font);

    toggle->trigger();
    QCOMPARE(fontSpy.count(), 2);
    const QFont plain = fontSpy.at(1).at(0).value<QFont>();
    QCOMPARE(plain.weight(), int(QFont::Normal));
    QCOMPARE(plain.style(), QFont::StyleNormal);
    QVERIFY(!plain.underline() && !plain.strikeOut());
}

void TestToolbars::textAlignmentRoundTrip_data()
{
    // The index the toolbar emits and the alignment the document then stores
    // on the item, which the window shows again through setTextAlignment.
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("stored");
    QTest::newRow("left") << "Align Left" << 1 << int(Qt::AlignLeft);
    QTest::newRow("centre") << "Center" << 2 << int(Qt::AlignHCenter | Qt::AlignVCenter);
    QTest::newRow("right") << "Align Right" << 3 << int(Qt::AlignRight);
    QTest::newRow("justify") << "Justify" << 4 << int(Qt::AlignJustify);
}

void TestToolbars::textAlignmentRoundTrip()
{
    QFETCH(QString, action);
    QFETCH(int, index);
    QFETCH(int, stored);

    TextToolbar bar;
    QSignalSpy alignSpy(&bar, &TextToolbar::alignmentChanged);
    actionByText(bar, action)->trigger();
    QCOMPARE(alignSpy.count(), 1);
    QCOMPARE(alignSpy.at(0).at(0).toInt(), index);

    // Another alignment, then back to this one from the item's value.
    QAction *other = actionByText(bar, index == 1 ? "Justify" : "Align Left");
    other->trigger();
    alignSpy.clear();
    bar.setTextAlignment(Qt::Alignment(stored));
    QVERIFY(actionByText(bar, action)->isChecked());
    QVERIFY(!other->isChecked());
    // A value the document never stores changes nothing.
    bar.setTextAlignment(Qt::AlignTop);
    QVERIFY(actionByText(bar, action)->isChecked());
    QCOMPARE(alignSpy.count(), 0);
}

void TestToolbars::rotationEntries_data()
{
    QTest::addColumn<int>("angle");
    for (int angle = 0; angle < 360; angle += 45)
        QTest::newRow(qPrintable(QString::number(angle))) << angle;
}

void TestToolbars::rotationEntries()
{
    QFETCH(int, angle);

    TransAlignToolbar bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    auto *button = qobject_cast<QToolButton *>(bar.widgetForAction(bar.actions().value(0)));
    QVERIFY(button && button->menu());
    QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
    QMenu *menu = button->menu();
    QCOMPARE(menu->actions().size(), 8);
    QAction *entry = menu->actions().at(angle / 45);
    QCOMPARE(entry->text(), QString::number(angle) + QChar(0x00B0));

    QSignalSpy rotationSpy(&bar, &TransAlignToolbar::rotationSet);
    QSignalSpy alignSpy(&bar, &TransAlignToolbar::alignmentSet);
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    QCOMPARE(rotationSpy.count(), 1);
    QCOMPARE(rotationSpy.at(0).at(0).toInt(), angle);
    QCOMPARE(alignSpy.count(), 0);
}

void TestToolbars::alignmentButtonsInKeyOrder()
{
    TransAlignToolbar bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QList<QAction *> actions = bar.actions();
    QVERIFY(qobject_cast<QToolButton *>(bar.widgetForAction(actions.takeFirst())));
    const QStringList texts = {"Left", "Right", "Center", "Top", "Bottom", "Center"};
    const QList<Qt::Alignment> keys = {Qt::AlignLeft, Qt::AlignRight,  Qt::AlignHCenter,
                                       Qt::AlignTop,  Qt::AlignBottom, Qt::AlignVCenter};
    QCOMPARE(actions.size(), texts.size());

    QSignalSpy alignSpy(&bar, &TransAlignToolbar::alignmentSet);
    QSignalSpy rotationSpy(&bar, &TransAlignToolbar::rotationSet);
    for (int i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions.at(i)->text(), texts.at(i));
        QTest::mouseClick(bar.widgetForAction(actions.at(i)), Qt::LeftButton);
        QCOMPARE(alignSpy.count(), i + 1);
        QCOMPARE(alignSpy.at(i).at(0).value<Qt::Alignment>(), keys.at(i));
    }
    QCOMPARE(rotationSpy.count(), 0);
}

QTEST_MAIN(TestToolbars)
#include "tst_toolbars.moc"
