#pragma once

#include <QDialog>
#include <QPointer>

class DataSource;
class DataSourceItem;
class QTableView;

// "Edit <source>": the values of one data source in a table; an internal
// table can also grow by one field at a time.
class TableEditor : public QDialog
{
    Q_OBJECT
public:
    explicit TableEditor(DataSourceItem *item, QWidget *parent = nullptr);

private slots:
    void addField();

private:
    QPointer<DataSource> source;
    QTableView *view = nullptr;
};
