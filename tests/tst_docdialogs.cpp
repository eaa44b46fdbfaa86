#include "cupstestserver.h"
#include "dialogs/docpropertiesdialog.h"
#include "dialogs/docpropertieswidget.h"
#include "dialogs/driverpropertiesdialog.h"
#include "dialogs/newdocumentdialog.h"
#include "dialogs/sizetemplatelistitem.h"
#include "dialogs/stockpreview.h"
#include "docbuilder.h"
#include "document.h"
#include "platform/winspool.h"
#include "printersettings_win.h"
#include "sizetemplatemanager.h"
#include "testutil.h"
#include "txapp.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QUndoStack>
#include <QtTest>

#include <memory>

namespace {

const QString Zebra = QStringLiteral("Zebra_ZPL");
const QString Pdf = QStringLiteral("PDF");
const char *const MeasureNames[] = {"labelwidth",  "labelheight", "linerwidth", "marginleft",
                                    "marginright", "rowspacing",  "colspacing"};

SizeTemplate stock(int id, int category, const QString &itemNo, const QString &description,
                   double width, double height, int columns = 1)
{
    SizeTemplate t = docbuilder::makeTemplate(width, height, columns);
    t.setValue(SizeTemplate::Id, id);
    t.setValue(SizeTemplate::Category, category);
    t.setValue(SizeTemplate::ItemNo, itemNo);
    t.setValue(SizeTemplate::Description, description);
    return t;
}

// A catalogue folder of the test's own: categories 0 to 2 and four stock
// templates, two of whose descriptions start alike. The catalogue keeps the
// order of the folder walk, which the file names do not decide; folders are
// made until the walk meets "Roll 50 wide" before "Roll 50", so that a first
// match by description and an exact match are different entries.
class Catalogue
{
public:
    Catalogue()
    {
        for (int salt = 0; salt < 64; ++salt) {
            dir = std::make_unique<QTemporaryDir>();
            QJsonArray categories;
            const QStringList names{"Custom", "Rolls", "Sheets"};
            for (int i = 0; i < names.size(); ++i)
                categories.append(QJsonObject{{"id", i}, {"description", names.at(i)}});
            write(QStringLiteral("categories.json"), QJsonObject{{"categories", categories}});
            const QList<SizeTemplate> all{stock(11, 1, "W1", "Roll 50 wide", 80, 50),
                                          stock(12, 1, "R1", "Roll 50", 50, 30),
                                          stock(13, 1, "D2", "Double roll", 40, 25, 2),
                                          stock(21, 2, "S1", "Sheet label", 70, 36)};
            for (int i = 0; i < all.size(); ++i) {
                QJsonObject o;
                SizeTemplate t = all.at(i);
                t.toJson(o);
                write(QStringLiteral("%1-%2.tx4t").arg(salt).arg(i), o);
            }
            manager = std::make_unique<SizeTemplateManager>(dir->path(), nullptr);
            if (rowOf(11) < rowOf(12))
                return;
        }
    }

    const SizeTemplateManager *get() const { return manager.get(); }

    SizeTemplate byId(int id) const { return *manager->templates().value(rowOf(id)); }

private:
    int rowOf(int id) const
    {
        const QList<SizeTemplate *> all = manager->templates();
        for (int i = 0; i < all.size(); ++i) {
            if (all.at(i)->id() == id)
                return i;
        }
        return -1;
    }

