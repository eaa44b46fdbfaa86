#include "xlsxsheetmodel.h"

#include "xlsxworksheet.h"

#include <QBrush>

namespace QXlsx {

class SheetModelPrivate
{
public:
    SheetModelPrivate(Worksheet *sheet, SheetModel *model) : sheet(sheet), q(model) {}

    Worksheet *sheet;
    SheetModel *q;
};

namespace {

Qt::Alignment alignmentOf(const Format &format)
{
    Qt::Alignment alignment;
    switch (format.horizontalAlignment()) {
    case Format::AlignLeft:
        alignment |= Qt::AlignLeft;
        break;
    case Format::AlignHCenter:
        alignment |= Qt::AlignHCenter;
        break;
    case Format::AlignRight:
        alignment |= Qt::AlignRight;
        break;
    case Format::AlignHJustify:
        alignment |= Qt::AlignJustify;
        break;
    default:
        break;
    }
    switch (format.verticalAlignment()) {
    case Format::AlignTop:
        alignment |= Qt::AlignTop;
        break;
    case Format::AlignVCenter:
        alignment |= Qt::AlignVCenter;
        break;
    case Format::AlignBottom:
        alignment |= Qt::AlignBottom;
        break;
    default:
        break;
    }
    return alignment;
}

} // namespace

SheetModel::SheetModel(Worksheet *sheet, QObject *parent)
    : QAbstractTableModel(parent), d(std::make_unique<SheetModelPrivate>(sheet, this))
{
}

SheetModel::~SheetModel() = default;

Worksheet *SheetModel::sheet() const
{
    return d->sheet;
}

int SheetModel::rowCount(const QModelIndex &parent) const
{
    // Rows above the first used one count too, so model rows match sheet rows.
    return parent.isValid() || !d->sheet ? 0 : qMax(0, d->sheet->dimension().lastRow());
}

int SheetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !d->sheet ? 0 : qMax(0, d->sheet->dimension().lastColumn());
}

QVariant SheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.model() != this || !d->sheet || index.row() < 0 ||
        index.column() < 0) {
        return QVariant();
    }
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    const std::optional<Cell> cell = d->sheet->cellAt(row, column);
    if (!cell) {
        return QVariant();
    }
    const Format format = cell->format();
    switch (role) {
    case Qt::DisplayRole:
        return cell->isDateTime() ? d->sheet->read(row, column) : cell->value();
    case Qt::EditRole:
        return d->sheet->read(row, column);
    case Qt::FontRole:
        return format.hasFontData() ? QVariant(format.font()) : QVariant();
    case Qt::TextAlignmentRole:
        return int(alignmentOf(format));
    case Qt::BackgroundRole:
        return format.patternBackgroundColor().isValid()
                   ? QVariant(QBrush(format.patternBackgroundColor(), Qt::SolidPattern))
                   : QVariant();
    case Qt::ForegroundRole: // the text colour
        return format.fontColor().isValid() ? QVariant(QBrush(format.fontColor())) : QVariant();
    default:
        return QVariant();
    }
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    if (orientation == Qt::Horizontal) {
        return columnLetters(section + 1);
    }
    return QString::number(section + 1);
}

Qt::ItemFlags SheetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
}

bool SheetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.model() != this || !d->sheet) {
        return false;
    }
    return d->sheet->write(index.row() + 1, index.column() + 1, value, Format());
}

} // namespace QXlsx
