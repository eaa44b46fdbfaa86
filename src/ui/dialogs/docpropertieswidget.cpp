#include "docpropertieswidget.h"

#include "dialogs/sizetemplatelistitem.h"
#include "dialogs/stockpreview.h"
#include "document.h"
#include "printersettings_win.h"
#include "sizetemplatemanager.h"
#include "services.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// What the measures show before a template or a document is chosen, so
// that a new label can be made at once, also without any catalogue.
SizeTemplate startingMeasures()
{
    SizeTemplate st;
    st.setValue(SizeTemplate::LabelWidth, 100.0);
    st.setValue(SizeTemplate::LabelHeight, 50.0);
    st.setValue(SizeTemplate::LinerWidth, 104.0);
    st.setValue(SizeTemplate::MarginLeft, 2.0);
    st.setValue(SizeTemplate::MarginRight, 2.0);
    st.setValue(SizeTemplate::RowSpacing, 3.0);
    st.setValue(SizeTemplate::ColSpacing, 0.0);
    st.setValue(SizeTemplate::Columns, 1);
    return st;
}

} // namespace

QString DocPropertiesWidget::categoryName(const QString &name)
{
    // The shipped catalogue names its categories in English; those the
    // program knows are shown in the user's language, others as they stand.
    static const char *const known[] = {
        QT_TR_NOOP("Custom"),
        QT_TR_NOOP("Shipping labels"),
        QT_TR_NOOP("Product and price labels"),
        QT_TR_NOOP("Address labels"),
        QT_TR_NOOP("Multi-across rolls"),
        QT_TR_NOOP("Small labels"),
        QT_TR_NOOP("Square and round-cornered labels"),
        QT_TR_NOOP("Wide industrial labels"),
    };
    for (const char *k : known) {
        if (name == QLatin1String(k))
            return tr(k);
    }
    return name;
}

