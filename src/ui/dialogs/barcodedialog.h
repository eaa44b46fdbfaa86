#pragma once

#include "barcode.h"

#include <QDialog>
#include <QGraphicsItem>
#include <QItemSelection>
#include <QPointer>

class BarcodeItem;
class DataSource;
class QCheckBox;
class QComboBox;
class QGraphicsScene;
class QGraphicsView;
class QGroupBox;
class QLabel;
class QLineEdit;

// The preview's symbol: the dialog's working copy, drawn twice as wide as its
// module height, always keeping the aspect ratio.
class BarcodeDialogItem : public QGraphicsItem
{
public:
    explicit BarcodeDialogItem(Barcode *barcode, QGraphicsItem *parent = nullptr);
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    // Shows the item's box of `sizeMm` as it prints: the symbol scaled as
    // `*aspectMode` says, its modules on the dots of `dpi`.
    void setPrintBox(QSizeF sizeMm, int dpi, const int *aspectMode);

private:
    Barcode *barcode;
    QSizeF boxMm;
    int boxDpi = 0;
    const int *aspect = nullptr;
};

// "Edit barcode": the data (constant or cells of a data source) and the look
// of a barcode item, on a copy the item takes back when accepted.
class BarcodeDialog : public QDialog
{
    Q_OBJECT
public:
    BarcodeDialog(BarcodeItem *item, int aspectMode, QWidget *parent = nullptr);

    int dataMode() const { return mode; }
    Barcode barcode() const { return code; }
    int aspectMode() const { return aspect; }
    // Null when no source is chosen or the chosen one was removed meanwhile.
    DataSource *dataSource() const;
    QItemSelection selection() const { return cells; }

private slots:
    void symbologyComboIdxChanged(int index);
    void dataStringChanged(const QString &str);
    void hrtStateChanged(int state);
    void aspectStateChanged(int state);
    void dataSelectClicked(int checked);
    void groupChecked(int checked);

private:
    void updateControls();
    void repaintPreview();
    void updateScanStatus();

    Barcode code;
    int aspect = Barcode::Fit;
    int mode = 0;
    QPointer<DataSource> source;
    QItemSelection cells;

    QGraphicsView *view = nullptr;
    QGraphicsScene *scene = nullptr;
    BarcodeDialogItem *previewItem = nullptr;
    QCheckBox *hrtCheck = nullptr;
    QCheckBox *aspectCheck = nullptr;
    QComboBox *symbologyCombo = nullptr;
    QLineEdit *dataEdit = nullptr;
    QGroupBox *constantGroup = nullptr;
    QGroupBox *variableGroup = nullptr;
    QLabel *scanStatus = nullptr;
    // The item's size; empty outside a document (nothing to check against).
    QSizeF itemSizeMm;
    // The document's printer's dots per inch.
    int printDpi = 203;
};