    void write(const QString &name, const QJsonObject &o)
    {
        QFile f(dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(o).toJson());
    }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<SizeTemplateManager> manager;
};

QComboBox *categoryBox(QWidget *w)
{
    return w->findChild<QComboBox *>(QStringLiteral("category"));
}

QComboBox *printerBox(QWidget *w)
{
    return w->findChild<QComboBox *>(QStringLiteral("printer"));
}

QListWidget *templateList(QWidget *w)
{
    return w->findChild<QListWidget *>(QStringLiteral("templates"));
}

QDoubleSpinBox *spin(QWidget *w, const char *name)
{
    return w->findChild<QDoubleSpinBox *>(QLatin1String(name));
}

QPushButton *propertiesButton(QWidget *w)
{
    return w->findChild<QPushButton *>(QStringLiteral("printerproperties"));
}

QString currentText(QListWidget *list)
{
    return list->currentItem() ? list->currentItem()->text() : QString();
}

QList<double> measuresOf(const SizeTemplate &t)
{
    return {t.labelWidth(),  t.labelHeight(), t.linerWidth(), t.marginLeft(),
            t.marginRight(), t.rowSpacing(),  t.colSpacing(), double(t.columns())};
}

QList<double> measuresShown(QWidget *w)
{
    QList<double> out;
    for (const char *name : MeasureNames)
        out << spin(w, name)->value();
    out << w->findChild<QSpinBox *>(QStringLiteral("columns"))->value();
    return out;
}

// What a settings object holds, seen through a fresh live block of its queue.
QMap<QString, QString> storedChoices(const PrinterSettingsWin &settings)
{
    winspool::DevModePtr live = winspool::defaultDevMode(settings.printerName());
    if (!live || !settings.copyDriverDataTo(live.get()))
        return {};
    const QStringList alternating = winspool::driverChoices(live.get());
    QMap<QString, QString> out;
    for (int i = 0; i + 1 < alternating.size(); i += 2)
        out.insert(alternating.at(i), alternating.at(i + 1));
    return out;
}

// Answers the next driver dialog: notes what Darkness shows, sets it to
// `darkness` (when given) and presses the button.
void answerDriverDialog(const QString &darkness, QDialogButtonBox::StandardButton button,
                        QString *shown = nullptr)
{
    testutil::answerNextModal([=](QWidget *w) {
        auto *dialog = qobject_cast<DriverPropertiesDialog *>(w);
        if (!dialog) {
            w->close();
            return;
        }
        auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("Darkness"));
        if (shown && combo)
            *shown = combo->currentData().toString();
        if (combo && !darkness.isEmpty())
            combo->setCurrentIndex(combo->findData(darkness));
        dialog->findChild<QDialogButtonBox *>()->button(button)->click();
    });
}

void choosePrinter(QWidget *w, const QString &name)
{
    QComboBox *box = printerBox(w);
    box->setCurrentIndex(box->findText(name));
}

} // namespace

class TestDocDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void categoriesAndTemplates();
    void editingAMeasureMakesItCustom_data();
    void editingAMeasureMakesItCustom();
    void setDocumentFindsTheListEntry_data();
    void setDocumentFindsTheListEntry();
    void emptyCatalogueStillMakesCustomLabels();

    void previewLayout_data();
    void previewLayout();
    void previewFollowsEveryChange();
    void labelsMustFitTheLiner();

    void newDocumentDialog_data();
    void newDocumentDialog();
    void dialogTitlesAndNames();

    void printersSortedByName();
    void printerWithoutPropertiesHasDriverDefaults();
    void propertiesTwiceEditsTheSameObject();
    void cancelAfterChoosingAnotherPrinter();
    void acceptingHandsOverTheSettings_data();
    void acceptingHandsOverTheSettings();
    void labelPropertiesAreOneUndoEntry();

private:
    CupsTestServer server;
    std::unique_ptr<Catalogue> catalogue;
};

void TestDocDialogs::initTestCase()
{
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY2(server.addZebraQueue(Zebra), qPrintable(server.errorString()));
    QVERIFY2(server.addPdfQueue(Pdf), qPrintable(server.errorString()));
    catalogue = std::make_unique<Catalogue>();
    QCOMPARE(catalogue->get()->templates().size(), 4);
}

