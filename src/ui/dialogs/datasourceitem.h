#pragma once

#include <QListWidgetItem>
#include <QPointer>

class DataSource;

// One data source in the data source list. The manager owns the source; the
// item only points at it and notices when it is gone.
class DataSourceItem : public QListWidgetItem
{
public:
    enum
    {
        Type = 1101
    };

    DataSourceItem(DataSource *source, const QString &text);

    // Null once the manager has removed the source.
    DataSource *source() const;

private:
    QPointer<DataSource> dataSource;
};
