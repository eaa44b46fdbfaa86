#include "barcodedialog.h"

#include "datasource.h"
#include "dialogs/dataitemdialog.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "scanverifier.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Keeps the whole symbol visible whatever size the dialog gets.
class FittingView : public QGraphicsView
{
public:
    explicit FittingView(QGraphicsScene *scene, QWidget *parent = nullptr)
        : QGraphicsView(scene, parent)
    {
    }

    void fitScene()
    {
        if (scene() && !scene()->sceneRect().isEmpty())
            fitInView(scene()->sceneRect(), Qt::KeepAspectRatio);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QGraphicsView::resizeEvent(event);
        fitScene();
    }

    void showEvent(QShowEvent *event) override
    {
        QGraphicsView::showEvent(event);
        fitScene();
    }
};

} // namespace

BarcodeDialogItem::BarcodeDialogItem(Barcode *barcode, QGraphicsItem *parent)
    : QGraphicsItem(parent), barcode(barcode)
{
}

QRectF BarcodeDialogItem::boundingRect() const
{
    if (!barcode)
        return QRectF();
    if (!boxMm.isEmpty())
        return QRectF(QPointF(0, 0), boxMm);
    const qreal h = barcode->height();
    return QRectF(0, 0, 2 * h, h);
}

void BarcodeDialogItem::setPrintBox(QSizeF sizeMm, int dpi, const int *aspectMode)
{
    prepareGeometryChange();
    boxMm = sizeMm;
    boxDpi = dpi;
    aspect = aspectMode;
}

void BarcodeDialogItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                              QWidget *widget)
{
    Q_UNUSED(option)
    Q_UNUSED(widget)
    if (!barcode)
        return;
    // Data that does not encode is explained in the status line below.
    if (barcode->moduleSize().isEmpty())
        return;
    if (!boxMm.isEmpty() && aspect) {
        // The item's box on the label, in millimetres: the symbol as it prints.
        painter->fillRect(boundingRect(), Qt::white);
        barcode->paint(painter, boundingRect(), *aspect, boxDpi, 1.0);
        return;
    }
    // Without a label the preview shows the symbol's true proportions.
    barcode->paint(painter, boundingRect(), Barcode::Fit);
}

