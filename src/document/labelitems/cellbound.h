#pragma once

class DataBinding;

// An item whose labels show cells of a data source: the document, the print
// path and batch runs reach every such item's binding through this.
class CellBound
{
public:
    virtual ~CellBound() = default;
    // Null while the item shows no cells (a barcode with constant data).
    virtual DataBinding *cellBinding() = 0;
};
