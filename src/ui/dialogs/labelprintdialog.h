#pragma once

#include <QPrintDialog>

// The print dialog of a label job. Its "Pages" field takes one label or one
// range of labels; anything else is refused with the dialog still open, so
// the printer, copies and options chosen in it are not lost.
class LabelPrintDialog : public QPrintDialog
{
    Q_OBJECT
public:
    LabelPrintDialog(QPrinter *printer, int labels, QWidget *parent = nullptr);

    void accept() override;

private:
    int labels;
};