void TestDocDialogs::categoriesAndTemplates()
{
    DocPropertiesWidget w(nullptr, catalogue->get());
    QComboBox *categories = categoryBox(&w);
    QCOMPARE(categories->count(), 3);
    QCOMPARE(categories->itemText(1), QStringLiteral("Rolls"));
    QCOMPARE(categories->itemData(2).toInt(), 2);
    QCOMPARE(categories->currentIndex(), 0);
    QCOMPARE(templateList(&w)->count(), 0);

    // The entries of a category in catalogue order.
    categories->setCurrentIndex(1);
    QListWidget *list = templateList(&w);
    QStringList texts, expected;
    QList<SizeTemplate> listed;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    for (const SizeTemplate *t : catalogue->get()->templates()) {
        if (t->category() == 1) {
            expected << t->description() + " (" + t->itemNo() + ")";
            listed << *t;
        }
    }
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts, expected);
    QCOMPARE(list->item(0)->type(), int(SizeTemplateListItem::Type));
    // Row 0 is current and its measures are shown, without leaving the category.
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(measuresShown(&w), measuresOf(listed.at(0)));
    QCOMPARE(categories->currentIndex(), 1);

    list->setCurrentRow(2);
    QCOMPARE(categories->currentIndex(), 1);
    QCOMPARE(w.sizeTemplate(), listed.at(2));
    QCOMPARE(measuresShown(&w), measuresOf(listed.at(2)));

    categories->setCurrentIndex(2);
    QCOMPARE(list->count(), 1);
    QCOMPARE(w.sizeTemplate(), catalogue->byId(21));
}

void TestDocDialogs::editingAMeasureMakesItCustom_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : MeasureNames)
        QTest::newRow(name) << QString::fromLatin1(name);
    QTest::newRow("columns") << QStringLiteral("columns");
}

void TestDocDialogs::editingAMeasureMakesItCustom()
{
    QFETCH(QString, name);
    DocPropertiesWidget w(nullptr, catalogue->get());
    categoryBox(&w)->setCurrentIndex(1);
    templateList(&w)->setCurrentRow(1);
    const SizeTemplate shown =
        static_cast<SizeTemplateListItem *>(templateList(&w)->currentItem())->sizeTemplate();
    QCOMPARE(w.sizeTemplate(), shown);

    QList<double> expected = measuresOf(shown);
    if (auto *d = w.findChild<QDoubleSpinBox *>(name)) {
        d->setValue(d->value() + 1.5);
        expected[std::find(std::begin(MeasureNames), std::end(MeasureNames), name) -
                 std::begin(MeasureNames)] += 1.5;
    } else {
        auto *c = w.findChild<QSpinBox *>(name);
        c->setValue(c->value() + 2);
        expected[7] += 2;
    }
    QCOMPARE(categoryBox(&w)->currentIndex(), 0);
    const SizeTemplate custom = w.sizeTemplate();
    QCOMPARE(custom.description(), QStringLiteral("Custom"));
    QCOMPARE(custom.id(), 0);
    QCOMPARE(custom.category(), 0);
    QCOMPARE(custom.itemNo(), QStringLiteral("0"));
    QCOMPARE(custom.count(), SizeTemplate::jsonNames().size());
    QVERIFY(custom.isValid());
    // The typed value and the other measures survive the switch.
    QCOMPARE(measuresOf(custom), expected);
    QCOMPARE(measuresShown(&w), expected);
}

void TestDocDialogs::setDocumentFindsTheListEntry_data()
{
    QTest::addColumn<SizeTemplate>("own");
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("entry");
    // Measures the widget shows afterwards: the entry's, or the document's own.
    QTest::addColumn<bool>("ownMeasures");

    QTest::newRow("substring: first match")
        << stock(99, 1, "OLD", "Roll 50", 51, 31) << 1 << "Roll 50 wide (W1)" << false;
    QTest::newRow("exact entry wins") << catalogue->byId(12) << 1 << "Roll 50 (R1)" << false;
    QTest::newRow("second category") << catalogue->byId(21) << 2 << "Sheet label (S1)" << false;
    QTest::newRow("not listed") << stock(98, 1, "X", "Gone", 60, 20) << 0 << "" << true;
    QTest::newRow("unknown category") << stock(97, 9, "Y", "Roll 50", 60, 20) << 0 << "" << true;
    SizeTemplate custom = stock(0, 0, "0", "Custom", 33.5, 22.25, 3);
    QTest::newRow("custom") << custom << 0 << "" << true;
}