DocPropertiesWidget::DocPropertiesWidget(QWidget *parent, const SizeTemplateManager *manager)
    : QWidget(parent), catalogue(manager ? manager : services::sizeTemplateManager())
{
    setObjectName(QStringLiteral("docproperties"));

    // The custom category is always the first entry, also when the catalogue
    // has no category list.
    categoryBox = new QComboBox;
    categoryBox->setObjectName(QStringLiteral("category"));
    const QMap<qint32, QString> categories =
        catalogue ? catalogue->categories() : QMap<qint32, QString>();
    categoryBox->addItem(categoryName(categories.value(0, QStringLiteral("Custom"))), 0);
    for (auto it = categories.cbegin(); it != categories.cend(); ++it) {
        if (it.key() != 0)
            categoryBox->addItem(categoryName(it.value()), it.key());
    }
    connect(categoryBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DocPropertiesWidget::fillTemplateList);

    templateList = new QListWidget;
    templateList->setObjectName(QStringLiteral("templates"));
    templateList->setMinimumWidth(360);
    connect(templateList, &QListWidget::currentItemChanged, this,
            &DocPropertiesWidget::itemChanged);

    labelWidth = makeSpin("labelwidth");
    labelHeight = makeSpin("labelheight");
    linerWidth = makeSpin("linerwidth");
    marginLeft = makeSpin("marginleft");
    marginRight = makeSpin("marginright");
    rowSpacing = makeSpin("rowspacing");
    colSpacing = makeSpin("colspacing");
    columns = new QSpinBox;
    columns->setObjectName(QStringLiteral("columns"));
    connect(columns, QOverload<int>::of(&QSpinBox::valueChanged), this,
            QOverload<int>::of(&DocPropertiesWidget::spinValueChanged));

    preview = new StockPreview;

    auto *sizeGroup = new QGroupBox(tr("Size template"));
    auto *sizeBox = new QVBoxLayout(sizeGroup);
    sizeBox->addWidget(categoryBox);
    sizeBox->addWidget(templateList);

    auto *propertiesGroup = new QGroupBox(tr("Properties"));
    auto *form = new QFormLayout;
    form->addRow(tr("Liner width"), linerWidth);
    form->addRow(tr("Label width"), labelWidth);
    form->addRow(tr("Label height"), labelHeight);
    form->addRow(tr("Margin left"), marginLeft);
    form->addRow(tr("Margin right"), marginRight);
    form->addRow(tr("Row spacing"), rowSpacing);
    form->addRow(tr("Column spacing"), colSpacing);
    form->addRow(tr("Columns"), columns);
    auto *propertiesBox = new QVBoxLayout(propertiesGroup);
    propertiesBox->addLayout(form);
    propertiesBox->addWidget(preview, 1);
    fitNote = new QLabel;
    fitNote->setObjectName(QStringLiteral("fitnote"));
    fitNote->setWordWrap(true);
    fitNote->setStyleSheet(QStringLiteral("color: #c82828"));
    fitNote->hide();
    propertiesBox->addWidget(fitNote);

    auto *grid = new QGridLayout;
    grid->addWidget(sizeGroup, 0, 0);
    grid->addWidget(propertiesGroup, 0, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    auto *printerGroup = new QGroupBox(tr("Printer"));
    printerBox = new QComboBox;
    printerBox->setObjectName(QStringLiteral("printer"));
    printerBox->setMinimumWidth(220);
    propertiesButton = new QPushButton(QStringLiteral("Properties"));
    propertiesButton->setObjectName(QStringLiteral("printerproperties"));
    auto *printerRow = new QHBoxLayout(printerGroup);
    printerRow->addWidget(printerBox);
    printerRow->addWidget(propertiesButton);
    printerRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(printerGroup);

    QStringList printers = QPrinterInfo::availablePrinterNames();
    printers.sort();
    printerBox->addItems(printers);
    connect(propertiesButton, &QPushButton::clicked, this,
            &DocPropertiesWidget::showPrinterProperties);

    showMeasures(startingMeasures());
    fillTemplateList(0);
}

DocPropertiesWidget::~DocPropertiesWidget()
{
    // Whatever the document does not hold now was made here and is ours. A
    // document destroyed first took its own settings with it.
    PrinterSettingsWin *held = document ? document->printerSettings() : documentOwn;
    for (PrinterSettingsWin *settings : qAsConst(settingsCache)) {
        if (settings != held)
            delete settings;
    }
}

QDoubleSpinBox *DocPropertiesWidget::makeSpin(const char *name)
{
    auto *spin = new QDoubleSpinBox;
    spin->setObjectName(QLatin1String(name));
    spin->setSingleStep(0.1);
    spin->setMaximum(999.99);
    spin->setMinimum(0);
    spin->setDecimals(2);
    spin->setSuffix(QStringLiteral(" mm"));
    connect(spin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            QOverload<double>::of(&DocPropertiesWidget::spinValueChanged));
    return spin;
}

void DocPropertiesWidget::fillTemplateList(int index)
{
    templateList->clear();
    if (index < 0)
        return;
    const int category = categoryBox->itemData(index).toInt();
    if (catalogue) {
        const QList<SizeTemplate *> templates = catalogue->templates();
        for (const SizeTemplate *st : templates) {
            if (st->category() == category)
                new SizeTemplateListItem(*st, templateList);
        }
    }
    if (templateList->count() > 0 && !editing)
        templateList->setCurrentRow(0);
    // Wide enough for the longest entry of any category seen, in any language.
    const int needed = templateList->sizeHintForColumn(0) + 2 * templateList->frameWidth() +
                       templateList->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    if (needed > templateList->minimumWidth())
        templateList->setMinimumWidth(needed);
    updatePreview();
}

void DocPropertiesWidget::itemChanged(QListWidgetItem *current, QListWidgetItem *)
{
    if (!current || current->type() != SizeTemplateListItem::Type)
        return;
    showMeasures(static_cast<SizeTemplateListItem *>(current)->sizeTemplate());
}

void DocPropertiesWidget::showMeasures(const SizeTemplate &st)
{
    loading = true;
    labelWidth->setValue(st.labelWidth());
    labelHeight->setValue(st.labelHeight());
    linerWidth->setValue(st.linerWidth());
    marginLeft->setValue(st.marginLeft());
    marginRight->setValue(st.marginRight());
    rowSpacing->setValue(st.rowSpacing());
    colSpacing->setValue(st.colSpacing());
    columns->setValue(st.columns());
    loading = false;
    updatePreview();
}

void DocPropertiesWidget::spinValueChanged(double)
{
    if (!loading) {
        editing = true;
        categoryBox->setCurrentIndex(0);
        editing = false;
    }
    updatePreview();
}

void DocPropertiesWidget::spinValueChanged(int)
{
    spinValueChanged(0.0);
}

SizeTemplate DocPropertiesWidget::measuredTemplate() const
{
    SizeTemplate st;
    st.setValue(SizeTemplate::Id, 0);
    st.setValue(SizeTemplate::Category, 0);
    st.setValue(SizeTemplate::ItemNo, QStringLiteral("0"));
    st.setValue(SizeTemplate::Description, QStringLiteral("Custom"));
    st.setValue(SizeTemplate::LabelWidth, labelWidth->value());
    st.setValue(SizeTemplate::LabelHeight, labelHeight->value());
    st.setValue(SizeTemplate::LinerWidth, linerWidth->value());
    st.setValue(SizeTemplate::MarginLeft, marginLeft->value());
    st.setValue(SizeTemplate::MarginRight, marginRight->value());
    st.setValue(SizeTemplate::RowSpacing, rowSpacing->value());
    st.setValue(SizeTemplate::ColSpacing, colSpacing->value());
    st.setValue(SizeTemplate::Columns, columns->value());
    return st;
}

SizeTemplate DocPropertiesWidget::sizeTemplate() const
{
    if (categoryBox->currentIndex() == 0)
        return measuredTemplate();
    if (QListWidgetItem *item = templateList->currentItem();
        item && item->type() == SizeTemplateListItem::Type)
        return static_cast<SizeTemplateListItem *>(item)->sizeTemplate();
    return SizeTemplate();
}

void DocPropertiesWidget::updatePreview()
{
    // The spin boxes always show the measures of what sizeTemplate() gives.
    const SizeTemplate st = measuredTemplate();
    preview->setSizeTemplate(st);
    // What the drawing outlines in red: labels reaching past the liner's edge.
    const bool fit = !StockPreview::layout(st, QRectF(0, 0, 100, 100)).overflows;
    if (!fit) {
        const int n = std::max(0, st.columns());
        const double needed = std::max(0.0, st.marginLeft()) + n * st.labelWidth() +
                              std::max(0, n - 1) * std::max(0.0, st.colSpacing());
        fitNote->setText(tr("The labels do not fit on the liner: they need %1 mm, the liner is "
                            "%2 mm wide.")
                             .arg(QLocale().toString(needed, 'f', 1),
                                  QLocale().toString(st.linerWidth(), 'f', 1)));
    }
    fitNote->setVisible(!fit);
    if (fit != stockFits) {
        stockFits = fit;
        emit fitsChanged(fit);
    }
}

void DocPropertiesWidget::showPrinterProperties()
{
    const QString name = printerBox->currentText();
    PrinterSettingsWin *settings = settingsCache.value(name);
    if (!settings) {
        settings = new PrinterSettingsWin(name);
        settingsCache.insert(name, settings);
    }
    settings->showDriverDialog();
}

PrinterSettingsWin *DocPropertiesWidget::printerSettings()
{
    const QString name = printerBox->currentText();
    if (PrinterSettingsWin *cached = settingsCache.take(name))
        return cached;
    return new PrinterSettingsWin(name);
}

void DocPropertiesWidget::setDocument(Document *doc)
{
    document = doc;
    if (!doc)
        return;
    const SizeTemplate st = doc->sizeTemplate();
    showMeasures(st);

    // A stock template shows as its list entry: the one with exactly its text
    // if there is one, else the first whose text contains its description.
    // Without a list entry the measures stay as a custom template, so that
    // accepting never swaps the stock for another one.
    const int category = categoryBox->findData(st.category());
    QListWidgetItem *match = nullptr;
    if (category > 0) {
        categoryBox->setCurrentIndex(category);
        const QString exact = SizeTemplateListItem::textFor(st);
        for (int row = 0; row < templateList->count() && !match; ++row) {
            if (templateList->item(row)->text() == exact)
                match = templateList->item(row);
        }
        if (!match) {
            const QList<QListWidgetItem *> found =
                templateList->findItems(st.description(), Qt::MatchContains);
            match = found.value(0);
        }
    }
    if (match) {
        templateList->setCurrentItem(match);
        // Made current already when it is the first row.
        itemChanged(match, nullptr);
    } else {
        categoryBox->setCurrentIndex(0);
        showMeasures(st);
    }

    documentOwn = doc->printerSettings();
    if (PrinterSettingsWin *own = documentOwn) {
        const QString name = own->printerName();
        PrinterSettingsWin *previous = settingsCache.value(name);
        if (previous && previous != own)
            delete previous;
        settingsCache.insert(name, own);
        const int row = printerBox->findText(name);
        if (row >= 0)
            printerBox->setCurrentIndex(row);
    }
}
