#pragma once

#include <QAbstractTableModel>
#include <memory>

namespace QXlsx {

class Worksheet;
class SheetModelPrivate;

// A worksheet as a flat table: model row r, column c is the cell
// (r + 1, c + 1). The worksheet is not owned; its workbook must outlive the
// model. Edits change the worksheet in memory only.
class SheetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit SheetModel(Worksheet *sheet, QObject *parent = nullptr);
    ~SheetModel() override;

    Worksheet *sheet() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    std::unique_ptr<SheetModelPrivate> d;
};

} // namespace QXlsx