void TestDocDialogs::setDocumentFindsTheListEntry()
{
    QFETCH(SizeTemplate, own);
    QFETCH(int, category);
    QFETCH(QString, entry);
    QFETCH(bool, ownMeasures);

    Document doc;
    doc.setSizeTemplate(own);
    DocPropertiesWidget w(nullptr, catalogue->get());
    w.setDocument(&doc);
    QCOMPARE(categoryBox(&w)->currentIndex(), category);
    QCOMPARE(currentText(templateList(&w)), entry);
    if (ownMeasures) {
        QCOMPARE(measuresShown(&w), measuresOf(own));
        QCOMPARE(measuresOf(w.sizeTemplate()), measuresOf(own));
    } else {
        const auto *item = static_cast<SizeTemplateListItem *>(templateList(&w)->currentItem());
        QCOMPARE(w.sizeTemplate(), item->sizeTemplate());
        QCOMPARE(measuresShown(&w), measuresOf(item->sizeTemplate()));
    }
}

void TestDocDialogs::emptyCatalogueStillMakesCustomLabels()
{
    QTemporaryDir empty;
    SizeTemplateManager none(empty.path(), nullptr);
    DocPropertiesWidget w(nullptr, &none);
    QCOMPARE(categoryBox(&w)->count(), 1);
    QCOMPARE(categoryBox(&w)->itemText(0), QStringLiteral("Custom"));
    QCOMPARE(categoryBox(&w)->itemData(0).toInt(), 0);
    // The measures start as a usable label.
    QVERIFY(w.sizeTemplate().isValid());
    spin(&w, "labelwidth")->setValue(30);
    spin(&w, "labelheight")->setValue(20);
    QCOMPARE(w.sizeTemplate().labelWidth(), 30.0);
    QCOMPARE(w.sizeTemplate().labelHeight(), 20.0);
    QVERIFY(w.sizeTemplate().isValid());
}

void TestDocDialogs::previewLayout_data()
{
    QTest::addColumn<SizeTemplate>("st");
    QTest::addColumn<int>("labels");
    QTest::addColumn<bool>("overflows");

    QTest::newRow("one column") << docbuilder::makeTemplate(100, 50) << 1 << false;
    QTest::newRow("three columns") << docbuilder::makeTemplate(30, 15, 3) << 3 << false;
    SizeTemplate wide = docbuilder::makeTemplate(40, 20, 2);
    wide.setValue(SizeTemplate::LinerWidth, 60.0);
    QTest::newRow("labels wider than the liner") << wide << 2 << true;
    SizeTemplate none = docbuilder::makeTemplate(40, 20);
    none.setValue(SizeTemplate::Columns, 0);
    QTest::newRow("no columns") << none << 0 << false;
    QTest::newRow("empty") << SizeTemplate() << 0 << false;
}

void TestDocDialogs::previewLayout()
{
    QFETCH(SizeTemplate, st);
    QFETCH(int, labels);
    QFETCH(bool, overflows);
    const QRectF area(10, 10, 300, 200);
    const StockPreview::Layout l = StockPreview::layout(st, area);
    QCOMPARE(l.row.size(), labels);
    QCOMPARE(l.nextRow.size(), labels);
    QCOMPARE(l.overflows, overflows);
    if (st.linerWidth() <= 0) {
        QCOMPARE(l.scale, 0.0);
        return;
    }
    const double s = l.scale;
    QVERIFY(s > 0);
    QVERIFY(area.contains(l.liner));
    QVERIFY(qAbs(l.liner.width() - st.linerWidth() * s) < 1e-6);
    for (int c = 0; c < labels; ++c) {
        const QRectF r = l.row.at(c);
        QVERIFY(area.contains(r));
        QVERIFY(qAbs(r.width() - st.labelWidth() * s) < 1e-6);
        QVERIFY(qAbs(r.height() - st.labelHeight() * s) < 1e-6);
        // Margin, column gaps and row gap to scale.
        const double x =
            l.liner.left() + (st.marginLeft() + c * (st.labelWidth() + st.colSpacing())) * s;
        QVERIFY(qAbs(r.left() - x) < 1e-6);
        QVERIFY(qAbs(l.nextRow.at(c).top() - r.bottom() - st.rowSpacing() * s) < 1e-6);
        QVERIFY(l.nextRow.at(c).height() < r.height());
        QVERIFY(l.nextRow.at(c).bottom() <= area.bottom() + 1e-6);
    }
}

