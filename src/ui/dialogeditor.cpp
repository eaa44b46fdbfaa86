#include "dialogeditor.h"

#include "dialogs/barcodedialog.h"
#include "dialogs/dataitemdialog.h"
#include "dialogs/datetimedialog.h"
#include "dialogs/positionsizedialog.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/baseitem.h"
#include "labelitems/dataitem.h"
#include "labelitems/datetimeitem.h"

#include <QPointer>

namespace {

// A dialog deleted while it ran (its parent went away) counts as cancelled.
template <typename Dialog> bool accepted(const QPointer<Dialog> &dialog, int result)
{
    return dialog && result == QDialog::Accepted;
}

bool editBarcode(BarcodeItem *item)
{
    QPointer<BarcodeDialog> dialog = new BarcodeDialog(item, item->aspectMode());
    const bool ok = accepted(dialog, dialog->exec());
    if (ok) {
        item->setBarcode(dialog->barcode());
        item->setAspectMode(dialog->aspectMode());
        if (dialog->dataMode() == BarcodeItem::VariableData)
            item->setVariableData(dialog->dataSource(), dialog->selection());
        else
            item->setConstantData(dialog->barcode().data());
    }
    delete dialog;
    return ok;
}

bool editData(DataItem *item)
{
    QPointer<DataItemDialog> dialog = new DataItemDialog(item->dataSource(), item->selection());
    const bool ok = accepted(dialog, dialog->exec());
    if (ok)
        item->setData(dialog->dataSource(), dialog->selection());
    delete dialog;
    return ok;
}

bool editDateTime(DateTimeItem *item)
{
    QDateTime value = item->dateTime();
    QString format = item->format();
    QPointer<DateTimeDialog> dialog = new DateTimeDialog(&value, &format, item->usesSystemTime());
    const bool ok = accepted(dialog, dialog->exec());
    if (ok)
        item->setValue(dialog->dateTime(), dialog->formatString(), dialog->systemTimeSelected());
    delete dialog;
    return ok;
}

} // namespace

bool DialogEditor::edit(BaseItem *item, Kind kind)
{
    if (kind == PositionSize) {
        QPointer<PositionSizeDialog> dialog = new PositionSizeDialog(item, item->scene());
        const int result = dialog->exec();
        delete dialog;
        return result == QDialog::Accepted;
    }
    if (auto *code = qgraphicsitem_cast<BarcodeItem *>(item))
        return editBarcode(code);
    if (auto *data = qgraphicsitem_cast<DataItem *>(item))
        return editData(data);
    if (auto *clock = qgraphicsitem_cast<DateTimeItem *>(item))
        return editDateTime(clock);
    return false;
}

void DialogEditor::install()
{
    static DialogEditor dialogs;
    ItemEditor::install(&dialogs);
}
