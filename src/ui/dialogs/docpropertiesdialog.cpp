#include "docpropertiesdialog.h"

#include "dialogs/docpropertieswidget.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

DocPropertiesDialog::DocPropertiesDialog(Document *doc, QWidget *parent,
                                         const SizeTemplateManager *catalogue)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog/docproperties"));
    setWindowTitle(tr("Document properties"));
    widget = new DocPropertiesWidget(this, catalogue);
    widget->setDocument(doc);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Labels that do not fit on the liner cannot be taken; the widget says why.
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(widget->fits());
    connect(widget, &DocPropertiesWidget::fitsChanged, ok, &QPushButton::setEnabled);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(widget);
    layout->addWidget(buttons);
}

SizeTemplate DocPropertiesDialog::sizeTemplate() const
{
    return widget->sizeTemplate();
}

PrinterSettingsWin *DocPropertiesDialog::printerSettings()
{
    return widget->printerSettings();
}