void TestDocDialogs::previewFollowsEveryChange()
{
    DocPropertiesWidget w(nullptr, catalogue->get());
    auto *preview = w.findChild<StockPreview *>();
    QVERIFY(preview);
    QCOMPARE(measuresOf(preview->sizeTemplate()), measuresShown(&w));

    categoryBox(&w)->setCurrentIndex(1);
    templateList(&w)->setCurrentItem(
        templateList(&w)->findItems(QStringLiteral("Double roll"), Qt::MatchStartsWith).value(0));
    QCOMPARE(preview->sizeTemplate().columns(), 2);
    QCOMPARE(preview->currentLayout().row.size(), 2);
    QCOMPARE(measuresOf(preview->sizeTemplate()), measuresShown(&w));
    for (const char *name : MeasureNames) {
        spin(&w, name)->setValue(spin(&w, name)->value() + 0.3);
        QCOMPARE(measuresOf(preview->sizeTemplate()), measuresShown(&w));
    }
    w.findChild<QSpinBox *>(QStringLiteral("columns"))->setValue(4);
    QCOMPARE(preview->sizeTemplate().columns(), 4);

    Document doc;
    doc.setSizeTemplate(catalogue->byId(21));
    w.setDocument(&doc);
    QCOMPARE(measuresOf(preview->sizeTemplate()), measuresOf(doc.sizeTemplate()));
}

void TestDocDialogs::newDocumentDialog_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<bool>("emits");
    QTest::newRow("width 0") << 0.0 << false;
    QTest::newRow("width 1") << 1.0 << false;
    QTest::newRow("width 20") << 20.0 << true;
}

// Two 70 mm labels on a 106 mm liner: neither dialog takes the stock, and
// both say why; one column fits again.
void TestDocDialogs::labelsMustFitTheLiner()
{
    NewDocumentDialog created(nullptr, catalogue->get());
    Document doc;
    doc.setSizeTemplate(catalogue->byId(21));
    DocPropertiesDialog edited(&doc, nullptr, catalogue->get());
    for (QDialog *dialog : {static_cast<QDialog *>(&created), static_cast<QDialog *>(&edited)}) {
        QPushButton *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        auto *note = dialog->findChild<QLabel *>(QStringLiteral("fitnote"));
        QVERIFY(note);
        QVERIFY(ok->isEnabled());
        spin(dialog, "linerwidth")->setValue(106);
        spin(dialog, "labelwidth")->setValue(70);
        spin(dialog, "marginleft")->setValue(2);
        spin(dialog, "colspacing")->setValue(3);
        dialog->findChild<QSpinBox *>(QStringLiteral("columns"))->setValue(2);
        QVERIFY(!ok->isEnabled());
        QVERIFY(!note->isHidden());
        QVERIFY2(note->text().contains(QLocale().toString(145.0, 'f', 1) + QLatin1String(" mm")) &&
                     note->text().contains(QLocale().toString(106.0, 'f', 1) + QLatin1String(" mm")),
                 qPrintable(note->text()));
        dialog->findChild<QSpinBox *>(QStringLiteral("columns"))->setValue(1);
        QVERIFY(ok->isEnabled());
        QVERIFY(note->isHidden());
    }
}

void TestDocDialogs::newDocumentDialog()
{
    QFETCH(double, width);
    QFETCH(bool, emits);
    NewDocumentDialog dialog(nullptr, catalogue->get());
    QList<SizeTemplate> templates;
    QList<PrinterSettingsWin *> printers;
    connect(&dialog, &NewDocumentDialog::selectedSizeTemplateChange,
            [&templates](SizeTemplate st) { templates << st; });
    connect(&dialog, &NewDocumentDialog::selectedPrinterChange,
            [&printers](PrinterSettingsWin *s) { printers << s; });
    spin(&dialog, "labelwidth")->setValue(width);
    choosePrinter(&dialog, Zebra);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(templates.size(), emits ? 1 : 0);
    QCOMPARE(printers.size(), emits ? 1 : 0);
    if (!emits)
        return;
    QCOMPARE(templates.at(0).labelWidth(), width);
    QCOMPARE(templates.at(0).description(), QStringLiteral("Custom"));
    std::unique_ptr<PrinterSettingsWin> settings(printers.at(0));
    QCOMPARE(settings->printerName(), Zebra);
    QVERIFY(settings->isValid());
}

