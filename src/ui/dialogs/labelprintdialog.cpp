#include "labelprintdialog.h"

#include "printhandler.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

LabelPrintDialog::LabelPrintDialog(QPrinter *printer, int labelCount, QWidget *parent)
    : QPrintDialog(printer, parent), labels(labelCount)
{
}

void LabelPrintDialog::accept()
{
    // The names Qt's own print dialog gives its "Pages" choice and field.
    const auto *pages = findChild<QRadioButton *>(QStringLiteral("pagesRadioButton"));
    auto *entry = findChild<QLineEdit *>(QStringLiteral("pagesLineEdit"));
    if (pages && entry && pages->isChecked()) {
        const QString problem = PrintHandler::labelRangeProblem(entry->text(), labels);
        if (!problem.isEmpty()) {
            QMessageBox::warning(this, windowTitle(), problem);
            entry->setFocus();
            entry->selectAll();
            return;
        }
    }
    QPrintDialog::accept();
}
