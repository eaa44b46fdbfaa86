#pragma once

#include "barcode.h"
#include "baseitem.h"
#include "cellbound.h"
#include "databinding.h"
#include "iserializable.h"
#include "itemtypes.h"

#include <QItemSelection>

class DataSource;

// A barcode on the label: constant data, or label i shows the i-th chosen
// cell of a data source.
class BarcodeItem : public BaseItem, public ISerializable, public CellBound
{
    Q_OBJECT
public:
    enum { Type = itemtype::Barcode };
    enum DataMode { ConstantData = 0, VariableData = 1 };
    // The dot grid of PDF output (see snapResolution()).
    static constexpr int PdfSnapDpi = 203;
    // The dots per inch of the printer a running print job prints with (Qt
    // may lay the job out at another resolution); 0 outside a job.
    static void setJobDotsPerInch(int dpi) { jobDpi = dpi; }

    explicit BarcodeItem(QSizeF size, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }

    void setSize(qreal w, qreal h) override;
    void setSize(const QSizeF &size) override;
    QRectF boundingRect() const override;

    Barcode barcode() const { return code; }
    void setBarcode(const Barcode &barcode);
    int aspectMode() const { return aspect; }
    void setAspectMode(int mode);
    int dataMode() const { return mode; }
    // Constant data: the barcode's own data string.
    void setConstantData(const QString &data);
    // Variable data: label i shows the i-th cell of `sel`.
    void setVariableData(DataSource *src, const QItemSelection &sel);
    DataSource *dataSource() const;
    QItemSelection selection() const { return binding.selection(); }
    DataBinding *cellBinding() override { return mode == VariableData ? &binding : nullptr; }

    // What label `record` shows; null when it shows no symbol (a variable
    // item past its cells, or whose source is gone).
    QString dataForRecord(int record) const;

    void setRecordIndex(int index) override;
    int recordIndex() const override { return record; }
    int recordCount() const override;

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    // Version 2 is written only for a turned item: it adds the angle.
    qint32 headerVersion() const override { return qFuzzyIsNull(rotation()) ? 1 : 2; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

signals:
    void dataChanged();

public slots:
    void editDialog();

protected:
    void populateMenu(QMenu *menu) override;

private:
    void bindingChanged();
    void updateExtent();
    int snapResolution(QPainter *painter) const;

    Barcode code;
    int aspect = Barcode::Fit;
    int mode = ConstantData;
    DataBinding binding;
    int record = 0;
    // Where the symbol is drawn, caption included (it may reach past the item).
    QRectF extent;
    static inline int jobDpi = 0;
};