void TestDocDialogs::dialogTitlesAndNames()
{
    NewDocumentDialog fresh(nullptr, catalogue->get());
    QCOMPARE(fresh.objectName(), QStringLiteral("dialog/newdocument"));
    QCOMPARE(fresh.windowTitle(), QStringLiteral("New label"));
    auto *tabs = fresh.findChild<QTabWidget *>();
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QStringLiteral("New label"));
    QVERIFY(qobject_cast<DocPropertiesWidget *>(tabs->widget(0)));

    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(50, 30));
    DocPropertiesDialog props(&doc, nullptr, catalogue->get());
    QCOMPARE(props.objectName(), QStringLiteral("dialog/docproperties"));
    QCOMPARE(props.windowTitle(), QStringLiteral("Document properties"));
    QCOMPARE(propertiesButton(&props)->text(), QStringLiteral("Properties"));
}

void TestDocDialogs::printersSortedByName()
{
    DocPropertiesWidget w(nullptr, catalogue->get());
    QStringList names;
    for (int i = 0; i < printerBox(&w)->count(); ++i)
        names << printerBox(&w)->itemText(i);
    QCOMPARE(names, QStringList({Pdf, Zebra}));
}

void TestDocDialogs::printerWithoutPropertiesHasDriverDefaults()
{
    DocPropertiesWidget w(nullptr, catalogue->get());
    choosePrinter(&w, Zebra);
    std::unique_ptr<PrinterSettingsWin> settings(w.printerSettings());
    QCOMPARE(settings->printerName(), Zebra);
    QCOMPARE(settings->mode(), int(PrinterSettingsWin::SYSTEM_DEFAULT));
    QCOMPARE(storedChoices(*settings), server.defaultChoices(Zebra));
}

void TestDocDialogs::propertiesTwiceEditsTheSameObject()
{
    DocPropertiesWidget w(nullptr, catalogue->get());
    choosePrinter(&w, Zebra);
    const QString before = server.defaultChoices(Zebra).value(QStringLiteral("Darkness"));
    const QString chosen =
        before == QLatin1String("25") ? QStringLiteral("20") : QStringLiteral("25");

    QString shown;
    answerDriverDialog(chosen, QDialogButtonBox::Ok, &shown);
    propertiesButton(&w)->click();
    QCOMPARE(shown, before);
    // The second dialog starts from the first one's result; cancelling it keeps it.
    answerDriverDialog(QString(), QDialogButtonBox::Cancel, &shown);
    propertiesButton(&w)->click();
    QCOMPARE(shown, chosen);

    std::unique_ptr<PrinterSettingsWin> settings(w.printerSettings());
    QCOMPARE(settings->mode(), int(PrinterSettingsWin::USER));
    QCOMPARE(storedChoices(*settings).value(QStringLiteral("Darkness")), chosen);
    // Handed out, the object is no longer the widget's: the next one is new.
    std::unique_ptr<PrinterSettingsWin> again(w.printerSettings());
    QVERIFY(again.get() != settings.get());
    QCOMPARE(again->mode(), int(PrinterSettingsWin::SYSTEM_DEFAULT));
}

