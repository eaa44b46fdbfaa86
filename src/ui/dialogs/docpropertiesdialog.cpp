#include "docpropertiesdialog.h"

#include "dialogs/docpropertieswidget.h"

#include <QDialogButtonBox>
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
