#pragma once

// Objects painted for a printer, a PDF file or a preview are switched into
// print mode first, so that they hide what belongs only to editing.
class IPrintable
{
public:
    virtual ~IPrintable() = default;
    virtual void setPrintMode(bool on) { printMode = on; }
    bool isPrintMode() const { return printMode; }

protected:
    bool printMode = false;
};
