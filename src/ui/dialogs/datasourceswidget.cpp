#include "datasourceswidget.h"

#include "datasource.h"
#include "datasourcemanager.h"
#include "dialogs/datasourceitem.h"
#include "dialogs/sequencedialog.h"
#include "dialogs/tableeditor.h"
#include "lastfolder.h"
#include "services.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

DataSourcesWidget::DataSourcesWidget(QWidget *parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("dockwidget/datasources"));
    setWindowTitle(tr("Data sources"));

    auto *content = new QWidget(this);

    auto *addButton = new QPushButton(tr("Add from file"), content);
    addButton->setObjectName(QStringLiteral("add"));
    auto *addInternalButton = new QPushButton(tr("Add table"), content);
    addInternalButton->setObjectName(QStringLiteral("addinternal"));
    auto *addSequenceButton = new QPushButton(tr("Add sequence..."), content);
    addSequenceButton->setObjectName(QStringLiteral("addsequence"));
    auto *editButton = new QPushButton(tr("Edit"), content);
    editButton->setObjectName(QStringLiteral("edit"));
    auto *deleteButton = new QPushButton(tr("Delete"), content);
    deleteButton->setObjectName(QStringLiteral("delete"));

    sourceList = new QListWidget(content);
    sourceList->setObjectName(QStringLiteral("sources"));

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(addButton);
    buttonRow->addWidget(addInternalButton);
    buttonRow->addWidget(addSequenceButton);
    buttonRow->addWidget(editButton);
    buttonRow->addWidget(deleteButton);

    auto *layout = new QVBoxLayout(content);
    layout->addLayout(buttonRow);
    layout->addWidget(sourceList);
    setWidget(content);

    connect(addButton, &QPushButton::clicked, this, &DataSourcesWidget::importSource);
    connect(addInternalButton, &QPushButton::clicked, this, &DataSourcesWidget::addInternal);
    connect(addSequenceButton, &QPushButton::clicked, this, &DataSourcesWidget::addSequence);
    connect(editButton, &QPushButton::clicked, this, QOverload<>::of(&DataSourcesWidget::editSource));
    connect(deleteButton, &QPushButton::clicked, this, &DataSourcesWidget::deleteSource);
    connect(sourceList, &QListWidget::itemDoubleClicked, this,
            QOverload<QListWidgetItem *>::of(&DataSourcesWidget::editSource));
}

void DataSourcesWidget::updateListView()
{
    sourceList->clear();
    DataSourceManager *manager = services::dataSourceManager();
    if (!manager)
        return;

    // QMap iterates in key order, so the list follows the ids.
    const QMap<int, DataSource *> sources = manager->sources();
    QMap<QString, int> named;
    for (DataSource *source : sources)
        ++named[source->name()];
    for (DataSource *source : sources) {
        if (!source)
            continue;
        QString suffix = source->kind() == DataSource::File ? QStringLiteral(" [file]")
                                                             : QStringLiteral(" [internal]");
        // Documents open together may each have a table of the same name:
        // the entry says whose it is.
        if (named.value(source->name()) > 1 && usageOf) {
            QStringList users;
            for (const auto &use : usageOf(source))
                users << use.first;
            if (!users.isEmpty())
                suffix += QStringLiteral(" (") + users.join(QStringLiteral(", ")) +
                          QLatin1Char(')');
        }
        sourceList->addItem(new DataSourceItem(source, source->name() + suffix));
    }
}

void DataSourcesWidget::addInternal()
{
    DataSourceManager *manager = services::dataSourceManager();
    if (!manager)
        return;

    // Every table gets a name of its own: items find their table by name.
    manager->addInternal(manager->newTableName());
    updateListView();
    if (sourceList->count() == 0)
        return;

    // A new table is empty; open it right away so the user can type values.
    sourceList->setCurrentRow(sourceList->count() - 1);
    editSource();
}

