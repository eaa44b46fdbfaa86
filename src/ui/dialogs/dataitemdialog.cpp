#include "dataitemdialog.h"

#include "datasource.h"
#include "datasourcemanager.h"
#include "services.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QMetaType>
#include <QSignalBlocker>
#include <QTableView>

DataItemDialog::DataItemDialog(DataSource *source, const QItemSelection &selection,
                               QWidget *parent)
    : QDialog(parent)
{
    qRegisterMetaType<QItemSelection>("QItemSelection");

    setObjectName(QStringLiteral("dialog/dataitem"));
    setWindowTitle(tr("Edit data item"));

    combo = new QComboBox(this);
    combo->setObjectName(QStringLiteral("source"));
    // Source names are file paths; the whole name is shown.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The empty first entry stands for "no source".
    combo->addItem(QString());
    DataSourceManager *manager = services::dataSourceManager();
    if (manager) {
        const QMap<int, DataSource *> sources = manager->sources();
        for (auto it = sources.cbegin(); it != sources.cend(); ++it) {
            if (it.value())
                combo->addItem(it.value()->name(), it.key());
        }
    }

    view = new QTableView(this);
    view->setObjectName(QStringLiteral("table"));
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(tr("Source:"), combo);

    auto *layout = new QGridLayout(this);
    layout->addLayout(form, 0, 0);
    layout->addWidget(view, 0, 1);
    layout->addWidget(buttons, 1, 1);
    layout->setColumnStretch(1, 1);
    resize(760, 420);

    connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DataItemDialog::comboChanged);

    if (source && manager) {
        const int id = manager->idOf(source);
        // Changing the entry runs comboChanged, which puts the table in the view.
        combo->setCurrentIndex(combo->findData(id));
        if (!selection.isEmpty() && view->selectionModel())
            view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
}

DataSource *DataItemDialog::dataSource() const
{
    const QVariant data = combo->currentData(Qt::UserRole);
    DataSourceManager *manager = services::dataSourceManager();
    if (!data.isValid() || !manager)
        return nullptr;
    return manager->sources().value(data.toInt(), nullptr);
}

QItemSelection DataItemDialog::selection() const
{
    if (!view->selectionModel())
        return QItemSelection();
    return view->selectionModel()->selection();
}

void DataItemDialog::comboChanged(int index)
{
    const QVariant data = combo->itemData(index, Qt::UserRole);
    if (!data.isValid())
        return;
    DataSourceManager *manager = services::dataSourceManager();
    if (!manager)
        return;
    DataSource *source = manager->sources().value(data.toInt(), nullptr);
    if (!source)
        return;

    QItemSelectionModel *oldSelection = view->selectionModel();
    view->setModel(source->model());
    // setModel() keeps the old selection model when the model is the same one.
    if (view->selectionModel() == oldSelection)
        return;
    delete oldSelection;
    if (view->selectionModel())
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &DataItemDialog::selectionChanged);
}

void DataItemDialog::selectionChanged(const QItemSelection &selected,
                                      const QItemSelection &deselected)
{
    Q_UNUSED(selected)
    Q_UNUSED(deselected)
    if (adjustingSelection)
        return;
    QItemSelectionModel *selectionModel = view->selectionModel();
    if (!selectionModel)
        return;

    const QSignalBlocker blocker(this);
    adjustingSelection = true;
    // An empty cell has nothing to print, so it may never stay selected.
    const QModelIndexList indexes = selectionModel->selectedIndexes();
    for (const QModelIndex &index : indexes) {
        if (index.data(Qt::DisplayRole).toString().isEmpty())
            selectionModel->select(index, QItemSelectionModel::Deselect);
    }
    adjustingSelection = false;
}
