#pragma once

class BaseItem;

// The editors an item opens from its menu ("Position and size...", "Edit
// barcode..." and the like) are dialogs of the window layer. It installs one
// ItemEditor here, so the items themselves need no dialog code; without one,
// nothing opens and the item stays as it is.
class ItemEditor
{
public:
    enum Kind
    {
        // Position, size and rotation, for every kind of item.
        PositionSize,
        // What the item shows: a barcode's symbology and data, a data item's
        // cells, a date-time item's value and format.
        Content,
    };

    virtual ~ItemEditor() = default;

    // Shows the editor modally and applies what was accepted to the item.
    // True when the user accepted it.
    virtual bool edit(BaseItem *item, Kind kind) = 0;

    // The editor items use from now on (not owned; null for none).
    static void install(ItemEditor *editor);
    // Runs the installed editor; false when there is none. What a content
    // dialog changes is one undo entry, unless `ownEntry` is false (the
    // dialog that completes an insertion belongs to the insertion's entry).
    static bool run(BaseItem *item, Kind kind, bool ownEntry = true);
};
