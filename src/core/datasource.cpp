#include "datasource.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QStandardItemModel>

DataSource::DataSource(const QString &name, const QFile &file, QAbstractItemModel *model,
                       QObject *parent)
    : QObject(parent), sourceName(name), info(file), table(model), sourceKind(File)
{
    setObjectName(QStringLiteral("datasource"));
    if (table)
        table->setParent(this);
    noteFileRead();
    watchModel();
}

DataSource::DataSource(const QString &name, QObject *parent)
    : QObject(parent), sourceName(name), table(new QStandardItemModel(1, 1, this)),
      sourceKind(Internal)
{
    setObjectName(QStringLiteral("datasource"));
    watchModel();
}

void DataSource::setName(const QString &name)
{
    if (name == sourceName)
        return;
    sourceName = name;
    emit renamed();
}

void DataSource::noteFileRead()
{
    info.refresh();
    sizeRead = info.exists() ? info.size() : -1;
    modifiedRead = info.exists() ? info.lastModified() : QDateTime();
}

void DataSource::replaceModel(QAbstractItemModel *model)
{
    if (!model || model == table)
        return;
    QAbstractItemModel *old = table;
    table = model;
    table->setParent(this);
    if (old) {
        disconnect(old, nullptr, this, nullptr);
        old->deleteLater();
    }
    watchModel();
    emit tableChanged();
}

void DataSource::watchModel()
{
    if (!table)
        return;
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
                        &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        connect(table, signal, this, &DataSource::tableChanged);
    connect(table, &QAbstractItemModel::modelReset, this, &DataSource::tableChanged);
    connect(table, &QAbstractItemModel::dataChanged, this, &DataSource::tableChanged);
}
