#include "itemeditor.h"

#include "document.h"
#include "labelitems/baseitem.h"
#include "labelitems/itemtypes.h"

namespace {

ItemEditor *installed = nullptr;

QString contentEditText(const BaseItem *item)
{
    switch (item->type()) {
    case itemtype::Barcode:
        return QObject::tr("Edit barcode");
    case itemtype::Data:
        return QObject::tr("Edit data source");
    case itemtype::DateTime:
        return QObject::tr("Edit date and time format");
    default:
        return QObject::tr("Edit item");
    }
}

} // namespace

void ItemEditor::install(ItemEditor *editor)
{
    installed = editor;
}

bool ItemEditor::run(BaseItem *item, Kind kind, bool ownEntry)
{
    if (!installed || !item)
        return false;
    Document *doc = item->document();
    if (kind != Content || !doc || !ownEntry)
        return installed->edit(item, kind);
    // What the dialog changes is one undo entry.
    bool accepted = false;
    doc->editItems({item}, contentEditText(item),
                   [&] { accepted = installed->edit(item, kind); });
    return accepted;
}
