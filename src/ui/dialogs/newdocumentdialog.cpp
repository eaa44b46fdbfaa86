#include "newdocumentdialog.h"

#include "dialogs/docpropertieswidget.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

NewDocumentDialog::NewDocumentDialog(QWidget *parent, const SizeTemplateManager *catalogue)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog/newdocument"));
    setWindowTitle(tr("New label"));
    auto *tabs = new QTabWidget(this);
    widget = new DocPropertiesWidget(nullptr, catalogue);
    tabs->addTab(widget, tr("New label"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Labels that do not fit on the liner cannot be taken; the widget says why.
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(widget->fits());
    connect(widget, &DocPropertiesWidget::fitsChanged, ok, &QPushButton::setEnabled);
    connect(buttons, &QDialogButtonBox::accepted, this, &NewDocumentDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

void NewDocumentDialog::accept()
{
    if (!widget->fits())
        return;
    const SizeTemplate st = widget->sizeTemplate();
    // The settings are only taken when they are handed on; taken and not
    // handed on, nobody would own them.
    if (st.isValid()) {
        emit selectedSizeTemplateChange(st);
        emit selectedPrinterChange(widget->printerSettings());
    }
    QDialog::accept();
}
