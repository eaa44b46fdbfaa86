#include "tableeditor.h"

#include "datasource.h"
#include "datasourcemanager.h"
#include "dialogs/datasourceitem.h"
#include "services.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

TableEditor::TableEditor(DataSourceItem *item, QWidget *parent)
    : QDialog(parent), source(item ? item->source() : nullptr)
{
    setObjectName(QStringLiteral("dialog/editdata"));
    setWindowTitle(tr("Edit %1").arg(item ? item->text() : QString()));

    view = new QTableView(this);
    view->setObjectName(QStringLiteral("table"));
    if (source)
        view->setModel(source->model());
    view->resizeColumnsToContents();

    auto *tableRow = new QHBoxLayout;
    tableRow->addWidget(view);
    if (source && source->kind() == DataSource::Internal) {
        auto *addButton = new QPushButton(QStringLiteral("Add field"), this);
        addButton->setObjectName(QStringLiteral("addfield"));
        connect(addButton, &QPushButton::clicked, this, &TableEditor::addField);

        auto *side = new QVBoxLayout;
        side->addWidget(addButton);
        side->addStretch();
        tableRow->addLayout(side);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TableEditor::accept);

    auto *layout = new QVBoxLayout(this);
    if (source && source->kind() == DataSource::Internal) {
        nameEdit = new QLineEdit(source->name(), this);
        nameEdit->setObjectName(QStringLiteral("name"));
        auto *form = new QFormLayout;
        form->addRow(tr("Name:"), nameEdit);
        layout->addLayout(form);
    }
    layout->addLayout(tableRow);
    layout->addWidget(buttons);

    resize(600, 400);
}

void TableEditor::accept()
{
    DataSourceManager *manager = services::dataSourceManager();
    if (nameEdit && source && manager) {
        QString error;
        if (!manager->renameSource(source, nameEdit->text(), &error)) {
            QMessageBox::warning(this, tr("Rename table"), error);
            nameEdit->setFocus();
            return;
        }
    }
    QDialog::accept();
}

void TableEditor::addField()
{
    // The source may have been removed while the dialog was open.
    if (!source)
        return;
    auto *model = qobject_cast<QStandardItemModel *>(source->model());
    if (!model)
        return;

    model->appendRow(new QStandardItem);
    const QModelIndex index = model->index(model->rowCount() - 1, 0);
    view->scrollTo(index);
    view->setCurrentIndex(index);
    // Start editing so the user can type the value at once.
    view->edit(index);
}