BarcodeDialog::BarcodeDialog(BarcodeItem *item, int aspectMode, QWidget *parent)
    : QDialog(parent), aspect(aspectMode)
{
    setObjectName(QStringLiteral("dialog/barcode"));
    setWindowTitle(tr("Edit barcode"));

    if (item) {
        code = item->barcode();
        mode = item->dataMode();
        if (Document *doc = item->document()) {
            itemSizeMm = item->size() / doc->labelGeometry().pixelsPerMm;
            printDpi = doc->printDpi();
        }
    }

    scene = new QGraphicsScene(this);
    previewItem = new BarcodeDialogItem(&code);
    if (!itemSizeMm.isEmpty())
        previewItem->setPrintBox(itemSizeMm, printDpi, &aspect);
    scene->addItem(previewItem);
    scene->setSceneRect(previewItem->boundingRect());

    auto *fittingView = new FittingView(scene, this);
    view = fittingView;
    view->setObjectName(QStringLiteral("preview"));
    view->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform
                         | QPainter::TextAntialiasing);
    view->setBackgroundBrush(Qt::white);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // "Data" tab
    auto *dataPage = new QWidget;
    constantGroup = new QGroupBox(tr("Constant data"));
    constantGroup->setObjectName(QStringLiteral("constant"));
    constantGroup->setCheckable(true);
    dataEdit = new QLineEdit(code.data());
    dataEdit->setObjectName(QStringLiteral("data"));
    auto *constantForm = new QFormLayout(constantGroup);
    constantForm->addRow(tr("Data string:"), dataEdit);

    variableGroup = new QGroupBox(tr("Variable data source"));
    variableGroup->setObjectName(QStringLiteral("variable"));
    variableGroup->setCheckable(true);
    auto *selectButton = new QPushButton(tr("Select"));
    selectButton->setObjectName(QStringLiteral("select"));
    auto *variableLayout = new QVBoxLayout(variableGroup);
    variableLayout->addWidget(selectButton);

    auto *dataLayout = new QVBoxLayout(dataPage);
    dataLayout->addWidget(constantGroup);
    dataLayout->addWidget(variableGroup);
    dataLayout->addStretch();

    // "Appearance" tab
    auto *appearancePage = new QWidget;
    symbologyCombo = new QComboBox;
    symbologyCombo->setObjectName(QStringLiteral("symbology"));
    symbologyCombo->setEditable(false);
    symbologyCombo->addItems(Barcode::symbologyNames());
    symbologyCombo->setCurrentText(Barcode::symbologyName(code.symbology()));
    hrtCheck = new QCheckBox(tr("Show human-readable text"));
    hrtCheck->setObjectName(QStringLiteral("showText"));
    aspectCheck = new QCheckBox(tr("Keep aspect ratio"));
    aspectCheck->setObjectName(QStringLiteral("keepAspect"));

    auto *appearanceForm = new QFormLayout;
    appearanceForm->addRow(tr("Symbology:"), symbologyCombo);
    auto *appearanceLayout = new QVBoxLayout(appearancePage);
    appearanceLayout->addLayout(appearanceForm);
    appearanceLayout->addWidget(hrtCheck);
    appearanceLayout->addWidget(aspectCheck);
    appearanceLayout->addStretch();

    auto *tabs = new QTabWidget;
    tabs->addTab(dataPage, tr("Data"));
    tabs->addTab(appearancePage, tr("Appearance"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view, 1);
    scanStatus = new QLabel(this);
    scanStatus->setObjectName(QStringLiteral("scanStatus"));
    scanStatus->setWordWrap(true);
    layout->addWidget(scanStatus);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(500, 400);

    // Connected only now, so filling the controls above runs no slot.
    connect(dataEdit, &QLineEdit::textChanged, this, &BarcodeDialog::dataStringChanged);
    connect(constantGroup, &QGroupBox::clicked, this, &BarcodeDialog::groupChecked);
    connect(variableGroup, &QGroupBox::clicked, this, &BarcodeDialog::groupChecked);
    connect(selectButton, &QPushButton::clicked, this, &BarcodeDialog::dataSelectClicked);
    connect(symbologyCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &BarcodeDialog::symbologyComboIdxChanged);
    connect(hrtCheck, &QCheckBox::stateChanged, this, &BarcodeDialog::hrtStateChanged);
    connect(aspectCheck, &QCheckBox::stateChanged, this, &BarcodeDialog::aspectStateChanged);

    const bool variable = item && mode == BarcodeItem::VariableData;
    if (variable) {
        source = item->dataSource();
        cells = item->selection();
    }
    constantGroup->setChecked(!variable);
    variableGroup->setChecked(variable);

    updateControls();
    repaintPreview();
}

DataSource *BarcodeDialog::dataSource() const
{
    return source.data();
}

void BarcodeDialog::updateControls()
{
    {
        // Only mirrors the state; the slots would write it back needlessly.
        const QSignalBlocker hrtBlocker(hrtCheck);
        const QSignalBlocker aspectBlocker(aspectCheck);
        hrtCheck->setChecked(code.showText());
        aspectCheck->setChecked(aspect == Barcode::Fit);
    }

    // The 2-D codes carry no human-readable line.
    const int id = code.symbology();
    const bool hasText = (id >= Barcode::Codabar && id <= Barcode::Itf14) || id == Barcode::UpcA ||
                         id == Barcode::Gs1_128 || id == Barcode::Sscc18 ||
                         id == Barcode::Gs1DataBarExpanded || id == Barcode::Code93 ||
                         id == Barcode::UpcE;
    hrtCheck->setEnabled(hasText);
}

void BarcodeDialog::repaintPreview()
{
    if (!scene || !previewItem)
        return;
    scene->setSceneRect(previewItem->boundingRect());
    previewItem->update();
    scene->update();
    // The view is always ours (see the constructor).
    if (view)
        static_cast<FittingView *>(view)->fitScene();
    updateScanStatus();
}