void TestDocDialogs::cancelAfterChoosingAnotherPrinter()
{
    Document doc;
    doc.setSizeTemplate(catalogue->byId(11));
    auto *own = new PrinterSettingsWin(Zebra);
    doc.setPrinterSettings(own);
    const QMap<QString, QString> choices = storedChoices(*own);
    {
        DocPropertiesDialog dialog(&doc, nullptr, catalogue->get());
        QCOMPARE(printerBox(&dialog)->currentText(), Zebra);
        choosePrinter(&dialog, Pdf);
        // Settings for the other printer are made and edited, then thrown away.
        answerDriverDialog(QString(), QDialogButtonBox::Ok);
        propertiesButton(&dialog)->click();
        testutil::answerNextModal([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }
    QCOMPARE(doc.printerSettings(), own);
    QVERIFY(own->isValid());
    QCOMPARE(own->printerName(), Zebra);
    QCOMPARE(storedChoices(*own), choices);

    // The document's own printer is edited in place, and that stays even
    // when the dialog is then cancelled.
    {
        DocPropertiesDialog dialog(&doc, nullptr, catalogue->get());
        answerDriverDialog(QStringLiteral("28"), QDialogButtonBox::Ok);
        propertiesButton(&dialog)->click();
    }
    QCOMPARE(doc.printerSettings(), own);
    QCOMPARE(own->mode(), int(PrinterSettingsWin::USER));
    QCOMPARE(storedChoices(*own).value(QStringLiteral("Darkness")), QStringLiteral("28"));
}

void TestDocDialogs::acceptingHandsOverTheSettings_data()
{
    QTest::addColumn<QString>("choose");
    QTest::addColumn<bool>("pressProperties");
    QTest::newRow("same printer") << Zebra << false;
    QTest::newRow("same printer, properties") << Zebra << true;
    QTest::newRow("other printer") << Pdf << false;
    QTest::newRow("other printer, properties") << Pdf << true;
}

void TestDocDialogs::acceptingHandsOverTheSettings()
{
    QFETCH(QString, choose);
    QFETCH(bool, pressProperties);
    // What the main window does on OK; the sanitizer build tells whether the
    // replaced settings are freed once and nothing else is.
    Document doc;
    auto *own = new PrinterSettingsWin(Zebra);
    doc.setPrinterSettings(own);
    {
        DocPropertiesDialog dialog(&doc, nullptr, catalogue->get());
        choosePrinter(&dialog, choose);
        if (pressProperties) {
            answerDriverDialog(QString(), QDialogButtonBox::Ok);
            propertiesButton(&dialog)->click();
        }
        PrinterSettingsWin *chosen = dialog.printerSettings();
        QCOMPARE(chosen->printerName(), choose);
        QCOMPARE(chosen == own, choose == Zebra);
        QCOMPARE(chosen->mode(), int(pressProperties ? PrinterSettingsWin::USER
                                                     : PrinterSettingsWin::SYSTEM_DEFAULT));
        if (chosen != doc.printerSettings())
            doc.setPrinterSettings(chosen);
    }
    QCOMPARE(doc.printerSettings()->printerName(), choose);
}

void TestDocDialogs::labelPropertiesAreOneUndoEntry()
{
    // Another stock and another printer, accepted as the window does: one
    // entry, and undo gives back both, the printer's driver choices too.
    Document doc;
    doc.setSizeTemplate(catalogue->byId(21));
    doc.setPrinterSettings(new PrinterSettingsWin(Zebra));
    doc.printerSettings()->setMode(PrinterSettingsWin::USER);
    const SizeTemplate stockBefore = doc.sizeTemplate();
    const QByteArray printerBefore = doc.printerState();
    {
        DocPropertiesDialog dialog(&doc, nullptr, catalogue->get());
        choosePrinter(&dialog, Pdf);
        spin(&dialog, "labelwidth")->setValue(stockBefore.labelWidth() - 10);
        doc.setSizeTemplate(dialog.sizeTemplate());
        PrinterSettingsWin *chosen = dialog.printerSettings();
        if (chosen != doc.printerSettings())
            doc.setPrinterSettings(chosen);
        doc.labelPropertiesEdited(stockBefore, printerBefore);
    }
    QUndoStack *stack = doc.undoStack();
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->text(0), QStringLiteral("Label properties"));
    const SizeTemplate stockAfter = doc.sizeTemplate();
    QCOMPARE(stockAfter.labelWidth(), stockBefore.labelWidth() - 10);

    stack->undo();
    QVERIFY(doc.sizeTemplate() == stockBefore);
    QCOMPARE(doc.printerSettings()->printerName(), Zebra);
    QCOMPARE(doc.printerSettings()->mode(), int(PrinterSettingsWin::USER));
    QCOMPARE(doc.printerState(), printerBefore);
    QCOMPARE(doc.sceneRect().width(), doc.labelGeometry().sceneRect.width());
    stack->redo();
    QVERIFY(doc.sizeTemplate() == stockAfter);
    QCOMPARE(doc.printerSettings()->printerName(), Pdf);

    // Accepting without a change makes no entry.
    doc.labelPropertiesEdited(doc.sizeTemplate(), doc.printerState());
    QCOMPARE(stack->count(), 1);
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    app.initialize();
    TestDocDialogs t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_docdialogs.moc"