void DataSourcesWidget::addSequence()
{
    DataSourceManager *manager = services::dataSourceManager();
    if (!manager)
        return;

    // The dialog may be gone after exec() when its parent is destroyed meanwhile.
    QPointer<SequenceDialog> dialog = new SequenceDialog(this);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    const QString name = accepted ? dialog->name() : QString();
    const sequence::Spec spec = accepted ? dialog->spec() : sequence::Spec();
    delete dialog;
    if (!accepted)
        return;

    DataSource *source = manager->addInternal(name, sequence::items(spec));
    updateListView();

    // Select the new table as "Add table" does; its values are complete, so
    // the editor stays closed.
    for (int row = 0; row < sourceList->count(); ++row) {
        QListWidgetItem *item = sourceList->item(row);
        if (item->type() == DataSourceItem::Type
            && static_cast<DataSourceItem *>(item)->source() == source) {
            sourceList->setCurrentRow(row);
            break;
        }
    }
}

void DataSourcesWidget::importSource()
{
    DataSourceManager *manager = services::dataSourceManager();
    if (!manager)
        return;

    const QString name =
        QFileDialog::getOpenFileName(this, tr("Open file"), lastfolder::get(),
                                     tr("Data files (*.csv *.xlsx *.txt);;All files (*.*)"));
    if (name.isEmpty())
        return;
    lastfolder::remember(name);

    if (name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
        manager->addCsvFile(name);
    } else if (name.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) {
        manager->addXlsxFile(name);
    } else {
        QMessageBox::warning(this, tr("Add from file"),
                             tr("'%1' is not a CSV, TXT or XLSX file.")
                                 .arg(QFileInfo(name).fileName()));
    }
    updateListView();
    const QStringList notices = manager->takeNotices();
    if (!notices.isEmpty())
        QMessageBox::information(this, tr("Add from file"), notices.join(QLatin1Char('\n')));
}

void DataSourcesWidget::editSource(QListWidgetItem *item)
{
    if (!item || item->type() != DataSourceItem::Type)
        return;
    auto *sourceItem = static_cast<DataSourceItem *>(item);
    if (!sourceItem->source())
        return;

    // The dialog may be gone after exec() when its parent is destroyed meanwhile.
    QPointer<TableEditor> editor = new TableEditor(sourceItem, this);
    editor->exec();
    delete editor;
}

void DataSourcesWidget::editSource()
{
    editSource(sourceList->currentItem());
}

void DataSourcesWidget::deleteSource()
{
    QListWidgetItem *item = sourceList->currentItem();
    if (!item || item->type() != DataSourceItem::Type)
        return;
    DataSource *source = static_cast<DataSourceItem *>(item)->source();
    DataSourceManager *manager = services::dataSourceManager();
    if (!source || !manager)
        return;

    const QList<QPair<QString, int>> users = usageOf ? usageOf(source) : QList<QPair<QString, int>>();
    QStringList where;
    for (const auto &use : users)
        where << tr("%1 (items: %2)").arg(use.first).arg(use.second);
    QString question = tr("Delete the data source \"%1\"?").arg(source->name());
    if (where.isEmpty()) {
        question += QStringLiteral("\n\n") + tr("No item of an open label uses it.");
    } else {
        question += QStringLiteral("\n\n") +
                    tr("It is used by items on: %1.").arg(where.join(QStringLiteral(", "))) +
                    QStringLiteral("\n\n") +
                    tr("Those items keep their binding and are bound again when a source of "
                       "this name is added; until then their labels cannot be printed.");
    }
    if (source->kind() == DataSource::Internal)
        question += QStringLiteral("\n\n") +
                    tr("The values of the table are lost unless a saved label still holds them.");
    QPointer<DataSource> guard(source);
    const auto answer = QMessageBox::question(this, tr("Delete data source"), question,
                                              QMessageBox::Yes | QMessageBox::No,
                                              QMessageBox::No);
    if (answer != QMessageBox::Yes || !guard)
        return;
    manager->removeSource(manager->idOf(guard));
    updateListView();
}