void BarcodeDialog::updateScanStatus()
{
    // Whether the symbol at the item's size survives the coarsest common
    // label printer, so a design it cannot reproduce is noticed now.
    constexpr int Dpi = 203;
    if (!scanStatus)
        return;
    if (code.data().isEmpty()) {
        scanStatus->clear();
        return;
    }
    // Data the symbology refuses (a wrong check digit, letters in an EAN):
    // zint's own words, as the user types.
    Barcode probe = code;
    if (!probe.encode()) {
        scanStatus->setText(probe.errorText());
        return;
    }
    if (itemSizeMm.isEmpty()) {
        scanStatus->clear();
        return;
    }
    if (!scanverify::verifiable(code.symbology())) {
        scanStatus->setText(tr("The scanner check does not know this symbology."));
        return;
    }
    const scanverify::Check check =
        scanverify::verifySymbol(code, itemSizeMm, aspect, 0, Dpi);
    QString status;
    switch (check.outcome) {
    case scanverify::Outcome::Scans:
        status = tr("Scans when printed at %1 dpi.").arg(Dpi);
        break;
    case scanverify::Outcome::WrongData:
        status = tr("Printed at %1 dpi, it scans as \"%2\".").arg(Dpi).arg(check.read);
        break;
    default:
        status = tr("Does not scan when printed at %1 dpi: make the item larger.").arg(Dpi);
        break;
    }
    // What the document's printer makes of one module.
    const int dots = probe.moduleDots(itemSizeMm, aspect, printDpi);
    if (dots > 0)
        status += QLatin1Char('\n') + tr("Printed module: %1 mm (%2 dots at %3 dpi).")
                                          .arg(dots * 25.4 / printDpi, 0, 'f', 2)
                                          .arg(dots)
                                          .arg(printDpi);
    scanStatus->setText(status);
}

void BarcodeDialog::symbologyComboIdxChanged(int index)
{
    Q_UNUSED(index)
    code.setSymbology(Barcode::symbologyId(symbologyCombo->currentText()));
    repaintPreview();
    updateControls();
}

void BarcodeDialog::dataStringChanged(const QString &str)
{
    // Switching to a data source clears the edit; that text is not the data.
    if (mode == BarcodeItem::VariableData)
        return;
    code.setData(str);
    repaintPreview();
}

void BarcodeDialog::hrtStateChanged(int state)
{
    code.setShowText(state == Qt::Checked);
    repaintPreview();
}

void BarcodeDialog::aspectStateChanged(int state)
{
    aspect = (state == Qt::Checked) ? Barcode::Fit : Barcode::Stretch;
    updateScanStatus();
}

void BarcodeDialog::dataSelectClicked(int checked)
{
    Q_UNUSED(checked)
    QPointer<DataItemDialog> dialog = new DataItemDialog(source.data(), cells, this);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (dialog && accepted) {
        source = dialog->dataSource();
        cells = dialog->selection();
    }
    delete dialog;

    // The preview shows the first chosen cell, as the first label would.
    if (mode != BarcodeItem::VariableData || !source || cells.isEmpty())
        return;
    const QModelIndexList indexes = cells.indexes();
    if (indexes.isEmpty() || !indexes.first().isValid())
        return;
    code.setData(indexes.first().data(Qt::DisplayRole).toString());
    repaintPreview();
}

void BarcodeDialog::groupChecked(int checked)
{
    Q_UNUSED(checked)
    // The two groups act as radio buttons: clicking one always selects it.
    if (sender() == constantGroup) {
        constantGroup->setChecked(true);
        variableGroup->setChecked(false);
        mode = BarcodeItem::ConstantData;
        // The symbol shows what the line edit says, not a cell's value the
        // preview took in variable mode.
        code.setData(dataEdit->text());
        repaintPreview();
    } else if (sender() == variableGroup) {
        constantGroup->setChecked(false);
        variableGroup->setChecked(true);
        mode = BarcodeItem::VariableData;
        dataEdit->clear();
    }
}
