#pragma once

#include "itemeditor.h"

// Answers the items' edit requests with the window layer's dialogs: position
// and size, the barcode dialog, the data item dialog and "Date and Time".
class DialogEditor : public ItemEditor
{
public:
    bool edit(BaseItem *item, Kind kind) override;

    // Makes the items of every document use these dialogs. Idempotent.
    static void install();
};
