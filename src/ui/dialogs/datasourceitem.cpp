#include "datasourceitem.h"

#include "datasource.h"

DataSourceItem::DataSourceItem(DataSource *source, const QString &text)
    : QListWidgetItem(text, nullptr, Type), dataSource(source)
{
}

DataSource *DataSourceItem::source() const
{
    return dataSource;
}
