#include "datasource.h"

#include <QFile>
#include <QStandardItemModel>

DataSource::DataSource(const QString &name, const QFile &file, QAbstractItemModel *model,
                       QObject *parent)
    : QObject(parent), sourceName(name), info(file), table(model), sourceKind(File)
{
    setObjectName(QStringLiteral("datasource"));
    if (table)
        table->setParent(this);
}

DataSource::DataSource(const QString &name, QObject *parent)
    : QObject(parent), sourceName(name), table(new QStandardItemModel(1, 1, this)),
      sourceKind(Internal)
{
    setObjectName(QStringLiteral("datasource"));
}
